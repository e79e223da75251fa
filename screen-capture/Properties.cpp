#include "Properties.h"

#include "DialogParts.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

constexpr const char* kCaption = "Properties";
// Byte 1 of a Then that asks for the list of pictures to paste to.
constexpr int kListMode = 255;

TDialogSlot<TfrmProperties> frmProperties;

}  // namespace

TfrmProperties::TfrmProperties(TComponent* AOwner) : TCapturePanelForm(AOwner) {
    Describe({.Name = "frmProperties", .Caption = kCaption, .ClientWidth = 395, .ClientHeight = 96,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnCreate = Handler(&TfrmProperties::Form_Create), .OnShow = Handler(&TfrmProperties::Form_Show)});
    Add(fraProperties, {.Name = "fraProperties", .Left = 8, .Top = 8, .Width = 296, .Height = 80,
                        .Caption = " Properties for \"%s\" "});
    AddPanels({fraProperties, fraProperties, fraProperties, 8, 14}, false);
    Add(cmdOK, {.Name = "cmdOK", .Left = 312, .Top = 13, .Width = 75, .Height = 25, .Caption = "OK",
                .Hint = zvscreen::kOKHint, .Default = true, .OnClick = Handler(&TfrmProperties::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 312, .Top = 45, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = zvscreen::kCancelHint, .Cancel = true,
                    .OnClick = Handler(&TfrmProperties::cmdCancel_Click)});
    EndDescription();
}

void TfrmProperties::Form_Create(TComponent*) { ApplyDialogLook(*this); }

void TfrmProperties::Prepare(int Code, const std::string& Caption, const ShortString& Settings) {
    FCode = Code;
    std::string caption = fraProperties->Caption();
    if (const size_t at = caption.find("%s"); at != std::string::npos) caption.replace(at, 2, Caption);
    fraProperties->SetCaption(caption);
    FWork = Settings;
}

void TfrmProperties::Form_Show(TComponent*) {
    switch (FCode / 10) {
    case 1: LoadWhen(FWork); break;
    case 2: LoadWhat(FWork); break;
    case 3:
        if (CodedByte(FWork, 1) != kListMode) LayOutPasteToCurrent(22);
        (CodedByte(FWork, 2) != 0 ? opt31PasteAsNew : opt31PasteTo)->SetChecked(true);
        LoadFileName(FWork);
        break;
    default: break;
    }
    ShowPanel(fraProperties, FCode);
    TWinControl* focus = nullptr;
    switch (FCode) {
    case 11: focus = txt11Seconds; break;
    case 12: focus = hky12Shortcut; break;
    case 13:
        for (TRadioButton* click : {opt13Click1, opt13Click2, opt13Click3})
            if (click->Checked()) focus = click;
        break;
    case 21: focus = txt21Left; break;
    case 22: focus = cmd22Color; break;
    case 31: focus = opt31PasteTo->Checked() ? opt31PasteTo : opt31PasteAsNew; break;
    case 33: focus = txt33Filename; break;
    default: break;
    }
    if (focus && focus->CanFocus()) focus->SetFocus();
}

void TfrmProperties::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    if (!CheckHotKey(kCaption) || !CheckFileNamePanel()) return;
    const int first = CodedByte(FWork, 1);
    switch (FCode / 10) {
    case 1: FWork = WhenFromControls(first); break;
    case 2: FWork = WhatFromControls(first); break;
    case 3: FWork = ThenFromControls(first, FWork); break;
    default: break;
    }
    ModalResult = mrOk;
}

void TfrmProperties::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

// ---- The exports -------------------------------------------------------------------

ZVSCREEN_API void WINAPI ZvShowPropertiesFree() {
    SafeCall([] { frmProperties.Free(); });
}

ZVSCREEN_API void WINAPI ZvShowPropertiesInit() {
    SafeCall([] { frmProperties.Renew(); });
}

ZVSCREEN_API void WINAPI ZvShowPropertiesAddChild(bool HasIcon, const ShortString& Name, int Index, TIcon* Icon) {
    SafeCall([&] { frmProperties.AddChild(HasIcon, Name, Index, Icon); });
}

ZVSCREEN_API void WINAPI ZvShowPropertiesDisable(const ShortString& Name) {
    SafeCall([&] { frmProperties.Disable(Name); });
}

ZVSCREEN_API bool WINAPI ZvShowProperties(int Code, const ShortString& Caption, ShortString& Settings,
                                          int& ChildIndex) {
    return Guarded(false, [&] {
        if (!frmProperties.Form) return false;
        if (Code == 31 && CodedByte(Settings, 1) == kListMode) frmProperties.Form->PreparePasteTo(ChildIndex);
        frmProperties.Form->Prepare(Code, Caption.str(), Settings);
        if (frmProperties.Form->ShowModal() != mrOk) return false;
        Settings = frmProperties.Form->Working();
        int child = 0;
        if (Code == 31 && CodedByte(Settings, 1) == kListMode && frmProperties.Form->SelectedChild(child))
            ChildIndex = child;
        return true;
    });
}
