#include "PicUndo.h"

TPicUndo::TPicUndo() {
    for (auto& b : Bitmaps) b = std::make_unique<forms::TBitmap>();
}

void TPicUndo::Add(forms::TBitmap& Bitmap) {
    // The slot of the new step: the first one that is empty once the redo
    // steps are gone, else (five undo steps) the oldest.
    int slot = -1;
    for (int i = 0; i < kSlots && slot < 0; ++i)
        if (States[i] == 0 || States[i] / 100 == 2) slot = i;
    for (int i = 0; i < kSlots && slot < 0; ++i)
        if (States[i] == 100 + kSlots) slot = i;
    // The copy comes first: when it fails (too little memory), the list
    // stays as it was. A slot's own bitmap of the picture's size and format
    // takes the copy in its own pixels, which cannot fail and spares the
    // making of a new one.
    forms::TBitmap& target = *Bitmaps[slot];
    if (target.Width() == Bitmap.Width() && target.Height() == Bitmap.Height() &&
        target.PixelFormat() == Bitmap.PixelFormat()) {
        target.Assign(Bitmap);
    } else {
        forms::TBitmap copy;
        copy.Assign(Bitmap);
        target.Exchange(copy);
    }
    if (UndoCount < kSlots) ++UndoCount;
    RedoCount = 0;
    for (unsigned char& s : States) {
        if (s / 100 == 2) s = 0;
        else if (s / 100 == 1) ++s;  // every undo step ages by one
    }
    States[slot] = 101;
    if (OnChange) OnChange();
}

void TPicUndo::Exchange(int Slot, forms::TBitmap& Bitmap, unsigned char NewState) {
    Bitmap.Exchange(*Bitmaps[Slot]);
    States[Slot] = NewState;
    if (OnChange) OnChange();
}

void TPicUndo::Undo(forms::TBitmap& Bitmap) {
    if (UndoCount == 0) return;
    --UndoCount;
    ++RedoCount;
    for (unsigned char& s : States) {
        if (s / 100 == 2) ++s;
        else if (s / 100 == 1) --s;  // the newest undo step becomes 100
    }
    for (int i = 0; i < kSlots; ++i)
        if (States[i] == 100) return Exchange(i, Bitmap, 201);
}

void TPicUndo::Redo(forms::TBitmap& Bitmap) {
    if (RedoCount == 0) return;
    --RedoCount;
    ++UndoCount;
    for (unsigned char& s : States) {
        if (s / 100 == 2) --s;  // the newest redo step becomes 200
        else if (s / 100 == 1) ++s;
    }
    for (int i = 0; i < kSlots; ++i)
        if (States[i] == 200) return Exchange(i, Bitmap, 101);
}
