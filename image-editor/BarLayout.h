// The layout of the two cool bars in the stored window layout: each bar has
// three bands known by their texts "0", "1" and "2", each band four bytes
// (its index, whether it starts a row, its width as a two-byte number) and
// an option bit that shows it.
#pragma once
#include <string>

#include "CoolBar.h"

struct TBandSet {
    bool DrawingBar;
    int Record;    // the first byte of the band with text "0"
    int FirstBit;  // the option bit of that band; the next two follow
};
inline constexpr TBandSet MainBands{false, 9, 0x1};
inline constexpr TBandSet DrawingBands{true, 21, 0x8};

// The index of the band whose text is the number; the last match wins, -1
// when none has it.
int FindBand(const forms::TCoolBar& Bar, int Number);
// Option bits of a set's three bands.
inline int BandBits(const TBandSet& Set) { return Set.FirstBit * 7; }

// Order, row breaks and visibility, then the widths, from the record;
// nothing that already stands as stored is set again.
void RestoreBandLayout(forms::TCoolBar& Bar, const TBandSet& Set, const std::string& Position, int Options);
void SaveBandLayout(const forms::TCoolBar& Bar, const TBandSet& Set, std::string& Position);
// Each band shows by its bit; the bar hides when none of them is set.
void UpdateBandVisibility(forms::TCoolBar& Bar, const TBandSet& Set, int Options);
// A hidden band that is being switched on takes its place first: on the
// main bar last on a new row; on the drawing bar first, starting the one
// row with the width the band of that text has by default.
void PlaceSwitchedOnBand(forms::TCoolBar& Bar, const TBandSet& Set, int Number);
// The drawing bar stays one row: the first band starts it, the others join.
void KeepOneRow(forms::TCoolBar& Bar);
