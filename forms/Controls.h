// Controls: every control is a window of its own. Standard Windows controls
// (buttons, edits, statics) are subclassed; the layer's own kinds (forms,
// panels, images) are window classes registered by each module.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

namespace forms {

class TWinControl;
class TForm;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// A mouse event: the button (for moves, the left one), the key and button
// state (MK_ flags) and the position in the control's client coordinates.
using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, WPARAM Keys, int X, int Y)>;

enum TBevelCut { bvNone, bvLowered, bvRaised };
// Aligned controls fill their parent's client area from its edges inwards,
// in the order they were added; alClient takes what is left.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Where a label sets its text within its width.
enum TAlignment { taLeftJustify, taCenter, taRightJustify };

// The description of one control, as it stands in a form's table of
// controls. Each kind reads the fields that apply to it.
struct ControlDesc {
    std::string Name;
    TWinControl* Parent = nullptr;  // nullptr: the form itself
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TAlign Align = alNone;
    std::string Caption;
    std::string Hint;
    int Tag = 0;
    int TabOrder = -1;  // -1: after the controls added before it
    bool Visible = true;
    bool Enabled = true;
    bool TabStop = true;  // for the kinds that can take the focus
    // Buttons
    bool Default = false;
    bool Cancel = false;
    int ModalResult = 0;
    // Labels
    bool AutoSize = true;
    bool WordWrap = false;
    bool ShowAccelChar = true;
    TAlignment Alignment = taLeftJustify;
    // Check boxes and radio buttons
    bool Checked = false;
    // Panels
    TBevelCut BevelOuter = bvRaised;
    TColor Color = clBtnFace;
    // Edits
    int MaxLength = 0;
    // Events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
};

// The brush of a control's own colour, which the control hands the system
// for its background. A system colour is the system's brush; a brush made
// for another colour lives until the control goes, or, after a change of
// the colour, until the next one is handed out: a paint that asked for it
// may still be using it.
class TColorBrush {
public:
    explicit TColorBrush(TColor Color) : FColor(Color) {}
    ~TColorBrush();
    TColorBrush(const TColorBrush&) = delete;
    TColorBrush& operator=(const TColorBrush&) = delete;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    HBRUSH Handle();

private:
    TColor FColor;
    HBRUSH FMade = nullptr;     // the brush made for FColor
    HBRUSH FRetired = nullptr;  // the one of the colour before
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    HWND Handle() const { return FHandle; }
    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* AParent);
    TForm* ParentForm();

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    int ClientWidth() const;
    int ClientHeight() const;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);

    std::string Caption() const;
    void SetCaption(const std::string& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void Repaint();
    // Asks for a paint when the messages come to it, without erasing first.
    void Invalidate();
    // Lays the control's window above its siblings: where they overlap, it
    // is the one that shows and that takes the mouse. A window made later
    // lies below the ones made before it. The controls drawn on their parent
    // (labels, pictures, paint boxes) always lie below the windowed controls
    // of their parent, as if painted on its ground: such a control comes to
    // the front of the drawn ones only.
    void BringToFront();
    // A control with a window of the system's or the layer's kinds (a
    // TWinControl), not one drawn on its parent.
    bool Windowed() const;

    std::string Hint;
    // The hint of the part of the control at a point of its client area; the
    // whole control has one hint unless a kind has parts of its own.
    virtual std::string HintAt(POINT ClientPos) const {
        (void)ClientPos;
        return Hint;
    }
    // Hints show when this control's flag is set, or, while ParentShowHint
    // holds, when its parent's does.
    bool ShowHint() const;
    void SetShowHint(bool Value);
    bool ParentShowHint = true;

    // The control's font; while ParentFont holds it follows the parent's.
    TFont Font;

    // Tab order among the siblings: the index in the parent's tab list, -1
    // for controls that never take the focus.
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop = false;
    virtual bool Focusable() const { return false; }
    bool CanFocus() const;
    // Moves the focus here; on a form that is not showing, the control becomes
    // the one that gets the focus when the form is shown.
    void SetFocus();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // The mouse has left the control's window.
    TNotifyEvent OnMouseLeave;
    // The cursor over the control: a slot of the screen's cursors, 0 for
    // the window's own.
    int Cursor = 0;
    // The menu that a right click or the menu key opens over the control
    // and the controls inside it.
    TPopupMenu* PopupMenu = nullptr;

    // Applies the description's fields that this kind reads.
    virtual void Apply(const ControlDesc& Desc);

    // The control of this module behind a window, or nullptr for windows
    // that are not one of ours.
    static TControl* FromHandle(HWND Wnd);

protected:
    struct CreateParams {
        const char* ClassName = nullptr;  // nullptr: the layer's own class for controls
        bool OwnClass = false;            // ClassName is one of the layer's own classes
        DWORD Style = 0;
        DWORD ExStyle = 0;
        HWND ParentWnd = nullptr;
    };
    virtual void GetCreateParams(CreateParams& Params);
    void CreateHandle();
    // Lays a new or newly parented window where its kind belongs among its
    // siblings (see BringToFront).
    void TakeZOrderPlace();
    void PlaceAboveDrawnSiblings();
    // The window exists: state kept before it can now be handed to it.
    virtual void HandleCreated() {}
    // The window procedure of the control; unhandled messages go to
    // DefaultHandler (the standard control's own procedure, or the
    // system's default).
    virtual LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    virtual LRESULT DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam);
    // A notification (WM_COMMAND) that the parent received from this control.
    virtual void Notify(WORD Code) { (void)Code; }
    // The same with the command number, for controls whose parts have
    // numbers of their own (tool bar buttons).
    virtual void Command(WORD Id, WORD Code) {
        (void)Id;
        Notify(Code);
    }
    // Scroll bars: the parent's WM_HSCROLL or WM_VSCROLL (an SB_ code).
    virtual void Scrolled(WORD Code) { (void)Code; }
    // Owner-drawn controls: the parent's WM_MEASUREITEM and WM_DRAWITEM.
    virtual void MeasureItem(MEASUREITEMSTRUCT& Measure) { (void)Measure; }
    virtual void DrawItem(const DRAWITEMSTRUCT& Draw) { (void)Draw; }
    // A WM_NOTIFY that the parent received from this control.
    virtual LRESULT NotifyMessage(NMHDR& Header) {
        (void)Header;
        return 0;
    }
    virtual void FontChanged();
    // The parent's WM_CTLCOLOR* message for this control (static, edit,
    // list box, button): the text and background colours set in DC and the
    // brush for the background, or nullptr for the system's default colours.
    virtual HBRUSH ControlColors(HDC DC) {
        (void)DC;
        return nullptr;
    }
    virtual void Paint(TCanvas& Canvas) { (void)Canvas; }
    // Paints the ground of the control's own window (the button face) over
    // what the canvas may draw on: what was drawn before goes.
    void EraseGround(TCanvas& Canvas);
    virtual void Click();
    // The mouse messages of the control's own window, to its events; true
    // when the message was one.
    bool MouseMessage(UINT Msg, WPARAM WParam, LPARAM LParam);

private:
    friend class TWinControl;
    friend class TForm;
    friend LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
    void ParentFontChanged();

    HWND FHandle = nullptr;
    UINT FControlId = 0;
    WNDPROC FDefProc = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::string FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    TAlign FAlign = alNone;
    bool FShowHint = false;
    bool FParentFont = true;
    bool FFollowingParentFont = false;
    bool FTrackingMouse = false;
};

// A control that holds others and keeps their tab order.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    const std::vector<TControl*>& Controls() const { return FControls; }
    const std::vector<TControl*>& TabList() const { return FTabList; }
    // Lays out the aligned children; what they leave is the area returned
    // (client coordinates).
    virtual RECT AlignControls();

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void FontChanged() override;

private:
    friend class TControl;
    std::vector<TControl*> FControls;
    std::vector<TControl*> FTabList;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel = false;
    int ModalResult = 0;
    bool Focusable() const override { return true; }
    void Apply(const ControlDesc& Desc) override;
    // Presses the button: the form takes its modal result, then OnClick runs.
    void Click() override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void Notify(WORD Code) override;
    // The BS_ type of the button's window.
    virtual DWORD ButtonStyle() const { return FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

private:
    bool FDefault = false;
};

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const;
    void SetChecked(bool Value);
    bool Focusable() const override { return true; }
    void Apply(const ControlDesc& Desc) override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;

private:
    bool FChecked = false;
};

// A radio button: of the radio buttons with the same parent, one at most is
// checked. Checking one, by the user or by the program, unchecks the others;
// OnClick runs for the user's click and when the program checks it.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Focusable() const override { return true; }
    void Apply(const ControlDesc& Desc) override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // Sets the check mark of this button alone.
    void ShowCheck(bool Value);
    void UncheckSiblings();
    bool FChecked = false;
};

// A character typed in a control; setting Key to 0 swallows it.
using TKeyPressEvent = std::function<void(TComponent* Sender, char& Key)>;
// A key (its virtual-key code) pressed or released in a control; setting Key
// to 0 swallows it, so that the control does not act on it.
using TKeyEvent = std::function<void(TComponent* Sender, WORD& Key)>;

// Asked for a control's context menu: MousePos in its client coordinates,
// (-1, -1) when asked from the keyboard. Handled: the system's own menu is
// not to show.
using TContextPopupEvent = std::function<void(TComponent* Sender, POINT MousePos, bool& Handled)>;

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& Value) { SetCaption(Value); }
    void SetMaxLength(int Value);
    // A read-only edit shows its text, which the user may select and copy
    // but not change.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Whether the user has changed the text since the program last set it
    // or cleared the flag.
    bool Modified() const;
    void SetModified(bool Value);
    // The background, also while the edit is disabled or read-only; with
    // the default clWindow the edit has the system's colours, and a
    // disabled or read-only one shows the button face.
    TColor Color() const { return FBrush.Color(); }
    void SetColor(TColor Value);
    bool Focusable() const override { return true; }
    TNotifyEvent OnChange;
    // Each key pressed and released, before the edit acts on it; the keys
    // of the dialog (Tab, Enter, Escape) go to the form instead.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    // Each character typed, before the edit takes it.
    TKeyPressEvent OnKeyPress;
    TContextPopupEvent OnContextPopup;
    void Apply(const ControlDesc& Desc) override;

protected:
    void GetCreateParams(CreateParams& Params) override;
    void HandleCreated() override;
    void Notify(WORD Code) override;
    // A one-line edit that gets the focus otherwise than by a click into it
    // (Tab, its label's letter, the form's first focus, the program) has
    // its whole text selected, so that typing replaces it; a click places
    // the caret.
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    HBRUSH ControlColors(HDC DC) override;

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FClicked = false;  // a press of the left button into the edit is being handled
    TColorBrush FBrush{clWindow};
};

// How DrawText measures or draws a text that wraps as a label wraps it: at
// word breaks, and inside a word that is longer than a line (a long path).
constexpr UINT WrappedTextFlags = DT_WORDBREAK | DT_EDITCONTROL;

// A label draws its text in its font's colour on the button face.
class TLabel : public TControl {
public:
    using TControl::TControl;
    bool AutoSize = true;
    bool WordWrap = false;
    bool ShowAccelChar = true;
    // The control that the label's underlined letter (Alt and the letter)
    // gives the focus to.
    TWinControl* FocusControl = nullptr;
    void Apply(const ControlDesc& Desc) override;
    // With AutoSize, fits the label to its text: the width stays and the
    // height grows with word wrap, both follow the text without it.
    void AdjustBounds();
    // Centred and right-aligned text wraps at word breaks when it is wider
    // than the label, as the system's static control has it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void GetCreateParams(CreateParams& Params) override;
    void FontChanged() override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    HBRUSH ControlColors(HDC DC) override;

private:
    // The SS_ type of the label's window.
    DWORD TextStyle() const;
    TAlignment FAlignment = taLeftJustify;
};

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    TBevelCut BevelOuter = bvRaised;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // A sunken edge around the client area, outside it.
    void SetBorder(bool Single);
    void Apply(const ControlDesc& Desc) override;

protected:
    void Paint(TCanvas& Canvas) override;

private:
    TColor FColor = clBtnFace;
};

class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    TPicture Picture;
    // Only the shape of a transparent picture shows: the pixels of its
    // bitmap that have the colour of its bottom-left pixel let what lies
    // below show through and leave the mouse to it. Such a picture lies
    // above its drawn siblings. Drawing on the bitmap is told with
    // Picture.Changed().
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

protected:
    void HandleCreated() override;
    void Paint(TCanvas& Canvas) override;

private:
    // The window's shape from the picture.
    void UpdateShape();
    void RevealBelow();
    bool FTransparent = false;
};

}  // namespace forms
