// A screen: one open picture in a document window of the main frame, shown
// 1:1 and scrolled by two scroll bars of its own, with its undo list and the
// state of the stroke in progress.
#pragma once
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "Forms.h"
#include "PicUndo.h"
#include "ScrollBar.h"
#include "Timer.h"
#include "ZvCom.h"

class TfrmChild : public forms::TForm {
public:
    explicit TfrmChild(forms::TComponent* AOwner);

    forms::TPanel* sclMain = nullptr;
    forms::TImage* picBackup = nullptr;
    forms::TScrollBar *slbHorz = nullptr, *slbVert = nullptr;
    forms::TPanel* panRect = nullptr;
    forms::TPanel* panMain = nullptr;
    forms::TImage* picMain = nullptr;
    forms::TPanel* panSelect = nullptr;
    forms::TTimer* tmrSelect = nullptr;

    // The stroke in progress: 0 none, else the drawing tool 1..12.
    int Tool = 0;
    // Clicks already completed of the three-click curve.
    int CurveStep = 0;
    POINT CurveP1 = {}, CurveC1 = {}, CurveP4 = {};
    bool DraggingSel = false;
    POINT DragLast = {};
    // The floating selection has been cut out of the picture.
    bool SelLifted = false;
    // The floating selection's picture, on panSelect; nullptr without one.
    forms::TImage* SelImage = nullptr;
    RECT SelRect = {};
    // The marching frame: the canvas it runs on (the picture's while
    // selecting, the selection's while floating), the frame to draw and the
    // one drawn last, its dash phase 0..7 and its state: 0 first draw,
    // 1 running, 2 erase and stop.
    forms::TCanvas* AntsCanvas = nullptr;
    RECT AntsRect = {}, AntsPrevRect = {};
    int AntsPhase = 0;
    int AntsState = 0;
    // The file the picture came from or went to; empty for a new screen.
    std::string FileName;
    std::unique_ptr<TPicUndo> Undo;
    // Ask before closing a modified screen; closing them all asks once.
    bool AskSave = true;
    // The screen's background: the eraser's colour and a lifted
    // selection's hole.
    forms::TColor ScreenBackColor = forms::clWhite;
    POINT LastMouse = {};
    // A drag whose size the status bar shows, and that size.
    bool Busy = false;
    int ShapeW = 0, ShapeH = 0;
    // The text being typed with the Text tool: the top-left corner of its
    // first line, where the click put the caret, and its lines; no lines
    // while none is being typed. TextDrawn: its undo step is made.
    POINT TextOrigin = {};
    std::vector<std::string> TextLines;
    bool TextDrawn = false;

    // The screen becomes the active one.
    void ToFront();
    // A key typed into the text being typed: a character, Backspace or
    // Enter. False when no text takes it.
    bool TypeText(char Key);
    // The document: the picture's bitmap.
    forms::TBitmap& Picture() { return picMain->Picture.Bitmap(); }
    // The picture takes a new size; the control follows it.
    void SetPictureSize(int Width, int Height);
    // The picture becomes Graphic, and the control takes its size. A bitmap
    // is taken over without copying its pixels (Graphic keeps the screen's
    // former picture); another graphic is drawn into a new bitmap of its size.
    void TakePicture(forms::TGraphic& Graphic);

    void Form_Create(forms::TComponent* Sender);
    void Form_Activate(forms::TComponent* Sender);
    void Form_CloseQuery(forms::TComponent* Sender, bool& CanClose);
    void Form_Close(forms::TComponent* Sender, forms::TCloseAction& Action);
    void Form_Destroy(forms::TComponent* Sender);
    void Form_KeyPress(forms::TComponent* Sender, char& Key);
    void slb_Change(forms::TComponent* Sender);
    // The drawing tools on the picture; a nil Sender is a call of the
    // program's own (Select All), which does not confine the mouse.
    void picMain_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picMain_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picMain_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    // Dragging the floating selection.
    void picSelect_MouseDown(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picSelect_MouseMove(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void picSelect_MouseUp(forms::TComponent* Sender, forms::TMouseButton Button, WPARAM Keys, int X, int Y);
    void tmrSelect_Timer(forms::TComponent* Sender);
    void picMain_MouseLeave(forms::TComponent* Sender);

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // The window is sized while its controls are still being made; the
    // bars are laid out by its sizes once they all exist.
    bool FControlsMade = false;
};

// Runs a handler of a screen: a failure shows the system's error, and the
// screen stays as the failed step left it.
template <class F>
void Reported(F&& Action) {
    try {
        Action();
    } catch (const forms::EOSError& e) {
        SetLastError(e.ErrorCode);
        ZvDisplayMessage();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        ZvDisplayMessage();
    } catch (...) {
        ZvDisplayMessage();
    }
}

// The magnifier's view of the picture around (X, Y), on the main window.
void ShowMagnifierView(TfrmChild* Screen, int X, int Y);
// A drawing setting as the screens use it: 0 the current tool (1..12),
// 1 the fill type (0..2), 2 the line width, 3 the eraser size; others 0.
int GetDrawingSetting(TfrmChild* Screen, int Kind);
// Save: the backup becomes a copy of the picture; else the picture is put
// back from it.
void BackupPicture(TfrmChild* Screen, bool Save);
// Ends whatever the screen is doing; the stroke in progress is undone.
void CancelTool(TfrmChild* Screen, bool Drop);
// Ends the text being typed: it stays as drawn, and its caret goes.
void EndText(TfrmChild* Screen);
// Marks the screen modified or not; its icon follows.
void SetModified(TfrmChild* Screen, bool Value);
// The screen's window icon: picture Tag of the main window's imlChild.
void UpdateScreenIcon(TfrmChild* Screen);
bool SelectionIsWholePicture(TfrmChild* Screen);
// Lays the scroll bars and the viewport out around the picture.
void UpdateScrollBars(TfrmChild* Screen);
// The floating selection (Selection.cpp).
// The frame's rectangle becomes a floating selection of those pixels.
void MakeSelectionFloat(TfrmChild* Screen);
// A new floating selection holding a copy of Picture, at the top-left
// corner of what the screen shows; it has no hole to leave.
void PasteSelection(TfrmChild* Screen, forms::TBitmap& Picture);
// Cuts the selection out of the picture, once: an undo step, the modified
// mark and the hole in the background colour.
void LiftSelection(TfrmChild* Screen);
// Stamps the selection into the picture where it lies, or into a copy of
// the picture (Target).
void DropSelection(TfrmChild* Screen);
void DropSelection(TfrmChild* Screen, forms::TBitmap& Target);
// Drops the selection if there is one and lets go of it.
void EndSelection(TfrmChild* Screen);
// Erases the frame now.
void HideFrame(TfrmChild* Screen);
// Starts the frame afresh on its canvas: it shows from the timer's next step.
void ShowFrame(TfrmChild* Screen);

// The frame's border inside a screen and the system's scroll-bar sizes.
void GetScrollBarMetrics(forms::TForm* Form, int& Border, int& BarHeight, int& BarWidth);
