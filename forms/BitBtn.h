// Push buttons with a picture: the glyph left of the caption, drawn by the
// button itself (owner-drawn).
#pragma once
#include "Controls.h"

namespace forms {

// A button that shows Glyph, whose bottom-left pixel's colour is
// transparent, Spacing() pixels left of its caption. Clicks, the modal
// result and Cancel work as on any button. Owner-drawn buttons cannot carry
// the system's default-button style: a Default button is still pressed by
// Enter, but shows no default frame.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}
    // Changes of the glyph's pixels show after Repaint().
    TBitmap Glyph;
    // The pixels between the glyph and the caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    // The pixels between the button's left edge and the glyph; -1 centres
    // glyph and caption together.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);

protected:
    DWORD ButtonStyle() const override { return BS_OWNERDRAW; }
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void DrawItem(const DRAWITEMSTRUCT& Draw) override;

private:
    int FMargin = -1;
    int FSpacing = 4;
};

}  // namespace forms
