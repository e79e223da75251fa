#include "CatalogComment.h"

#include "DialogLook.h"
#include "ZvCom.h"

using namespace forms;

TfrmCatalogComment* frmCatalogComment = nullptr;

TfrmCatalogComment::TfrmCatalogComment(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmCatalogComment", .Caption = "Catalog Comment", .ClientWidth = 398, .ClientHeight = 181,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmCatalogComment::Form_Show),
              .OnCloseQuery = [this](TComponent* s, bool& c) { Form_CloseQuery(s, c); }});
    Add(lblComments, {.Name = "lblComments", .Left = 8, .Top = 8, .Caption = "&Comments for the captured screen:"});
    Add(txtComments, {.Name = "txtComments", .Left = 8, .Top = 24, .Width = 382, .Height = 113, .MaxLength = 1024},
        [this](TMemo& m) {
            m.OnContextPopup = [this](TComponent* s, POINT p, bool& h) { txtComments_ContextPopup(s, p, h); };
        });
    lblComments->FocusControl = txtComments;
    Add(panMain, {.Name = "panMain", .Left = 8, .Top = 144, .Width = 382, .Height = 31, .BevelOuter = bvNone});
    Add(cmdOK, {.Name = "cmdOK", .Parent = panMain, .Left = 307, .Top = 3, .Width = 75, .Height = 25,
                .Caption = "&OK", .Hint = "Closes the dialog box and saves any changes you have made",
                .OnClick = Handler(&TfrmCatalogComment::cmdOK_Click)});
    EndDescription();
}

void TfrmCatalogComment::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    Accepted = false;
    txtComments->Clear();
    SetActiveControl(txtComments);
}

void TfrmCatalogComment::Form_CloseQuery(TComponent*, bool& CanClose) { CanClose = Accepted; }

void TfrmCatalogComment::cmdOK_Click(TComponent*) {
    // The focus moves first, so that a pending check of the field runs.
    cmdOK->SetFocus();
    Accepted = true;
    ModalResult = mrOk;
}

void TfrmCatalogComment::txtComments_ContextPopup(TComponent*, POINT MousePos, bool& Handled) {
    ZvComEditMenu(txtComments, MousePos.x, MousePos.y);
    Handled = true;
}
