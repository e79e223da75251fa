#include <gtest/gtest.h>

#include <string>

#include "Registry.h"
#include "ZvCDesk.h"

namespace {

// Writes a small bitmap file the way a caller would hand one over.
std::string WriteBitmap() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "zvcdesk-test.bmp";
    const int w = 4, h = 2, row = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + row * h;
    std::string pixels(static_cast<size_t>(row * h), '\x80');
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, &fh, sizeof fh, &n, nullptr);
    WriteFile(f, &ih, sizeof ih, &n, nullptr);
    WriteFile(f, pixels.data(), static_cast<DWORD>(pixels.size()), &n, nullptr);
    CloseHandle(f);
    return path;
}

std::string DesktopValue(const char* Name) {
    forms::TRegistry reg;
    reg.OpenKeyReadOnly("Control Panel\\Desktop");
    return reg.ReadString(Name);
}

TEST(Wallpaper, EachStyleIsStoredAndTheFileMayGoAfterwards) {
    const std::string file = WriteBitmap();
    const char* styles[][2] = {{"0", "0"}, {"0", "1"}, {"2", "0"}, {"6", "0"}};
    for (int style = 1; style <= 4; ++style) {
        ASSERT_TRUE(ZvDeskWallpaper(file.c_str(), zvdFromFile, style, zvdStoreInProfile)) << "style " << style;
        EXPECT_EQ(DesktopValue("WallpaperStyle"), styles[style - 1][0]) << "style " << style;
        EXPECT_EQ(DesktopValue("TileWallpaper"), styles[style - 1][1]) << "style " << style;
    }
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    const std::string kept = DesktopValue("Wallpaper");
    EXPECT_NE(kept, file);
    EXPECT_NE(GetFileAttributesA(kept.c_str()), INVALID_FILE_ATTRIBUTES) << "the desktop's copy is gone: " << kept;
}

TEST(Wallpaper, RefusesWhatItCannotSet) {
    const std::string file = WriteBitmap();
    EXPECT_FALSE(ZvDeskWallpaper(nullptr, zvdFromFile, 1, zvdStoreInProfile));
    EXPECT_FALSE(ZvDeskWallpaper("C:\\no such folder\\none.bmp", zvdFromFile, 1, zvdStoreInProfile));
    EXPECT_FALSE(ZvDeskWallpaper(file.c_str(), zvdFromFile, 0, zvdStoreInProfile));
    EXPECT_FALSE(ZvDeskWallpaper(file.c_str(), zvdFromFile, 5, zvdStoreInProfile));
    EXPECT_FALSE(ZvDeskWallpaper(file.c_str(), 1, 1, zvdStoreInProfile));
    DeleteFileA(file.c_str());
}

// A copy that cannot be kept (a folder stands where the library keeps it)
// is refused, and the desktop keeps its wallpaper and its style.
TEST(Wallpaper, ARefusedWallpaperLeavesTheDesktopAsItWas) {
    const std::string file = WriteBitmap();
    ASSERT_TRUE(ZvDeskWallpaper(file.c_str(), zvdFromFile, 2, zvdStoreInProfile));
    const std::string kept = DesktopValue("Wallpaper");
    ASSERT_TRUE(DeleteFileA(kept.c_str()));
    ASSERT_TRUE(CreateDirectoryA(kept.c_str(), nullptr));
    const bool refused = !ZvDeskWallpaper(file.c_str(), zvdFromFile, 3, zvdStoreInProfile);
    const std::string style = DesktopValue("WallpaperStyle"), tile = DesktopValue("TileWallpaper");
    const std::string wallpaper = DesktopValue("Wallpaper");
    RemoveDirectoryA(kept.c_str());
    DeleteFileA(file.c_str());
    EXPECT_TRUE(refused);
    EXPECT_EQ(style, "0") << "the tiled style changed";
    EXPECT_EQ(tile, "1") << "the tiled style changed";
    EXPECT_EQ(wallpaper, kept);
}

}  // namespace
