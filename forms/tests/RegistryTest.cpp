// The registry object against the real registry: every test works in a
// private scratch key under HKEY_CURRENT_USER, and what the object writes is
// read back with the plain registry calls as well.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "Registry.h"

namespace {

using forms::ERegistryException;
using forms::TRegistry;

const std::string kScratch = "Software\\Zelvani\\Tests\\Registry";

// Plain registry helpers, independent of the object under test.
void RawDeleteTree(HKEY parent, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::vector<std::string> children;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    for (const std::string& child : children) RawDeleteTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(parent, path.c_str());
}

bool RawKeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void RawSet(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS)
        << name;
    RegCloseKey(key);
}

struct RawValue {
    bool found = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue RawGet(const std::string& path, const std::string& name) {
    RawValue v;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    BYTE buffer[4096];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, buffer, &size) == ERROR_SUCCESS) {
        v.found = true;
        v.data.assign(buffer, buffer + size);
    }
    RegCloseKey(key);
    return v;
}

DWORD RawDword(const RawValue& v) {
    DWORD d = 0;
    if (v.data.size() == sizeof d) std::memcpy(&d, v.data.data(), sizeof d);
    return d;
}

// The message of the registry exception that f raises, or a note that it
// raised none.
template <class F>
std::string Raised(F f) {
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "<no ERegistryException>";
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        RawDeleteTree(HKEY_CURRENT_USER, kScratch);
        ASSERT_FALSE(RawKeyExists(kScratch)) << "scratch key left from an earlier run";
    }
    void TearDown() override { RawDeleteTree(HKEY_CURRENT_USER, kScratch); }

    // Opens the scratch key, creating it.
    void OpenScratch() { ASSERT_TRUE(reg.OpenKey(kScratch, true)) << kScratch; }

    TRegistry reg;
};

// ---- opening and closing keys ------------------------------------------

TEST_F(Registry, StartsAtCurrentUserWithNoKeyOpen) {
    EXPECT_EQ(reg.RootKey, HKEY_CURRENT_USER);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
}

TEST_F(Registry, OpenKeyWithoutCreateFailsOnMissingKeyAndCreatesNothing) {
    EXPECT_FALSE(reg.OpenKey(kScratch, false));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(RawKeyExists(kScratch));
}

TEST_F(Registry, OpenKeyWithCreateMakesTheWholePath) {
    ASSERT_TRUE(reg.OpenKey(kScratch + "\\One\\Two", true));
    EXPECT_NE(reg.CurrentKey(), nullptr);
    EXPECT_TRUE(RawKeyExists(kScratch + "\\One\\Two"));
}

TEST_F(Registry, OpenKeyWithoutCreateOpensAnExistingKeyForWriting) {
    RawSet(kScratch, "Old", REG_DWORD, "\1\0\0\0", 4);
    ASSERT_TRUE(reg.OpenKey(kScratch, false));
    reg.WriteInteger("New", 9);
    EXPECT_EQ(RawDword(RawGet(kScratch, "New")), 9u);
}

TEST_F(Registry, LeadingBackslashOpensBelowTheRootKey) {
    ASSERT_TRUE(reg.OpenKey("\\" + kScratch, true));
    reg.WriteString("Where", "here");
    RawValue v = RawGet(kScratch, "Where");
    ASSERT_TRUE(v.found);
    EXPECT_STREQ(reinterpret_cast<const char*>(v.data.data()), "here");
}

TEST_F(Registry, OpenKeyAgainMovesWritesToTheNewKey) {
    ASSERT_TRUE(reg.OpenKey(kScratch + "\\First", true));
    ASSERT_TRUE(reg.OpenKey(kScratch + "\\Second", true));
    EXPECT_NE(reg.CurrentKey(), nullptr);
    reg.WriteInteger("Value", 2);
    EXPECT_TRUE(RawGet(kScratch + "\\Second", "Value").found);
    EXPECT_FALSE(RawGet(kScratch + "\\First", "Value").found);
}

TEST_F(Registry, FailedOpenLeavesNoKeyOpen) {
    OpenScratch();
    EXPECT_FALSE(reg.OpenKey(kScratch + "\\Missing", false));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(Raised([&] { reg.WriteInteger("Delay", 1); }), "Failed to set data for 'Delay': no registry key is open");
}

TEST_F(Registry, KeysAreOpenedBelowAnAssignedRootKey) {
    HKEY root;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                              nullptr),
              ERROR_SUCCESS);
    {
        TRegistry own;
        own.RootKey = root;
        ASSERT_TRUE(own.OpenKey("Below", true));
        own.WriteInteger("Depth", 1);
        EXPECT_TRUE(own.KeyExists("\\Below"));
    }
    RegCloseKey(root);
    EXPECT_EQ(RawDword(RawGet(kScratch + "\\Below", "Depth")), 1u);
}

TEST_F(Registry, CloseKeyLeavesNoKeyAndWritesThrow) {
    OpenScratch();
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(Raised([&] { reg.WriteString("Name", "x"); }), "Failed to set data for 'Name': no registry key is open");
    EXPECT_EQ(Raised([&] { reg.WriteBinaryData("Blob", "ab", 2); }),
              "Failed to set data for 'Blob': no registry key is open");
    EXPECT_FALSE(reg.ValueExists("Name"));
    EXPECT_EQ(reg.ReadString("Name"), "");
    reg.CloseKey();  // closing twice is harmless
    EXPECT_EQ(reg.CurrentKey(), nullptr);
}

// ---- read-only keys ----------------------------------------------------

TEST_F(Registry, OpenKeyReadOnlyNeverCreates) {
    EXPECT_FALSE(reg.OpenKeyReadOnly(kScratch));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(RawKeyExists(kScratch));
}

TEST_F(Registry, OpenKeyReadOnlyReadsButEveryWriteThrows) {
    RawSet(kScratch, "Delay", REG_DWORD, "\x05\0\0\0", 4);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kScratch));
    EXPECT_EQ(reg.ReadInteger("Delay"), 5);
    EXPECT_EQ(Raised([&] { reg.WriteInteger("Delay", 7); }), "Failed to set data for 'Delay'");
    EXPECT_EQ(Raised([&] { reg.WriteBool("Flag", true); }), "Failed to set data for 'Flag'");
    EXPECT_EQ(Raised([&] { reg.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
    EXPECT_EQ(Raised([&] { reg.WriteBinaryData("Blob", "ab", 2); }), "Failed to set data for 'Blob'");
    EXPECT_FALSE(reg.DeleteValue("Delay"));
    EXPECT_EQ(RawDword(RawGet(kScratch, "Delay")), 5u);
    EXPECT_FALSE(RawGet(kScratch, "Flag").found);
    EXPECT_FALSE(RawGet(kScratch, "Name").found);
    EXPECT_FALSE(RawGet(kScratch, "Blob").found);
}

// ---- key existence, subkeys and deletion -------------------------------

TEST_F(Registry, KeyExistsIsRelativeToTheOpenKeyOrToTheRootWithABackslash) {
    RawSet(kScratch + "\\Sub", "x", REG_DWORD, "\0\0\0\0", 4);
    EXPECT_TRUE(reg.KeyExists(kScratch));  // no key open: below the root
    EXPECT_TRUE(reg.KeyExists("\\" + kScratch));
    EXPECT_FALSE(reg.KeyExists(kScratch + "\\Missing"));
    OpenScratch();
    EXPECT_TRUE(reg.KeyExists("Sub"));
    EXPECT_FALSE(reg.KeyExists("Missing"));
    EXPECT_FALSE(reg.KeyExists(kScratch));  // would be the scratch key below itself
    EXPECT_TRUE(reg.KeyExists("\\" + kScratch + "\\Sub"));
}

TEST_F(Registry, GetKeyNamesListsTheSubkeys) {
    OpenScratch();
    EXPECT_TRUE(reg.GetKeyNames().empty());
    for (const char* name : {"Gamma", "Alpha", "Beta"}) RawSet(kScratch + "\\" + name, "v", REG_DWORD, "\0\0\0\0", 4);
    RawSet(kScratch + "\\Alpha\\Nested", "v", REG_DWORD, "\0\0\0\0", 4);
    EXPECT_EQ(Sorted(reg.GetKeyNames()), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
}

TEST_F(Registry, DeleteKeyRemovesTheKeyWithItsSubkeysAndSparesSiblings) {
    RawSet(kScratch + "\\Doomed", "Top", REG_DWORD, "\1\0\0\0", 4);
    RawSet(kScratch + "\\Doomed\\Child", "Mid", REG_SZ, "m", 2);
    RawSet(kScratch + "\\Doomed\\Child\\Grandchild", "Deep", REG_BINARY, "\1\2", 2);
    RawSet(kScratch + "\\Doomed\\Other", "Side", REG_DWORD, "\1\0\0\0", 4);
    RawSet(kScratch + "\\Kept", "Stay", REG_DWORD, "\1\0\0\0", 4);
    OpenScratch();
    EXPECT_TRUE(reg.DeleteKey("Doomed"));
    EXPECT_FALSE(reg.KeyExists("Doomed"));
    EXPECT_FALSE(RawKeyExists(kScratch + "\\Doomed"));
    EXPECT_TRUE(RawKeyExists(kScratch + "\\Kept"));
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"Kept"}));
}

TEST_F(Registry, DeleteKeyWithABackslashWorksBelowTheRoot) {
    RawSet(kScratch + "\\A\\B", "v", REG_DWORD, "\0\0\0\0", 4);
    ASSERT_TRUE(reg.OpenKey(kScratch + "\\A\\B", false));
    EXPECT_TRUE(reg.DeleteKey("\\" + kScratch + "\\A"));
    EXPECT_FALSE(RawKeyExists(kScratch + "\\A"));
    EXPECT_TRUE(RawKeyExists(kScratch));
}

TEST_F(Registry, DeleteKeyOfAMissingKeyOrAnEmptyPathFails) {
    OpenScratch();
    EXPECT_FALSE(reg.DeleteKey("Missing"));
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_TRUE(RawKeyExists(kScratch));
}

// ---- round trips of each type --------------------------------------------

TEST_F(Registry, IntegersRoundTripAsFourByteDwords) {
    OpenScratch();
    for (int value : {0, 1, -1, 1234, INT_MIN, INT_MAX}) {
        reg.WriteInteger("Delay", value);
        EXPECT_EQ(reg.ReadInteger("Delay"), value);
        RawValue v = RawGet(kScratch, "Delay");
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << value;
        EXPECT_EQ(v.data.size(), 4u) << value;
        EXPECT_EQ(RawDword(v), static_cast<DWORD>(value));
        EXPECT_EQ(reg.GetDataSize("Delay"), 4);
    }
}

TEST_F(Registry, BoolsAreStoredAsZeroAndOneAndAnyNonZeroReadsTrue) {
    OpenScratch();
    reg.WriteBool("On", true);
    reg.WriteBool("Off", false);
    EXPECT_TRUE(reg.ReadBool("On"));
    EXPECT_FALSE(reg.ReadBool("Off"));
    EXPECT_EQ(RawGet(kScratch, "On").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawDword(RawGet(kScratch, "On")), 1u);
    EXPECT_EQ(RawDword(RawGet(kScratch, "Off")), 0u);
    reg.WriteInteger("Five", 5);
    EXPECT_TRUE(reg.ReadBool("Five"));
    EXPECT_EQ(Raised([&] { reg.ReadBool("Missing"); }), "Failed to get data for 'Missing'");
}

TEST_F(Registry, StringsRoundTripAsTerminatedRegSz) {
    OpenScratch();
    const std::string values[] = {"", "Hello", "C:\\Pictures\\Shot 1.bmp", std::string(3000, 'x'),
                                  "accents \xE9\xE8 and ~tilde"};
    for (const std::string& value : values) {
        reg.WriteString("Name", value);
        EXPECT_EQ(reg.ReadString("Name"), value);
        RawValue v = RawGet(kScratch, "Name");
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
        ASSERT_EQ(v.data.size(), value.size() + 1) << value;
        EXPECT_EQ(v.data.back(), 0);
        EXPECT_EQ(reg.GetDataSize("Name"), static_cast<int>(value.size() + 1));
    }
}

TEST_F(Registry, ExpandableStringsAreReadUnexpanded) {
    const char text[] = "%TEMP%\\shots";
    RawSet(kScratch, "Folder", REG_EXPAND_SZ, text, sizeof text);
    OpenScratch();
    EXPECT_EQ(reg.ReadString("Folder"), "%TEMP%\\shots");
}

TEST_F(Registry, StringStoredWithoutTerminatorEndsWithItsData) {
    RawSet(kScratch, "Bare", REG_SZ, "abc", 3);
    OpenScratch();
    EXPECT_EQ(reg.ReadString("Bare"), "abc");
}

TEST_F(Registry, BinaryDataRoundTripsAsRegBinary) {
    OpenScratch();
    unsigned char out[16];
    for (int i = 0; i < 16; ++i) out[i] = static_cast<unsigned char>(i * 17 + 3);
    out[5] = 0;  // an embedded zero is data, not an end
    reg.WriteBinaryData("Blob", out, sizeof out);
    RawValue v = RawGet(kScratch, "Blob");
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(v.data, std::vector<BYTE>(out, out + sizeof out));
    EXPECT_EQ(reg.GetDataSize("Blob"), 16);
    unsigned char in[16] = {};
    EXPECT_EQ(reg.ReadBinaryData("Blob", in, sizeof in), 16);
    EXPECT_EQ(std::memcmp(in, out, sizeof in), 0);
}

TEST_F(Registry, EmptyBinaryValueExistsWithNoBytes) {
    OpenScratch();
    reg.WriteBinaryData("Empty", nullptr, 0);
    EXPECT_TRUE(reg.ValueExists("Empty"));
    EXPECT_EQ(reg.GetDataSize("Empty"), 0);
    unsigned char in[4] = {9, 9, 9, 9};
    EXPECT_EQ(reg.ReadBinaryData("Empty", in, sizeof in), 0);
    EXPECT_EQ(in[0], 9);
}

TEST_F(Registry, RegNoneIsReadAsBinary) {
    RawSet(kScratch, "Untyped", REG_NONE, "\xAA\xBB\xCC", 3);
    OpenScratch();
    unsigned char in[8] = {};
    EXPECT_EQ(reg.ReadBinaryData("Untyped", in, sizeof in), 3);
    EXPECT_EQ(in[0], 0xAA);
    EXPECT_EQ(in[2], 0xCC);
    EXPECT_EQ(in[3], 0);
}

// ---- missing values ------------------------------------------------------

TEST_F(Registry, MissingValuesReadAsDocumented) {
    OpenScratch();
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_EQ(Raised([&] { reg.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    unsigned char in[4] = {7, 7, 7, 7};
    EXPECT_EQ(reg.ReadBinaryData("Missing", in, sizeof in), 0);
    EXPECT_EQ(std::vector<unsigned char>(in, in + 4), (std::vector<unsigned char>{7, 7, 7, 7}));
}

TEST_F(Registry, ValueExistsAndDeleteValue) {
    OpenScratch();
    reg.WriteInteger("Delay", 3);
    EXPECT_TRUE(reg.ValueExists("Delay"));
    EXPECT_TRUE(reg.DeleteValue("Delay"));
    EXPECT_FALSE(reg.ValueExists("Delay"));
    EXPECT_FALSE(RawGet(kScratch, "Delay").found);
    EXPECT_FALSE(reg.DeleteValue("Delay"));
}

// ---- values of the wrong type --------------------------------------------

TEST_F(Registry, ReadIntegerRejectsOtherTypesAndSizes) {
    RawSet(kScratch, "Text", REG_SZ, "12", 3);
    RawSet(kScratch, "Blob", REG_BINARY, "\1\0\0\0", 4);
    RawSet(kScratch, "Short", REG_DWORD, "\1\0", 2);
    OpenScratch();
    EXPECT_EQ(Raised([&] { reg.ReadInteger("Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(Raised([&] { reg.ReadInteger("Blob"); }), "Invalid data type for 'Blob'");
    EXPECT_EQ(Raised([&] { reg.ReadInteger("Short"); }), "Invalid data type for 'Short'");
    EXPECT_EQ(Raised([&] { reg.ReadBool("Text"); }), "Invalid data type for 'Text'");
}

TEST_F(Registry, ReadStringRejectsOtherTypes) {
    OpenScratch();
    reg.WriteInteger("Delay", 5);
    reg.WriteBinaryData("Blob", "abc", 4);
    EXPECT_EQ(Raised([&] { reg.ReadString("Delay"); }), "Invalid data type for 'Delay'");
    EXPECT_EQ(Raised([&] { reg.ReadString("Blob"); }), "Invalid data type for 'Blob'");
}

TEST_F(Registry, ReadBinaryDataRejectsOtherTypesAndLeavesTheBuffer) {
    OpenScratch();
    reg.WriteInteger("Delay", 5);
    reg.WriteString("Name", "abc");
    unsigned char in[8];
    std::memset(in, 0xCC, sizeof in);
    EXPECT_EQ(Raised([&] { reg.ReadBinaryData("Delay", in, sizeof in); }), "Invalid data type for 'Delay'");
    EXPECT_EQ(Raised([&] { reg.ReadBinaryData("Name", in, sizeof in); }), "Invalid data type for 'Name'");
    EXPECT_EQ(std::vector<unsigned char>(in, in + 8), std::vector<unsigned char>(8, 0xCC));
}

// ---- binary values against the buffer size -------------------------------

TEST_F(Registry, ReadBinaryDataOfALongerValueThrowsAndLeavesTheBuffer) {
    OpenScratch();
    const unsigned char stored[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    reg.WriteBinaryData("Settings", stored, sizeof stored);
    unsigned char in[8];
    std::memset(in, 0xCC, sizeof in);
    EXPECT_EQ(Raised([&] { reg.ReadBinaryData("Settings", in, sizeof in); }),
              "Data of 'Settings' is too long (12 bytes where at most 8 fit)");
    EXPECT_EQ(std::vector<unsigned char>(in, in + 8), std::vector<unsigned char>(8, 0xCC));
    EXPECT_EQ(Raised([&] { reg.ReadBinaryData("Settings", in, 11); }),
              "Data of 'Settings' is too long (12 bytes where at most 11 fit)");
    EXPECT_EQ(std::vector<unsigned char>(in, in + 8), std::vector<unsigned char>(8, 0xCC));
}

TEST_F(Registry, ReadBinaryDataOfAShorterValueReturnsItsSizeAndKeepsTheRest) {
    OpenScratch();
    const unsigned char stored[3] = {0x11, 0x22, 0x33};
    reg.WriteBinaryData("Settings", stored, sizeof stored);
    unsigned char in[8];
    std::memset(in, 0xCC, sizeof in);
    EXPECT_EQ(reg.ReadBinaryData("Settings", in, sizeof in), 3);
    EXPECT_EQ(std::vector<unsigned char>(in, in + 8),
              (std::vector<unsigned char>{0x11, 0x22, 0x33, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}));
}

TEST_F(Registry, ReadBinaryDataOfExactlyTheBufferSizeFits) {
    OpenScratch();
    const unsigned char stored[4] = {4, 3, 2, 1};
    reg.WriteBinaryData("Settings", stored, sizeof stored);
    unsigned char in[4] = {};
    EXPECT_EQ(reg.ReadBinaryData("Settings", in, sizeof in), 4);
    EXPECT_EQ(std::memcmp(in, stored, 4), 0);
}

// ---- listing values --------------------------------------------------------

TEST_F(Registry, GetValueNamesListsTheOpenKeysValuesOnly) {
    OpenScratch();
    EXPECT_TRUE(reg.GetValueNames().empty());
    reg.WriteInteger("Delay", 1);
    reg.WriteString("Folder", "c:\\");
    reg.WriteBinaryData("Settings", "xy", 2);
    RawSet(kScratch + "\\Sub", "Hidden", REG_DWORD, "\0\0\0\0", 4);
    EXPECT_EQ(Sorted(reg.GetValueNames()), (std::vector<std::string>{"Delay", "Folder", "Settings"}));
    reg.DeleteValue("Folder");
    EXPECT_EQ(Sorted(reg.GetValueNames()), (std::vector<std::string>{"Delay", "Settings"}));
}

TEST_F(Registry, GetValueNamesHandlesLongNames) {
    OpenScratch();
    const std::string longName(200, 'n');
    reg.WriteInteger(longName, 1);
    reg.WriteInteger("a", 2);
    EXPECT_EQ(Sorted(reg.GetValueNames()), (std::vector<std::string>{"a", longName}));
}

}  // namespace
