// The selection frame against its pattern: which pixels of the rectangle's
// edge each phase inverts, at every small size, and that drawing it again
// gives the picture back.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Graphics.h"
#include "SelectionFrame.h"
#include "SelectionFramePattern.h"

using namespace forms;

namespace {

constexpr COLORREF kGround = RGB(10, 200, 60), kInverted = RGB(245, 55, 195);

// The pixels of a 32 x 32 picture of the ground colour that differ from it
// with the frame of R at phase P when Drawn, or from the plain ground.
int Wrong(TBitmap& B, const RECT& R, int P, bool Drawn) {
    int count = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool dashed = Drawn && x >= R.left && x < R.right && y >= R.top && y < R.bottom &&
                                testsupport::InSelectionFrame(R.right - R.left, R.bottom - R.top, P, x - R.left,
                                                              y - R.top);
            const std::uint8_t* px = B.ScanLine(y) + 3 * x;
            count += RGB(px[2], px[1], px[0]) != (dashed ? kInverted : kGround);
        }
    return count;
}

void Ground(TBitmap& B) {
    B.SetSize(32, 32);
    B.Canvas().Brush.SetColor(static_cast<TColor>(kGround));
    B.Canvas().FillRect(RECT{0, 0, 32, 32});
}

TEST(SelectionFrames, EachPhaseInvertsItsDashesOfTheEdgeOnceAndDrawingAgainTakesThemAway) {
    for (int w = 4; w <= 20; ++w)
        for (int h = 4; h <= 20; ++h)
            for (int p = 0; p < 8; ++p) {
                TBitmap b;
                Ground(b);
                const RECT r = {3, 5, 3 + w, 5 + h};
                DrawSelectionFrame(b.Canvas(), r, p);
                ASSERT_EQ(Wrong(b, r, p, true), 0) << w << " x " << h << " at phase " << p;
                DrawSelectionFrame(b.Canvas(), r, p);
                ASSERT_EQ(Wrong(b, r, p, false), 0) << "drawn twice, " << w << " x " << h << " at phase " << p;
            }
}

TEST(SelectionFrames, NarrowLowOrInvertedRectanglesDrawNothing) {
    for (const RECT r : {RECT{2, 2, 5, 20}, RECT{2, 2, 20, 5}, RECT{9, 9, 2, 2}}) {
        TBitmap b;
        Ground(b);
        DrawSelectionFrame(b.Canvas(), r, 0);
        EXPECT_EQ(Wrong(b, r, 0, false), 0) << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom;
    }
}

}  // namespace
