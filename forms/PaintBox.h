// A paint box: a plain area that its owner paints in OnPaint, each time the
// system asks for it (uncovered, or after Invalidate or Repaint).
#pragma once
#include <memory>

#include "Controls.h"

namespace forms {

class TPaintBox : public TControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    ~TPaintBox() override;
    // Where OnPaint draws: the paint under way, or the window itself when
    // drawn on outside a paint.
    TCanvas& Canvas();
    TNotifyEvent OnPaint;

protected:
    void Paint(TCanvas& Canvas) override;

private:
    class TWindowCanvas;
    TCanvas* FPainting = nullptr;
    std::unique_ptr<TWindowCanvas> FWindowCanvas;
};

}  // namespace forms
