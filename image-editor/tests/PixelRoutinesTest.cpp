// The pixel routines of the Image menu against plain per-pixel forms of
// their arithmetic: the brightness ramps with their ties and their extended
// precision, grey scale over every colour, inversion, flips and turns, on
// pictures of odd sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "PixelRoutines.h"

using forms::TBitmap;

namespace {

// A picture of W x H whose pixels differ from their neighbours in every
// channel.
void Paint(TBitmap& B, int W, int H) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* p = B.ScanLine(y);
        for (int x = 0; x < W; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(x * 7 + y * 13);
            p[1] = static_cast<std::uint8_t>(x * 31 + y * 3 + 90);
            p[2] = static_cast<std::uint8_t>(x * 5 + y * 57 + 200);
        }
    }
}

void Fill(TBitmap& B, int W, int H, std::uint8_t Value) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y) std::fill(B.ScanLine(y), B.ScanLine(y) + 3 * W, Value);
}

// Blue, green, red of a pixel as 0xRRGGBB.
int PixelAt(TBitmap& B, int X, int Y) {
    const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
    return p[2] << 16 | p[1] << 8 | p[0];
}

// The first pixel where two pictures differ, or "" when they are equal in
// size and every pixel.
std::string Difference(TBitmap& A, TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return "sizes " + std::to_string(A.Width()) + "x" + std::to_string(A.Height()) + " and " +
               std::to_string(B.Width()) + "x" + std::to_string(B.Height());
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (PixelAt(A, x, y) != PixelAt(B, x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(PixelAt(A, x, y)) +
                       " against " + std::to_string(PixelAt(B, x, y));
    return "";
}

// ---- The arithmetic as written, one pixel at a time ----------------------------

long long Round(long double V) { return std::llrintl(V); }

void PlainGradient(TBitmap& B, int Amount, double ColumnStep, double RowStep, bool Lighten) {
    const TExtendedPrecision precise;
    for (int y = 0; y < B.Height(); ++y) {
        const long long rowBase = Round(static_cast<long double>(y) * RowStep + Amount);
        for (int x = 0; x < B.Width(); ++x) {
            const long long g = Round(static_cast<long double>(x) * ColumnStep + rowBase);
            std::uint8_t* p = B.ScanLine(y) + 3 * x;
            for (int i = 0; i < 3; ++i) {
                const long long c = p[i];
                p[i] = static_cast<std::uint8_t>(Lighten ? c + (255 - c) * g / 110 : c - c * g / 110);
            }
        }
    }
}

void PlainBrightness(TBitmap& B, int Amount, int Style) {
    const TExtendedPrecision precise;
    const int b = std::abs(Amount);
    const double w = static_cast<double>(static_cast<long double>(b) / B.Width());
    const double h = static_cast<double>(static_cast<long double>(b) / B.Height());
    const struct {
        int Start;
        double Column, Row;
    } styles[5] = {{b, 0, 0}, {b, -w, 0}, {b, 0, -h}, {0, w, 0}, {0, 0, h}};
    PlainGradient(B, styles[Style].Start, styles[Style].Column, styles[Style].Row, Amount > 0);
}

int PlainGrey(int R, int G, int B) {
    const TExtendedPrecision precise;
    return static_cast<int>(Round(0.212671L * R + 0.71516L * G + 0.072169L * B));
}

// Where pixel (X, Y) of a W x H picture lands in a flip or turn of Kind.
POINT PlainPlace(int Kind, int X, int Y, int W, int H) {
    switch (Kind) {
    case 1: return {W - 1 - X, Y};
    case 2: return {X, H - 1 - Y};
    case 3: return {W - 1 - X, H - 1 - Y};
    case 4: return {Y, W - 1 - X};
    default: return {H - 1 - Y, X};
    }
}

// ---- Brightness -----------------------------------------------------------------

TEST(Brightness, TheStrongestAmountMovesAChannelTenEleventhsOfTheWay) {
    TBitmap b;
    Fill(b, 3, 2, 0);
    ApplyBrightness(b, 100, 0);
    EXPECT_EQ(PixelAt(b, 2, 1), 0xE7E7E7) << "231 in each channel";
    Fill(b, 3, 2, 255);
    ApplyBrightness(b, -100, 0);
    EXPECT_EQ(PixelAt(b, 0, 0), 0x181818) << "24 in each channel";
}

TEST(Brightness, TheRampsEndsAndTiesRoundHalvesToEven) {
    TBitmap b;
    Fill(b, 200, 2, 0);
    ApplyBrightness(b, 100, 1);  // left to right
    EXPECT_EQ(PixelAt(b, 0, 0) & 0xFF, 231) << "g = 100 at the left column";
    EXPECT_EQ(PixelAt(b, 199, 1) & 0xFF, 0) << "g = Round(0.5) = 0 at the right column";
    EXPECT_EQ(PixelAt(b, 1, 0) & 0xFF, 231) << "g = Round(99.5) = 100, the even neighbour";
    EXPECT_EQ(PixelAt(b, 3, 0) & 0xFF, 255 * 98 / 110) << "g = Round(98.5) = 98";

    Fill(b, 2, 200, 0);
    ApplyBrightness(b, 100, 4);  // bottom to top
    EXPECT_EQ(PixelAt(b, 0, 197) & 0xFF, 255 * 98 / 110) << "g = Round(98.5) = 98";
    EXPECT_EQ(PixelAt(b, 1, 199) & 0xFF, 231) << "g = Round(99.5) = 100";
    EXPECT_EQ(PixelAt(b, 0, 0) & 0xFF, 0) << "g = 0 at the top row";
}

TEST(Brightness, TheRampIsSummedInExtendedPrecisionWhateverTheThreadHadSet) {
    // Hold the x87 unit at 53 bits, as some systems start their threads.
    unsigned short before, held = 0x027F, after;
    __asm__ volatile("fnstcw %0" : "=m"(before));
    __asm__ volatile("fldcw %0" : : "m"(held));
    TBitmap b;
    Fill(b, 6, 1, 0);
    // Left to right, b = 1, W = 6: the step -1/6 as a double gives at x = 3
    // a sum of 0.50000000000000002776 in extended precision (g = 1), and
    // exactly 0.5 in double precision (g = 0).
    ApplyBrightness(b, 1, 1);
    TBitmap c;
    Fill(c, 1, 10, 0);
    // Bottom to top, b = 1, H = 10: at y = 5 likewise.
    ApplyBrightness(c, 1, 4);
    __asm__ volatile("fnstcw %0" : "=m"(after));
    __asm__ volatile("fldcw %0" : : "m"(before));
    EXPECT_EQ(PixelAt(b, 3, 0) & 0xFF, 2) << "g = 1 lightens black to 255 div 110";
    EXPECT_EQ(PixelAt(c, 0, 5) & 0xFF, 2);
    EXPECT_EQ(after, held) << "the thread's own setting is back";

    {
        const TExtendedPrecision precise;
        volatile long double one = 1, tiny = 1.0L / (1LL << 62);
        EXPECT_NE(one + tiny * 2, one) << "a 64-bit mantissa holds 1 + 2^-61";
    }
}

TEST(Brightness, EveryStyleAndAmountGivesThePixelsOfThePlainArithmetic) {
    for (auto [w, h] : {std::pair{1, 9}, std::pair{9, 1}, std::pair{3, 5}, std::pair{200, 7}, std::pair{7, 111}}) {
        for (int style = 0; style <= 4; ++style)
            for (int amount : {-100, -37, -1, 1, 3, 50, 99, 100}) {
                TBitmap fast, plain;
                Paint(fast, w, h);
                Paint(plain, w, h);
                ApplyBrightness(fast, amount, style);
                PlainBrightness(plain, amount, style);
                ASSERT_EQ(Difference(fast, plain), "")
                    << w << " x " << h << ", style " << style << ", amount " << amount;
            }
    }
    // Both steps at once, which no style uses: the row base and the column
    // ramp together.
    TBitmap fast, plain;
    Paint(fast, 37, 23);
    Paint(plain, 37, 23);
    LightenGradient(fast, 20, 0.37, -1.3);
    PlainGradient(plain, 20, 0.37, -1.3, true);
    EXPECT_EQ(Difference(fast, plain), "");
    DarkenGradient(fast, -7, -2.5, 0.5);
    PlainGradient(plain, -7, -2.5, 0.5, false);
    EXPECT_EQ(Difference(fast, plain), "");
}

TEST(Brightness, AmountsBeyondAHundredAreClampedAndOddInputsChangeNothing) {
    TBitmap beyond, hundred;
    Paint(beyond, 5, 4);
    Paint(hundred, 5, 4);
    ApplyBrightness(beyond, 250, 1);
    ApplyBrightness(hundred, 100, 1);
    EXPECT_EQ(Difference(beyond, hundred), "");
    ApplyBrightness(beyond, -1000, 0);
    ApplyBrightness(hundred, -100, 0);
    EXPECT_EQ(Difference(beyond, hundred), "");

    TBitmap same, original;
    Paint(same, 5, 4);
    Paint(original, 5, 4);
    ApplyBrightness(same, 0, 2);
    ApplyBrightness(same, 40, 5);
    ApplyBrightness(same, 40, -1);
    EXPECT_EQ(Difference(same, original), "") << "amount 0 and styles outside 0..4 leave every pixel";

    TBitmap empty;
    ApplyBrightness(empty, 50, 1);
    ApplyBrightness(empty, 50, 2);
    ConvertToGrayscale(empty);
    InvertColors(empty);
    EXPECT_TRUE(empty.Empty()) << "an empty picture is left alone";
    EXPECT_EQ(TransformBitmap(4, empty), nullptr);
}

// ---- Grey scale and inversion ----------------------------------------------------

TEST(Grayscale, EveryColourTakesTheGreyOfTheExtendedArithmetic) {
    TBitmap red;
    Fill(red, 1, 1, 0);
    red.ScanLine(0)[2] = 255;
    ConvertToGrayscale(red);
    EXPECT_EQ(PixelAt(red, 0, 0), 0x363636) << "Round(54.231105) = 54";
    TBitmap white;
    Fill(white, 3, 1, 255);
    ConvertToGrayscale(white);
    EXPECT_EQ(PixelAt(white, 2, 0), 0xFFFFFF);

    // All 2^24 colours, pixel x + 4096 y holding colour 0xRRGGBB = x + 4096 y.
    TBitmap all;
    all.SetSize(4096, 4096);
    for (int y = 0; y < 4096; ++y) {
        std::uint8_t* p = all.ScanLine(y);
        for (int x = 0; x < 4096; ++x, p += 3) {
            const int c = x + 4096 * y;
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c >> 16);
        }
    }
    ConvertToGrayscale(all);
    const TExtendedPrecision precise;
    int wrong = 0;
    for (int y = 0; y < 4096; ++y) {
        const std::uint8_t* p = all.ScanLine(y);
        for (int x = 0; x < 4096; ++x, p += 3) {
            const int c = x + 4096 * y;
            const int e = static_cast<int>(
                std::llrintl(0.212671L * (c >> 16) + 0.71516L * (c >> 8 & 255) + 0.072169L * (c & 255)));
            if ((p[0] != e || p[1] != e || p[2] != e) && ++wrong <= 5)
                ADD_FAILURE() << "colour " << std::hex << c << std::dec << ": grey " << int(p[0]) << " against " << e;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(PlainGrey(255, 0, 0), 54);
}

TEST(Grayscale, OddWidthsLeaveThePaddingAndTheNeighboursAlone) {
    for (auto [w, h] : {std::pair{1, 7}, std::pair{7, 1}, std::pair{3, 5}}) {
        TBitmap b;
        Paint(b, w, h);
        TBitmap original;
        original.Assign(b);
        ConvertToGrayscale(b);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int o = PixelAt(original, x, y);
                const int e = PlainGrey(o >> 16, o >> 8 & 255, o & 255);
                ASSERT_EQ(PixelAt(b, x, y), e * 0x010101) << w << " x " << h << ", pixel " << x << "," << y;
            }
    }
}

TEST(InvertColors, EveryChannelTurnsAroundAndTwiceRestores) {
    TBitmap b, original;
    Paint(b, 3, 5);
    original.Assign(b);
    InvertColors(b);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) ASSERT_EQ(PixelAt(b, x, y), 0xFFFFFF - PixelAt(original, x, y)) << x << "," << y;
    InvertColors(b);
    EXPECT_EQ(Difference(b, original), "");
}

// ---- Flips and turns --------------------------------------------------------------

TEST(TransformBitmap, EveryPixelLandsWhereTheKindPutsIt) {
    // 130 x 67 spans several tiles of the turns, with partial ones at the edges.
    for (auto [w, h] : {std::pair{1, 9}, std::pair{9, 1}, std::pair{3, 5}, std::pair{130, 67}}) {
        TBitmap source;
        Paint(source, w, h);
        for (int kind = 1; kind <= 5; ++kind) {
            const std::unique_ptr<TBitmap> result = TransformBitmap(kind, source);
            ASSERT_NE(result, nullptr);
            const bool quarter = kind >= 4;
            ASSERT_EQ(result->Width(), quarter ? h : w) << "kind " << kind;
            ASSERT_EQ(result->Height(), quarter ? w : h) << "kind " << kind;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const POINT p = PlainPlace(kind, x, y, w, h);
                    ASSERT_EQ(PixelAt(*result, p.x, p.y), PixelAt(source, x, y))
                        << w << " x " << h << ", kind " << kind << ", source pixel " << x << "," << y;
                }
        }
    }
}

TEST(TransformBitmap, TurnsAndFlipsUndoEachOther) {
    TBitmap source;
    Paint(source, 300, 200);
    auto twice = [&](int First, int Second) {
        const auto once = TransformBitmap(First, source);
        return TransformBitmap(Second, *once);
    };
    EXPECT_EQ(Difference(*twice(1, 1), source), "") << "mirror twice";
    EXPECT_EQ(Difference(*twice(4, 5), source), "") << "left then right, size and all";
    const auto left = TransformBitmap(4, source);
    EXPECT_EQ(left->Width(), 200);
    EXPECT_EQ(left->Height(), 300);
    EXPECT_EQ(PixelAt(*left, 0, 299), PixelAt(source, 0, 0)) << "the top-left corner lands bottom-left";
    const auto right = TransformBitmap(5, source);
    EXPECT_EQ(PixelAt(*right, 199, 0), PixelAt(source, 0, 0)) << "the top-left corner lands top-right";
    EXPECT_EQ(Difference(*twice(1, 2), *TransformBitmap(3, source)), "") << "the half turn is mirror and upside down";
    EXPECT_EQ(TransformBitmap(0, source), nullptr);
    EXPECT_EQ(TransformBitmap(6, source), nullptr);
    EXPECT_EQ(source.Width(), 300) << "the source is left as it was";
}

}  // namespace
