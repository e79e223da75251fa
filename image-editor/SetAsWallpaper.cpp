#include "SetAsWallpaper.h"

#include <windows.h>

#include <random>

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "Main.h"
#include "RegData.h"
#include "Zelvani.h"
#include "ZvCDesk.h"
#include "ZvCom.h"

using namespace forms;

TfrmSetAsWallpaper* frmSetAsWallpaper = nullptr;

const char* const WallpaperDescriptions[4] = {
    "Display your screen in the center of your desktop.",
    "Repeat your screen over your entire desktop.",
    "Stretch your screen to cover your entire desktop.",
    "Display your screen in the center of your desktop and keep the original proportions.",
};

TfrmSetAsWallpaper::TfrmSetAsWallpaper(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmSetAsWallpaper", .Caption = "Set As Wallpaper", .ClientWidth = 300, .ClientHeight = 141,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmSetAsWallpaper::Form_Show)});
    Add(lblDisplay, {.Name = "lblDisplay", .Left = 8, .Top = 8, .Caption = "&Wallpaper display:"});
    Add(cboDisplay, {.Name = "cboDisplay", .Left = 8, .Top = 24, .Width = 190, .Height = 22,
                     .Hint = "Specifies how the wallpaper is displayed on your desktop",
                     .OnChange = Handler(&TfrmSetAsWallpaper::cboDisplay_Click)},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.DropDownCount = 4;
            c.SetItems({"Center", "Tile", "Stretch", "Suitable"});
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboDisplay_DrawItem(s, cv, i, r, st);
            };
        });
    lblDisplay->FocusControl = cboDisplay;
    Add(picPreview, {.Name = "picPreview", .Left = 212, .Top = 8, .Width = 80, .Height = 60});
    Add(lblText, {.Name = "lblText", .Left = 8, .Top = 56, .Width = 190, .Height = 44, .AutoSize = false,
                  .WordWrap = true, .ShowAccelChar = false});
    Add(cmdOK, {.Name = "cmdOK", .Left = 136, .Top = 108, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmSetAsWallpaper::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 217, .Top = 108, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmSetAsWallpaper::cmdCancel_Click)});
    EndDescription();
}

void TfrmSetAsWallpaper::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    cboDisplay->SetItemIndex(SetAsWallpaper);
    cboDisplay_Click(cboDisplay);
    SetActiveControl(cboDisplay);
}

void TfrmSetAsWallpaper::cboDisplay_Click(TComponent*) {
    const int style = cboDisplay->ItemIndex();
    if (style < 0 || style > 3) return;
    lblText->SetCaption(WallpaperDescriptions[style]);
    DrawPreview(style);
}

void TfrmSetAsWallpaper::DrawPreview(int Style) {
    TBitmap& b = picPreview->Picture.Bitmap();
    const int w = picPreview->Width(), h = picPreview->Height();
    b.SetSize(w, h);
    TCanvas& c = b.Canvas();
    c.Brush.SetColor(clBackground);
    c.FillRect({0, 0, w, h});
    // The monitor's outline.
    c.Pen.SetColor(clBlack);
    c.Pen.SetWidth(2);
    c.Rectangle(1, 1, w, h);
    // The picture as the style lays it on the desktop.
    c.Pen.SetWidth(1);
    c.Brush.SetColor(clWindow);
    switch (Style) {
    case 0: c.Rectangle(25, 10, w - 25, h - 10); break;
    case 1:
        c.FillRect({2, 2, w - 2, h - 2});
        c.MoveTo(0, 40);
        c.LineTo(w, 40);
        c.MoveTo(30, 0);
        c.LineTo(30, h);
        c.MoveTo(59, 0);
        c.LineTo(59, h);
        break;
    case 2: c.FillRect({2, 2, w - 2, h - 2}); break;
    default: c.Rectangle(18, 1, w - 18, h - 1); break;
    }
    picPreview->Repaint();
}

void TfrmSetAsWallpaper::cboDisplay_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(cboDisplay->Items().size())) return;
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 2, Rect.top + 1, cboDisplay->Items()[static_cast<size_t>(Index)]);
}

void TfrmSetAsWallpaper::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    SetAsWallpaper = cboDisplay->ItemIndex();
    ModalResult = mrOk;
}

void TfrmSetAsWallpaper::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

namespace {

// Names are drawn from one generator seeded once, so that names drawn in
// quick succession differ.
char RandomCapital() {
    static std::minstd_rand generator = [] {
        LARGE_INTEGER now = {};
        QueryPerformanceCounter(&now);
        return std::minstd_rand(static_cast<unsigned>(now.QuadPart) ^ GetCurrentProcessId());
    }();
    return static_cast<char>('A' + std::uniform_int_distribution<int>(0, 25)(generator));
}

// The system's temporary folder without a final backslash, "C:" when the
// system names none that exists.
std::string TemporaryFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, path);
    std::string folder = length > 0 && length <= MAX_PATH ? path : "";
    if (folder.empty() || !ZvDirExists(ShortString(folder))) folder = "C:";
    // A drive's root ("C:\") loses its backslash as well, so that the name
    // has exactly one before "~ML".
    if (folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace

bool NewWallpaperFileName(std::string& Name) {
    const std::string folder = TemporaryFolder();
    // 26^5 names: a folder where this many tries all meet a file is broken.
    for (int tries = 0; tries < 1000; ++tries) {
        Name = folder + "\\~ML";
        for (int i = 0; i < 5; ++i) Name += RandomCapital();
        Name += ".BMP";
        if (GetFileAttributesA(Name.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    }
    return false;
}

void TfrmMain::mnuFileSetAsWallpaper_Click(TComponent*) {
    // A shortcut can arrive while no screen is open.
    if (!ActiveScreen()) return;
    if (frmSetAsWallpaper->ShowModal() != mrOk) return;
    // The main window is disabled under the hour-glass while the wallpaper is
    // made.
    const BusyWhile busy(this);
    // A floating selection goes into the picture first.
    EndToolActions(true, true);
    TfrmChild* screen = ActiveScreen();
    std::string name;
    if (!NewWallpaperFileName(name)) {
        AskUser("Unable to save file - " + name, "", 1, zvIconStop, "OK");
        return;
    }
    if (!ZvSavePicture(name.c_str(), &screen->Picture())) {
        // A save that failed part-way may have left a piece of the file.
        DeleteFileA(name.c_str());
        AskUser("Unable to save file - " + name, "", 1, zvIconStop, "OK");
        return;
    }
    if (!ZvDeskWallpaper(name.c_str(), zvdFromFile, SetAsWallpaper + 1, zvdStoreInProfile))
        AskUser("Unable to update wallpaper.", "", 1, zvIconExclamation, "OK");
    DeleteFileA(name.c_str());
}
