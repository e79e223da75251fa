// Every dialog of the program and of its libraries, opened as the program
// opens it, shows every caption and number whole on each page of its page
// controls and for each choice of its lists (see LayoutCheck.h); the wizard
// on each of its pages. The reduced colour dialog, which shows only below
// high colour, is checked the same way by its own test.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "LayoutCheck.h"
#include "ProgramWindows.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;
using namespace layoutcheck;

namespace {

// The visible button of a dialog with that caption, or nullptr.
HWND ButtonOf(HWND Dialog, const std::string& Caption) {
    struct Find {
        const std::string& Caption;
        HWND Found = nullptr;
        static BOOL CALLBACK Each(HWND w, LPARAM p) {
            auto* f = reinterpret_cast<Find*>(p);
            if (Is(w, "Button") && TextOf(w) == f->Caption && IsWindowVisible(w)) f->Found = w;
            return TRUE;
        }
    } find{Caption};
    EnumChildWindows(Dialog, &Find::Each, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

// What is done in the first dialog once it is checked: true when it opened
// another one.
using FirstSteps = std::function<bool(HWND Dialog, LayoutCheck& Check)>;

// Presses the button of that caption, which opens another dialog.
FirstSteps Press(const std::string& Caption) {
    return [Caption](HWND Dialog, LayoutCheck& Check) {
        const HWND button = ButtonOf(Dialog, Caption);
        if (!button) {
            Check.Problems.push_back("no button \"" + Caption + "\"");
            return false;
        }
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    };
}

// Opens a dialog with Open, which returns when it has closed, and checks
// every dialog that comes to the front meanwhile: in the first one Steps
// run once it is checked; every dialog is closed with its close box once
// checked and done with, a question answered Yes.
std::vector<std::string> CheckWhileOpen(const std::string& Where, const std::function<void()>& Open,
                                        const FirstSteps& Steps = {}) {
    LayoutCheck check(Where);
    TComponent timers{nullptr};
    auto* poll = new TTimer(&timers);
    poll->SetInterval(150);
    std::vector<HWND> seen;
    const HWND main = GetActiveWindow();
    poll->OnTimer = [&](TComponent*) {
        const HWND front = GetActiveWindow();
        if (!front || front == main || !IsWindowVisible(front)) return;
        poll->SetEnabled(false);
        const bool first = seen.empty();
        bool opened = false;
        if (std::find(seen.begin(), seen.end(), front) == seen.end()) {
            seen.push_back(front);
            check.CheckDialog(front);
            if (first && Steps) opened = Steps(front, check);
        }
        poll->SetEnabled(true);
        if (opened) return;
        // A question on the way out (the wizard's) is answered Yes.
        if (const HWND yes = ButtonOf(front, "&Yes"))
            PostMessageA(yes, BM_CLICK, 0, 0);
        else
            PostMessageA(front, WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    Open();
    EXPECT_FALSE(seen.empty()) << Where << " never showed";
    Settle();
    return check.Problems;
}

std::string Lines(const std::vector<std::string>& Problems) {
    std::string all;
    for (const std::string& p : Problems) all += "\n  " + p;
    return all;
}

class DialogLayout : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        Settle();
        ToFront();
    }
    void TearDown() override { CloseEveryScreen(); }
    // A command of the main window's menu, as its item's click runs it.
    static std::function<void()> Menu(const char* Item) {
        return [Item] {
            auto* item = dynamic_cast<TMenuItem*>(frmMain->FindComponent(Item));
            ASSERT_NE(item, nullptr) << Item;
            item->OnClick(item);
        };
    }
};

TEST_F(DialogLayout, TheProgramsDialogsShowEveryCaptionAndNumberWhole) {
    ::Options |= OptNewDialog;
    DefaultScreen = std::string("\x10\x00\x10\x00\xFF\xFF\xFF", 7);  // 1600 x 1600, the largest
    std::vector<std::string> problems;
    auto add = [&](const std::vector<std::string>& p) { problems.insert(problems.end(), p.begin(), p.end()); };
    add(CheckWhileOpen("Options", Menu("mnuViewOptions")));
    add(CheckWhileOpen("New > Change", Menu("mnuFileNew"), Press("&Change...")));
    ::Options &= ~OptNewDialog;
    Menu("mnuFileNew")();
    ASSERT_NE(ScreenAt(0), nullptr) << "a screen for the image commands";
    add(CheckWhileOpen("Resize", Menu("mnuImageResize")));
    add(CheckWhileOpen("Brightness", Menu("mnuImageBrightness")));
    add(CheckWhileOpen("Color Depth", Menu("mnuImageDepthDepth")));
    add(CheckWhileOpen("Flip and Rotate", Menu("mnuImageFlipRotate")));
    add(CheckWhileOpen("Windows", Menu("mnuWindowWindows")));
    add(CheckWhileOpen("Set as Wallpaper", Menu("mnuFileSetAsWallpaper")));
    add(CheckWhileOpen("About", Menu("mnuHelpAbout")));
    add(CheckWhileOpen("Startup", [] { frmStartup->ShowModal(); }));
    add(CheckWhileOpen("Screen Capture", Menu("mnuCaptureCapture")));
    add(CheckWhileOpen("Capture Themes", Menu("mnuCaptureThemeList")));
    EXPECT_TRUE(problems.empty()) << "expected every caption and number whole, found:" << Lines(problems);
}

TEST_F(DialogLayout, TheLibrariesDialogsShowEveryCaptionAndNumberWhole) {
    std::vector<std::string> problems;
    auto add = [&](const std::vector<std::string>& p) { problems.insert(problems.end(), p.begin(), p.end()); };
    add(CheckWhileOpen("Colors", [] {
        TColor colour = 0xFFFFFF;
        ZvShowColor(ShortString("Layout"), colour);
    }));
    add(CheckWhileOpen("Font", [] {
        ShortString name("Tahoma");
        int size = 72;
        BYTE style = 15;
        TColor colour = 0;
        ZvShowFont(ShortString("Layout"), ShortString("AaBbYyZz"), name, size, style, colour);
    }));
    add(CheckWhileOpen("Browse", [] {
        ShortString folder("C:\\windows");
        ZvShowBrowse(ShortString("Choose a default document location below."), folder, ShortString(""));
    }));
    add(CheckWhileOpen("Message box", [] {
        ZvMessageBox(ShortString("Cannot find 'C:\\nowhere'. Make sure the path is correct."), ShortString(""), 1,
                     16, ShortString("OK"), ShortString(""), ShortString(""));
    }));
    // Each page of the wizard, turned with its Next button.
    add(CheckWhileOpen(
        "Capture Wizard",
        [] {
            TCaptureSettings settings = {};
            BYTE flag = 1;
            ZvShowWizard(settings, flag);
        },
        [](HWND Wizard, LayoutCheck& Check) {
            for (int page = 1; page <= 5; ++page) {
                SendMessageA(ButtonOf(Wizard, "&Next >"), BM_CLICK, 0, 0);
                PumpFor(50);
                Check.CheckDialog(Wizard, "page " + std::to_string(page) + ", ");
            }
            return false;
        }));
    // The Properties dialog for each item of a When, What and Then setting.
    for (int code : {11, 12, 13, 21, 22, 31, 33})
        add(CheckWhileOpen("Properties of item " + std::to_string(code), [code] {
            ShortString settings;
            ZvDefaultCapture(code / 10, settings);
            int child = 0;
            ZvShowPropertiesInit();
            ZvShowProperties(code, ShortString("item"), settings, child);
            ZvShowPropertiesFree();
        }));
    EXPECT_TRUE(problems.empty()) << "expected every caption and number whole, found:" << Lines(problems);
}

}  // namespace
