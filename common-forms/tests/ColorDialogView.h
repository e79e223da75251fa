// Reading the colour dialogs as a user sees them, from their windows and
// the screen's pixels, whichever module made them; and their stored choice.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "Registry.h"
#include "Zelvani.h"

namespace colorview {

using testsupport::ScreenPixel;

// The point of a window's client area on the screen.
inline POINT On(HWND Wnd, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Wnd, &p);
    return p;
}

struct TFind {
    std::function<bool(HWND)> Match;
    HWND Found = nullptr;
    static BOOL CALLBACK Visit(HWND Wnd, LPARAM Self) {
        auto* f = reinterpret_cast<TFind*>(Self);
        if (!IsWindowVisible(Wnd) || !f->Match(Wnd)) return TRUE;
        f->Found = Wnd;
        return FALSE;
    }
};

// The first visible window inside the dialog that matches.
inline HWND FindIn(HWND Dialog, std::function<bool(HWND)> Match) {
    TFind f{std::move(Match)};
    EnumChildWindows(Dialog, &TFind::Visit, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

inline std::string ClassOf(HWND Wnd) {
    char cls[64] = {};
    GetClassNameA(Wnd, cls, sizeof cls);
    return cls;
}

// The dialog's pictures and controls: the one of that size and class.
inline HWND OfSize(HWND Dialog, int Width, int Height, const char* Class = nullptr) {
    return FindIn(Dialog, [=](HWND w) {
        RECT r;
        GetClientRect(w, &r);
        return r.right == Width && r.bottom == Height && (!Class || lstrcmpiA(ClassOf(w).c_str(), Class) == 0);
    });
}
inline HWND OfClass(HWND Dialog, const char* Class) {
    return FindIn(Dialog, [=](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), Class) == 0; });
}

inline HWND Swatch(HWND Dialog) { return OfSize(Dialog, 61, 71); }
// The new colour (upper half of the swatch) and the current one (lower).
inline COLORREF NewShown(HWND Dialog) { return ScreenPixel(On(Swatch(Dialog), 30, 17)); }
inline COLORREF CurrentShown(HWND Dialog) { return ScreenPixel(On(Swatch(Dialog), 30, 53)); }

// The screen point (12, 11) of palette button Index (0 for the first).
inline POINT CellPoint(HWND Dialog, int Index) {
    HWND bar = OfClass(Dialog, TOOLBARCLASSNAMEA);
    RECT r = {};
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return On(bar, r.left + 12, r.top + 11);
}

inline POINT Pointer() {
    POINT p;
    GetCursorPos(&p);
    return p;
}

inline bool Same(POINT A, POINT B) { return A.x == B.x && A.y == B.y; }

// A grid key pressed with the mouse pointer on one palette cell (an index,
// 0 for the first; -1 for a point off the grid), and the cell the pointer
// must be moved to.
struct TGridMove {
    int From;
    WORD Key;
    int To;
};

// Runs the moves in the dialog; what went otherwise, one line a move.
inline std::vector<std::string> WrongMoves(HWND Dialog, const std::vector<TGridMove>& Moves) {
    std::vector<std::string> wrong;
    for (const TGridMove& m : Moves) {
        testsupport::MouseTo(m.From < 0 ? POINT{2, 2} : CellPoint(Dialog, m.From));
        dialogsteps::Settle();
        testsupport::Press(m.Key);
        dialogsteps::Settle();
        if (!Same(Pointer(), CellPoint(Dialog, m.To)))
            wrong.push_back("key " + std::to_string(m.Key) + " from cell " + std::to_string(m.From + 1) +
                            ": expected the pointer on cell " + std::to_string(m.To + 1));
    }
    return wrong;
}

// A click on the tab of page Index.
inline void ShowPage(HWND Dialog, int Index) {
    HWND tabs = OfClass(Dialog, WC_TABCONTROLA);
    RECT r = {};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    dialogsteps::ClickAndSettle(On(tabs, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

// Replaces the text of the focused field as typing does: the whole text
// selected, then the characters one by one.
inline void TypeOver(const std::string& Text) {
    testsupport::Press(VK_END);
    testsupport::Press(VK_HOME, true);
    for (char c : Text) testsupport::Press(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
    dialogsteps::Settle();
}

// What the number fields show after two things a user does in them:
// digits typed into Green, then a click on the upper arrow of the hue's
// up-down; Red emptied with Backspace, then 17 typed.
struct TFieldWork {
    HWND HueField = nullptr, GreenField = nullptr, RedField = nullptr;
    std::string Hue, Green, RedEmptied, RedTyped;
    COLORREF ShownEmptied = 0, ShownTyped = 0;
};

// The steps that work the fields of the dialog in front, whose number
// fields show, and close it with Escape. The dialog's own loop takes the
// Alt keys that lead to a field, so each goes last in its step.
inline std::vector<dialogsteps::Step> WorkTheNumberFields(TFieldWork& Seen) {
    using namespace testsupport;
    using dialogsteps::TextOf;
    return {[] { PressAlt('H'); },
            [&Seen] {
                Seen.HueField = GetFocus();
                PressAlt('G');
            },
            [&Seen] {
                Seen.GreenField = GetFocus();
                TypeOver("51");
                // The upper arrow of the hue's up-down, right of the field.
                RECT r;
                GetWindowRect(Seen.HueField, &r);
                dialogsteps::ClickAndSettle(POINT{r.right + 7, r.top + 4});
                Seen.Hue = TextOf(Seen.HueField);
                Seen.Green = TextOf(Seen.GreenField);
                PressAlt('R');
            },
            [&Seen] {
                Seen.RedField = GetFocus();
                Press(VK_END);
                for (int i = 0; i < 3; ++i) Press(VK_BACK);
                dialogsteps::Settle();
                Seen.RedEmptied = TextOf(Seen.RedField);
                Seen.ShownEmptied = NewShown(GetActiveWindow());
                for (WORD key : {'1', '7'}) Press(key);
                dialogsteps::Settle();
                Seen.RedTyped = TextOf(Seen.RedField);
                Seen.ShownTyped = NewShown(GetActiveWindow());
                Press(VK_ESCAPE);
            }};
}

// Checks what the steps of WorkTheNumberFields saw, starting from red (255, 0, 0).
inline void ExpectTheFieldWorkCounts(const TFieldWork& Seen) {
    // Green 51 makes hue 12; the arrow's step to 13 makes green 56.
    EXPECT_EQ(Seen.Hue, "13") << "the first arrow click after typing in the other row";
    EXPECT_EQ(Seen.Green, "56") << "green of hue 13 at full saturation and value";
    EXPECT_EQ(Seen.RedEmptied, "") << "the emptied field stays empty";
    EXPECT_EQ(GetRValue(Seen.ShownEmptied), 0) << "an empty field counts as 0 for the colour";
    EXPECT_EQ(Seen.RedTyped, "17") << "17 typed into the emptied field";
    EXPECT_EQ(Seen.ShownTyped, RGB(17, 56, 0));
}

constexpr const char* kColorKey = "Software\\Zelvani\\Common\\Color";

// The name of the value for the program tag and the caller's key.
inline std::string ValueName(const char* Tag, const char* Key) {
    ShortString name;
    ZvConvertStr(ShortString(Tag), ShortString(Key), name);
    return name.str();
}

// The stored flags, or -1 when there are none (or not as an integer).
inline int StoredFlags(const std::string& Name) {
    forms::TRegistry reg;
    if (!reg.OpenKeyReadOnly(kColorKey) || !reg.ValueExists(Name)) return -1;
    try {
        return reg.ReadInteger(Name);
    } catch (const std::exception&) {
        return -1;
    }
}

inline void StoreFlags(const std::string& Name, int Flags) {
    forms::TRegistry reg;
    reg.OpenKey(kColorKey, true);
    reg.WriteInteger(Name, Flags);
}

inline void ForgetFlags(const std::string& Name) {
    forms::TRegistry reg;
    if (reg.OpenKey(kColorKey, false)) reg.DeleteValue(Name);
}

}  // namespace colorview
