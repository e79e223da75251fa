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

TEST(Startup, OnlyTheFirst255CharactersOfAParameterCount) {
    std::string longName(260, 'a');
    EXPECT_FALSE(IsPictureName(longName + ".bmp")) << "the extension lies beyond the cut";
    EXPECT_TRUE(IsPictureName(std::string(251, 'a') + ".bmp"));
    EXPECT_FALSE(IsPictureName(std::string(252, 'a') + ".bmp"));
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
