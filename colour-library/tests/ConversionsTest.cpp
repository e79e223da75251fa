// The RGB <-> HSV conversions, checked against the worked examples and
// against reference computations that reach the same results by another
// route: exact rational arithmetic with its own rounding, a per-channel
// weight formula in place of the sector table, and exact binary fractions
// for the floating forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>

#include "ZvColor.h"

namespace {

struct Triple3 {
    int a, b, c;
    bool operator==(const Triple3&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Triple3& t) {
    return os << "(" << t.a << ", " << t.b << ", " << t.c << ")";
}

struct Double3 {
    double a, b, c;
};
std::ostream& operator<<(std::ostream& os, const Double3& d) {
    const auto precision = os.precision(17);
    os << "(" << d.a << ", " << d.b << ", " << d.c << ")";
    os.precision(precision);
    return os;
}

// The arguments streamed into one string, doubles to 17 digits.
template <typename... Args>
std::string Text(const Args&... args) {
    std::ostringstream os;
    os.precision(17);
    (os << ... << args);
    return os.str();
}

std::string Show(const Double3& d) { return Text(d); }

std::uint64_t Bits(double d) {
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}
double FromBits(std::uint64_t b) {
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}
bool SameBits(const Double3& x, const Double3& y) {
    return Bits(x.a) == Bits(y.a) && Bits(x.b) == Bits(y.b) && Bits(x.c) == Bits(y.c);
}

// Outputs start as these values, so that an unwritten output shows.
constexpr int kUnset = -12345;
constexpr double kUnsetD = -777.25;

Triple3 HsvToRgb(int h, int s, int v) {
    Triple3 o{kUnset, kUnset, kUnset};
    ZvHSVRGB(h, s, v, o.a, o.b, o.c);
    return o;
}
Triple3 RgbToHsv(int r, int g, int b) {
    Triple3 o{kUnset, kUnset, kUnset};
    ZvRGBHSV(r, g, b, o.a, o.b, o.c);
    return o;
}
Double3 HsvToRgbD(double h, double s, double v) {
    Double3 o{kUnsetD, kUnsetD, kUnsetD};
    ZvHSVRGBDouble(h, s, v, o.a, o.b, o.c);
    return o;
}
Double3 RgbToHsvD(double r, double g, double b) {
    Double3 o{kUnsetD, kUnsetD, kUnsetD};
    ZvRGBHSVDouble(r, g, b, o.a, o.b, o.c);
    return o;
}

// Reports the first few mismatches of a sweep in full and the total at the
// end; counts the cases so that a sweep that checks nothing fails.
class Sweep {
public:
    explicit Sweep(long minimumCases) : minimum_(minimumCases) {}
    ~Sweep() {
        if (failures_ > kShown) ADD_FAILURE() << failures_ << " mismatches in total, the first " << kShown << " shown";
        EXPECT_GE(cases_, minimum_) << "the sweep checked fewer cases than it should";
    }
    void Case() { ++cases_; }
    template <typename F>
    void Mismatch(F describe) {
        if (++failures_ <= kShown) ADD_FAILURE() << describe();
    }

private:
    static constexpr long kShown = 8;
    long minimum_;
    long cases_ = 0;
    long failures_ = 0;
};

// n / d for d > 0, to the nearest integer, an exact half away from zero.
std::int64_t RoundHalfAway(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    const std::int64_t r = n % d;
    const std::int64_t twiceAbsR = 2 * (r < 0 ? -r : r);
    if (twiceAbsR >= d) q += n < 0 ? -1 : 1;
    return q;
}

// Integer RGB to HSV by exact rational arithmetic. The hue formula is chosen
// in the order blue, green, red (the reverse of the library's): where two
// components are maximal the formulas must agree, so this also checks that.
Triple3 ReferenceRgbToHsv(int r, int g, int b) {
    const int v = std::max({r, g, b});
    const int delta = v - std::min({r, g, b});
    const int s = v == 0 ? 0 : static_cast<int>(RoundHalfAway(std::int64_t{delta} * 255, v));
    if (s == 0) return {0, 0, v};
    std::int64_t h;
    if (b == v)
        h = RoundHalfAway(std::int64_t{r - g} * 60, delta) + 240;
    else if (g == v)
        h = RoundHalfAway(std::int64_t{b - r} * 60, delta) + 120;
    else
        h = RoundHalfAway(std::int64_t{g - b} * 60, delta);
    if (h < 0) h += 360;
    return {static_cast<int>(h), s, v};
}

// Integer HSV to RGB, one channel at a time: channel n (red 5, green 3,
// blue 1) takes away from V the share V*S*w/(60*255), truncated, where w is
// the angular weight min(k, 240 - k) clamped to 0..60 and k = (60n + H) mod
// 360. Hue 360 is hue 0.
int ReferenceChannel(int n, int h, int s, int v) {
    if (h == 360) h = 0;
    const int k = (60 * n + h) % 360;
    const int w = std::clamp(std::min(k, 240 - k), 0, 60);
    return v - static_cast<int>(std::int64_t{v} * s * w / 15300);
}
Triple3 ReferenceHsvToRgb(int h, int s, int v) {
    return {ReferenceChannel(5, h, s, v), ReferenceChannel(3, h, s, v), ReferenceChannel(1, h, s, v)};
}

// ---------------------------------------------------------------- integer

TEST(IntegerHSVToRGB, WorkedExamples) {
    EXPECT_EQ(HsvToRgb(30, 255, 255), (Triple3{255, 128, 0}));
    EXPECT_EQ(HsvToRgb(59, 255, 255), (Triple3{255, 251, 0}));
    EXPECT_EQ(HsvToRgb(120, 128, 200), (Triple3{100, 200, 100}));
    EXPECT_EQ(HsvToRgb(200, 100, 50), (Triple3{31, 44, 50}));
    EXPECT_EQ(HsvToRgb(360, 255, 255), (Triple3{255, 0, 0}));
    EXPECT_EQ(HsvToRgb(0, 255, 255), (Triple3{255, 0, 0}));
}

TEST(IntegerHSVToRGB, ZeroSaturationIsGreyWhateverTheHue) {
    for (int h : {0, 59, 180, 360, 361, 400, -90, 100000})
        for (int v : {0, 1, 128, 255}) EXPECT_EQ(HsvToRgb(h, 0, v), (Triple3{v, v, v})) << "hue " << h;
}

TEST(IntegerHSVToRGB, HueAbove360WritesNothing) {
    for (int h : {361, 400, 419, 420, 1000, 2147483647})
        EXPECT_EQ(HsvToRgb(h, 255, 255), (Triple3{kUnset, kUnset, kUnset})) << "hue " << h;
}

TEST(IntegerHSVToRGB, WholeRangeMatchesChannelWeightFormula) {
    Sweep sweep(361L * 256 * 256);
    for (int h = 0; h <= 360; ++h)
        for (int s = 0; s <= 255; ++s)
            for (int v = 0; v <= 255; ++v) {
                sweep.Case();
                const Triple3 got = HsvToRgb(h, s, v);
                const Triple3 want = ReferenceHsvToRgb(h, s, v);
                if (!(got == want))
                    sweep.Mismatch(
                        [&] { return Text("HSV (", h, ", ", s, ", ", v, "): expected RGB ", want, ", got ", got); });
            }
}

TEST(IntegerRGBToHSV, WorkedExamples) {
    EXPECT_EQ(RgbToHsv(255, 128, 0), (Triple3{30, 255, 255}));
    EXPECT_EQ(RgbToHsv(200, 100, 50), (Triple3{20, 191, 200}));
    EXPECT_EQ(RgbToHsv(1, 0, 2), (Triple3{270, 255, 2}));
    EXPECT_EQ(RgbToHsv(10, 10, 10), (Triple3{0, 0, 10}));
    EXPECT_EQ(RgbToHsv(0, 0, 0), (Triple3{0, 0, 0}));
}

TEST(IntegerRGBToHSV, HalvesRoundAwayFromZero) {
    EXPECT_EQ(RgbToHsv(120, 1, 0).a, 1) << "hue 0.5 rounds up";
    EXPECT_EQ(RgbToHsv(120, 0, 1).a, 359) << "hue -0.5 rounds to -1";
    EXPECT_EQ(RgbToHsv(2, 1, 1).b, 128) << "saturation 127.5 rounds up";
}

TEST(IntegerRGBToHSV, WholeCubeMatchesExactRationalRounding) {
    Sweep sweep(256L * 256 * 256);
    for (int r = 0; r <= 255; ++r)
        for (int g = 0; g <= 255; ++g)
            for (int b = 0; b <= 255; ++b) {
                sweep.Case();
                const Triple3 got = RgbToHsv(r, g, b);
                const Triple3 want = ReferenceRgbToHsv(r, g, b);
                if (!(got == want) || got.a < 0 || got.a > 359)
                    sweep.Mismatch(
                        [&] { return Text("RGB (", r, ", ", g, ", ", b, "): expected HSV ", want, ", got ", got); });
            }
}

// ---------------------------------------------------------------- triples

TEST(Triples, HSVRGBTripleHoldsTheIntegerResultAsBlueGreenRed) {
    const TRGBTriple t = ZvHSVRGBTriple(30, 255, 255);
    unsigned char bytes[3];
    std::memcpy(bytes, &t, 3);
    EXPECT_EQ((Triple3{bytes[0], bytes[1], bytes[2]}), (Triple3{0, 128, 255}));
}

TEST(Triples, HSVRGBTripleMatchesIntegerConversion) {
    Sweep sweep(361L * 52 * 52);
    for (int h = 0; h <= 360; ++h)
        for (int s = 0; s <= 255; s += 5)
            for (int v = 0; v <= 255; v += 5) {
                sweep.Case();
                const Triple3 want = HsvToRgb(h, s, v);
                const TRGBTriple t = ZvHSVRGBTriple(h, s, v);
                const Triple3 got{t.rgbtRed, t.rgbtGreen, t.rgbtBlue};
                if (!(got == want))
                    sweep.Mismatch(
                        [&] { return Text("HSV (", h, ", ", s, ", ", v, "): expected RGB ", want, ", got ", got); });
            }
}

TEST(Triples, HSVRGBTripleOfHueAbove360IsBlack) {
    const TRGBTriple t = ZvHSVRGBTriple(361, 255, 255);
    EXPECT_EQ((Triple3{t.rgbtRed, t.rgbtGreen, t.rgbtBlue}), (Triple3{0, 0, 0}));
}

TEST(Triples, RGBTripleHSVReadsRedGreenAndBlue) {
    Triple3 got{kUnset, kUnset, kUnset};
    ZvRGBTripleHSV(ZvRGBTriple(255, 128, 0), got.a, got.b, got.c);
    EXPECT_EQ(got, (Triple3{30, 255, 255}));
    Sweep sweep(86L * 86 * 86);
    for (int r = 0; r <= 255; r += 3)
        for (int g = 0; g <= 255; g += 3)
            for (int b = 0; b <= 255; b += 3) {
                sweep.Case();
                Triple3 viaTriple{kUnset, kUnset, kUnset};
                ZvRGBTripleHSV(ZvRGBTriple(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)),
                               viaTriple.a, viaTriple.b, viaTriple.c);
                const Triple3 want = RgbToHsv(r, g, b);
                if (!(viaTriple == want))
                    sweep.Mismatch([&] {
                        return Text("RGB (", r, ", ", g, ", ", b, "): expected HSV ", want, ", got ", viaTriple);
                    });
            }
}

// ---------------------------------------------------------------- floating

constexpr std::uint64_t kAgreedNaN = 0x7FFFFFFFFFFFFFFFull;

TEST(FloatRGBToHSV, WorkedExamples) {
    const Double3 orange = RgbToHsvD(1.0, 0.5, 0.0);
    EXPECT_TRUE(SameBits(orange, {30.0, 1.0, 1.0})) << "expected (30, 1, 1), got " << Show(orange);
}

TEST(FloatRGBToHSV, ColoursWithoutHueGetTheAgreedNaN) {
    for (double grey : {0.5, 0.0, 1.0, 0.1}) {
        const Double3 got = RgbToHsvD(grey, grey, grey);
        EXPECT_EQ(Bits(got.a), kAgreedNaN) << "hue of grey " << grey;
        EXPECT_EQ(Bits(got.b), Bits(0.0)) << "saturation of grey " << grey;
        EXPECT_EQ(got.c, grey) << "value of grey " << grey;
    }
}

// The hue from the order of the components: between the largest and the
// smallest, the middle one shifts the hue from the largest's base hue (0,
// 120, 240) toward its neighbour, by 60 times its share of the range.
long double ReferenceHue(long double r, long double g, long double b) {
    const long double v = std::max({r, g, b});
    const long double delta = v - std::min({r, g, b});
    if (r >= g && g >= b) return 60 * (g - b) / delta;
    if (g >= r && r >= b) return 120 - 60 * (r - b) / delta;
    if (g >= b && b >= r) return 120 + 60 * (b - r) / delta;
    if (b >= g && g >= r) return 240 - 60 * (g - r) / delta;
    if (b >= r && r >= g) return 240 + 60 * (r - g) / delta;
    return 360 - 60 * (b - g) / delta;  // r >= b >= g
}

TEST(FloatRGBToHSV, GridMatchesOrderingFormula) {
    Sweep sweep(33L * 33 * 33);
    for (int ri = 0; ri <= 32; ++ri)
        for (int gi = 0; gi <= 32; ++gi)
            for (int bi = 0; bi <= 32; ++bi) {
                sweep.Case();
                const double r = ri / 32.0, g = gi / 32.0, b = bi / 32.0;
                const Double3 got = RgbToHsvD(r, g, b);
                const int vi = std::max({ri, gi, bi});
                const int di = vi - std::min({ri, gi, bi});
                bool ok = got.c == vi / 32.0;
                double exact = 0.0;
                if (di == 0) {
                    ok = ok && Bits(got.a) == kAgreedNaN && got.b == 0.0;
                } else {
                    // Both exact in a double, so their quotient is rounded once.
                    ok = ok && got.b == static_cast<double>(di) / vi;
                    const long double want = ReferenceHue(ri, gi, bi);
                    ok = ok && std::fabs(got.a - want) < 1e-12L && got.a >= 0.0 && got.a < 360.0;
                    // On this grid (G - B)*60 and delta are exact, so the hue is
                    // one rounded quotient of integers plus the base, rounded.
                    // Where two components are maximal the formulas agree, so
                    // the order blue, green, red serves as well.
                    const int num = bi == vi ? 60 * (ri - gi) : gi == vi ? 60 * (bi - ri) : 60 * (gi - bi);
                    const double base = bi == vi ? 240.0 : gi == vi ? 120.0 : 0.0;
                    exact = static_cast<double>(num) / di + base;
                    if (exact < 0.0) exact += 360.0;
                    ok = ok && Bits(got.a) == Bits(exact);
                }
                if (!ok) {
                    sweep.Mismatch([&] {
                        const double about = static_cast<double>(ReferenceHue(ri, gi, bi));
                        const std::string hs =
                            di == 0 ? "NaN, 0" : Text(exact, " (about ", about, "), ", static_cast<double>(di) / vi);
                        return Text("RGB ", Double3{r, g, b}, ": expected HSV (", hs, ", ", vi / 32.0, "), got ", got);
                    });
                }
            }
}

// Inputs that are not binary fractions, with the results of the stated
// steps each rounded to a double, worked out apart from this code. Other
// arrangements of the same algebra (V - S*V for (1 - S)*V, (G - B)/delta*60
// for (G - B)*60/delta, 1 - min/V for delta/V) or intermediates kept in
// extended precision give other bits for most of these.
struct RoundedCase {
    Double3 in, out;
};
// One case per sector.
constexpr RoundedCase kRoundedHsvToRgb[] = {
    {{10.3, 0.3, 0.7}, {0x1.6666666666666p-1, 0x1.0d566cf41f213p-1, 0x1.f5c28f5c28f5bp-2}},
    {{70.7, 0.45, 0.7}, {0x1.49a36e2eb1c43p-1, 0x1.6666666666666p-1, 0x1.8a3d70a3d70a4p-2}},
    {{145.1, 0.65, 0.7}, {0x1.f5c28f5c28f5bp-3, 0x1.6666666666666p-1, 0x1.bdca34b3ad88ap-2}},
    {{215.9, 0.7, 0.9}, {0x1.147ae147ae149p-2, 0x1.0bcd35a858793p-1, 0x1.ccccccccccccdp-1}},
    {{250.25, 0.9, 0.7}, {0x1.6bc6a7ef9db23p-3, 0x1.1eb851eb851eap-4, 0x1.6666666666666p-1}},
    {{310.7, 0.9, 0.9}, {0x1.ccccccccccccdp-1, 0x1.70a3d70a3d709p-4, 0x1.82d77318fc508p-1}},
};
constexpr RoundedCase kRoundedRgbToHsv[] = {
    {{0.9, 0.3, 0.1}, {0x1.dfffffffffffep+3, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
    {{0.2, 0.7, 0.3}, {0x1.0800000000000p+7, 0x1.6db6db6db6db7p-1, 0x1.6666666666666p-1}},
    {{0.7, 0.1, 0.6}, {0x1.3600000000000p+8, 0x1.b6db6db6db6dcp-1, 0x1.6666666666666p-1}},
    {{0.9, 0.1, 0.3}, {0x1.5900000000000p+8, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
    {{0.3, 0.1, 0.9}, {0x1.fe00000000000p+7, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
    {{0.3, 0.9, 0.1}, {0x1.a400000000000p+6, 0x1.c71c71c71c71dp-1, 0x1.ccccccccccccdp-1}},
};

TEST(FloatRounding, HSVToRGBRoundsEachStepToADouble) {
    for (const RoundedCase& c : kRoundedHsvToRgb) {
        const Double3 got = HsvToRgbD(c.in.a, c.in.b, c.in.c);
        EXPECT_TRUE(SameBits(got, c.out))
            << "HSV " << Show(c.in) << ": expected RGB " << Show(c.out) << ", got " << Show(got);
    }
}

TEST(FloatRounding, RGBToHSVRoundsEachStepToADouble) {
    for (const RoundedCase& c : kRoundedRgbToHsv) {
        const Double3 got = RgbToHsvD(c.in.a, c.in.b, c.in.c);
        EXPECT_TRUE(SameBits(got, c.out))
            << "RGB " << Show(c.in) << ": expected HSV " << Show(c.out) << ", got " << Show(got);
    }
}

TEST(FloatHSVToRGB, NaNHueWithZeroSaturationIsGrey) {
    const Double3 grey = RgbToHsvD(0.5, 0.5, 0.5);
    const Double3 back = HsvToRgbD(grey.a, 0.0, 0.5);
    EXPECT_TRUE(SameBits(back, {0.5, 0.5, 0.5})) << "expected (0.5, 0.5, 0.5), got " << Show(back);
}

TEST(FloatHSVToRGB, DefinedHueWithZeroSaturationWritesNothing) {
    for (double h : {90.0, 0.0, -0.0, 360.0, 1e300}) {
        const Double3 got = HsvToRgbD(h, 0.0, 0.5);
        EXPECT_TRUE(SameBits(got, {kUnsetD, kUnsetD, kUnsetD}))
            << "hue " << h << ": expected untouched, got " << Show(got);
    }
}

TEST(FloatHSVToRGB, NaNIsRecognisedByItsBits) {
    // Exponent all ones and any non-zero fraction, either sign, quiet or signalling.
    for (std::uint64_t nan : {kAgreedNaN, 0x7FF8000000000000ull, 0xFFF8000000000000ull, 0x7FF0000000000001ull,
                              0xFFF0000000000001ull, 0x7FF4000000000000ull, 0xFFFFFFFFFFFFFFFFull}) {
        const Double3 got = HsvToRgbD(FromBits(nan), 0.0, 0.25);
        EXPECT_TRUE(SameBits(got, {0.25, 0.25, 0.25}))
            << std::hex << "hue bits 0x" << nan << ": expected grey 0.25, got " << Show(got);
    }
    // Infinities and the largest finite value have the exponent or the fraction wrong.
    for (std::uint64_t notNan :
         {0x7FF0000000000000ull, 0xFFF0000000000000ull, 0x7FEFFFFFFFFFFFFFull, 0x000FFFFFFFFFFFFFull}) {
        const Double3 got = HsvToRgbD(FromBits(notNan), 0.0, 0.25);
        EXPECT_TRUE(SameBits(got, {kUnsetD, kUnsetD, kUnsetD}))
            << std::hex << "hue bits 0x" << notNan << ": expected untouched, got " << Show(got);
    }
}

TEST(FloatHSVToRGB, Hue360IsHue0AndHigherHuesWriteNothing) {
    const Double3 at360 = HsvToRgbD(360.0, 1.0, 1.0);
    EXPECT_TRUE(SameBits(at360, {1.0, 0.0, 0.0})) << "hue 360: expected (1, 0, 0), got " << Show(at360);
    const double justBelow360 = std::nextafter(360.0, 0.0);
    const Double3 below = HsvToRgbD(justBelow360, 1.0, 1.0);
    EXPECT_TRUE(below.a == 1.0 && below.b == 0.0 && below.c >= 0.0 && below.c < 1e-12)
        << "hue just below 360: expected about (1, 0, 0), got " << Show(below);
    for (double h : {std::nextafter(360.0, 400.0), 361.0, 419.0, 1e300, FromBits(kAgreedNaN)}) {
        const Double3 got = HsvToRgbD(h, 1.0, 1.0);
        EXPECT_TRUE(SameBits(got, {kUnsetD, kUnsetD, kUnsetD}))
            << "hue " << h << ": expected untouched, got " << Show(got);
    }
}

// Hues H = 15j/16 (H/60 = j/64), saturations s/256 and values v/256 are
// binary fractions so short that every step of the conversion is exact. The
// result is then V(1 - S w) with the channel weight w = clamp(min(k, 4 - k),
// 0, 1), k = (n + H/60) mod 6 (red n = 5, green 3, blue 1), which in units of
// 2^-22 is an integer.
double ExactChannel(int n, int j, int s, int v) {
    const int k64 = (64 * n + j) % 384;
    const int w64 = std::clamp(std::min(k64, 256 - k64), 0, 64);
    return std::ldexp(static_cast<double>(std::int64_t{v} * (16384 - s * w64)), -22);
}

TEST(FloatHSVToRGB, ExactOnBinaryFractionGrid) {
    Sweep sweep(384L * 86 * 65);
    for (int j = 0; j < 384; ++j)
        for (int s = 1; s <= 256; s += 3)
            for (int v = 0; v <= 256; v += 4) {
                sweep.Case();
                const double h = 15.0 * j / 16.0, sd = s / 256.0, vd = v / 256.0;
                const Double3 got = HsvToRgbD(h, sd, vd);
                const Double3 want{ExactChannel(5, j, s, v), ExactChannel(3, j, s, v), ExactChannel(1, j, s, v)};
                if (!SameBits(got, want)) {
                    sweep.Mismatch([&] {
                        return Text("HSV ", Double3{h, sd, vd}, ": expected RGB ", want, ", got ", got);
                    });
                }
            }
}

TEST(FloatHSVToRGB, FractionalHuesMatchChannelWeightFormula) {
    Sweep sweep(3600L * 11 * 11);
    for (int tenth = 0; tenth < 3600; ++tenth)
        for (int si = 1; si <= 11; ++si)
            for (int vi = 0; vi <= 10; ++vi) {
                sweep.Case();
                const double h = tenth / 10.0, s = si / 11.0, v = vi / 10.0;
                const Double3 got = HsvToRgbD(h, s, v);
                auto channel = [&](int n) {
                    const long double k = std::fmod(n + static_cast<long double>(h) / 60, 6.0L);
                    const long double w = std::clamp(std::min(k, 4 - k), 0.0L, 1.0L);
                    return static_cast<long double>(v) * (1 - static_cast<long double>(s) * w);
                };
                const long double r = channel(5), g = channel(3), b = channel(1);
                const bool ok =
                    std::fabs(got.a - r) < 1e-14L && std::fabs(got.b - g) < 1e-14L && std::fabs(got.c - b) < 1e-14L;
                if (!ok) {
                    sweep.Mismatch([&] {
                        const Double3 want{static_cast<double>(r), static_cast<double>(g), static_cast<double>(b)};
                        return Text("HSV ", Double3{h, s, v}, ": expected RGB about ", want, ", got ", got);
                    });
                }
            }
}

TEST(FloatRoundTrip, RGBToHSVAndBackGivesTheColour) {
    Sweep sweep(52L * 52 * 52);
    for (int ri = 0; ri <= 255; ri += 5)
        for (int gi = 0; gi <= 255; gi += 5)
            for (int bi = 0; bi <= 255; bi += 5) {
                sweep.Case();
                const Double3 rgb{ri / 255.0, gi / 255.0, bi / 255.0};
                const Double3 hsv = RgbToHsvD(rgb.a, rgb.b, rgb.c);
                const Double3 back = HsvToRgbD(hsv.a, hsv.b, hsv.c);
                const bool ok = std::fabs(back.a - rgb.a) < 1e-14 && std::fabs(back.b - rgb.b) < 1e-14 &&
                                std::fabs(back.c - rgb.c) < 1e-14;
                if (!ok)
                    sweep.Mismatch(
                        [&] { return Text("RGB ", rgb, " via HSV ", hsv, ": expected the colour back, got ", back); });
            }
}

}  // namespace
