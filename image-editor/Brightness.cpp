#include "Brightness.h"

#include <algorithm>
#include <memory>

#include "DialogLook.h"
#include "Images.h"
#include "Main.h"
#include "RegData.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

int BrightnessValue = 0;
TfrmBrightness* frmBrightness = nullptr;

namespace {

constexpr TColor kGround = 0xFF00FF;

// The picture of a ramp style (1..4): a square that runs from the full
// change (white when lightening, black when darkening) to none (grey) in the
// style's direction, on a ground that shows through.
std::unique_ptr<TBitmap> RampPicture(int Style, bool Lighter) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(16, 16);
    TCanvas& c = b->Canvas();
    c.Brush.SetColor(kGround);
    c.FillRect(RECT{0, 0, 16, 16});
    const int full = Lighter ? 255 : 0, none = 128;
    // Strips 1..14 across the square, from the full end to the other.
    for (int i = 0; i < 14; ++i) {
        const int level = full + (none - full) * i / 13;
        c.Brush.SetColor(RGB(level, level, level));
        const int at = Style == 1 || Style == 2 ? 1 + i : 14 - i;
        c.FillRect(Style == 1 || Style == 3 ? RECT{at, 1, at + 1, 15} : RECT{1, at, 15, at + 1});
    }
    c.Pen.SetColor(0x404040);
    c.Brush.SetClear(true);
    c.Rectangle(0, 0, 16, 16);
    return b;
}

TImageList* RampList(TComponent* Owner, const char* Name, bool Lighter) {
    auto* list = new TImageList(Owner);
    list->SetName(Name);
    for (int style = 1; style <= 4; ++style) list->Add(RampPicture(style, Lighter));
    return list;
}

}  // namespace

int BrightnessIn(const std::string& Text) {
    const bool negative = !Text.empty() && Text[0] == '-';
    size_t i = negative ? 1 : 0;
    int value = 0;
    for (; i < Text.size() && Text[i] >= '0' && Text[i] <= '9' && value <= 100; ++i) value = value * 10 + (Text[i] - '0');
    return std::clamp(negative ? -value : value, -100, 100);
}

TfrmBrightness::TfrmBrightness(TComponent* AOwner) : TForm(AOwner) {
    imlLighter = RampList(this, "imlLighter", true);
    imlDarker = RampList(this, "imlDarker", false);
    Describe({.Name = "frmBrightness", .Caption = "Brightness", .ClientWidth = 300, .ClientHeight = 151,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmBrightness::Form_Show)});
    Add(lblBrightness, {.Name = "lblBrightness", .Left = 8, .Top = 8, .Caption = "&Brightness:"});
    Add(picLess, {.Name = "picLess", .Left = 8, .Top = 32, .Width = 16, .Height = 16, .Tag = 1});
    Add(trbBrightness, {.Name = "trbBrightness", .Left = 28, .Top = 24, .Width = 244, .Height = 34},
        [this](TTrackBar& t) {
            t.SetRange(-100, 100);
            t.SetPageSize(10);
            t.SetFrequency(20);
            t.OnChange = Handler(&TfrmBrightness::trbBrightness_Change);
        });
    lblBrightness->FocusControl = trbBrightness;
    Add(picMore, {.Name = "picMore", .Left = 276, .Top = 32, .Width = 16, .Height = 16, .Tag = 2});
    for (TPaintBox* box : {picLess, picMore}) box->OnPaint = Handler(&TfrmBrightness::pic_Paint);
    Add(lblValue, {.Name = "lblValue", .Left = 8, .Top = 70, .Caption = "&Value:"});
    Add(txtValue, {.Name = "txtValue", .Left = 60, .Top = 66, .Width = 56, .Height = 21, .Caption = "0",
                   .MaxLength = 4, .OnExit = Handler(&TfrmBrightness::txtValue_Exit)});
    lblValue->FocusControl = txtValue;
    txtValue->OnKeyPress = [this](TComponent* s, char& k) { txtValue_KeyPress(s, k); };
    txtValue->OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtValue_ContextPopup(s, p, h); };
    Add(updValue, {.Name = "updValue", .Left = 101, .Top = 66, .Width = 15, .Height = 21,
                   .OnClick = Handler(&TfrmBrightness::updValue_Click)},
        [this](TUpDown& u) {
            u.Thousands = false;
            u.SetMin(-100);
            u.SetMax(100);
            u.SetAssociate(txtValue);
        });
    Add(lblStyle, {.Name = "lblStyle", .Left = 8, .Top = 98, .Caption = "&Style:"});
    Add(cboStyle, {.Name = "cboStyle", .Left = 60, .Top = 94, .Width = 140, .Height = 22}, [this](TComboBox& c) {
        c.ItemHeight = 16;
        c.DropDownCount = 5;
        c.SetItems({"All", "Left to right", "Top to bottom", "Right to left", "Bottom to top"});
        c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
            cboStyle_DrawItem(s, cv, i, r, st);
        };
    });
    lblStyle->FocusControl = cboStyle;
    Add(cmdOK, {.Name = "cmdOK", .Left = 136, .Top = 118, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmBrightness::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 217, .Top = 118, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmBrightness::cmdCancel_Click)});
    EndDescription();
}

void TfrmBrightness::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    Updating = false;
    LastValue = 0;
    BrightnessValue = 0;
    cboStyle->SetItemIndex(BrightStyle);
    SyncBrightnessControls();
    SetActiveControl(trbBrightness);
}

void TfrmBrightness::SyncBrightnessControls() {
    Updating = true;
    if ((BrightnessValue < 0) != (LastValue < 0)) cboStyle->Invalidate();
    LastValue = BrightnessValue;
    trbBrightness->SetPosition(BrightnessValue);
    txtValue->SetText(std::to_string(BrightnessValue));
    updValue->SetPosition(BrightnessValue);
    Updating = false;
}

void TfrmBrightness::trbBrightness_Change(TComponent*) {
    if (Updating) return;
    BrightnessValue = trbBrightness->Position();
    SyncBrightnessControls();
}

void TfrmBrightness::updValue_Click(TComponent*) {
    if (Updating) return;
    BrightnessValue = updValue->Position();
    SyncBrightnessControls();
}

void TfrmBrightness::txtValue_Exit(TComponent*) {
    if (Updating) return;
    BrightnessValue = BrightnessIn(txtValue->Text());
    SyncBrightnessControls();
}

void TfrmBrightness::txtValue_KeyPress(TComponent*, char& Key) {
    if (Key != '\b' && Key != '-' && (Key < '0' || Key > '9')) Key = 0;
}

void TfrmBrightness::txtValue_ContextPopup(TComponent* Sender, POINT MousePos, bool& Handled) {
    ZvComEditMenu(static_cast<TEdit*>(Sender), MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmBrightness::cboStyle_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(cboStyle->Items().size())) return;
    if (Index > 0) (BrightnessValue < 0 ? imlDarker : imlLighter)->Draw(Canvas, Rect.left + 1, Rect.top, Index - 1, true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, cboStyle->Items()[static_cast<size_t>(Index)]);
}

void TfrmBrightness::pic_Paint(TComponent* Sender) {
    auto* box = static_cast<TPaintBox*>(Sender);
    frmMain->imlCommon->Draw(box->Canvas(), 0, 0,
                             box == picLess ? CommonImages::LessBrightness : CommonImages::MoreBrightness, true);
}

void TfrmBrightness::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    BrightStyle = cboStyle->ItemIndex();
    ModalResult = mrOk;
}

void TfrmBrightness::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}
