// The coded capture settings: the defaults byte for byte, the two-byte
// numbers and the length rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CaptureSettings.h"

namespace {

std::string Bytes(const ShortString& S) { return std::string(S.Chars, S.Length); }

std::string Default(int Part) {
    ShortString s;
    s.assign("stale contents");
    ZvDefaultCapture(Part, s);
    return Bytes(s);
}

TEST(DefaultCapture, EachPartByteForByte) {
    EXPECT_EQ(Default(cpWhen), std::string("\x00\x03\x00\x00\x00", 5));
    EXPECT_EQ(Default(cpWhat), std::string("\x00\x00\x00\x05\x00\x00\x00\x03\x00\xFF\xFF\xFF", 12));
    EXPECT_EQ(Default(cpThen), std::string("\x00\x00\x02\x01\x00\x06Screen", 12));
    EXPECT_EQ(Default(cpOptions), std::string("\x01\x01", 2));
}

TEST(DefaultCapture, ThemeContentsAreTheFourWithoutLengthBytes) {
    const std::string all = Default(cpTheme);
    ASSERT_EQ(all.size(), 31u);
    EXPECT_EQ(all.substr(0, 5), Default(cpWhen));
    EXPECT_EQ(all.substr(5, 12), Default(cpWhat));
    EXPECT_EQ(all.substr(17, 12), Default(cpThen));
    EXPECT_EQ(all.substr(29, 2), std::string("\x01\x01", 2));
}

TEST(DefaultCapture, OtherPartsAreEmpty) {
    EXPECT_EQ(Default(5), "");
    EXPECT_EQ(Default(-1), "");
}

TEST(DefaultCapture, DefaultWhatReadsAsTheDocumentedRectangle) {
    ShortString what;
    ZvDefaultCapture(cpWhat, what);
    const unsigned char* p = CodedBytes(what);
    EXPECT_EQ(ReadTwoByte(p + 1), 0);    // Left
    EXPECT_EQ(ReadTwoByte(p + 3), 500);  // Right
    EXPECT_EQ(ReadTwoByte(p + 5), 0);    // Top
    EXPECT_EQ(ReadTwoByte(p + 7), 300);  // Bottom
    EXPECT_EQ(p[9] + p[10] * 256 + p[11] * 65536, 0xFFFFFF) << "white";
}

TEST(TwoByteNumbers, WriteDivAndModOfAHundred) {
    unsigned char b[2];
    WriteTwoByte(b, 1234);
    EXPECT_EQ(b[0], 12);
    EXPECT_EQ(b[1], 34);
    for (int v : {0, 1, 99, 100, 255, 500, 1600, 25599}) {
        WriteTwoByte(b, v);
        EXPECT_EQ(ReadTwoByte(b), v);
    }
    WriteTwoByte(b, -20);
    EXPECT_EQ(ReadTwoByte(b), 0) << "a negative value is stored as 0";
    WriteTwoByte(b, 30000);
    EXPECT_EQ(ReadTwoByte(b), 25599);
}

ShortString Coded(const std::string& Contents) {
    ShortString s;
    s.assign(Contents);
    return s;
}

TEST(LengthRule, WrongLengthsAreReplacedWholeByTheDefault) {
    TCaptureSettings settings{};
    settings.When = Coded(std::string("\x02\x05\x01\xC0", 4));          // one byte short
    settings.What = Coded(std::string(12, '\x07'));                    // right length: kept
    settings.Then = Coded(std::string("\x00\x00\x02\x01\x00\x00", 6));  // empty names: 6 characters
    settings.Options = Coded(std::string("\x00\x00\x00", 3));
    RepairCaptureSettings(settings);
    EXPECT_EQ(Bytes(settings.When), Default(cpWhen));
    EXPECT_EQ(Bytes(settings.What), std::string(12, '\x07'));
    EXPECT_EQ(Bytes(settings.Then), Default(cpThen)) << "a Then of 6 characters is invalid";
    EXPECT_EQ(Bytes(settings.Options), Default(cpOptions));
}

TEST(LengthRule, ValuesOutOfRangeAreNotTheLengthRulesBusiness) {
    ShortString when = Coded(std::string("\x07\x03\x05\x00\x00", 5));
    EXPECT_FALSE(RepairCaptureString(cpWhen, when));
    EXPECT_EQ(Bytes(when), std::string("\x07\x03\x05\x00\x00", 5));
    ShortString then = Coded(std::string("\x00\x00\x02\x01\x00\x01X", 7));
    EXPECT_FALSE(RepairCaptureString(cpThen, then)) << "seven characters are enough";
    ShortString longThen = Coded(std::string(255, 'p'));
    EXPECT_FALSE(RepairCaptureString(cpThen, longThen));
}

// ---- Reading and writing the Then string ------------------------------------------

TEST(ThenString, NamesAreReadWithinTheStringsLength) {
    const ShortString then = Coded(std::string("\x05\x00\x02\x01\x05Laser\x05Shot*", 16));
    EXPECT_EQ(ThenPrinterName(then), "Laser");
    EXPECT_EQ(ThenFileName(then), "Shot*");

    // Lengths that claim more than the string holds, with stale bytes
    // behind its end: only the string's own characters are read.
    ShortString claims = Coded(std::string("\x05\x00\x02\x01\x03Lp", 7));
    std::memcpy(claims.Chars + 7, "STALE", 5);
    EXPECT_EQ(ThenPrinterName(claims), "Lp");
    EXPECT_EQ(ThenFileName(claims), "");
    const ShortString shortFile = Coded(std::string("\x05\x00\x02\x01\x00\x30" "ab", 8));
    EXPECT_EQ(ThenFileName(shortFile), "ab");
    EXPECT_EQ(CodedByte(shortFile, 8), 'b');
    EXPECT_EQ(CodedByte(shortFile, 9), 0) << "past the end reads as absent";
    EXPECT_EQ(CodedByte(shortFile, 0), 0);
}

TEST(ThenString, ComposedFromTheOldDigitsAndPrinter) {
    const ShortString old = Coded(std::string("\x00\x00\x03\x00\x05Laser\x06Screen", 17));
    const ShortString then = ComposeThen(5, 1, old, "Shot*");
    EXPECT_EQ(Bytes(then), std::string("\x05\x01\x03\x00\x05Laser\x05Shot*", 16));
    EXPECT_EQ(Bytes(ComposeThen(3, 0, old, "")), std::string("\x03\x00\x03\x00\x05Laser\x00", 11));
}

TEST(ThenString, CutAt255WithItsLengthsKeptTrue) {
    // A long printer name leaves room for only part of the file name.
    const std::string printer(240, 'p');
    const std::string bytes = std::string("\x00\x00\x02\x01", 4) + static_cast<char>(240) + printer;
    const ShortString old = Coded(bytes);
    const ShortString then = ComposeThen(5, 0, old, std::string(48, 'f'));
    ASSERT_EQ(then.Length, 255);
    EXPECT_EQ(ThenPrinterName(then), printer);
    EXPECT_EQ(CodedByte(then, 6 + 240), 9) << "the file name's length counts what is left of it";
    EXPECT_EQ(ThenFileName(then), std::string(9, 'f'));

    // A printer name that fills the string on its own keeps a length byte
    // for an empty file name.
    const std::string fullBytes = std::string("\x00\x00\x02\x01\xFA", 5) + std::string(250, 'q');
    const ShortString full = Coded(fullBytes);
    const ShortString cut = ComposeThen(0, 0, full, "Screen");
    ASSERT_EQ(cut.Length, 255);
    EXPECT_EQ(CodedByte(cut, 5), 249);
    EXPECT_EQ(ThenPrinterName(cut), std::string(249, 'q'));
    EXPECT_EQ(CodedByte(cut, 255), 0);
    EXPECT_EQ(ThenFileName(cut), "");
}

}  // namespace
