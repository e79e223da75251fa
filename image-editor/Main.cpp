#include "Main.h"

#include <windows.h>
#include <shellapi.h>

#include "RegData.h"
#include "Startup.h"
#include "Zelvani.h"
#include "ZvColor.h"

using namespace forms;

TfrmMain* frmMain = nullptr;
UINT ActivateMsg = 0;
int MaxScreens = 0;
TColor ForeColor = clBlack, BackColor = clWhite;

namespace {

WNDPROC OldWindowProc = nullptr;

// A colour from three bytes of the drawing state, and back.
TColor ColorAt(const std::string& Record, size_t Index) {
    const auto* p = reinterpret_cast<const unsigned char*>(Record.data()) + Index;
    return static_cast<TColor>(RGB(p[0], p[1], p[2]));
}
void StoreColor(std::string& Record, size_t Index, TColor Color) {
    Record[Index] = static_cast<char>(ZvRed(Color));
    Record[Index + 1] = static_cast<char>(ZvGreen(Color));
    Record[Index + 2] = static_cast<char>(ZvBlue(Color));
}

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
    DrawingFont = new TFont;
    LoadSettings();

    ActivateMsg = RegisterWindowMessageA(ProgramTitle);
    OldWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
    SetCaption(ProgramTitle);

    // Small screens have no room for the Quick Capture bar or the magnifier.
    if (Screen.Width() < 775) ExcludeOption(0x4);
    if (Screen.Height() < 575) ExcludeOption(0x20);
    Show();
    ForeColor = ColorAt(Drawings, 2);
    BackColor = ColorAt(Drawings, 5);
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
    StoreColor(Drawings, 2, ForeColor);
    StoreColor(Drawings, 5, BackColor);
    SaveSettings();
    delete DrawingFont;
    DrawingFont = nullptr;
    ZvClipControl(nullptr);
    if (OldWindowProc) SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWindowProc));
    OldWindowProc = nullptr;
}
