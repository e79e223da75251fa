// The captured-screen preview driven as a user drives it: an area dragged
// over a picture of known pixels, the task chosen in the list, OK, Cancel,
// Escape and the close box; the moving frame read back from the screen, the
// scroll bars of a picture larger than the box, pictures too small for a
// selection, and the drawing of the task list.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SelectionFramePattern.h"
#include "TestSupport.h"
#include "ZvScreen.h"

using namespace testsupport;

namespace {

COLORREF PatternAt(int X, int Y) { return RGB((X * 7) & 255, (Y * 11) & 255, ((X + Y) * 3) & 255); }

std::unique_ptr<forms::TBitmap> MakePicture(int W, int H) {
    auto b = std::make_unique<forms::TBitmap>();
    b->SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            std::uint8_t* p = b->ScanLine(y) + 3 * x;
            const COLORREF c = PatternAt(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return b;
}

// The preview's windows: the picture is the layer's control three levels
// down (box, view, picture), the others are known by their class or text.
struct Preview {
    HWND Form, Picture, Horz, Vert, Combo, SelectAll, OK, Cancel;
};

BOOL CALLBACK Collect(HWND Wnd, LPARAM Data) {
    auto& p = *reinterpret_cast<Preview*>(Data);
    char cls[64], text[64];
    GetClassNameA(Wnd, cls, sizeof cls);
    GetWindowTextA(Wnd, text, sizeof text);
    int depth = 0;
    for (HWND w = Wnd; w != p.Form; w = GetParent(w)) ++depth;
    if (std::string(cls) == "ZvForms.Graphic" && depth == 3) p.Picture = Wnd;
    if (lstrcmpiA(cls, "ScrollBar") == 0) (GetWindowLongA(Wnd, GWL_STYLE) & SBS_VERT ? p.Vert : p.Horz) = Wnd;
    if (lstrcmpiA(cls, "ComboBox") == 0) p.Combo = Wnd;
    const std::string t = text;
    if (t == "Select &All") p.SelectAll = Wnd;
    if (t == "OK") p.OK = Wnd;
    if (t == "Cancel") p.Cancel = Wnd;
    return TRUE;
}

Preview Find() {
    Preview p = {GetActiveWindow()};
    EnumChildWindows(p.Form, &Collect, reinterpret_cast<LPARAM>(&p));
    return p;
}

// Lets the dialog handle the input sent so far, and paint.
void Settle() {
    PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
    PumpFor(60);
}

POINT OnScreen(HWND Wnd, POINT P) {
    ClientToScreen(Wnd, &P);
    return P;
}

RECT InParent(HWND Wnd) {
    RECT r;
    GetWindowRect(Wnd, &r);
    MapWindowPoints(nullptr, GetParent(Wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A drag with the left button between two points of the picture control.
// Unclip: once the button is down the mouse is let go, as the system lets it
// go when another window comes to the front, so that it can leave the
// picture.
void Drag(HWND Picture, POINT From, POINT To, bool Unclip = false) {
    ToFront();
    MouseTo(OnScreen(Picture, From));
    Settle();
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Settle();
    if (Unclip) ClipCursor(nullptr);
    MouseTo(OnScreen(Picture, {(From.x + To.x) / 2, (From.y + To.y) / 2}));
    MouseTo(OnScreen(Picture, To));
    Settle();
    Mouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

// The phase of the frame of Sel that the screen shows over the test picture
// where the picture control lies; -1 for the plain picture, -2 for anything
// else (another window over it, say).
int ShownFramePhase(HWND Picture, int W, int H, const RECT& Sel) {
    std::vector<DWORD> px(static_cast<size_t>(W) * H);
    const POINT at = OnScreen(Picture, {0, 0});
    HDC dc = GetDC(nullptr), mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, W, H);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, W, H, dc, at.x, at.y, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB}};
    GetDIBits(mem, bmp, 0, static_cast<UINT>(H), px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, dc);
    auto shows = [&](int Phase) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const bool dashed = Phase >= 0 && x >= Sel.left && x < Sel.right && y >= Sel.top && y < Sel.bottom &&
                                    InSelectionFrame(Sel.right - Sel.left, Sel.bottom - Sel.top, Phase, x - Sel.left,
                                                     y - Sel.top);
                const DWORD want = PatternAt(x, y) ^ (dashed ? 0xFFFFFF : 0);
                const DWORD got = px[static_cast<size_t>(y) * W + x];
                if (want != RGB((got >> 16) & 255, (got >> 8) & 255, got & 255)) return false;
            }
        return true;
    };
    for (int phase = -1; phase < 8; ++phase)
        if (shows(phase)) return phase;
    return -2;
}

// The frame's phase the screen shows (ShownFramePhase) once it shows a
// frame, or the plain picture when Framed is false, or after 3 seconds: what
// the dialog has just drawn may not have reached the screen yet.
int FramePhase(HWND Picture, int W, int H, const RECT& Sel, bool Framed = true) {
    int phase = -2;
    PumpUntil([&] { return ((phase = ShownFramePhase(Picture, W, H, Sel)) >= 0) == Framed && phase != -2; }, 3000);
    return phase;
}

std::string Text(const RECT& R) {
    return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
           std::to_string(R.bottom) + ")";
}

struct Outcome {
    bool Result = false;
    int ThenIndex = 0;
    RECT Area = {5, 5, 9, 9};
    std::string Caption;
};

// Opens the preview on Picture and runs the steps from its modal loop, each
// a moment after the one before has ended; the last one closes the dialog.
// Keys that the dialog itself answers (Enter, Escape, Alt and a letter) go
// last in a step, so that its own loop takes them.
typedef std::function<void(const Preview&)> Step;
Outcome ShowPreview(forms::TBitmap* Picture, const std::vector<Step>& Steps, int ThenIndex = 1,
                    bool IsCaptured = false, BYTE Animate = 0) {
    forms::Application->Initialize();
    ZvScreenInit(forms::Application->Handle(), ShortString("Mirolux"), ShortString("ML"));
    forms::TComponent owner(nullptr);
    Outcome o;
    std::function<void(size_t)> next = [&](size_t i) {
        auto run = [&, i] {
            const Preview p = Find();
            char caption[64] = "";
            GetWindowTextA(p.Form, caption, sizeof caption);
            o.Caption = caption;
            Steps[i](p);
            if (i + 1 < Steps.size()) next(i + 1);
        };
        Later(&owner, run, 400);
    };
    next(0);
    o.ThenIndex = ThenIndex;
    o.Result = ZvShowPrevious(IsCaptured, Animate, Picture, o.ThenIndex, o.Area);
    ClipCursor(nullptr);
    return o;
}

TEST(CapturedScreen, DraggedAreaHoldsBothCornerPixelsWhicheverWayStopsAtThePicturesEdgesAndBringsTheTask) {
    auto picture = MakePicture(300, 200);
    // Unclip: the drag leaves the picture.
    for (auto [from, to, unclip, want] : {std::tuple{POINT{40, 30}, POINT{139, 89}, false, "(40, 30, 140, 90)"},
                                          std::tuple{POINT{139, 89}, POINT{40, 30}, false, "(40, 30, 140, 90)"},
                                          std::tuple{POINT{250, 150}, POINT{420, 290}, true, "(250, 150, 300, 200)"},
                                          std::tuple{POINT{60, 50}, POINT{-90, -70}, true, "(0, 0, 61, 51)"}}) {
        bool barsEnabled = true;
        RECT at = {};
        CURSORINFO cursor = {sizeof cursor};
        const Outcome o = ShowPreview(picture.get(), {[&](const Preview& p) {
                                          barsEnabled = IsWindowEnabled(p.Horz) || IsWindowEnabled(p.Vert);
                                          at = InParent(p.Picture);
                                          Drag(p.Picture, from, to, unclip);
                                          GetCursorInfo(&cursor);
                                          Press(VK_DOWN);  // the list has the focus: the next task
                                          Settle();
                                          Press(VK_RETURN);
                                      }},
                                      1, true);
        EXPECT_EQ(o.Caption, "Captured Screen");
        EXPECT_FALSE(barsEnabled) << "the picture fits the box";
        EXPECT_EQ(Text(at), "(0, 0, 300, 200)") << "the picture 1:1 at the view's corner";
        if (!unclip) {
            EXPECT_EQ(cursor.hCursor, LoadCursorA(GetModuleHandleA("ZvScreen.dll"), "CROSS"));
        }
        EXPECT_TRUE(o.Result);
        EXPECT_EQ(Text(o.Area), want) << "dragged from " << from.x << ", " << from.y << " to " << to.x << ", " << to.y;
        EXPECT_EQ(o.ThenIndex, 2);
    }
}

TEST(CapturedScreen, TheScreenShowsTheFrameOfTheDraggedAreaWhichOKReturns) {
    auto picture = MakePicture(300, 200);
    int whole = -2, dragged = -2;
    const Outcome o = ShowPreview(picture.get(), {[&](const Preview& p) {
                                      whole = FramePhase(p.Picture, 300, 200, {0, 0, 300, 200});
                                      Drag(p.Picture, {30, 20}, {129, 79});
                                      PumpFor(400);  // a tick of the frame
                                      dragged = FramePhase(p.Picture, 300, 200, {30, 20, 130, 80});
                                      ClickOn(p.OK);
                                  }});
    EXPECT_GE(whole, 0) << "the frame of the whole picture is not on the screen";
    EXPECT_GE(dragged, 0) << "the frame of the dragged area is not on the screen (-1: the plain picture)";
    EXPECT_TRUE(o.Result);
    EXPECT_EQ(Text(o.Area), "(30, 20, 130, 80)");
}

TEST(CapturedScreen, CancelEscapeAndTheCloseBoxReturnFalseWithTheEmptyAreaAndTheClampedTask) {
    auto picture = MakePicture(300, 200);
    const struct {
        int ThenIndex, Clamped;
        Step Close;
    } kWays[] = {{9, 4, [](const Preview& p) { ClickOn(p.Cancel); }},
                 {-3, 0, [](const Preview&) { Press(VK_ESCAPE); }},
                 {2, 2, [](const Preview& p) { PostMessageA(p.Form, WM_SYSCOMMAND, SC_CLOSE, 0); }}};
    for (const auto& way : kWays) {
        LRESULT shown = -1;
        const Outcome o = ShowPreview(picture.get(), {[&](const Preview& p) {
                                          shown = SendMessageA(p.Combo, CB_GETCURSEL, 0, 0);
                                          Drag(p.Picture, {10, 10}, {100, 100});
                                          way.Close(p);
                                      }},
                                      way.ThenIndex);
        EXPECT_EQ(o.Caption, "Previous Screen");
        EXPECT_EQ(shown, way.Clamped) << "task " << way.ThenIndex << " preselected";
        EXPECT_FALSE(o.Result);
        EXPECT_EQ(Text(o.Area), "(0, 0, 0, 0)");
        EXPECT_EQ(o.ThenIndex, way.Clamped);
    }
}

TEST(CapturedScreen, TheFrameIsTheDashPatternOfTheSelectionAndMarchesOnlyWhenAnimated) {
    auto picture = MakePicture(120, 90);
    for (BYTE animate : {1, 0}) {
        int first = -2, later = -2;
        ShowPreview(picture.get(), {[&](const Preview& p) {
                        first = FramePhase(p.Picture, 120, 90, {0, 0, 120, 90});
                        PumpFor(600);
                        later = FramePhase(p.Picture, 120, 90, {0, 0, 120, 90});
                        Press(VK_ESCAPE);
                    }},
                    1, false, animate);
        EXPECT_GE(first, 0) << "the whole picture framed";
        EXPECT_GE(later, 0);
        if (animate) {
            EXPECT_NE(first, later) << "the frame marches";
        } else {
            EXPECT_EQ(first, 0) << "the frame stands still at phase 0";
            EXPECT_EQ(later, 0);
        }
    }
}

TEST(CapturedScreen, ASmallDragIsDroppedAndErasesTheFrameAndAltASelectsAllAgain) {
    auto picture = MakePicture(120, 90);
    int before = -2, after = -2, again = -2;
    bool okAfterDrop = true, allAfterDrop = false, okAgain = false, allAgain = true, okFocused = false;
    auto dropSmall = [&](const Preview& p) {
        before = FramePhase(p.Picture, 120, 90, {0, 0, 120, 90});
        Drag(p.Picture, {50, 20}, {52, 29});  // 3 x 10
        PumpFor(300);
        after = FramePhase(p.Picture, 120, 90, {0, 0, 120, 90}, false);
        okAfterDrop = IsWindowEnabled(p.OK);
        allAfterDrop = IsWindowEnabled(p.SelectAll);
        PressAlt('A');
    };
    auto selectedAll = [&](const Preview& p) {
        again = FramePhase(p.Picture, 120, 90, {0, 0, 120, 90});
        okAgain = IsWindowEnabled(p.OK);
        allAgain = IsWindowEnabled(p.SelectAll);
        okFocused = GetFocus() == p.OK;
        Press(VK_RETURN);
    };
    const Outcome o = ShowPreview(picture.get(), {dropSmall, selectedAll});
    EXPECT_GE(before, 0) << "the whole picture is selected at first";
    EXPECT_EQ(after, -1) << "the picture is as it was";
    EXPECT_FALSE(okAfterDrop);
    EXPECT_TRUE(allAfterDrop);
    EXPECT_GE(again, 0);
    EXPECT_TRUE(okAgain && okFocused);
    EXPECT_FALSE(allAgain) << "the whole picture is selected";
    EXPECT_TRUE(o.Result);
    EXPECT_EQ(Text(o.Area), "(0, 0, 120, 90)");
}

TEST(CapturedScreen, APictureLargerThanTheBoxScrollsAndTheAreaStaysInPictureCoordinates) {
    auto picture = MakePicture(1200, 800);
    SCROLLINFO horz = {sizeof horz, SIF_ALL}, vert = {sizeof vert, SIF_ALL};
    RECT hbar = {}, vbar = {}, at = {};
    bool enabled = false;
    const Outcome o = ShowPreview(picture.get(), {[&](const Preview& p) {
        enabled = IsWindowEnabled(p.Horz) && IsWindowEnabled(p.Vert);
        GetScrollInfo(p.Horz, SB_CTL, &horz);
        GetScrollInfo(p.Vert, SB_CTL, &vert);
        GetClientRect(p.Horz, &hbar);
        GetClientRect(p.Vert, &vbar);
        ToFront();  // a click on the track right of the thumb
        MouseTo(OnScreen(p.Horz, {hbar.right * 9 / 10, hbar.bottom / 2}));
        Settle();
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Mouse(MOUSEEVENTF_LEFTUP);
        Settle();
        at = InParent(p.Picture);
        Drag(p.Picture, {-at.left + 10, 10}, {-at.left + 109, 59});
        Press(VK_RETURN);
    }});
    EXPECT_TRUE(enabled);
    EXPECT_EQ(horz.nMax, 1200);
    EXPECT_EQ(static_cast<int>(horz.nPage), hbar.right + 1);
    EXPECT_EQ(vert.nMax, 800);
    EXPECT_EQ(static_cast<int>(vert.nPage), vbar.bottom + 1);
    EXPECT_EQ(at.left, -(hbar.right + 1 - 20)) << "a page less 20 pixels on";
    EXPECT_TRUE(o.Result);
    EXPECT_EQ(Text(o.Area), Text({-at.left + 10, 10, -at.left + 110, 60}));
}

TEST(CapturedScreen, PicturesTooSmallForASelectionOrNoneLeaveOKDisabled) {
    auto tiny = MakePicture(3, 10);
    for (forms::TBitmap* picture : {tiny.get(), static_cast<forms::TBitmap*>(nullptr)}) {
        bool ok = true, selectAll = false, open = false;
        auto pressEnter = [&](const Preview& p) {
            ok = IsWindowEnabled(p.OK);
            selectAll = IsWindowEnabled(p.SelectAll);
            Press(VK_RETURN);
        };
        auto pressEscape = [&](const Preview& p) {
            open = IsWindowVisible(p.Form);
            Press(VK_ESCAPE);
        };
        const Outcome o = ShowPreview(picture, {pressEnter, pressEscape});
        EXPECT_FALSE(ok);
        EXPECT_TRUE(selectAll);
        EXPECT_TRUE(open) << "Enter does not close the dialog without a selection";
        EXPECT_FALSE(o.Result);
        EXPECT_EQ(Text(o.Area), "(0, 0, 0, 0)");
    }
}

// How the closed list shows its item, read inside the focus frame: whether
// the image's place and the text's place hold more than one colour.
std::string ItemLook(HWND Combo) {
    COMBOBOXINFO info = {sizeof info};
    GetComboBoxInfo(Combo, &info);
    const RECT r = info.rcItem;
    HDC dc = GetDC(Combo);
    auto drawn = [&](int X1, int X2) {
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = X1; x < X2; ++x)
                if (GetPixel(dc, x, y) != GetPixel(dc, X1, r.top + 2)) return true;
        return false;
    };
    const bool image = drawn(r.left + 2, r.left + 16), text = drawn(r.left + 19, r.left + 60);
    ReleaseDC(Combo, dc);
    return std::string(image ? "image " : "") + (text ? "text" : image ? "" : "blank");
}

TEST(CapturedScreen, TheTaskListDrawsTheCatalogAndPrintTasksBlankAndTheOthersWithTheirSymbols) {
    auto picture = MakePicture(120, 90);
    std::vector<std::string> looks;
    ShowPreview(picture.get(), {[&](const Preview& p) {
                    for (int i = 0; i < 5; ++i) {
                        if (i > 0) Press(VK_DOWN);
                        Settle();
                        looks.push_back(ItemLook(p.Combo));
                    }
                    Press(VK_ESCAPE);
                }},
                0);
    EXPECT_EQ(looks, (std::vector<std::string>{"blank", "text", "image text", "blank", "image text"}));
}

}  // namespace
