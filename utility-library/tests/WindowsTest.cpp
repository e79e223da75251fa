// Windows of the caller: the mouse kept inside a control, forms kept on the
// screen, and windows brought to the front.
#include <gtest/gtest.h>

#include "ProbeForm.h"
#include "Zelvani.h"

using namespace forms;
using namespace testsupport;

namespace {

RECT WholeScreen() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

RECT Clip() {
    RECT r = {};
    GetClipCursor(&r);
    return r;
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        frm = new TfrmProbe(Application);
        frm->Show();
        PumpFor(100);
    }
    void TearDown() override {
        ClipCursor(nullptr);
        delete frm;
    }
    TfrmProbe* frm = nullptr;
};

TEST_F(Windows, ClipControlKeepsTheMouseInsideTheControlUntilReleased) {
    const RECT button = WindowRect(frm->cmdButton->Handle());
    ZvClipControl(frm->cmdButton);
    EXPECT_TRUE(SameRect(Clip(), button)) << "expected the clip " << ShowRect(button) << ", got " << ShowRect(Clip());
    SetCursorPos(button.right + 100, button.bottom + 100);
    POINT p;
    GetCursorPos(&p);
    EXPECT_TRUE(PtInRect(&button, p)) << "the mouse went to (" << p.x << ", " << p.y << "), outside "
                                      << ShowRect(button);

    ZvClipControl(nullptr);
    const RECT screen = WholeScreen();
    EXPECT_TRUE(SameRect(Clip(), screen)) << "expected the whole screen " << ShowRect(screen) << ", got "
                                          << ShowRect(Clip());
    SetCursorPos(button.right + 100, button.bottom + 100);
    GetCursorPos(&p);
    EXPECT_EQ(p.x, button.right + 100) << "released, the mouse goes anywhere";
    EXPECT_EQ(p.y, button.bottom + 100);
}

TEST_F(Windows, ClipControlOfAControlWithoutWindowReleases) {
    ZvClipControl(frm->cmdButton);
    ASSERT_FALSE(SameRect(Clip(), WholeScreen())) << "the button's clip did not take";
    auto* loose = new TButton(frm);  // no parent: it has no window yet
    ASSERT_EQ(loose->Handle(), nullptr);
    ZvClipControl(loose);
    EXPECT_TRUE(SameRect(Clip(), WholeScreen())) << "got " << ShowRect(Clip());
}

RECT WorkArea() {
    RECT r;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// Moves the form's window to (X, Y), keeping its size, and checks that the
// form took the place.
void Place(TForm* Form, int X, int Y, int W = 0, int H = 0) {
    const RECT r = WindowRect(Form->Handle());
    SetWindowPos(Form->Handle(), nullptr, X, Y, W ? W : r.right - r.left, H ? H : r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT now = WindowRect(Form->Handle());
    ASSERT_EQ(now.left, X) << "the system did not place the window at " << X << ", " << Y;
    ASSERT_EQ(now.top, Y);
}

TEST_F(Windows, EnsureVisibleMovesAFormOverTheTopLeftEdgeIn) {
    const RECT area = WorkArea();
    ASSERT_NO_FATAL_FAILURE(Place(frm, area.left - 60, area.top - 40));
    const RECT before = WindowRect(frm->Handle());
    ZvEnsureVisible(frm);
    const RECT after = WindowRect(frm->Handle());
    EXPECT_EQ(after.left, area.left) << "got " << ShowRect(after) << " in the work area " << ShowRect(area);
    EXPECT_EQ(after.top, area.top) << "got " << ShowRect(after) << " in the work area " << ShowRect(area);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "the width stays";
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the height stays";
    EXPECT_EQ(frm->Left(), after.left) << "the form's Left follows its window";
    EXPECT_EQ(frm->Top(), after.top) << "the form's Top follows its window";
}

TEST_F(Windows, EnsureVisibleMovesAFormOverTheBottomRightEdgeIn) {
    const RECT area = WorkArea();
    ASSERT_NO_FATAL_FAILURE(Place(frm, area.right - 100, area.bottom - 50));
    const RECT before = WindowRect(frm->Handle());
    ZvEnsureVisible(frm);
    const RECT after = WindowRect(frm->Handle());
    EXPECT_EQ(after.right, area.right) << "got " << ShowRect(after) << " in the work area " << ShowRect(area);
    EXPECT_EQ(after.bottom, area.bottom) << "got " << ShowRect(after) << " in the work area " << ShowRect(area);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "the width stays";
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the height stays";
    EXPECT_EQ(frm->Left(), after.left);
    EXPECT_EQ(frm->Top(), after.top);
}

TEST_F(Windows, EnsureVisibleLeavesAFormOnTheScreenWhereItIs) {
    const RECT area = WorkArea();
    ASSERT_NO_FATAL_FAILURE(Place(frm, area.left + 10, area.top + 20));
    ZvEnsureVisible(frm);
    const RECT after = WindowRect(frm->Handle());
    EXPECT_EQ(after.left, area.left + 10) << "got " << ShowRect(after);
    EXPECT_EQ(after.top, area.top + 20) << "got " << ShowRect(after);
    const RECT edge = WindowRect(frm->Handle());
    ASSERT_NO_FATAL_FAILURE(Place(frm, area.right - (edge.right - edge.left), area.bottom - (edge.bottom - edge.top)));
    const RECT corner = WindowRect(frm->Handle());
    ZvEnsureVisible(frm);
    EXPECT_TRUE(SameRect(WindowRect(frm->Handle()), corner)) << "a form in the corner stays, got "
                                                             << ShowRect(WindowRect(frm->Handle()));
}

// A form wider than the work area keeps its size and starts at the work
// area's left edge; the other direction fits as usual.
TEST_F(Windows, EnsureVisiblePutsAFormLargerThanTheScreenAtItsStart) {
    const RECT area = WorkArea();
    // The system may make it less wide than asked, but not narrower than the
    // screen with the form's borders.
    ASSERT_NO_FATAL_FAILURE(Place(frm, area.left + 50, area.bottom - 100, area.right - area.left + 200, 300));
    const RECT before = WindowRect(frm->Handle());
    const int w = before.right - before.left;
    ASSERT_GT(w, area.right - area.left) << "the form is no wider than the work area " << ShowRect(area);
    ZvEnsureVisible(frm);
    const RECT after = WindowRect(frm->Handle());
    EXPECT_EQ(after.left, area.left) << "got " << ShowRect(after);
    EXPECT_EQ(after.right - after.left, w) << "the width stays";
    EXPECT_EQ(after.bottom, area.bottom) << "got " << ShowRect(after);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the height stays";
    EXPECT_EQ(frm->Left(), after.left);
    EXPECT_EQ(frm->Top(), after.top);
}

TEST_F(Windows, EnsureVisibleOfNoFormDoesNothing) {
    const RECT before = WindowRect(frm->Handle());
    ZvEnsureVisible(nullptr);
    EXPECT_TRUE(SameRect(WindowRect(frm->Handle()), before));
}

TEST_F(Windows, SetForegroundWindowBringsAnotherFormToTheFront) {
    auto* other = new TfrmProbe(Application, "Other");
    other->Show();
    SetForegroundWindow(other->Handle());
    PumpFor(100);
    ASSERT_EQ(GetForegroundWindow(), other->Handle()) << "the second form did not come to the front";
    ZvSetForegroundWindow(frm->Handle());
    PumpFor(100);
    EXPECT_EQ(GetForegroundWindow(), frm->Handle());
    delete other;
}

// The window of the process once it has been in front for a while (its
// activation has settled on the display), or nullptr.
HWND FrontWindowOf(DWORD Process) {
    HWND found = nullptr;
    DWORD since = 0;
    PumpUntil(
        [&] {
            HWND front = GetForegroundWindow();
            DWORD pid = 0;
            if (front) GetWindowThreadProcessId(front, &pid);
            if (pid != Process || front != found) {
                found = pid == Process ? front : nullptr;
                since = GetTickCount();
            }
            return found && GetTickCount() - since >= 500;
        },
        10000);
    return found;
}

TEST_F(Windows, SetForegroundWindowComesOverAnotherProgram) {
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    std::string cmd = "\"" + std::string(system) + "\\notepad.exe\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << "cannot start " << cmd;
    WaitForInputIdle(pi.hProcess, 10000);
    HWND notepad = FrontWindowOf(pi.dwProcessId);
    if (notepad) {
        ZvSetForegroundWindow(frm->Handle());
        EXPECT_EQ(GetForegroundWindow(), frm->Handle()) << "notepad stayed in front";
        PumpFor(300);
        EXPECT_EQ(GetForegroundWindow(), frm->Handle()) << "the form did not stay in front";
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_NE(notepad, nullptr) << "notepad's window never came to the front";
}

TEST_F(Windows, SetForegroundWindowOfNoWindowChangesNothing) {
    SetForegroundWindow(frm->Handle());
    PumpFor(50);
    ASSERT_EQ(GetForegroundWindow(), frm->Handle());
    HWND gone = CreateWindowA("STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    ZvSetForegroundWindow(gone);
    ZvSetForegroundWindow(nullptr);
    PumpFor(50);
    EXPECT_EQ(GetForegroundWindow(), frm->Handle());
}

}  // namespace
