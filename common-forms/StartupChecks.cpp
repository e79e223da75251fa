#include "StartupChecks.h"

namespace zvcom {

std::string ColorClassName(int ColorClass) {
    switch (ColorClass) {
    case 2: return "16";
    case 3: return "256";
    case 4: return "Hi";
    case 5: return "True";
    default: return "";
    }
}

std::int64_t Megabytes(std::uint64_t Bytes) { return static_cast<std::int64_t>(Bytes >> 20); }

ComponentVerdict CheckComponents(const std::string& VersionAnswer, const std::string& Title) {
    // The number runs from the fifth character on; anything that is not a
    // plain decimal number there counts as too old a system.
    long version = -1;
    if (VersionAnswer.size() > 4) {
        const std::string digits = VersionAnswer.substr(4);
        if (digits.size() <= 9 && digits.find_first_not_of("0123456789") == std::string::npos)
            version = std::stol(digits);
    }
    if (version >= kLeastComponentVersion) return {true, ""};
    const char platform = VersionAnswer.empty() ? '\0' : VersionAnswer[0];
    if (platform == '1') return {false, Title + " requires Internet Explorer 4.0 or higher to run."};
    if (platform == '2') return {false, Title + " requires Internet Explorer 4.0 or Service Pack 4 or higher to run."};
    return {false, ""};
}

SIZE SuggestedSize(int SuggestResolution) {
    switch (SuggestResolution) {
    case 1: return SIZE{640, 480};
    case 2: return SIZE{800, 600};
    case 3: return SIZE{1024, 768};
    default: return SIZE{0, 0};
    }
}

bool DisplayGoodEnough(int ColorClass, int ScreenWidth, int ScreenHeight, int SuggestColors, int SuggestResolution) {
    const SIZE s = SuggestedSize(SuggestResolution);
    return ColorClass >= SuggestColors && ScreenWidth >= s.cx && ScreenHeight >= s.cy;
}

}  // namespace zvcom
