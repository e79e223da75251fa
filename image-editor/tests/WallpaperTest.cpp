// File > Set as Wallpaper in the program's own main window: the style
// chosen in the dialog with the keys, stored on OK and not on Cancel; the
// desktop's wallpaper and style as the system reports them afterwards; the
// temporary bitmap gone in every case; the floating selection dropped into
// the picture first; and the temporary file's name.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "EditCommands.h"
#include "ProgramWindows.h"

using namespace forms;
using namespace testsupport;
using namespace programwindows;

namespace {

std::string DesktopValue(const char* Name) {
    TRegistry reg;
    reg.OpenKeyReadOnly("Control Panel\\Desktop");
    return reg.ReadString(Name);
}

std::string SystemWallpaper() {
    char path[MAX_PATH + 1] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

// Where the wallpaper library keeps the desktop's copy.
std::string KeptCopy() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
    return std::string(folder) + "\\Zelvani\\Wallpaper.bmp";
}

// The temporary bitmaps of the command left in a folder.
std::vector<std::string> LeftOver(const std::string& Folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Folder + "\\~ML*.BMP").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The screen's colour of a pixel of a window's client area.
COLORREF ScreenPixel(HWND Wnd, int X, int Y) {
    POINT p = {X, Y};
    ClientToScreen(Wnd, &p);
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

bool SamePixels(TBitmap& A, TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (int y = 0; y < A.Height(); ++y)
        if (std::memcmp(A.ScanLine(y), B.ScanLine(y), static_cast<size_t>(A.Width()) * 3) != 0) return false;
    return true;
}

class Wallpaper : public ::testing::Test {
protected:
    void SetUp() override {
        frmMain->Show();
        // The test's own temporary folder, for the command and for the test.
        folder = TempFolder() + "\\Wallpaper";
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& name : LeftOver(folder)) DeleteFileA((folder + "\\" + name).c_str());
        char saved[MAX_PATH] = {};
        GetEnvironmentVariableA("TMP", saved, MAX_PATH);
        savedTmp = saved;
        SetEnvironmentVariableA("TMP", (folder + "\\").c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("TMP", savedTmp.c_str());
        CloseEveryScreen();
    }

    // The command of the File menu, the style chosen with the keys in the
    // dialog's list from its top, and the dialog ended with Enter (OK) or
    // Escape, after BeforeEnd; the
    // preview's pixels at the points asked for are read on the way.
    void SetWallpaper(int Style, bool Confirm, const std::vector<POINT>& Probes = {},
                      const std::function<void()>& BeforeEnd = nullptr) {
        preview.clear();
        bool chosen = false;
        Later(&timers, [&, Style, Confirm, Probes, BeforeEnd] {
            PumpUntil([] { return frmSetAsWallpaper->Showing(); });
            ToFront();
            Press(VK_HOME);
            for (int i = 0; i < Style; ++i) Press(VK_DOWN);
            Settle();
            for (POINT p : Probes) preview.push_back(ScreenPixel(frmSetAsWallpaper->picPreview->Handle(), p.x, p.y));
            description = frmSetAsWallpaper->lblText->Caption();
            chosen = true;
            if (BeforeEnd) BeforeEnd();
            Press(Confirm ? VK_RETURN : VK_ESCAPE);
        }, 300);
        frmMain->mnuFileSetAsWallpaper_Click(frmMain->FindComponent("mnuFileSetAsWallpaper"));
        EXPECT_TRUE(PumpUntil([&] { return chosen && !frmSetAsWallpaper->Showing() && frmMain->Enabled(); }, 15000))
            << "the command did not end";
        Settle();
    }

    std::string folder, savedTmp, description;
    std::vector<COLORREF> preview;
    // The test's timers go with it.
    TComponent timers{nullptr};
};

TEST_F(Wallpaper, EachStyleBecomesTheDesktopsWithTheScreensPicture) {
    OpenScreenFile(MakePicture("desk.bmp", 40, 30));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    const char* const expected[][2] = {{"0", "0"}, {"0", "1"}, {"2", "0"}, {"6", "0"}};
    for (int style = 0; style < 4; ++style) {
        SetWallpaper(style, true);
        EXPECT_EQ(SetAsWallpaper, style);
        EXPECT_EQ(description, WallpaperDescriptions[style]);
        EXPECT_EQ(DesktopValue("WallpaperStyle"), expected[style][0]) << "style " << style;
        EXPECT_EQ(DesktopValue("TileWallpaper"), expected[style][1]) << "style " << style;
        EXPECT_EQ(SystemWallpaper(), KeptCopy()) << "style " << style;
        EXPECT_EQ(LeftOver(folder), std::vector<std::string>{}) << "style " << style;
        EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
    }
    std::unique_ptr<TGraphic> kept(ZvLoadPicture(KeptCopy().c_str()));
    auto* keptBitmap = dynamic_cast<TBitmap*>(kept.get());
    ASSERT_NE(keptBitmap, nullptr);
    EXPECT_TRUE(SamePixels(*keptBitmap, screen->Picture())) << "the desktop's picture is not the screen's";
}

TEST_F(Wallpaper, AFloatingSelectionIsDroppedIntoThePictureFirst) {
    OpenScreenFile(MakePicture("floating.bmp", 40, 30));
    TfrmChild* screen = ActiveScreen();
    ASSERT_NE(screen, nullptr);
    TBitmap red;
    red.SetSize(6, 5);
    red.Canvas().Brush.SetColor(0x0000FF);
    red.Canvas().FillRect({0, 0, 6, 5});
    ASSERT_TRUE(CopyToClipboard(red));
    frmMain->mnuEditPaste_Click(nullptr);
    Settle();
    ASSERT_TRUE(screen->SelImage && screen->panSelect->Visible()) << "the paste made no floating selection";
    ASSERT_NE(screen->Picture().Canvas().Pixel(2, 2), 0x0000FF) << "the selection is in the picture already";

    SetWallpaper(1, true);
    std::unique_ptr<TGraphic> kept(ZvLoadPicture(KeptCopy().c_str()));
    auto* keptBitmap = dynamic_cast<TBitmap*>(kept.get());
    ASSERT_NE(keptBitmap, nullptr);
    EXPECT_EQ(keptBitmap->Canvas().Pixel(2, 2), 0x0000FF) << "the selection is not on the desktop";
    EXPECT_EQ(screen->Picture().Canvas().Pixel(2, 2), 0x0000FF) << "the selection was not dropped into the screen";
    EXPECT_EQ(keptBitmap->Canvas().Pixel(20, 20), static_cast<TColor>(RGB(20, 20, 7)));
}

TEST_F(Wallpaper, ThePreviewDrawsTheStyleOnTheDesktop) {
    OpenScreenFile(MakePicture("preview.bmp", 8, 8));
    const COLORREF desk = GetSysColor(COLOR_BACKGROUND), paper = GetSysColor(COLOR_WINDOW), black = RGB(0, 0, 0);
    ASSERT_NE(desk, paper) << "the desktop and the picture must differ to be told apart";
    // Left of every picture but the stretched and tiled; on a tile seam;
    // inside every picture but the centred one.
    const std::vector<POINT> probes = {{10, 30}, {30, 20}, {20, 30}};
    const std::vector<COLORREF> expected[] = {
        {desk, paper, desk}, {paper, black, paper}, {paper, paper, paper}, {desk, paper, paper}};
    for (int style = 0; style < 4; ++style) {
        SetWallpaper(style, false, probes);
        EXPECT_EQ(preview, expected[style]) << "style " << style;
    }
}

TEST_F(Wallpaper, CancelStoresNothingAndSetsNothing) {
    OpenScreenFile(MakePicture("cancel.bmp", 8, 8));
    SetAsWallpaper = 2;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Control Panel\\Desktop", true));
    reg.WriteString("Wallpaper", "C:\\before.bmp");
    reg.CloseKey();
    SetWallpaper(3, false);
    EXPECT_EQ(SetAsWallpaper, 2);
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\before.bmp");
    EXPECT_EQ(LeftOver(folder), std::vector<std::string>{});
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
}

TEST_F(Wallpaper, ARefusedWallpaperIsToldAndLeavesNoFileButTheStyleIsStored) {
    OpenScreenFile(MakePicture("refused.bmp", 8, 8));
    SetAsWallpaper = 0;
    // A folder where the library keeps its copy: the copy cannot be made.
    const std::string kept = KeptCopy();
    DeleteFileA(kept.c_str());
    ASSERT_TRUE(CreateDirectoryA(kept.c_str(), nullptr));
    Answer seen;
    // The answer looks for the box once the dialog, with its own OK, is gone.
    SetWallpaper(1, true, {}, [&] { Later(&timers, [&] { AnswerNextBox(seen, "OK"); }, 500); });
    RemoveDirectoryA(kept.c_str());
    EXPECT_TRUE(seen.Shown);
    EXPECT_EQ(seen.Text, "Unable to update wallpaper.");
    EXPECT_EQ(SetAsWallpaper, 1) << "OK stores the style even when the wallpaper is refused";
    EXPECT_EQ(LeftOver(folder), std::vector<std::string>{});
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
}

TEST_F(Wallpaper, WithoutAScreenTheCommandDoesNothing) {
    ASSERT_EQ(ActiveScreen(), nullptr);
    bool shown = false;
    Later(&timers, [&] {
        shown = frmSetAsWallpaper->Showing();
        if (shown) frmSetAsWallpaper->cmdCancel->Click();
    }, 300);
    frmMain->mnuFileSetAsWallpaper_Click(nullptr);
    PumpFor(500);
    EXPECT_FALSE(shown);
}

TEST_F(Wallpaper, TheTemporaryNameHasOneBackslashAndIsNeverTaken) {
    const std::regex inFolder(std::regex_replace(folder, std::regex(R"([\\.$^()+\[\]{}|?*])"), R"(\$&)") +
                              R"(\\~ML[A-Z]{5}\.BMP)");
    std::string first, second, third;
    ASSERT_TRUE(NewWallpaperFileName(first));
    ASSERT_TRUE(NewWallpaperFileName(second));
    EXPECT_TRUE(std::regex_match(first, inFolder)) << first;
    EXPECT_NE(first, second) << "two quick names are the same";
    HANDLE f = CreateFileA(first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(NewWallpaperFileName(third));
        EXPECT_NE(third, first) << "a name that exists was given";
    }
    DeleteFileA(first.c_str());

    SetEnvironmentVariableA("TMP", "C:\\");
    std::string root;
    ASSERT_TRUE(NewWallpaperFileName(root));
    EXPECT_TRUE(std::regex_match(root, std::regex(R"(C:\\~ML[A-Z]{5}\.BMP)"))) << root;
}

}  // namespace
