// The clipboard of pictures: bitmaps only.
#pragma once
#include "Graphics.h"

bool ClipboardHasBitmap();
// Puts a copy of the picture on the clipboard; false when it cannot.
bool CopyToClipboard(forms::TBitmap& Picture);
// The clipboard's bitmap into Picture; false when there is none.
bool ReadClipboard(forms::TBitmap& Picture);
