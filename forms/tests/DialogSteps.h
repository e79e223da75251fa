// Driving the library's modal dialogs from a test: steps run one after the
// other from the dialog's own message loop, the dialog in front, mouse
// clicks, and the message boxes the dialogs show.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Forms.h"
#include "TestSupport.h"
#include "Timer.h"

namespace dialogsteps {

using Step = std::function<void()>;

// Runs the steps from the modal loop of the dialog that the caller opens,
// each a moment after the one before has ended; the last one closes it.
// Keys that the dialog answers itself (Enter, Escape) go last in a step.
inline void Schedule(forms::TComponent& Owner, const std::vector<Step>& Steps, size_t I = 0) {
    if (I >= Steps.size()) return;
    testsupport::Later(
        &Owner,
        [&Owner, &Steps, I] {
            Steps[I]();
            Schedule(Owner, Steps, I + 1);
        },
        300);
}

// The form of this module that is the active window, as its own kind.
template <class T>
T* Active() {
    return dynamic_cast<T*>(forms::TForm::FromHandle(GetActiveWindow()));
}

// Lets the dialog handle the input sent so far, and paint.
inline void Settle() {
    testsupport::PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
    testsupport::PumpFor(100);
}

// A click at a point of the screen, handled before the step goes on.
inline void ClickAndSettle(POINT P) {
    testsupport::ClickAt(P);
    Settle();
}

// The caption or text of a window.
inline std::string TextOf(HWND Wnd) {
    char text[256] = {};
    GetWindowTextA(Wnd, text, sizeof text);
    return text;
}

inline BOOL CALLBACK AddWindowText(HWND Wnd, LPARAM Texts) {
    char text[512];
    GetWindowTextA(Wnd, text, sizeof text);
    if (*text) *reinterpret_cast<std::string*>(Texts) += std::string(text) + "\n";
    return TRUE;
}

// Whether a child window is drawn text (a label) rather than a control that
// takes input.
inline bool IsLabel(HWND Wnd) {
    char cls[32] = {};
    GetClassNameA(Wnd, cls, sizeof cls);
    return lstrcmpiA(cls, "Static") == 0 || lstrcmpiA(cls, "ZvForms.Graphic") == 0;
}

// The texts of a window and its children, one per line: what a message box
// says, its caption first, then its labels, then its buttons. (Labels lie
// beneath the controls, so the children's stacking order alone would put
// them last.)
inline std::string WindowTexts(HWND Wnd) {
    struct Walk {
        std::string Labels, Others;
        static BOOL CALLBACK Each(HWND Child, LPARAM Self) {
            auto* walk = reinterpret_cast<Walk*>(Self);
            AddWindowText(Child, reinterpret_cast<LPARAM>(IsLabel(Child) ? &walk->Labels : &walk->Others));
            return TRUE;
        }
    } walk;
    std::string texts;
    AddWindowText(Wnd, reinterpret_cast<LPARAM>(&texts));
    EnumChildWindows(Wnd, &Walk::Each, reinterpret_cast<LPARAM>(&walk));
    return texts + walk.Labels + walk.Others;
}

// Clicks Button of Dialog and answers the message box that comes up: its
// texts, caption first, or "<no box>".
inline std::string ClickAndAnswer(forms::TComponent& Owner, HWND Dialog, HWND Button) {
    std::string texts;
    bool answered = false;
    testsupport::WhenReady(
        Owner, [Dialog] { return GetActiveWindow() && GetActiveWindow() != Dialog; },
        [&] {
            texts = WindowTexts(GetActiveWindow());
            testsupport::Press(VK_RETURN);
            answered = true;
        });
    testsupport::ClickOn(Button);
    testsupport::PumpUntil([&] { return answered; }, 6000);
    Settle();
    return answered ? texts : "<no box>";
}

// Answers the next window that another module shows (a message box of the
// common library) with Key, once it is in front, noting its texts, caption
// first.
inline void AnswerOtherModulesBox(forms::TComponent& Owner, std::string& Texts, WORD Key = VK_RETURN) {
    testsupport::WhenReady(
        Owner, [] { return GetActiveWindow() && !forms::TForm::FromHandle(GetActiveWindow()); },
        [&Texts, Key] {
            Texts = WindowTexts(GetActiveWindow());
            testsupport::Press(Key);
        });
}

}  // namespace dialogsteps
