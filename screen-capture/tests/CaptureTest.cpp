// The capture engine against known screen content: a window painted with a
// known pattern at a known place, captured by each kind and compared pixel
// for pixel; the mouse cursor drawn where it is, cut at the area's edges.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZvScreen.h"

using namespace testsupport;

namespace {

typedef std::unique_ptr<forms::TBitmap> Picture;

Picture Capture(int Kind, int Left, int Right, int Top, int Bottom, bool IncludeCursor = false) {
    return Picture(ZvScreenCapture(Kind, Left, Right, Top, Bottom, IncludeCursor));
}

// A pixel of a bitmap as RGB(...), read through its scan lines.
COLORREF PixelOf(forms::TBitmap& B, int X, int Y) {
    const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

std::string Hex(COLORREF C) {
    std::ostringstream s;
    s << "RGB(" << int(GetRValue(C)) << ", " << int(GetGValue(C)) << ", " << int(GetBValue(C)) << ")";
    return s.str();
}

// The pattern: a one-pixel frame around four solid blocks, so that every
// edge and every offset of a capture shows.
constexpr int kWidth = 240, kHeight = 160;
constexpr COLORREF kFrame = RGB(250, 250, 5);
constexpr COLORREF kBlocks[4] = {RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 60, 210), RGB(120, 10, 160)};

COLORREF PatternAt(int X, int Y) {
    if (X == 0 || Y == 0 || X == kWidth - 1 || Y == kHeight - 1) return kFrame;
    return kBlocks[(X < kWidth / 2 ? 0 : 1) + (Y < kHeight / 2 ? 0 : 2)];
}

// The cursor that the pattern window shows: a 32 x 32 cursor whose image is
// a black 8 x 6 block at its top left, hot spot (3, 2); elsewhere it leaves
// the screen as it is.
constexpr int kHotX = 3, kHotY = 2, kBlockW = 8, kBlockH = 6;
HCURSOR gCursor = nullptr;

HCURSOR MakeCursor() {
    std::vector<BYTE> andPlane(32 * 4, 0xFF), xorPlane(32 * 4, 0x00);
    for (int row = 0; row < kBlockH; ++row) andPlane[row * 4] = 0x00;  // the first 8 columns
    return CreateCursor(GetModuleHandleA(nullptr), kHotX, kHotY, 32, 32, andPlane.data(), xorPlane.data());
}

LRESULT CALLBACK PatternProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        for (int y = 0; y < kHeight; ++y) {
            int x = 0;
            while (x < kWidth) {
                const COLORREF c = PatternAt(x, y);
                int end = x + 1;
                while (end < kWidth && PatternAt(end, y) == c) ++end;
                HBRUSH b = CreateSolidBrush(c);
                RECT r = {x, y, end, y + 1};
                FillRect(dc, &r, b);
                DeleteObject(b);
                x = end;
            }
        }
        EndPaint(Wnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        SetCursor(gCursor);
        return TRUE;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

// Brings a window in front and waits until it stays there.
bool ToFrontAndStay(HWND Wnd) {
    for (int settled = 0, tries = 0; tries < 300; ++tries) {
        if (GetForegroundWindow() == Wnd) {
            if (++settled >= 10) return true;
        } else {
            settled = 0;
            SetForegroundWindow(Wnd);
        }
        PumpFor(10);
    }
    return false;
}

// One borderless window with the pattern at (kLeft, kTop), for all tests.
class Engine : public ::testing::Test {
protected:
    static constexpr int kLeft = 300, kTop = 200;

    static void SetUpTestSuite() {
        gCursor = MakeCursor();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "ZvCapturePattern";
        RegisterClassA(&wc);
        Wnd = CreateWindowExA(WS_EX_TOPMOST, "ZvCapturePattern", "Pattern", WS_POPUP, kLeft, kTop, kWidth, kHeight,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(Wnd, SW_SHOW);
        UpdateWindow(Wnd);
        ToFrontAndStay(Wnd);
        PumpFor(300);  // painted and on the display
    }
    static void TearDownTestSuite() {
        DestroyWindow(Wnd);
        Wnd = nullptr;
        UnregisterClassA("ZvCapturePattern", GetModuleHandleA(nullptr));
        if (gCursor) DestroyCursor(gCursor);
        gCursor = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(Wnd, nullptr) << "the pattern window could not be made";
        ASSERT_NE(gCursor, nullptr) << "the test cursor could not be made";
        RECT r;
        GetWindowRect(Wnd, &r);
        if (r.left != kLeft || r.top != kTop) {
            SetWindowPos(Wnd, HWND_TOPMOST, kLeft, kTop, kWidth, kHeight, SWP_SHOWWINDOW);
            PumpFor(300);
        }
        MouseAway();
    }

    // The mouse at the screen's bottom right corner, away from every area
    // that a test captures.
    static void MouseAway() { MoveMouse(POINT{forms::Screen.Width() - 2, forms::Screen.Height() - 2}); }

    // The mouse at P over the pattern, showing the test cursor.
    static void MoveMouse(POINT P) {
        SetCursorPos(P.x, P.y);
        PumpUntil(
            [&] {
                POINT now;
                return GetCursorPos(&now) && now.x == P.x && now.y == P.y;
            },
            1000);
        PumpFor(50);
        SetCursor(gCursor);
    }

    // How many pixels of B, whose top left is at (X0, Y0) in pattern
    // coordinates, differ from the pattern, with the first one described.
    static int PatternMismatches(forms::TBitmap& B, int X0, int Y0, std::string& First) {
        int count = 0;
        for (int y = 0; y < B.Height(); ++y)
            for (int x = 0; x < B.Width(); ++x) {
                const int px = X0 + x, py = Y0 + y;
                if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) continue;
                const COLORREF got = PixelOf(B, x, y), want = PatternAt(px, py);
                if (got != want && count++ == 0)
                    First = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") expected " + Hex(want) +
                            ", got " + Hex(got);
            }
        return count;
    }

    // Whether the pixels of B at (BX, BY) and of A at (AX, AY) agree over a
    // W x H block; the first difference is described.
    static int Mismatches(forms::TBitmap& A, int AX, int AY, forms::TBitmap& B, int BX, int BY, int W, int H,
                          std::string& First) {
        int count = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const COLORREF want = PixelOf(A, AX + x, AY + y), got = PixelOf(B, BX + x, BY + y);
                if (got != want && count++ == 0)
                    First = "at (" + std::to_string(BX + x) + ", " + std::to_string(BY + y) + ") expected " +
                            Hex(want) + ", got " + Hex(got);
            }
        return count;
    }

    static HWND Wnd;
};

HWND Engine::Wnd = nullptr;

// ---- the rectangle kind ---------------------------------------------------

TEST_F(Engine, RectangleOverThePatternIsThePatternPixelForPixel) {
    Picture b = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    ASSERT_EQ(b->Width(), kWidth);
    ASSERT_EQ(b->Height(), kHeight);
    EXPECT_EQ(b->PixelFormat(), forms::pf24bit);
    std::string first;
    EXPECT_EQ(PatternMismatches(*b, 0, 0, first), 0) << "first difference " << first;
}

TEST_F(Engine, RectangleEdgesAreInclusiveAndTheHorizontalPairComesFirst) {
    // 40 wide, 20 high, across the meeting point of the four blocks.
    const int x0 = kWidth / 2 - 25, y0 = kHeight / 2 - 7;
    Picture b = Capture(2, kLeft + x0, kLeft + x0 + 39, kTop + y0, kTop + y0 + 19);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    EXPECT_EQ(b->Width(), 40) << "Left..Right inclusive";
    EXPECT_EQ(b->Height(), 20) << "Top..Bottom inclusive";
    std::string first;
    EXPECT_EQ(PatternMismatches(*b, x0, y0, first), 0) << "first difference " << first;
}

TEST_F(Engine, EqualEdgesGiveOnePixel) {
    for (POINT p : {POINT{0, 0}, POINT{kWidth / 2, kHeight / 2 - 1}, POINT{7, kHeight - 5}}) {
        Picture b = Capture(2, kLeft + p.x, kLeft + p.x, kTop + p.y, kTop + p.y);
        ASSERT_NE(b, nullptr) << "expected a 1 x 1 bitmap";
        EXPECT_EQ(b->Width(), 1);
        EXPECT_EQ(b->Height(), 1);
        EXPECT_EQ(Hex(PixelOf(*b, 0, 0)), Hex(PatternAt(p.x, p.y)))
            << "the pattern pixel (" << p.x << ", " << p.y << ")";
    }
}

TEST_F(Engine, TheDefaultRectangleIsFiveHundredByThreeHundredFromTheScreenCorner) {
    Picture b = Capture(2, 0, 499, 0, 299);
    Picture all = Capture(0, 0, 0, 0, 0);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    ASSERT_NE(all, nullptr) << "expected a bitmap of the screen";
    EXPECT_EQ(b->Width(), 500);
    EXPECT_EQ(b->Height(), 300);
    std::string first;
    EXPECT_EQ(Mismatches(*all, 0, 0, *b, 0, 0, 500, 300, first), 0)
        << "expected the top left of the screen; first difference " << first;
    // The area reaches into the pattern: its top left block shows.
    EXPECT_EQ(Hex(PixelOf(*b, kLeft + 10, kTop + 10)), Hex(PatternAt(10, 10)));
}

TEST_F(Engine, AnAreaReachingOffTheScreenKeepsItsSize) {
    const int w = forms::Screen.Width(), h = forms::Screen.Height();
    Picture b = Capture(2, w - 30, w + 19, h - 25, h + 14);
    Picture all = Capture(0, 0, 0, 0, 0);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(b->Width(), 50);
    EXPECT_EQ(b->Height(), 40);
    std::string first;
    EXPECT_EQ(Mismatches(*all, w - 30, h - 25, *b, 0, 0, 30, 25, first), 0)
        << "the part on the screen; first difference " << first;
}

TEST_F(Engine, NegativeSizesGiveNoBitmap) {
    EXPECT_EQ(Capture(2, 100, 99, 0, 10), nullptr) << "Right below Left";
    EXPECT_EQ(Capture(2, 0, 10, 100, 50), nullptr) << "Bottom below Top";
    EXPECT_EQ(Capture(2, 10, 0, 10, 0), nullptr) << "both";
}

// ---- the other kinds ------------------------------------------------------

TEST_F(Engine, WholeScreenHasTheScreenSizeAndThePatternInPlace) {
    Picture b = Capture(0, 5, 6, 7, 8);  // the edges are not read for this kind
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    EXPECT_EQ(b->Width(), forms::Screen.Width());
    EXPECT_EQ(b->Height(), forms::Screen.Height());
    ASSERT_GE(b->Width(), kLeft + kWidth);
    ASSERT_GE(b->Height(), kTop + kHeight);
    Picture part = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1);
    ASSERT_NE(part, nullptr);
    std::string first;
    EXPECT_EQ(Mismatches(*part, 0, 0, *b, kLeft, kTop, kWidth, kHeight, first), 0)
        << "expected the pattern at (" << kLeft << ", " << kTop << "); first difference " << first;
    EXPECT_EQ(Hex(PixelOf(*b, kLeft, kTop)), Hex(kFrame));
    EXPECT_EQ(Hex(PixelOf(*b, kLeft + kWidth - 2, kTop + kHeight - 2)), Hex(kBlocks[3]));
}

TEST_F(Engine, ForegroundWindowGivesItsOuterRectangle) {
    ASSERT_TRUE(ToFrontAndStay(Wnd)) << "the pattern window did not come in front";
    Picture b = Capture(1, 0, 0, 0, 0);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    EXPECT_EQ(b->Width(), kWidth);
    EXPECT_EQ(b->Height(), kHeight);
    std::string first;
    EXPECT_EQ(PatternMismatches(*b, 0, 0, first), 0) << "first difference " << first;
}

TEST_F(Engine, ForegroundWindowPartlyOffTheScreenKeepsItsFullSize) {
    SetWindowPos(Wnd, HWND_TOPMOST, -60, -40, kWidth, kHeight, SWP_SHOWWINDOW);
    PumpFor(300);
    ASSERT_TRUE(ToFrontAndStay(Wnd)) << "the pattern window did not come in front";
    RECT r;
    GetWindowRect(Wnd, &r);
    ASSERT_EQ(r.left, -60) << "the window could not be placed off the screen";
    ASSERT_EQ(r.top, -40);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(300);
    Picture b = Capture(1, 0, 0, 0, 0);
    ASSERT_NE(b, nullptr) << "expected a bitmap";
    EXPECT_EQ(b->Width(), kWidth);
    EXPECT_EQ(b->Height(), kHeight);
    // Only the part on the screen carries the pattern.
    Picture onScreen = Capture(2, 0, kWidth - 61, 0, kHeight - 41);
    ASSERT_NE(onScreen, nullptr);
    std::string first;
    EXPECT_EQ(Mismatches(*onScreen, 0, 0, *b, 60, 40, kWidth - 60, kHeight - 40, first), 0)
        << "first difference " << first;
    EXPECT_EQ(Hex(PixelOf(*b, 60, 40)), Hex(PatternAt(60, 40)));
    EXPECT_EQ(Hex(PixelOf(*b, kWidth - 1, kHeight - 1)), Hex(kFrame));
}

TEST_F(Engine, OtherKindsGiveNoBitmap) {
    for (int kind : {7, 3, -1, 100})
        EXPECT_EQ(Capture(kind, 0, 99, 0, 99), nullptr) << "kind " << kind;
}

TEST_F(Engine, EachCallGivesANewBitmapOfItsOwn) {
    Picture a = Capture(2, kLeft, kLeft + 9, kTop, kTop + 9);
    Picture b = Capture(2, kLeft, kLeft + 9, kTop, kTop + 9);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a.get(), b.get());
    a->ScanLine(0)[0] ^= 0xFF;
    EXPECT_EQ(Hex(PixelOf(*b, 0, 0)), Hex(kFrame)) << "one bitmap changed the other";
}

// ---- the cursor -----------------------------------------------------------

// The capture with the cursor is the one without it, with the test cursor's
// black block drawn at the mouse position less the hot spot, cut at the
// area's edges.
void ExpectCursorDrawn(forms::TBitmap& Without, forms::TBitmap& With, POINT Mouse, POINT Origin) {
    ASSERT_EQ(With.Width(), Without.Width());
    ASSERT_EQ(With.Height(), Without.Height());
    const int bx = Mouse.x - kHotX - Origin.x, by = Mouse.y - kHotY - Origin.y;
    int drawn = 0, wrong = 0;
    std::string first;
    for (int y = 0; y < With.Height(); ++y)
        for (int x = 0; x < With.Width(); ++x) {
            const bool inBlock = x >= bx && x < bx + kBlockW && y >= by && y < by + kBlockH;
            const COLORREF want = inBlock ? RGB(0, 0, 0) : PixelOf(Without, x, y);
            const COLORREF got = PixelOf(With, x, y);
            if (inBlock) ++drawn;
            if (got != want && wrong++ == 0)
                first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") expected " + Hex(want) + ", got " +
                        Hex(got);
        }
    EXPECT_GT(drawn, 0) << "the cursor block lies outside the area: the check would prove nothing";
    EXPECT_EQ(wrong, 0) << "first difference " << first;
}

TEST_F(Engine, TheCursorIsDrawnWhereItIs) {
    const POINT mouse = {kLeft + 50, kTop + 40};
    MoveMouse(mouse);
    POINT now;
    GetCursorPos(&now);
    ASSERT_EQ(now.x, mouse.x) << "the mouse did not move";
    ASSERT_EQ(now.y, mouse.y);
    CURSORINFO ci = {};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(GetCursorInfo(&ci));
    ASSERT_TRUE(ci.flags & CURSOR_SHOWING) << "no cursor shows";
    ASSERT_EQ(ci.hCursor, gCursor) << "expected the test cursor to show";

    Picture without = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1, false);
    Picture with = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1, true);
    ASSERT_NE(without, nullptr);
    ASSERT_NE(with, nullptr);
    std::string first;
    EXPECT_EQ(PatternMismatches(*without, 0, 0, first), 0) << "without the cursor: " << first;
    ExpectCursorDrawn(*without, *with, mouse, POINT{kLeft, kTop});

    // On the whole screen too.
    Picture screenWith = Capture(0, 0, 0, 0, 0, true);
    Picture screenWithout = Capture(0, 0, 0, 0, 0, false);
    ASSERT_NE(screenWith, nullptr);
    ASSERT_NE(screenWithout, nullptr);
    ExpectCursorDrawn(*screenWithout, *screenWith, mouse, POINT{0, 0});
}

TEST_F(Engine, TheCursorIsCutAtTheAreaEdges) {
    // The area's top left corner falls inside the cursor's black block.
    const POINT mouse = {kLeft + 100, kTop + 60};
    MoveMouse(mouse);
    const int left = mouse.x - kHotX + 5, top = mouse.y - kHotY + 3;
    Picture without = Capture(2, left, left + 29, top, top + 19, false);
    Picture with = Capture(2, left, left + 29, top, top + 19, true);
    ASSERT_NE(without, nullptr);
    ASSERT_NE(with, nullptr);
    ExpectCursorDrawn(*without, *with, mouse, POINT{left, top});
    EXPECT_EQ(Hex(PixelOf(*with, 0, 0)), Hex(RGB(0, 0, 0))) << "the cut block at the corner";
    EXPECT_EQ(Hex(PixelOf(*with, kBlockW - 5, 0)), Hex(PixelOf(*without, kBlockW - 5, 0)))
        << "just right of the cut block";
}

TEST_F(Engine, WithTheCursorOutsideTheAreaBothCapturesAreEqual) {
    MoveMouse(POINT{kLeft + kWidth + 40, kTop + kHeight + 40});
    Picture without = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1, false);
    Picture with = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1, true);
    ASSERT_NE(without, nullptr);
    ASSERT_NE(with, nullptr);
    std::string first;
    EXPECT_EQ(Mismatches(*without, 0, 0, *with, 0, 0, kWidth, kHeight, first), 0) << "first difference " << first;
    EXPECT_EQ(PatternMismatches(*with, 0, 0, first), 0) << "first difference " << first;
}

TEST_F(Engine, AHiddenCursorIsNotDrawn) {
    const POINT mouse = {kLeft + 50, kTop + 40};
    MoveMouse(mouse);
    int count = ShowCursor(FALSE);
    while (count >= 0) count = ShowCursor(FALSE);
    Picture with = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1, true);
    while (ShowCursor(TRUE) < 0) {
    }
    ASSERT_NE(with, nullptr) << "no cursor: the capture is made without it";
    std::string first;
    EXPECT_EQ(PatternMismatches(*with, 0, 0, first), 0) << "first difference " << first;
}

}  // namespace
