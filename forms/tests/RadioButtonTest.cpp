// Radio buttons: one checked at most among those of a parent, by the
// user's clicks and keys or by the program, the click and double-click
// events, the described state and the tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormFixture.h"
#include "GroupBox.h"

using namespace forms;
using namespace testsupport;

namespace {

// Three choices in a group box, two more on the form itself.
class TfrmChoices : public TForm {
public:
    TGroupBox* grpSize = nullptr;
    TRadioButton* optSmall = nullptr;
    TRadioButton* optMedium = nullptr;
    TRadioButton* optLarge = nullptr;
    TRadioButton* optColour = nullptr;
    TRadioButton* optGrey = nullptr;
    std::vector<std::string> Events;

    explicit TfrmChoices(TComponent* AOwner) : TForm(AOwner) {
        Describe({.Name = "frmChoices", .Caption = "Choices", .Left = 200, .Top = 200, .ClientWidth = 300,
                  .ClientHeight = 160});
        Add(grpSize, {.Name = "grpSize", .Left = 10, .Top = 10, .Width = 140, .Height = 110, .Caption = "Size"});
        Add(optSmall, Choice("optSmall", grpSize, 20, "&Small", false));
        Add(optMedium, Choice("optMedium", grpSize, 45, "&Medium", true));
        Add(optLarge, Choice("optLarge", grpSize, 70, "&Large", false));
        Add(optColour, Choice("optColour", nullptr, 20, "&Colour", true));
        Add(optGrey, Choice("optGrey", nullptr, 45, "&Grey", false));
        optColour->SetBounds(170, 20, 100, 17);
        optGrey->SetBounds(170, 45, 100, 17);
        EndDescription();
    }

    ControlDesc Choice(const char* Name, TWinControl* Parent, int Top, const char* Caption, bool Checked) {
        const std::string name = Name;
        return {.Name = Name, .Parent = Parent, .Left = 10, .Top = Top, .Width = 100, .Height = 17,
                .Caption = Caption, .Checked = Checked,
                .OnClick = [this, name](TComponent*) { Events.push_back("click " + name); },
                .OnDblClick = [this, name](TComponent*) { Events.push_back("double " + name); }};
    }

    // The check marks the windows show, in the order of the table.
    std::string Marks() const {
        std::string marks;
        for (const TRadioButton* b : {optSmall, optMedium, optLarge, optColour, optGrey})
            marks += SendMessageA(b->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? '*' : '.';
        return marks;
    }
    std::string Checks() const {
        std::string checks;
        for (const TRadioButton* b : {optSmall, optMedium, optLarge, optColour, optGrey})
            checks += b->Checked() ? '*' : '.';
        return checks;
    }
};

class RadioButtons : public FormFixture<TfrmChoices> {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ShowInFront();
    }
};

TEST_F(RadioButtons, TheDescribedChecksShowWithoutAClick) {
    EXPECT_EQ(frm->Marks(), ".*.*.");
    EXPECT_EQ(frm->Checks(), ".*.*.");
    EXPECT_TRUE(frm->Events.empty()) << "first event: " << frm->Events.front();
}

TEST_F(RadioButtons, AClickChecksTheButtonAndUnchecksOnlyItsSiblings) {
    ClickOn(frm->optLarge->Handle());
    SettleInput();
    EXPECT_EQ(frm->Marks(), "..**.") << "the buttons on the form keep their check";
    EXPECT_EQ(frm->Checks(), "..**.");
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optLarge"}));
    EXPECT_EQ(GetFocus(), frm->optLarge->Handle()) << "the clicked button takes the focus";

    ClickOn(frm->optGrey->Handle());
    SettleInput();
    EXPECT_EQ(frm->Marks(), "..*.*");

    frm->Events.clear();
    PumpFor(static_cast<int>(GetDoubleClickTime()) + 100);  // a click of its own, no double click
    ClickOn(frm->optGrey->Handle());
    SettleInput();
    EXPECT_EQ(frm->Marks(), "..*.*") << "a click on the checked button keeps it checked";
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optGrey"}));
}

TEST_F(RadioButtons, SpaceAndTheUnderlinedLetterCheckAndTabMovesOn) {
    frm->optSmall->SetFocus();
    Press(VK_SPACE);
    SettleInput();
    EXPECT_EQ(frm->Marks(), "*..*.");
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optSmall"}));
    Press(VK_TAB);
    SettleInput();
    EXPECT_EQ(GetFocus(), frm->optColour->Handle()) << "a radio group is one tab stop";
    EXPECT_EQ(frm->Marks(), "*..*.") << "the focus alone checks nothing";

    PressAlt('L');
    SettleInput();
    EXPECT_EQ(frm->Marks(), "..**.") << "Alt and the underlined letter click the button";
    EXPECT_EQ(GetFocus(), frm->optLarge->Handle());
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optSmall", "click optLarge"}));
}

TEST_F(RadioButtons, TheProgramsCheckUnchecksTheSiblingsAndClicksOnlyOnAChange) {
    frm->optSmall->SetChecked(true);
    EXPECT_EQ(frm->Marks(), "*..*.");
    EXPECT_EQ(frm->Checks(), "*..*.");
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optSmall"}));
    frm->optSmall->SetChecked(true);
    EXPECT_EQ(frm->Events.size(), 1u) << "no change, no click";
    frm->optSmall->SetChecked(false);
    EXPECT_EQ(frm->Marks(), "...*.");
    EXPECT_EQ(frm->Events.size(), 1u) << "unchecking is no click";
}

TEST_F(RadioButtons, ADoubleClickIsReportedOnce) {
    const POINT centre = CentreOf(frm->optGrey->Handle());
    ToFront();
    MouseTo(centre);
    INPUT in[4] = {};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(4, in, sizeof in[0]);
    SettleInput();
    EXPECT_EQ(frm->Events, (std::vector<std::string>{"click optGrey", "double optGrey"}));
    EXPECT_EQ(frm->Marks(), ".*..*");
}

}  // namespace
