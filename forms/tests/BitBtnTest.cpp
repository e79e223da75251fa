// Buttons with a glyph: where the glyph and the caption are drawn (at the
// margin or centred together, the spacing between them), the pressed,
// focused and disabled looks, a changed glyph, a glyph that moves while the
// button has the focus, and the clicks of the mouse and the keys.
#include <gtest/gtest.h>

#include "BitBtn.h"
#include "FormFixture.h"

using namespace forms;
using namespace testsupport;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Magenta = 0xFF00FF;

class BitButtons : public FormFixture<> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        frm->SetBounds(200, 200, 300, 150);
        other = new TButton(frm);
        other->SetBounds(10, 80, 75, 25);
        other->SetParent(frm);
        button = new TBitBtn(frm);
        button->SetCaption("&Go");
        button->SetBounds(10, 10, 120, 30);
        button->OnClick = [this](TComponent*) { ++clicks; };
        // Red with a transparent bottom-left pixel and one transparent pixel
        // inside.
        Paint(Red);
        button->SetParent(frm);
        ShowInFront(other);
    }

    void Paint(TColor Color) {
        TBitmap& g = button->Glyph;
        g.SetSize(16, 16);
        g.Canvas().Brush.SetColor(Color);
        g.Canvas().FillRect(RECT{0, 0, 16, 16});
        g.Canvas().SetPixel(0, 15, Magenta);
        g.Canvas().SetPixel(8, 8, Magenta);
    }

    COLORREF Pixel(int X, int Y) {
        HDC dc = GetDC(button->Handle());
        const COLORREF c = GetPixel(dc, X, Y);
        ReleaseDC(button->Handle(), dc);
        return c;
    }
    // The leftmost column with the colour in the glyph's middle row, or -1.
    int LeftmostOf(COLORREF Color, int Row) {
        for (int x = 0; x < button->Width(); ++x)
            if (Pixel(x, Row) == Color) return x;
        return -1;
    }
    // The leftmost column of the caption: of the text colour, inside the
    // focus frame.
    int CaptionLeft() {
        const COLORREF text = GetSysColor(COLOR_BTNTEXT);
        for (int x = 6; x < button->Width() - 6; ++x)
            for (int y = 6; y < button->Height() - 6; ++y)
                if (Pixel(x, y) == text) return x;
        return -1;
    }
    int CountOf(COLORREF Color, const RECT& R) {
        int n = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x) n += Pixel(x, y) == Color;
        return n;
    }
    SIZE CaptionSize() {
        HDC dc = GetDC(button->Handle());
        HGDIOBJ old = SelectObject(dc, button->Font.Handle());
        RECT r = {0, 0, 0, 0};
        DrawTextA(dc, "&Go", -1, &r, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(button->Handle(), dc);
        return {r.right, r.bottom};
    }

    static constexpr int GlyphTop = (30 - 16) / 2;
    static constexpr int Middle = GlyphTop + 4;  // a row of the glyph clear of its inner transparent pixel
    TButton* other = nullptr;
    TBitBtn* button = nullptr;
    int clicks = 0;
};

TEST_F(BitButtons, TheGlyphSitsAtTheMarginOrCentredWithTheCaption) {
    const COLORREF red = ColorToRGB(Red), face = GetSysColor(COLOR_BTNFACE);
    const SIZE caption = CaptionSize();
    const int centred = (120 - (16 + button->Spacing() + caption.cx)) / 2;
    EXPECT_EQ(LeftmostOf(red, Middle), centred) << "glyph and caption centred together";
    EXPECT_EQ(Pixel(centred + 15, Middle), red) << "the glyph's right edge";
    EXPECT_EQ(Pixel(centred, GlyphTop + 15), face) << "the bottom-left colour shows the button face";
    EXPECT_EQ(Pixel(centred + 8, GlyphTop + 8), face) << "and so does that colour inside";
    const int textLeft = centred + 16 + button->Spacing();
    const RECT text = {textLeft, 0, textLeft + caption.cx, 30};
    EXPECT_GT(CountOf(GetSysColor(COLOR_BTNTEXT), text), 10) << "the caption right of the glyph";
    const RECT gap = {centred + 16, 0, textLeft, 30};
    EXPECT_EQ(CountOf(GetSysColor(COLOR_BTNTEXT), gap), 0) << "the spacing stays clear";

    button->SetMargin(6);
    SettleInput();
    EXPECT_EQ(LeftmostOf(red, Middle), 6);
    button->SetMargin(30);
    SettleInput();
    EXPECT_EQ(LeftmostOf(red, Middle), 30) << "a new margin moves the glyph";
    EXPECT_EQ(Pixel(20, Middle), face) << "and the old place is clear";

    Paint(Blue);
    button->Repaint();
    SettleInput();
    EXPECT_EQ(LeftmostOf(ColorToRGB(Blue), Middle), 30) << "the changed glyph shows after a repaint";
    EXPECT_EQ(LeftmostOf(red, Middle), -1);
}

TEST_F(BitButtons, TheSpacingSetsTheCaptionApartAndTheFocusEventsMoveTheGlyph) {
    const COLORREF red = ColorToRGB(Red);
    button->SetMargin(4);
    SettleInput();
    const int nearCaption = CaptionLeft();
    ASSERT_GE(nearCaption, 4 + 16 + 4) << "the caption starts after the default spacing";
    button->SetSpacing(14);
    SettleInput();
    EXPECT_EQ(CaptionLeft(), nearCaption + 10) << "ten pixels more spacing move the caption ten pixels right";
    EXPECT_EQ(LeftmostOf(red, Middle), 4) << "the glyph stays at the margin";

    // As a dialog has it: the focused button's glyph a pixel further right.
    button->OnEnter = [this](TComponent*) { button->SetMargin(button->Margin() + 1); };
    button->OnExit = [this](TComponent*) { button->SetMargin(button->Margin() - 1); };
    ToFront();
    Press(VK_TAB);
    SettleInput();
    ASSERT_EQ(GetFocus(), button->Handle()) << "Tab from the other button";
    EXPECT_EQ(LeftmostOf(red, Middle), 5) << "entered by Tab";
    EXPECT_EQ(CaptionLeft(), nearCaption + 11) << "the caption goes with the glyph";
    Press(VK_TAB);
    SettleInput();
    EXPECT_EQ(LeftmostOf(red, Middle), 4) << "left by Tab";
    ClickOn(button->Handle());
    SettleInput();
    EXPECT_EQ(LeftmostOf(red, Middle), 5) << "entered by a click";
    EXPECT_EQ(clicks, 1);
}

TEST_F(BitButtons, PressedSunkenFocusedFramedDisabledGrey) {
    const COLORREF red = ColorToRGB(Red), face = GetSysColor(COLOR_BTNFACE);
    button->SetMargin(10);
    SettleInput();
    const COLORREF raisedCorner = Pixel(0, 0);
    const RECT focusRow = {4, 4, button->Width() - 4, 5};
    EXPECT_EQ(CountOf(face, focusRow), button->Width() - 8) << "no focus frame without the focus";

    ToFront();
    MouseTo(CentreOf(button->Handle()));
    Mouse(MOUSEEVENTF_LEFTDOWN);
    SettleInput();
    EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW)) << "a pressed button is sunken";
    EXPECT_NE(Pixel(0, 0), raisedCorner);
    EXPECT_EQ(LeftmostOf(red, Middle + 1), 11) << "its glyph a pixel lower and to the right";
    Mouse(MOUSEEVENTF_LEFTUP);
    SettleInput();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Pixel(0, 0), raisedCorner) << "raised again";
    EXPECT_LT(CountOf(face, focusRow), button->Width() - 8) << "the focus frame of the clicked button";

    button->SetEnabled(false);
    SettleInput();
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(LeftmostOf(red, Middle), -1) << "no colour in a disabled glyph";
    EXPECT_EQ(LeftmostOf(grey, Middle), 10) << "the glyph in grey";
    const RECT text = {10 + 16 + button->Spacing(), 0, 120, 30};
    EXPECT_EQ(CountOf(GetSysColor(COLOR_BTNTEXT), text), 0) << "no caption in the text colour";
    EXPECT_GT(CountOf(grey, text), 10) << "the caption in grey";
}

TEST_F(BitButtons, ClicksKeysAndTheModalResultAreThoseOfAButton) {
    button->ModalResult = mrOk;
    button->Cancel = true;
    ClickOn(button->Handle());
    SettleInput();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(frm->ModalResult, mrOk) << "the click gives the form the modal result";
    PumpFor(static_cast<int>(GetDoubleClickTime()) + 100);

    Press(VK_SPACE);
    SettleInput();
    EXPECT_EQ(clicks, 2) << "Space on the focused button";

    // Two quick clicks are two presses, as on a plain button.
    ToFront();
    MouseTo(CentreOf(button->Handle()));
    for (int i = 0; i < 2; ++i) {
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Mouse(MOUSEEVENTF_LEFTUP);
    }
    SettleInput();
    EXPECT_EQ(clicks, 4) << "a double click presses twice";

    other->SetFocus();
    Press(VK_ESCAPE);
    SettleInput();
    EXPECT_EQ(clicks, 5) << "Escape presses the cancel button";
    PressAlt('G');
    SettleInput();
    EXPECT_EQ(clicks, 6) << "Alt and the underlined letter";
}

}  // namespace
