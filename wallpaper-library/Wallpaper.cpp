// Setting the desktop wallpaper. The bitmap is first copied into the user's
// application data folder, since the caller deletes its file right after the
// call and the desktop reads the file again at the next logon.
#include <shlobj.h>

#include <string>

#include "Classes.h"
#include "Registry.h"
#include "ZvCDesk.h"

namespace {

struct StyleValues {
    const char* WallpaperStyle;
    const char* TileWallpaper;
};

// The desktop's registry values for styles 1 to 4.
constexpr StyleValues kStyles[] = {{"0", "0"}, {"0", "1"}, {"2", "0"}, {"6", "0"}};

std::string KeptCopyPath() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder))) return {};
    std::string dir = std::string(folder) + "\\Zelvani";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\Wallpaper.bmp";
}

}  // namespace

ZVCDESK_API bool WINAPI ZvDeskWallpaper(const char* FileName, int Source, int Style, int Update) {
    return forms::Guarded(false, [&] {
        if (!FileName || Source != zvdFromFile || Style < 1 || Style > 4) return false;
        if (Update != zvdKeepForSession && Update != zvdStoreInProfile) return false;
        const std::string kept = KeptCopyPath();
        if (kept.empty() || !CopyFileA(FileName, kept.c_str(), FALSE)) return false;

        forms::TRegistry reg;
        if (!reg.OpenKey("Control Panel\\Desktop", true)) return false;
        reg.WriteString("WallpaperStyle", kStyles[Style - 1].WallpaperStyle);
        reg.WriteString("TileWallpaper", kStyles[Style - 1].TileWallpaper);
        reg.CloseKey();

        const UINT flags = Update == zvdStoreInProfile ? (SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) : 0;
        return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(kept.c_str()), flags) != FALSE;
    });
}
