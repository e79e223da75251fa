// The autosizer and the file-name settings driven as a user drives them:
// the autosizer's bounds read back through its value labels while it is
// moved, sized, maximised and centred, never larger than the screen; the
// digit count stepped by the arrows and keys within 1..5, the controls that
// the "depend on the number" box disables, the edit menu of the digits edit,
// and what OK and Cancel hand back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Autosizer.h"
#include "DialogSteps.h"
#include "FileSettings.h"
#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace dialogsteps;
using namespace zvcomprobe;

namespace {

// A drag with the left button. The press on a window's frame starts the
// system's own move and size loop, so the rest of the drag is sent from a
// timer that this loop runs.
void Drag(TComponent& Owner, POINT From, POINT To) {
    ToFront();
    bool released = false;
    Later(&Owner, [&] {
        MouseTo({(From.x + To.x) / 2, (From.y + To.y) / 2});
        MouseTo(To);
        Mouse(MOUSEEVENTF_LEFTUP);
        released = true;
    });
    MouseTo(From);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return released; });
    Settle();
}

std::string Text(const RECT& R) {
    return std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
           std::to_string(R.bottom);
}

// What the value labels show, as Left, Top, Right, Bottom.
std::string Values(TfrmAutosizer& F) {
    return F.lblLeft2->Caption() + ", " + F.lblTop2->Caption() + ", " + F.lblRight2->Caption() + ", " +
           F.lblBottom2->Caption();
}

std::string Bounds(TfrmAutosizer& F) {
    return Text({F.Left(), F.Top(), F.Left() + F.Width() - 1, F.Top() + F.Height() - 1});
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        savedTips = ZvScreentipsType();
    }
    void TearDown() override { ZvSaveScreentips(savedTips); }

    bool Autosize(RECT& Area, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        return ShowAutosizer(Area);
    }
    bool FileSettings(int& Digits, bool& Depend, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        return ShowFileSettings(Digits, Depend);
    }

    int savedTips = 0;
    TComponent timers{nullptr};
};

// ---- Autosizer -----------------------------------------------------------------

TEST_F(Dialogs, AutosizerOverTheWholeScreenReadsItsCorners) {
    const int w = Screen.Width(), h = Screen.Height();
    const std::string whole = "0, 0, " + std::to_string(w - 1) + ", " + std::to_string(h - 1);
    RECT area = {0, 0, w - 1, h - 1};
    std::string shown, caption;
    bool okFocused = false;
    const bool ok = Autosize(area, {[&] {
                                 TfrmAutosizer* f = Active<TfrmAutosizer>();
                                 ASSERT_NE(f, nullptr) << "no autosizer in front";
                                 shown = Values(*f);
                                 caption = f->Caption();
                                 okFocused = GetFocus() == f->cmdOK->Handle();
                                 ClickOn(f->cmdOK->Handle());
                             }});
    EXPECT_EQ(caption, "Autosizer");
    EXPECT_EQ(shown, whole);
    EXPECT_TRUE(okFocused) << "OK has the focus when the window shows";
    EXPECT_TRUE(ok) << "OK gives the OK result";
    EXPECT_EQ(Text(area), whole);
}

TEST_F(Dialogs, AutosizerGivenMoreThanTheScreenKeepsToTheScreenSize) {
    const int w = Screen.Width(), h = Screen.Height();
    RECT area = {-40, 20, w + 300, h + 200};
    std::string shown;
    const bool ok = Autosize(area, {[&] {
                                 TfrmAutosizer* f = Active<TfrmAutosizer>();
                                 ASSERT_NE(f, nullptr);
                                 shown = Values(*f);
                                 Press(VK_RETURN);
                             }});
    const std::string limited = Text({-40, 20, w - 41, h + 19});
    EXPECT_EQ(shown, limited);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Text(area), limited);
}

TEST_F(Dialogs, AutosizerSizedByTheUserStopsAtTheScreenWidth) {
    const int w = Screen.Width();
    // The right edge lies off the screen, so that dragging the left one to
    // the screen's left would make the window wider than the screen.
    RECT area = {500, 200, w + 475, 499};
    std::string shown, bounds;
    const bool ok = Autosize(area, {[&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        ASSERT_EQ(f->Width(), w - 24);
                                        Drag(timers, {501, 350}, {0, 350});
                                    },
                                    [&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        shown = Values(*f);
                                        bounds = Bounds(*f);
                                        ClickOn(f->cmdOK->Handle());
                                    }});
    const std::string limited = Text({476, 200, w + 475, 499});
    EXPECT_EQ(bounds, limited) << "the left edge dragged as far as the width allows";
    EXPECT_EQ(shown, limited);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Text(area), limited);
}

TEST_F(Dialogs, AutosizerMaximisedIsTheWholeScreen) {
    const std::string whole =
        "0, 0, " + std::to_string(Screen.Width() - 1) + ", " + std::to_string(Screen.Height() - 1);
    // Maximised with its button and confirmed with Enter, or with a double
    // click on its caption and cancelled with Escape.
    for (LRESULT where : {LRESULT(HTMAXBUTTON), LRESULT(HTCAPTION)}) {
        const bool confirm = where == HTMAXBUTTON;
        RECT area = {100, 100, 399, 299};
        bool zoomed = false;
        std::string shown;
        const bool ok = Autosize(area, {[&] {
                                            TfrmAutosizer* f = Active<TfrmAutosizer>();
                                            ASSERT_NE(f, nullptr);
                                            const POINT at = FindHit(f->Handle(), where);
                                            ASSERT_GE(at.x, 0) << "no point of hit-test code " << where;
                                            ClickAt(at);
                                            if (where == HTCAPTION) ClickAt(at);
                                            Settle();
                                        },
                                        [&] {
                                            TfrmAutosizer* f = Active<TfrmAutosizer>();
                                            ASSERT_NE(f, nullptr);
                                            zoomed = IsZoomed(f->Handle());
                                            shown = Values(*f);
                                            Press(confirm ? VK_RETURN : VK_ESCAPE);
                                        }});
        const std::string how = confirm ? "the maximise button" : "a double click on the caption";
        EXPECT_TRUE(zoomed) << how << " did not maximise the window";
        EXPECT_EQ(shown, whole) << "the labels after " << how;
        EXPECT_EQ(ok, confirm) << "Enter confirms, Escape cancels";
        EXPECT_EQ(Text(area), confirm ? whole : "100, 100, 399, 299")
            << "the area after " << how << (confirm ? "" : ": a cancelled autosizer leaves it");
    }
}

TEST_F(Dialogs, AutosizerLabelsFollowTheUsersMovesAndSizes) {
    RECT area = {100, 100, 399, 299};
    std::string moved, sized;
    const bool ok = Autosize(area, {[&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        const POINT caption = {250, FindHit(f->Handle(), HTCAPTION).y};
                                        Drag(timers, caption, {caption.x + 50, caption.y + 40});
                                    },
                                    [&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        moved = Values(*f);
                                        // The bottom edge, 30 pixels further down.
                                        Drag(timers, {300, f->Top() + f->Height() - 2}, {300, f->Top() + f->Height() + 28});
                                    },
                                    [&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        sized = Values(*f);
                                        Press(VK_RETURN);
                                    }});
    EXPECT_EQ(moved, "150, 140, 449, 339");
    EXPECT_EQ(sized, "150, 140, 449, 369");
    EXPECT_TRUE(ok) << "Enter presses OK";
    EXPECT_EQ(Text(area), "150, 140, 449, 369");
}

TEST_F(Dialogs, AutosizerCenterMovesTheWindowToTheMiddleOfTheScreen) {
    ASSERT_EQ(Screen.Width(), 1024);
    ASSERT_EQ(Screen.Height(), 768);
    RECT area = {10, 20, 310, 219};  // 301 x 200
    std::string shown;
    bool okFocused = false;
    const bool ok = Autosize(area, {[&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        ClickOn(f->cmdCenter->Handle());
                                    },
                                    [&] {
                                        TfrmAutosizer* f = Active<TfrmAutosizer>();
                                        ASSERT_NE(f, nullptr);
                                        shown = Values(*f);
                                        okFocused = GetFocus() == f->cmdOK->Handle();
                                        ClickOn(f->cmdCancel->Handle());
                                    }});
    EXPECT_EQ(shown, "361, 284, 661, 483");
    EXPECT_TRUE(okFocused) << "OK has the focus after Center";
    EXPECT_FALSE(ok) << "Cancel gives the Cancel result";
    EXPECT_EQ(Text(area), "10, 20, 310, 219");
}

TEST_F(Dialogs, AutosizerShowsHintsOnlyWithToolTipsEverywhere) {
    ShortString font;
    ZvGetFontName(font);
    for (int mode : {0, 1, 2}) {
        ZvSaveScreentips(mode);
        bool hints = mode != 0;
        std::string fontName, centerHint;
        RECT area = {100, 100, 399, 299};
        Autosize(area, {[&] {
                     TfrmAutosizer* f = Active<TfrmAutosizer>();
                     ASSERT_NE(f, nullptr);
                     hints = f->cmdOK->ShowHint();
                     fontName = f->Font.Name();
                     centerHint = f->cmdCenter->Hint;
                     Press(VK_ESCAPE);
                 }});
        EXPECT_EQ(hints, mode == 0) << "screen-tip mode " << mode;
        EXPECT_EQ(fontName, font.str());
        EXPECT_EQ(centerHint, "Positions the window in the center of the screen");
    }
}

// ---- File Settings -------------------------------------------------------------

// The colour of the digits edit, where its text does not reach.
COLORREF EditColour(TEdit* Edit) {
    RECT r;
    GetClientRect(Edit->Handle(), &r);
    HDC dc = GetDC(Edit->Handle());
    const COLORREF c = GetPixel(dc, r.right - 3, r.bottom / 2);
    ReleaseDC(Edit->Handle(), dc);
    return c;
}

struct DigitControls {
    bool Label = false, Edit = false, UpDown = false;
    COLORREF Colour = 0;
};

DigitControls ReadDigitControls(TfrmFileSettings& F) {
    return {IsWindowEnabled(F.lblDigits->Handle()) != FALSE, IsWindowEnabled(F.txtDigits->Handle()) != FALSE,
            IsWindowEnabled(F.updDigits->Handle()) != FALSE, EditColour(F.txtDigits)};
}

TEST_F(Dialogs, FileSettingsWithTheDependByteSetShowsTheDigitsDisabled) {
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW));
    int digits = 3;
    bool depend = true;
    DigitControls ticked, unticked;
    std::string caption, text;
    const bool ok = FileSettings(digits, depend, {[&] {
                                                      auto* f = Active<TfrmFileSettings>();
                                                      ASSERT_NE(f, nullptr) << "no File Settings in front";
                                                      caption = f->Caption();
                                                      text = f->txtDigits->Text();
                                                      ticked = ReadDigitControls(*f);
                                                      ClickOn(f->chkDependOnNumber->Handle());
                                                      Settle();
                                                  },
                                                  [&] {
                                                      auto* f = Active<TfrmFileSettings>();
                                                      ASSERT_NE(f, nullptr);
                                                      unticked = ReadDigitControls(*f);
                                                      ClickOn(f->cmdOK->Handle());
                                                  }});
    EXPECT_EQ(caption, "File Settings");
    EXPECT_EQ(text, "3");
    EXPECT_FALSE(ticked.Label || ticked.Edit || ticked.UpDown) << "the digit controls are disabled";
    EXPECT_EQ(ticked.Colour, GetSysColor(COLOR_BTNFACE)) << "the edit takes the button face colour";
    EXPECT_TRUE(unticked.Label && unticked.Edit && unticked.UpDown) << "unticking enables them";
    EXPECT_EQ(unticked.Colour, GetSysColor(COLOR_WINDOW)) << "the edit takes the window colour";
    EXPECT_TRUE(ok);
    EXPECT_EQ(digits, 3);
    EXPECT_FALSE(depend);
}

TEST_F(Dialogs, FileSettingsDigitsStepWithinOneToFiveAndOnlyTheirDigitsAreTyped) {
    int digits = 2;
    bool depend = false;
    std::vector<std::string> texts;
    const bool ok = FileSettings(digits, depend, {[&] {
                                                      auto* f = Active<TfrmFileSettings>();
                                                      ASSERT_NE(f, nullptr);
                                                      RECT r;
                                                      GetWindowRect(f->updDigits->Handle(), &r);
                                                      const POINT up = {(r.left + r.right) / 2, r.top + 3};
                                                      for (int i = 0; i < 4; ++i) {
                                                          ClickAt(up);
                                                          Settle();
                                                      }
                                                      texts.push_back(f->txtDigits->Text());
                                                      for (int i = 0; i < 6; ++i) Press(VK_DOWN);
                                                      Settle();
                                                      texts.push_back(f->txtDigits->Text());
                                                      Press(VK_UP);
                                                      Settle();
                                                      texts.push_back(f->txtDigits->Text());
                                                      Press(VK_END);
                                                      Press(VK_BACK);
                                                      for (WORD key : {WORD('A'), WORD('X'), WORD(VK_OEM_MINUS),
                                                                       WORD(VK_SPACE), WORD('0'), WORD('7')})
                                                          Press(key);
                                                      Settle();
                                                      texts.push_back(f->txtDigits->Text());
                                                      Press('4');
                                                      Settle();
                                                      texts.push_back(f->txtDigits->Text());
                                                      Press(VK_RETURN);
                                                  }});
    EXPECT_EQ(texts, (std::vector<std::string>{"5", "1", "2", "", "4"}))
        << "up arrow x4 from 2, Down x6, Up; Backspace, then A, X, minus, space, 0 and 7 refused; 4 taken";
    EXPECT_TRUE(ok) << "Enter presses OK";
    EXPECT_EQ(digits, 4) << "the digit typed is the count";
    EXPECT_FALSE(depend);
}

TEST_F(Dialogs, FileSettingsCancelLeavesTheCallersValues) {
    int digits = 4;
    bool depend = false;
    bool ticked = false;
    const bool ok = FileSettings(digits, depend, {[&] {
                                                      auto* f = Active<TfrmFileSettings>();
                                                      ASSERT_NE(f, nullptr);
                                                      f->txtDigits->SetFocus();
                                                      Press(VK_UP);
                                                      ClickOn(f->chkDependOnNumber->Handle());
                                                      Settle();
                                                      ticked = f->chkDependOnNumber->Checked();
                                                      ClickOn(f->cmdCancel->Handle());
                                                  }});
    EXPECT_TRUE(ticked);
    EXPECT_FALSE(ok);
    EXPECT_EQ(digits, 4);
    EXPECT_FALSE(depend);
}

TEST_F(Dialogs, FileSettingsDigitsEditOffersTheEditMenuAtTheMouse) {
    ASSERT_TRUE(StartProbe("ZvScreen Settings Probe", "ZvSettingsProbe"));
    int digits = 1;
    bool depend = false;
    POINT at = {};
    MenuOnScreen menu;
    TComponent owner(nullptr);
    FileSettings(digits, depend, {[&] {
                                      auto* f = Active<TfrmFileSettings>();
                                      ASSERT_NE(f, nullptr);
                                      // In front first: bringing it there runs the timers.
                                      ToFront();
                                      Later(&owner, [&] {
                                          menu = ReadMenuOnScreen();
                                          Press(VK_ESCAPE);
                                      });
                                      RECT r;
                                      GetWindowRect(f->txtDigits->Handle(), &r);
                                      at = {r.left + 5, r.top + 6};
                                      MouseTo(at);
                                      Mouse(MOUSEEVENTF_RIGHTDOWN);
                                      Mouse(MOUSEEVENTF_RIGHTUP);
                                      Settle();
                                  },
                                  [&] { Press(VK_ESCAPE); }});
    ZvComDone();
    EXPECT_EQ(menu.Count, 8) << "the shared edit menu did not open";
    EXPECT_EQ(menu.Rect.left, at.x);
    EXPECT_EQ(menu.Rect.top, at.y);
}

}  // namespace
