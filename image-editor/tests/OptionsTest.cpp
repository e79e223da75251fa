// View > Options... in the program's own main window, driven with the keys
// and the mouse: the folder checks in their order with their message, Cancel
// writing nothing, the status bar switched off by OK, the start-action list
// disabled while the start-up dialog is on, the screen-tip mode stored for
// other processes, the folder edits' backslash rule and the browse buttons
// (their folder glyph, centred caption and focus look), the double clicks
// that stand for OK, and the default screen's size and orientation.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "DialogSteps.h"
#include "ProgramWindows.h"
#include "ZvCom.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// A click on a control, handled before the test goes on.
void Click(TControl* Control) {
    ClickOn(Control->Handle());
    Settle();
}

COLORREF Shown(TControl* Control, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Control->Handle(), &p);
    return ScreenPixel(p);
}

// The screen-tip mode as another process reads it: reg.exe's answer.
std::string ScreentipsSeenByAnotherProcess() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "screentips-query.txt";
    DeleteFileA(out.c_str());
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::string cmd = "cmd.exe /c reg.exe query \"HKCU\\Software\\Zelvani\\Common\" /v Screentips > \"" + out + "\"";
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 20000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    std::string text;
    HANDLE in = CreateFileA(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[512];
    DWORD got = 0;
    while (in != INVALID_HANDLE_VALUE && ReadFile(in, buf, sizeof buf, &got, nullptr) && got) text.append(buf, got);
    if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
    DeleteFileA(out.c_str());
    const size_t at = text.find("0x");
    return at == std::string::npos ? "<none>: " + text : text.substr(at, 3);
}

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        Settle();
        ::Options = OptStatusBar | OptNewDialog;
        StartupAuto = 0;
        FileLocation = "C:\\";
        BrowserLocation = "C:\\windows";
        AutoSaveLocation = "C:\\windows\\system32";
        DefaultScreen = std::string("\x05\x00\x03\x00\xFF\xFF\xFF", 7);
        frmMain->UpdateStatusBar();
    }

    // Opens View > Options... with the keys and runs Steps in the dialog;
    // the steps end it. Whether it showed.
    bool WithOptions(const std::function<void()>& Steps) {
        bool ran = false;
        Later(&timers, [&] {
            PumpUntil([] { return frmOptions->Showing(); });
            ToFront();
            Settle();
            ran = true;
            Steps();
        }, 300);
        ToFront();
        PressAlt('V');
        Tap('O');
        PumpUntil([&] { return ran && !frmOptions->Showing(); }, 20000);
        Settle();
        return ran;
    }
    static void Page(TTabSheet* Tab) {
        frmOptions->pgcMain->SetFocus();
        Press(VK_HOME);
        Settle();
        for (int i = 0; frmOptions->pgcMain->ActivePage() != Tab && i < 3; ++i) {
            Press(VK_RIGHT);
            Settle();
        }
    }
    static void Retype(TEdit* Edit, const std::string& Text) {
        Click(Edit);
        Press(VK_HOME);
        PressWith(VK_SHIFT, VK_END);
        Press(VK_DELETE);
        Type(Text);
        Settle();
    }

    TComponent timers{nullptr};
};

TEST_F(OptionsDialog, TheFoldersAreCheckedInTheirOrderAndTheFirstThatFailsIsReported) {
    BrowserLocation = "C:\\NoSuchFolder";
    AutoSaveLocation = "";
    std::string first, second;
    bool generalShown = false, browserFocused = false, autoSaveFocused = false, stillOpen = false;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabDefault);
        first = dialogsteps::ClickAndAnswer(timers, frmOptions->Handle(), frmOptions->cmdOK->Handle());
        generalShown = frmOptions->pgcMain->ActivePage() == frmOptions->tabGeneral;
        browserFocused = GetFocus() == frmOptions->txtGeneralBrowserLocation->Handle();
        Retype(frmOptions->txtGeneralBrowserLocation, "C:\\windows");
        second = dialogsteps::ClickAndAnswer(timers, frmOptions->Handle(), frmOptions->cmdOK->Handle());
        autoSaveFocused = GetFocus() == frmOptions->txtGeneralAutoSaveLocation->Handle();
        stillOpen = frmOptions->Showing();
        Press(VK_ESCAPE);
    }));
    // The box's texts after its caption, which is the product title.
    auto body = [](const std::string& Box) { return Box.substr(Box.find("Cannot")); };
    EXPECT_EQ(body(first), "Cannot find 'C:\\NoSuchFolder'. Make sure the path is correct.\nOK\n");
    EXPECT_TRUE(generalShown) << "the General page comes to the front";
    EXPECT_TRUE(browserFocused) << "the failing folder's edit has the focus";
    EXPECT_EQ(body(second), "Cannot find ''. Make sure the path is correct.\nOK\n") << "the empty auto-save folder";
    EXPECT_TRUE(autoSaveFocused);
    EXPECT_TRUE(stillOpen) << "a failed check keeps the dialog open";
    EXPECT_EQ(BrowserLocation, "C:\\NoSuchFolder") << "nothing is written";
    EXPECT_EQ(AutoSaveLocation, "");
}

TEST_F(OptionsDialog, CancelWritesNothing) {
    ASSERT_TRUE(WithOptions([&] {
        Click(frmOptions->chkViewStatusBar);
        Click(frmOptions->chkViewStartup);
        Page(frmOptions->tabGeneral);
        Retype(frmOptions->txtGeneralDocLocation, "C:\\windows");
        Click(frmOptions->cmdCancel);
    }));
    EXPECT_EQ(::Options, OptStatusBar | OptNewDialog);
    EXPECT_EQ(FileLocation, "C:\\");
    EXPECT_TRUE(IsWindowVisible(frmMain->panStatusBar->Handle()));
}

TEST_F(OptionsDialog, OKSwitchesTheStatusBarOffAtOnce) {
    ASSERT_TRUE(IsWindowVisible(frmMain->panStatusBar->Handle()));
    RECT bar;
    GetWindowRect(frmMain->panStatusBar->Handle(), &bar);
    const POINT inBar = {bar.left + 2, bar.bottom - 3};
    ASSERT_TRUE(WithOptions([&] {
        Click(frmOptions->chkViewStatusBar);
        Click(frmOptions->cmdOK);
    }));
    EXPECT_FALSE(HasOption(OptStatusBar));
    EXPECT_FALSE(IsWindowVisible(frmMain->panStatusBar->Handle())) << "the status bar goes";
    EXPECT_EQ(WindowFromPoint(inBar), frmMain->ClientHandle()) << "the screens' area takes its place";
}

TEST_F(OptionsDialog, TheStartActionListIsDisabledWhileTheStartupDialogIsChecked) {
    ::Options |= OptStartupDialog;
    bool disabled = false, enabled = false;
    COLORREF whileOn = 0, whileOff = 0;
    ASSERT_TRUE(WithOptions([&] {
        TListBox* list = frmOptions->lstViewAuto;
        const int x = list->ClientWidth() - 10, y = list->ClientHeight() - 4;
        disabled = !IsWindowEnabled(list->Handle());
        whileOn = Shown(list, x, y);
        Click(frmOptions->chkViewStartup);
        enabled = IsWindowEnabled(list->Handle()) != FALSE;
        whileOff = Shown(list, x, y);
        // The keys choose the start action in the list.
        Click(list);
        Press(VK_HOME);
        Press(VK_DOWN);
        Press(VK_DOWN);
        Settle();
        Click(frmOptions->cmdOK);
    }));
    EXPECT_TRUE(disabled);
    EXPECT_EQ(whileOn, static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE))) << "drawn on the button face";
    EXPECT_TRUE(enabled);
    EXPECT_EQ(whileOff, static_cast<COLORREF>(GetSysColor(COLOR_WINDOW)));
    EXPECT_FALSE(HasOption(OptStartupDialog));
    EXPECT_EQ(StartupAuto, 2);
}

TEST_F(OptionsDialog, TheStartActionHintBreaksAfterStartup) {
    ZvSaveScreentips(0);
    std::string shown;
    ASSERT_TRUE(WithOptions([&] {
        MouseTo(POINT{0, 0});
        Settle();
        MouseTo(CentreOf(frmOptions->lstViewAuto->Handle()));
        if (PumpUntil([] { return Application->HintWindow() && IsWindowVisible(Application->HintWindow()->Handle()); }))
            shown = Application->HintWindow()->Text();
        Click(frmOptions->cmdCancel);
    }));
    EXPECT_EQ(shown,
              "Automatically do the tasks if you do not want the Startup\r\ndialog to be shown when Mirolux starts.")
        << "the tool tip of the start-action list";
}

TEST_F(OptionsDialog, TheScreentipModeIsStoredForEveryProgram) {
    ZvSaveScreentips(0);
    ASSERT_TRUE(WithOptions([&] {
        PressAlt('O');  // "N&one"
        Settle();
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(ZvScreentipsType(), 2);
    EXPECT_EQ(ScreentipsSeenByAnotherProcess(), "0x2");
    ASSERT_TRUE(WithOptions([&] {
        PressAlt('T');  // "&Toolbars and status bar only"
        Settle();
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(ScreentipsSeenByAnotherProcess(), "0x1");
    ZvSaveScreentips(0);
}

TEST_F(OptionsDialog, AFolderLosesItsTrailingBackslashButADriveRootKeepsIt) {
    CreateDirectoryA("C:\\OptionsProbe", nullptr);
    std::string left, root;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabGeneral);
        Retype(frmOptions->txtGeneralDocLocation, "C:\\OptionsProbe\\");
        Press(VK_TAB);
        Settle();
        left = frmOptions->txtGeneralDocLocation->Text();
        Retype(frmOptions->txtGeneralBrowserLocation, "C:\\");
        Press(VK_TAB);
        Settle();
        root = frmOptions->txtGeneralBrowserLocation->Text();
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(left, "C:\\OptionsProbe");
    EXPECT_EQ(root, "C:\\");
    EXPECT_EQ(FileLocation, "C:\\OptionsProbe");
    EXPECT_EQ(BrowserLocation, "C:\\") << "a drive root passes the check";
    RemoveDirectoryA("C:\\OptionsProbe");
}

TEST_F(OptionsDialog, TheBrowseButtonPutsTheChosenFolderIntoItsEdit) {
    std::string taken;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabGeneral);
        const HWND options = GetActiveWindow();
        bool chosen = false;
        WhenReady(
            timers, [options] { return GetActiveWindow() != options; },
            [&] {
                ToFront();
                Settle();
                Press(VK_LEFT);  // C:\windows closes,
                Press(VK_LEFT);  // then its drive is chosen
                Settle();
                Press(VK_RETURN);
                chosen = true;
            });
        Click(frmOptions->cmdGeneralBrowserBrowse);
        PumpUntil([&] { return chosen && GetActiveWindow() == options; }, 8000);
        Settle();
        taken = frmOptions->txtGeneralBrowserLocation->Text();
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(taken, "C:\\");
    EXPECT_EQ(BrowserLocation, "C:\\");
}

// Where a browse button shows its glyph and its caption on the screen.
struct BrowseLook {
    int GlyphLeft = -1;  // the folder's left edge
    int CaptionLeft = -1, CaptionRight = -1;
};

BrowseLook LookOf(TControl* Button) {
    BrowseLook look;
    // The folder's left edge is black, its yellow starts a pixel further in
    // the glyph's eighth row; the glyph stands in the middle of the height.
    const int row = (Button->Height() - 16) / 2 + 8;
    for (int x = 0; x < Button->Width() && look.GlyphLeft < 0; ++x)
        if (Shown(Button, x, row) == RGB(255, 255, 0)) look.GlyphLeft = x - 1;
    // The caption: the text colour right of the glyph, inside the focus frame,
    // above its lowest row, which is the underline of its "&" letter (each
    // button has its letter elsewhere) beneath the glyphs of "Browse...".
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const int firstX = std::max(look.GlyphLeft + 17, 6);
    int underline = 6;
    for (int x = firstX; x < Button->Width() - 6; ++x)
        for (int y = 6; y < Button->Height() - 6; ++y)
            if (Shown(Button, x, y) == text) underline = std::max(underline, y);
    for (int x = firstX; x < Button->Width() - 6; ++x)
        for (int y = 6; y < underline; ++y)
            if (Shown(Button, x, y) == text) {
                if (look.CaptionLeft < 0) look.CaptionLeft = x;
                look.CaptionRight = x;
                break;
            }
    return look;
}

TEST_F(OptionsDialog, TheBrowseButtonsShowAFolderBesideTheirCentredCaptionAndTheFocusedOneMovesRight) {
    BrowseLook doc, browser, autoSave, entered, left;
    bool focused = false;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabGeneral);
        doc = LookOf(frmOptions->cmdGeneralDocBrowse);
        browser = LookOf(frmOptions->cmdGeneralBrowserBrowse);
        autoSave = LookOf(frmOptions->cmdGeneralAutoSaveBrowse);
        Click(frmOptions->txtGeneralDocLocation);
        Press(VK_TAB);
        Settle();
        focused = GetFocus() == frmOptions->cmdGeneralDocBrowse->Handle();
        entered = LookOf(frmOptions->cmdGeneralDocBrowse);
        Press(VK_TAB);
        Settle();
        left = LookOf(frmOptions->cmdGeneralDocBrowse);
        Press(VK_ESCAPE);
    }));
    const int width = frmOptions->cmdGeneralDocBrowse->Width();
    EXPECT_EQ(doc.GlyphLeft, 4) << "the folder at the button's margin";
    ASSERT_GE(doc.CaptionLeft, doc.GlyphLeft + 16) << "the caption right of the folder";
    // The ink of "Browse..." lies within a pixel of the caption's advance.
    EXPECT_NEAR(doc.CaptionLeft + doc.CaptionRight + 1, width, 3)
        << "the caption from " << doc.CaptionLeft << " to " << doc.CaptionRight << " in the middle of " << width;
    EXPECT_EQ(browser.GlyphLeft, doc.GlyphLeft) << "the three buttons look alike";
    EXPECT_EQ(browser.CaptionLeft, doc.CaptionLeft);
    EXPECT_EQ(autoSave.GlyphLeft, doc.GlyphLeft);
    EXPECT_EQ(autoSave.CaptionLeft, doc.CaptionLeft);
    EXPECT_TRUE(focused) << "Tab from the folder's edit goes to its browse button";
    EXPECT_EQ(entered.GlyphLeft, doc.GlyphLeft + 1) << "the focused button's folder a pixel further right";
    EXPECT_EQ(entered.CaptionLeft, doc.CaptionLeft + 1) << "and its caption with it";
    EXPECT_EQ(left.GlyphLeft, doc.GlyphLeft) << "back when the focus leaves";
    EXPECT_EQ(left.CaptionLeft, doc.CaptionLeft);
}

// A double click on a radio button or a line of the start-action list is
// OK: the dialog closes with OK and the choice is written.
TEST_F(OptionsDialog, ADoubleClickOnAChoiceIsOK) {
    ZvSaveScreentips(0);
    auto doubleClick = [](POINT P) {
        MouseClicks(P, 2);
        Settle();
    };
    ASSERT_TRUE(WithOptions([&] { doubleClick(CentreOf(frmOptions->optViewScreentips3->Handle())); }));
    EXPECT_EQ(frmOptions->ModalResult, mrOk) << "a double click on \"None\"";
    EXPECT_EQ(ScreentipsSeenByAnotherProcess(), "0x2") << "the screen tips chosen";

    ASSERT_TRUE(WithOptions([&] {
        // The fourth line: "display capture themes".
        RECT r;
        GetWindowRect(frmOptions->lstViewAuto->Handle(), &r);
        doubleClick(POINT{r.left + 40, r.top + 2 + 3 * 16 + 8});
    }));
    EXPECT_EQ(frmOptions->ModalResult, mrOk) << "a double click on a start action";
    EXPECT_EQ(StartupAuto, 3) << "the start action chosen";

    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabDefault);
        doubleClick(CentreOf(frmOptions->optDefaultPortrait->Handle()));
    }));
    EXPECT_EQ(frmOptions->ModalResult, mrOk) << "a double click on Portrait";
    EXPECT_EQ(DefaultScreen, std::string("\x03\x00\x05\x00\xFF\xFF\xFF", 7)) << "500 x 300 stored as portrait";
    ZvSaveScreentips(0);
}

TEST_F(OptionsDialog, TheDefaultScreenIsStoredAsTwoByteNumbersAndItsColour) {
    std::string width, height;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabDefault);
        Retype(frmOptions->txtDefaultWidth, "1x6y00");  // letters are not taken
        width = frmOptions->txtDefaultWidth->Text();
        Retype(frmOptions->txtDefaultHeight, "1200");
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(width, "1600");
    EXPECT_EQ(DefaultScreen, std::string("\x10\x00\x0C\x00\xFF\xFF\xFF", 7));
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabDefault);
        Retype(frmOptions->txtDefaultWidth, "3");
        Retype(frmOptions->txtDefaultHeight, "1005");
        height = frmOptions->txtDefaultWidth->Text();  // the width, clamped on leaving
        Click(frmOptions->cmdOK);
    }));
    EXPECT_EQ(height, "10");
    EXPECT_EQ(DefaultScreen, std::string("\x00\x0A\x0A\x05\xFF\xFF\xFF", 7));
}

TEST_F(OptionsDialog, PortraitPutsTheSmallerSideAcrossAndEqualSidesShowLandscape) {
    DefaultScreen = std::string("\x05\x00\x03\x00\x00\x00\xFF", 7);
    bool landscapeFirst = false, portraitAfter = false, landscapeEqual = false;
    std::string w, h;
    COLORREF fill = 0;
    ASSERT_TRUE(WithOptions([&] {
        Page(frmOptions->tabDefault);
        landscapeFirst = frmOptions->optDefaultLandscape->Checked();
        // The preview shows the screen's colour in its middle.
        fill = Shown(frmOptions->picDefaultPreview, 91, 91);
        Click(frmOptions->optDefaultPortrait);
        Settle();
        w = frmOptions->txtDefaultWidth->Text();
        h = frmOptions->txtDefaultHeight->Text();
        portraitAfter = frmOptions->optDefaultPortrait->Checked();
        Retype(frmOptions->txtDefaultWidth, "500");
        landscapeEqual = frmOptions->optDefaultLandscape->Checked();
        Press(VK_ESCAPE);
    }));
    EXPECT_TRUE(landscapeFirst) << "500 x 300 is landscape";
    EXPECT_EQ(fill, RGB(0, 0, 255)) << "the preview is filled with the default colour";
    EXPECT_EQ(w, "300");
    EXPECT_EQ(h, "500");
    EXPECT_TRUE(portraitAfter);
    EXPECT_TRUE(landscapeEqual) << "500 x 500 shows Landscape";
}

}  // namespace
