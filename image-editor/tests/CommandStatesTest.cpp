// Which bar commands can run, for no screen, a screen, and a screen with a
// floating selection; the Properties rule and the option list of each tool.
#include <gtest/gtest.h>

#include "CommandStates.h"

namespace {

TEST(CommandStates, FollowTheScreensAndTheLimit) {
    const TCommandStates none = CommandStatesFor(0, 8, {}, false);
    EXPECT_TRUE(none.New && none.Open);
    EXPECT_FALSE(none.Save || none.Cut || none.Copy || none.Undo || none.Redo || none.Crop || none.Rotate ||
                 none.Resize || none.Brightness || none.PreviousScreen);

    TScreenFacts screen;
    screen.Active = true;
    screen.CanUndo = true;
    const TCommandStates one = CommandStatesFor(1, 8, screen, true);
    EXPECT_TRUE(one.Save && one.Undo && one.Rotate && one.Resize && one.Brightness && one.PreviousScreen);
    EXPECT_FALSE(one.Cut || one.Copy || one.Crop || one.Redo) << "nothing is selected";

    screen.Floating = true;
    const TCommandStates selected = CommandStatesFor(1, 8, screen, false);
    EXPECT_TRUE(selected.Cut && selected.Copy && selected.Crop);
    screen.FloatCoversPicture = true;
    EXPECT_FALSE(CommandStatesFor(1, 8, screen, false).Crop) << "cropping to the whole picture changes nothing";
    EXPECT_TRUE(CommandStatesFor(1, 8, screen, false).Cut);

    const TCommandStates full = CommandStatesFor(8, 8, screen, false);
    EXPECT_FALSE(full.New || full.Open) << "the last allowed screen is open";
}

TEST(CommandStates, PropertiesOnlyForItemsWithAPage) {
    EXPECT_TRUE(HasProperties("click on system tray13"));
    EXPECT_FALSE(HasProperties("immediately10"));
    EXPECT_FALSE(HasProperties("show captured screen30"));
    EXPECT_TRUE(HasProperties("print out32"));
    EXPECT_FALSE(HasProperties(""));
}

TEST(CommandStates, EachToolShowsItsOptionList) {
    const TOptionList expected[] = {olNone, olWidth, olEraserSize, olFont, olNone, olNone,
                                    olAirbrushSize, olWidth, olWidth, olType, olType, olType};
    for (int tool = 0; tool < 12; ++tool) EXPECT_EQ(OptionListFor(tool), expected[tool]) << "tool " << tool;
    EXPECT_EQ(OptionListFor(12), olNone);
}

}  // namespace
