// The font and text colour of owner-drawn menu items, the same in every
// module: the user-interface font at 8 points, the highlight-text colour on
// a selected pop-up item.
#pragma once
#include "Menus.h"

void MenuItemDrawing(forms::TMenuItem* Sender, forms::TCanvas& Canvas, const RECT& Rect, bool Selected);
