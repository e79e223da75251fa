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
};

class TCoolBar : public TWinControl {
public:
    explicit TCoolBar(TComponent* AOwner);
    void AddBand(const TCoolBand& Band);
    int BandCount() const;
    // The band at an index, as the bar shows it now.
    TCoolBand Band(int Index) const;
    // The index of the band with that text, -1 when none has it.
    int FindBand(const std::string& Text) const;
    void MoveBand(int From, int To);
    void SetBandLayout(int Index, int Width, bool Break);
    // Runs when the bar's height changes (a band moved to another row).
    TNotifyEvent OnResize;

protected:
    void GetCreateParams(CreateParams& Params) override;
    LRESULT NotifyMessage(NMHDR& Header) override;

private:
    void FitHeight();
    std::vector<TCoolBand> FPending;  // bands added before the window exists
};

}  // namespace forms
