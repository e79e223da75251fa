// Drop-down lists whose items the owner draws.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

class TComboBox;
using TDrawItemEvent =
    std::function<void(TComboBox* Sender, TCanvas& Canvas, int Index, const RECT& Rect, bool Selected)>;

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Value);
    int ItemIndex() const;
    // Chooses an item from the program; OnChange is for the user's choices.
    void SetItemIndex(int Value);
    int ItemHeight = 16;
    int DropDownCount = 8;
    bool DroppedDown() const;
    bool Focusable() const override { return true; }
    // Draws an item: in the list, or in the closed box (Index of the chosen
    // item). Without it the item's text is drawn.
    TDrawItemEvent OnDrawItem;
    TNotifyEvent OnChange;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
    void MeasureItem(MEASUREITEMSTRUCT& Measure) override;
    void DrawItem(const DRAWITEMSTRUCT& Draw) override;

private:
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};

}  // namespace forms
