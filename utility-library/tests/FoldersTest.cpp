// Folders and drives: existing folders, folders with entries, the user's
// documents folder and drives with a medium.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Zelvani.h"

namespace {

bool Exists(const std::string& Path) { return ZvDirExists(ShortString(Path)); }

// A new empty folder under the temporary folder, removed with what is in it.
class DirExists : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        FDir = std::string(temp) + "ZvDirExists" + std::to_string(GetCurrentProcessId());
        RemoveAll();
        ASSERT_TRUE(CreateDirectoryA(FDir.c_str(), nullptr)) << "cannot make " << FDir;
    }
    void TearDown() override { RemoveAll(); }

    void MakeFile(const std::string& Name) {
        HANDLE h = CreateFileA((FDir + "\\" + Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot make " << Name;
        CloseHandle(h);
    }

    std::string FDir;

private:
    void RemoveAll() {
        DeleteFileA((FDir + "\\file.txt").c_str());
        DeleteFileA((FDir + "\\noext").c_str());
        RemoveDirectoryA((FDir + "\\sub").c_str());
        RemoveDirectoryA(FDir.c_str());
    }
};

TEST_F(DirExists, AnExistingFolderExistsWithOrWithoutTrailingBackslash) {
    EXPECT_TRUE(Exists(FDir)) << FDir;
    EXPECT_TRUE(Exists(FDir + "\\")) << FDir << "\\";
    EXPECT_TRUE(Exists("C:\\")) << "the root of drive C:";
    EXPECT_TRUE(Exists("C:\\windows")) << "the system's folder";
}

TEST_F(DirExists, AMissingFolderOrAFileIsNoFolder) {
    EXPECT_FALSE(Exists(FDir + "\\missing"));
    EXPECT_FALSE(Exists(FDir + "\\missing\\"));
    MakeFile("file.txt");
    EXPECT_FALSE(Exists(FDir + "\\file.txt")) << "a file is not a folder";
    EXPECT_FALSE(Exists(FDir + "\\file.txt\\"));
    EXPECT_FALSE(Exists("")) << "the empty path";
    EXPECT_FALSE(Exists(FDir + "\\*")) << "a pattern is no folder";
    EXPECT_FALSE(Exists(FDir + std::string("\0\\", 2))) << "a zero character inside the path";
}

TEST_F(DirExists, AllEntriesPatternAsksForEntries) {
    const std::string all = FDir + "\\*.*";
    EXPECT_FALSE(Exists(all)) << "an empty folder has only . and ..";
    MakeFile("file.txt");
    EXPECT_TRUE(Exists(all)) << "a folder with a file";
    DeleteFileA((FDir + "\\file.txt").c_str());
    MakeFile("noext");
    EXPECT_TRUE(Exists(all)) << "a folder with a file without extension";
    DeleteFileA((FDir + "\\noext").c_str());
    ASSERT_TRUE(CreateDirectoryA((FDir + "\\sub").c_str(), nullptr));
    EXPECT_TRUE(Exists(all)) << "a folder with a subfolder";
    EXPECT_FALSE(Exists(FDir + "\\sub\\*.*")) << "the empty subfolder";
}

TEST_F(DirExists, AllEntriesPatternOfNoFolderIsFalse) {
    EXPECT_FALSE(Exists(FDir + "\\missing\\*.*"));
    MakeFile("file.txt");
    EXPECT_FALSE(Exists(FDir + "\\file.txt\\*.*")) << "a file has no entries";
}

TEST(GetPersonal, TheUsersDocumentsFolderWithoutTrailingBackslash) {
    ShortString path;
    std::memset(static_cast<void*>(&path), '\\', sizeof path);
    ZvGetPersonal(path);
    const std::string p = path.str();
    ASSERT_GE(p.size(), 3u) << "got '" << p << "'";
    EXPECT_NE(p.back(), '\\') << "got '" << p << "'";
    EXPECT_EQ(p.substr(1, 2), ":\\") << "a full path, got '" << p << "'";
    const DWORD attr = GetFileAttributesA(p.c_str());
    ASSERT_NE(attr, INVALID_FILE_ATTRIBUTES) << "'" << p << "' does not exist";
    EXPECT_TRUE(attr & FILE_ATTRIBUTE_DIRECTORY) << "'" << p << "' is no folder";
    EXPECT_TRUE(ZvDirExists(path)) << "'" << p << "'";
    // It is the user's own, in the user's profile.
    char profile[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH), 0u);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, p.c_str(), static_cast<int>(std::strlen(profile)),
                             profile, -1),
              CSTR_EQUAL)
        << "expected a folder in '" << profile << "', got '" << p << "'";
    EXPECT_GT(p.size(), std::strlen(profile)) << "the profile itself is not the documents folder";
}

TEST(DiskInDrive, DriveCHasItsDiskInEitherCase) {
    EXPECT_TRUE(ZvDiskInDrive('C'));
    EXPECT_TRUE(ZvDiskInDrive('c'));
}

TEST(DiskInDrive, ALetterWithoutDriveHasNone) {
    const DWORD drives = GetLogicalDrives();
    char free = 0;
    for (int i = 25; i >= 0 && !free; --i)
        if (!(drives & (1u << i))) free = static_cast<char>('A' + i);
    ASSERT_NE(free, 0) << "every letter has a drive";
    EXPECT_FALSE(ZvDiskInDrive(free)) << free << ": has no drive";
    EXPECT_FALSE(ZvDiskInDrive(static_cast<char>(free - 'A' + 'a'))) << free << ": in small letters";
}

TEST(DiskInDrive, ANonLetterIsNoDrive) {
    for (char c : {'1', ':', '\\', '\0', '@', '['}) EXPECT_FALSE(ZvDiskInDrive(c)) << "character " << int(c);
}

}  // namespace
