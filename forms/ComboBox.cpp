#include "ComboBox.h"

namespace forms {

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }

void TComboBox::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "COMBOBOX";
    Params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TComboBox::HandleCreated() {
    SetItems(FItems);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, ItemHeight);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight);
    // The height of a drop-down list is the box's height with the list open.
    SetBounds(Left(), Top(), Width(), (ItemHeight + 6) + ItemHeight * DropDownCount + 4);
}

void TComboBox::SetItems(const std::vector<std::string>& Value) {
    FItems = Value;
    if (!Handle()) return;
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : FItems) SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

int TComboBox::ItemIndex() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : FItemIndex;
}

void TComboBox::SetItemIndex(int Value) {
    FItemIndex = Value;
    if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

bool TComboBox::DroppedDown() const { return Handle() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::Notify(WORD Code) {
    if (Code == CBN_SELCHANGE) {
        FItemIndex = ItemIndex();
        Fire(OnChange, this);
    }
}

void TComboBox::MeasureItem(MEASUREITEMSTRUCT& Measure) { Measure.itemHeight = static_cast<UINT>(ItemHeight); }

void TComboBox::DrawItem(const DRAWITEMSTRUCT& Draw) {
    const bool selected = (Draw.itemState & ODS_SELECTED) != 0;
    TDCCanvas canvas(Draw.hDC);
    canvas.Font.Assign(Font);
    canvas.Font.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    canvas.Brush.SetColor(clSystemColor | (selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    canvas.FillRect(Draw.rcItem);
    const int index = static_cast<int>(Draw.itemID);
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, Draw.rcItem, selected);
    } else if (index >= 0 && index < static_cast<int>(FItems.size())) {
        RECT r = Draw.rcItem;
        r.left += 2;
        canvas.Brush.SetClear(true);
        DrawTextA(canvas.Handle(), FItems[static_cast<size_t>(index)].c_str(), -1, &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (Draw.itemState & ODS_FOCUS) DrawFocusRect(Draw.hDC, &Draw.rcItem);
}

}  // namespace forms
