// Picture files through ZvLoadPicture and ZvSavePicture: each save format
// read back, the BMP suite of the shared test data, JPEG kinds from libjpeg,
// and damaged or hostile files, which must give no picture, no crash and no
// large allocation.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "Graphics.h"
#include "Metafile.h"
#include "Zelvani.h"

using forms::TBitmap;
using forms::TGraphic;
using Bytes = std::vector<std::uint8_t>;

namespace {

// ---- Helpers ------------------------------------------------------------

std::unique_ptr<TGraphic> Load(const std::string& Name) {
    return std::unique_ptr<TGraphic>(ZvLoadPicture(Name.c_str()));
}

TBitmap* AsBitmap(const std::unique_ptr<TGraphic>& G) { return dynamic_cast<TBitmap*>(G.get()); }

// Smooth gradients, different per channel: rows, columns and channels that
// come out swapped or shifted show, and JPEG keeps them within a few steps.
// Width 37 leaves row padding; up to 48 x 32 no channel wraps around.
std::unique_ptr<TBitmap> Gradient(int W = 37, int H = 23) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            std::uint8_t* p = b->ScanLine(y) + 3 * x;
            p[0] = std::uint8_t(40 + 4 * x), p[1] = std::uint8_t(30 + 6 * y), p[2] = std::uint8_t(230 - 2 * x - 3 * y);
        }
    return b;
}

// The largest difference of a channel between the two pictures, or 256 when
// their sizes differ.
int LargestDifference(TBitmap& A, TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height()) return 256;
    int most = 0;
    for (int y = 0; y < A.Height(); ++y)
        for (int i = 0; i < A.Width() * 3; ++i) most = std::max(most, std::abs(A.ScanLine(y)[i] - B.ScanLine(y)[i]));
    return most;
}

// The graphic drawn at its size onto a new bitmap.
std::unique_ptr<TBitmap> Rendered(TGraphic& G) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(G.Width(), G.Height());
    b->Canvas().Draw(0, 0, G);
    return b;
}

// FNV-1a of the pixels as red, green, blue bytes, top row first.
std::uint64_t Digest(TBitmap& B) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x)
            for (int c = 2; c >= 0; --c) h = (h ^ B.ScanLine(y)[3 * x + c]) * 0x100000001B3ull;
    return h;
}

// The process's memory in use, or the most it has used, in bytes. Pixels
// count once written (a new bitmap is filled white).
long long Memory(bool Peak = false) {
    PROCESS_MEMORY_COUNTERS m = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return static_cast<long long>(Peak ? m.PeakWorkingSetSize : m.WorkingSetSize);
}

// Whether the BMP suite of the shared test data was found when the tests
// were configured.
bool SuiteFound() { return std::string(ZV_BMPSUITE).size() > 0; }
#define REQUIRE_SUITE() \
    if (!SuiteFound()) GTEST_SKIP() << "the BMP suite of the shared test data is not beside the project"

// The suite's folder as Windows names it (Wine shows the Linux root as Z:).
std::string Suite(const std::string& Name) {
    std::string s = ZV_BMPSUITE "/" + Name;
    if (s[0] == '/') s = "Z:" + s;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

// The names matching Pattern, but "." and "..".
std::vector<std::string> Names(const std::string& Pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(Pattern.c_str(), &fd);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &fd))
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) names.push_back(fd.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return names;
}

Bytes ReadAll(const std::string& Name) {
    std::ifstream f(Name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

std::string Write(const std::string& Name, const Bytes& Data) {
    std::ofstream(Name, std::ios::binary).write(reinterpret_cast<const char*>(Data.data()), Data.size());
    return Name;
}

void Put32(Bytes& B, std::size_t At, std::uint32_t V) { std::memcpy(&B[At], &V, 4); }
void Put16(Bytes& B, std::size_t At, std::uint16_t V) { std::memcpy(&B[At], &V, 2); }

// A change that damages a copy of a good file: a file of the suite (Base
// with a folder) or the gradient saved as Base.
struct Damage { const char* What; const char* Base; std::function<void(Bytes&)> Do; };

// Each test works in a folder of its own, removed afterwards.
class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        Dir = std::string(temp) + "zvpic" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Dir.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& name : Names(Dir + "*")) {
            SetFileAttributesA((Dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA((Dir + name).c_str())) RemoveDirectoryA((Dir + name).c_str());
        }
        RemoveDirectoryA(Dir.c_str());
    }
    // The gradient saved under Name, as the file's bytes.
    Bytes Saved(const std::string& Name) {
        auto g = Gradient();
        EXPECT_TRUE(ZvSavePicture((Dir + Name).c_str(), g.get())) << "expected " << Name << " to be saved";
        return ReadAll(Dir + Name);
    }
    // None of the damaged files may give a picture, nor take memory for the
    // picture that its headers claim.
    void ExpectRefused(std::initializer_list<Damage> Damages) {
        const long long peak = Memory(true);
        for (const Damage& d : Damages) {
            const std::string base = d.Base;
            // Damages of the suite's files need the suite.
            if (base.find('/') != std::string::npos && !SuiteFound()) continue;
            Bytes b = base.find('/') != std::string::npos ? ReadAll(Suite(base)) : Saved(base);
            d.Do(b);
            EXPECT_FALSE(Load(Write(Dir + "damaged" + base.substr(base.find('.')), b)))
                << "expected " << base << " refused when it " << d.What;
        }
        EXPECT_LT(Memory(true) - peak, 64 << 20) << "expected no memory taken for the claimed pictures";
    }
    std::string Dir;
};

// ---- Round trips --------------------------------------------------------

TEST_F(Pictures, EachSaveFormatReplacesAFileAndReadsBackAsItsPicture) {
    struct Case { const char* Name; bool Metafile; int Tolerance; };
    for (const Case& c : {Case{"a.bmp", false, 0}, Case{"b.BMP", false, 0}, Case{"c.jpg", false, 12},
                          Case{"d.JPE", false, 12}, Case{"e.jpeg", false, 12}, Case{"f.emf", true, 0},
                          Case{"g.WMF", true, 0}}) {
        auto original = Gradient();
        Write(Dir + c.Name, {'o', 'l', 'd'});
        ASSERT_TRUE(ZvSavePicture((Dir + c.Name).c_str(), original.get())) << "expected " << c.Name << " saved";
        auto loaded = Load(Dir + c.Name);
        ASSERT_TRUE(loaded) << "expected " << c.Name << " to load back";
        auto* metafile = dynamic_cast<forms::TMetafile*>(loaded.get());
        ASSERT_EQ(metafile != nullptr, c.Metafile) << c.Name << ": expected a " << (c.Metafile ? "metafile" : "bitmap");
        auto drawn = c.Metafile ? Rendered(*loaded) : nullptr;
        TBitmap& back = c.Metafile ? *drawn : *AsBitmap(loaded);
        EXPECT_LE(LargestDifference(*original, back), c.Tolerance) << c.Name << ": expected the picture saved";
    }
}

TEST_F(Pictures, SavedFilesHaveTheHeadersOfTheirFormats) {
    const Bytes b = Saved("x.bmp");
    ASSERT_EQ(b.size(), 54u + 112 * 23) << "expected the headers and 23 rows of 112 bytes";
    BITMAPINFOHEADER info;
    std::memcpy(&info, &b[14], sizeof info);
    EXPECT_EQ(std::vector<long>({b[0], b[1], long(b[2] | b[3] << 8), long(info.biSize), info.biWidth, info.biHeight,
                                 info.biBitCount, long(info.biCompression)}),
              std::vector<long>({'B', 'M', long(b.size()), 40, 37, 23, 24, BI_RGB}));
    EXPECT_EQ(b[54 + 2], 230 - 3 * 22) << "expected the bottom row first (its first red)";
    const Bytes w = Saved("x.wmf");
    std::uint16_t words[11], check = 0;
    ASSERT_GT(w.size(), sizeof words);
    std::memcpy(words, w.data(), sizeof words);
    for (int i = 0; i < 10; ++i) check ^= words[i];
    EXPECT_EQ(words[0] | words[1] << 16, 0x9AC6CDD7u) << "expected the placeable key";
    EXPECT_EQ(words[10], check) << "expected the checksum of the first ten words";
}

TEST_F(Pictures, APlainWindowsMetafileTakesItsWindowExtentAsSize) {
    HDC dc = CreateMetaFileA(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 200, 100, nullptr);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 10, 10, 190, 90);
    HMETAFILE mf = CloseMetaFile(dc);
    Bytes b(GetMetaFileBitsEx(mf, 0, nullptr));
    GetMetaFileBitsEx(mf, UINT(b.size()), b.data());
    DeleteMetaFile(mf);
    auto g = Load(Write(Dir + "plain.wmf", b));
    ASSERT_TRUE(g) << "expected the plain WMF to load";
    ASSERT_EQ(std::vector<int>({g->Width(), g->Height()}), std::vector<int>({200, 100}));
    auto drawn = Rendered(*g);
    EXPECT_EQ(drawn->ScanLine(50)[3 * 100], 0) << "expected black inside the rectangle";
    EXPECT_EQ(drawn->ScanLine(2)[3 * 2], 255) << "expected white outside it";
}

// ---- The BMP suite ------------------------------------------------------

// The expected pictures: FNV-1a of the red, green, blue bytes that an
// independent decoder (ImageMagick 6.9) makes of each file. Most files
// encode one of a few pictures.
constexpr std::uint64_t kPal1 = 0x93cb10c47d28db4d, kPal4 = 0x7442826ad2154b09, kPal8 = 0x4598e7515a0f7954,
                        kRgb16 = 0x77b89128c335923c, kRgb16Of565 = 0x51d0a8852d09c342, kRgb24 = 0x7cd8f819ae69b2af,
                        kRgba32 = 0x6b079fe1d6ffeee9;
struct Known { const char* Name; int W, H; std::uint64_t Digest; };
const Known kGood[] = {
    {"pal1.bmp", 127, 64, kPal1}, {"pal1bg.bmp", 127, 64, 0xb7b540345a58dd65}, {"pal1wb.bmp", 127, 64, kPal1},
    {"pal4.bmp", 127, 64, kPal4}, {"pal4gs.bmp", 127, 64, 0x84584472fec80434}, {"pal4rle.bmp", 127, 64, kPal4},
    {"pal8-0.bmp", 127, 64, kPal8}, {"pal8.bmp", 127, 64, kPal8}, {"pal8gs.bmp", 127, 64, 0x13c463af6d9a108f},
    {"pal8nonsquare.bmp", 127, 32, 0xb937ea06db3c196c}, {"pal8os2.bmp", 127, 64, kPal8},
    {"pal8rle.bmp", 127, 64, kPal8}, {"pal8topdown.bmp", 127, 64, kPal8}, {"pal8v4.bmp", 127, 64, kPal8},
    {"pal8v5.bmp", 127, 64, kPal8}, {"pal8w124.bmp", 124, 61, 0xb48c84d29e14ad3d},
    {"pal8w125.bmp", 125, 62, 0xdc7be9a5fc79ab93}, {"pal8w126.bmp", 126, 63, 0x06c840bab970062d},
    {"rgb16-565.bmp", 127, 64, kRgb16Of565}, {"rgb16-565pal.bmp", 127, 64, kRgb16Of565},
    {"rgb16.bmp", 127, 64, kRgb16}, {"rgb16bfdef.bmp", 127, 64, kRgb16}, {"rgb24.bmp", 127, 64, kRgb24},
    {"rgb24pal.bmp", 127, 64, kRgb24}, {"rgb32.bmp", 127, 64, kRgb24}, {"rgb32bf.bmp", 127, 64, kRgb24},
    {"rgb32bfdef.bmp", 127, 64, kRgb24},
};

void ExpectPicture(const std::string& File, int W, int H, std::uint64_t Expected) {
    auto g = Load(Suite(File));
    TBitmap* b = AsBitmap(g);
    ASSERT_TRUE(b) << "expected " << File << " to read as a bitmap";
    ASSERT_EQ(std::vector<int>({b->Width(), b->Height()}), std::vector<int>({W, H})) << File;
    if (Expected) {
        EXPECT_EQ(Digest(*b), Expected) << File << ": expected the independent decoder's pixels";
    }
}

TEST(BmpSuite, EveryGoodFileReadsAsAnIndependentDecoderSeesIt) {
    REQUIRE_SUITE();
    EXPECT_EQ(Names(Suite("g/*.bmp")).size(), std::size(kGood)) << "expected every file of g/ in the table";
    for (const Known& k : kGood) ExpectPicture(std::string("g/") + k.Name, k.W, k.H, k.Digest);
}

// Read: what makes a sensible picture (digest 0: read, but its pixels are
// not one of the good files' or do not agree with the independent decoder:
// RLE pixels left undefined, channels of other widths than 5, 6 or 8 bits).
// Refused: OS/2 2.x headers, 2 and 64 bits, embedded JPEG or PNG, 24-bit
// RLE, Huffman coding, alpha bit fields of 40-byte headers, palettes larger
// than the bit count allows.
const struct { const char* Name; bool Read; std::uint64_t Digest; } kQuestionable[] = {
    {"pal1huffmsb.bmp", false, 0}, {"pal1p1.bmp", true, 0xeae45a26ec6206e5}, {"pal2.bmp", false, 0},
    {"pal2color.bmp", false, 0}, {"pal4rlecut.bmp", true, 0}, {"pal4rletrns.bmp", true, kPal4},
    {"pal8offs.bmp", true, kPal8}, {"pal8os2-hs.bmp", true, kPal8}, {"pal8os2-sz.bmp", true, kPal8},
    {"pal8os2sp.bmp", true, kPal8}, {"pal8os2v2-16.bmp", false, 0}, {"pal8os2v2-40sz.bmp", true, kPal8},
    {"pal8os2v2-sz.bmp", false, 0}, {"pal8os2v2.bmp", false, 0}, {"pal8oversizepal.bmp", false, 0},
    {"pal8rlecut.bmp", true, 0}, {"pal8rletrns.bmp", true, kPal8}, {"rgb16-231.bmp", true, 0},
    {"rgb16-3103.bmp", true, 0}, {"rgb16faketrns.bmp", true, kRgb16}, {"rgb24jpeg.bmp", false, 0},
    {"rgb24largepal.bmp", true, kRgb24}, {"rgb24lprof.bmp", true, kRgb24}, {"rgb24png.bmp", false, 0},
    {"rgb24prof.bmp", true, kRgb24}, {"rgb24prof2.bmp", true, 0xfef51341aff66f91}, {"rgb24rle24.bmp", false, 0},
    {"rgb32-111110.bmp", true, 0}, {"rgb32-7187.bmp", true, 0}, {"rgb32-xbgr.bmp", true, kRgb24},
    {"rgb32fakealpha.bmp", true, kRgb24}, {"rgb32h52.bmp", true, kRgb24}, {"rgba16-1924.bmp", true, 0},
    {"rgba16-4444.bmp", true, 0}, {"rgba16-5551.bmp", true, kRgb16}, {"rgba32-1.bmp", true, kRgba32},
    {"rgba32-1010102.bmp", true, 0}, {"rgba32-2.bmp", true, kRgba32}, {"rgba32-61754.bmp", true, 0},
    {"rgba32-81284.bmp", true, 0}, {"rgba32abf.bmp", false, 0}, {"rgba32h56.bmp", true, kRgba32},
    {"rgba64.bmp", false, 0},
};

TEST(BmpSuite, QuestionableFilesAreReadWhenTheyMakeSenseAndRefusedOtherwise) {
    REQUIRE_SUITE();
    EXPECT_EQ(Names(Suite("q/*.bmp")).size(), std::size(kQuestionable)) << "expected every file of q/ in the table";
    for (const auto& q : kQuestionable) {
        if (q.Read) {
            ExpectPicture(std::string("q/") + q.Name, 127, 64, q.Digest);
        } else {
            EXPECT_FALSE(Load(Suite("q/") + q.Name)) << "expected q/" << q.Name << " refused";
        }
    }
}

TEST(BmpSuite, EveryBadFileIsRefused) {
    REQUIRE_SUITE();
    const std::vector<std::string> bad = Names(Suite("b/*.bmp"));
    EXPECT_EQ(bad.size(), 20u) << "expected the suite's 20 bad files";
    for (const std::string& name : bad) EXPECT_FALSE(Load(Suite("b/") + name)) << "expected b/" << name << " refused";
}

// ---- Damaged and hostile files ------------------------------------------

TEST_F(Pictures, DamagedBitmapsAreRefused) {
    ExpectRefused({  // x.bmp: 37 x 23, 24 bits, pixels at 54
        {"claims 8000 x 8000 pixels", "x.bmp", [](Bytes& b) { Put32(b, 18, 8000), Put32(b, 22, 8000); }},
        {"has width 0", "x.bmp", [](Bytes& b) { Put32(b, 18, 0); }},
        {"has height 0", "x.bmp", [](Bytes& b) { Put32(b, 22, 0); }},
        {"has the most negative height", "x.bmp", [](Bytes& b) { Put32(b, 22, 0x80000000); }},
        {"has 7 bits per pixel", "x.bmp", [](Bytes& b) { Put16(b, 28, 7); }},
        {"has 0 bits per pixel", "x.bmp", [](Bytes& b) { Put16(b, 28, 0); }},
        {"lacks a pixel's byte", "x.bmp", [](Bytes& b) { b.resize(b.size() - 2); }},
        {"puts its pixels past the end", "x.bmp", [](Bytes& b) { Put32(b, 10, std::uint32_t(b.size() + 8)); }},
        {"puts its pixels into its header", "x.bmp", [](Bytes& b) { Put32(b, 10, 20); }},
        {"is cut inside its header", "x.bmp", [](Bytes& b) { b.resize(40); }},
        {"is empty", "x.bmp", [](Bytes& b) { b.clear(); }},
        {"is text", "x.bmp", [](Bytes& b) { b.assign({'B', 'M', ' ', 'i', 's', ' ', 't', 'e', 'x', 't'}); }},
        {"has its palette past the end", "g/pal8.bmp", [](Bytes& b) { b.resize(54 + 600); }},
        {"has a channel mask with a gap", "g/rgb16-565.bmp", [](Bytes& b) { Put32(b, 54, 0xF00F); }},
        {"runs an RLE run past its row", "g/pal8rle.bmp", [](Bytes& b) { b[1062] = 200, b[1063] = 0; }},
        {"moves an RLE delta out of the picture", "g/pal8rle.bmp",
         [](Bytes& b) { b[1062] = 0, b[1063] = 2, b[1064] = 255, b[1065] = 0; }},
        {"ends RLE data without its end code", "g/pal8rle.bmp", [](Bytes& b) { b.resize(b.size() - 2); }},
        {"claims 12000 x 12000 RLE pixels", "g/pal8rle.bmp",
         [](Bytes& b) { Put32(b, 18, 12000), Put32(b, 22, 12000); }},
    });
    Bytes unpadded = Saved("x.bmp");
    unpadded.pop_back();
    Put32(unpadded, 2, std::uint32_t(unpadded.size()));
    Put32(unpadded, 34, 0);  // no image size, which would count the padding
    EXPECT_TRUE(Load(Write(Dir + "unpadded.bmp", unpadded)))
        << "expected a bitmap whose last row lacks its padding read";
}

TEST_F(Pictures, TopDownBitmapsReadInTheirRowOrder) {
    Bytes b = Saved("x.bmp");
    Bytes flipped = b;
    for (int y = 0; y < 23; ++y) std::memcpy(&flipped[54 + 112 * y], &b[54 + 112 * (22 - y)], 112);
    Put32(flipped, 22, std::uint32_t(-23));
    auto g = Load(Write(Dir + "top-down.bmp", flipped));
    ASSERT_TRUE(AsBitmap(g)) << "expected the top-down bitmap read";
    EXPECT_EQ(LargestDifference(*AsBitmap(g), *Gradient()), 0) << "expected the gradient";
}

// ---- JPEG ---------------------------------------------------------------

enum class Kind { Colour, Progressive, Grey, Cmyk, Ycck };

// The 48 x 32 gradient as libjpeg writes it, and the picture it shows: in
// colour, progressive, in grey (its green), or as Adobe's inverted CMYK
// (stored value = 255 - ink) with black ink 55, plain or as YCCK.
Bytes Jpeg(Kind K, TBitmap& Shows) {
    auto g = Gradient(48, 32);
    Shows.Assign(*g);
    jpeg_compress_struct c;
    jpeg_error_mgr e;
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    const bool grey = K == Kind::Grey, cmyk = K == Kind::Cmyk || K == Kind::Ycck;
    c.image_width = 48, c.image_height = 32;
    c.input_components = grey ? 1 : cmyk ? 4 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    if (cmyk) jpeg_set_colorspace(&c, K == Kind::Ycck ? JCS_YCCK : JCS_CMYK);
    if (K == Kind::Progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(48 * 4);
    for (int y = 0; y < 32; ++y) {
        std::uint8_t *p = g->ScanLine(y), *shown = Shows.ScanLine(y);
        for (int x = 0; x < 48; ++x, p += 3, shown += 3) {
            if (grey) row[x] = shown[0] = shown[2] = p[1];
            if (cmyk) row[4 * x] = p[2], row[4 * x + 1] = p[1], row[4 * x + 2] = p[0], row[4 * x + 3] = 200;
            for (int i = 0; cmyk && i < 3; ++i) shown[i] = std::uint8_t((p[i] * 200 + 127) / 255);
            if (!grey && !cmyk) std::memcpy(&row[3 * x], p, 3);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes b(out, out + size);
    std::free(out);
    return b;
}

TEST_F(Pictures, JpegKindsReadAsTheirPictures) {
    for (Kind k : {Kind::Colour, Kind::Progressive, Kind::Grey, Kind::Cmyk, Kind::Ycck}) {
        TBitmap shows;
        auto g = Load(Write(Dir + "kind.jpg", Jpeg(k, shows)));
        ASSERT_TRUE(AsBitmap(g)) << "expected JPEG kind " << int(k) << " read";
        EXPECT_LE(LargestDifference(*AsBitmap(g), shows), 12) << "JPEG kind " << int(k);
    }
}

// Where the first marker of that code starts.
std::size_t Marker(const Bytes& B, std::uint8_t Code) {
    std::size_t i = 0;
    while (i + 1 < B.size() && !(B[i] == 0xFF && B[i + 1] == Code)) ++i;
    return i;
}

TEST_F(Pictures, DamagedJpegsAreRefused) {
    auto middle = [](const Bytes& b) { return (Marker(b, 0xDA) + b.size()) / 2; };  // of the scan
    ExpectRefused({
        {"is cut in its scan", "x.jpg", [&](Bytes& b) { b.resize(middle(b)); }},
        {"lacks its end marker", "x.jpg", [](Bytes& b) { b.resize(b.size() - 2); }},
        {"has an end marker inside its scan", "x.jpg", [&](Bytes& b) { b[middle(b)] = 0xFF, b[middle(b) + 1] = 0xD9; }},
        {"claims 12000 x 12000 pixels", "x.jpg",
         [](Bytes& b) {
             const std::size_t sof = Marker(b, 0xC0);
             b.at(sof + 5) = b[sof + 7] = 12000 >> 8, b[sof + 6] = b[sof + 8] = 12000 & 255;
         }},
        {"is empty", "x.jpg", [](Bytes& b) { b.clear(); }},
        {"is text", "x.jpg", [](Bytes& b) { b.assign({'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'}); }},
    });
}

// ---- Metafiles ----------------------------------------------------------

TEST_F(Pictures, DamagedMetafilesAreRefused) {
    ExpectRefused({
        {"is cut short", "x.emf", [](Bytes& b) { b.resize(b.size() - 8); }},
        {"lacks its signature", "x.emf", [](Bytes& b) { b[40] = 'X'; }},
        {"has a record running past its end", "x.emf", [](Bytes& b) { Put32(b, (b[4] | b[5] << 8) + 4, 0x7FFFFFF0); }},
        {"claims a frame of 20 km", "x.emf", [](Bytes& b) { Put32(b, 32, 2000000000); }},
        {"is cut short", "x.wmf", [](Bytes& b) { b.resize(b.size() - 8); }},
        {"has a record of length 0", "x.wmf", [](Bytes& b) { Put32(b, 22 + 18, 0); }},
        {"has 0 units per inch", "x.wmf", [](Bytes& b) { Put16(b, 14, 0); }},
        {"is text", "x.wmf", [](Bytes& b) { b.assign(40, 'w'); }},
    });
}

// ---- Failing saves, names and memory --------------------------------------

TEST_F(Pictures, AFailedSaveLeavesAnExistingFileAsItWasAndNothingElse) {
    auto g = Gradient();
    TBitmap empty;
    const Bytes old = {'o', 'l', 'd'};
    const std::string readOnly = Write(Dir + "read-only.bmp", old), folder = Dir + "folder.jpg";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(ZvSavePicture(readOnly.c_str(), g.get())) << "expected no save over a read-only file";
    EXPECT_EQ(ReadAll(readOnly), old) << "expected the read-only file as it was";
    EXPECT_FALSE(ZvSavePicture(folder.c_str(), g.get())) << "expected no save over a folder";
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "expected the folder kept";
    for (const char* name : {"x.png", "x", "x.bmp.txt", "missing\\x.bmp"})
        EXPECT_FALSE(ZvSavePicture((Dir + name).c_str(), g.get())) << "expected no save as " << name;
    EXPECT_FALSE(ZvSavePicture((Dir + "empty.bmp").c_str(), &empty)) << "expected no save of an empty bitmap";
    EXPECT_FALSE(ZvSavePicture((Dir + "none.bmp").c_str(), nullptr)) << "expected no save of no bitmap";
    EXPECT_EQ(Names(Dir + "*"), std::vector<std::string>({"folder.jpg", "read-only.bmp"}))
        << "expected nothing else written";
}

TEST_F(Pictures, TheExtensionAloneChoosesTheFormat) {
    const Bytes bmp = Saved("x.bmp");
    for (const char* name : {"x.png", "x", "x.jpg", "x.emf", "x.wmf"})
        EXPECT_FALSE(Load(Write(Dir + name, bmp))) << "expected no picture from a bitmap file named " << name;
    EXPECT_FALSE(Load(Dir + "missing.bmp")) << "expected no picture from a missing file";
}

TEST_F(Pictures, LoadingAndRefusingLeavesNoMemoryTaken) {
    const Bytes jpeg = Saved("x.jpg");
    Saved("x.emf"), Saved("x.wmf");
    std::vector<std::string> files = {Write(Dir + "cut.jpg", Bytes(jpeg.begin(), jpeg.end() - 100)), Dir + "x.jpg",
                                      Dir + "x.emf", Dir + "x.wmf", Suite("g/rgb24.bmp"), Suite("g/pal4rle.bmp")};
    for (const std::string& name : Names(Suite("b/*.bmp"))) files.push_back(Suite("b/" + name));
    auto round = [&] {
        for (const std::string& f : files) Load(f);
    };
    round();
    const long long before = Memory();
    for (int i = 0; i < 100; ++i) round();
    EXPECT_LT(Memory() - before, 1 << 20) << "expected 100 rounds of loading and freeing to take no memory";
}

}  // namespace
