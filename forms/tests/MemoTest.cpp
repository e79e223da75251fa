// Edits of several lines and the keys released in an edit, typed as a user
// types them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "Memo.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

class TfrmNotes : public TForm {
public:
    TMemo* txtNotes = nullptr;
    TEdit* txtLine = nullptr;
    std::vector<WORD> Released;

    explicit TfrmNotes(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frmNotes", .Caption = "Notes", .ClientWidth = 260, .ClientHeight = 150,
                  .BorderStyle = bsDialog, .BorderIcons = biSystemMenu, .Position = poScreenCenter});
        Add(txtNotes, {.Name = "txtNotes", .Left = 8, .Top = 8, .Width = 160, .Height = 90, .MaxLength = 12});
        Add(txtLine, {.Name = "txtLine", .Left = 8, .Top = 110, .Width = 160, .Height = 21}, [this](TEdit& e) {
            e.OnKeyUp = [this](TComponent*, WORD& Key) { Released.push_back(Key); };
        });
        EndDescription();
    }
};

class Memo : public ::testing::Test {
protected:
    void SetUp() override {
        frm = new TfrmNotes(Application);
        frm->Show();
        PumpFor(100);
    }
    void TearDown() override { delete frm; }
    void Type(const std::string& Keys) {
        for (char c : Keys) Press(static_cast<WORD>(c == '\n' ? VK_RETURN : c));
        PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 1000);
        PumpFor(50);
    }
    TfrmNotes* frm = nullptr;
};

TEST_F(Memo, EnterStartsANewLineAndTheLengthLimitCountsLineEnds) {
    frm->txtNotes->SetFocus();
    Type("AB\nCD\nEFGHIJKLM");
    // "ab", CR LF, "cd", CR LF: 8 characters, so 4 more fit of the 12.
    EXPECT_EQ(frm->txtNotes->Text(), "ab\r\ncd\r\nefgh");
    frm->txtNotes->Clear();
    EXPECT_EQ(frm->txtNotes->Text(), "");
}

TEST_F(Memo, HasBothScrollBarsAndScrollsSidewaysInsteadOfWrapping) {
    const LONG_PTR style = GetWindowLongPtrA(frm->txtNotes->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL) << "no vertical scroll bar";
    EXPECT_TRUE(style & WS_HSCROLL) << "no horizontal scroll bar";
    frm->txtNotes->SetMaxLength(0);
    frm->txtNotes->SetText(std::string(200, 'w'));
    EXPECT_EQ(SendMessageA(frm->txtNotes->Handle(), EM_GETLINECOUNT, 0, 0), 1) << "a long line was wrapped";
}

TEST_F(Memo, AnEditTellsEachKeyReleased) {
    frm->txtLine->SetFocus();
    Type("A7");
    Press(VK_LEFT);
    PumpFor(100);
    EXPECT_EQ(frm->txtLine->Text(), "a7");
    const std::vector<WORD> expected = {'A', '7', VK_LEFT};
    EXPECT_EQ(frm->Released, expected);
}

}  // namespace
