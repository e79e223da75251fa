#include "Wizard.h"

#include <memory>
#include <tuple>

#include "DialogParts.h"
#include "Module.h"
#include "ZvCom.h"
#include "ZvScreen.h"

using namespace forms;

namespace {

constexpr const char* kCaption = "Capture Wizard";

// Caption and hint of the Next button: 0 on the way, 1 on the last page.
struct NextEntry {
    const char* Caption;
    const char* Hint;
};
constexpr NextEntry kNext[] = {{"&Next >", "Advances to the next step of the wizard"},
                               {"Capture", "Captures your desktop screen with the settings you specified"}};

// How the page-2 sentence ends, by the trigger chosen on page 1.
constexpr const char* kWhenEndings[] = {"after you have finished this wizard.", "after a short delay.",
                                        "when you press a key.", "when you click on the tray icon."};

const std::vector<std::string> kWizardWhen = {"immediately10", "after a short delay11", "when I press a key12",
                                              "when I click on the tray icon13"};
const std::vector<std::string> kWizardCapture = {"the whole desktop screen20", "only the active window screen20",
                                                 "a rectangular area of the screen21", "the mouse cursor image only22"};

// The picture of a list item, or -1 for none.
int ItemImage(const TComboBox* List, int Index) {
    if (List->Name() == "cbo1When") return Index == 1 ? 0 : Index == 2 ? 1 : -1;
    return Index == 3 ? 6 : -1;
}

int PanelCode(const std::string& Item) { return Item.size() >= 2 ? std::atoi(Item.c_str() + Item.size() - 2) : 0; }

}  // namespace

TfrmWizard::TfrmWizard(TComponent* AOwner) : TCapturePanelForm(AOwner) {
    Describe({.Name = "frmWizard", .Caption = kCaption, .ClientWidth = 502, .ClientHeight = 365,
              .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter, .ShowHint = true,
              .OnShow = Handler(&TfrmWizard::Form_Show)});
    OnClose = CloseHandler(&TfrmWizard::Form_Close);
    imlImages = new TImageList(this);
    imlImages->SetName("imlImages");
    imlImages->AddStrip(ModuleInstance(), "CHOICES");
    Add(panImage, {.Name = "panImage", .Left = 9, .Top = 10, .Width = 155, .Height = 309, .BevelOuter = bvLowered});
    Add(imgImage, {.Name = "imgImage", .Parent = panImage, .Left = 2, .Top = 2, .Width = 151, .Height = 305},
        [](TImage& image) {
            LoadBitmapResource(image.Picture.Bitmap(), ModuleInstance(), "WIZARD");
            image.Picture.Changed();
        });
    TPanel** const pages[] = {&panArea0, &panArea1, &panArea2, &panArea3, &panArea4, &panArea5};
    TLabel** const titles[] = {&lbl0Text1, &lbl1Text1, &lbl2Text1, &lbl3Text1, &lbl4Text1, &lbl5Text1};
    const char* const titleTexts[] = {"Capture Your Desktop Screens", "Start Capture When", "Capture What",
                                      "After Capturing", "Other Options", "Completing Capture Wizard"};
    for (int i = 0; i <= kLastPage; ++i) {
        const std::string n = std::to_string(i);
        Add(*pages[i], {.Name = "panArea" + n, .Left = 174, .Top = 10, .Width = 319, .Height = 307,
                        .Visible = i == 0, .BevelOuter = bvNone});
        Add(*titles[i], {.Name = "lbl" + n + "Text1", .Parent = *pages[i], .Caption = titleTexts[i]});
    }
    auto text = [&](TLabel*& Member, const char* Name, TPanel* Page, int Top, const char* Caption) {
        Add(Member, {.Name = Name, .Parent = Page, .Top = Top, .Width = 319, .Height = 60, .Caption = Caption,
                     .AutoSize = false, .WordWrap = true});
    };
    text(lbl0Text2, "lbl0Text2", panArea0, 40,
         "Welcome to Capture Wizard. This wizard helps you capture your desktop, menus, splash screens, and other "
         "screen objects on your desktop. You will be prompted to provide informations about how to capture your "
         "screens.");
    text(lbl0Text3, "lbl0Text3", panArea0, 120, "To begin capturing your desktop screens, click Next.");
    text(lbl1Text2, "lbl1Text2", panArea1, 40,
         "Select when you would like to capture your desktop screen after you have finished this wizard.");
    text(lbl2Text2, "lbl2Text2", panArea2, 40, "");
    lbl2Text2->ShowAccelChar = false;

    // The lists, each with the panels of its choices below it.
    for (auto [label, list, page, labelName, listName, caption, items] :
         {std::tuple{&lbl1When, &cbo1When, panArea1, "lbl1When", "cbo1When", "&Captures my desktop screen", &kWizardWhen},
          std::tuple{&lbl2Capture, &cbo2Capture, panArea2, "lbl2Capture", "cbo2Capture", "&Captures",
                     &kWizardCapture}}) {
        Add(*label, {.Name = labelName, .Parent = page, .Top = 90, .Caption = caption});
        Add(*list, {.Name = listName, .Parent = page, .Left = 150, .Top = 86, .Width = 165,
                    .OnChange = Handler(&TfrmWizard::cbo_Click)},
            [this, items](TComboBox& c) {
                c.SetItems(*items);
                c.OnDrawItem = [this](TWinControl* s, TCanvas& cv, int i, const RECT& r, UINT st) {
                    cbo_DrawItem(s, cv, i, r, st);
                };
            });
        (*label)->FocusControl = *list;
    }
    auto sub = [&](TPanel*& Member, TPanel* Page, const char* Name) {
        Add(Member, {.Name = Name, .Parent = Page, .Left = 20, .Top = 120, .Width = 290, .Height = 90,
                     .Visible = false, .BevelOuter = bvNone});
    };
    sub(pan11, panArea1, "panArea11");
    AddSecondsControls(pan11, "&Wait for", 50);
    lbl11Seconds->SetName("lbl11Seconds1");
    Add(lbl11Seconds2, {.Name = "lbl11Seconds2", .Parent = pan11, .Left = 96, .Top = 4,
                        .Caption = "seconds before capturing"});
    sub(pan12, panArea1, "panArea12");
    AddShortcutControls(pan12, 4);
    sub(pan13, panArea1, "panArea13");
    AddClickControls(pan13, {"&Left click on the tray icon", "&Right click on the tray icon",
                             "Left &double click on the tray icon"},
                     250);
    sub(pan21, panArea2, "panArea21");
    AddAreaControls(pan21, {"&Left:", "&Right:", "&Top:", "B&ottom:"}, {0, 56});
    sub(pan22, panArea2, "panArea22");
    AddColorControls(pan22, "Background color for the mouse cursor:", {0, 22}, {60, 20});

    Add(CheckBox1, {.Name = "CheckBox1", .Parent = panArea5, .Top = 120, .Width = 250, .Height = 17,
                    .Caption = "&Display standard window next time"});
    Add(panLine, {.Name = "panLine", .Left = 9, .Top = 325, .Width = 484, .Height = 2, .BevelOuter = bvLowered});
    Add(cmdBack, {.Name = "cmdBack", .Left = 253, .Top = 333, .Width = 75, .Height = 25, .Caption = "< &Back",
                  .Hint = "Returns to the previous step in the wizard", .Tag = 1,
                  .OnClick = Handler(&TfrmWizard::cmd_Click)});
    Add(cmdNext, {.Name = "cmdNext", .Left = 328, .Top = 333, .Width = 75, .Height = 25, .Caption = kNext[0].Caption,
                  .Hint = kNext[0].Hint, .Tag = 2, .Default = true, .OnClick = Handler(&TfrmWizard::cmd_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Left = 418, .Top = 333, .Width = 75, .Height = 25, .Caption = "Cancel",
                    .Hint = zvscreen::kCancelHint, .Cancel = true, .OnClick = Handler(&TfrmWizard::cmdCancel_Click)});
    EndDescription();
}

// ---- Showing -----------------------------------------------------------------------

void TfrmWizard::ArrangeWizard() {
    ApplyDialogLook(*this);
    for (TLabel* title : {lbl0Text1, lbl1Text1, lbl2Text1, lbl3Text1, lbl4Text1, lbl5Text1}) {
        TFont font;
        font.Assign(Font);
        font.SetSize(10);
        font.SetStyle(fsBold);
        title->Font.Assign(font);
    }
    cbo1When->SetBounds(lbl1When->Width() + 3, cbo1When->Top(), cbo1When->Width(), cbo1When->Height());
    txt11Seconds->SetBounds(lbl11Seconds->Width() + 3, txt11Seconds->Top(), txt11Seconds->Width(),
                            txt11Seconds->Height());
    // The arrows sit at the edit's right edge, beside it, as when they were
    // attached to it.
    upd11Seconds->SetBounds(txt11Seconds->Left() + txt11Seconds->Width(), upd11Seconds->Top(), upd11Seconds->Width(),
                            upd11Seconds->Height());
    lbl11Seconds2->SetBounds(upd11Seconds->Left() + upd11Seconds->Width() + 6, lbl11Seconds2->Top(),
                             lbl11Seconds2->Width(), lbl11Seconds2->Height());
    cbo2Capture->SetBounds(lbl2Capture->Width() + 3, cbo2Capture->Top(), cbo2Capture->Width(), cbo2Capture->Height());
}

void TfrmWizard::Form_Show(TComponent*) {
    ArrangeWizard();
    cbo1When->SetItemIndex(ListIndex(When, kWizardWhen.size()));
    LoadWhen(When);
    cbo2Capture->SetItemIndex(ListIndex(What, kWizardCapture.size()));
    LoadWhat(What);
    cbo_Click(cbo1When);
    cbo_Click(cbo2Capture);
    FFirstPage = FPage = FPrevPage = 0;
    ShowPage(0);
}

// The choice shows its panel, named by the two digits its text ends in, and
// hides the page's other panels.
void TfrmWizard::cbo_Click(TComponent* Sender) {
    auto* list = static_cast<TComboBox*>(Sender);
    const int index = list->ItemIndex();
    if (index < 0 || index >= static_cast<int>(list->Items().size())) return;
    ShowPanel(list->Parent(), PanelCode(list->Items()[static_cast<size_t>(index)]), "panArea");
}

void TfrmWizard::cbo_DrawItem(TWinControl* Sender, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    auto* list = static_cast<TComboBox*>(Sender);
    if (Index < 0 || Index >= static_cast<int>(list->Items().size())) return;
    const std::string& item = list->Items()[static_cast<size_t>(Index)];
    imlImages->Draw(Canvas, Rect.left + 1, Rect.top, ItemImage(list, Index), true);
    Canvas.Brush.SetClear(true);
    Canvas.TextOut(Rect.left + 19, Rect.top + 1, item.substr(0, item.size() - 2));
}

// ---- Moving between the pages ----------------------------------------------------

TPanel* TfrmWizard::PagePanel(int Page) const {
    TPanel* const pages[] = {panArea0, panArea1, panArea2, panArea3, panArea4, panArea5};
    return pages[Page];
}

void TfrmWizard::cmd_Click(TComponent* Sender) {
    static_cast<TButton*>(Sender)->SetFocus();
    FPrevPage = FPage;
    if (Sender->Tag == 2)
        ++FPage;
    else if (FPage > FFirstPage)
        --FPage;
    if (FPage > kLastPage)
        ModalResult = mrOk;
    else
        ShowPage(FPage);
}

bool TfrmWizard::CheckShortcutPage() { return CheckHotKey(kCaption); }

void TfrmWizard::ShowPage(int Page) {
    if (FPrevPage == 1 && FPrevPage != Page && !CheckShortcutPage()) {
        FPage = FPrevPage;
        return;
    }
    if (Page == 2) {
        const int when = std::clamp(cbo1When->ItemIndex(), 0, 3);
        lbl2Text2->SetCaption(std::string("Select what you would like to capture on your desktop ") +
                              kWhenEndings[when]);
    }
    if (Page == kLastPage) CheckBox1->SetVisible(Flag != 0);
    ShowOnlyPage(Page);
    switch (Page) {
    case 0: SetNavigation(false, 0, cmdNext); break;
    case 1: SetNavigation(true, 0, cbo1When); break;
    case 2: SetNavigation(true, 0, cbo2Capture); break;
    case kLastPage: SetNavigation(true, 1, cmdNext); break;
    default: SetNavigation(true, 0, cmdNext); break;
    }
}

void TfrmWizard::ShowOnlyPage(int Page) {
    for (int i = 0; i <= kLastPage; ++i) PagePanel(i)->SetVisible(i == Page);
}

void TfrmWizard::SetNavigation(bool Back, int NextEntry, TWinControl* Focus) {
    cmdBack->SetEnabled(Back);
    cmdNext->SetCaption(kNext[NextEntry].Caption);
    cmdNext->Hint = kNext[NextEntry].Hint;
    if (Focus->CanFocus()) Focus->SetFocus();
}

// ---- Closing ---------------------------------------------------------------------

void TfrmWizard::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

void TfrmWizard::Form_Close(TComponent*, TCloseAction& Action) {
    if (Flag == 0 || ModalResult != mrCancel) return;
    if (ZvMessageBox(ShortString("You have not finished capturing your desktop screens. Are you sure your want to "
                                 "quit?"),
                     ShortString(kCaption), 1, zvIconQuestion, ShortString("&Yes"), ShortString("&No"),
                     ShortString("")) == 2)
        Action = caNone;
}

void TfrmWizard::WriteChoices() {
    When = WhenFromControls(cbo1When->ItemIndex());
    What = WhatFromControls(cbo2Capture->ItemIndex());
}

// ---- The export --------------------------------------------------------------------

// The choices of pages 1 and 2 come back as the When and What the Screen
// Capture dialog would write for them; the other settings and the flag stay
// as they came.
ZVSCREEN_API bool WINAPI ZvShowWizard(TCaptureSettings& Settings, BYTE& ShowWizardFlag) {
    return Guarded(false, [&] {
        RepairCaptureSettings(Settings);
        auto form = std::make_unique<TfrmWizard>(Application);
        form->When = Settings.When;
        form->What = Settings.What;
        form->Then = Settings.Then;
        form->Options = Settings.Options;
        form->Flag = ShowWizardFlag;
        if (form->ShowModal() != mrOk) return false;
        form->WriteChoices();
        Settings.When = form->When;
        Settings.What = form->What;
        ShowWizardFlag = form->Flag;
        return true;
    });
}
