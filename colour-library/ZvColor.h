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

namespace forms {
class TBitmap;
}

#ifdef ZVCOLOR_BUILD
#define ZVCOLOR_API extern "C"
#else
#define ZVCOLOR_API extern "C" __declspec(dllimport)
#endif

ZVCOLOR_API int WINAPI ZvRed(int Color);
ZVCOLOR_API int WINAPI ZvGreen(int Color);
ZVCOLOR_API int WINAPI ZvBlue(int Color);
ZVCOLOR_API TRGBTriple WINAPI ZvRGBTriple(BYTE R, BYTE G, BYTE B);
// RGB of a triple (its red, green and blue bytes) to integer HSV, as ZvRGBHSV.
ZVCOLOR_API void WINAPI ZvRGBTripleHSV(TRGBTriple RGB, int& H, int& S, int& V);
// Floating RGB (0..1) to HSV: H in [0, 360), or ZvNaN when S = 0; S, V 0..1.
ZVCOLOR_API void WINAPI ZvRGBHSVDouble(double R, double G, double B, double& H, double& S, double& V);
// Integer RGB (0..255) to HSV: H 0..359 (0 when S = 0), S and V 0..255.
ZVCOLOR_API void WINAPI ZvRGBHSV(int R, int G, int B, int& H, int& S, int& V);
// Integer HSV to a triple; black for a hue above 360.
ZVCOLOR_API TRGBTriple WINAPI ZvHSVRGBTriple(int H, int S, int V);
// Floating HSV to RGB; writes nothing for S = 0 with a defined hue, or a hue above 360.
ZVCOLOR_API void WINAPI ZvHSVRGBDouble(double H, double S, double V, double& R, double& G, double& B);
// Integer HSV (H 0..360, S, V 0..255) to RGB; writes nothing for a hue above 360.
ZVCOLOR_API void WINAPI ZvHSVRGB(int H, int S, int V, int& R, int& G, int& B);
// The hue of colours without one: the quiet not-a-number 0x7FFFFFFFFFFFFFFF.
ZVCOLOR_API double WINAPI ZvNaN();

// The HSV colour wheel as a new Size x Size 24-bit bitmap, which the caller
// frees: hue 0 (red) to the right of the centre (Size div 2, Size div 2),
// growing counter-clockwise; the radius carries the value from 0 at the
// centre to 255 at the rim with ValueMode (saturation fixed at Fixed), else
// the saturation (value fixed at Fixed). Outside the disc, and everywhere
// for a Size below 2, the bitmap is BackColor (a system colour is taken as
// its current RGB value). A Size of 0 or less gives an empty bitmap, as does
// a size the system cannot provide.
ZVCOLOR_API forms::TBitmap* WINAPI ZvDrawHSVCircle(bool ValueMode, int Size, int Fixed, TColor BackColor);
// The pixel of the wheel of that Size where Hue lies at the radial value
// Radial (0..255).
ZVCOLOR_API POINT WINAPI ZvGetHSVPoint(int Size, int Hue, int Radial);
// A vertical gradient as a new Width x Height 24-bit bitmap, which the
// caller frees: row 0 is TopColor, and each further row one Height-th of the
// way closer to BottomColor. A Width or Height of 0 or less gives an empty
// bitmap.
ZVCOLOR_API forms::TBitmap* WINAPI ZvDrawBrightRect(int Width, int Height, TColor TopColor, TColor BottomColor);
