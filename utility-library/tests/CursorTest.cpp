// The mouse cursor: its image, its place on the screen and its hot spot.
#include <gtest/gtest.h>

#include <vector>

#include "ProbeForm.h"
#include "Zelvani.h"

using namespace forms;
using namespace testsupport;

namespace {

// A shown form in front, with the mouse over its client area.
class Cursor : public ::testing::Test {
protected:
    void SetUp() override {
        frm = new TfrmProbe(Application);
        frm->Show();
        SetForegroundWindow(frm->Handle());
        PumpFor(100);
        RECT r;
        GetClientRect(frm->Handle(), &r);
        At = {r.right - 30, r.bottom - 20};
        ClientToScreen(frm->Handle(), &At);
        SetCursorPos(At.x, At.y);
        PumpFor(100);
    }
    void TearDown() override {
        if (Own) DestroyCursor(Own);
        delete frm;
    }

    // A 32 x 32 cursor of its own, with its hot spot at (X, Y).
    HCURSOR MakeCursor(int X, int Y) {
        std::vector<BYTE> andPlane(32 * 4, 0xFF), xorPlane(32 * 4, 0x00);
        for (int row = 0; row < 8; ++row) andPlane[row * 4] = 0x00;  // a small black block
        Own = CreateCursor(GetModuleHandleA(nullptr), X, Y, 32, 32, andPlane.data(), xorPlane.data());
        return Own;
    }

    TfrmProbe* frm = nullptr;
    HCURSOR Own = nullptr;
    POINT At = {};
};

TEST_F(Cursor, TheShownCursorWithItsPlaceAndHotSpot) {
    HCURSOR mine = MakeCursor(5, 7);
    ASSERT_NE(mine, nullptr);
    SetCursor(mine);
    POINT pos = {-1, -1}, hot = {-1, -1};
    HICON got = ZvGetCursor(pos, hot);
    EXPECT_EQ(got, mine) << "expected the cursor that is shown";
    POINT now;
    GetCursorPos(&now);
    EXPECT_EQ(pos.x, now.x) << "expected the mouse position (" << now.x << ", " << now.y << ")";
    EXPECT_EQ(pos.y, now.y) << "expected the mouse position (" << now.x << ", " << now.y << ")";
    EXPECT_EQ(pos.x, At.x);
    EXPECT_EQ(pos.y, At.y);
    EXPECT_EQ(hot.x, 5);
    EXPECT_EQ(hot.y, 7);
}

TEST_F(Cursor, TheArrowIsGivenWhereverTheMouseGoes) {
    HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    SetCursor(arrow);
    for (POINT p : {POINT{At.x - 50, At.y - 40}, At}) {
        SetCursorPos(p.x, p.y);
        SetCursor(arrow);
        POINT pos, hot;
        EXPECT_EQ(ZvGetCursor(pos, hot), arrow);
        EXPECT_EQ(pos.x, p.x);
        EXPECT_EQ(pos.y, p.y);
        // The arrow points with its tip, at the top left of its image.
        EXPECT_LT(hot.x, 8) << "got the hot spot (" << hot.x << ", " << hot.y << ")";
        EXPECT_LT(hot.y, 8) << "got the hot spot (" << hot.x << ", " << hot.y << ")";
    }
}

TEST_F(Cursor, AHiddenCursorGivesNoneAndZeroPoints) {
    SetCursor(MakeCursor(5, 7));
    int count = ShowCursor(FALSE);
    while (count >= 0) count = ShowCursor(FALSE);
    POINT pos = {9, 9}, hot = {9, 9};
    HICON got = ZvGetCursor(pos, hot);
    while (ShowCursor(TRUE) < 0) {
    }
    EXPECT_EQ(got, nullptr) << "no cursor shows";
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.y, 0);
    EXPECT_EQ(hot.x, 0);
    EXPECT_EQ(hot.y, 0);
}

TEST_F(Cursor, NoCursorImageGivesNone) {
    SetCursor(nullptr);
    POINT pos = {9, 9}, hot = {9, 9};
    EXPECT_EQ(ZvGetCursor(pos, hot), nullptr);
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(hot.y, 0);
}

}  // namespace
