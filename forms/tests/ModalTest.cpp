// Modal forms as a user meets them: Alt and an underlined letter presses a
// button or focuses a label's control, Enter and Escape go to an open
// drop-down list before the default and cancel buttons, and closing asks
// OnCloseQuery and OnClose, which can keep the form open.
#include <gtest/gtest.h>

#include <string>

#include "ComboBox.h"
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

// A form with a drop-down list, a default and a cancel button.
class TfrmChoice : public TForm {
public:
    TComboBox* cboKind = nullptr;
    TButton *cmdOK = nullptr, *cmdCancel = nullptr;

    explicit TfrmChoice(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frmChoice", .Caption = "Choice", .ClientWidth = 300, .ClientHeight = 80,
                  .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter});
        Add(cboKind, {.Name = "cboKind", .Left = 10, .Top = 10, .Width = 150},
            [](TComboBox& c) { c.SetItems({"first", "second", "third"}); });
        Add(cmdOK, {.Name = "cmdOK", .Left = 120, .Top = 45, .Width = 80, .Height = 25, .Caption = "OK",
                    .Default = true, .ModalResult = mrOk});
        Add(cmdCancel, {.Name = "cmdCancel", .Left = 210, .Top = 45, .Width = 80, .Height = 25,
                        .Caption = "Cancel", .Cancel = true, .ModalResult = mrCancel});
        cboKind->SetItemIndex(0);
        SetActiveControl(cboKind);
        EndDescription();
    }
};

// What the form shows after a key pressed in its open list.
struct AfterListKey {
    bool Dropped = false, Closed = true, Open = false;
    int Chosen = -1;
};

TEST(ModalForms, EnterAndEscapeInAnOpenListCloseTheListBeforeTheyReachTheButtons) {
    // The list dropped with F4 or Alt+Down; one item down; the key.
    const struct {
        bool AltDown;
        WORD Key;
        int Result;
    } kWays[] = {{false, VK_RETURN, mrOk}, {true, VK_RETURN, mrOk}, {false, VK_ESCAPE, mrCancel},
                 {true, VK_ESCAPE, mrCancel}};
    for (const auto& way : kWays) {
        auto& form = *new TfrmChoice(Application);
        AfterListKey after;
        Later(&form, [&] {
            if (way.AltDown)
                PressAlt(VK_DOWN);
            else
                Press(VK_F4);
            after.Dropped = PumpUntil([&] { return form.cboKind->DroppedDown(); }, 2000);
            Press(VK_DOWN);
            Press(way.Key);
            PumpUntil([&] { return !form.cboKind->DroppedDown() || form.ModalResult != mrNone; }, 2000);
            PumpFor(200);
            after.Closed = !form.cboKind->DroppedDown();
            after.Open = form.Showing() && form.ModalResult == mrNone;
            after.Chosen = form.cboKind->ItemIndex();
            // Now the list is closed: the same key reaches the button.
            Press(way.Key);
        });
        const int result = form.ShowModal();
        const std::string how = std::string(way.AltDown ? "Alt+Down" : "F4") + ", Down, " +
                                (way.Key == VK_RETURN ? "Enter" : "Escape");
        EXPECT_TRUE(after.Dropped) << how << ": the list did not open";
        EXPECT_TRUE(after.Closed) << how << ": the list stayed open";
        EXPECT_TRUE(after.Open) << how << ": the key closed the form with " << form.ModalResult;
        if (way.Key == VK_RETURN) EXPECT_EQ(after.Chosen, 1) << how << ": the item below was not chosen";
        EXPECT_EQ(result, way.Result) << how << ", then the key again, presses the "
                                      << (way.Key == VK_RETURN ? "default" : "cancel") << " button";
        Free(&form);
    }
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
