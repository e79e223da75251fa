#include "DialogLook.h"

#include "Zelvani.h"

namespace zvscreen {

void ApplyDialogLook(forms::TForm& Form) {
    ShortString font;
    ZvGetFontName(font);
    Form.Font.SetName(font.str());
    Form.SetShowHint(ZvScreentipsType() == 0);
}

void KeepDigits(char& Key, char Lowest, char Highest) {
    if (Key != '\b' && (Key < Lowest || Key > Highest)) Key = 0;
}

}  // namespace zvscreen
