// What the callers rely on without windows: the screen-tip mode, the system
// codes, value names and split hints, folders and drives, fonts and file types.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Zelvani.h"

namespace {

// --- The screen-tip mode, stored per user in the registry.

const char* const TipsKey = "Software\\Zelvani\\Common";

struct Stored {
    bool Exists = false;
    DWORD Type = 0;
    std::vector<BYTE> Data;
    bool operator==(const Stored&) const = default;
};

Stored ReadTips() {
    Stored s;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TipsKey, 0, KEY_QUERY_VALUE, &key)) return s;
    DWORD size = 0;
    if (!RegQueryValueExA(key, "Screentips", nullptr, &s.Type, nullptr, &size)) {
        s.Data.resize(size);
        s.Exists = !RegQueryValueExA(key, "Screentips", nullptr, &s.Type, s.Data.data(), &size);
    }
    RegCloseKey(key);
    return s;
}

void WriteTips(DWORD Type, const void* Data, DWORD Size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TipsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0);
    EXPECT_EQ(RegSetValueExA(key, "Screentips", 0, Type, static_cast<const BYTE*>(Data), Size), 0);
    RegCloseKey(key);
}

void WriteTips(DWORD Value) { WriteTips(REG_DWORD, &Value, sizeof Value); }

// Each test leaves the user's own setting as it found it.
class Screentips : public ::testing::Test {
protected:
    void SetUp() override { Saved = ReadTips(); }
    void TearDown() override {
        HKEY key;
        if (Saved.Exists)
            WriteTips(Saved.Type, Saved.Data.data(), static_cast<DWORD>(Saved.Data.size()));
        else if (!RegOpenKeyExA(HKEY_CURRENT_USER, TipsKey, 0, KEY_SET_VALUE, &key)) {
            RegDeleteValueA(key, "Screentips");
            RegCloseKey(key);
        }
        EXPECT_TRUE(ReadTips() == Saved) << "expected the user's own setting back after the test";
    }
    Stored Saved;
};

TEST_F(Screentips, EachModeIsStoredAsADwordAndReadBack) {
    for (int mode : {2, 0, 1}) {
        ZvSaveScreentips(mode);
        EXPECT_EQ(ZvScreentipsType(), mode) << "after saving mode " << mode;
        const Stored s = ReadTips();
        ASSERT_TRUE(s.Exists && s.Type == REG_DWORD && s.Data.size() == 4) << "expected a DWORD after saving " << mode;
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(s.Data.data()), DWORD(mode));
    }
    for (int bad : {3, -1}) {
        ZvSaveScreentips(bad);
        EXPECT_EQ(ZvScreentipsType(), 1) << "saving the unknown mode " << bad << " must keep mode 1";
    }
    WriteTips(2);  // as another process stores it: read at once, not cached
    EXPECT_EQ(ZvScreentipsType(), 2);
}

TEST_F(Screentips, BadStoredValuesReadAsZero) {
    ZvSaveScreentips(1);
    for (DWORD bad : {3u, 0x80000000u, 0xFFFFFFFFu}) {
        WriteTips(bad);
        EXPECT_EQ(ZvScreentipsType(), 0) << "expected 0 for the stored DWORD " << bad;
    }
    const DWORD two = 2;
    const BYTE halfDword[2] = {1, 0};
    WriteTips(REG_SZ, "1", 2);
    EXPECT_EQ(ZvScreentipsType(), 0) << "expected 0 for the string \"1\"";
    WriteTips(REG_BINARY, &two, 4);
    EXPECT_EQ(ZvScreentipsType(), 0) << "expected 0 for four binary bytes of 2";
    WriteTips(REG_DWORD, halfDword, 2);
    EXPECT_EQ(ZvScreentipsType(), 0) << "expected 0 for a DWORD of only two bytes";
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TipsKey, 0, KEY_SET_VALUE, &key), 0);
    RegDeleteValueA(key, "Screentips");
    RegCloseKey(key);
    EXPECT_EQ(ZvScreentipsType(), 0) << "expected 0 when nothing is stored";
}

// --- The display and the system codes.

TEST(System, ColourClassFiveOnTheTrueColourTestDisplay) {
    HDC dc = GetDC(nullptr);
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
    ASSERT_GE(bits, 24) << "expected the 24-bit test display";
    EXPECT_EQ(ZvTotalColors(), 5) << "for " << bits << " bits per pixel";
}

OSVERSIONINFOA Version() {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return v;
}

std::string OSVersion(int Kind) {
    ShortString s;
    std::memset(static_cast<void*>(&s), 'x', sizeof s);
    ZvOSVersion(static_cast<BYTE>(Kind), s);
    return s.str();
}

char PlatformDigit(const OSVERSIONINFOA& V) {
    return V.dwPlatformId == VER_PLATFORM_WIN32_NT ? '2' : V.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? '1' : '0';
}

TEST(System, KindZeroIsTheTwoCharacterCodeOfThisSystem) {
    const OSVERSIONINFOA v = Version();
    std::string expected = "01";
    if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) expected = v.dwMajorVersion >= 5 ? "22" : "21";
    if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        expected = v.dwMinorVersion >= 90 ? "13" : v.dwMinorVersion >= 10 ? "12" : "11";
    EXPECT_EQ(OSVersion(0), expected) << "for platform " << v.dwPlatformId << ", version " << v.dwMajorVersion << "."
                                      << v.dwMinorVersion;
    for (int kind : {2, 255}) EXPECT_EQ(OSVersion(kind), "") << "expected nothing for kind " << kind;
}

TEST(System, KindOneIsPlatformVersionAndCommonControlsNumber) {
    const OSVERSIONINFOA v = Version();
    const std::string s = OSVersion(1);
    const std::string version = std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
    ASSERT_GE(s.size(), 5u) << "got '" << s << "'";
    EXPECT_EQ(s[0], PlatformDigit(v)) << "got '" << s << "'";
    EXPECT_EQ(s.substr(1, 3), version.substr(0, 3)) << "got '" << s << "' on " << version;
    for (char c : s.substr(4)) ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << "got '" << s << "'";
    EXPECT_GE(std::stoul(s.substr(4)), 262215ul) << "expected common controls 4.71 or later, got '" << s << "'";
}

// --- Value names and split hints.

std::string Convert(const std::string& Tag, const std::string& Key) {
    ShortString name;
    ZvConvertStr(ShortString(Tag), ShortString(Key), name);
    return name.str();
}

// Every pair gets a usable name of its own; a clash names both pairs.
void ExpectDistinct(const std::vector<std::pair<std::string, std::string>>& Pairs) {
    std::map<std::string, std::pair<std::string, std::string>> seen;
    for (const auto& p : Pairs) {
        const std::string name = Convert(p.first, p.second);
        EXPECT_FALSE(name.empty()) << "('" << p.first << "', '" << p.second << "') gave an empty name";
        EXPECT_LE(name.size(), 255u);
        const auto [it, fresh] = seen.emplace(name, p);
        EXPECT_TRUE(fresh) << "('" << p.first << "', '" << p.second << "') and ('" << it->second.first << "', '"
                           << it->second.second << "') both gave '" << name << "'";
    }
}

TEST(ConvertStr, TheSamePairGivesTheSameNameAndAnEmptyKeyTheTag) {
    EXPECT_EQ(Convert("MiLux", "ForeColor"), Convert("MiLux", "ForeColor"));
    EXPECT_NE(Convert("MiLux", "ForeColor"), Convert("MiLux", "BackColor"));
    EXPECT_EQ(Convert("MiLux", ""), "MiLux");
    ShortString s("MiLux");  // the tag variable may take the result
    ZvConvertStr(s, ShortString("Options"), s);
    EXPECT_EQ(s.str(), Convert("MiLux", "Options"));
}

// All pairs of strings of up to three of the characters the names are
// built with, the empty pair among them.
TEST(ConvertStr, AllShortPairsOverTheSeparatorsAreDistinct) {
    std::vector<std::string> strings = {""};
    for (std::size_t i = 0; strings[i].size() < 3; ++i)
        for (char c : std::string("a_%")) strings.push_back(strings[i] + c);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& tag : strings)
        for (const auto& key : strings) pairs.emplace_back(tag, key);
    ExpectDistinct(pairs);
}

TEST(ConvertStr, OverLongPairsStayDistinctWithin255) {
    const std::string t(255, 't'), k(255, 'k');
    ExpectDistinct({{t, k}, {t.substr(1) + "u", k}, {t, k.substr(1) + "l"}, {t, "l" + k.substr(1)}, {t, ""},
                    {"", k}, {t.substr(1), "t" + k.substr(1)}, {t.substr(55), k.substr(201)},
                    {t.substr(55), k.substr(200)}});
    EXPECT_EQ(Convert(t.substr(55), k.substr(201)), t.substr(55) + "_" + k.substr(201)) << "expected a 255 name whole";
}

std::string Split(const std::string& S, int N) {
    ShortString r;
    ZvSplitStr(ShortString(S), N, r);
    return r.str();
}

TEST(SplitStr, ALineBreakAfterTheFirstNCharacters) {
    EXPECT_EQ(Split("abc,def", 4), "abc,\r\ndef");
    EXPECT_EQ(Split("ab", 1), "a\r\nb");
    for (int n : {0, -1, 7, 1000}) EXPECT_EQ(Split("abc,def", n), "abc,def") << "expected no break for N = " << n;
    EXPECT_EQ(Split("", 1), "");
    const std::string s(255, 'x');
    EXPECT_EQ(Split(s, 100), s.substr(0, 100) + "\r\n" + s.substr(0, 153)) << "expected a cut at 255 characters";
    ShortString same("Startup and more");  // split into itself
    ZvSplitStr(same, 7, same);
    EXPECT_EQ(same.str(), "Startup\r\n and more");
}

// --- Folders and drives.

class DirExists : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        Dir = std::string(temp) + "ZvDirExists" + std::to_string(GetCurrentProcessId());
        TearDown();
        ASSERT_TRUE(CreateDirectoryA(Dir.c_str(), nullptr)) << "cannot make " << Dir;
    }
    void TearDown() override {
        DeleteFileA((Dir + "\\file").c_str());
        RemoveDirectoryA((Dir + "\\sub").c_str());
        RemoveDirectoryA(Dir.c_str());
    }
    static bool Exists(const std::string& Path) { return ZvDirExists(ShortString(Path)); }
    void MakeFile() {
        CloseHandle(CreateFileA((Dir + "\\file").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    std::string Dir;
};

TEST_F(DirExists, FoldersExistFilesAndMissingPathsDoNot) {
    EXPECT_TRUE(Exists(Dir)) << Dir;
    EXPECT_TRUE(Exists(Dir + "\\")) << "expected true with a trailing backslash";
    EXPECT_TRUE(Exists("C:\\"));
    EXPECT_FALSE(Exists(Dir + "\\missing"));
    EXPECT_FALSE(Exists(""));
    MakeFile();
    EXPECT_FALSE(Exists(Dir + "\\file")) << "expected false for a file";
    EXPECT_FALSE(Exists(Dir + "\\file\\*.*")) << "expected false for the entries of a file";
    EXPECT_FALSE(Exists(Dir + "\\missing\\*.*"));
}

TEST_F(DirExists, AllEntriesPatternIsTrueForAFolderWithEntries) {
    EXPECT_FALSE(Exists(Dir + "\\*.*")) << "expected false for an empty folder (only . and ..)";
    MakeFile();
    EXPECT_TRUE(Exists(Dir + "\\*.*")) << "expected true for a folder with a file without extension";
    DeleteFileA((Dir + "\\file").c_str());
    ASSERT_TRUE(CreateDirectoryA((Dir + "\\sub").c_str(), nullptr));
    EXPECT_TRUE(Exists(Dir + "\\*.*")) << "expected true for a folder with a subfolder";
}

TEST(Folders, PersonalIsAnExistingFolderWithoutTrailingBackslash) {
    ShortString path;
    std::memset(static_cast<void*>(&path), '\\', sizeof path);
    ZvGetPersonal(path);
    const std::string p = path.str();
    ASSERT_GE(p.size(), 4u) << "got '" << p << "'";
    EXPECT_NE(p.back(), '\\') << "got '" << p << "'";
    const DWORD attr = GetFileAttributesA(p.c_str());
    EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) << "'" << p << "' is no folder";
}

TEST(Folders, DiskInDriveOnlyForDriveLettersWithAMedium) {
    EXPECT_TRUE(ZvDiskInDrive('C'));
    EXPECT_TRUE(ZvDiskInDrive('c'));
    const DWORD drives = GetLogicalDrives();
    int unused = 25;
    while (unused >= 0 && (drives & (1u << unused))) --unused;
    ASSERT_GE(unused, 0) << "every letter has a drive";
    EXPECT_FALSE(ZvDiskInDrive(char('A' + unused))) << "expected false for the unused " << char('A' + unused) << ":";
    for (char c : {'1', ':', '\\', '\0', '@', '['}) EXPECT_FALSE(ZvDiskInDrive(c)) << "expected false for " << int(c);
}

// --- Fonts and file types.

TEST(Fonts, TheFontNameNamesAnInstalledFace) {
    ShortString name;
    std::memset(static_cast<void*>(&name), 'Z', sizeof name);
    ZvGetFontName(name);
    ASSERT_TRUE(name.Length > 0 && name.Length < LF_FACESIZE) << "got " << int(name.Length) << " characters";
    LOGFONTA lf = {};
    lf.lfHeight = -11;
    std::strcpy(lf.lfFaceName, name.str().c_str());
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    EXPECT_EQ(std::string(face), name.str()) << "expected the face drawn to be the named one";
}

TEST(Fonts, TahomaIsTrueTypeAndMadeUpNamesAreNot) {
    EXPECT_TRUE(ZvFontTrueType(ShortString("Tahoma")));
    EXPECT_TRUE(ZvFontTrueType(ShortString("tAHOMA"))) << "expected names compared without case";
    EXPECT_FALSE(ZvFontTrueType(ShortString("Zelvani No Such Face")));
    EXPECT_FALSE(ZvFontTrueType(ShortString(""))) << "expected false for the empty name";
}

std::string Program(const std::string& Ext) {
    ShortString exe("stale result");
    ZvExtensionExecute(ShortString(Ext), exe);
    return exe.str();
}

TEST(Associations, HelpFilesOpenWithAnExistingProgramUnknownTypesWithNone) {
    for (const char* ext : {"CHM", "chm"}) {
        const std::string exe = Program(ext);
        const DWORD attr = GetFileAttributesA(exe.c_str());
        EXPECT_TRUE(!exe.empty() && attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY))
            << ext << ": expected an existing program, got '" << exe << "'";
    }
    EXPECT_EQ(Program("zqxjvw"), "") << "expected nothing for an unregistered extension";
    EXPECT_EQ(Program(""), "") << "expected nothing for no extension";
}

}  // namespace
