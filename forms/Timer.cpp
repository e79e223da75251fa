#include "Timer.h"

#include <map>

#include "Module.h"

namespace forms {

namespace {

// The timers of a module tick on one hidden message-only window; each timer
// is known there by an identifier of its own.
std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

UINT_PTR NextId() {
    static UINT_PTR next = 0;
    return ++next;
}

}  // namespace

LRESULT CALLBACK TTimer::TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_TIMER) {
        auto it = Timers().find(static_cast<UINT_PTR>(WParam));
        if (it != Timers().end()) {
            TTimer* t = it->second;
            SafeCall([&] { Fire(t->OnTimer, t); });
        }
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

HWND TTimer::TimerWindow() {
    static HWND wnd = nullptr;
    if (!wnd) {
        const char* cls = OwnWindowClass("ZvForms.Timer", 0, nullptr, &TimerWndProc);
        wnd = CreateWindowExA(0, cls, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
        if (!wnd) throw Exception("Not enough timers available");
    }
    return wnd;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { Update(); }

TTimer::~TTimer() {
    FEnabled = false;
    Update();
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    Update();
}

void TTimer::SetInterval(unsigned Value) {
    FInterval = Value;
    Update();
}

void TTimer::Update() {
    if (FId) {
        KillTimer(TimerWindow(), FId);
        Timers().erase(FId);
        FId = 0;
    }
    if (FEnabled && FInterval > 0) {
        const UINT_PTR id = NextId();
        if (!SetTimer(TimerWindow(), id, FInterval, nullptr)) throw Exception("Not enough timers available");
        FId = id;
        Timers()[id] = this;
    }
}

}  // namespace forms
