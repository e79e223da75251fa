// The time from the trigger to the picture of a full-screen capture, against
// a bare copy of the desktop made with the same calls, in the same run and
// by turns, on the screen the display has. Run by hand on each screen size; prints and
// checks nothing else.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

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
    auto capture = [](bool IncludeCursor) {
        return [IncludeCursor] {
            return std::unique_ptr<forms::TBitmap>(ZvScreenCapture(0, 0, 0, 0, 0, IncludeCursor)) != nullptr;
        };
    };
    const std::vector<double> best =
        BestMsEach(kRuns, {{[&] { return BareCopy(w, h); }}, {capture(false)}, {capture(true)}});
    const double bare = best[0], plain = best[1], withCursor = best[2];
    std::printf("%d x %d, best of %d: bare copy %7.2f ms, capture %7.2f ms (%.2f x), with the cursor %7.2f ms (%.2f x)\n",
                w, h, kRuns, bare, plain, plain / bare, withCursor, withCursor / bare);
    return 0;
}
