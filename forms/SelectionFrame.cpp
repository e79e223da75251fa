#include "SelectionFrame.h"

#include <algorithm>

namespace forms {

namespace {

// A dash of a row or a column, from the first point up to the second.
void Across(TCanvas& Canvas, int X1, int X2, int Y) {
    Canvas.MoveTo(X1, Y);
    Canvas.LineTo(X2, Y);
}

void Down(TCanvas& Canvas, int X, int Y1, int Y2) {
    Canvas.MoveTo(X, Y1);
    Canvas.LineTo(X, Y2);
}

// The top edge, then the right one.
void TopRightPath(TCanvas& Canvas, const RECT& R, int Phase) {
    int cut = 0;  // what the last dash of the top edge misses
    if (Phase > 4) Across(Canvas, R.left, R.left + Phase - 4, R.top);
    int n = (R.right - R.left) - Phase, x = R.left + Phase;
    for (; n > 0; x += 8, n -= 8) {
        if (n < 4) cut = 4 - n;
        Across(Canvas, x, x + std::min(n, 4), R.top);
    }
    if (cut > 0) Down(Canvas, R.right - 1, R.top + 1, R.top + 1 + cut);
    // n is now the part of the last gap that the top edge did not hold.
    for (int m = (R.bottom - R.top) + n - 1, y = R.top + 1 - n; m > 0; y += 8, m -= 8)
        Down(Canvas, R.right - 1, y, y + std::min(m, 4));
}

// The left edge, then the bottom one, which leaves the bottom-right corner
// to the other path.
void LeftBottomPath(TCanvas& Canvas, const RECT& R, int Phase) {
    int cut = 0;
    if (Phase > 4) Down(Canvas, R.left, R.top + 1, R.top + Phase - 4);
    int n = (R.bottom - R.top) - Phase, y = R.top + Phase;
    for (; n > 0; y += 8, n -= 8) {
        if (n < 4) cut = 4 - n;
        Down(Canvas, R.left, y == R.top ? y + 1 : y, y + std::min(n, 4));  // the corner is the top edge's
    }
    if (cut > 0) Across(Canvas, R.left + 1, std::min(R.left + 1 + cut, R.right - 1), R.bottom - 1);
    for (int m = (R.right - R.left) + n - 1, x = R.left + 1 - n; m > 0; x += 8, m -= 8)
        Across(Canvas, x, m < 4 ? x + m - 1 : (x + 4 != R.right ? x + 4 : x + 3), R.bottom - 1);
}

}  // namespace

void DrawSelectionFrame(TCanvas& Canvas, const RECT& Rect, int Phase) {
    if (Rect.right - Rect.left < 4 || Rect.bottom - Rect.top < 4) return;
    Canvas.Pen.SetColor(clBlack);
    Canvas.Pen.SetStyle(PS_SOLID);
    Canvas.Pen.SetWidth(1);
    const int mode = SetROP2(Canvas.Handle(), R2_NOT);
    TopRightPath(Canvas, Rect, Phase);
    LeftBottomPath(Canvas, Rect, Phase);
    SetROP2(Canvas.Handle(), mode);
}

}  // namespace forms
