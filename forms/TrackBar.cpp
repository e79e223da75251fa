#include "TrackBar.h"

#include <commctrl.h>

#include <algorithm>

#include "Module.h"

namespace forms {

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    TabStop = true;
    UseCommonControls(ICC_BAR_CLASSES);
}

void TTrackBar::GetCreateParams(CreateParams& Params) {
    Params.ClassName = TRACKBAR_CLASSA;
    Params.Style |= TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS;
}

void TTrackBar::HandleCreated() {
    // The range goes in two messages: TBM_SETRANGE packs both ends into
    // 16-bit halves, which would lose a negative Min.
    SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageA(Handle(), TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageA(Handle(), TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetRange(int AMin, int AMax) {
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    if (Handle()) {
        SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
        SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, FMax);
        // The ticks are laid out again for the new scale.
        SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    }
    SetPosition(FPosition);
}

void TTrackBar::SetPosition(int Value) {
    const int position = std::clamp(Value, FMin, FMax);
    if (Handle()) SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
    Changed(position);
}

void TTrackBar::SetPageSize(int Value) {
    FPageSize = std::max(1, Value);
    if (Handle()) SendMessageA(Handle(), TBM_SETPAGESIZE, 0, FPageSize);
}

void TTrackBar::SetFrequency(int Value) {
    FFrequency = std::max(1, Value);
    if (Handle()) SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
}

void TTrackBar::Scrolled(WORD) { Changed(static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0))); }

void TTrackBar::Changed(int Value) {
    if (Value == FPosition) return;
    FPosition = Value;
    Fire(OnChange, this);
}

}  // namespace forms
