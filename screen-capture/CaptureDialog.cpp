#include "CaptureDialog.h"

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <tuple>
#include <vector>

#include "DialogParts.h"
#include "MenuItemDrawing.h"
#include "Module.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

constexpr const char* kPrompt = "Sets the options below and clicks Capture to %s.";
constexpr const char* kCaption = "Screen Capture";
constexpr const char* kNoPrinter = "No printer installed";
// The Options button's picture, and how far it sits from the button's edge.
constexpr int kOptionsImage = 7;
constexpr int kOptionsMargin = 4;
// The colour that the button takes as the glyph's transparent ground.
constexpr TColor kGlyphGround = 0xFF00FF;

// The dialog of the running call, and the copies of the settings that it
// edits; ZvShowCapture copies them in before and out after.
TDialogSlot<TfrmCapture> frmCapture;
TCaptureWhen WorkWhen;
TCaptureWhat WorkWhat;
TCaptureThen WorkThen;
TCaptureOptions WorkOptions;

// The "add to catalog browser" and "print out" actions keep their codes
// and show nothing.
bool IsBlankAction(int Index) { return Index == 1 || Index == 4; }

// The picture of a list item, or -1 for none.
int ChoiceImage(int List, int Index) {
    switch (List * 10 + Index) {
    case 11: return 0;  // time delay
    case 12: return 1;  // key pressed
    case 23: return 6;  // mouse cursor
    case 33: return 3;  // copy to clipboard
    case 35: return 5;  // save to disk
    default: return -1;
    }
}

int PanelCode(const std::string& Item) { return Item.size() >= 2 ? std::atoi(Item.c_str() + Item.size() - 2) : 0; }

bool PrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

std::string DefaultPrinterName() {
    char name[256] = {};
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? std::string(name) : std::string();
}

}  // namespace

TfrmCapture::TfrmCapture(TComponent* AOwner) : TCapturePanelForm(AOwner) {
    Describe({.Name = "frmCapture", .Caption = kCaption, .ClientWidth = 476, .ClientHeight = 321,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
              .OnShow = Handler(&TfrmCapture::Form_Show)});
    for (auto [picture, name, resource, visible] :
         {std::tuple{&picCapture, "picCapture", "CAPTURE", true},
          std::tuple{&picCaptureTheme, "picCaptureTheme", "CAPTURETHEME", false}})
        Add(*picture, {.Name = name, .Left = 8, .Top = 6, .Width = 16, .Height = 16, .Visible = visible},
            [resource](TImage& image) {
                LoadBitmapResource(image.Picture.Bitmap(), ModuleInstance(), resource);
                image.Picture.Changed();
                image.SetTransparent(true);
            });
    Add(lblText, {.Name = "lblText", .Left = 30, .Top = 8, .Caption = kPrompt, .ShowAccelChar = false});
    imlImages = new TImageList(this);
    imlImages->SetName("imlImages");
    imlImages->AddStrip(ModuleInstance(), "CHOICES");
    int top = 28, tag = 0;
    for (auto [group, list, groupName, listName, caption, hint, items] :
         {std::tuple{&fraWhen, &cboWhen, "fraWhen", "cboWhen", " &When ", "When will capture", &kWhenItems},
          std::tuple{&fraCapture, &cboCapture, "fraCapture", "cboCapture", " &Capture ", "Capture what",
                     &kCaptureItems},
          std::tuple{&fraThen, &cboThen, "fraThen", "cboThen", " &Then ", "After capturing", &kThenItems}}) {
        Add(*group, {.Name = groupName, .Left = 8, .Top = top, .Width = 460, .Height = 80, .Caption = caption});
        Add(*list, {.Name = listName, .Parent = *group, .Left = 10, .Top = 24, .Width = 150, .Hint = hint,
                    .Tag = ++tag, .OnChange = Handler(&TfrmCapture::cboList_Change)},
            [this, items](TComboBox& c) {
                c.SetItems(*items);
                c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                    cboList_DrawItem(s, cv, i, r, st);
                };
            });
        top += 86;
    }
    AddPanels({fraWhen, fraCapture, fraThen, 172, 14}, true);
    Add(cmdOptions, {.Name = "cmdOptions", .Left = 8, .Top = 288, .Width = 85, .Height = 25, .Caption = "&Options",
                     .Hint = "Changes other options", .OnClick = Handler(&TfrmCapture::cmdOptions_Click),
                     .OnEnter = Handler(&TfrmCapture::cmdOptions_Enter),
                     .OnExit = Handler(&TfrmCapture::cmdOptions_Exit)},
        [](TBitBtn& b) { b.SetMargin(kOptionsMargin); });
    Add(cmdOK, {.Name = "cmdOK", .Left = 308, .Top = 288, .Width = 75, .Height = 25, .Caption = "Capture",
                .Hint = "Closes the dialog box and captures your screen", .Default = true,
                .OnClick = Handler(&TfrmCapture::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 393, .Top = 288, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = "Closes the dialog box without capturing your screen", .Cancel = true,
                    .OnClick = Handler(&TfrmCapture::cmdCancel_Click)});

    mnuPOptions = new TPopupMenu(this);
    mnuPOptions->SetName("mnuPOptions");
    mnuPOptions->OnPopup = Handler(&TfrmCapture::mnuPOptions_Popup);
    for (auto [member, name, caption, itemTag] :
         {std::tuple{&mnuPOptionsOpen, "mnuPOptionsOpen", "&Open Theme...", 0},
          std::tuple{&mnuPOptionsSaveAs, "mnuPOptionsSaveAs", "Save &As Theme...", 0},
          std::tuple{&mnuPOptionsSep1, "mnuPOptionsSep1", "-", 0},
          std::tuple{&mnuPOptionsShowIcon, "mnuPOptionsShowIcon", "&Show icon on taskbar", 1},
          std::tuple{&mnuPOptionsCursor, "mnuPOptionsCursor", "&Include mouse cursor", 2}}) {
        *member = new TMenuItem(this);
        (*member)->SetName(name);
        (*member)->Caption = caption;
        (*member)->Tag = itemTag;
        if (itemTag) (*member)->OnClick = Handler(&TfrmCapture::mnuPOptionsItem_Click);
        mnuPOptions->Add(*member);
    }
    EndDescription();
}

void TfrmCapture::SetPrompt(const std::string& Text, bool TextIsLabel) {
    std::string prompt = kPrompt;
    if (TextIsLabel)
        prompt = Text;
    else
        prompt.replace(prompt.find("%s"), 2, Text);
    lblText->SetCaption(prompt);
}

ShortString& TfrmCapture::NumberingString() { return WorkThen; }

// ---- Showing ---------------------------------------------------------------------

void TfrmCapture::Form_Show(TComponent*) {
    ApplyDialogLook(*this);
    for (TComponent* c : Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c)) item->OnDrawItem = &MenuItemDrawing;
    for (TLabel* label : {lbl10NoProp1, lbl10NoProp2, lbl20NoProp1, lbl20NoProp2, lbl30NoProp1, lbl30NoProp2})
        label->Font.SetColor(clBtnShadow);

    cboWhen->SetItemIndex(ListIndex(WorkWhen, kWhenItems.size()));
    LoadWhen(WorkWhen);
    cboCapture->SetItemIndex(ListIndex(WorkWhat, kCaptureItems.size()));
    LoadWhat(WorkWhat);
    cboThen->SetItemIndex(ListIndex(WorkThen, kThenItems.size()));
    // Paste as new when asked and allowed; else to a picture when there is
    // one to paste to.
    if (CodedByte(WorkThen, 2) != 0 && opt31PasteAsNew->Enabled())
        opt31PasteAsNew->SetChecked(true);
    else if (opt31PasteTo->Enabled())
        opt31PasteTo->SetChecked(true);
    else
        opt31PasteAsNew->SetChecked(true);
    ShowPrinter();
    LoadFileName(WorkThen);

    for (TComboBox* list : {cboWhen, cboCapture, cboThen}) ListChanged(list);
    DrawOptionsGlyph();
    cboWhen->SetFocus();
    for (TMenuItem* item : {mnuPOptionsOpen, mnuPOptionsSaveAs, mnuPOptionsSep1}) item->Visible = false;
}

void TfrmCapture::ShowPrinter() {
    if (!PrinterInstalled()) {
        lbl32Printer->SetAlignment(taCenter);
        lbl32Printer->Font.SetColor(clBtnShadow);
        lbl32Printer->SetCaption(kNoPrinter);
        cmd32Settings->SetEnabled(false);
        return;
    }
    const std::string stored = ThenPrinterName(WorkThen);
    lbl32Printer->SetCaption(stored.empty() ? DefaultPrinterName() : stored);
}

void TfrmCapture::DrawOptionsGlyph() {
    TBitmap& glyph = cmdOptions->Glyph;
    glyph.SetSize(16, 16);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush.SetColor(kGlyphGround);
    canvas.FillRect({0, 0, 16, 16});
    imlImages->Draw(canvas, 0, 0, kOptionsImage, true);
    canvas.Brush.SetColor(clWindowText);
    HGDIOBJ old = SelectObject(canvas.Handle(), canvas.Brush.Handle());
    ExtFloodFill(canvas.Handle(), 8, 8, RGB(0, 0, 0), FLOODFILLBORDER);
    SelectObject(canvas.Handle(), old);
    cmdOptions->Repaint();
}

LRESULT TfrmCapture::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_SYSCOLORCHANGE) DrawOptionsGlyph();
    return TCapturePanelForm::WndProc(Msg, WParam, LParam);
}

// ---- The three lists -------------------------------------------------------------

void TfrmCapture::cboList_Change(TComponent* Sender) { ListChanged(static_cast<TComboBox*>(Sender)); }

void TfrmCapture::ListChanged(TComboBox* List) {
    const int index = List->ItemIndex();
    if (List == cboThen && IsBlankAction(index)) {
        for (TPanel* panel : {pan30, pan31, pan32, pan33}) panel->Hide();
        return;
    }
    if (index < 0 || index >= static_cast<int>(List->Items().size())) return;
    const std::string& item = List->Items()[static_cast<size_t>(index)];
    const int code = PanelCode(item);
    if (code % 10 == 0)
        if (auto* label = dynamic_cast<TLabel*>(FindComponent("lbl" + std::to_string(code) + "NoProp2")))
            label->SetCaption("\"" + item.substr(0, item.size() - 2) + "\"");
    ShowPanel(List->Parent(), code);
    UpdateOptionItems();
    bool any = false;
    for (TComponent* c : Components())
        if (auto* menuItem = dynamic_cast<TMenuItem*>(c))
            any = any || (menuItem->Name().rfind("mnuP", 0) == 0 && menuItem->Visible && menuItem->Enabled);
    cmdOptions->SetEnabled(any);
}

void TfrmCapture::UpdateOptionItems() {
    mnuPOptionsShowIcon->Visible = cboWhen->ItemIndex() != 0;
    mnuPOptionsShowIcon->Enabled = cboWhen->ItemIndex() != 3;
    mnuPOptionsCursor->Visible = cboCapture->ItemIndex() != 3;
}

void TfrmCapture::cboList_DrawItem(TWinControl* Sender, TCanvas& Canvas, int Index, const RECT& Rect, UINT State) {
    auto* list = static_cast<TComboBox*>(Sender);
    if (State & ODS_DISABLED) {
        list->SetColor(clBtnFace);
        Canvas.Font.SetColor(clBtnShadow);
    } else {
        list->SetColor(clWindow);
    }
    if (Index < 0 || Index >= static_cast<int>(list->Items().size())) return;
    if (list == cboThen && IsBlankAction(Index)) return;
    const std::string& item = list->Items()[static_cast<size_t>(Index)];
    imlImages->Draw(Canvas, Rect.left + 1, Rect.top, ChoiceImage(list->Tag, Index), true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, item.substr(0, item.size() - 2));
}

// ---- Options ---------------------------------------------------------------------

void TfrmCapture::cmdOptions_Click(TComponent*) {
    cmdOptions->SetFocus();
    UpdateOptionItems();
    POINT corner = {cmdOptions->Width(), 0};
    ClientToScreen(cmdOptions->Handle(), &corner);
    mnuPOptions->Popup(corner.x, corner.y);
    cmdOK->SetFocus();
}

void TfrmCapture::cmdOptions_Enter(TComponent*) { cmdOptions->SetMargin(kOptionsMargin + 1); }
void TfrmCapture::cmdOptions_Exit(TComponent*) { cmdOptions->SetMargin(kOptionsMargin); }

void TfrmCapture::mnuPOptions_Popup(TComponent*) {
    mnuPOptionsShowIcon->Checked = cboWhen->ItemIndex() != 3 && CodedByte(WorkOptions, 1) == 1;
    mnuPOptionsCursor->Checked = CodedByte(WorkOptions, 2) == 1;
}

void TfrmCapture::mnuPOptionsItem_Click(TComponent* Sender) {
    const int at = Sender->Tag;
    if (at < 1 || at > WorkOptions.Length) return;
    unsigned char& option = CodedBytes(WorkOptions)[at - 1];
    option = option == 1 ? 0 : 1;
}

// ---- Capture and Cancel ------------------------------------------------------------

void TfrmCapture::cmdOK_Click(TComponent*) {
    cmdOK->SetFocus();
    if (!CheckHotKey(kCaption)) return;
    if (pan32->Visible() && !PrinterInstalled()) {
        ZvMessageBox(ShortString("No printer installed. Please select another option."), ShortString(kCaption), 1,
                     zvIconStop, ShortString("OK"), ShortString(""), ShortString(""));
        cboThen->SetFocus();
        return;
    }
    if (!CheckFileNamePanel()) return;
    WorkWhen = WhenFromControls(cboWhen->ItemIndex());
    WorkWhat = WhatFromControls(cboCapture->ItemIndex());
    WorkThen = ThenFromControls(cboThen->ItemIndex(), WorkThen);
    ModalResult = mrOk;
}

void TfrmCapture::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

// ---- A theme's settings -------------------------------------------------------------

bool EditCaptureTheme(TThemeSettings& Settings) {
    auto form = std::make_unique<TfrmCapture>(Application);
    form->SetCaption("Modify Capture Theme");
    form->picCapture->Hide();
    form->picCaptureTheme->SetBounds(9, form->picCaptureTheme->Top(), 16, 16);
    form->picCaptureTheme->Show();
    form->SetPrompt("Sets the options below and clicks OK to apply changes.", true);
    form->LayOutPasteToCurrent(7);
    form->cmdOK->SetCaption("OK");
    form->cmdOK->Hint = zvscreen::kOKHint;
    WorkWhen = Settings.When;
    WorkWhat = Settings.What;
    WorkThen = Settings.Then;
    WorkOptions = Settings.Options;
    if (form->ShowModal() != mrOk) return false;
    Settings = {WorkWhen, WorkWhat, WorkThen, WorkOptions};
    return true;
}

// ---- The exports -------------------------------------------------------------------

ZVSCREEN_API void WINAPI ZvShowCaptureFree() {
    SafeCall([] { frmCapture.Free(); });
}

ZVSCREEN_API void WINAPI ZvShowCaptureInit() {
    SafeCall([] { frmCapture.Renew(); });
}

ZVSCREEN_API void WINAPI ZvShowCaptureAddChild(bool HasIcon, const ShortString& Name, int Index, TIcon* Icon) {
    SafeCall([&] { frmCapture.AddChild(HasIcon, Name, Index, Icon); });
}

ZVSCREEN_API void WINAPI ZvShowCaptureDisable(const ShortString& Name) {
    SafeCall([&] { frmCapture.Disable(Name); });
}

ZVSCREEN_API bool WINAPI ZvShowCapture(TCaptureSettings& Settings) {
    return Guarded(false, [&] {
        RepairCaptureSettings(Settings);
        if (!frmCapture.Form) return false;
        frmCapture.Form->SetPrompt(Settings.Text.str(), Settings.TextIsLabel);
        WorkWhen = Settings.When;
        WorkWhat = Settings.What;
        WorkThen = Settings.Then;
        WorkOptions = Settings.Options;
        frmCapture.Form->PreparePasteTo(Settings.PasteToChild);
        if (frmCapture.Form->ShowModal() != mrOk) return false;
        Settings.When = WorkWhen;
        Settings.What = WorkWhat;
        Settings.Then = WorkThen;
        Settings.Options = WorkOptions;
        int child = 0;
        if (frmCapture.Form->SelectedChild(child)) Settings.PasteToChild = child;
        return true;
    });
}
