#include "CaptureExecution.h"

#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "CaptureMenu.h"
#include "Child.h"
#include "Common.h"
#include "EditCommands.h"
#include "Main.h"
#include "RegData.h"
#include "Zelvani.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;

bool CaptureArmed = false;

namespace {

ATOM HotKeyAtom = 0;
NOTIFYICONDATAA TrayIconData = {};
bool TrayIconShown = false;

int Clamped(int Value, int Low, int High) {
    ClampInt(Value, Low, High);
    return Value;
}

bool PrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

void Tell(const std::string& Text, const std::string& Caption, int Icon) { AskUser(Text, Caption, 1, Icon, "OK"); }

// The program's windows go while the capture is armed and come back after;
// the application window has no face of its own and stays hidden.
void HideProgram() {
    ShowWindow(frmMain->Handle(), SW_HIDE);
    ShowWindow(Application->Handle(), SW_HIDE);
}
void ShowProgram() {
    ShowWindow(frmMain->Handle(), SW_SHOW);
    BringMainWindowToFront();
}

void SetTrayIcon(int Image, DWORD Message) {
    HICON icon = frmMain->imlTrayIcons->GetIcon(Image);
    HICON old = TrayIconData.hIcon;
    TrayIconData.hIcon = icon;
    TrayIconData.uFlags = Message == NIM_ADD ? (NIF_MESSAGE | NIF_ICON | NIF_TIP) : NIF_ICON;
    Shell_NotifyIconA(Message, &TrayIconData);
    if (old) DestroyIcon(old);
    TrayIconShown = true;
}

// The cursor on a 32 x 32 picture of the Background colour; nullptr when
// there is none or its image cannot be read or drawn. Under Wine the cursor
// of another program's window is a handle of that process, whose image this
// one cannot reach: the background alone would be no capture.
TBitmap* CursorPicture(TColor Background) {
    POINT pos, hotSpot;
    const HICON cursor = ZvGetCursor(pos, hotSpot);
    ICONINFO info = {};
    if (!cursor || !GetIconInfo(cursor, &info)) return nullptr;
    // The call made copies of the cursor's bitmaps for the caller.
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    auto picture = std::make_unique<TBitmap>();
    picture->SetSize(32, 32);
    picture->Canvas().Brush.SetColor(Background);
    picture->Canvas().FillRect(RECT{0, 0, 32, 32});
    if (!DrawIcon(picture->Canvas().Handle(), 0, 0, cursor)) return nullptr;
    return picture.release();
}

// The hot key goes back to the system.
void ReleaseHotKey() {
    UnregisterHotKey(frmMain->Handle(), HotKeyAtom);
    if (HotKeyAtom) GlobalDeleteAtom(HotKeyAtom);
    HotKeyAtom = 0;
}

void RemoveTrayIcon() {
    TrayIconData.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
    if (TrayIconData.hIcon) DestroyIcon(TrayIconData.hIcon);
    TrayIconData.hIcon = nullptr;
    TrayIconShown = false;
}

// The picture an action works on: the chosen area of the capture, or all of
// it.
std::unique_ptr<TBitmap> WorkBitmap(bool FromDialog, const RECT& Area) {
    auto work = std::make_unique<TBitmap>();
    if (!FromDialog) {
        work->Assign(*CapturedBitmap);
        return work;
    }
    const int w = std::abs(Area.right - Area.left), h = std::abs(Area.bottom - Area.top);
    work->SetSize(w, h);
    BitBlt(work->Canvas().Handle(), 0, 0, w, h, CapturedBitmap->Canvas().Handle(), std::min(Area.left, Area.right),
           std::min(Area.top, Area.bottom), SRCCOPY);
    return work;
}

void CaptureToPicture(bool FromDialog, const RECT& Area) {
    // From the preview the user chooses the screen to paste to, or a new
    // one; the stored settings stay as they are.
    ShortString paste = ThenSettings;
    int target = 0;
    if (FromDialog && ScreenCount() > 0) {
        paste.assign("\xFF" + ThenSettings.str().substr(std::min<size_t>(1, ThenSettings.Length)));
        if (!EditCaptureProperty(31, "paste to picture", paste, target, true)) return;
    }
    const bool asNew = CodedByte(paste, 2) != 0 || ScreenCount() == 0;
    auto work = WorkBitmap(FromDialog, Area);
    if (asNew) {
        if (ScreenCount() < MaxScreens) {
            EndToolActions(true, true);
            TfrmChild* screen = CreateScreen("Screen " + std::to_string(NextScreenNumber()), 0);
            const auto* p = reinterpret_cast<const unsigned char*>(DefaultScreen.data());
            screen->ScreenBackColor = static_cast<TColor>(RGB(p[4], p[5], p[6]));
            screen->panSelect->SetColor(screen->ScreenBackColor);
            screen->SetPictureSize(work->Width(), work->Height());
            SetModified(screen, true);
            screen->Picture().Assign(*work);
        }
        if (TfrmChild* active = ActiveScreen()) FitToPage(active, false);
        return;
    }
    TfrmChild* screen = ScreenAt(target);
    if (!screen) screen = ScreenAt(0);
    CancelTool(screen, true);
    frmMain->tlnDrawingTool_Click(ToolButtons[0]);
    BackupPicture(screen, true);
    PasteSelection(screen, *work);
    screen->SelLifted = true;
    SetModified(screen, true);
    screen->Undo->Add(screen->picBackup->Picture.Bitmap());
    screen->ShapeW = work->Width();
    screen->ShapeH = work->Height();
    screen->Busy = true;
}

void CaptureToClipboard(bool FromDialog, const RECT& Area) { CopyToClipboard(*WorkBitmap(FromDialog, Area)); }

void CaptureToDisk(bool FromDialog, const RECT& Area) {
    // From the preview the user confirms the file name first; the stored
    // settings stay as they are.
    ShortString file = ThenSettings;
    int scratch = 0;
    if (FromDialog && !EditCaptureProperty(33, "save to disk", file, scratch, false)) return;
    const std::string name =
        NextCaptureFileName(AutoSaveLocation, ThenFileName(file), CodedByte(file, 3), CodedByte(file, 4) == 1);
    auto work = WorkBitmap(FromDialog, Area);
    if (!ZvSavePicture(name.c_str(), work.get())) Tell("Unable to save file - " + name, "", zvIconStop);
}


// The quick-capture settings, held while a theme's settings are in force
// for one capture.
struct TQuickSettings {
    ShortString When, What, Then, Options;
};
std::optional<TQuickSettings> HeldSettings;

void RestoreQuickSettings() {
    if (!HeldSettings) return;
    WhenSettings = HeldSettings->When;
    WhatSettings = HeldSettings->What;
    ThenSettings = HeldSettings->Then;
    CaptureOptions = HeldSettings->Options;
    HeldSettings.reset();
}

// Ends the theme's turn when the capture has been handled, however that ends.
struct TQuickSettingsBack {
    TQuickSettingsBack() = default;
    ~TQuickSettingsBack() { RestoreQuickSettings(); }
    TQuickSettingsBack(const TQuickSettingsBack&) = delete;
    TQuickSettingsBack& operator=(const TQuickSettingsBack&) = delete;
};

}  // namespace

void ClampInt(int& Value, int Low, int High) {
    if (Value < Low)
        Value = Low;
    else if (Value > High)
        Value = High;
}

std::string NextCaptureFileName(const std::string& Folder, std::string Pattern, int Digits, bool NumberOnly) {
    std::string folder = Folder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    if (Pattern.find('*') == std::string::npos) Pattern += '*';
    const size_t star = Pattern.find('*');
    for (int n = 1;; ++n) {
        std::string number = std::to_string(n);
        if (!NumberOnly && static_cast<int>(number.size()) < Digits)
            number.insert(0, static_cast<size_t>(Digits) - number.size(), '0');
        const std::string name = folder + Pattern.substr(0, star) + number + Pattern.substr(star + 1) + ".bmp";
        if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    }
}

void ArmCapture() {
    const int k = Clamped(CodedByte(WhenSettings, 1), 0, 3);
    auto hotKeyOf = [] { return CodedByte(WhenSettings, 4) * 256 + CodedByte(WhenSettings, 5); };
    int scratch = 0;
    // The key is the low byte; modifiers alone are a missing shortcut, not
    // one that another program holds.
    if (k == 2 && (hotKeyOf() & 0xFF) == 0) {
        Tell("You have not specify a shortcut key.", "Screen Capture", zvIconExclamation);
        if (!EditCaptureProperty(12, "key pressed", WhenSettings, scratch, false)) return;
    }
    const int hotKey = hotKeyOf();
    const int action = CodedByte(ThenSettings, 1);
    if (action == 4 && !PrinterInstalled()) {
        Tell("No printer installed. Please select another option.", "Screen Capture", zvIconExclamation);
        // The list is there to be changed only when its bar shows.
        if (frmMain->cboThen->Visible() && IsWindowVisible(frmMain->cboThen->Handle())) {
            frmMain->cboThen->SetFocus();
            SendMessageA(frmMain->cboThen->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        }
        return;
    }
    if (action == 5 && !CheckFileName(ThenFileName(ThenSettings), "Screen Capture") &&
        !EditCaptureProperty(33, "save to disk", ThenSettings, scratch, false))
        return;

    TTimer* timer = frmMain->tmrCapture;
    if (k == 0) {
        timer->SetInterval(400);
        timer->Tag = 0;
    } else if (k == 1) {
        timer->SetInterval(1000);
        timer->Tag = Clamped(CodedByte(WhenSettings, 2), 1, 9);
    }
    CaptureArmed = true;
    HideProgram();
    TrayIconData = {};
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = frmMain->Handle();
    TrayIconData.uID = 0;
    TrayIconData.uCallbackMessage = WM_CAPTUREICON;
    std::snprintf(TrayIconData.szTip, sizeof TrayIconData.szTip, "%s", Application->Title().c_str());
    if ((CodedByte(CaptureOptions, 1) == 1 && (k == 1 || k == 2)) || k == 3) SetTrayIcon(k == 1 ? timer->Tag : 0, NIM_ADD);

    if (k == 0 || k == 1) {
        timer->SetEnabled(true);
    } else if (k == 2) {
        const UINT modifiers = ((hotKey & scAlt) ? MOD_ALT : 0) | ((hotKey & scCtrl) ? MOD_CONTROL : 0) |
                               ((hotKey & scShift) ? MOD_SHIFT : 0);
        HotKeyAtom = GlobalAddAtomA("MiroluxCapture");
        if (!RegisterHotKey(frmMain->Handle(), HotKeyAtom, modifiers, hotKey & 0xFF)) {
            // Another program holds the key: nothing is armed, so that the
            // program does not stay hidden waiting for a key that never comes.
            ReleaseHotKey();
            CaptureArmed = false;
            if (TrayIconShown) RemoveTrayIcon();
            ShowProgram();
            Tell("The shortcut key is in use by another program. Please choose another one.", "Screen Capture",
                 zvIconExclamation);
        }
    }
}

void TfrmMain::tmrCapture_Timer(TComponent*) {
    if (!CaptureArmed) return;
    tmrCapture->SetEnabled(false);
    --tmrCapture->Tag;
    if (tmrCapture->Tag <= 0) {
        tmrCapture->SetInterval(0);
        DoCapture();
        return;
    }
    if (TrayIconShown) SetTrayIcon(tmrCapture->Tag, NIM_MODIFY);
    tmrCapture->SetEnabled(true);
}

void TfrmMain::WMHotKey() {
    ReleaseHotKey();
    if (CaptureArmed) DoCapture();
}

void ArmCaptureWith(const ShortString& When, const ShortString& What, const ShortString& Then,
                    const ShortString& Options) {
    if (CaptureArmed) return;
    RestoreQuickSettings();
    HeldSettings = TQuickSettings{WhenSettings, WhatSettings, ThenSettings, CaptureOptions};
    WhenSettings = When;
    WhatSettings = What;
    ThenSettings = Then;
    CaptureOptions = Options;
    ArmCapture();
    if (!CaptureArmed) RestoreQuickSettings();
}

void DisarmCapture() {
    RestoreQuickSettings();
    if (!CaptureArmed) return;
    CaptureArmed = false;
    frmMain->tmrCapture->SetEnabled(false);
    ReleaseHotKey();
    RemoveTrayIcon();
    ShowProgram();
}

void CaptureIconClicked(LPARAM Mouse) {
    if (!CaptureArmed || Clamped(CodedByte(WhenSettings, 1), 0, 3) != 3) return;
    static constexpr LPARAM kClicks[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK};
    if (Mouse == kClicks[Clamped(CodedByte(WhenSettings, 3), 0, 2)]) DoCapture();
}

void DoCapture() {
    TTimer* timer = frmMain->tmrCapture;
    if (timer->Tag == 0) {
        timer->SetInterval(400);
        timer->SetEnabled(true);
        return;
    }
    CaptureArmed = false;
    const TQuickSettingsBack back;
    RemoveTrayIcon();
    const int kind = Clamped(CodedByte(WhatSettings, 1), 0, 3);
    TBitmap* captured = nullptr;
    if (kind == 3) {
        captured = CursorPicture(static_cast<TColor>(
            RGB(CodedByte(WhatSettings, 10), CodedByte(WhatSettings, 11), CodedByte(WhatSettings, 12))));
    } else {
        int left = 0, right = 0, top = 0, bottom = 0;
        if (kind == 2) {
            const int w = Screen.Width(), h = Screen.Height();
            const unsigned char* p = CodedBytes(WhatSettings);
            left = Clamped(ReadTwoByte(p + 1), 0, w - 2);
            right = Clamped(ReadTwoByte(p + 3), left, w - 1);
            top = Clamped(ReadTwoByte(p + 5), 0, h - 2);
            bottom = Clamped(ReadTwoByte(p + 7), top, h - 1);
        }
        captured = ZvScreenCapture(kind, left, right, top, bottom, CodedByte(CaptureOptions, 2) == 1);
    }
    delete CapturedBitmap;
    CapturedBitmap = captured;
    ShowProgram();
    if (!CapturedBitmap) {
        Tell(kind == 1 ? "No active window found." : "Unable to capture screen.", "", zvIconStop);
        return;
    }
    frmMain->UpdateCommandStates();
    ApplyCaptureAction();
}

void ApplyCaptureAction() {
    const RECT whole = {0, 0, 0, 0};
    switch (Clamped(CodedByte(ThenSettings, 1), 0, 5)) {
    case 0: ShowCapturePreview(); break;
    case 2: CaptureToPicture(false, whole); break;
    case 3: CaptureToClipboard(false, whole); break;
    case 5: CaptureToDisk(false, whole); break;
    default: break;  // adding to the catalog browser and printing do nothing
    }
}

void ShowCapturePreview() {
    if (!CapturedBitmap) return;
    SetFormBusy(frmMain, false);
    RECT area = {};
    const bool chosen = ZvShowPrevious(false, HasOption(OptAnimatedSelection), CapturedBitmap, CapturedScreen, area);
    SetFormBusy(frmMain, true);
    if (!chosen) return;
    switch (CapturedScreen) {
    case 1: CaptureToPicture(true, area); break;
    case 2: CaptureToClipboard(true, area); break;
    case 4: CaptureToDisk(true, area); break;
    default: break;  // the catalog browser and the printer
    }
}
