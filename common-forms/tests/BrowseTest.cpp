// The folder browser as a user meets it through ZvShowBrowse: the start
// path checked and opened, folders read as the user opens them, the path
// handed back with the backslash rule, and a removable drive whose medium
// is missing, answered with Retry once it is back.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogSteps.h"
#include "TestSupport.h"
#include "Zelvani.h"
#include "ZvCom.h"
#include "ZvComProbe.h"

using namespace forms;
using namespace testsupport;
using namespace zvcomprobe;
using namespace dialogsteps;

namespace {

const std::string kProbe = "C:\\BrowseProbe";

void MakeFolder(const std::string& Path) { CreateDirectoryA(Path.c_str(), nullptr); }

void MakeFile(const std::string& Path) {
    HANDLE f = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
}

void RemoveTree(const std::string& Path) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((Path + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(Path + "\\" + name);
            else
                DeleteFileA((Path + "\\" + name).c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(Path.c_str());
}

// A drive letter of the test's Wine prefix, defined as Wine's own
// configuration does it: the letter in the prefix's devices, pointing at a
// folder, with its drive type in the Wine registry, both through the
// mount manager.
constexpr ULONG kMountManagerType = 'm';
const DWORD kDefineUnixDrive = CTL_CODE(kMountManagerType, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
    ULONG Size, Type, FsType;
    DWORD Serial;
    ULONGLONG UnixDevice;
    WCHAR Letter;
    USHORT MountPointOffset, DeviceOffset, LabelOffset;
};

bool DefineDrive(char Letter, const std::string& UnixFolder, ULONG Type) {
    std::string request(sizeof(UnixDrive) + UnixFolder.size() + 1, '\0');
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    drive->Size = static_cast<ULONG>(request.size());
    drive->Type = Type;
    drive->Letter = static_cast<WCHAR>(Letter);
    if (!UnixFolder.empty()) {
        drive->MountPointOffset = sizeof(UnixDrive);
        std::memcpy(request.data() + sizeof(UnixDrive), UnixFolder.c_str(), UnixFolder.size());
    }
    HANDLE manager = CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD got = 0;
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                    nullptr, 0, &got, nullptr);
    CloseHandle(manager);
    return ok != FALSE;
}

// The Unix path of a Windows path, from Wine.
std::string UnixPathOf(const std::string& Path) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    std::wstring wide(Path.begin(), Path.end());
    char* name = unixName(wide.c_str());
    if (!name) return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// ---- the dialog on the screen ---------------------------------------------

HWND Dialog() { return GetActiveWindow(); }

HWND TreeOf(HWND Dlg) { return FindWindowExA(Dlg, nullptr, WC_TREEVIEWA, nullptr); }

struct FoundButton {
    const char* Text;
    HWND Wnd;
};

BOOL CALLBACK FindButton(HWND Wnd, LPARAM Found) {
    auto* f = reinterpret_cast<FoundButton*>(Found);
    char text[64] = {};
    GetWindowTextA(Wnd, text, sizeof text);
    if (std::string(text) == f->Text) {
        f->Wnd = Wnd;
        return FALSE;
    }
    return TRUE;
}

HWND ButtonOf(HWND Dlg, const char* Text) {
    FoundButton found{Text, nullptr};
    EnumChildWindows(Dlg, &FindButton, reinterpret_cast<LPARAM>(&found));
    return found.Wnd;
}

std::string ItemText(HWND Tree, HTREEITEM Item) {
    char text[MAX_PATH] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = Item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(Tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

// The texts of the children of Item (nullptr: the drives), in their order.
std::vector<std::string> Children(HWND Tree, HTREEITEM Item) {
    std::vector<std::string> texts;
    for (HTREEITEM c = Item ? TreeView_GetChild(Tree, Item) : TreeView_GetRoot(Tree); c;
         c = TreeView_GetNextSibling(Tree, c))
        texts.push_back(ItemText(Tree, c));
    return texts;
}

HTREEITEM ChildNamed(HWND Tree, HTREEITEM Item, const std::string& Text) {
    for (HTREEITEM c = Item ? TreeView_GetChild(Tree, Item) : TreeView_GetRoot(Tree); c;
         c = TreeView_GetNextSibling(Tree, c))
        if (lstrcmpiA(ItemText(Tree, c).c_str(), Text.c_str()) == 0) return c;
    return nullptr;
}

// The drive node of a letter: its text is the shell's name of the drive,
// which ends with the letter and the colon in brackets, or is the root.
HTREEITEM DriveNode(HWND Tree, char Letter) {
    const std::string tail = std::string(1, Letter) + ":";
    for (HTREEITEM c = TreeView_GetRoot(Tree); c; c = TreeView_GetNextSibling(Tree, c))
        if (ItemText(Tree, c).find(tail) != std::string::npos) return c;
    return nullptr;
}

bool IsExpanded(HWND Tree, HTREEITEM Item) {
    return (TreeView_GetItemState(Tree, Item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// A click on a node's text: the user selects it.
void ClickItem(HWND Tree, HTREEITEM Item) {
    RECT r = {};
    *reinterpret_cast<HTREEITEM*>(&r) = Item;
    SendMessageA(Tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(Tree, nullptr, reinterpret_cast<POINT*>(&r), 2);
    ClickAt(CentreOf(r));
    Settle();
}

class Browser : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RemoveTree(kProbe);
        for (const char* f : {"", "\\Alpha", "\\Alpha\\Inner", "\\FilesOnly", "\\Temp", "\\.dot", "\\.dot\\Temp"})
            MakeFolder(kProbe + f);
        MakeFile(kProbe + "\\FilesOnly\\note.txt");
        MakeFile(kProbe + "\\.dot\\Temp\\note.txt");
    }
    static void TearDownTestSuite() { RemoveTree(kProbe); }

    void SetUp() override {
        ASSERT_TRUE(StartProbe("ZvCom Browse Probe", "ZvBrowseProbe"));
    }
    void TearDown() override { ZvComDone(); }

    // Shows the browser at Path with the steps run in it; the result, and
    // Path as it came back.
    int Run(std::string& Path, const std::vector<Step>& Steps, const std::string& Caption = "") {
        TComponent owner(nullptr);
        Schedule(owner, Steps);
        ShortString path(Path);
        const int result = ZvShowBrowse(ShortString("Choose a folder below."), path, ShortString(Caption));
        Path = path.str();
        return result;
    }
    static std::string Personal() {
        ShortString p;
        ZvGetPersonal(p);
        return p.str();
    }
};

TEST_F(Browser, AStartPathThatDoesNotExistIsReportedAndCancelLeavesThePersonalFolder) {
    std::string path = "C:\\NoSuchFolder\\Anywhere";
    std::string box, caption, selected;
    const int result = Run(path, {[&] {
                                      box = WindowTexts(Dialog());
                                      Press(VK_RETURN);
                                  },
                                  [&] {
                                      caption = WindowTexts(Dialog()).substr(0, WindowTexts(Dialog()).find('\n'));
                                      HWND tree = TreeOf(Dialog());
                                      HTREEITEM sel = TreeView_GetSelection(tree);
                                      selected = sel ? ItemText(tree, sel) : "<none>";
                                      Press(VK_ESCAPE);
                                  }},
                           "Pick");
    EXPECT_EQ(box, "Pick\nCannot find 'C:\\NoSuchFolder\\Anywhere'. Make sure the path is correct.\nOK\n");
    EXPECT_EQ(caption, "Pick");
    const std::string personal = Personal();
    EXPECT_EQ(selected, personal.substr(personal.find_last_of('\\') + 1)) << "the browser opens at the personal folder";
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(path, personal) << "the personal folder stays in the path after Cancel";
}

TEST_F(Browser, ADriveRootComesBackWithItsBackslash) {
    std::string path = "c:\\";
    std::string caption;
    const int result = Run(path, {[&] {
        caption = WindowTexts(Dialog()).substr(0, WindowTexts(Dialog()).find('\n'));
        ClickOn(ButtonOf(Dialog(), "OK"));
    }});
    EXPECT_EQ(caption, "Browse") << "the caption when none is given";
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(path, "C:\\");
}

TEST_F(Browser, TheStartFolderIsOpenedAndAChosenFolderComesBackWithoutBackslash) {
    std::string path = "c:\\browseprobe\\ALPHA\\";
    std::vector<std::string> listed, inner;
    const int result = Run(path, {[&] {
        HWND tree = TreeOf(Dialog());
        HTREEITEM probe = ChildNamed(tree, DriveNode(tree, 'C'), "BrowseProbe");
        ASSERT_NE(probe, nullptr) << "the walk opened C:";
        listed = Children(tree, probe);
        HTREEITEM alpha = ChildNamed(tree, probe, "Alpha");
        ASSERT_EQ(TreeView_GetSelection(tree), alpha) << "the start folder is selected";
        inner = Children(tree, alpha);
        ClickItem(tree, ChildNamed(tree, alpha, "Inner"));
        ClickOn(ButtonOf(Dialog(), "OK"));
    }});
    EXPECT_EQ(listed, (std::vector<std::string>{"Alpha", "FilesOnly", "Temp"}))
        << "sorted by name, and the folder whose name begins with a dot is never listed";
    EXPECT_EQ(inner, (std::vector<std::string>{"Inner"})) << "the start folder is opened";
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(path, kProbe + "\\Alpha\\Inner") << "the real names, no trailing backslash";
}

TEST_F(Browser, TheWalkToTheStartPathStopsAtTheFirstFolderNotListed) {
    // The start path exists, but its folder with the leading dot is never
    // listed: the walk must not take the Temp beside it.
    std::string path = kProbe + "\\.dot\\Temp";
    const int result = Run(path, {[&] { ClickOn(ButtonOf(Dialog(), "OK")); }});
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(path, kProbe) << "the last folder found stays selected";
}

TEST_F(Browser, AFolderWithFilesOnlyLosesItsExpandButtonWhenOpened) {
    std::string path = kProbe;
    bool hadChild = false, expanded = true;
    std::vector<std::string> after;
    const int result = Run(path, {[&] {
        HWND tree = TreeOf(Dialog());
        HTREEITEM probe = TreeView_GetSelection(tree);
        HTREEITEM files = ChildNamed(tree, probe, "FilesOnly");
        ASSERT_NE(files, nullptr);
        hadChild = TreeView_GetChild(tree, files) != nullptr;
        ClickItem(tree, files);
        Press(VK_RIGHT);
        Settle();
        after = Children(tree, files);
        expanded = IsExpanded(tree, files);
        ClickOn(ButtonOf(Dialog(), "OK"));
    }});
    EXPECT_TRUE(hadChild) << "a folder with entries shows an expand button";
    EXPECT_TRUE(after.empty()) << "no subfolders: the button goes";
    EXPECT_FALSE(expanded);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(path, kProbe + "\\FilesOnly");
}

// A folder is shown with what the shell says of its path, asked path by
// path: its display name, its small icon and small open icon; and with an
// expand button when it has entries. The browser asks the shell once per
// opened folder, for the names, and takes a folder without a desktop.ini
// for a plain folder.
TEST_F(Browser, EachFolderShowsTheShellsNameAndIconsOfItsPath) {
    const std::string custom = kProbe + "\\Custom";
    MakeFolder(custom);
    {
        HANDLE ini = CreateFileA((custom + "\\desktop.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                 nullptr);
        const char text[] =
            "[.ShellClassInfo]\r\nIconFile=shell32.dll\r\nIconIndex=8\r\nIconResource=shell32.dll,8\r\n";
        DWORD written = 0;
        WriteFile(ini, text, sizeof text - 1, &written, nullptr);
        CloseHandle(ini);
    }
    struct Shown {
        std::string Path, Text;
        int Image, Selected;
        bool Button;
    };
    std::vector<Shown> shown;
    std::string path = kProbe;
    Run(path, {[&] {
        HWND tree = TreeOf(Dialog());
        for (HTREEITEM c = TreeView_GetChild(tree, TreeView_GetSelection(tree)); c;
             c = TreeView_GetNextSibling(tree, c)) {
            TVITEMA tv = {};
            tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
            tv.hItem = c;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            const std::string text = ItemText(tree, c);
            shown.push_back({kProbe + "\\" + text + "\\", text, tv.iImage, tv.iSelectedImage, tv.cChildren > 0});
        }
        ClickOn(ButtonOf(Dialog(), "Cancel"));
    }});
    ASSERT_EQ(shown.size(), 4u) << "Alpha, Custom, FilesOnly and Temp";
    for (const Shown& s : shown) {
        SHFILEINFOA info = {}, open = {};
        SHGetFileInfoA(s.Path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        SHGetFileInfoA(s.Path.c_str(), 0, &open, sizeof open, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
        EXPECT_EQ(s.Text, info.szDisplayName) << s.Path;
        EXPECT_EQ(s.Image, info.iIcon) << s.Path;
        EXPECT_EQ(s.Selected, open.iIcon) << s.Path;
        EXPECT_EQ(s.Button, s.Text != "Temp") << s.Path << ": a button only where the folder has entries";
    }
    RemoveTree(custom);
}

TEST_F(Browser, OKWithNoFolderSelectedDoesNotClose) {
    std::string path = "C:\\";
    bool stillOpen = false;
    HWND dlg = nullptr;
    const int result = Run(path, {[&] {
                                      dlg = Dialog();
                                      TreeView_SelectItem(TreeOf(dlg), nullptr);
                                      ClickOn(ButtonOf(dlg, "OK"));
                                      Settle();
                                      stillOpen = IsWindowVisible(dlg) != FALSE;
                                  },
                                  [&] { ClickOn(ButtonOf(dlg, "Cancel")); }});
    EXPECT_TRUE(stillOpen) << "OK without a folder does nothing";
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(path, "C:\\");
}

TEST_F(Browser, ARemovableDriveWithoutItsMediumAsksRetryOrCancel) {
    char letter = 0;
    const DWORD used = GetLogicalDrives();
    for (char c = 'R'; c <= 'Y' && !letter; ++c)
        if (!(used & (1u << (c - 'A')))) letter = c;
    ASSERT_NE(letter, 0);
    const std::string media = kProbe + "\\Media", away = kProbe + "\\Media.away";
    MakeFolder(media);
    MakeFolder(media + "\\Photos");
    const std::string unixMedia = UnixPathOf(media);
    ASSERT_FALSE(unixMedia.empty());
    ASSERT_TRUE(DefineDrive(letter, unixMedia, DRIVE_REMOVABLE)) << "the mount manager defines the drive";
    const std::string root = std::string(1, letter) + ":\\";
    ASSERT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
    ASSERT_TRUE(ZvDiskInDrive(letter));
    ASSERT_TRUE(MoveFileA(media.c_str(), away.c_str())) << "the medium is taken out";
    EXPECT_FALSE(ZvDiskInDrive(letter)) << "an empty drive has no medium";

    std::string path = "C:\\";
    std::string firstBox, secondBox;
    bool openAfterCancel = true, openAfterRetry = false;
    std::vector<std::string> listed;
    const int result = Run(path, {[&] {
                                      TComponent timers(nullptr);
                                      HWND dlg = Dialog(), tree = TreeOf(dlg);
                                      HTREEITEM drive = DriveNode(tree, letter);
                                      ASSERT_NE(drive, nullptr);
                                      ClickItem(tree, drive);
                                      WhenReady(
                                          timers, [dlg] { return Dialog() != dlg; },
                                          [&] {
                                              firstBox = WindowTexts(Dialog());
                                              Press(VK_ESCAPE);
                                          });
                                      Press(VK_RIGHT);
                                      PumpUntil([&] { return !firstBox.empty() && Dialog() == dlg; }, 6000);
                                      Settle();
                                      openAfterCancel = IsExpanded(tree, drive);
                                      WhenReady(
                                          timers, [dlg] { return Dialog() != dlg; },
                                          [&] {
                                              secondBox = WindowTexts(Dialog());
                                              MoveFileA(away.c_str(), media.c_str());  // the medium is back
                                              Press(VK_RETURN);
                                          });
                                      Press(VK_RIGHT);
                                      PumpUntil([&] { return !secondBox.empty() && Dialog() == dlg; }, 6000);
                                      Settle();
                                      openAfterRetry = IsExpanded(tree, drive);
                                      listed = Children(tree, drive);
                                      ClickItem(tree, ChildNamed(tree, drive, "Photos"));
                                      ClickOn(ButtonOf(dlg, "OK"));
                                  }});
    MoveFileA(away.c_str(), media.c_str());
    DefineDrive(letter, "", 0);
    const std::string message = "Browse\n" + root + " is not accessible.\r\nThe device is not ready.\n&Retry\nCancel\n";
    EXPECT_EQ(firstBox, message);
    EXPECT_FALSE(openAfterCancel) << "Cancel leaves the drive closed";
    EXPECT_EQ(secondBox, message);
    EXPECT_TRUE(openAfterRetry) << "Retry with the medium back opens the drive";
    EXPECT_EQ(listed, (std::vector<std::string>{"Photos"}));
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(path, root + "Photos");
}

}  // namespace
