#include "Graphics.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "Classes.h"
#include "PixelFormats.h"

namespace forms {

namespace {

int ScreenPixelsPerInch() {
    HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
}

}  // namespace

COLORREF ColorToRGB(TColor Color) {
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

// ---- TGraphicsObject -------------------------------------------------------

TGraphicsObject::~TGraphicsObject() {
    if (FHandle) DeleteObject(FHandle);
}

void TGraphicsObject::Changed() {
    // The owner learns of the change first: a canvas takes the old object out
    // of its device context, a control hands its window the new one. Only
    // then can the old object go.
    HGDIOBJ old = FHandle;
    FHandle = nullptr;
    if (OnChange) OnChange();
    if (old) DeleteObject(old);
}

// ---- TFont -----------------------------------------------------------------

TFont::TFont() : FName("MS Sans Serif"), FHeight(-MulDiv(8, ScreenPixelsPerInch(), 72)) {}

void TFont::Assign(const TFont& Source) {
    FName = Source.FName;
    FHeight = Source.FHeight;
    FStyle = Source.FStyle;
    FColor = Source.FColor;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, ScreenPixelsPerInch(), 72)); }

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    if (OnChange) OnChange();  // the colour is not part of the GDI font
}

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTA lf = {};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
        lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle = CreateFontIndirectA(&lf);
    }
    return static_cast<HFONT>(FHandle);
}

// ---- TPen, TBrush ----------------------------------------------------------

void TPen::SetColor(TColor Value) {
    if (Value != FColor) { FColor = Value; Changed(); }
}
void TPen::SetWidth(int Value) {
    if (Value != FWidth) { FWidth = Value; Changed(); }
}
void TPen::SetStyle(int Value) {
    if (Value != FStyle) { FStyle = Value; Changed(); }
}
HPEN TPen::Handle() {
    if (!FHandle) FHandle = CreatePen(FStyle, FWidth, ColorToRGB(FColor));
    return static_cast<HPEN>(FHandle);
}

void TBrush::SetColor(TColor Value) {
    if (Value != FColor || FClear) { FColor = Value; FClear = false; Changed(); }
}
void TBrush::SetClear(bool Value) {
    if (Value != FClear) { FClear = Value; Changed(); }
}
HBRUSH TBrush::Handle() {
    if (!FHandle)
        FHandle = FClear ? GetStockObject(NULL_BRUSH) : CreateSolidBrush(ColorToRGB(FColor));
    return static_cast<HBRUSH>(FHandle);
}

// ---- TCanvas ---------------------------------------------------------------

TCanvas::TCanvas() {
    auto deselect = [this] { RestoreSelection(); };
    Font.OnChange = deselect;
    Pen.OnChange = deselect;
    Brush.OnChange = deselect;
}

TCanvas::~TCanvas() = default;

void TCanvas::RestoreSelection() {
    if (FDC && FOldFont) {
        SelectObject(FDC, FOldFont);
        SelectObject(FDC, FOldPen);
        SelectObject(FDC, FOldBrush);
    }
    FOldFont = FOldPen = FOldBrush = nullptr;
}

HDC TCanvas::Handle() {
    if (!FDC) {
        FDC = AcquireDC();
        if (!FDC) throw Exception("Canvas does not allow drawing");
    }
    // Select the current objects every time: they are made anew after a change.
    HGDIOBJ f = SelectObject(FDC, Font.Handle());
    HGDIOBJ p = SelectObject(FDC, Pen.Handle());
    HGDIOBJ b = SelectObject(FDC, Brush.Handle());
    if (!FOldFont) { FOldFont = f; FOldPen = p; FOldBrush = b; }
    SetTextColor(FDC, ColorToRGB(Font.Color()));
    if (Brush.Clear()) {
        SetBkMode(FDC, TRANSPARENT);
    } else {
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorToRGB(Brush.Color()));
    }
    return FDC;
}

void TCanvas::ReleaseHandle() {
    RestoreSelection();
    FDC = nullptr;
}

void TCanvas::FillRect(const RECT& R) {
    HDC dc = Handle();
    ::FillRect(dc, &R, Brush.Handle());
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) { ::LineTo(Handle(), X, Y); }

POINT TCanvas::PenPos() {
    POINT p = {0, 0};
    GetCurrentPositionEx(Handle(), &p);
    return p;
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) { ::Rectangle(Handle(), X1, Y1, X2, Y2); }

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight) {
    ::RoundRect(Handle(), X1, Y1, X2, Y2, CornerWidth, CornerHeight);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) { ::Ellipse(Handle(), X1, Y1, X2, Y2); }

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    ::TextOutA(Handle(), X, Y, Text.data(), static_cast<int>(Text.size()));
}

SIZE TCanvas::TextExtent(const std::string& Text) {
    SIZE s = {0, 0};
    GetTextExtentPoint32A(Handle(), Text.data(), static_cast<int>(Text.size()), &s);
    return s;
}

TColor TCanvas::Pixel(int X, int Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixel(int X, int Y, TColor Color) { ::SetPixel(Handle(), X, Y, ColorToRGB(Color)); }

void TCanvas::Draw(int X, int Y, TGraphic& Graphic) {
    RECT r = {X, Y, X + Graphic.Width(), Y + Graphic.Height()};
    Graphic.Draw(*this, r);
}

// ---- TBitmap ---------------------------------------------------------------

// A memory device context holding the bitmap for as long as the canvas lives.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& Owner) : FOwner(Owner) {}
    ~TBitmapCanvas() override { Detach(); }
    // Takes the bitmap out of the device context, so that it can be replaced.
    void Detach() {
        if (!FMemDC) return;
        ReleaseHandle();
        SelectObject(FMemDC, FOldBitmap);
        DeleteDC(FMemDC);
        FMemDC = nullptr;
    }

protected:
    HDC AcquireDC() override {
        if (!FMemDC) {
            FMemDC = CreateCompatibleDC(nullptr);
            FOldBitmap = SelectObject(FMemDC, FOwner.FHandle);
        }
        return FMemDC;
    }

private:
    TBitmap& FOwner;
    HDC FMemDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

namespace {

long long RowBytesOf(int Width, TPixelFormat Format) {
    return (static_cast<long long>(Width) * FormatBits(Format) + 31) / 32 * 4;
}

// The pixels of the last large bitmap that went, kept for the next bitmap
// of that size and format: memory newly had from the system costs many
// times a copy of it (each page is cleared when first touched), and the
// image commands make and drop one bitmap of a picture's size after
// another. Bitmaps are made on the windows' one thread.
struct TSpare {
    HBITMAP Handle = nullptr;
    void* Bits = nullptr;
    int Width = 0, Height = 0;
    TPixelFormat Format = pf24bit;
};
TSpare Spare;

// Below this many bytes new memory is had quickly enough.
constexpr long long kSpareBytes = 1 << 20;

void DropSpare() {
    if (Spare.Handle) DeleteObject(Spare.Handle);
    Spare = TSpare();
}

HBITMAP TakeSpare(int Width, int Height, TPixelFormat Format, void*& Bits) {
    if (!Spare.Handle || Spare.Width != Width || Spare.Height != Height || Spare.Format != Format) return nullptr;
    const HBITMAP taken = Spare.Handle;
    Bits = Spare.Bits;
    Spare = TSpare();
    return taken;
}

// A bitmap's section goes: kept as the spare when it is large.
void Release(HBITMAP Handle, void* Bits, int Width, int Height, TPixelFormat Format) {
    if (!Handle) return;
    if (RowBytesOf(Width, Format) * Height < kSpareBytes) {
        DeleteObject(Handle);
        return;
    }
    DropSpare();
    Spare = {Handle, Bits, Width, Height, Format};
}

// A new section from the system; when there is no memory for it, the spare
// goes first and the section is asked for once more.
HBITMAP NewSection(int Width, int Height, TPixelFormat Format, void*& Bits) {
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } bi = {};
    bi.Header.biSize = sizeof(BITMAPINFOHEADER);
    bi.Header.biWidth = Width;
    bi.Header.biHeight = -Height;  // top-down rows
    bi.Header.biPlanes = 1;
    bi.Header.biBitCount = static_cast<WORD>(FormatBits(Format));
    bi.Header.biCompression = BI_RGB;
    int colors = 0;
    if (const RGBQUAD* palette = FormatPalette(Format, colors)) std::copy(palette, palette + colors, bi.Colors);
    bi.Header.biClrUsed = static_cast<DWORD>(colors);
    for (int attempt = 0; attempt < 2; ++attempt) {
        SetLastError(ERROR_SUCCESS);
        if (HBITMAP made =
                CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &Bits, nullptr, 0))
            return made;
        const DWORD error = GetLastError();
        if (attempt == 1 || !Spare.Handle)
            // GDI does not always say why; it is the memory.
            throw EOSError("Out of system resources", error != ERROR_SUCCESS ? error : ERROR_NOT_ENOUGH_MEMORY);
        DropSpare();
    }
    return nullptr;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    FCanvas.reset();
    Release(FHandle, FBits, FWidth, FHeight, FPixelFormat);
}


void TBitmap::MakeSection(int AWidth, int AHeight, TPixelFormat Format) {
    if (AWidth < 0 || AHeight < 0) throw Exception("Invalid bitmap size");
    // A row's bytes are counted in an int.
    if (RowBytesOf(AWidth, Format) > INT_MAX) throw EOSError("Out of system resources", ERROR_NOT_ENOUGH_MEMORY);
    HBITMAP made = nullptr;
    void* bits = nullptr;
    if (AWidth > 0 && AHeight > 0) {
        made = TakeSpare(AWidth, AHeight, Format, bits);
        if (!made) made = NewSection(AWidth, AHeight, Format, bits);
    }
    if (FCanvas) FCanvas->Detach();
    Release(FHandle, FBits, FWidth, FHeight, FPixelFormat);
    FHandle = made;
    FBits = static_cast<std::uint8_t*>(bits);
    FWidth = made ? AWidth : 0;
    FHeight = made ? AHeight : 0;
    FPixelFormat = Format;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    if (AWidth < 0 || AHeight < 0) throw Exception("Invalid bitmap size");
    if (AWidth == FWidth && AHeight == FHeight && FHandle) return;
    MakeSection(AWidth, AHeight, FPixelFormat);
    // A new bitmap starts white, as a fresh picture does: all bits set are
    // white in every format.
    if (FBits) std::fill(FBits, FBits + static_cast<size_t>(RowBytes()) * FHeight, 0xFF);
}

void TBitmap::Assign(TBitmap& Source) { AssignConverted(Source, Source.PixelFormat()); }

void TBitmap::AssignConverted(TBitmap& Source, TPixelFormat Format) {
    if (&Source == this) return SetPixelFormat(Format);
    if (Source.FWidth != FWidth || Source.FHeight != FHeight || Format != FPixelFormat || !FHandle)
        MakeSection(Source.FWidth, Source.FHeight, Format);
    if (Empty()) return;
    GdiFlush();
    const TPixelFormat from = Source.FPixelFormat;
    const size_t sourceBytes = static_cast<size_t>(Source.RowBytes()), bytes = static_cast<size_t>(RowBytes());
    if (from == Format) {
        std::memcpy(FBits, Source.FBits, bytes * FHeight);
        return;
    }
    // Between two formats below 24 bits the pixels pass through 24 bits.
    std::vector<std::uint8_t> bgr(from != pf24bit && Format != pf24bit ? static_cast<size_t>(FWidth) * 3 : 0);
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* source = Source.FBits + sourceBytes * y;
        std::uint8_t* row = FBits + bytes * y;
        if (from == pf24bit) {
            ReduceRow(source, row, Format, FWidth);
        } else if (Format == pf24bit) {
            ExpandRow(source, from, row, FWidth);
        } else {
            ExpandRow(source, from, bgr.data(), FWidth);
            ReduceRow(bgr.data(), row, Format, FWidth);
        }
    }
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    if (Empty()) {
        FPixelFormat = Value;
        return;
    }
    TBitmap converted;
    converted.AssignConverted(*this, Value);
    Exchange(converted);
}

int TBitmap::RowBytes() const { return static_cast<int>(RowBytesOf(FWidth, FPixelFormat)); }

bool TBitmap::AssignHandle(HBITMAP Source) {
    BITMAP info = {};
    if (!Source || !GetObjectA(Source, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    if (info.bmWidth != FWidth || info.bmHeight != FHeight || FPixelFormat != pf24bit || !FHandle)
        MakeSection(info.bmWidth, info.bmHeight, pf24bit);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Source);
    BitBlt(Canvas().Handle(), 0, 0, FWidth, FHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return true;
}

void TBitmap::Exchange(TBitmap& Other) {
    if (&Other == this) return;
    // The canvases let go of the bitmaps; they take the new ones when next used.
    if (FCanvas) FCanvas->Detach();
    if (Other.FCanvas) Other.FCanvas->Detach();
    std::swap(FWidth, Other.FWidth);
    std::swap(FHeight, Other.FHeight);
    std::swap(FPixelFormat, Other.FPixelFormat);
    std::swap(FHandle, Other.FHandle);
    std::swap(FBits, Other.FBits);
}

std::uint8_t* TBitmap::ScanLine(int Row) {
    if (Row < 0 || Row >= FHeight) throw Exception("Scan line index out of range");
    GdiFlush();  // GDI drawing on the canvas must be finished before direct access
    return FBits + static_cast<size_t>(Row) * RowBytes();
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

void TBitmap::Draw(TCanvas& Target, const RECT& Dest) {
    if (Empty()) return;
    HDC src = Canvas().Handle();
    StretchBlt(Target.Handle(), Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top,
               src, 0, 0, FWidth, FHeight, SRCCOPY);
}

// ---- TIcon, TPicture -------------------------------------------------------

TIcon::~TIcon() {
    if (FHandle && FOwned) DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON Value, bool Owned) {
    if (FHandle && FOwned && FHandle != Value) DestroyIcon(FHandle);
    FHandle = Value;
    FOwned = Owned;
}

int TIcon::Width() const { return FHandle ? GetSystemMetrics(SM_CXICON) : 0; }

int TIcon::Height() const { return FHandle ? GetSystemMetrics(SM_CYICON) : 0; }

void TIcon::Draw(TCanvas& Canvas, const RECT& Dest) {
    if (FHandle)
        DrawIconEx(Canvas.Handle(), Dest.left, Dest.top, FHandle, Dest.right - Dest.left,
                   Dest.bottom - Dest.top, 0, nullptr, DI_NORMAL);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> Value) {
    FGraphic = std::move(Value);
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

TBitmap& TPicture::Bitmap() {
    if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get())) return *b;
    SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*FGraphic);
}

void TPicture::SetIcon(HICON Value, bool Owned) {
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(Value, Owned);
    SetGraphic(std::move(icon));
}

}  // namespace forms
