// Bitmaps, canvases, fonts and icons over GDI.
#include <gtest/gtest.h>

#include <cstdint>

#include "Classes.h"
#include "Graphics.h"

using namespace forms;

namespace {

struct Bgr {
    int B, G, R;
    bool operator==(const Bgr& o) const { return B == o.B && G == o.G && R == o.R; }
};

Bgr PixelAt(TBitmap& Bitmap, int X, int Y) {
    const std::uint8_t* p = Bitmap.ScanLine(Y) + X * 3;
    return Bgr{p[0], p[1], p[2]};
}

std::ostream& operator<<(std::ostream& os, const Bgr& c) {
    return os << "(B " << c.B << ", G " << c.G << ", R " << c.R << ")";
}

TEST(Bitmap, NewBitmapIsWhite24BitWithPaddedRows) {
    TBitmap bmp;
    bmp.SetSize(5, 3);
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(bmp.RowBytes(), 16);
    EXPECT_EQ(bmp.ScanLine(1) - bmp.ScanLine(0), 16);
    BITMAP info;
    ASSERT_TRUE(GetObjectA(bmp.Handle(), sizeof info, &info));
    EXPECT_EQ(info.bmBitsPixel, 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(bmp, x, y), (Bgr{255, 255, 255}));
}

TEST(Bitmap, ASizeThatCannotBeHadLeavesThePictureAsItWas) {
    TBitmap bmp;
    bmp.SetSize(3, 2);
    bmp.Canvas().SetPixel(2, 1, 0x123456);
    EXPECT_THROW(bmp.SetSize(1 << 30, 1 << 30), Exception);
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.Canvas().Pixel(2, 1), 0x123456);
}

TEST(Bitmap, RowZeroIsTheTopRow) {
    TBitmap bmp;
    bmp.SetSize(4, 3);
    bmp.Canvas().Brush.SetColor(0x0000FF);  // red
    RECT top = {0, 0, 4, 1};
    bmp.Canvas().FillRect(top);
    EXPECT_EQ(PixelAt(bmp, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(bmp, 3, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(bmp, 0, 2), (Bgr{255, 255, 255})) << "the bottom row stays white";

    // And the other way: a byte written into the last scan line is the
    // bottom pixel that GDI reads.
    std::uint8_t* bottom = bmp.ScanLine(2);
    bottom[3] = 0x10;  // blue of pixel 1
    bottom[4] = 0x20;
    bottom[5] = 0x30;
    EXPECT_EQ(bmp.Canvas().Pixel(1, 2), 0x102030) << "red 0x30, green 0x20, blue 0x10";
}

TEST(Bitmap, ScanLineOutsideTheRowsRaises) {
    TBitmap bmp;
    bmp.SetSize(2, 2);
    EXPECT_THROW(bmp.ScanLine(2), Exception);
    EXPECT_THROW(bmp.ScanLine(-1), Exception);
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_THROW(empty.ScanLine(0), Exception);
}

TEST(Bitmap, CanvasDrawsOnTheNewPixelsAfterAResize) {
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.Canvas().SetPixel(0, 0, 0x00FF00);
    bmp.SetSize(6, 4);
    EXPECT_EQ(PixelAt(bmp, 0, 0), (Bgr{255, 255, 255})) << "a resized bitmap starts white";
    bmp.Canvas().Pen.SetColor(0xFF0000);  // blue
    bmp.Canvas().MoveTo(0, 3);
    bmp.Canvas().LineTo(6, 3);
    EXPECT_EQ(PixelAt(bmp, 5, 3), (Bgr{255, 0, 0}));
}

TEST(Canvas, ShapesUseThePenAndTheBrushAndLeaveTheRightAndBottomEdgesOut) {
    TBitmap bmp;
    bmp.SetSize(12, 12);
    TCanvas& c = bmp.Canvas();
    c.Pen.SetColor(clBlack);
    c.Brush.SetColor(0x0000FF);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(PixelAt(bmp, 0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(bmp, 9, 9), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(bmp, 5, 5), (Bgr{0, 0, 255})) << "filled with the brush";
    EXPECT_EQ(PixelAt(bmp, 10, 10), (Bgr{255, 255, 255}));
    c.Brush.SetClear(true);
    c.Ellipse(0, 0, 12, 12);
    EXPECT_EQ(PixelAt(bmp, 5, 5), (Bgr{0, 0, 255})) << "a clear brush fills nothing";
    EXPECT_EQ(PixelAt(bmp, 6, 0), (Bgr{0, 0, 0})) << "the ellipse's top";
}

TEST(Bitmap, DrawCopiesOneBitmapOntoAnother) {
    TBitmap src, dst;
    src.SetSize(2, 2);
    src.Canvas().SetPixel(1, 1, 0x123456);
    dst.SetSize(5, 5);
    dst.Canvas().Draw(2, 3, src);
    EXPECT_EQ(PixelAt(dst, 3, 4), (Bgr{0x12, 0x34, 0x56}));
    EXPECT_EQ(PixelAt(dst, 1, 1), (Bgr{255, 255, 255}));
}

TEST(Bitmap, AssignHandleCopiesAGdiBitmapAt24BitsOrLeavesThePictureAsItWas) {
    // A bitmap of the screen's own kind, as the clipboard hands them out: a
    // red ground with one blue pixel at (4, 1).
    HDC screen = GetDC(nullptr);
    HBITMAP source = CreateCompatibleBitmap(screen, 6, 3);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(source, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, source);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 6, 3};
    FillRect(dc, &all, red);
    DeleteObject(red);
    ::SetPixel(dc, 4, 1, RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);

    TBitmap bmp;
    bmp.SetPixelFormat(pf8bit);
    bmp.SetSize(2, 2);
    ASSERT_TRUE(bmp.AssignHandle(source));
    EXPECT_EQ(bmp.Width(), 6);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    GdiFlush();
    EXPECT_EQ(PixelAt(bmp, 4, 1), (Bgr{255, 0, 0}));
    EXPECT_EQ(PixelAt(bmp, 5, 2), (Bgr{0, 0, 255}));
    EXPECT_EQ(PixelAt(bmp, 0, 0), (Bgr{0, 0, 255}));

    EXPECT_FALSE(bmp.AssignHandle(nullptr));
    EXPECT_FALSE(bmp.AssignHandle(reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH)))) << "not a bitmap";
    EXPECT_EQ(bmp.Width(), 6) << "a failed copy keeps the picture";
    EXPECT_EQ(PixelAt(bmp, 4, 1), (Bgr{255, 0, 0}));
    DeleteObject(source);
}

TEST(Canvas, FontChangesTakeEffectOnTheNextCall) {
    TBitmap bmp;
    bmp.SetSize(10, 10);
    TCanvas& c = bmp.Canvas();
    c.Font.SetName("Tahoma");
    c.Font.SetSize(8);
    const int small = c.TextWidth("Mirolux");
    c.Font.SetSize(24);
    const int large = c.TextWidth("Mirolux");
    EXPECT_GT(large, small * 2);
    c.Font.SetStyle(fsBold);
    EXPECT_GT(c.TextWidth("Mirolux"), large);
}

TEST(Font, SizeInPointsAndHeightInPixelsAgree) {
    TFont f;
    HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -MulDiv(8, ppi, 72));
    EXPECT_EQ(f.Size(), 8);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), MulDiv(16, 72, ppi));

    TFont copy;
    f.SetName("Courier New");
    f.SetStyle(fsItalic | fsUnderline);
    copy.Assign(f);
    EXPECT_EQ(copy.Name(), "Courier New");
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Style(), fsItalic | fsUnderline);
    LOGFONTA lf = {};
    GetObjectA(copy.Handle(), sizeof lf, &lf);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
}

TEST(Colors, SystemColoursResolveAndPlainOnesPass) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(0x00ABCDEF), 0x00ABCDEFu);
}

TEST(Icon, SystemIconDrawsAndIsNotDestroyedWithThePicture) {
    HICON stop = LoadIconA(nullptr, IDI_HAND);
    {
        TPicture picture;
        int changes = 0;
        picture.OnChange = [&] { ++changes; };
        picture.SetIcon(stop, false);
        EXPECT_EQ(changes, 1);
        ASSERT_NE(picture.Graphic(), nullptr);
        TBitmap bmp;
        bmp.SetSize(32, 32);
        bmp.Canvas().Draw(0, 0, *picture.Graphic());
        int coloured = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (!(PixelAt(bmp, x, y) == Bgr{255, 255, 255})) ++coloured;
        EXPECT_GT(coloured, 100) << "the stop icon left too few pixels";
    }
    ICONINFO info;
    EXPECT_TRUE(GetIconInfo(stop, &info)) << "a shared system icon was destroyed";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
