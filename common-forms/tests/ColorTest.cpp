// The colour dialog as a user meets it through ZvShowColor: the palette with
// the mouse and its keyboard grid, the system colours, the wheel, its marker,
// the bar, the number fields with their up-downs and the edit menu, OK and
// Cancel with the choice of model remembered per caller, and the caller's
// colour when it is a system colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ColorDialogView.h"
#include "TestSupport.h"
#include "ZvColor.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;
using namespace dialogsteps;
using namespace colorview;

namespace {

constexpr const char* kTag = "ZvColorProbe";
constexpr const char* kUse = "Probe";

std::string Rgb(COLORREF C) {
    return "(" + std::to_string(GetRValue(C)) + ", " + std::to_string(GetGValue(C)) + ", " +
           std::to_string(GetBValue(C)) + ")";
}

void MouseButton(DWORD Flags) {
    INPUT in = {INPUT_MOUSE};
    in.mi.dwFlags = Flags;
    SendInput(1, &in, sizeof in);
}

class ColorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProbe("ZvCom Colour Probe", kTag));
        ForgetFlags(Name());
    }
    void TearDown() override {
        ForgetFlags(Name());
        ZvComDone();
    }
    static std::string Name() { return ValueName(kTag, kUse); }

    // Shows the dialog for Color and runs the steps in it; the colour it
    // hands back.
    TColor Run(TColor Color, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        ZvShowColor(ShortString(kUse), Color);
        return Color;
    }
    static HWND Dialog() { return GetActiveWindow(); }
    static HWND Wheel() { return OfSize(Dialog(), 147, 147); }
    static HWND Bar() { return OfSize(Dialog(), 19, 147); }
    static std::string Focused() { return TextOf(GetFocus()); }
};

// ---- the palette and its keyboard grid ---------------------------------------------

TEST_F(ColorDialog, AClickOnAPaletteColourAndOKGiveThatColour) {
    COLORREF shownNew = 0, shownCurrent = 0;
    std::string caption;
    const TColor got = Run(0x00FF00, {[&] {
                                          caption = TextOf(Dialog());
                                          dialogsteps::ClickAndSettle(CellPoint(Dialog(), 16));  // "Red"
                                          shownNew = NewShown(Dialog());
                                          shownCurrent = CurrentShown(Dialog());
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(caption, "Colors");
    EXPECT_EQ(got, 0x0000FF);
    EXPECT_EQ(shownNew, RGB(255, 0, 0)) << "the new colour above, got " << Rgb(shownNew);
    EXPECT_EQ(shownCurrent, RGB(0, 255, 0)) << "the caller's colour below, got " << Rgb(shownCurrent);
}

TEST_F(ColorDialog, TheGridKeysMoveThePointerAndWrapAtTheEdges) {
    const std::vector<TGridMove> moves = {
        {1, VK_UP, 32},    // Brown to Rose: the bottom row, one column to the left
        {37, VK_DOWN, 6},  // Pale Blue to Indigo: the top row, one column to the right
        {7, VK_RIGHT, 8},  // Gray-80% to Dark Red, on to the next row
        {0, VK_UP, 0},     // Black has nothing above it
        {39, VK_DOWN, 39}, // White has nothing below it
        {0, VK_LEFT, 0},   {39, VK_RIGHT, 39}, {20, VK_HOME, 0}, {20, VK_END, 39},
        {9, VK_DOWN, 17},  {17, VK_UP, 9},     {-1, VK_LEFT, 0},
    };
    std::vector<std::string> wrong;
    POINT beforePageDown = {}, afterPageDown = {};
    const TColor got = Run(0xFFFFFF, {[&] {
                                          wrong = WrongMoves(Dialog(), moves);
                                          MouseTo(CellPoint(Dialog(), 20));
                                          Settle();
                                          beforePageDown = Pointer();
                                          Press(VK_NEXT);
                                          Settle();
                                          afterPageDown = Pointer();
                                          MouseTo(POINT{2, 2});
                                          Settle();
                                          Press(VK_SPACE);  // off the grid: Black
                                          Settle();
                                      },
                                      [] { Press(VK_RETURN); }});
    EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
    EXPECT_TRUE(Same(beforePageDown, afterPageDown)) << "Page Down leaves the pointer";
    EXPECT_EQ(got, 0x000000) << "Space off the grid picks Black";
}

TEST_F(ColorDialog, SpacePicksTheColourUnderThePointerAndTypingDoesNothing) {
    std::string typed = "?";
    const TColor got = Run(0xFFFFFF, {[&] {
                                          MouseTo(CellPoint(Dialog(), 24));  // "Pink"
                                          Settle();
                                          Press('A');
                                          Press(VK_SPACE);
                                          Settle();
                                          typed = Focused();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(got, 0xFF00FF);
    EXPECT_EQ(typed, "") << "the key field takes no characters";
}

// ---- the system colours ------------------------------------------------------------

TEST_F(ColorDialog, APickedSystemColourComesBackAsItsCurrentValue) {
    int items = 0;
    const TColor got = Run(0xFFFFFF, {[&] {
                                          items = static_cast<int>(
                                              SendMessageA(OfClass(Dialog(), "ComboBox"), CB_GETCOUNT, 0, 0));
                                          PressAlt('W');
                                      },
                                      [] {
                                          Press('D');  // "Desktop"
                                          Settle();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(items, 25) << "this system draws two-coloured captions: the second colours are listed";
    EXPECT_EQ(got, static_cast<TColor>(GetSysColor(COLOR_DESKTOP)));
}

// ---- the Custom page ---------------------------------------------------------------

TEST_F(ColorDialog, WithoutAStoredChoiceTheWheelCarriesSaturationAndOKStoresThree) {
    COLORREF centre = 0, rim = 0, markerBar = 0, markerGround = 0;
    const TColor got = Run(0x0000FF, {[&] { ShowPage(Dialog(), 1); },
                                      [&] {
                                          centre = ScreenPixel(On(Wheel(), 73, 73));
                                          rim = ScreenPixel(On(Wheel(), 73, 0));
                                          // Red lies at (146, 73), the marker's centre; its left
                                          // bar runs from 9 to 5 pixels left of it, and its corner
                                          // lets the wheel show.
                                          markerBar = ScreenPixel(On(Wheel(), 139, 73));
                                          markerGround = ScreenPixel(On(Wheel(), 139, 66));
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(got, 0x0000FF);
    EXPECT_EQ(centre, RGB(255, 255, 255)) << "the model Value: a white centre, got " << Rgb(centre);
    EXPECT_EQ(rim, RGB(128, 255, 0)) << "hue 90 at the top, fully saturated";
    EXPECT_EQ(markerBar, GetSysColor(COLOR_WINDOWTEXT)) << "the marker on red";
    EXPECT_NE(markerGround, GetSysColor(COLOR_WINDOWTEXT)) << "the wheel shows around the marker";
    EXPECT_EQ(StoredFlags(Name()), 3);
}

TEST_F(ColorDialog, TheStoredModelSatGivesADarkWheelAndTheChoiceIsStoredOnOK) {
    StoreFlags(Name(), 0);
    COLORREF centre = 0, afterChoice = 0;
    Run(0x0000FF, {[&] { ShowPage(Dialog(), 1); },
                   [&] {
                       centre = ScreenPixel(On(Wheel(), 73, 73));
                       PressAlt('M');
                   },
                   [&] {
                       Press(VK_DOWN);  // "Value"
                       Settle();
                       afterChoice = ScreenPixel(On(Wheel(), 73, 73));
                       Press(VK_RETURN);
                   }});
    EXPECT_EQ(centre, RGB(0, 0, 0)) << "the model Sat: a black centre, got " << Rgb(centre);
    EXPECT_EQ(afterChoice, RGB(255, 255, 255)) << "the model Value drawn anew";
    EXPECT_EQ(StoredFlags(Name()), 2) << "bit 0 as read (clear), bit 1 for Value";
}

TEST_F(ColorDialog, CancelKeepsTheColourAndWritesBackTheFlagsAsRead) {
    StoreFlags(Name(), 7);
    const TColor got = Run(0x123456, {[] { dialogsteps::ClickAndSettle(CellPoint(Dialog(), 16)); },
                                      [] { Press(VK_ESCAPE); }});
    EXPECT_EQ(got, 0x123456);
    EXPECT_EQ(StoredFlags(Name()), 7) << "every bit kept on Cancel";
    Run(0x123456, {[] { Press(VK_RETURN); }});
    EXPECT_EQ(StoredFlags(Name()), 3) << "OK keeps bits 0 and 1 only";
}

TEST_F(ColorDialog, AStoredValueOfAnotherTypeCountsAsNone) {
    {
        TRegistry reg;
        reg.OpenKey(kColorKey, true);
        reg.WriteString(Name(), "7");
    }
    COLORREF centre = 0;
    Run(0x0000FF, {[] { ShowPage(Dialog(), 1); },
                   [&] {
                       centre = ScreenPixel(On(Wheel(), 73, 73));
                       Press(VK_ESCAPE);
                   }});
    EXPECT_EQ(centre, RGB(255, 255, 255)) << "the default model Value";
    EXPECT_EQ(StoredFlags(Name()), 3) << "Cancel writes back the default, as an integer";
}

TEST_F(ColorDialog, TypingInASaturationFieldChangesTheColourAtEachKey) {
    std::vector<std::string> texts;
    std::vector<COLORREF> shown;
    const TColor got = Run(0x0000FF, {[] { ShowPage(Dialog(), 1); }, [] { PressAlt('S'); },
                                      [&] {
                                          Press(VK_END);
                                          Press(VK_HOME, true);
                                          for (WORD key : {'3', '0', '0'}) {
                                              Press(key);
                                              Settle();
                                              texts.push_back(Focused());
                                              shown.push_back(NewShown(Dialog()));
                                          }
                                          Press('X');  // not a digit: discarded
                                          Settle();
                                          texts.push_back(Focused());
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(texts, (std::vector<std::string>{"3", "30", "255", "255"}));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], RGB(255, 252, 252)) << Rgb(shown[0]);
    EXPECT_EQ(shown[1], RGB(255, 225, 225)) << Rgb(shown[1]);
    EXPECT_EQ(shown[2], RGB(255, 0, 0)) << Rgb(shown[2]);
    EXPECT_EQ(got, 0x0000FF);
}

TEST_F(ColorDialog, AnArrowStepAfterTheOtherRowCountsAndAnEmptiedFieldTakesNewDigits) {
    TFieldWork seen;
    std::vector<Step> steps = {[] { ShowPage(Dialog(), 1); }};
    for (Step& s : WorkTheNumberFields(seen)) steps.push_back(s);
    Run(0x0000FF, steps);
    ExpectTheFieldWorkCounts(seen);
}

TEST_F(ColorDialog, TheHueGoesRoundItsCircleWithTheKeysAndTheArrows) {
    std::vector<std::string> texts;
    std::vector<COLORREF> shown;
    auto look = [&] {
        Settle();
        texts.push_back(TextOf(GetFocus()));
        shown.push_back(NewShown(Dialog()));
    };
    const TColor got = Run(0x0000FF, {[] { ShowPage(Dialog(), 1); }, [] { PressAlt('H'); },
                                      [&] {
                                          Press(VK_DOWN);
                                          look();
                                          Press(VK_UP);
                                          look();
                                          // The lower arrow of the hue's up-down, right of the field.
                                          RECT r;
                                          GetWindowRect(GetFocus(), &r);
                                          dialogsteps::ClickAndSettle(POINT{r.right + 7, r.bottom - 4});
                                          look();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(texts, (std::vector<std::string>{"359", "0", "359"}));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], RGB(255, 0, 5)) << Rgb(shown[0]);
    EXPECT_EQ(shown[1], RGB(255, 0, 0)) << Rgb(shown[1]);
    EXPECT_EQ(shown[2], RGB(255, 0, 5)) << Rgb(shown[2]);
    EXPECT_EQ(got, 0x0500FF);
}

TEST_F(ColorDialog, AClickRightOfTheWheelsCentreIsRedAndStaysRed) {
    std::string hue, sat;
    const TColor got = Run(0xFFFFFF, {[] { ShowPage(Dialog(), 1); },
                                      [&] {
                                          dialogsteps::ClickAndSettle(On(Wheel(), 146, 73));
                                          PressAlt('H');
                                      },
                                      [&] {
                                          hue = Focused();
                                          PressAlt('S');
                                      },
                                      [&] {
                                          sat = Focused();
                                          PressAlt('V');
                                      },
                                      [] {
                                          TypeOver("200");
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(hue, "0") << "hue 360 is shown as 0";
    EXPECT_EQ(sat, "255") << "the rim is full saturation";
    EXPECT_EQ(got, 0x0000C8) << "a new value keeps the red hue";
}

TEST_F(ColorDialog, AClickAboveTheCentreGivesHue90) {
    std::string hue;
    Run(0xFFFFFF, {[] { ShowPage(Dialog(), 1); },
                   [&] {
                       dialogsteps::ClickAndSettle(On(Wheel(), 73, 20));
                       PressAlt('H');
                   },
                   [&] {
                       hue = Focused();
                       Press(VK_ESCAPE);
                   }});
    EXPECT_EQ(hue, "90");
}

// A drag from a point of a picture to another, which may lie outside it.
// The dialog keeps the mouse inside the picture while the button is down,
// but another program may free it (the confinement is the system's, one
// for all programs): here it is freed after the press.
void Drag(HWND Picture, POINT From, POINT To) {
    ToFront();
    MouseTo(On(Picture, From.x, From.y));
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Settle();
    ClipCursor(nullptr);
    MouseTo(On(Picture, To.x, To.y));
    Settle();
    MouseButton(MOUSEEVENTF_LEFTUP);
    Settle();
}

TEST_F(ColorDialog, DragsPastTheEdgesOfTheBarAndTheWheelStayInTheirRanges) {
    std::string up, down, sat;
    COLORREF above = 0, below = 0;
    Run(0x808080, {[] { ShowPage(Dialog(), 1); },
                   [&] {
                       // The bar carries the value of the grey.
                       Drag(Bar(), {9, 73}, {9, -60});
                       above = NewShown(Dialog());
                       Drag(Bar(), {9, 73}, {9, 220});
                       below = NewShown(Dialog());
                       // From the wheel's centre far out to its right.
                       Drag(Wheel(), {73, 73}, {300, 73});
                       PressAlt('S');
                   },
                   [&] {
                       sat = Focused();
                       Press(VK_ESCAPE);
                   }});
    EXPECT_EQ(above, RGB(255, 255, 255)) << "above the bar is its top, got " << Rgb(above);
    EXPECT_EQ(below, RGB(0, 0, 0)) << "below the bar is its bottom, got " << Rgb(below);
    EXPECT_EQ(sat, "255") << "beyond the rim is the rim";
}

// A click on item Index of the open pop-up menu.
void ClickMenuItem(int Index) {
    HWND menu = FindWindowA("#32768", nullptr);
    HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
    RECT r = {};
    GetMenuItemRect(nullptr, items, static_cast<UINT>(Index), &r);
    // Not brought to the front first: that would close the menu.
    MouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
}

TEST_F(ColorDialog, TextPastedIntoANumberFieldThatIsNoNumberReadsAsZero) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(g), "abc", 4);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    HWND field = nullptr, dialog = nullptr, frontAfter = nullptr;
    std::string pasted, left;
    auto rightClick = [&] {
        ToFront();
        MouseTo(CentreOf(field));
        MouseButton(MOUSEEVENTF_RIGHTDOWN);
        MouseButton(MOUSEEVENTF_RIGHTUP);
    };
    const TColor got = Run(0x0000FF, {[] { ShowPage(Dialog(), 1); }, [] { PressAlt('S'); },
                                      [&] {
                                          field = GetFocus();
                                          dialog = Dialog();
                                          rightClick();
                                      },
                                      [] { ClickMenuItem(7); },  // Select All
                                      [&] { rightClick(); },
                                      [] { ClickMenuItem(4); },  // Paste
                                      [&] {
                                          pasted = TextOf(field);
                                          Press(VK_TAB);
                                      },
                                      [&] {
                                          left = TextOf(field);
                                          frontAfter = GetActiveWindow();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(pasted, "abc");
    EXPECT_EQ(left, "0") << "leaving the field reads it as 0";
    EXPECT_EQ(frontAfter, dialog) << "no message came up";
    EXPECT_EQ(got, 0xFFFFFF) << "red without saturation is white";
}

// ---- the caller's colour -----------------------------------------------------------

TEST_F(ColorDialog, ASystemColourOfTheCallerShowsAsItsValueAndComesBackUnchanged) {
    const TColor face = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
    const COLORREF faceRgb = GetSysColor(COLOR_BTNFACE);
    COLORREF current = 0, shownNew = 0;
    std::string red;
    const TColor got = Run(face, {[&] {
                                      current = CurrentShown(Dialog());
                                      shownNew = NewShown(Dialog());
                                      ShowPage(Dialog(), 1);
                                  },
                                  [] { PressAlt('R'); },
                                  [&] {
                                      red = Focused();
                                      Press(VK_RETURN);
                                  }});
    EXPECT_EQ(current, faceRgb) << Rgb(current);
    EXPECT_EQ(shownNew, faceRgb) << Rgb(shownNew);
    EXPECT_EQ(red, std::to_string(GetRValue(faceRgb))) << "the fields show the colour's value";
    EXPECT_EQ(got, face) << "confirmed without a change, the caller's own value";

    const TColor damaged = 0x02123456;
    const TColor kept = Run(damaged, {[&] {
                                          current = CurrentShown(Dialog());
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(current, RGB(0x56, 0x34, 0x12)) << Rgb(current);
    EXPECT_EQ(kept, damaged);
}

TEST_F(ColorDialog, NewSystemColoursShowAtOnce) {
    const int face = COLOR_BTNFACE;
    const COLORREF before = GetSysColor(COLOR_BTNFACE), green = RGB(0, 200, 0);
    COLORREF ground = 0, current = 0;
    Run(static_cast<TColor>(0x80000000u | COLOR_BTNFACE), {[] { ShowPage(Dialog(), 1); },
                                                           [&] {
                                                               SetSysColors(1, &face, &green);
                                                               Settle();
                                                               ground = ScreenPixel(On(Wheel(), 0, 0));
                                                               current = CurrentShown(Dialog());
                                                               SetSysColors(1, &face, &before);
                                                               Settle();
                                                               Press(VK_ESCAPE);
                                                           }});
    EXPECT_EQ(ground, green) << "the wheel's ground is the dialog's face colour, got " << Rgb(ground);
    EXPECT_EQ(current, green) << "the caller's system colour shows its new value, got " << Rgb(current);
}

// A box of the system's left open by the dialog, closed and reported.
struct TBoxWatch {
    std::string Seen;
    static BOOL CALLBACK Look(HWND Wnd, LPARAM Self) {
        if (IsWindowVisible(Wnd) && ClassOf(Wnd) == "#32770") {
            reinterpret_cast<TBoxWatch*>(Self)->Seen = WindowTexts(Wnd);
            PostMessageA(Wnd, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }
};

TEST_F(ColorDialog, AColourIsChosenEvenWhereTheChoiceCannotBeStored) {
    // The user's keys lie in a volatile key for the moment, under which no
    // lasting key can be made.
    HKEY volatileRoot = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ZvColorProbeVolatile", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &volatileRoot, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, volatileRoot), ERROR_SUCCESS);
    TComponent owner(nullptr);
    TBoxWatch watch;
    auto* timer = new TTimer(&owner);
    timer->SetInterval(200);
    timer->OnTimer = [&](TComponent*) {
        EnumThreadWindows(GetCurrentThreadId(), &TBoxWatch::Look, reinterpret_cast<LPARAM>(&watch));
    };
    const TColor got = Run(0xFFFFFF, {[] {
                                          MouseTo(CellPoint(Dialog(), 16));
                                          Settle();
                                          Press(VK_SPACE);
                                          Settle();
                                          Press(VK_RETURN);
                                      }});
    HKEY made = nullptr;
    const bool stored = RegOpenKeyExA(HKEY_CURRENT_USER, kColorKey, 0, KEY_READ, &made) == ERROR_SUCCESS;
    if (made) RegCloseKey(made);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(volatileRoot);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZvColorProbeVolatile");
    EXPECT_EQ(got, 0x0000FF);
    EXPECT_EQ(watch.Seen, "") << "no error shown";
    EXPECT_FALSE(stored) << "no key could be made";
}

}  // namespace
