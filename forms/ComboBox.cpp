#include "ComboBox.h"

namespace forms {

TOwnerDrawList::TOwnerDrawList(TComponent* AOwner, const ListMessages& Messages)
    : TWinControl(AOwner), FMessages(Messages) {
    TabStop = true;
}

// The list paints anew when its messages come to it: an item's drawing may
// set the colour, and a paint of its own inside that one would draw the
// items again from within.
void TOwnerDrawList::SetColor(TColor Value) {
    if (Value == FBrush.Color()) return;
    FBrush.SetColor(Value);
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
    if (HWND list = ListHandle(); list && list != Handle()) InvalidateRect(list, nullptr, TRUE);
}

// The background of the list, and of a drop-down's closed box.
HBRUSH TOwnerDrawList::ControlColors(HDC DC) {
    SetTextColor(DC, ColorToRGB(Font.Color()));
    SetBkColor(DC, ColorToRGB(FBrush.Color()));
    return ColorBrush();
}

void TOwnerDrawList::SetItems(const std::vector<std::string>& Value) {
    if (!Handle()) {
        FItems = Value;
        return;
    }
    const std::vector<std::string> items = Value;  // Value may be FItems itself
    SendMessageA(Handle(), FMessages.ResetContent, 0, 0);
    FItems.clear();
    for (const std::string& item : items) Add(item);
    SendMessageA(Handle(), FMessages.SetCurSel, static_cast<WPARAM>(FItemIndex), 0);
}

int TOwnerDrawList::Add(const std::string& Item) {
    if (!Handle()) {
        FItems.push_back(Item);
        return static_cast<int>(FItems.size()) - 1;
    }
    // The system's list says where the item went (its place in a sorted
    // list), so that the items here stay in the order it shows.
    const LRESULT index = SendMessageA(Handle(), FMessages.AddString, 0, reinterpret_cast<LPARAM>(Item.c_str()));
    if (index < 0) throw Exception("Out of memory adding \"" + Item + "\" to a list");
    FItems.insert(FItems.begin() + index, Item);
    return static_cast<int>(index);
}

void TOwnerDrawList::Delete(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return;
    if (Handle()) SendMessageA(Handle(), FMessages.DeleteString, static_cast<WPARAM>(Index), 0);
    FItems.erase(FItems.begin() + Index);
    FItemIndex = Handle() ? ItemIndex() : (FItemIndex == Index ? -1 : FItemIndex - (FItemIndex > Index ? 1 : 0));
}

int TOwnerDrawList::ItemIndex() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), FMessages.GetCurSel, 0, 0)) : FItemIndex;
}

void TOwnerDrawList::SetItemIndex(int Value) {
    FItemIndex = Value;
    if (Handle()) SendMessageA(Handle(), FMessages.SetCurSel, static_cast<WPARAM>(Value), 0);
}

void TOwnerDrawList::SelectionChanged() { FItemIndex = ItemIndex(); }

void TOwnerDrawList::MeasureItem(MEASUREITEMSTRUCT& Measure) { Measure.itemHeight = static_cast<UINT>(ItemHeight); }

void TOwnerDrawList::DrawItem(const DRAWITEMSTRUCT& Draw) {
    DrawListItem(this, Draw, FItems, OnDrawItem, FBrush.Color());
}

TComboBox::TComboBox(TComponent* AOwner)
    : TOwnerDrawList(AOwner, {CB_RESETCONTENT, CB_ADDSTRING, CB_DELETESTRING, CB_SETCURSEL, CB_GETCURSEL}) {}

void TComboBox::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "COMBOBOX";
    Params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                    (Sorted ? CBS_SORT : 0);
}

void TComboBox::HandleCreated() {
    SetItems(Items());
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, ItemHeight);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight);
    // The height of a drop-down list is the box's height with the list open.
    SetBounds(Left(), Top(), Width(), (ItemHeight + 6) + ItemHeight * DropDownCount + 4);
}

HWND TComboBox::ListHandle() const {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return Handle() && GetComboBoxInfo(Handle(), &info) ? info.hwndList : nullptr;
}

LRESULT TComboBox::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    // The drop-down list part asks the box itself for its colours.
    if (Msg == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(LParam) == ListHandle())
        return reinterpret_cast<LRESULT>(ControlColors(reinterpret_cast<HDC>(WParam)));
    return TOwnerDrawList::WndProc(Msg, WParam, LParam);
}

void TComboBox::Apply(const ControlDesc& Desc) {
    TOwnerDrawList::Apply(Desc);
    OnChange = Desc.OnChange;
}

bool TComboBox::DroppedDown() const { return Handle() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::Notify(WORD Code) {
    if (Code == CBN_SELCHANGE) {
        SelectionChanged();
        Fire(OnChange, this);
    }
}

void DrawListItem(TWinControl* Sender, const DRAWITEMSTRUCT& Draw, const std::vector<std::string>& Items,
                  const TDrawItemEvent& Event, TColor Color) {
    const bool selected = (Draw.itemState & ODS_SELECTED) != 0;
    TDCCanvas canvas(Draw.hDC);
    canvas.Font.Assign(Sender->Font);
    canvas.Font.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    canvas.Brush.SetColor(selected ? clSystemColor | COLOR_HIGHLIGHT : Color);
    canvas.FillRect(Draw.rcItem);
    const int index = static_cast<int>(Draw.itemID);
    if (Event) {
        Event(Sender, canvas, index, Draw.rcItem, Draw.itemState);
    } else if (index >= 0 && index < static_cast<int>(Items.size())) {
        RECT r = Draw.rcItem;
        r.left += 2;
        canvas.Brush.SetClear(true);
        DrawTextA(canvas.Handle(), Items[static_cast<size_t>(index)].c_str(), -1, &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (Draw.itemState & ODS_FOCUS) DrawFocusRect(Draw.hDC, &Draw.rcItem);
}

}  // namespace forms
