#include "CheckListBox.h"

#include <windowsx.h>

namespace forms {

namespace {

// The check box's square, and the part of the item it takes with its margins.
constexpr int BoxSize = 13;
constexpr int BoxWidth = BoxSize + 4;

}  // namespace

void TCheckListBox::GetCreateParams(CreateParams& Params) {
    TListBox::GetCreateParams(Params);
    if (Sorted) Params.Style |= LBS_SORT;
}

bool TCheckListBox::Checked(int Index) const {
    // A wrong index gives LB_ERR, which is no check.
    return Handle() && SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(Index), 0) > 0;
}

// The check is the item's data in the window, so that it moves with the
// item when a sorted list puts others before it.
void TCheckListBox::SetChecked(int Index, bool Value) {
    if (!Handle() || SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(Index), Value) == LB_ERR)
        throw Exception("Cannot check item " + std::to_string(Index) + " of the list");
    RECT r;
    if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(Handle(), &r, FALSE);
}

void TCheckListBox::ToggleCheck(int Index) {
    SetChecked(Index, !Checked(Index));
    Fire(OnClickCheck, this);
}

int TCheckListBox::BoxAt(LPARAM Pos) const {
    // The nearest item, which may lie above the point when the point is
    // below the last item: the item's own rectangle decides.
    const auto index = static_cast<WPARAM>(LOWORD(SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, Pos)));
    RECT r;
    if (SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR) return -1;
    r.right = r.left + BoxWidth;
    return PtInRect(&r, POINT{GET_X_LPARAM(Pos), GET_Y_LPARAM(Pos)}) ? static_cast<int>(index) : -1;
}

LRESULT TCheckListBox::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A press selects the item as on any list; on its box it toggles
        // the check as well, each press of a double click once.
        const LRESULT result = TListBox::WndProc(Msg, WParam, LParam);
        if (const int index = BoxAt(LParam); index >= 0) ToggleCheck(index);
        return result;
    }
    case WM_CHAR:
        // The space bar toggles the chosen item's check, where the system's
        // list would look for an item that begins with a blank.
        if (WParam == ' ') {
            if (ItemIndex() >= 0) ToggleCheck(ItemIndex());
            return 0;
        }
        break;
    default:
        break;
    }
    return TListBox::WndProc(Msg, WParam, LParam);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& Draw) {
    // The item is drawn as on any list, right of its box; the box stays on
    // the list's colour when the item is selected.
    DRAWITEMSTRUCT rest = Draw;
    rest.rcItem.left += BoxWidth;
    DrawListItem(this, rest, Items(), OnDrawItem, Color());
    if (static_cast<int>(Draw.itemID) < 0) return;  // the focus of an empty list
    RECT area = Draw.rcItem;
    area.right = rest.rcItem.left;
    FillRect(Draw.hDC, &area, ColorBrush());
    const int top = (area.top + area.bottom - BoxSize) / 2;
    RECT box = {area.left + 2, top, area.left + 2 + BoxSize, top + BoxSize};
    UINT state = DFCS_BUTTONCHECK;
    if (Draw.itemData) state |= DFCS_CHECKED;
    if (Draw.itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
    DrawFrameControl(Draw.hDC, &box, DFC_BUTTON, state);
}

}  // namespace forms
