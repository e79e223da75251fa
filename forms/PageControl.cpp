#include "PageControl.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "Module.h"

namespace forms {

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    UseCommonControls(ICC_TAB_CLASSES);
    TabStop = true;
}

TPageControl::~TPageControl() {
    // The pages may outlive the control; they no longer belong to it.
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::GetCreateParams(CreateParams& Params) {
    Params.ClassName = WC_TABCONTROLA;
    // The pages are child windows, which the control must not paint over.
    Params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

TTabSheet* TPageControl::Pages(int Index) const {
    return Index >= 0 && Index < PageCount() ? FPages[static_cast<size_t>(Index)] : nullptr;
}

int TPageControl::IndexOf(const TTabSheet* Page) const {
    const auto it = std::find(FPages.begin(), FPages.end(), Page);
    return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

void TPageControl::InsertPage(TTabSheet* Page) {
    if (IndexOf(Page) >= 0) return;
    FPages.push_back(Page);
    std::string text = Page->Caption();
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageA(Handle(), TCM_INSERTITEMA, FPages.size() - 1, reinterpret_cast<LPARAM>(&item));
    AlignControls();
    if (!FActivePage)
        SetActivePage(Page);
    else
        Page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* Page) {
    const int index = IndexOf(Page);
    if (index < 0) return;
    FPages.erase(FPages.begin() + index);
    if (Handle()) SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (FActivePage == Page) {
        FActivePage = nullptr;
        SetActivePage(Pages(std::min(index, PageCount() - 1)));
    }
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    const int index = IndexOf(Value);
    if (Value && index < 0) return;
    FActivePage = Value;
    if (Value) {
        Value->SetVisible(true);
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // A control on a page going out of sight hands the focus to the tabs.
    const HWND focus = GetFocus();
    for (TTabSheet* page : FPages) {
        if (page == Value) continue;
        if (focus && IsChild(page->Handle(), focus) && CanFocus()) SetFocus();
        page->SetVisible(false);
    }
}

void TPageControl::SelectNextPage(bool Forward) {
    const int n = PageCount();
    if (n == 0) return;
    SetActivePage(Pages((IndexOf(FActivePage) + (Forward ? 1 : n - 1)) % n));
    Fire(OnChange, this);
}

RECT TPageControl::AlignControls() {
    RECT r = {0, 0, 0, 0};
    if (!Handle()) return r;
    GetClientRect(Handle(), &r);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (TTabSheet* page : FPages) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return r;
}

LRESULT TPageControl::NotifyMessage(NMHDR& Header) {
    if (Header.code == TCN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
        if (TTabSheet* page = Pages(index)) {
            SetActivePage(page);
            Fire(OnChange, this);
        }
    }
    return 0;
}

TTabSheet::~TTabSheet() {
    if (TPageControl* owner = PageControl()) owner->RemovePage(this);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::HandleCreated() {
    if (TPageControl* owner = PageControl()) owner->InsertPage(this);
}

}  // namespace forms
