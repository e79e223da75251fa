#include "Browse.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "DialogLook.h"
#include "Zelvani.h"
#include "ZvCom.h"

using namespace forms;

namespace {

// The longest path that a short string hands back whole.
constexpr size_t kMaxPath = 255;

bool HasDriveRoot(const std::string& Path) {
    return Path.size() >= 3 && Path[1] == ':' && Path[2] == '\\';
}

std::string Lower(std::string S) {
    std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return S;
}

// The folder's name: the last part of its path, which ends with a backslash.
std::string FolderName(const std::string& Path) {
    const std::string folder = Path.substr(0, Path.size() - 1);
    return folder.substr(folder.find_last_of('\\') + 1);
}

// The folder has an entry other than "." and "..".
bool HasEntries(const std::string& Path) {
    return ZvDirExists(ShortString(Path + "*.*"));
}

// The shell's icon of a path in the system's list of small icons, with the
// extra SHGFI_ flags asked; Name receives its display name when asked.
int ShellIcon(const std::string& Path, UINT Flags, std::string* Name = nullptr) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(Path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | Flags))
        return -1;
    if (Name) *Name = info.szDisplayName;
    return info.iIcon;
}

std::wstring Wide(const std::string& S) {
    std::wstring w(S.size() + 1, L'\0');
    w.resize(MultiByteToWideChar(CP_ACP, 0, S.c_str(), -1, w.data(), static_cast<int>(w.size())) - 1);
    return w;
}

// The shell's name of an item of Folder: SHGDN_INFOLDER gives the display
// name that SHGetFileInfo gives, with SHGDN_FORPARSING the file name.
std::string ItemName(IShellFolder* Folder, PCUITEMID_CHILD Item, SHGDNF Flags) {
    STRRET name = {};
    char text[MAX_PATH] = {};
    if (FAILED(Folder->GetDisplayNameOf(Item, Flags, &name)) || FAILED(StrRetToBufA(&name, Item, text, MAX_PATH)))
        return {};
    return text;
}

// The shell's display names of the subfolders of Folder (a path ending with
// a backslash) by their file names, from one listing of the folder: asked
// path by path, the shell would look the folder itself up again for each.
std::map<std::string, std::string> ShellNamesOfFolders(const std::string& Folder) {
    std::map<std::string, std::string> names;
    const HRESULT com = CoInitialize(nullptr);
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
    IEnumIDList* items = nullptr;
    PIDLIST_RELATIVE path = nullptr;
    std::wstring wide = Wide(Folder);
    if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &path, nullptr)) &&
        SUCCEEDED(desktop->BindToObject(path, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))) &&
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN | SHCONTF_INCLUDESUPERHIDDEN, &items) ==
            S_OK) {
        PITEMID_CHILD item = nullptr;
        while (items->Next(1, &item, nullptr) == S_OK) {
            names[ItemName(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING)] = ItemName(folder, item, SHGDN_INFOLDER);
            CoTaskMemFree(item);
        }
    }
    if (items) items->Release();
    if (folder) folder->Release();
    CoTaskMemFree(path);
    if (desktop) desktop->Release();
    if (SUCCEEDED(com)) CoUninitialize();
    return names;
}

int Message(const std::string& Text, const std::string& Caption, int Icon, const char* Button1,
            const char* Button2 = "") {
    return ZvMessageBox(ShortString(Text.substr(0, kMaxPath)), ShortString(Caption), 1, Icon, ShortString(Button1),
                        ShortString(Button2), ShortString(""));
}

}  // namespace

void SetTrailingBackslash(std::string& S, bool Add, std::string& R) {
    const bool ends = !S.empty() && S.back() == '\\';
    if (!S.empty()) {
        if (Add && !ends) S += '\\';
        if (!Add && ends) S.pop_back();
    }
    R = S;
}

TfrmBrowse::TfrmBrowse(TComponent* AOwner) : TForm(AOwner) {
    Describe({.Name = "frmBrowse", .ClientWidth = 321, .ClientHeight = 327, .BorderStyle = bsDialog,
              .BorderIcons = biSystemMenu, .Position = poScreenCenter, .OnShow = Handler(&TfrmBrowse::Form_Show)});
    imlFolders = new TImageList(this);
    imlFolders->SetName("imlFolders");
    // A folder's icons and expand button cost the shell and the disk a
    // look each: they are given as the folder comes into view.
    Add(lblText, {.Name = "lblText", .Left = 9, .Top = 10, .Width = 303, .Height = 13, .AutoSize = false,
                  .ShowAccelChar = false});
    Add(lblFolderList, {.Name = "lblFolderList", .Left = 9, .Top = 35, .Caption = "&Folder list:"});
    Add(tvwFolderList, {.Name = "tvwFolderList", .Left = 9, .Top = 50, .Width = 303, .Height = 241, .TabOrder = 0},
        [this](TTreeView& tree) {
            tree.Sorted = true;
            tree.SetIndent(19);
            tree.OnExpanding = [this](TComponent* s, TTreeNode* n, bool& a) { tvwFolderList_Expanding(s, n, a); };
            tree.OnCompare = [this](TComponent* s, TTreeNode* a, TTreeNode* b, int& c) {
                tvwFolderList_Compare(s, a, b, c);
            };
            tree.OnSetUpNode = [this](TComponent* s, TTreeNode* n) { tvwFolderList_SetUpNode(s, n); };
        });
    lblFolderList->FocusControl = tvwFolderList;
    Add(panMain1, {.Name = "panMain1", .Left = 135, .Top = 297, .Width = 175, .Height = 25, .BevelOuter = bvNone});
    Add(cmdOK, {.Name = "cmdOK", .Parent = panMain1, .Left = 0, .Top = 0, .Width = 85, .Height = 25, .Caption = "OK",
                .Hint = "Closes the dialog box and saves any changes you have made", .Default = true,
                .OnClick = Handler(&TfrmBrowse::cmdOK_Click)});
    Add(cmdCancel, {.Name = "cmdCancel", .Parent = panMain1, .Left = 90, .Top = 0, .Width = 85, .Height = 25,
                    .Caption = "Cancel", .Hint = "Closes the dialog box without saving any changes you have made",
                    .Cancel = true, .OnClick = Handler(&TfrmBrowse::cmdCancel_Click)});
    EndDescription();
}

void TfrmBrowse::Form_Show(TComponent*) {
    ApplyDialogLook(*this);

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string folder = windows, withBackslash;
    SetTrailingBackslash(folder, true, withBackslash);
    SHFILEINFOA info = {};
    auto shellList = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(withBackslash.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    FFolderIcon = info.iIcon;
    FOpenFolderIcon = ShellIcon(withBackslash, SHGFI_OPENICON);
    imlFolders->ShareSystemList(shellList);
    tvwFolderList->SetImages(imlFolders);

    FillDriveList();
    tvwFolderList->SetFocus();
}

void TfrmBrowse::SetUpNode(TTreeNode* Node, const std::string& Path) {
    std::string path = Path, data;
    SetTrailingBackslash(path, true, data);
    Node->Data = data;
    std::string name;
    const int icon = ShellIcon(data, SHGFI_DISPLAYNAME, &name);
    Node->SetText(name);
    SetIcons(Node, icon);
}

void TfrmBrowse::SetIcons(TTreeNode* Node, int Icon) {
    Node->SetImageIndex(Icon);
    Node->SetSelectedIndex(Icon == FFolderIcon ? FOpenFolderIcon : ShellIcon(Node->Data, SHGFI_OPENICON));
}

void TfrmBrowse::FillDriveList() {
    tvwFolderList->Clear();
    bool driveSelected = false;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        const UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) continue;
        TTreeNode* node = tvwFolderList->AddChild(nullptr, root);
        SetUpNode(node, root);
        // A drive whose medium may be missing is not touched before the user
        // opens it.
        if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM || HasEntries(root)) tvwFolderList->AddChild(node, "");
        if (BrowsePath.size() > 2 && HasDriveRoot(BrowsePath) && BrowsePath[0] == letter) {
            tvwFolderList->SetSelected(node);
            node->Expand(false);
            driveSelected = true;
        }
    }
    if (driveSelected && BrowsePath.size() > 3) WalkToBrowsePath();
}

void TfrmBrowse::WalkToBrowsePath() {
    size_t start = 3;
    while (start < BrowsePath.size()) {
        const size_t end = std::min(BrowsePath.find('\\', start), BrowsePath.size());
        const std::string component = Lower(BrowsePath.substr(start, end - start));
        if (component.empty()) return;
        TTreeNode* found = nullptr;
        for (TTreeNode* child = tvwFolderList->Selected()->GetFirstChild(); child && !found;
             child = child->GetNextSibling())
            if (!child->Data.empty() && Lower(FolderName(child->Data)) == component) found = child;
        // A folder that is not there ends the walk: the next name belongs
        // below it, not beside it.
        if (!found) return;
        tvwFolderList->SetSelected(found);
        found->Expand(false);
        start = end + 1;
    }
}

void TfrmBrowse::tvwFolderList_Expanding(TComponent*, TTreeNode* Node, bool& AllowExpansion) {
    TTreeNode* first = Node->GetFirstChild();
    if (!first || !first->Data.empty()) return;
    const std::string path = Node->Data;
    if (path.size() <= 3 && HasDriveRoot(path)) {
        while (!ZvDiskInDrive(path[0])) {
            if (Message(path + " is not accessible.\r\nThe device is not ready.", "Browse", zvIconStop, "&Retry",
                        "Cancel") == mrCancel) {
                AllowExpansion = false;
                return;
            }
        }
    }
    // The folders take the placeholder's place; with none, the node is left
    // without children and so without its expand button.
    first->Delete();
    const std::map<std::string, std::string> shellNames = ShellNamesOfFolders(path);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "*.*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.empty() || name[0] == '.') continue;
            const std::string folder = path + name + '\\';
            // A folder whose path could not be handed back whole is not offered.
            if (folder.size() > kMaxPath) continue;
            const auto known = shellNames.find(name);
            std::string text;
            if (known != shellNames.end())
                text = known->second;
            else
                ShellIcon(folder, SHGFI_DISPLAYNAME, &text);
            TTreeNode* child = tvwFolderList->AddLateChild(Node, text.empty() ? name : text);
            child->Data = folder;
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
}

void TfrmBrowse::tvwFolderList_SetUpNode(TComponent*, TTreeNode* Node) {
    // Only a folder's own desktop.ini gives it icons of its own; without one
    // it has the plain folder icons, those of the Windows folder. Asking the
    // shell costs a look-up of every folder above it, and under Wine of each
    // name in its parent.
    const bool ownIcons = GetFileAttributesA((Node->Data + "desktop.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
    SetIcons(Node, ownIcons ? ShellIcon(Node->Data, 0) : FFolderIcon);
    if (HasEntries(Node->Data)) tvwFolderList->AddChild(Node, "");
}

void TfrmBrowse::tvwFolderList_Compare(TComponent*, TTreeNode* Node1, TTreeNode* Node2, int& Compare) {
    auto key = [](const TTreeNode* n) { return Lower(n->Data.size() <= 3 ? n->Data : n->Text()); };
    Compare = key(Node1).compare(key(Node2));
}

void TfrmBrowse::cmdOK_Click(TComponent*) {
    TTreeNode* node = tvwFolderList->Selected();
    if (!node) return;
    BrowsePath = node->Data;
    cmdOK->SetFocus();
    ModalResult = mrOk;
}

void TfrmBrowse::cmdCancel_Click(TComponent*) {
    cmdCancel->SetFocus();
    ModalResult = mrCancel;
}

ZVCOM_API int WINAPI ZvShowBrowse(const ShortString& Text, ShortString& Path, const ShortString& Caption) {
    return Guarded(static_cast<int>(mrCancel), [&] {
        const std::string caption = Caption.Length ? Caption.str() : "Browse";
        const std::string start = Path.str();
        if (!HasDriveRoot(start) || !ZvDirExists(Path)) {
            Message("Cannot find '" + start + "'. Make sure the path is correct.", caption, zvIconExclamation, "OK");
            ZvGetPersonal(Path);
        }
        auto frmBrowse = std::make_unique<TfrmBrowse>(Application);
        frmBrowse->SetCaption(caption);
        frmBrowse->lblText->SetCaption(Text.str());
        std::string upper = Path.str();
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        frmBrowse->BrowsePath = upper;
        const int result = frmBrowse->ShowModal();
        if (result == mrOk) {
            std::string chosen = frmBrowse->BrowsePath, ignored;
            if (chosen.size() > 3) SetTrailingBackslash(chosen, false, ignored);
            Path.assign(chosen);
        }
        return result;
    });
}
