// Windows bitmap files: the OS/2 core header and the Windows headers of 40,
// 52, 56, 108 and 124 bytes; 1, 4 and 8 bits through a palette, also RLE4
// and RLE8; 16 and 32 bits with the default or the given channel masks; 24
// bits. No header field is trusted: every size and offset is checked
// against the file before it is used, and the picture is allocated only
// when the file can fill it (or, for RLE, when it is no larger than
// kMaxPictureBytes).
#include "BmpReader.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "Classes.h"

namespace pictures {

namespace {

constexpr std::uint64_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kMaxHeader = 124;
// Densities above 1,000,000 pixels per metre (25,400 per inch) belong to no
// screen or printer: such a header is damaged.
constexpr std::int64_t kMaxPixelsPerMetre = 1000000;
// Uncompressed rows are read in pieces of about this many bytes.
constexpr std::uint64_t kReadPiece = 1 << 20;

// What the headers say, with the height made positive.
struct TInfo {
    std::uint32_t HeaderSize = 0;
    std::int64_t Width = 0, Height = 0;
    bool TopDown = false;
    unsigned Bits = 0;
    std::uint32_t Compression = BI_RGB;
    std::uint32_t SizeImage = 0, ColorsUsed = 0;
    std::uint32_t Masks[3] = {};  // red, green, blue
    std::uint64_t PaletteAt = 0;  // after the header and any masks
    unsigned EntrySize = 4;       // bytes per palette entry
    std::uint64_t DataAt = 0;     // the pixels; 0: right after the palette
};

struct TPalette {
    std::uint8_t Bgr[256][3] = {};
    unsigned Count = 0;
};

// Reads the file header and the bitmap header; false when they are damaged
// or of a version not read here.
bool ReadHeaders(TByteSource& File, TInfo& I) {
    std::uint8_t h[kFileHeader + kMaxHeader] = {};
    const std::uint64_t size = File.Size();
    if (size < kFileHeader + 4 || !File.ReadAt(0, h, std::min<std::uint64_t>(size, sizeof h))) return false;
    const std::uint8_t* b = h + kFileHeader;
    I.HeaderSize = U32(b);
    // A file shorter than its own size field is cut short.
    if (h[0] != 'B' || h[1] != 'M' || U32(h + 2) > size || kFileHeader + I.HeaderSize > size) return false;
    I.DataAt = U32(h + 10);
    I.PaletteAt = kFileHeader + I.HeaderSize;
    std::int64_t height;
    unsigned planes;
    if (I.HeaderSize == kCoreHeader) {
        I.Width = U16(b + 4), height = U16(b + 6), planes = U16(b + 8), I.Bits = U16(b + 10);
        I.EntrySize = 3;
    } else if (I.HeaderSize == 40 || I.HeaderSize == 52 || I.HeaderSize == 56 || I.HeaderSize == 108 ||
               I.HeaderSize == kMaxHeader) {
        I.Width = I32(b + 4), height = I32(b + 8), planes = U16(b + 12), I.Bits = U16(b + 14);
        I.Compression = U32(b + 16), I.SizeImage = U32(b + 20), I.ColorsUsed = U32(b + 32);
        if (std::abs(std::int64_t(I32(b + 24))) > kMaxPixelsPerMetre ||
            std::abs(std::int64_t(I32(b + 28))) > kMaxPixelsPerMetre)
            return false;
        // The masks are part of the later headers; after a 40-byte one they
        // follow it.
        const std::uint8_t* masks = b + 40;
        if (I.HeaderSize == 40 && I.Compression == BI_BITFIELDS) {
            if (size < I.PaletteAt + 12) return false;
            I.PaletteAt += 12;
        }
        for (int c = 0; c < 3; ++c) I.Masks[c] = U32(masks + 4 * c);
    } else {
        return false;
    }
    I.TopDown = height < 0;
    I.Height = std::abs(height);
    return planes == 1 && I.Width > 0 && I.Height > 0;
}

// Checks the bit count against the compression and sets the default masks;
// false for combinations not read here (the file embeds JPEG or PNG, has
// 2 or 64 bits, or an RLE picture claims to run top-down).
bool CheckFormat(TInfo& I) {
    const unsigned b = I.Bits;
    switch (I.Compression) {
    case BI_RGB:
        if (b == 16) I.Masks[0] = 0x7C00, I.Masks[1] = 0x03E0, I.Masks[2] = 0x001F;
        if (b == 32) I.Masks[0] = 0xFF0000, I.Masks[1] = 0x00FF00, I.Masks[2] = 0x0000FF;
        return b == 1 || b == 4 || b == 8 || b == 24 || (I.HeaderSize != kCoreHeader && (b == 16 || b == 32));
    case BI_RLE8:
        return b == 8 && !I.TopDown;
    case BI_RLE4:
        return b == 4 && !I.TopDown;
    case BI_BITFIELDS:
        return b == 16 || b == 32;
    default:
        return false;
    }
}

// The palette of a 1-, 4- or 8-bit picture. It ends where the pixels begin:
// core files often hold fewer entries than their bit count allows.
bool ReadPalette(TByteSource& File, const TInfo& I, TPalette& P) {
    const std::uint64_t most = std::uint64_t(1) << I.Bits;
    std::uint64_t count = I.ColorsUsed ? I.ColorsUsed : most;
    if (count > most) return false;
    if (I.DataAt) {
        if (I.DataAt < I.PaletteAt) return false;
        count = std::min(count, (I.DataAt - I.PaletteAt) / I.EntrySize);
    }
    std::uint8_t raw[256 * 4];
    if (!File.ReadAt(I.PaletteAt, raw, count * I.EntrySize)) return false;
    for (unsigned i = 0; i < count; ++i) std::memcpy(P.Bgr[i], raw + i * I.EntrySize, 3);
    P.Count = static_cast<unsigned>(count);
    return true;
}

// One colour channel of a 16- or 32-bit pixel. A value of fewer than 8 bits
// is widened by repeating its bits (5 bits: 31 gives 255, 16 gives 132); a
// longer one keeps its top 8 bits.
class TChannel {
public:
    // False for an empty mask or one with gaps.
    bool SetMask(std::uint32_t Mask) {
        if (!Mask) return false;
        FMask = Mask;
        FShift = std::countr_zero(Mask);
        const std::uint32_t top = Mask >> FShift;
        FBits = std::popcount(top);
        if (top & (top + 1)) return false;
        for (std::uint32_t v = 0; FBits < 8 && v <= top; ++v) {
            std::uint32_t wide = 0;
            int filled = 0;
            for (; filled < 8; filled += FBits) wide = wide << FBits | v;
            FWiden[v] = static_cast<std::uint8_t>(wide >> (filled - 8));
        }
        return true;
    }
    std::uint8_t Of(std::uint32_t Pixel) const {
        const std::uint32_t v = (Pixel & FMask) >> FShift;
        return FBits < 8 ? FWiden[v] : static_cast<std::uint8_t>(v >> (FBits - 8));
    }

private:
    std::uint32_t FMask = 0;
    int FShift = 0, FBits = 0;
    std::uint8_t FWiden[128] = {};
};

// Turns rows of the file's pixels into rows of 24-bit pixels.
class TRowReader {
public:
    TRowReader(const TInfo& I, const TPalette& P) : FInfo(I), FPalette(P) {}

    // For 16 and 32 bits; false when the masks are not usable: empty, with
    // gaps, overlapping or wider than the pixel.
    bool SetMasks() {
        const std::uint32_t* m = FInfo.Masks;
        const std::uint64_t pixel = (std::uint64_t(1) << FInfo.Bits) - 1;
        if ((m[0] & m[1]) | (m[0] & m[2]) | (m[1] & m[2]) || (std::uint64_t(m[0] | m[1] | m[2]) & ~pixel))
            return false;
        return FBlue.SetMask(m[2]) && FGreen.SetMask(m[1]) && FRed.SetMask(m[0]);
    }

    // False when a pixel names a colour past the palette.
    bool Row(const std::uint8_t* Src, std::uint8_t* Dst) const {
        const std::int64_t w = FInfo.Width;
        switch (FInfo.Bits) {
        case 24:
            std::memcpy(Dst, Src, w * 3);
            return true;
        case 16:
            for (std::int64_t x = 0; x < w; ++x, Dst += 3) Masked(U16(Src + 2 * x), Dst);
            return true;
        case 32:
            for (std::int64_t x = 0; x < w; ++x, Dst += 3) Masked(U32(Src + 4 * x), Dst);
            return true;
        default:
            return Indexed(Src, Dst);
        }
    }

    // Sets the pixel at Dst to palette entry Index; false past the palette.
    bool Put(unsigned Index, std::uint8_t* Dst) const {
        if (Index >= FPalette.Count) return false;
        std::memcpy(Dst, FPalette.Bgr[Index], 3);
        return true;
    }

private:
    void Masked(std::uint32_t Pixel, std::uint8_t* Dst) const {
        Dst[0] = FBlue.Of(Pixel), Dst[1] = FGreen.Of(Pixel), Dst[2] = FRed.Of(Pixel);
    }
    // 1, 4 or 8 bits per pixel, the leftmost pixel in the high bits.
    bool Indexed(const std::uint8_t* Src, std::uint8_t* Dst) const {
        const unsigned bits = FInfo.Bits, mask = (1u << bits) - 1;
        for (std::uint64_t x = 0, at = 0; x < std::uint64_t(FInfo.Width); ++x, at += bits, Dst += 3)
            if (!Put((Src[at / 8] >> (8 - bits - at % 8)) & mask, Dst)) return false;
        return true;
    }

    const TInfo& FInfo;
    const TPalette& FPalette;
    TChannel FRed, FGreen, FBlue;
};

std::unique_ptr<forms::TBitmap> ReadRows(TByteSource& File, const TInfo& I, const TRowReader& Rows) {
    const std::uint64_t stride = (std::uint64_t(I.Width) * I.Bits + 31) / 32 * 4;
    const std::uint64_t used = (std::uint64_t(I.Width) * I.Bits + 7) / 8;
    // The pixels must be in the file, though the last row may lack its padding.
    if (stride * (I.Height - 1) + used > File.Size() - I.DataAt) return nullptr;
    auto picture = NewPicture(I.Width, I.Height);
    if (!picture) return nullptr;
    const std::int64_t piece = std::max<std::uint64_t>(1, kReadPiece / stride);
    std::vector<std::uint8_t> buffer((piece - 1) * stride + used);
    for (std::int64_t row = 0; row < I.Height; row += piece) {
        const std::int64_t n = std::min(piece, I.Height - row);
        if (!File.ReadAt(I.DataAt + row * stride, buffer.data(), (n - 1) * stride + used)) return nullptr;
        for (std::int64_t k = 0; k < n; ++k) {
            const std::int64_t y = I.TopDown ? row + k : I.Height - 1 - (row + k);
            if (!Rows.Row(buffer.data() + k * stride, picture->ScanLine(static_cast<int>(y)))) return nullptr;
        }
    }
    return picture;
}

// Decodes RLE8 or RLE4 data into the picture, bottom row first. Pixels that
// the data skips (by a delta, or by ending a line or the bitmap early) keep
// the new picture's white. False when the data ends before its end-of-bitmap
// code, or a run or a delta leaves the picture.
bool DecodeRle(const std::vector<std::uint8_t>& D, const TInfo& I, const TRowReader& Rows, forms::TBitmap& Picture) {
    const bool four = I.Bits == 4;
    std::uint8_t* const top = Picture.ScanLine(0);
    std::int64_t x = 0, y = 0;
    auto put = [&](unsigned Index) {
        if (x >= I.Width || y >= I.Height) return false;
        return Rows.Put(Index, top + (I.Height - 1 - y) * Picture.RowBytes() + 3 * x++);
    };
    std::size_t at = 0;
    for (;;) {
        if (D.size() - at < 2) return false;
        const unsigned n = D[at], c = D[at + 1];
        at += 2;
        if (n) {  // n pixels of one index, or of two alternating ones
            for (unsigned i = 0; i < n; ++i)
                if (!put(four ? (i % 2 ? c & 15 : c >> 4) : c)) return false;
        } else if (c == 0) {  // end of line
            x = 0, ++y;
        } else if (c == 1) {  // end of bitmap
            return true;
        } else if (c == 2) {  // move right and up
            if (D.size() - at < 2) return false;
            x += D[at], y += D[at + 1];
            at += 2;
            if (x > I.Width || y > I.Height) return false;
        } else {  // c pixels given one by one, padded to a 16-bit boundary
            const std::size_t bytes = four ? (c + 1) / 2 : c, padded = (bytes + 1) & ~std::size_t(1);
            if (D.size() - at < padded) return false;
            for (unsigned i = 0; i < c; ++i)
                if (!put(four ? (D[at + i / 2] >> (i % 2 ? 0 : 4)) & 15 : D[at + i])) return false;
            at += padded;
        }
    }
}

std::unique_ptr<forms::TBitmap> ReadRle(TByteSource& File, const TInfo& I, const TRowReader& Rows) {
    std::vector<std::uint8_t> data(I.SizeImage ? I.SizeImage : File.Size() - I.DataAt);
    if (!File.ReadAt(I.DataAt, data.data(), data.size())) return nullptr;
    auto picture = NewPicture(I.Width, I.Height);
    if (!picture || !DecodeRle(data, I, Rows, *picture)) return nullptr;
    return picture;
}

}  // namespace

bool SaneSize(std::int64_t Width, std::int64_t Height) {
    if (Width <= 0 || Height <= 0 || Width > std::int64_t(kMaxPictureBytes) || Height > std::int64_t(kMaxPictureBytes))
        return false;
    const std::uint64_t rowBytes = (std::uint64_t(Width) * 3 + 3) & ~std::uint64_t(3);
    return rowBytes * std::uint64_t(Height) <= kMaxPictureBytes;
}

std::unique_ptr<forms::TBitmap> NewPicture(std::int64_t Width, std::int64_t Height) {
    if (!SaneSize(Width, Height)) return nullptr;
    try {
        auto picture = std::make_unique<forms::TBitmap>();
        picture->SetSize(static_cast<int>(Width), static_cast<int>(Height));
        return picture;
    } catch (const forms::Exception&) {  // no memory for the section
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<forms::TBitmap> ReadBmp(TByteSource& File) {
    TInfo info;
    TPalette palette;
    if (!ReadHeaders(File, info) || !CheckFormat(info)) return nullptr;
    const bool indexed = info.Bits <= 8;
    TRowReader rows(info, palette);
    if (!(indexed ? ReadPalette(File, info, palette) : info.Bits == 24 || rows.SetMasks())) return nullptr;
    if (!info.DataAt)
        info.DataAt = info.PaletteAt + std::uint64_t(indexed ? palette.Count : info.ColorsUsed) * info.EntrySize;
    const std::uint64_t size = File.Size();
    if (info.DataAt < info.PaletteAt || info.DataAt > size || info.SizeImage > size - info.DataAt ||
        !SaneSize(info.Width, info.Height))
        return nullptr;
    const bool rle = info.Compression == BI_RLE8 || info.Compression == BI_RLE4;
    return rle ? ReadRle(File, info, rows) : ReadRows(File, info, rows);
}

}  // namespace pictures
