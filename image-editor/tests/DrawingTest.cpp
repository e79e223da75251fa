// The drawing tools, the floating selection and the edit commands on a real
// screen, driven by the mouse messages a hand sends to the picture, with the
// pixels, undo steps and modified marks that result; the colour boxes, which
// a click chooses and a click on the chosen one opens the Colors dialog for.
#include <gtest/gtest.h>

#include <windows.h>

#include "Child.h"
#include "Common.h"
#include "DialogSteps.h"
#include "EditCommands.h"
#include "ProgramWindows.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

constexpr TColor kGround = static_cast<TColor>(RGB(200, 200, 200));

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        OpenScreenFile(MakePicture("canvas.bmp", 60, 40));
        screen = ActiveScreen();
        ASSERT_NE(screen, nullptr);
        Fill(0, 0, 60, 40, kGround);
        ForeColor = clBlack;
        BackColor = clWhite;
        Drawings[1] = 0;
    }
    void TearDown() override { CloseEveryScreen(); }

    void Fill(int L, int T, int R, int B, TColor Color) {
        screen->Picture().Canvas().Brush.SetClear(false);
        screen->Picture().Canvas().Brush.SetColor(Color);
        screen->Picture().Canvas().FillRect(RECT{L, T, R, B});
    }
    // Tool 1..12, chosen as the user chooses it: its button.
    void Choose(int Tool) { frmMain->tlnDrawingTool_Click(ToolButtons[Tool - 1]); }
    void Send(UINT Msg, int X, int Y) {
        SendMessageA(screen->picMain->Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
    }
    void Drag(POINT From, POINT To) {
        Send(WM_LBUTTONDOWN, From.x, From.y);
        Send(WM_MOUSEMOVE, (From.x + To.x) / 2, (From.y + To.y) / 2);
        Send(WM_MOUSEMOVE, To.x, To.y);
        Send(WM_LBUTTONUP, To.x, To.y);
    }
    TColor At(int X, int Y) { return screen->Picture().Canvas().Pixel(X, Y); }
    int UndoSteps() const { return screen->Undo->UndoCount; }

    TfrmChild* screen = nullptr;
};

TEST_F(Drawing, ALineClickLeavesOnePixelAndOneUndoStepAndADragDrawsTheLine) {
    Choose(8);
    screen->Tag &= ~1;
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(At(5, 5), clBlack);
    EXPECT_EQ(At(6, 5), kGround);
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(screen->Tag & 1, 1) << "marked modified";

    Drag({10, 20}, {30, 20});
    for (int x = 10; x < 30; ++x) EXPECT_EQ(At(x, 20), clBlack) << x;
    EXPECT_EQ(At(20, 21), kGround) << "the rubber band left nothing behind";
    EXPECT_EQ(UndoSteps(), 2);
    screen->Undo->Undo(screen->Picture());
    EXPECT_EQ(At(20, 20), kGround) << "the step is the picture before the stroke";
}

TEST_F(Drawing, AShapeCoversBothCornerPixelsAndTheDragSizeShows) {
    Choose(10);
    frmMain->lstDrawingType->SetItemIndex(0);  // outline only
    Send(WM_LBUTTONDOWN, 10, 10);
    Send(WM_MOUSEMOVE, 5, 20);
    EXPECT_TRUE(screen->Busy);
    EXPECT_EQ(screen->ShapeW, 6);
    EXPECT_EQ(screen->ShapeH, 11);
    frmMain->tmrMain_Timer(nullptr);
    EXPECT_EQ(frmMain->lblStatusBar2->Caption(), "60x40 (6x11)");
    Send(WM_LBUTTONUP, 5, 20);
    EXPECT_EQ(At(5, 10), clBlack);
    EXPECT_EQ(At(10, 20), clBlack);
    EXPECT_EQ(At(4, 10), kGround);
    EXPECT_EQ(At(11, 20), kGround);
    EXPECT_EQ(At(7, 15), kGround) << "no fill";
    EXPECT_FALSE(screen->Busy);
}

TEST_F(Drawing, APencilDraggedOutOfThePictureDrawsOnlyInsideIt) {
    Choose(2);
    Send(WM_LBUTTONDOWN, 2, 2);
    Send(WM_MOUSEMOVE, 2, 30000);
    Send(WM_MOUSEMOVE, -500, 30000);
    Send(WM_LBUTTONUP, -500, -3);
    EXPECT_EQ(At(2, 39), clBlack);
    EXPECT_EQ(At(3, 39), kGround);
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(Drawing, FillPickerAndEraserUseTheirColours) {
    Fill(20, 10, 40, 30, clWhite);
    ForeColor = 0x0000FF;
    Choose(6);
    Send(WM_LBUTTONDOWN, 25, 15);
    Send(WM_LBUTTONUP, 25, 15);
    EXPECT_EQ(At(39, 29), 0x0000FF);
    EXPECT_EQ(At(41, 29), kGround) << "only the surface of the clicked colour";
    EXPECT_EQ(UndoSteps(), 1);

    Drawings[1] = 1;
    Choose(5);
    Send(WM_LBUTTONDOWN, 25, 15);
    Send(WM_LBUTTONUP, 25, 15);
    EXPECT_EQ(BackColor, 0x0000FF) << "into the active box";
    EXPECT_EQ(DrawingByte(0) + 1, 6) << "back to the tool before the picker";

    screen->ScreenBackColor = 0x00FF00;
    Choose(3);
    Send(WM_LBUTTONDOWN, 50, 5);
    Send(WM_LBUTTONUP, 50, 5);
    EXPECT_EQ(At(50, 5), 0x00FF00);
}

TEST_F(Drawing, AnUnfinishedCurveGoesWhenTheToolChanges) {
    Choose(9);
    Drag({5, 5}, {40, 30});
    EXPECT_EQ(screen->CurveStep, 1);
    EXPECT_EQ(UndoSteps(), 0) << "a curve is one step when it is finished";
    Choose(2);
    for (int x = 5; x < 40; ++x) EXPECT_EQ(At(x, 5 + (x - 5) * 25 / 35), kGround) << x;
    EXPECT_EQ(screen->CurveStep, 0);
}

TEST_F(Drawing, TheAirbrushSpraysWithinItsTableAroundTheMouse) {
    frmMain->lstDrawingASize->SetItemIndex(0);  // size 8
    ForeColor = clBlack;
    screen->LastMouse = {30, 20};
    for (int i = 0; i < 200; ++i) frmMain->tmrAirbrush_Timer(nullptr);
    int sprayed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (At(x, y) == clBlack) {
                ++sprayed;
                EXPECT_LE(std::abs(x - 30), 4) << x << "," << y;
                EXPECT_LE(std::abs(y - 20), 4) << x << "," << y;
            }
    EXPECT_GT(sprayed, 20);
    EXPECT_EQ(At(26, 17), kGround) << "the edge column of size 8 is 3 high";
}

TEST_F(Drawing, ASelectionFloatsFromFourByFourLiftsOnceAndDropsClippedAtTheEdge) {
    Choose(1);
    Drag({5, 5}, {7, 14});  // 3 x 10
    EXPECT_EQ(screen->SelImage, nullptr);
    Fill(10, 10, 14, 14, 0x0000FF);
    screen->Tag &= ~1;
    Drag({10, 10}, {13, 13});
    ASSERT_NE(screen->SelImage, nullptr);
    EXPECT_EQ(screen->SelImage->Width(), 4);
    EXPECT_EQ(UndoSteps(), 0) << "floating changes nothing yet";
    EXPECT_EQ(screen->Tag & 1, 0);

    auto drag = [&](UINT Msg, int X, int Y) {
        SendMessageA(screen->SelImage->Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
    };
    // The selection moves under the mouse: each point is on it where it is.
    drag(WM_LBUTTONDOWN, 1, 1);
    drag(WM_MOUSEMOVE, 2, 1);   // to x 11
    drag(WM_MOUSEMOVE, 48, 1);  // to x 58: two columns stay inside
    drag(WM_LBUTTONUP, 48, 1);
    EXPECT_EQ(UndoSteps(), 1) << "the first move lifts, the later ones do not";
    EXPECT_EQ(screen->Tag & 1, 1);
    EXPECT_EQ(At(11, 11), screen->ScreenBackColor) << "the hole it left";
    EXPECT_EQ(screen->SelRect.left, 58);
    EndToolActions(true, true);
    EXPECT_EQ(screen->SelImage, nullptr);
    EXPECT_EQ(At(58, 11), 0x0000FF) << "the part that landed inside";
    EXPECT_EQ(At(59, 11), 0x0000FF);
    EXPECT_EQ(At(57, 11), kGround);
}

TEST_F(Drawing, CopyAndPasteGoThroughTheClipboardAndAPasteLiesWhereItIsSeen) {
    Fill(0, 0, 8, 8, 0x00FFFF);
    Choose(1);
    Drag({0, 0}, {7, 7});
    ASSERT_NE(screen->SelImage, nullptr);
    frmMain->mnuEditCopy_Click(frmMain);
    TBitmap clip;
    ASSERT_TRUE(ReadClipboard(clip));
    EXPECT_EQ(clip.Width(), 8);
    EXPECT_EQ(clip.Canvas().Pixel(0, 0), 0x00FFFF) << "the frame is not copied";
    EXPECT_EQ(clip.Canvas().Pixel(4, 4), 0x00FFFF);

    TBitmap thin;
    thin.SetSize(3, 100);
    ASSERT_TRUE(CopyToClipboard(thin));
    EndToolActions(true, true);
    const int steps = UndoSteps();
    frmMain->mnuEditPaste_Click(frmMain);
    EXPECT_EQ(screen->SelImage, nullptr) << "below 4 pixels on a side nothing is pasted";
    EXPECT_EQ(UndoSteps(), steps);

    CopyToClipboard(clip);
    screen->SetPictureSize(900, 700);
    UpdateScrollBars(screen);
    screen->slbHorz->SetPosition(50);
    screen->slbVert->SetPosition(30);
    frmMain->mnuEditPaste_Click(frmMain);
    ASSERT_NE(screen->SelImage, nullptr);
    EXPECT_EQ(screen->SelRect.left, 50) << "at the top-left corner of what is shown";
    EXPECT_EQ(screen->SelRect.top, 30);
    EXPECT_EQ(screen->panSelect->Left(), 0);
    EXPECT_TRUE(screen->SelLifted);

    const int before = ScreenCount();
    frmMain->mnuEditPasteAsNew_Click(frmMain);
    ASSERT_EQ(ScreenCount(), before + 1);
    EXPECT_EQ(ActiveScreen()->Caption().rfind("Screen ", 0), 0u);
    EXPECT_EQ(ActiveScreen()->picMain->Width(), 8);
    EXPECT_EQ(ActiveScreen()->Picture().Canvas().Pixel(3, 3), 0x00FFFF);
}

TEST_F(Drawing, UndoAfterASaveMarksTheScreenModifiedAgain) {
    Choose(2);
    Drag({1, 1}, {20, 1});
    ASSERT_TRUE(SaveScreenToFile(screen, TempFolder() + "\\saved.bmp"));
    EXPECT_EQ(screen->Tag, 2);
    frmMain->mnuEditUndo_Click(frmMain);
    EXPECT_EQ(At(10, 1), kGround);
    EXPECT_EQ(screen->Tag, 3) << "the picture is no longer the saved one";
    frmMain->mnuEditRedo_Click(frmMain);
    EXPECT_EQ(At(10, 1), clBlack);

    frmMain->mnuEditSelectAll_Click(frmMain);
    ASSERT_NE(screen->SelImage, nullptr);
    EXPECT_TRUE(SelectionIsWholePicture(screen));
    frmMain->mnuEdit_Click(frmMain);
    EXPECT_FALSE(frmMain->FindComponent("mnuEditSelectAll") &&
                 static_cast<TMenuItem*>(frmMain->FindComponent("mnuEditSelectAll"))->Enabled);
}

// Clicks a colour box and, should the Colors dialog open, picks the
// palette's Red in it with the keys and confirms. What the main window was
// while the dialog showed.
struct TColorBoxClick {
    bool DialogShown = false, MainEnabled = true, Busy = false, Magnifier = true;
};
TColorBoxClick ClickColorBox(TImage* Box) {
    TColorBoxClick seen;
    bool done = false;
    TComponent owner(nullptr);
    const std::vector<dialogsteps::Step> steps = {
        [&] {
            HWND dialog = GetActiveWindow();
            char caption[32] = {};
            GetWindowTextA(dialog, caption, sizeof caption);
            seen.DialogShown = std::string(caption) == "Colors";
            seen.MainEnabled = IsWindowEnabled(frmMain->Handle()) != FALSE;
            seen.Busy = forms::Screen.Busy();
            seen.Magnifier = frmMain->panMagnifierFront->Visible();
            if (!seen.DialogShown) return;
            // Home leads to Black, two rows down is Red.
            for (WORD key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE}) Press(key);
            dialogsteps::Settle();
            Press(VK_RETURN);
        },
        [&] { done = true; }};
    dialogsteps::Schedule(owner, steps);
    ClickOn(Box->Handle());
    PumpUntil([&] { return done; }, 10000);
    return seen;
}

TEST_F(Drawing, AClickOnTheActiveColourBoxChoosesItsColourToPaintWith) {
    frmMain->panMagnifierFront->Show();
    const TColorBoxClick other = ClickColorBox(frmMain->picBackColor);
    EXPECT_FALSE(other.DialogShown) << "a click on the other box only makes it the active one";
    EXPECT_EQ(Drawings[1], 1);
    EXPECT_EQ(BackColor, clWhite);

    const TColorBoxClick back = ClickColorBox(frmMain->picBackColor);
    ASSERT_TRUE(back.DialogShown);
    EXPECT_FALSE(back.MainEnabled) << "the main window waits for the dialog";
    EXPECT_TRUE(back.Busy);
    EXPECT_FALSE(back.Magnifier) << "the magnifier's view is hidden";
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle())) << "and comes back afterwards";
    EXPECT_FALSE(forms::Screen.Busy());
    EXPECT_EQ(BackColor, 0x0000FF);
    EXPECT_EQ(ForeColor, clBlack);
    EXPECT_EQ(ScreenPixel(CentreOf(frmMain->picBackColor->Handle())), RGB(255, 0, 0)) << "the box shows red";

    ClickColorBox(frmMain->picForeColor);  // makes it active
    ASSERT_TRUE(ClickColorBox(frmMain->picForeColor).DialogShown);
    EXPECT_EQ(ForeColor, 0x0000FF);
    Choose(2);
    Drag({1, 5}, {20, 5});
    EXPECT_EQ(At(10, 5), 0x0000FF) << "the pencil paints in the colour chosen";
    for (const char* key : {"ForeColor", "BackColor"}) {
        ShortString name;
        ZvConvertStr(ShortString(), ShortString(key), name);
        TRegistry reg;
        EXPECT_TRUE(reg.OpenKeyReadOnly("Software\\Zelvani\\Common\\Color") && reg.ValueExists(name.str()))
            << "the dialog's choice is kept under the key " << key;
    }
}

}  // namespace
