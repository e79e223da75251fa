// Page controls: the system's tab control with one tab per page. The page of
// the chosen tab fills the control's display area; the other pages hide, and
// with them their controls, which the focus then passes by.
#pragma once
#include <vector>

#include "Controls.h"

namespace forms {

class TTabSheet;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the page and selects its tab; OnChange is for the user's
    // choices only.
    void SetActivePage(TTabSheet* Value);
    // The user's turn to the next (or previous) page, round from the last to
    // the first: the page shows and OnChange runs.
    void SelectNextPage(bool Forward);
    bool Focusable() const override { return true; }
    // The user chose another tab.
    TNotifyEvent OnChange;
    // The pages take the display area.
    RECT AlignControls() override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    LRESULT NotifyMessage(NMHDR& Header) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    int IndexOf(const TTabSheet* Page) const;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

// A page of a page control: its caption is the tab's text. It joins the
// page control that is its parent, at the end.
class TTabSheet : public TWinControl {
public:
    using TWinControl::TWinControl;
    ~TTabSheet() override;
    TPageControl* PageControl() const;

protected:
    void HandleCreated() override;
};

}  // namespace forms
