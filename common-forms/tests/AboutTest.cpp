// The about box as a user meets it through ZvShowAbout: the board with its
// frame, logo, lines and version, drawn step by step or at once; the keys
// and the OK button that close it, also in the middle of the typing; and
// the colours of the version's fade and cycle.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "AboutColors.h"
#include "DialogSteps.h"
#include "TestSupport.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;
using namespace dialogsteps;

namespace {

// The screen point of a point of the box.
POINT On(HWND Wnd, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Wnd, &p);
    return p;
}

// Whether any pixel of the box's rectangle shows something other than
// white.
bool Inked(HWND Box, RECT R) {
    HDC dc = GetDC(nullptr);
    bool inked = false;
    const POINT o = On(Box, 0, 0);
    HDC mem = CreateCompatibleDC(dc);
    const int w = R.right - R.left, h = R.bottom - R.top;
    HBITMAP b = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(mem, b);
    BitBlt(mem, 0, 0, w, h, dc, o.x + R.left, o.y + R.top, SRCCOPY);
    for (int y = 0; y < h && !inked; ++y)
        for (int x = 0; x < w && !inked; ++x) inked = (GetPixel(mem, x, y) & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(b);
    DeleteDC(mem);
    ReleaseDC(nullptr, dc);
    return inked;
}

constexpr RECT kLogoArea = {100, 15, 252, 95};
constexpr POINT kVersionAt = {20, 60};

// A logo of 60 x 30 pixels in one colour.
std::unique_ptr<TBitmap> Logo(TColor Color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(60, 30);
    b->Canvas().Brush.SetColor(Color);
    b->Canvas().FillRect(RECT{0, 0, 60, 30});
    return b;
}

// Presses a key (or clicks) in the box and notes whether the box is still
// showing two seconds later, which only a box that did not close lets
// happen: its loop is the one that runs the timer.
void CloseWith(TComponent& Owner, const std::function<void()>& Input, bool& StillOpen) {
    HWND box = GetActiveWindow();
    auto* late = new TTimer(&Owner);
    late->SetInterval(2000);
    late->OnTimer = [late, box, &StillOpen](TComponent*) {
        late->SetEnabled(false);
        StillOpen = IsWindowVisible(box) != FALSE;
    };
    Input();
}

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProbe("ZvCom About Probe", "ZvAboutProbe"));
    }
    void TearDown() override { ZvComDone(); }

    void Show(TGraphic* Logo, const std::string& Copyright, bool Animate, const std::vector<Step>& Steps) {
        Schedule(owner, Steps);
        ZvShowAbout(Logo, ShortString("2.5"), ShortString(Copyright), ShortString("Probe"),
                    ShortString("www.example.com"), kVersionAt.x, kVersionAt.y, Animate);
    }
    static HWND Box() { return GetActiveWindow(); }
    // Whether the version has been drawn, the last of the reveal.
    static bool VersionShown() {
        HWND box = FindWindowA(nullptr, "ZvCom About Probe");
        return box && IsWindowVisible(box) && VersionColor(box) != RGB(255, 255, 255);
    }
    TComponent owner{nullptr};
    // The version's colour at its first letter's stem: the darkest pixel
    // of the version's first few columns.
    static COLORREF VersionColor(HWND Box) {
        COLORREF darkest = 0xFFFFFF;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 12; ++x) {
                const COLORREF c = ScreenPixel(On(Box, kVersionAt.x + x, kVersionAt.y + y));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < GetRValue(darkest) + GetGValue(darkest) + GetBValue(darkest))
                    darkest = c;
            }
        return darkest;
    }
};

// ---- the board ---------------------------------------------------------------

TEST_F(AboutBox, WithoutAnimationEverythingShowsAtOnceInAFramedWhiteBox) {
    auto logo = Logo(RGB(0, 128, 0));
    std::string caption;
    RECT client = {};
    COLORREF frame = 0, ground = 0, logoPixel = 0, version = 0;
    bool copyright = false, allRights = false, info = false, warning = false, stillOpen = false;
    WhenReady(owner, VersionShown, [&] {
        caption = TextOf(Box());
        GetClientRect(Box(), &client);
        frame = ScreenPixel(On(Box(), 1, 1));
        ground = ScreenPixel(On(Box(), 10, 200));
        logoPixel = ScreenPixel(On(Box(), 176, 30));  // the logo's middle, centred
        version = VersionColor(Box());
        copyright = Inked(Box(), RECT{25, 105, 120, 118});
        allRights = Inked(Box(), RECT{25, 120, 100, 133});
        info = Inked(Box(), RECT{25, 150, 120, 178});
        warning = Inked(Box(), RECT{25, 240, 276, 300});
        CloseWith(owner, [] { Press(VK_RETURN); }, stillOpen);
    });
    Show(logo.get(), "Copyright (C) Probe Makers", false, {});
    EXPECT_EQ(caption, "ZvCom About Probe");
    EXPECT_EQ(client.right, 352);
    EXPECT_TRUE(client.bottom == 311 || client.bottom == 323) << "height " << client.bottom;
    EXPECT_EQ(frame, RGB(0, 0, 0)) << "the frame's corner";
    EXPECT_EQ(ground, RGB(255, 255, 255));
    EXPECT_EQ(logoPixel, RGB(0, 128, 0)) << "the logo, centred at its top of 15";
    EXPECT_EQ(version, RGB(0, 0, 255)) << "the version in pure blue, not cycling";
    EXPECT_TRUE(copyright && allRights && info && warning)
        << "copyright " << copyright << ", all rights " << allRights << ", information " << info << ", warning "
        << warning;
    EXPECT_FALSE(stillOpen) << "Enter closes the box";
}

TEST_F(AboutBox, WithoutALogoTheLogoPlaceStaysWhite) {
    bool inked = true;
    WhenReady(owner, VersionShown, [&] {
        inked = Inked(Box(), kLogoArea);
        Press(VK_ESCAPE);
    });
    Show(nullptr, "Copyright", false, {});
    EXPECT_FALSE(inked) << "nothing is drawn where a logo would be";
}

TEST_F(AboutBox, TheCallerMayFreeItsLogoOnceTheBoxIsUp) {
    auto logo = Logo(RGB(200, 0, 0));
    COLORREF shown = 0;
    // The logo goes before the reveal's first step draws it, 800 ms on.
    WhenReady(owner, [] { return FindWindowA(nullptr, "ZvCom About Probe") != nullptr; }, [&] { logo.reset(); });
    WhenReady(
        owner, [] { return Inked(FindWindowA(nullptr, "ZvCom About Probe"), kLogoArea); },
        [&] {
            shown = ScreenPixel(On(Box(), 176, 30));
            Press(VK_SPACE);
        });
    Show(logo.get(), "Copyright", true, {});
    EXPECT_EQ(shown, RGB(200, 0, 0)) << "the box draws its own copy of the logo";
}

TEST_F(AboutBox, TheOKButtonCloses) {
    bool stillOpen = false;
    WhenReady(owner, VersionShown, [&] {
        HWND bar = FindWindowExA(Box(), nullptr, "ToolbarWindow32", nullptr);
        RECT r = {};
        SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(bar, &p);
        CloseWith(owner, [p] { ClickAt(p); }, stillOpen);
    });
    Show(nullptr, "Copyright", false, {});
    EXPECT_FALSE(stillOpen);
}

// Each key closes the box in the middle of the typing of a long line: the
// rest of the line never appears.
TEST_F(AboutBox, EnterEscapeAndSpaceCloseAtOnceWhileALineIsTyped) {
    for (WORD key : {VK_RETURN, VK_ESCAPE, VK_SPACE}) {
        TComponent timers(nullptr);
        bool sent = false, restShown = false;
        auto* watch = new TTimer(&timers);
        watch->SetInterval(20);
        watch->OnTimer = [&](TComponent*) {
            HWND box = FindWindowA(nullptr, "ZvCom About Probe");
            if (sent && box && IsWindowVisible(box) && Inked(box, RECT{230, 105, 340, 118})) restShown = true;
        };
        WhenReady(
            timers,
            [] {
                HWND box = FindWindowA(nullptr, "ZvCom About Probe");
                return box && IsWindowVisible(box) && Inked(box, RECT{25, 105, 60, 118});
            },
            [&] {
                Press(key);
                sent = true;
            });
        ZvShowAbout(nullptr, ShortString("1"), ShortString(std::string(60, 'W')), ShortString("Probe"),
                    ShortString("www.example.com"), 40, 70, true);
        EXPECT_TRUE(sent) << "key " << key << ": the typing never started";
        EXPECT_FALSE(restShown) << "key " << key << ": the typing went on after the key";
    }
}

// The version fades in to pure blue, then, five seconds on, its red grows
// as the cycle's first state has it.
TEST_F(AboutBox, AnimatedTheVersionFadesInAndThenCyclesItsColour) {
    COLORREF faded = 0, cycled = 0;
    auto* poll = new TTimer(&owner);
    poll->SetInterval(100);
    poll->OnTimer = [&](TComponent*) {
        HWND box = FindWindowA(nullptr, "ZvCom About Probe");
        if (!box || !IsWindowVisible(box)) return;
        const COLORREF c = VersionColor(box);
        if (!faded && c == RGB(0, 0, 255)) faded = c;
        if (faded && GetRValue(c) > 0 && GetBValue(c) == 255 && GetGValue(c) == 0) {
            cycled = c;
            poll->SetEnabled(false);
            Press(VK_ESCAPE);
        }
    };
    auto* giveUp = new TTimer(&owner);
    giveUp->SetInterval(40000);
    giveUp->OnTimer = [&](TComponent*) {
        giveUp->SetEnabled(false);
        Press(VK_ESCAPE);
    };
    ZvShowAbout(nullptr, ShortString("3"), ShortString("Copyright"), ShortString("Probe"), ShortString("x"),
                kVersionAt.x, kVersionAt.y, true);
    EXPECT_EQ(faded, RGB(0, 0, 255)) << "the fade ends on pure blue";
    EXPECT_NE(cycled, 0u) << "the colour cycle started";
}

// ---- the colours -----------------------------------------------------------------

TEST(AboutColors, EveryPassOfAFadeStaysWithinTheComponentsRange) {
    const TColor pairs[][2] = {{0xFFFFFF, 0xFF0000}, {0x000000, 0xFFFFFF}, {0x808080, 0x10F0FF}, {0x00FF00, 0xFF00FF}};
    for (const auto& p : pairs)
        for (int pass = 0; pass < zvcom::kFadePasses; ++pass) {
            const TColor c = zvcom::FadeColor(p[0], p[1], pass);
            ASSERT_EQ(c & ~0xFFFFFF, 0) << "from " << std::hex << p[0] << " to " << p[1] << " pass " << std::dec
                                        << pass << " gave " << std::hex << c;
            for (int shift : {0, 8, 16}) {
                const int ground = (p[0] >> shift) & 0xFF, text = (p[1] >> shift) & 0xFF,
                          got = (c >> shift) & 0xFF;
                ASSERT_TRUE(got >= std::min(ground, text) - 1 && got <= std::max(ground, text) + 1)
                    << "pass " << pass << " left the way from " << ground << " to " << text << ": " << got;
            }
        }
    EXPECT_EQ(zvcom::FadeColor(0xFFFFFF, 0xFF0000, zvcom::kFadePasses - 1) & 0xFFFF, 0)
        << "the last pass reaches the text's red and green";
}

TEST(AboutColors, TheCycleRunsThroughTheWheelsCornersBackToBlue) {
    int state = zvcom::kFirstCycleState;
    TColor color = 0xFF0000;
    std::vector<TColor> corners;
    for (int tick = 0; tick < 400 && corners.size() < 6; ++tick) {
        const int before = state;
        zvcom::NextCycleColor(state, color);
        ASSERT_EQ(color & ~0xFFFFFF, 0) << "tick " << tick;
        if (state != before) corners.push_back(color);
    }
    const std::vector<TColor> expected = {0xFF00FF, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000};
    EXPECT_EQ(corners, expected);
    EXPECT_EQ(state, zvcom::kFirstCycleState);
}

}  // namespace
