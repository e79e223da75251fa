#include "Captured.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <tuple>

#include "DialogParts.h"
#include "Module.h"
#include "SelectionFrame.h"
#include "Zelvani.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

// Whether the frame marches: the Animate of the running preview.
BYTE AnimateFrame = 0;

constexpr TColor kBtnShadow = clSystemColor | COLOR_BTNSHADOW;
// The screen's cursor slot of the cross-hair over the picture.
constexpr int kCrossCursor = 1;
// Tasks drawn blank (adding to the catalog browser, printing).
bool IsBlankTask(int Index) { return Index == 0 || Index == 3; }

// Failures of the mouse and frame handlers show the system's last error;
// the dialog stays open.
template <class F>
void Reported(F&& Action) {
    try {
        Action();
    } catch (...) {
        ZvDisplayMessage();
    }
}

}  // namespace

TfrmCaptured::TfrmCaptured(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmCaptured", .Caption = "Captured Screen", .ClientWidth = 567, .ClientHeight = 400,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter, .ShowHint = true,
              .OnCreate = Handler(&TfrmCaptured::Form_Create), .OnShow = Handler(&TfrmCaptured::Form_Show),
              .OnClose = CloseHandler(&TfrmCaptured::Form_Close)});
    Add(lblText1, {.Name = "lblText1", .Left = 9, .Top = 10, .Caption = "Your screen was captured as below:",
                   .ShowAccelChar = false});
    Add(sclMain, {.Name = "sclMain", .Left = 9, .Top = 25, .Width = 549, .Height = 306, .BevelOuter = bvNone,
                  .Color = kBtnShadow});
    sclMain->SetBorder(true);
    Add(panMain, {.Name = "panMain", .Parent = sclMain, .BevelOuter = bvNone, .Color = kBtnShadow});
    Add(picMain, {.Name = "picMain", .Parent = panMain});
    picMain->OnMouseDown = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        picMain_MouseDown(s, b, k, x, y);
    };
    picMain->OnMouseMove = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        picMain_MouseMove(s, b, k, x, y);
    };
    picMain->OnMouseUp = [this](TComponent* s, TMouseButton b, WPARAM k, int x, int y) {
        picMain_MouseUp(s, b, k, x, y);
    };
    for (auto [bar, name, kind] :
         {std::tuple{&slbHorz, "slbHorz", sbHorizontal}, std::tuple{&slbVert, "slbVert", sbVertical}})
        Add(*bar, {.Name = name, .Parent = sclMain, .Width = 90, .Height = 16, .TabStop = false},
            [this, kind](TScrollBar& b) {
                b.Kind = kind;
                b.SmallChange = 5;
                b.LargeChange = 10;
                b.SetParams(0, 0, 90, 0);
                b.OnChange = Handler(&TfrmCaptured::slb_Change);
                b.OnScroll = [this](TComponent* s, int c, int& p) { slb_Scroll(s, c, p); };
            });
    Add(panRect, {.Name = "panRect", .Parent = sclMain, .BevelOuter = bvNone});
    // The label ends where the list begins, so that a wider font cuts its
    // text there instead of covering the list.
    Add(lblThen, {.Name = "lblThen", .Left = 9, .Top = 346, .Width = 225, .Height = 13,
                  .Caption = "The select area of the &captured screen will be:", .AutoSize = false});
    imlImages = new TImageList(this);
    imlImages->SetName("imlImages");
    imlImages->AddStrip(ModuleInstance(), "TASKS");
    Add(cboThen, {.Name = "cboThen", .Left = 234, .Top = 342, .Width = 190,
                  .Hint = "Specifies which task the selected area of the captured screen will perform"},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.SetItems({"added to the catalog browser", "pasted to a picture", "copied to the clipboard",
                        "printed out", "saved to disk"});
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboThen_DrawItem(s, cv, i, r, st);
            };
        });
    lblThen->FocusControl = cboThen;
    Add(panButtons, {.Name = "panButtons", .Left = 291, .Top = 370, .Width = 265, .Height = 25,
                     .BevelOuter = bvNone});
    Add(cmdSelectAll, {.Name = "cmdSelectAll", .Parent = panButtons, .Width = 85, .Height = 25,
                       .Caption = "Select &All", .Hint = "Selects the entire captured screen",
                       .OnClick = Handler(&TfrmCaptured::cmdSelectAll_Click)});
    Add(cmdOK, {.Name = "cmdOK", .Parent = panButtons, .Left = 90, .Width = 85, .Height = 25, .Caption = "OK",
                .Hint = zvscreen::kOKHint, .Default = true, .OnClick = Handler(&TfrmCaptured::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Parent = panButtons, .Left = 180, .Width = 85, .Height = 25,
                    .Caption = "Cancel", .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmCaptured::cmdCancel_Click)});
    tmrSelect = new TTimer(this);
    tmrSelect->SetName("tmrSelect");
    tmrSelect->SetEnabled(false);
    tmrSelect->SetInterval(250);
    tmrSelect->OnTimer = Handler(&TfrmCaptured::tmrSelect_Timer);
    EndDescription();
}

void TfrmCaptured::SetPicture(TBitmap* Source) {
    if (Source) Picture().Assign(*Source);
    picMain->SetBounds(0, 0, Picture().Width(), Picture().Height());
}

void TfrmCaptured::Form_Create(TComponent*) {
    Screen.SetCursor(kCrossCursor, LoadCursorA(ModuleInstance(), "CROSS"));
    picMain->Cursor = kCrossCursor;
}

void TfrmCaptured::Form_Show(TComponent*) {
    ApplyDialogLook();
    ArrangeScrollBars();
    cmdSelectAll->Click();
    cboThen->SetFocus();
}

void TfrmCaptured::Form_Close(TComponent*, TCloseAction&) { ZvClipControl(nullptr); }

void TfrmCaptured::ApplyDialogLook() { ::ApplyDialogLook(*this); }

void TfrmCaptured::GetScrollMetrics(int& Border, int& ScrollH, int& ScrollW) {
    Border = IsZoomed(Handle()) ? 0 : 4;
    NONCLIENTMETRICSA metrics = {};
    static_assert(sizeof metrics == 340, "the metrics record of the systems this library was made for");
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    ScrollH = metrics.iScrollHeight;
    ScrollW = metrics.iScrollWidth;
}

void TfrmCaptured::ArrangeScrollBars() {
    int border, scrollH, scrollW;
    GetScrollMetrics(border, scrollH, scrollW);
    const int w = sclMain->ClientWidth(), h = sclMain->ClientHeight();
    slbHorz->SetBounds(0, h - (border + scrollH) + 4, w - (border + scrollW) + 4, scrollH);
    slbVert->SetBounds(w - (border + scrollW) + 4, 0, scrollW, h - (border + scrollH) + 4);
    panMain->SetBounds(0, 0, w - scrollW, h - scrollH);
    panRect->SetBounds(slbVert->Left(), slbHorz->Top(), scrollW, scrollH);
    // Each way, the picture scrolls when it does not fit beside the other
    // way's bar.
    const int pw = Picture().Width(), ph = Picture().Height();
    const int left = slbHorz->ScrollPicture(pw + border + scrollW > sclMain->Width(), pw, slbHorz->Width());
    const int top = slbVert->ScrollPicture(ph + border + scrollH > sclMain->Height(), ph, slbVert->Height());
    picMain->SetBounds(left, top, pw, ph);
}

void TfrmCaptured::slb_Change(TComponent*) { ArrangeScrollBars(); }

void TfrmCaptured::slb_Scroll(TComponent*, int, int&) { ArrangeScrollBars(); }

// ---- The selection -----------------------------------------------------------

POINT TfrmCaptured::InPicture(int X, int Y) {
    return {std::clamp(X, 0, std::max(Picture().Width() - 1, 0)),
            std::clamp(Y, 0, std::max(Picture().Height() - 1, 0))};
}

void TfrmCaptured::picMain_MouseDown(TComponent* Sender, TMouseButton Button, WPARAM, int X, int Y) {
    if (Button != mbLeft) return;
    Reported([&] {
        FocusBeforeDrag();
        cmdOK->SetEnabled(false);
        cmdSelectAll->SetEnabled(false);
        FDragging = true;
        // The anchor of the drag is the pen position of the picture.
        const POINT p = InPicture(X, Y);
        Picture().Canvas().MoveTo(p.x, p.y);
        if (Sender) ZvClipControl(picMain);
        if (FFrameState != 2) DropSelection();
        FFramePhase = 0;
        FSelRect = FDrawnRect = {p.x, p.y, p.x, p.y};
        FFrameState = 0;
        FSelWidth = FSelHeight = 1;
        FHasSelection = true;
    });
}

void TfrmCaptured::picMain_MouseMove(TComponent*, TMouseButton, WPARAM, int X, int Y) {
    if (FDragging) Reported([&] { TrackSelection(X, Y); });
}

void TfrmCaptured::picMain_MouseUp(TComponent* Sender, TMouseButton, WPARAM, int X, int Y) {
    if (!FDragging) return;
    Reported([&] {
        TrackSelection(X, Y);
        if (FSelWidth < 4 || FSelHeight < 4) DropSelection();
    });
    // The drag ends whatever happened in it.
    if (Sender) ZvClipControl(nullptr);
    FDragging = false;
    cmdOK->SetEnabled(FHasSelection);
    cmdSelectAll->SetEnabled(!SelectionIsWholePicture());
    FocusAfterDrag();
}

void TfrmCaptured::TrackSelection(int X, int Y) {
    const POINT a = Picture().Canvas().PenPos();
    const POINT p = InPicture(X, Y);
    FSelRect = {std::min(a.x, p.x), std::min(a.y, p.y), std::max(a.x, p.x) + 1, std::max(a.y, p.y) + 1};
    tmrSelect->SetEnabled(true);
    FSelWidth = std::abs(FSelRect.left - FSelRect.right);
    FSelHeight = std::abs(FSelRect.top - FSelRect.bottom);
}

void TfrmCaptured::DropSelection() {
    FFrameState = 2;
    if (tmrSelect->Enabled()) FrameStep();
    FHasSelection = false;
}

void TfrmCaptured::FocusBeforeDrag() {
    if (ActiveControl() == cmdOK || ActiveControl() == cmdSelectAll) cmdCancel->SetFocus();
}

void TfrmCaptured::FocusAfterDrag() {
    if (ActiveControl() != cmdCancel) return;
    if (cmdOK->Enabled())
        cmdOK->SetFocus();
    else if (cmdSelectAll->Enabled())
        cmdSelectAll->SetFocus();
}

bool TfrmCaptured::SelectionIsWholePicture() const {
    return FFrameState != 2 && FHasSelection && FSelWidth == picMain->Width() && FSelHeight == picMain->Height();
}

// ---- The frame ---------------------------------------------------------------

void TfrmCaptured::tmrSelect_Timer(TComponent*) { Reported([&] { FrameStep(); }); }

void TfrmCaptured::FrameStep() {
    if (AnimateFrame == 0) FFramePhase = 0;
    // The pen position holds the anchor of a drag in progress.
    TCanvas& canvas = Picture().Canvas();
    const POINT pen = canvas.PenPos();
    if (FFrameState != 0) {
        DrawSelectionFrame(FDrawnRect);  // drawn again, it goes
        if (AnimateFrame != 0) FFramePhase = (FFramePhase + 1) % 8;
    } else {
        FFrameState = 1;
    }
    canvas.MoveTo(pen.x, pen.y);
    if (FFrameState == 2) {
        tmrSelect->SetEnabled(false);
    } else {
        DrawSelectionFrame(FSelRect);
        FDrawnRect = FSelRect;
    }
    canvas.MoveTo(pen.x, pen.y);
    picMain->Invalidate();
}

void TfrmCaptured::DrawSelectionFrame(const RECT& Rect) {
    forms::DrawSelectionFrame(Picture().Canvas(), Rect, FFramePhase);
}

// ---- The task list and the buttons -------------------------------------------

void TfrmCaptured::cboThen_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    // The item's rectangle comes filled.
    if (Index < 0 || Index >= static_cast<int>(cboThen->Items().size()) || IsBlankTask(Index)) return;
    if (Index == 2 || Index == 4) imlImages->Draw(Canvas, Rect.left + 1, Rect.top, Index - 1, true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, cboThen->Items()[static_cast<size_t>(Index)]);
}

void TfrmCaptured::cmdSelectAll_Click(TComponent*) {
    cmdSelectAll->SetFocus();
    const int right = Picture().Width() - 1, bottom = Picture().Height() - 1;
    picMain_MouseDown(nullptr, mbLeft, 0, 0, 0);
    picMain_MouseMove(nullptr, mbLeft, 0, right, bottom);
    picMain_MouseUp(nullptr, mbLeft, 0, right, bottom);
}

void TfrmCaptured::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    ModalResult = mrOk;
}

void TfrmCaptured::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

// ---- The export --------------------------------------------------------------

ZVSCREEN_API bool WINAPI ZvShowPrevious(bool IsCaptured, BYTE Animate, TBitmap* Picture, int& ThenIndex,
                                        RECT& Area) {
    Area = RECT{0, 0, 0, 0};
    return Guarded(false, [&] {
        auto form = std::make_unique<TfrmCaptured>(Application);
        form->SetCaption(IsCaptured ? "Captured Screen" : "Previous Screen");
        AnimateFrame = Animate;
        ThenIndex = std::clamp(ThenIndex, 0, 4);
        form->cboThen->SetItemIndex(ThenIndex);
        form->SetPicture(Picture);
        if (form->ShowModal() != mrOk) return false;
        ThenIndex = form->cboThen->ItemIndex();
        Area = form->SelRect();
        return true;
    });
}
