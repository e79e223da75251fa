#include "FileSettings.h"

#include <memory>

#include "DialogParts.h"
#include "ZvCom.h"

using namespace forms;

TfrmFileSettings::TfrmFileSettings(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmFileSettings", .Caption = "File Settings", .ClientWidth = 248, .ClientHeight = 89,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmFileSettings::Form_Show)});
    Add(fraNumbering, {.Name = "fraNumbering", .Left = 8, .Top = 8, .Width = 145, .Height = 73,
                       .Caption = " Auto Numbering "});
    Add(lblDigits, {.Name = "lblDigits", .Parent = fraNumbering, .Left = 10, .Top = 22,
                    .Caption = "&Number of digits:"});
    Add(txtDigits, {.Name = "txtDigits", .Parent = fraNumbering, .Left = 96, .Top = 18, .Width = 38, .Height = 21,
                    .Caption = "1", .MaxLength = 1},
        [this](TEdit& e) {
            e.OnKeyPress = [this](TComponent* s, char& k) { txtDigits_KeyPress(s, k); };
            e.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtDigits_ContextPopup(s, p, h); };
        });
    lblDigits->FocusControl = txtDigits;
    Add(updDigits, {.Name = "updDigits", .Parent = fraNumbering, .Left = 118, .Top = 18, .Width = 16, .Height = 21,
                    .Hint = "Specifies the number of digits"},
        [this](TUpDown& u) {
            u.Thousands = false;
            u.SetMin(1);
            u.SetMax(5);
            u.SetPosition(1);
            u.SetAssociate(txtDigits);
        });
    Add(chkDependOnNumber, {.Name = "chkDependOnNumber", .Parent = fraNumbering, .Left = 10, .Top = 47, .Width = 128,
                            .Height = 17, .Caption = "&Depend on the number", .Hint = "Uses the default digits",
                            .OnClick = Handler(&TfrmFileSettings::chkDependOnNumber_Click)});
    Add(cmdOK, {.Name = "cmdOK", .Left = 164, .Top = 13, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = zvscreen::kOKHint, .Default = true, .OnClick = Handler(&TfrmFileSettings::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 164, .Top = 45, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmFileSettings::cmdCancel_Click)});
    EndDescription();
}

void TfrmFileSettings::Form_Show(TComponent*) { ApplyDialogLook(*this); }

// The digit count counts only while the number does not decide it; the
// system shows a disabled edit in the button face colour, an enabled one in
// the window colour.
void TfrmFileSettings::chkDependOnNumber_Click(TComponent*) {
    const bool digits = !chkDependOnNumber->Checked();
    lblDigits->SetEnabled(digits);
    txtDigits->SetEnabled(digits);
    updDigits->SetEnabled(digits);
}

// The one digit typed is the count, so only the digits of its range are
// taken.
void TfrmFileSettings::txtDigits_KeyPress(TComponent*, char& Key) {
    zvscreen::KeepDigits(Key, static_cast<char>('0' + updDigits->Min()), static_cast<char>('0' + updDigits->Max()));
}

void TfrmFileSettings::txtDigits_ContextPopup(TComponent*, POINT MousePos, bool& Handled) {
    ZvComEditMenu(txtDigits, MousePos.x, MousePos.y);
    Handled = true;
}

void TfrmFileSettings::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    ModalResult = mrOk;
}

void TfrmFileSettings::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

bool ShowFileSettings(int& Digits, bool& DependOnNumber) {
    auto form = std::make_unique<TfrmFileSettings>(Application);
    form->updDigits->SetPosition(Digits);
    form->chkDependOnNumber->SetChecked(DependOnNumber);
    if (form->ShowModal() != mrOk) return false;
    Digits = form->updDigits->Position();
    DependOnNumber = form->chkDependOnNumber->Checked();
    return true;
}
