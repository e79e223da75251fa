#include "DialogLook.h"

#include "Zelvani.h"

void ApplyDialogLook(forms::TForm& Form) {
    ShortString name;
    ZvGetFontName(name);
    Form.Font.SetName(name.str());
    Form.SetShowHint(ZvScreentipsType() == 0);
}
