// Times of saving and opening a 4000 x 3000 picture as a bitmap and as a
// JPEG file (best of a few runs), of the steps of a screen's undo list on
// it, with the file sizes and the process's memory after each step. Run by
// hand; prints and checks nothing else.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "BestOf.h"
#include "Graphics.h"
#include "Photo.h"
#include "PicUndo.h"
#include "Zelvani.h"

namespace {

constexpr int kRuns = 5;

void PrintMemory(const char* After) {
    PROCESS_MEMORY_COUNTERS m = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    std::printf("  memory after %-12s working set %6.1f MB, peak %6.1f MB, committed %6.1f MB\n", After,
                m.WorkingSetSize / 1048576.0, m.PeakWorkingSetSize / 1048576.0, m.PagefileUsage / 1048576.0);
}

long long FileSize(const std::string& Name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(Name.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Bench(forms::TBitmap& Picture, const std::string& Name) {
    const double save = BestMs(kRuns, [&] { return ZvSavePicture(Name.c_str(), &Picture); });
    PrintMemory("saving");
    const double open =
        BestMs(kRuns, [&] { return std::unique_ptr<forms::TGraphic>(ZvLoadPicture(Name.c_str())) != nullptr; });
    PrintMemory("opening");
    std::printf("%-5s save %8.1f ms   open %8.1f ms   file %6.1f MB\n", Name.substr(Name.rfind('.') + 1).c_str(),
                save, open, FileSize(Name) / 1048576.0);
    DeleteFileA(Name.c_str());
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "zvbench" + std::to_string(GetCurrentProcessId());
    std::printf("%d x %d pixels, 24 bits, best of %d runs\n", kPhotoWidth, kPhotoHeight, kRuns);
    PrintMemory("start");
    auto picture = Photo();
    PrintMemory("the picture");
    Bench(*picture, base + ".bmp");
    Bench(*picture, base + ".jpg");

    // A screen keeps its picture, five undo steps and the backup of a
    // stroke: the list's copies are what an undo step costs to make, the
    // exchange is what the user waits for.
    TPicUndo undo;
    const double add = BestMs(kRuns, [&] {
        undo.Add(*picture);
        return true;
    });
    forms::TBitmap backup;
    backup.Assign(*picture);
    PrintMemory("a full list");
    const double step = BestMs(kRuns, [&] {
        undo.Undo(*picture);
        undo.Redo(*picture);
        return true;
    }) / 2;
    std::printf("undo  add (a copy) %6.1f ms   undo or redo %6.3f ms\n", add, step);
    return 0;
}
