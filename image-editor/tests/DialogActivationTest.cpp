// After a dialog that the main window waits for closes (the program's own
// or a library's), the main window is active again: the next key the user
// presses reaches it without a click first.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "CaptureExecution.h"
#include "ProgramWindows.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// Where a user clicks a dialog's button: a push button by its caption, or
// with no caption the first button of the dialog's tool bar (the about
// box's OK); (-1, -1) when the dialog has none.
POINT ButtonOf(HWND Dialog, const std::string& Caption) {
    struct Search {
        std::string Caption;
        POINT At = {-1, -1};
        static BOOL CALLBACK Match(HWND W, LPARAM P) {
            auto& s = *reinterpret_cast<Search*>(P);
            char cls[64] = {}, text[64] = {};
            GetClassNameA(W, cls, sizeof cls);
            GetWindowTextA(W, text, sizeof text);
            if (!s.Caption.empty() && lstrcmpiA(cls, "Button") == 0 && s.Caption == text) {
                s.At = CentreOf(W);
            } else if (s.Caption.empty() && lstrcmpiA(cls, TOOLBARCLASSNAMEA) == 0) {
                RECT r = {};
                if (!SendMessageA(W, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return TRUE;
                MapWindowPoints(W, nullptr, reinterpret_cast<POINT*>(&r), 2);
                s.At = CentreOf(r);
            } else {
                return TRUE;
            }
            return FALSE;
        }
    } search{Caption};
    EnumChildWindows(Dialog, &Search::Match, reinterpret_cast<LPARAM>(&search));
    return search.At;
}

class DialogActivation : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { CloseEveryScreen(); }

    // Opens a dialog by Open (the user's key or click on the main window),
    // clicks its button once it is in front and waits until it has gone.
    void CloseByClick(const std::function<void()>& Open, const std::string& Button) {
        const auto dialog = [Button]() -> HWND {
            HWND active = GetActiveWindow();
            return active && active != frmMain->Handle() && ButtonOf(active, Button).x >= 0 ? active : nullptr;
        };
        WhenReady(timers, [dialog] { return dialog() != nullptr; }, [this, dialog, Button] {
            PumpFor(300);  // the about box shows its button's picture a moment later
            ClickAt(ButtonOf(dialog(), Button));
            clicked = true;
        });
        Open();
        ASSERT_TRUE(PumpUntil([this] { return clicked && frmMain->Enabled(); }, 10000))
            << "the dialog with the button \"" << Button << "\" did not show or did not close";
        Settle();
    }
    // Alt+H as a user presses it, with no window brought in front first:
    // the main window drops its Help menu, which Escape closes again.
    bool KeysReachTheMainWindow() {
        WhenReady(timers, [] { return OpenMenu() != nullptr; }, [this] {
            helpMenu = true;
            for (int i = 0; i < 2; ++i) {
                Key(VK_ESCAPE, false);
                Key(VK_ESCAPE, true);
            }
        });
        Key(VK_MENU, false);
        Key('H', false);
        Key('H', true);
        Key(VK_MENU, true);
        PumpUntil([this] { return helpMenu; }, 3000);
        Settle();
        return helpMenu;
    }

    TComponent timers{nullptr};
    bool clicked = false, helpMenu = false;
};

TEST_F(DialogActivation, AfterCancelInScreenCapture) {
    CloseByClick([] { Press(VK_F8); }, "Cancel");
    EXPECT_TRUE(KeysReachTheMainWindow()) << "active window: " << GetActiveWindow() << ", main "
                                          << frmMain->Handle();
}

TEST_F(DialogActivation, AfterCancelInPreviousScreen) {
    if (!CapturedBitmap) {
        CapturedBitmap = new TBitmap;
        CapturedBitmap->SetSize(40, 30);
    }
    CloseByClick([] { Press(VK_F9); }, "Cancel");
    EXPECT_TRUE(KeysReachTheMainWindow()) << "active window: " << GetActiveWindow();
}

TEST_F(DialogActivation, AfterCancelInColorsOfTheActiveColourBox) {
    TImage* active = Drawings[1] == 1 ? frmMain->picBackColor : frmMain->picForeColor;
    CloseByClick([active] { ClickOn(active->Handle()); }, "Cancel");
    EXPECT_TRUE(KeysReachTheMainWindow()) << "active window: " << GetActiveWindow();
}

TEST_F(DialogActivation, AfterOKInTheAboutBox) {
    CloseByClick([] {
        PressAlt('H');
        Press('A');  // the menu's loop takes the second key
    }, "");
    EXPECT_TRUE(KeysReachTheMainWindow()) << "active window: " << GetActiveWindow();
}

}  // namespace
