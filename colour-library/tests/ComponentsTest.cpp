#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "ZvColor.h"

namespace {

TColor MakeColor(int highByte, int red, int green, int blue) {
    return static_cast<TColor>(static_cast<std::uint32_t>(highByte) << 24 | blue << 16 | green << 8 | red);
}

TEST(Components, PlainColourSplitsIntoItsBytes) {
    const TColor c = MakeColor(0, 32, 64, 128);
    EXPECT_EQ(ZvRed(c), 32);
    EXPECT_EQ(ZvGreen(c), 64);
    EXPECT_EQ(ZvBlue(c), 128);
}

TEST(Components, HighByteStaysInTheBlueResult) {
    const TColor c = MakeColor(2, 64, 128, 255);
    EXPECT_EQ(ZvRed(c), 64);
    EXPECT_EQ(ZvGreen(c), 128);
    EXPECT_EQ(ZvBlue(c), 767);
}

TEST(Components, SystemColourGivesNegativeComponents) {
    const TColor c = static_cast<TColor>(0x80000005u);
    EXPECT_EQ(ZvRed(c), -251);
    EXPECT_EQ(ZvGreen(c), -255);
    EXPECT_EQ(ZvBlue(c), -32767);
}

TEST(Components, RGBTripleStoresBlueGreenRed) {
    const TRGBTriple t = ZvRGBTriple(1, 2, 3);
    unsigned char bytes[3];
    std::memcpy(bytes, &t, 3);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 1);
}

TEST(Components, NaNHasTheAgreedBits) {
    const double d = ZvNaN();
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    EXPECT_EQ(bits, 0x7FFFFFFFFFFFFFFFull);
    EXPECT_NE(d, d);
}

}  // namespace
