#include "ChoiceDialog.h"

#include <algorithm>

#include "DialogLook.h"
#include "Zelvani.h"

using namespace forms;

TChoiceDialog::TChoiceDialog(TComponent* AOwner, const std::string& Name, const std::string& Caption,
                             const std::string& GroupName, const std::string& GroupCaption,
                             const std::vector<Choice>& Choices, int& Setting)
    : TForm(AOwner), FSetting(Setting) {
    const int rows = static_cast<int>(Choices.size());
    const int groupHeight = 24 + 22 * rows;
    Describe({.Name = Name, .Caption = Caption, .ClientWidth = 258, .ClientHeight = groupHeight + 16,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TChoiceDialog::Form_Show)});
    Add(fraGroup, {.Name = GroupName, .Left = 8, .Top = 8, .Width = 154, .Height = groupHeight,
                   .Caption = GroupCaption});
    for (int i = 0; i < rows; ++i) {
        TRadioButton* button = nullptr;
        Add(button, {.Name = Choices[i].Name, .Parent = fraGroup, .Left = 12, .Top = 20 + 22 * i, .Width = 134,
                     .Height = 17, .Caption = Choices[i].Caption, .Hint = Choices[i].Hint,
                     .OnDblClick = Handler(&TChoiceDialog::opt_DblClick)});
        Buttons.push_back(button);
    }
    Add(cmdOK, {.Name = "cmdOK", .Left = 175, .Top = 13, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TChoiceDialog::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 175, .Top = 44, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TChoiceDialog::cmdCancel_Click)});
    EndDescription();
}

void TChoiceDialog::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    TRadioButton* chosen = Buttons[static_cast<size_t>(std::clamp(FSetting, 0, static_cast<int>(Buttons.size()) - 1))];
    chosen->SetChecked(true);
    SetActiveControl(chosen);
}

void TChoiceDialog::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    const auto checked = std::find_if(Buttons.begin(), Buttons.end(), [](TRadioButton* b) { return b->Checked(); });
    if (checked != Buttons.end()) FSetting = static_cast<int>(checked - Buttons.begin());
    ModalResult = mrOk;
}

void TChoiceDialog::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TChoiceDialog::opt_DblClick(TComponent*) { cmdOK->Click(); }
