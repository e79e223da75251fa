// Tool bars: buttons clicked with the mouse, check and grouped buttons,
// disabled buttons and their greyed glyphs, the drop-down arrow's menu, and
// a hint per button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "Forms.h"
#include "TestSupport.h"
#include "ToolBar.h"

using namespace forms;
using namespace testsupport;

namespace {

BOOL CALLBACK FindMenu(HWND Wnd, LPARAM Found) {
    char cls[16];
    GetClassNameA(Wnd, cls, sizeof cls);
    if (std::string(cls) == "#32768" && IsWindowVisible(Wnd)) *reinterpret_cast<bool*>(Found) = true;
    return TRUE;
}

class ToolBars : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(120, 120, 360, 160);
        form->SetShowHint(true);
        auto* images = new TImageList(form);
        for (TColor c : {0x0000FF, 0x00FF00}) {
            auto b = std::make_unique<TBitmap>();
            b->SetSize(16, 16);
            b->Canvas().Brush.SetColor(c);
            b->Canvas().FillRect(RECT{0, 0, 16, 16});
            b->Canvas().SetPixel(0, 15, 0xFF00FF);
            images->Add(std::move(b));
        }
        bar = new TToolBar(form);
        bar->Images = images;
        bar->SetBounds(0, 0, 360, 28);
        bar->SetAlign(alTop);
        bar->SetParent(form);
        plain = Button(tbsButton, 0, "New|Creates a new screen");
        check = Button(tbsCheck, 1, "Grid");
        Button(tbsSeparator, -1, "");
        groupA = Button(tbsGroup, 0, "Pencil");
        groupB = Button(tbsGroup, 1, "Eraser");
        disabled = Button(tbsButton, 0, "Off");
        disabled->SetEnabled(false);
        menu = new TPopupMenu(form);
        auto* item = new TMenuItem(form);
        item->Caption = "&Full screen";
        menu->Add(item);
        drop = Button(tbsDropDown, 1, "Capture");
        drop->DropdownMenu = menu;
        form->Show();
        PumpFor(100);
    }
    void TearDown() override { Free(form); }

    TToolButton* Button(TToolButtonStyle Style, int Image, const char* Hint) {
        auto* b = new TToolButton(form);
        b->Style = Style;
        b->ImageIndex = Image;
        b->Hint = Hint;
        b->OnClick = [this, b](TComponent*) { clicked.push_back(b); };
        bar->Add(b);
        return b;
    }

    void Click(TToolButton* B) {
        ClickAt(CentreOf(bar->ButtonRect(B)));
        PumpFor(150);
    }

    TForm* form = nullptr;
    TToolBar* bar = nullptr;
    TPopupMenu* menu = nullptr;
    TToolButton *plain, *check, *groupA, *groupB, *disabled, *drop;
    std::vector<TToolButton*> clicked;
};

TEST_F(ToolBars, ButtonsClickCheckAndGroupAndDisabledOnesStayStill) {
    Click(plain);
    Click(disabled);
    Click(check);
    ASSERT_EQ(clicked, (std::vector<TToolButton*>{plain, check}));
    EXPECT_TRUE(check->Down());
    Click(check);
    EXPECT_FALSE(check->Down());

    Click(groupA);
    EXPECT_TRUE(groupA->Down());
    Click(groupB);
    EXPECT_TRUE(groupB->Down());
    EXPECT_FALSE(groupA->Down()) << "one button of a group at a time";
    Click(groupB);
    EXPECT_TRUE(groupB->Down()) << "a pressed group button stays in";
    EXPECT_TRUE(SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, 5, 0)) << "the bar shows what the button holds";
}

TEST_F(ToolBars, TheDropDownArrowOpensTheButtonsMenu) {
    bool opened = false;
    Later(form, [&] {
        EnumWindows(&FindMenu, reinterpret_cast<LPARAM>(&opened));
        Press(VK_ESCAPE);
    }, 300);
    const RECT r = bar->ButtonRect(drop);
    ClickAt(POINT{r.right - 4, (r.top + r.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return opened; }, 3000)) << "no menu opened under the arrow";
}

TEST_F(ToolBars, EachButtonHasItsOwnHint) {
    MouseTo(POINT{10, 10});
    PumpFor(100);
    MouseTo(CentreOf(bar->ButtonRect(plain)));
    EXPECT_TRUE(PumpUntil([] { return Application->Hint() == "New|Creates a new screen"; }, 2000))
        << "got \"" << Application->Hint() << "\"";
    MouseTo(CentreOf(bar->ButtonRect(groupB)));
    EXPECT_TRUE(PumpUntil([] { return Application->Hint() == "Eraser"; }, 2000)) << "got \"" << Application->Hint() << "\"";
}

TEST_F(ToolBars, HiddenButtonsMakeRoomAndControlsSitOnTheirSeparators) {
    const RECT before = bar->ButtonRect(disabled);
    check->SetVisible(false);
    PumpFor(50);
    const RECT after = bar->ButtonRect(disabled);
    EXPECT_LT(after.left, before.left) << "the buttons after a hidden one move up";

    auto* panel = new TPanel(form);
    panel->SetBounds(0, 0, 70, 20);
    auto* holder = new TToolButton(form);
    holder->Style = tbsSeparator;
    holder->Control = panel;
    bar->Add(holder);
    PumpFor(50);
    RECT slot = bar->ButtonRect(holder), shown;
    GetWindowRect(panel->Handle(), &shown);
    EXPECT_EQ(slot.right - slot.left, 70) << "the separator is as wide as its control";
    EXPECT_EQ(shown.left, slot.left);
    holder->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(panel->Handle())) << "the control hides with its place";
}

TEST_F(ToolBars, AWrappingButtonEndsItsLine) {
    auto* lines = new TToolBar(form);
    lines->Images = bar->Images;
    lines->ButtonWidth = 22;
    lines->ButtonHeight = 22;
    lines->SetBounds(0, 40, 100, 60);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 6; ++i) {
        buttons.push_back(new TToolButton(form));
        buttons.back()->ImageIndex = i % 2;
        buttons.back()->Wrap = i == 3;
        lines->Add(buttons.back());
    }
    lines->SetParent(form);
    PumpFor(50);
    const RECT first = lines->ButtonRect(buttons[0]), fourth = lines->ButtonRect(buttons[3]),
               fifth = lines->ButtonRect(buttons[4]);
    EXPECT_EQ(fourth.top, first.top);
    EXPECT_EQ(fifth.left, first.left) << "the fifth button starts the second line";
    EXPECT_GT(fifth.top, first.top);
}

// A disabled button shows its glyph in greys that keep its shape: a dark
// book with a light sign on it is not one grey square.
TEST_F(ToolBars, ADisabledGlyphIsGreyedWithItsLightAndDarkParts) {
    auto* pictures = new TImageList(form);
    auto book = std::make_unique<TBitmap>();
    book->SetSize(16, 16);
    book->Canvas().Brush.SetColor(0xFF00FF);
    book->Canvas().FillRect(RECT{0, 0, 16, 16});
    book->Canvas().Brush.SetColor(0x800000);  // navy
    book->Canvas().FillRect(RECT{1, 1, 15, 15});
    book->Canvas().Brush.SetColor(0x00FFFF);  // yellow
    book->Canvas().FillRect(RECT{5, 5, 11, 11});
    pictures->Add(std::move(book));
    auto* help = new TToolBar(form);
    help->Images = pictures;
    help->SetBounds(0, 60, 100, 28);
    auto* button = new TToolButton(form);
    button->ImageIndex = 0;
    help->Add(button);
    button->SetEnabled(false);
    help->SetParent(form);
    MouseTo(POINT{2, 2});
    PumpFor(150);

    // The glyph is where the button's pixels differ from its face.
    const RECT r = help->ButtonRect(button);
    const COLORREF face = ScreenPixel(POINT{r.left + 1, r.top + 1});
    RECT glyph = {r.right, r.bottom, r.left, r.top};
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            if (ScreenPixel(POINT{x, y}) != face)
                glyph = {std::min(glyph.left, x), std::min(glyph.top, y), std::max(glyph.right, x + 1),
                         std::max(glyph.bottom, y + 1)};
    ASSERT_LT(glyph.left, glyph.right) << "the disabled button shows no glyph at all";
    const COLORREF edge = ScreenPixel(POINT{glyph.left + 2, glyph.top + 2});
    const COLORREF sign = ScreenPixel(POINT{glyph.left + 7, glyph.top + 7});
    auto grey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };
    EXPECT_TRUE(grey(edge) && grey(sign)) << "expected greys, got 0x" << std::hex << edge << " and 0x" << sign;
    EXPECT_LT(GetRValue(edge), GetRValue(face)) << "the dark book shows darker than the face";
    EXPECT_GT(GetRValue(sign), GetRValue(edge) + 64) << "the light sign shows much lighter than the book";

    button->SetEnabled(true);
    PumpFor(150);
    EXPECT_EQ(ScreenPixel(POINT{glyph.left + 7, glyph.top + 7}), RGB(255, 255, 0)) << "enabled, the sign is yellow";
}

}  // namespace
