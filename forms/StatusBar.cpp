#include "StatusBar.h"

#include <windows.h>
#include <commctrl.h>

#include "Module.h"

namespace forms {

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    UseCommonControls(ICC_BAR_CLASSES);
    SetAlign(alBottom);
}

void TStatusBar::GetCreateParams(CreateParams& Params) {
    Params.ClassName = STATUSCLASSNAMEA;
    // The parent lays the bar out; it neither moves nor sizes itself.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

void TStatusBar::HandleCreated() { UpdateParts(); }

void TStatusBar::SetPanels(const std::vector<TStatusPanel>& Value) {
    FPanels = Value;
    UpdateParts();
}

void TStatusBar::SetPanelText(size_t Index, const std::string& Text) {
    if (Index >= FPanels.size()) return;
    FPanels[Index].Text = Text;
    if (Handle()) SendMessageA(Handle(), SB_SETTEXTA, Index, reinterpret_cast<LPARAM>(Text.c_str()));
}

std::string TStatusBar::PanelText(size_t Index) const {
    if (!Handle()) return Index < FPanels.size() ? FPanels[Index].Text : "";
    const int length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, Index, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), SB_GETTEXTA, Index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TStatusBar::UpdateParts() {
    if (!Handle() || FPanels.empty()) return;
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < FPanels.size(); ++i) {
        right += FPanels[i].Width;
        edges.push_back(i + 1 == FPanels.size() ? -1 : right);
    }
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < FPanels.size(); ++i)
        SendMessageA(Handle(), SB_SETTEXTA, i, reinterpret_cast<LPARAM>(FPanels[i].Text.c_str()));
}

LRESULT TStatusBar::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT r = TWinControl::WndProc(Msg, WParam, LParam);
    if (Msg == WM_SIZE) UpdateParts();
    return r;
}

}  // namespace forms
