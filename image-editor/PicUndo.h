// A screen's undo list: five whole-picture slots that serve as undo steps
// and redo steps together.
#pragma once
#include <functional>
#include <memory>

#include "Graphics.h"

class TPicUndo {
public:
    static constexpr int kSlots = 5;
    TPicUndo();

    int UndoCount = 0;
    int RedoCount = 0;
    // The slots (1..5 in the user's terms, 0..4 here) and their state codes:
    // 0 empty, 100 + age an undo step (101 the next Undo restores), 200 +
    // age a redo step (201 the next Redo restores).
    std::unique_ptr<forms::TBitmap> Bitmaps[kSlots];
    unsigned char States[kSlots] = {};

    bool CanUndo() const { return UndoCount > 0; }
    bool CanRedo() const { return RedoCount > 0; }
    // Keeps a copy of the picture before a change as the newest undo step;
    // every redo step goes.
    void Add(forms::TBitmap& Bitmap);
    // The live picture and the newest undo (redo) step change places; no
    // pixel is copied.
    void Undo(forms::TBitmap& Bitmap);
    void Redo(forms::TBitmap& Bitmap);

    // Runs after every change of a slot, so that the commands' states
    // follow (the screen sets it to the main window's command update).
    std::function<void()> OnChange;

private:
    void Exchange(int Slot, forms::TBitmap& Bitmap, unsigned char NewState);
};
