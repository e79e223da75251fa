#include "GroupBox.h"

namespace forms {

void TGroupBox::Paint(TCanvas& Canvas) {
    const std::string text = Caption();
    RECT caption = {0, 0, 0, 0};
    DrawTextA(Canvas.Handle(), text.empty() ? " " : text.c_str(), -1, &caption, DT_CALCRECT | DT_SINGLELINE);
    // The frame runs through the middle of the caption's line.
    RECT frame = {0, caption.bottom / 2, Width(), Height()};
    DrawEdge(Canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;
    // The caption covers the frame behind it.
    OffsetRect(&caption, 8, 0);
    Canvas.Brush.SetColor(clBtnFace);
    Canvas.Brush.SetClear(false);
    DrawTextA(Canvas.Handle(), text.c_str(), -1, &caption, DT_SINGLELINE);
}

}  // namespace forms
