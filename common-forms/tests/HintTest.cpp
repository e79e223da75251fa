// The hint window and timing that every module takes.
#include <gtest/gtest.h>

#include "NewHintWindow.h"
#include "TestSupport.h"
#include "Zelvani.h"

using namespace forms;
using namespace testsupport;

namespace {

TEST(Hints, SystemHintsUseTheInterfaceFontAtEightPointsAndStayTenSeconds) {
    UseSystemHints();
    EXPECT_EQ(Application->HintPause, 500);
    EXPECT_EQ(Application->HintHidePause, 10000);

    auto* form = new TForm(Application);
    form->SetShowHint(true);
    form->SetBounds(100, 100, 300, 200);
    form->Hint = "Hello";
    form->Show();
    Application->HintPause = 50;  // only to keep the test short
    MouseTo(POINT{10, 10});
    PumpFor(100);
    MouseTo(CentreOf(form->Handle()));
    ASSERT_TRUE(PumpUntil([] { return Application->HintWindow() && IsWindowVisible(Application->HintWindow()->Handle()); }))
        << "no hint came";
    THintWindow* hint = Application->HintWindow();
    EXPECT_NE(dynamic_cast<TNewHintWindow*>(hint), nullptr);
    ShortString name;
    ZvGetFontName(name);
    EXPECT_EQ(hint->Canvas().Font.Name(), name.str());
    EXPECT_EQ(hint->Canvas().Font.Size(), 8);
    Free(form);
}

}  // namespace
