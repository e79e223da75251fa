#include "Startup.h"

#include <algorithm>
#include <cctype>

const char* const ProgramTitle = "Zelvani Mirolux";

TZvComInfo MakeStartupInfo(HWND AppHandle) {
    TZvComInfo info{};
    info.AppHandle = AppHandle;
    info.Title = ShortString(ProgramTitle);
    info.Tag = ShortString("MiLux");
    info.DocumentNoun = ShortString("screens");
    info.MinColors = 3;          // 256 colours
    info.SuggestColors = 4;      // high colour
    info.SuggestResolution = 2;  // 800 x 600
    info.MinMemoryMB = 12;
    info.SingleInstance = true;
    info.SuggestDisplay = true;
    return info;
}

bool IsPictureName(const std::string& Parameter) {
    std::string name = Parameter;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const char* ext : {"BMP", "EMF", "JPE", "JPEG", "JPG", "WMF"}) {
        const std::string e = ext;
        if (name.size() >= e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0) return true;
    }
    return false;
}

int MaxScreensFor(unsigned long long PhysicalBytes) {
    const unsigned long long screens = ((PhysicalBytes >> 20) + 1) >> 3;
    return static_cast<int>(std::min(screens, 99ull));
}
