// When a modal form closes, the window the user was in is active again and
// its keys reach it: also when the caller kept that window disabled while
// the form ran, and enables it again only after.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

class ModalActivation : public ::testing::Test {
protected:
    void SetUp() override {
        main = new TForm(Application);
        main->SetBounds(100, 100, 300, 200);
        main->SetCaption("Main");
        txtTyped = new TEdit(main);
        txtTyped->SetBounds(10, 10, 150, 21);
        txtTyped->SetParent(main);
        main->Show();
        txtTyped->SetFocus();
        ToFront();
        dialogsteps::Settle();
    }
    void TearDown() override { Free(main); }

    // Runs a dialog whose OK button the user clicks, with the main window
    // disabled around it when Busy (as the program does for long commands).
    int RunDialog(bool Busy) {
        auto* dialog = new TForm(Application);
        dialog->SetBounds(200, 150, 200, 100);
        dialog->SetCaption("Dialog");
        auto* cmdOK = new TButton(dialog);
        cmdOK->SetBounds(50, 20, 85, 25);
        cmdOK->SetCaption("OK");
        cmdOK->ModalResult = mrOk;
        cmdOK->SetParent(dialog);
        Later(dialog, [cmdOK] { ClickOn(cmdOK->Handle()); }, 300);
        if (Busy) main->SetEnabled(false);
        const int result = dialog->ShowModal();
        if (Busy) main->SetEnabled(true);
        Free(dialog);
        return result;
    }
    // Types into the window in front without bringing any window there
    // first, as a user's keys go.
    std::string TypedAfter() {
        for (WORD vk : {'A', 'B'}) {
            Key(vk, false);
            Key(vk, true);
        }
        PumpUntil([this] { return txtTyped->Text().size() >= 2; }, 1500);
        return txtTyped->Text();
    }

    TForm* main = nullptr;
    TEdit* txtTyped = nullptr;
};

TEST_F(ModalActivation, KeysReachTheWindowTheUserWasInAfterTheDialogCloses) {
    ASSERT_EQ(RunDialog(false), mrOk);
    EXPECT_EQ(GetActiveWindow(), main->Handle()) << "the main window is not active again";
    EXPECT_EQ(TypedAfter(), "ab");
}

TEST_F(ModalActivation, AWindowDisabledAroundTheDialogIsActiveAgainOnceEnabled) {
    ASSERT_EQ(RunDialog(true), mrOk);
    EXPECT_EQ(GetActiveWindow(), main->Handle()) << "the main window is not active again";
    EXPECT_EQ(GetFocus(), txtTyped->Handle()) << "the focus has not come back to the edit";
    EXPECT_EQ(TypedAfter(), "ab");
}

}  // namespace
