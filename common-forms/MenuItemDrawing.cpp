#include "MenuItemDrawing.h"

#include "Zelvani.h"

void MenuItemDrawing(forms::TMenuItem* Sender, forms::TCanvas& Canvas, const RECT&, bool Selected) {
    ShortString name;
    ZvGetFontName(name);
    forms::TFont font;
    font.SetName(name.str());
    font.SetSize(8);
    // An item of a menu bar shows the highlight colour when selected only on
    // systems that highlight menu-bar items; pop-up items always do.
    bool highlight = Selected;
    if (Selected && Sender && !Sender->Parent() && dynamic_cast<forms::TMainMenu*>(Sender->Menu())) {
        ShortString code;
        ZvOSVersion(0, code);
        highlight = code.Length >= 2 && code.Chars[1] == '1';
    }
    font.SetColor(forms::clSystemColor | (highlight ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    Canvas.Font.Assign(font);
}
