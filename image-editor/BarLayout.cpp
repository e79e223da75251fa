#include "BarLayout.h"

#include "CaptureSettings.h"

using forms::TCoolBar;

namespace {

unsigned char* BandBytes(std::string& Position, const TBandSet& Set, int Number) {
    return reinterpret_cast<unsigned char*>(Position.data()) + Set.Record + 4 * Number;
}
const unsigned char* BandBytes(const std::string& Position, const TBandSet& Set, int Number) {
    return reinterpret_cast<const unsigned char*>(Position.data()) + Set.Record + 4 * Number;
}

void SetBreak(TCoolBar& Bar, int Index, bool Break) {
    const forms::TCoolBand band = Bar.Band(Index);
    if (band.Break != Break) Bar.SetBandLayout(Index, band.Width, Break);
}

void SetVisible(TCoolBar& Bar, int Index, bool Visible) {
    if (Bar.Band(Index).Visible != Visible) Bar.SetBandVisible(Index, Visible);
}

}  // namespace

int FindBand(const TCoolBar& Bar, int Number) {
    int found = -1;
    const std::string text = std::to_string(Number);
    for (int i = 0, n = Bar.BandCount(); i < n; ++i)
        if (Bar.Band(i).Text == text) found = i;
    return found;
}

void RestoreBandLayout(TCoolBar& Bar, const TBandSet& Set, const std::string& Position, int Options) {
    for (int i = 0; i < 3; ++i) {
        const unsigned char* bytes = BandBytes(Position, Set, i);
        int index = FindBand(Bar, i);
        if (index < 0) continue;
        if (index != bytes[0] && bytes[0] < Bar.BandCount()) {
            Bar.MoveBand(index, bytes[0]);
            index = bytes[0];
        }
        SetBreak(Bar, index, bytes[1] == 1);
        SetVisible(Bar, index, (Options & (Set.FirstBit << i)) != 0);
    }
    for (int i = 0; i < 3; ++i) {
        const int index = FindBand(Bar, i);
        if (index < 0) continue;
        const forms::TCoolBand band = Bar.Band(index);
        const int width = ReadTwoByte(BandBytes(Position, Set, i) + 2);
        if (band.Width != width) Bar.SetBandLayout(index, width, band.Break);
    }
}

void SaveBandLayout(const TCoolBar& Bar, const TBandSet& Set, std::string& Position) {
    for (int i = 0; i < 3; ++i) {
        const int index = FindBand(Bar, i);
        if (index < 0) continue;
        const forms::TCoolBand band = Bar.Band(index);
        unsigned char* bytes = BandBytes(Position, Set, i);
        bytes[0] = static_cast<unsigned char>(index);
        bytes[1] = band.Break ? 1 : 0;
        WriteTwoByte(bytes + 2, band.Width);
    }
}

void UpdateBandVisibility(TCoolBar& Bar, const TBandSet& Set, int Options) {
    const bool any = (Options & BandBits(Set)) != 0;
    if (!any) Bar.Hide();
    for (int i = 0; i < 3; ++i) {
        const int index = FindBand(Bar, i);
        if (index >= 0) SetVisible(Bar, index, (Options & (Set.FirstBit << i)) != 0);
    }
    if (any && !Bar.Visible()) Bar.Show();
}

void PlaceSwitchedOnBand(TCoolBar& Bar, const TBandSet& Set, int Number) {
    const int index = FindBand(Bar, Number);
    if (index < 0 || Bar.Band(index).Visible) return;
    if (!Set.DrawingBar) {
        Bar.MoveBand(index, 2);
        SetBreak(Bar, 2, true);
        return;
    }
    static constexpr int kRowWidths[] = {176, 147, 135};
    Bar.MoveBand(index, 0);
    Bar.SetBandLayout(0, kRowWidths[Number], true);
    SetBreak(Bar, 1, false);
}

void KeepOneRow(TCoolBar& Bar) {
    for (int i = 0, n = Bar.BandCount(); i < n; ++i) SetBreak(Bar, i, i == 0);
}
