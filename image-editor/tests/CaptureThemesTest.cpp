// Capture themes in the program's own main window: the Theme List on the
// stored themes, kept as the user leaves it and followed by the Capture
// menu; a capture with a theme from its menu item, its shortcut and the
// list's "Capture", each with the theme's own settings while the
// quick-capture settings stay.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureTheme.h"
#include "CaptureThemes.h"
#include "Common.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;
using dialogsteps::TextOf;

namespace {

std::string Bytes(const ShortString& S) { return std::string(S.Chars, S.Length); }

std::string DefaultSettings() {
    ShortString s;
    ZvDefaultCapture(0, s);
    return s.str();
}

ShortString Theme(const std::string& Name, const std::string& Settings = DefaultSettings()) {
    return ShortString(std::string(1, static_cast<char>(Name.size())) + Name + Settings);
}

void StoreThemes(const std::vector<ShortString>& List) {
    Themes = static_cast<int>(List.size());
    for (size_t i = 0; i < List.size(); ++i) ThemeTable[i] = List[i];
}

std::string StoredNames() {
    std::string names;
    for (int i = 0; i < Themes; ++i) names += (i ? ", " : "") + CaptureThemeName(ThemeTable[i]);
    return names;
}

class CaptureThemes : public CaptureFixture {
protected:
    void TearDown() override {
        CaptureFixture::TearDown();
        StoreThemes({});
    }
};

TEST_F(CaptureThemes, TheListKeepsWhatTheUserLeavesAndTheCaptureMenuFollows) {
    StoreThemes({Theme("Desk"), Theme("Window"), Theme("Corner")});
    // Listed alphabetically: Corner, Desk, Window; Corner is selected.
    bool listed = false;
    WhenActive("Capture Theme", [&](HWND) {
        listed = true;
        PressAlt('R');
    });
    WhenActive("Rename Capture Theme", [](HWND) {
        Press(VK_END);
        Chord({VK_SHIFT}, VK_HOME);
        Type("Area");
        PumpFor(200);
        Press(VK_RETURN);
    }, 900);
    WhenActive("Capture Theme", [](HWND) {
        PressAlt('T');   // the list, from its label
        Press(VK_DOWN);  // Desk
        PressAlt('D');
    }, 1800);
    WhenActive("Capture Theme", [&](HWND) { Press(VK_ESCAPE); }, 3600);
    Answer question;
    AnswerNextBox(question, "&Yes");
    frmMain->SetFocus();
    Press(VK_F6);
    ASSERT_TRUE(PumpUntil([&] { return listed && TextOf(GetActiveWindow()) == frmMain->Caption(); }, 15000))
        << "F6 showed no Theme List, or it did not close";
    EXPECT_EQ(question.Text, "Are you sure you want to delete 'Desk'?");
    EXPECT_EQ(StoredNames(), "Area, Window");
    EXPECT_EQ(Bytes(ThemeTable[0]), Bytes(Theme("Area"))) << "renamed with its settings";

    // Both menus' theme items, as they stand when the dialog has closed.
    std::vector<std::string> shown;
    for (TMenuItem* const* items : {CaptureThemeItems, PopupThemeItems})
        for (int i = 0; i <= 20; ++i)
            if (items[i]->Visible) shown.push_back(i == 0 ? "-" : items[i]->Caption);
    EXPECT_EQ(shown, (std::vector<std::string>{"-", "Area", "Window", "-", "Area", "Window"}));
}

TEST_F(CaptureThemes, AThemeCapturesWithItsOwnSettingsAndTheQuickSettingsStay) {
    AutoSaveLocation = TempFolder() + "\\themes";
    CreateDirectoryA(AutoSaveLocation.c_str(), nullptr);
    for (const char* old : {"\\Cap001.bmp", "\\Cap002.bmp", "\\Cap003.bmp"})
        DeleteFileA((AutoSaveLocation + old).c_str());
    // Immediately; the area (10, 20)-(29, 39); to the numbered files Cap*.
    const std::string disk = std::string("\x00\x01\x00\x00\x00", 5) +
                             std::string("\x02\x00\x0A\x00\x1D\x00\x14\x00\x27\x00\x00\x00", 12) +
                             std::string("\x05\x00\x03\x00\x00\x03", 6) + "Cap" + std::string("\x00\x00", 2);
    StoreThemes({Theme("Area", disk)});
    const ShortString quickWhat = WhatSettings, quickThen = ThenSettings;

    frmMain->SetFocus();
    PressCtrl('1');
    ASSERT_TRUE(PumpUntil([] { return CaptureArmed; }, 3000)) << "Ctrl+1 armed nothing";
    ASSERT_TRUE(Captured());
    std::unique_ptr<TGraphic> first(ZvLoadPicture((AutoSaveLocation + "\\Cap001.bmp").c_str()));
    ASSERT_NE(first, nullptr) << "no numbered file";
    EXPECT_EQ(first->Width(), 20);
    EXPECT_EQ(first->Height(), 20);
    EXPECT_EQ(Bytes(WhatSettings), Bytes(quickWhat)) << "the quick-capture settings stay";
    EXPECT_EQ(Bytes(ThenSettings), Bytes(quickThen));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP)) << "the quick action was not run";

    // From the Theme button's menu, by its item.
    WhenReady(timers, [] { return OpenMenu() != nullptr; }, [] {
        Press(VK_DOWN);  // "&Theme..."
        Press(VK_DOWN);  // the first theme, past the separator
        Press(VK_RETURN);
    });
    const RECT r = frmMain->tlbCapture->ButtonRect(frmMain->tlnTheme);
    const POINT arrow = {r.right - 4, (r.top + r.bottom) / 2};
    ClickAt(arrow);
    ASSERT_TRUE(PumpUntil([] { return CaptureArmed; }, 4000)) << "the Theme button's item armed nothing";
    ASSERT_TRUE(Captured());
    EXPECT_NE(GetFileAttributesA((AutoSaveLocation + "\\Cap002.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // From the Theme List's "Capture", with the theme selected there.
    WhenActive("Capture Theme", [](HWND) { Press(VK_RETURN); });
    frmMain->SetFocus();
    Press(VK_F6);
    ASSERT_TRUE(PumpUntil([] { return CaptureArmed; }, 6000)) << "the list's Capture armed nothing";
    ASSERT_TRUE(Captured());
    EXPECT_NE(GetFileAttributesA((AutoSaveLocation + "\\Cap003.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Bytes(ThenSettings), Bytes(quickThen));
    EXPECT_EQ(StoredNames(), "Area");
}

// A click on the button of the window in front that has that caption.
bool ClickButton(const std::string& Caption) {
    for (HWND w = FindWindowExA(GetActiveWindow(), nullptr, "Button", nullptr); w;
         w = FindWindowExA(GetActiveWindow(), w, "Button", nullptr))
        if (TextOf(w) == Caption) {
            ClickOn(w);
            Settle();
            return true;
        }
    return false;
}

TEST_F(CaptureThemes, TheWizardFinishedAfterAShortDelayArmsADelayedCapture) {
    const ShortString quickThen = ThenSettings;
    std::string clicked;
    // Next to page 1, "after a short delay" (its delay of 1 second as
    // stored), Next on to the last page, and its "Capture".
    WhenActive("Capture Wizard", [&](HWND) {
        clicked += ClickButton("&Next >") ? "next" : "none";
        Press(VK_DOWN);
        Settle();
        for (int i = 0; i < 4; ++i) clicked += ClickButton("&Next >") ? " next" : " none";
        clicked += ClickButton("Capture") ? " capture" : " none";
    });
    frmMain->SetFocus();
    Press(VK_F7);
    ASSERT_TRUE(PumpUntil([] { return CaptureArmed; }, 8000)) << "the wizard armed no capture; clicked: " << clicked;
    EXPECT_EQ(clicked, "next next next next next capture");
    EXPECT_TRUE(frmMain->tmrCapture->Enabled()) << "the delay counts down";
    EXPECT_EQ(frmMain->tmrCapture->Tag, 1) << "the stored second";
    EXPECT_EQ(Bytes(WhenSettings).substr(0, 2), std::string("\x01\x01", 2)) << "the quick settings take the choice";
    EXPECT_EQ(frmMain->cboWhen->ItemIndex(), 1) << "the Quick Capture bar shows it";
    EXPECT_EQ(Bytes(ThenSettings), Bytes(quickThen)) << "what happens after is as it was";
    EXPECT_TRUE(Captured());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP)) << "the capture was taken to the clipboard";
}

}  // namespace
