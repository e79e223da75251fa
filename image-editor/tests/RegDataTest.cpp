// The settings store on the real registry: defaults, repairs, and what is
// stored afterwards, read back with plain registry calls.
#include <gtest/gtest.h>

#include <string>

#include "RegData.h"
#include "Registry.h"
#include "TestSupport.h"
#include "Zelvani.h"

namespace {

const char* const kSettings = "Software\\Zelvani\\Mirolux\\Settings";
const char* const kCapture = "Software\\Zelvani\\Mirolux\\Capture";
const char* const kThemes = "Software\\Zelvani\\Mirolux\\Themes";

std::string Raw(const char* Key, const char* Name) { return testsupport::StoredBytes(Key, Name); }

int RawInt(const char* Key, const char* Name) {
    forms::TRegistry reg;
    reg.OpenKeyReadOnly(Key);
    return reg.ReadInteger(Name);
}

void Put(const char* Key, const char* Name, const std::string& Bytes) {
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteBinaryData(Name, Bytes.data(), static_cast<int>(Bytes.size()));
}

void PutInt(const char* Key, const char* Name, int Value) {
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteInteger(Name, Value);
}

void PutString(const char* Key, const char* Name, const std::string& Value) {
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString(Name, Value);
}

std::string Documents() {
    ShortString s;
    ZvGetPersonal(s);
    return s.str();
}

std::string Coded(const ShortString& S) { return std::string(S.Chars, S.Length); }

const std::string kDefaultPosition(
    "\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x04\x2C\x01\x00\x00\x60\x02\x01\x05\x2A"
    "\x00\x01\x01\x4C\x01\x00\x01\x2F\x02\x00\x01\x23",
    33);
const std::string kDefaultDrawings("\x00\x00\x00\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00\x00", 13);

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        forms::TRegistry reg;
        reg.DeleteKey("\\Software\\Zelvani\\Mirolux");
        DrawingFont = new forms::TFont;
    }
    void TearDown() override {
        delete DrawingFont;
        DrawingFont = nullptr;
    }
};

TEST_F(Settings, FirstStartGivesTheDefaultsAndStoresThemByteForByte) {
    LoadSettings();
    EXPECT_EQ(Options, 0x4FFF);
    EXPECT_EQ(StartupAuto, 1);
    EXPECT_EQ(Zoom, 2);
    EXPECT_EQ(ColorDepth, 3);
    EXPECT_EQ(Themes, 0);
    EXPECT_EQ(FileLocation, Documents());
    EXPECT_EQ(AutoSaveLocation, Documents());
    EXPECT_EQ(BrowserLocation, Documents() + "\\Catalog Browser");
    EXPECT_NE(GetFileAttributesA(BrowserLocation.c_str()), INVALID_FILE_ATTRIBUTES) << "the catalog folder is made";
    EXPECT_EQ(DrawingFont->Name(), "ARIAL");
    EXPECT_EQ(DrawingFont->Size(), 12);

    SaveSettings();
    EXPECT_EQ(RawInt(kSettings, "Options"), 20479);
    EXPECT_EQ(RawInt(kSettings, "Zoom"), 2);
    EXPECT_EQ(RawInt(kSettings, "CapturedScreen"), 0);
    EXPECT_EQ(Raw(kSettings, "DefaultScreen"), std::string("\x05\x00\x03\x00\xFF\xFF\xFF", 7));
    EXPECT_EQ(Raw(kSettings, "Drawings"), kDefaultDrawings);
    EXPECT_EQ(Raw(kSettings, "Position"), kDefaultPosition);
    EXPECT_EQ(Raw(kSettings, "DrawingFont"), std::string("\x09\x05" "ARIAL" "\x00\x0C\x00", 10));
    EXPECT_EQ(Raw(kCapture, "When"), std::string("\x05\x00\x03\x00\x00\x00", 6));
    EXPECT_EQ(Raw(kCapture, "Capture"), std::string("\x0C\x00\x00\x00\x05\x00\x00\x00\x03\x00\xFF\xFF\xFF", 13));
    EXPECT_EQ(Raw(kCapture, "Then"), std::string("\x0C\x00\x00\x02\x01\x00\x06Screen", 13));
    EXPECT_EQ(Raw(kCapture, "Options"), std::string("\x02\x01\x01", 3));
    EXPECT_EQ(Raw(kCapture, "Mode"), std::string(157, '\0'));
    forms::TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kThemes));
    EXPECT_TRUE(reg.GetValueNames().empty());
}

TEST_F(Settings, StoredValuesComeBack) {
    PutInt(kSettings, "Zoom", 4);
    PutInt(kSettings, "Options", 0x0123);
    PutString(kSettings, "FileLocation", "C:\\windows");
    Put(kSettings, "Drawings", std::string("\x03\x01\x10\x20\x30\x40\x50\x60\x02\x04\x01\x02\x01", 13));
    Put(kCapture, "When", std::string("\x05\x02\x07\x01\xC0\x41", 6));
    LoadSettings();
    EXPECT_EQ(Zoom, 4);
    EXPECT_EQ(Options, 0x0123);
    EXPECT_EQ(FileLocation, "C:\\windows");
    EXPECT_EQ(Drawings, std::string("\x03\x01\x10\x20\x30\x40\x50\x60\x02\x04\x01\x02\x01", 13));
    EXPECT_EQ(Coded(WhenSettings), std::string("\x02\x07\x01\xC0\x41", 5)) << "in range: kept exactly";
    SaveSettings();
    EXPECT_EQ(Raw(kCapture, "When"), std::string("\x05\x02\x07\x01\xC0\x41", 6));
}

TEST_F(Settings, NumbersOutOfRangeAreClamped) {
    PutInt(kSettings, "Zoom", 7);
    PutInt(kSettings, "Themes", -3);
    PutInt(kSettings, "Options", 0x9000);
    LoadSettings();
    EXPECT_EQ(Zoom, 4);
    EXPECT_EQ(Themes, 0);
    EXPECT_EQ(Options, 0x7FFF);
}

TEST_F(Settings, AWrongTypeOrAnOverlongRecordResetsTheWholeGroup) {
    PutInt(kSettings, "Zoom", 3);
    PutString(kSettings, "StartupAuto", "two");
    LoadSettings();
    EXPECT_EQ(Zoom, 2) << "read before the error, and reset with the group";
    EXPECT_EQ(StartupAuto, 1);

    PutInt(kSettings, "StartupAuto", 2);
    Put(kSettings, "Position", std::string(40, '\x01'));
    LoadSettings();
    EXPECT_EQ(Zoom, 2);
    EXPECT_EQ(StartupAuto, 1);
    EXPECT_EQ(Position, kDefaultPosition);
}

TEST_F(Settings, AShortRecordKeepsTheDefaultBytesAfterIt) {
    Put(kSettings, "Drawings", std::string("\x02\x01\x11\x22\x33", 5));
    LoadSettings();
    EXPECT_EQ(Drawings, std::string("\x02\x01\x11\x22\x33", 5) + kDefaultDrawings.substr(5));
}

TEST_F(Settings, IndexesAndSizesAreMadeSafeAndInRangeValuesKept) {
    Put(kSettings, "Drawings", std::string("\x0F\x05\x00\x00\x00\xFF\xFF\xFF\x03\x09\x01\x07\x02", 13));
    Put(kSettings, "DefaultScreen", std::string("\x00\x05\xC8\x00\x10\x20\x30", 7));  // 5 x 20000
    std::string position = kDefaultPosition;
    position[13] = 9;  // main bar: band with Text 1 at index 9
    position[25] = 2;  // drawing bar: a valid index stays
    Put(kSettings, "Position", position);
    LoadSettings();
    EXPECT_EQ(Drawings, std::string("\x0B\x01\x00\x00\x00\xFF\xFF\xFF\x02\x04\x01\x02\x02", 13));
    EXPECT_EQ(DefaultScreen, std::string("\x00\x0A\x10\x00\x10\x20\x30", 7)) << "10 x 1600, colour kept";
    EXPECT_EQ(static_cast<int>(Position[13]), 1) << "an index outside the bands goes back to the default";
    EXPECT_EQ(static_cast<int>(Position[25]), 2);
}

TEST_F(Settings, CodedStringsObeyTheLengthRuleAndTheDelayStaysInOneToNine) {
    Put(kCapture, "When", std::string("\x04\x01\x05\x00\x00", 5));  // 4 characters
    Put(kCapture, "Capture", std::string("\x0C\x02\x00\x10\x05\x00\x00\x20\x03\x00\x01\x02\x03", 13));
    Put(kCapture, "Then", std::string("\x06\x00\x00\x02\x01\x00\x00", 7));  // empty names: 6 characters
    LoadSettings();
    EXPECT_EQ(Coded(WhenSettings), std::string("\x00\x03\x00\x00\x00", 5));
    EXPECT_EQ(Coded(WhatSettings), std::string("\x02\x00\x10\x05\x00\x00\x20\x03\x00\x01\x02\x03", 12));
    EXPECT_EQ(Coded(ThenSettings), std::string("\x00\x00\x02\x01\x00\x06Screen", 12));

    Put(kCapture, "When", std::string("\x05\x01\x00\x00\x00\x00", 6));
    LoadSettings();
    EXPECT_EQ(CodedBytes(WhenSettings)[1], 1);
    Put(kCapture, "When", std::string("\x05\x01\x0C\x00\x00\x00", 6));
    LoadSettings();
    EXPECT_EQ(CodedBytes(WhenSettings)[1], 9);
}

TEST_F(Settings, AnErrorInTheCaptureKeyKeepsWhatWasReadBefore) {
    Put(kCapture, "When", std::string("\x05\x01\x04\x00\x00\x00", 6));
    PutString(kCapture, "Then", "not binary");
    Put(kCapture, "Options", std::string("\x02\x00\x00", 3));
    LoadSettings();
    EXPECT_EQ(Coded(WhenSettings), std::string("\x01\x04\x00\x00\x00", 5));
    EXPECT_EQ(Coded(CaptureOptions), std::string("\x01\x01", 2)) << "read after the error: the default";
}

TEST_F(Settings, TheModeIsReadUpTo157Bytes) {
    std::string mode(200, '\x07');
    mode[0] = 1;
    Put(kCapture, "Mode", mode);
    LoadSettings();
    EXPECT_TRUE(CaptureMode.PrintModeSet);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&CaptureMode.PrintMode)[155], 7);
    SaveSettings();
    EXPECT_EQ(Raw(kCapture, "Mode").size(), 157u);
}

TEST_F(Settings, ThemesWithGapsAreCompacted) {
    PutInt(kSettings, "Themes", 3);
    Put(kThemes, "Theme1", std::string("\x03One", 4));
    Put(kThemes, "Theme3", std::string("\x05Three", 6));
    LoadSettings();
    EXPECT_EQ(Themes, 2);
    EXPECT_EQ(ThemeTable[0].str(), "One");
    EXPECT_EQ(ThemeTable[1].str(), "Three");
    SaveSettings();
    EXPECT_EQ(Raw(kThemes, "Theme1"), std::string("\x03One", 4));
    EXPECT_EQ(Raw(kThemes, "Theme2"), std::string("\x05Three", 6));
    EXPECT_EQ(Raw(kThemes, "Theme3"), "<missing>");
    EXPECT_EQ(RawInt(kSettings, "Themes"), 2);
}

TEST_F(Settings, AnUnreadableThemeLeavesNoThemes) {
    PutInt(kSettings, "Themes", 2);
    Put(kThemes, "Theme1", std::string("\x03One", 4));
    PutString(kThemes, "Theme2", "text");
    LoadSettings();
    EXPECT_EQ(Themes, 0);
}

TEST_F(Settings, TheTextToolsFontRoundTrips) {
    LoadSettings();
    DrawingFont->SetName("Times New Roman");
    DrawingFont->SetSize(14);
    DrawingFont->SetStyle(forms::fsBold | forms::fsItalic);
    SaveSettings();
    EXPECT_EQ(Raw(kSettings, "DrawingFont"), std::string("\x13\x0F" "Times New Roman" "\x00\x0E\x03", 20));
    DrawingFont->SetName("Arial");
    LoadSettings();
    EXPECT_EQ(DrawingFont->Name(), "Times New Roman");
    EXPECT_EQ(DrawingFont->Size(), 14);
    EXPECT_EQ(DrawingFont->Style(), forms::fsBold | forms::fsItalic);
}

TEST_F(Settings, AFontRecordWhoseLengthsDisagreeIsNotTaken) {
    Put(kSettings, "DrawingFont", std::string("\x13\x30" "Times New Roman" "\x00\x0E\x03", 20));
    LoadSettings();
    EXPECT_EQ(DrawingFont->Name(), "ARIAL");
    EXPECT_EQ(DrawingFont->Size(), 12);
}

TEST_F(Settings, FoldersThatAreGoneFallBackToTheDocuments) {
    PutString(kSettings, "FileLocation", "C:\\no such folder here");
    PutString(kSettings, "AutoSaveLocation", "");
    LoadSettings();
    EXPECT_EQ(FileLocation, Documents());
    EXPECT_EQ(AutoSaveLocation, Documents());
}

TEST(OptionBits, IncludeExcludeToggleAndTest) {
    Options = 0;
    IncludeOption(OptStatusBar | 0x1);
    EXPECT_TRUE(HasOption(OptStatusBar));
    EXPECT_TRUE(HasOption(0x1 | 0x2)) << "any bit of the mask";
    ExcludeOption(0x1);
    EXPECT_EQ(Options, OptStatusBar);
    ToggleOption(OptStatusBar | 0x4);
    EXPECT_EQ(Options, 0) << "a mask with a bit set is cleared";
    ToggleOption(OptStatusBar | 0x4);
    EXPECT_EQ(Options, OptStatusBar | 0x4);
    SetOption(0x4, false);
    SetOption(OptNewDialog, true);
    EXPECT_EQ(Options, OptStatusBar | OptNewDialog);
}

}  // namespace
