// A status bar of panels: the system's status bar control, laid out by its
// parent like any aligned control.
#pragma once
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

struct TStatusPanel {
    int Width = 50;  // the last panel takes the rest of the bar
    std::string Text;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    const std::vector<TStatusPanel>& Panels() const { return FPanels; }
    void SetPanels(const std::vector<TStatusPanel>& Value);
    void SetPanelText(size_t Index, const std::string& Text);
    // The text a panel shows, read back from the bar.
    std::string PanelText(size_t Index) const;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    void UpdateParts();
    std::vector<TStatusPanel> FPanels;
};

}  // namespace forms
