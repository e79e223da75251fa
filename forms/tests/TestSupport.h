// Helpers for tests that drive real windows: input as a user's hands give it
// (SendInput), and waiting while the messages are handled.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "Forms.h"
#include "Registry.h"
#include "Timer.h"

namespace testsupport {

// Handles messages until Done() holds or Ms milliseconds have passed;
// returns whether Done() held. The default leaves room for a machine busy
// with other work: only a fault waits that long.
inline bool PumpUntil(const std::function<bool()>& Done, int Ms = 10000) {
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

// Runs Action once Ready() holds, from a timer that runs in whatever modal
// loop is running then (a dialog's, a message box's or a menu's, opened by
// the input that the caller sends next). After five seconds it gives up.
inline void WhenReady(forms::TComponent& Owner, std::function<bool()> Ready, std::function<void()> Action) {
    auto* timer = new forms::TTimer(&Owner);
    timer->SetInterval(100);
    timer->Tag = 0;  // the tries so far
    timer->OnTimer = [timer, Ready, Action](forms::TComponent*) {
        if (!Ready()) {
            if (++timer->Tag >= 50) timer->SetEnabled(false);
            return;
        }
        timer->SetEnabled(false);
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

// A virtual-key code that no key of a keyboard sends and no control
// handles: the probe that shows which thread the keys reach.
constexpr WORD kProbeKey = 0xE8;

// Handles the messages sent and posted to the thread, and its paints, but
// leaves its keyboard and mouse input queued: input sent before belongs to
// the loop that owns the window (a modal form of another module handles its
// own dialog keys). Each pass also reads what the display reported (under
// Wine, the X server's focus changes).
inline void PumpAllButInput() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT))
        DispatchMessageA(&msg);
}

// Takes the probe keys at the front of this thread's keyboard input out of
// it, unseen by any window; returns how many there were.
inline int TakeProbes() {
    int taken = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) && msg.wParam == kProbeKey) {
        PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        ++taken;
    }
    return taken;
}

// Whether a key press waits in this thread's keyboard input. A key release
// alone proves nothing: the release of the key that closed a form can come
// after the form shows again, before the display's focus has followed.
inline bool KeyPressQueued() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) ||
           PeekMessageA(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE);
}

// Sends the probe key (down and up) and waits up to Ms for it in this
// thread's keyboard input. Key presses queued before it show that keys reach
// this thread already: they stay queued, and the probe with them (a probe
// behind other keys shows as a queued press).
inline bool ProbeReachesThisThread(int Ms) {
    TakeProbes();  // of a try before, which came late
    if (KeyPressQueued()) return true;
    Key(kProbeKey, false);
    Key(kProbeKey, true);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    for (int taken = 0; (taken += TakeProbes()) < 2;) {
        if (KeyPressQueued()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        PumpAllButInput();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_KEY);
    }
    return true;
}

// Sends the probe key and waits up to Ms until the thread of another
// process's window has taken it from its queue: for a while the two threads
// share one input state, whose key toggles change as that thread takes keys.
inline bool ProbeReachesThreadOf(HWND Wnd, int Ms) {
    const DWORD mine = GetCurrentThreadId(), theirs = GetWindowThreadProcessId(Wnd, nullptr);
    if (!AttachThreadInput(mine, theirs, TRUE)) return false;
    const SHORT before = GetKeyState(kProbeKey) & 1;
    Key(kProbeKey, false);
    Key(kProbeKey, true);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    bool arrived = false;
    while (!(arrived = (GetKeyState(kProbeKey) & 1) != before) && std::chrono::steady_clock::now() < end) {
        PumpAllButInput();
        Sleep(5);
    }
    AttachThreadInput(mine, theirs, FALSE);
    return arrived;
}

// Waits up to Ms until Wnd, a top-level window of this process or another,
// takes the keys a user types: it is the foreground window, a probe key sent
// now reaches its thread, and it is still in front once the display's focus
// events that came meanwhile have been handled. Under Wine the X server's
// focus follows a change of the front window late, and a focus event that
// comes late hands the front to the desktop again: a key sent in between is
// lost. Input sent before stays queued.
inline bool TakesKeys(HWND Wnd, int Ms = 10000) {
    const bool ours = GetWindowThreadProcessId(Wnd, nullptr) == GetCurrentThreadId();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (std::chrono::steady_clock::now() < end) {
        if (!IsWindow(Wnd)) return false;
        if (GetForegroundWindow() != Wnd) {
            SetForegroundWindow(Wnd);
            PumpAllButInput();
            Sleep(10);
            continue;
        }
        if (!(ours ? ProbeReachesThisThread(1000) : ProbeReachesThreadOf(Wnd, 1000))) continue;
        // A focus event still on its way would take the front away now.
        // Another program's thread reads the display's events as it takes
        // its messages: a message sent to it and answered has let it.
        for (int i = 0; i < 5 && GetForegroundWindow() == Wnd; ++i) {
            Sleep(10);
            PumpAllButInput();
            DWORD_PTR answer = 0;
            if (!ours) SendMessageTimeoutA(Wnd, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer);
        }
        if (GetForegroundWindow() == Wnd) return true;
    }
    return false;
}

// Keys and clicks go to the window in front, as a user's do: the thread's
// active window is brought there first, and taken there when it takes the
// keys (TakesKeys).
inline void ToFront() {
    HWND active = GetActiveWindow();
    if (active && !TakesKeys(active)) ADD_FAILURE() << "the active window did not take the keys in front";
}

// Presses and releases a key while a modifier key (VK_SHIFT, VK_CONTROL,
// VK_MENU) is held, or none (0).
inline void PressWith(WORD Modifier, WORD Vk) {
    ToFront();
    if (Modifier) Key(Modifier, false);
    Key(Vk, false);
    Key(Vk, true);
    if (Modifier) Key(Modifier, true);
}

// Presses and releases a key, with Shift held when asked.
inline void Press(WORD Vk, bool Shift = false) { PressWith(Shift ? VK_SHIFT : 0, Vk); }

// Types text into the window in front, as a user's keys would.
inline void Type(const std::string& Text) {
    ToFront();
    for (char ch : Text) {
        const SHORT scan = VkKeyScanA(ch);
        const bool shift = (scan & 0x100) != 0;
        if (shift) Key(VK_SHIFT, false);
        Key(LOBYTE(scan), false);
        Key(LOBYTE(scan), true);
        if (shift) Key(VK_SHIFT, true);
    }
}

// A key pressed with modifiers held, as for a shortcut (Ctrl+O).
inline void Chord(std::initializer_list<WORD> Modifiers, WORD Vk) {
    ToFront();
    for (WORD m : Modifiers) Key(m, false);
    Key(Vk, false);
    Key(Vk, true);
    for (WORD m : Modifiers) Key(m, true);
}

// Alt and a key, as for an underlined letter.
inline void PressAlt(WORD Vk) { PressWith(VK_MENU, Vk); }

// Ctrl and a key, as for a menu command's shortcut.
inline void PressCtrl(WORD Vk) { PressWith(VK_CONTROL, Vk); }

// Moves the mouse to a point of the screen, with a button going down or up
// there when Buttons says so (MOUSEEVENTF_LEFTDOWN ...). A button event
// that carries its point lands there even when a program handles a display
// event of an earlier pointer position late (under Wine each program turns
// the X server's pointer motions into moves of its own).
inline void MouseAt(POINT P, DWORD Buttons) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(P.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(P.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | Buttons;
    SendInput(1, &in, sizeof in);
}

// Moves the mouse to a point of the screen.
inline void MouseTo(POINT P) { MouseAt(P, 0); }

inline POINT CentreOf(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

inline POINT CentreOf(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    return CentreOf(r);
}

// A button of the mouse going down or up where the mouse is
// (MOUSEEVENTF_LEFTDOWN ...).
inline void Mouse(DWORD Flags) {
    INPUT in = {INPUT_MOUSE};
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof in);
}

// A click of the left (or right) button at a point of the screen.
inline void ClickAt(POINT P, bool Right = false) {
    ToFront();
    MouseTo(P);
    MouseAt(P, Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseAt(P, Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

// A point of the top of a window (its caption, a caption button) that the
// window reports as the hit-test code Hit, or (-1, -1).
inline POINT FindHit(HWND Wnd, LRESULT Hit) {
    RECT r;
    GetWindowRect(Wnd, &r);
    for (int y = r.top; y < r.top + 40; ++y)
        for (int x = r.right - 1; x >= r.left; --x)
            if (SendMessageA(Wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == Hit) return {x, y};
    return {-1, -1};
}

// Presses or releases the left button where the mouse is.
inline void LeftButton(bool Down) { Mouse(Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

// Lets the windows handle the input sent so far, and paint.
inline void SettleInput() {
    PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
    PumpFor(50);
}

// The mouse goes from one point of the screen to another in Steps moves,
// the windows handling each for PauseMs more, as a hand's does.
inline void MoveAlong(POINT From, POINT To, int Steps = 4, int PauseMs = 30) {
    for (int i = 1; i <= Steps; ++i) {
        MouseTo(POINT{From.x + (To.x - From.x) * i / Steps, From.y + (To.y - From.y) * i / Steps});
        SettleInput();
        PumpFor(PauseMs);
    }
}

// A press of the left button at a point of the screen, in the window in
// front.
inline void PressAt(POINT P) {
    ToFront();
    MouseTo(P);
    SettleInput();
    MouseAt(P, MOUSEEVENTF_LEFTDOWN);
    SettleInput();
}

inline void ReleaseAt(POINT P) {
    MouseAt(P, MOUSEEVENTF_LEFTUP);
    SettleInput();
}

// Clicks of the left button at a point of the screen, sent together: a
// press that starts a loop of the system's own (a caption's move) meets its
// release there.
inline void MouseClicks(POINT P, int Count = 1) {
    ToFront();
    MouseTo(P);
    SettleInput();
    for (int i = 0; i < Count; ++i) {
        MouseAt(P, MOUSEEVENTF_LEFTDOWN);
        MouseAt(P, MOUSEEVENTF_LEFTUP);
    }
    SettleInput();
}

// A drag with the left button from one point of the screen to another.
inline void DragOnScreen(POINT From, POINT To, int Steps = 4, int PauseMs = 30) {
    PressAt(From);
    MoveAlong(From, To, Steps, PauseMs);
    ReleaseAt(To);
}

// The colour shown at a point of the screen.
inline COLORREF ScreenPixel(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return c;
}

// A point of a window's client area, on the screen.
inline POINT OnScreen(HWND Wnd, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Wnd, &p);
    return p;
}

// A left click at the centre of a window.
inline void ClickOn(HWND Wnd) { ClickAt(CentreOf(Wnd)); }

// The pop-up menu that is open on the screen, or nullptr.
inline HMENU OpenMenu() {
    // A menu window of another program can be there, hidden.
    for (HWND wnd = nullptr; (wnd = FindWindowExA(nullptr, wnd, "#32768", nullptr)) != nullptr;)
        if (IsWindowVisible(wnd)) return reinterpret_cast<HMENU>(SendMessageA(wnd, MN_GETHMENU, 0, 0));
    return nullptr;
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
