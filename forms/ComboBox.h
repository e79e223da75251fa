// Drop-down lists whose items the owner draws.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace forms {

// Draws one item of an owner-drawn list: State holds the ODS_ flags
// (selected, disabled, focus). The canvas comes with the item's colours and
// its rectangle already filled.
using TDrawItemEvent =
    std::function<void(TWinControl* Sender, TCanvas& Canvas, int Index, const RECT& Rect, UINT State)>;

// The drawing that owner-drawn lists share: colours (Color behind the
// items that are not selected), the event or the item's text, the focus
// frame.
void DrawListItem(TWinControl* Sender, const DRAWITEMSTRUCT& Draw, const std::vector<std::string>& Items,
                  const TDrawItemEvent& Event, TColor Color = clWindow);

// What the owner-drawn lists share: their items, the chosen one and the
// drawing; each kind names the messages of its system control.
class TOwnerDrawList : public TWinControl {
public:
    // The items in the order the list shows them (a sorted list sorts them
    // once it has its window).
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Value);
    // Adds an item where the list puts it; returns its index.
    int Add(const std::string& Item);
    // Removes the item at Index; the chosen item goes with it (none is
    // chosen then). An index outside the items does nothing.
    void Delete(int Index);
    int ItemIndex() const;
    // Chooses an item from the program; the events are for the user's choices.
    void SetItemIndex(int Value);
    int ItemHeight = 16;
    // The list keeps its items in the system's sorted order; set before the
    // list has its window.
    bool Sorted = false;
    // The list's background and that of the items that are not selected.
    TColor Color() const { return FBrush.Color(); }
    void SetColor(TColor Value);
    bool Focusable() const override { return true; }
    // Draws an item; without it the item's text is drawn.
    TDrawItemEvent OnDrawItem;

protected:
    struct ListMessages {
        UINT ResetContent, AddString, DeleteString, SetCurSel, GetCurSel;
    };
    TOwnerDrawList(TComponent* AOwner, const ListMessages& Messages);
    void MeasureItem(MEASUREITEMSTRUCT& Measure) override;
    void DrawItem(const DRAWITEMSTRUCT& Draw) override;
    HBRUSH ControlColors(HDC DC) override;
    // The brush of Color.
    HBRUSH ColorBrush() { return FBrush.Handle(); }
    // The window that shows the items: the list itself, or a drop-down's
    // list part.
    virtual HWND ListHandle() const { return Handle(); }
    // The user chose another item.
    void SelectionChanged();

private:
    TColorBrush FBrush{clWindow};
    ListMessages FMessages;
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};

class TComboBox : public TOwnerDrawList {
public:
    explicit TComboBox(TComponent* AOwner);
    int DropDownCount = 8;
    bool DroppedDown() const;
    // The closed box draws the chosen item too.
    TNotifyEvent OnChange;
    void Apply(const ControlDesc& Desc) override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    HWND ListHandle() const override;
};

}  // namespace forms
