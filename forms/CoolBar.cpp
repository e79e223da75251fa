#include "CoolBar.h"

#include <windows.h>
#include <commctrl.h>

#include "Module.h"

namespace forms {

TCoolBar::TCoolBar(TComponent* AOwner) : TWinControl(AOwner) {
    UseCommonControls(ICC_COOL_CLASSES | ICC_BAR_CLASSES);
}

void TCoolBar::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    TabStop = false;
}

void TCoolBar::GetCreateParams(CreateParams& Params) {
    Params.ClassName = REBARCLASSNAMEA;
    // Laid out by its parent, which it tells when its height changes.
    Params.Style |= RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
                    WS_CLIPCHILDREN | (Vertical ? CCS_VERT : 0);
}

void TCoolBar::AddBand(const TCoolBand& Band) {
    if (!Handle()) throw Exception("The cool bar " + Name() + " has no window yet");
    REBARBANDINFOA rb = {};
    rb.cbSize = sizeof rb;
    rb.fMask = RBBIM_TEXT | RBBIM_STYLE | RBBIM_SIZE | RBBIM_CHILDSIZE | (Band.Control ? RBBIM_CHILD : 0);
    rb.fStyle = RBBS_GRIPPERALWAYS | (Band.Break ? RBBS_BREAK : 0) | (Band.Visible ? 0 : RBBS_HIDDEN) |
                (Band.ChildEdge ? RBBS_CHILDEDGE : 0) | (ShowText ? 0 : RBBS_HIDETITLE);
    std::string text = Band.Text;
    rb.lpText = text.data();
    rb.cx = static_cast<UINT>(Band.Width);
    rb.cyMinChild = static_cast<UINT>(Band.MinHeight);
    rb.cxMinChild = 0;
    if (Band.Control) {
        if (Band.Control->Parent() != this) Band.Control->SetParent(this);
        rb.hwndChild = Band.Control->Handle();
    }
    SendMessageA(Handle(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&rb));
    FitHeight();
}

int TCoolBar::BandCount() const {
    return Handle() ? static_cast<int>(SendMessageA(Handle(), RB_GETBANDCOUNT, 0, 0)) : 0;
}

TCoolBand TCoolBar::Band(int Index) const {
    TCoolBand band;
    char text[256] = {};
    REBARBANDINFOA rb = {};
    rb.cbSize = sizeof rb;
    rb.fMask = RBBIM_TEXT | RBBIM_STYLE | RBBIM_SIZE | RBBIM_CHILD | RBBIM_CHILDSIZE;
    rb.lpText = text;
    rb.cch = sizeof text;
    if (!Handle() || !SendMessageA(Handle(), RB_GETBANDINFOA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&rb)))
        return band;
    band.Text = text;
    band.Width = static_cast<int>(rb.cx);
    band.Break = (rb.fStyle & RBBS_BREAK) != 0;
    band.Visible = (rb.fStyle & RBBS_HIDDEN) == 0;
    band.ChildEdge = (rb.fStyle & RBBS_CHILDEDGE) != 0;
    band.MinHeight = static_cast<int>(rb.cyMinChild);
    band.Control = FromHandle(rb.hwndChild);
    return band;
}

int TCoolBar::FindBand(const std::string& Text) const {
    for (int i = 0, n = BandCount(); i < n; ++i)
        if (Band(i).Text == Text) return i;
    return -1;
}

void TCoolBar::MoveBand(int From, int To) {
    if (Handle()) SendMessageA(Handle(), RB_MOVEBAND, static_cast<WPARAM>(From), static_cast<LPARAM>(To));
    FitHeight();
}

void TCoolBar::SetBandLayout(int Index, int Width, bool Break) {
    if (!Handle()) return;
    REBARBANDINFOA rb = {};
    rb.cbSize = sizeof rb;
    rb.fMask = RBBIM_STYLE;
    SendMessageA(Handle(), RB_GETBANDINFOA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&rb));
    rb.fMask = RBBIM_STYLE | RBBIM_SIZE;
    rb.fStyle = Break ? (rb.fStyle | RBBS_BREAK) : (rb.fStyle & ~static_cast<UINT>(RBBS_BREAK));
    rb.cx = static_cast<UINT>(Width);
    SendMessageA(Handle(), RB_SETBANDINFOA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&rb));
    FitHeight();
}

void TCoolBar::SetBandVisible(int Index, bool Visible) {
    if (!Handle()) return;
    SendMessageA(Handle(), RB_SHOWBAND, static_cast<WPARAM>(Index), Visible);
    FitHeight();
}

// A horizontal bar is as high as its rows; its parent lays the rest out
// again. A vertical bar keeps the width it was given.
void TCoolBar::FitHeight() {
    if (!Handle() || Vertical) return;
    const int height = static_cast<int>(SendMessageA(Handle(), RB_GETBARHEIGHT, 0, 0));
    if (height <= 0 || height == Height()) return;
    SetBounds(Left(), Top(), Width(), height);
    if (Parent()) Parent()->AlignControls();
    Fire(OnResize, this);
}

LRESULT TCoolBar::NotifyMessage(NMHDR& Header) {
    if (Header.code == RBN_HEIGHTCHANGE) FitHeight();
    return 0;
}

}  // namespace forms
