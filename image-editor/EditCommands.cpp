// The Edit menu: undo and redo, the floating selection to and from the
// clipboard, clearing and selecting the whole picture.
#include <windows.h>

#include "Child.h"
#include "Common.h"
#include "EditCommands.h"
#include "Main.h"
#include "RegData.h"
#include "ZvCom.h"

using namespace forms;

namespace {

bool HasSelection(TfrmChild* Screen) { return Screen && Screen->SelImage && Screen->panSelect->Visible(); }

void UndoOrRedo(bool Undo) {
    EndToolActions(true, true);
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    TPicUndo& list = *screen->Undo;
    if (Undo ? !list.CanUndo() : !list.CanRedo()) return;
    const int width = screen->picMain->Width(), height = screen->picMain->Height();
    Undo ? list.Undo(screen->Picture()) : list.Redo(screen->Picture());
    TBitmap& picture = screen->Picture();
    screen->picMain->SetBounds(screen->picMain->Left(), screen->picMain->Top(), picture.Width(), picture.Height());
    screen->picMain->Repaint();
    // The picture has changed, so it is no longer the one on disk.
    SetModified(screen, true);
    if (picture.Width() != width || picture.Height() != height) FitToPage(screen, false);
    UpdateScrollBars(screen);
}

}  // namespace

bool ClipboardHasBitmap() { return IsClipboardFormatAvailable(CF_BITMAP) != FALSE; }

bool CopyToClipboard(TBitmap& Picture) {
    if (Picture.Empty() || !OpenClipboard(frmMain->Handle())) return false;
    EmptyClipboard();
    // The clipboard keeps a bitmap of the display's kind, which every
    // program can take.
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, Picture.Width(), Picture.Height());
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, Picture.Width(), Picture.Height(), Picture.Canvas().Handle(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    const bool placed = SetClipboardData(CF_BITMAP, copy) != nullptr;
    if (!placed) DeleteObject(copy);
    CloseClipboard();
    return placed;
}

bool ReadClipboard(TBitmap& Picture) {
    if (!ClipboardHasBitmap() || !OpenClipboard(frmMain->Handle())) return false;
    // The clipboard is given back to the other programs even when no memory
    // is left for the picture.
    struct TClose {
        ~TClose() { CloseClipboard(); }
    } close;
    return Picture.AssignHandle(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
}

void TfrmMain::mnuEdit_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    const bool selected = HasSelection(screen);
    MenuItem("mnuEditUndo")->Enabled = screen && screen->Undo->CanUndo();
    MenuItem("mnuEditRedo")->Enabled = screen && screen->Undo->CanRedo();
    for (const char* name : {"mnuEditCut", "mnuEditCopy", "mnuEditClear"}) MenuItem(name)->Enabled = selected;
    MenuItem("mnuEditPaste")->Enabled = screen && ClipboardHasBitmap();
    MenuItem("mnuEditSelectAll")->Enabled = screen && !SelectionIsWholePicture(screen);
    MenuItem("mnuEditPasteAsNew")->Enabled = ClipboardHasBitmap() && ScreenCount() < MaxScreens;
}

void TfrmMain::mnuEditUndo_Click(TComponent*) { UndoOrRedo(true); }

void TfrmMain::mnuEditRedo_Click(TComponent*) { UndoOrRedo(false); }

void TfrmMain::mnuEditCopy_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!HasSelection(screen)) return;
    HideFrame(screen);
    CopyToClipboard(screen->SelImage->Picture.Bitmap());
    ShowFrame(screen);
}

void TfrmMain::mnuEditClear_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    SetModified(screen, true);
    if (!HasSelection(screen)) return;
    HideFrame(screen);
    LiftSelection(screen);
    TCanvas& c = screen->SelImage->Picture.Bitmap().Canvas();
    c.Brush.SetColor(screen->ScreenBackColor);
    c.Brush.SetClear(false);
    c.FillRect(RECT{0, 0, screen->SelImage->Width(), screen->SelImage->Height()});
    screen->SelImage->Invalidate();
    ShowFrame(screen);
}

void TfrmMain::mnuEditCut_Click(TComponent* Sender) {
    mnuEditCopy_Click(Sender);
    mnuEditClear_Click(Sender);
}

void TfrmMain::mnuEditPaste_Click(TComponent*) {
    TfrmChild* screen = ActiveScreen();
    if (!screen || !ClipboardHasBitmap()) return;
    Reported([&] {
        TBitmap pasted;
        if (!ReadClipboard(pasted) || pasted.Width() < 4 || pasted.Height() < 4) return;
        CancelTool(screen, true);
        tlnDrawingTool_Click(ToolButtons[0]);
        BackupPicture(screen, true);
        PasteSelection(screen, pasted);
        screen->SelLifted = true;
        SetModified(screen, true);
        screen->Undo->Add(screen->picBackup->Picture.Bitmap());
        screen->ShapeW = pasted.Width();
        screen->ShapeH = pasted.Height();
        screen->Busy = true;
    });
}

void TfrmMain::mnuEditPasteAsNew_Click(TComponent*) {
    // A bitmap too small to paste ends the command there; anything else
    // leaves the active screen fitted, a new one or the one before.
    bool tooSmall = false;
    if (ScreenCount() < MaxScreens && ClipboardHasBitmap()) {
        Reported([&] {
            TBitmap pasted;
            if (!ReadClipboard(pasted)) return;
            tooSmall = pasted.Width() < 4 || pasted.Height() < 4;
            if (tooSmall) return;
            EndToolActions(true, true);
            TfrmChild* screen = CreateScreen("Screen " + std::to_string(NextScreenNumber()), 0);
            const auto* p = reinterpret_cast<const unsigned char*>(DefaultScreen.data());
            screen->ScreenBackColor = static_cast<TColor>(RGB(p[4], p[5], p[6]));
            screen->panSelect->SetColor(screen->ScreenBackColor);
            screen->SetPictureSize(pasted.Width(), pasted.Height());
            SetModified(screen, true);
            screen->Picture().Assign(pasted);
        });
    }
    if (TfrmChild* active = ActiveScreen(); active && !tooSmall) FitToPage(active, false);
}

void TfrmMain::mnuEditSelectAll_Click(TComponent*) {
    tlnDrawingTool_Click(ToolButtons[0]);
    TfrmChild* screen = ActiveScreen();
    if (!screen) return;
    const int right = screen->picMain->Width() - 1, bottom = screen->picMain->Height() - 1;
    screen->picMain_MouseDown(nullptr, mbLeft, MK_LBUTTON, 0, 0);
    screen->picMain_MouseMove(nullptr, mbLeft, MK_LBUTTON, right, bottom);
    screen->picMain_MouseUp(nullptr, mbLeft, 0, right, bottom);
}
