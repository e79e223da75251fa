// The capture engine: the whole screen copied once into a screen-sized
// bitmap, the mouse cursor drawn on that copy when asked, and the asked-for
// area cut out of it into a new bitmap for the caller; when the area is the
// whole screen, the copy itself is the caller's bitmap.
#include <memory>

#include "Forms.h"
#include "Zelvani.h"
#include "ZvScreen.h"

namespace {

// The device context of the whole desktop, released whatever happens.
class TDesktopDC {
public:
    TDesktopDC() : FWnd(GetDesktopWindow()), FDC(GetWindowDC(FWnd)) {}
    ~TDesktopDC() {
        if (FDC) ReleaseDC(FWnd, FDC);
    }
    TDesktopDC(const TDesktopDC&) = delete;
    TDesktopDC& operator=(const TDesktopDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// The area of a kind on the screen: its origin and its size. A kind not
// known gives the size 0 x 0. The sizes are worked out in 64 bits so that
// extreme edges cannot overflow; they are checked before use.
struct TArea {
    long long X = 0, Y = 0, Width = 0, Height = 0;
};

TArea AreaOf(int Kind, int Left, int Right, int Top, int Bottom) {
    TArea a;
    switch (Kind) {
    case 0:
        a.Width = forms::Screen.Width();
        a.Height = forms::Screen.Height();
        break;
    case 1: {
        // With no foreground window the rectangle stays empty.
        RECT r = {};
        HWND front = GetForegroundWindow();
        if (front && GetWindowRect(front, &r)) {
            a.X = r.left;
            a.Y = r.top;
            a.Width = static_cast<long long>(r.right) - r.left;
            a.Height = static_cast<long long>(r.bottom) - r.top;
        }
        break;
    }
    case 2:
        // Inclusive edges.
        a.X = Left;
        a.Y = Top;
        a.Width = static_cast<long long>(Right) - Left + 1;
        a.Height = static_cast<long long>(Bottom) - Top + 1;
        break;
    default:
        break;
    }
    return a;
}

forms::TBitmap* Capture(int Kind, int Left, int Right, int Top, int Bottom, bool IncludeCursor) {
    TDesktopDC desktop;

    const TArea area = AreaOf(Kind, Left, Right, Top, Bottom);
    // No area, and also a negative size (Right below Left or Bottom below
    // Top, which the dialogs never pass): no bitmap. A size beyond what a
    // bitmap can hold is no bitmap either.
    if (area.Width <= 0 || area.Height <= 0) return nullptr;
    if (area.Width > 0x7FFFFFFF || area.Height > 0x7FFFFFFF) return nullptr;
    if (!desktop.Handle()) return nullptr;

    // One copy of the whole screen, whatever the area.
    auto work = std::make_unique<forms::TBitmap>();
    work->SetPixelFormat(forms::pf24bit);
    const int screenWidth = forms::Screen.Width(), screenHeight = forms::Screen.Height();
    work->SetSize(screenWidth, screenHeight);
    HDC workDC = work->Canvas().Handle();
    if (!workDC || !BitBlt(workDC, 0, 0, screenWidth, screenHeight, desktop.Handle(), 0, 0, SRCCOPY))
        return nullptr;

    // The cursor goes on the screen copy, so that the area cuts it at its
    // edges. The icon is the system's: it is drawn, not destroyed.
    if (IncludeCursor) {
        POINT pos = {}, hot = {};
        if (HICON cursor = ZvGetCursor(pos, hot)) DrawIcon(workDC, pos.x - hot.x, pos.y - hot.y, cursor);
    }

    // The area is the whole screen: the copy is the picture, and a second
    // one would only cost the time of copying the screen again.
    if (area.X == 0 && area.Y == 0 && area.Width == screenWidth && area.Height == screenHeight)
        return work.release();

    const int width = static_cast<int>(area.Width), height = static_cast<int>(area.Height);
    auto result = std::make_unique<forms::TBitmap>();
    result->SetPixelFormat(forms::pf24bit);
    result->SetSize(width, height);
    HDC resultDC = result->Canvas().Handle();
    if (!resultDC) return nullptr;
    // Parts of the area off the screen (a window partly outside it) have no
    // source pixels and keep the new bitmap's contents.
    BitBlt(resultDC, 0, 0, width, height, workDC, static_cast<int>(area.X), static_cast<int>(area.Y), SRCCOPY);
    return result.release();
}

}  // namespace

ZVSCREEN_API forms::TBitmap* WINAPI ZvScreenCapture(int Kind, int Left, int Right, int Top, int Bottom,
                                                    bool IncludeCursor) {
    // Any failure gives no bitmap and is not reported.
    try {
        return Capture(Kind, Left, Right, Top, Bottom, IncludeCursor);
    } catch (...) {
        return nullptr;
    }
}
