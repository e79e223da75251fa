// The rules of the program's start.
#include <gtest/gtest.h>

#include "Startup.h"

namespace {

TEST(Startup, PictureNamesByTheirLastLetters) {
    for (const char* name : {"C:\\shots\\one.bmp", "two.JPG", "three.jpeg", "four.Jpe", "five.emf", "six.WMF",
                             "shotbmp", "BMP"})
        EXPECT_TRUE(IsPictureName(name)) << name;
    for (const char* name : {"notes.txt", "picture.png", "archive.bmp.zip", "jpg.", "", "movie.mpeg4"})
        EXPECT_FALSE(IsPictureName(name)) << name;
}

TEST(Startup, ALongNameCountsWhole) {
    // Paths run to the system's limit, beyond a short string's 255.
    EXPECT_TRUE(IsPictureName(std::string(252, 'a') + ".bmp"));
    EXPECT_FALSE(IsPictureName(std::string(252, 'a') + ".bmp.txt"));
}

TEST(Startup, MaxScreensGrowsWithMemoryUpTo99) {
    EXPECT_EQ(MaxScreensFor(64ull << 20), 8);
    EXPECT_EQ(MaxScreensFor(12ull << 20), 1);
    EXPECT_EQ(MaxScreensFor((791ull << 20)), 99);
    EXPECT_EQ(MaxScreensFor((790ull << 20)), 98);
    EXPECT_EQ(MaxScreensFor(1ull << 30), 99);
    EXPECT_EQ(MaxScreensFor(64ull << 30), 99) << "beyond 4 GB";
}

TEST(Startup, RecordForTheCommonLibrary) {
    const TZvComInfo info = MakeStartupInfo(reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(info.AppHandle, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(info.Title.str(), "Zelvani Mirolux");
    EXPECT_EQ(info.Tag.str(), "MiLux");
    EXPECT_EQ(info.DocumentNoun.str(), "screens");
    EXPECT_EQ(info.MinColors, 3);
    EXPECT_EQ(info.SuggestColors, 4);
    EXPECT_EQ(info.SuggestResolution, 2);
    EXPECT_EQ(info.MinMemoryMB, 12);
    EXPECT_TRUE(info.SingleInstance);
    EXPECT_TRUE(info.SuggestDisplay);
}

}  // namespace

namespace {

// The cursors the drawing tools and the floating selection show, from the
// program's own resources.
TEST(Startup, EveryToolCursorIsInTheProgram) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "Mirolux.exe";
    HMODULE program = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr) << exe;
    for (const char* name : {"Cross", "Pencil", "Eraser", "Text", "Picker", "Fill", "Airbrush", "Move"}) {
        HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(program, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        ASSERT_NE(cursor, nullptr) << name;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(cursor, &info)) << name;
        EXPECT_FALSE(info.fIcon) << name << " is a cursor";
        EXPECT_LT(info.xHotspot, 32u) << name;
        EXPECT_LT(info.yHotspot, 32u) << name;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DestroyCursor(cursor);
    }
    FreeLibrary(program);
}

}  // namespace
