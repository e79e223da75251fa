#include "ListBox.h"

namespace forms {

TListBox::TListBox(TComponent* AOwner)
    : TOwnerDrawList(AOwner, {LB_RESETCONTENT, LB_ADDSTRING, LB_DELETESTRING, LB_SETCURSEL, LB_GETCURSEL}) {}

void TListBox::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "LISTBOX";
    // The scroll bar shows only while the items do not fit.
    Params.Style |= WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                    (Sorted ? LBS_SORT : 0);
}

void TListBox::HandleCreated() {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight);
    SetItems(Items());
}

// A double click arrives as a mouse message of the list itself.
void TListBox::Notify(WORD Code) {
    if (Code == LBN_SELCHANGE) {
        SelectionChanged();
        Click();
    }
}

}  // namespace forms
