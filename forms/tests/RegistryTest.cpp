// The registry object against the real registry, in a scratch key under HKEY_CURRENT_USER; what the
// object writes is read back with the plain registry calls as well.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "Registry.h"

namespace {

using forms::ERegistryException;
using forms::TRegistry;
using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::string>;

const std::string kScratch = "Software\\Zelvani\\Tests\\Registry";

// Plain registry helpers, independent of the object under test.
bool RawDeleteTree(HKEY parent, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char name[512];
    DWORD n = sizeof name;  // the first subkey, until none is left or one cannot be removed
    while (RegEnumKeyExA(key, 0, name, &n, nullptr, nullptr, nullptr, nullptr) == 0 && RawDeleteTree(key, name))
        n = sizeof name;
    RegCloseKey(key);
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

bool RawKeyExists(const std::string& path) {
    HKEY key;
    const bool found = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    return found && RegCloseKey(key) == ERROR_SUCCESS;
}

void RawSet(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), 0) << path << name;
    RegCloseKey(key);
}

// A value as its type, a colon and its data bytes, or "<missing>".
std::string RawGet(const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    char data[4096];
    DWORD type = REG_NONE, size = sizeof data;
    RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    const LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (key) RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::to_string(type) + ":" + std::string(data, size) : "<missing>";
}

std::string Raw(DWORD type, const std::string& data) { return std::to_string(type) + ":" + data; }
std::string Dword(DWORD d) { return Raw(REG_DWORD, std::string(reinterpret_cast<const char*>(&d), sizeof d)); }

// The message of the registry exception that f raises, or a note that it raised none.
template <class F>
std::string Raised(F f) {
    try { f(); } catch (const ERegistryException& e) { return e.what(); }
    return "<no ERegistryException>";
}

Names Sorted(Names v) {
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
    void OpenScratch() { ASSERT_TRUE(reg.OpenKey(kScratch, true)) << kScratch; }

    TRegistry reg;
};

TEST_F(Registry, OpensCreatesAndReadOnlyKeys) {
    EXPECT_EQ(reg.RootKey, HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey(kScratch, false)) << "expected a missing key not to open without create";
    EXPECT_FALSE(reg.OpenKeyReadOnly(kScratch)) << "expected a missing key not to open read-only";
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(RawKeyExists(kScratch)) << "expected a failed open to create nothing";
    ASSERT_TRUE(reg.OpenKey(kScratch + "\\One\\Two", true));
    EXPECT_TRUE(RawKeyExists(kScratch + "\\One\\Two")) << "expected create to make the whole path";
    ASSERT_TRUE(reg.OpenKey("\\" + kScratch + "\\One", false)) << "expected a leading backslash to change nothing";
    reg.WriteInteger("Where", 1);
    EXPECT_EQ(RawGet(kScratch + "\\One", "Where"), Dword(1)) << "expected the write in the key opened last";
    EXPECT_FALSE(reg.OpenKey(kScratch + "\\Missing", false));
    EXPECT_EQ(reg.CurrentKey(), nullptr) << "expected a failed open to close the key open before";
    EXPECT_EQ(Raised([&] { reg.WriteInteger("Delay", 1); }), "Failed to set data for 'Delay': no registry key is open");
    ASSERT_TRUE(reg.OpenKeyReadOnly(kScratch + "\\One"));
    EXPECT_EQ(reg.ReadInteger("Where"), 1);
    EXPECT_EQ(Raised([&] { reg.WriteInteger("Where", 7); }), "Failed to set data for 'Where'");
    EXPECT_EQ(Raised([&] { reg.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
    EXPECT_EQ(Raised([&] { reg.WriteBinaryData("Blob", "ab", 2); }), "Failed to set data for 'Blob'");
    EXPECT_FALSE(reg.DeleteValue("Where")) << "expected a read-only key to keep its values";
    EXPECT_EQ(RawGet(kScratch + "\\One", "Where"), Dword(1));
    for (const char* name : {"Name", "Blob"}) EXPECT_EQ(RawGet(kScratch + "\\One", name), "<missing>") << name;
    TRegistry outer;  // its key becomes the root key of reg
    ASSERT_TRUE(outer.OpenKey(kScratch, false));
    reg.RootKey = outer.CurrentKey();
    ASSERT_TRUE(reg.OpenKey("Below", true));
    reg.WriteInteger("Depth", 2);
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(RawGet(kScratch + "\\Below", "Depth"), Dword(2)) << "expected the key below the assigned root";
}

TEST_F(Registry, EachTypeRoundTrips) {
    OpenScratch();
    for (int value : {0, -1, 1234, INT_MIN, INT_MAX}) {
        reg.WriteInteger("Delay", value);
        EXPECT_EQ(reg.ReadInteger("Delay"), value);
        EXPECT_EQ(RawGet(kScratch, "Delay"), Dword(value)) << value;
    }
    reg.WriteBool("On", true);
    reg.WriteBool("Off", false);
    reg.WriteInteger("Five", 5);
    EXPECT_EQ(RawGet(kScratch, "On") + RawGet(kScratch, "Off"), Dword(1) + Dword(0)) << "expected true 1, false 0";
    EXPECT_TRUE(reg.ReadBool("On") && reg.ReadBool("Five") && !reg.ReadBool("Off")) << "expected non-zero as true";
    for (const std::string& value : {std::string(), std::string("C:\\Shot 1.bmp"), std::string(3000, 'x')}) {
        reg.WriteString("Name", value);
        EXPECT_EQ(reg.ReadString("Name"), value);
        EXPECT_EQ(RawGet(kScratch, "Name"), Raw(REG_SZ, value + '\0')) << "expected a terminated REG_SZ";
    }
    RawSet(kScratch, "Folder", REG_EXPAND_SZ, "%TEMP%\\shots", 13);
    EXPECT_EQ(reg.ReadString("Folder"), "%TEMP%\\shots") << "expected REG_EXPAND_SZ read unexpanded";
    RawSet(kScratch, "Bare", REG_SZ, "abc", 3);
    EXPECT_EQ(reg.ReadString("Bare"), "abc") << "expected a string without terminator to end with its data";
    const Bytes out = {3, 20, 37, 0, 71, 88};  // an embedded zero is data, not an end
    reg.WriteBinaryData("Blob", out.data(), 6);
    EXPECT_EQ(RawGet(kScratch, "Blob"), Raw(REG_BINARY, std::string(out.begin(), out.end())));
    Bytes in(6);
    EXPECT_EQ(reg.ReadBinaryData("Blob", in.data(), 6), 6);
    EXPECT_EQ(in, out);
    RawSet(kScratch, "Untyped", REG_NONE, "\xAA\xBB\xCC", 3);
    EXPECT_EQ(reg.ReadBinaryData("Untyped", in.data(), 6), 3) << "expected REG_NONE read as binary";
    EXPECT_EQ(in, (Bytes{0xAA, 0xBB, 0xCC, 0, 71, 88}));
    reg.WriteBinaryData("Empty", nullptr, 0);
    EXPECT_EQ(reg.GetDataSize("Empty"), 0);
    EXPECT_EQ(reg.ReadBinaryData("Empty", in.data(), 6), 0);
}

TEST_F(Registry, MissingValues) {
    OpenScratch();
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_EQ(Raised([&] { reg.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(reg.ReadString("Missing"), "");
    Bytes in(4, 7);
    EXPECT_EQ(reg.ReadBinaryData("Missing", in.data(), 4), 0);
    EXPECT_EQ(in, Bytes(4, 7)) << "expected a missing value to leave the buffer";
}

TEST_F(Registry, ReadsOfTheWrongTypeRaise) {
    RawSet(kScratch, "Text", REG_SZ, "12", 3);
    RawSet(kScratch, "Blob", REG_BINARY, "\1\0\0\0", 4);
    RawSet(kScratch, "Short", REG_DWORD, "\1\0", 2);
    OpenScratch();
    const auto invalid = [](const std::string& name) { return "Invalid data type for '" + name + "'"; };
    for (const char* name : {"Text", "Blob", "Short"}) EXPECT_EQ(Raised([&] { reg.ReadInteger(name); }), invalid(name));
    for (const char* name : {"Short", "Blob"}) EXPECT_EQ(Raised([&] { reg.ReadString(name); }), invalid(name));
    Bytes in(8, 0xCC);
    for (const char* name : {"Short", "Text"})
        EXPECT_EQ(Raised([&] { reg.ReadBinaryData(name, in.data(), 8); }), invalid(name));
    EXPECT_EQ(in, Bytes(8, 0xCC)) << "expected a wrong type to leave the buffer";
}

TEST_F(Registry, BinaryDataAgainstTheBufferSize) {
    OpenScratch();
    const Bytes twelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    reg.WriteBinaryData("Long", twelve.data(), 12);
    Bytes in(12, 0xCC);
    EXPECT_EQ(Raised([&] { reg.ReadBinaryData("Long", in.data(), 11); }),
              "Data of 'Long' is too long (12 bytes where at most 11 fit)");
    EXPECT_EQ(in, Bytes(12, 0xCC)) << "expected a longer value to leave the buffer";
    EXPECT_EQ(reg.ReadBinaryData("Long", in.data(), 12), 12) << "expected a value of the buffer's size to fit";
    EXPECT_EQ(in, twelve);
    reg.WriteBinaryData("Short", "\x11\x22\x33", 3);
    EXPECT_EQ(reg.ReadBinaryData("Short", in.data(), 12), 3);
    EXPECT_EQ(in, (Bytes{0x11, 0x22, 0x33, 4, 5, 6, 7, 8, 9, 10, 11, 12})) << "expected the rest untouched";
}

TEST_F(Registry, KeyExistenceNamesAndDeletion) {
    RawSet(kScratch + "\\Doomed\\Child\\Grandchild", "Deep", REG_BINARY, "\1\2", 2);
    RawSet(kScratch + "\\Doomed\\Other", "Side", REG_DWORD, "\0\0\0\0", 4);
    RawSet(kScratch + "\\Kept\\Nested", "Stay", REG_DWORD, "\0\0\0\0", 4);
    EXPECT_TRUE(reg.KeyExists(kScratch)) << "expected a path below the root when no key is open";
    EXPECT_FALSE(reg.KeyExists(kScratch + "\\Missing"));
    OpenScratch();
    EXPECT_TRUE(reg.KeyExists("Kept"));
    EXPECT_FALSE(reg.KeyExists(kScratch)) << "expected a path without backslash below the open key";
    EXPECT_TRUE(reg.KeyExists("\\" + kScratch + "\\Kept"));
    EXPECT_EQ(Sorted(reg.GetKeyNames()), (Names{"Doomed", "Kept"}));
    EXPECT_TRUE(reg.DeleteKey("Doomed"));
    EXPECT_FALSE(RawKeyExists(kScratch + "\\Doomed")) << "expected the key removed with its subkeys";
    EXPECT_TRUE(RawKeyExists(kScratch + "\\Kept\\Nested")) << "expected the sibling spared";
    EXPECT_EQ(reg.GetKeyNames(), (Names{"Kept"}));
    for (const char* key : {"Missing", "", "\\"})  // an empty path must not delete the open key
        EXPECT_FALSE(reg.DeleteKey(key)) << "expected no deletion for '" << key << "'";
    EXPECT_TRUE(reg.DeleteKey("\\" + kScratch + "\\Kept"));
    EXPECT_TRUE(!RawKeyExists(kScratch + "\\Kept") && RawKeyExists(kScratch)) << "expected only Kept removed";
}

TEST_F(Registry, ValueNamesAndDeletion) {
    OpenScratch();
    EXPECT_TRUE(reg.GetValueNames().empty());
    const std::string longName(200, 'n');
    reg.WriteInteger(longName, 1);
    reg.WriteString("Folder", "c:\\");
    reg.WriteBinaryData("Settings", "xy", 2);
    RawSet(kScratch + "\\Sub", "Hidden", REG_DWORD, "\0\0\0\0", 4);
    EXPECT_EQ(Sorted(reg.GetValueNames()), (Names{"Folder", "Settings", longName}));
    EXPECT_TRUE(reg.ValueExists("Folder"));
    EXPECT_TRUE(reg.DeleteValue("Folder"));
    EXPECT_EQ(RawGet(kScratch, "Folder"), "<missing>");
    EXPECT_FALSE(reg.DeleteValue("Folder")) << "expected deleting a missing value to fail";
    EXPECT_EQ(Sorted(reg.GetValueNames()), (Names{"Settings", longName}));
}

}  // namespace
