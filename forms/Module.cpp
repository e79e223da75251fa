#include "Module.h"

#include <commctrl.h>

#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "Classes.h"
#include "Graphics.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace forms {

LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

const char* OwnWindowClass(const char* Name, UINT Style, HBRUSH Background, WNDPROC Proc) {
    static std::map<std::string, bool> registered;
    if (!registered[Name]) {
        WNDCLASSA wc = {};
        wc.style = Style;
        wc.lpfnWndProc = Proc ? Proc : ControlProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = Background;
        wc.lpszClassName = Name;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw Exception(std::string("Unable to register the window class ") + Name);
        registered[Name] = true;
    }
    return Name;
}

void LoadBitmapResource(TBitmap& Bitmap, HINSTANCE Instance, const char* Name) {
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(Instance, Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const bool copied = Bitmap.AssignHandle(loaded);
    if (loaded) DeleteObject(loaded);
    if (!copied) throw Exception(std::string("The picture ") + Name + " is missing");
}

void UseCommonControls(DWORD Classes) {
    static DWORD registered = 0;
    if ((registered & Classes) == Classes) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, Classes};
    if (InitCommonControlsEx(&icc)) registered |= Classes;
}

namespace {

// The links, for whichever thread makes or asks about a window.
struct TObjectTable {
    std::mutex Lock;
    std::unordered_map<HWND, void*> Objects;
};

// Never destroyed: windows go (and leave the table) until the module's end,
// after its static objects.
TObjectTable& Objects() {
    static auto* table = new TObjectTable;
    return *table;
}

}  // namespace

void AttachObject(HWND Wnd, void* Object) {
    TObjectTable& t = Objects();
    const std::lock_guard<std::mutex> hold(t.Lock);
    t.Objects[Wnd] = Object;
}

void* AttachedObject(HWND Wnd) {
    if (!Wnd) return nullptr;
    TObjectTable& t = Objects();
    const std::lock_guard<std::mutex> hold(t.Lock);
    const auto found = t.Objects.find(Wnd);
    return found == t.Objects.end() ? nullptr : found->second;
}

void DetachObject(HWND Wnd) {
    TObjectTable& t = Objects();
    const std::lock_guard<std::mutex> hold(t.Lock);
    t.Objects.erase(Wnd);
}

}  // namespace forms
