// Keys in an edit: the key-down and key-up events see each key before the
// edit acts on it, and a key swallowed at its press does nothing in the
// edit; the dialog keys still go to the form; typing marks the text
// modified.
#include <gtest/gtest.h>

#include <vector>

#include "DialogSteps.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

class EditKeys : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(200, 200, 300, 150);
        edit = new TEdit(form);
        edit->SetBounds(20, 20, 120, 22);
        edit->SetParent(form);
        other = new TEdit(form);
        other->SetBounds(20, 60, 120, 22);
        other->SetParent(form);
        edit->OnKeyDown = [this](TComponent* Sender, WORD& Key) {
            EXPECT_EQ(Sender, edit);
            downs.push_back(Key);
            if (Key == VK_LEFT) Key = 0;
        };
        edit->OnKeyUp = [this](TComponent*, WORD& Key) { ups.push_back(Key); };
        form->Show();
        edit->SetFocus();
        Settle();
    }
    void TearDown() override { Free(form); }

    void Type(const char* Text) {
        for (const char* c = Text; *c; ++c) Press(static_cast<WORD>(VkKeyScanA(*c) & 0xFF));
        Settle();
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    std::vector<WORD> downs, ups;
};

TEST_F(EditKeys, ASwallowedKeyLeavesTheCaretWhereItWas) {
    Type("ab");
    Press(VK_LEFT);
    Type("c");
    EXPECT_EQ(edit->Text(), "abc") << "Left was swallowed, so c comes at the end";
    Press(VK_HOME);
    Type("d");
    EXPECT_EQ(edit->Text(), "dabc") << "Home was not swallowed and moved the caret";
}

TEST_F(EditKeys, EveryKeyIsSeenGoingDownAndComingUp) {
    Type("x");
    Press(VK_LEFT);
    Settle();
    const std::vector<WORD> expected = {'X', VK_LEFT};
    EXPECT_EQ(downs, expected);
    EXPECT_EQ(ups, expected) << "a swallowed press still has its release";
}

TEST_F(EditKeys, TypingMarksTheTextModifiedAndTheProgramsTextDoesNot) {
    EXPECT_FALSE(edit->Modified());
    Type("7");
    EXPECT_TRUE(edit->Modified());
    edit->SetModified(false);
    EXPECT_FALSE(edit->Modified());
    Type("8");
    EXPECT_TRUE(edit->Modified());
    edit->SetText("12");
    EXPECT_FALSE(edit->Modified()) << "the program's text is no change of the user's";
    edit->SetModified(true);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditKeys, TheTabKeyStillMovesTheFocus) {
    Press(VK_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), other->Handle());
    EXPECT_TRUE(downs.empty()) << "the form took Tab before the edit's event";
}

TEST_F(EditKeys, AReadOnlyEditKeepsItsTextAndShowsItsOwnColour) {
    edit->SetText("fixed");
    edit->SetReadOnly(true);
    edit->SetColor(0x0000FF);
    Settle();
    Type("x");
    EXPECT_EQ(edit->Text(), "fixed") << "typing changes nothing";
    EXPECT_FALSE(edit->Modified());
    RECT r;
    GetWindowRect(edit->Handle(), &r);
    EXPECT_EQ(ScreenPixel(POINT{r.right - 6, (r.top + r.bottom) / 2}), RGB(255, 0, 0)) << "its colour, not the button face";
    edit->SetReadOnly(false);
    Type("y");
    EXPECT_NE(edit->Text(), "fixed") << "writable again";
}

}  // namespace
