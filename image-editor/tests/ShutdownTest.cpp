// The end of the main window when its settings cannot be stored: the
// failure is told, and the rest of the window's end runs all the same.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Main.h"
#include "RegData.h"
#include "Registry.h"
#include "Startup.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

const char* const kProgramKey = "Software\\Zelvani\\Mirolux";

// Whether the window's procedure, when the window goes, is its class's
// own again, noted by a hook of this thread.
HWND Watched = nullptr;
int OwnProcedureAtEnd = -1;
LRESULT CALLBACK WatchDestruction(int Code, WPARAM WParam, LPARAM LParam) {
    const auto wnd = reinterpret_cast<HWND>(WParam);
    if (Code == HCBT_DESTROYWND && wnd == Watched)
        OwnProcedureAtEnd = GetWindowLongPtrA(wnd, GWLP_WNDPROC) == static_cast<LONG_PTR>(GetClassLongPtrA(wnd, GCLP_WNDPROC));
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

class MainWindowEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // No lasting key can be made below a volatile one: the settings
        // cannot be stored.
        TRegistry().DeleteKey(std::string("\\") + kProgramKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        Application->Initialize();
        Application->SetTitle(ProgramTitle);
        Application->OnException = [this](const std::exception* e) { told = e ? e->what() : "?"; };
        hook = SetWindowsHookExA(WH_CBT, &WatchDestruction, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        Mouse(MOUSEEVENTF_LEFTUP);
        ClipCursor(nullptr);
        if (hook) UnhookWindowsHookEx(hook);
        Application->OnException = nullptr;
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
    }
    HHOOK hook = nullptr;
    std::string told;
};

// A point of the drawing bar that is the bar's own, not one of its bands'
// controls.
bool BarPoint(POINT& Found) {
    const HWND bar = frmMain->clbDrawings->Handle();
    RECT r;
    GetWindowRect(bar, &r);
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
        for (int x = r.left + 1; x < r.right - 1; ++x)
            if (WindowFromPoint(POINT{x, y}) == bar) {
                Found = POINT{x, y};
                return true;
            }
    return false;
}

TEST_F(MainWindowEnd, AStoreThatFailsIsToldAndTheRestOfTheEndStillRuns) {
    Application->CreateForm(frmMain);
    ASSERT_TRUE(PumpUntil([] { return frmMain->Enabled() && IsWindowVisible(frmMain->Handle()); }));
    Watched = frmMain->Handle();

    // The left button held on the drawing bar keeps the mouse inside it.
    POINT press;
    ASSERT_TRUE(BarPoint(press)) << "no point of the drawing bar is its own";
    ToFront();
    MouseTo(press);
    PumpFor(100);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    RECT bar, clip;
    GetWindowRect(frmMain->clbDrawings->Handle(), &bar);
    ASSERT_TRUE(PumpUntil([&] { return GetClipCursor(&clip) && EqualRect(&clip, &bar); }))
        << "the press did not keep the mouse in the bar";

    Free(frmMain);
    frmMain = nullptr;
    EXPECT_NE(told, "") << "the failed store was not told";
    GetClipCursor(&clip);
    const RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_TRUE(EqualRect(&clip, &screen)) << "the mouse stays kept in (" << clip.left << ", " << clip.top << ")-("
                                           << clip.right << ", " << clip.bottom << ")";
    EXPECT_EQ(DrawingFont, nullptr) << "the drawing font was not freed";
    EXPECT_EQ(OwnProcedureAtEnd, 1) << "the window's own procedure was not put back";
}

}  // namespace
