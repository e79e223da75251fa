// Helpers for tests that drive real windows: input as a user's hands give it
// (SendInput), and waiting while the messages are handled.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "Forms.h"
#include "Registry.h"
#include "Timer.h"

namespace testsupport {

// Handles messages until Done() holds or Ms milliseconds have passed;
// returns whether Done() held.
inline bool PumpUntil(const std::function<bool()>& Done, int Ms = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        forms::Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(int Ms) {
    PumpUntil([] { return false; }, Ms);
}

inline BOOL CALLBACK CloseIfEnabled(HWND Wnd, LPARAM) {
    if (IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) PostMessageA(Wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

// Runs Action once, from the message loop that is running DelayMs from now
// (a modal form's, typically). The timers belong to Owner. When the action
// finds a new window in front (the modal one it is meant to drive) and that
// window is still open 8 seconds later, the thread's windows are closed, and
// again every 8 seconds while it stays, so that the test fails on its result
// instead of hanging. Once that window has gone the watch ends, so that it
// never closes the windows of a later test.
inline void Later(forms::TComponent* Owner, std::function<void()> Action, unsigned DelayMs = 100) {
    auto* t = new forms::TTimer(Owner);
    auto* watchdog = new forms::TTimer(Owner);
    watchdog->SetEnabled(false);
    watchdog->SetInterval(8000);
    const HWND before = GetActiveWindow();
    t->SetInterval(DelayMs);
    t->OnTimer = [t, watchdog, before, Action](forms::TComponent*) {
        t->SetEnabled(false);
        const HWND driven = GetActiveWindow();
        if (driven && driven != before) {
            watchdog->OnTimer = [watchdog, driven](forms::TComponent*) {
                if (!IsWindow(driven) || !IsWindowVisible(driven)) {
                    watchdog->SetEnabled(false);
                    return;
                }
                // The modal window is the thread's one visible window still
                // enabled (a box over it, or the window itself).
                EnumThreadWindows(GetCurrentThreadId(), &CloseIfEnabled, 0);
            };
            watchdog->SetEnabled(true);
        }
        Action();
    };
}

inline void Key(WORD Vk, bool Up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = Vk;
    in.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Keys go to the window in front, as a user's do: the thread's active
// window is brought there first. Under Wine a focus change of the X server
// can arrive late and hand the front to the desktop again, so this waits
// until the window stays in front.
// Keyboard and mouse input already sent stays queued for the loop that owns
// the window: a modal form of another module handles its own dialog keys.
inline void ToFront() {
    HWND active = GetActiveWindow();
    if (!active) return;
    for (int settled = 0, tries = 0; settled < 10 && tries < 100; ++tries) {
        if (GetForegroundWindow() == active) {
            ++settled;
        } else {
            settled = 0;
            SetForegroundWindow(active);
        }
        Sleep(10);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT))
            DispatchMessageA(&msg);
    }
}

// Presses and releases a key, with Shift held when asked.
inline void Press(WORD Vk, bool Shift = false) {
    ToFront();
    if (Shift) Key(VK_SHIFT, false);
    Key(Vk, false);
    Key(Vk, true);
    if (Shift) Key(VK_SHIFT, true);
}

// Alt and a key, as for an underlined letter.
inline void PressAlt(WORD Vk) {
    ToFront();
    Key(VK_MENU, false);
    Key(Vk, false);
    Key(Vk, true);
    Key(VK_MENU, true);
}

// Moves the mouse to a point of the screen.
inline void MouseTo(POINT P) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(P.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(P.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

inline POINT CentreOf(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A left click at the centre of a window.
inline void ClickOn(HWND Wnd) {
    ToFront();
    MouseTo(CentreOf(Wnd));
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

// The colour of a pixel of the screen, as the user sees it.
inline COLORREF ScreenPixel(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return c;
}

// The bytes of a stored registry value under HKEY_CURRENT_USER, or
// "<missing>".
inline std::string StoredBytes(const char* Key, const char* Name) {
    forms::TRegistry reg;
    if (!reg.OpenKeyReadOnly(Key) || !reg.ValueExists(Name)) return "<missing>";
    std::string data(static_cast<size_t>(reg.GetDataSize(Name)), '\0');
    reg.ReadBinaryData(Name, data.data(), static_cast<int>(data.size()));
    return data;
}

}  // namespace testsupport
