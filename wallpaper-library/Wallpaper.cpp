// Setting the desktop wallpaper. The bitmap is first copied into the user's
// application data folder, since the caller deletes its file right after the
// call and the desktop reads the file again at the next logon. A wallpaper
// that the system refuses leaves the desktop's settings and its picture as
// they were.
#include <shlobj.h>

#include <string>

#include "Classes.h"
#include "Registry.h"
#include "ZvCDesk.h"

namespace {

const char* const kDesktopKey = "Control Panel\\Desktop";
const char* const kStyleNames[] = {"WallpaperStyle", "TileWallpaper"};

// The desktop's registry values of a style, in the order of kStyleNames.
struct StyleValues {
    const char* Values[2];
};

// Fitting the picture into the desktop with its proportions (style value
// 6) came with Windows 7; before it the picture is centred at its own size.
bool SystemCanFit() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return false;
    return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

StyleValues ValuesOf(int Style) {
    switch (Style) {
    case 2: return {{"0", "1"}};
    case 3: return {{"2", "0"}};
    case 4:
        if (SystemCanFit()) return {{"6", "0"}};
        return {{"0", "0"}};
    default: return {{"0", "0"}};
    }
}

// The desktop's style values as they stood, absent ones included, so that
// they can be put back.
class SavedStyle {
public:
    SavedStyle() {
        forms::TRegistry reg;
        if (!reg.OpenKeyReadOnly(kDesktopKey)) return;
        for (int i = 0; i < 2; ++i) {
            FExisted[i] = reg.ValueExists(kStyleNames[i]);
            if (FExisted[i]) FValues[i] = reg.ReadString(kStyleNames[i]);
        }
    }
    void Restore() const {
        forms::TRegistry reg;
        if (!reg.OpenKey(kDesktopKey, true)) return;
        for (int i = 0; i < 2; ++i) {
            if (FExisted[i])
                reg.WriteString(kStyleNames[i], FValues[i]);
            else
                reg.DeleteValue(kStyleNames[i]);
        }
    }

private:
    bool FExisted[2] = {};
    std::string FValues[2];
};

bool WriteStyle(int Style) {
    forms::TRegistry reg;
    if (!reg.OpenKey(kDesktopKey, true)) return false;
    const StyleValues values = ValuesOf(Style);
    for (int i = 0; i < 2; ++i) reg.WriteString(kStyleNames[i], values.Values[i]);
    return true;
}

std::string KeptCopyPath() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder))) return {};
    std::string dir = std::string(folder) + "\\Zelvani";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\Wallpaper.bmp";
}

// The wallpaper the system reports.
std::string SystemWallpaper() {
    char path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    return path;
}

// The copy that the desktop shows now, kept aside while it is replaced, so
// that a refused wallpaper leaves it as it was.
class SavedCopy {
public:
    explicit SavedCopy(const std::string& Kept) : FKept(Kept), FBackup(Kept + ".old") {
        FSaved = CopyFileA(FKept.c_str(), FBackup.c_str(), FALSE) != FALSE;
    }
    ~SavedCopy() {
        if (FSaved) DeleteFileA(FBackup.c_str());
    }
    SavedCopy(const SavedCopy&) = delete;
    SavedCopy& operator=(const SavedCopy&) = delete;
    void Restore() const {
        if (FSaved) CopyFileA(FBackup.c_str(), FKept.c_str(), FALSE);
    }

private:
    std::string FKept, FBackup;
    bool FSaved = false;
};

}  // namespace

ZVCDESK_API bool WINAPI ZvDeskWallpaper(const char* FileName, int Source, int Style, int Update) {
    return forms::Guarded(false, [&] {
        if (!FileName || Source != zvdFromFile || Style < 1 || Style > 4) return false;
        if (Update != zvdKeepForSession && Update != zvdStoreInProfile) return false;
        const std::string kept = KeptCopyPath();
        if (kept.empty()) return false;
        const SavedCopy previous(kept);
        if (!CopyFileA(FileName, kept.c_str(), FALSE)) {
            previous.Restore();
            return false;
        }
        const SavedStyle style;
        // The system reads the style when it takes the wallpaper.
        const UINT flags = Update == zvdStoreInProfile ? (SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) : 0;
        const bool taken = WriteStyle(Style) &&
                           SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(kept.c_str()), flags) &&
                           lstrcmpiA(SystemWallpaper().c_str(), kept.c_str()) == 0;
        if (!taken) {
            style.Restore();
            previous.Restore();
        }
        return taken;
    });
}
