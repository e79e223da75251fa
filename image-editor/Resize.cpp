#include "Resize.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "Images.h"
#include "Main.h"
#include "RegData.h"
#include "ScreenPreview.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

int ResizeWidth = 0, ResizeHeight = 0;
TfrmResize* frmResize = nullptr;

namespace {

constexpr int kSmallest = 10, kLargest = 1600;
// Set while the controls are being refreshed, so that their events change
// nothing.
bool Busy = false;
// Set once the first showing has reached its end.
bool FirstShown = false;

int Round(double Value) { return static_cast<int>(std::nearbyint(Value)); }

}  // namespace

TfrmResize::TfrmResize(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmResize", .Caption = "Resize Screen", .ClientWidth = 427, .ClientHeight = 297,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmResize::Form_Show)});
    Add(lblResizeBy, {.Name = "lblResizeBy", .Left = 8, .Top = 8, .Caption = "&Resize screen by:"});
    Add(cboResizeBy, {.Name = "cboResizeBy", .Left = 8, .Top = 24, .Width = 170, .Height = 22,
                      .Hint = "Specifies that which unit is used to measure the width and height of your screen",
                      .OnChange = Handler(&TfrmResize::cboResizeBy_Click)},
        [this](TComboBox& c) {
            c.ItemHeight = 16;
            c.SetItems({"Pixels", "Percentage"});
            c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                cboResizeBy_DrawItem(s, cv, i, r, st);
            };
        });
    lblResizeBy->FocusControl = cboResizeBy;
    struct Side {
        const char* Name;
        const char* Caption;
        TLabel*& Label;
        TEdit*& Edit;
        TUpDown*& UpDown;
        TLabel*& Unit;
        int Top;
    };
    const Side sides[] = {{"Width", "&Width:", lblWidth, txtWidth, updWidth, lblWidthPixels, 58},
                          {"Height", "&Height:", lblHeight, txtHeight, updHeight, lblHeightPixels, 86}};
    for (const Side& s : sides) {
        const std::string name = s.Name;
        Add(s.Label, {.Name = "lbl" + name, .Left = 8, .Top = s.Top + 4, .Caption = s.Caption});
        Add(s.Edit, {.Name = "txt" + name, .Left = 60, .Top = s.Top, .Width = 60, .Height = 21, .Caption = "10",
                     .MaxLength = 4, .OnExit = Handler(&TfrmResize::txtScreen_Exit)});
        s.Label->FocusControl = s.Edit;
        s.Edit->OnKeyPress = [this](TComponent* e, char& k) { txtScreen_KeyPress(e, k); };
        s.Edit->OnContextPopup = [this](TComponent* e, POINT p, bool& h) { txtScreen_ContextPopup(e, p, h); };
        // The up-down takes its width from the edit's right end.
        Add(s.UpDown, {.Name = "upd" + name, .Left = 105, .Top = s.Top, .Width = 15, .Height = 21,
                       .OnClick = Handler(&TfrmResize::updScreen_Click)},
            [&](TUpDown& u) {
                u.Thousands = false;
                u.SetMin(kSmallest);
                u.SetMax(kLargest);
                u.SetIncrement(10);
                u.SetAssociate(s.Edit);
            });
        Add(s.Unit, {.Name = "lbl" + name + "Pixels", .Left = 126, .Top = s.Top + 4, .Caption = "Pixels"});
    }
    Add(chkStretch, {.Name = "chkStretch", .Left = 8, .Top = 114, .Width = 170, .Height = 17,
                     .Caption = "&Stretch the picture", .Hint = "Stretches the selected area or your entire screen"});
    Add(chkAspectRatio, {.Name = "chkAspectRatio", .Left = 8, .Top = 136, .Width = 170, .Height = 17,
                         .Caption = "&Maintain aspect ratio",
                         .Hint = "Keeps the original proportions as you adjust the size",
                         .OnClick = Handler(&TfrmResize::chkAspectRatio_Click)});
    Add(fraOrientation, {.Name = "fraOrientation", .Left = 8, .Top = 162, .Width = 170, .Height = 72,
                         .Caption = " Orientation "});
    Add(picOrientation, {.Name = "picOrientation", .Parent = fraOrientation, .Left = 12, .Top = 26, .Width = 32,
                         .Height = 32});
    picOrientation->OnPaint = Handler(&TfrmResize::picOrientation_Paint);
    Add(optPortrait, {.Name = "optPortrait", .Parent = fraOrientation, .Left = 56, .Top = 20, .Width = 100,
                      .Height = 17, .Caption = "&Portrait",
                      .Hint = "Specifies the screen to be printed with its top along the short side of the paper",
                      .Tag = 1, .OnClick = Handler(&TfrmResize::optOrientation_Click),
                      .OnDblClick = Handler(&TfrmResize::optOrientation_DblClick)});
    Add(optLandscape, {.Name = "optLandscape", .Parent = fraOrientation, .Left = 56, .Top = 44, .Width = 100,
                       .Height = 17, .Caption = "&Landscape",
                       .Hint = "Specifies the screen to be printed with its top along the long side of the paper",
                       .Tag = 2, .OnClick = Handler(&TfrmResize::optOrientation_Click),
                       .OnDblClick = Handler(&TfrmResize::optOrientation_DblClick)});
    Add(lblPreview, {.Name = "lblPreview", .Left = 188, .Top = 8, .Caption = "Preview:"});
    Add(sclPreview, {.Name = "sclPreview", .Left = 188, .Top = 24, .Width = 231, .Height = 231,
                     .Hint = "Shows how your screen will look with the selected options", .BevelOuter = bvNone,
                     .Color = clBtnShadow});
    Add(picPreview, {.Name = "picPreview", .Parent = sclPreview, .Left = 1, .Top = 1, .Width = 229, .Height = 229,
                     .Hint = "Shows how your screen will look with the selected options"});
    Add(cmdOK, {.Name = "cmdOK", .Left = 263, .Top = 264, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmResize::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 344, .Top = 264, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmResize::cmdCancel_Click)});
    EndDescription();
}

int TfrmResize::Limited(int Side, int Before) const {
    return std::clamp(Side, std::min(kSmallest, Before), std::max(kLargest, Before));
}

int TfrmResize::EditPixels(TEdit* Edit, int Before) const {
    const int v = NumberIn(Edit->Text());
    return Percentage() ? static_cast<int>(static_cast<long long>(v) * Before / 100) : v;
}

void TfrmResize::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    NewWidth = ResizeWidth;
    NewHeight = ResizeHeight;
    // An empty picture has no proportions to keep.
    const bool sized = ResizeWidth > 0 && ResizeHeight > 0;
    RatioWH = sized ? static_cast<double>(ResizeWidth) / ResizeHeight : 1;
    RatioHW = sized ? static_cast<double>(ResizeHeight) / ResizeWidth : 1;
    // The boxes' clicks wait for the refresh: the edits still show the
    // numbers of the showing before.
    Busy = true;
    cboResizeBy->SetItemIndex(HasOption(OptResizeByPixels) ? 0 : 1);
    chkStretch->SetChecked(HasOption(OptResizeStretch));
    chkAspectRatio->SetChecked(HasOption(OptKeepAspectRatio));
    Busy = false;
    UpdateResizeControls();
    FirstShown = true;
    chkAspectRatio_Click(chkAspectRatio);
    SetActiveControl(txtWidth);
}

void TfrmResize::UpdateResizeControls() {
    Busy = true;
    NewWidth = Limited(NewWidth, ResizeWidth);
    NewHeight = Limited(NewHeight, ResizeHeight);
    const char* unitWord;
    const char* unitLabel;
    if (Percentage()) {
        unitWord = "percentage";
        unitLabel = "%";
        if (ResizeWidth > 0 && ResizeHeight > 0) {
            // The percentages that give 10 and 1600 pixels, and 100 also
            // where the size before lies outside them. The range goes first:
            // an up-down keeps its position through a new range by reading
            // its edit, and a number outside the old range (a percentage
            // below 10) would read as the pixels shown before.
            for (auto [upDown, before] : {std::pair{updWidth, ResizeWidth}, std::pair{updHeight, ResizeHeight}}) {
                upDown->SetIncrement(2);
                upDown->SetMin(std::min(100, kSmallest * 100 / before));
                upDown->SetMax(std::max(100, kLargest * 100 / before));
            }
            txtWidth->SetText(std::to_string(NewWidth * 100 / ResizeWidth));
            txtHeight->SetText(std::to_string(NewHeight * 100 / ResizeHeight));
        }
    } else {
        unitWord = "pixels";
        unitLabel = "Pixels";
        // The range goes first, so that the numbers are not cut to the
        // range of a percentage.
        for (auto [upDown, before] : {std::pair{updWidth, ResizeWidth}, std::pair{updHeight, ResizeHeight}}) {
            upDown->SetIncrement(10);
            upDown->SetMin(std::min(kSmallest, before));
            upDown->SetMax(std::max(kLargest, before));
        }
        txtWidth->SetText(std::to_string(NewWidth));
        txtHeight->SetText(std::to_string(NewHeight));
    }
    char hint[96];
    std::snprintf(hint, sizeof hint, "Specifies the %s length of the screen in %s", "side-to-side", unitWord);
    txtWidth->Hint = updWidth->Hint = hint;
    std::snprintf(hint, sizeof hint, "Specifies the %s length of the screen in %s", "top-to-bottom", unitWord);
    txtHeight->Hint = updHeight->Hint = hint;
    updWidth->SetPosition(NumberIn(txtWidth->Text()));
    updHeight->SetPosition(NumberIn(txtHeight->Text()));
    lblWidthPixels->SetCaption(unitLabel);
    lblHeightPixels->SetCaption(unitLabel);
    // A square counts as landscape.
    (NewWidth < NewHeight ? optPortrait : optLandscape)->SetChecked(true);
    TfrmChild* screen = ActiveScreen();
    TBitmap& preview = picPreview->Picture.Bitmap();
    preview.SetSize(picPreview->Width(), picPreview->Height());
    DrawScreenPreview(preview.Canvas(), preview.Width(), preview.Height(), NewWidth, NewHeight,
                      screen ? screen->ScreenBackColor : clWhite);
    picPreview->Picture.Changed();
    Busy = false;
}

void TfrmResize::txtScreen_Exit(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(Sender);
    if (!edit->Modified()) return;
    const bool width = edit == txtWidth;
    // What the user typed keeps to 10..1600.
    const int v = std::clamp(EditPixels(edit, width ? ResizeWidth : ResizeHeight), kSmallest, kLargest);
    if (width) {
        NewWidth = v;
        if (chkAspectRatio->Checked()) NewHeight = Round(v / RatioWH);
    } else {
        NewHeight = v;
        if (chkAspectRatio->Checked()) NewWidth = Round(v / RatioHW);
    }
    edit->SetModified(false);
    UpdateResizeControls();
}

void TfrmResize::txtScreen_KeyPress(TComponent* Sender, char& Key) {
    if (Key != '\b' && (Key < '0' || Key > '9')) {
        Key = 0;
        return;
    }
    static_cast<TEdit*>(Sender)->SetModified(true);
}

void TfrmResize::txtScreen_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmResize::updScreen_Click(TComponent* Sender) {
    auto* edit = static_cast<TEdit*>(FindComponent("txt" + Sender->Name().substr(3)));
    edit->SetFocus();
    edit->SetModified(true);
    txtScreen_Exit(edit);
}

void TfrmResize::chkAspectRatio_Click(TComponent*) {
    if (!FirstShown || Busy) return;
    optPortrait->SetEnabled(!chkAspectRatio->Checked());
    optLandscape->SetEnabled(!chkAspectRatio->Checked());
    // The width within the limits of this showing, as the refresh keeps it;
    // a width typed and not yet left is the one the height follows.
    const int v = Limited(EditPixels(txtWidth, ResizeWidth), ResizeWidth);
    if (chkAspectRatio->Checked()) {
        NewWidth = v;
        NewHeight = Round(v / RatioWH);
    }
    UpdateResizeControls();
}

void TfrmResize::optOrientation_Click(TComponent* Sender) {
    if (!Busy) {
        const int small = std::min(NewWidth, NewHeight), large = std::max(NewWidth, NewHeight);
        const bool portrait = Sender->Tag == 1;
        NewWidth = portrait ? small : large;
        NewHeight = portrait ? large : small;
        UpdateResizeControls();
    }
    picOrientation->Invalidate();
}

void TfrmResize::optOrientation_DblClick(TComponent*) { cmdOK->Click(); }

void TfrmResize::picOrientation_Paint(TComponent*) {
    frmMain->imlCommon->Draw(picOrientation->Canvas(), 0, 0,
                             optPortrait->Checked() ? CommonImages::Portrait : CommonImages::Landscape, true);
}

void TfrmResize::cboResizeBy_Click(TComponent*) {
    if (!Busy) UpdateResizeControls();
}

void TfrmResize::cboResizeBy_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(cboResizeBy->Items().size())) return;
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 2, Rect.top + 1, cboResizeBy->Items()[static_cast<size_t>(Index)]);
}

void TfrmResize::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    SetOption(OptResizeByPixels, cboResizeBy->ItemIndex() == 0);
    SetOption(OptResizeStretch, chkStretch->Checked());
    SetOption(OptKeepAspectRatio, chkAspectRatio->Checked());
    ResizeWidth = NewWidth;
    ResizeHeight = NewHeight;
    ModalResult = mrOk;
}

void TfrmResize::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

LRESULT TfrmResize::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_SYSCOLORCHANGE && Visible()) UpdateResizeControls();
    return TForm::WndProc(Msg, WParam, LParam);
}
