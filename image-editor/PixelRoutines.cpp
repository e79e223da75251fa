#include "PixelRoutines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

using forms::TBitmap;

namespace {

bool Workable(TBitmap& Bitmap) { return !Bitmap.Empty() && Bitmap.PixelFormat() == forms::pf24bit; }

// Round of the ramps: to the nearest integer, halves to even, as the x87
// unit rounds in its default mode.
long long Round(long double Value) { return std::llrintl(Value); }

using TChannelTable = std::array<std::uint8_t, 256>;

// The new value of every channel value for each ramp value g met so far:
// one table per distinct g, made when first needed.
class TRampTables {
public:
    explicit TRampTables(bool Lighten) : FLighten(Lighten) {}
    const std::uint8_t* For(long long G) {
        // Beyond these the low byte is meaningless anyway; the products stay
        // within 64 bits.
        G = std::clamp<long long>(G, -(1LL << 31), 1LL << 31);
        auto found = FTables.find(G);
        if (found != FTables.end()) return found->second.data();
        TChannelTable& t = FTables[G];
        for (long long c = 0; c < 256; ++c)
            t[static_cast<size_t>(c)] =
                static_cast<std::uint8_t>(FLighten ? c + (255 - c) * G / 110 : c - c * G / 110);
        return t.data();
    }

private:
    bool FLighten;
    std::map<long long, TChannelTable> FTables;  // the tables do not move while others are added
};

void Gradient(TBitmap& Bitmap, int Amount, double ColumnStep, double RowStep, bool Lighten) {
    if (!Workable(Bitmap)) return;
    Amount = std::clamp(Amount, -100, 100);
    const TExtendedPrecision precise;
    const int w = Bitmap.Width(), h = Bitmap.Height();
    TRampTables tables(Lighten);
    // The table of each column for the row base of the rows before: the
    // bases change seldom (never when RowStep is 0), the columns' values
    // only with them.
    std::vector<const std::uint8_t*> columns(static_cast<size_t>(w));
    bool uniform = false;
    long long base = 0;
    for (int y = 0; y < h; ++y) {
        const long long rowBase = Round(static_cast<long double>(y) * RowStep + Amount);
        if (y == 0 || rowBase != base) {
            base = rowBase;
            for (int x = 0; x < w; ++x)
                columns[static_cast<size_t>(x)] = tables.For(Round(static_cast<long double>(x) * ColumnStep + base));
            uniform = std::all_of(columns.begin(), columns.end(), [&](const std::uint8_t* t) { return t == columns[0]; });
        }
        std::uint8_t* p = Bitmap.ScanLine(y);
        if (uniform) {
            const std::uint8_t* t = columns[0];
            for (int i = 0; i < 3 * w; ++i) p[i] = t[p[i]];
            continue;
        }
        for (int x = 0; x < w; ++x, p += 3) {
            const std::uint8_t* t = columns[static_cast<size_t>(x)];
            p[0] = t[p[0]];
            p[1] = t[p[1]];
            p[2] = t[p[2]];
        }
    }
}

// The grey of every colour in integers: the weights in units of 2^-22
// (892007 + 2999598 + 302699 = 2^22), with half a unit for the rounding. It
// gives the grey of the extended arithmetic for every one of the 2^24
// colours, as the tests check.
struct TGreyWeights {
    std::uint32_t R[256], G[256], B[256];
    TGreyWeights() {
        for (std::uint32_t c = 0; c < 256; ++c) {
            R[c] = 892007 * c + (1u << 21);
            G[c] = 2999598 * c;
            B[c] = 302699 * c;
        }
    }
};

// Copies one pixel; Wide copies four bytes at once, when the byte after the
// pixel may be read (it lies in the picture) and written (the next pixel
// written takes it over).
inline void CopyPixel(std::uint8_t* D, const std::uint8_t* S, bool Wide) {
    if (Wide) {
        std::uint32_t v;
        std::memcpy(&v, S, 4);
        std::memcpy(D, &v, 4);
    } else {
        D[0] = S[0];
        D[1] = S[1];
        D[2] = S[2];
    }
}

// Moves the pixels of a flip: row i to row H - 1 - i when UpsideDown, pixel
// j of a row to W - 1 - j when Mirror.
void FlipBitmap(TBitmap& Source, TBitmap& Dest, bool Mirror, bool UpsideDown) {
    const int w = Source.Width(), h = Source.Height();
    for (int i = 0; i < h; ++i) {
        const std::uint8_t* s = Source.ScanLine(i);
        std::uint8_t* d = Dest.ScanLine(UpsideDown ? h - 1 - i : i);
        if (!Mirror) {
            std::memcpy(d, s, static_cast<size_t>(w) * 3);
            continue;
        }
        // Wide copies but for the pixels at the ends of the rows.
        const std::uint8_t* from = s + static_cast<size_t>(w - 1) * 3;
        CopyPixel(d, from, false);
        for (int j = 1; j < w - 1; ++j) CopyPixel(d + 3 * j, from - 3 * j, true);
        CopyPixel(d + static_cast<size_t>(w - 1) * 3, s, false);
    }
}

// Moves the pixels of a quarter turn: source pixel i of row b goes to row
// W - 1 - i, column b (Left) or to row i, column H - 1 - b. The work goes
// in square tiles, so that the rows of both bitmaps that a tile touches
// stay in the cache, and writes each row of a tile from left to right.
void RotateBitmap(TBitmap& Source, TBitmap& Dest, bool Left) {
    constexpr int kTile = 64;
    const int w = Source.Width(), h = Source.Height();
    const std::uint8_t* const source = Source.ScanLine(0);
    std::uint8_t* const dest = Dest.ScanLine(0);
    const std::ptrdiff_t sourceRow = Source.RowBytes(), destRow = Dest.RowBytes();
    // The source's last row, past whose pixels nothing may be read.
    const std::uint8_t* const lastRow = source + sourceRow * (h - 1);
    for (int r0 = 0; r0 < w; r0 += kTile)
        for (int c0 = 0; c0 < h; c0 += kTile) {
            const int r1 = std::min(w, r0 + kTile), c1 = std::min(h, c0 + kTile);
            for (int r = r0; r < r1; ++r) {
                // Destination pixel (c, r) is source pixel i of row b.
                const int i = Left ? w - 1 - r : r;
                const int b = Left ? c0 : h - 1 - c0;
                const std::uint8_t* s = source + sourceRow * b + 3 * i;
                const std::ptrdiff_t step = Left ? sourceRow : -sourceRow;
                std::uint8_t* d = dest + destRow * r + 3 * c0;
                for (int c = c0; c < c1; ++c, s += step, d += 3) CopyPixel(d, s, c + 1 < c1 && s < lastRow);
            }
        }
}

}  // namespace

TExtendedPrecision::TExtendedPrecision() {
    __asm__ volatile("fnstcw %0" : "=m"(FSaved));
    // Precision control 11 (64 bits), rounding control 00 (to nearest).
    const unsigned short extended = static_cast<unsigned short>((FSaved & ~0x0F00) | 0x0300);
    __asm__ volatile("fldcw %0" : : "m"(extended));
}

TExtendedPrecision::~TExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(FSaved)); }

void LightenGradient(TBitmap& Bitmap, int Amount, double ColumnStep, double RowStep) {
    Gradient(Bitmap, Amount, ColumnStep, RowStep, true);
}

void DarkenGradient(TBitmap& Bitmap, int Amount, double ColumnStep, double RowStep) {
    Gradient(Bitmap, Amount, ColumnStep, RowStep, false);
}

void ApplyBrightness(TBitmap& Bitmap, int Amount, int Style) {
    if (!Workable(Bitmap) || Style < 0 || Style > 4) return;
    Amount = std::clamp(Amount, -100, 100);
    const int b = std::abs(Amount);
    if (b == 0) return;  // every ramp value would be 0
    // The steps are quotients in extended arithmetic, passed on as doubles.
    const TExtendedPrecision precise;
    auto quotient = [b](int Size) { return static_cast<double>(static_cast<long double>(b) / Size); };
    int start = b;
    double columnStep = 0, rowStep = 0;
    switch (Style) {
    case 1: columnStep = -quotient(Bitmap.Width()); break;
    case 2: rowStep = -quotient(Bitmap.Height()); break;
    case 3: start = 0, columnStep = quotient(Bitmap.Width()); break;
    case 4: start = 0, rowStep = quotient(Bitmap.Height()); break;
    default: break;
    }
    Gradient(Bitmap, start, columnStep, rowStep, Amount > 0);
}

void ConvertToGrayscale(TBitmap& Bitmap) {
    if (!Workable(Bitmap)) return;
    static const TGreyWeights weights;
    const int w = Bitmap.Width();
    for (int y = 0; y < Bitmap.Height(); ++y) {
        std::uint8_t* p = Bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const std::uint8_t e = static_cast<std::uint8_t>((weights.R[p[2]] + weights.G[p[1]] + weights.B[p[0]]) >> 22);
            p[0] = p[1] = p[2] = e;
        }
    }
}

void ResizeBitmap(TBitmap& Bitmap, int Width, int Height, bool Stretch, forms::TColor Fill, TBitmap& Result) {
    Result.SetSize(Width, Height);
    forms::TCanvas& c = Result.Canvas();
    c.Brush.SetColor(Fill);
    c.Brush.SetClear(false);
    c.FillRect(RECT{0, 0, Width, Height});
    HDC source = Bitmap.Canvas().Handle();
    if (Stretch) {
        // The system's default mode ANDs the pixels that a shrink drops
        // into one, which darkens a colour picture.
        SetStretchBltMode(c.Handle(), COLORONCOLOR);
        StretchBlt(c.Handle(), 0, 0, Width, Height, source, 0, 0, Bitmap.Width(), Bitmap.Height(), SRCCOPY);
    } else {
        BitBlt(c.Handle(), 0, 0, Bitmap.Width(), Bitmap.Height(), source, 0, 0, SRCCOPY);
    }
}

void InvertColors(TBitmap& Bitmap) {
    if (!Workable(Bitmap)) return;
    const size_t bytes = static_cast<size_t>(Bitmap.Width()) * 3;
    for (int y = 0; y < Bitmap.Height(); ++y) {
        std::uint8_t* p = Bitmap.ScanLine(y);
        // Eight bytes at a time, then the rest of the row's pixels (not its
        // padding).
        size_t i = 0;
        for (; i + 8 <= bytes; i += 8) {
            std::uint64_t v;
            std::memcpy(&v, p + i, 8);
            v = ~v;
            std::memcpy(p + i, &v, 8);
        }
        for (; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
    }
}

std::unique_ptr<TBitmap> TransformBitmap(int Kind, TBitmap& Bitmap) {
    if (Kind < 1 || Kind > 5 || !Workable(Bitmap)) return nullptr;
    auto result = std::make_unique<TBitmap>();
    result->SetPixelFormat(Bitmap.PixelFormat());
    const bool quarter = Kind >= 4;
    result->SetSize(quarter ? Bitmap.Height() : Bitmap.Width(), quarter ? Bitmap.Width() : Bitmap.Height());
    if (quarter)
        RotateBitmap(Bitmap, *result, Kind == 4);
    else
        FlipBitmap(Bitmap, *result, Kind != 2, Kind != 1);
    return result;
}
