// Aligned controls fill their parent from its edges inwards; a frame's MDI
// client and a status bar of panels take their part.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "Forms.h"
#include "StatusBar.h"
#include "TestSupport.h"

using namespace forms;

namespace {

RECT ClientRectOf(HWND Wnd, HWND Parent) {
    RECT r;
    GetWindowRect(Wnd, &r);
    MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(const RECT& R, int L, int T, int Rt, int B, const char* What) {
    EXPECT_TRUE(R.left == L && R.top == T && R.right == Rt && R.bottom == B)
        << What << ": expected (" << L << ", " << T << ")-(" << Rt << ", " << B << "), got (" << R.left << ", "
        << R.top << ")-(" << R.right << ", " << R.bottom << ")";
}

class TfrmFrame : public TForm {
public:
    TPanel* panTop = nullptr;
    TPanel* panRight = nullptr;
    TStatusBar* stbMain = nullptr;
    explicit TfrmFrame(TComponent* AOwner, TFormStyle Style) : TForm(AOwner) {
        Describe({.Name = "frmFrame", .ClientWidth = 400, .ClientHeight = 300, .FormStyle = Style});
        Add(panTop, {.Name = "panTop", .Height = 30, .Align = alTop});
        Add(stbMain, {.Name = "stbMain", .Height = 20, .Align = alBottom});
        Add(panRight, {.Name = "panRight", .Width = 60, .Align = alRight});
        EndDescription();
    }
};

TEST(Align, BarsTakeTheEdgesAndTheMdiClientWhatIsLeft) {
    TfrmFrame frm(nullptr, fsMDIForm);
    frm.Show();
    HWND client = frm.ClientHandle();
    ASSERT_NE(client, nullptr);
    ExpectRect(ClientRectOf(frm.panTop->Handle(), frm.Handle()), 0, 0, 400, 30, "top panel");
    ExpectRect(ClientRectOf(frm.stbMain->Handle(), frm.Handle()), 0, 280, 400, 300, "status bar");
    ExpectRect(ClientRectOf(frm.panRight->Handle(), frm.Handle()), 340, 30, 400, 280, "right panel");
    ExpectRect(ClientRectOf(client, frm.Handle()), 0, 30, 340, 280, "MDI client");

    frm.SetClientSize(500, 350);
    ExpectRect(ClientRectOf(frm.stbMain->Handle(), frm.Handle()), 0, 330, 500, 350, "status bar after a resize");
    ExpectRect(ClientRectOf(client, frm.Handle()), 0, 30, 440, 330, "MDI client after a resize");

    frm.panTop->Hide();
    ExpectRect(ClientRectOf(client, frm.Handle()), 0, 0, 440, 330, "MDI client without the top bar");
}

TEST(StatusBars, PanelsShowTheirTextsAtTheirWidths) {
    TfrmFrame frm(nullptr, fsNormal);
    frm.stbMain->SetPanels({{100, "Ready"}, {80, "1 screen"}, {50, ""}});
    frm.Show();
    frm.stbMain->SetPanelText(2, "100%");
    EXPECT_EQ(frm.stbMain->PanelText(0), "Ready");
    EXPECT_EQ(frm.stbMain->PanelText(1), "1 screen");
    EXPECT_EQ(frm.stbMain->PanelText(2), "100%");
    int edges[3] = {};
    ASSERT_EQ(SendMessageA(frm.stbMain->Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 180);
    EXPECT_EQ(edges[2], -1) << "the last panel takes the rest";
}

}  // namespace
