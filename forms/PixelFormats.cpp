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

// The cells of the nearest-colour tables: 4 x 4 x 4 colours each, 64 to a
// side of the cube.
constexpr int kEdgeBits = 2, kEdge = 1 << kEdgeBits, kCells = 256 / kEdge, kCellBits = 8 - kEdgeBits,
              kBlockSize = kEdge * kEdge * kEdge;

// A colour's key: its cell above the low 6 bits and its place in the cell's
// block in them, the sum of the blue and green pair's share and the red's.
// Two look-ups instead of three, for the look-ups are what a pixel costs;
// the pair's table is 256 KB, of which a picture's neighbouring pixels use
// a few lines.
struct TKeys {
    std::uint32_t BlueGreen[65536];
    std::uint32_t Red[256];
};

const TKeys& Keys() {
    static const std::unique_ptr<TKeys> keys = [] {
        auto k = std::make_unique<TKeys>();
        constexpr int kLow = kEdge - 1;
        // Channel I (0 blue, 1 green, 2 red) of value V.
        auto share = [](int I, int V) {
            return static_cast<std::uint32_t>((V >> kEdgeBits) << (3 * kEdgeBits + kCellBits * I) |
                                              (V & kLow) << (kEdgeBits * I));
        };
        for (int v = 0; v < 65536; ++v) k->BlueGreen[v] = share(0, v & 255) + share(1, v >> 8);
        for (int v = 0; v < 256; ++v) k->Red[v] = share(2, v);
        return k;
    }();
    return *keys;
}

// The nearest colour of a palette through a table of the RGB cube cut into
// 64 x 64 x 64 cells of 4 x 4 x 4 colours. Each cell leads to a block of 64
// bytes, one cache line, with the nearest colour of each of its colours; the
// cells whose colours all have one nearest colour share that colour's one
// block, so that a look-up takes no branch, which a photo's colours would
// take both ways at random. A cell's block is searched only among the few
// colours that can be nearest in it, found through ever smaller boxes (see
// Divide), so that the table is made in a few tens of milliseconds and holds
// only the blocks it needs.
class TNearestColor {
public:
    TNearestColor(const RGBQUAD* Palette, int Count) : FCells(kCells * kCells * kCells) {
        // First each cell's candidates, to know the size of the blocks: a
        // single colour is kept in the cell (with kOne), a longer list in
        // Lists (its length, then the colours) at the offset kept in the cell.
        TDivision d = {Palette, {}, {}, 0};
        for (int k = 0; k < Count; ++k) d.Levels[0].push_back(k);
        Divide(d, 0, 0, 0, 0, 256);
        const std::vector<std::uint8_t>& lists = d.Lists;
        std::vector<int> list;
        // Then the blocks, each written once: new memory costs most at its
        // first touch. The one-colour blocks come first, for the colours
        // that have a cell of their own.
        std::vector<std::uint32_t> single(static_cast<size_t>(Count), kNone);
        size_t singles = 0;
        for (std::uint32_t c : FCells)
            if (c & kOne && single[c & 255] == kNone) single[c & 255] = 0, ++singles;
        FBlocks.reset(new std::uint8_t[(d.Mixed + singles) * kBlockSize]);
        size_t next = 0;
        for (int k = 0; k < Count; ++k)
            if (single[static_cast<size_t>(k)] != kNone) {
                std::memset(&FBlocks[next], k, kBlockSize);
                single[static_cast<size_t>(k)] = static_cast<std::uint32_t>(next);
                next += kBlockSize;
            }
        // A cell keeps its block's offset less its own share of a colour's
        // key (see TKeys), so that the cell's entry plus the key is the
        // colour's place in its block. The sums wrap around in 32 bits.
        for (int cell = 0; cell < kCells * kCells * kCells; ++cell) {
            std::uint32_t& c = FCells[static_cast<size_t>(cell)];
            const std::uint32_t share = static_cast<std::uint32_t>(cell) * kBlockSize;
            if (c & kOne) {
                c = single[c & 255] - share;
                continue;
            }
            const std::uint8_t* at = &lists[c];
            list.assign(at + 1, at + 2 + *at);
            const int lo[3] = {(cell >> 2 * kCellBits) * kEdge, (cell >> kCellBits & (kCells - 1)) * kEdge,
                               (cell & (kCells - 1)) * kEdge};
            Fill(Palette, list, lo, &FBlocks[next]);
            c = static_cast<std::uint32_t>(next) - share;
            next += kBlockSize;
        }
    }

    // The look-up, a few pointers for a caller to keep in registers.
    struct TLookup {
        const std::uint32_t* Cells;
        const std::uint8_t* Blocks;
        const TKeys* Keys;
        // The nearest colour of the pixel of blue, green and red at Bgr.
        std::uint8_t operator()(const std::uint8_t* Bgr) const {
            std::uint16_t blueGreen;
            std::memcpy(&blueGreen, Bgr, 2);  // blue low, green high
            const std::uint32_t key = Keys->BlueGreen[blueGreen] + Keys->Red[Bgr[2]];
            return Blocks[static_cast<std::uint32_t>(Cells[key >> 3 * kEdgeBits] + key)];
        }
    };
    TLookup Lookup() const { return {FCells.data(), FBlocks.get(), &Keys()}; }

private:
    // The cube halved again and again down to the cells: each box's
    // candidates are found among its parent's, and a box with one candidate
    // gives it to all of its cells at once.
    struct TDivision {
        const RGBQUAD* Palette;
        std::vector<int> Levels[8];  // the candidates of the boxes being divided, by depth
        std::vector<std::uint8_t> Lists;
        size_t Mixed;
    };
    void Divide(TDivision& D, int Depth, int R, int G, int B, int Edge) {
        const int lo[3] = {R, G, B};
        std::vector<int>& list = D.Levels[Depth + 1];
        Candidates(D.Palette, D.Levels[Depth], lo, Edge, list);
        if (list.size() == 1 || Edge == kEdge) {
            for (int r = R; r < R + Edge; r += kEdge)
                for (int g = G; g < G + Edge; g += kEdge)
                    for (int b = B; b < B + Edge; b += kEdge) {
                        std::uint32_t& cell = FCells[static_cast<size_t>(CellOf(r, g, b))];
                        if (list.size() == 1) {
                            cell = kOne | static_cast<std::uint32_t>(list[0]);
                            continue;
                        }
                        cell = static_cast<std::uint32_t>(D.Lists.size());
                        D.Lists.push_back(static_cast<std::uint8_t>(list.size() - 1));
                        for (int k : list) D.Lists.push_back(static_cast<std::uint8_t>(k));
                        ++D.Mixed;
                    }
            return;
        }
        const int half = Edge / 2;
        for (int i = 0; i < 8; ++i)
            Divide(D, Depth + 1, R + (i >> 2) * half, G + (i >> 1 & 1) * half, B + (i & 1) * half, half);
    }

    static int CellOf(int R, int G, int B) {
        return (R >> kEdgeBits) << 2 * kCellBits | (G >> kEdgeBits) << kCellBits | (B >> kEdgeBits);
    }

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
        int best[kBlockSize], index[kBlockSize];
        std::fill(std::begin(best), std::end(best), INT_MAX);
        for (int c : List) {
            int d[3][kEdge];
            const int at[3] = {Palette[c].rgbRed, Palette[c].rgbGreen, Palette[c].rgbBlue};
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < kEdge; ++k) d[i][k] = Square(Lo[i] + k - at[i]);
            for (int r = 0; r < kEdge; ++r)
                for (int g = 0; g < kEdge; ++g) {
                    const int base = d[0][r] + d[1][g];
                    int* const rowBest = best + (r << 2 * kEdgeBits | g << kEdgeBits);
                    int* const rowIndex = index + (r << 2 * kEdgeBits | g << kEdgeBits);
                    for (int b = 0; b < kEdge; ++b) {
                        const int e = base + d[2][b];
                        const bool nearer = e < rowBest[b];  // the lowest index of equally near ones
                        rowBest[b] = nearer ? e : rowBest[b];
                        rowIndex[b] = nearer ? c : rowIndex[b];
                    }
                }
        }
        for (int k = 0; k < kBlockSize; ++k) Block[k] = static_cast<std::uint8_t>(index[k]);
    }

    static constexpr std::uint32_t kOne = 1u << 31, kNone = ~0u;
    std::vector<std::uint32_t> FCells;  // a cell's block's offset in FBlocks less the cell's share of a key
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
// bits of a row's last byte are 0.
template <int Bits>
void PackRow(const TNearestColor::TLookup Nearest, const std::uint8_t* Bgr, std::uint8_t* Row, int Width) {
    constexpr int kPerByte = 8 / Bits;
    int x = 0;
    for (; x + kPerByte <= Width; x += kPerByte, Bgr += 3 * kPerByte) {
        unsigned byte = 0;
        for (int k = 0; k < kPerByte; ++k) byte = byte << Bits | Nearest(Bgr + 3 * k);
        *Row++ = static_cast<std::uint8_t>(byte);
    }
    if (x == Width) return;
    const int left = Width - x;
    unsigned byte = 0;
    for (; x < Width; ++x, Bgr += 3) byte = byte << Bits | Nearest(Bgr);
    *Row = static_cast<std::uint8_t>(byte << (Bits * (kPerByte - left)));
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

// The palette colours of Width pixels of Bits (1, 4, 8) each. For 1 bit a
// table gives the eight pixels of every byte at once; 4 and 8 bits go four
// pixels at a time as twelve bytes in two stores, for stores that overlap
// the one before cost more than the joining.
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
    if constexpr (Bits == 1) {
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
    } else {
        // Four pixels as the twelve bytes of a 64-bit and a 32-bit word.
        auto put = [&Bgr](std::uint64_t Low, std::uint32_t High) {
            std::memcpy(Bgr, &Low, 8);
            std::memcpy(Bgr + 8, &High, 4);
        };
        if constexpr (Bits == 4) {
            // The two pixels of every byte as the six low bytes of a word.
            static const auto pairs = [&] {
                std::array<std::uint64_t, 256> t = {};
                for (unsigned b = 0; b < 256; ++b)
                    t[b] = quad(b >> 4) | static_cast<std::uint64_t>(quad(b & 15)) << 24;
                return t;
            }();
            for (; x + 4 <= Width; x += 4, Bgr += 12) {
                const std::uint64_t first = pairs[Row[x / 2]], second = pairs[Row[x / 2 + 1]];
                put(first | second << 48, static_cast<std::uint32_t>(second >> 16));
            }
        } else {
            for (; x + 4 <= Width; x += 4, Bgr += 12) {
                const std::uint32_t q0 = quad(Row[x]), q1 = quad(Row[x + 1]), q2 = quad(Row[x + 2]),
                                    q3 = quad(Row[x + 3]);
                put(q0 | static_cast<std::uint64_t>(q1) << 24 | static_cast<std::uint64_t>(q2) << 48,
                    q2 >> 16 | q3 << 8);
            }
        }
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
    const std::uint8_t bgr[3] = {B, G, R};
    return MatcherOf(Format).Lookup()(bgr);
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
    const TNearestColor::TLookup nearest = MatcherOf(Format).Lookup();
    switch (Format) {
    case pf1bit: return PackRow<1>(nearest, Bgr, Row, Width);
    case pf4bit: return PackRow<4>(nearest, Bgr, Row, Width);
    default: return PackRow<8>(nearest, Bgr, Row, Width);
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
