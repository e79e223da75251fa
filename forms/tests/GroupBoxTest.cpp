// Group boxes: the etched frame and the caption they draw, and the controls
// inside them working as on the form: clicks, ticks and the tab order.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "GroupBox.h"

using namespace forms;
using namespace testsupport;

namespace {

class GroupBoxTest : public FormFixture<> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        frm->SetBounds(200, 200, 320, 220);
        before = new TEdit(frm);
        before->SetBounds(10, 10, 80, 22);
        before->SetParent(frm);
        box = new TGroupBox(frm);
        box->SetCaption(" Numbers ");
        box->SetBounds(10, 40, 200, 120);
        box->SetParent(frm);
        inside = new TEdit(frm);
        inside->SetBounds(10, 20, 80, 22);
        inside->SetParent(box);
        button = new TButton(frm);
        button->SetCaption("Press");
        button->SetBounds(10, 50, 75, 25);
        button->SetParent(box);
        check = new TCheckBox(frm);
        check->SetCaption("Tick");
        check->SetBounds(10, 85, 100, 17);
        check->SetParent(box);
        ShowInFront(before);
    }

    COLORREF Pixel(int X, int Y) {
        HDC dc = GetDC(box->Handle());
        const COLORREF c = GetPixel(dc, X, Y);
        ReleaseDC(box->Handle(), dc);
        return c;
    }

    TEdit* before = nullptr;
    TGroupBox* box = nullptr;
    TEdit* inside = nullptr;
    TButton* button = nullptr;
    TCheckBox* check = nullptr;
};

TEST_F(GroupBoxTest, DrawsAnEtchedFrameWithTheCaptionInItsTopEdge) {
    HDC dc = GetDC(box->Handle());
    SelectObject(dc, box->Font.Handle());
    SIZE caption;
    GetTextExtentPoint32A(dc, " Numbers ", 9, &caption);
    ReleaseDC(box->Handle(), dc);
    const int line = caption.cy / 2;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Pixel(0, 100), shadow) << "the left edge";
    EXPECT_EQ(Pixel(box->Width() - 2, 100), shadow) << "the right edge";
    EXPECT_EQ(Pixel(100, box->Height() - 2), shadow) << "the bottom edge";
    EXPECT_EQ(Pixel(150, 100), face) << "the inside";
    EXPECT_EQ(Pixel(8 + caption.cx + 10, line), shadow) << "the top edge after the caption";
    int shadowUnderCaption = 0, text = 0;
    for (int x = 8; x < 8 + caption.cx; ++x) {
        shadowUnderCaption += Pixel(x, line) == shadow;
        for (int y = 0; y < caption.cy; ++y) text += Pixel(x, y) == GetSysColor(COLOR_BTNTEXT);
    }
    EXPECT_EQ(shadowUnderCaption, 0) << "the caption covers the top edge";
    EXPECT_GT(text, 20) << "the caption's letters";
}

TEST_F(GroupBoxTest, ControlsInsideTakeClicksAndTheFocus) {
    int clicks = 0;
    button->OnClick = [&](TComponent*) { ++clicks; };
    ClickOn(button->Handle());
    SettleInput();
    EXPECT_EQ(clicks, 1) << "a button inside the box";
    ClickOn(check->Handle());
    SettleInput();
    EXPECT_TRUE(check->Checked()) << "a check box inside the box";

    before->SetFocus();
    Press(VK_TAB);
    SettleInput();
    EXPECT_EQ(GetFocus(), inside->Handle()) << "Tab goes from the form's edit into the box";
    Press(VK_TAB);
    SettleInput();
    EXPECT_EQ(GetFocus(), button->Handle());
}

}  // namespace
