// Owner-drawn drop-down lists: items drawn by their owner at the chosen
// height, the user's choice reported, the program's not.
#include <gtest/gtest.h>

#include <set>

#include "ComboBox.h"
#include "Forms.h"
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
    cbo->OnDrawItem = [&](TComboBox*, TCanvas&, int index, const RECT& r, bool) {
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

}  // namespace
