// The pixel work of the Image menu's commands on 24-bit bitmaps: brightness
// ramps, grey scale, inverted colours, flips and quarter turns. A bitmap
// that is empty or of another format is left alone.
#pragma once
#include <memory>

#include "Graphics.h"

// While one lives, the x87 unit computes with its full 64-bit mantissa and
// rounds to nearest (halves to even), whatever the thread had set; the
// setting before comes back with its end. The brightness ramps are defined
// in that arithmetic: a double, or an x87 unit held at 53 bits as some
// systems start threads, rounds some pixels the other way.
class TExtendedPrecision {
public:
    TExtendedPrecision();
    ~TExtendedPrecision();
    TExtendedPrecision(const TExtendedPrecision&) = delete;
    TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

private:
    unsigned short FSaved;
};

// Every pixel (x, y) moves by the ramp's value there,
// g = Round(x * ColumnStep + Round(y * RowStep + Amount)), Round taking
// halves to even in extended arithmetic: lightening takes each channel c to
// c + (255 - c) * g div 110, darkening to c - c * g div 110 (div truncating),
// the new value's low byte stored. The Amount is clamped to -100..100.
void LightenGradient(forms::TBitmap& Bitmap, int Amount, double ColumnStep, double RowStep);
void DarkenGradient(forms::TBitmap& Bitmap, int Amount, double ColumnStep, double RowStep);

// Brightness by Amount (clamped to -100..100; above 0 lightens, below darkens)
// with b = |Amount|, W and H the bitmap's size, in one of the styles:
// 0 all (g = b), 1 left to right (b - x * b / W), 2 top to bottom
// (b - y * b / H), 3 right to left (x * b / W), 4 bottom to top (y * b / H).
// Another style does nothing.
void ApplyBrightness(forms::TBitmap& Bitmap, int Amount, int Style);

// Every pixel becomes the grey Round(0.212671 R + 0.71516 G + 0.072169 B).
void ConvertToGrayscale(forms::TBitmap& Bitmap);

// Every channel c becomes 255 - c.
void InvertColors(forms::TBitmap& Bitmap);

// Result becomes a Width x Height copy of Bitmap: stretched over the new
// size, or with its pixels kept 1:1 from the top-left corner, what is
// beyond the new size cut off and the area gained filled with Fill. A
// shrunk picture keeps its colours: each pixel is one of the picture's, not
// the darker mix of several.
void ResizeBitmap(forms::TBitmap& Bitmap, int Width, int Height, bool Stretch, forms::TColor Fill,
                  forms::TBitmap& Result);

// A new bitmap holding the picture 1 mirrored (left and right swapped),
// 2 upside down, 3 turned half round, 4 turned a quarter to the left
// (counter-clockwise), 5 a quarter to the right; nullptr for another kind.
std::unique_ptr<forms::TBitmap> TransformBitmap(int Kind, forms::TBitmap& Bitmap);
