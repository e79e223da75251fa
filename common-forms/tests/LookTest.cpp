// The look every module shares: its hint window and timing, and the font and
// colour of owner-drawn menu items.
#include <gtest/gtest.h>

#include "MenuItemDrawing.h"
#include "NewHintWindow.h"
#include "TestSupport.h"
#include "Zelvani.h"

using namespace forms;
using namespace testsupport;

namespace {

std::string InterfaceFont() {
    ShortString name;
    ZvGetFontName(name);
    return name.str();
}

TEST(Hints, SystemHintsUseTheInterfaceFontAtEightPointsAndStayTenSeconds) {
    UseSystemHints();
    EXPECT_EQ(Application->HintPause, 500);
    EXPECT_EQ(Application->HintHidePause, 10000);

    auto* form = new TForm(Application);
    form->SetShowHint(true);
    form->SetBounds(100, 100, 300, 200);
    form->Hint = "Hello";
    form->Show();
    Application->HintPause = 50;  // only to keep the test short
    MouseTo(POINT{10, 10});
    PumpFor(100);
    MouseTo(CentreOf(form->Handle()));
    ASSERT_TRUE(PumpUntil([] { return Application->HintWindow() && IsWindowVisible(Application->HintWindow()->Handle()); }))
        << "no hint came";
    THintWindow* hint = Application->HintWindow();
    EXPECT_NE(dynamic_cast<TNewHintWindow*>(hint), nullptr);
    EXPECT_EQ(hint->Canvas().Font.Name(), InterfaceFont());
    EXPECT_EQ(hint->Canvas().Font.Size(), 8);
    Free(form);
}

TEST(MenuItems, InterfaceFontAndTheHighlightColourOnlyWhereTheSystemHighlights) {
    TComponent owner(nullptr);
    auto* bar = new TMainMenu(&owner);
    auto* top = new TMenuItem(&owner);
    auto* inner = new TMenuItem(&owner);
    bar->Add(top);
    top->Add(inner);
    TPopupMenu popup(nullptr);
    auto* popupItem = new TMenuItem(&owner);
    popup.Add(popupItem);

    TBitmap b;
    b.SetSize(4, 4);
    const RECT r = {0, 0, 4, 4};
    auto colourOf = [&](TMenuItem* item, bool selected) {
        MenuItemDrawing(item, b.Canvas(), r, selected);
        return b.Canvas().Font.Color();
    };
    const TColor highlight = clSystemColor | COLOR_HIGHLIGHTTEXT, text = clSystemColor | COLOR_MENUTEXT;
    EXPECT_EQ(colourOf(popupItem, true), highlight);
    EXPECT_EQ(colourOf(popupItem, false), text);
    EXPECT_EQ(colourOf(inner, true), highlight) << "a drop-down item of the bar is a pop-up item";
    ShortString code;
    ZvOSVersion(0, code);
    EXPECT_EQ(colourOf(top, true), code.Chars[1] == '1' ? highlight : text) << "system code " << code.str();
    EXPECT_EQ(colourOf(top, false), text);
    EXPECT_EQ(b.Canvas().Font.Name(), InterfaceFont());
    EXPECT_EQ(b.Canvas().Font.Size(), 8);
}

}  // namespace
