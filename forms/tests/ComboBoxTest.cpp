// Owner-drawn drop-down lists: items drawn by their owner at the chosen
// height, the user's choice reported, the program's not.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ComboBox.h"
#include "Forms.h"
#include "ListBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;

namespace {

TEST(ComboBoxes, OwnerDrawsTheItemsAndTheUsersChoiceIsReported) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 200);
    auto* cbo = new TComboBox(form);
    cbo->ItemHeight = 18;
    cbo->DropDownCount = 5;
    cbo->SetBounds(20, 20, 120, 24);
    cbo->SetItems({"100%", "200%", "400%", "600%", "800%"});
    std::set<int> drawn;
    int changes = 0;
    cbo->OnDrawItem = [&](TWinControl*, TCanvas&, int index, const RECT& r, UINT) {
        drawn.insert(index);
        EXPECT_EQ(r.bottom - r.top, 18) << "item " << index << " at the chosen height";
    };
    cbo->OnChange = [&](TComponent*) { ++changes; };
    cbo->SetParent(form);
    cbo->SetItemIndex(2);
    form->Show();
    cbo->SetFocus();
    PumpFor(100);
    EXPECT_EQ(cbo->ItemIndex(), 2);
    EXPECT_EQ(changes, 0) << "a choice of the program is not the user's";
    EXPECT_EQ(SendMessageA(cbo->Handle(), CB_GETITEMHEIGHT, 0, 0), 18);

    Press(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; })) << "the user's choice was not reported";
    EXPECT_EQ(cbo->ItemIndex(), 3);

    drawn.clear();
    Press(VK_F4);  // opens the list
    EXPECT_TRUE(PumpUntil([&] { return cbo->DroppedDown() && drawn.size() >= 5; }))
        << "the open list drew " << drawn.size() << " items";
    Press(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !cbo->DroppedDown(); }));
    Free(form);
}

TEST(ListBoxes, ItemsAreDrawnByTheOwnerAndClicksAndDoubleClicksReported) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 250);
    auto* list = new TListBox(form);
    list->ItemHeight = 26;
    list->SetBounds(20, 20, 120, 90);
    list->SetItems({"8", "16", "24"});
    std::set<int> drawn;
    int clicks = 0, doubles = 0;
    list->OnDrawItem = [&](TWinControl*, TCanvas&, int index, const RECT& r, UINT) {
        drawn.insert(index);
        EXPECT_EQ(r.bottom - r.top, 26);
    };
    list->OnClick = [&](TComponent*) { ++clicks; };
    list->OnDblClick = [&](TComponent*) { ++doubles; };
    list->SetItemIndex(0);
    list->SetParent(form);
    form->Show();
    EXPECT_TRUE(PumpUntil([&] { return drawn.size() == 3; })) << drawn.size() << " items drawn";
    EXPECT_EQ(clicks, 0) << "a choice of the program is not the user's";

    RECT r;
    GetWindowRect(list->Handle(), &r);
    const POINT third = {r.left + 30, r.top + 2 * 26 + 13};
    ClickOn(list->Handle());  // the second item, in the middle
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(list->ItemIndex(), 1);
    ToFront();
    MouseTo(third);
    INPUT in[4] = {};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(4, in, sizeof in[0]);
    EXPECT_TRUE(PumpUntil([&] { return doubles == 1; })) << "the double click was not reported";
    EXPECT_EQ(list->ItemIndex(), 2);
    Free(form);
}

// What the system's list shows, one item after the other.
std::vector<std::string> Shown(const TListBox* List) {
    std::vector<std::string> shown;
    const int count = static_cast<int>(SendMessageA(List->Handle(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        SendMessageA(List->Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        shown.push_back(text);
    }
    return shown;
}

TEST(ListBoxes, ASortedListPlacesAddedItemsAndDeletesThemWithTheirChoice) {
    auto* form = new TForm(Application);
    form->SetBounds(150, 150, 300, 250);
    auto* list = new TListBox(form);
    list->Sorted = true;
    list->SetBounds(20, 20, 120, 90);
    list->SetParent(form);
    form->Show();
    for (const char* item : {"pear", "Apple", "fig"}) list->Add(item);
    EXPECT_EQ(list->Add("banana"), 1) << "a sorted list places the item alphabetically, case aside";
    const std::vector<std::string> sorted = {"Apple", "banana", "fig", "pear"};
    EXPECT_EQ(list->Items(), sorted);
    EXPECT_EQ(Shown(list), sorted);

    list->SetItemIndex(2);
    list->Delete(0);
    EXPECT_EQ(list->ItemIndex(), 1) << "the chosen item stays chosen when one before it goes";
    list->Delete(1);
    EXPECT_EQ(list->ItemIndex(), -1) << "the chosen item went: none is chosen";
    list->Delete(5);
    const std::vector<std::string> left = {"banana", "pear"};
    EXPECT_EQ(list->Items(), left);
    EXPECT_EQ(Shown(list), left);
    Free(form);
}

}  // namespace
