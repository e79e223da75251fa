// The captured-screen preview: the picture 1:1 with scroll bars of its own,
// an area dragged over it with a moving dashed frame, and the task that the
// area is meant for.
#pragma once
#include <windows.h>

#include "ComboBox.h"
#include "Forms.h"
#include "Menus.h"
#include "ScrollBar.h"
#include "Timer.h"

class TfrmCaptured : public forms::TForm {
public:
    explicit TfrmCaptured(forms::TComponent* AOwner);

    forms::TLabel* lblText1;
    forms::TPanel* sclMain;
    forms::TPanel* panMain;
    forms::TImage* picMain;
    forms::TScrollBar *slbHorz, *slbVert;
    forms::TPanel* panRect;
    forms::TLabel* lblThen;
    forms::TImageList* imlImages;
    forms::TComboBox* cboThen;
    forms::TPanel* panButtons;
    forms::TButton* cmdSelectAll;
    forms::TButton* cmdOK;
    forms::TButton* cmdCancel;
    forms::TTimer* tmrSelect;

    // The dialog's own copy of the picture, on which the frame is drawn.
    forms::TBitmap& Picture() { return picMain->Picture.Bitmap(); }
    // The picture to show; the caller's picture is copied, never changed.
    void SetPicture(forms::TBitmap* Source);
    // The current selection in picture coordinates, Right and Bottom
    // outside it.
    const RECT& SelRect() const { return FSelRect; }

    void Form_Create(forms::TComponent* Sender);
    void Form_Show(forms::TComponent* Sender);
    void Form_Close(forms::TComponent* Sender, forms::TCloseAction& Action);
    void cboThen_DrawItem(forms::TWinControl* Sender, forms::TCanvas& Canvas, int Index, const RECT& Rect,
                          UINT State);
    void cmdSelectAll_Click(forms::TComponent* Sender);
    void cmdOK_Click(forms::TComponent* Sender);
    void cmdCancel_Click(forms::TComponent* Sender);
    void picMain_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picMain_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picMain_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void slb_Change(forms::TComponent* Sender);
    void slb_Scroll(forms::TComponent* Sender, int Code, int& ScrollPos);
    void tmrSelect_Timer(forms::TComponent* Sender);

    // The user-interface font, and hints only where the user wants tool tips.
    void ApplyDialogLook();
    // Border: the frame's inner border, 0 when maximised, else 4; the
    // system's scroll-bar height and width.
    void GetScrollMetrics(int& Border, int& ScrollH, int& ScrollW);
    // Lays the bars out around the view and scrolls the picture by them.
    void ArrangeScrollBars();
    bool SelectionIsWholePicture() const;
    void DrawSelectionFrame(const RECT& Rect);

private:
    // One step of the frame: the frame drawn is taken away and the
    // selection's frame drawn anew, or, in state 2, the timer stops.
    void FrameStep();
    // The selection from the anchor to (X, Y), both pixels inside it.
    void TrackSelection(int X, int Y);
    // The frame goes and there is no selection.
    void DropSelection();
    // Moves the focus away from a button that is about to be disabled, or
    // back to one once the drag is over.
    void FocusBeforeDrag();
    void FocusAfterDrag();
    // A point of the picture's control as a pixel of the picture.
    POINT InPicture(int X, int Y);

    int FFramePhase = 0;
    RECT FSelRect = {};
    RECT FDrawnRect = {};
    BYTE FFrameState = 2;
    bool FHasSelection = false;
    int FSelWidth = 0, FSelHeight = 0;
    bool FDragging = false;
};
