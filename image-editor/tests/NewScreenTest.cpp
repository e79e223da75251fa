// File > New in the program's own main window, through Ctrl+N and the tool
// button as a user gives them, with and without the New Screen dialog: the
// screen made, read back from the display, and what the dialog shows and
// stores.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "New.h"
#include "ProgramWindows.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

// The colour the display shows at a point of a control's client area.
COLORREF Shown(TControl* Control, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Control->Handle(), &p);
    return ScreenPixel(p);
}

std::string Rgb(COLORREF C) {
    return "RGB(" + std::to_string(GetRValue(C)) + ", " + std::to_string(GetGValue(C)) + ", " +
           std::to_string(GetBValue(C)) + ")";
}

// The display shows that colour there within a few seconds.
::testing::AssertionResult Shows(TControl* Control, int X, int Y, COLORREF Expected) {
    if (PumpUntil([&] { return Shown(Control, X, Y) == Expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the display shows " << Rgb(Shown(Control, X, Y)) << " at " << X << ","
                                         << Y << ", not " << Rgb(Expected);
}

// Replaces the text of the edit that has the focus with Text, as typed.
void Retype(const std::string& Text) {
    Press(VK_END);
    for (int i = 0; i < 4; ++i) Press(VK_BACK);
    Type(Text);
}

class NewScreen : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        savedOptions = Options;
        savedDefault = DefaultScreen;
        savedMax = MaxScreens;
    }
    void TearDown() override {
        CloseEveryScreen();
        Options = savedOptions;
        DefaultScreen = savedDefault;
        MaxScreens = savedMax;
    }

    // The New Screen dialog's steps, run once the input Open gives has
    // shown it; the last one ends it. False when it never showed.
    bool WithDialog(const std::function<void()>& Open, std::vector<dialogsteps::Step> Steps) {
        // The steps start from a timer once the dialog shows, in its own
        // loop, however late the input opens it.
        bool shown = false, done = false;
        Steps.push_back([&] { done = true; });
        steps = Steps;
        WhenReady(timers, [] { return frmNew->Showing(); }, [&] {
            shown = true;
            dialogsteps::Schedule(timers, steps);
        });
        frmMain->SetFocus();
        Open();
        if (!PumpUntil([&] { return shown; }, 5000)) return false;
        PumpUntil([&] { return done && !frmNew->Showing() && frmMain->Enabled(); }, 15000);
        Settle();
        return true;
    }
    static void CtrlN() { PressCtrl('N'); }
    static void ShiftClickNew() {
        ToFront();
        Key(VK_SHIFT, false);
        ClickAt(CentreOf(frmMain->tlbStandard->ButtonRect(frmMain->tlnNew)));
        Key(VK_SHIFT, true);
    }

    int savedOptions = 0, savedMax = 0;
    std::string savedDefault;
    std::vector<dialogsteps::Step> steps;
    TComponent timers{nullptr};
};

TEST_F(NewScreen, WithoutTheDialogTheStoredScreenComesAtOnceAndShiftTurnsTheChoiceRound) {
    DefaultScreen.assign("\x01\x14\x00\x50\x00\x80\xFF", 7);  // 120 x 80, RGB(0, 128, 255)
    SetOption(OptNewDialog, false);
    EXPECT_FALSE(WithDialog(CtrlN, {[] { Press(VK_ESCAPE); }})) << "the dialog showed with its option off";
    TfrmChild* first = ActiveScreen();
    ASSERT_NE(first, nullptr) << "Ctrl+N made no screen";
    EXPECT_EQ(first->Picture().Width(), 120);
    EXPECT_EQ(first->Picture().Height(), 80);
    EXPECT_EQ(first->ScreenBackColor, static_cast<TColor>(RGB(0, 128, 255)));
    EXPECT_TRUE(Shows(first->picMain, 10, 10, RGB(0, 128, 255)));
    EXPECT_TRUE(Shows(first->picMain, 119, 79, RGB(0, 128, 255)));
    const std::string caption = first->Caption();
    ASSERT_EQ(caption.rfind("Screen ", 0), 0u) << caption;
    const int number = std::stoi(caption.substr(7));

    // With the option on, the New button clicked with Shift held skips the
    // dialog; the numbers go on.
    SetOption(OptNewDialog, true);
    EXPECT_FALSE(WithDialog(ShiftClickNew, {[] { Press(VK_ESCAPE); }}))
        << "Shift did not turn the dialog's option round";
    TfrmChild* second = ActiveScreen();
    ASSERT_NE(second, first) << "Shift+Ctrl+N made no screen";
    EXPECT_EQ(second->Caption(), "Screen " + std::to_string(number + 1));
    EXPECT_EQ(second->Picture().Width(), 120);

    // And with the option off, Shift held brings the dialog.
    SetOption(OptNewDialog, false);
    EXPECT_TRUE(WithDialog(ShiftClickNew, {[] { Press(VK_ESCAPE); }}));
    EXPECT_EQ(ScreenCount(), 2) << "Cancel made a screen";
}

TEST_F(NewScreen, TheChosenSizeAndColourMakeTheScreenAndDefaultStoresThem) {
    DefaultScreen.assign("\x05\x00\x03\x00\xFF\xFF\xFF", 7);
    SetOption(OptNewDialog, true);
    std::string width, height;
    const bool shown = WithDialog(CtrlN, {
        [&] {
            width = frmNew->txtWidth->Text();
            height = frmNew->txtHeight->Text();
            Retype("1024");  // the width has the focus
            PressAlt('H');
            Retype("768");
            ClickOn(frmNew->cmdColor->Handle());
        },
        // The Colors dialog: two rows down from Black is Red.
        [] {
            for (WORD key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE}) Press(key);
            dialogsteps::Settle();
            Press(VK_RETURN);
        },
        [] {
            ClickOn(frmNew->chkDefault->Handle());
            ClickOn(frmNew->chkDontShow->Handle());
            Press(VK_RETURN);
        }});
    ASSERT_TRUE(shown) << "Ctrl+N showed no dialog";
    EXPECT_EQ(width, "500") << "the Default preset shows the stored width";
    EXPECT_EQ(height, "300");
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr) << "OK made no screen";
    EXPECT_EQ(screen->Picture().Width(), 1024);
    EXPECT_EQ(screen->Picture().Height(), 768);
    EXPECT_EQ(screen->ScreenBackColor, static_cast<TColor>(0x0000FF));
    EXPECT_TRUE(Shows(screen->picMain, 5, 5, RGB(255, 0, 0)));
    EXPECT_EQ(DefaultScreen, std::string("\x0A\x18\x07\x44\xFF\x00\x00", 7));
    EXPECT_FALSE(HasOption(OptNewDialog)) << "\"Don't show\" left the dialog on";
}

TEST_F(NewScreen, SizesStayWithinTheLimitsAndCancelStoresNothing) {
    DefaultScreen.assign("\x05\x00\x03\x00\xFF\xFF\xFF", 7);
    SetOption(OptNewDialog, true);
    std::vector<std::string> widths;
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(text), "abc", 4);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    const bool shown = WithDialog(CtrlN, {
        [&] {
            Retype("5");
            PressAlt('H');
            dialogsteps::Settle();
            widths.push_back(frmNew->txtWidth->Text());
            PressAlt('W');
            Retype("2000");
            PressAlt('H');
            dialogsteps::Settle();
            widths.push_back(frmNew->txtWidth->Text());
            PressAlt('W');
            Press(VK_END);
            for (int i = 0; i < 4; ++i) Press(VK_BACK);
            dialogsteps::Settle();
            // Text that is no number, pasted as the field's edit menu pastes
            // (that menu belongs to the common library, which this test
            // program does not start).
            SendMessageA(frmNew->txtWidth->Handle(), WM_PASTE, 0, 0);
        },
        [&] {
            dialogsteps::Settle();
            widths.push_back(frmNew->txtWidth->Text());
            PressAlt('H');
            dialogsteps::Settle();
            widths.push_back(frmNew->txtWidth->Text());
            ClickOn(frmNew->chkDefault->Handle());
            ClickOn(frmNew->chkDontShow->Handle());
            Press(VK_ESCAPE);
        }});
    ASSERT_TRUE(shown);
    EXPECT_EQ(widths, (std::vector<std::string>{"10", "1600", "abc", "10"}));
    EXPECT_EQ(ScreenCount(), 0) << "Cancel made a screen";
    EXPECT_EQ(DefaultScreen, std::string("\x05\x00\x03\x00\xFF\xFF\xFF", 7)) << "Cancel stored the defaults";
    EXPECT_TRUE(HasOption(OptNewDialog)) << "Cancel stored \"Don't show\"";
}

TEST_F(NewScreen, TheBannerIsLandscapeAndPortraitTurnsTheSizeRound) {
    SetOption(OptNewDialog, true);
    std::string banner[2], turned[2];
    bool defaultEnabled = false, landscape = false, portrait = false;
    COLORREF inside = 0, above = 0;
    const bool shown = WithDialog(CtrlN, {
        [&] {
            PressAlt('S');  // the size list
            Press(VK_DOWN);  // Full screen
            Press(VK_DOWN);  // Banner
            dialogsteps::Settle();
            banner[0] = frmNew->txtWidth->Text();
            banner[1] = frmNew->txtHeight->Text();
            defaultEnabled = IsWindowEnabled(frmNew->chkDefault->Handle()) != FALSE;
            landscape = frmNew->optLandscape->Checked();
            // 600 x 64 in the 229 x 229 preview: the rectangle (5, 103) to (224, 126).
            inside = Shown(frmNew->picPreview, 100, 115);
            above = Shown(frmNew->picPreview, 100, 60);
            PressAlt('P');  // Portrait
            dialogsteps::Settle();
            turned[0] = frmNew->txtWidth->Text();
            turned[1] = frmNew->txtHeight->Text();
            portrait = frmNew->optPortrait->Checked();
            Press(VK_ESCAPE);
        }});
    ASSERT_TRUE(shown);
    EXPECT_EQ(banner[0], "600");
    EXPECT_EQ(banner[1], "64");
    EXPECT_TRUE(landscape);
    EXPECT_TRUE(defaultEnabled) << "\"Default\" stays disabled off the Default preset";
    EXPECT_EQ(inside, RGB(255, 255, 255)) << "the preview's banner is not white";
    EXPECT_EQ(above, GetSysColor(COLOR_BTNSHADOW)) << "the preview's ground";
    EXPECT_EQ(turned[0], "64");
    EXPECT_EQ(turned[1], "600");
    EXPECT_TRUE(portrait);
    EXPECT_EQ(frmNew->cboScreenSize->ItemIndex(), nspCustom) << "a turned size is a custom one";
}

TEST_F(NewScreen, ADamagedStoredSizeGivesTheLargestScreenNotAHugeOne) {
    DefaultScreen.assign("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    SetOption(OptNewDialog, false);
    WithDialog(CtrlN, {[] { Press(VK_ESCAPE); }});
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Picture().Width(), 1600);
    EXPECT_EQ(screen->Picture().Height(), 1600);

    DefaultScreen.assign("\x63\x63\x63\x63\x00\x00\x00", 7);
    SetOption(OptNewDialog, true);
    std::string shownWidth;
    ASSERT_TRUE(WithDialog(CtrlN, {[&] {
        shownWidth = frmNew->txtWidth->Text();
        Press(VK_ESCAPE);
    }}));
    EXPECT_EQ(shownWidth, "1600") << "the Default preset shows the stored size unclamped";
}

TEST_F(NewScreen, AtTheScreenLimitNeitherCtrlNNorTheButtonMakesAScreen) {
    SetOption(OptNewDialog, false);
    WithDialog(CtrlN, {[] { Press(VK_ESCAPE); }});
    ASSERT_EQ(ScreenCount(), 1);
    MaxScreens = 1;
    EXPECT_FALSE(WithDialog(CtrlN, {[] { Press(VK_ESCAPE); }}));
    SetOption(OptNewDialog, true);
    EXPECT_FALSE(WithDialog(CtrlN, {[] { Press(VK_ESCAPE); }})) << "the dialog showed at the limit";
    const RECT button = frmMain->tlbStandard->ButtonRect(frmMain->tlnNew);
    EXPECT_FALSE(WithDialog([&] { ClickAt(CentreOf(button)); }, {[] { Press(VK_ESCAPE); }}));
    EXPECT_EQ(ScreenCount(), 1);

    // Below the limit the button makes one.
    MaxScreens = 2;
    frmMain->UpdateCommandStates();
    SetOption(OptNewDialog, false);
    WithDialog([&] { ClickAt(CentreOf(button)); }, {[] { Press(VK_ESCAPE); }});
    EXPECT_EQ(ScreenCount(), 2) << "the New button made no screen";
}

}  // namespace
