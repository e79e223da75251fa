#include "Forms.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "ComboBox.h"
#include "GroupBox.h"
#include "Module.h"
#include "PageControl.h"

namespace forms {

namespace {

// Posted by a focus change; the focus events run when it arrives, unless a
// SetFocus call already ran them.
constexpr UINT ZM_FOCUSEVENTS = WM_APP + 0x101;
// Posted by a close with caFree; the form is freed when it arrives, once
// the messages of the close are done with it.
constexpr UINT ZM_RELEASE = WM_APP + 0x102;

std::map<int, HCURSOR>& CursorSlots() {
    static std::map<int, HCURSOR> slots;
    return slots;
}

// The radio buttons of one parent that can take the focus, in tab order:
// one group, which the arrow keys walk.
std::vector<TRadioButton*> RadioGroup(const TRadioButton* Button) {
    std::vector<TRadioButton*> group;
    if (Button->Parent())
        for (TControl* c : Button->Parent()->TabList())
            if (auto* b = dynamic_cast<TRadioButton*>(c); b && b->CanFocus()) group.push_back(b);
    return group;
}

// A radio group is one tab stop: the focus enters it at the focused button
// while it is in the group, else at the checked one, else at the first.
bool IsGroupEntry(const TRadioButton* Button, const TControl* Focused) {
    const std::vector<TRadioButton*> group = RadioGroup(Button);
    if (std::find(group.begin(), group.end(), Focused) != group.end()) return Button == Focused;
    for (const TRadioButton* b : group)
        if (b->Checked()) return Button == b;
    return !group.empty() && Button == group.front();
}

void CollectTabStops(const TWinControl* Container, const TControl* Focused, std::vector<TControl*>& Out) {
    for (TControl* c : Container->TabList()) {
        const auto* radio = dynamic_cast<const TRadioButton*>(c);
        if (c->Focusable() && c->TabStop && (!radio || IsGroupEntry(radio, Focused))) Out.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) CollectTabStops(w, Focused, Out);
    }
}

// The first page control among the visible controls of Container.
TPageControl* FindPageControl(const TWinControl* Container) {
    for (TControl* c : Container->Controls()) {
        if (!c->Visible()) continue;
        if (auto* pages = dynamic_cast<TPageControl*>(c)) return pages;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TPageControl* pages = FindPageControl(w)) return pages;
    }
    return nullptr;
}

// Whether the focused control is a drop-down list that is open.
bool ListDroppedDown() {
    const auto* list = dynamic_cast<TComboBox*>(TControl::FromHandle(GetFocus()));
    return list && list->DroppedDown();
}

TButton* FindButton(const TWinControl* Container, bool TheDefault) {
    for (TControl* c : Container->Controls()) {
        if (!c->Visible() || !c->Enabled()) continue;
        if (auto* b = dynamic_cast<TButton*>(c))
            if (TheDefault ? b->Default() : b->Cancel) return b;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TButton* b = FindButton(w, TheDefault)) return b;
    }
    return nullptr;
}

}  // namespace

void HandleException(const std::exception* e) { ApplicationInstance().ShowException(e); }

// ---- TForm -----------------------------------------------------------------

class TForm::TFormCanvas : public TCanvas {
public:
    explicit TFormCanvas(TForm& Owner) : FOwner(Owner) {}
    ~TFormCanvas() override {
        ReleaseHandle();
        if (FDC) ::ReleaseDC(FWnd, FDC);
    }

protected:
    HDC AcquireDC() override {
        if (!FDC && FOwner.Handle()) {
            FWnd = FOwner.Handle();
            FDC = GetDC(FWnd);
        }
        return FDC;
    }

private:
    TForm& FOwner;
    HWND FWnd = nullptr;
    HDC FDC = nullptr;
};

TForm::TForm(TComponent* AOwner, TFormStyle Style) : TWinControl(AOwner), FFormStyle(Style) {
    FVisible = false;
    FWidth = 320;
    FHeight = 240;
    FLeft = CW_USEDEFAULT;
    FTop = CW_USEDEFAULT;
    CreateHandle();
    // Every window of the program shows the program's own icon.
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON")) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    FLeft = r.left;
    FTop = r.top;
}

void TForm::BeforeDestruction() {
    Fire(OnDestroy, this);
    // The active document hands the activation and the keys to the next one
    // before it goes, as in every frame of documents; the frame would
    // otherwise keep a window that is gone as its active one.
    if (FFormStyle == fsMDIChild && Handle()) {
        HWND client = GetParent(Handle());
        const bool others = GetWindow(client, GW_CHILD) != Handle() || GetWindow(Handle(), GW_HWNDNEXT);
        if (others && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == Handle())
            SendMessageA(client, WM_MDINEXT, reinterpret_cast<WPARAM>(Handle()), 0);
    }
    // Its controls go one by one now, and the messages that their going
    // sends (activation, focus) must not reach handlers that use them.
    OnActivate = nullptr;
    OnShow = nullptr;
    OnCloseQuery = nullptr;
    OnClose = nullptr;
    OnKeyPress = nullptr;
}

TForm::~TForm() {
    FCanvas.reset();
    if (Application->MainForm() == this) Application->Terminate();
}

namespace {

void FormStyles(TFormBorderStyle Border, unsigned Icons, DWORD& Style, DWORD& ExStyle) {
    Style = WS_CLIPCHILDREN;
    ExStyle = 0;
    const DWORD sys = (Icons & biSystemMenu) ? WS_SYSMENU : 0;
    const DWORD minmax = ((Icons & biMinimize) ? WS_MINIMIZEBOX : 0) | ((Icons & biMaximize) ? WS_MAXIMIZEBOX : 0);
    switch (Border) {
    case bsNone: Style |= WS_POPUP; break;
    case bsSingle: Style |= WS_CAPTION | WS_BORDER | sys | (sys ? minmax : 0); break;
    case bsSizeable: Style |= WS_CAPTION | WS_THICKFRAME | sys | (sys ? minmax : 0); break;
    case bsDialog:
        Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME | sys;
        ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        Style |= WS_CAPTION | sys;
        ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
}

}  // namespace

void TForm::GetCreateParams(CreateParams& Params) {
    Params.ClassName = OwnWindowClass("ZvForms.Form", CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    Params.OwnClass = true;
    if (FFormStyle == fsMDIChild) {
        const TForm* frame = Application->MainForm();
        if (!frame || !frame->ClientHandle()) throw Exception("A document window needs the main frame");
        Params.Style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        Params.ExStyle = WS_EX_MDICHILD;
        Params.ParentWnd = frame->ClientHandle();
        return;
    }
    FormStyles(FBorderStyle, FBorderIcons, Params.Style, Params.ExStyle);
    // Forms belong to the application window: they stay above it, and a
    // library's dialogs belong to the program that handed it its window.
    Params.ParentWnd = Application->Handle();
}

void TForm::Describe(const FormDesc& Desc) {
    SetName(Desc.Name);
    const bool document = FFormStyle == fsMDIChild;
    if (!document) {
        FFormStyle = Desc.FormStyle;
        FBorderStyle = Desc.BorderStyle;
        FBorderIcons = Desc.BorderIcons;
        DWORD style, exStyle;
        FormStyles(FBorderStyle, FBorderIcons, style, exStyle);
        SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
        SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SetCaption(Desc.Caption);
    SetEnabled(Desc.Enabled);
    if (Desc.FormStyle == fsMDIForm && !FClientHandle) {
        // The client makes its documents with the styles they ask for, so
        // that a document is made hidden, like every form, and is drawn and
        // activated once, when the program shows it.
        CLIENTCREATESTRUCT ccs = {nullptr, 0xFF00};
        const DWORD style =
            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE | MDIS_ALLCHILDSTYLES;
        FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0, Handle(), nullptr,
                                        ModuleInstance(), &ccs);
        if (!FClientHandle) throw Exception("Unable to create the MDI client window");
    }
    Font.SetName(Desc.FontName);
    Font.SetSize(Desc.FontSize);
    Position = Desc.Position;
    KeyPreview = Desc.KeyPreview;
    SetShowHint(Desc.ShowHint);
    // A document window keeps the place its frame gave it.
    if (!document) SetBounds(Desc.Left, Desc.Top, Width(), Height());
    SetClientSize(Desc.ClientWidth, Desc.ClientHeight);
    MinWidth = Desc.MinWidth;
    MinHeight = Desc.MinHeight;
    OnCreate = Desc.OnCreate;
    OnShow = Desc.OnShow;
    OnActivate = Desc.OnActivate;
    OnDestroy = Desc.OnDestroy;
    OnCloseQuery = Desc.OnCloseQuery;
    OnClose = Desc.OnClose;
    OnKeyPress = Desc.OnKeyPress;
}

int TForm::MDIChildCount() const {
    int count = 0;
    while (MDIChildren(count)) ++count;
    return count;
}

TForm* TForm::MDIChildren(int Index) const {
    if (!FClientHandle || Index < 0) return nullptr;
    // The client's children in their order on screen, the active one on top;
    // the title windows of minimised children are owned windows, not forms.
    for (HWND w = GetWindow(FClientHandle, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (TForm* f = FromHandle(w); f && !GetWindow(w, GW_OWNER) && Index-- == 0) return f;
    return nullptr;
}

TForm* TForm::ActiveMDIChild() const {
    if (!FClientHandle) return nullptr;
    return FromHandle(reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0)));
}

void TForm::AddControl(TControl* Control, const ControlDesc& Desc) {
    Control->Apply(Desc);
    Control->SetParent(Desc.Parent ? Desc.Parent : this);
    if (Desc.TabOrder >= 0) Control->SetTabOrder(Desc.TabOrder);
}

void TForm::EndDescription() { Fire(OnCreate, this); }

RECT TForm::AlignControls() {
    const RECT r = TWinControl::AlignControls();
    if (FClientHandle) MoveWindow(FClientHandle, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    return r;
}

void TForm::SetMenu(TMainMenu* Value) {
    FMenu = Value;
    HMENU old = GetMenu(Handle());
    ::SetMenu(Handle(), Value ? Value->Build(false) : nullptr);
    if (old) DestroyMenu(old);
}

void TForm::SetClientSize(int AWidth, int AHeight) {
    RECT r = {0, 0, AWidth, AHeight};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

TCanvas& TForm::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TFormCanvas>(*this);
    FCanvas->Font.Assign(Font);
    return *FCanvas;
}

bool TForm::Showing() const { return Handle() && IsWindowVisible(Handle()); }

void TForm::PlaceOnScreen() {
    if (Position != poScreenCenter) return;
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TForm::SetVisible(bool Value) {
    if (Value == Showing()) return;
    FVisible = Value;
    if (Value) {
        Fire(OnShow, this);
        PlaceOnScreen();
        if (FFormStyle == fsMDIChild) RestoreMaximisedDocument();
        ShowWindow(Handle(), SW_SHOW);
        if (FFormStyle == fsMDIChild)
            SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
        FocusFirst();
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

// A document shown beside a maximised one takes its own place, and the
// maximised one is restored, as the frame does with a document made visible.
void TForm::RestoreMaximisedDocument() {
    const auto active = reinterpret_cast<HWND>(SendMessageA(GetParent(Handle()), WM_MDIGETACTIVE, 0, 0));
    if (active && active != Handle() && IsZoomed(active)) ShowWindow(active, SW_SHOWNORMAL);
}

// The keyboard goes to the control that had it last, or to the form itself
// (which a frame hands to its active document window), as on activation.
void TForm::TakeFocus() {
    if (FActiveControl && FActiveControl->CanFocus())
        ::SetFocus(FActiveControl->Handle());
    else
        ::SetFocus(Handle());
}

void TForm::FocusFirst() {
    if (FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        return;
    }
    std::vector<TControl*> stops;
    CollectTabStops(this, FActiveControl, stops);
    for (TControl* c : stops)
        if (c->CanFocus()) {
            c->SetFocus();
            return;
        }
}

void TForm::SetActiveControl(TControl* Control) {
    if (Showing() && Control && Control->CanFocus())
        Control->SetFocus();
    else
        FActiveControl = Control;
}

void TForm::SelectNext(bool Forward) {
    std::vector<TControl*> stops;
    CollectTabStops(this, FActiveControl, stops);
    if (stops.empty()) return;
    const int n = static_cast<int>(stops.size());
    auto it = std::find(stops.begin(), stops.end(), FActiveControl);
    int at = it == stops.end() ? (Forward ? -1 : n) : static_cast<int>(it - stops.begin());
    for (int step = 0; step < n; ++step) {
        at = (at + (Forward ? 1 : -1) + n) % n;
        if (stops[static_cast<size_t>(at)]->CanFocus()) {
            stops[static_cast<size_t>(at)]->SetFocus();
            return;
        }
    }
}

bool TForm::SelectNextRadio(bool Forward) {
    auto* focused = dynamic_cast<TRadioButton*>(TControl::FromHandle(GetFocus()));
    if (!focused || focused->ParentForm() != this) return false;
    const std::vector<TRadioButton*> group = RadioGroup(focused);
    const auto at = std::find(group.begin(), group.end(), focused);
    if (at == group.end()) return false;
    const int n = static_cast<int>(group.size());
    TRadioButton* next = group[static_cast<size_t>((at - group.begin() + (Forward ? 1 : n - 1)) % n)];
    // The button that the arrow reaches is chosen, as by a click.
    next->SetFocus();
    next->SetChecked(true);
    return true;
}

bool TForm::TurnPage(bool Forward) {
    TPageControl* pages = nullptr;
    for (TControl* c = TControl::FromHandle(GetFocus()); c && !pages; c = c->Parent())
        pages = dynamic_cast<TPageControl*>(c);
    if (!pages || pages->ParentForm() != this) pages = FindPageControl(this);
    if (!pages || !pages->Enabled() || pages->PageCount() < 2) return false;
    pages->SelectNextPage(Forward);
    return true;
}

bool TForm::DialogKey(WPARAM Key) {
    if (GetKeyState(VK_MENU) < 0) return false;
    // While a drop-down list is open, Enter chooses its item and Escape
    // closes it; only then do they reach the buttons.
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && ListDroppedDown()) return false;
    switch (Key) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return TurnPage(GetKeyState(VK_SHIFT) >= 0);
        SelectNext(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return SelectNextRadio(Key == VK_RIGHT || Key == VK_DOWN);
    case VK_RETURN: {
        // Enter presses the focused button, or else the default button.
        if (auto* b = dynamic_cast<TButton*>(TControl::FromHandle(GetFocus()))) {
            if (b->ParentForm() == this) {
                b->Click();
                return true;
            }
        }
        if (TButton* b = FindButton(this, true)) {
            b->Click();
            return true;
        }
        return false;
    }
    case VK_ESCAPE:
        if (TButton* b = FindButton(this, false)) {
            b->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

namespace {

// Whether the caption underlines the letter or digit of the virtual key;
// "&&" is a plain "&".
bool IsAccel(WPARAM Key, const std::string& Caption) {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] != '&')
            return static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(Caption[i + 1]))) == Key;
        ++i;
    }
    return false;
}

// The visible, enabled button, check box, radio button, group box or label
// with a focus control that underlines the key.
TControl* FindAccel(const TWinControl* Container, WPARAM Key) {
    for (TControl* c : Container->Controls()) {
        if (!c->Visible() || !c->Enabled()) continue;
        const auto* label = dynamic_cast<TLabel*>(c);
        const bool takesAccel = dynamic_cast<TButton*>(c) || dynamic_cast<TRadioButton*>(c) ||
                                dynamic_cast<TCheckBox*>(c) || dynamic_cast<TGroupBox*>(c) ||
                                (label && label->ShowAccelChar && label->FocusControl);
        if (takesAccel && IsAccel(Key, c->Caption())) return c;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindAccel(w, Key)) return found;
    }
    return nullptr;
}

}  // namespace

bool TForm::DialogChar(WPARAM Key) {
    TControl* c = FindAccel(this, Key);
    if (auto* b = dynamic_cast<TButton*>(c)) {
        b->Click();
        return true;
    }
    // Radio buttons and check boxes are clicked as by the mouse: they take
    // the focus and the check.
    if (dynamic_cast<TRadioButton*>(c) || dynamic_cast<TCheckBox*>(c)) {
        if (!c->CanFocus()) return false;
        SendMessageA(c->Handle(), BM_CLICK, 0, 0);
        return true;
    }
    // A group box hands the focus to its first control that takes it, a
    // radio group's at its checked button.
    if (auto* group = dynamic_cast<TGroupBox*>(c)) {
        std::vector<TControl*> stops;
        CollectTabStops(group, FActiveControl, stops);
        for (TControl* inside : stops)
            if (inside->CanFocus()) {
                inside->SetFocus();
                return true;
            }
        return false;
    }
    auto* label = dynamic_cast<TLabel*>(c);
    if (!label || !label->FocusControl->CanFocus()) return false;
    label->FocusControl->SetFocus();
    return true;
}

void TForm::FocusChanged(TControl* Control) {
    if (Control == this || Control == FActiveControl) return;
    if (!FExitPending) FExitPending = FActiveControl;
    FEnterPending = Control;
    FActiveControl = Control;
    PostMessageA(Handle(), ZM_FOCUSEVENTS, 0, 0);
}

void TForm::RunFocusEvents() {
    TControl* left = FExitPending;
    TControl* entered = FEnterPending;
    FExitPending = FEnterPending = nullptr;
    if (left) Fire(left->OnExit, left);
    if (entered && entered == FActiveControl) Fire(entered->OnEnter, entered);
}

void TForm::ControlDestroyed(TControl* Control) {
    if (FActiveControl == Control) FActiveControl = nullptr;
    if (FExitPending == Control) FExitPending = nullptr;
    if (FEnterPending == Control) FEnterPending = nullptr;
}

int TForm::ShowModal() {
    if (FModal || Showing()) throw Exception("Cannot make a visible window modal");
    Application->CancelHint();
    if (GetCapture()) ReleaseCapture();

    // Every other window of the thread is disabled while the form runs.
    struct Disabled {
        HWND Self;
        std::vector<HWND> Windows;
        static BOOL CALLBACK Collect(HWND Wnd, LPARAM Data) {
            auto* d = reinterpret_cast<Disabled*>(Data);
            if (Wnd != d->Self && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) d->Windows.push_back(Wnd);
            return TRUE;
        }
        ~Disabled() {
            for (HWND w : Windows) EnableWindow(w, TRUE);
        }
    } disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &Disabled::Collect, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled.Windows) EnableWindow(w, FALSE);

    struct ModalFlag {
        bool& Flag;
        ~ModalFlag() { Flag = false; }
    } flag{FModal};
    FModal = true;
    ModalResult = mrNone;
    // The window the user was in, which is active again when the form closes.
    const HWND before = GetActiveWindow();
    SetVisible(true);
    // The user answers a modal form before anything else: it takes the
    // keyboard even when another program was in front.
    SetForegroundWindow(Handle());
    while (ModalResult == mrNone) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {  // the program is ending: leave the quit for the outer loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            ModalResult = mrCancel;
            break;
        }
        if (got < 0 || !IsWindow(Handle())) {
            ModalResult = mrCancel;
            break;
        }
        Application->ProcessMessage(msg);
        if (ModalResult != mrNone) CloseModal();
    }
    // The other windows come back before this one hides, so that the
    // activation returns to the window the form was opened from.
    for (HWND w : disabled.Windows) EnableWindow(w, TRUE);
    disabled.Windows.clear();
    // The activation goes back before the form hides: left to itself, the
    // system passes over a window that its caller keeps disabled until the
    // form has returned, and leaves the thread with no active window.
    if (before && before != Handle() && IsWindow(before) && IsWindowVisible(before)) SetActiveWindow(before);
    SetVisible(false);
    return ModalResult;
}

void TForm::CloseModal() {
    TCloseAction action = caNone;
    SafeCall([&] {
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        if (!canClose) return;
        action = caHide;
        if (OnClose) OnClose(this, action);
    });
    if (action == caNone) ModalResult = mrNone;
}

LRESULT TForm::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_CLOSE: {
        if (FModal) {
            ModalResult = mrCancel;
            return 0;
        }
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        if (!canClose) return 0;
        TCloseAction action = caHide;
        if (OnClose) OnClose(this, action);
        if (action == caNone) return 0;
        if (action == caMinimize) {
            ShowWindow(Handle(), SW_MINIMIZE);
            return 0;
        }
        if (action == caFree) {
            PostMessageA(Handle(), ZM_RELEASE, 0, 0);
            return 0;
        }
        SetVisible(false);
        if (Application->MainForm() == this) Application->Terminate();
        return 0;
    }
    case ZM_RELEASE:
        Free(this);
        return 0;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(LParam) == Handle()) Fire(OnActivate, this);
        break;
    case WM_ENABLE:
        // Enabled again after a dialog that it waited for disabled: it was
        // given the activation while none of its controls could take the
        // keyboard, or none at all. It takes both, so that the user's keys
        // reach the control they reached before.
        if (WParam && FFormStyle != fsMDIChild && IsWindowVisible(Handle())) {
            const HWND active = GetActiveWindow(), focus = GetFocus();
            if (!active)
                SetActiveWindow(Handle());
            else if (active == Handle() && (!focus || focus == Handle()))
                TakeFocus();
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(WParam) == WA_INACTIVE) break;
        Fire(OnActivate, this);
        if (FActiveControl && FActiveControl->CanFocus()) {
            ::SetFocus(FActiveControl->Handle());
            return 0;
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(LParam);
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, MinWidth);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, MinHeight);
        // A maximised window keeps to the limit as well. The system
        // maximises a window with its frame beyond the screen's edges; cut to
        // the limit, it starts at the screen's corner instead, frame and all.
        if (MaxWidth > 0) {
            info->ptMaxTrackSize.x = std::min<LONG>(info->ptMaxTrackSize.x, MaxWidth);
            if (info->ptMaxSize.x > MaxWidth) {
                info->ptMaxSize.x = MaxWidth;
                info->ptMaxPosition.x = 0;
            }
        }
        if (MaxHeight > 0) {
            info->ptMaxTrackSize.y = std::min<LONG>(info->ptMaxTrackSize.y, MaxHeight);
            if (info->ptMaxSize.y > MaxHeight) {
                info->ptMaxSize.y = MaxHeight;
                info->ptMaxPosition.y = 0;
            }
        }
        break;
    }
    case ZM_FOCUSEVENTS:
        RunFocusEvents();
        return 0;
    case WM_SIZE:
        if (FClientHandle) {
            // Not the frame's own sizing, which gives the MDI client the
            // whole client area.
            AlignControls();
            return 0;
        }
        break;
    case WM_COMMAND:
        // A command of the menu bar.
        if (LParam == 0 && HIWORD(WParam) == 0 && FMenu) {
            // Commands that are not the menu's (a document window's) go on to
            // the frame's own handling.
            if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(WParam))) {
                if (item->Enabled) Fire(item->OnClick, item);
                return 0;
            }
        }
        break;
    default:
        if (FMenu) {
            bool handled = false;
            const LRESULT r = MenuMessage(Msg, WParam, LParam, handled);
            if (handled) return r;
        }
        break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

LRESULT TForm::DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (FFormStyle == fsMDIChild) return DefMDIChildProcA(Handle(), Msg, WParam, LParam);
    if (FClientHandle) return DefFrameProcA(Handle(), FClientHandle, Msg, WParam, LParam);
    return TWinControl::DefaultHandler(Msg, WParam, LParam);
}

TForm* TForm::FromHandle(HWND Wnd) { return dynamic_cast<TForm*>(TControl::FromHandle(Wnd)); }

// ---- THintWindow -----------------------------------------------------------

// Measures hints before the window shows them: a memory device context.
class THintWindow::THintCanvas : public TCanvas {
public:
    ~THintCanvas() override {
        ReleaseHandle();
        if (FDC) DeleteDC(FDC);
    }

protected:
    HDC AcquireDC() override {
        if (!FDC) FDC = CreateCompatibleDC(nullptr);
        return FDC;
    }

private:
    HDC FDC = nullptr;
};

THintWindow::THintWindow() : FCanvas(std::make_unique<THintCanvas>()) {
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        FCanvas->Font.SetName(ncm.lfStatusFont.lfFaceName);
        FCanvas->Font.SetHeight(ncm.lfStatusFont.lfHeight);
    }
    FCanvas->Font.SetColor(clInfoText);
}

THintWindow::~THintWindow() {
    if (FHandle) DestroyWindow(FHandle);
}

TCanvas& THintWindow::Canvas() { return *FCanvas; }

RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& Text) {
    RECT r = {0, 0, MaxWidth, 0};
    DrawTextA(FCanvas->Handle(), Text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.right += 6;
    r.bottom += 2;
    return r;
}

void THintWindow::ActivateHint(const RECT& Rect, const std::string& Text) {
    FText = Text;
    if (!FHandle) {
        const char* cls = OwnWindowClass("ZvForms.Hint", CS_SAVEBITS, GetSysColorBrush(COLOR_INFOBK), &HintProc);
        FHandle = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                                  Application->Handle(), nullptr, ModuleInstance(), nullptr);
        if (!FHandle) return;
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    SetWindowTextA(FHandle, Text.c_str());
    RECT r = Rect;
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    r.right += frame.right - frame.left;
    r.bottom += frame.bottom - frame.top;
    // Keep the hint on the screen.
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (r.right > Screen.Width()) r.left = Screen.Width() - w;
    if (r.bottom > Screen.Height()) r.top = Screen.Height() - h;
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    SetWindowPos(FHandle, HWND_TOPMOST, r.left, r.top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(FHandle, nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

LRESULT CALLBACK THintWindow::HintProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (self && Msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        SafeCall([&] {
            TDCCanvas canvas(dc);
            canvas.Font.Assign(self->Canvas().Font);
            canvas.Brush.SetClear(true);
            RECT r;
            GetClientRect(Wnd, &r);
            r.left += 2;
            r.top += 1;
            DrawTextA(canvas.Handle(), self->FText.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        });
        EndPaint(Wnd, &ps);
        return 0;
    }
    if (Msg == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

// ---- TApplication ----------------------------------------------------------

TApplication& ApplicationInstance() {
    static TApplication instance;
    return instance;
}

TApplication::TApplication() : TComponent(nullptr) {
    HintWindowClass = [] { return std::make_unique<THintWindow>(); };
}

TApplication::~TApplication() {
    // Forms go while the hint state they report to still exists.
    DestroyComponents();
    StopHintTimer();
    FHintWindow.reset();
    if (FOwnHandle && FHandle) DestroyWindow(FHandle);
}

void TApplication::Initialize() {
    if (FHandle) return;
    const char* cls = OwnWindowClass("ZvForms.Application", 0, nullptr, DefWindowProcA);
    FHandle = CreateWindowExA(0, cls, FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                              0, nullptr, nullptr, ModuleInstance(), nullptr);
    if (!FHandle) throw Exception("Unable to create the application window");
    FOwnHandle = true;
}

void TApplication::SetTitle(const std::string& Value) {
    FTitle = Value;
    if (FHandle && FOwnHandle) SetWindowTextA(FHandle, Value.c_str());
}

void TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) break;
        ProcessMessage(msg);
    }
    FTerminated = true;
}

bool TApplication::Minimized() const { return FMainForm && IsIconic(FMainForm->Handle()); }

void TApplication::Restore() {
    if (Minimized()) ShowWindow(FMainForm->Handle(), SW_RESTORE);
}

namespace {

int CALLBACK AddFontFamily(const LOGFONTA* Font, const TEXTMETRICA*, DWORD, LPARAM Names) {
    // Families enumerated once per character set come more than once; the
    // vertical faces ("@" and a family's name) are not families of their own.
    if (Font->lfFaceName[0] != '@') reinterpret_cast<std::vector<std::string>*>(Names)->push_back(Font->lfFaceName);
    return 1;
}

std::string UpperCase(std::string S) {
    CharUpperBuffA(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

}  // namespace

std::vector<std::string> TScreen::Fonts() const {
    std::vector<std::string> names;
    LOGFONTA all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    if (HDC dc = GetDC(nullptr)) {
        EnumFontFamiliesExA(dc, &all, AddFontFamily, reinterpret_cast<LPARAM>(&names), 0);
        ReleaseDC(nullptr, dc);
    }
    const auto byUpper = [](const std::string& A, const std::string& B) { return UpperCase(A) < UpperCase(B); };
    std::sort(names.begin(), names.end(), byUpper);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

HCURSOR TScreen::Cursor(int Index) const {
    auto& slots = CursorSlots();
    auto it = slots.find(Index);
    return it != slots.end() && it->second ? it->second : LoadCursor(nullptr, IDC_ARROW);
}

void TScreen::SetCursor(int Index, HCURSOR Value) const { CursorSlots()[Index] = Value; }

namespace {
bool ScreenBusy = false;
}

bool TScreen::Busy() const { return ScreenBusy; }

void TScreen::SetBusy(bool Value) const {
    ScreenBusy = Value;
    ::SetCursor(LoadCursor(nullptr, Value ? IDC_WAIT : IDC_ARROW));
}

void TApplication::Terminate() {
    if (!FTerminated) PostQuitMessage(0);
    FTerminated = true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            break;
        }
        ProcessMessage(msg);
    }
}

void TApplication::ProcessMessage(MSG& Msg) {
    switch (Msg.message) {
    case WM_MOUSEMOVE:
        HintMouseMove(Msg.hwnd);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
        CancelHint();
        break;
    default:
        break;
    }
    if ((Msg.message == WM_SYSKEYUP || Msg.message == WM_KEYUP) && Msg.wParam == VK_MENU && FSwallowAltUp) {
        FSwallowAltUp = false;
        return;
    }
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) {
        bool used = false;
        if (TForm* form = TForm::FromHandle(GetAncestor(Msg.hwnd, GA_ROOT)))
            SafeCall([&] {
                // Shortcuts of the menu bar first (F10 and Alt+key come as
                // system keys), then the dialog keys.
                if (form->Menu()) {
                    TShortCut key = static_cast<TShortCut>(Msg.wParam & 0xFF);
                    if (GetKeyState(VK_SHIFT) < 0) key |= scShift;
                    if (GetKeyState(VK_CONTROL) < 0) key |= scCtrl;
                    if (GetKeyState(VK_MENU) < 0) key |= scAlt;
                    used = form->Menu()->IsShortCut(key);
                    // The Alt key's release after an Alt shortcut must not
                    // open the menu bar as a lone Alt press does.
                    if (used && (key & scAlt)) FSwallowAltUp = true;
                }
                if (!used && Msg.message == WM_KEYDOWN) used = form->DialogKey(Msg.wParam);
                // Alt and a letter: the control whose caption underlines it.
                if (!used && Msg.message == WM_SYSKEYDOWN && GetKeyState(VK_MENU) < 0) {
                    used = form->DialogChar(Msg.wParam);
                    if (used) FSwallowAltUp = true;
                }
            });
        if (used) return;
    }
    if (Msg.message == WM_CHAR) {
        TForm* form = TForm::FromHandle(GetAncestor(Msg.hwnd, GA_ROOT));
        if (form && form->KeyPreview && form->OnKeyPress) {
            char key = static_cast<char>(Msg.wParam);
            SafeCall([&] { form->OnKeyPress(form, key); });
            if (key == 0) return;
            Msg.wParam = static_cast<unsigned char>(key);
        }
    }
    // The system keys of document windows (Ctrl+F4 closes, Ctrl+F6 moves on).
    if (FMainForm && FMainForm->ClientHandle() && TranslateMDISysAccel(FMainForm->ClientHandle(), &Msg)) return;
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
}

void TApplication::ShowException(const std::exception* E) {
    const std::string text = E ? E->what() : "An unexpected error occurred.";
    if (OnException) {
        try {
            OnException(E);
            return;
        } catch (...) {
            // The replacement failed as well: fall back to the system's box.
        }
    }
    MessageBoxA(GetActiveWindow(), text.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void TApplication::StopHintTimer() {
    if (FHintTimer) KillTimer(nullptr, FHintTimer);
    FHintTimer = 0;
}

void TApplication::CancelHint() {
    StopHintTimer();
    if (FHintWindow) FHintWindow->ReleaseHandle();
    FHintShowing = false;
}

void TApplication::ControlDestroyed(TControl* Control) {
    if (FMainForm == Control) FMainForm = nullptr;
    if (FHintControl != Control) return;
    CancelHint();
    FHintControl = nullptr;
}

std::string GetShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

std::string GetLongHint(const std::string& Hint) {
    const auto bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

void TApplication::SetHint(const std::string& Value) {
    if (Value == FHint) return;
    FHint = Value;
    Fire(OnHint, this);
}

void TApplication::HintMouseMove(HWND Wnd) {
    TControl* c = TControl::FromHandle(Wnd);
    std::string hint;
    if (c) {
        POINT pos;
        GetCursorPos(&pos);
        ScreenToClient(Wnd, &pos);
        hint = c->HintAt(pos);
    }
    if (c == FHintControl && hint == FHintText) return;
    CancelHint();
    FHintControl = c;
    FHintText = hint;
    SetHint(hint);
    if (c && c->ShowHint() && !hint.empty() && GetShortHint(hint).rfind('~', 0) != 0)
        FHintTimer = SetTimer(nullptr, 0, static_cast<UINT>(std::max(HintPause, 1)), &HintTimerProc);
}

void CALLBACK TApplication::HintTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    TApplication& app = ApplicationInstance();
    SafeCall([&] {
        if (app.FHintShowing)
            app.CancelHint();  // the hide pause is over
        else
            app.ShowHintNow();
    });
}

void TApplication::ShowHintNow() {
    StopHintTimer();
    TControl* c = FHintControl;
    if (!c || !c->Handle()) return;
    POINT pos;
    GetCursorPos(&pos);
    if (WindowFromPoint(pos) != c->Handle()) return;
    const std::string text = GetShortHint(FHintText);
    if (text.empty()) return;
    if (!FHintWindow) FHintWindow = HintWindowClass();
    RECT r = FHintWindow->CalcHintRect(Screen.Width(), text);
    OffsetRect(&r, pos.x, pos.y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4);
    FHintWindow->ActivateHint(r, text);
    FHintShowing = true;
    FHintTimer = SetTimer(nullptr, 0, static_cast<UINT>(std::max(HintHidePause, 1)), &HintTimerProc);
}

}  // namespace forms
