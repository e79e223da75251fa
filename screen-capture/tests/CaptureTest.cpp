// The capture engine against a window painted with a known pattern at a
// known place, captured by each kind and compared pixel for pixel, and the
// mouse cursor drawn where it is, cut at the area's edges.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvScreen.h"

namespace {

typedef std::unique_ptr<forms::TBitmap> Picture;
Picture Capture(int Kind, int Left, int Right, int Top, int Bottom, bool IncludeCursor = false) {
    return Picture(ZvScreenCapture(Kind, Left, Right, Top, Bottom, IncludeCursor));
}
COLORREF PixelOf(forms::TBitmap& B, int X, int Y) {
    const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

// A one-pixel frame around four solid blocks: every edge and offset shows.
constexpr int kWidth = 240, kHeight = 160, kLeft = 300, kTop = 200;
COLORREF PatternAt(int X, int Y) {
    constexpr COLORREF kBlocks[4] = {RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 60, 210), RGB(120, 10, 160)};
    if (X == 0 || Y == 0 || X == kWidth - 1 || Y == kHeight - 1) return RGB(250, 250, 5);
    return kBlocks[(X < kWidth / 2 ? 0 : 1) + (Y < kHeight / 2 ? 0 : 2)];
}

typedef std::function<COLORREF(int, int)> Expected;  // CLR_INVALID: anything goes
// The pattern from pattern point (PX, PY) on; anything outside it.
Expected PatternFrom(int PX, int PY) {
    return [=](int x, int y) {
        const int px = PX + x, py = PY + y;
        return px < 0 || py < 0 || px >= kWidth || py >= kHeight ? CLR_INVALID : PatternAt(px, py);
    };
}
// A colour as 0x00RRGGBB, as a 32-bit DIB holds it and as it is shown.
unsigned long AsRRGGBB(COLORREF C) { return RGB(GetBValue(C), GetGValue(C), GetRValue(C)); }

// What a capture gave: its size and how many pixels differ from Want, with
// the first of them; to be compared with Clean(W, H).
std::string Seen(const Picture& B, const Expected& Want) {
    if (!B) return "no bitmap";
    int count = 0;
    char first[80] = "";
    for (int y = 0; y < B->Height(); ++y)
        for (int x = 0; x < B->Width(); ++x) {
            const COLORREF want = Want(x, y), got = PixelOf(*B, x, y);
            if (want != CLR_INVALID && want != got && count++ == 0)
                std::snprintf(first, sizeof first, " (first at %d, %d: expected #%06lX, got #%06lX)", x, y,
                              AsRRGGBB(want), AsRRGGBB(got));
        }
    return std::to_string(B->Width()) + " x " + std::to_string(B->Height()) + ", " + std::to_string(count) +
           " differences" + first;
}
std::string Clean(int W, int H) { return std::to_string(W) + " x " + std::to_string(H) + ", 0 differences"; }

// The test cursor: 32 x 32, its image a black 8 x 6 block at its top left,
// hot spot (3, 2); elsewhere it leaves the screen as it is.
constexpr int kHotX = 3, kHotY = 2, kBlockW = 8, kBlockH = 6;
HCURSOR gCursor = nullptr;

LRESULT CALLBACK PatternProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_SETCURSOR) SetCursor(gCursor);
    if (Msg == WM_SETCURSOR || Msg == WM_ERASEBKGND) return TRUE;
    if (Msg != WM_PAINT) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    std::vector<DWORD> pixels;  // top row first
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) pixels.push_back(AsRRGGBB(PatternAt(x, y)));
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB}};
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Wnd, &ps);
    SetDIBitsToDevice(dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, pixels.data(), &bi, DIB_RGB_COLORS);
    EndPaint(Wnd, &ps);
    return 0;
}

// One borderless topmost window with the pattern, made once.
class Engine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::vector<BYTE> andPlane(32 * 4, 0xFF), xorPlane(32 * 4, 0x00);
        for (int row = 0; row < kBlockH; ++row) andPlane[row * 4] = 0x00;  // the first 8 columns
        gCursor = CreateCursor(GetModuleHandleA(nullptr), kHotX, kHotY, 32, 32, andPlane.data(), xorPlane.data());
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZvCapturePattern";
        RegisterClassA(&wc);
        Wnd = CreateWindowExA(WS_EX_TOPMOST, "ZvCapturePattern", "Pattern", WS_POPUP | WS_VISIBLE, kLeft, kTop,
                              kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    static void TearDownTestSuite() {
        DestroyWindow(Wnd);
        UnregisterClassA("ZvCapturePattern", GetModuleHandleA(nullptr));
        DestroyCursor(gCursor);
    }
    // The window in place; the mouse at the bottom right, away from all areas.
    void SetUp() override { Place(kLeft, kTop, POINT{forms::Screen.Width() - 2, forms::Screen.Height() - 2}); }
    // The window at (X, Y), in front and staying there, painted; the mouse at P.
    void Place(int X, int Y, POINT P) {
        ASSERT_TRUE(Wnd && gCursor) << "the pattern window or the test cursor could not be made";
        SetWindowPos(Wnd, HWND_TOPMOST, X, Y, kWidth, kHeight, SWP_SHOWWINDOW);
        int settled = 0;
        for (int tries = 0; tries < 300 && settled < 10; ++tries, testsupport::PumpFor(10)) {
            settled = GetForegroundWindow() == Wnd ? settled + 1 : 0;
            if (settled == 0) SetForegroundWindow(Wnd);
        }
        ASSERT_EQ(settled, 10) << "the pattern window did not stay in front";
        RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        SetCursorPos(P.x, P.y);
        testsupport::PumpFor(300);
        SetCursor(gCursor);
        POINT now;
        ASSERT_TRUE(GetCursorPos(&now) && now.x == P.x && now.y == P.y) << "the mouse did not move";
        // The system shows the window's cursor only once it has handled the
        // move; the captures wait for that.
        EXPECT_TRUE(testsupport::PumpUntil([&] {
            POINT pos, hot;
            return ZvGetCursor(pos, hot) == gCursor && pos.x == P.x && pos.y == P.y && hot.x == kHotX &&
                   hot.y == kHotY;
        }, 2000)) << "the test cursor did not show at the mouse";
    }
    static HWND Wnd;
};
HWND Engine::Wnd = nullptr;

TEST_F(Engine, RectangleKindHasInclusiveEdges) {
    Picture all = Capture(2, kLeft, kLeft + kWidth - 1, kTop, kTop + kHeight - 1);
    EXPECT_EQ(Seen(all, PatternFrom(0, 0)), Clean(kWidth, kHeight));
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->PixelFormat(), forms::pf24bit);
    // 40 x 20 across the meeting point of the four blocks, and single pixels.
    const int x0 = kWidth / 2 - 25, y0 = kHeight / 2 - 7;
    EXPECT_EQ(Seen(Capture(2, kLeft + x0, kLeft + x0 + 39, kTop + y0, kTop + y0 + 19), PatternFrom(x0, y0)),
              Clean(40, 20));
    for (POINT p : {POINT{0, 0}, POINT{kWidth / 2, kHeight / 2 - 1}, POINT{kWidth - 1, kHeight - 1}})
        EXPECT_EQ(Seen(Capture(2, kLeft + p.x, kLeft + p.x, kTop + p.y, kTop + p.y), PatternFrom(p.x, p.y)),
                  Clean(1, 1))
            << "pattern pixel " << p.x << ", " << p.y;
}

TEST_F(Engine, ScreenKindAndTheDefaultRectangleShowTheScreen) {
    Picture screen = Capture(0, 5, 6, 7, 8);  // the edges are not read for this kind
    const int w = forms::Screen.Width(), h = forms::Screen.Height();
    ASSERT_TRUE(w >= kLeft + kWidth && h >= kTop + kHeight) << "the pattern must lie on the screen";
    ASSERT_EQ(Seen(screen, PatternFrom(-kLeft, -kTop)), Clean(w, h));
    EXPECT_EQ(Seen(Capture(2, 0, 499, 0, 299), [&](int x, int y) { return PixelOf(*screen, x, y); }), Clean(500, 300));
}

TEST_F(Engine, ForegroundKindHasTheWindowsFullSize) {
    EXPECT_EQ(Seen(Capture(1, 0, 0, 0, 0), PatternFrom(0, 0)), Clean(kWidth, kHeight));
    // Partly off the screen: the full size, the pattern on the part on it.
    ASSERT_NO_FATAL_FAILURE(Place(-60, -40, POINT{forms::Screen.Width() - 2, forms::Screen.Height() - 2}));
    RECT r;
    ASSERT_TRUE(GetWindowRect(Wnd, &r) && r.left == -60 && r.top == -40) << "the window did not go off the screen";
    const Expected onScreen = [](int x, int y) { return x < 60 || y < 40 ? CLR_INVALID : PatternAt(x, y); };
    EXPECT_EQ(Seen(Capture(1, 0, 0, 0, 0), onScreen), Clean(kWidth, kHeight));
}

TEST_F(Engine, UnknownKindsAndNegativeSizesGiveNoBitmap) {
    for (int kind : {7, 3, -1}) EXPECT_EQ(Capture(kind, 0, 99, 0, 99), nullptr) << "kind " << kind;
    EXPECT_EQ(Capture(2, 100, 99, 0, 10), nullptr) << "Right below Left";
    EXPECT_EQ(Capture(2, 0, 10, 100, 99), nullptr) << "Bottom below Top";
}

// The capture of W x H from (L, T), an area of the pattern, is the pattern
// without the cursor; with it, the black block is drawn at the mouse position
// less the hot spot, as far as the block lies in the area. The whole screen
// is captured by kind 0 as well as by its rectangle.
void ExpectCursorAt(POINT Mouse, int L, int T, int W, int H, int Kind = 2) {
    Picture without = Capture(Kind, L, L + W - 1, T, T + H - 1, false);
    ASSERT_EQ(Seen(without, PatternFrom(L - kLeft, T - kTop)), Clean(W, H)) << "without the cursor, kind " << Kind;
    const int bx = Mouse.x - kHotX - L, by = Mouse.y - kHotY - T;
    EXPECT_EQ(Seen(Capture(Kind, L, L + W - 1, T, T + H - 1, true),
                   [&](int x, int y) {
                       const bool block = x >= bx && x < bx + kBlockW && y >= by && y < by + kBlockH;
                       return block ? RGB(0, 0, 0) : PixelOf(*without, x, y);
                   }),
              Clean(W, H))
        << "mouse at " << Mouse.x << ", " << Mouse.y << ", area from " << L << ", " << T << ", kind " << Kind;
}

TEST_F(Engine, TheCursorIsDrawnWhereItIsCutAtTheEdgesAndMissingOutsideTheArea) {
    const POINT mouse = {kLeft + 50, kTop + 40};
    ASSERT_NO_FATAL_FAILURE(Place(kLeft, kTop, mouse));
    CURSORINFO ci = {sizeof ci};
    ASSERT_TRUE(GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING) && ci.hCursor == gCursor)
        << "expected the test cursor to show";
    ExpectCursorAt(mouse, kLeft, kTop, kWidth, kHeight);
    ExpectCursorAt(mouse, mouse.x - kHotX + 5, mouse.y - kHotY + 3, 30, 20);  // the corner inside the block
    const int w = forms::Screen.Width(), h = forms::Screen.Height();
    ExpectCursorAt(mouse, 0, 0, w, h, 0);
    ExpectCursorAt(mouse, 0, 0, w, h, 2);
    const POINT outside = {kLeft + kWidth + 40, kTop + kHeight + 40};
    ASSERT_NO_FATAL_FAILURE(Place(kLeft, kTop, outside));
    ExpectCursorAt(outside, kLeft, kTop, kWidth, kHeight);  // both captures equal
}

}  // namespace
