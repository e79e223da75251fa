#include "CaptureMenu.h"

#include <windows.h>

#include <cstring>

#include "CaptureExecution.h"
#include "CaptureSettings.h"
#include "Child.h"
#include "Common.h"
#include "Main.h"
#include "RegData.h"

using namespace forms;

namespace {

using TAddChild = void(WINAPI*)(bool, const ShortString&, int, TIcon*);
using TDisable = void(WINAPI*)(const ShortString&);

// A library dialog between its Init and its Free, freed also when its use
// fails.
class TDialogBracket {
public:
    TDialogBracket(void(WINAPI* Init)(), void(WINAPI* Free)()) : FFree(Free) { Init(); }
    ~TDialogBracket() { FFree(); }
    TDialogBracket(const TDialogBracket&) = delete;
    TDialogBracket& operator=(const TDialogBracket&) = delete;

private:
    void(WINAPI* FFree)();
};

// The open screens, the active one first, with their names, numbers in
// that order and window icons; at the screen limit no new one can be made.
void OfferScreens(TAddChild AddChild, TDisable Disable) {
    const int count = ScreenCount();
    for (int i = 0; i < count; ++i) {
        TfrmChild* screen = ScreenAt(i);
        TIcon icon;
        icon.SetHandle(frmMain->imlChild->GetIcon(screen->Tag), true);
        AddChild(true, ShortString(screen->Caption()), i, &icon);
    }
    if (count >= MaxScreens) Disable(ShortString("opt31PasteAsNew"));
}

}  // namespace

TCaptureSettings QuickCaptureSettings() {
    TCaptureSettings settings = {};
    settings.Text = ShortString("capture your screen");
    settings.TextIsLabel = false;
    settings.When = WhenSettings;
    settings.What = WhatSettings;
    settings.Then = ThenSettings;
    settings.Options = CaptureOptions;
    std::memcpy(&settings.PrintModeSet, &CaptureMode, sizeof CaptureMode);
    settings.PasteToChild = 0;
    return settings;
}

bool EditCaptureProperty(int Code, const std::string& Caption, ShortString& Settings, int& Child, bool Screens) {
    TDialogBracket dialog(ZvShowPropertiesInit, ZvShowPropertiesFree);
    if (Screens) OfferScreens(ZvShowPropertiesAddChild, ZvShowPropertiesDisable);
    return ZvShowProperties(Code, ShortString(Caption), Settings, Child);
}

void TfrmMain::mnuCaptureCapture_Click(TComponent*) {
    SetFormBusy(this, false);
    struct TBusy {
        TForm* Form;
        ~TBusy() { SetFormBusy(Form, true); }
    } busy{this};
    EndToolActions(false, true);

    TCaptureSettings settings = QuickCaptureSettings();

    TDialogBracket dialog(ZvShowCaptureInit, ZvShowCaptureFree);
    OfferScreens(ZvShowCaptureAddChild, ZvShowCaptureDisable);
    if (!ZvShowCapture(settings)) return;
    WhenSettings = settings.When;
    WhatSettings = settings.What;
    ThenSettings = settings.Then;
    CaptureOptions = settings.Options;
    std::memcpy(&CaptureMode, &settings.PrintModeSet, sizeof CaptureMode);
    ShowQuickCaptureSettings();
    ArmCapture();
}

void ShowQuickCaptureSettings() {
    frmMain->cboWhen->SetItemIndex(CodedByte(WhenSettings, 1));
    frmMain->cboCapture->SetItemIndex(CodedByte(WhatSettings, 1));
    frmMain->cboThen->SetItemIndex(CodedByte(ThenSettings, 1));
}

// The item chosen in the button's list names the page; the settings string
// of that list is edited in place. A list without a chosen item opens
// nothing (its button is disabled then too).
void TfrmMain::tlnProperties_Click(TComponent* Sender) {
    const int tag = Sender->Tag;
    if (tag < 1 || tag > 3) return;
    TComboBox* const combos[] = {cboWhen, cboCapture, cboThen};
    ShortString* const strings[] = {&WhenSettings, &WhatSettings, &ThenSettings};
    const TComboBox* combo = combos[tag - 1];
    const int index = combo->ItemIndex();
    if (index < 0 || index >= static_cast<int>(combo->Items().size())) return;
    const std::string& item = combo->Items()[static_cast<size_t>(index)];
    const int code = std::atoi(item.c_str() + item.size() - 2);
    if (code == 32) return;  // a printer item has no properties
    int scratch = 0;
    EditCaptureProperty(code, item.substr(0, item.size() - 2), *strings[tag - 1], scratch, false);
}
