// The statically linked libjpeg on this target: a 24-bit picture survives an
// encode/decode round trip in memory, and broken streams come back as errors
// through an error manager that returns to the caller instead of exiting.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr int kW = 64, kH = 48, kStep = 32;  // the colour steps sharply at x = kStep

// libjpeg is C: error_exit keeps the error and longjmps back to the setjmp in
// Run, so no C++ exception crosses its frames; Run's work must hold no objects
// with destructors, and Run is false when libjpeg raised an error.
struct Trap {
    jpeg_error_mgr mgr;  // first member: cinfo->err points at the whole trap
    std::jmp_buf jump;
    int code = 0;
    char text[JMSG_LENGTH_MAX] = "";
    Trap() {
        jpeg_std_error(&mgr);
        mgr.output_message = [](j_common_ptr) {};
        mgr.error_exit = [](j_common_ptr cinfo) {
            Trap* t = reinterpret_cast<Trap*>(cinfo->err);
            t->code = t->mgr.msg_code;
            (*t->mgr.format_message)(cinfo, t->text);
            std::longjmp(t->jump, 1);
        };
    }
    template <class Work>
    bool Run(Work work) {
        if (setjmp(jump)) return false;
        work();
        return true;
    }
};

// Encodes at quality 90; empty on failure.
std::vector<unsigned char> Encode(const std::vector<unsigned char>& rgb) {
    Trap t;
    jpeg_compress_struct c{&t.mgr};  // err is the first field
    unsigned char* out = nullptr;  // the stream, malloc'd by libjpeg
    unsigned long size = 0;
    const bool ok = t.Run([&] {
        jpeg_create_compress(&c);
        jpeg_mem_dest(&c, &out, &size);
        c.image_width = kW, c.image_height = kH, c.input_components = 3, c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 90, TRUE);
        jpeg_start_compress(&c, TRUE);
        for (JSAMPROW row; c.next_scanline < c.image_height; jpeg_write_scanlines(&c, &row, 1))
            row = const_cast<JSAMPROW>(&rgb[c.next_scanline * kW * 3]);
        jpeg_finish_compress(&c);
    });
    jpeg_destroy_compress(&c);
    EXPECT_TRUE(ok) << "expected encoding to succeed, got libjpeg error " << t.code << " (" << t.text << ")";
    std::vector<unsigned char> stream(out, out + (ok ? size : 0));
    std::free(out);
    return stream;
}

struct Decoded {
    int code = 0, width = 0, height = 0, components = 0;  // code: the libjpeg error, 0 when decoded
    std::string text;
    std::vector<unsigned char> pixels;
};

// Decodes the first n bytes of s to RGB.
Decoded Decode(const std::vector<unsigned char>& s, std::size_t n) {
    Trap t;
    jpeg_decompress_struct d{&t.mgr};
    Decoded r;
    const bool ok = t.Run([&] {
        jpeg_create_decompress(&d);
        jpeg_mem_src(&d, s.data(), static_cast<unsigned long>(n));
        jpeg_read_header(&d, TRUE);
        d.out_color_space = JCS_RGB;
        jpeg_start_decompress(&d);
        r.width = d.output_width, r.height = d.output_height, r.components = d.output_components;
        r.pixels.resize(std::size_t(r.width) * r.height * r.components);
        for (JSAMPROW row; d.output_scanline < d.output_height; jpeg_read_scanlines(&d, &row, 1))
            row = &r.pixels[d.output_scanline * r.width * r.components];
        jpeg_finish_decompress(&d);
    });
    jpeg_destroy_decompress(&d);
    if (!ok) r = {t.code, 0, 0, 0, t.text};
    return r;
}

TEST(Jpeg, RgbPictureRoundTripsWithinJpegTolerance) {
    // Left of kStep a different gradient per channel (swapped channels show), right of it flat.
    std::vector<unsigned char> src(kW * kH * 3);
    for (int i = 0; i < kW * kH; ++i) {
        const int x = i % kW, y = i / kW;
        src[i * 3] = x < kStep ? x * 6 : 230;
        src[i * 3 + 1] = x < kStep ? y * 5 : 40;
        src[i * 3 + 2] = x < kStep ? 255 - 2 * (x + y) : 30;
    }
    const std::vector<unsigned char> stream = Encode(src);
    const Decoded d = Decode(stream, stream.size());
    ASSERT_EQ(d.code, 0) << "expected the stream to decode, got error " << d.code << " (" << d.text << ")";
    ASSERT_EQ(std::vector<int>({d.width, d.height, d.components}), std::vector<int>({kW, kH, 3}))
        << "expected width, height and components as encoded";
    for (int c = 0; c < 3; ++c) {
        int sum = 0, worst = 0, at = 0;  // the largest error two or more columns away from the step
        for (int i = c; i < kW * kH * 3; i += 3) {
            const int e = std::abs(src[i] - d.pixels[i]), x = i / 3 % kW;
            sum += e;
            if ((x < kStep - 2 || x >= kStep + 2) && e > worst) worst = e, at = i;
        }
        EXPECT_LE(sum / double(kW * kH), 4.0) << "channel " << c << ": expected a mean error of at most 4";
        EXPECT_LE(worst, 12) << "channel " << c << " away from the step: expected within 12, got " << int(src[at])
                             << " -> " << int(d.pixels[at]) << " at (" << at / 3 % kW << ", " << at / 3 / kW << ")";
    }
}

TEST(Jpeg, CorruptStreamsAreReportedAsErrors) {
    const Decoded text = Decode({'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'}, 8);
    EXPECT_EQ(text.code, JERR_NO_SOI) << "expected JERR_NO_SOI for text, got " << text.text;
    EXPECT_EQ(Decode({0}, 0).code, JERR_INPUT_EMPTY) << "expected JERR_INPUT_EMPTY for an empty stream";
    // Cut at the scan or anywhere before it, the stream must fail with an error.
    const std::vector<unsigned char> stream = Encode(std::vector<unsigned char>(kW * kH * 3, 99));
    std::size_t sos = 2;
    while (sos + 1 < stream.size() && !(stream[sos] == 0xFF && stream[sos + 1] == 0xDA)) ++sos;
    ASSERT_LT(sos + 1, stream.size()) << "expected an SOS marker in the stream";
    EXPECT_EQ(Decode(stream, sos).code, JERR_SOF_NO_SOS) << "expected JERR_SOF_NO_SOS for the stream cut at SOS";
    for (std::size_t n = 0; n < sos; ++n)
        EXPECT_NE(Decode(stream, n).code, 0) << "expected an error for the stream cut after " << n << " bytes";
}

}  // namespace
