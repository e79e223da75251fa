// Helpers for tests that drive real windows: input as a user's hands give it
// (SendInput), and waiting while the messages are handled.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

#include "Forms.h"
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

// Runs Action once, from the message loop that is running DelayMs from now
// (a modal form's, typically). The timer belongs to Owner.
inline void Later(forms::TComponent* Owner, std::function<void()> Action, unsigned DelayMs = 100) {
    auto* t = new forms::TTimer(Owner);
    t->SetInterval(DelayMs);
    t->OnTimer = [t, Action](forms::TComponent*) {
        t->SetEnabled(false);
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

// Presses and releases a key, with Shift held when asked.
inline void Press(WORD Vk, bool Shift = false) {
    if (Shift) Key(VK_SHIFT, false);
    Key(Vk, false);
    Key(Vk, true);
    if (Shift) Key(VK_SHIFT, true);
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
    MouseTo(CentreOf(Wnd));
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

}  // namespace testsupport
