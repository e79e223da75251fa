// The Image menu on a real screen of the program's main window, driven by
// the keys a user presses (the shortcuts, the menu opened with Alt), with
// the pictures read back from the display and from the screens, their undo
// steps and modified marks; and the dialogs' common pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <set>
#include <string>

#include "Child.h"
#include "Common.h"
#include "ImageCommands.h"
#include "Images.h"
#include "PixelRoutines.h"
#include "ProgramWindows.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// A key pressed and released with nothing else in between, for the items of
// a menu that is open.
void Tap(WORD Vk) {
    Key(Vk, false);
    Key(Vk, true);
}

// Opens the Image menu with Alt+I and chooses its items by their underlined
// letters.
void ImageMenu(std::initializer_list<WORD> Letters) {
    PressAlt('I');
    for (WORD letter : Letters) Tap(letter);
}

// The colour the display shows at a point of a control.
COLORREF Shown(TControl* Control, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Control->Handle(), &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// The display shows that colour there within a few seconds.
::testing::AssertionResult Shows(TControl* Control, int X, int Y, COLORREF Expected) {
    if (PumpUntil([&] { return Shown(Control, X, Y) == Expected; }))
        return ::testing::AssertionSuccess();
    const COLORREF shown = Shown(Control, X, Y);
    return ::testing::AssertionFailure() << "the display shows RGB(" << int(GetRValue(shown)) << ", "
                                         << int(GetGValue(shown)) << ", " << int(GetBValue(shown)) << ") at " << X
                                         << "," << Y << ", not RGB(" << int(GetRValue(Expected)) << ", "
                                         << int(GetGValue(Expected)) << ", " << int(GetBValue(Expected)) << ")";
}

// The pixel (x, y) of the test pictures, RGB(x, y, 7).
COLORREF Original(int X, int Y) { return RGB(X, Y, 7); }

int Grey(COLORREF C) {
    const TExtendedPrecision precise;
    return static_cast<int>(std::llrintl(0.212671L * GetRValue(C) + 0.71516L * GetGValue(C) + 0.072169L * GetBValue(C)));
}

class ImageCommands : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        Open(60, 40);
        ForeColor = clBlack;
        Choose(1);
    }
    void TearDown() override { CloseEveryScreen(); }

    void Open(int W, int H) {
        CloseEveryScreen();
        OpenScreenFile(MakePicture("image.bmp", W, H));
        screen = ActiveScreen();
        ASSERT_NE(screen, nullptr);
        // The keys go to the main window, as after a click on it.
        frmMain->SetFocus();
    }
    void Choose(int Tool) { frmMain->tlnDrawingTool_Click(ToolButtons[Tool - 1]); }
    void Send(UINT Msg, int X, int Y) {
        SendMessageA(screen->picMain->Handle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
    }
    void Drag(POINT From, POINT To) {
        Send(WM_LBUTTONDOWN, From.x, From.y);
        Send(WM_MOUSEMOVE, To.x, To.y);
        Send(WM_LBUTTONUP, To.x, To.y);
    }
    // A floating selection of the rectangle, made with the Selector.
    void Select(int L, int T, int R, int B) {
        Choose(1);
        Drag({L, T}, {R - 1, B - 1});
        ASSERT_NE(screen->SelImage, nullptr);
    }
    COLORREF At(int X, int Y) { return static_cast<COLORREF>(screen->Picture().Canvas().Pixel(X, Y)); }
    int Steps() const { return screen->Undo->UndoCount; }
    bool Modified() const { return (screen->Tag & 1) != 0; }
    // Waits until the command has made its undo step.
    bool StepsReach(int N) {
        return PumpUntil([&] { return Steps() == N; });
    }
    TMenuItem* Item(const char* Name) { return static_cast<TMenuItem*>(frmMain->FindComponent(Name)); }

    TfrmChild* screen = nullptr;
};

TEST_F(ImageCommands, CtrlGGreysThePictureOnTheDisplayInOneUndoStep) {
    ASSERT_FALSE(Modified());
    PressCtrl('G');
    ASSERT_TRUE(StepsReach(1)) << "Ctrl+G made no undo step";
    const int e = Grey(Original(20, 10));
    EXPECT_EQ(e, 12);
    EXPECT_TRUE(Shows(screen->picMain, 20, 10, RGB(e, e, e)));
    EXPECT_EQ(At(59, 39), static_cast<COLORREF>(RGB(Grey(Original(59, 39)), Grey(Original(59, 39)), Grey(Original(59, 39)))));
    EXPECT_TRUE(Modified());
    frmMain->mnuEditUndo_Click(frmMain);
    EXPECT_EQ(At(20, 10), Original(20, 10)) << "the step is the picture before";
}

TEST_F(ImageCommands, CtrlITwiceRestoresAndAGreyAfterItIsWrittenNormally) {
    PressCtrl('I');
    ASSERT_TRUE(StepsReach(1));
    EXPECT_TRUE(Shows(screen->picMain, 30, 5, RGB(255 - 30, 255 - 5, 255 - 7)));
    PressCtrl('I');
    ASSERT_TRUE(StepsReach(2));
    EXPECT_TRUE(Shows(screen->picMain, 30, 5, Original(30, 5)));
    PressCtrl('I');
    PressCtrl('G');
    ASSERT_TRUE(StepsReach(4));
    const int e = Grey(RGB(255 - 30, 255 - 5, 255 - 7));
    EXPECT_TRUE(Shows(screen->picMain, 30, 5, RGB(e, e, e)));
}

TEST_F(ImageCommands, TheMenuTurnsThePictureAndTheScreenFitsItsNewSize) {
    Open(300, 200);
    int border, barHeight, barWidth;
    GetScrollBarMetrics(screen, border, barHeight, barWidth);
    ASSERT_EQ(screen->ClientWidth(), 300 + barWidth + 4);
    ImageMenu({'F', 'L'});  // Flip / Rotate, Rotate Left
    ASSERT_TRUE(StepsReach(1)) << "Rotate Left made no undo step";
    EXPECT_EQ(screen->picMain->Width(), 200);
    EXPECT_EQ(screen->picMain->Height(), 300);
    EXPECT_EQ(screen->Picture().Width(), 200);
    EXPECT_EQ(screen->ClientWidth(), 200 + barWidth + 4) << "fitted again";
    EXPECT_TRUE(Shows(screen->picMain, 0, 0, Original(299, 0))) << "the top-right corner is now top-left";
    EXPECT_TRUE(Shows(screen->picMain, 5, 0, Original(299, 5)));

    ImageMenu({'F', 'R'});  // Rotate Right
    ASSERT_TRUE(StepsReach(2));
    EXPECT_EQ(screen->picMain->Width(), 300);
    for (POINT p : {POINT{0, 0}, POINT{299, 0}, POINT{17, 199}}) EXPECT_EQ(At(p.x, p.y), Original(p.x, p.y));

    // Transpose is Mirror and Invert.
    TBitmap both;
    ImageMenu({'F', 'M'});
    ImageMenu({'F', 'I'});
    ASSERT_TRUE(StepsReach(4));
    both.Assign(screen->Picture());
    EXPECT_EQ(At(0, 0), Original(299, 199));
    frmMain->mnuEditUndo_Click(frmMain);
    frmMain->mnuEditUndo_Click(frmMain);
    ImageMenu({'F', 'T'});
    ASSERT_TRUE(PumpUntil([&] { return screen->Undo->CanRedo() == false; }));
    for (POINT p : {POINT{0, 0}, POINT{123, 45}, POINT{299, 199}})
        EXPECT_EQ(At(p.x, p.y), static_cast<COLORREF>(both.Canvas().Pixel(p.x, p.y))) << p.x << "," << p.y;
}

TEST_F(ImageCommands, TheRotateButtonsMenuAndTheCropButtonTakeTheMouse) {
    ASSERT_TRUE(IsWindowVisible(frmMain->tlbStandard->Handle())) << "the Standard bar shows on a first start";
    // Mirror from the menu under the Rotate button's arrow.
    const RECT rotate = frmMain->tlbStandard->ButtonRect(frmMain->tlnRotate);
    ClickAt(POINT{rotate.right - 4, (rotate.top + rotate.bottom) / 2});
    Tap('M');
    ASSERT_TRUE(StepsReach(1)) << "no mirror from the button's menu";
    EXPECT_TRUE(Shows(screen->picMain, 0, 0, Original(59, 0)));

    Select(10, 10, 30, 20);
    const RECT crop = frmMain->tlbStandard->ButtonRect(frmMain->tlnCrop);
    ClickAt(POINT{(crop.left + crop.right) / 2, (crop.top + crop.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return screen->picMain->Width() == 20; })) << "the Crop button did not crop";
    EXPECT_EQ(screen->picMain->Height(), 10);
    EXPECT_TRUE(Shows(screen->picMain, 0, 0, Original(49, 10)));
}

TEST_F(ImageCommands, AHalfDrawnCurveEndsBeforeTheCommandInsteadOfUndoingIt) {
    Choose(9);  // Curve
    Drag({5, 5}, {25, 15});
    ASSERT_EQ(screen->CurveStep, 1);
    ASSERT_EQ(At(15, 10), static_cast<COLORREF>(clBlack)) << "the curve's line so far";
    PressCtrl('G');
    ASSERT_TRUE(StepsReach(1));
    EXPECT_EQ(screen->CurveStep, 0);
    const int e = Grey(Original(15, 10));
    EXPECT_EQ(At(15, 10), static_cast<COLORREF>(RGB(e, e, e))) << "the unfinished curve went first";
    // The next click starts a new curve on the grey picture.
    Send(WM_LBUTTONDOWN, 40, 30);
    Send(WM_LBUTTONUP, 40, 30);
    const int f = Grey(Original(55, 35));
    EXPECT_EQ(At(55, 35), static_cast<COLORREF>(RGB(f, f, f))) << "the grey picture stays";
    EXPECT_TRUE(Shows(screen->picMain, 55, 35, RGB(f, f, f)));
}

TEST_F(ImageCommands, AQuarterTurnOfASelectionKeepsItsCornerAndTheFrameFollowsItsSize) {
    Select(5, 5, 45, 15);  // 40 x 10
    ASSERT_EQ(Steps(), 0);
    ImageMenu({'F', 'R'});
    ASSERT_TRUE(StepsReach(1)) << "the lift is the one undo step";
    EXPECT_EQ(screen->SelImage->Width(), 10);
    EXPECT_EQ(screen->SelImage->Height(), 40);
    EXPECT_EQ(screen->panSelect->Height(), 40);
    EXPECT_EQ(screen->SelRect.left, 5);
    EXPECT_EQ(screen->SelRect.top, 5);
    EXPECT_EQ(screen->SelRect.bottom, 45);
    EXPECT_EQ(At(20, 10), static_cast<COLORREF>(screen->ScreenBackColor)) << "the hole of the lift";
    screen->tmrSelect_Timer(nullptr);
    EXPECT_EQ(screen->AntsPrevRect.right, 10) << "the frame runs around the turned selection";
    EXPECT_EQ(screen->AntsPrevRect.bottom, 40);
    // Source pixel (i, b) of the selection lands at (9 - b, i).
    TBitmap& sel = screen->SelImage->Picture.Bitmap();
    EXPECT_EQ(static_cast<COLORREF>(sel.Canvas().Pixel(7, 20)), Original(5 + 20, 5 + 2));
    EXPECT_EQ(static_cast<COLORREF>(sel.Canvas().Pixel(4, 30)), Original(5 + 30, 5 + 5));
    EXPECT_TRUE(Shows(screen->picMain, 30, 10, static_cast<COLORREF>(screen->ScreenBackColor)))
        << "the hole shows where the selection was";

    ImageMenu({'F', 'L'});
    PumpUntil([&] { return screen->SelImage->Width() == 40; });
    EXPECT_EQ(screen->SelImage->Width(), 40);
    EXPECT_EQ(Steps(), 1) << "a lifted selection makes no more steps";
    EndToolActions(true, true);
    EXPECT_EQ(At(25, 7), Original(25, 7)) << "turned back and dropped where it came from";
}

TEST_F(ImageCommands, CropNeedsASelectionSmallerThanThePictureAndUndoBringsTheSizeBack) {
    frmMain->mnuImage_Click(frmMain);
    EXPECT_FALSE(Item("mnuImageCrop")->Enabled) << "no selection";
    EXPECT_TRUE(Item("mnuImageGrayscale")->Enabled);
    PressCtrl('Q');
    PumpFor(200);
    EXPECT_EQ(screen->picMain->Width(), 60);

    frmMain->mnuEditSelectAll_Click(frmMain);
    ASSERT_TRUE(SelectionIsWholePicture(screen));
    frmMain->mnuImage_Click(frmMain);
    EXPECT_FALSE(Item("mnuImageCrop")->Enabled) << "the selection is the whole picture";
    EXPECT_FALSE(frmMain->tlnCrop->Enabled());
    PressCtrl('Q');
    PumpFor(200);
    EXPECT_EQ(screen->picMain->Width(), 60) << "Ctrl+Q did nothing";
    EXPECT_EQ(Steps(), 0);

    Select(10, 20, 30, 28);  // 20 x 8
    frmMain->mnuImage_Click(frmMain);
    EXPECT_TRUE(Item("mnuImageCrop")->Enabled);
    EXPECT_TRUE(frmMain->tlnCrop->Enabled());
    PressCtrl('Q');
    ASSERT_TRUE(StepsReach(1));
    EXPECT_EQ(screen->SelImage, nullptr);
    EXPECT_EQ(screen->picMain->Width(), 20);
    EXPECT_EQ(screen->picMain->Height(), 8);
    EXPECT_TRUE(Shows(screen->picMain, 3, 2, Original(13, 22)));
    EXPECT_TRUE(Modified());
    frmMain->mnuEditUndo_Click(frmMain);
    EXPECT_EQ(screen->picMain->Width(), 60);
    EXPECT_EQ(At(13, 22), Original(13, 22));

    CloseEveryScreen();
    frmMain->mnuImage_Click(frmMain);
    EXPECT_FALSE(Item("mnuImageGrayscale")->Enabled) << "no screen";
    EXPECT_FALSE(Item("mnuImageFlip")->Enabled);
}

TEST_F(ImageCommands, ColourDepthLeavesNoMoreColoursThanItsFormatHas) {
    Open(256, 64);
    struct Depth {
        WORD Letter;
        size_t Colours;
    };
    for (const Depth d : {Depth{'1', 2}, Depth{'4', 16}, Depth{'8', 256}}) {
        ImageMenu({'D', d.Letter});  // Color Depth, then the item of its number
        ASSERT_TRUE(StepsReach(1)) << "the " << char(d.Letter) << " item made no step";
        std::set<COLORREF> colours;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x) colours.insert(At(x, y));
        EXPECT_LE(colours.size(), d.Colours) << char(d.Letter);
        EXPECT_EQ(screen->Picture().PixelFormat(), pf24bit);
        frmMain->mnuEditUndo_Click(frmMain);
    }
    ImageMenu({'D', '6'});
    ASSERT_TRUE(PumpUntil([&] { return At(9, 0) != Original(9, 0); }));
    for (int x = 0; x < 256; ++x) {
        const int r = GetRValue(At(x, 0)), five = r >> 3;
        ASSERT_EQ(r, five << 3 | five >> 2) << "one of 32 levels, at " << x;
    }
    EXPECT_TRUE(Shows(screen->picMain, 255, 0, RGB(255, 0, 0)));
}

TEST_F(ImageCommands, AResultTooLargeForTheMemoryLeftChangesNothingAndIsTold) {
    Answer seen;
    AnswerNextBox(seen, "OK");
    // 40000 x 40000 pixels of 3 bytes are more than a bitmap can hold.
    ResizeActiveScreen(40000, 40000, false);
    EXPECT_TRUE(seen.Shown) << "the failure was told";
    EXPECT_FALSE(seen.Text.empty());
    EXPECT_EQ(seen.Text.find("success"), std::string::npos) << seen.Text;
    EXPECT_EQ(screen->Picture().Width(), 60);
    EXPECT_EQ(screen->picMain->Width(), 60);
    EXPECT_EQ(At(59, 39), Original(59, 39));
    EXPECT_EQ(Steps(), 0) << "no undo step";
    EXPECT_FALSE(Modified());

    Select(5, 5, 25, 25);
    AnswerNextBox(seen, "OK");
    ResizeActiveScreen(40000, 40000, true);
    EXPECT_TRUE(seen.Shown);
    EXPECT_FALSE(screen->SelLifted) << "the selection was not lifted";
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(screen->SelImage->Width(), 20);
    EXPECT_TRUE(screen->tmrSelect->Enabled()) << "its frame runs again";
}

TEST_F(ImageCommands, ResizeKeepsTheTopLeftAndFillsTheGainWithTheBackground) {
    Open(100, 100);
    screen->ScreenBackColor = RGB(1, 2, 3);
    ResizeActiveScreen(150, 50, false);
    ASSERT_EQ(Steps(), 1);
    EXPECT_EQ(screen->picMain->Width(), 150);
    EXPECT_EQ(screen->picMain->Height(), 50);
    EXPECT_EQ(At(99, 49), Original(99, 49));
    EXPECT_EQ(At(100, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(149, 49), RGB(1, 2, 3));
    EXPECT_TRUE(Modified());

    ResizeActiveScreen(75, 25, true);
    EXPECT_EQ(screen->picMain->Width(), 75);
    // Drawn at half the size: pixel (10, 10) is one of the four from (20, 20).
    EXPECT_EQ(GetRValue(At(10, 10)) / 2, 10) << GetRValue(At(10, 10));
    EXPECT_EQ(GetGValue(At(10, 10)) / 2, 10) << GetGValue(At(10, 10));

    Select(0, 0, 20, 10);
    ResizeActiveScreen(30, 12, false);
    EXPECT_EQ(screen->SelImage->Width(), 30);
    EXPECT_EQ(screen->panSelect->Height(), 12);
    EXPECT_EQ(screen->SelRect.right, 30);
    EXPECT_EQ(Steps(), 3) << "the lift made the step";
}

TEST_F(ImageCommands, BrightnessOfZeroDoesNothingAndOtherwiseLightensTheSelection) {
    BrightenActiveScreen(0, 0);
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(Modified());
    Select(10, 10, 20, 20);
    BrightenActiveScreen(100, 0);
    EXPECT_EQ(Steps(), 1);
    const COLORREF o = Original(15, 15);
    auto lighter = [](int C) { return C + (255 - C) * 100 / 110; };
    EXPECT_EQ(static_cast<COLORREF>(screen->SelImage->Picture.Bitmap().Canvas().Pixel(5, 5)),
              RGB(lighter(GetRValue(o)), lighter(GetGValue(o)), lighter(GetBValue(o))));
    EXPECT_EQ(At(15, 15), static_cast<COLORREF>(screen->ScreenBackColor)) << "the selection was lifted";
}

// A picture of the common list drawn on a ground of a colour that none has.
struct CommonPicture {
    explicit CommonPicture(int Index) {
        bitmap.SetSize(32, 32);
        bitmap.Canvas().Brush.SetColor(Ground);
        bitmap.Canvas().FillRect(RECT{0, 0, 32, 32});
        frmMain->imlCommon->Draw(bitmap.Canvas(), 0, 0, Index, true);
    }
    bool Drawn(int X, int Y) { return bitmap.Canvas().Pixel(X, Y) != Ground; }
    static constexpr TColor Ground = 0x123456;
    TBitmap bitmap;
};

TEST(CommonPictures, EightPicturesOf32PixelsAllDifferentTheBrightnessOnesIn16) {
    ASSERT_NE(frmMain->imlCommon, nullptr);
    EXPECT_EQ(frmMain->imlCommon, frmMain->FindComponent("imlCommon"));
    EXPECT_EQ(frmMain->imlCommon->Count(), 8);
    EXPECT_EQ(frmMain->imlCommon->Width, 32);
    std::set<std::string> seen;
    for (int i = 0; i < 8; ++i) {
        CommonPicture p(i);
        std::string pixels;
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                pixels += p.Drawn(x, y) ? std::to_string(p.bitmap.Canvas().Pixel(x, y)) : "-";
                drawn += p.Drawn(x, y);
            }
        EXPECT_GT(drawn, 30) << "picture " << i << " shows something";
        EXPECT_LT(drawn, 32 * 32) << "picture " << i << " lets its ground show through";
        EXPECT_TRUE(seen.insert(pixels).second) << "picture " << i << " is like one before it";
    }
    for (int i : {CommonImages::LessBrightness, CommonImages::MoreBrightness}) {
        CommonPicture p(i);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (x >= 16 || y >= 16) ASSERT_FALSE(p.Drawn(x, y)) << "picture " << i << " at " << x << "," << y;
    }
    CommonPicture portrait(CommonImages::Portrait), landscape(CommonImages::Landscape);
    auto extent = [](CommonPicture& P, bool Across) {
        int n = 0;
        for (int i = 0; i < 32; ++i) n += Across ? P.Drawn(i, 16) : P.Drawn(16, i);
        return n;
    };
    EXPECT_GT(extent(portrait, false), extent(portrait, true)) << "the portrait page is taller than wide";
    EXPECT_GT(extent(landscape, true), extent(landscape, false)) << "the landscape page is wider than tall";
}

}  // namespace
