// Round trip through the statically linked libjpeg-turbo: a 24-bit picture
// is encoded to memory and decoded back, and broken streams must come back
// as errors through an error manager that returns to the caller instead of
// ending the process.
#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kQuality = 90;

// Per-channel error bounds of the quality 90 round trip, in levels of 255
// (see EveryPixelIsWithinJpegTolerance): over the whole picture, on its
// smooth part, and on the outlines of the flat blocks, where the largest
// colour step is about 200 levels and a pixel may move by half of it.
constexpr double kMeanBound = 6.0;
constexpr double kSmoothMeanBound = 2.0;
constexpr int kSmoothMaxBound = 12;
constexpr int kEdgeMaxBound = 100;

// Error manager that jumps back to the helper which started the work.
// libjpeg is C: a C++ exception must not cross its frames, so error_exit
// records the message and longjmps to the setjmp in EncodeRgb / DecodeRgb,
// whose frames hold only trivially destructible objects.
struct ErrorTrap {
    jpeg_error_mgr mgr;  // first member: cinfo->err points at the whole trap
    std::jmp_buf jump;
    int errorCode;
    char errorText[JMSG_LENGTH_MAX];
    int warningCodes[16];
    int warningCount;
};

void TrapErrorExit(j_common_ptr cinfo) {
    ErrorTrap *trap = reinterpret_cast<ErrorTrap *>(cinfo->err);
    trap->errorCode = trap->mgr.msg_code;
    (*trap->mgr.format_message)(cinfo, trap->errorText);
    std::longjmp(trap->jump, 1);
}

// Warnings (msg_level < 0) are counted and kept instead of being printed;
// trace messages are dropped.
void TrapEmitMessage(j_common_ptr cinfo, int msgLevel) {
    ErrorTrap *trap = reinterpret_cast<ErrorTrap *>(cinfo->err);
    if (msgLevel < 0) {
        trap->mgr.num_warnings++;
        if (trap->warningCount < static_cast<int>(sizeof trap->warningCodes / sizeof trap->warningCodes[0]))
            trap->warningCodes[trap->warningCount++] = trap->mgr.msg_code;
    }
}

void TrapOutputMessage(j_common_ptr) {}

jpeg_error_mgr *InstallTrap(ErrorTrap *trap) {
    std::memset(trap, 0, sizeof *trap);
    jpeg_error_mgr *err = jpeg_std_error(&trap->mgr);
    trap->mgr.error_exit = TrapErrorExit;
    trap->mgr.emit_message = TrapEmitMessage;
    trap->mgr.output_message = TrapOutputMessage;
    return err;
}

// Encodes width x height RGB pixels (3 bytes each, rows packed) at the given
// quality. On success *out holds a malloc'd stream of *outSize bytes that the
// caller frees; on failure returns false with trap->errorCode set.
bool EncodeRgb(const unsigned char *rgb, int width, int height, int quality, ErrorTrap *trap,
               unsigned char **out, unsigned long *outSize) {
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = InstallTrap(trap);
    *out = nullptr;
    *outSize = 0;
    if (setjmp(trap->jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(*out);
        *out = nullptr;
        *outSize = 0;
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo.next_scanline) * width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

struct DecodedInfo {
    int width;
    int height;
    int components;
    J_COLOR_SPACE fileSpace;
    J_COLOR_SPACE outSpace;
};

// Decodes a stream to RGB. On success *pixels holds a malloc'd buffer of
// width * height * components bytes that the caller frees; on failure
// returns false with trap->errorCode set and nothing left allocated.
bool DecodeRgb(const unsigned char *data, unsigned long size, ErrorTrap *trap, unsigned char **pixels,
               DecodedInfo *info) {
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = InstallTrap(trap);
    std::memset(info, 0, sizeof *info);
    // Written after setjmp and read after the jump: volatile keeps it out of
    // registers that longjmp restores.
    unsigned char *volatile buffer = nullptr;
    *pixels = nullptr;
    if (setjmp(trap->jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(buffer);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    info->fileSpace = cinfo.jpeg_color_space;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    info->width = static_cast<int>(cinfo.output_width);
    info->height = static_cast<int>(cinfo.output_height);
    info->components = cinfo.output_components;
    info->outSpace = cinfo.out_color_space;
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components;
    buffer = static_cast<unsigned char *>(std::malloc(stride * cinfo.output_height));
    if (buffer == nullptr) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = buffer + static_cast<std::size_t>(cinfo.output_scanline) * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *pixels = buffer;
    return true;
}

// C++ wrappers: the C helpers above own no C++ objects, these do.
struct Encoded {
    bool ok = false;
    std::vector<unsigned char> bytes;
};

Encoded Encode(const std::vector<unsigned char> &rgb, int width, int height, int quality, ErrorTrap &trap) {
    unsigned char *out = nullptr;
    unsigned long size = 0;
    Encoded result;
    result.ok = EncodeRgb(rgb.data(), width, height, quality, &trap, &out, &size);
    if (result.ok)
        result.bytes.assign(out, out + size);
    std::free(out);
    return result;
}

struct Decoded {
    bool ok = false;
    DecodedInfo info{};
    std::vector<unsigned char> pixels;
};

Decoded Decode(const std::vector<unsigned char> &stream, std::size_t length, ErrorTrap &trap) {
    unsigned char *pixels = nullptr;
    Decoded result;
    result.ok = DecodeRgb(stream.data(), static_cast<unsigned long>(length), &trap, &pixels, &result.info);
    if (result.ok)
        result.pixels.assign(pixels, pixels + static_cast<std::size_t>(result.info.width) * result.info.height *
                                                  result.info.components);
    std::free(pixels);
    return result;
}

struct Block {
    int x, y, size;
    unsigned char r, g, b;
};

// Flat blocks on the 16 x 16 grid of the default 4:2:0 coding units, so that
// a whole unit (luminance and both chroma blocks) holds a single colour.
constexpr Block kBlocks[] = {
    {16, 16, 16, 230, 40, 30},   // red
    {48, 0, 16, 20, 70, 210},    // blue
    {32, 32, 16, 40, 180, 60},   // green
    {0, 32, 16, 250, 250, 245},  // near white
};

// Smooth gradients in each channel (red across, green down, blue along the
// diagonal) with the flat blocks painted over them.
std::vector<unsigned char> MakePicture() {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            unsigned char *p = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(x * 4);
            p[1] = static_cast<unsigned char>(y * 5);
            p[2] = static_cast<unsigned char>(255 - 2 * (x + y));
        }
    for (const Block &b : kBlocks)
        for (int y = b.y; y < b.y + b.size; ++y)
            for (int x = b.x; x < b.x + b.size; ++x) {
                unsigned char *p = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
                p[0] = b.r;
                p[1] = b.g;
                p[2] = b.b;
            }
    return rgb;
}

std::string WarningList(const ErrorTrap &trap) {
    std::string s;
    for (int i = 0; i < trap.warningCount; ++i)
        s += (i ? ", " : "") + std::to_string(trap.warningCodes[i]);
    return s.empty() ? "none" : s;
}

// Per-channel error statistics of a decoded picture against the source.
struct ChannelError {
    double mean = 0;
    int max = 0;
    int maxX = 0, maxY = 0;
    int expected = 0, got = 0;  // the pixel values where the maximum was seen
};

// Compares one channel over the pixels of [x0, x1) x [y0, y1) for which
// select(x, y) holds.
template <typename Select>
ChannelError CompareChannelWhere(const std::vector<unsigned char> &want, const std::vector<unsigned char> &got,
                                 int channel, int x0, int y0, int x1, int y1, Select select) {
    ChannelError e;
    long sum = 0;
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (!select(x, y))
                continue;
            const std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 3 + channel;
            const int d = std::abs(int(want[i]) - int(got[i]));
            sum += d;
            ++count;
            if (d > e.max) {
                e.max = d;
                e.maxX = x;
                e.maxY = y;
                e.expected = want[i];
                e.got = got[i];
            }
        }
    e.mean = count ? double(sum) / count : 0;
    return e;
}

ChannelError CompareChannel(const std::vector<unsigned char> &want, const std::vector<unsigned char> &got,
                            int channel, int x0, int y0, int x1, int y1) {
    return CompareChannelWhere(want, got, channel, x0, y0, x1, y1, [](int, int) { return true; });
}

// True for pixels within 2 of a flat block's outline, inside or outside:
// there the colour steps sharply and 4:2:0 chroma is blended across it.
bool NearBlockEdge(int x, int y) {
    for (const Block &b : kBlocks) {
        const bool inOuter = x >= b.x - 2 && x < b.x + b.size + 2 && y >= b.y - 2 && y < b.y + b.size + 2;
        const bool inInner = x >= b.x + 2 && x < b.x + b.size - 2 && y >= b.y + 2 && y < b.y + b.size - 2;
        if (inOuter && !inInner)
            return true;
    }
    return false;
}

class JpegRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        source = MakePicture();
        encoded = Encode(source, kWidth, kHeight, kQuality, trap);
        ASSERT_TRUE(encoded.ok) << "encoding failed: libjpeg error " << trap.errorCode << " (" << trap.errorText
                                << ")";
    }
    ErrorTrap trap;
    std::vector<unsigned char> source;
    Encoded encoded;
};

TEST_F(JpegRoundTrip, StreamIsACompressedJfifFile) {
    const std::vector<unsigned char> &s = encoded.bytes;
    ASSERT_GE(s.size(), 4u) << "expected a JPEG stream, got " << s.size() << " bytes";
    EXPECT_EQ(s[0], 0xFF) << "expected the SOI marker FF D8 first";
    EXPECT_EQ(s[1], 0xD8) << "expected the SOI marker FF D8 first";
    ASSERT_GE(s.size(), 11u) << "expected a JFIF header, got " << s.size() << " bytes";
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&s[6]), 5), std::string("JFIF", 5))
        << "expected the APP0 segment of a JFIF file after SOI";
    EXPECT_EQ(s[s.size() - 2], 0xFF) << "expected the EOI marker FF D9 last";
    EXPECT_EQ(s[s.size() - 1], 0xD9) << "expected the EOI marker FF D9 last";
    EXPECT_LT(s.size(), source.size() / 2)
        << "expected quality " << kQuality << " to compress the " << source.size() << " bytes of pixels";
    EXPECT_EQ(trap.warningCount, 0) << "warnings while encoding: " << WarningList(trap);
}

TEST_F(JpegRoundTrip, DecodesToTheSizeAndComponentsEncoded) {
    ErrorTrap decodeTrap;
    const Decoded d = Decode(encoded.bytes, encoded.bytes.size(), decodeTrap);
    ASSERT_TRUE(d.ok) << "decoding failed: libjpeg error " << decodeTrap.errorCode << " (" << decodeTrap.errorText
                      << ")";
    EXPECT_EQ(d.info.width, kWidth);
    EXPECT_EQ(d.info.height, kHeight);
    EXPECT_EQ(d.info.components, 3);
    EXPECT_EQ(d.info.fileSpace, JCS_YCbCr) << "expected an RGB source to be stored as YCbCr";
    EXPECT_EQ(d.info.outSpace, JCS_RGB);
    EXPECT_EQ(decodeTrap.warningCount, 0) << "warnings while decoding a sound stream: " << WarningList(decodeTrap);
    EXPECT_EQ(d.pixels.size(), source.size());
}

// Quality 90 with the default 4:2:0 chroma. Away from the flat blocks'
// outlines the picture is smooth and comes back within a few levels. On the
// outlines the colour steps sharply; chroma at half resolution is blended
// across the step by the upsampler (a corner pixel keeps only 9/16 of its own
// chroma), so a pixel there may move by up to about half of the step.
TEST_F(JpegRoundTrip, EveryPixelIsWithinJpegTolerance) {
    ErrorTrap decodeTrap;
    const Decoded d = Decode(encoded.bytes, encoded.bytes.size(), decodeTrap);
    ASSERT_TRUE(d.ok) << "decoding failed: libjpeg error " << decodeTrap.errorCode << " (" << decodeTrap.errorText
                      << ")";
    ASSERT_EQ(d.pixels.size(), source.size());
    const char *names[] = {"red", "green", "blue"};
    for (int c = 0; c < 3; ++c) {
        const ChannelError all = CompareChannel(source, d.pixels, c, 0, 0, kWidth, kHeight);
        EXPECT_LE(all.mean, kMeanBound) << names[c] << ": expected a mean absolute error of at most " << kMeanBound
                                        << ", got " << all.mean;
        const ChannelError smooth = CompareChannelWhere(source, d.pixels, c, 0, 0, kWidth, kHeight,
                                                        [](int x, int y) { return !NearBlockEdge(x, y); });
        EXPECT_LE(smooth.mean, kSmoothMeanBound) << names[c] << " away from the block outlines: expected a mean "
                                                 << "absolute error of at most " << kSmoothMeanBound << ", got "
                                                 << smooth.mean;
        EXPECT_LE(smooth.max, kSmoothMaxBound)
            << names[c] << " away from the block outlines: expected every pixel within " << kSmoothMaxBound
            << ", got " << smooth.expected << " -> " << smooth.got << " at (" << smooth.maxX << ", " << smooth.maxY
            << ")";
        const ChannelError edge =
            CompareChannelWhere(source, d.pixels, c, 0, 0, kWidth, kHeight, NearBlockEdge);
        EXPECT_LE(edge.max, kEdgeMaxBound) << names[c] << " on the block outlines: expected every pixel within "
                                           << kEdgeMaxBound << ", got " << edge.expected << " -> " << edge.got
                                           << " at (" << edge.maxX << ", " << edge.maxY << ")";
    }
}

// Inside a flat coding unit only the DC terms are left; away from the unit's
// edge (where chroma upsampling blends in the neighbour) the colour comes
// back almost exactly.
TEST_F(JpegRoundTrip, FlatBlocksKeepTheirColour) {
    ErrorTrap decodeTrap;
    const Decoded d = Decode(encoded.bytes, encoded.bytes.size(), decodeTrap);
    ASSERT_TRUE(d.ok) << "decoding failed: libjpeg error " << decodeTrap.errorCode << " (" << decodeTrap.errorText
                      << ")";
    ASSERT_EQ(d.pixels.size(), source.size());
    const char *names[] = {"red", "green", "blue"};
    for (const Block &b : kBlocks)
        for (int c = 0; c < 3; ++c) {
            const ChannelError e =
                CompareChannel(source, d.pixels, c, b.x + 2, b.y + 2, b.x + b.size - 2, b.y + b.size - 2);
            EXPECT_LE(e.max, 4) << names[c] << " of the block at (" << b.x << ", " << b.y
                                << "): expected within 4, got " << e.expected << " -> " << e.got << " at ("
                                << e.maxX << ", " << e.maxY << ")";
        }
}

TEST_F(JpegRoundTrip, LowerQualityGivesAShorterStreamAndLargerError) {
    ErrorTrap lowTrap;
    const Encoded low = Encode(source, kWidth, kHeight, 20, lowTrap);
    ASSERT_TRUE(low.ok) << "encoding at quality 20 failed: " << lowTrap.errorText;
    EXPECT_LT(low.bytes.size(), encoded.bytes.size())
        << "expected quality 20 to give fewer bytes than quality " << kQuality;
    ErrorTrap t1, t2;
    const Decoded high = Decode(encoded.bytes, encoded.bytes.size(), t1);
    const Decoded lowDecoded = Decode(low.bytes, low.bytes.size(), t2);
    ASSERT_TRUE(high.ok && lowDecoded.ok) << "decoding failed: " << t1.errorText << " / " << t2.errorText;
    double highSum = 0, lowSum = 0;
    for (int c = 0; c < 3; ++c) {
        highSum += CompareChannel(source, high.pixels, c, 0, 0, kWidth, kHeight).mean;
        lowSum += CompareChannel(source, lowDecoded.pixels, c, 0, 0, kWidth, kHeight).mean;
    }
    EXPECT_GT(lowSum, highSum) << "expected quality 20 to lose more than quality " << kQuality;
}

TEST(JpegErrors, GarbageHeaderIsReportedAsNotAJpegFile) {
    const std::string text = "this is not a JPEG file, only some text of a fair length";
    const std::vector<unsigned char> garbage(text.begin(), text.end());
    ErrorTrap trap;
    const Decoded d = Decode(garbage, garbage.size(), trap);
    EXPECT_FALSE(d.ok) << "expected garbage to fail, got a " << d.info.width << " x " << d.info.height << " picture";
    EXPECT_EQ(trap.errorCode, JERR_NO_SOI) << "expected JERR_NO_SOI, got error " << trap.errorCode << " ("
                                           << trap.errorText << ")";
    EXPECT_NE(std::string(trap.errorText).find("0x74 0x68"), std::string::npos)
        << "expected the message to quote the first two bytes, got \"" << trap.errorText << "\"";
}

TEST(JpegErrors, EmptyInputIsReported) {
    const std::vector<unsigned char> empty(1, 0);
    ErrorTrap trap;
    const Decoded d = Decode(empty, 0, trap);
    EXPECT_FALSE(d.ok) << "expected an empty stream to fail";
    EXPECT_EQ(trap.errorCode, JERR_INPUT_EMPTY) << "expected JERR_INPUT_EMPTY, got error " << trap.errorCode << " ("
                                                << trap.errorText << ")";
}

std::size_t FindStartOfScan(const std::vector<unsigned char> &s) {
    for (std::size_t i = 2; i + 1 < s.size(); ++i)
        if (s[i] == 0xFF && s[i + 1] == 0xDA)
            return i;
    return 0;
}

TEST(JpegErrors, StreamOfOnlyTheStartMarkerHasNoImage) {
    const std::vector<unsigned char> soi = {0xFF, 0xD8};
    ErrorTrap trap;
    const Decoded d = Decode(soi, soi.size(), trap);
    EXPECT_FALSE(d.ok) << "expected a stream of only FF D8 to fail";
    EXPECT_EQ(trap.errorCode, JERR_NO_IMAGE) << "expected JERR_NO_IMAGE, got error " << trap.errorCode << " ("
                                             << trap.errorText << ")";
}

TEST(JpegErrors, StreamCutBeforeTheScanIsMissingItsScan) {
    ErrorTrap trap;
    const Encoded e = Encode(MakePicture(), kWidth, kHeight, kQuality, trap);
    ASSERT_TRUE(e.ok) << "encoding failed: " << trap.errorText;
    const std::size_t sos = FindStartOfScan(e.bytes);
    ASSERT_GT(sos, 0u) << "expected an SOS marker in the stream";

    ErrorTrap cutTrap;
    const Decoded d = Decode(e.bytes, sos, cutTrap);
    EXPECT_FALSE(d.ok) << "expected the stream cut at its SOS marker to fail";
    EXPECT_EQ(cutTrap.errorCode, JERR_SOF_NO_SOS) << "expected JERR_SOF_NO_SOS, got error " << cutTrap.errorCode
                                                  << " (" << cutTrap.errorText << ")";
    EXPECT_NE(std::find(cutTrap.warningCodes, cutTrap.warningCodes + cutTrap.warningCount, JWRN_JPEG_EOF),
              cutTrap.warningCodes + cutTrap.warningCount)
        << "expected the warning JWRN_JPEG_EOF (" << JWRN_JPEG_EOF << "), got " << WarningList(cutTrap);

    // Whatever byte the header is cut at, the decoder must come back with an
    // error rather than a picture or the end of the process.
    for (std::size_t n = 0; n < sos; ++n) {
        ErrorTrap t;
        const Decoded part = Decode(e.bytes, n, t);
        EXPECT_FALSE(part.ok) << "expected the stream cut after " << n << " bytes to fail";
        EXPECT_NE(t.errorCode, 0) << "expected an error code for the stream cut after " << n << " bytes";
    }
}

// A stream cut inside the entropy-coded data still decodes (libjpeg fills the
// rest), but says so through warnings; the rows before the cut are intact.
TEST(JpegErrors, StreamCutInTheScanDecodesWithAWarning) {
    const std::vector<unsigned char> source = MakePicture();
    ErrorTrap trap;
    const Encoded e = Encode(source, kWidth, kHeight, kQuality, trap);
    ASSERT_TRUE(e.ok) << "encoding failed: " << trap.errorText;
    const std::size_t sos = FindStartOfScan(e.bytes);
    ASSERT_GT(sos, 0u) << "expected an SOS marker in the stream";
    const std::size_t cut = sos + (e.bytes.size() - sos) * 3 / 4;

    ErrorTrap cutTrap;
    const Decoded d = Decode(e.bytes, cut, cutTrap);
    ASSERT_TRUE(d.ok) << "expected a stream cut in its scan to decode, got error " << cutTrap.errorCode << " ("
                      << cutTrap.errorText << ")";
    EXPECT_EQ(d.info.width, kWidth);
    EXPECT_EQ(d.info.height, kHeight);
    EXPECT_GT(cutTrap.mgr.num_warnings, 0) << "expected warnings for the cut stream, got none";
    EXPECT_NE(std::find(cutTrap.warningCodes, cutTrap.warningCodes + cutTrap.warningCount, JWRN_JPEG_EOF),
              cutTrap.warningCodes + cutTrap.warningCount)
        << "expected the warning JWRN_JPEG_EOF (" << JWRN_JPEG_EOF << "), got " << WarningList(cutTrap);
    // The first row of coding units lies well before three quarters of the
    // data: it must come out as from the whole stream, byte for byte.
    ErrorTrap wholeTrap;
    const Decoded whole = Decode(e.bytes, e.bytes.size(), wholeTrap);
    ASSERT_TRUE(whole.ok) << "decoding the whole stream failed: " << wholeTrap.errorText;
    ASSERT_EQ(d.pixels.size(), whole.pixels.size());
    const std::size_t topBytes = static_cast<std::size_t>(kWidth) * 14 * 3;
    const auto diff = std::mismatch(d.pixels.begin(), d.pixels.begin() + topBytes, whole.pixels.begin());
    if (diff.first != d.pixels.begin() + topBytes) {
        const std::size_t at = static_cast<std::size_t>(diff.first - d.pixels.begin());
        ADD_FAILURE() << "expected the top 14 rows as decoded from the whole stream; at (" << at / 3 % kWidth
                      << ", " << at / 3 / kWidth << ") channel " << at % 3 << " expected " << int(*diff.second)
                      << ", got " << int(*diff.first);
    }
}

}  // namespace
