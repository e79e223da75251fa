// The check that a dialog shows every caption and number whole, walking
// its windows whichever module made them and measuring with each control's
// own font, on each page of its page controls and for each choice of its
// lists:
// - a label's text fits its bounds, inside its parent, and no windowed
//   control covers it;
// - a button's, check box's, radio button's and group's caption fits;
// - a number field holds its number (for one with arrows, the largest the
//   arrows reach) and its arrows lie beside it, inside their parent;
// - a label or picture lies beneath every windowed control it overlaps.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace layoutcheck {

using testsupport::PumpFor;

inline std::string ClassOf(HWND Wnd) {
    char cls[64] = "";
    GetClassNameA(Wnd, cls, sizeof cls);
    return cls;
}

inline std::string TextOf(HWND Wnd) {
    char text[1024] = "";
    GetWindowTextA(Wnd, text, sizeof text);
    return text;
}

inline bool Is(HWND Wnd, const char* Class) { return lstrcmpiA(ClassOf(Wnd).c_str(), Class) == 0; }

// Labels and pictures are drawn on their parent; everything else is a
// windowed control.
inline bool Drawn(HWND Wnd) { return Is(Wnd, "Static") || Is(Wnd, "ZvForms.Graphic"); }

inline LONG_PTR StyleOf(HWND Wnd) { return GetWindowLongPtrA(Wnd, GWL_STYLE); }

// A window's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    MapWindowPoints(nullptr, GetParent(Wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline bool Overlap(const RECT& A, const RECT& B) {
    RECT common;
    return IntersectRect(&common, &A, &B) != FALSE;
}

// The room a text takes in the window's font: DT_ flags, wrapped at Width
// when they say so.
inline SIZE Measure(HWND Wnd, const std::string& Text, UINT Flags, int Width = 0) {
    HDC dc = GetDC(Wnd);
    auto* font = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT r = {0, 0, Width, 0};
    DrawTextA(dc, Text.c_str(), -1, &r, Flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(Wnd, dc);
    return SIZE{r.right, r.bottom};
}

class LayoutCheck {
public:
    explicit LayoutCheck(std::string Where) : FWhere(std::move(Where)) {}
    std::vector<std::string> Problems;

    // Checks the dialog on each page of each page control, and for each
    // choice of each list.
    void CheckDialog(HWND Dialog, const std::string& Step = "") {
        const std::vector<HWND> tabs = Visible(Dialog, WC_TABCONTROLA);
        if (tabs.empty()) return CheckChoices(Dialog, Step);
        for (HWND tab : tabs) {
            const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
            const int was = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
            for (int i = 0; i < count; ++i) {
                SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(i), 0);
                PumpFor(50);
                CheckChoices(Dialog, Step + "page " + std::to_string(i + 1) + ", ");
            }
            SendMessageA(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(was), 0);
            PumpFor(50);
        }
    }

private:
    static std::vector<HWND> Visible(HWND Dialog, const char* Class) {
        std::vector<HWND> found;
        struct Walk {
            const char* Class;
            std::vector<HWND>& Found;
            static BOOL CALLBACK Each(HWND w, LPARAM p) {
                auto* walk = reinterpret_cast<Walk*>(p);
                if (IsWindowVisible(w) && (!walk->Class || Is(w, walk->Class))) walk->Found.push_back(w);
                return TRUE;
            }
        } walk{Class, found};
        EnumChildWindows(Dialog, &Walk::Each, reinterpret_cast<LPARAM>(&walk));
        return found;
    }

    // The choice made in a list, as the user's choice tells its parent.
    static void Choose(HWND List, int Index) {
        SendMessageA(List, CB_SETCURSEL, static_cast<WPARAM>(Index), 0);
        SendMessageA(GetParent(List), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(List), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List));
        PumpFor(30);
    }

    void CheckChoices(HWND Dialog, const std::string& Page) {
        CheckWindows(Dialog, Page);
        for (HWND list : Visible(Dialog, WC_COMBOBOXA)) {
            if (!IsWindowEnabled(list)) continue;
            const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
            const int was = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
            for (int i = 0; i < count; ++i) {
                Choose(list, i);
                CheckWindows(Dialog, Page + "choice " + std::to_string(i + 1) + " of a list, ");
            }
            if (was >= 0) Choose(list, was);
        }
    }

    void Report(HWND Wnd, const std::string& Context, const std::string& What) {
        const std::string line = FWhere + ", " + Context + ClassOf(Wnd) + " \"" + TextOf(Wnd) + "\": " + What;
        if (FSeen.insert(line).second) Problems.push_back(line);
    }

    void CheckWindows(HWND Dialog, const std::string& Context) {
        for (HWND w : Visible(Dialog, nullptr)) {
            if (Is(w, "Static")) CheckLabel(w, Context);
            if (Is(w, "Button")) CheckButton(w, Context);
            if (Is(w, UPDOWN_CLASSA)) CheckArrows(w, Context);
            if (Is(w, "Edit") && Is(GetParent(w), "Edit") == false) CheckNumber(w, TextOf(w), Context);
            if (Drawn(w)) CheckBeneath(w, Context);
        }
    }

    // The text's rectangle inside the label, as the static control sets it.
    void CheckLabel(HWND Label, const std::string& Context) {
        const std::string text = TextOf(Label);
        const LONG_PTR style = StyleOf(Label);
        const LONG_PTR type = style & SS_TYPEMASK;
        if (text.empty() || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP))
            return;
        RECT client;
        GetClientRect(Label, &client);
        const UINT flags = (style & SS_NOPREFIX ? DT_NOPREFIX : 0) |
                           (type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK);
        const SIZE need = Measure(Label, text, flags, client.right);
        if (need.cx > client.right || need.cy > client.bottom)
            Report(Label, Context,
                   "needs " + std::to_string(need.cx) + " x " + std::to_string(need.cy) + " pixels, has " +
                       std::to_string(client.right) + " x " + std::to_string(client.bottom));
        RECT place = PlaceOf(Label);
        const int left = type == SS_CENTER  ? (client.right - need.cx) / 2
                         : type == SS_RIGHT ? client.right - need.cx
                                            : 0;
        const RECT shown = {place.left + left, place.top, place.left + left + need.cx, place.top + need.cy};
        InsideParent(Label, shown, Context);
        for (HWND sibling = GetWindow(GetParent(Label), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT))
            if (sibling != Label && IsWindowVisible(sibling) && !Drawn(sibling) && Overlap(shown, PlaceOf(sibling)))
                Report(Label, Context,
                       "its text (" + std::to_string(shown.left) + ".." + std::to_string(shown.right) + ", " +
                           std::to_string(shown.top) + ".." + std::to_string(shown.bottom) + ") runs under " +
                           ClassOf(sibling) + " \"" + TextOf(sibling) + "\" at " +
                           std::to_string(PlaceOf(sibling).left) + ", " + std::to_string(PlaceOf(sibling).top));
    }

    void InsideParent(HWND Wnd, const RECT& Shown, const std::string& Context) {
        RECT parent;
        GetClientRect(GetParent(Wnd), &parent);
        if (Shown.left < 0 || Shown.top < 0 || Shown.right > parent.right || Shown.bottom > parent.bottom)
            Report(Wnd, Context, "runs past its parent's edge (" + std::to_string(Shown.right) + " > " +
                                     std::to_string(parent.right) + " or " + std::to_string(Shown.bottom) + " > " +
                                     std::to_string(parent.bottom) + ")");
    }

    // A caption beside a check mark or a radio dot, on a push button or at
    // the top of a group.
    void CheckButton(HWND Button, const std::string& Context) {
        const LONG_PTR type = StyleOf(Button) & BS_TYPEMASK;
        int room = 0;
        switch (type) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: room = 6; break;  // the raised edges
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: room = 13 + 4; break;  // the box and the gap after it
        case BS_GROUPBOX: room = 2 * 8; break;          // the frame's run on each side
        default: return;                                // drawn by their owner
        }
        const std::string text = TextOf(Button);
        if (text.empty()) return;
        RECT client;
        GetClientRect(Button, &client);
        const SIZE need = Measure(Button, text, DT_SINGLELINE);
        if (need.cx + room > client.right || need.cy > client.bottom)
            Report(Button, Context,
                   "needs " + std::to_string(need.cx + room) + " x " + std::to_string(need.cy) + " pixels, has " +
                       std::to_string(client.right) + " x " + std::to_string(client.bottom));
        InsideParent(Button, PlaceOf(Button), Context);
    }

    // A field that holds a number shows the whole of it.
    void CheckNumber(HWND Edit, const std::string& Number, const std::string& Context) {
        if (Number.empty() || Number.find_first_not_of("0123456789,-") != std::string::npos) return;
        RECT room;
        SendMessageA(Edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        const SIZE need = Measure(Edit, Number, DT_SINGLELINE | DT_NOPREFIX);
        if (need.cx > room.right - room.left)
            Report(Edit, Context,
                   "\"" + Number + "\" needs " + std::to_string(need.cx) + " pixels, the field shows " +
                       std::to_string(room.right - room.left));
        InsideParent(Edit, PlaceOf(Edit), Context);
    }

    // Arrows beside their field, which holds the largest number they reach.
    void CheckArrows(HWND Arrows, const std::string& Context) {
        InsideParent(Arrows, PlaceOf(Arrows), Context);
        auto* field = reinterpret_cast<HWND>(SendMessageA(Arrows, UDM_GETBUDDY, 0, 0));
        if (!field) return;
        // The arrows are drawn over the field's border, two pixels wide.
        const RECT arrows = PlaceOf(Arrows), place = PlaceOf(field);
        RECT common;
        if (IntersectRect(&common, &arrows, &place) && common.right - common.left > 2)
            Report(Arrows, Context,
                   "the arrows lie " + std::to_string(common.right - common.left) + " pixels over their field \"" +
                       TextOf(field) + "\"");
        int low = 0, high = 0;
        SendMessageA(Arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        std::string largest = std::to_string(high);
        if (!(StyleOf(Arrows) & UDS_NOTHOUSANDS))
            for (int at = static_cast<int>(largest.size()) - 3; at > 0; at -= 3) largest.insert(largest.begin() + at, ',');
        CheckNumber(field, largest, Context);
    }

    // A label or picture lies beneath the windowed controls it overlaps.
    void CheckBeneath(HWND Drawing, const std::string& Context) {
        bool above = true;  // walking down the siblings from the top, until the drawing
        for (HWND sibling = GetWindow(GetParent(Drawing), GW_CHILD); sibling;
             sibling = GetWindow(sibling, GW_HWNDNEXT)) {
            if (sibling == Drawing) {
                above = false;
                continue;
            }
            if (!above && IsWindowVisible(sibling) && !Drawn(sibling) && Overlap(PlaceOf(Drawing), PlaceOf(sibling)))
                Report(Drawing, Context, "lies above " + ClassOf(sibling) + " \"" + TextOf(sibling) + "\"");
        }
    }

    std::string FWhere;
    std::set<std::string> FSeen;
};

}  // namespace layoutcheck
