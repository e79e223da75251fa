// Hot-key fields: the system's hot-key control, in which the user presses
// the key combination that is to become a shortcut. The keys that the form
// takes first (Tab, Enter, Escape, the shortcuts of its menu bar, Alt and
// an underlined letter of its controls) do not reach the field.
#pragma once
#include "Controls.h"
#include "Menus.h"

namespace forms {

class THotKey : public TWinControl {
public:
    explicit THotKey(TComponent* AOwner);
    // The combination shown, as a shortcut (0: none).
    TShortCut HotKey() const;
    void SetHotKey(TShortCut Value);
    // The combinations of modifiers (HKCOMB_ flags) that the field does not
    // take, and the modifiers (scShift, scCtrl, scAlt) that replace them.
    void SetRules(UINT InvalidCombinations, TShortCut Modifiers);
    bool Focusable() const override { return true; }
    // The user changed the combination.
    TNotifyEvent OnChange;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    bool FNotified = false;
    TShortCut FHotKey = 0;
    UINT FInvalidCombinations = 0;
    TShortCut FModifiers = 0;
};

}  // namespace forms
