// The reduced colour dialog that displays below high colour get: its 16
// colours and their keyboard grid, its number fields, the caller's colour
// returned as it came, the stored choice left as it was, and its captions
// and numbers shown whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Color2.h"
#include "ColorDialogView.h"
#include "LayoutCheck.h"
#include "ShowColor.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using namespace dialogsteps;
using namespace colorview;

namespace {

constexpr const char* kUse = "Probe2";

class ReducedColorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        ForgetFlags(Name());
    }
    void TearDown() override { ForgetFlags(Name()); }
    // The program tag is empty: the library was not started in this test.
    static std::string Name() { return ValueName("", kUse); }

    TColor Run(TColor Color, const std::vector<Step>& Steps) {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        zvcom::ShowColorDialog(kUse, Color, 3);
        return Color;
    }
    static TfrmColor2* Form() { return Active<TfrmColor2>(); }
    static HWND Dialog() { return GetActiveWindow(); }
};

TEST_F(ReducedColorDialog, ItIsTheOnePageDialogOfSixteenColours) {
    RECT client = {};
    int buttons = 0;
    bool list = true;
    std::string page;
    const TColor got = Run(0xFFFFFF, {[&] {
                                          ASSERT_NE(Form(), nullptr) << "the reduced dialog for colour class 3";
                                          GetClientRect(Dialog(), &client);
                                          buttons = static_cast<int>(SendMessageA(
                                              OfClass(Dialog(), TOOLBARCLASSNAMEA), TB_BUTTONCOUNT, 0, 0));
                                          list = OfClass(Dialog(), "ComboBox") != nullptr;
                                          page = Form()->pgcMain->ActivePage()->Caption();
                                          dialogsteps::ClickAndSettle(CellPoint(Dialog(), 15));  // "Gray-25%"
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(client.right, 341) << "wide enough for the number fields";
    EXPECT_EQ(client.bottom, 238);
    EXPECT_EQ(buttons, 16);
    EXPECT_FALSE(list) << "no system colour list";
    EXPECT_EQ(page, "Standard");
    EXPECT_EQ(got, 0xC0C0C0) << "this dialog's Gray-25%";
}

TEST_F(ReducedColorDialog, TheGridKeysMoveThePointerOverTwoRows) {
    const std::vector<TGridMove> moves = {
        {1, VK_UP, 8},     // Dark Red to White: the second row, one column to the left
        {9, VK_DOWN, 2},   // Red to Dark Yellow: the first row, one column to the right
        {0, VK_UP, 0},     // Black stays
        {15, VK_DOWN, 15}, // Gray-25% stays
        {12, VK_UP, 4},    {3, VK_DOWN, 11}, {5, VK_END, 15}, {5, VK_HOME, 0},
        {7, VK_RIGHT, 8},  {8, VK_LEFT, 7},
    };
    std::vector<std::string> wrong;
    const TColor got = Run(0xFFFFFF, {[&] {
                                          wrong = WrongMoves(Dialog(), moves);
                                          Press(VK_SPACE);  // on Gray-50%, where Left led
                                          Settle();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
    EXPECT_EQ(got, 0x808080) << "Space on cell 8";
}

TEST_F(ReducedColorDialog, TheNumberFieldsMakeTheColour) {
    std::string red;
    const TColor got = Run(0x0000FF, {[] { PressAlt('H'); },
                                      [&] {
                                          TypeOver("120");
                                          red = Form()->txtCustom21->Text();
                                          Press(VK_RETURN);
                                      }});
    EXPECT_EQ(red, "0");
    EXPECT_EQ(got, 0x00FF00) << "hue 120 is green";
}

TEST_F(ReducedColorDialog, AnArrowStepAfterTheOtherRowCountsAndAnEmptiedFieldTakesNewDigits) {
    TFieldWork seen;
    Run(0x0000FF, WorkTheNumberFields(seen));
    ExpectTheFieldWorkCounts(seen);
}

TEST_F(ReducedColorDialog, ConfirmingWithoutAChangeGivesTheCallersOwnValue) {
    const TColor window = static_cast<TColor>(0x80000000u | COLOR_WINDOW);
    COLORREF current = 0;
    const TColor got = Run(window, {[&] {
                                        current = CurrentShown(Dialog());
                                        Press(VK_RETURN);
                                    }});
    EXPECT_EQ(current, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(got, window);
}

TEST_F(ReducedColorDialog, TheStoredChoiceStaysAsItWas) {
    StoreFlags(Name(), 7);
    Run(0xFFFFFF, {[] { dialogsteps::ClickAndSettle(CellPoint(Dialog(), 9)); }, [] { Press(VK_RETURN); }});
    EXPECT_EQ(StoredFlags(Name()), 7);
    ForgetFlags(Name());
    Run(0xFFFFFF, {[] { Press(VK_ESCAPE); }});
    EXPECT_EQ(StoredFlags(Name()), 3) << "none stored gives 3";
}

TEST_F(ReducedColorDialog, ItShowsEveryCaptionAndNumberWhole) {
    std::vector<std::string> problems;
    Run(0xFFFFFF, {[&] {
        layoutcheck::LayoutCheck check("Colors (reduced)");
        check.CheckDialog(Dialog());
        problems = check.Problems;
        Press(VK_ESCAPE);
    }});
    std::string all;
    for (const std::string& p : problems) all += "\n  " + p;
    EXPECT_TRUE(problems.empty()) << "expected every caption and number whole, found:" << all;
}

}  // namespace
