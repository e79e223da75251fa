// Lists whose items carry check boxes that the user ticks.
#pragma once
#include "ListBox.h"

namespace forms {

// A list whose items each have a check box at their left. A click on the box
// or the space bar toggles the item's check; OnDrawItem draws the rest of
// the item, to the right of the box.
class TCheckListBox : public TListBox {
public:
    using TListBox::TListBox;
    // Set before the window is made: the list keeps its items sorted.
    bool Sorted = false;
    // The checks belong to the items of the window, so there are none
    // before it exists; they stay with their items wherever a sorted list
    // moves them.
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);
    // The user checked or unchecked an item.
    TNotifyEvent OnClickCheck;

protected:
    void GetCreateParams(CreateParams& Params) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void DrawItem(const DRAWITEMSTRUCT& Draw) override;

private:
    // The item whose check box is at a point of the client area, or -1.
    int BoxAt(LPARAM Pos) const;
    void ToggleCheck(int Index);
};

}  // namespace forms
