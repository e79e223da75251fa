// The drawing tools, the floating selection and the edit commands on a real
// screen, driven by the mouse messages a hand sends to the picture and by
// the mouse and keys themselves, with the pixels, undo steps and modified
// marks that result, in the picture and on the screen; the colour boxes,
// which a click chooses and a click on the chosen one opens the Colors
// dialog for.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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
constexpr TColor kRed = static_cast<TColor>(RGB(255, 0, 0));

std::string ColorText(COLORREF C) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(C));
    return text;
}

// The first pixel of R in the picture that is not of the colour, or ""
// when all of them are.
std::string Unlike(TBitmap& Picture, RECT R, TColor Color) {
    const COLORREF wanted = ColorToRGB(Color);
    for (int y = R.top; y < R.bottom; ++y) {
        const std::uint8_t* row = Picture.ScanLine(y);
        for (int x = R.left; x < R.right; ++x) {
            const COLORREF found = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            if (found != wanted)
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + ColorText(found) + ", not " +
                       ColorText(wanted);
        }
    }
    return "";
}

// Keys that follow the input already sent without a pause, so that no timer
// runs between them: a key with Ctrl held, or alone.
void QueueKey(WORD Vk, bool Ctrl = false) {
    if (Ctrl) Key(VK_CONTROL, false);
    Key(Vk, false);
    Key(Vk, true);
    if (Ctrl) Key(VK_CONTROL, true);
}

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

    // Where a pixel of the picture lies on the screen, and what shows there.
    POINT OnScreen(int X, int Y) {
        POINT p = {X, Y};
        ClientToScreen(screen->picMain->Handle(), &p);
        return p;
    }
    COLORREF Shown(int X, int Y) { return ScreenPixel(OnScreen(X, Y)); }
    // How many pixels of the edge of R (picture coordinates) show inverted
    // from the ground colour: the dashes of a selection's frame.
    int FramePixelsShown(RECT R, TColor Ground) {
        const COLORREF inverted = ~ColorToRGB(Ground) & 0xFFFFFF;
        int count = 0;
        for (int x = R.left; x < R.right; ++x)
            count += (Shown(x, R.top) == inverted) + (Shown(x, R.bottom - 1) == inverted);
        for (int y = R.top + 1; y < R.bottom - 1; ++y)
            count += (Shown(R.left, y) == inverted) + (Shown(R.right - 1, y) == inverted);
        return count;
    }
    // A tool chosen by a click on its button.
    void ClickTool(int Tool) {
        ToFront();
        SettleInput();  // the bars take their places
        const RECT r = frmMain->tlbDrawingTools->ButtonRect(ToolButtons[Tool - 1]);
        MouseClicks(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    // A drag with the Selector over the picture, slow enough for the frame
    // to run on the picture while it grows; the button is still down.
    void SelectOnScreen(POINT From, POINT To) {
        PressAt(OnScreen(From.x, From.y));
        MoveAlong(OnScreen(From.x, From.y), OnScreen(To.x, To.y), 4, 100);
    }
    // The same, released: whether a selection floats.
    bool Selects(POINT From, POINT To) {
        SelectOnScreen(From, To);
        ReleaseAt(OnScreen(To.x, To.y));
        return screen->SelImage != nullptr;
    }

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

// The pixels of a tool button as the screen shows it.
std::vector<COLORREF> ButtonLook(const TToolButton* Button) {
    const RECT r = frmMain->tlbDrawingTools->ButtonRect(Button);
    std::vector<COLORREF> look;
    HDC dc = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) look.push_back(GetPixel(dc, x, y));
    ReleaseDC(nullptr, dc);
    return look;
}

TEST_F(Drawing, WithTheStatusBarOffThePressedToolButtonFollowsTheToolTheProgramChooses) {
    Choose(6);  // the Fill: the buttons below are all up
    const int options = Options;
    ExcludeOption(OptStatusBar);
    frmMain->UpdateStatusBar();
    TToolButton* const selector = ToolButtons[0];
    TToolButton* const pencil = ToolButtons[1];
    TToolButton* const picker = ToolButtons[4];
    // Looks are read with the mouse resting on the Ellipse's button, the
    // last of the bar, so that none of the buttons read shows the mouse over
    // it.
    auto settled = [] {
        MouseTo(CentreOf(frmMain->tlbDrawingTools->ButtonRect(ToolButtons[11])));
        PumpUntil([] { return SendMessageA(frmMain->tlbDrawingTools->Handle(), TB_GETHOTITEM, 0, 0) == 11; });
        PumpFor(100);
    };
    settled();
    const auto selectorUp = ButtonLook(selector), pencilUp = ButtonLook(pencil), pickerUp = ButtonLook(picker);
    ClickAt(CentreOf(frmMain->tlbDrawingTools->ButtonRect(pencil)));
    settled();
    ASSERT_EQ(DrawingByte(0) + 1, 2) << "the click on the Pencil chose it";
    const auto pencilDown = ButtonLook(pencil);
    ClickAt(CentreOf(frmMain->tlbDrawingTools->ButtonRect(picker)));
    settled();
    ASSERT_EQ(DrawingByte(0) + 1, 5);
    ASSERT_NE(ButtonLook(picker), pickerUp) << "a pressed button looks like one";

    // The Picker takes a colour from the picture and goes back to the Pencil.
    ClickOn(screen->picMain->Handle());
    EXPECT_TRUE(PumpUntil([] { return DrawingByte(0) + 1 == 2; })) << "the Picker did not go back";
    settled();
    EXPECT_TRUE(ButtonLook(picker) == pickerUp) << "the Picker's button stayed pressed";
    EXPECT_TRUE(ButtonLook(pencil) == pencilDown) << "the Pencil's button is not pressed";

    // Select All chooses the Selector.
    Chord({VK_CONTROL}, 'A');
    EXPECT_TRUE(PumpUntil([] { return DrawingByte(0) == 0; })) << "Ctrl+A did not choose the Selector";
    settled();
    EXPECT_TRUE(ButtonLook(pencil) == pencilUp) << "the Pencil's button stayed pressed";
    EXPECT_FALSE(ButtonLook(selector) == selectorUp) << "the Selector's button is not pressed";

    Options = options;
    frmMain->UpdateStatusBar();
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

TEST_F(Drawing, TheMouseDrawsWithThePencilTheLineAndTheRectangle) {
    frmMain->lstDrawingWidth->SetItemIndex(0);  // 1 pixel
    frmMain->lstDrawingType->SetItemIndex(0);   // outline only
    ClickTool(2);
    ASSERT_EQ(DrawingByte(0) + 1, 2) << "the Pencil's button chose it";
    DragOnScreen(OnScreen(5, 5), OnScreen(25, 5));
    EXPECT_EQ(Unlike(screen->Picture(), RECT{5, 5, 25, 6}, clBlack), "") << "the pencil's stroke";
    EXPECT_EQ(At(5, 6), kGround);

    ClickTool(8);
    DragOnScreen(OnScreen(5, 15), OnScreen(45, 15));
    EXPECT_EQ(Unlike(screen->Picture(), RECT{5, 15, 45, 16}, clBlack), "") << "the line";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{5, 16, 45, 17}, kGround), "") << "the rubber band left nothing";

    ClickTool(10);
    DragOnScreen(OnScreen(30, 20), OnScreen(50, 35));
    for (POINT corner : {POINT{30, 20}, POINT{50, 20}, POINT{30, 35}, POINT{50, 35}})
        EXPECT_EQ(At(corner.x, corner.y), clBlack) << corner.x << ", " << corner.y;
    EXPECT_EQ(Unlike(screen->Picture(), RECT{31, 21, 50, 35}, kGround), "") << "an outline only";
    EXPECT_EQ(UndoSteps(), 3) << "one step a stroke";
    EXPECT_EQ(Shown(40, 20), ColorToRGB(clBlack)) << "the screen shows the rectangle";
    EXPECT_EQ(Shown(40, 28), ColorToRGB(kGround));
}

TEST_F(Drawing, ASelectionMadeWithTheMouseShowsItsFrameAndMovesWhereItIsDragged) {
    Fill(10, 10, 20, 20, kRed);
    ClickTool(1);
    ASSERT_TRUE(Selects({10, 10}, {19, 19}));
    EXPECT_EQ(screen->SelRect.left, 10);
    EXPECT_EQ(screen->SelRect.right, 20);
    PumpFor(600);  // the frame runs on the selection
    EXPECT_GE(FramePixelsShown(RECT{10, 10, 20, 20}, kRed), 9) << "the marching frame shows round the selection";

    DragOnScreen(OnScreen(15, 15), OnScreen(35, 25));
    ASSERT_NE(screen->SelImage, nullptr) << "the press inside the selection dropped it";
    EXPECT_EQ(screen->SelRect.left, 30) << "the selection followed the mouse";
    EXPECT_EQ(screen->SelRect.top, 20);
    EXPECT_EQ(Shown(35, 25), ColorToRGB(kRed)) << "the selection shows where it was dragged";
    Press(VK_ESCAPE);
    SettleInput();
    EXPECT_EQ(screen->SelImage, nullptr) << "Esc dropped the selection";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{30, 20, 40, 30}, kRed), "") << "the moved pixels, without the frame";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{10, 10, 20, 20}, screen->ScreenBackColor), "") << "the hole";
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(Shown(35, 25), ColorToRGB(kRed));
}

TEST_F(Drawing, APastedPictureShowsWithItsFrameAndMovesWhereItIsDragged) {
    TBitmap pasted;
    pasted.SetSize(10, 10);
    pasted.Canvas().Brush.SetColor(kRed);
    pasted.Canvas().FillRect(RECT{0, 0, 10, 10});
    ASSERT_TRUE(CopyToClipboard(pasted));
    // The keys go to the screen that the user has clicked.
    MouseClicks(CaptionOf(screen));
    PressWith(VK_CONTROL, 'V');
    SettleInput();
    ASSERT_NE(screen->SelImage, nullptr) << "Ctrl+V pasted";
    PumpFor(600);
    EXPECT_GE(FramePixelsShown(RECT{0, 0, 10, 10}, kRed), 9) << "the marching frame shows round the pasted picture";

    DragOnScreen(OnScreen(5, 5), OnScreen(25, 15));
    ASSERT_NE(screen->SelImage, nullptr);
    EXPECT_EQ(screen->SelRect.left, 20) << "the pasted picture followed the mouse";
    ClickTool(2);
    EXPECT_EQ(screen->SelImage, nullptr) << "the tool change dropped it";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{20, 10, 30, 20}, kRed), "") << "the pasted pixels where they were dropped";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{0, 0, 10, 10}, kGround), "") << "a paste leaves no hole";
    EXPECT_EQ(Shown(25, 15), ColorToRGB(kRed));
}

TEST_F(Drawing, AFrameThatHasNotRunYetLeavesNoDashes) {
    Fill(0, 0, 16, 16, kRed);
    ClickTool(1);
    // Esc at once after the release: the selection is dropped before its
    // frame ever ran on it.
    SelectOnScreen({1, 1}, {12, 12});
    LeftButton(false);
    QueueKey(VK_ESCAPE);
    SettleInput();
    EXPECT_EQ(screen->SelImage, nullptr);
    EXPECT_EQ(Unlike(screen->Picture(), RECT{0, 0, 16, 16}, kRed), "") << "a selection dropped unmoved changes nothing";
    EXPECT_EQ(UndoSteps(), 0);

    // Copy twice in a row: the frame that the first copy restarted has not
    // run before the second.
    ASSERT_TRUE(Selects({1, 1}, {12, 12}));
    PumpFor(600);
    QueueKey('C', true);
    QueueKey('C', true);
    SettleInput();
    TBitmap clip;
    ASSERT_TRUE(ReadClipboard(clip));
    EXPECT_EQ(clip.Width(), 12);
    EXPECT_EQ(Unlike(clip, RECT{0, 0, 12, 12}, kRed), "") << "the copy carries no frame";

    // A paste copied at once.
    QueueKey('V', true);
    QueueKey('C', true);
    SettleInput();
    ASSERT_TRUE(ReadClipboard(clip));
    EXPECT_EQ(Unlike(clip, RECT{0, 0, 12, 12}, kRed), "") << "the pasted picture's copy carries no frame";
    QueueKey(VK_ESCAPE);
    SettleInput();
    EXPECT_EQ(screen->SelImage, nullptr);
    EXPECT_EQ(Unlike(screen->Picture(), RECT{0, 0, 16, 16}, kRed), "") << "the paste dropped without a frame";
}

TEST_F(Drawing, AMovedSelectionStaysWhenTheNextSelectionIsCancelled) {
    Fill(10, 10, 20, 20, kRed);
    ClickTool(1);
    ASSERT_TRUE(Selects({10, 10}, {19, 19}));
    DragOnScreen(OnScreen(15, 15), OnScreen(35, 15));
    ASSERT_EQ(screen->SelRect.left, 30);
    // A new selection elsewhere, given up with Esc while it is dragged.
    SelectOnScreen({45, 25}, {55, 35});
    Press(VK_ESCAPE);
    ReleaseAt(OnScreen(55, 35));
    EXPECT_EQ(screen->SelImage, nullptr);
    EXPECT_EQ(Unlike(screen->Picture(), RECT{30, 10, 40, 20}, kRed), "") << "the moved pixels stay where they were dropped";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{10, 10, 20, 20}, screen->ScreenBackColor), "") << "the hole stays";
    EXPECT_EQ(Unlike(screen->Picture(), RECT{45, 25, 56, 36}, kGround), "") << "the cancelled frame left nothing";
}

TEST_F(Drawing, TheTextCaretGoesWhenTheTextEnds) {
    auto caretWindow = [] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        return info.hwndCaret;
    };
    auto clickText = [&](int X, int Y) {
        MouseClicks(OnScreen(X, Y));
        return caretWindow() == screen->picMain->Handle();
    };
    ClickTool(4);
    ASSERT_TRUE(clickText(20, 20)) << "a click with the Text tool places the caret";
    ClickTool(2);
    EXPECT_EQ(caretWindow(), nullptr) << "after a tool change";

    ClickTool(4);
    ASSERT_TRUE(clickText(20, 20));
    Press(VK_ESCAPE);
    SettleInput();
    EXPECT_EQ(caretWindow(), nullptr) << "after Esc";

    ASSERT_TRUE(clickText(20, 20));
    screen->SetPictureSize(900, 700);
    UpdateScrollBars(screen);
    ASSERT_TRUE(clickText(20, 20));
    RECT bar;
    GetWindowRect(screen->slbHorz->Handle(), &bar);
    const POINT arrow = {bar.right - 4, (bar.top + bar.bottom) / 2};
    MouseClicks(arrow);
    ASSERT_GT(screen->slbHorz->Position(), 0) << "the arrow scrolled";
    EXPECT_EQ(caretWindow(), nullptr) << "after a scroll";

    ASSERT_TRUE(clickText(20, 20));
    CloseEveryScreen();
    EXPECT_EQ(caretWindow(), nullptr) << "after the screen closed";
}

// The size of a text in the drawing font.
SIZE TextSize(const char* Text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, DrawingFont->Handle());
    SIZE size = {};
    GetTextExtentPoint32A(dc, Text, lstrlenA(Text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

// What the Text tool should leave: Lines written from Origin down, a line
// below the other, with GDI's own calls, in the font and colour given, on
// the background colour when Opaque.
void WriteLines(TBitmap& Picture, POINT Origin, std::initializer_list<const char*> Lines, bool Opaque) {
    HDC dc = Picture.Canvas().Handle();
    HGDIOBJ old = SelectObject(dc, DrawingFont->Handle());
    SetTextColor(dc, ColorToRGB(ForeColor));
    SetBkColor(dc, ColorToRGB(BackColor));
    SetBkMode(dc, Opaque ? OPAQUE : TRANSPARENT);
    int y = Origin.y;
    for (const char* line : Lines) {
        TextOutA(dc, Origin.x, y, line, lstrlenA(line));
        y += TextSize("abc").cy;
    }
    SelectObject(dc, old);
}

// The rows of the picture that differ from Expected, or "" when none does.
std::string DifferingRows(TBitmap& Picture, TBitmap& Expected) {
    std::string rows;
    for (int y = 0; y < Picture.Height(); ++y)
        if (std::memcmp(Picture.ScanLine(y), Expected.ScanLine(y), static_cast<size_t>(Picture.Width()) * 3) != 0)
            rows += " " + std::to_string(y);
    return rows.empty() ? "" : "rows" + rows + " differ";
}

TEST_F(Drawing, TypedTextIsDrawnAtTheCaretLineByLineInOneUndoStep) {
    DrawingFont->SetName("Tahoma");
    DrawingFont->SetSize(10);
    DrawingFont->SetStyle(0);
    ForeColor = kRed;
    BackColor = clWhite;
    screen->Tag &= ~1;
    ClickTool(4);
    auto clickMode = [](int Index) {  // a font mode, clicked in its list
        RECT item = {};
        SendMessageA(frmMain->lstDrawingFont->Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&item));
        POINT at = CentreOf(item);
        ClientToScreen(frmMain->lstDrawingFont->Handle(), &at);
        ClickAt(at);
        SettleInput();
    };
    clickMode(0);  // Transparent
    auto caret = [] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        return info;
    };
    auto typed = [](const std::function<void()>& Keys) {
        Keys();
        Settle();
    };
    TBitmap ground;
    ground.Assign(screen->Picture());
    const SIZE line = TextSize("abc");
    MouseClicks(OnScreen(10, 12));
    SettleInput();
    const POINT origin = {10, 12 - line.cy / 2};
    ASSERT_EQ(caret().hwndCaret, screen->picMain->Handle()) << "the click placed no caret";
    EXPECT_EQ(caret().rcCaret.left, origin.x);
    EXPECT_EQ(caret().rcCaret.top, origin.y);
    EXPECT_EQ(screen->Tag & 1, 0) << "a click alone changes nothing";
    EXPECT_EQ(UndoSteps(), 0);

    typed([] {
        Type("Ab");
        Press(VK_RETURN);
        Type("c");
    });
    TBitmap expected;
    expected.Assign(ground);
    WriteLines(expected, origin, {"Ab", "c"}, false);
    EXPECT_EQ(DifferingRows(screen->Picture(), expected), "") << "\"Ab\", then \"c\" below it";
    EXPECT_NE(Unlike(screen->Picture(), RECT{0, 0, 60, 40}, kGround), "") << "something was drawn";
    EXPECT_EQ(screen->Tag & 1, 1) << "marked modified";
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(caret().rcCaret.left, origin.x + TextSize("c").cx) << "the caret follows the text";
    EXPECT_EQ(caret().rcCaret.top, origin.y + line.cy);

    typed([] {
        Press(VK_BACK);
        Press(VK_BACK);
        Press(VK_BACK);
    });
    expected.Assign(ground);
    WriteLines(expected, origin, {"A"}, false);
    EXPECT_EQ(DifferingRows(screen->Picture(), expected), "") << "Backspace took back \"c\", the line and \"b\"";
    EXPECT_EQ(caret().rcCaret.top, origin.y);
    EXPECT_EQ(UndoSteps(), 1) << "the text is one undo step";

    typed([] { Press(VK_ESCAPE); });
    EXPECT_EQ(caret().hwndCaret, nullptr);
    EXPECT_EQ(DifferingRows(screen->Picture(), expected), "") << "Esc ends the text and keeps it";
    // The display shows the picture, without a trace of the caret.
    std::string marks;
    for (int y = origin.y; y < origin.y + line.cy; ++y)
        for (int x = origin.x; x < origin.x + 20; ++x)
            if (Shown(x, y) != ColorToRGB(At(x, y))) marks += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    EXPECT_EQ(marks, "") << "the display differs from the picture there";
    typed([] { Type("zz"); });
    EXPECT_EQ(DifferingRows(screen->Picture(), expected), "") << "keys after Esc draw nothing";

    // Opaque: the text on the background colour, its own undo step.
    clickMode(1);
    MouseClicks(OnScreen(35, 20));
    SettleInput();
    typed([] { Type("x"); });
    WriteLines(expected, {35, 20 - line.cy / 2}, {"x"}, true);
    EXPECT_EQ(DifferingRows(screen->Picture(), expected), "") << "\"x\" on white";
    EXPECT_EQ(At(35, 20 - line.cy / 2), clWhite);
    EXPECT_EQ(UndoSteps(), 2);

    Chord({VK_CONTROL}, 'Z');
    Chord({VK_CONTROL}, 'Z');
    Settle();
    EXPECT_EQ(DifferingRows(screen->Picture(), ground), "") << "two undos take both texts back";
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

// "Change Font..." opens the font dialog; the font, size and colour chosen
// there become the Text tool's font, whose height its caret takes, and the
// foreground colour; the list goes back to the mode chosen before.
TEST_F(Drawing, ChangeFontChoosesTheTextToolsFontAndTheForegroundColour) {
    ForeColor = 0x0000FF;
    frmMain->DrawColorBoxes();
    Choose(4);
    frmMain->lstDrawingFont->SetItemIndex(1);
    frmMain->Tag = 1;
    SettleInput();
    std::string caption;
    bool done = false;
    TComponent owner(nullptr);
    const std::vector<dialogsteps::Step> steps = {
        [&] {
            char text[32] = {};
            GetWindowTextA(GetActiveWindow(), text, sizeof text);
            caption = text;
            if (caption != "Font") return;
            Press(VK_END);
            Press(VK_HOME, true);
            Type("Tahoma");
            PressAlt('S');
        },
        [&] {
            Press(VK_END);
            Press(VK_HOME, true);
            Type("36");
            PressAlt('C');  // the Colors dialog
        },
        [&] {
            MouseTo(POINT{2, 2});
            dialogsteps::Settle();
            Press(VK_SPACE);  // off the palette's grid: Black
            dialogsteps::Settle();
            Press(VK_RETURN);
        },
        [&] { Press(VK_RETURN); },
        [&] { done = true; }};
    dialogsteps::Schedule(owner, steps);
    RECT item = {};
    SendMessageA(frmMain->lstDrawingFont->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT at = CentreOf(item);
    ClientToScreen(frmMain->lstDrawingFont->Handle(), &at);
    ClickAt(at);
    PumpUntil([&] { return done; }, 15000);
    EXPECT_EQ(caption, "Font");
    EXPECT_EQ(DrawingFont->Name(), "Tahoma");
    EXPECT_EQ(DrawingFont->Size(), 36);
    EXPECT_EQ(ForeColor, 0x000000);
    EXPECT_EQ(frmMain->lstDrawingFont->ItemIndex(), 1) << "the mode chosen before";
    EXPECT_EQ(ScreenPixel(CentreOf(frmMain->picForeColor->Handle())), RGB(0, 0, 0)) << "the box shows black";

    // The caret of a Text click is as high as the text of that font.
    ClickAt(OnScreen(30, 20));
    SettleInput();
    GUITHREADINFO gui = {sizeof gui};
    GetGUIThreadInfo(GetCurrentThreadId(), &gui);
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(36, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE abc = {};
    GetTextExtentPoint32A(dc, "abc", 3, &abc);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(gui.rcCaret.bottom - gui.rcCaret.top, abc.cy) << "the caret of the text in Tahoma at 36 points";
}

}  // namespace
