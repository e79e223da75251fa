#include "ScreenPreview.h"

#include <algorithm>
#include <cmath>

using namespace forms;

void DrawScreenPreview(TCanvas& Canvas, int PW, int PH, int Width, int Height, TColor Fill) {
    Canvas.Brush.SetClear(false);
    Canvas.Brush.SetColor(clBtnShadow);
    Canvas.FillRect(RECT{0, 0, PW, PH});
    Canvas.Pen.SetColor(clBlack);
    Canvas.Pen.SetStyle(PS_SOLID);
    Canvas.Pen.SetWidth(1);
    Canvas.Brush.SetColor(Fill);
    const int room = std::max(1, PW - 10), roomH = std::max(1, PH - 10);
    const double scale = std::max({1.0, static_cast<double>(Width) / room, static_cast<double>(Height) / roomH});
    // Halves go to the even neighbour, as the size's rounding does elsewhere.
    const int w = static_cast<int>(std::nearbyint(Width / scale));
    const int h = static_cast<int>(std::nearbyint(Height / scale));
    const int l = (PW - 10 - w) / 2, t = (PH - 10 - h) / 2;
    Canvas.Rectangle(l + 5, t + 5, PW - l - 5, PH - t - 5);
}
