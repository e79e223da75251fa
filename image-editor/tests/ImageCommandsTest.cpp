// The Image menu on a real screen of the program's main window, driven by
// the keys a user presses (the shortcuts, the menu opened with Alt), with
// the pictures read back from the display and from the screens, their undo
// steps and modified marks; and the dialogs' common pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Child.h"
#include "Common.h"
#include "DialogSteps.h"
#include "ImageCommands.h"
#include "Images.h"
#include "PixelRoutines.h"
#include "ProgramWindows.h"
#include "RegData.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

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

TEST_F(ImageCommands, TheStatusBarKeepsTheSelectionsSizeThroughCommandsAndShowsItWhole) {
    Open(1500, 1200);
    // What the size panel shows, and whether its label lies within the
    // panel, clear of its sunken edge.
    auto sizeShown = [] {
        frmMain->tmrMain_Timer(nullptr);
        RECT label, panel;
        GetWindowRect(frmMain->lblStatusBar2->Handle(), &label);
        GetWindowRect(frmMain->panStatusBar2->Handle(), &panel);
        const std::string caption = frmMain->lblStatusBar2->Caption();
        return label.right <= panel.right - 2 ? caption : caption + " (cut at the panel's edge)";
    };
    Select(5, 5, 45, 25);
    EXPECT_EQ(sizeShown(), "1500x1200 (40x20)");
    PressCtrl('I');
    ASSERT_TRUE(StepsReach(1));
    EXPECT_EQ(sizeShown(), "1500x1200 (40x20)") << "after Invert Colors";
    ImageMenu({'F', 'L'});
    ASSERT_TRUE(PumpUntil([&] { return screen->SelImage->Width() == 20; }));
    EXPECT_EQ(sizeShown(), "1500x1200 (20x40)") << "after a quarter turn";
    PressCtrl('A');
    ASSERT_TRUE(PumpUntil([&] { return screen->SelImage && screen->SelImage->Width() == 1500; }));
    EXPECT_EQ(sizeShown(), "1500x1200 (1500x1200)");
    Press(VK_ESCAPE);
    Settle();
    EXPECT_EQ(sizeShown(), "1500x1200") << "the selection is gone";
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

namespace {

using dialogsteps::Step;

// Opens Dialog with Open (a user's keys or clicks), then runs the steps from
// its modal loop one after the other, the dialog in front; the last step
// closes it. False when the dialog never showed.
bool InDialog(TForm* Dialog, const std::function<void()>& Open, std::vector<Step> Steps) {
    bool shown = false, done = false;
    TComponent owner(nullptr);
    Steps.insert(Steps.begin(), [&] {
        shown = PumpUntil([&] { return Dialog->Showing(); });
        if (shown) ToFront();
    });
    Steps.push_back([&] { done = true; });
    dialogsteps::Schedule(owner, Steps);
    Open();
    PumpUntil([&] { return done; }, 30000);
    EXPECT_FALSE(Dialog->Showing()) << "the dialog is still open";
    return shown;
}

// Replaces the text of the edit that has the focus by typing, as a user
// who rubs out the old number first.
void Retype(const std::string& Text) {
    Press(VK_END);
    for (int i = 0; i < 6; ++i) Press(VK_BACK);
    Type(Text);
}

// Text pasted into the focused edit from the clipboard.
void Paste(const std::string& Text) {
    ASSERT_TRUE(OpenClipboard(frmMain->Handle()));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
    memcpy(GlobalLock(data), Text.c_str(), Text.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    Press(VK_END);
    for (int i = 0; i < 6; ++i) Press(VK_BACK);
    PressWith(VK_SHIFT, VK_INSERT);
}

// A double click of the left button at a point of the screen: the four
// button events go in one call with one time stamp, so that a busy machine
// that lets time pass between them does not make two clicks of it.
void DoubleClickAt(POINT P) {
    ToFront();
    MouseTo(P);
    SettleInput();
    INPUT clicks[4] = {};
    const DWORD now = GetTickCount();
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        clicks[i].mi.time = now;
    }
    SendInput(4, clicks, sizeof(INPUT));
    SettleInput();
}

// The settings a dialog may change, to see that Cancel changed none.
struct Choices {
    int options = Options, rotate = Rotate, depth = ColorDepth, style = BrightStyle;
    bool operator==(const Choices& O) const {
        return options == O.options && rotate == O.rotate && depth == O.depth && style == O.style;
    }
};

class ImageDialogs : public ImageCommands {
protected:
    void SetUp() override {
        ImageCommands::SetUp();
        // The dialogs' first start: pixels, stretched, proportions kept.
        Options |= OptResizeByPixels | OptResizeStretch | OptKeepAspectRatio;
        Rotate = 0;
        ColorDepth = 3;
        BrightStyle = 0;
    }
    void Resize(std::vector<Step> Steps) {
        ASSERT_TRUE(InDialog(frmResize, [] { PressCtrl('W'); }, std::move(Steps))) << "Ctrl+W showed no dialog";
    }
    static std::string Width() { return frmResize->txtWidth->Text(); }
    static std::string Height() { return frmResize->txtHeight->Text(); }
    // The preview's pixel on the display.
    static COLORREF Preview(int X, int Y) { return Shown(frmResize->picPreview, X, Y); }
};

TEST_F(ImageDialogs, ResizeInPercentStepsByTwoWithinTheLimitsAndKeepsTheProportions) {
    Open(500, 300);
    ExcludeOption(OptResizeByPixels | OptResizeStretch);
    std::string shown[2], stepped, halved[2];
    int range[4] = {};
    Resize({[&] {
                shown[0] = Width();
                shown[1] = Height();
                range[0] = frmResize->updWidth->Min();
                range[1] = frmResize->updWidth->Max();
                range[2] = frmResize->updHeight->Min();
                range[3] = frmResize->updHeight->Max();
                ClickAt(POINT{CentreOf(frmResize->updWidth->Handle()).x,
                              CentreOf(frmResize->updWidth->Handle()).y - 5});  // the up arrow
            },
            [&] {
                stepped = Width();
                Retype("50");
                Press(VK_TAB);
            },
            [&] {
                halved[0] = Width();
                halved[1] = Height();
                Press(VK_RETURN);
            }});
    EXPECT_EQ(shown[0], "100");
    EXPECT_EQ(shown[1], "100");
    EXPECT_EQ(range[0], 2);
    EXPECT_EQ(range[1], 320);
    EXPECT_EQ(range[2], 3);
    EXPECT_EQ(range[3], 533);
    EXPECT_EQ(stepped, "102") << "the up arrow steps by 2 percent";
    EXPECT_EQ(halved[0], "50");
    EXPECT_EQ(halved[1], "50") << "the height follows the width";
    EXPECT_EQ(screen->picMain->Width(), 250);
    EXPECT_EQ(screen->picMain->Height(), 150);
    EXPECT_EQ(At(249, 149), Original(249, 149)) << "cut, not stretched";
    EXPECT_FALSE(HasOption(OptResizeByPixels)) << "percent stays the choice";
    EXPECT_TRUE(HasOption(OptKeepAspectRatio));
}

TEST_F(ImageDialogs, SwitchingToPercentShowsEachSidesPercentageAlsoBelowTen) {
    Open(500, 300);
    Options &= ~OptKeepAspectRatio;
    std::vector<std::string> seen;
    auto note = [&] { seen.push_back(Width() + "x" + Height()); };
    Resize({[&] {
                ClickOn(frmResize->txtHeight->Handle());
                Retype("29");
                PressAlt('R');  // the unit list
                Press(VK_DOWN);  // Percentage
            },
            [&] {
                note();
                Press(VK_UP);  // Pixels again
            },
            [&] {
                note();
                Press(VK_DOWN);
            },
            [&] {
                note();
                Press(VK_RETURN);
            }});
    EXPECT_EQ(seen, (std::vector<std::string>{"100x9", "500x29", "100x9"})) << "29 of 300 pixels is 9 percent";
    EXPECT_EQ(screen->picMain->Width(), 500);
    EXPECT_EQ(screen->picMain->Height(), 29);
}

TEST_F(ImageDialogs, ResizeInPixelsKeepsTypedSizesWithin10And1600AndDerivesTheOtherSide) {
    Open(1000, 100);
    std::vector<std::string> seen;
    auto note = [&] { seen.push_back(Width() + "x" + Height()); };
    Resize({[&] {
                Retype("1600");
                Press(VK_TAB);
            },
            [&] {
                note();
                Press(VK_TAB, true);
                Retype("10");
                Press(VK_TAB);
            },
            [&] {
                note();
                // Without the box each side is its own.
                ClickOn(frmResize->chkAspectRatio->Handle());
                ClickOn(frmResize->txtWidth->Handle());
                Retype("5");
                Press(VK_TAB);
            },
            [&] {
                note();
                ClickOn(frmResize->txtWidth->Handle());
                Retype("9999");
                Press(VK_TAB);
            },
            [&] {
                note();
                ClickOn(frmResize->txtHeight->Handle());
                Paste("12a");
                Press(VK_TAB, true);
            },
            [&] {
                note();
                Press(VK_ESCAPE);
            }});
    EXPECT_EQ(seen, (std::vector<std::string>{"1600x160", "10x10", "10x10", "1600x10", "1600x10"}));
    EXPECT_EQ(screen->picMain->Width(), 1000) << "Cancel changed nothing";
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(HasOption(OptKeepAspectRatio)) << "Cancel stored nothing";
}

TEST_F(ImageDialogs, ResizeOrientationSwapsTheSidesAndThePreviewShowsTheSize) {
    Open(400, 300);
    Options &= ~(OptKeepAspectRatio | OptResizeStretch);
    std::string swapped, back;
    COLORREF edge = 0, inside = 0, outside = 0;
    Resize({[&] { ClickOn(frmResize->optPortrait->Handle()); },
            [&] {
                swapped = Width() + "x" + Height();
                ClickOn(frmResize->optLandscape->Handle());
            },
            [&] {
                back = Width() + "x" + Height();
                ClickOn(frmResize->optPortrait->Handle());
                ClickOn(frmResize->txtWidth->Handle());
                Retype("1600");
                Press(VK_TAB);
                Retype("600");
                Press(VK_TAB);
            },
            [&] {
                // 1600 x 600 in 229 x 229: the rectangle (5, 73) to (224, 156).
                edge = Preview(5, 114);
                inside = Preview(100, 74);
                outside = Preview(100, 72);
                ClickOn(frmResize->optPortrait->Handle());
            },
            [&] { Press(VK_RETURN); }});
    EXPECT_EQ(swapped, "300x400");
    EXPECT_EQ(back, "400x300");
    EXPECT_EQ(edge, RGB(0, 0, 0)) << "the preview's outline";
    EXPECT_EQ(inside, static_cast<COLORREF>(screen->ScreenBackColor)) << "filled with the screen's colour";
    EXPECT_EQ(outside, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(screen->picMain->Width(), 600) << "portrait made the width the smaller side";
    EXPECT_EQ(screen->picMain->Height(), 1600);
}

TEST_F(ImageDialogs, ABareOKKeepsASizeBeyondTheLimitsAsItWas) {
    Open(1920, 1080);
    std::string shown;
    Resize({[&] {
        shown = Width() + "x" + Height();
        Press(VK_RETURN);
    }});
    EXPECT_EQ(shown, "1920x1080");
    EXPECT_EQ(screen->picMain->Width(), 1920);
    EXPECT_EQ(screen->picMain->Height(), 1080);
    EXPECT_EQ(At(1919, 1079), Original(1919, 1079));

    Open(60, 40);
    Select(10, 10, 15, 15);
    Resize({[&] {
        shown = Width() + "x" + Height();
        Press(VK_RETURN);
    }});
    EXPECT_EQ(shown, "5x5");
    EXPECT_EQ(screen->SelImage->Width(), 5);
    EXPECT_EQ(screen->SelImage->Height(), 5);
}

TEST_F(ImageDialogs, TheAspectBoxTakesTheWidthWithinTheLimits) {
    Open(500, 300);
    Options &= ~OptKeepAspectRatio;
    std::string seen;
    Resize({[&] {
                Retype("9999");
                // The box's letter, with the width not yet left.
                PressAlt('M');
            },
            [&] {
                seen = Width() + "x" + Height();
                Press(VK_ESCAPE);
            }});
    EXPECT_EQ(seen, "1600x960");
}

TEST_F(ImageDialogs, AnEmptySizeShowsWithoutDividingByIt) {
    ResizeWidth = ResizeHeight = 0;
    Options &= ~OptResizeByPixels;
    TComponent owner(nullptr);
    bool shown = false;
    Later(&owner, [&] {
        shown = PumpUntil([] { return frmResize->Showing(); });
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(frmResize->ShowModal(), mrCancel);
    EXPECT_TRUE(shown);
    EXPECT_EQ(ResizeWidth, 0);
}

TEST_F(ImageDialogs, AResizedSelectionGainsTheScreensBackgroundColour) {
    screen->ScreenBackColor = RGB(1, 2, 3);
    Options &= ~(OptKeepAspectRatio | OptResizeStretch);
    Select(0, 0, 20, 10);
    // Whatever the selection's picture was last filled with.
    screen->SelImage->Picture.Bitmap().Canvas().Brush.SetColor(RGB(200, 0, 0));
    Resize({[&] {
        Retype("30");
        Press(VK_TAB);
        Retype("12");
        Press(VK_RETURN);
    }});
    ASSERT_EQ(screen->SelImage->Width(), 30);
    ASSERT_EQ(screen->SelImage->Height(), 12);
    TCanvas& selection = screen->SelImage->Picture.Bitmap().Canvas();
    EXPECT_EQ(static_cast<COLORREF>(selection.Pixel(19, 9)), Original(19, 9));
    EXPECT_EQ(static_cast<COLORREF>(selection.Pixel(25, 5)), RGB(1, 2, 3)) << "the strip gained at the right";
    // Inside the frame's dashes, which run on the selection's outer pixels.
    EXPECT_EQ(static_cast<COLORREF>(selection.Pixel(5, 10)), RGB(1, 2, 3)) << "the rows gained below";
}

TEST_F(ImageDialogs, TheStatusBarsSizeOpensResizeOnADoubleClick) {
    ASSERT_TRUE(PumpUntil([] { return frmMain->lblStatusBar2->Caption() == "60x40"; }));
    // The mouse rests on the size's picture until no status hint covers it.
    MouseTo(CentreOf(frmMain->picStatusBar2->Handle()));
    ASSERT_TRUE(PumpUntil([] { return !frmMain->panStatusBar4->Visible(); }));
    const bool opened = InDialog(frmResize, [] { DoubleClickAt(CentreOf(frmMain->picStatusBar2->Handle())); },
                           {[] { Press(VK_ESCAPE); }});
    EXPECT_TRUE(opened) << "a double click on the size opened no dialog";
    EXPECT_EQ(screen->picMain->Width(), 60);
}

class BrightnessDialog : public ImageDialogs {
protected:
    void Brightness(std::vector<Step> Steps) {
        ASSERT_TRUE(InDialog(frmBrightness, [] { ImageMenu({'B'}); }, std::move(Steps)))
            << "the menu showed no dialog";
    }
    static std::string Values() {
        return frmBrightness->txtValue->Text() + " " + std::to_string(frmBrightness->trbBrightness->Position()) + " " +
               std::to_string(frmBrightness->updValue->Position());
    }
};

TEST_F(BrightnessDialog, TheValueEditKeepsItsNumberWithinTheRangeAndItsSign) {
    std::vector<std::string> seen;
    Brightness({[&] {
                    PressAlt('V');
                    Retype("250");
                    Press(VK_TAB);
                },
                [&] {
                    seen.push_back(Values());
                    PressAlt('V');
                    Retype("-999");
                    Press(VK_TAB);
                },
                [&] {
                    seen.push_back(Values());
                    PressAlt('V');
                    Paste("-5x");
                    Press(VK_TAB);
                },
                [&] {
                    seen.push_back(Values());
                    PressAlt('V');
                    Paste("x5");
                    Press(VK_TAB);
                },
                [&] {
                    seen.push_back(Values());
                    Press(VK_ESCAPE);
                }});
    EXPECT_EQ(seen, (std::vector<std::string>{"100 100 100", "-100 -100 -100", "-5 -5 -5", "0 0 0"}));
    EXPECT_EQ(Steps(), 0) << "Cancel changed nothing";
}

TEST_F(BrightnessDialog, TheStylesPicturesChangeSidesWithTheSignOnly) {
    BrightStyle = 1;
    int draws = 0;
    const TDrawItemEvent draw = frmBrightness->cboStyle->OnDrawItem;
    frmBrightness->cboStyle->OnDrawItem = [&](TWinControl* s, TCanvas& c, int i, const RECT& r, UINT st) {
        ++draws;
        draw(s, c, i, r, st);
    };
    // The first strip of the "Left to right" picture in the closed list.
    auto strip = [] {
        RECT r;
        GetClientRect(frmBrightness->cboStyle->Handle(), &r);
        return Shown(frmBrightness->cboStyle, 8, r.bottom / 2);
    };
    int within = -1, across = -1;
    COLORREF lighter = 0, darker = 0;
    Brightness({[&] { Press(VK_NEXT); },  // the track bar has the focus: 10
                [&] {
                    lighter = strip();
                    draws = 0;
                    Press(VK_NEXT);
                },
                [&] {
                    within = draws;
                    draws = 0;
                    for (int i = 0; i < 3; ++i) Press(VK_PRIOR);
                },
                [&] {
                    across = draws;
                    darker = strip();
                    Press(VK_RETURN);
                }});
    frmBrightness->cboStyle->OnDrawItem = draw;
    EXPECT_EQ(within, 0) << "from 10 to 20 the list is not painted again";
    EXPECT_GT(across, 0) << "from 20 to -10 the list is painted again";
    EXPECT_GT(GetGValue(lighter), 150) << "the lighter ramp starts light";
    EXPECT_LT(GetGValue(darker), 100) << "the darker ramp starts dark";
    EXPECT_EQ(BrightnessValue, -10);
    ASSERT_TRUE(StepsReach(1));
    auto darken = [](int C, int G) { return C - C * G / 110; };
    const COLORREF o = Original(0, 20);
    EXPECT_EQ(At(0, 20), RGB(darken(GetRValue(o), 10), darken(GetGValue(o), 10), darken(GetBValue(o), 10)))
        << "left to right: the full amount at the left column";
    EXPECT_EQ(At(59, 20), Original(59, 20)) << "and none left at the right";
}

TEST_F(BrightnessDialog, OKWithoutAnAmountChangesNothingCancelStoresNothing) {
    BrightStyle = 2;
    Brightness({[] {
        PressAlt('S');
        Press(VK_HOME);  // "All"
        Press(VK_RETURN);
    }});
    EXPECT_EQ(BrightStyle, 0) << "OK stores the style";
    EXPECT_EQ(Steps(), 0) << "an amount of 0 changes nothing";
    EXPECT_FALSE(Modified());
    const Choices before;
    Brightness({[] {
        Press(VK_END);  // the track bar at 100
        PressAlt('S');
        Press(VK_END);
        Press(VK_ESCAPE);
    }});
    EXPECT_TRUE(Choices() == before) << "Cancel stored nothing";
    EXPECT_EQ(Steps(), 0);
    Select(10, 10, 20, 20);
    Brightness({[] {
        Press(VK_END);
        Press(VK_RETURN);
    }});
    ASSERT_TRUE(StepsReach(1)) << "the lift is the step";
    auto lighter = [](int C) { return C + (255 - C) * 100 / 110; };
    const COLORREF o = Original(15, 15);
    EXPECT_EQ(static_cast<COLORREF>(screen->SelImage->Picture.Bitmap().Canvas().Pixel(5, 5)),
              RGB(lighter(GetRValue(o)), lighter(GetGValue(o)), lighter(GetBValue(o))));
}

TEST_F(ImageDialogs, ColorDepthOpensOnTheLastChoiceAndCancelKeepsIt) {
    const auto depth = [this](std::vector<Step> Steps) {
        ASSERT_TRUE(InDialog(frmColorDepth, [] { ImageMenu({'D', 'D'}); }, std::move(Steps)));
    };
    bool sixteen = false;
    depth({[&] {
        sixteen = frmColorDepth->optColorDepth4->Checked() && GetFocus() == frmColorDepth->optColorDepth4->Handle();
        PressAlt('1');
        Press(VK_RETURN);
    }});
    EXPECT_TRUE(sixteen) << "the stored 16 bits checked and focused";
    EXPECT_EQ(ColorDepth, 0);
    ASSERT_TRUE(StepsReach(1));
    std::set<COLORREF> colours;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) colours.insert(At(x, y));
    EXPECT_LE(colours.size(), 2u) << "1 bit";
    bool one = false;
    depth({[&] {
        one = frmColorDepth->optColorDepth1->Checked() && GetFocus() == frmColorDepth->optColorDepth1->Handle();
        PressAlt('8');
        Press(VK_ESCAPE);
    }});
    EXPECT_TRUE(one) << "reopened on 1 bit";
    EXPECT_EQ(ColorDepth, 0) << "Cancel stored nothing";
    EXPECT_EQ(Steps(), 1) << "and changed nothing";
    depth({[&] {
        one = frmColorDepth->optColorDepth1->Checked();
        Press(VK_ESCAPE);
    }});
    EXPECT_TRUE(one) << "after Cancel the same button as before";
}

TEST_F(ImageDialogs, ADoubleClickOnRotateLeftTurnsTheSelectionAndIsStored) {
    Select(5, 5, 45, 15);  // 40 x 10
    ASSERT_TRUE(InDialog(frmRotate, [] { PressCtrl('R'); }, {[] {
        DoubleClickAt(CentreOf(frmRotate->optRotate4->Handle()));
    }}));
    EXPECT_EQ(Rotate, 3);
    ASSERT_TRUE(StepsReach(1));
    EXPECT_EQ(screen->SelImage->Width(), 10);
    EXPECT_EQ(screen->SelImage->Height(), 40);
    // Turned to the left: the selection's pixel (30, 4) lands at (4, 39 - 30).
    EXPECT_EQ(static_cast<COLORREF>(screen->SelImage->Picture.Bitmap().Canvas().Pixel(4, 9)), Original(35, 9));

    bool left = false;
    const Choices before;
    ASSERT_TRUE(InDialog(frmRotate,
                         [] {
                             const RECT b = frmMain->tlbStandard->ButtonRect(frmMain->tlnRotate);
                             ClickAt(POINT{b.left + 8, (b.top + b.bottom) / 2});
                         },
                         {[&] {
                             left = frmRotate->optRotate4->Checked() &&
                                    GetFocus() == frmRotate->optRotate4->Handle();
                             PressAlt('M');
                             Press(VK_ESCAPE);
                         }}))
        << "the Rotate button showed no dialog";
    EXPECT_TRUE(left) << "reopened on Rotate left";
    EXPECT_TRUE(Choices() == before) << "Cancel stored nothing";
    EXPECT_EQ(screen->SelImage->Width(), 10) << "and changed nothing";

    EndToolActions(true, true);
    ASSERT_TRUE(InDialog(frmRotate, [] { ImageMenu({'F', 'O'}); }, {[] {
        PressAlt('M');
        Press(VK_RETURN);
    }}));
    EXPECT_EQ(Rotate, 0);
    EXPECT_TRUE(PumpUntil([&] { return At(0, 30) == Original(59, 30); })) << "the whole picture mirrored";
}

}  // namespace
