// Controls drawn on their parent (labels, pictures, paint boxes) lie beneath
// the windowed controls of the same parent, whichever was made first and
// also after BringToFront: where they overlap, the windowed control shows
// and takes the mouse.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "PaintBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

class DrawnControls : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 320, 200);
        // A tall label made before the edit it overlaps.
        label = new TLabel(form);
        label->AutoSize = false;
        label->SetBounds(10, 10, 200, 60);
        label->SetCaption("A description that runs over the edit below it");
        label->SetParent(form);
        edit = new TEdit(form);
        edit->SetBounds(60, 40, 120, 21);
        edit->SetParent(form);
        // A check box, and a red paint box made after it over its left part.
        check = new TCheckBox(form);
        check->SetBounds(10, 100, 150, 20);
        check->SetCaption("Check");
        check->SetParent(form);
        box = new TPaintBox(form);
        box->SetBounds(0, 90, 60, 40);
        box->OnPaint = [this](TComponent*) {
            box->Canvas().Brush.SetColor(0x0000FF);
            box->Canvas().FillRect(RECT{0, 0, box->Width(), box->Height()});
        };
        box->SetParent(form);
        box->BringToFront();
        form->Show();
        ToFront();
        Settle();
    }
    void TearDown() override { Free(form); }

    static POINT At(TControl* Control, int X, int Y) { return OnScreen(Control->Handle(), X, Y); }

    TForm* form = nullptr;
    TLabel* label = nullptr;
    TEdit* edit = nullptr;
    TCheckBox* check = nullptr;
    TPaintBox* box = nullptr;
};

TEST_F(DrawnControls, AnEditUnderALabelShowsTakesTheClickAndShowsWhatIsTyped) {
    const POINT inside = At(edit, 20, 10);
    EXPECT_EQ(ScreenPixel(inside), GetSysColor(COLOR_WINDOW)) << "the edit's ground, not the label's";
    dialogsteps::ClickAndSettle(inside);
    EXPECT_EQ(GetFocus(), edit->Handle()) << "the click reached the edit";
    Type("4444");
    Settle();
    EXPECT_EQ(edit->Text(), "4444");
    int dark = 0;  // pixels of the typed digits, on the edit's left part under the label
    for (int x = 2; x < 40; ++x)
        for (int y = 2; y < 18; ++y)
            if (ScreenPixel(At(edit, x, y)) == GetSysColor(COLOR_WINDOWTEXT)) ++dark;
    EXPECT_GT(dark, 10) << "the typed text shows where the label lies";
}

TEST_F(DrawnControls, ACheckBoxUnderAPaintBoxBroughtToFrontShowsAndTakesTheClick) {
    const POINT mark = At(check, 6, 10);  // the check mark's square, under the box
    EXPECT_NE(ScreenPixel(mark), Red) << "the paint box lies beneath the check box";
    EXPECT_EQ(ScreenPixel(At(box, 2, 2)), Red) << "and shows where the check box is not";
    dialogsteps::ClickAndSettle(mark);
    EXPECT_TRUE(check->Checked()) << "the click reached the check box";
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
