// The pictures of the colour dialog's custom page: the HSV colour wheel, the
// point of a colour on it, and the vertical two-colour bar. The bitmaps are
// new 24-bit objects of the form layer that the caller owns and frees.
//
// The geometry is computed in the x87 unit's 80-bit extended precision and
// rounded to the nearest integer with ties to even. The unit's mode is set
// for the length of each call, since the caller's process may have set it
// to fewer bits (the x64 system default is 53).
#include <cmath>
#include <cstdint>
#include <memory>

#include "Graphics.h"
#include "ZvColor.h"

using forms::TBitmap;

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// 64-bit mantissas and rounding to nearest while the object lives.
class TExtendedPrecision {
public:
    TExtendedPrecision() {
        __asm__ volatile("fnstcw %0" : "=m"(FSaved));
        // Precision control (bits 8-9) 11 = 64 bits; rounding control
        // (bits 10-11) 00 = nearest, ties to even.
        const unsigned short mode = static_cast<unsigned short>((FSaved & ~0x0F00u) | 0x0300u);
        __asm__ volatile("fldcw %0" : : "m"(mode));
    }
    ~TExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(FSaved)); }
    TExtendedPrecision(const TExtendedPrecision&) = delete;
    TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

private:
    unsigned short FSaved = 0;
};

// Round to nearest, ties to even, in the unit's current rounding mode.
int Round(long double X) { return static_cast<int>(std::lrintl(X)); }

// A new bitmap of the size; a size of 0 or less in either direction gives an
// empty one.
std::unique_ptr<TBitmap> NewBitmap(int Width, int Height) {
    auto bitmap = std::make_unique<TBitmap>();
    if (Width > 0 && Height > 0) bitmap->SetSize(Width, Height);
    return bitmap;
}

TRGBTriple* Row(TBitmap& Bitmap, int Y) { return reinterpret_cast<TRGBTriple*>(Bitmap.ScanLine(Y)); }

void FillRow(TRGBTriple* Row, int Width, TRGBTriple Color) {
    for (int x = 0; x < Width; ++x) Row[x] = Color;
}

// The bitmap that Draw makes, or, should that fail (a size the system has no
// memory for), an empty one: no exception leaves the library.
template <class F>
TBitmap* Deliver(F&& Draw) noexcept {
    try {
        return Draw().release();
    } catch (...) {
    }
    try {
        return new TBitmap();
    } catch (...) {
        return nullptr;
    }
}

// One channel of a bar row: from A at row 0 towards B, reached after N rows.
int LerpChannel(int A, int B, int N, int I) {
    if (B < A) return A - Round(static_cast<long double>(A - B) / N * I);
    return A + Round(static_cast<long double>(B - A) / N * I);
}

std::unique_ptr<TBitmap> DrawWheel(bool ValueMode, int Size, int Fixed, TColor BackColor) {
    auto bitmap = NewBitmap(Size, Size);
    if (bitmap->Empty()) return bitmap;
    // A system colour (the dialog's own face colour) is filled as its RGB value.
    const COLORREF back = forms::ColorToRGB(BackColor);
    const TRGBTriple ground = ZvRGBTriple(GetRValue(back), GetGValue(back), GetBValue(back));
    for (int y = 0; y < Size; ++y) FillRow(Row(*bitmap, y), Size, ground);
    // A wheel needs a radius of at least one pixel; smaller ones stay ground.
    const int rad = Size / 2;
    if (rad == 0) return bitmap;
    const std::int64_t rad2 = static_cast<std::int64_t>(rad) * rad;
    TExtendedPrecision precision;
    for (int y = 0; y < Size; ++y) {
        TRGBTriple* row = Row(*bitmap, y);
        const std::int64_t dy = y - rad;
        for (int x = 0; x < Size; ++x) {
            const std::int64_t dx = x - rad;
            const std::int64_t d2 = dx * dx + dy * dy;
            if (d2 > rad2) continue;
            const int radial = Round(std::sqrt(static_cast<long double>(d2)) * 255 / rad);
            // Hue 0 to the right, growing counter-clockwise on the screen;
            // the right-hand axis itself gives 360.
            const long double theta = std::atan2(static_cast<long double>(dx), static_cast<long double>(dy));
            int hue = Round((theta / kPi + 1) * 180) + 90;
            if (hue > 360) hue -= 360;
            row[x] = ValueMode ? ZvHSVRGBTriple(hue, Fixed, radial) : ZvHSVRGBTriple(hue, radial, Fixed);
        }
    }
    return bitmap;
}

std::unique_ptr<TBitmap> DrawBar(int Width, int Height, TColor TopColor, TColor BottomColor) {
    auto bitmap = NewBitmap(Width, Height);
    if (bitmap->Empty()) return bitmap;
    TExtendedPrecision precision;
    for (int i = 0; i < Height; ++i) {
        const int r = LerpChannel(ZvRed(TopColor), ZvRed(BottomColor), Height, i);
        const int g = LerpChannel(ZvGreen(TopColor), ZvGreen(BottomColor), Height, i);
        const int b = LerpChannel(ZvBlue(TopColor), ZvBlue(BottomColor), Height, i);
        FillRow(Row(*bitmap, i), Width,
                ZvRGBTriple(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)));
    }
    return bitmap;
}

}  // namespace

ZVCOLOR_API forms::TBitmap* WINAPI ZvDrawHSVCircle(bool ValueMode, int Size, int Fixed, TColor BackColor) {
    return Deliver([&] { return DrawWheel(ValueMode, Size, Fixed, BackColor); });
}

ZVCOLOR_API POINT WINAPI ZvGetHSVPoint(int Size, int Hue, int Radial) {
    TExtendedPrecision precision;
    const int rad = Size / 2;
    const int r = MulDiv(rad, Radial, 255);
    const double a = static_cast<double>(-Hue * kPi / 180);
    return POINT{rad + Round(std::cos(static_cast<long double>(a)) * r),
                 rad + Round(std::sin(static_cast<long double>(a)) * r)};
}

ZVCOLOR_API forms::TBitmap* WINAPI ZvDrawBrightRect(int Width, int Height, TColor TopColor, TColor BottomColor) {
    return Deliver([&] { return DrawBar(Width, Height, TopColor, BottomColor); });
}
