// Pictures that show only their shape: the pixels of the see-through colour
// show what lies below and leave its clicks to it, the others show and take
// the clicks; drawing anew changes the shape.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

constexpr TColor Red = 0x0000FF;

class ImageShapes : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 300, 200);
        panel = new TPanel(form);
        panel->BevelOuter = bvNone;
        panel->SetColor(Red);
        panel->SetBounds(20, 20, 100, 100);
        panel->SetParent(form);
        panel->OnMouseDown = [this](TComponent*, TMouseButton, WPARAM, int, int) { ++panelClicks; };
        image = new TImage(form);
        image->SetBounds(40, 40, 19, 19);
        image->SetParent(panel);
        image->OnMouseDown = [this](TComponent*, TMouseButton, WPARAM, int, int) { ++imageClicks; };
        DrawCross(8);
        form->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    // A white square with a black cross whose bars are three pixels wide,
    // starting at column and row At.
    void DrawCross(int At) {
        TBitmap& b = image->Picture.Bitmap();
        b.SetSize(19, 19);
        TCanvas& c = b.Canvas();
        c.Brush.SetColor(clWhite);
        c.FillRect(RECT{0, 0, 19, 19});
        c.Brush.SetColor(clBlack);
        c.FillRect(RECT{At, 0, At + 3, 19});
        c.FillRect(RECT{0, At, 19, At + 3});
        image->Picture.Changed();
        Settle();
    }
    // A point of the picture on the screen.
    POINT At(int X, int Y) {
        POINT p = {X, Y};
        ClientToScreen(image->Handle(), &p);
        return p;
    }

    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TImage* image = nullptr;
    int panelClicks = 0, imageClicks = 0;
};

TEST_F(ImageShapes, AnOpaquePictureCoversWhatLiesBelow) {
    EXPECT_EQ(ScreenPixel(At(2, 2)), ColorToRGB(clWhite));
    EXPECT_EQ(ScreenPixel(At(9, 2)), ColorToRGB(clBlack));
    ClickAt(At(2, 2));
    Settle();
    EXPECT_EQ(imageClicks, 1);
    EXPECT_EQ(panelClicks, 0);
}

TEST_F(ImageShapes, ATransparentPictureShowsOnlyItsShape) {
    image->SetTransparent(true);
    Settle();
    EXPECT_EQ(ScreenPixel(At(2, 2)), ColorToRGB(Red)) << "the panel shows through the white ground";
    EXPECT_EQ(ScreenPixel(At(16, 16)), ColorToRGB(Red));
    EXPECT_EQ(ScreenPixel(At(9, 2)), ColorToRGB(clBlack)) << "the bars show";
    EXPECT_EQ(ScreenPixel(At(2, 9)), ColorToRGB(clBlack));
    ClickAt(At(2, 2));
    Settle();
    EXPECT_EQ(panelClicks, 1) << "a click on the ground goes to the panel";
    EXPECT_EQ(imageClicks, 0);
    ClickAt(At(9, 2));
    Settle();
    EXPECT_EQ(imageClicks, 1) << "a click on a bar goes to the picture";
}

TEST_F(ImageShapes, DrawingAnewChangesTheShape) {
    image->SetTransparent(true);
    DrawCross(2);
    EXPECT_EQ(ScreenPixel(At(3, 12)), ColorToRGB(clBlack)) << "the moved bar shows";
    EXPECT_EQ(ScreenPixel(At(9, 12)), ColorToRGB(Red)) << "where the old bar was, the panel shows";
    image->SetTransparent(false);
    Settle();
    EXPECT_EQ(ScreenPixel(At(9, 12)), ColorToRGB(clWhite)) << "opaque again";
}

}  // namespace
