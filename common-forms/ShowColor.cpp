#include "ShowColor.h"

#include <memory>

#include "Color.h"
#include "Color2.h"
#include "ProgramValues.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

const char* const kColorKey = "Software\\Zelvani\\Common\\Color";

// The stored flags: bit 0 the screen picker's hide-window choice, kept as
// it is; bit 1 the model "Value" (clear: "Sat"). OK writes these two bits
// alone, Cancel gives back what was read.
constexpr int kHideWindow = 1, kValueModel = 2, kDefaultFlags = kHideWindow | kValueModel;

}  // namespace

namespace zvcom {

void ShowColorDialog(const std::string& Key, TColor& Color, int ColorClass) {
    const std::string name = ProgramValueName(Key);
    int flags = ReadProgramValue(kColorKey, name, kDefaultFlags);
    if (ColorClass < 4) {
        auto frmColor2 = std::make_unique<TfrmColor2>(Application);
        frmColor2->CurrentColor = Color;
        if (frmColor2->ShowModal() == mrOk) Color = frmColor2->NewColor;
    } else {
        auto frmColor = std::make_unique<TfrmColor>(Application);
        frmColor->CurrentColor = Color;
        frmColor->chkHideWindow->SetChecked((flags & kHideWindow) != 0);
        frmColor->cboCustomModel->SetItemIndex((flags & kValueModel) ? 1 : 0);
        if (frmColor->ShowModal() == mrOk) {
            Color = frmColor->NewColor;
            flags = (frmColor->chkHideWindow->Checked() ? kHideWindow : 0) |
                    (frmColor->cboCustomModel->ItemIndex() == 1 ? kValueModel : 0);
        }
    }
    // The colour is the caller's already, should the value not be stored.
    WriteProgramValue(kColorKey, name, flags);
}

}  // namespace zvcom

ZVCOM_API void WINAPI ZvShowColor(const ShortString& Key, TColor& Color) {
    SafeCall([&] { zvcom::ShowColorDialog(Key.str(), Color, ZvTotalColors()); });
}
