// Choosing a colour: the dialog that suits the display, and the choices it
// remembers per program and caller.
#pragma once
#include <string>

#include "Graphics.h"

namespace zvcom {

// Shows the full colour dialog on displays of high colour or more (colour
// class 4 and up), the reduced one below, starting from Color; on OK Color
// becomes the colour chosen. Key names the caller's use, under which the
// full dialog's model is remembered.
void ShowColorDialog(const std::string& Key, forms::TColor& Color, int ColorClass);

}  // namespace zvcom
