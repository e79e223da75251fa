#include "HotKey.h"

#include <commctrl.h>

#include "Module.h"

namespace forms {

namespace {

// The control's HOTKEYF_ modifiers and the shortcut's high byte.
BYTE ToControlModifiers(TShortCut Modifiers) {
    return static_cast<BYTE>(((Modifiers & scShift) ? HOTKEYF_SHIFT : 0) |
                             ((Modifiers & scCtrl) ? HOTKEYF_CONTROL : 0) | ((Modifiers & scAlt) ? HOTKEYF_ALT : 0));
}

TShortCut FromControlModifiers(BYTE Modifiers) {
    return static_cast<TShortCut>(((Modifiers & HOTKEYF_SHIFT) ? scShift : 0) |
                                  ((Modifiers & HOTKEYF_CONTROL) ? scCtrl : 0) |
                                  ((Modifiers & HOTKEYF_ALT) ? scAlt : 0));
}

// The keys of the extended part of the keyboard (Insert, Delete, Home, End,
// the page keys and the arrows), which the control names by their flag.
bool ExtendedKey(BYTE Key) { return Key >= VK_PRIOR && Key <= VK_HELP; }

}  // namespace

THotKey::THotKey(TComponent* AOwner) : TWinControl(AOwner) {
    TabStop = true;
    UseCommonControls(ICC_HOTKEY_CLASS);
}

void THotKey::GetCreateParams(CreateParams& Params) {
    Params.ClassName = HOTKEY_CLASSA;
    Params.Style |= WS_TABSTOP;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::HandleCreated() {
    if (FInvalidCombinations || FModifiers) SetRules(FInvalidCombinations, FModifiers);
    SetHotKey(FHotKey);
}

TShortCut THotKey::HotKey() const {
    if (!Handle()) return FHotKey;
    const auto value = static_cast<WORD>(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0));
    return static_cast<TShortCut>(LOBYTE(value) | FromControlModifiers(HIBYTE(value)));
}

void THotKey::SetHotKey(TShortCut Value) {
    FHotKey = Value;
    if (!Handle()) return;
    const BYTE key = LOBYTE(Value);
    const BYTE modifiers = ToControlModifiers(Value) | (ExtendedKey(key) ? HOTKEYF_EXT : 0);
    SendMessageA(Handle(), HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
}

void THotKey::SetRules(UINT InvalidCombinations, TShortCut Modifiers) {
    FInvalidCombinations = InvalidCombinations;
    FModifiers = Modifiers;
    if (Handle())
        SendMessageA(Handle(), HKM_SETRULES, InvalidCombinations, MAKELPARAM(ToControlModifiers(Modifiers), 0));
}

void THotKey::Notify(WORD Code) {
    if (Code != EN_CHANGE) return;
    FNotified = true;
    Fire(OnChange, this);
}

LRESULT THotKey::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_CHAR:
    case WM_SYSCHAR:
        // The key press before the character has set the combination. Wine's
        // control takes the character for a second press, of the key that
        // its scan code maps back to, and a key without a scan code (input
        // made by a program) becomes VK_VOLUME_MUTE. The system's default
        // for a character with Alt would look for a menu to open.
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // Backspace, Delete and Space clear the field without a
        // notification: a change by a key is reported all the same.
        const TShortCut before = HotKey();
        FNotified = false;
        const LRESULT result = TWinControl::WndProc(Msg, WParam, LParam);
        if (!FNotified && HotKey() != before) Fire(OnChange, this);
        return result;
    }
    default:
        return TWinControl::WndProc(Msg, WParam, LParam);
    }
}

}  // namespace forms
