// A form's menu bar: submenus that refresh their items when they open, and
// shortcuts that refresh first and then fire only enabled items.
#include <gtest/gtest.h>

#include "Forms.h"
#include "Menus.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

// How many pixels of a screen rectangle have the colour.
int CountOf(const RECT& R, COLORREF Colour) {
    HDC dc = GetDC(nullptr);
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) n += GetPixel(dc, x, y) == Colour;
    ReleaseDC(nullptr, dc);
    return n;
}

class MainMenus : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 320, 200);
        auto* menu = new TMainMenu(form);
        file = Item(menu, nullptr, "&File", 0);
        file->OnClick = [this](TComponent*) {
            ++fileOpened;
            save->Enabled = allowSave;
        };
        save = Item(menu, file, "&Save", scCtrl | 'S');
        save->Hint = "~Saves the active screen";
        Item(menu, file, "-", 0);
        print = Item(menu, file, "&Print", VK_F10);
        auto* window = Item(menu, nullptr, "&Window", 0);
        window->OnClick = [this](TComponent*) { ++windowOpened; };
        first = Item(menu, window, "&1 Screen 1", scAlt | '1');
        form->SetMenu(menu);
        form->Show();
    }
    void TearDown() override { Free(form); }

    TMenuItem* Item(TMainMenu* Menu, TMenuItem* Parent, const char* Caption, TShortCut Keys) {
        auto* item = new TMenuItem(form);
        item->Caption = Caption;
        item->ShortCut = Keys;
        item->OnClick = [this, item](TComponent*) { fired.push_back(item); };
        Parent ? Parent->Add(item) : Menu->Add(item);
        return item;
    }

    void Keys(std::initializer_list<WORD> Held, WORD Key) {
        ToFront();
        for (WORD k : Held) testsupport::Key(k, false);
        testsupport::Key(Key, false);
        testsupport::Key(Key, true);
        for (WORD k : Held) testsupport::Key(k, true);
        PumpFor(100);
    }

    TForm* form = nullptr;
    TMenuItem *file = nullptr, *save = nullptr, *print = nullptr, *first = nullptr;
    bool allowSave = false;
    int fileOpened = 0, windowOpened = 0;
    std::vector<TMenuItem*> fired;
};

TEST_F(MainMenus, ShortcutsRefreshTheStatesFirstAndFireOnlyEnabledItems) {
    Keys({VK_CONTROL}, 'S');
    EXPECT_EQ(fileOpened, 1) << "the File submenu refreshes its items first";
    EXPECT_TRUE(fired.empty()) << "Save is disabled and must not run";

    allowSave = true;
    Keys({VK_CONTROL}, 'S');
    EXPECT_EQ(fileOpened, 2);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], save);
}

TEST_F(MainMenus, FunctionKeysAndAltDigitsArriveAsSystemKeys) {
    Keys({}, VK_F10);
    Keys({VK_MENU}, '1');
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], print);
    EXPECT_EQ(fired[1], first);
    EXPECT_EQ(windowOpened, 1) << "the Window submenu refreshes before Alt+1 runs";
}

TEST_F(MainMenus, ASubmenusClickRunsWhenItOpensAndItsItemsShowItsStates) {
    allowSave = true;
    // The menu runs a loop of its own once it is open: what happens inside
    // it is read and answered from a timer, which that loop still serves.
    int openedWhenShown = -1;
    bool saveEnabled = false;
    std::string hintWhenShown;
    Later(form, [&] {
        openedWhenShown = fileOpened;
        hintWhenShown = Application->Hint();
        HMENU sub = GetSubMenu(GetMenu(form->Handle()), 0);
        saveEnabled = sub && !(GetMenuState(sub, 0, MF_BYPOSITION) & MF_GRAYED);
        Press(VK_RETURN);  // Save, the first item
    }, 400);
    ToFront();
    Press(VK_MENU);  // to the menu bar
    Press(VK_DOWN);  // opens File
    EXPECT_TRUE(PumpUntil([&] { return !fired.empty(); }, 5000)) << "choosing Save ran nothing";
    EXPECT_EQ(openedWhenShown, 1) << "the File submenu's OnClick runs once, when it opens";
    EXPECT_TRUE(saveEnabled) << "the submenu shows the state its OnClick set";
    EXPECT_EQ(hintWhenShown, "~Saves the active screen") << "the selected item's hint";
    EXPECT_EQ(Application->Hint(), "") << "the closed menu leaves no hint";
    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired[0], save);
}

TEST_F(MainMenus, AnOpenBarItemShowsItsTextOnTheGroundThatGoesWithIt) {
    struct Seen {
        int Highlight = -1, Text = -1;
    };
    // Alt+F opens File; the pixels of its item on the bar are read while
    // it is open, in the colour its drawing handler chose.
    auto openFile = [this](TColor Text) {
        file->OnDrawItem = [Text](TMenuItem*, TCanvas& Canvas, const RECT&, bool) { Canvas.Font.SetColor(Text); };
        Seen seen;
        WhenReady(*form, [] { return OpenMenu() != nullptr; }, [&] {
            RECT r = {};
            GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &r);
            seen.Highlight = CountOf(r, GetSysColor(COLOR_HIGHLIGHT));
            seen.Text = CountOf(r, ColorToRGB(Text));
            Press(VK_ESCAPE);
            Press(VK_ESCAPE);
        });
        PressAlt('F');
        EXPECT_TRUE(PumpUntil([&] { return seen.Text >= 0; }, 5000)) << "the File menu did not open";
        PumpFor(100);
        return seen;
    };
    const Seen plain = openFile(clSystemColor | COLOR_MENUTEXT);
    EXPECT_GT(plain.Text, 0) << "the caption does not show in the menu-text colour";
    EXPECT_EQ(plain.Highlight, 0) << "menu text drawn on the highlight";
    const Seen lit = openFile(clSystemColor | COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(lit.Text, 0) << "the caption does not show in the highlight-text colour";
    EXPECT_GT(lit.Highlight, 0) << "highlighted text drawn without the highlight";
}

TEST(ShortCuts, ShowAsTheirKeys) {
    EXPECT_EQ(ShortCutToText(scCtrl | 'S'), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(scCtrl | scShift | 'N'), "Ctrl+Shift+N");
    EXPECT_EQ(ShortCutToText(VK_F10), "F10");
    EXPECT_EQ(ShortCutToText(scAlt | '1'), "Alt+1");
    EXPECT_EQ(ShortCutToText(VK_DELETE), "Del");
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(PopupMenus, ARightClickOpensTheMenuOfTheControlOrOfTheOneAroundIt) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 200);
    auto* outer = new TPanel(form);
    outer->SetBounds(10, 10, 200, 120);
    outer->SetParent(form);
    auto* inner = new TPanel(form);
    inner->SetBounds(20, 20, 80, 50);
    inner->SetParent(outer);
    auto* menu = new TPopupMenu(form);
    int popups = 0;
    menu->OnPopup = [&](TComponent*) { ++popups; };
    auto* item = new TMenuItem(form);
    item->Caption = "&Standard";
    menu->Add(item);
    outer->PopupMenu = menu;
    form->Show();
    PumpFor(50);
    // The menu closes again from inside its own loop.
    Later(form, [] { Press(VK_ESCAPE); }, 300);
    ClickAt(CentreOf(inner->Handle()), true);
    EXPECT_TRUE(PumpUntil([&] { return popups == 1; })) << "no menu opened over the inner panel";
    Free(form);
}

TEST(PopupMenus, TheDefaultItemIsTheMenusDefaultAndShowsInBold) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 200);
    auto* menu = new TPopupMenu(form);
    for (bool isDefault : {true, false}) {
        auto* item = new TMenuItem(form);
        item->Caption = "&Theme...";
        item->Default = isDefault;
        menu->Add(item);
    }
    form->PopupMenu = menu;
    form->Show();
    PumpFor(50);
    // Read from inside the menu's own loop: the system's default item, and
    // the pixels of each item's caption in its text colour.
    int defaultItem = -2;
    int textPixels[2] = {-1, -1};
    WhenReady(*form, [] { return OpenMenu() != nullptr; }, [&] {
        HMENU open = OpenMenu();
        defaultItem = static_cast<int>(GetMenuDefaultItem(open, TRUE, 0));
        for (int i = 0; i < 2; ++i) {
            RECT r = {};
            GetMenuItemRect(nullptr, open, static_cast<UINT>(i), &r);
            const bool lit = (GetMenuState(open, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) != 0;
            textPixels[i] = CountOf(r, GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
        Press(VK_ESCAPE);
    });
    ClickAt(CentreOf(form->Handle()), true);
    EXPECT_TRUE(PumpUntil([&] { return textPixels[1] >= 0; }, 5000)) << "no menu opened";
    EXPECT_EQ(defaultItem, 0) << "the first item is the menu's default";
    EXPECT_GT(textPixels[1], 0) << "the plain caption does not show";
    EXPECT_GT(textPixels[0], textPixels[1] * 11 / 10) << "the same caption is not bolder as the default item";
    Free(form);
}

}  // namespace
