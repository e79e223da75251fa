// Pictures that change with the user's choice: a paint box and an image are
// drawn anew on a cleared ground, so that nothing of the picture before
// stays where the new one leaves the ground bare.
#include <gtest/gtest.h>

#include "DialogSteps.h"
#include "PaintBox.h"
#include "TestSupport.h"

using namespace forms;
using namespace testsupport;
using dialogsteps::Settle;

namespace {

constexpr TColor Red = 0x0000FF;
// A wide bar (landscape) or a tall one (portrait), each 30 x 10.
constexpr RECT Wide = {0, 0, 30, 10}, Tall = {0, 0, 10, 30};

class ChangingPictures : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(150, 150, 300, 200);
        optPortrait = new TRadioButton(form);
        optPortrait->SetBounds(100, 20, 120, 20);
        optPortrait->SetCaption("Portrait");
        optPortrait->SetParent(form);
    }
    void TearDown() override { Free(form); }

    // Shows the form and clicks the radio button as a user does; Shown is
    // the control that shows the picture.
    void ShowAndChoosePortrait(TControl* Shown) {
        form->Show();
        ToFront();
        Settle();
        ASSERT_EQ(Colour(Shown, 25, 5), ColorToRGB(Red)) << "the wide bar before the choice";
        ClickOn(optPortrait->Handle());
        Settle();
        ASSERT_TRUE(optPortrait->Checked()) << "the click did not reach the radio button";
    }
    static COLORREF Colour(TControl* Control, int X, int Y) {
        POINT p = {X, Y};
        ClientToScreen(Control->Handle(), &p);
        return ScreenPixel(p);
    }

    TForm* form = nullptr;
    TRadioButton* optPortrait = nullptr;
};

TEST_F(ChangingPictures, APaintBoxDrawsItsNewPictureOnTheGround) {
    auto* box = new TPaintBox(form);
    box->SetBounds(20, 20, 32, 32);
    box->SetParent(form);
    box->OnPaint = [&](TComponent*) {
        box->Canvas().Brush.SetColor(Red);
        box->Canvas().FillRect(optPortrait->Checked() ? Tall : Wide);
    };
    optPortrait->OnClick = [&](TComponent*) { box->Invalidate(); };
    ShowAndChoosePortrait(box);
    EXPECT_EQ(Colour(box, 5, 25), ColorToRGB(Red)) << "the tall bar";
    EXPECT_EQ(Colour(box, 25, 5), GetSysColor(COLOR_BTNFACE)) << "the wide bar stays beside the tall one";
}

TEST_F(ChangingPictures, AnImageClearsWhatItsSmallerPictureLeaves) {
    auto* image = new TImage(form);
    image->SetBounds(20, 20, 32, 32);
    image->SetParent(form);
    auto draw = [image](const RECT& Bar) {
        TBitmap& b = image->Picture.Bitmap();
        b.SetSize(Bar.right, Bar.bottom);
        b.Canvas().Brush.SetColor(Red);
        b.Canvas().FillRect(Bar);
    };
    draw(Wide);
    optPortrait->OnClick = [&](TComponent*) {
        draw(Tall);
        image->Invalidate();
    };
    ShowAndChoosePortrait(image);
    EXPECT_EQ(Colour(image, 5, 25), ColorToRGB(Red)) << "the tall bar";
    EXPECT_EQ(Colour(image, 25, 5), GetSysColor(COLOR_BTNFACE)) << "the wide bar stays beside the tall one";
}

}  // namespace
