#include "Theme.h"

#include <algorithm>
#include <memory>
#include <tuple>

#include "CaptureDialog.h"
#include "DialogParts.h"
#include "RenameTheme.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

constexpr const char* kCaption = "Capture Theme";

// The dialog between ZvShowThemeInit and ZvShowThemeFree, and how its last
// run ended: the modal result and the list position selected then.
TfrmTheme* frmTheme = nullptr;
int LastResult = 0, LastSelected = 0;

void FreeDialog() {
    TfrmTheme* form = frmTheme;
    frmTheme = nullptr;
    LastResult = LastSelected = 0;
    Free(form);
}

}  // namespace

TfrmTheme::TfrmTheme(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmTheme", .Caption = kCaption, .ClientWidth = 364, .ClientHeight = 229,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter, .ShowHint = true,
              .OnShow = Handler(&TfrmTheme::Form_Show)});
    Add(lblThemeList, {.Name = "lblThemeList", .Left = 9, .Top = 10, .Caption = "&Theme list:"});
    Add(lstThemeList, {.Name = "lstThemeList", .Left = 9, .Top = 25, .Width = 251, .Height = 195,
                       .Hint = "Lists the capture themes available", .OnClick = Handler(&TfrmTheme::lstThemeList_Click),
                       .OnDblClick = Handler(&TfrmTheme::cmdEdit_Click)},
        [this](TListBox& l) {
            l.Sorted = true;
            l.ItemHeight = 16;
            l.OnDrawItem = [this](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
                lstThemeList_DrawItem(s, c, i, r, st);
            };
        });
    lblThemeList->FocusControl = lstThemeList;
    Add(panButtons, {.Name = "panButtons", .Left = 270, .Top = 25, .Width = 85, .Height = 195, .BevelOuter = bvNone});
    Add(cmdCapture, {.Name = "cmdCapture", .Parent = panButtons, .Width = 85, .Height = 25, .Caption = "&Capture",
                     .Hint = "Closes the dialog box and captures your screen", .Default = true,
                     .OnClick = Handler(&TfrmTheme::cmdCapture_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Parent = panButtons, .Top = 30, .Width = 85, .Height = 25,
                    .Caption = "Cancel", .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmTheme::cmdCancel_Click)});
    for (auto [member, name, caption, hint, top, handler] :
         {std::tuple{&cmdAdd, "cmdAdd", "&Add...", "Adds a new capture theme", 80, &TfrmTheme::cmdAdd_Click},
          std::tuple{&cmdRename, "cmdRename", "&Rename...", "Renames the selected capture theme", 110,
                     &TfrmTheme::cmdRename_Click},
          std::tuple{&cmdEdit, "cmdEdit", "&Edit...", "Edits the selected capture theme", 140,
                     &TfrmTheme::cmdEdit_Click},
          std::tuple{&cmdDelete, "cmdDelete", "&Delete", "Deletes the selected capture theme", 170,
                     &TfrmTheme::cmdDelete_Click}})
        Add(*member, {.Name = name, .Parent = panButtons, .Top = top, .Width = 85, .Height = 25, .Caption = caption,
                      .Hint = hint, .OnClick = Handler(handler)});
    EndDescription();
}

// ---- The slots -------------------------------------------------------------------

ShortString* TfrmTheme::SlotOf(const std::string& Name) {
    for (ShortString& slot : FSlots)
        if (slot.Length > 0 && CaptureThemeName(slot) == Name) return &slot;
    return nullptr;
}

const ShortString* TfrmTheme::SlotOf(const std::string& Name) const {
    return const_cast<TfrmTheme*>(this)->SlotOf(Name);
}

ShortString* TfrmTheme::FreeSlot() {
    for (ShortString& slot : FSlots)
        if (slot.Length == 0) return &slot;
    return nullptr;
}

bool TfrmTheme::Listed(const std::string& Name) const {
    for (const std::string& listed : lstThemeList->Items())
        if (SameThemeName(listed, Name)) return true;
    return false;
}

// A name listed twice would lead Get, Edit and Delete to one slot and lose
// the other theme, so a stored theme whose name is listed is left out.
void TfrmTheme::AddTheme(const ShortString& Theme) {
    if (Count() >= kMaxCaptureThemes || !CaptureThemeWellFormed(Theme)) return;
    const std::string name = CaptureThemeName(Theme);
    if (Listed(name)) return;
    ShortString* slot = FreeSlot();
    if (!slot) return;
    *slot = Theme;
    lstThemeList->Add(name);
}

ShortString TfrmTheme::ThemeAt(int Index) const {
    if (Index < 1 || Index > Count()) return ShortString();
    const std::string& name = lstThemeList->Items()[static_cast<size_t>(Index - 1)];
    const ShortString* slot = name.empty() ? nullptr : SlotOf(name);
    return slot ? *slot : ShortString();
}

std::string TfrmTheme::SelectedName() const {
    const int index = lstThemeList->ItemIndex();
    return index >= 0 && index < Count() ? lstThemeList->Items()[static_cast<size_t>(index)] : std::string();
}

void TfrmTheme::SelectName(const std::string& Name) {
    const auto& items = lstThemeList->Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == Name) lstThemeList->SetItemIndex(static_cast<int>(i));
}

// ---- Showing and the buttons ---------------------------------------------------

void TfrmTheme::UpdateButtons(bool Changed) {
    cmdAdd->SetEnabled(Count() < kMaxCaptureThemes);
    for (TButton* b : {cmdRename, cmdEdit, cmdDelete}) b->SetEnabled(Count() > 0 && lstThemeList->ItemIndex() >= 0);
    if (Changed) {
        cmdCancel->SetCaption("Close");
        cmdCancel->Hint = zvscreen::kOKHint;
    }
}

void TfrmTheme::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    if (Count() > 0) lstThemeList->SetItemIndex(0);
    UpdateButtons(false);
    lstThemeList->SetFocus();
}

void TfrmTheme::lstThemeList_Click(TComponent*) { UpdateButtons(false); }

void TfrmTheme::lstThemeList_DrawItem(TWinControl*, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0 || Index >= Count()) return;
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 2, Rect.top + 1, lstThemeList->Items()[static_cast<size_t>(Index)]);
}

void TfrmTheme::cmdCapture_Click(TComponent*) {
    cmdCapture->SetFocus();
    ModalResult = mrOk;
}

void TfrmTheme::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

// ---- Names -------------------------------------------------------------------------

std::string TfrmTheme::AskThemeName(const std::string& Verb, const std::string& Initial) {
    std::string text;
    {
        auto prompt = std::make_unique<TfrmRenameTheme>(Application);
        std::string caption = prompt->Caption();
        caption.replace(caption.find("%s"), 2, Verb);
        prompt->SetCaption(caption);
        prompt->txtName->SetText(Initial);
        if (prompt->ShowModal() == mrOk) text = prompt->txtName->Text();
    }
    if (text.empty()) return "";
    // The name being renamed counts too: Area cannot become area.
    if (Listed(text)) {
        ZvMessageBox(ShortString("Cannot rename to '" + text +
                                 "'. A capture theme with the name you specified already exists."),
                     ShortString(kCaption), 1, zvIconStop, ShortString("OK"), ShortString(""), ShortString(""));
        return "";
    }
    return text;
}

void TfrmTheme::cmdAdd_Click(TComponent*) {
    cmdAdd->SetFocus();
    const std::string name = AskThemeName("Add", "");
    if (!name.empty()) {
        ShortString defaults;
        ZvDefaultCapture(cpTheme, defaults);
        if (ShortString* slot = FreeSlot())
            *slot = ShortString(std::string(1, static_cast<char>(name.size())) + name + defaults.str());
        lstThemeList->SetItemIndex(lstThemeList->Add(name));
        UpdateButtons(true);
    }
    cmdCancel->SetFocus();
}

void TfrmTheme::cmdRename_Click(TComponent*) {
    cmdRename->SetFocus();
    const std::string old = SelectedName();
    const std::string name = old.empty() ? "" : AskThemeName("Rename", old);
    if (!name.empty()) {
        if (ShortString* slot = SlotOf(old)) {
            const std::string settings = slot->str().substr(1 + old.size());
            *slot = ShortString(std::string(1, static_cast<char>(name.size())) + name + settings);
        }
        lstThemeList->Delete(lstThemeList->ItemIndex());
        lstThemeList->SetItemIndex(lstThemeList->Add(name));
        UpdateButtons(true);
    }
    cmdCancel->SetFocus();
}

void TfrmTheme::cmdDelete_Click(TComponent*) {
    cmdDelete->SetFocus();
    const std::string name = SelectedName();
    const int index = lstThemeList->ItemIndex();
    if (index < 0) return;
    std::string question = "Are you sure you want to delete '" + name + "'?";
    question.resize(std::min<size_t>(question.size(), 255));
    if (ZvMessageBox(ShortString(question), ShortString(kCaption), 1, zvIconQuestion, ShortString("&Yes"),
                     ShortString("&No"), ShortString("")) == 2) {
        cmdCancel->SetFocus();
        return;
    }
    lstThemeList->Delete(index);
    if (Count() > 0) lstThemeList->SetItemIndex(std::min(index, Count() - 1));
    if (ShortString* slot = SlotOf(name)) *slot = ShortString();
    UpdateButtons(true);
    cmdCancel->SetFocus();
}

// Also a double click on the list, which on an empty list or one without a
// selection edits nothing.
void TfrmTheme::cmdEdit_Click(TComponent*) {
    const std::string name = SelectedName();
    ShortString* slot = name.empty() ? nullptr : SlotOf(name);
    if (!slot) return;
    cmdEdit->SetFocus();
    TThemeSettings settings = SplitCaptureTheme(*slot);
    if (EditCaptureTheme(settings)) {
        *slot = JoinCaptureTheme(name, settings);
        UpdateButtons(true);
    }
    cmdCancel->SetFocus();
}

// ---- The exports -------------------------------------------------------------------

ZVSCREEN_API void WINAPI ZvShowThemeInit() {
    SafeCall([] {
        FreeDialog();
        frmTheme = new TfrmTheme(Application);
    });
}

ZVSCREEN_API void WINAPI ZvShowThemeFree() {
    SafeCall([] { FreeDialog(); });
}

ZVSCREEN_API void WINAPI ZvShowThemeAdd(const ShortString& Theme) {
    SafeCall([&] {
        if (frmTheme) frmTheme->AddTheme(Theme);
    });
}

ZVSCREEN_API void WINAPI ZvShowThemeGet(int Index, ShortString& Theme) {
    Theme = ShortString();
    SafeCall([&] {
        if (frmTheme) Theme = frmTheme->ThemeAt(Index);
    });
}

ZVSCREEN_API int WINAPI ZvShowTheme() {
    return Guarded(0, [] {
        if (!frmTheme) return 0;
        LastResult = frmTheme->ShowModal();
        const int selected = frmTheme->lstThemeList->ItemIndex();
        LastSelected = selected >= 0 && selected < frmTheme->Count() ? selected + 1 : 0;
        return frmTheme->Count();
    });
}

ZVSCREEN_API int WINAPI ZvShowThemeChoice(int& Index) {
    Index = LastSelected;
    return LastResult;
}
