// Window > Windows... (Shift+F12) and a double click on the status bar's
// first panel in the program's own main window: the list of the open
// screens as the dialog shows it, and the screen that comes to the front.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramWindows.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// The lines of the dialog's list as its window holds them, top to bottom.
std::vector<std::string> ListedLines() {
    std::vector<std::string> lines;
    HWND list = frmWindow->lstWindowList->Handle();
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

int ChosenLine() { return static_cast<int>(SendMessageA(frmWindow->lstWindowList->Handle(), LB_GETCURSEL, 0, 0)); }

class WindowList : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        SetOption(OptStatusBar, true);
        frmMain->UpdateStatusBar();
    }
    void TearDown() override { CloseEveryScreen(); }

    TfrmChild* Screen(const std::string& Caption) {
        TfrmChild* screen = CreateScreen(Caption, 2);
        screen->SetPictureSize(40, 30);
        return screen;
    }

    // Opens the list with Open, notes what it shows, and closes it with
    // Answer. False when the dialog never showed.
    bool UseList(const std::function<void()>& Open, const std::function<void()>& Answer) {
        lines.clear();
        chosen = -2;
        return UseDialog(frmWindow, &timers, Open, [&] {
            lines = ListedLines();
            chosen = ChosenLine();
            Answer();
        });
    }
    static void ShiftF12() { Chord({VK_SHIFT}, VK_F12); }

    std::vector<std::string> lines;
    int chosen = -2;
    TComponent timers{nullptr};
};

TEST_F(WindowList, FourteenScreensShowAScrollBarThatTheWheelTurns) {
    for (int i = 1; i <= 14; ++i) Screen("Screen " + std::to_string(i));
    bool scrollBar = false;
    int top = 0;
    ASSERT_TRUE(UseList(ShiftF12, [&] {
        HWND list = frmWindow->lstWindowList->Handle();
        scrollBar = (GetWindowLongPtrA(list, GWL_STYLE) & WS_VSCROLL) != 0;
        MouseTo(CentreOf(list));
        INPUT wheel = {INPUT_MOUSE};
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
        SendInput(1, &wheel, sizeof wheel);
        PumpUntil([list] { return SendMessageA(list, LB_GETTOPINDEX, 0, 0) > 0; }, 2000);
        top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
        Press(VK_ESCAPE);
    })) << "Shift+F12 showed no list";
    EXPECT_EQ(lines.size(), 14u);
    EXPECT_TRUE(scrollBar) << "14 lines show no scroll bar";
    EXPECT_GT(top, 0) << "the wheel left the first line at the top";
}

TEST_F(WindowList, LinesAreSortedAsTextAndTheirNumbersNameTheirScreens) {
    TfrmChild* two = Screen("Screen 2");
    TfrmChild* ten = Screen("Screen 10");
    ASSERT_TRUE(UseList(ShiftF12, [] { Press(VK_ESCAPE); })) << "Shift+F12 showed no list";
    // The active screen is the last made, first in the frame's order.
    const std::vector<std::string> expected = {"Screen 10  0", "Screen 2  1"};
    EXPECT_EQ(lines, expected) << "sorted as text, \"Screen 10\" comes before \"Screen 2\"";
    EXPECT_EQ(chosen, 0) << "the active screen's line is chosen";
    EXPECT_EQ(ScreenAt(0), ten);
    EXPECT_EQ(ScreenAt(1), two);
    EXPECT_EQ(ActiveScreen(), ten) << "Escape changed the active screen";

    // Down to "Screen 2" and Enter: that screen comes to the front.
    ASSERT_TRUE(UseList(ShiftF12, [] {
        Press(VK_DOWN);
        Press(VK_RETURN);
    }));
    EXPECT_EQ(ActiveScreen(), two) << "Activate did not bring the chosen screen forward";
}

TEST_F(WindowList, OfTwoScreensWithOneCaptionTheLinesNumberDecides) {
    TfrmChild* first = Screen("Twin");
    TfrmChild* second = Screen("Twin");
    ASSERT_TRUE(UseList(ShiftF12, [] { Press(VK_ESCAPE); }));
    EXPECT_EQ(lines, (std::vector<std::string>{"Twin  0", "Twin  1"}));
    EXPECT_EQ(chosen, 0);

    // The second line names the screen behind the active one.
    ASSERT_TRUE(UseList(ShiftF12, [] {
        Press(VK_DOWN);
        Press(VK_RETURN);
    }));
    EXPECT_EQ(ActiveScreen(), first) << "the other screen of that caption came forward";
    ASSERT_TRUE(UseList(ShiftF12, [] {
        Press(VK_DOWN);
        Press(VK_RETURN);
    }));
    EXPECT_EQ(ActiveScreen(), second);
}

TEST_F(WindowList, ActivateWithNoLineChosenChangesNothing) {
    Screen("One");
    TfrmChild* active = Screen("Two");
    ASSERT_TRUE(UseList(ShiftF12, [] {
        // No line chosen, as a list without a choice has it.
        SendMessageA(frmWindow->lstWindowList->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ClickOn(frmWindow->cmdActivate->Handle());
    }));
    EXPECT_FALSE(frmWindow->Showing());
    EXPECT_EQ(ActiveScreen(), active);
    EXPECT_EQ(ScreenCount(), 2);
}

TEST_F(WindowList, ADoubleClickOnTheFirstStatusPanelOrOnALineUsesTheList) {
    TfrmChild* back = Screen("Back");
    Screen("Front");
    frmMain->tmrMain_Timer(nullptr);
    RECT panel;
    GetWindowRect(frmMain->panStatusBar1->Handle(), &panel);
    // Right of the caption's text, where the panel itself takes the mouse.
    const POINT onPanel = {panel.right - 20, (panel.top + panel.bottom) / 2};
    ASSERT_TRUE(UseList([&] { MouseClicks(onPanel, 2); },
                        [] {
                            // "Back" is the first line: a double click on it.
                            RECT line;
                            SendMessageA(frmWindow->lstWindowList->Handle(), LB_GETITEMRECT, 0,
                                         reinterpret_cast<LPARAM>(&line));
                            MapWindowPoints(frmWindow->lstWindowList->Handle(), nullptr,
                                            reinterpret_cast<POINT*>(&line), 2);
                            MouseClicks(CentreOf(line), 2);
                        }))
        << "a double click on the status bar's first panel showed no list";
    EXPECT_EQ(lines, (std::vector<std::string>{"Back  1", "Front  0"}));
    EXPECT_EQ(ActiveScreen(), back) << "a double click on the line did not activate its screen";
}

TEST_F(WindowList, WithoutScreensNothingShows) {
    ASSERT_EQ(ScreenCount(), 0);
    EXPECT_FALSE(UseList(ShiftF12, [] { Press(VK_ESCAPE); })) << "the list showed with no screen open";
}

}  // namespace
