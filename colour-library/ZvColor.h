// ZvColor: colour arithmetic shared by every module.
#pragma once
#include <windows.h>

#include <cstdint>

// A colour: red in bits 0-7, green 8-15, blue 16-23; the top bit marks a
// system colour whose low byte is the system colour index.
typedef std::int32_t TColor;

// One pixel of a 24-bit bitmap row: blue, green, red.
#pragma pack(push, 1)
struct TRGBTriple {
    BYTE rgbtBlue;
    BYTE rgbtGreen;
    BYTE rgbtRed;
};
#pragma pack(pop)
static_assert(sizeof(TRGBTriple) == 3, "a pixel of a 24-bit row is three bytes");

#ifdef ZVCOLOR_BUILD
#define ZVCOLOR_API extern "C"
#else
#define ZVCOLOR_API extern "C" __declspec(dllimport)
#endif

ZVCOLOR_API int WINAPI ZvRed(int Color);
ZVCOLOR_API int WINAPI ZvGreen(int Color);
ZVCOLOR_API int WINAPI ZvBlue(int Color);
ZVCOLOR_API TRGBTriple WINAPI ZvRGBTriple(BYTE R, BYTE G, BYTE B);
// The hue of colours without one: the quiet not-a-number 0x7FFFFFFFFFFFFFFF.
ZVCOLOR_API double WINAPI ZvNaN();
