#include "RenameTheme.h"

#include "DialogParts.h"
#include "ZvCom.h"

using namespace forms;

TfrmRenameTheme::TfrmRenameTheme(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmRenameTheme", .Caption = "%s Capture Theme", .ClientWidth = 265, .ClientHeight = 82,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmRenameTheme::Form_Show)});
    Add(lblName, {.Name = "lblName", .Left = 9, .Top = 10, .Caption = "&Theme name:"});
    Add(txtName, {.Name = "txtName", .Left = 9, .Top = 25, .Width = 247, .Height = 21,
                  .Hint = "Provides a space for you to type the name of the capture theme", .MaxLength = 48},
        [this](TEdit& e) {
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtName_ContextPopup(s, p, h); };
        });
    lblName->FocusControl = txtName;
    Add(cmdOK, {.Name = "cmdOK", .Left = 100, .Top = 52, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = zvscreen::kOKHint, .Default = true, .OnClick = Handler(&TfrmRenameTheme::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 181, .Top = 52, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmRenameTheme::cmdCancel_Click)});
    tmrTimer = new TTimer(this);
    tmrTimer->SetName("tmrTimer");
    tmrTimer->SetInterval(10);
    tmrTimer->OnTimer = Handler(&TfrmRenameTheme::tmrTimer_Timer);
    EndDescription();
}

std::string TfrmRenameTheme::TrimmedName() const {
    const std::string text = txtName->Text();
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void TfrmRenameTheme::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    txtName->SetFocus();
}

void TfrmRenameTheme::tmrTimer_Timer(TComponent*) { cmdOK->SetEnabled(!TrimmedName().empty()); }

void TfrmRenameTheme::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    txtName->SetText(TrimmedName());
    ModalResult = mrOk;
}

void TfrmRenameTheme::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmRenameTheme::txtName_ContextPopup(TComponent*, POINT MousePos, bool& Handled) {
    ZvComEditMenu(txtName, MousePos.x, MousePos.y);
    Handled = true;
}
