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
        const std::uint8_t* from = s + static_cast<size_t>(w - 1) * 3;
        for (int j = 0; j < w; ++j, d += 3, from -= 3) {
            d[0] = from[0];
            d[1] = from[1];
            d[2] = from[2];
        }
    }
}

// Moves the pixels of a quarter turn: source pixel i of row b goes to row
// W - 1 - i, column b (Left) or to row i, column H - 1 - b. The work goes
// in square tiles, so that the rows of both bitmaps that a tile touches
// stay in the cache.
void RotateBitmap(TBitmap& Source, TBitmap& Dest, bool Left) {
    constexpr int kTile = 64;
    const int w = Source.Width(), h = Source.Height();
    std::uint8_t* const source = Source.ScanLine(0);
    std::uint8_t* const dest = Dest.ScanLine(0);
    const std::ptrdiff_t sourceRow = Source.RowBytes(), destRow = Dest.RowBytes();
    // Where source pixel (0, b) lands, and how far the next pixel of that row
    // lands from it.
    const std::ptrdiff_t step = Left ? -destRow : destRow;
    for (int b0 = 0; b0 < h; b0 += kTile)
        for (int i0 = 0; i0 < w; i0 += kTile) {
            const int b1 = std::min(h, b0 + kTile), i1 = std::min(w, i0 + kTile);
            for (int b = b0; b < b1; ++b) {
                const std::uint8_t* s = source + sourceRow * b + 3 * i0;
                const int column = Left ? b : h - 1 - b;
                std::uint8_t* d = dest + destRow * (Left ? w - 1 - i0 : i0) + 3 * column;
                for (int i = i0; i < i1; ++i, s += 3, d += step) {
                    d[0] = s[0];
                    d[1] = s[1];
                    d[2] = s[2];
                }
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

void InvertColors(TBitmap& Bitmap) {
    if (!Workable(Bitmap)) return;
    const int bytes = Bitmap.Width() * 3;
    for (int y = 0; y < Bitmap.Height(); ++y) {
        std::uint8_t* p = Bitmap.ScanLine(y);
        for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
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
