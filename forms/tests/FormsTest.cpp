// The form layer in real windows: modal results, dialog keys, focus and exit
// handlers, tab order, size limits, hints, guards, timers and finding
// controls by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "Timer.h"

using namespace forms;
using namespace testsupport;

namespace {

// A small dialog: a field with an exit check, OK (default) and Cancel
// (cancel) buttons whose handlers move the focus to themselves first.
class TfrmProbe : public TForm {
public:
    TEdit* txtFirst = nullptr;
    TEdit* txtSecond = nullptr;
    TPanel* panButtons = nullptr;
    TButton* cmdOK = nullptr;
    TButton* cmdCancel = nullptr;
    TCheckBox* chkOption = nullptr;
    TLabel* lblNote = nullptr;
    std::vector<std::string> Events;

    explicit TfrmProbe(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frmProbe", .Caption = "Probe", .ClientWidth = 300, .ClientHeight = 160,
                  .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
                  .ShowHint = true});
        Add(txtFirst, {.Name = "txtFirst", .Left = 10, .Top = 10, .Width = 120, .Height = 21,
                       .OnExit = Handler(&TfrmProbe::txtFirst_Exit)});
        Add(txtSecond, {.Name = "txtSecond", .Left = 10, .Top = 40, .Width = 120, .Height = 21});
        Add(chkOption, {.Name = "chkOption", .Left = 10, .Top = 70, .Width = 120, .Height = 17,
                        .Caption = "&Option"});
        Add(lblNote, {.Name = "lblNote", .Left = 150, .Top = 10, .Caption = "Note"});
        Add(panButtons, {.Name = "panButtons", .Left = 10, .Top = 100, .Width = 280, .Height = 50,
                         .BevelOuter = bvNone});
        Add(cmdOK, {.Name = "cmdOK", .Parent = panButtons, .Left = 100, .Top = 10, .Width = 85, .Height = 25,
                    .Caption = "OK", .Hint = "Accept", .Default = true,
                    .OnClick = Handler(&TfrmProbe::cmdOK_Click)});
        Add(cmdCancel, {.Name = "cmdCancel", .Parent = panButtons, .Left = 190, .Top = 10, .Width = 85,
                        .Height = 25, .Caption = "Cancel", .Cancel = true,
                        .OnClick = Handler(&TfrmProbe::cmdCancel_Click)});
        EndDescription();
    }

    void txtFirst_Exit(TComponent*) { Events.push_back("exit " + txtFirst->Text()); }
    void cmdOK_Click(TComponent*) {
        cmdOK->SetFocus();
        Events.push_back("ok");
        ModalResult = mrOk;
    }
    void cmdCancel_Click(TComponent*) {
        cmdCancel->SetFocus();
        Events.push_back("cancel");
        ModalResult = mrCancel;
    }
};

using Forms = FormFixture<TfrmProbe>;

TEST_F(Forms, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    Later(frm, [] { Press(VK_RETURN); });
    EXPECT_EQ(frm->ShowModal(), mrOk);
    EXPECT_FALSE(frm->Showing());

    Later(frm, [] { Press(VK_ESCAPE); });
    EXPECT_EQ(frm->ShowModal(), mrCancel);
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"exit ", "ok", "cancel"}));
}

TEST_F(Forms, CloseBoxGivesCancel) {
    Later(frm, [this] { PostMessageA(frm->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(frm->ShowModal(), mrCancel);
    EXPECT_TRUE(frm->Events.empty()) << "the close box runs no button handler";
}

TEST_F(Forms, ButtonModalResultEndsTheFormWithoutAHandler) {
    frm->cmdCancel->OnClick = nullptr;
    frm->cmdCancel->ModalResult = mrNo;
    Later(frm, [] { Press(VK_ESCAPE); });
    EXPECT_EQ(frm->ShowModal(), mrNo);
}

TEST_F(Forms, ExitHandlerRunsBeforeTheClickThatMovesTheFocus) {
    Later(frm, [this] {
        SetWindowTextA(frm->txtFirst->Handle(), "12");
        Press(VK_RETURN);  // the default button: the focus is still in the field
    });
    EXPECT_EQ(frm->ShowModal(), mrOk);
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"exit 12", "ok"}));
}

TEST_F(Forms, MouseClickOnAButtonRunsTheFieldsExitFirst) {
    Later(frm, [this] {
        SetWindowTextA(frm->txtFirst->Handle(), "7");
        ClickOn(frm->cmdCancel->Handle());
    });
    EXPECT_EQ(frm->ShowModal(), mrCancel);
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"exit 7", "cancel"}));
}

TEST_F(Forms, TabFollowsTabOrderAcrossContainers) {
    frm->txtSecond->SetTabOrder(0);  // now before txtFirst
    std::vector<std::string> visited;
    Later(frm, [&] {
        visited.push_back(frm->ActiveControl()->Name());
        Press(VK_TAB);
        PumpUntil([&] { return frm->ActiveControl() != frm->txtSecond; }, 1000);
        visited.push_back(frm->ActiveControl()->Name());
        Press(VK_TAB);
        Press(VK_TAB);
        PumpUntil([&] { return frm->ActiveControl() == frm->cmdOK; }, 1000);
        visited.push_back(frm->ActiveControl()->Name());
        Press(VK_TAB, true);
        PumpUntil([&] { return frm->ActiveControl() != frm->cmdOK; }, 1000);
        visited.push_back(frm->ActiveControl()->Name());
        frm->ModalResult = mrOk;
    });
    frm->ShowModal();
    EXPECT_EQ(visited, (std::vector<std::string>{"txtSecond", "txtFirst", "cmdOK", "chkOption"}));
}

TEST_F(Forms, FocusSetBeforeShowingGoesToThatControl) {
    frm->cmdCancel->SetFocus();
    std::string focused;
    Later(frm, [&] {
        focused = TControl::FromHandle(GetFocus()) ? TControl::FromHandle(GetFocus())->Name() : "";
        frm->ModalResult = mrOk;
    });
    frm->ShowModal();
    EXPECT_EQ(focused, "cmdCancel");
}

TEST_F(Forms, ModalFormDisablesTheOtherWindowsUntilItEnds) {
    auto* other = new TForm(Application);
    other->Show();
    bool enabledMeanwhile = true;
    Later(frm, [&] {
        enabledMeanwhile = IsWindowEnabled(other->Handle());
        frm->ModalResult = mrOk;
    });
    frm->ShowModal();
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    delete other;
}

TEST_F(Forms, ShowModalOfAShowingFormRaises) {
    frm->Show();
    EXPECT_THROW(frm->ShowModal(), Exception);
}

TEST_F(Forms, FindComponentByNameIgnoresCase) {
    EXPECT_EQ(frm->FindComponent("cmdOK"), frm->cmdOK);
    EXPECT_EQ(frm->FindComponent("CHKOPTION"), frm->chkOption);
    EXPECT_EQ(frm->FindComponent("cmdMissing"), nullptr);
}

TEST_F(Forms, ControlsFollowTheFormFontUntilGivenTheirOwn) {
    frm->Font.SetName("Tahoma");
    EXPECT_EQ(frm->cmdOK->Font.Name(), "Tahoma") << "through the panel";
    frm->txtSecond->Font.SetName("Courier New");
    frm->Font.SetName("Arial");
    EXPECT_EQ(frm->txtFirst->Font.Name(), "Arial");
    EXPECT_EQ(frm->txtSecond->Font.Name(), "Courier New");
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(frm->txtFirst->Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Arial") << "the window draws with the font";
}

TEST_F(Forms, BoundsFollowMovesMadeFromOutside) {
    SetWindowPos(frm->Handle(), nullptr, 33, 44, 250, 180, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(frm->Left(), 33);
    EXPECT_EQ(frm->Top(), 44);
    EXPECT_EQ(frm->Width(), 250);
    EXPECT_EQ(frm->Height(), 180);
    MoveWindow(frm->cmdOK->Handle(), 7, 8, 60, 20, TRUE);
    EXPECT_EQ(frm->cmdOK->Left(), 7) << "child bounds are in the parent's client coordinates";
    EXPECT_EQ(frm->cmdOK->Top(), 8);
}

using FormLimits = FormFixture<>;

TEST_F(FormLimits, AFormMaximisedWithinItsLimitsShowsItsWholeFrameAtTheScreensCorner) {
    frm->SetBounds(100, 100, 300, 200);
    frm->MaxWidth = 600;
    frm->MaxHeight = 400;
    RECT maximised = {};
    Later(frm, [&] {
        PressAlt(VK_SPACE);  // the window menu, and its "Ma&ximize"
        Press('X');
        PumpUntil([&] { return IsZoomed(frm->Handle()) != FALSE; }, 2000);
        PumpFor(100);
        GetWindowRect(frm->Handle(), &maximised);
        frm->ModalResult = mrOk;
    });
    frm->ShowModal();
    EXPECT_EQ(std::to_string(maximised.left) + ", " + std::to_string(maximised.top) + ", " +
                  std::to_string(maximised.right) + ", " + std::to_string(maximised.bottom),
              "0, 0, 600, 400")
        << "the maximised window's outer rectangle";
}

TEST_F(Forms, AutoSizedLabelFitsItsText) {
    const int before = frm->lblNote->Width();
    frm->lblNote->SetCaption("A much longer note than before");
    EXPECT_GT(frm->lblNote->Width(), before);
    EXPECT_GT(frm->lblNote->Height(), 0);
}

TEST_F(Forms, CheckBoxClickTogglesAndFires) {
    int clicks = 0;
    frm->chkOption->OnClick = [&](TComponent*) { ++clicks; };
    frm->Show();
    ClickOn(frm->chkOption->Handle());
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(frm->chkOption->Checked());
    frm->chkOption->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    frm->Hide();
}

// An exception in a handler is reported, and the form goes on running.
TEST_F(Forms, HandlerExceptionIsReportedNotPropagated) {
    std::string reported;
    Application->OnException = [&](const std::exception* e) { reported = e ? e->what() : "?"; };
    frm->cmdOK->OnClick = [](TComponent*) { throw Exception("Broken handler"); };
    Later(frm, [] { Press(VK_RETURN); });
    Later(frm, [this] { frm->ModalResult = mrNo; }, 400);
    EXPECT_EQ(frm->ShowModal(), mrNo);
    EXPECT_EQ(reported, "Broken handler");
    Application->OnException = nullptr;
}

// Two panels of their own colours overlap: the one brought to the front
// shows over the overlap, also when the other one paints again, and takes
// the press there.
using Siblings = FormFixture<>;

TEST_F(Siblings, TheControlInFrontShowsAndTakesTheMouseWhereTheyOverlap) {
    frm->SetBounds(200, 150, 300, 200);
    const TColor colors[2] = {0x0000C0, 0xC08000};
    TPanel* panels[2] = {};
    int pressed = -1;
    for (int i = 0; i < 2; ++i) {
        panels[i] = new TPanel(frm);
        panels[i]->BevelOuter = bvNone;
        panels[i]->SetColor(colors[i]);
        panels[i]->SetBounds(20 + 60 * i, 20 + 40 * i, 120, 90);
        panels[i]->SetParent(frm);
        panels[i]->OnMouseDown = [&pressed, i](TComponent*, TMouseButton, WPARAM, int, int) { pressed = i; };
    }
    frm->Show();
    POINT overlap = {110, 80};
    ClientToScreen(frm->Handle(), &overlap);
    for (int front : {1, 0}) {
        panels[front]->BringToFront();
        panels[1 - front]->Repaint();
        SettleInput();
        EXPECT_EQ(ScreenPixel(overlap), ColorToRGB(colors[front])) << "panel " << front << " in front";
        pressed = -1;
        MouseClicks(overlap);
        EXPECT_EQ(pressed, front) << "the press went to the panel behind";
    }
}

TEST(Timers, TickWhileEnabledAndStopWhenDisabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TComponent*) { ++ticks; };
    timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);
}

// A hint window class that marks itself, standing in for a module's own.
class TMarkedHint : public THintWindow {
public:
    TMarkedHint() { Canvas().Font.SetName("Courier New"); }
};

TEST_F(Forms, HintShowsAfterThePauseInTheChosenClassAndHidesAgain) {
    Application->SetHintWindowClass<TMarkedHint>();
    Application->HintPause = 100;
    Application->HintHidePause = 300;
    frm->Show();
    MouseTo(CentreOf(frm->txtFirst->Handle()));
    PumpFor(150);
    MouseTo(CentreOf(frm->cmdOK->Handle()));
    EXPECT_TRUE(PumpUntil([] {
        THintWindow* h = Application->HintWindow();
        return h && IsWindowVisible(h->Handle());
    })) << "no hint over the button";
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_NE(dynamic_cast<TMarkedHint*>(hint), nullptr);
    EXPECT_EQ(hint->Text(), "Accept");
    EXPECT_EQ(hint->Canvas().Font.Name(), "Courier New");
    EXPECT_TRUE(PumpUntil([hint] { return !IsWindowVisible(hint->Handle()); })) << "the hint did not hide";
    frm->Hide();
}

TEST_F(Forms, StatusBarHintsReachTheApplicationButShowNoToolTip) {
    std::vector<std::string> seen;
    Application->OnHint = [&](TComponent*) { seen.push_back(Application->Hint()); };
    Application->HintPause = 50;
    frm->txtSecond->Hint = "~Opens the picture";
    frm->Show();
    MouseTo(CentreOf(frm->txtFirst->Handle()));
    PumpFor(100);
    MouseTo(CentreOf(frm->txtSecond->Handle()));
    PumpFor(300);
    THintWindow* h = Application->HintWindow();
    EXPECT_TRUE(!h || !IsWindowVisible(h->Handle())) << "a \"~\" hint showed as a tool tip";
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "~Opens the picture");
    Application->OnHint = nullptr;
    frm->Hide();
}

TEST(HintParts, ShortBeforeTheBarLongAfterItOrWhole) {
    EXPECT_EQ(GetShortHint("Open|Opens a picture file"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a picture file"), "Opens a picture file");
    EXPECT_EQ(GetShortHint("~Ready"), "~Ready");
    EXPECT_EQ(GetLongHint("~Ready"), "~Ready");
    EXPECT_EQ(GetLongHint(""), "");
}

TEST_F(Forms, NoHintWhenTheFormHidesHints) {
    frm->SetShowHint(false);
    Application->HintPause = 50;
    frm->Show();
    MouseTo(CentreOf(frm->txtFirst->Handle()));
    PumpFor(100);
    MouseTo(CentreOf(frm->cmdOK->Handle()));
    PumpFor(300);
    THintWindow* h = Application->HintWindow();
    EXPECT_TRUE(!h || !IsWindowVisible(h->Handle()));
    frm->Hide();
}

}  // namespace

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM Count) {
    ++*reinterpret_cast<int*>(Count);
    return 1;
}

// Whether the system knows a family of that name.
bool Installed(const std::string& Name) {
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    Name.copy(lf.lfFaceName, LF_FACESIZE - 1);
    int count = 0;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &lf, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    ReleaseDC(nullptr, dc);
    return count > 0;
}

}  // namespace

TEST(ScreenFonts, TheInstalledFamiliesEachOnceInUpperCaseOrder) {
    const std::vector<std::string> fonts = forms::Screen.Fonts();
    ASSERT_FALSE(fonts.empty());
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "Tahoma"), fonts.end()) << "the test display has Tahoma";
    const auto upper = [](std::string s) {
        CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
        return s;
    };
    for (size_t i = 1; i < fonts.size(); ++i)
        EXPECT_LT(upper(fonts[i - 1]), upper(fonts[i]))
            << "\"" << fonts[i - 1] << "\" comes before \"" << fonts[i] << "\" and once only";
    for (const std::string& name : fonts) {
        EXPECT_NE(name[0], '@') << "vertical faces are not families";
        EXPECT_TRUE(Installed(name)) << name;
    }
}
