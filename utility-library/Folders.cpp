// Folders and drives. Looking at a removable drive without a medium would
// make the system ask the user to insert one; these checks answer instead.
#include <shlobj.h>

#include <string>

#include "Classes.h"
#include "Zelvani.h"

namespace {

// While it lives, the system fails a call on a drive that is not ready
// instead of showing its "no disk" box; the error mode before comes back.
class TQuietDrives {
public:
    TQuietDrives() : FOld(SetErrorMode(SEM_FAILCRITICALERRORS)) { SetErrorMode(FOld | SEM_FAILCRITICALERRORS); }
    ~TQuietDrives() { SetErrorMode(FOld); }
    TQuietDrives(const TQuietDrives&) = delete;
    TQuietDrives& operator=(const TQuietDrives&) = delete;

private:
    UINT FOld;
};

bool EndsWith(const std::string& S, const std::string& End) {
    return S.size() >= End.size() && S.compare(S.size() - End.size(), End.size(), End) == 0;
}

// Path "<folder>\*.*": the folder has an entry other than "." and "..".
bool HasEntries(const std::string& Folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((Folder + "*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        const std::string name = fd.cFileName;
        found = name != "." && name != "..";
    } while (!found && FindNextFileA(find, &fd));
    FindClose(find);
    return found;
}

bool IsFolder(std::string Path) {
    // Trailing backslashes are dropped, but not the one of a root ("C:\", "\").
    while (Path.size() > 1 && (Path.back() == '\\' || Path.back() == '/') && Path[Path.size() - 2] != ':')
        Path.pop_back();
    const DWORD attr = GetFileAttributesA(Path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& Path) {
    if (Path.empty() || Path.find('\0') != std::string::npos) return false;
    TQuietDrives quiet;
    const std::string all = "\\*.*";
    if (EndsWith(Path, all)) {
        const std::string folder = Path.substr(0, Path.size() - 3);  // keeps the backslash
        return IsFolder(folder) && HasEntries(folder);
    }
    return IsFolder(Path);
}

std::string Personal() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string s = path;
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

bool DiskIn(char Drive) {
    const bool letter = (Drive >= 'A' && Drive <= 'Z') || (Drive >= 'a' && Drive <= 'z');
    if (!letter) return false;
    const char root[] = {Drive, ':', '\\', '\0'};
    TQuietDrives quiet;
    // Under Wine the volume query still answers for a drive whose medium
    // (its folder) has gone; the root's attributes then fail.
    return GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != FALSE &&
           GetFileAttributesA(root) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

ZELVANI_API bool WINAPI ZvDirExists(const ShortString& Path) {
    return forms::Guarded(false, [&] { return DirExists(Path.str()); });
}

ZELVANI_API void WINAPI ZvGetPersonal(ShortString& Path) {
    Path.assign(forms::Guarded(std::string(), [] { return Personal(); }));
}

ZELVANI_API bool WINAPI ZvDiskInDrive(char Drive) {
    return forms::Guarded(false, [&] { return DiskIn(Drive); });
}
