// The floating selection of a screen: its marching frame, floating, lifting,
// dragging and dropping.
#include <windows.h>

#include "Child.h"
#include "Main.h"
#include "RegData.h"
#include "SelectionFrame.h"
#include "ZvCom.h"

using namespace forms;

namespace {

// A new picture on the screen's selection holder, as every selection gets.
TImage* NewSelectionImage(TfrmChild* Screen, int Width, int Height) {
    auto* image = new TImage(Application);
    image->SetBounds(0, 0, Width, Height);
    image->SetParent(Screen->panSelect);
    image->Cursor = 13;
    image->PopupMenu = frmMain->mnuPEdit;
    image->OnMouseDown = [Screen](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { Screen->picSelect_MouseDown(s, b, k, x, y); };
    image->OnMouseMove = [Screen](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { Screen->picSelect_MouseMove(s, b, k, x, y); };
    image->OnMouseUp = [Screen](TComponent* s, TMouseButton b, WPARAM k, int x, int y) { Screen->picSelect_MouseUp(s, b, k, x, y); };
    image->Picture.Bitmap().SetSize(Width, Height);
    return image;
}

// The frame starts running on the selection's own pixels.
void RunFrameOnSelection(TfrmChild* Screen) {
    Screen->AntsRect = {0, 0, Screen->SelImage->Width(), Screen->SelImage->Height()};
    Screen->panSelect->Show();
    // The holder was made after the picture and would lie below it: over
    // the picture it shows, and the mouse reaches it.
    Screen->panSelect->BringToFront();
    Screen->AntsCanvas = &Screen->SelImage->Picture.Bitmap().Canvas();
    ShowFrame(Screen);
}

// A point of the selection's picture in the screen picture's coordinates.
POINT ToPicture(TfrmChild* Screen, int X, int Y) {
    POINT p = {X, Y};
    MapWindowPoints(Screen->SelImage->Handle(), Screen->picMain->Handle(), &p, 1);
    return p;
}

}  // namespace

void TfrmChild::tmrSelect_Timer(TComponent*) {
    try {
        if (!AntsCanvas) return;
        const bool animated = HasOption(OptAnimatedSelection);
        if (!animated) AntsPhase = 0;
        const POINT pen = AntsCanvas->PenPos();
        if (AntsState != 0) {
            DrawSelectionFrame(*AntsCanvas, AntsPrevRect, AntsPhase);
            if (animated) AntsPhase = (AntsPhase + 1) % 8;
        } else {
            AntsState = 1;
        }
        if (AntsState == 2) {
            tmrSelect->SetEnabled(false);
        } else {
            DrawSelectionFrame(*AntsCanvas, AntsRect, AntsPhase);
            AntsPrevRect = AntsRect;
        }
        AntsCanvas->MoveTo(pen.x, pen.y);
        (SelImage && AntsCanvas == &SelImage->Picture.Bitmap().Canvas() ? static_cast<TControl*>(SelImage) : picMain)
            ->Invalidate();
    } catch (...) {
        ZvDisplayMessage();
    }
}

void HideFrame(TfrmChild* Screen) {
    Screen->AntsState = 2;
    if (Screen->tmrSelect->Enabled()) Screen->tmrSelect_Timer(nullptr);
}

void ShowFrame(TfrmChild* Screen) {
    // A frame that starts again has drawn nothing yet: stopped before its
    // first step, it has nothing to erase, and erasing a rectangle drawn
    // before would leave dashes in the pixels instead.
    Screen->AntsPrevRect = RECT{};
    Screen->AntsState = 0;
    Screen->tmrSelect->SetEnabled(true);
}

void MakeSelectionFloat(TfrmChild* Screen) {
    HideFrame(Screen);
    const RECT r = Screen->AntsRect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    Screen->panSelect->SetBounds(r.left + Screen->picMain->Left(), r.top + Screen->picMain->Top(), w, h);
    Screen->SelImage = NewSelectionImage(Screen, w, h);
    BitBlt(Screen->SelImage->Picture.Bitmap().Canvas().Handle(), 0, 0, w, h, Screen->Picture().Canvas().Handle(),
           r.left, r.top, SRCCOPY);
    Screen->SelRect = r;
    RunFrameOnSelection(Screen);
}

void PasteSelection(TfrmChild* Screen, TBitmap& Picture) {
    const int w = Picture.Width(), h = Picture.Height();
    // The top-left corner of what the screen shows, so that the selection
    // lies where it is seen and the first move does not make it jump.
    Screen->panSelect->SetBounds(0, 0, w, h);
    Screen->SelImage = NewSelectionImage(Screen, w, h);
    Screen->SelImage->Picture.Bitmap().Assign(Picture);
    Screen->SelRect = {-Screen->picMain->Left(), -Screen->picMain->Top(), -Screen->picMain->Left() + w,
                       -Screen->picMain->Top() + h};
    RunFrameOnSelection(Screen);
}

void LiftSelection(TfrmChild* Screen) {
    if (Screen->SelLifted) return;
    // The undo step first: when there is no memory for it, nothing changes.
    Screen->Undo->Add(Screen->Picture());
    Screen->SelLifted = true;
    SetModified(Screen, true);
    TCanvas& c = Screen->Picture().Canvas();
    c.Brush.SetColor(Screen->ScreenBackColor);
    c.Brush.SetClear(false);
    const int left = Screen->panSelect->Left() - Screen->picMain->Left();
    const int top = Screen->panSelect->Top() - Screen->picMain->Top();
    c.FillRect(RECT{left, top, left + Screen->panSelect->Width(), top + Screen->panSelect->Height()});
    Screen->picMain->Invalidate();
}

void DropSelection(TfrmChild* Screen, TBitmap& Target) {
    if (!Screen->SelImage || !Screen->panSelect->Visible()) return;
    BitBlt(Target.Canvas().Handle(), Screen->panSelect->Left() - Screen->picMain->Left(),
           Screen->panSelect->Top() - Screen->picMain->Top(), Screen->panSelect->Width(), Screen->panSelect->Height(),
           Screen->SelImage->Picture.Bitmap().Canvas().Handle(), 0, 0, SRCCOPY);
}

void DropSelection(TfrmChild* Screen) {
    DropSelection(Screen, Screen->Picture());
    Screen->picMain->Invalidate();
}

void EndSelection(TfrmChild* Screen) {
    DropSelection(Screen);
    if (Screen->AntsCanvas && Screen->SelImage && Screen->AntsCanvas == &Screen->SelImage->Picture.Bitmap().Canvas())
        Screen->AntsCanvas = nullptr;
    Free(Screen->SelImage);
    Screen->SelImage = nullptr;
    Screen->panSelect->Hide();
}

void TfrmChild::picSelect_MouseDown(TComponent*, TMouseButton Button, WPARAM, int X, int Y) {
    ToFront();
    if (Button != mbLeft) return;
    DraggingSel = true;
    frmMain->panMagnifierFront->Hide();
    DragLast = ToPicture(this, X, Y);
}

void TfrmChild::picSelect_MouseMove(TComponent*, TMouseButton Button, WPARAM Keys, int X, int Y) {
    const POINT p = ToPicture(this, X, Y);
    if (!DraggingSel) return picMain_MouseMove(picMain, Button, Keys, p.x, p.y);
    try {
        LiftSelection(this);
        OffsetRect(&SelRect, p.x - DragLast.x, p.y - DragLast.y);
        panSelect->SetBounds(picMain->Left() + SelRect.left, picMain->Top() + SelRect.top, panSelect->Width(),
                             panSelect->Height());
        DragLast = p;
    } catch (...) {
        ZvDisplayMessage();
    }
}

void TfrmChild::picSelect_MouseUp(TComponent*, TMouseButton, WPARAM, int, int) {
    if (!DraggingSel) return;
    frmMain->panMagnifierFront->Show();
    DraggingSel = false;
}
