// The common library as a small probe program uses it in a test: started
// under the probe's own title and tag (so that what it stores per program
// is the probe's), and the pop-up menu it opens read back from the screen.
#pragma once
#include <windows.h>

#include <string>

#include "ZvCom.h"

namespace zvcomprobe {

// Starts the common library for the probe; true when it started (ZvComDone
// ends it). The probe asks the least of the display and the memory, so
// that the start-up checks pass on the test display.
inline bool StartProbe(const char* Title, const char* Tag) {
    TZvComInfo info{};
    info.Title = ShortString(Title);
    info.Tag = ShortString(Tag);
    info.MinColors = 3;
    info.MinMemoryMB = 1;
    return ZvComInit(info);
}

// The pop-up menu open on the screen: where its window is, how many items
// it has, and which of the first eight are enabled; Count 0 when none is
// open.
struct MenuOnScreen {
    RECT Rect = {};
    bool Enabled[8] = {};
    int Count = 0;
};

inline BOOL CALLBACK FindMenuWindow(HWND Wnd, LPARAM Found) {
    char cls[16];
    GetClassNameA(Wnd, cls, sizeof cls);
    if (std::string(cls) == "#32768" && IsWindowVisible(Wnd)) {
        *reinterpret_cast<HWND*>(Found) = Wnd;
        return FALSE;
    }
    return TRUE;
}

inline MenuOnScreen ReadMenuOnScreen() {
    MenuOnScreen m;
    HWND wnd = nullptr;
    EnumWindows(&FindMenuWindow, reinterpret_cast<LPARAM>(&wnd));
    if (!wnd) return m;
    GetWindowRect(wnd, &m.Rect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(wnd, MN_GETHMENU, 0, 0));
    m.Count = GetMenuItemCount(menu);
    for (int i = 0; i < m.Count && i < 8; ++i) m.Enabled[i] = !(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED);
    return m;
}

}  // namespace zvcomprobe
