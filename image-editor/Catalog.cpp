#include "Catalog.h"

#include <algorithm>
#include <string>

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "ZvCom.h"

using namespace forms;

TfrmCatalog* frmCatalog = nullptr;

namespace {

const char* const kCloseHint = "Closes the dialog box and saves any changes you have made";

}  // namespace

TfrmCatalog::TfrmCatalog(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmCatalog", .Caption = "Catalog Browser", .ClientWidth = 535, .ClientHeight = 353,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmCatalog::Form_Show)});
    Add(panScreens, {.Name = "panScreens", .Left = 8, .Top = 8, .Width = 400, .Height = 305, .BevelOuter = bvNone});
    Add(lblScreens, {.Name = "lblScreens", .Parent = panScreens, .Left = 0, .Top = 0, .Caption = "Captured screens:"});
    Add(sclScreens, {.Name = "sclScreens", .Parent = panScreens, .Left = 0, .Top = 16, .Width = 400, .Height = 289,
                     .BevelOuter = bvNone, .Color = clWindow});
    sclScreens->SetBorder(true);
    Add(picScreens, {.Name = "picScreens", .Parent = sclScreens, .Left = 0, .Top = 0, .Width = 396, .Height = 285});
    Add(lblComment, {.Name = "lblComment", .Left = 8, .Top = 320, .Width = 400, .Height = 26, .AutoSize = false,
                     .WordWrap = true, .ShowAccelChar = false});
    Add(slbScroll, {.Name = "slbScroll", .Left = 413, .Top = 24, .Width = 18, .Height = 289}, [this](TScrollBar& s) {
        s.Kind = sbVertical;
        s.SetParams(1, 1, 1, 0);
        s.OnScroll = [this](TComponent* sender, int code, int& pos) { slbScroll_Scroll(sender, code, pos); };
    });
    Add(panButtons, {.Name = "panButtons", .Left = 441, .Top = 24, .Width = 86, .Height = 89, .BevelOuter = bvNone});
    auto glyphMargin = [](TBitBtn& b) { b.SetMargin(4); };
    Add(cmdOpen, {.Name = "cmdOpen", .Parent = panButtons, .Left = 0, .Top = 0, .Width = 86, .Height = 25,
                  .Caption = "&Open", .OnEnter = Handler(&TfrmCatalog::cmd_Enter),
                  .OnExit = Handler(&TfrmCatalog::cmd_Exit)},
        glyphMargin);
    Add(cmdRemove, {.Name = "cmdRemove", .Parent = panButtons, .Left = 0, .Top = 32, .Width = 86, .Height = 25,
                    .Caption = "&Remove", .OnEnter = Handler(&TfrmCatalog::cmd_Enter),
                    .OnExit = Handler(&TfrmCatalog::cmd_Exit)},
        glyphMargin);
    Add(cmdDetail, {.Name = "cmdDetail", .Parent = panButtons, .Left = 0, .Top = 64, .Width = 86, .Height = 25,
                    .Caption = "&Details..."});
    Add(bvlLine, {.Name = "bvlLine", .Left = 441, .Top = 124, .Width = 86, .Height = 2, .BevelOuter = bvLowered});
    Add(panConfig, {.Name = "panConfig", .Left = 441, .Top = 136, .Width = 86, .Height = 84, .BevelOuter = bvNone});
    Add(lblCurrent, {.Name = "lblCurrent", .Parent = panConfig, .Left = 0, .Top = 0, .Caption = "&Current screen:"});
    Add(txtCurrent, {.Name = "txtCurrent", .Parent = panConfig, .Left = 0, .Top = 16, .Width = 60, .Height = 21,
                     .Caption = "1", .OnExit = Handler(&TfrmCatalog::txtCurrent_Exit)},
        [this](TEdit& e) {
            e.OnKeyPress = [this](TComponent* s, char& k) { txtCurrent_KeyPress(s, k); };
            e.OnKeyUp = [this](TComponent* s, WORD& k) { txtCurrent_KeyUp(s, k); };
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtCurrent_ContextPopup(s, p, h); };
        });
    lblCurrent->FocusControl = txtCurrent;
    Add(updCurrent, {.Name = "updCurrent", .Parent = panConfig, .Left = 60, .Top = 16, .Width = 16, .Height = 21,
                     .OnClick = Handler(&TfrmCatalog::updCurrent_Click)},
        [this](TUpDown& u) {
            u.Thousands = false;
            u.SetMin(1);
            u.SetMax(1);
            u.SetPosition(1);
            u.SetAssociate(txtCurrent);
        });
    Add(lblTotal, {.Name = "lblTotal", .Parent = panConfig, .Left = 0, .Top = 48, .Caption = "Total screens:"});
    Add(lblTotalCount, {.Name = "lblTotalCount", .Parent = panConfig, .Left = 0, .Top = 64, .Caption = "(totalcount)"});
    Add(panClose, {.Name = "panClose", .Left = 441, .Top = 320, .Width = 86, .Height = 25, .BevelOuter = bvNone});
    Add(cmdClose, {.Name = "cmdClose", .Parent = panClose, .Left = 0, .Top = 0, .Width = 86, .Height = 25,
                   .Caption = "Close", .Hint = kCloseHint, .OnClick = Handler(&TfrmCatalog::cmdClose_Click)});
    EndDescription();
}

void TfrmCatalog::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    lblTotalCount->Font.SetStyle(fsBold);
    // The column right of the scroll bar moves with the bar's width.
    int border, barHeight, barWidth;
    GetScrollBarMetrics(this, border, barHeight, barWidth);
    slbScroll->SetBounds(413, slbScroll->Top(), barWidth, slbScroll->Height());
    const int column = (barWidth - 18) + 441;
    for (TControl* c : {static_cast<TControl*>(panClose), static_cast<TControl*>(bvlLine),
                        static_cast<TControl*>(panConfig), static_cast<TControl*>(panButtons)})
        c->SetBounds(column, c->Top(), c->Width(), c->Height());
    SetWidth((barWidth - 18) + 541);

    lblTotalCount->SetCaption(std::to_string(TotalCount));
    slbScroll->SetMax(Highest());
    updCurrent->SetMax(Highest());
    txtCurrent->SetMaxLength(static_cast<int>(std::to_string(Highest()).size()));
    Current = 1;
    Synchronise();
    SetActiveControl(txtCurrent);
}

int TfrmCatalog::Highest() const { return std::max(TotalCount, 1); }

void TfrmCatalog::Synchronise() {
    Current = NumberIn(txtCurrent->Text());
    slbScroll->SetPosition(Current);
}

void TfrmCatalog::txtCurrent_KeyPress(TComponent*, char& Key) {
    if (Key != '\b' && (Key < '0' || Key > '9')) {
        Key = 0;
        return;
    }
    Synchronise();
}

void TfrmCatalog::txtCurrent_KeyUp(TComponent*, WORD&) { Synchronise(); }

void TfrmCatalog::txtCurrent_Exit(TComponent*) {
    const int value = std::clamp(std::max(NumberIn(txtCurrent->Text()), 1), 1, Highest());
    txtCurrent->SetText(std::to_string(value));
    updCurrent->SetPosition(value);
    Current = value;
    Synchronise();
}

void TfrmCatalog::txtCurrent_ContextPopup(TComponent*, POINT MousePos, bool& Handled) {
    ZvComEditMenu(txtCurrent, MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmCatalog::updCurrent_Click(TComponent*) {
    txtCurrent->SetFocus();
    Synchronise();
}

void TfrmCatalog::slbScroll_Scroll(TComponent*, int, int& ScrollPos) {
    txtCurrent->SetText(std::to_string(ScrollPos));
    Synchronise();
}

// The glyph of the focused button stands one pixel further right.
void TfrmCatalog::cmd_Enter(TComponent* Sender) {
    auto* b = static_cast<TBitBtn*>(Sender);
    b->SetMargin(b->Margin() + 1);
}

void TfrmCatalog::cmd_Exit(TComponent* Sender) {
    auto* b = static_cast<TBitBtn*>(Sender);
    b->SetMargin(b->Margin() - 1);
}

void TfrmCatalog::cmdClose_Click(TComponent*) {
    cmdClose->SetFocus();
    ModalResult = mrCancel;
}
