#include "DialogLook.h"

#include "Zelvani.h"

void ApplyDialogLook(forms::TForm& Form) {
    ShortString font;
    ZvGetFontName(font);
    Form.Font.SetName(font.str());
    Form.SetShowHint(ZvScreentipsType() == 0);
}
