// Forms, the application object and the hint window.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Menus.h"

namespace forms {

// Modal results.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TPosition { poDesigned, poScreenCenter, poDefault };
enum : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// fsMDIForm: a multiple-document frame, whose client area is the system's
// MDI client window; fsMDIChild: a document window inside the main form's.
enum TFormStyle { fsNormal, fsMDIForm, fsMDIChild };
using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;

// The description of the form itself, the first entry of its table.
struct FormDesc {
    std::string Name;
    std::string Caption;
    int Left = 0, Top = 0;
    int ClientWidth = 0, ClientHeight = 0;
    TFormBorderStyle BorderStyle = bsSizeable;
    unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition Position = poDesigned;
    TFormStyle FormStyle = fsNormal;
    bool Enabled = true;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8;
    bool KeyPreview = false;
    bool ShowHint = false;
    int MinWidth = 0, MinHeight = 0;  // the smallest size the user can give the window
    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDestroy;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TKeyPressEvent OnKeyPress;
};

class TForm : public TWinControl {
public:
    // A document window (fsMDIChild) is made inside the main form, which
    // must be a frame; other styles are given by the description.
    explicit TForm(TComponent* AOwner, TFormStyle Style = fsNormal);
    ~TForm() override;

    // Runs the form until a modal result is set (a button with a modal
    // result, a handler, or the close box, which gives mrCancel), then hides
    // it; every other window of the thread is disabled meanwhile.
    int ShowModal();
    int ModalResult = mrNone;
    // Asks the form to close, as its close box does.
    void Close() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetClientSize(int AWidth, int AHeight);
    TPosition Position = poDesigned;
    bool KeyPreview = false;

    // The control that has the focus, or gets it when the form is shown.
    TControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TControl* Control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(bool Forward);
    // The form's canvas: its client area, drawn in the form's font.
    TCanvas& Canvas();

    // Tab, Enter and Escape as a dialog takes them, Ctrl+Tab turns the
    // pages, the arrow keys walk a radio group; true when used.
    bool DialogKey(WPARAM Key);
    // Alt and a letter or digit (its virtual key): the control whose caption
    // underlines it acts, a button is pressed, a radio button clicked, a
    // label focuses its FocusControl; true when one did.
    bool DialogChar(WPARAM Key);

    // The form's menu bar, or nullptr.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);

    // A frame's MDI client gets what the aligned bars leave.
    RECT AlignControls() override;

    int MinWidth = 0, MinHeight = 0;
    // The largest size the user or the program can give the window; 0: no
    // limit.
    int MaxWidth = 0, MaxHeight = 0;
    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    // The form has become the active window.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDestroy;
    // Asked before the form closes; CanClose false keeps it open.
    TCloseQueryEvent OnCloseQuery;
    // caFree: the form is freed once its messages are done. A modal form
    // asks both once its modal result is set; caNone keeps it running, any
    // other action ends it and leaves it to the caller of ShowModal.
    TCloseEvent OnClose;
    // With KeyPreview, the characters typed in any of its controls.
    TKeyPressEvent OnKeyPress;

    TFormStyle FormStyle() const { return FFormStyle; }
    // Of a frame: its document windows, the active one first.
    int MDIChildCount() const;
    TForm* MDIChildren(int Index) const;
    TForm* ActiveMDIChild() const;

    void SetVisible(bool Value) override;
    bool Showing() const;
    void BeforeDestruction() override;

    // The form of this module behind a top-level window, or nullptr.
    static TForm* FromHandle(HWND Wnd);
    // The MDI client window of a frame, nullptr for other forms.
    HWND ClientHandle() const { return FClientHandle; }

protected:
    // Builds the form from its description: the form's own entry first, then
    // one Add per control in the order of the table; EndDescription fires
    // OnCreate.
    void Describe(const FormDesc& Desc);
    template <class T>
    T* Add(T*& Member, const ControlDesc& Desc) {
        return Add(Member, Desc, [](T&) {});
    }
    // The same, with the properties that the window is made with set first.
    template <class T, class F>
    T* Add(T*& Member, const ControlDesc& Desc, F&& Setup) {
        Member = new T(this);
        Setup(*Member);
        AddControl(Member, Desc);
        return Member;
    }
    void EndDescription();

    // Binds a member function of the derived form as an event handler.
    template <class F>
    TNotifyEvent Handler(void (F::*Method)(TComponent*)) {
        F* self = static_cast<F*>(this);
        return [self, Method](TComponent* Sender) { (self->*Method)(Sender); };
    }
    template <class F>
    TCloseEvent CloseHandler(void (F::*Method)(TComponent*, TCloseAction&)) {
        F* self = static_cast<F*>(this);
        return [self, Method](TComponent* Sender, TCloseAction& Action) { (self->*Method)(Sender, Action); };
    }

    void GetCreateParams(CreateParams& Params) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    LRESULT DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    friend class TControl;
    void AddControl(TControl* Control, const ControlDesc& Desc);
    void FocusChanged(TControl* Control);
    void RunFocusEvents();
    void ControlDestroyed(TControl* Control);
    void FocusFirst();
    void TakeFocus();
    // The arrow keys in a radio group: the next (or previous) button of the
    // focused one's group takes the focus and the check.
    bool SelectNextRadio(bool Forward);
    // Ctrl+Tab: the next (or previous) page of the page control that holds
    // the focus, else of the form's first one.
    bool TurnPage(bool Forward);
    void PlaceOnScreen();
    void RestoreMaximisedDocument();
    void CloseModal();

    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    bool FModal = false;
    HWND FClientHandle = nullptr;
    TMainMenu* FMenu = nullptr;
    TControl* FActiveControl = nullptr;
    // Focus events of a focus change, run once the change has finished.
    TControl* FExitPending = nullptr;
    TControl* FEnterPending = nullptr;
    class TFormCanvas;
    std::unique_ptr<TFormCanvas> FCanvas;
};

// The small window that shows a control's hint.
class THintWindow {
public:
    THintWindow();
    virtual ~THintWindow();
    TCanvas& Canvas();
    HWND Handle() const { return FHandle; }
    // The size that Text takes, at most MaxWidth wide.
    virtual RECT CalcHintRect(int MaxWidth, const std::string& Text);
    // Shows Text at Rect (screen coordinates) without taking the focus.
    virtual void ActivateHint(const RECT& Rect, const std::string& Text);
    void ReleaseHandle();
    const std::string& Text() const { return FText; }

private:
    static LRESULT CALLBACK HintProc(HWND, UINT, WPARAM, LPARAM);
    class THintCanvas;
    HWND FHandle = nullptr;
    std::string FText;
    std::unique_ptr<THintCanvas> FCanvas;
};

// The module's application object: its application window (made by the
// program, handed to a library), title, message loop and hint timing.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    HWND Handle() const { return FHandle; }
    void SetHandle(HWND Value) { FHandle = Value; }
    // A program makes its own hidden application window.
    void Initialize();
    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& Value);

    // Forms of the program: the first one made becomes the main form, whose
    // closing ends Run.
    template <class T>
    void CreateForm(T*& Ref) {
        Ref = new T(this);
        if (!FMainForm) FMainForm = Ref;
    }
    TForm* MainForm() const { return FMainForm; }
    // The program is minimised when its main form is; Restore shows it again.
    bool Minimized() const;
    void Restore();
    void Run();
    void Terminate();
    // Handles the messages that are waiting, then returns.
    void ProcessMessages();
    // Handles one message: hints, dialog keys, then the window's procedure.
    void ProcessMessage(MSG& Msg);

    int HintPause = 500;
    int HintHidePause = 2500;
    std::function<std::unique_ptr<THintWindow>()> HintWindowClass;
    template <class T>
    void SetHintWindowClass() {
        HintWindowClass = [] { return std::unique_ptr<THintWindow>(std::make_unique<T>()); };
        FHintWindow.reset();
    }
    THintWindow* HintWindow() const { return FHintWindow.get(); }
    void CancelHint();

    // The hint of what the mouse is over (a control, a menu item), whole;
    // OnHint runs when it changes. A hint whose short part begins with "~"
    // is for the status bar only and shows no tool tip.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    TNotifyEvent OnHint;
    // A control is going away: it no longer has a hint to show.
    void ControlDestroyed(TControl* Control);

    // Shows an exception that a guard caught; replaceable.
    std::function<void(const std::exception*)> OnException;
    void ShowException(const std::exception* E);

private:
    static void CALLBACK HintTimerProc(HWND, UINT, UINT_PTR, DWORD);
    void HintMouseMove(HWND Wnd);
    void ShowHintNow();
    void StopHintTimer();

    HWND FHandle = nullptr;
    bool FOwnHandle = false;
    std::string FTitle;
    std::string FHint;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FSwallowAltUp = false;
    TControl* FHintControl = nullptr;
    std::string FHintText;  // the hint of the control's part under the mouse
    UINT_PTR FHintTimer = 0;
    bool FHintShowing = false;
    std::unique_ptr<THintWindow> FHintWindow;
};

// The parts of a hint "short|long": the short part is the tool tip, the long
// part (the whole hint when it has no "|") goes to the status bar.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// The module's application object, made on first use.
TApplication& ApplicationInstance();
struct TApplicationRef {
    TApplication* operator->() const { return &ApplicationInstance(); }
    operator TApplication*() const { return &ApplicationInstance(); }  // NOLINT: stands for the object
};
inline constexpr TApplicationRef Application{};

// The screen's size in pixels, and the module's numbered cursors.
struct TScreen {
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    // The cursor in slot Index; the arrow for a slot never filled.
    HCURSOR Cursor(int Index) const;
    void SetCursor(int Index, HCURSOR Value) const;
    // While busy, the hour-glass shows over every window of the module.
    bool Busy() const;
    void SetBusy(bool Value) const;
    // The names of the font families installed for the screen, each once,
    // in the plain order of their upper-case names; read anew at each call, so that a
    // font installed meanwhile is there.
    std::vector<std::string> Fonts() const;
};
inline constexpr TScreen Screen{};

}  // namespace forms
