#include "Controls.h"

#include "Menus.h"

#include <commctrl.h>

#include <algorithm>

#include "Forms.h"
#include "Module.h"

namespace forms {

// The signed coordinates packed in a message parameter.
inline int SignedLow(LPARAM L) { return static_cast<short>(LOWORD(L)); }
inline int SignedHigh(LPARAM L) { return static_cast<short>(HIWORD(L)); }

// ---- the window procedure of every control ---------------------------------

LRESULT CALLBACK ControlProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(LParam);
        // A document window's creation data comes wrapped by its frame.
        void* data = cs->dwExStyle & WS_EX_MDICHILD ? reinterpret_cast<void*>(
                                                          static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams)->lParam)
                                                    : cs->lpCreateParams;
        auto* c = static_cast<TControl*>(data);
        if (c) {
            c->FHandle = Wnd;
            AttachObject(Wnd, c);
        }
    }
    auto* c = static_cast<TControl*>(AttachedObject(Wnd));
    if (!c) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    LRESULT result = 0;
    bool handled = false;
    SafeCall([&] {
        result = c->WndProc(Msg, WParam, LParam);
        handled = true;
    });
    if (!handled) result = c->DefaultHandler(Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        DetachObject(Wnd);
        c->FHandle = nullptr;
    }
    return result;
}

TControl* TControl::FromHandle(HWND Wnd) { return static_cast<TControl*>(AttachedObject(Wnd)); }

// ---- TColorBrush -----------------------------------------------------------

TColorBrush::~TColorBrush() {
    if (FMade) DeleteObject(FMade);
    if (FRetired) DeleteObject(FRetired);
}

void TColorBrush::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    if (!FMade) return;
    if (FRetired) DeleteObject(FRetired);
    FRetired = FMade;
    FMade = nullptr;
}

HBRUSH TColorBrush::Handle() {
    if (FRetired) {
        DeleteObject(FRetired);
        FRetired = nullptr;
    }
    if (FColor < 0) return GetSysColorBrush(FColor & 0xFF);
    if (!FMade) FMade = CreateSolidBrush(ColorToRGB(FColor));
    return FMade;
}

// ---- TControl --------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    Font.OnChange = [this] {
        if (!FFollowingParentFont) FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    ApplicationInstance().ControlDestroyed(this);
    if (TForm* f = ParentForm()) f->ControlDestroyed(this);
    if (FHandle) {
        // The window must no longer reach this object while it goes.
        DetachObject(FHandle);
        if (FDefProc && FDefProc != DefWindowProcA)
            SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefProc));
        DestroyWindow(FHandle);
        FHandle = nullptr;
    }
    if (FParent) {
        auto drop = [this](std::vector<TControl*>& v) { v.erase(std::remove(v.begin(), v.end(), this), v.end()); };
        drop(FParent->FControls);
        drop(FParent->FTabList);
    }
}

void TControl::GetCreateParams(CreateParams& Params) { (void)Params; }

void TControl::CreateHandle() {
    if (FHandle) return;
    CreateParams p;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    p.ParentWnd = FParent ? FParent->Handle() : nullptr;
    GetCreateParams(p);
    if (FVisible) p.Style |= WS_VISIBLE;
    if (!FEnabled) p.Style |= WS_DISABLED;
    if ((p.Style & WS_CHILD) && !p.ParentWnd) return;  // made when the parent has a window
    const bool standard = p.ClassName != nullptr && !p.OwnClass;
    // The controls drawn on their parent have a class of their own, so that
    // their windows are known as such from outside the module too.
    const char* cls = standard ? p.ClassName
                               : OwnWindowClass(Windowed() ? "ZvForms.Control" : "ZvForms.Graphic", CS_DBLCLKS,
                                                GetSysColorBrush(COLOR_BTNFACE));
    FDefProc = standard ? nullptr : DefWindowProcA;
    // Child windows get a number of their own: owner-drawn controls are
    // measured by it before their window exists.
    static UINT nextId = 1000;
    if (p.Style & WS_CHILD) FControlId = nextId++;
    HWND h = CreateWindowExA(p.ExStyle, cls, FCaption.c_str(), p.Style, FLeft, FTop, FWidth, FHeight, p.ParentWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(FControlId)), ModuleInstance(), this);
    if (!h) throw Exception("Error creating window for " + Name());
    if (standard) {
        FHandle = h;
        AttachObject(h, this);
        FDefProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
    }
    TakeZOrderPlace();
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
    HandleCreated();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (TControl* child : w->FControls) child->CreateHandle();
}

LRESULT TControl::DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (FDefProc) return CallWindowProcA(FDefProc, FHandle, Msg, WParam, LParam);
    return DefWindowProcA(FHandle, Msg, WParam, LParam);
}

LRESULT TControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_PAINT:
        if (FDefProc == DefWindowProcA) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            {
                TDCCanvas canvas(dc);
                canvas.Font.Assign(Font);
                canvas.Brush.SetClear(true);
                Paint(canvas);
            }
            EndPaint(FHandle, &ps);
            return 0;
        }
        break;
    case WM_SETFOCUS: {
        const LRESULT r = DefaultHandler(Msg, WParam, LParam);
        if (TForm* f = ParentForm()) f->FocusChanged(this);
        return r;
    }
    case WM_WINDOWPOSCHANGED: {
        // Moves and sizes from outside (the user, the system) are kept, so
        // that the bounds read back are the window's.
        RECT r;
        GetWindowRect(FHandle, &r);
        if (HWND parent = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) ? GetParent(FHandle) : nullptr)
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        FLeft = r.left;
        FTop = r.top;
        FWidth = r.right - r.left;
        FHeight = r.bottom - r.top;
        break;
    }
    case WM_SETCURSOR:
        if (Screen.Busy() || (Cursor != 0 && LOWORD(LParam) == HTCLIENT)) {
            ::SetCursor(Screen.Busy() ? LoadCursor(nullptr, IDC_WAIT) : Screen.Cursor(Cursor));
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU:
        if (PopupMenu) {
            POINT p = {static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
            if (p.x == -1 && p.y == -1) {  // from the keyboard: at the control's top-left corner
                p = {0, 0};
                ClientToScreen(FHandle, &p);
            }
            PopupMenu->Popup(p.x, p.y);
            return 0;
        }
        break;
    default:
        MouseMessage(Msg, WParam, LParam);
        break;
    }
    return DefaultHandler(Msg, WParam, LParam);
}

bool TControl::MouseMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const int x = static_cast<short>(LOWORD(LParam)), y = static_cast<short>(HIWORD(LParam));
    auto fire = [&](const TMouseEvent& Event, TMouseButton Button) {
        if (Event) Event(this, Button, WParam, x, y);
        return true;
    };
    // A press on one of the layer's own controls keeps the mouse's messages
    // coming to it until the release, also from outside it, as a drag needs.
    const bool own = FDefProc == DefWindowProcA;
    if (own && (Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_LBUTTONDBLCLK)) SetCapture(FHandle);
    if (own && (Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP) && GetCapture() == FHandle) ReleaseCapture();
    switch (Msg) {
    case WM_LBUTTONDOWN: return fire(OnMouseDown, mbLeft);
    case WM_RBUTTONDOWN: return fire(OnMouseDown, mbRight);
    case WM_MBUTTONDOWN: return fire(OnMouseDown, mbMiddle);
    case WM_LBUTTONUP: return fire(OnMouseUp, mbLeft);
    case WM_RBUTTONUP: return fire(OnMouseUp, mbRight);
    case WM_MBUTTONUP: return fire(OnMouseUp, mbMiddle);
    case WM_MOUSEMOVE:
        if (OnMouseLeave && !FTrackingMouse) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, FHandle, 0};
            FTrackingMouse = TrackMouseEvent(&track) != FALSE;
        }
        return fire(OnMouseMove, mbLeft);
    case WM_MOUSELEAVE:
        FTrackingMouse = false;
        Fire(OnMouseLeave, this);
        return true;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click is a press as well.
        fire(OnMouseDown, mbLeft);
        Fire(OnDblClick, this);
        return true;
    default: return false;
    }
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    if (FParent) {
        auto drop = [this](std::vector<TControl*>& v) { v.erase(std::remove(v.begin(), v.end(), this), v.end()); };
        drop(FParent->FControls);
        drop(FParent->FTabList);
    }
    FParent = AParent;
    if (!FParent) return;
    FParent->FControls.push_back(this);
    if (dynamic_cast<TWinControl*>(this)) FParent->FTabList.push_back(this);
    if (FParentFont) ParentFontChanged();
    if (FHandle) {
        ::SetParent(FHandle, FParent->Handle());
        TakeZOrderPlace();
    } else {
        CreateHandle();
    }
    if (FAlign != alNone) FParent->AlignControls();
}

TForm* TControl::ParentForm() {
    for (TControl* c = this; c; c = c->FParent)
        if (auto* f = dynamic_cast<TForm*>(c)) return f;
    return nullptr;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle) MoveWindow(FHandle, FLeft, FTop, FWidth, FHeight, TRUE);
}

int TControl::ClientWidth() const {
    RECT r = {0, 0, FWidth, FHeight};
    if (FHandle) GetClientRect(FHandle, &r);
    return r.right - r.left;
}

int TControl::ClientHeight() const {
    RECT r = {0, 0, FWidth, FHeight};
    if (FHandle) GetClientRect(FHandle, &r);
    return r.bottom - r.top;
}

std::string TControl::Caption() const {
    if (!FHandle) return FCaption;
    const int n = GetWindowTextLengthA(FHandle);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(FHandle, s.data(), n + 1)));
    return s;
}

void TControl::SetCaption(const std::string& Value) {
    FCaption = Value;
    if (FHandle) SetWindowTextA(FHandle, Value.c_str());
}

void TControl::SetEnabled(bool Value) {
    FEnabled = Value;
    if (FHandle && !IsWindowEnabled(FHandle) == Value) EnableWindow(FHandle, Value);
}

void TControl::SetVisible(bool Value) {
    FVisible = Value;
    if (FHandle) ShowWindow(FHandle, Value ? SW_SHOW : SW_HIDE);
    if (FAlign != alNone && FParent) FParent->AlignControls();
}

void TControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

bool TControl::Windowed() const { return dynamic_cast<const TWinControl*>(this) != nullptr; }

void TControl::BringToFront() {
    if (!FHandle) return;
    if (Windowed())
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
        PlaceAboveDrawnSiblings();
}

// A new window lies below its siblings. A drawn control stays there; a
// windowed one goes above every drawn sibling, and so above the labels and
// pictures made before it.
void TControl::TakeZOrderPlace() {
    if (!FHandle || !(GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)) return;
    if (Windowed())
        PlaceAboveDrawnSiblings();
    else
        SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Puts the window just above the topmost of its drawn siblings, or leaves it
// where it is when it has none.
void TControl::PlaceAboveDrawnSiblings() {
    HWND drawn = GetWindow(GetParent(FHandle), GW_CHILD);
    for (; drawn; drawn = GetWindow(drawn, GW_HWNDNEXT)) {
        const TControl* c = drawn == FHandle ? nullptr : FromHandle(drawn);
        if (c && !c->Windowed()) break;
    }
    if (!drawn) return;
    HWND above = GetWindow(drawn, GW_HWNDPREV);
    if (above == FHandle) return;
    SetWindowPos(FHandle, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::EraseGround(TCanvas& Canvas) {
    DefWindowProcA(FHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas.Handle()), 0);
}

void TControl::Repaint() {
    if (FHandle) {
        InvalidateRect(FHandle, nullptr, TRUE);
        UpdateWindow(FHandle);
    }
}

bool TControl::ShowHint() const {
    if (ParentShowHint && FParent) return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool Value) {
    FShowHint = Value;
    ParentShowHint = false;
}

void TControl::FontChanged() {
    if (FHandle) {
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), TRUE);
        InvalidateRect(FHandle, nullptr, TRUE);
    }
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FFollowingParentFont = true;
    Font.Assign(FParent->Font);
    FFollowingParentFont = false;
}

int TControl::TabOrder() const {
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TControl::SetTabOrder(int Value) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    const int at = std::clamp(Value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + at, this);
}

bool TControl::CanFocus() const {
    if (!FHandle || !Focusable()) return false;
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

void TControl::SetFocus() {
    TForm* f = ParentForm();
    if (f && f != this && !f->Showing()) {
        f->SetActiveControl(this);
        return;
    }
    if (!CanFocus() && f != this) throw Exception("Cannot focus a disabled or invisible window");
    ::SetFocus(FHandle);
    if (f) f->RunFocusEvents();
}

void TControl::Click() { Fire(OnClick, this); }

void TControl::SetAlign(TAlign Value) {
    FAlign = Value;
    if (FParent) FParent->AlignControls();
}

void TControl::Apply(const ControlDesc& Desc) {
    SetName(Desc.Name);
    FAlign = Desc.Align;
    FLeft = Desc.Left;
    FTop = Desc.Top;
    FWidth = Desc.Width;
    FHeight = Desc.Height;
    FCaption = Desc.Caption;
    Hint = Desc.Hint;
    Tag = Desc.Tag;
    FVisible = Desc.Visible;
    FEnabled = Desc.Enabled;
    TabStop = Focusable() && Desc.TabStop;
    OnClick = Desc.OnClick;
    OnDblClick = Desc.OnDblClick;
    OnEnter = Desc.OnEnter;
    OnExit = Desc.OnExit;
}

// ---- TWinControl -----------------------------------------------------------

TWinControl::~TWinControl() {
    // The children stay with their owner; they only lose their parent, whose
    // window takes theirs with it.
    for (TControl* c : FControls) c->FParent = nullptr;
    FControls.clear();
    FTabList.clear();
}

RECT TWinControl::AlignControls() {
    RECT r = {0, 0, 0, 0};
    if (Handle()) GetClientRect(Handle(), &r);
    TControl* client = nullptr;
    for (TControl* c : FControls) {
        if (!c->Visible() || c->Align() == alNone) continue;
        const int w = c->Width(), h = c->Height();
        switch (c->Align()) {
        case alTop:
            c->SetBounds(r.left, r.top, r.right - r.left, h);
            r.top += h;
            break;
        case alBottom:
            c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
            r.bottom -= h;
            break;
        case alLeft:
            c->SetBounds(r.left, r.top, w, r.bottom - r.top);
            r.left += w;
            break;
        case alRight:
            c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
            r.right -= w;
            break;
        default:
            client = c;
            break;
        }
    }
    if (r.bottom < r.top) r.bottom = r.top;
    if (r.right < r.left) r.right = r.left;
    if (client) client->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return r;
}

LRESULT TWinControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_SIZE) {
        const LRESULT result = TControl::WndProc(Msg, WParam, LParam);
        AlignControls();
        return result;
    }
    if (Msg == WM_COMMAND && LParam) {
        TControl* c = FromHandle(reinterpret_cast<HWND>(LParam));
        if (c && c->Parent() == this) {
            c->Command(LOWORD(WParam), HIWORD(WParam));
            return 0;
        }
    }
    if ((Msg == WM_HSCROLL || Msg == WM_VSCROLL) && LParam) {
        TControl* c = FromHandle(reinterpret_cast<HWND>(LParam));
        if (c && c->Parent() == this) {
            c->Scrolled(LOWORD(WParam));
            return 0;
        }
    }
    if (Msg == WM_DRAWITEM && LParam) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
        if (draw->CtlType != ODT_MENU)
            if (TControl* c = FromHandle(draw->hwndItem); c && c->Parent() == this) {
                c->DrawItem(*draw);
                return TRUE;
            }
    }
    if (Msg == WM_MEASUREITEM && LParam) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
        if (measure->CtlType != ODT_MENU)
            for (TControl* c : FControls)
                if (c->FControlId == measure->CtlID) {
                    c->MeasureItem(*measure);
                    return TRUE;
                }
    }
    if (Msg == WM_NOTIFY && LParam) {
        auto* header = reinterpret_cast<NMHDR*>(LParam);
        TControl* c = FromHandle(header->hwndFrom);
        if (c && c->Parent() == this) return c->NotifyMessage(*header);
    }
    if ((Msg == WM_CTLCOLORSTATIC || Msg == WM_CTLCOLOREDIT || Msg == WM_CTLCOLORLISTBOX || Msg == WM_CTLCOLORBTN) &&
        LParam) {
        TControl* c = FromHandle(reinterpret_cast<HWND>(LParam));
        if (c && c->Parent() == this)
            if (HBRUSH brush = c->ControlColors(reinterpret_cast<HDC>(WParam)))
                return reinterpret_cast<LRESULT>(brush);
    }
    return TControl::WndProc(Msg, WParam, LParam);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls) c->ParentFontChanged();
}

// ---- TButton ---------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }

void TButton::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "BUTTON";
    Params.Style |= WS_TABSTOP | ButtonStyle();
}

void TButton::SetDefault(bool Value) {
    FDefault = Value;
    if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButton::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    FDefault = Desc.Default;
    Cancel = Desc.Cancel;
    ModalResult = Desc.ModalResult;
}

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TForm* f = ParentForm()) f->ModalResult = ModalResult;
    TWinControl::Click();
}

void TButton::Notify(WORD Code) {
    if (Code == BN_CLICKED) Click();
}

// ---- TCheckBox -------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }

void TCheckBox::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "BUTTON";
    Params.Style |= WS_TABSTOP | BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TCheckBox::Checked() const {
    if (Handle()) return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return FChecked;
}

void TCheckBox::SetChecked(bool Value) {
    const bool changed = Value != Checked();
    FChecked = Value;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (changed) Click();
}

void TCheckBox::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    FChecked = Desc.Checked;
}

void TCheckBox::Notify(WORD Code) {
    if (Code == BN_CLICKED) {
        FChecked = Checked();
        Click();
    }
}

// ---- TRadioButton ----------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }

void TRadioButton::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "BUTTON";
    // Not an automatic radio button: the system's would uncheck the buttons
    // of its dialog group, where the rule here is the parent. BS_NOTIFY: the
    // button reports double clicks.
    Params.Style |= WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY;
}

// A checked button that joins a parent takes the check from the others.
void TRadioButton::HandleCreated() {
    ShowCheck(FChecked);
    if (FChecked) UncheckSiblings();
}

void TRadioButton::ShowCheck(bool Value) {
    FChecked = Value;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::UncheckSiblings() {
    if (!Parent()) return;
    for (TControl* c : Parent()->Controls())
        if (auto* other = dynamic_cast<TRadioButton*>(c); other && other != this && other->FChecked)
            other->ShowCheck(false);
}

void TRadioButton::SetChecked(bool Value) {
    if (Value == FChecked) return;
    ShowCheck(Value);
    if (!Value) return;
    UncheckSiblings();
    Click();
}

// As with check boxes, the described state is no change of the user's or
// the program's: no click.
void TRadioButton::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    FChecked = Desc.Checked;
}

void TRadioButton::Notify(WORD Code) {
    switch (Code) {
    case BN_CLICKED:
        // A click on the checked button is a click as well.
        if (FChecked)
            Click();
        else
            SetChecked(true);
        break;
    case BN_DOUBLECLICKED:
        Fire(OnDblClick, this);
        break;
    default:
        break;
    }
}

LRESULT TRadioButton::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_LBUTTONDBLCLK) {
        // The second press of a double click; the double click itself comes
        // from the button's BN_DOUBLECLICKED.
        if (OnMouseDown) OnMouseDown(this, mbLeft, WParam, SignedLow(LParam), SignedHigh(LParam));
        return DefaultHandler(Msg, WParam, LParam);
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

// ---- TEdit -----------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) { TabStop = true; }

void TEdit::SetColor(TColor Value) {
    if (Value == FBrush.Color()) return;
    FBrush.SetColor(Value);
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

// Enabled edits ask with WM_CTLCOLOREDIT, disabled and read-only ones with
// WM_CTLCOLORSTATIC: both get the edit's colour. The window colour leaves
// the system's colours, which show a disabled or read-only edit on the
// button face. A disabled edit draws its text in the system's grey itself.
HBRUSH TEdit::ControlColors(HDC DC) {
    if (FBrush.Color() == clWindow) return nullptr;
    SetTextColor(DC, ColorToRGB(Font.Color()));
    SetBkColor(DC, ColorToRGB(FBrush.Color()));
    return FBrush.Handle();
}

void TEdit::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "EDIT";
    Params.Style |= WS_TABSTOP | ES_AUTOHSCROLL;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
    SetMaxLength(FMaxLength);
    SetReadOnly(FReadOnly);
}

void TEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, Value, 0);
}

void TEdit::SetMaxLength(int Value) {
    FMaxLength = Value;
    if (Handle()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

bool TEdit::Modified() const { return Handle() && SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0; }

void TEdit::SetModified(bool Value) {
    if (Handle()) SendMessageA(Handle(), EM_SETMODIFY, Value ? TRUE : FALSE, 0);
}

void TEdit::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    FMaxLength = Desc.MaxLength;
    OnChange = Desc.OnChange;
}

LRESULT TEdit::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if ((Msg == WM_KEYDOWN && OnKeyDown) || (Msg == WM_KEYUP && OnKeyUp)) {
        WORD key = static_cast<WORD>(WParam);
        (Msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp)(this, key);
        if (key == 0) return 0;
        WParam = key;
    }
    if (Msg == WM_CHAR && OnKeyPress) {
        char key = static_cast<char>(WParam);
        OnKeyPress(this, key);
        if (key == 0) return 0;
        WParam = static_cast<unsigned char>(key);
    }
    if (Msg == WM_CONTEXTMENU && OnContextPopup) {
        POINT pos = {SignedLow(LParam), SignedHigh(LParam)};
        if (pos.x == -1 && pos.y == -1)
            pos = {-1, -1};  // from the keyboard
        else
            ScreenToClient(Handle(), &pos);
        bool handled = false;
        OnContextPopup(this, pos, handled);
        if (handled) return 0;
    }
    if (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) {
        // The edit takes the focus while it handles the press.
        FClicked = true;
        struct Reset {
            bool& Flag;
            ~Reset() { Flag = false; }
        } reset{FClicked};
        return TWinControl::WndProc(Msg, WParam, LParam);
    }
    if (Msg == WM_SETFOCUS) {
        const LRESULT r = TWinControl::WndProc(Msg, WParam, LParam);
        if (!FClicked && !(GetWindowLongPtrA(Handle(), GWL_STYLE) & ES_MULTILINE))
            SendMessageA(Handle(), EM_SETSEL, 0, -1);
        return r;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

void TEdit::Notify(WORD Code) {
    if (Code == EN_CHANGE) Fire(OnChange, this);
}

// ---- TLabel ----------------------------------------------------------------

void TLabel::GetCreateParams(CreateParams& Params) {
    Params.ClassName = "STATIC";
    // SS_NOTIFY: the label takes the mouse, so that its hint shows.
    Params.Style |= SS_NOTIFY | TextStyle() | (ShowAccelChar ? 0 : SS_NOPREFIX);
}

DWORD TLabel::TextStyle() const {
    switch (FAlignment) {
    case taCenter: return SS_CENTER;
    case taRightJustify: return SS_RIGHT;
    // SS_EDITCONTROL: a word longer than a line is broken too (WrappedTextFlags).
    default: return WordWrap ? SS_LEFT | SS_EDITCONTROL : SS_LEFTNOWORDWRAP;
    }
}

void TLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (!Handle()) return;
    // The static control reads its type from the style each time it paints.
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    const LONG_PTR kept = style & ~static_cast<LONG_PTR>(SS_TYPEMASK | SS_EDITCONTROL);
    SetWindowLongPtrA(Handle(), GWL_STYLE, kept | TextStyle());
    Repaint();
}

void TLabel::Apply(const ControlDesc& Desc) {
    TControl::Apply(Desc);
    AutoSize = Desc.AutoSize;
    WordWrap = Desc.WordWrap;
    ShowAccelChar = Desc.ShowAccelChar;
    FAlignment = Desc.Alignment;
}

HBRUSH TLabel::ControlColors(HDC DC) {
    SetTextColor(DC, ColorToRGB(Font.Color()));
    SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TLabel::AdjustBounds() {
    if (!AutoSize) return;
    const std::string text = Caption();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font.Handle());
    RECT r = {0, 0, WordWrap ? Width() : 0, 0};
    UINT flags = DT_CALCRECT | (WordWrap ? WrappedTextFlags : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, flags);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), WordWrap ? Width() : r.right, r.bottom);
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustBounds();
}

LRESULT TLabel::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    const LRESULT r = TControl::WndProc(Msg, WParam, LParam);
    if (Msg == WM_SETTEXT) AdjustBounds();
    return r;
}

// ---- TPanel ----------------------------------------------------------------

void TPanel::Apply(const ControlDesc& Desc) {
    TWinControl::Apply(Desc);
    BevelOuter = Desc.BevelOuter;
    FColor = Desc.Color;
}

void TPanel::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Repaint();
}

void TPanel::SetBorder(bool Single) {
    const LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    const LONG_PTR wanted = Single ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    if (wanted == ex) return;
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, wanted);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The client area has moved within the window: nothing drawn before,
    // edge or inside, stays where it was.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TPanel::Paint(TCanvas& Canvas) {
    RECT r = {0, 0, Width(), Height()};
    Canvas.Brush.SetColor(FColor);
    Canvas.Brush.SetClear(false);
    Canvas.FillRect(r);
    Canvas.Brush.SetClear(true);
    if (BevelOuter != bvNone)
        DrawEdge(Canvas.Handle(), &r, BevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    const std::string text = Caption();
    if (!text.empty())
        DrawTextA(Canvas.Handle(), text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- TImage ----------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TControl(AOwner) {
    Picture.OnChange = [this] {
        UpdateShape();
        Repaint();
    };
}

void TImage::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    UpdateShape();
}

void TImage::HandleCreated() { UpdateShape(); }

void TImage::UpdateShape() {
    if (!Handle()) return;
    auto* bitmap = dynamic_cast<TBitmap*>(Picture.Graphic());
    if (!FTransparent || !bitmap || bitmap->Empty()) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        return;
    }
    // The shape is the runs of each row that differ from the see-through
    // colour.
    const int w = bitmap->Width(), h = bitmap->Height();
    const std::uint8_t* corner = bitmap->ScanLine(h - 1);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = bitmap->ScanLine(y);
        auto clear = [&](int x) { return std::equal(row + 3 * x, row + 3 * x + 3, corner); };
        for (int x = 0; x < w;) {
            if (clear(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && !clear(x)) ++x;
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            CombineRgn(shape, shape, run, RGN_OR);
            DeleteObject(run);
        }
    }
    // The window owns the region from here on.
    if (!SetWindowRgn(Handle(), shape, TRUE)) DeleteObject(shape);
    BringToFront();
    RevealBelow();
}

// What lies below the picture's rectangle is drawn anew: a shape that has
// shrunk uncovers it.
void TImage::RevealBelow() {
    if (!Parent() || !Parent()->Handle()) return;
    RECT r = {Left(), Top(), Left() + Width(), Top() + Height()};
    RedrawWindow(Parent()->Handle(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TImage::Paint(TCanvas& Canvas) {
    // A bitmap covers its own rectangle; beside it, and beneath any other
    // picture (an icon, a metafile), the ground is painted first so that
    // nothing of the picture shown before stays.
    TGraphic* g = Picture.Graphic();
    HDC dc = Canvas.Handle();
    const int saved = SaveDC(dc);
    if (auto* bitmap = dynamic_cast<TBitmap*>(g)) ExcludeClipRect(dc, 0, 0, bitmap->Width(), bitmap->Height());
    EraseGround(Canvas);
    RestoreDC(dc, saved);
    if (g) Canvas.Draw(0, 0, *g);
}

}  // namespace forms
