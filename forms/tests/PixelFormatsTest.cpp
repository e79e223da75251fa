// A bitmap's pixels converted to 1, 4, 8 and 15 bits and back to 24: the
// nearest colour of each palette against a plain search, rows of every
// width, and the conversion's own memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "PixelFormats.h"

using namespace forms;

namespace {

// The plain rule: the palette colour at the least squared distance, the
// first of equally near ones.
int NearestBySearch(TPixelFormat Format, int R, int G, int B) {
    int count;
    const RGBQUAD* palette = FormatPalette(Format, count);
    int best = INT_MAX, index = -1;
    for (int k = 0; k < count; ++k) {
        const int dr = R - palette[k].rgbRed, dg = G - palette[k].rgbGreen, db = B - palette[k].rgbBlue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best) best = d, index = k;
    }
    return index;
}

// Every colour of the cube checked against the plain search; the first few
// differences are told.
int Mismatches(TPixelFormat Format) {
    int wrong = 0;
    for (int c = 0; c < 1 << 24; ++c) {
        const int r = c >> 16, g = c >> 8 & 255, b = c & 255;
        const int table = NearestColorIndex(Format, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                            static_cast<std::uint8_t>(b));
        const int search = NearestBySearch(Format, r, g, b);
        if (table != search && ++wrong <= 5)
            ADD_FAILURE() << "colour " << r << "," << g << "," << b << ": table " << table << ", search " << search;
    }
    return wrong;
}

TEST(PixelFormats, TheTableFindsTheNearestPaletteColourOfEveryColour) {
    EXPECT_EQ(Mismatches(pf1bit), 0);
    EXPECT_EQ(Mismatches(pf4bit), 0);
    EXPECT_EQ(Mismatches(pf8bit), 0);
}

// The whole cube through the row conversions, in rows of an odd width so
// that the rows end amid a group of pixels: each pixel comes back as the
// palette colour of its nearest index.
TEST(PixelFormats, EveryColourComesBackFromARowAsItsNearestPaletteColour) {
    constexpr int kWidth = 4093;
    std::vector<std::uint8_t> bgr(3 * kWidth), row(kWidth + 4), back(3 * kWidth);
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit}) {
        int count, wrong = 0;
        const RGBQUAD* palette = FormatPalette(f, count);
        for (int first = 0; first < 1 << 24; first += kWidth) {
            const int width = std::min(kWidth, (1 << 24) - first);
            for (int x = 0; x < width; ++x) {
                const int c = first + x;
                bgr[3 * x] = static_cast<std::uint8_t>(c), bgr[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
                bgr[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
            }
            ReduceRow(bgr.data(), row.data(), f, width);
            ExpandRow(row.data(), f, back.data(), width);
            for (int x = 0; x < width; ++x) {
                const RGBQUAD& c = palette[NearestColorIndex(f, bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x])];
                const std::uint8_t* p = &back[3 * static_cast<size_t>(x)];
                if ((p[0] != c.rgbBlue || p[1] != c.rgbGreen || p[2] != c.rgbRed) && ++wrong <= 5)
                    ADD_FAILURE() << "format " << f << ", colour " << first + x << ": came back " << int(p[2]) << ","
                                  << int(p[1]) << "," << int(p[0]) << ", nearest " << int(c.rgbRed) << ","
                                  << int(c.rgbGreen) << "," << int(c.rgbBlue);
            }
        }
        EXPECT_EQ(wrong, 0) << "format " << f;
    }
}

// A row is converted into its own bytes only: the bytes after a reduced
// row's padding and after a widened row's last pixel keep what they held.
TEST(PixelFormats, ARowIsWrittenUpToItsEndAndNoFurther) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit})
        for (int width = 1; width <= 13; ++width) {
            const size_t padded = static_cast<size_t>((width * FormatBits(f) + 31) / 32 * 4);
            std::vector<std::uint8_t> bgr(3 * static_cast<size_t>(width) + 8, 0xA5), row(padded + 8, 0xA5);
            for (int i = 0; i < 3 * width; ++i) bgr[static_cast<size_t>(i)] = static_cast<std::uint8_t>(i * 77);
            ReduceRow(bgr.data(), row.data(), f, width);
            for (size_t i = padded; i < row.size(); ++i)
                EXPECT_EQ(row[i], 0xA5) << "format " << f << ", width " << width << ": reduced row's byte " << i;
            ExpandRow(row.data(), f, bgr.data(), width);
            for (size_t i = 3 * static_cast<size_t>(width); i < bgr.size(); ++i)
                EXPECT_EQ(bgr[i], 0xA5) << "format " << f << ", width " << width << ": widened row's byte " << i;
        }
}

TEST(PixelFormats, ThePalettesAreTheStandardOnesWithWhiteLast) {
    int count;
    const RGBQUAD* p = FormatPalette(pf4bit, count);
    ASSERT_EQ(count, 16);
    EXPECT_EQ(RGB(p[1].rgbRed, p[1].rgbGreen, p[1].rgbBlue), RGB(128, 0, 0)) << "maroon second";
    EXPECT_EQ(RGB(p[7].rgbRed, p[7].rgbGreen, p[7].rgbBlue), RGB(192, 192, 192)) << "silver";
    p = FormatPalette(pf8bit, count);
    ASSERT_EQ(count, 256);
    std::set<COLORREF> distinct;
    for (int k = 0; k < count; ++k) distinct.insert(RGB(p[k].rgbRed, p[k].rgbGreen, p[k].rgbBlue));
    EXPECT_EQ(distinct.size(), 256u) << "no colour twice";
    EXPECT_TRUE(distinct.count(RGB(51, 102, 153))) << "the colour cube";
    EXPECT_TRUE(distinct.count(RGB(128, 0, 0))) << "the standard colours";
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit}) {
        p = FormatPalette(f, count);
        EXPECT_EQ(RGB(p[count - 1].rgbRed, p[count - 1].rgbGreen, p[count - 1].rgbBlue), RGB(255, 255, 255)) << f;
        EXPECT_EQ(RGB(p[0].rgbRed, p[0].rgbGreen, p[0].rgbBlue), RGB(0, 0, 0)) << f;
    }
}

// A picture of W x H whose pixels run through many colours.
void Paint(TBitmap& B, int W, int H) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* p = B.ScanLine(y);
        for (int x = 0; x < W; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(x * 37 + y * 11);
            p[1] = static_cast<std::uint8_t>(x * 5 + y * 71);
            p[2] = static_cast<std::uint8_t>(x * 113 + y * 3 + 40);
        }
    }
}

COLORREF PixelAt(TBitmap& B, int X, int Y) {
    const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

// Each pixel of the picture after the trip through Format, against the
// colour its own rule gives: the palette's nearest, or five bits a channel.
void ExpectRoundTrip(TPixelFormat Format, int W, int H) {
    TBitmap original, b;
    Paint(original, W, H);
    b.Assign(original);
    b.SetPixelFormat(Format);
    EXPECT_EQ(b.PixelFormat(), Format);
    EXPECT_EQ(b.Width(), W);
    EXPECT_EQ(b.Height(), H);
    EXPECT_EQ(b.RowBytes(), (W * FormatBits(Format) + 31) / 32 * 4);
    BITMAP info;
    ASSERT_TRUE(GetObjectA(b.Handle(), sizeof info, &info));
    EXPECT_EQ(info.bmBitsPixel, FormatBits(Format)) << "the system's own bitmap has the format";
    b.SetPixelFormat(pf24bit);
    int count;
    const RGBQUAD* palette = FormatPalette(Format, count);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const COLORREF o = PixelAt(original, x, y);
            COLORREF expected;
            if (palette) {
                const RGBQUAD& c = palette[NearestBySearch(Format, GetRValue(o), GetGValue(o), GetBValue(o))];
                expected = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
            } else {
                auto five = [](int v) { return (v >> 3) << 3 | (v >> 3) >> 2; };
                expected = RGB(five(GetRValue(o)), five(GetGValue(o)), five(GetBValue(o)));
            }
            ASSERT_EQ(PixelAt(b, x, y), expected) << "format " << Format << ", " << W << " x " << H << ", pixel " << x
                                                 << "," << y;
        }
}

TEST(PixelFormats, EveryPixelOfEveryRowWidthGoesThereAndBack) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit}) {
        ExpectRoundTrip(f, 1, 9);
        ExpectRoundTrip(f, 9, 1);
        ExpectRoundTrip(f, 3, 5);
        ExpectRoundTrip(f, 33, 17);
    }
}

TEST(PixelFormats, AReducedPictureHasNoMoreColoursThanItsFormat) {
    struct Expect {
        TPixelFormat Format;
        size_t Colours;
    };
    for (const Expect e : {Expect{pf1bit, 2}, Expect{pf4bit, 16}, Expect{pf8bit, 256}}) {
        TBitmap b;
        Paint(b, 256, 256);
        b.SetPixelFormat(e.Format);
        b.SetPixelFormat(pf24bit);
        std::set<COLORREF> seen;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) seen.insert(PixelAt(b, x, y));
        EXPECT_LE(seen.size(), e.Colours) << "format " << e.Format;
        EXPECT_GE(seen.size(), e.Colours / 2) << "format " << e.Format << " uses its palette";
    }
    TBitmap b;
    Paint(b, 256, 256);
    b.SetPixelFormat(pf15bit);
    b.SetPixelFormat(pf24bit);
    std::set<int> levels[3];
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            for (int i = 0; i < 3; ++i) levels[i].insert(b.ScanLine(y)[3 * x + i]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(levels[i].size(), 32u) << "channel " << i;
}

TEST(PixelFormats, KnownColoursTakeTheirNearestNeighbours) {
    TBitmap b;
    b.SetSize(4, 1);
    const COLORREF in[4] = {RGB(100, 100, 100), RGB(128, 128, 128), RGB(130, 3, 0), RGB(3, 3, 3)};
    for (int x = 0; x < 4; ++x) b.Canvas().SetPixel(x, 0, static_cast<TColor>(in[x]));
    TBitmap mono, vga, full;
    mono.AssignConverted(b, pf1bit);
    vga.AssignConverted(b, pf4bit);
    full.AssignConverted(b, pf8bit);
    EXPECT_EQ(mono.Canvas().Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(mono.Canvas().Pixel(1, 0), RGB(255, 255, 255)) << "nearer to white by a hair";
    EXPECT_EQ(vga.Canvas().Pixel(2, 0), RGB(128, 0, 0));
    EXPECT_EQ(full.Canvas().Pixel(3, 0), RGB(2, 2, 2)) << "the darkest grey";
    EXPECT_EQ(b.PixelFormat(), pf24bit) << "the source is left as it was";
    EXPECT_EQ(b.Canvas().Pixel(3, 0), static_cast<TColor>(RGB(3, 3, 3)));
}

TEST(PixelFormats, ConvertingBackIntoABitmapOfThatSizeKeepsItsOwnPixels) {
    TBitmap picture, reduced;
    Paint(picture, 40, 30);
    const std::uint8_t* pixels = picture.ScanLine(0);
    const HBITMAP handle = picture.Handle();
    reduced.AssignConverted(picture, pf4bit);
    picture.AssignConverted(reduced, pf24bit);
    EXPECT_EQ(picture.Handle(), handle) << "no new bitmap was needed";
    EXPECT_EQ(picture.ScanLine(0), pixels);
    EXPECT_EQ(picture.PixelFormat(), pf24bit);
    TBitmap original;
    Paint(original, 40, 30);
    int count;
    const RGBQUAD* palette = FormatPalette(pf4bit, count);
    for (int x = 0; x < 40; ++x) {
        const COLORREF o = PixelAt(original, x, 29);
        const RGBQUAD& c = palette[NearestBySearch(pf4bit, GetRValue(o), GetGValue(o), GetBValue(o))];
        ASSERT_EQ(PixelAt(picture, x, 29), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue)) << x;
    }
}

TEST(PixelFormats, ANewBitmapOfAnyFormatStartsWhiteAndAnEmptyOneKeepsItsFormat) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit}) {
        TBitmap b;
        b.SetPixelFormat(f);
        EXPECT_TRUE(b.Empty());
        EXPECT_EQ(b.PixelFormat(), f);
        b.SetSize(7, 3);
        EXPECT_EQ(b.Canvas().Pixel(6, 2), RGB(255, 255, 255)) << "format " << f;
    }
}

TEST(PixelFormats, AFailedBitmapTellsWhy) {
    TBitmap b;
    SetLastError(ERROR_SUCCESS);
    try {
        b.SetSize(40000, 40000);
        ADD_FAILURE() << "a bitmap of 4.8 GB was made";
    } catch (const EOSError& e) {
        EXPECT_NE(e.ErrorCode, static_cast<DWORD>(ERROR_SUCCESS))
            << "a report of the failure must not say that all went well";
    }
}

TEST(PixelFormats, ALargeBitmapThatWentLendsItsPixelsToTheNextOfItsSize) {
    const std::uint8_t* pixels;
    {
        TBitmap first;
        first.SetSize(1000, 400);
        pixels = first.ScanLine(0);
        first.ScanLine(0)[0] = 0;
    }
    TBitmap other, next;
    other.SetSize(400, 1000);
    EXPECT_NE(other.ScanLine(0), pixels) << "another size takes new memory";
    next.SetSize(1000, 400);
    EXPECT_EQ(next.ScanLine(0), pixels) << "the same size takes the pixels of the one that went";
    EXPECT_EQ(next.Canvas().Pixel(0, 0), RGB(255, 255, 255)) << "and starts white all the same";
}

}  // namespace
