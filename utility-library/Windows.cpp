// Windows of the caller: confining the mouse to a control, keeping a form on
// the screen, and bringing a window to the front. Of the caller's objects
// only the window handle is used; everything else is plain Win32 on it.
#include "Classes.h"
#include "Forms.h"
#include "Zelvani.h"

namespace {

void Clip(forms::TControl* Control) {
    HWND wnd = Control ? Control->Handle() : nullptr;
    RECT r;
    if (wnd && IsWindow(wnd) && GetWindowRect(wnd, &r))
        ClipCursor(&r);
    else
        ClipCursor(nullptr);
}

// The new start of a window of Size on a line where the work area runs from
// Lo to Hi: moved in just as far as needed; a window larger than the work
// area starts where it starts.
LONG Into(LONG Start, LONG Size, LONG Lo, LONG Hi) {
    if (Size >= Hi - Lo) return Lo;
    if (Start + Size > Hi) Start = Hi - Size;
    if (Start < Lo) Start = Lo;
    return Start;
}

// Keeps the window's size; a minimised or maximised window is where the
// system put it and stays.
void EnsureVisible(forms::TForm* Form) {
    if (!Form) return;
    HWND wnd = Form->Handle();
    RECT r, area;
    if (!wnd || !IsWindow(wnd) || IsIconic(wnd) || IsZoomed(wnd) || !GetWindowRect(wnd, &r)) return;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return;
    POINT p = {Into(r.left, r.right - r.left, area.left, area.right),
               Into(r.top, r.bottom - r.top, area.top, area.bottom)};
    if (p.x == r.left && p.y == r.top) return;
    // A child window is placed in its parent's client coordinates.
    if (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(wnd), &p, 1);
    SetWindowPos(wnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system lets only the thread that has the input move another window to
// the front; joined to that thread's input for the moment, this one may.
void ToFront(HWND Wnd) {
    if (!Wnd || !IsWindow(Wnd)) return;
    const DWORD self = GetCurrentThreadId();
    HWND front = GetForegroundWindow();
    const DWORD other = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const bool attach = other && other != self && AttachThreadInput(self, other, TRUE);
    SetForegroundWindow(Wnd);
    BringWindowToTop(Wnd);
    if (attach) {
        AttachThreadInput(self, other, FALSE);
        // Some systems (Wine) leave no foreground window when the inputs part;
        // this thread had the input last, so it may ask once more.
        if (GetForegroundWindow() != Wnd) SetForegroundWindow(Wnd);
    }
}

}  // namespace

ZELVANI_API void WINAPI ZvClipControl(forms::TControl* Control) {
    forms::SafeCall([&] { Clip(Control); });
}

ZELVANI_API void WINAPI ZvEnsureVisible(forms::TForm* Form) {
    forms::SafeCall([&] { EnsureVisible(Form); });
}

ZELVANI_API void WINAPI ZvSetForegroundWindow(HWND Wnd) {
    forms::SafeCall([&] { ToFront(Wnd); });
}
