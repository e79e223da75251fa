// Check lists: a check box on every item, toggled by a click on the box or
// by the space bar, and checks that stay with their items in a sorted list.
#include <gtest/gtest.h>

#include "CheckListBox.h"
#include "Forms.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

constexpr int ItemHeight = 18;

class CheckLists : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 300, 250);
        list = new TCheckListBox(form);
        list->Sorted = true;
        list->ItemHeight = ItemHeight;
        list->SetBounds(20, 20, 160, 120);  // room below the items
        list->SetItems({"b 2", "c 3", "a 10"});
        list->OnDrawItem = [this](TWinControl*, TCanvas&, int, const RECT& r, UINT) { textLeft = r.left; };
        list->OnClick = [this](TComponent*) { ++clicks; };
        list->OnClickCheck = [this](TComponent*) { ++checkClicks; };
        list->SetParent(form);
        form->Show();
        ASSERT_TRUE(PumpUntil([this] { return textLeft >= 0; })) << "no item was drawn";
    }
    void TearDown() override { Free(form); }

    // The text the system's list shows at Index.
    std::string Shown(int Index) const {
        char text[64] = {};
        SendMessageA(list->Handle(), LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::string Checks() const {
        std::string s;
        for (int i = 0; i < static_cast<int>(list->Items().size()); ++i) s += list->Checked(i) ? 'x' : '-';
        return s;
    }

    // A left click at a point of the list's client area.
    void ClickAt(int X, int Y) const {
        POINT p = {X, Y};
        ClientToScreen(list->Handle(), &p);
        testsupport::ClickAt(p);
    }
    static int Middle(int Index) { return Index * ItemHeight + ItemHeight / 2; }

    // The pixels of the check mark's colour left of the item's text, as the
    // list draws item Index.
    int MarkPixels(int Index) const {
        TBitmap bmp;
        bmp.SetSize(list->ClientWidth(), list->ClientHeight());
        SendMessageA(list->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), PRF_CLIENT);
        int n = 0;
        for (int y = Index * ItemHeight; y < (Index + 1) * ItemHeight; ++y)
            for (int x = 0; x < textLeft; ++x)
                if (bmp.Canvas().Pixel(x, y) == static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT))) ++n;
        return n;
    }

    TForm* form = nullptr;
    TCheckListBox* list = nullptr;
    int textLeft = -1;
    int clicks = 0;
    int checkClicks = 0;
};

TEST_F(CheckLists, SortedItemsAreReportedInTheListsOrderAndKeepTheirChecks) {
    EXPECT_EQ(list->Items(), (std::vector<std::string>{"a 10", "b 2", "c 3"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Shown(i), list->Items()[static_cast<size_t>(i)]) << "item " << i;

    list->SetChecked(1, true);  // "b 2"
    EXPECT_EQ(Checks(), "-x-");
    EXPECT_EQ(list->Add("0 first"), 0);
    EXPECT_EQ(list->Items(), (std::vector<std::string>{"0 first", "a 10", "b 2", "c 3"}));
    EXPECT_EQ(Checks(), "--x-") << "the check stays with \"b 2\"";
    EXPECT_EQ(list->Add("b 10"), 2);
    EXPECT_EQ(Checks(), "---x-");
    EXPECT_EQ(checkClicks, 0) << "a check of the program is not the user's";

    list->SetItems({"z", "y"});
    EXPECT_EQ(list->Items(), (std::vector<std::string>{"y", "z"}));
    EXPECT_EQ(Checks(), "--") << "new items come unchecked";
    EXPECT_THROW(list->SetChecked(2, true), Exception);
}

TEST_F(CheckLists, TheBoxIsDrawnLeftOfTheOwnersPartCheckedOrNot) {
    EXPECT_GE(textLeft, 13) << "the owner's rectangle leaves room for the box";
    EXPECT_EQ(MarkPixels(0), 0) << "an unchecked box has no mark";
    list->SetChecked(0, true);
    EXPECT_GT(MarkPixels(0), 5) << "a checked box has its mark";
    EXPECT_EQ(MarkPixels(1), 0);
}

TEST_F(CheckLists, AClickOnTheBoxOrTheSpaceBarTogglesTheCheck) {
    ClickAt(textLeft / 2, Middle(1));
    EXPECT_TRUE(PumpUntil([this] { return checkClicks == 1; })) << checkClicks << " check clicks";
    EXPECT_EQ(Checks(), "-x-");
    EXPECT_EQ(list->ItemIndex(), 1) << "the click on the box chooses the item as well";
    EXPECT_GT(MarkPixels(1), 5) << "the box shows the check";

    // A second click soon after is a double click: it toggles once more.
    ClickAt(textLeft / 2, Middle(1));
    EXPECT_TRUE(PumpUntil([this] { return checkClicks == 2; })) << checkClicks << " check clicks";
    EXPECT_EQ(Checks(), "---");
    EXPECT_EQ(MarkPixels(1), 0);

    const int before = clicks;
    ClickAt(textLeft + 40, Middle(2));
    EXPECT_TRUE(PumpUntil([&] { return clicks > before; })) << "the click on the text did not choose the item";
    EXPECT_EQ(list->ItemIndex(), 2);
    ClickAt(textLeft / 2, 5 * ItemHeight);  // below the last item
    PumpFor(300);
    EXPECT_EQ(checkClicks, 2) << "a click on the text or below the items toggles nothing";
    EXPECT_EQ(Checks(), "---");

    Press(VK_SPACE);
    EXPECT_TRUE(PumpUntil([this] { return checkClicks == 3; })) << checkClicks << " check clicks";
    EXPECT_EQ(Checks(), "--x");
    Press(VK_SPACE);
    EXPECT_TRUE(PumpUntil([this] { return checkClicks == 4; })) << checkClicks << " check clicks";
    EXPECT_EQ(Checks(), "---");
    EXPECT_EQ(list->ItemIndex(), 2) << "the space bar leaves the choice";
}

}  // namespace
