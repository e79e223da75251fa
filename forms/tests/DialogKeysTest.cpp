// The keyboard of a dialog as a user types it: a radio group is one tab stop
// walked with the arrow keys, Ctrl+Tab turns the pages, and an edit reached
// by the keyboard has its text selected so that typing replaces it.
#include <gtest/gtest.h>

#include <string>

#include "DialogSteps.h"
#include "GroupBox.h"
#include "Memo.h"
#include "PageControl.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

// An edit, three choices in a group box, a fourth that is disabled, and a
// button.
class RadioGroups : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(200, 200, 320, 220);
        edit = Make<TEdit>(form, 10, 10, 100, 21, "");
        group = Make<TGroupBox>(form, 10, 40, 150, 120, "&Size");
        for (int i = 0; i < 4; ++i) {
            choices[i] = Make<TRadioButton>(group, 10, 20 + 22 * i, 120, 17, "Choice " + std::to_string(i + 1));
            choices[i]->OnClick = [this, i](TComponent*) { clicks += std::to_string(i + 1); };
        }
        choices[3]->SetEnabled(false);
        button = Make<TButton>(form, 200, 10, 75, 25, "OK");
    }
    void TearDown() override { Free(form); }

    template <class T>
    T* Make(TWinControl* Parent, int L, int T_, int W, int H, const std::string& Caption) {
        auto* c = new T(form);
        c->SetBounds(L, T_, W, H);
        c->SetCaption(Caption);
        c->SetParent(Parent);
        return c;
    }
    void ShowWith(int Checked) {
        choices[Checked]->SetChecked(true);
        clicks.clear();
        form->Show();
        ToFront();
        Settle();
    }
    // The check marks the buttons show.
    std::string Marks() const {
        std::string marks;
        for (const TRadioButton* b : choices)
            marks += SendMessageA(b->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? '*' : '.';
        return marks;
    }
    HWND Focus(int Choice) const { return choices[Choice]->Handle(); }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TGroupBox* group = nullptr;
    TRadioButton* choices[4] = {};
    TButton* button = nullptr;
    std::string clicks;
};

TEST_F(RadioGroups, TabEntersTheGroupAtItsCheckedButtonAndLeavesItInOneStep) {
    ShowWith(1);
    ASSERT_EQ(GetFocus(), edit->Handle());
    Press(VK_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), Focus(1)) << "the focus lands on the checked button";
    Press(VK_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), button->Handle()) << "the group is one tab stop";
    Press(VK_TAB, true);
    Settle();
    EXPECT_EQ(GetFocus(), Focus(1)) << "Shift+Tab comes back to the checked button";
    EXPECT_EQ(Marks(), ".*..") << "the focus alone checks nothing";
    EXPECT_EQ(clicks, "");
    PressAlt('S');
    Settle();
    EXPECT_EQ(GetFocus(), Focus(1)) << "the group's letter leads to the checked button";
}

TEST_F(RadioGroups, TheArrowKeysMoveTheChoiceRoundTheGroupPassingByADisabledButton) {
    ShowWith(0);
    choices[0]->SetFocus();
    Settle();
    Press(VK_DOWN);
    Settle();
    EXPECT_EQ(GetFocus(), Focus(1));
    EXPECT_EQ(Marks(), ".*..");
    Press(VK_RIGHT);
    Press(VK_DOWN);
    Settle();
    EXPECT_EQ(GetFocus(), Focus(0)) << "from the last enabled button round to the first";
    EXPECT_EQ(Marks(), "*...");
    Press(VK_UP);
    Settle();
    EXPECT_EQ(Marks(), "..*.");
    Press(VK_LEFT);
    Settle();
    EXPECT_EQ(GetFocus(), Focus(1));
    EXPECT_EQ(Marks(), ".*..");
    EXPECT_EQ(clicks, "23132") << "each choice by an arrow is a click";
}

TEST_F(RadioGroups, TheFormsFirstFocusInAGroupIsItsCheckedButton) {
    edit->SetTabOrder(2);
    ShowWith(2);
    EXPECT_EQ(GetFocus(), Focus(2));
}

// Three pages, each with a coloured panel, and a button beside them.
class PageKeys : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 400, 300);
        pages = new TPageControl(form);
        pages->SetBounds(10, 10, 280, 200);
        pages->SetParent(form);
        pages->OnChange = [this](TComponent*) { ++changes; };
        for (int i = 0; i < 3; ++i) {
            auto* page = new TTabSheet(form);
            page->SetCaption("Page " + std::to_string(i + 1));
            page->SetParent(pages);
            panels[i] = new TPanel(form);
            panels[i]->BevelOuter = bvNone;
            panels[i]->SetColor(kColours[i]);
            panels[i]->SetBounds(10, 10, 60, 40);
            panels[i]->SetParent(page);
        }
        edit = new TEdit(form);
        edit->SetBounds(10, 60, 80, 21);
        edit->SetParent(pages->Pages(0));
        button = new TButton(form);
        button->SetCaption("OK");
        button->SetBounds(300, 10, 75, 25);
        button->SetParent(form);
        form->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    // The page whose panel shows on the screen, 1 to 3, or 0.
    int PageShown() const {
        const COLORREF shown = ScreenPixel(CentreOf(panels[0]->Handle()));
        for (int i = 0; i < 3; ++i)
            if (shown == ColorToRGB(kColours[i])) return i + 1;
        return 0;
    }

    static constexpr TColor kColours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TPanel* panels[3] = {};
    TEdit* edit = nullptr;
    TButton* button = nullptr;
    int changes = 0;
};

TEST_F(PageKeys, CtrlTabTurnsToTheNextPageAndCtrlShiftTabBackRoundTheEnds) {
    edit->SetFocus();
    Settle();
    ASSERT_EQ(PageShown(), 1);
    PressCtrl(VK_TAB);
    Settle();
    EXPECT_EQ(PageShown(), 2);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    EXPECT_EQ(changes, 1) << "a turn by the keys is the user's choice";
    EXPECT_EQ(GetFocus(), pages->Handle()) << "the focus left the hidden page's edit for the tabs";
    PressCtrl(VK_TAB);
    PressCtrl(VK_TAB);
    Settle();
    EXPECT_EQ(PageShown(), 1) << "from the last page round to the first";
    Chord({VK_CONTROL, VK_SHIFT}, VK_TAB);
    Settle();
    EXPECT_EQ(PageShown(), 3) << "back from the first page to the last";
    EXPECT_EQ(changes, 4);
}

TEST_F(PageKeys, CtrlTabTurnsThePagesAlsoFromAControlBesideThem) {
    button->SetFocus();
    Settle();
    PressCtrl(VK_TAB);
    Settle();
    EXPECT_EQ(PageShown(), 2);
    EXPECT_EQ(GetFocus(), button->Handle()) << "the focus stays where it was";
}

// Two edits with their labels, and a memo.
class EditSelection : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(200, 200, 300, 200);
        width = Edit("&Width:", 10, "301");
        height = Edit("&Height:", 40, "203");
    }
    void TearDown() override { Free(form); }

    TEdit* Edit(const char* Caption, int Top, const char* Text) {
        auto* label = new TLabel(form);
        label->SetBounds(10, Top + 4, 50, 13);
        label->SetCaption(Caption);
        label->SetParent(form);
        auto* edit = new TEdit(form);
        edit->SetBounds(70, Top, 80, 21);
        edit->SetText(Text);
        edit->SetParent(form);
        label->FocusControl = edit;
        return edit;
    }
    void ShowForm() {
        form->Show();
        ToFront();
        Settle();
    }
    void TypeAndSettle(const char* Text) {
        Type(Text);
        Settle();
    }

    TForm* form = nullptr;
    TEdit* width = nullptr;
    TEdit* height = nullptr;
};

TEST_F(EditSelection, TheFirstFocusTabAndTheLabelsLetterSelectTheWholeText) {
    ShowForm();
    ASSERT_EQ(GetFocus(), width->Handle());
    TypeAndSettle("150");
    EXPECT_EQ(width->Text(), "150") << "the form's first focus selects the text";
    Press(VK_TAB);
    TypeAndSettle("75");
    EXPECT_EQ(height->Text(), "75") << "Tab selects the text";
    PressAlt('W');
    TypeAndSettle("9");
    EXPECT_EQ(width->Text(), "9") << "the label's letter selects the text";
}

TEST_F(EditSelection, AClickPlacesTheCaretWithoutSelecting) {
    ShowForm();
    RECT r;
    GetWindowRect(height->Handle(), &r);
    ClickAt(POINT{r.right - 8, (r.top + r.bottom) / 2});
    Settle();
    ASSERT_EQ(GetFocus(), height->Handle());
    TypeAndSettle("4");
    EXPECT_EQ(height->Text(), "2034") << "the click put the caret after the text";
}

TEST_F(EditSelection, AMemoKeepsItsCaretWhenTabbedInto) {
    auto* memo = new TMemo(form);
    memo->SetBounds(160, 10, 120, 60);
    memo->SetText("notes");
    memo->SetParent(form);
    ShowForm();
    height->SetFocus();
    Press(VK_TAB);
    TypeAndSettle("x");
    ASSERT_EQ(GetFocus(), memo->Handle());
    EXPECT_EQ(memo->Text().size(), 6u) << "the memo's text was replaced: " << memo->Text();
}

}  // namespace
