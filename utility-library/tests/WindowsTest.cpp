// Windows and the mouse: the mouse kept inside a control, forms kept on the
// screen and brought to the front, and the cursor as a capture draws it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "TestSupport.h"
#include "Zelvani.h"

using namespace forms;
using namespace testsupport;

namespace {

class TfrmProbe : public TForm {
public:
    TButton* cmdButton = nullptr;
    explicit TfrmProbe(TComponent* AOwner, const std::string& Caption = "Probe") : TForm(AOwner) {
        Describe({.Name = "frmProbe", .Caption = Caption, .Left = 200, .Top = 150, .ClientWidth = 300,
                  .ClientHeight = 200, .BorderStyle = bsSizeable});
        Add(cmdButton, {.Name = "cmdButton", .Left = 40, .Top = 50, .Width = 120, .Height = 40, .Caption = "Button"});
        EndDescription();
    }
};

std::string Show(const RECT& R) {
    return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ")-(" + std::to_string(R.right) + ", " +
           std::to_string(R.bottom) + ")";
}

RECT WindowRect(HWND Wnd) {
    RECT r = {};
    GetWindowRect(Wnd, &r);
    return r;
}

// Whether the mouse is clipped to R.
bool ClippedTo(const RECT& R, std::string& Got) {
    RECT r = {};
    GetClipCursor(&r);
    Got = Show(r);
    return EqualRect(&r, &R);
}

// A shown probe form, with the mouse released afterwards.
class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        frm = new TfrmProbe(Application);
        frm->Show();
        SetForegroundWindow(frm->Handle());
        PumpFor(100);
    }
    void TearDown() override {
        ClipCursor(nullptr);
        if (Own) DestroyCursor(Own);
        delete frm;
    }
    TfrmProbe* frm = nullptr;
    HCURSOR Own = nullptr;
};

TEST_F(Windows, ClipControlKeepsTheMouseInTheControlUntilReleased) {
    const RECT button = WindowRect(frm->cmdButton->Handle());
    std::string got;
    ZvClipControl(frm->cmdButton);
    EXPECT_TRUE(ClippedTo(button, got)) << "expected the clip " << Show(button) << ", got " << got;
    SetCursorPos(button.right + 100, button.bottom + 100);
    POINT p;
    GetCursorPos(&p);
    EXPECT_TRUE(PtInRect(&button, p)) << "expected the mouse inside " << Show(button) << ", got (" << p.x << ", "
                                      << p.y << ")";
    ZvClipControl(nullptr);
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_TRUE(ClippedTo(screen, got)) << "expected the released clip " << Show(screen) << ", got " << got;
}

TEST_F(Windows, EnsureVisibleMovesAnOffScreenFormIntoTheWorkArea) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT size = WindowRect(frm->Handle());
    const int w = size.right - size.left, h = size.bottom - size.top;
    for (POINT at : {POINT{area.left - 60, area.top - 40}, POINT{area.right - 100, area.bottom - 50}}) {
        SetWindowPos(frm->Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(WindowRect(frm->Handle()).left, at.x) << "the system did not place the form";
        ZvEnsureVisible(frm);
        const RECT r = WindowRect(frm->Handle());
        const RECT expected = at.x < area.left ? RECT{area.left, area.top, area.left + w, area.top + h}
                                               : RECT{area.right - w, area.bottom - h, area.right, area.bottom};
        EXPECT_TRUE(EqualRect(&r, &expected)) << "expected " << Show(expected) << " in the work area " << Show(area)
                                              << ", got " << Show(r);
        EXPECT_EQ(frm->Left(), r.left) << "expected Left() to follow the window";
        EXPECT_EQ(frm->Top(), r.top) << "expected Top() to follow the window";
    }
    const RECT before = WindowRect(frm->Handle());
    ZvEnsureVisible(frm);
    const RECT after = WindowRect(frm->Handle());
    EXPECT_TRUE(EqualRect(&before, &after)) << "expected a form inside to stay at " << Show(before) << ", got "
                                            << Show(after);
}

TEST_F(Windows, SetForegroundWindowBringsAFormOverAnother) {
    auto* other = new TfrmProbe(Application, "Other");
    other->Show();
    SetForegroundWindow(other->Handle());
    PumpFor(100);
    ASSERT_EQ(GetForegroundWindow(), other->Handle()) << "the second form did not come to the front";
    ZvSetForegroundWindow(frm->Handle());
    PumpFor(100);
    EXPECT_EQ(GetForegroundWindow(), frm->Handle()) << "expected the first form in front";
    delete other;
}

TEST_F(Windows, GetCursorGivesTheShownCursorItsPlaceAndHotSpotOrNone) {
    RECT client;
    GetClientRect(frm->Handle(), &client);
    POINT at = {client.right - 30, client.bottom - 20};
    ClientToScreen(frm->Handle(), &at);
    SetCursorPos(at.x, at.y);
    PumpFor(100);
    std::vector<BYTE> andPlane(32 * 4, 0xFF), xorPlane(32 * 4, 0x00);
    for (int row = 0; row < 8; ++row) andPlane[row * 4] = 0x00;
    Own = CreateCursor(GetModuleHandleA(nullptr), 5, 7, 32, 32, andPlane.data(), xorPlane.data());
    ASSERT_NE(Own, nullptr);
    SetCursor(Own);
    POINT pos = {-1, -1}, hot = {-1, -1};
    EXPECT_EQ(ZvGetCursor(pos, hot), Own) << "expected the cursor that is shown";
    EXPECT_TRUE(pos.x == at.x && pos.y == at.y) << "expected the place (" << at.x << ", " << at.y << "), got ("
                                                << pos.x << ", " << pos.y << ")";
    EXPECT_TRUE(hot.x == 5 && hot.y == 7) << "expected the hot spot (5, 7), got (" << hot.x << ", " << hot.y << ")";
    while (ShowCursor(FALSE) >= 0) {
    }
    pos = hot = {9, 9};
    const HICON hidden = ZvGetCursor(pos, hot);
    while (ShowCursor(TRUE) < 0) {
    }
    EXPECT_EQ(hidden, nullptr) << "expected no cursor while it is hidden";
    EXPECT_TRUE(pos.x == 0 && pos.y == 0 && hot.x == 0 && hot.y == 0) << "expected zero points while hidden";
}

}  // namespace
