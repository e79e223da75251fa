#include "MenuItemDrawing.h"

#include "Zelvani.h"

void MenuItemDrawing(forms::TMenuItem*, forms::TCanvas& Canvas, const RECT&, bool Selected) {
    ShortString name;
    ZvGetFontName(name);
    forms::TFont font;
    font.SetName(name.str());
    font.SetSize(8);
    font.SetColor(forms::clSystemColor | (Selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    Canvas.Font.Assign(font);
}
