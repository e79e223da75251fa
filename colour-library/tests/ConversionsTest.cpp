// The RGB <-> HSV conversions: the worked examples, the cases that leave the
// outputs unwritten, bit-exact floating results, and whole-range sweeps of
// the integer forms against references that compute the same by another
// route (exact rationals with their own rounding; a per-channel weight).
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <type_traits>

#include "ZvColor.h"

namespace {

template <typename V>
struct Three {
    V a, b, c;
    bool operator==(const Three&) const = default;
};
using Triple3 = Three<int>;
using Double3 = Three<double>;
template <typename V>
std::ostream& operator<<(std::ostream& os, const Three<V>& t) {
    const auto precision = os.precision(17);
    os << "(" << t.a << ", " << t.b << ", " << t.c << ")";
    os.precision(precision);
    return os;
}

// Outputs start as this, so that an unwritten output shows.
template <typename V>
constexpr Three<V> kUntouched{V(-12345), V(-12345), V(-12345)};
constexpr std::uint64_t kAgreedNaN = 0x7FFFFFFFFFFFFFFFull;

// One of the conversions applied to the three inputs in In.
template <typename V>
Three<V> Convert(void(WINAPI* F)(V, V, V, V&, V&, V&), Three<V> In) {
    Three<V> o = kUntouched<V>;
    F(In.a, In.b, In.c, o.a, o.b, o.c);
    return o;
}

std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }
bool SameBits(const Double3& x, const Double3& y) {
    return Bits(x.a) == Bits(y.a) && Bits(x.b) == Bits(y.b) && Bits(x.c) == Bits(y.c);
}

// An input and the output expected for it.
template <typename V>
struct Case {
    Three<V> in, out;
};

// Runs the cases through F, comparing ints by value and doubles by bits.
template <typename V>
void ExpectCases(const char* From, void(WINAPI* F)(V, V, V, V&, V&, V&), std::initializer_list<Case<V>> Cases) {
    for (const Case<V>& c : Cases) {
        const Three<V> got = Convert(F, c.in);
        bool same;
        if constexpr (std::is_same_v<V, double>) same = SameBits(got, c.out);
        else same = got == c.out;
        EXPECT_TRUE(same) << From << " " << c.in << ": expected " << c.out << ", got " << got;
    }
}

// A sweep: counts its cases and mismatches and describes the first mismatch.
struct Sweep {
    long cases = 0, failures = 0;
    std::string first;
    void Check(const Triple3& In, const Triple3& Want, const Triple3& Got) {
        ++cases;
        if (Want == Got || failures++ != 0) return;
        std::ostringstream os;
        os << In << ": expected " << Want << ", got " << Got;
        first = os.str();
    }
    void Expect(long WantCases) const {
        EXPECT_EQ(cases, WantCases) << "cases checked";
        EXPECT_EQ(failures, 0) << "mismatches; the first at " << first;
    }
};

TEST(IntegerHSVToRGB, WorkedExamplesGreysAndHuesAbove360) {
    ExpectCases<int>("HSV", ZvHSVRGB,
                     {{{30, 255, 255}, {255, 128, 0}}, {{59, 255, 255}, {255, 251, 0}},
                      {{120, 128, 200}, {100, 200, 100}}, {{200, 100, 50}, {31, 44, 50}},
                      {{360, 255, 255}, {255, 0, 0}}, {{361, 255, 255}, kUntouched<int>},
                      {{420, 255, 255}, kUntouched<int>}});
    for (int h : {0, 59, 180, 360, 400, -90})
        for (int v : {0, 128, 255}) EXPECT_EQ(Convert(ZvHSVRGB, {h, 0, v}), (Triple3{v, v, v})) << "grey, hue " << h;
}

// Channel n (red 5, green 3, blue 1) takes from V the share V*S*w/(60*255),
// truncated, with the angular weight w = clamp(min(k, 240 - k), 0, 60) and
// k = (60n + H) mod 360; hue 360 is hue 0.
int ReferenceChannel(int n, int h, int s, int v) {
    const int k = (60 * n + h % 360) % 360;
    const int w = std::clamp(std::min(k, 240 - k), 0, 60);
    return v - static_cast<int>(std::int64_t{v} * s * w / 15300);
}

TEST(IntegerHSVToRGB, WholeRangeMatchesChannelWeightFormula) {
    Sweep sweep;
    for (int h = 0; h <= 360; ++h)
        for (int s = 0; s <= 255; ++s)
            for (int v = 0; v <= 255; ++v)
                sweep.Check({h, s, v}, {ReferenceChannel(5, h, s, v), ReferenceChannel(3, h, s, v),
                                        ReferenceChannel(1, h, s, v)},
                            Convert(ZvHSVRGB, {h, s, v}));
    sweep.Expect(361L * 256 * 256);
}

TEST(IntegerRGBToHSV, WorkedExamplesAndHalvesRoundAwayFromZero) {
    ExpectCases<int>("RGB", ZvRGBHSV,
                     {{{255, 128, 0}, {30, 255, 255}}, {{200, 100, 50}, {20, 191, 200}}, {{1, 0, 2}, {270, 255, 2}},
                      {{10, 10, 10}, {0, 0, 10}}, {{0, 0, 0}, {0, 0, 0}},
                      {{120, 1, 0}, {1, 255, 120}},    // hue 0.5 rounds up
                      {{120, 0, 1}, {359, 255, 120}},  // hue -0.5 rounds to -1
                      {{2, 1, 1}, {0, 128, 2}}});      // saturation 127.5 rounds up
}

// n / d for d > 0, to the nearest integer, an exact half away from zero.
int RoundHalfAway(std::int64_t n, std::int64_t d) {
    const std::int64_t q = n / d, r = n % d;
    return static_cast<int>(2 * (r < 0 ? -r : r) >= d ? q + (n < 0 ? -1 : 1) : q);
}

// Exact rationals; the hue formula is picked in the order blue, green, red
// (the reverse of the library's), so ties between maxima are checked too.
TEST(IntegerRGBToHSV, WholeCubeMatchesExactRationalRounding) {
    Sweep sweep;
    for (int r = 0; r <= 255; ++r)
        for (int g = 0; g <= 255; ++g)
            for (int b = 0; b <= 255; ++b) {
                const int v = std::max({r, g, b}), delta = v - std::min({r, g, b});
                const int s = v == 0 ? 0 : RoundHalfAway(std::int64_t{delta} * 255, v);
                int h = 0;
                if (s != 0) {
                    h = b == v   ? RoundHalfAway(60 * (r - g), delta) + 240
                        : g == v ? RoundHalfAway(60 * (b - r), delta) + 120
                                 : RoundHalfAway(60 * (g - b), delta);
                    if (h < 0) h += 360;
                }
                sweep.Check({r, g, b}, {h, s, v}, Convert(ZvRGBHSV, {r, g, b}));
            }
    sweep.Expect(256L * 256 * 256);
}

TEST(Triples, HoldBlueGreenRedAndAgreeWithTheIntegerForms) {
    const TRGBTriple orange = ZvHSVRGBTriple(30, 255, 255);
    unsigned char bytes[3];
    std::memcpy(bytes, &orange, 3);
    EXPECT_EQ((Triple3{bytes[0], bytes[1], bytes[2]}), (Triple3{0, 128, 255})) << "bytes blue, green, red";
    const TRGBTriple none = ZvHSVRGBTriple(361, 255, 255);
    EXPECT_EQ((Triple3{none.rgbtRed, none.rgbtGreen, none.rgbtBlue}), (Triple3{0, 0, 0})) << "hue 361 is black";
    for (Triple3 rgb : {Triple3{255, 128, 0}, Triple3{200, 100, 50}, Triple3{1, 0, 2}}) {
        Triple3 got = kUntouched<int>;
        ZvRGBTripleHSV(ZvRGBTriple(BYTE(rgb.a), BYTE(rgb.b), BYTE(rgb.c)), got.a, got.b, got.c);
        EXPECT_EQ(got, Convert(ZvRGBHSV, rgb)) << "the triple of RGB " << rgb;
    }
}

TEST(Floating, WorkedExamplesAndUnwrittenOutputs) {
    const Double3 grey = Convert(ZvRGBHSVDouble, {0.5, 0.5, 0.5});
    EXPECT_EQ(Bits(grey.a), kAgreedNaN) << "the hue of grey by its bits";
    EXPECT_TRUE(SameBits({0.0, grey.b, grey.c}, {0.0, 0.0, 0.5})) << "expected S 0, V 0.5, got " << grey;
    const Double3 none = kUntouched<double>;
    ExpectCases<double>("HSV", ZvHSVRGBDouble,
                        {{{grey.a, 0.0, 0.5}, {0.5, 0.5, 0.5}}, {{90.0, 0.0, 0.5}, none},
                         {{360.0, 1.0, 1.0}, {1.0, 0.0, 0.0}}, {{361.0, 1.0, 1.0}, none}, {{-60.0, 1.0, 1.0}, none},
                         {{grey.a, 1.0, 1.0}, none}});  // a not-a-number hue needs S = 0
    ExpectCases<double>("RGB", ZvRGBHSVDouble, {{{1.0, 0.5, 0.0}, {30.0, 1.0, 1.0}}});
}

TEST(Floating, NaNHueIsRecognisedByItsBits) {
    // Exponent all ones and any non-zero fraction, either sign, quiet or
    // signalling; then infinities and the largest finite value.
    for (std::uint64_t nan : {kAgreedNaN, 0x7FF8000000000000ull, 0xFFF8000000000000ull, 0x7FF0000000000001ull,
                              0xFFFFFFFFFFFFFFFFull, 0x7FF0000000000000ull, 0xFFF0000000000000ull,
                              0x7FEFFFFFFFFFFFFFull}) {
        const bool isNaN = (nan & 0x000FFFFFFFFFFFFFull) != 0 && (nan & 0x7FF0000000000000ull) == 0x7FF0000000000000ull;
        const Double3 got = Convert(ZvHSVRGBDouble, {std::bit_cast<double>(nan), 0.0, 0.25});
        EXPECT_TRUE(SameBits(got, isNaN ? Double3{0.25, 0.25, 0.25} : kUntouched<double>))
            << std::hex << "hue bits 0x" << nan << ": expected " << (isNaN ? "grey 0.25" : "untouched") << ", got "
            << got;
    }
}

// Inputs that are not binary fractions, with each stated step rounded to a
// double, worked out apart from this code; other arrangements of the algebra
// ((G - B)/delta*60, V - S*V, 1 - min/V) or extended precision give other bits.
TEST(Floating, EachStepIsRoundedToADouble) {
    ExpectCases<double>("HSV", ZvHSVRGBDouble,  // one per sector
                        {{{10.3, 0.3, 0.7}, {0x1.6666666666666p-1, 0x1.0d566cf41f213p-1, 0x1.f5c28f5c28f5bp-2}},
                         {{70.7, 0.45, 0.7}, {0x1.49a36e2eb1c43p-1, 0x1.6666666666666p-1, 0x1.8a3d70a3d70a4p-2}},
                         {{145.1, 0.65, 0.7}, {0x1.f5c28f5c28f5bp-3, 0x1.6666666666666p-1, 0x1.bdca34b3ad88ap-2}},
                         {{215.9, 0.7, 0.9}, {0x1.147ae147ae149p-2, 0x1.0bcd35a858793p-1, 0x1.ccccccccccccdp-1}},
                         {{250.25, 0.9, 0.7}, {0x1.6bc6a7ef9db23p-3, 0x1.1eb851eb851eap-4, 0x1.6666666666666p-1}},
                         {{310.7, 0.9, 0.9}, {0x1.ccccccccccccdp-1, 0x1.70a3d70a3d709p-4, 0x1.82d77318fc508p-1}}});
    ExpectCases<double>("RGB", ZvRGBHSVDouble,
                        {{{0.9, 0.3, 0.1}, {0x1.dfffffffffffep+3, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
                         {{0.2, 0.7, 0.3}, {0x1.0800000000000p+7, 0x1.6db6db6db6db7p-1, 0x1.6666666666666p-1}},
                         {{0.9, 0.1, 0.3}, {0x1.5900000000000p+8, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
                         {{0.3, 0.1, 0.9}, {0x1.fe00000000000p+7, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}}});
}

}  // namespace
