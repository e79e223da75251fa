// The stored layout of the two cool bars: read into real bars and written
// back, bars shown by their option bits, and where a band goes when it is
// switched on.
#include <gtest/gtest.h>

#include "BarLayout.h"
#include "Forms.h"
#include "TestSupport.h"

using namespace forms;

namespace {

// The layout a first start stores.
const std::string kDefault("\x02\x00\x00\x00\x00\x00\x00\x00\x00"
                           "\x00\x01\x04\x2C\x01\x00\x00\x60\x02\x01\x05\x2A"
                           "\x00\x01\x01\x4C\x01\x00\x01\x2F\x02\x00\x01\x23",
                           33);

class BarLayout : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        // Tall enough for the drawing bar's bands in one row, as on a screen
        // of 1024 x 768.
        form->SetBounds(0, 0, 1000, 740);
        main = MakeBar(alTop, false);
        drawing = MakeBar(alRight, true);
        form->Show();
        testsupport::PumpFor(50);
    }
    void TearDown() override { Free(form); }

    TCoolBar* MakeBar(TAlign Align, bool Vertical) {
        auto* bar = new TCoolBar(form);
        bar->Vertical = Vertical;
        bar->ShowText = false;
        bar->SetBounds(0, 0, Vertical ? 96 : 880, Vertical ? 500 : 30);
        bar->SetAlign(Align);
        bar->SetParent(form);
        for (const char* text : {"0", "1", "2"}) {
            auto* panel = new TPanel(form);
            panel->SetBounds(0, 0, 80, Vertical ? 80 : 22);
            bar->AddBand({.Text = text, .Control = panel, .Width = 100, .Visible = false});
        }
        return bar;
    }

    static std::string Order(const TCoolBar& Bar) {
        std::string s;
        for (int i = 0; i < Bar.BandCount(); ++i) s += Bar.Band(i).Text + (Bar.Band(i).Break ? "|" : "");
        return s;
    }
    void Restore(const std::string& Position, int Options) {
        RestoreBandLayout(*main, MainBands, Position, Options);
        RestoreBandLayout(*drawing, DrawingBands, Position, Options);
    }
    std::string Saved(std::string Position) const {
        SaveBandLayout(*main, MainBands, Position);
        SaveBandLayout(*drawing, DrawingBands, Position);
        return Position;
    }

    TForm* form = nullptr;
    TCoolBar* main = nullptr;
    TCoolBar* drawing = nullptr;
};

TEST_F(BarLayout, TheStoredLayoutIsRestoredExactlyAndWrittenBackUnchanged) {
    Restore(kDefault, 0x3F);
    EXPECT_EQ(Order(*main), "0|12|");
    EXPECT_EQ(Order(*drawing), "0|12");
    EXPECT_EQ(main->Band(0).Width, 444);
    EXPECT_EQ(main->Band(2).Width, 542);
    EXPECT_EQ(drawing->Band(1).Width, 147);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(main->Band(i).Visible && drawing->Band(i).Visible) << i;
    EXPECT_EQ(Saved(std::string(33, '\0')).substr(9), kDefault.substr(9));

    // Bands stored in another order, with other rows and widths.
    std::string moved = kDefault;
    const unsigned char mainBands[] = {2, 0, 1, 50, 0, 1, 1, 20, 1, 1, 3, 0};
    const unsigned char drawingBands[] = {1, 0, 1, 60, 2, 0, 1, 40, 0, 1, 1, 76};
    moved.replace(9, 12, reinterpret_cast<const char*>(mainBands), 12);
    moved.replace(21, 12, reinterpret_cast<const char*>(drawingBands), 12);
    Restore(moved, 0x3F);
    EXPECT_EQ(Order(*main), "1|2|0");
    EXPECT_EQ(Order(*drawing), "2|01");
    EXPECT_EQ(main->Band(2).Width, 150) << "the width of band \"0\", 1 x 100 + 50";
    EXPECT_EQ(Saved(kDefault), moved);
}

TEST_F(BarLayout, BandsShowByTheirBitsAndABarWithoutBandsHides) {
    Restore(kDefault, 0x3F);
    UpdateBandVisibility(*main, MainBands, 0x38);
    EXPECT_FALSE(main->Visible()) << "no band of the main bar is on";
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(main->Band(i).Visible);
    UpdateBandVisibility(*main, MainBands, 0x02);
    EXPECT_TRUE(main->Visible());
    EXPECT_TRUE(main->Band(FindBand(*main, 1)).Visible);
    EXPECT_FALSE(main->Band(FindBand(*main, 0)).Visible);
    UpdateBandVisibility(*drawing, DrawingBands, 0x10);
    EXPECT_TRUE(drawing->Band(FindBand(*drawing, 1)).Visible);
    EXPECT_FALSE(drawing->Band(FindBand(*drawing, 2)).Visible);
}

TEST_F(BarLayout, ABandSwitchedOnTakesItsPlace) {
    Restore(kDefault, 0x3F & ~0x01 & ~0x20);
    // The main bar: last, on a row of its own.
    PlaceSwitchedOnBand(*main, MainBands, 0);
    EXPECT_EQ(Order(*main), "12|0|");
    // A band that already shows stays where it is.
    PlaceSwitchedOnBand(*main, MainBands, 1);
    EXPECT_EQ(Order(*main), "12|0|");

    // The drawing bar: first, starting the one row, at its own width.
    PlaceSwitchedOnBand(*drawing, DrawingBands, 2);
    EXPECT_EQ(Order(*drawing), "2|01");
    EXPECT_EQ(drawing->Band(0).Width, 135);

    // A band dragged to a row of its own comes back.
    drawing->SetBandLayout(1, drawing->Band(1).Width, true);
    drawing->SetBandLayout(0, drawing->Band(0).Width, false);
    KeepOneRow(*drawing);
    EXPECT_EQ(Order(*drawing), "2|01");
}

TEST_F(BarLayout, BandsAreFoundByTheirTextsTheLastMatchWinning) {
    EXPECT_EQ(FindBand(*main, 1), 1);
    EXPECT_EQ(FindBand(*main, 3), -1);
    auto* extra = new TPanel(form);
    extra->SetBounds(0, 0, 40, 22);
    main->AddBand({.Text = "1", .Control = extra});
    EXPECT_EQ(FindBand(*main, 1), 3);
}

}  // namespace
