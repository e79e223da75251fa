#include "DialogLook.h"

#include "Zelvani.h"

namespace zvcom {

void ApplyDialogLook(forms::TForm& Form) {
    ShortString name;
    ZvGetFontName(name);
    Form.Font.SetName(name.str());
    Form.SetShowHint(ZvScreentipsType() == 0);
}

}  // namespace zvcom
