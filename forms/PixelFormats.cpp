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
// is nearest to all of its colours, or else a block of 512 bytes with the
// nearest colour of each of them, found when the table is made among the
// few that can be nearest in the cell: a colour whose least distance to the
// cell is above the greatest distance of another never is.
class TNearestColor {
public:
    TNearestColor(const RGBQUAD* Palette, int Count) : FCells(32 * 32 * 32) {
        std::vector<int> list;
        for (int cell = 0; cell < 32 * 32 * 32; ++cell) {
            const int lo[3] = {(cell >> 10) * 8, (cell >> 5 & 31) * 8, (cell & 31) * 8};
            int bound = INT_MAX;
            for (int k = 0; k < Count; ++k) bound = std::min(bound, Distance(Palette[k], lo, true));
            list.clear();
            for (int k = 0; k < Count; ++k)
                if (Distance(Palette[k], lo, false) <= bound) list.push_back(k);
            if (list.size() == 1) {
                FCells[static_cast<size_t>(cell)] = static_cast<std::uint16_t>(list[0]);
                continue;
            }
            FCells[static_cast<size_t>(cell)] = static_cast<std::uint16_t>(kBlocks + FBlocks.size() / 512);
            for (int k = 0; k < 512; ++k) {
                const int r = lo[0] + (k >> 6), g = lo[1] + (k >> 3 & 7), b = lo[2] + (k & 7);
                int best = INT_MAX, index = 0;
                for (int c : list) {
                    const int d = Square(r - Palette[c].rgbRed) + Square(g - Palette[c].rgbGreen) +
                                  Square(b - Palette[c].rgbBlue);
                    if (d < best) best = d, index = c;  // the lowest index of equally near ones
                }
                FBlocks.push_back(static_cast<std::uint8_t>(index));
            }
        }
    }

    std::uint8_t Index(int R, int G, int B) const {
        const unsigned cell = FCells[static_cast<size_t>((R >> 3) << 10 | (G >> 3) << 5 | (B >> 3))];
        if (cell < kBlocks) return static_cast<std::uint8_t>(cell);
        return FBlocks[static_cast<size_t>(cell - kBlocks) * 512 + static_cast<size_t>((R & 7) << 6 | (G & 7) << 3 | (B & 7))];
    }

private:
    static constexpr unsigned kBlocks = 256;

    // The greatest (Far) or least squared distance of a colour to the cell
    // whose lowest corner is Lo.
    static int Distance(const RGBQUAD& C, const int Lo[3], bool Far) {
        const int c[3] = {C.rgbRed, C.rgbGreen, C.rgbBlue};
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

    std::vector<std::uint16_t> FCells;  // a colour, or kBlocks + the number of its block (below 2^15)
    std::vector<std::uint8_t> FBlocks;
};

// Each table is made when its format is first used.
const TNearestColor& MatcherOf(TPixelFormat Format) {
    switch (Format) {
    case pf1bit: {
        static const TNearestColor mono(kMono, 2);
        return mono;
    }
    case pf4bit: {
        static const TNearestColor standard(kStandard, 16);
        return standard;
    }
    default: {
        static const TNearestColor full(Palette256().data(), 256);
        return full;
    }
    }
}

// Every 15-bit value as blue, green, red and a zero byte.
const std::array<std::uint32_t, 32768>& Widened15() {
    static const std::array<std::uint32_t, 32768> table = [] {
        std::array<std::uint32_t, 32768> t = {};
        for (std::uint32_t v = 0; v < 32768; ++v) {
            std::uint32_t bgr = 0;
            for (int i = 0; i < 3; ++i) {
                const std::uint32_t c = v >> (5 * i) & 31;
                bgr |= (c << 3 | c >> 2) << (8 * i);
            }
            t[v] = bgr;
        }
        return t;
    }();
    return table;
}

// The palette indexes of the nearest colours of Width pixels, Bits (1, 4,
// 8) to a pixel, the left pixel in the highest bits of a byte; the unused
// bits of a row's last byte are 0.
template <int Bits>
void PackRow(const TNearestColor& M, const std::uint8_t* Bgr, std::uint8_t* Row, int Width) {
    constexpr int kPerByte = 8 / Bits;
    auto pack = [&](int Pixels) {
        unsigned byte = 0;
        for (int i = 0; i < Pixels; ++i, Bgr += 3) byte = byte << Bits | M.Index(Bgr[2], Bgr[1], Bgr[0]);
        return static_cast<std::uint8_t>(byte << (Bits * (kPerByte - Pixels)));
    };
    for (int n = Width / kPerByte; n > 0; --n) *Row++ = pack(kPerByte);
    if (Width % kPerByte) *Row = pack(Width % kPerByte);
}

// Stores the three low bytes of a blue, green, red, zero quad: four bytes
// at once but for the last pixel of a row, whose next byte is not ours.
inline void PutPixel(std::uint8_t* Bgr, std::uint32_t Quad, bool Last) {
    if (Last) {
        Bgr[0] = static_cast<std::uint8_t>(Quad);
        Bgr[1] = static_cast<std::uint8_t>(Quad >> 8);
        Bgr[2] = static_cast<std::uint8_t>(Quad >> 16);
    } else {
        std::memcpy(Bgr, &Quad, 4);
    }
}

// The palette colours of Width pixels of Bits (1, 4, 8) each. Below 8 bits
// a table gives the pixels of every byte at once.
template <int Bits>
void UnpackRow(TPixelFormat Format, const std::uint8_t* Row, std::uint8_t* Bgr, int Width) {
    constexpr int kPerByte = 8 / Bits;
    int count;
    const RGBQUAD* palette = FormatPalette(Format, count);
    auto quad = [palette](unsigned Index) {
        std::uint32_t q;
        std::memcpy(&q, &palette[Index], 4);  // blue, green, red, 0
        return q;
    };
    int x = 0;
    if constexpr (kPerByte > 1) {
        static const auto bytes = [&] {
            std::array<std::array<std::uint8_t, 3 * kPerByte + 1>, 256> t = {};
            for (unsigned b = 0; b < 256; ++b)
                for (int i = 0; i < kPerByte; ++i) {
                    const std::uint32_t q = quad(b >> (8 - Bits * (i + 1)) & ((1u << Bits) - 1));
                    std::memcpy(&t[b][3 * static_cast<size_t>(i)], &q, 4);
                }
            return t;
        }();
        for (; x + kPerByte <= Width; x += kPerByte, Bgr += 3 * kPerByte)
            std::memcpy(Bgr, bytes[Row[x / kPerByte]].data(), 3 * kPerByte);
    }
    for (; x < Width; ++x, Bgr += 3)
        PutPixel(Bgr, quad(Row[x * Bits / 8] >> (8 - Bits - x * Bits % 8) & ((1u << Bits) - 1)), x == Width - 1);
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
    switch (Format) {
    case pf1bit: return PackRow<1>(m, Bgr, Row, Width);
    case pf4bit: return PackRow<4>(m, Bgr, Row, Width);
    default: return PackRow<8>(m, Bgr, Row, Width);
    }
}

void ExpandRow(const std::uint8_t* Row, TPixelFormat Format, std::uint8_t* Bgr, int Width) {
    if (Format == pf24bit) {
        std::memcpy(Bgr, Row, static_cast<size_t>(Width) * 3);
        return;
    }
    if (Format == pf15bit) {
        const auto& widened = Widened15();
        for (int x = 0; x < Width; ++x, Row += 2, Bgr += 3)
            PutPixel(Bgr, widened[static_cast<size_t>((Row[0] | Row[1] << 8) & 0x7FFF)], x == Width - 1);
        return;
    }
    switch (Format) {
    case pf1bit: return UnpackRow<1>(Format, Row, Bgr, Width);
    case pf4bit: return UnpackRow<4>(Format, Row, Bgr, Width);
    default: return UnpackRow<8>(Format, Row, Bgr, Width);
    }
}

}  // namespace forms
