// The drawing bar's colour boxes, palette and option lists.
#include <windows.h>

#include "Main.h"
#include "RegData.h"
#include "ZvColor.h"

using namespace forms;

namespace {

// The colour a list draws its samples in.
TColor SampleColor() { return HasOption(OptUseDefaultColor) ? clWindowText : ForeColor; }

// The drawing of the active box: a white then a black frame inside the
// black edge; the other box has the edge only.
void DrawColorBox(TImage* Box, TColor Color, bool Active) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Box->Width(), Box->Height());
    TCanvas& c = bitmap->Canvas();
    const int w = Box->Width(), h = Box->Height();
    auto fill = [&](int Inset, TColor Fill) {
        c.Brush.SetColor(Fill);
        c.FillRect(RECT{Inset, Inset, w - Inset, h - Inset});
    };
    fill(0, clBlack);
    if (Active) {
        fill(1, clWhite);
        fill(2, clBlack);
    }
    fill(Active ? 3 : 1, Color);
    Box->Picture.SetGraphic(std::move(bitmap));
}

// The airbrush picture of a size, its black dots in the sample colour.
std::unique_ptr<TBitmap> AirbrushSample(int Index, TColor Color) {
    const std::string name = "Airbrush" + std::to_string(Index + 1);
    HBITMAP source = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    auto sample = std::make_unique<TBitmap>();
    sample->SetSize(26, 26);
    if (!source) return sample;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, source);
    BitBlt(sample->Canvas().Handle(), 0, 0, 26, 26, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(source);
    GdiFlush();
    const COLORREF rgb = ColorToRGB(Color);
    const TRGBTriple dot = ZvRGBTriple(static_cast<BYTE>(ZvRed(static_cast<int>(rgb))),
                                       static_cast<BYTE>(ZvGreen(static_cast<int>(rgb))),
                                       static_cast<BYTE>(ZvBlue(static_cast<int>(rgb))));
    for (int y = 0; y < 26; ++y) {
        auto* px = reinterpret_cast<TRGBTriple*>(sample->ScanLine(y));
        for (int x = 0; x < 26; ++x)
            if (px[x].rgbtRed == 0 && px[x].rgbtGreen == 0 && px[x].rgbtBlue == 0) px[x] = dot;
    }
    return sample;
}

}  // namespace

TColor TfrmMain::EraserColor() const {
    if (HasOption(OptUseDefaultColor)) return clWindowText;
    const TScreenFacts screen = ActiveScreenFacts();
    if (screen.Active) return screen.BackColor;
    const auto* p = reinterpret_cast<const unsigned char*>(DefaultScreen.data());
    return static_cast<TColor>(RGB(p[4], p[5], p[6]));
}

void TfrmMain::DrawColorBoxes() {
    const bool backActive = Drawings[1] == 1;
    DrawColorBox(picForeColor, ForeColor, !backActive);
    DrawColorBox(picBackColor, BackColor, backActive);
    for (TListBox* list : {lstDrawingWidth, lstDrawingType, lstDrawingASize, lstDrawingFont}) list->Repaint();
}

void TfrmMain::tlnColor_Click(TComponent* Sender) {
    if (Sender->Tag == 16777217) {
        ForeColor = clBlack;
        BackColor = clWhite;
    } else if (Sender->Tag == 16777218) {
        std::swap(ForeColor, BackColor);
    } else {
        (Drawings[1] == 0 ? ForeColor : BackColor) = Sender->Tag;
    }
    DrawColorBoxes();
}

void TfrmMain::lstDrawing_Click(TComponent*) { clbMain->SetFocus(); }

void TfrmMain::lstDrawing_DrawItem(TWinControl* Sender, TCanvas& Canvas, int Index, const RECT& Rect, UINT) {
    if (Index < 0) return;
    const TColor brush = Canvas.Brush.Color();
    const TColor sample = SampleColor();
    const int left = Rect.left, top = Rect.top;
    if (Sender == lstDrawingWidth) {
        static const int kRows[][2] = {{7, 1}, {7, 2}, {6, 4}, {5, 7}, {3, 10}};
        if (Index > 4) return;
        Canvas.Brush.SetColor(sample);
        Canvas.FillRect(RECT{left + 7, top + kRows[Index][0], left + 81, top + kRows[Index][0] + kRows[Index][1]});
    } else if (Sender == lstDrawingType) {
        const bool plain = HasOption(OptUseDefaultColor);
        Canvas.Pen.SetColor(plain ? clWindowText : Index == 2 ? BackColor : ForeColor);
        Canvas.Brush.SetColor(plain ? (clSystemColor | COLOR_BTNSHADOW) : BackColor);
        Canvas.Brush.SetClear(Index == 0);
        const int x1 = left + 7, y1 = top + 3, x2 = Rect.right - 7, y2 = Rect.bottom - 3;
        switch (DrawingByte(0) + 1) {
        case 10: Canvas.Rectangle(x1, y1, x2, y2); break;
        case 11: Canvas.RoundRect(x1, y1, x2, y2, 16, 16); break;
        case 12: Canvas.Ellipse(x1, y1, x2, y2); break;
        default: break;
        }
        Canvas.Brush.SetClear(false);
    } else if (Sender == lstDrawingASize) {
        auto dots = AirbrushSample(Index, sample);
        TransparentBlt(Canvas.Handle(), left + 31, top, 26, 26, dots->Canvas().Handle(), 0, 0, 26, 26,
                       RGB(255, 255, 255));
    } else if (Sender == lstDrawingESize) {
        const int k = (18 - 8 * Index) / 2;
        const TColor color = EraserColor();
        Canvas.Pen.SetColor(color);
        Canvas.Brush.SetColor(color);
        Canvas.RoundRect(left + 20, top + k, left + 68, top + 26 - k, 16, 16);
    } else if (Sender == lstDrawingFont) {
        const std::string& text = lstDrawingFont->Items()[static_cast<size_t>(Index)];
        const bool plain = HasOption(OptUseDefaultColor);
        Canvas.Font.SetColor(plain || Index == 2 ? clWindowText : ForeColor);
        Canvas.Brush.SetColor(BackColor);
        Canvas.Brush.SetClear(plain || Index != 1);
        const SIZE size = Canvas.TextExtent(text);
        Canvas.TextOut((Rect.right - size.cx) / 2, top + (26 - size.cy) / 2 + 1, text);
        Canvas.Brush.SetClear(false);
    }
    Canvas.Brush.SetColor(brush);
}
