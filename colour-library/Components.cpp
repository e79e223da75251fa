// Splitting a colour into its components. The arithmetic is that of signed
// 32-bit integers with truncating division, so system colours (negative) and
// values with a high byte give the results the callers were written against:
// ZvBlue keeps the high byte, and all three are negative for system colours.
#include <cstring>

#include "ZvColor.h"

ZVCOLOR_API int WINAPI ZvRed(int Color) { return Color % 256; }

ZVCOLOR_API int WINAPI ZvGreen(int Color) { return (Color / 256) % 256; }

ZVCOLOR_API int WINAPI ZvBlue(int Color) { return (Color / 256) / 256; }

ZVCOLOR_API TRGBTriple WINAPI ZvRGBTriple(BYTE R, BYTE G, BYTE B) {
    TRGBTriple t;
    t.rgbtBlue = B;
    t.rgbtGreen = G;
    t.rgbtRed = R;
    return t;
}

ZVCOLOR_API double WINAPI ZvNaN() {
    const std::uint64_t bits = 0x7FFFFFFFFFFFFFFFull;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}
