// The time of opening a folder of 5,000 subfolders in the folder browser's
// tree, from the expansion of its node to the end of the tree's paint, best
// of a few runs, each in a new browser. Run by hand on a display; prints one
// line "expand-5000: 123.4 ms" and nothing else. An optional argument gives
// another number of subfolders, for a quicker look.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ShortString.h"
#include "ZvCom.h"

namespace {

constexpr int kRuns = 3;

// The number of subfolders of the big folder.
int gFolders = 5000;

// The time of the last run's expansion in milliseconds, -1 when it failed.
double gTook = -1;

int ChildCount(HWND Tree, HTREEITEM Item) {
    int n = 0;
    for (HTREEITEM c = TreeView_GetChild(Tree, Item); c; c = TreeView_GetNextSibling(Tree, c)) ++n;
    return n;
}

// Runs in the browser's own message loop once it shows: the start folder is
// selected and lists the big folder, Folders, still closed.
void CALLBACK ExpandBigFolder(HWND, UINT, UINT_PTR Timer, DWORD) {
    KillTimer(nullptr, Timer);
    const HWND dialog = GetActiveWindow();
    const HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    gTook = -1;
    if (HTREEITEM top = tree ? TreeView_GetSelection(tree) : nullptr) {
        // Folders is the start folder's one child.
        if (HTREEITEM big = TreeView_GetChild(tree, top)) {
            const auto start = std::chrono::steady_clock::now();
            TreeView_Expand(tree, big, TVE_EXPAND);
            UpdateWindow(tree);
            GdiFlush();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            if (ChildCount(tree, big) == gFolders) gTook = took.count();
        }
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) gFolders = std::max(1, std::atoi(argv[1]));
    TZvComInfo info{};
    info.Title = ShortString("Zelvani Browse Bench");
    info.Tag = ShortString("ZvBrowseBench");
    info.MinColors = 3;
    info.MinMemoryMB = 1;
    if (!ZvComInit(info)) return 1;
    // The browser starts at Top, which lists Folders, still closed.
    const std::string top = "C:\\BrowseBench" + std::to_string(GetCurrentProcessId()), big = top + "\\Folders";
    CreateDirectoryA(top.c_str(), nullptr);
    CreateDirectoryA(big.c_str(), nullptr);
    char name[32];
    for (int i = 0; i < gFolders; ++i) {
        // Made out of order, so that the tree has sorting to do.
        std::snprintf(name, sizeof name, "\\Folder %04d", i * 2731 % gFolders);
        CreateDirectoryA((big + name).c_str(), nullptr);
    }
    double best = 1e300;
    for (int run = 0; run < kRuns && best >= 0; ++run) {
        SetTimer(nullptr, 0, 200, &ExpandBigFolder);
        ShortString path(top);
        ZvShowBrowse(ShortString("Folders"), path, ShortString(""));
        best = gTook < 0 ? -1 : std::min(best, gTook);
    }
    if (best < 0)
        std::printf("expand-%d: failed\n", gFolders);
    else
        std::printf("expand-%d: %.1f ms\n", gFolders, best);
    for (int i = 0; i < gFolders; ++i) {
        std::snprintf(name, sizeof name, "\\Folder %04d", i);
        RemoveDirectoryA((big + name).c_str());
    }
    RemoveDirectoryA(big.c_str());
    RemoveDirectoryA(top.c_str());
    ZvComDone();
    return best < 0 ? 1 : 0;
}
