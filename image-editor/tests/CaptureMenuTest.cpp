// The Capture menu and the Quick Capture bar in the program's own main
// window: the Previous and theme items, the bar's lists and the stored
// settings in both directions, the Properties buttons per item, and the
// Screen Capture command with the open screens in its dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "Child.h"
#include "Common.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;
using dialogsteps::TextOf;

namespace {

std::string Bytes(const ShortString& S) { return std::string(S.Chars, S.Length); }

// A child window of the library's dialog by its class and, when given, its
// text.
struct ChildSearch {
    std::string Class, Text;
    HWND Found = nullptr;
};
BOOL CALLBACK MatchChild(HWND W, LPARAM P) {
    auto& s = *reinterpret_cast<ChildSearch*>(P);
    char cls[64], text[256];
    GetClassNameA(W, cls, sizeof cls);
    GetWindowTextA(W, text, sizeof text);
    if (lstrcmpiA(cls, s.Class.c_str()) == 0 && (s.Text.empty() || s.Text == text)) s.Found = W;
    return s.Found == nullptr;
}
HWND FindChild(HWND Parent, const std::string& Class, const std::string& Text = "") {
    ChildSearch search{Class, Text};
    EnumChildWindows(Parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::vector<std::string> ComboItems(HWND Combo) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(Combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[300] = {};
        SendMessageA(Combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

BOOL CALLBACK MatchPasteTo(HWND W, LPARAM P) {
    char cls[32];
    GetClassNameA(W, cls, sizeof cls);
    if (lstrcmpiA(cls, "ComboBox") != 0) return TRUE;
    const std::vector<std::string> items = ComboItems(W);
    // Its items end in the screen's number in three columns and a digit.
    if (items.empty() || items[0].find("  ") == std::string::npos) return TRUE;
    *reinterpret_cast<std::vector<std::string>*>(P) = items;
    return FALSE;
}

// The items of the dialog's paste-to list.
std::vector<std::string> PasteToItems(HWND Dialog) {
    std::vector<std::string> items;
    EnumChildWindows(Dialog, &MatchPasteTo, reinterpret_cast<LPARAM>(&items));
    return items;
}

TMenuItem* Item(const std::string& Name) { return dynamic_cast<TMenuItem*>(frmMain->FindComponent(Name)); }

class CaptureMenu : public CaptureFixture {
protected:
    void SetUp() override {
        CaptureFixture::SetUp();
        savedMax = MaxScreens;
    }
    void TearDown() override {
        MaxScreens = savedMax;
        CaptureFixture::TearDown();
        Themes = 0;
    }
    int savedMax = 0;
};

TEST_F(CaptureMenu, PreviousFollowsTheLastCaptureAndThemesShowUpToTheirCount) {
    TBitmap* last = CapturedBitmap;
    CapturedBitmap = nullptr;
    Themes = 3;
    const char* names[] = {"Desk", "Window", "Corner"};
    for (int i = 0; i < 3; ++i) ThemeTable[i] = ShortString(std::string(1, static_cast<char>(strlen(names[i]))) + names[i]);
    frmMain->mnuCapture_Click(frmMain->mnuCapture);
    const bool previousWithout = Item("mnuCapturePrevious")->Enabled;
    frmMain->mnuCapturePrevious_Click(nullptr);  // nothing to show: returns at once
    std::vector<std::string> shown;
    for (int i = 1; i <= 20; ++i) {
        const TMenuItem* item = Item("mnuCaptureTheme" + std::to_string(i));
        if (item->Visible) shown.push_back(item->Caption + "|" + item->Hint);
    }
    const bool separator = Item("mnuCaptureSep1")->Visible;
    CapturedBitmap = last ? last : new TBitmap;
    frmMain->mnuCapture_Click(frmMain->mnuCapture);
    const bool previousWith = Item("mnuCapturePrevious")->Enabled;

    EXPECT_FALSE(previousWithout);
    EXPECT_TRUE(previousWith);
    EXPECT_TRUE(separator);
    EXPECT_EQ(shown, (std::vector<std::string>{"Desk|~Captures screen using Desk",
                                               "Window|~Captures screen using Window",
                                               "Corner|~Captures screen using Corner"}));
    Themes = 0;
    frmMain->mnuCapture_Click(frmMain->mnuCapture);
    EXPECT_FALSE(Item("mnuCaptureSep1")->Visible) << "no theme: not even the separator";
}

TEST_F(CaptureMenu, TheThemeButtonsMenuHasThemeAsItsDefaultItem) {
    const RECT r = frmMain->tlbCapture->ButtonRect(frmMain->tlnTheme);
    int defaultItem = -2;
    WhenReady(timers, [] { return OpenMenu() != nullptr; }, [&] {
        defaultItem = static_cast<int>(GetMenuDefaultItem(OpenMenu(), TRUE, 0));
        Press(VK_ESCAPE);
    });
    ClickAt(POINT{r.right - 4, (r.top + r.bottom) / 2});  // the button's arrow
    EXPECT_TRUE(PumpUntil([&] { return defaultItem != -2; })) << "the Theme button opened no menu";
    EXPECT_EQ(defaultItem, 0) << "\"&Theme...\" is the menu's default item";
}

TEST_F(CaptureMenu, TheBarsListsAndTheStoredSettingsFollowEachOther) {
    WhenSettings = Coded({3, 4, 2, 0, 0});
    ThenSettings = Coded({5, 1, 3, 0, 0, 6, 'S', 'c', 'r', 'e', 'e', 'n'});
    frmMain->RestoreToolbarLayout();  // as at the start
    EXPECT_EQ(frmMain->cboWhen->ItemIndex(), 3);
    EXPECT_EQ(frmMain->cboThen->ItemIndex(), 5);

    frmMain->cboThen->SetItemIndex(2);
    frmMain->cboWhen->SetItemIndex(1);
    frmMain->cboToolbar_Enter(frmMain->cboThen);
    PumpUntil([] { return !frmMain->tmrComboBox->Enabled(); }, 1000);
    EXPECT_EQ(Bytes(WhenSettings), std::string("\x01\x04\x02\x00\x00", 5)) << "only the first byte follows the list";
    EXPECT_EQ(Bytes(ThenSettings), std::string("\x02\x01\x03\x00\x00\x06Screen", 12));
    EXPECT_FALSE(frmMain->tmrComboBox->Enabled()) << "the closed list is watched no more";
    EXPECT_EQ(GetFocus(), frmMain->clbMain->Handle()) << "the focus goes back to the bar";
}

TEST_F(CaptureMenu, ThePropertiesButtonsOpenTheirItemsPage) {
    frmMain->cboWhen->SetItemIndex(0);
    frmMain->cboThen->SetItemIndex(4);
    frmMain->cboCapture->SetItemIndex(-1);
    frmMain->UpdateCommandStates();
    EXPECT_FALSE(frmMain->tlnWhenProperties->Enabled()) << "immediately has no properties";
    EXPECT_TRUE(frmMain->tlnThenProperties->Enabled()) << "print out is enabled";
    EXPECT_FALSE(frmMain->tlnCaptureProperties->Enabled()) << "no item chosen";
    frmMain->tlnProperties_Click(frmMain->tlnThenProperties);     // opens nothing
    frmMain->tlnProperties_Click(frmMain->tlnCaptureProperties);  // opens nothing

    WhenSettings = Coded({1, 4, 2, 0x40, 'Q'});
    frmMain->cboWhen->SetItemIndex(1);
    std::string group;
    WhenActive("Properties", [&](HWND Dialog) {
        group = TextOf(FindChild(Dialog, "ZvForms.Control", " Properties for \"time delay\" "));
        HWND seconds = FindChild(Dialog, "Edit");
        SetFocus(seconds);
        SendMessageA(seconds, EM_SETSEL, 0, -1);
        SendMessageA(seconds, WM_CHAR, '6', 0);
        SendMessageA(FindChild(Dialog, "Button", "OK"), BM_CLICK, 0, 0);
    });
    frmMain->tlnProperties_Click(frmMain->tlnWhenProperties);
    EXPECT_EQ(group, " Properties for \"time delay\" ");
    EXPECT_EQ(Bytes(WhenSettings), std::string("\x01\x06\x02\x40Q", 5)) << "the delay edited in place";
}

TEST_F(CaptureMenu, ScreenCaptureListsTheOpenScreensAndArmsWhatWasChosen) {
    OpenScreenFile(MakePicture("first.bmp", 30, 20));
    OpenScreenFile(MakePicture("second.bmp", 30, 20));
    MaxScreens = 2;
    std::vector<std::string> items;
    bool asNewEnabled = true;
    WhenActive("Screen Capture", [&](HWND Dialog) {
        items = PasteToItems(Dialog);
        asNewEnabled = IsWindowEnabled(FindChild(Dialog, "Button", "Paste as &new")) != FALSE;
        SendMessageA(FindChild(Dialog, "Button", "Cancel"), BM_CLICK, 0, 0);
    });
    frmMain->mnuCaptureCapture_Click(nullptr);
    EXPECT_EQ(items, (std::vector<std::string>{"first  11", "second  01"}))
        << "sorted by name; the active screen, opened last, is number 0";
    EXPECT_FALSE(asNewEnabled) << "no new screen at the limit";
    EXPECT_FALSE(CaptureArmed) << "Cancel arms nothing";
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));

    // Capture with "copy to clipboard" chosen as it stands: the settings
    // come back and the capture is armed and taken.
    ThenSettings = Coded({3, 0, 2, 0, 0, 1, 'S'});
    WhenActive("Screen Capture", [&](HWND Dialog) {
        SendMessageA(FindChild(Dialog, "Button", "Capture"), BM_CLICK, 0, 0);
    });
    frmMain->mnuCaptureCapture_Click(nullptr);
    EXPECT_TRUE(CaptureArmed || CapturedBitmap) << "armed by Capture";
    EXPECT_TRUE(PumpUntil([] { return !CaptureArmed; }, 5000));
    EXPECT_EQ(Bytes(ThenSettings), std::string("\x03\x00\x02\x00\x00\x01S", 7));
    EXPECT_EQ(frmMain->cboThen->ItemIndex(), 3);
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
}

}  // namespace
