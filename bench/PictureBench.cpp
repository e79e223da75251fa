// Times of saving and opening a 4000 x 3000 picture as a bitmap and as a
// JPEG file (best of a few runs): the loader alone, and the whole opening of
// the file as a screen of the program's main window up to its first paint;
// then the steps of a screen's undo list on it, with the file sizes and the
// process's memory after each step. Run by hand on a display; prints and
// checks nothing else.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BestOf.h"
#include "Child.h"
#include "CloseAll.h"
#include "Common.h"
#include "Graphics.h"
#include "Main.h"
#include "Photo.h"
#include "PicUndo.h"
#include "Startup.h"
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

// Opening the file as a screen, from the call to the end of the screen's
// first paint; the screen is closed after each run, untimed.
TTimedStep OpenAsScreen(const std::string& Name) {
    return {[Name] {
                OpenScreenFile(Name);
                if (ScreenCount() != 1) return false;
                RedrawWindow(frmMain->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                GdiFlush();
                return true;
            },
            [] { forms::Free(ActiveScreen()); }};
}

void Bench(forms::TBitmap& Picture, const std::string& Name) {
    const double save = BestMs(kRuns, [&] { return ZvSavePicture(Name.c_str(), &Picture); });
    PrintMemory("saving");
    // The loader alone and the whole opening, by turns.
    const std::vector<double> opened = BestMsEach(
        kRuns,
        {{[&] { return std::unique_ptr<forms::TGraphic>(ZvLoadPicture(Name.c_str())) != nullptr; }},
         OpenAsScreen(Name)});
    const double open = opened[0], screen = opened[1];
    PrintMemory("opening");
    std::printf("%-5s save %8.1f ms   open %8.1f ms   as a screen %8.1f ms (%.2f x)   file %6.1f MB\n",
                Name.substr(Name.rfind('.') + 1).c_str(), save, open, screen, screen / open,
                FileSize(Name) / 1048576.0);
    DeleteFileA(Name.c_str());
}

}  // namespace

int main() {
    // The program's main window, as the program makes it, to open screens in.
    forms::Application->Initialize();
    forms::Application->SetTitle(ProgramTitle);
    forms::Application->CreateForm(frmMain);
    forms::Application->CreateForm(frmCloseAll);
    frmMain->Show();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "zvbench" + std::to_string(GetCurrentProcessId());
    std::printf("%d x %d pixels, 24 bits, best of %d runs\n", kPhotoWidth, kPhotoHeight, kRuns);
    PrintMemory("start");
    auto picture = Photo();
    PrintMemory("the picture");
    Bench(*picture, base + ".bmp");
    Bench(*picture, base + ".jpg");
    // The part of opening that does not grow with the picture: the window
    // work of a new screen, here for 40 x 30 pixels.
    forms::TBitmap small;
    small.SetSize(40, 30);
    const std::string smallName = base + "small.bmp";
    if (ZvSavePicture(smallName.c_str(), &small))
        std::printf("40 x 30 bitmap as a screen %8.1f ms\n", BestMsEach(kRuns, {OpenAsScreen(smallName)})[0]);
    DeleteFileA(smallName.c_str());

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
    forms::Application->DestroyComponents();
    return 0;
}
