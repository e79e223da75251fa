// Lists whose items do not fit: a vertical scroll bar shows, and the wheel
// and its arrow scroll the items; a list whose items fit has none.
#include <gtest/gtest.h>

#include "ListBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

constexpr int ItemHeight = 16;
constexpr int Rows = 8;  // the items the list shows at once

class ScrollingLists : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 300, 250);
        list = new TListBox(form);
        list->ItemHeight = ItemHeight;
        list->SetBounds(20, 20, 160, Rows * ItemHeight + 2);  // the border's two pixels
        list->SetParent(form);
        form->Show();
        ToFront();
        SettleInput();
    }
    void TearDown() override { Free(form); }

    void Fill(int Count) {
        std::vector<std::string> items;
        for (int i = 0; i < Count; ++i) items.push_back("item " + std::to_string(i));
        list->SetItems(items);
        SettleInput();
    }
    int TopIndex() const { return static_cast<int>(SendMessageA(list->Handle(), LB_GETTOPINDEX, 0, 0)); }
    // The list's vertical scroll bar on the screen, when it shows.
    bool ScrollBar(RECT& Bar) const {
        SCROLLBARINFO info = {};
        info.cbSize = sizeof info;
        if (!GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info)) return false;
        Bar = info.rcScrollBar;
        return !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) && Bar.right > Bar.left;
    }

    TForm* form = nullptr;
    TListBox* list = nullptr;
};

TEST_F(ScrollingLists, ItemsThatFitShowNoScrollBar) {
    Fill(Rows);
    RECT bar;
    EXPECT_FALSE(ScrollBar(bar)) << "a scroll bar shows beside " << Rows << " items that fit";
    EXPECT_EQ(list->ClientWidth(), list->Width() - 2) << "the items take the list's whole width";
}

TEST_F(ScrollingLists, TheWheelAndTheArrowScrollItemsThatDoNotFit) {
    Fill(20);
    RECT bar;
    ASSERT_TRUE(ScrollBar(bar)) << "20 items in a list of " << Rows << " rows show no scroll bar";
    RECT client;
    GetClientRect(list->Handle(), &client);
    MapWindowPoints(list->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_LE(client.right, bar.left) << "the scroll bar lies over the items";

    // A click chooses an item and gives the list the keyboard; the wheel
    // turned towards the user then scrolls the items up.
    ClickAt(POINT{client.left + 30, client.top + ItemHeight / 2});
    SettleInput();
    ASSERT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(TopIndex(), 0);
    INPUT wheel = {INPUT_MOUSE};
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    SendInput(1, &wheel, sizeof wheel);
    EXPECT_TRUE(PumpUntil([this] { return TopIndex() > 0; })) << "the wheel left the first item at the top";
    const int afterWheel = TopIndex();
    EXPECT_EQ(list->ItemIndex(), 0) << "the wheel changes the view, not the choice";

    // Each click on the arrow at the bar's foot scrolls one item further.
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    ClickAt(POINT{(bar.left + bar.right) / 2, bar.bottom - arrow / 2});
    EXPECT_TRUE(PumpUntil([&] { return TopIndex() == afterWheel + 1; }))
        << "the down arrow: top item " << TopIndex() << ", expected " << afterWheel + 1;

    // The top arrow brings the first item back.
    for (int i = TopIndex(); i > 0; --i) ClickAt(POINT{(bar.left + bar.right) / 2, bar.top + arrow / 2});
    EXPECT_TRUE(PumpUntil([this] { return TopIndex() == 0; })) << "the up arrow: top item " << TopIndex();
}

}  // namespace
