// Paint boxes: what OnPaint draws shows on the screen, and is painted anew
// after Invalidate.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "PaintBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

TEST(PaintBoxTest, OnPaintDrawsTheBoxAndDrawsItAgainAfterInvalidate) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 200, 150);
    auto* box = new TPaintBox(form);
    box->SetBounds(20, 20, 32, 32);
    box->SetParent(form);
    TColor colour = 0x0000FF;  // red
    int paints = 0;
    box->OnPaint = [&](TComponent*) {
        ++paints;
        TCanvas& c = box->Canvas();
        c.Brush.SetColor(colour);
        c.FillRect(RECT{0, 0, 16, 16});
    };
    form->Show();
    ToFront();
    Settle();
    POINT inside = {4, 4}, outside = {24, 24};
    ClientToScreen(box->Handle(), &inside);
    ClientToScreen(box->Handle(), &outside);
    EXPECT_GT(paints, 0);
    EXPECT_EQ(ScreenPixel(inside), static_cast<COLORREF>(0x0000FF));
    EXPECT_EQ(ScreenPixel(outside), GetSysColor(COLOR_BTNFACE)) << "the rest of the box stays the face";
    colour = 0xFF0000;  // blue
    const int before = paints;
    box->Invalidate();
    Settle();
    EXPECT_GT(paints, before) << "Invalidate paints again";
    EXPECT_EQ(ScreenPixel(inside), static_cast<COLORREF>(0xFF0000));
    Free(form);
}

}  // namespace
