// The preview of a screen's size: where the rectangle lies for a large
// screen scaled down, for a small one drawn 1:1, and for sizes whose scaled
// side ends in a half, which goes to the even neighbour.
#include <gtest/gtest.h>

#include <sstream>

#include "ScreenPreview.h"

using namespace forms;

namespace {

constexpr TColor Fill = 0x40C0E0;

// The preview of a screen in a 229 x 229 picture, as its outline's corners:
// the first and last black pixel of the middle row and column.
struct Outline {
    int Left = -1, Top = -1, Right = -1, Bottom = -1;  // right and bottom outside
    bool operator==(const Outline& O) const {
        return Left == O.Left && Top == O.Top && Right == O.Right && Bottom == O.Bottom;
    }
};

std::ostream& operator<<(std::ostream& Out, const Outline& O) {
    return Out << "(" << O.Left << ", " << O.Top << ") to (" << O.Right << ", " << O.Bottom << ")";
}

class ScreenPreview : public ::testing::Test {
protected:
    Outline Draw(int Width, int Height) {
        picture.SetSize(229, 229);
        DrawScreenPreview(picture.Canvas(), 229, 229, Width, Height, Fill);
        TCanvas& c = picture.Canvas();
        Outline o;
        for (int x = 0; x < 229; ++x)
            if (c.Pixel(x, 114) == clBlack) {
                if (o.Left < 0) o.Left = x;
                o.Right = x + 1;
            }
        for (int y = 0; y < 229; ++y)
            if (c.Pixel(114, y) == clBlack) {
                if (o.Top < 0) o.Top = y;
                o.Bottom = y + 1;
            }
        return o;
    }
    TBitmap picture;
};

TEST_F(ScreenPreview, ALargeScreenIsScaledDownToTheRoomLeft) {
    EXPECT_EQ(Draw(1600, 600), (Outline{5, 73, 224, 156})) << "w = 219, h = Round(82.125) = 82";
    TCanvas& c = picture.Canvas();
    EXPECT_EQ(c.Pixel(114, 114), Fill) << "filled with the screen's colour";
    EXPECT_EQ(c.Pixel(2, 2), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW))) << "the ground is the shadow";
    EXPECT_EQ(c.Pixel(114, 60), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(ScreenPreview, ASmallScreenIsDrawnOneToOne) {
    EXPECT_EQ(Draw(100, 50), (Outline{64, 89, 165, 140}));
    EXPECT_EQ(Draw(219, 219), (Outline{5, 5, 224, 224})) << "a screen that just fits";
}

TEST_F(ScreenPreview, AHalfPixelGoesToTheEvenNeighbour) {
    // Scaled by 2: 125 / 2 = 62.5 gives 62, 127 / 2 = 63.5 gives 64.
    EXPECT_EQ(Draw(438, 125), (Outline{5, 83, 224, 146})) << "h = 62, t = (219 - 62) div 2 = 78";
    EXPECT_EQ(Draw(438, 127), (Outline{5, 82, 224, 147})) << "h = 64, t = (219 - 64) div 2 = 77";
}

}  // namespace
