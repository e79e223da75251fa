// The undo list of a screen: five steps back, redo until the next change,
// pictures that change size on the way.
#include <gtest/gtest.h>

#include "PicUndo.h"

using forms::TBitmap;

namespace {

// A picture that tells which state of the screen it is: its width.
void Draw(TBitmap& B, int State) {
    B.SetSize(10 + State, 4);
    B.Canvas().SetPixel(0, 0, State);
}
int StateOf(TBitmap& B) { return B.Width() - 10; }

TEST(PicUndo, FiveStepsBackAtMost) {
    TPicUndo undo;
    TBitmap live;
    Draw(live, 0);
    for (int change = 1; change <= 6; ++change) {
        undo.Add(live);  // the picture before the change
        Draw(live, change);
    }
    EXPECT_EQ(undo.UndoCount, 5);
    for (int i = 0; i < 5; ++i) undo.Undo(live);
    EXPECT_EQ(StateOf(live), 1) << "the fifth Undo gives the picture before the second change";
    EXPECT_FALSE(undo.CanUndo());
    undo.Undo(live);
    EXPECT_EQ(StateOf(live), 1) << "a sixth Undo does nothing";
    EXPECT_EQ(undo.RedoCount, 5);
    for (int i = 0; i < 5; ++i) undo.Redo(live);
    EXPECT_EQ(StateOf(live), 6) << "redone to the last change";
    EXPECT_FALSE(undo.CanRedo());
}

TEST(PicUndo, UndoThenRedoReturnsToTheChange) {
    TPicUndo undo;
    int changes = 0;
    undo.OnChange = [&] { ++changes; };
    TBitmap live;
    Draw(live, 0);
    undo.Add(live);
    Draw(live, 1);
    undo.Undo(live);
    EXPECT_EQ(StateOf(live), 0);
    undo.Redo(live);
    EXPECT_EQ(StateOf(live), 1);
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_EQ(changes, 3) << "the commands follow every change of a slot";
}

TEST(PicUndo, ANewChangeAfterUndosDiscardsTheRedoSteps) {
    TPicUndo undo;
    TBitmap live;
    Draw(live, 0);
    for (int change = 1; change <= 3; ++change) {
        undo.Add(live);
        Draw(live, change);
    }
    undo.Undo(live);
    undo.Undo(live);
    undo.Add(live);
    Draw(live, 9);
    EXPECT_EQ(undo.RedoCount, 0);
    EXPECT_EQ(undo.UndoCount, 2);
    // The three changes took slots 1 to 3; the two undone ones (2 and 3)
    // were freed: the new step takes the first of them, the other stays
    // empty, like the two slots never used.
    EXPECT_EQ(undo.States[0], 102);
    EXPECT_EQ(undo.States[1], 101);
    EXPECT_EQ(undo.States[2], 0);
    EXPECT_EQ(undo.States[3], 0);
    EXPECT_EQ(undo.States[4], 0);
    undo.Undo(live);
    EXPECT_EQ(StateOf(live), 1);
    undo.Undo(live);
    EXPECT_EQ(StateOf(live), 0);
}

TEST(PicUndo, UndoAndRedoExchangeThePicturesThemselves) {
    TPicUndo undo;
    TBitmap live;
    Draw(live, 1);
    undo.Add(live);
    HBITMAP kept = undo.Bitmaps[0]->Handle();
    HBITMAP shown = live.Handle();
    EXPECT_NE(kept, shown) << "Add keeps a copy";
    undo.Undo(live);
    EXPECT_EQ(live.Handle(), kept) << "the step itself became the live picture";
    EXPECT_EQ(undo.Bitmaps[0]->Handle(), shown);
    EXPECT_EQ(live.Canvas().Pixel(0, 0), 1) << "and the live picture's canvas draws on it";
}

TEST(PicUndo, UndoOfACropRestoresTheLargerPictureWithItsPixels) {
    TPicUndo undo;
    TBitmap live;
    live.SetSize(40, 30);
    live.Canvas().SetPixel(35, 25, 0x123456);
    undo.Add(live);
    live.SetSize(10, 10);  // the crop
    undo.Undo(live);
    EXPECT_EQ(live.Width(), 40);
    EXPECT_EQ(live.Height(), 30);
    EXPECT_EQ(live.Canvas().Pixel(35, 25), 0x123456);
    undo.Redo(live);
    EXPECT_EQ(live.Width(), 10);
}

TEST(PicUndo, AStepOfTheSameSizeIsCopiedIntoTheSlotsOwnBitmap) {
    TPicUndo undo;
    TBitmap live;
    live.SetSize(8, 8);
    for (int i = 0; i < 5; ++i) undo.Add(live);
    int oldest = -1;
    for (int i = 0; i < TPicUndo::kSlots; ++i)
        if (undo.States[i] == 105) oldest = i;
    ASSERT_GE(oldest, 0);
    const HBITMAP slot = undo.Bitmaps[oldest]->Handle();
    live.Canvas().SetPixel(3, 3, 0x123456);
    undo.Add(live);
    EXPECT_EQ(undo.States[oldest], 101) << "the oldest step gave its place";
    EXPECT_EQ(undo.Bitmaps[oldest]->Handle(), slot) << "no new bitmap was made";
    EXPECT_EQ(undo.Bitmaps[oldest]->Canvas().Pixel(3, 3), 0x123456);

    // A step of another size takes a bitmap of its own.
    undo.Undo(live);
    live.SetSize(9, 8);
    undo.Add(live);
    EXPECT_EQ(undo.RedoCount, 0);
    EXPECT_EQ(undo.UndoCount, 5);
    int newest = -1;
    for (int i = 0; i < TPicUndo::kSlots; ++i)
        if (undo.States[i] == 101) newest = i;
    ASSERT_GE(newest, 0);
    EXPECT_EQ(undo.Bitmaps[newest]->Width(), 9);
}

}  // namespace
