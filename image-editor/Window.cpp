#include "Window.h"

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "Main.h"
#include "Zelvani.h"

using namespace forms;

TfrmWindow* frmWindow = nullptr;

TfrmWindow::TfrmWindow(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmWindow", .Caption = "Window List", .ClientWidth = 364, .ClientHeight = 229,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmWindow::Form_Show)});
    Add(lblWindowList, {.Name = "lblWindowList", .Left = 8, .Top = 8, .Caption = "&Window list:"});
    Add(lstWindowList, {.Name = "lstWindowList", .Left = 8, .Top = 24, .Width = 260, .Height = 197,
                        .Hint = "Lists the screens you have opened",
                        .OnDblClick = Handler(&TfrmWindow::cmdActivate_Click)},
        [this](TListBox& l) {
            l.Sorted = true;
            l.ItemHeight = 16;
            l.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                lstWindowList_DrawItem(s, c, i, r, st);
            };
        });
    lblWindowList->FocusControl = lstWindowList;
    Add(cmdActivate, {.Name = "cmdActivate", .Left = 281, .Top = 24, .Width = 75, .Height = 25, .Caption = "&Activate",
                      .Hint = "Closes the dialog box and activates the screen you have selected", .Default = true,
                      .OnClick = Handler(&TfrmWindow::cmdActivate_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 281, .Top = 56, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without saving any changes you have made", .Cancel = true,
                    .OnClick = Handler(&TfrmWindow::cmdCancel_Click)});
    EndDescription();
}

void TfrmWindow::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    std::vector<std::string> lines;
    for (int i = 0; TfrmChild* screen = ScreenAt(i); ++i) lines.push_back(ScreenListLine(screen->Caption(), i));
    lstWindowList->SetItems(lines);
    // The active screen's line is chosen: the first in the list's order
    // with its caption, since two screens may share one.
    if (TfrmChild* active = ActiveScreen()) {
        const std::vector<std::string>& shown = lstWindowList->Items();
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i].substr(0, shown[i].size() - 3) == active->Caption()) {
                lstWindowList->SetItemIndex(static_cast<int>(i));
                break;
            }
    }
    SetActiveControl(lstWindowList);
}

void TfrmWindow::cmdActivate_Click(TComponent*) {
    cmdActivate->SetFocus();
    ModalResult = mrOk;
}

void TfrmWindow::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmWindow::lstWindowList_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(lstWindowList->Items().size())) return;
    DrawScreenListLine(Canvas, Rect, lstWindowList->Items()[static_cast<size_t>(Index)]);
}

int TfrmWindow::ChosenScreen() const {
    const int index = lstWindowList->ItemIndex();
    if (index < 0 || index >= static_cast<int>(lstWindowList->Items().size())) return -1;
    return ScreenNumberOf(lstWindowList->Items()[static_cast<size_t>(index)]);
}

void TfrmMain::mnuWindowWindows_Click(TComponent*) {
    if (ScreenCount() == 0) return;
    EndToolActions(false, true);
    if (frmWindow->ShowModal() != mrOk) return;
    // A line chosen names the screen by its place in the frame's order; no
    // line, or a number past the screens, brings nothing forward.
    if (TfrmChild* screen = ScreenAt(frmWindow->ChosenScreen())) screen->ToFront();
}
