// Cool bars: bands known by their texts, moved and laid out again, and the
// bar's height following its rows.
#include <gtest/gtest.h>

#include "CoolBar.h"
#include "Forms.h"
#include "TestSupport.h"

using namespace forms;

namespace {

class CoolBars : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(100, 100, 500, 300);
        bar = new TCoolBar(form);
        bar->SetBounds(0, 0, 480, 30);
        bar->SetAlign(alTop);
        bar->SetParent(form);
        for (const char* text : {"0", "1", "2"}) {
            auto* panel = new TPanel(form);
            panel->SetBounds(0, 0, 80, 22);
            bar->AddBand({text, panel, 150, false, 22});
        }
        client = new TPanel(form);
        client->SetAlign(alClient);
        client->SetParent(form);
        form->Show();
        testsupport::PumpFor(50);
    }
    void TearDown() override { Free(form); }

    std::string Order() const {
        std::string s;
        for (int i = 0; i < bar->BandCount(); ++i) s += bar->Band(i).Text;
        return s;
    }

    TForm* form = nullptr;
    TCoolBar* bar = nullptr;
    TPanel* client = nullptr;
};

TEST_F(CoolBars, BandsAreFoundByTextAndMovedAround) {
    EXPECT_EQ(Order(), "012");
    bar->MoveBand(0, 2);
    EXPECT_EQ(Order(), "120");
    EXPECT_EQ(bar->FindBand("0"), 2);
    EXPECT_EQ(bar->FindBand("1"), 0);
    EXPECT_EQ(bar->FindBand("9"), -1);
    EXPECT_NE(bar->Band(bar->FindBand("2")).Control, nullptr) << "a band keeps its control";
}

TEST_F(CoolBars, LayoutIsRestoredAndTheHeightFollowsTheRows) {
    const int oneRow = bar->Height();
    bar->SetBandLayout(1, 200, true);
    bar->SetBandLayout(2, 120, true);
    EXPECT_TRUE(bar->Band(1).Break);
    EXPECT_TRUE(bar->Band(2).Break);
    EXPECT_FALSE(bar->Band(0).Break);
    EXPECT_GE(bar->Height(), oneRow * 2) << "three rows are higher than one";
    EXPECT_EQ(client->Top(), bar->Height()) << "what is below moves down with the bar";

    bar->SetBandLayout(1, 200, false);
    bar->SetBandLayout(2, 120, false);
    EXPECT_EQ(bar->Height(), oneRow);
    EXPECT_EQ(client->Top(), oneRow);
}

TEST_F(CoolBars, TheBarTakesTheFocusButNotByTab) {
    auto* edit = new TEdit(form);
    edit->SetBounds(10, 60, 80, 22);
    edit->SetParent(client);
    auto* other = new TEdit(form);
    other->SetBounds(10, 90, 80, 22);
    other->SetParent(client);
    bar->SetFocus();
    EXPECT_EQ(GetFocus(), bar->Handle()) << "the bar has the focus when given it";
    edit->SetFocus();
    form->SelectNext(true);
    EXPECT_EQ(GetFocus(), other->Handle());
    form->SelectNext(true);
    EXPECT_EQ(GetFocus(), edit->Handle()) << "Tab goes round the edits and never stops on the bar";
}

}  // namespace
