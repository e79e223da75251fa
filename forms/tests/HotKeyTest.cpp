// Hot-key fields: the combination the user presses read back as a
// shortcut, the rules that replace combinations the field does not take,
// the program's own value, and the change events.
#include <gtest/gtest.h>

#include <initializer_list>

#include "FormFixture.h"
#include "HotKey.h"

using namespace forms;
using namespace testsupport;

namespace {

class HotKeyFields : public FormFixture<> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        frm->SetBounds(200, 200, 300, 150);
        field = new THotKey(frm);
        field->SetBounds(20, 20, 150, 22);
        field->OnChange = [this](TComponent*) { ++changes; };
    }

    void Show() {
        field->SetParent(frm);
        ShowInFront(field);
    }

    // Holds the modifiers, presses the key, and lets all go.
    void Keys(std::initializer_list<WORD> Held, WORD Vk) {
        ToFront();
        for (WORD k : Held) Key(k, false);
        Key(Vk, false);
        Key(Vk, true);
        for (WORD k : Held) Key(k, true);
        SettleInput();
    }

    THotKey* field = nullptr;
    int changes = 0;
};

TEST_F(HotKeyFields, TheKeysPressedAreTheShortCut) {
    Show();
    Keys({VK_CONTROL, VK_MENU}, 'A');
    EXPECT_EQ(field->HotKey(), scCtrl | scAlt | 'A');
    EXPECT_GT(changes, 0) << "the user's change is reported";

    // A key that makes a character, which must not count as a key of its own.
    Keys({VK_SHIFT}, 'B');
    EXPECT_EQ(field->HotKey(), scShift | 'B');
    Keys({}, VK_F5);
    EXPECT_EQ(field->HotKey(), VK_F5);
    Keys({VK_CONTROL}, VK_HOME);
    EXPECT_EQ(field->HotKey(), scCtrl | VK_HOME) << "no extended-key flag in the shortcut";

    changes = 0;
    Keys({}, VK_BACK);
    EXPECT_EQ(field->HotKey(), 0) << "Backspace clears the field";
    EXPECT_EQ(changes, 1) << "clearing is a change";
}

TEST_F(HotKeyFields, RulesSetBeforeTheWindowReplaceInvalidCombinations) {
    field->SetRules(HKCOMB_NONE | HKCOMB_S | HKCOMB_A, scCtrl | scAlt);
    Show();
    Keys({}, 'A');
    EXPECT_EQ(field->HotKey(), 0xC041) << "a plain key takes the replacement modifiers";
    Keys({VK_SHIFT}, 'D');
    EXPECT_EQ(field->HotKey(), scCtrl | scAlt | 'D') << "Shift alone is not taken";
    Keys({VK_CONTROL}, 'E');
    EXPECT_EQ(field->HotKey(), scCtrl | 'E') << "a valid combination stays";
}

TEST_F(HotKeyFields, TheProgramsValueReadsBackWithoutAChangeEvent) {
    field->SetHotKey(scCtrl | 'Q');
    EXPECT_EQ(field->HotKey(), scCtrl | 'Q') << "before the window exists";
    Show();
    EXPECT_EQ(field->HotKey(), scCtrl | 'Q') << "handed to the window";
    field->SetHotKey(scShift | scAlt | VK_HOME);
    EXPECT_EQ(field->HotKey(), scShift | scAlt | VK_HOME);
    field->SetHotKey(VK_F12);
    EXPECT_EQ(field->HotKey(), VK_F12);
    field->SetHotKey(0);
    EXPECT_EQ(field->HotKey(), 0);
    SettleInput();
    EXPECT_EQ(changes, 0) << "the program's values are no change of the user's";
}

}  // namespace
