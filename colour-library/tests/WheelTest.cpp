// The colour wheel, its points and the brightness bar: the worked examples,
// rounding ties, sizes too small for a wheel, system colours as ground, and
// bitmaps that this module frees although the library made them.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "Graphics.h"
#include "ZvColor.h"

namespace {

using Bitmap = std::unique_ptr<forms::TBitmap>;

struct Rgb {
    int R, G, B;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

Rgb PixelAt(forms::TBitmap& Bitmap, int X, int Y) {
    const auto* row = reinterpret_cast<const TRGBTriple*>(Bitmap.ScanLine(Y));
    return Rgb{row[X].rgbtRed, row[X].rgbtGreen, row[X].rgbtBlue};
}

Rgb Grey(int V) { return Rgb{V, V, V}; }

Rgb FromColor(COLORREF C) { return Rgb{GetRValue(C), GetGValue(C), GetBValue(C)}; }

std::string PointText(POINT P) {
    std::ostringstream os;
    os << "(" << P.x << ", " << P.y << ")";
    return os.str();
}

constexpr TColor kGround = 0x563412;  // red 0x12, green 0x34, blue 0x56

TEST(Wheel, Size147HasRedAtTheRightRimAndTheGroundInTheCorner) {
    Bitmap wheel(ZvDrawHSVCircle(true, 147, 255, kGround));
    ASSERT_TRUE(wheel);
    ASSERT_EQ(wheel->Width(), 147);
    ASSERT_EQ(wheel->Height(), 147);
    EXPECT_EQ(PixelAt(*wheel, 146, 73), (Rgb{255, 0, 0})) << "hue 360 at radial 255 is red";
    EXPECT_EQ(PixelAt(*wheel, 73, 73), Grey(0)) << "the centre has value 0";
    EXPECT_EQ(PixelAt(*wheel, 0, 0), (Rgb{0x12, 0x34, 0x56})) << "outside the disc the ground shows";
    EXPECT_EQ(PixelAt(*wheel, 146, 146), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(PixelAt(*wheel, 73, 0), (Rgb{128, 255, 0})) << "hue 90 at the top";
    EXPECT_EQ(PixelAt(*wheel, 0, 73), (Rgb{0, 255, 255})) << "hue 180 at the left";
    EXPECT_EQ(PixelAt(*wheel, 73, 146), (Rgb{128, 0, 255})) << "hue 270 at the bottom";
}

TEST(Wheel, WithoutValueModeTheRadiusCarriesSaturation) {
    Bitmap grey(ZvDrawHSVCircle(false, 147, 200, kGround));
    EXPECT_EQ(PixelAt(*grey, 73, 73), Grey(200)) << "the centre is grey at the fixed value";
    EXPECT_EQ(PixelAt(*grey, 146, 73), (Rgb{200, 0, 0}));
    Bitmap white(ZvDrawHSVCircle(false, 147, 255, kGround));
    EXPECT_EQ(PixelAt(*white, 73, 73), Grey(255)) << "the centre is white at value 255";
    EXPECT_EQ(PixelAt(*white, 146, 73), (Rgb{255, 0, 0}));
}

TEST(Wheel, RadialTiesRoundToEven) {
    // Radius 6: one pixel out is 255 / 6 = 42.5, three out 127.5, five out
    // 212.5; with saturation 0 each pixel is the grey of its radial value.
    Bitmap wheel(ZvDrawHSVCircle(true, 12, 0, kGround));
    EXPECT_EQ(PixelAt(*wheel, 7, 6), Grey(42));
    EXPECT_EQ(PixelAt(*wheel, 9, 6), Grey(128));
    EXPECT_EQ(PixelAt(*wheel, 11, 6), Grey(212));
    EXPECT_EQ(PixelAt(*wheel, 6, 5), Grey(42)) << "the same above the centre";
}

TEST(Wheel, SizesBelowTwoGiveTheGroundOnlyAndNonPositiveSizesAnEmptyBitmap) {
    Bitmap one(ZvDrawHSVCircle(true, 1, 255, kGround));
    ASSERT_TRUE(one);
    ASSERT_EQ(one->Width(), 1);
    ASSERT_EQ(one->Height(), 1);
    EXPECT_EQ(PixelAt(*one, 0, 0), (Rgb{0x12, 0x34, 0x56}));
    for (int size : {0, -5}) {
        Bitmap none(ZvDrawHSVCircle(false, size, 255, kGround));
        ASSERT_TRUE(none) << "size " << size;
        EXPECT_TRUE(none->Empty()) << "size " << size << ": expected an empty bitmap, got " << none->Width()
                                   << " x " << none->Height();
    }
    Bitmap two(ZvDrawHSVCircle(true, 2, 255, kGround));
    EXPECT_EQ(PixelAt(*two, 1, 1), Grey(0)) << "size 2 has a wheel of radius 1";
}

TEST(Wheel, SystemColourGroundIsItsCurrentRgbValue) {
    const TColor face = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
    Bitmap wheel(ZvDrawHSVCircle(true, 20, 255, face));
    EXPECT_EQ(PixelAt(*wheel, 0, 0), FromColor(GetSysColor(COLOR_BTNFACE)));
    const TColor highByte = 0x02563412;
    Bitmap other(ZvDrawHSVCircle(true, 20, 255, highByte));
    EXPECT_EQ(PixelAt(*other, 0, 0), (Rgb{0x12, 0x34, 0x56})) << "a high byte that is no system colour is dropped";
}

TEST(WheelPoint, TheWorkedPointsOfSize147) {
    struct Case {
        int Hue, Radial, X, Y;
    };
    for (const Case& c : {Case{0, 255, 146, 73}, Case{90, 255, 73, 0}, Case{180, 128, 36, 73},
                          Case{45, 255, 125, 21}, Case{270, 100, 73, 102}}) {
        const POINT p = ZvGetHSVPoint(147, c.Hue, c.Radial);
        EXPECT_TRUE(p.x == c.X && p.y == c.Y) << "hue " << c.Hue << ", radial " << c.Radial << ": expected ("
                                              << c.X << ", " << c.Y << "), got " << PointText(p);
    }
}

TEST(WheelPoint, PointsLieOnTheWheelPixelOfTheirHue) {
    Bitmap wheel(ZvDrawHSVCircle(true, 147, 255, kGround));
    for (int hue : {0, 60, 120, 200, 300}) {
        const POINT p = ZvGetHSVPoint(147, hue, 200);
        int h = -1, s = -1, v = -1;
        const Rgb px = PixelAt(*wheel, p.x, p.y);
        ZvRGBHSV(px.R, px.G, px.B, h, s, v);
        EXPECT_NEAR(h, hue, 2) << "hue " << hue << " at " << PointText(p) << " shows " << px;
        EXPECT_NEAR(v, 200, 3) << "radial 200 at " << PointText(p) << " shows " << px;
    }
}

TEST(BrightBar, WhiteToBlackStopsOneStepShortOfBlack) {
    Bitmap bar(ZvDrawBrightRect(19, 147, 0xFFFFFF, 0x000000));
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->Width(), 19);
    ASSERT_EQ(bar->Height(), 147);
    EXPECT_EQ(PixelAt(*bar, 0, 0), Grey(255));
    EXPECT_EQ(PixelAt(*bar, 18, 146), Grey(2)) << "255 - Round(255 / 147 * 146)";
    for (int y = 0; y < 147; ++y) {
        const Rgb first = PixelAt(*bar, 0, y);
        ASSERT_TRUE(first.R == first.G && first.G == first.B) << "row " << y << " is not grey: " << first;
        for (int x = 1; x < 19; ++x) ASSERT_EQ(PixelAt(*bar, x, y), first) << "row " << y << ", column " << x;
    }
}

TEST(BrightBar, RisingChannelsAndAFlatBar) {
    Bitmap up(ZvDrawBrightRect(3, 4, 0x000000, 0x0000FF));
    EXPECT_EQ(PixelAt(*up, 0, 1), (Rgb{64, 0, 0})) << "0 + Round(255 / 4 * 1) = 64 (63.75)";
    EXPECT_EQ(PixelAt(*up, 0, 2), (Rgb{128, 0, 0})) << "127.5 rounds to the even 128";
    EXPECT_EQ(PixelAt(*up, 0, 3), (Rgb{191, 0, 0}));
    Bitmap flat(ZvDrawBrightRect(5, 9, 0x336699, 0x336699));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(*flat, x, y), (Rgb{0x99, 0x66, 0x33})) << x << ", " << y;
}

TEST(BrightBar, EmptySizesGiveAnEmptyBitmap) {
    for (auto [w, h] : {std::pair{0, 147}, std::pair{19, 0}, std::pair{-3, 10}, std::pair{10, -3}}) {
        Bitmap bar(ZvDrawBrightRect(w, h, 0xFFFFFF, 0));
        ASSERT_TRUE(bar) << w << " x " << h;
        EXPECT_TRUE(bar->Empty()) << w << " x " << h << ": expected an empty bitmap, got " << bar->Width() << " x "
                                  << bar->Height();
    }
}

}  // namespace
