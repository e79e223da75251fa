#include "BitBtn.h"

namespace forms {

// A new margin or spacing shows at the next paint, not at once: forms move
// the glyph from the focus events, and a button painted from inside them
// was seen to be pressed a second time by the next click elsewhere.
void TBitBtn::SetMargin(int Value) {
    if (Value == FMargin) return;
    FMargin = Value;
    Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Invalidate();
}

LRESULT TBitBtn::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_LBUTTONDBLCLK) {
        // An owner-drawn button takes the second press of a double click
        // for a double click only; here it presses the button again, as on
        // a plain push button.
        MouseMessage(Msg, WParam, LParam);
        return DefaultHandler(WM_LBUTTONDOWN, WParam, LParam);
    }
    return TButton::WndProc(Msg, WParam, LParam);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& Draw) {
    HDC dc = Draw.hDC;
    RECT r = Draw.rcItem;
    const bool pressed = (Draw.itemState & ODS_SELECTED) != 0;
    const bool enabled = (Draw.itemState & ODS_DISABLED) == 0;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    // Glyph and caption side by side, centred together unless a margin
    // places them; a pressed button shows them a pixel lower and to the right.
    const std::string text = Caption();
    HGDIOBJ oldFont = SelectObject(dc, Font.Handle());
    RECT textSize = {0, 0, 0, 0};
    if (!text.empty()) DrawTextA(dc, text.c_str(), -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
    const int glyphWidth = Glyph.Empty() ? 0 : Glyph.Width();
    const int gap = glyphWidth && !text.empty() ? FSpacing : 0;
    const int width = r.right - r.left, height = r.bottom - r.top;
    int x = FMargin >= 0 ? r.left + FMargin : r.left + (width - glyphWidth - gap - textSize.right) / 2;
    const int offset = pressed ? 1 : 0;
    if (glyphWidth) {
        // The glyph's pixels with its transparent colour left out; a
        // disabled button shows them in the system's grey text colour.
        GdiFlush();
        const int top = r.top + (height - Glyph.Height()) / 2 + offset;
        const std::uint8_t* keyRow = Glyph.ScanLine(Glyph.Height() - 1);
        const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        for (int y = 0; y < Glyph.Height(); ++y) {
            const std::uint8_t* row = Glyph.ScanLine(y);
            for (int i = 0; i < glyphWidth; ++i) {
                const std::uint8_t* p = row + 3 * i;
                if (p[0] == keyRow[0] && p[1] == keyRow[1] && p[2] == keyRow[2]) continue;
                SetPixelV(dc, x + offset + i, top + y, enabled ? RGB(p[2], p[1], p[0]) : grey);
            }
        }
        x += glyphWidth + gap;
    }
    if (!text.empty()) {
        RECT t = {x + offset, r.top + offset, x + offset + textSize.right, r.bottom + offset};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), -1, &t,
                  DT_SINGLELINE | DT_VCENTER | ((Draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    }
    SelectObject(dc, oldFont);
    if (Draw.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace forms
