#include "Main.h"

#include <windows.h>
#include <shellapi.h>

#include "Startup.h"
#include "Zelvani.h"

using namespace forms;

TfrmMain* frmMain = nullptr;
UINT ActivateMsg = 0;
int MaxScreens = 0;

namespace {

WNDPROC OldWindowProc = nullptr;

// The cursor slots of the drawing tools 1 to 12 and of the floating
// selection (13), and the cursor resource of each.
constexpr const char* kCursorResources[] = {"Cross", "Pencil",   "Eraser", "Text",  "Picker", "Fill", "Airbrush",
                                            "Cross", "Cross",    "Cross",  "Cross", "Cross",  "Move"};

// A second instance broadcasts ActivateMsg before it ends: this one comes
// back from the task bar and to the front.
LRESULT CALLBACK MainWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == ActivateMsg && ActivateMsg != 0) {
        SafeCall([] {
            Application->Restore();
            ZvSetForegroundWindow(frmMain->Handle());
        });
        return 0;
    }
    return CallWindowProcA(OldWindowProc, Wnd, Msg, WParam, LParam);
}

}  // namespace

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmMain", .Caption = ProgramTitle, .Left = 40, .Top = 30, .ClientWidth = 760,
              .ClientHeight = 540, .BorderStyle = bsSizeable, .FormStyle = fsMDIForm, .Enabled = false,
              .KeyPreview = true, .OnCreate = Handler(&TfrmMain::Form_Create),
              .OnDestroy = Handler(&TfrmMain::Form_Destroy)});
    EndDescription();
}

void TfrmMain::Form_Create(TComponent*) {
    ActivateMsg = RegisterWindowMessageA(ProgramTitle);
    OldWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
    SetCaption(ProgramTitle);
    Show();
    DragAcceptFiles(Handle(), TRUE);

    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    MaxScreens = MaxScreensFor(memory.ullTotalPhys);
    for (int slot = 1; slot <= 13; ++slot)
        Screen.SetCursor(slot, LoadCursorA(GetModuleHandleA(nullptr), kCursorResources[slot - 1]));

    SetEnabled(true);
    ZvSetForegroundWindow(Handle());
}

void TfrmMain::Form_Destroy(TComponent*) {
    SetEnabled(false);
    DragAcceptFiles(Handle(), FALSE);
    ZvClipControl(nullptr);
    if (OldWindowProc) SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWindowProc));
    OldWindowProc = nullptr;
}
