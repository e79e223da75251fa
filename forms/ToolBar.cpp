#include "ToolBar.h"

#include <windows.h>
#include <commctrl.h>

#include "Module.h"

namespace forms {

namespace {

// Button commands are their index in the bar plus this.
constexpr int kFirstCommand = 1;

}  // namespace

bool TToolButton::Enabled() const { return FEnabled; }

void TToolButton::SetEnabled(bool Value) {
    FEnabled = Value;
    if (FBar && FBar->Handle())
        SendMessageA(FBar->Handle(), TB_ENABLEBUTTON, FBar->IndexOf(this) + kFirstCommand, MAKELONG(Value, 0));
}

bool TToolButton::Down() const { return FDown; }

void TToolButton::SetDown(bool Value) {
    if (Value && Style == tbsGroup && FBar)
        for (TToolButton* other : FBar->FButtons)
            if (other != this && other->Style == tbsGroup) other->FDown = false;
    FDown = Value;
    if (FBar && FBar->Handle())
        for (TToolButton* b : FBar->FButtons)
            SendMessageA(FBar->Handle(), TB_CHECKBUTTON, FBar->IndexOf(b) + kFirstCommand, MAKELONG(b->FDown, 0));
}

void TToolButton::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    if (FBar && FBar->Handle()) {
        SendMessageA(FBar->Handle(), TB_HIDEBUTTON, FBar->IndexOf(this) + kFirstCommand, MAKELONG(!Value, 0));
        FBar->PlaceControls();
    }
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    UseCommonControls(ICC_BAR_CLASSES);
}

void TToolBar::GetCreateParams(CreateParams& Params) {
    Params.ClassName = TOOLBARCLASSNAMEA;
    // Laid out by its parent; its hints are the layer's own.
    Params.Style |= TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (Wrapable ? TBSTYLE_WRAPABLE : 0);
}

void TToolBar::HandleCreated() {
    SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    Rebuild();
}

int TToolBar::IndexOf(const TToolButton* Button) const {
    for (size_t i = 0; i < FButtons.size(); ++i)
        if (FButtons[i] == Button) return static_cast<int>(i);
    return -1;
}

void TToolBar::Add(TToolButton* Button) {
    Button->FBar = this;
    FButtons.push_back(Button);
    Rebuild();
}

// The bar's buttons and pictures, made again from the list.
void TToolBar::Rebuild() {
    if (!Handle()) return;
    while (SendMessageA(Handle(), TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(Handle(), TB_DELETEBUTTON, 0, 0);
    if (Images) {
        SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images->SystemList()));
        // The system's own greying turns every pixel that is not white into
        // one shadow colour: a glyph of dark and light parts would be a
        // plain grey square.
        SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(Images->DisabledSystemList()));
    }
    if (ButtonWidth > 0 && ButtonHeight > 0) SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELONG(ButtonWidth, ButtonHeight));
    for (size_t i = 0; i < FButtons.size(); ++i) {
        const TToolButton* b = FButtons[i];
        TBBUTTON tb = {};
        // A separator's "picture" is its width.
        tb.iBitmap = b->Style != tbsSeparator ? b->ImageIndex : b->Control ? b->Control->Width() : 6;
        tb.idCommand = static_cast<int>(i) + kFirstCommand;
        tb.fsState = static_cast<BYTE>((b->FEnabled ? TBSTATE_ENABLED : 0) | (b->FDown ? TBSTATE_CHECKED : 0) |
                                       (b->FVisible ? 0 : TBSTATE_HIDDEN) | (b->Wrap ? TBSTATE_WRAP : 0));
        switch (b->Style) {
        case tbsCheck: tb.fsStyle = TBSTYLE_CHECK; break;
        case tbsGroup: tb.fsStyle = TBSTYLE_CHECK; break;  // the layer keeps the group exclusive
        case tbsDropDown: tb.fsStyle = TBSTYLE_DROPDOWN; break;
        case tbsSeparator: tb.fsStyle = TBSTYLE_SEP; break;
        default: tb.fsStyle = TBSTYLE_BUTTON; break;
        }
        SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    PlaceControls();
}

void TToolBar::PlaceControls() {
    for (size_t i = 0; i < FButtons.size(); ++i) {
        TControl* c = FButtons[i]->Control;
        if (!c) continue;
        if (c->Parent() != this) c->SetParent(this);
        RECT r = {};
        SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        c->SetBounds(r.left, (ClientHeight() - c->Height()) / 2, c->Width(), c->Height());
        c->SetVisible(FButtons[i]->FVisible);
    }
}

std::string TToolBar::HintAt(POINT ClientPos) const {
    if (!Handle()) return Hint;
    const int index = static_cast<int>(SendMessageA(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&ClientPos)));
    if (index >= 0 && index < static_cast<int>(FButtons.size()) && FButtons[static_cast<size_t>(index)]->Style != tbsSeparator)
        return FButtons[static_cast<size_t>(index)]->Hint;
    return Hint;
}

RECT TToolBar::ButtonRect(const TToolButton* Button) const {
    RECT r = {0, 0, 0, 0};
    const int index = IndexOf(Button);
    if (Handle() && index >= 0) {
        SendMessageA(Handle(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void TToolBar::ButtonClicked(int Command) {
    const int index = Command - kFirstCommand;
    if (index < 0 || index >= static_cast<int>(FButtons.size())) return;
    TToolButton* b = FButtons[static_cast<size_t>(index)];
    if (!b->FEnabled) return;
    if (b->Style == tbsCheck) b->SetDown(!b->FDown);
    if (b->Style == tbsGroup) b->SetDown(true);
    Fire(b->OnClick, b);
}

void TToolBar::DropDown(int Command) {
    const int index = Command - kFirstCommand;
    if (index < 0 || index >= static_cast<int>(FButtons.size())) return;
    TToolButton* b = FButtons[static_cast<size_t>(index)];
    if (!b->DropdownMenu || !b->FEnabled) return;
    const RECT r = ButtonRect(b);
    b->DropdownMenu->Popup(r.left, r.bottom);
}

void TToolBar::Command(WORD Id, WORD) { ButtonClicked(Id); }

LRESULT TToolBar::NotifyMessage(NMHDR& Header) {
    if (Header.code != TBN_DROPDOWN) return 0;
    DropDown(reinterpret_cast<NMTOOLBARA&>(Header).iItem);
    return TBDDRET_DEFAULT;
}

}  // namespace forms
