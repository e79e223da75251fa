// Conversions between RGB and HSV, in an integer form (hue 0..359 degrees,
// saturation, value and components 0..255) and a floating form (hue in
// degrees, everything else 0..1).
//
// The integer forms use the arithmetic of signed 32-bit integers: division
// and remainder truncate toward zero, and rounded quotients come from the
// system's MulDiv (64-bit product, halves rounded away from zero). Products
// and sums wrap modulo 2^32 instead of being undefined, so out-of-range
// inputs give the results of 32-bit two's-complement arithmetic.
//
// The floating forms round every step to a 64-bit double. On i686 this file
// is compiled with -msse2 -mfpmath=sse (see CMakeLists.txt), so that no
// intermediate result keeps the x87 unit's extra precision.
//
// Some inputs leave the outputs unwritten; those cases are named at each
// function, and callers rely on their variables keeping their contents.
#include <cstdint>
#include <cstring>

#include "ZvColor.h"

namespace {

std::int32_t Mul32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t Add32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t Sub32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// A not-a-number value by its bits: exponent all ones, fraction non-zero.
// Comparisons are not used for this, so the test cannot be optimised away.
bool IsNaNBits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint64_t exponent = bits & 0x7FF0000000000000ull;
    const std::uint64_t fraction = bits & 0x000FFFFFFFFFFFFFull;
    return exponent == 0x7FF0000000000000ull && fraction != 0;
}

// The six sectors of the hue circle, each 60 degrees wide: which of the
// value, p, q and t go to red, green and blue. Returns false (and writes
// nothing) for a sector outside 0..5.
template <typename T>
bool PickSector(int sector, T v, T p, T q, T t, T& R, T& G, T& B) {
    switch (sector) {
    case 0: R = v; G = t; B = p; return true;
    case 1: R = q; G = v; B = p; return true;
    case 2: R = p; G = v; B = t; return true;
    case 3: R = p; G = q; B = v; return true;
    case 4: R = t; G = p; B = v; return true;
    case 5: R = v; G = p; B = q; return true;
    default: return false;
    }
}

}  // namespace

// Integer HSV to RGB. S = 0 gives grey whatever the hue; a hue above 360
// (sector 6 or more) leaves R, G and B unwritten.
ZVCOLOR_API void WINAPI ZvHSVRGB(int H, int S, int V, int& R, int& G, int& B) {
    if (S == 0) {
        R = V;
        G = V;
        B = V;
        return;
    }
    if (H == 360) H = 0;
    const std::int32_t f = H % 60;
    const std::int32_t sector = H / 60;
    const std::int32_t vs = Mul32(V, S);
    const std::int32_t p = Sub32(V, vs / 255);
    const std::int32_t q = Sub32(V, Mul32(vs, f) / 15300);  // 15300 = 60 * 255
    const std::int32_t t = Sub32(V, Mul32(vs, Sub32(60, f)) / 15300);
    PickSector<int>(sector, V, p, q, t, R, G, B);
}

// Floating HSV to RGB. S = 0 gives grey only for a not-a-number hue, the
// hue of a colour without one; a grey with a defined hue writes nothing,
// and so does a hue whose sector lies outside 0..5 (above 360, at or below
// -60, or a not-a-number hue with S other than 0).
ZVCOLOR_API void WINAPI ZvHSVRGBDouble(double H, double S, double V, double& R, double& G, double& B) {
    if (S == 0.0) {
        if (IsNaNBits(H)) {
            R = V;
            G = V;
            B = V;
        }
        return;
    }
    if (H == 360.0) H = 0.0;
    const double h = H / 60.0;
    // h truncated toward zero lies in 0..5 exactly when -1 < h < 6; testing
    // the range first keeps a huge or not-a-number h from reaching the
    // conversion to an integer, which would be undefined.
    if (!(h > -1.0 && h < 6.0)) return;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = (1.0 - S) * V;
    const double q = (1.0 - S * f) * V;
    const double t = (1.0 - (1.0 - f) * S) * V;
    PickSector<double>(sector, V, p, q, t, R, G, B);
}

// The low bytes of the integer conversion. A hue above 360, for which the
// conversion writes nothing, gives black.
ZVCOLOR_API TRGBTriple WINAPI ZvHSVRGBTriple(int H, int S, int V) {
    int R = 0;
    int G = 0;
    int B = 0;
    ZvHSVRGB(H, S, V, R, G, B);
    return ZvRGBTriple(static_cast<BYTE>(R), static_cast<BYTE>(G), static_cast<BYTE>(B));
}

// Integer RGB to HSV. V, S and H are always written; a colour without hue
// (S = 0) has H = 0.
ZVCOLOR_API void WINAPI ZvRGBHSV(int R, int G, int B, int& H, int& S, int& V) {
    std::int32_t maxc = R;
    if (G > maxc) maxc = G;
    if (B > maxc) maxc = B;
    std::int32_t minc = R;
    if (G < minc) minc = G;
    if (B < minc) minc = B;
    const std::int32_t delta = Sub32(maxc, minc);
    V = maxc;
    // V = 0 is caught before MulDiv would divide by it; S != 0 implies delta != 0.
    const std::int32_t s = maxc == 0 ? 0 : MulDiv(delta, 255, maxc);
    S = s;
    if (s == 0) {
        H = 0;
        return;
    }
    // The first maximal component in the order red, green, blue decides;
    // where two are maximal their formulas agree.
    std::int32_t h;
    if (R == maxc)
        h = MulDiv(Sub32(G, B), 60, delta);
    else if (G == maxc)
        h = Add32(MulDiv(Sub32(B, R), 60, delta), 120);
    else
        h = Add32(MulDiv(Sub32(R, G), 60, delta), 240);
    if (h < 0) h = Add32(h, 360);
    H = h;
}

// Floating RGB to HSV. A colour without hue (S = 0) gets the not-a-number
// hue of ZvNaN. Comparisons are exact.
ZVCOLOR_API void WINAPI ZvRGBHSVDouble(double R, double G, double B, double& H, double& S, double& V) {
    double maxc = R;
    if (G > maxc) maxc = G;
    if (B > maxc) maxc = B;
    double minc = R;
    if (G < minc) minc = G;
    if (B < minc) minc = B;
    const double delta = maxc - minc;
    V = maxc;
    const double s = maxc == 0.0 ? 0.0 : delta / maxc;
    S = s;
    if (s == 0.0) {
        H = ZvNaN();
        return;
    }
    double h;
    if (R == maxc)
        h = (G - B) * 60.0 / delta;
    else if (G == maxc)
        h = (B - R) * 60.0 / delta + 120.0;
    else if (B == maxc)
        h = (R - G) * 60.0 / delta + 240.0;
    else
        return;  // no component equals the largest: only with not-a-number components; H stays unwritten
    if (!(h >= 0.0)) h = h + 360.0;
    H = h;
}

// ZvRGBHSV of the triple's red, green and blue bytes.
ZVCOLOR_API void WINAPI ZvRGBTripleHSV(TRGBTriple RGB, int& H, int& S, int& V) {
    ZvRGBHSV(RGB.rgbtRed, RGB.rgbtGreen, RGB.rgbtBlue, H, S, V);
}
