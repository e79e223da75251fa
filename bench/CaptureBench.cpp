// The time from the trigger to the picture of a full-screen capture, against
// a bare copy of the desktop made with the same calls, in the same run, on
// the screen the display has. Run by hand on each screen size; prints and
// checks nothing else.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "BestOf.h"
#include "Graphics.h"
#include "ZvScreen.h"

namespace {

constexpr int kRuns = 10;

// The desktop's pixels into a new 24-bit bitmap: the least a capture does.
bool BareCopy(int W, int H) {
    forms::TBitmap picture;
    picture.SetSize(W, H);
    HDC desktop = GetDC(nullptr);
    const bool copied = BitBlt(picture.Canvas().Handle(), 0, 0, W, H, desktop, 0, 0, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, desktop);
    GdiFlush();
    return copied;
}

}  // namespace

int main() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const double bare = BestMs(kRuns, [&] { return BareCopy(w, h); });
    const double capture = BestMs(kRuns, [] {
        std::unique_ptr<forms::TBitmap> picture(ZvScreenCapture(0, 0, 0, 0, 0, false));
        return picture != nullptr;
    });
    const double withCursor = BestMs(kRuns, [] {
        std::unique_ptr<forms::TBitmap> picture(ZvScreenCapture(0, 0, 0, 0, 0, true));
        return picture != nullptr;
    });
    std::printf("%d x %d, best of %d: bare copy %7.2f ms, capture %7.2f ms (%.2f x), with the cursor %7.2f ms (%.2f x)\n",
                w, h, kRuns, bare, capture, capture / bare, withCursor, withCursor / bare);
    return 0;
}
