#include "CloseAll.h"

#include "Child.h"
#include "Common.h"
#include "DialogLook.h"
#include "Main.h"
#include "Zelvani.h"

using namespace forms;

TfrmCloseAll* frmCloseAll = nullptr;

namespace {

// The hint broken into two lines after its word "changes".
std::string SplitAfterChanges(const std::string& Hint) {
    const size_t at = Hint.find("changes");
    if (at == std::string::npos) return Hint;
    ShortString split;
    ZvSplitStr(ShortString(Hint), static_cast<int>(at + 7), split);
    return split.str();
}

}  // namespace

TfrmCloseAll::TfrmCloseAll(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmCloseAll", .ClientWidth = 330, .ClientHeight = 196, .BorderStyle = bsDialog,
              .BorderIcons = biSystemMenu, .Position = poScreenCenter, .OnCreate = Handler(&TfrmCloseAll::Form_Create),
              .OnShow = Handler(&TfrmCloseAll::Form_Show)});
    Add(lblText, {.Name = "lblText", .Left = 8, .Top = 8, .Caption = "&Save the following screens:"});
    Add(lstScreens, {.Name = "lstScreens", .Left = 8, .Top = 26, .Width = 226, .Height = 162,
                     .Hint = "Saves checked screens to disk"},
        [this](TCheckListBox& l) {
            l.Sorted = true;
            l.ItemHeight = 16;
            l.OnClickCheck = Handler(&TfrmCloseAll::lstScreens_ClickCheck);
            l.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                lstScreens_DrawItem(s, c, i, r, st);
            };
        });
    Add(cmdYes, {.Name = "cmdYes", .Left = 246, .Top = 26, .Width = 75, .Height = 25, .Caption = "&Yes",
                 .Hint = "Closes all opened screens and saves any changesyou have made for the checked screens",
                 .Default = true, .OnClick = Handler(&TfrmCloseAll::cmdYes_Click)});
    Add(cmdNo, {.Name = "cmdNo", .Left = 246, .Top = 58, .Width = 75, .Height = 25, .Caption = "&No",
                .Hint = "Closes all opened screens without saving any changesyou have made",
                .OnClick = Handler(&TfrmCloseAll::cmdNo_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 246, .Top = 90, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Returns to Mirolux without closing all opened screens", .Cancel = true,
                    .OnClick = Handler(&TfrmCloseAll::cmdCancel_Click)});
    EndDescription();
}

void TfrmCloseAll::Form_Create(TComponent*) {
    cmdYes->Hint = SplitAfterChanges(cmdYes->Hint);
    cmdNo->Hint = SplitAfterChanges(cmdNo->Hint);
}

void TfrmCloseAll::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    ZvEnsureVisible(this);
    std::vector<std::string> items;
    for (int i = 0; TfrmChild* screen = ScreenAt(i); ++i)
        if (screen->Tag & 1) items.push_back(ScreenListLine(screen->Caption(), i));
    lstScreens->SetItems(items);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) lstScreens->SetChecked(i, true);
    lstScreens->SetItemIndex(0);
    cmdYes->SetEnabled(!items.empty());
    SetActiveControl(lstScreens);
}

void TfrmCloseAll::cmdYes_Click(TComponent*) {
    cmdYes->SetFocus();
    ModalResult = mrYes;
}

void TfrmCloseAll::cmdNo_Click(TComponent*) {
    cmdNo->SetFocus();
    ModalResult = mrNo;
}

void TfrmCloseAll::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmCloseAll::lstScreens_ClickCheck(TComponent*) {
    bool any = false;
    for (int i = 0; i < static_cast<int>(lstScreens->Items().size()); ++i) any = any || lstScreens->Checked(i);
    cmdYes->SetEnabled(any);
}

void TfrmCloseAll::lstScreens_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= static_cast<int>(lstScreens->Items().size())) return;
    DrawScreenListLine(Canvas, Rect, lstScreens->Items()[static_cast<size_t>(Index)]);
}

bool TfrmCloseAll::IsChecked(int ScreenIndex) const {
    for (int i = 0; i < static_cast<int>(lstScreens->Items().size()); ++i)
        if (lstScreens->Checked(i) && ScreenNumberOf(lstScreens->Items()[static_cast<size_t>(i)]) == ScreenIndex)
            return true;
    return false;
}
