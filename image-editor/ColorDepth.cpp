#include "ColorDepth.h"

#include <string>

#include "RegData.h"

TfrmColorDepth* frmColorDepth = nullptr;

namespace {

TChoiceDialog::Choice Depth(const char* Name, const char* Caption, const char* Bits) {
    return {Name, Caption, std::string("Changes the color depth of the screen or a selection to ") + Bits};
}

}  // namespace

TfrmColorDepth::TfrmColorDepth(forms::TComponent* AOwner)
    : TChoiceDialog(AOwner, "frmColorDepth", "Color Depth", "fraColorDepth", " New color depth ",
                    {Depth("optColorDepth1", "&1 Bit", "1-bit"), Depth("optColorDepth2", "&4 Bit", "4-bit"),
                     Depth("optColorDepth3", "&8 Bit", "8-bit"), Depth("optColorDepth4", "1&6 Bit", "16-bit")},
                    ColorDepth),
      optColorDepth1(Buttons[0]),
      optColorDepth2(Buttons[1]),
      optColorDepth3(Buttons[2]),
      optColorDepth4(Buttons[3]) {}
