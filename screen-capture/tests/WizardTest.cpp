// The Capture Wizard driven as a user drives it: pages turned with its
// buttons, choices made with the keys, the questions answered; what it
// hands back is compared byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Autosizer.h"
#include "CaptureSettings.h"
#include "CodedHex.h"
#include "DialogSteps.h"
#include "ShownPicture.h"
#include "TestSupport.h"
#include "Wizard.h"
#include "ZvScreen.h"

using namespace forms;
using namespace testsupport;
using namespace dialogsteps;
using namespace codedhex;

namespace {

TCaptureSettings DefaultSettings() {
    TCaptureSettings s = {};
    ZvDefaultCapture(cpWhen, s.When);
    ZvDefaultCapture(cpWhat, s.What);
    ZvDefaultCapture(cpThen, s.Then);
    ZvDefaultCapture(cpOptions, s.Options);
    return s;
}

TfrmWizard* Form() { return Active<TfrmWizard>(); }

// Chooses item Index of a closed list with the keys.
void Choose(TComboBox* List, int Index) {
    List->SetFocus();
    Press(VK_HOME);
    for (int i = 0; i < Index; ++i) Press(VK_DOWN);
    Settle();
}

void Click(TButton* Button) {
    ClickOn(Button->Handle());
    Settle();
}

// The page shown, by its panel.
int ShownPage() {
    TfrmWizard* f = Form();
    if (!f) return -1;
    TPanel* const pages[] = {f->panArea0, f->panArea1, f->panArea2, f->panArea3, f->panArea4, f->panArea5};
    for (int i = 0; i < 6; ++i)
        if (pages[i]->Visible()) return i;
    return -1;
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    bool Run(TCaptureSettings& Settings, BYTE& Flag, const std::vector<Step>& Steps) {
        Schedule(owner, Steps);
        return ZvShowWizard(Settings, Flag);
    }
    void AnswerBox(std::string& Texts, WORD Key = VK_RETURN) { AnswerOtherModulesBox(owner, Texts, Key); }
    TComponent owner{nullptr};
};

TEST_F(Wizard, ARepairedWhenStaysOnCancelAndPageZeroHasNoWayBack) {
    TCaptureSettings s = DefaultSettings();
    s.When = ShortString(std::string("\x01\x05\x00\x00", 4));
    BYTE flag = 0;
    std::string state;
    const bool finished = Run(s, flag, {[&] {
                                            ASSERT_NE(Form(), nullptr) << "no wizard in front";
                                            state = Form()->Caption() + " | " + Form()->lbl0Text1->Caption() + " | " +
                                                    (Form()->cmdBack->Enabled() ? "back" : "no back") + " | " +
                                                    Form()->cmdNext->Caption();
                                            Click(Form()->cmdBack);
                                            state += " | page " + std::to_string(ShownPage());
                                            Click(Form()->cmdCancel);
                                        }});
    EXPECT_EQ(state, "Capture Wizard | Capture Your Desktop Screens | no back | &Next > | page 0");
    EXPECT_FALSE(finished) << "with the flag 0 Cancel closes at once";
    EXPECT_EQ(Hex(s.When), Default(cpWhen)) << "the When of length 4 was repaired in the record";
    EXPECT_EQ(flag, 0);
}

TEST_F(Wizard, LeavingPageOneWithoutAShortcutKeyIsRefusedEitherWay) {
    TCaptureSettings s = DefaultSettings();
    BYTE flag = 0;
    std::string onward, back, pages;
    bool hotKeyFocused = false;
    Run(s, flag, {[&] {
                      Click(Form()->cmdNext);
                      pages = std::to_string(ShownPage());
                      pages += Form()->cmdBack->Enabled() ? " back" : " no back";
                      pages += GetFocus() == Form()->cbo1When->Handle() ? " list" : " elsewhere";
                      Choose(Form()->cbo1When, 2);
                      AnswerBox(onward);
                      Click(Form()->cmdNext);
                  },
                  [&] {
                      pages += " " + std::to_string(ShownPage());
                      hotKeyFocused = GetFocus() == Form()->hky12Shortcut->Handle();
                      AnswerBox(back);
                      Click(Form()->cmdBack);
                  },
                  [&] {
                      pages += " " + std::to_string(ShownPage());
                      Choose(Form()->cbo1When, 0);
                      Click(Form()->cmdBack);
                      pages += " " + std::to_string(ShownPage());
                      Press(VK_ESCAPE);
                  }});
    const std::string box = "Capture Wizard\nYou have not specify a shortcut key.\nOK\n";
    EXPECT_EQ(onward, box);
    EXPECT_EQ(back, box);
    EXPECT_TRUE(hotKeyFocused) << "the shortcut key has the focus after the message";
    EXPECT_EQ(pages, "1 back list 1 1 0");
}

TEST_F(Wizard, FinishingWritesTheChoicesOfPagesOneAndTwo) {
    TCaptureSettings s = DefaultSettings();
    s.What = ShortString(std::string("\x02\x13\x63\x14\x00\x00\x05\x00\x06\x01\x02\x03", 12));  // Left 1999
    const std::string then = Hex(s.Then), options = Hex(s.Options);
    BYTE flag = 0;
    std::string sentence, left, checkBox, next;
    const bool finished = Run(s, flag, {[&] {
                                            Click(Form()->cmdNext);
                                            Choose(Form()->cbo1When, 1);  // after a short delay
                                            Form()->txt11Seconds->SetFocus();
                                            Press(VK_END);
                                            Press(VK_BACK);
                                            Type("5");
                                            Click(Form()->cmdNext);
                                            sentence = Form()->lbl2Text2->Caption();
                                            left = Form()->txt21Left->Text();
                                            Choose(Form()->cbo2Capture, 1);  // only the active window
                                            for (int i = 0; i < 3; ++i) Click(Form()->cmdNext);
                                            checkBox = Form()->CheckBox1->Visible() ? "shown" : "hidden";
                                            next = Form()->cmdNext->Caption();
                                            Click(Form()->cmdNext);
                                        }});
    EXPECT_EQ(sentence, "Select what you would like to capture on your desktop after a short delay.");
    EXPECT_EQ(left, std::to_string(GetSystemMetrics(SM_CXSCREEN) - 2)) << "Left 1999 is shown at the screen's edge";
    EXPECT_EQ(checkBox, "hidden");
    EXPECT_EQ(next, "Capture");
    ASSERT_TRUE(finished);
    EXPECT_EQ(Hex(s.When), "01 05 00 00 00");
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    char what[64];
    std::snprintf(what, sizeof what, "01 %02X %02X %02X %02X 00 05 00 06 01 02 03", (w - 2) / 100, (w - 2) % 100,
                  (w - 1) / 100, (w - 1) % 100);
    EXPECT_EQ(Hex(s.What), what) << "the area as shown, the colour as it came (screen " << w << " x " << h << ")";
    EXPECT_EQ(Hex(s.Then), then);
    EXPECT_EQ(Hex(s.Options), options);
}

TEST_F(Wizard, AStoredChoiceOutsideTheListsSelectsTheirFirstItems) {
    TCaptureSettings s = DefaultSettings();
    s.When = ShortString(std::string("\x07\x03\x00\x00\x00", 5));
    s.What = ShortString(std::string("\x09\x00\x00\x05\x00\x00\x00\x03\x00\xFF\xFF\xFF", 12));
    BYTE flag = 0;
    int when = -2, what = -2;
    const bool finished = Run(s, flag, {[&] {
                                            when = Form()->cbo1When->ItemIndex();
                                            what = Form()->cbo2Capture->ItemIndex();
                                            for (int i = 0; i < 6; ++i) Click(Form()->cmdNext);
                                        }});
    EXPECT_EQ(when, 0);
    EXPECT_EQ(what, 0);
    ASSERT_TRUE(finished);
    EXPECT_EQ(CodedByte(s.When, 1), 0);
    EXPECT_EQ(CodedByte(s.What, 1), 0);
}

TEST_F(Wizard, WithAFlagCancelAsksFirstAndTheLastPageOffersTheStandardWindow) {
    TCaptureSettings s = DefaultSettings();
    BYTE flag = 1;
    std::string kept, quit, checkBox;
    bool stillOpen = false;
    const bool finished = Run(s, flag, {[&] {
                                            for (int i = 0; i < 5; ++i) Click(Form()->cmdNext);
                                            checkBox = Form()->CheckBox1->Visible() ? "shown" : "hidden";
                                            AnswerBox(kept, VK_ESCAPE);
                                            Press(VK_ESCAPE);
                                        },
                                        [&] {
                                            stillOpen = Form() != nullptr;
                                            AnswerBox(quit);
                                            if (Form()) Click(Form()->cmdCancel);
                                        }});
    EXPECT_EQ(checkBox, "shown");
    EXPECT_EQ(kept, "Capture Wizard\nYou have not finished capturing your desktop screens. Are you sure your want to "
                    "quit?\n&Yes\n&No\n");
    EXPECT_TRUE(stillOpen) << "No keeps the wizard";
    EXPECT_EQ(quit, kept);
    EXPECT_FALSE(finished);
    EXPECT_EQ(flag, 1);
}

TEST_F(Wizard, TheAutosizerAndTheColourDialogOpenFromPageTwo) {
    TCaptureSettings s = DefaultSettings();
    BYTE flag = 0;
    std::string autosizer, colour;
    bool nextFocused = false;
    Run(s, flag, {[&] {
                      Click(Form()->cmdNext);
                      Click(Form()->cmdNext);
                      Choose(Form()->cbo2Capture, 2);
                      ClickOn(Form()->cmd21Autosizer->Handle());
                  },
                  [&] {
                      TfrmAutosizer* a = Active<TfrmAutosizer>();
                      autosizer = a ? a->Caption() : "<none>";
                      Press(VK_ESCAPE);
                  },
                  [&] {
                      nextFocused = GetFocus() == Form()->cmdNext->Handle();
                      Choose(Form()->cbo2Capture, 3);
                      ClickOn(Form()->cmd22Color->Handle());
                  },
                  [&] {
                      HWND box = GetActiveWindow();
                      colour = box && !TForm::FromHandle(box) ? WindowTexts(box).substr(0, 6) : "<none>";
                      Press(VK_ESCAPE);
                  },
                  [&] { Click(Form()->cmdCancel); }});
    EXPECT_EQ(autosizer, "Autosizer");
    EXPECT_TRUE(nextFocused) << "Next has the focus after the autosizer";
    EXPECT_EQ(colour, "Colors") << "the colour dialog came up";
}

TEST_F(Wizard, EveryPageShowsTheWizardsPicture) {
    TCaptureSettings s = DefaultSettings();
    BYTE flag = 0;
    std::vector<std::string> shown;
    auto look = [&] { shown.push_back(shownpicture::Mismatch(Form()->imgImage->Handle(), "WIZARD")); };
    std::vector<Step> steps;
    for (int page = 0; page < 6; ++page)
        steps.push_back([&, page] {
            ASSERT_NE(Form(), nullptr);
            look();
            if (page < 5) Click(Form()->cmdNext);
            else Click(Form()->cmdCancel);
        });
    Run(s, flag, steps);
    EXPECT_EQ(shown, std::vector<std::string>(6, "")) << "one entry a page, empty where the picture shows";
}

}  // namespace
