#include "Metafile.h"

namespace forms {

TMetafile::TMetafile(HENHMETAFILE Handle, int Width, int Height) : FHandle(Handle), FWidth(Width), FHeight(Height) {}

TMetafile::~TMetafile() {
    if (FHandle) DeleteEnhMetaFile(FHandle);
}

void TMetafile::Draw(TCanvas& Canvas, const RECT& Dest) {
    if (FHandle) PlayEnhMetaFile(Canvas.Handle(), FHandle, &Dest);
}

}  // namespace forms
