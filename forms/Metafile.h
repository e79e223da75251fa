// Enhanced metafiles as pictures.
#pragma once
#include <windows.h>

#include "Graphics.h"

namespace forms {

// An enhanced metafile with its size in pixels; drawing plays its records
// into the destination rectangle, scaled to fill it.
class TMetafile : public TGraphic {
public:
    // Takes over Handle, which is deleted with the object.
    TMetafile(HENHMETAFILE Handle, int Width, int Height);
    ~TMetafile() override;
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    HENHMETAFILE Handle() const { return FHandle; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void Draw(TCanvas& Canvas, const RECT& Dest) override;

private:
    HENHMETAFILE FHandle;
    int FWidth, FHeight;
};

}  // namespace forms
