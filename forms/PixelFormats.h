// The pixel formats of a bitmap below 24 bits: their palettes, the nearest
// colour of a palette, and rows converted to and from 24 bits.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Graphics.h"

namespace forms {

// The bits of one pixel in a row of the format: 1, 4, 8, 16 (15 used) or 24.
int FormatBits(TPixelFormat Format);

// The colours of a format with a palette, Count of them (2, 16, 256);
// nullptr and 0 for 15 and 24 bits. White is the last colour of each, so
// that a row of set bits is white in every format.
const RGBQUAD* FormatPalette(TPixelFormat Format, int& Count);

// The index of the palette colour nearest to (R, G, B) in the RGB cube,
// the lowest index of equally near ones.
std::uint8_t NearestColorIndex(TPixelFormat Format, std::uint8_t R, std::uint8_t G, std::uint8_t B);

// Width pixels of blue, green, red triples as a row of the format: each
// pixel its nearest palette colour, or for 15 bits the top five bits of
// each channel. The row's padding bytes are cleared.
void ReduceRow(const std::uint8_t* Bgr, std::uint8_t* Row, TPixelFormat Format, int Width);
// A row of the format as Width blue, green, red triples; 15 bits widen each
// channel v to (v << 3) | (v >> 2), so that 31 becomes 255.
void ExpandRow(const std::uint8_t* Row, TPixelFormat Format, std::uint8_t* Bgr, int Width);

}  // namespace forms
