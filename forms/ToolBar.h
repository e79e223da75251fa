// Tool bars: the system's tool bar control with pictures from an image list,
// plain, check, grouped and drop-down buttons, and a hint per button.
#pragma once
#include <string>
#include <vector>

#include "Controls.h"
#include "Menus.h"

namespace forms {

enum TToolButtonStyle { tbsButton, tbsCheck, tbsGroup, tbsDropDown, tbsSeparator };

class TToolBar;

class TToolButton : public TComponent {
public:
    explicit TToolButton(TComponent* AOwner) : TComponent(AOwner) {}
    TToolButtonStyle Style = tbsButton;
    int ImageIndex = -1;
    std::string Hint;
    TNotifyEvent OnClick;
    // The menu that the arrow of a drop-down button opens.
    TPopupMenu* DropdownMenu = nullptr;
    bool Enabled() const;
    void SetEnabled(bool Value);
    // A check or grouped button that is pressed in; of a group, one at most.
    bool Down() const;
    void SetDown(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // A separator that holds a control: as wide as the control, which the
    // bar places on it, centred in the bar's height.
    TControl* Control = nullptr;
    // The next button starts a new line of the bar.
    bool Wrap = false;

private:
    friend class TToolBar;
    TToolBar* FBar = nullptr;
    bool FEnabled = true;
    bool FDown = false;
    bool FVisible = true;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);
    TImageList* Images = nullptr;
    // The size of every button; 0 leaves the system's size.
    int ButtonWidth = 0, ButtonHeight = 0;
    // Set before the bar has its window: buttons go on in lines, breaking
    // where a button wraps.
    bool Wrapable = false;
    // Adds a button at the end; the bar shows it at once.
    void Add(TToolButton* Button);
    // The controls on the bar have changed their widths: the bar makes room.
    void ControlsResized() { Rebuild(); }
    const std::vector<TToolButton*>& Buttons() const { return FButtons; }
    std::string HintAt(POINT ClientPos) const override;
    // The screen rectangle of a button.
    RECT ButtonRect(const TToolButton* Button) const;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Command(WORD Id, WORD Code) override;
    LRESULT NotifyMessage(NMHDR& Header) override;

private:
    friend class TToolButton;
    void Rebuild();
    void PlaceControls();
    int IndexOf(const TToolButton* Button) const;
    void ButtonClicked(int Command);
    void DropDown(int Command);
    std::vector<TToolButton*> FButtons;
};

}  // namespace forms
