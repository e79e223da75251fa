#include "Autosizer.h"

#include <memory>
#include <string>
#include <tuple>

#include "DialogParts.h"

using namespace forms;

TfrmAutosizer::TfrmAutosizer(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmAutosizer", .Caption = "Autosizer", .ClientWidth = 248, .ClientHeight = 141,
              .BorderStyle = bsSizeable, .BorderIcons = biSystemMenu | biMaximize,
              .OnShow = Handler(&TfrmAutosizer::Form_Show)});
    Add(lblText, {.Name = "lblText", .Left = 8, .Top = 8, .Width = 232,
                  .Caption = "Resizes this window and clicks OK to apply changes.", .WordWrap = true});
    Add(fraSize, {.Name = "fraSize", .Left = 8, .Top = 42, .Width = 145, .Height = 87, .Caption = " Current Size "});
    int top = 18;
    for (auto [caption, value, name, text] : {std::tuple{&lblLeft, &lblLeft2, "lblLeft", "Left:"},
                                              std::tuple{&lblTop, &lblTop2, "lblTop", "Top:"},
                                              std::tuple{&lblRight, &lblRight2, "lblRight", "Right:"},
                                              std::tuple{&lblBottom, &lblBottom2, "lblBottom", "Bottom:"}}) {
        Add(*caption, {.Name = name, .Parent = fraSize, .Left = 12, .Top = top, .Caption = text});
        Add(*value, {.Name = std::string(name) + "2", .Parent = fraSize, .Left = 64, .Top = top});
        top += 16;
    }
    Add(cmdOK, {.Name = "cmdOK", .Left = 164, .Top = 46, .Width = 75, .Height = 25, .Caption = "&OK",
                .Hint = zvscreen::kOKHint, .Default = true, .OnClick = Handler(&TfrmAutosizer::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 164, .Top = 78, .Width = 75, .Height = 25, .Caption = "&Cancel",
                    .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmAutosizer::cmdCancel_Click)});
    Add(cmdCenter, {.Name = "cmdCenter", .Left = 164, .Top = 110, .Width = 75, .Height = 25, .Caption = "C&enter",
                    .Hint = "Positions the window in the center of the screen",
                    .OnClick = Handler(&TfrmAutosizer::cmdCenter_Click)});
    EndDescription();
}

void TfrmAutosizer::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    MaxWidth = Screen.Width();
    MaxHeight = Screen.Height();
    // The limits hold for the size the caller gave as well.
    SetBounds(Left(), Top(), Width(), Height());
    ShowBounds();
    SetActiveControl(cmdOK);
}

LRESULT TfrmAutosizer::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT result = TForm::WndProc(Msg, WParam, LParam);
    if ((Msg == WM_MOVE || Msg == WM_SIZE) && Showing()) ShowBounds();
    return result;
}

void TfrmAutosizer::ShowBounds() {
    lblLeft2->SetCaption(std::to_string(Left()));
    lblTop2->SetCaption(std::to_string(Top()));
    lblRight2->SetCaption(std::to_string(Left() + Width() - 1));
    lblBottom2->SetCaption(std::to_string(Top() + Height() - 1));
}

void TfrmAutosizer::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    ModalResult = mrOk;
}

void TfrmAutosizer::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmAutosizer::cmdCenter_Click(TComponent*) {
    cmdCenter->SetFocus();
    SetBounds((Screen.Width() - Width()) / 2, (Screen.Height() - Height()) / 2, Width(), Height());
    cmdOK->SetFocus();
}

bool ShowAutosizer(RECT& Area) {
    auto form = std::make_unique<TfrmAutosizer>(Application);
    form->SetBounds(Area.left, Area.top, Area.right - Area.left + 1, Area.bottom - Area.top + 1);
    if (form->ShowModal() != mrOk) return false;
    Area = RECT{form->Left(), form->Top(), form->Left() + form->Width() - 1, form->Top() + form->Height() - 1};
    return true;
}
