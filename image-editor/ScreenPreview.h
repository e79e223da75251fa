// The preview of a screen's size that the dialogs which choose a size show:
// the screen as a rectangle in its background colour, centred in the
// preview and scaled down to fit it.
#pragma once
#include "Graphics.h"

// Draws on Canvas, a preview of PW x PH pixels, a screen of Width x Height:
// the preview in the button shadow's colour, and the screen outlined in
// black and filled with Fill, scaled down by the larger of
// Width / (PW - 10) and Height / (PH - 10) to leave a margin of at least 5,
// or 1:1 when it fits (a small screen is never enlarged).
void DrawScreenPreview(forms::TCanvas& Canvas, int PW, int PH, int Width, int Height, forms::TColor Fill);
