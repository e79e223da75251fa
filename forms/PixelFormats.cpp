#include "PixelFormats.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace forms {

namespace {

constexpr RGBQUAD Rgb(BYTE R, BYTE G, BYTE B) { return RGBQUAD{B, G, R, 0}; }

// The two colours of 1 bit, and the sixteen standard colours of 4 bits in
// the order the system's own palette has them.
constexpr RGBQUAD kMono[2] = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
constexpr RGBQUAD kStandard[16] = {
    Rgb(0, 0, 0),     Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0), Rgb(0, 0, 128),   Rgb(128, 0, 128),
    Rgb(0, 128, 128), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(255, 0, 0), Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),   Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};

bool IsStandard(const RGBQUAD& C) {
    for (const RGBQUAD& s : kStandard)
        if (s.rgbRed == C.rgbRed && s.rgbGreen == C.rgbGreen && s.rgbBlue == C.rgbBlue) return true;
    return false;
}

// 256 colours as a system palette lays them out: the first eight standard
// colours, the 6 x 6 x 6 colour cube (steps of 51) without the standard
// colours it holds, 32 greys between (2, 10 .. 250), the last eight
// standard colours.
std::array<RGBQUAD, 256> MakePalette256() {
    std::array<RGBQUAD, 256> p = {};
    size_t n = 0;
    for (int i = 0; i < 8; ++i) p[n++] = kStandard[i];
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) {
                const RGBQUAD c = Rgb(static_cast<BYTE>(51 * r), static_cast<BYTE>(51 * g), static_cast<BYTE>(51 * b));
                if (!IsStandard(c)) p[n++] = c;
            }
    for (int k = 0; k < 32; ++k) {
        const BYTE v = static_cast<BYTE>(2 + 8 * k);
        p[n++] = Rgb(v, v, v);
    }
    for (int i = 8; i < 16; ++i) p[n++] = kStandard[i];
    return p;
}

const std::array<RGBQUAD, 256>& Palette256() {
    static const std::array<RGBQUAD, 256> palette = MakePalette256();
    return palette;
}

int Square(int V) { return V * V; }

// The nearest colour of a palette through a table of the RGB cube cut into
// 32 x 32 x 32 cells of 8 x 8 x 8 colours. A cell holds the one colour that
// is nearest to all of its colours, or a short list of the colours that can
// be nearest to one of them: a colour whose least distance to the cell is
// above the greatest distance of some other colour never is.
class TNearestColor {
public:
    TNearestColor(const RGBQUAD* Palette, int Count) : FPalette(Palette), FCells(32 * 32 * 32) {
        std::vector<std::uint16_t> list;
        for (int cell = 0; cell < 32 * 32 * 32; ++cell) {
            const int lo[3] = {(cell >> 10) * 8, (cell >> 5 & 31) * 8, (cell & 31) * 8};
            int bound = INT_MAX;
            for (int k = 0; k < Count; ++k) bound = std::min(bound, Distance(k, lo, true));
            list.clear();
            for (int k = 0; k < Count; ++k)
                if (Distance(k, lo, false) <= bound) list.push_back(static_cast<std::uint16_t>(k));
            if (list.size() == 1) {
                FCells[static_cast<size_t>(cell)] = list[0];
            } else {
                FCells[static_cast<size_t>(cell)] = kListed + static_cast<std::uint32_t>(FLists.size());
                FLists.push_back(static_cast<std::uint16_t>(list.size()));
                FLists.insert(FLists.end(), list.begin(), list.end());
            }
        }
    }

    std::uint8_t Index(int R, int G, int B) const {
        const std::uint32_t cell = FCells[static_cast<size_t>((R >> 3) << 10 | (G >> 3) << 5 | (B >> 3))];
        return cell < kListed ? static_cast<std::uint8_t>(cell) : Search(cell - kListed, R, G, B);
    }

private:
    static constexpr std::uint32_t kListed = 256;

    // The greatest (Far) or least squared distance of palette colour K to
    // the cell whose lowest corner is Lo.
    int Distance(int K, const int Lo[3], bool Far) const {
        const int c[3] = {FPalette[K].rgbRed, FPalette[K].rgbGreen, FPalette[K].rgbBlue};
        int d = 0;
        for (int i = 0; i < 3; ++i) {
            const int below = c[i] - Lo[i], above = c[i] - (Lo[i] + 7);
            if (Far)
                d += std::max(Square(below), Square(above));
            else if (below < 0 || above > 0)
                d += std::min(Square(below), Square(above));
        }
        return d;
    }

    std::uint8_t Search(std::uint32_t List, int R, int G, int B) const {
        const std::uint16_t* k = &FLists[List];
        const int n = *k++;
        int best = INT_MAX, index = 0;
        for (int i = 0; i < n; ++i) {
            const RGBQUAD& c = FPalette[k[i]];
            const int d = Square(R - c.rgbRed) + Square(G - c.rgbGreen) + Square(B - c.rgbBlue);
            if (d < best) best = d, index = k[i];
        }
        return static_cast<std::uint8_t>(index);
    }

    const RGBQUAD* FPalette;
    std::vector<std::uint32_t> FCells;  // a colour, or kListed + the start of its list in FLists
    std::vector<std::uint16_t> FLists;  // each list: its length, then its colours by rising index
};

const TNearestColor& MatcherOf(TPixelFormat Format) {
    static const TNearestColor mono(kMono, 2), standard(kStandard, 16), full(Palette256().data(), 256);
    return Format == pf1bit ? mono : Format == pf4bit ? standard : full;
}

}  // namespace

int FormatBits(TPixelFormat Format) {
    switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: return 16;
    default: return 24;
    }
}

const RGBQUAD* FormatPalette(TPixelFormat Format, int& Count) {
    switch (Format) {
    case pf1bit: Count = 2; return kMono;
    case pf4bit: Count = 16; return kStandard;
    case pf8bit: Count = 256; return Palette256().data();
    default: Count = 0; return nullptr;
    }
}

std::uint8_t NearestColorIndex(TPixelFormat Format, std::uint8_t R, std::uint8_t G, std::uint8_t B) {
    return MatcherOf(Format).Index(R, G, B);
}

void ReduceRow(const std::uint8_t* Bgr, std::uint8_t* Row, TPixelFormat Format, int Width) {
    const int bits = FormatBits(Format);
    const size_t used = (static_cast<size_t>(Width) * bits + 7) / 8;
    const size_t padded = (static_cast<size_t>(Width) * bits + 31) / 32 * 4;
    std::memset(Row + used, 0, padded - used);
    if (Format == pf24bit) {
        std::memcpy(Row, Bgr, used);
        return;
    }
    if (Format == pf15bit) {
        for (int x = 0; x < Width; ++x, Bgr += 3, Row += 2) {
            const unsigned v = (Bgr[2] >> 3) << 10 | (Bgr[1] >> 3) << 5 | Bgr[0] >> 3;
            Row[0] = static_cast<std::uint8_t>(v);
            Row[1] = static_cast<std::uint8_t>(v >> 8);
        }
        return;
    }
    const TNearestColor& m = MatcherOf(Format);
    if (Format == pf8bit) {
        for (int x = 0; x < Width; ++x, Bgr += 3) Row[x] = m.Index(Bgr[2], Bgr[1], Bgr[0]);
        return;
    }
    // 4 bits: the left pixel in the high half of a byte; 1 bit: the left
    // pixel in the highest bit.
    const int perByte = 8 / bits;
    for (int x = 0; x < Width; x += perByte) {
        unsigned byte = 0;
        for (int i = 0; i < perByte; ++i) {
            byte <<= bits;
            if (x + i >= Width) continue;
            byte |= m.Index(Bgr[2], Bgr[1], Bgr[0]);
            Bgr += 3;
        }
        *Row++ = static_cast<std::uint8_t>(byte);
    }
}

void ExpandRow(const std::uint8_t* Row, TPixelFormat Format, std::uint8_t* Bgr, int Width) {
    if (Format == pf24bit) {
        std::memcpy(Bgr, Row, static_cast<size_t>(Width) * 3);
        return;
    }
    if (Format == pf15bit) {
        for (int x = 0; x < Width; ++x, Row += 2, Bgr += 3) {
            const unsigned v = Row[0] | Row[1] << 8;
            for (int i = 0; i < 3; ++i) {
                const unsigned c = v >> (5 * i) & 31;
                Bgr[i] = static_cast<std::uint8_t>(c << 3 | c >> 2);
            }
        }
        return;
    }
    int count;
    const RGBQUAD* palette = FormatPalette(Format, count);
    const int bits = FormatBits(Format);
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < Width; ++x, Bgr += 3) {
        const int bit = x * bits;
        const unsigned index = Row[bit / 8] >> (8 - bits - bit % 8) & mask;
        const RGBQUAD& c = palette[index];
        Bgr[0] = c.rgbBlue;
        Bgr[1] = c.rgbGreen;
        Bgr[2] = c.rgbRed;
    }
}

}  // namespace forms
