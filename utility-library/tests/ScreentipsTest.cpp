// The screen-tip mode: stored per user in the registry, read back by this
// and any later process, and always 0..2 whatever is stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Zelvani.h"

namespace {

const char* const KeyPath = "Software\\Zelvani\\Common";
const char* const ValueName = "Screentips";

struct Stored {
    bool Exists = false;
    DWORD Type = 0;
    std::vector<BYTE> Data;
};

// The value as it is in the registry, read without the library.
Stored ReadRaw() {
    Stored s;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return s;
    DWORD size = 0;
    if (RegQueryValueExA(key, ValueName, nullptr, &s.Type, nullptr, &size) == ERROR_SUCCESS) {
        s.Data.resize(size);
        s.Exists = RegQueryValueExA(key, ValueName, nullptr, &s.Type, s.Data.data(), &size) == ERROR_SUCCESS;
        s.Data.resize(size);
    }
    RegCloseKey(key);
    return s;
}

void WriteRaw(DWORD Type, const void* Data, DWORD Size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, ValueName, 0, Type, static_cast<const BYTE*>(Data), Size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void WriteDword(DWORD Value) { WriteRaw(REG_DWORD, &Value, sizeof Value); }

void DeleteRaw() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, ValueName);
    RegCloseKey(key);
}

// Each test starts from the user's own setting and leaves it as it was.
class Screentips : public ::testing::Test {
protected:
    void SetUp() override { FSaved = ReadRaw(); }
    void TearDown() override {
        if (FSaved.Exists)
            WriteRaw(FSaved.Type, FSaved.Data.data(), static_cast<DWORD>(FSaved.Data.size()));
        else
            DeleteRaw();
    }

private:
    Stored FSaved;
};

TEST_F(Screentips, EachModeIsReadBackAtOnce) {
    for (int mode : {2, 0, 1}) {
        ZvSaveScreentips(mode);
        EXPECT_EQ(ZvScreentipsType(), mode) << "after saving mode " << mode;
    }
}

// What a later run, or another process, finds: a DWORD of the mode under the
// user's key.
TEST_F(Screentips, TheModeIsStoredInTheUsersRegistry) {
    for (int mode : {1, 2, 0}) {
        ZvSaveScreentips(mode);
        const Stored s = ReadRaw();
        ASSERT_TRUE(s.Exists) << "expected HKCU\\" << KeyPath << "\\" << ValueName << " after saving " << mode;
        EXPECT_EQ(s.Type, static_cast<DWORD>(REG_DWORD));
        ASSERT_EQ(s.Data.size(), sizeof(DWORD));
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(s.Data.data()), static_cast<DWORD>(mode));
    }
}

// A mode another process stored is what this one reads, without a cache.
TEST_F(Screentips, AModeStoredOutsideIsReadAtOnce) {
    ZvSaveScreentips(0);
    ASSERT_EQ(ZvScreentipsType(), 0);
    WriteDword(2);
    EXPECT_EQ(ZvScreentipsType(), 2);
    WriteDword(1);
    EXPECT_EQ(ZvScreentipsType(), 1);
}

TEST_F(Screentips, NoStoredModeMeansToolTipsEverywhere) {
    DeleteRaw();
    EXPECT_EQ(ZvScreentipsType(), 0);
}

TEST_F(Screentips, StoredValuesOutsideTheModesReadAsZero) {
    for (DWORD bad : {3u, 255u, 0x80000000u, 0xFFFFFFFFu}) {
        WriteDword(bad);
        EXPECT_EQ(ZvScreentipsType(), 0) << "stored DWORD " << bad;
    }
}

TEST_F(Screentips, StoredValuesOfAnotherTypeReadAsZero) {
    WriteRaw(REG_SZ, "1", 2);
    EXPECT_EQ(ZvScreentipsType(), 0) << "the string \"1\"";
    const DWORD two = 2;
    WriteRaw(REG_BINARY, &two, sizeof two);
    EXPECT_EQ(ZvScreentipsType(), 0) << "four binary bytes of 2";
    const unsigned long long wide = 1;
    WriteRaw(REG_QWORD, &wide, sizeof wide);
    EXPECT_EQ(ZvScreentipsType(), 0) << "a QWORD of 1";
    const BYTE shortData[2] = {1, 0};
    WriteRaw(REG_DWORD, shortData, sizeof shortData);
    EXPECT_EQ(ZvScreentipsType(), 0) << "a DWORD value of only two bytes";
}

TEST_F(Screentips, SavingAnUnknownModeStoresNothing) {
    ZvSaveScreentips(1);
    for (int bad : {3, -1, 100}) {
        ZvSaveScreentips(bad);
        EXPECT_EQ(ZvScreentipsType(), 1) << "after saving " << bad;
        const Stored s = ReadRaw();
        ASSERT_EQ(s.Data.size(), sizeof(DWORD));
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(s.Data.data()), 1u) << "stored after saving " << bad;
    }
}

}  // namespace
