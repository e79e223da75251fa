// Fonts, pens, brushes, canvases and pictures over GDI.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace forms {

typedef std::int32_t TColor;  // red in bits 0-7, green 8-15, blue 16-23
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
// System colours: the top bit set and the system colour index in the low byte.
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;  // the desktop

// A plain RGB value for GDI; system colours are resolved.
COLORREF ColorToRGB(TColor Color);

// Font styles as one byte: bit 0 bold, 1 italic, 2 underline, 3 strike-out.
enum : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
typedef std::uint8_t TFontStyles;

// The GDI object of a font, pen or brush is made when first asked for and
// made again after a change; OnChange tells the owner of the change.
class TGraphicsObject {
public:
    virtual ~TGraphicsObject();
    std::function<void()> OnChange;

protected:
    void Changed();
    HGDIOBJ FHandle = nullptr;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(const TFont& Source);
    HFONT Handle();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    // Size in points; Height in pixels (negative: character height without
    // the internal leading), converted at the screen's pixels per inch.
    int Size() const;
    void SetSize(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

private:
    std::string FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
};

class TPen : public TGraphicsObject {
public:
    HPEN Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Style() const { return FStyle; }  // a PS_ style
    void SetStyle(int Value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    int FStyle = PS_SOLID;
};

class TBrush : public TGraphicsObject {
public:
    HBRUSH Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Clear() const { return FClear; }  // hollow: shapes are not filled
    void SetClear(bool Value);

private:
    TColor FColor = clWhite;
    bool FClear = false;
};

class TGraphic;

// Drawing on a device context with the canvas's font, pen and brush.
// The device context comes from the owner (a window or a bitmap).
class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context with the font, pen and brush selected.
    HDC Handle();
    TFont Font;
    TPen Pen;
    TBrush Brush;

    void FillRect(const RECT& R);
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    // Where the next LineTo starts.
    POINT PenPos();
    // Shapes drawn with the pen and filled with the brush; the right and
    // bottom edges are outside, as the system draws them.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    // Text in the font, on the brush's colour unless the brush is clear.
    void TextOut(int X, int Y, const std::string& Text);
    SIZE TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    TColor Pixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Color);
    void Draw(int X, int Y, TGraphic& Graphic);

protected:
    // The device context itself, from the owner; nullptr when none can be had.
    virtual HDC AcquireDC() = 0;
    // The owner is taking its device context back: the canvas's objects
    // come out of it and the next drawing call acquires one anew.
    void ReleaseHandle();

private:
    void RestoreSelection();
    HDC FDC = nullptr;
    HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
};

// A canvas over a device context that someone else owns and releases, such
// as the one of a WM_PAINT.
class TDCCanvas : public TCanvas {
public:
    explicit TDCCanvas(HDC DC) : FTargetDC(DC) {}
    ~TDCCanvas() override { ReleaseHandle(); }

protected:
    HDC AcquireDC() override { return FTargetDC; }

private:
    HDC FTargetDC;
};

// A picture that can be drawn on a canvas.
class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual void Draw(TCanvas& Canvas, const RECT& Dest) = 0;
};

// The formats of a bitmap's pixels: an index into the format's palette
// (1 bit: black and white; 4 bits: the 16 standard colours; 8 bits: 256
// colours, see PixelFormats.h), 5 bits of each channel, or 8 bits of each.
enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf24bit };

// A device-independent section whose rows run top-down: ScanLine(0) is the
// top row, each row padded to four bytes. In 24 bits, the format of every
// new bitmap, a row is a run of blue, green, red triples; in 15 bits a run
// of 16-bit words, blue in the low five bits.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // A new size, in the bitmap's format; a new bitmap starts white.
    void SetSize(int AWidth, int AHeight);
    // Becomes a copy of Source: its size, its format and every pixel.
    void Assign(TBitmap& Source);
    // Becomes a copy of Source in Format, each pixel converted as
    // SetPixelFormat does. When the bitmap has Source's size and Format
    // already, its own pixels are written over and nothing can fail.
    void AssignConverted(TBitmap& Source, TPixelFormat Format);
    // Becomes a 24-bit copy of the picture of a GDI bitmap (a resource, the
    // clipboard's); false, and nothing changed, when Source is no bitmap or
    // has no pixels.
    bool AssignHandle(HBITMAP Source);
    // Exchanges pictures with Other without copying pixels; each object
    // stays where it is.
    void Exchange(TBitmap& Other);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels: below 24 bits each pixel takes the nearest colour
    // that the format has; back to 24 bits each keeps the colour it shows.
    void SetPixelFormat(TPixelFormat Value);
    std::uint8_t* ScanLine(int Row);
    int RowBytes() const;
    HBITMAP Handle() const { return FHandle; }
    TCanvas& Canvas();
    void Draw(TCanvas& Canvas, const RECT& Dest) override;

private:
    class TBitmapCanvas;
    // A new section of that size and format in place of the old one; the
    // old one stays whole when none can be had.
    void MakeSection(int AWidth, int AHeight, TPixelFormat Format);
    int FWidth = 0, FHeight = 0;
    TPixelFormat FPixelFormat = pf24bit;
    HBITMAP FHandle = nullptr;
    std::uint8_t* FBits = nullptr;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// An icon; a shared one (a system icon) is not destroyed with the object.
class TIcon : public TGraphic {
public:
    ~TIcon() override;
    HICON Handle() const { return FHandle; }
    void SetHandle(HICON Value, bool Owned);
    int Width() const override;
    int Height() const override;
    void Draw(TCanvas& Canvas, const RECT& Dest) override;

private:
    HICON FHandle = nullptr;
    bool FOwned = false;
};

// The picture shown by an image control: empty, or one graphic it owns.
class TPicture {
public:
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> Value);
    // The picture as a bitmap: an empty one takes the place of any other
    // graphic.
    TBitmap& Bitmap();
    // Makes the picture this icon.
    void SetIcon(HICON Value, bool Owned);
    // The graphic has been drawn on: whoever shows it shows it anew.
    void Changed();
    std::function<void()> OnChange;

private:
    std::unique_ptr<TGraphic> FGraphic;
};

}  // namespace forms
