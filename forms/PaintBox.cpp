#include "PaintBox.h"

namespace forms {

// A canvas over the window's own device context, taken when first drawn on
// and given back at the next paint and when the box goes.
class TPaintBox::TWindowCanvas : public TCanvas {
public:
    explicit TWindowCanvas(TPaintBox& Box) : FBox(Box) {}
    ~TWindowCanvas() override { Release(); }
    void Release() {
        if (!FDC) return;
        ReleaseHandle();
        ReleaseDC(FWnd, FDC);
        FDC = nullptr;
    }

protected:
    HDC AcquireDC() override {
        FWnd = FBox.Handle();
        FDC = FWnd ? GetDC(FWnd) : nullptr;
        return FDC;
    }

private:
    TPaintBox& FBox;
    HWND FWnd = nullptr;
    HDC FDC = nullptr;
};

TPaintBox::TPaintBox(TComponent* AOwner) : TControl(AOwner), FWindowCanvas(std::make_unique<TWindowCanvas>(*this)) {}

TPaintBox::~TPaintBox() = default;

TCanvas& TPaintBox::Canvas() { return FPainting ? *FPainting : *FWindowCanvas; }

// The owner draws what the box shows now on a cleared ground: a picture
// that changes never shows parts of the one before.
void TPaintBox::Paint(TCanvas& Canvas) {
    FWindowCanvas->Release();
    EraseGround(Canvas);
    FPainting = &Canvas;
    struct Done {
        TCanvas*& Painting;
        ~Done() { Painting = nullptr; }
    } done{FPainting};
    Fire(OnPaint, this);
}

}  // namespace forms
