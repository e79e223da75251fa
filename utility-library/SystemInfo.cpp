// The display's colour class and the system's version codes.
#include <shlwapi.h>

#include <string>

#include "Classes.h"
#include "Zelvani.h"

namespace {

int ColourClass() {
    HDC dc = GetDC(nullptr);
    if (!dc) return 1;
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
    if (bits >= 24) return 5;
    if (bits >= 15) return 4;
    if (bits >= 8) return 3;
    if (bits >= 4) return 2;
    return 1;
}

OSVERSIONINFOA SystemVersion() {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) v = {};
    return v;
}

// '1' Windows 95, 98 and Me; '2' the NT family; '0' any other platform.
char PlatformDigit(const OSVERSIONINFOA& V) {
    switch (V.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return '1';
    case VER_PLATFORM_WIN32_NT: return '2';
    default: return '0';
    }
}

// The second character of the system code tells the look of the system's
// menus and captions:
//   '1'  flat captions, and a selected menu-bar item is highlighted in the
//        selection colour: Windows 95 (4.0), NT 3.x and 4.0, other platforms;
//   '2'  gradient captions, and a selected menu-bar item is drawn raised or
//        sunken in the menu-text colour: Windows 98 (4.10), NT 5.0 (2000)
//        and every later NT;
//   '3'  Windows Me (4.90), which looks like 98.
// So the codes are "11" (95), "12" (98), "13" (Me), "21" (NT 4 and before),
// "22" (2000 and later), "01" elsewhere.
char LookDigit(const OSVERSIONINFOA& V) {
    switch (V.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        if (V.dwMajorVersion > 4 || V.dwMinorVersion >= 90) return '3';
        return V.dwMinorVersion >= 10 ? '2' : '1';
    case VER_PLATFORM_WIN32_NT: return V.dwMajorVersion >= 5 ? '2' : '1';
    default: return '1';
    }
}

// The version of the common controls library that the process uses, as
// major shl 16 or minor. Libraries without DllGetVersion are the 4.00 of the
// first 32-bit systems.
DWORD CommonControlsVersion() {
    const DWORD first = MAKELONG(0, 4);
    HMODULE lib = GetModuleHandleA("comctl32.dll");
    HMODULE loaded = nullptr;
    if (!lib) lib = loaded = LoadLibraryA("comctl32.dll");
    if (!lib) return 0;
    DWORD version = first;
    auto get = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(lib, "DllGetVersion")));
    if (get) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(get(&info))) version = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    if (loaded) FreeLibrary(loaded);
    return version;
}

std::string SystemCode(BYTE Kind) {
    const OSVERSIONINFOA v = SystemVersion();
    if (Kind == 0) return {PlatformDigit(v), LookDigit(v)};
    if (Kind != 1) return {};
    // The platform digit, the first three characters of "major.minor"
    // ("4.0", "4.1" for 98's 4.10, "5.1", "10." for 10.0), then the number.
    std::string s(1, PlatformDigit(v));
    s += (std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion)).substr(0, 3);
    s += std::to_string(CommonControlsVersion());
    return s;
}

}  // namespace

ZELVANI_API int WINAPI ZvTotalColors() {
    return forms::Guarded(1, [] { return ColourClass(); });
}

ZELVANI_API void WINAPI ZvOSVersion(BYTE Kind, ShortString& S) {
    S.assign(forms::Guarded(std::string(), [&] { return SystemCode(Kind); }));
}
