// The program registered for a type of file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Zelvani.h"

namespace {

std::string Program(const std::string& Ext) {
    ShortString exe;
    std::memset(static_cast<void*>(&exe), 'x', sizeof exe);
    exe.Length = 10;  // a stale result must not survive
    ZvExtensionExecute(ShortString(Ext), exe);
    return exe.str();
}

std::string Lower(std::string S) {
    if (!S.empty()) CharLowerBuffA(S.data(), static_cast<DWORD>(S.size()));
    return S;
}

bool IsFile(const std::string& Path) {
    const DWORD attr = GetFileAttributesA(Path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool EndsWith(const std::string& S, const std::string& End) {
    return S.size() >= End.size() && S.compare(S.size() - End.size(), End.size(), End) == 0;
}

// Help files open with the help viewer, which every system has.
TEST(ExtensionExecute, HelpFilesOpenWithTheHelpViewer) {
    for (const char* ext : {"CHM", "chm"}) {
        const std::string exe = Program(ext);
        EXPECT_TRUE(EndsWith(Lower(exe), "\\hh.exe")) << ext << ": got '" << exe << "'";
        EXPECT_TRUE(IsFile(exe)) << ext << ": got '" << exe << "', which is no file";
    }
}

TEST(ExtensionExecute, NoRegisteredProgramGivesEmpty) {
    EXPECT_EQ(Program("zqxjvw"), "") << "an extension nobody registered";
    EXPECT_EQ(Program(""), "") << "no extension";
    EXPECT_EQ(Program("chm\\shell"), "") << "a registry path is no extension";
}

// A file type of its own, registered as a user registers one: extension ->
// type -> open command under HKCU\Software\Classes, which Windows shows in
// HKEY_CLASSES_ROOT. Where the classes root does not show the user's classes
// (Wine 8), the type is registered in the classes root itself.
class RegisteredType : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string id = std::to_string(GetCurrentProcessId());
        FExt = "zvt" + id;
        FType = "Zelvani.Test" + id;
        ASSERT_TRUE(Set("." + FExt, FType));
        char seen[64] = {};
        LONG size = sizeof seen;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, ("." + FExt).c_str(), seen, &size) != ERROR_SUCCESS) {
            Remove("." + FExt);
            FRoot = HKEY_CLASSES_ROOT;
            FPrefix = "";
            ASSERT_TRUE(Set("." + FExt, FType));
        }
    }
    void TearDown() override {
        Remove("." + FExt);
        Remove(FType);
    }
    void Register(const std::string& Command) { ASSERT_TRUE(Set(FType + "\\shell\\open\\command", Command)); }

    std::string FExt, FType;

private:
    bool Set(const std::string& Key, const std::string& Default) {
        HKEY key;
        if (RegCreateKeyExA(FRoot, (FPrefix + Key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
            return false;
        const bool ok = !RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(Default.c_str()),
                                        static_cast<DWORD>(Default.size() + 1));
        RegCloseKey(key);
        return ok;
    }
    // Removes a key with its subkeys (the deepest first).
    void Remove(const std::string& Key) {
        HKEY key;
        if (RegOpenKeyExA(FRoot, (FPrefix + Key).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            std::vector<std::string> subs;
            char sub[256];
            for (DWORD i = 0; RegEnumKeyA(key, i, sub, sizeof sub) == ERROR_SUCCESS; ++i) subs.push_back(sub);
            RegCloseKey(key);
            for (const auto& s : subs) Remove(Key + "\\" + s);
        }
        RegDeleteKeyA(FRoot, (FPrefix + Key).c_str());
    }

    HKEY FRoot = HKEY_CURRENT_USER;
    std::string FPrefix = "Software\\Classes\\";
};

TEST_F(RegisteredType, ThePathOfTheRegisteredProgram) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    Register("\"" + std::string(self) + "\" /open \"%1\"");
    EXPECT_EQ(Lower(Program(FExt)), Lower(self)) << "registered: " << self;
}

TEST_F(RegisteredType, AProgramNamedWithoutFolderIsFound) {
    Register("notepad.exe \"%1\"");
    const std::string exe = Program(FExt);
    EXPECT_TRUE(EndsWith(Lower(exe), "\\notepad.exe")) << "got '" << exe << "'";
    EXPECT_TRUE(IsFile(exe)) << "got '" << exe << "', which is no file";
}

TEST_F(RegisteredType, AMissingProgramGivesEmpty) {
    Register("\"C:\\Zelvani\\No Such Folder\\missing.exe\" \"%1\"");
    EXPECT_EQ(Program(FExt), "");
}

TEST_F(RegisteredType, ATypeWithoutOpenCommandGivesEmpty) {
    EXPECT_EQ(Program(FExt), "");
}

}  // namespace
