// The moving dashed frame of a selection, drawn so that drawing it again
// takes it away.
#pragma once
#include <windows.h>

#include "Graphics.h"

namespace forms {

// Draws the frame of Rect (Right and Bottom outside) on Canvas by inverting
// its pixels: dashes of 4 pixels with gaps of 4, shifted by Phase (0..7),
// in two paths from the top-left corner, one along the top and the right
// edge, the other along the left and the bottom edge; a dash cut short by a
// corner goes on round it, and every pixel of the frame is drawn once.
// Nothing is drawn for a rectangle narrower or lower than 4 pixels. The
// canvas's pen becomes black, solid and 1 pixel wide; the pen position
// moves.
void DrawSelectionFrame(TCanvas& Canvas, const RECT& Rect, int Phase);

}  // namespace forms
