// Image lists: icons added at the list's size with their own transparency,
// also where the bottom-left pixel is opaque, drawn by the list, by the
// system's list and as icons made from the pictures again; pictures from a
// bitmap resource, whole or cut from a strip.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Menus.h"
#include "Module.h"

using namespace forms;

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255), Red = RGB(255, 0, 0), Magenta = RGB(255, 0, 255), Green = RGB(0, 160, 0);

// An icon of Size pixels: Colour where Opaque(x, y) holds, with the bottom-
// left pixel red and one magenta pixel at (5, 5) when asked; the rest shows
// through.
HICON MakeIcon(int Size, const std::function<bool(int, int)>& Opaque, bool Marks) {
    TBitmap color;
    color.SetSize(Size, Size);
    const int maskRow = (Size + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(static_cast<size_t>(maskRow * Size), 0);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            COLORREF c = Blue;
            if (Marks && x == 0 && y == Size - 1) c = Red;
            if (Marks && x == 5 && y == 5) c = Magenta;
            if (!Opaque(x, y)) {
                c = RGB(0, 0, 0);
                mask[static_cast<size_t>(y * maskRow + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            color.Canvas().SetPixel(x, y, static_cast<TColor>(c));
        }
    ICONINFO info = {TRUE, 0, 0, CreateBitmap(Size, Size, 1, 1, mask.data()), color.Handle()};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    return icon;
}

// The top-right quarter shows through.
bool QuarterClear(int X, int Y) { return !(X >= 8 && Y < 8); }

// A 16 x 16 green ground that a picture is drawn on.
struct Ground {
    TBitmap Bitmap;
    Ground() {
        Bitmap.SetSize(16, 16);
        Bitmap.Canvas().Brush.SetColor(static_cast<TColor>(Green));
        Bitmap.Canvas().FillRect(RECT{0, 0, 16, 16});
    }
    HDC DC() { return Bitmap.Canvas().Handle(); }
    COLORREF At(int X, int Y) {
        GdiFlush();
        const std::uint8_t* p = Bitmap.ScanLine(Y) + 3 * X;
        return RGB(p[2], p[1], p[0]);
    }
};

// The marked icon's pixels on the ground, as Drawn shows them.
void ExpectMarkedIcon(Ground& Drawn, const char* How) {
    EXPECT_EQ(Drawn.At(0, 15), Red) << How << ": the opaque bottom-left pixel";
    EXPECT_EQ(Drawn.At(5, 5), Magenta) << How << ": a magenta pixel of the icon";
    EXPECT_EQ(Drawn.At(3, 10), Blue) << How;
    EXPECT_EQ(Drawn.At(12, 3), Green) << How << ": the clear quarter";
    EXPECT_EQ(Drawn.At(8, 0), Green) << How;
    EXPECT_EQ(Drawn.At(7, 0), Blue) << How;
}

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override {
        // A bitmap first, whose bottom-left colour shows through as before.
        auto b = std::make_unique<TBitmap>();
        b->SetSize(16, 16);
        b->Canvas().Brush.SetColor(0x00FFFF);
        b->Canvas().FillRect(RECT{0, 0, 16, 16});
        b->Canvas().SetPixel(0, 15, 0xFF00FF);
        b->Canvas().SetPixel(4, 4, 0xFF00FF);
        list.Add(std::move(b));
        icon = MakeIcon(16, QuarterClear, true);
        ASSERT_NE(icon, nullptr);
    }
    void TearDown() override { EXPECT_TRUE(DestroyIcon(icon)) << "the icon stays the caller's"; }
    TImageList list{nullptr};
    HICON icon = nullptr;
};

TEST_F(ImageLists, AnIconKeepsItsOwnTransparencyWhereverItIsDrawn) {
    ASSERT_EQ(list.AddIcon(icon), 1);
    EXPECT_EQ(list.Count(), 2);

    Ground drawn;
    TDCCanvas canvas(drawn.DC());
    list.Draw(canvas, 0, 0, 1, true);
    ExpectMarkedIcon(drawn, "the list's drawing");

    Ground greyed;
    TDCCanvas greyCanvas(greyed.DC());
    list.Draw(greyCanvas, 0, 0, 1, false);
    EXPECT_EQ(greyed.At(0, 15), GetSysColor(COLOR_GRAYTEXT)) << "disabled";
    EXPECT_EQ(greyed.At(12, 3), Green) << "disabled";

    // Drawn half off the ground's left edge: its column 8 at the ground's 0.
    Ground moved;
    TDCCanvas movedCanvas(moved.DC());
    list.Draw(movedCanvas, -8, 1, 1, false);
    EXPECT_EQ(moved.At(0, 9), GetSysColor(COLOR_GRAYTEXT)) << "the icon's opaque (8, 8)";
    EXPECT_EQ(moved.At(4, 4), Green) << "the icon's clear (12, 3)";
    EXPECT_EQ(moved.At(0, 0), Green) << "above the icon";
    EXPECT_EQ(moved.At(10, 10), Green) << "right of the icon";

    Ground system;
    ASSERT_TRUE(ImageList_Draw(list.SystemList(), 1, system.DC(), 0, 0, ILD_NORMAL));
    ExpectMarkedIcon(system, "the system's list");

    Ground bitmap;
    ImageList_Draw(list.SystemList(), 0, bitmap.DC(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(bitmap.At(0, 15), Green) << "a bitmap's bottom-left colour shows through";
    EXPECT_EQ(bitmap.At(4, 4), Green);
    EXPECT_EQ(bitmap.At(8, 8), RGB(255, 255, 0));
}

TEST_F(ImageLists, GetIconMakesANewIconOfThePicture) {
    list.AddIcon(icon);
    HICON copy = list.GetIcon(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, icon);
    Ground drawn;
    ASSERT_TRUE(DrawIconEx(drawn.DC(), 0, 0, copy, 16, 16, 0, nullptr, DI_NORMAL));
    ExpectMarkedIcon(drawn, "the new icon");
    EXPECT_TRUE(DestroyIcon(copy));

    HICON first = list.GetIcon(0);
    ASSERT_NE(first, nullptr) << "a bitmap's picture as an icon";
    Ground bitmap;
    DrawIconEx(bitmap.DC(), 0, 0, first, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(bitmap.At(0, 15), Green);
    EXPECT_EQ(bitmap.At(8, 8), RGB(255, 255, 0));
    DestroyIcon(first);

    EXPECT_EQ(list.GetIcon(-1), nullptr);
    EXPECT_EQ(list.GetIcon(2), nullptr);
}

TEST_F(ImageLists, IconsOfAnotherSizeAreScaledAndJoinAMadeSystemList) {
    const int made = ImageList_GetImageCount(list.SystemList());
    EXPECT_EQ(made, 1);
    HICON large = MakeIcon(32, [](int X, int) { return X >= 16; }, false);  // the left half shows through
    ASSERT_EQ(list.AddIcon(large), 1);
    DestroyIcon(large);
    EXPECT_EQ(ImageList_GetImageCount(list.SystemList()), 2) << "the system's list takes the new picture";

    Ground drawn;
    TDCCanvas canvas(drawn.DC());
    list.Draw(canvas, 0, 0, 1, true);
    EXPECT_EQ(drawn.At(4, 8), Green) << "the clear half, at the list's size";
    EXPECT_EQ(drawn.At(12, 8), Blue);
    Ground system;
    ImageList_Draw(list.SystemList(), 1, system.DC(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(system.At(4, 8), Green);
    EXPECT_EQ(system.At(12, 8), Blue);
}

// The shell's list of small icons, as a dialog of folders borrows it.
HIMAGELIST ShellSmallIcons(int& FolderIcon) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    SHFILEINFOA info = {};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    FolderIcon = info.iIcon;
    return list;
}

TEST(SharedImageLists, ABorrowedSystemListIsDrawnFromAndOutlivesTheImageList) {
    int folder = -1;
    HIMAGELIST shell = ShellSmallIcons(folder);
    ASSERT_NE(shell, nullptr) << "the shell has a list of small icons";
    const int count = ImageList_GetImageCount(shell);
    ASSERT_GT(count, folder);
    auto borrowed = std::make_unique<TImageList>(nullptr);
    borrowed->ShareSystemList(shell);
    EXPECT_TRUE(borrowed->Shared());
    EXPECT_EQ(borrowed->SystemList(), shell);
    EXPECT_EQ(borrowed->Count(), count);
    EXPECT_EQ(borrowed->Width, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(borrowed->Height, GetSystemMetrics(SM_CYSMICON));
    EXPECT_THROW(borrowed->Add(std::make_unique<TBitmap>()), Exception) << "the shell's pictures are not ours to add to";

    Ground byList, byShell;
    TDCCanvas canvas(byList.DC());
    borrowed->Draw(canvas, 0, 0, folder, true);
    ImageList_Draw(shell, folder, byShell.DC(), 0, 0, ILD_NORMAL);
    int differing = 0, drawn = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            differing += byList.At(x, y) != byShell.At(x, y);
            drawn += byShell.At(x, y) != Green;
        }
    EXPECT_GT(drawn, 0) << "the folder icon has pixels of its own";
    EXPECT_EQ(differing, 0) << "the list draws the shell's picture as it is";
    HICON icon = borrowed->GetIcon(folder);
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);

    borrowed.reset();
    EXPECT_EQ(ImageList_GetImageCount(shell), count) << "freeing the image list leaves the shell's list whole";
    Ground after;
    EXPECT_TRUE(ImageList_Draw(shell, folder, after.DC(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(after.At(8, 8), byShell.At(8, 8));
}

TEST(ResourcePictures, ABitmapResourceLoadsWholeOrCutIntoAStripsPictures) {
    auto rgb = [](TBitmap& B, int X, int Y) {
        const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
        return RGB(p[2], p[1], p[0]);
    };
    TBitmap whole;
    LoadBitmapResource(whole, GetModuleHandleA(nullptr), "PROBE");
    ASSERT_EQ(whole.Width(), 8);
    ASSERT_EQ(whole.Height(), 4);
    EXPECT_EQ(rgb(whole, 1, 1), Red);
    EXPECT_EQ(rgb(whole, 0, 3), Magenta);
    EXPECT_EQ(rgb(whole, 5, 0), Blue) << "the top row stays at the top";
    EXPECT_EQ(rgb(whole, 5, 3), Green);

    TImageList list(nullptr);
    list.Width = list.Height = 4;
    EXPECT_EQ(list.AddStrip(GetModuleHandleA(nullptr), "PROBE"), 2);
    TBitmap shown;
    shown.SetSize(8, 4);
    list.Draw(shown.Canvas(), 0, 0, 0, true);
    list.Draw(shown.Canvas(), 4, 0, 1, true);
    EXPECT_EQ(rgb(shown, 1, 1), Red);
    EXPECT_EQ(rgb(shown, 0, 3), RGB(255, 255, 255)) << "the first picture's ground shows through";
    EXPECT_EQ(rgb(shown, 5, 0), Blue);
    EXPECT_EQ(rgb(shown, 5, 3), RGB(255, 255, 255)) << "the second picture's ground, green, shows through";

    TBitmap none;
    EXPECT_THROW(LoadBitmapResource(none, GetModuleHandleA(nullptr), "NOSUCHPICTURE"), Exception);
}

}  // namespace
