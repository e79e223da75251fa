#include "SugColor.h"

#include "Zelvani.h"

using namespace forms;

TfrmSugColor::TfrmSugColor(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmSugColor", .ClientWidth = 302, .ClientHeight = 215, .BorderStyle = bsDialog,
              .BorderIcons = biSystemMenu, .Position = poScreenCenter, .FontName = "MS Sans Serif", .FontSize = 8,
              .OnShow = Handler(&TfrmSugColor::Form_Show)});
    Add(picIcon, {.Name = "picIcon", .Left = 10, .Top = 10, .Width = 32, .Height = 32});
    Add(lblText, {.Name = "lblText", .Left = 55, .Top = 10, .Width = 236, .Height = 39, .Caption = kTextTemplate,
                  .AutoSize = false, .WordWrap = true, .ShowAccelChar = false});
    Add(lblCurrent, {.Name = "lblCurrent", .Left = 55, .Top = 65, .Caption = kCurrentTemplate});
    Add(lblSuggest, {.Name = "lblSuggest", .Left = 55, .Top = 80, .Caption = kSuggestTemplate});
    Add(lblChange, {.Name = "lblChange", .Left = 55, .Top = 110, .Width = 236, .Height = 26,
                    .Caption = "Do you want to change your display settings now?", .AutoSize = false,
                    .WordWrap = true});
    Add(panMain, {.Name = "panMain", .Left = 55, .Top = 160, .Width = 235, .Height = 50, .BevelOuter = bvNone});
    Add(chkDontShow, {.Name = "chkDontShow", .Parent = panMain, .Left = 0, .Top = 0, .Width = 176, .Height = 17,
                      .Caption = "&Don't show this dialog box again"});
    Add(cmdYes, {.Name = "cmdYes", .Parent = panMain, .Left = 60, .Top = 25, .Width = 85, .Height = 25,
                 .Caption = "&Yes", .TabOrder = 1, .Default = true, .OnClick = Handler(&TfrmSugColor::cmdYes_Click)});
    Add(cmdNo, {.Name = "cmdNo", .Parent = panMain, .Left = 150, .Top = 25, .Width = 85, .Height = 25,
                .Caption = "&No", .TabOrder = 2, .Cancel = true, .OnClick = Handler(&TfrmSugColor::cmdNo_Click)});
    EndDescription();
}

void TfrmSugColor::Form_Show(TComponent*) {
    ShortString name;
    ZvGetFontName(name);
    Font.SetName(name.str());
    picIcon->Picture.SetIcon(LoadIconA(nullptr, IDI_QUESTION), false);
    cmdYes->SetFocus();
}

void TfrmSugColor::cmdYes_Click(TComponent*) {
    cmdYes->SetFocus();
    ModalResult = mrOk;
}

void TfrmSugColor::cmdNo_Click(TComponent*) {
    cmdNo->SetFocus();
    ModalResult = mrCancel;
}
