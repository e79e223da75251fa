#include "ScrollBar.h"

#include <algorithm>

namespace forms {

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {}

void TScrollBar::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "SCROLLBAR";
    Params.Style |= Kind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::HandleCreated() { Update(); }

int TScrollBar::Highest() const { return FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax; }

void TScrollBar::SetParams(int APosition, int AMin, int AMax, int APageSize) {
    const int oldMin = FMin, oldMax = FMax, oldPage = FPageSize;
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    FPageSize = std::max(0, APageSize);
    const int position = std::clamp(APosition, FMin, Highest());
    const bool changed = position != FPosition;
    FPosition = position;
    // Setting the bar redraws it at once: a layout that leaves it as it
    // was costs no drawing.
    if (changed || FMin != oldMin || FMax != oldMax || FPageSize != oldPage) Update();
    if (changed) Fire(OnChange, this);
}

int TScrollBar::ScrollPicture(bool Needed, int Extent, int ViewLength) {
    if (!Needed) {
        SetPosition(0);
        SetEnabled(false);
        return 0;
    }
    SetEnabled(true);
    const int page = ViewLength + 1;
    SetParams(FPosition, 0, Extent, page);  // the position stays within Extent - ViewLength
    LargeChange = page - 20;
    return -FPosition;
}

void TScrollBar::Update() {
    if (!Handle()) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMin = FMin;
    si.nMax = FMax;
    si.nPage = static_cast<UINT>(FPageSize);
    si.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::Scrolled(WORD Code) {
    int pos = FPosition;
    switch (Code) {
    case SB_LINEUP: pos -= SmallChange; break;
    case SB_LINEDOWN: pos += SmallChange; break;
    case SB_PAGEUP: pos -= LargeChange; break;
    case SB_PAGEDOWN: pos += LargeChange; break;
    case SB_TOP: pos = FMin; break;
    case SB_BOTTOM: pos = Highest(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &si);
        pos = si.nTrackPos;
        break;
    }
    default: return;  // the end of a scroll changes nothing
    }
    pos = std::clamp(pos, FMin, Highest());
    if (OnScroll) OnScroll(this, Code, pos);
    SetPosition(pos);
}

}  // namespace forms
