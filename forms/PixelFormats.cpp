#include "PixelFormats.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
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
// is nearest to all of its colours, or else leads to a block of 512 bytes
// with the nearest colour of each of them. A cell's block is searched only among the few
// colours that can be nearest in it, and the cells of a 32-wide region take
// their candidates from the region's, so that the table is made in a few
// tens of milliseconds and holds only the blocks it needs.
class TNearestColor {
public:
    TNearestColor(const RGBQUAD* Palette, int Count) : FCells(kCells * kCells * kCells) {
        // First each cell's candidates, to know the size of the blocks: a
        // single colour is kept in the cell (with kOne), a longer list in
        // Lists (its length, then the colours) at the offset kept in the cell.
        std::vector<int> all(static_cast<size_t>(Count)), region, list;
        for (int k = 0; k < Count; ++k) all[static_cast<size_t>(k)] = k;
        std::vector<std::uint8_t> lists;
        size_t mixed = 0;
        for (int rr = 0; rr < 256; rr += kRegion)
            for (int rg = 0; rg < 256; rg += kRegion)
                for (int rb = 0; rb < 256; rb += kRegion) {
                    const int regionLo[3] = {rr, rg, rb};
                    Candidates(Palette, all, regionLo, kRegion, region);
                    for (int r = rr; r < rr + kRegion; r += kEdge)
                        for (int g = rg; g < rg + kRegion; g += kEdge)
                            for (int b = rb; b < rb + kRegion; b += kEdge) {
                                const int lo[3] = {r, g, b};
                                Candidates(Palette, region, lo, kEdge, list);
                                std::uint32_t& cell = FCells[static_cast<size_t>(CellOf(r, g, b))];
                                if (list.size() == 1) {
                                    cell = kOne | static_cast<std::uint32_t>(list[0]);
                                    continue;
                                }
                                cell = static_cast<std::uint32_t>(lists.size());
                                lists.push_back(static_cast<std::uint8_t>(list.size() - 1));
                                for (int k : list) lists.push_back(static_cast<std::uint8_t>(k));
                                ++mixed;
                            }
                }
        // Then the blocks, each written once: new memory costs most at its
        // first touch.
        FBlocks.reset(new std::uint8_t[mixed * 512]);
        size_t next = 0;
        for (int cell = 0; cell < kCells * kCells * kCells; ++cell) {
            std::uint32_t& c = FCells[static_cast<size_t>(cell)];
            if (c & kOne) {
                c &= 255;
                continue;
            }
            const std::uint8_t* at = &lists[c];
            list.assign(at + 1, at + 2 + *at);
            const int lo[3] = {(cell >> 10) * kEdge, (cell >> 5 & 31) * kEdge, (cell & 31) * kEdge};
            Fill(Palette, list, lo, &FBlocks[next]);
            c = static_cast<std::uint32_t>(kBlock + next);
            next += 512;
        }
    }

    // The nearest colour of the colour whose blue, green and red are the
    // low, middle and high byte of Bgr.
    std::uint8_t Index(std::uint32_t Bgr) const {
        const std::uint32_t cell = (Bgr >> 3 & 0x1F) | (Bgr >> 6 & 0x3E0) | (Bgr >> 9 & 0x7C00);
        const std::uint32_t colour = (Bgr & 7) | (Bgr >> 5 & 0x38) | (Bgr >> 10 & 0x1C0);
        const std::uint32_t at = FCells[cell];
        return at < kBlock ? static_cast<std::uint8_t>(at) : FBlocks[at - kBlock + colour];
    }

private:
    static constexpr int kEdge = 8, kCells = 256 / kEdge, kRegion = 32;

    static int CellOf(int R, int G, int B) { return (R >> 3) << 10 | (G >> 3) << 5 | (B >> 3); }

    // The greatest (Far) or least squared distance of a colour to the box of
    // Edge colours a side whose lowest corner is Lo.
    static int Distance(const RGBQUAD& C, const int Lo[3], int Edge, bool Far) {
        const int c[3] = {C.rgbRed, C.rgbGreen, C.rgbBlue};
        int d = 0;
        for (int i = 0; i < 3; ++i) {
            const int below = c[i] - Lo[i], above = c[i] - (Lo[i] + Edge - 1);
            if (Far)
                d += std::max(Square(below), Square(above));
            else if (below < 0 || above > 0)
                d += std::min(Square(below), Square(above));
        }
        return d;
    }

    // Whether colour J is nearer than colour K to every colour of the box (or
    // as near, being the lower index). The difference of their squared
    // distances is linear in the colour, so its least value over the box is
    // at the corner that is furthest along J - K on each axis.
    static bool Dominates(const RGBQUAD& J, int IndexJ, const RGBQUAD& K, int IndexK, const int Lo[3], int Edge) {
        const int j[3] = {J.rgbRed, J.rgbGreen, J.rgbBlue}, k[3] = {K.rgbRed, K.rgbGreen, K.rgbBlue};
        int least = 0;
        for (int i = 0; i < 3; ++i) {
            const int x = j[i] > k[i] ? Lo[i] : Lo[i] + Edge - 1;
            least += Square(x - k[i]) - Square(x - j[i]);
        }
        return least > 0 || (least == 0 && IndexJ < IndexK);
    }

    // The colours of From, in their order, that can be nearest to a colour of
    // the box: not those whose least distance to the box is above the
    // greatest distance of another, nor those another is nearer than in all
    // of the box.
    static void Candidates(const RGBQUAD* Palette, const std::vector<int>& From, const int Lo[3], int Edge,
                           std::vector<int>& List) {
        int bound = INT_MAX;
        for (int k : From) bound = std::min(bound, Distance(Palette[k], Lo, Edge, true));
        List.clear();
        for (int k : From)
            if (Distance(Palette[k], Lo, Edge, false) <= bound) List.push_back(k);
        auto beaten = [&](int K) {
            for (int j : List)
                if (j != K && Dominates(Palette[j], j, Palette[K], K, Lo, Edge)) return true;
            return false;
        };
        // A colour beaten by one that is beaten in turn is beaten by that
        // one's victor too, so the list can shrink as it goes.
        for (size_t i = 0; i < List.size();)
            if (beaten(List[i]))
                List.erase(List.begin() + static_cast<std::ptrdiff_t>(i));
            else
                ++i;
    }

    // The nearest of List (the lowest index of equally near ones) for each
    // colour of the cell at Lo.
    static void Fill(const RGBQUAD* Palette, const std::vector<int>& List, const int Lo[3], std::uint8_t* Block) {
        int best[512], index[512];
        std::fill(std::begin(best), std::end(best), INT_MAX);
        for (int c : List) {
            int d[3][kEdge];
            const int at[3] = {Palette[c].rgbRed, Palette[c].rgbGreen, Palette[c].rgbBlue};
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < kEdge; ++k) d[i][k] = Square(Lo[i] + k - at[i]);
            for (int r = 0; r < kEdge; ++r)
                for (int g = 0; g < kEdge; ++g) {
                    const int base = d[0][r] + d[1][g];
                    int* const rowBest = best + (r << 6 | g << 3);
                    int* const rowIndex = index + (r << 6 | g << 3);
                    for (int b = 0; b < kEdge; ++b) {
                        const int e = base + d[2][b];
                        const bool nearer = e < rowBest[b];  // the lowest index of equally near ones
                        rowBest[b] = nearer ? e : rowBest[b];
                        rowIndex[b] = nearer ? c : rowIndex[b];
                    }
                }
        }
        for (int k = 0; k < 512; ++k) Block[k] = static_cast<std::uint8_t>(index[k]);
    }

    static constexpr std::uint32_t kOne = 1u << 31, kBlock = 256;
    std::vector<std::uint32_t> FCells;  // a cell's one colour, or kBlock + the offset of its block in FBlocks
    std::unique_ptr<std::uint8_t[]> FBlocks;
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
// bits of a row's last byte are 0. Four pixels are read at once as three
// words.
template <int Bits>
void PackRow(const TNearestColor& M, const std::uint8_t* Bgr, std::uint8_t* Row, int Width) {
    constexpr int kPerByte = 8 / Bits, kGroup = kPerByte > 4 ? kPerByte : 4;
    auto word = [](const std::uint8_t* P) {
        std::uint32_t w;
        std::memcpy(&w, P, 4);
        return w;
    };
    int x = 0;
    for (; x + kGroup <= Width; x += kGroup, Bgr += 3 * kGroup) {
        std::uint8_t index[kGroup];
        for (int i = 0; i < kGroup; i += 4) {
            const std::uint32_t w0 = word(Bgr + 3 * i), w1 = word(Bgr + 3 * i + 4), w2 = word(Bgr + 3 * i + 8);
            index[i] = M.Index(w0 & 0xFFFFFF);
            index[i + 1] = M.Index(w0 >> 24 | (w1 & 0xFFFF) << 8);
            index[i + 2] = M.Index(w1 >> 16 | (w2 & 0xFF) << 16);
            index[i + 3] = M.Index(w2 >> 8);
        }
        for (int i = 0; i < kGroup; i += kPerByte) {
            unsigned byte = 0;
            for (int k = 0; k < kPerByte; ++k) byte = byte << Bits | index[i + k];
            *Row++ = static_cast<std::uint8_t>(byte);
        }
    }
    // The last pixels one at a time, for no word may reach past the row.
    unsigned byte = 0;
    int pending = 0;
    for (; x < Width; ++x, Bgr += 3) {
        byte = byte << Bits | M.Index(static_cast<std::uint32_t>(Bgr[0] | Bgr[1] << 8 | Bgr[2] << 16));
        if (++pending == kPerByte) *Row++ = static_cast<std::uint8_t>(byte), byte = 0, pending = 0;
    }
    if (pending) *Row = static_cast<std::uint8_t>(byte << (Bits * (kPerByte - pending)));
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
    return MatcherOf(Format).Index(static_cast<std::uint32_t>(B | G << 8 | R << 16));
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
