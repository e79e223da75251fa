#include "UpDown.h"

#include <commctrl.h>

#include <algorithm>

#include "Module.h"

namespace forms {

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) { UseCommonControls(ICC_UPDOWN_CLASS); }

void TUpDown::GetCreateParams(CreateParams& Params) {
    Params.ClassName = UPDOWN_CLASSA;
    Params.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | (Thousands ? 0 : UDS_NOTHOUSANDS) |
                    (Wrap ? UDS_WRAP : 0);
}

void TUpDown::HandleCreated() {
    SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SetAssociate(FAssociate);
    SetPosition(FPosition);
    SetIncrement(FIncrement);
}

void TUpDown::SetIncrement(int Value) {
    FIncrement = std::max(1, Value);
    // One step at every speed: the system's default speeds up a held arrow.
    UDACCEL accel = {0, static_cast<UINT>(FIncrement)};
    if (Handle()) SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

int TUpDown::Position() const {
    // The control reads the edit first, which may hold a number the user typed.
    return Handle() ? static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0)) : FPosition;
}

void TUpDown::SetPosition(int Value) {
    FPosition = std::clamp(Value, FMin, FMax);
    if (Handle()) SendMessageA(Handle(), UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
}

void TUpDown::SetRange(int AMin, int AMax) {
    const int position = Position();
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    if (Handle()) SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SetPosition(position);
}

void TUpDown::Scrolled(WORD Code) {
    if (Code == SB_THUMBPOSITION) Click();
}

void TUpDown::SetAssociate(TEdit* Value) {
    FAssociate = Value;
    if (Handle()) SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Value ? Value->Handle() : nullptr), 0);
}

}  // namespace forms
