// Track bars: a scale that may lie below zero, the thumb moved by the keys
// (a line, a page, the ends) and dragged with the mouse, each change told
// once, and the ticks drawn below the scale.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "DialogSteps.h"
#include "TestSupport.h"
#include "TrackBar.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

class TrackBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 320, 140);
        bar = new TTrackBar(form);
        bar->SetBounds(10, 10, 260, 40);
        bar->SetRange(-100, 100);
        bar->SetPageSize(10);
        bar->SetFrequency(20);
        bar->SetParent(form);
        bar->OnChange = [this](TComponent*) { changes.push_back(bar->Position()); };
        form->Show();
        bar->SetFocus();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    // The thumb's centre on the screen.
    POINT Thumb() {
        RECT r;
        SendMessageA(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return CentreOf(r);
    }
    // Where the scale puts a position, on the screen.
    POINT ScalePoint(int Position) {
        RECT channel;
        SendMessageA(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&channel), 2);
        RECT thumb;
        SendMessageA(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const int half = (thumb.right - thumb.left) / 2;
        const int from = channel.left + half, to = channel.right - half;
        return {from + (to - from) * (Position - bar->Min()) / (bar->Max() - bar->Min()), Thumb().y};
    }

    TForm* form = nullptr;
    TTrackBar* bar = nullptr;
    std::vector<int> changes;
};

TEST_F(TrackBarTest, TheKeysMoveTheThumbAlongANegativeScale) {
    ASSERT_EQ(bar->Position(), 0);
    Press(VK_LEFT);
    Settle();
    EXPECT_EQ(bar->Position(), -1) << "Left moves a line below zero";
    Press(VK_NEXT);
    Settle();
    EXPECT_EQ(bar->Position(), 9) << "Page Down moves a page of 10";
    Press(VK_PRIOR);
    Press(VK_PRIOR);
    Settle();
    EXPECT_EQ(bar->Position(), -11);
    Press(VK_HOME);
    Settle();
    EXPECT_EQ(bar->Position(), -100) << "Home goes to Min";
    Press(VK_LEFT);
    Settle();
    EXPECT_EQ(bar->Position(), -100) << "no step below Min";
    Press(VK_END);
    Settle();
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(changes, (std::vector<int>{-1, 9, -1, -11, -100, 100})) << "each change told once";
}

TEST_F(TrackBarTest, DraggingTheThumbMovesThePosition) {
    const POINT from = Thumb();
    const POINT to = ScalePoint(-50);
    DragOnScreen(from, to, 6);
    Settle();
    EXPECT_NEAR(bar->Position(), -50, 3) << "dragged from " << from.x << " to " << to.x;
    EXPECT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), bar->Position());
    DragOnScreen(Thumb(), {ScalePoint(100).x + 60, to.y}, 6);
    Settle();
    EXPECT_EQ(bar->Position(), 100) << "dragged past the end, the thumb stops at Max";
}

TEST_F(TrackBarTest, TheProgramsPositionIsKeptOnTheScaleAndTold) {
    bar->SetPosition(-250);
    EXPECT_EQ(bar->Position(), -100);
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), -100);
    bar->SetPosition(-100);
    bar->SetPosition(40);
    EXPECT_EQ(changes, (std::vector<int>{-100, 40})) << "a position set again is no change";
    bar->SetRange(0, 20);
    EXPECT_EQ(bar->Position(), 20) << "a narrowed scale takes the position along";
}

TEST_F(TrackBarTest, TicksStandBelowTheScaleAtTheFrequency) {
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETNUMTICS, 0, 0), 11) << "-100..100 every 20, both ends";
    // Ticks are short dark lines between the thumb's lower end and the
    // bar's; none stand above the thumb.
    RECT thumb, client;
    SendMessageA(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    GetClientRect(bar->Handle(), &client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto marked = [&](int Top, int Bottom) {
        int columns = 0;
        for (int x = client.left + 3; x < client.right - 3; ++x) {
            bool mark = false;
            for (int y = Top; y < Bottom && !mark; ++y) {
                POINT p = {x, y};
                ClientToScreen(bar->Handle(), &p);
                mark = ScreenPixel(p) != face;
            }
            columns += mark;
        }
        return columns;
    };
    const int below = marked(thumb.bottom, client.bottom - 2);
    const int above = marked(client.top + 2, thumb.top);
    EXPECT_GE(below, 11) << "a tick every 20 below the scale";
    EXPECT_EQ(above, 0) << "none above the scale";
}

}  // namespace
