// Cool bars: the system's rebar control, whose bands the user can move and
// whose layout (order, row breaks, widths) can be read back and restored.
#pragma once
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

// One band as it stands: known by its text, at its index in the bar.
struct TCoolBand {
    std::string Text;
    TControl* Control = nullptr;
    int Width = 100;
    bool Break = false;  // starts a new row
    int MinHeight = 22;
    bool Visible = true;
    bool ChildEdge = false;  // a thin edge around the band's control
};

class TCoolBar : public TWinControl {
public:
    explicit TCoolBar(TComponent* AOwner);
    // Set before the bar has its window: bands stacked from the top, rows
    // running down (the bar keeps its width), and whether the bands' texts
    // show beside their grippers.
    bool Vertical = false;
    bool ShowText = true;
    void AddBand(const TCoolBand& Band);
    int BandCount() const;
    // The band at an index, as the bar shows it now.
    TCoolBand Band(int Index) const;
    // The index of the band with that text, -1 when none has it.
    int FindBand(const std::string& Text) const;
    void MoveBand(int From, int To);
    void SetBandLayout(int Index, int Width, bool Break);
    void SetBandVisible(int Index, bool Visible);
    // Runs when the bar's height changes (a band moved to another row).
    TNotifyEvent OnResize;
    // The bar takes the focus when given it, away from the controls on its
    // bands, but Tab does not stop on it.
    bool Focusable() const override { return true; }
    void Apply(const ControlDesc& Desc) override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    LRESULT NotifyMessage(NMHDR& Header) override;

private:
    void FitHeight();
    std::vector<TCoolBand> FPending;  // bands added before the window exists
};

}  // namespace forms
