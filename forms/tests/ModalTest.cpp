// Modal forms as a user meets them: Alt and an underlined letter presses a
// button or focuses a label's control, and closing asks OnCloseQuery and
// OnClose, which can keep the form open.
#include <gtest/gtest.h>

#include <string>

#include "Forms.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

class TfrmAccel : public TForm {
public:
    TLabel* lblName = nullptr;
    TEdit *txtName = nullptr, *txtOther = nullptr;
    TButton *cmdApply = nullptr, *cmdQuit = nullptr, *cmdOff = nullptr;
    std::string Events;
    bool Refuse = false;

    explicit TfrmAccel(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frmAccel", .Caption = "Accel", .ClientWidth = 300, .ClientHeight = 100,
                  .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter,
                  .OnCloseQuery = [this](TComponent*, bool& CanClose) { Events += "query "; CanClose = !Refuse; },
                  .OnClose = [this](TComponent*, TCloseAction&) { Events += "close "; }});
        Add(lblName, {.Name = "lblName", .Left = 10, .Top = 12, .Caption = "&Name:"});
        Add(txtName, {.Name = "txtName", .Left = 60, .Top = 10, .Width = 120, .Height = 21});
        Add(txtOther, {.Name = "txtOther", .Left = 60, .Top = 40, .Width = 120, .Height = 21});
        lblName->FocusControl = txtName;
        Add(cmdApply, {.Name = "cmdApply", .Left = 10, .Top = 70, .Width = 85, .Height = 25, .Caption = "&Apply",
                       .OnClick = [this](TComponent*) { Events += "apply "; }});
        Add(cmdQuit, {.Name = "cmdQuit", .Left = 100, .Top = 70, .Width = 85, .Height = 25,
                      .Caption = "Save && &Quit", .ModalResult = mrOk});
        Add(cmdOff, {.Name = "cmdOff", .Left = 190, .Top = 70, .Width = 85, .Height = 25, .Caption = "&Zap",
                     .Enabled = false, .OnClick = [this](TComponent*) { Events += "zap "; }});
        SetActiveControl(txtOther);
        EndDescription();
    }
};

TEST(ModalForms, AltAndTheUnderlinedLetterPressesTheButtonOrFocusesTheLabelsControl) {
    auto& form = *new TfrmAccel(Application);
    HWND focused = nullptr;
    Later(&form, [&] {
        PressAlt('N');
        PumpUntil([&] { return GetFocus() == form.txtName->Handle(); }, 2000);
        focused = GetFocus();
        PressAlt('A');
        PressAlt('Z');  // a disabled button
        PressAlt('S');  // "&&" underlines nothing
        PumpFor(300);
        PressAlt('Q');
    });
    EXPECT_EQ(form.ShowModal(), mrOk) << "Alt+Q presses \"Save && &Quit\"";
    EXPECT_EQ(focused, form.txtName->Handle()) << "Alt+N focuses the label's control";
    EXPECT_EQ(form.Events, "apply query close ");
    Free(&form);
}

TEST(ModalForms, CloseQueryCanKeepTheFormOpenAndOnCloseRunsOnceAtTheEnd) {
    auto& form = *new TfrmAccel(Application);
    form.Refuse = true;
    std::string afterRefusal;
    bool openAfterRefusal = false;
    Later(&form, [&] { PostMessageA(form.Handle(), WM_CLOSE, 0, 0); }, 100);
    Later(&form, [&] {
        afterRefusal = form.Events;
        openAfterRefusal = form.Showing();
        form.Refuse = false;
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    }, 600);
    EXPECT_EQ(form.ShowModal(), mrCancel) << "the close box";
    EXPECT_EQ(afterRefusal, "query ") << "asked and refused, without OnClose";
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(form.Events, "query query close ");
    Free(&form);
}

}  // namespace
