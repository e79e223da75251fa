// Up-down buttons bound to an edit: the position shown in the edit, kept
// within Min..Max by the arrows, the keys and the program, numbers typed in
// the edit, thousands separators, and where the buttons sit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "FormFixture.h"
#include "UpDown.h"

using namespace forms;
using namespace testsupport;

namespace {

class UpDownTest : public FormFixture<> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        frm->SetBounds(200, 200, 300, 150);
        edit = new TEdit(frm);
        edit->SetBounds(20, 20, 60, 22);
        edit->SetParent(frm);
        updown = Make(false, 1, 5, 3);
        ShowInFront(edit);
    }

    TUpDown* Make(bool Thousands, int Min, int Max, int Position, bool Wrap = false) {
        auto* u = new TUpDown(frm);
        u->Thousands = Thousands;
        u->Wrap = Wrap;
        u->SetMin(Min);
        u->SetMax(Max);
        u->SetPosition(Position);
        u->SetAssociate(edit);
        u->SetBounds(80, 20, 16, 22);
        u->SetParent(frm);
        return u;
    }

    // A click on the upper or the lower arrow.
    void ClickArrow(bool Up) {
        RECT r;
        GetWindowRect(updown->Handle(), &r);
        ToFront();
        MouseTo({(r.left + r.right) / 2, Up ? r.top + 3 : r.bottom - 4});
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Mouse(MOUSEEVENTF_LEFTUP);
        SettleInput();
    }

    TEdit* edit = nullptr;
    TUpDown* updown = nullptr;
};

TEST_F(UpDownTest, TheEditShowsThePosition) {
    EXPECT_EQ(edit->Text(), "3");
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(updown->Min(), 1);
    EXPECT_EQ(updown->Max(), 5);
}

TEST_F(UpDownTest, TheArrowsStepWithinTheRange) {
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "4");
    for (int i = 0; i < 3; ++i) ClickArrow(true);
    EXPECT_EQ(edit->Text(), "5") << "the up arrow stops at Max";
    EXPECT_EQ(updown->Position(), 5);
    for (int i = 0; i < 6; ++i) ClickArrow(false);
    EXPECT_EQ(edit->Text(), "1") << "the down arrow stops at Min";
    EXPECT_EQ(updown->Position(), 1);
}

TEST_F(UpDownTest, TheUpAndDownKeysInTheEditStepWithinTheRange) {
    Press(VK_UP);
    SettleInput();
    EXPECT_EQ(edit->Text(), "4");
    for (int i = 0; i < 3; ++i) Press(VK_UP);
    SettleInput();
    EXPECT_EQ(edit->Text(), "5");
    for (int i = 0; i < 6; ++i) Press(VK_DOWN);
    SettleInput();
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(updown->Position(), 1);
}

TEST_F(UpDownTest, WrappingButtonsGoRoundFromMaxToMinAndBack) {
    Free(updown);
    updown = Make(false, 0, 359, 358, true);
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "359");
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "0") << "up from Max goes on at Min";
    EXPECT_EQ(updown->Position(), 0);
    ClickArrow(false);
    EXPECT_EQ(edit->Text(), "359") << "down from Min goes on at Max";
    Press(VK_UP);
    SettleInput();
    EXPECT_EQ(edit->Text(), "0") << "the Up key wraps as the arrow does";
    Press(VK_DOWN);
    SettleInput();
    EXPECT_EQ(edit->Text(), "359");
    EXPECT_EQ(updown->Position(), 359);
}

TEST_F(UpDownTest, TheArrowsAndKeysStepByTheIncrement) {
    // A four-character edit as the dialogs have it for sizes up to 1600.
    SendMessageA(edit->Handle(), EM_LIMITTEXT, 4, 0);
    Free(updown);
    updown = Make(false, 10, 1600, 1570);
    updown->SetIncrement(10);
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "1580");
    Press(VK_UP);
    SettleInput();
    EXPECT_EQ(edit->Text(), "1590") << "the Up key steps as the arrow does";
    ClickArrow(true);
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "1600") << "no separator in a four-character edit, and Max holds";
    EXPECT_EQ(updown->Position(), 1600);
    ClickArrow(false);
    EXPECT_EQ(edit->Text(), "1590");
    updown->SetIncrement(0);
    EXPECT_EQ(updown->Increment(), 1) << "a step is at least 1";
    ClickArrow(false);
    EXPECT_EQ(edit->Text(), "1589");
}

TEST_F(UpDownTest, TheProgramsPositionIsKeptInTheRange) {
    updown->SetPosition(9);
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_EQ(edit->Text(), "5");
    updown->SetPosition(-3);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(edit->Text(), "1");
    updown->SetMax(2);
    EXPECT_EQ(updown->Position(), 1);
    updown->SetPosition(4);
    EXPECT_EQ(updown->Position(), 2) << "a lowered Max holds";
}

TEST_F(UpDownTest, ANumberTypedInTheEditIsThePosition) {
    SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
    Press('2');
    SettleInput();
    ASSERT_EQ(edit->Text(), "2");
    EXPECT_EQ(updown->Position(), 2);
    ClickArrow(true);
    EXPECT_EQ(edit->Text(), "3") << "the arrows go on from the typed number";
}

TEST_F(UpDownTest, ThousandsSeparatorsOnlyWhenAsked) {
    updown->SetMax(99999);
    updown->SetPosition(12345);
    EXPECT_EQ(edit->Text(), "12345");
    Free(updown);
    updown = Make(true, 0, 99999, 12345);
    const std::string text = edit->Text();
    EXPECT_NE(text, "12345") << "no separator with Thousands";
    EXPECT_EQ(text.substr(0, 2), "12");
    EXPECT_EQ(text.substr(text.size() - 3), "345");
    EXPECT_EQ(updown->Position(), 12345) << "the separated number reads back";
}

TEST_F(UpDownTest, TheButtonsSitAtTheEditsRightEdge) {
    RECT e, u;
    GetWindowRect(edit->Handle(), &e);
    GetWindowRect(updown->Handle(), &u);
    EXPECT_LT(e.right - e.left, 60) << "the edit gives up the buttons' room";
    EXPECT_LE(std::abs(u.left - e.right), 2) << "edit " << e.right << ", buttons " << u.left;
    EXPECT_LE(u.right, e.left + 60 + 2) << "the buttons stay within the edit's old width";
}

}  // namespace
