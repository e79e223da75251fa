// A capture theme: a named set of capture settings, stored as one short
// string: the name's length and the name, then the contents (without their
// length bytes) of the When, What, Then and Options strings. The Then's
// own inner lengths say where it ends; the Options are the last two bytes.
#pragma once
#include <string>

#include "CaptureSettings.h"

// The most themes a list holds.
constexpr int kMaxCaptureThemes = 20;
// The fewest bytes the four contents take by the length rule.
constexpr int kThemeSettingsMin = 5 + 12 + 7 + 2;

// The four coded strings of a theme.
struct TThemeSettings {
    TCaptureWhen When;
    TCaptureWhat What;
    TCaptureThen Then;
    TCaptureOptions Options;
};

// The name of a theme; empty when its length runs past the string.
inline std::string CaptureThemeName(const ShortString& Theme) {
    const int n = CodedByte(Theme, 1);
    return n + 1 <= Theme.Length ? std::string(Theme.Chars + 1, static_cast<size_t>(n)) : std::string();
}

// A theme that can be listed: a name that is not empty and fits, and room
// after it for the four contents.
inline bool CaptureThemeWellFormed(const ShortString& Theme) {
    const int n = CodedByte(Theme, 1);
    return n > 0 && Theme.Length >= 1 + n + kThemeSettingsMin;
}

// Names are the same when they are equal with their ASCII letters upper-cased.
inline bool SameThemeName(const std::string& A, const std::string& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        if (a != b) return false;
    }
    return true;
}

// A Then whose inner lengths add up to its length exactly.
inline bool ThenWhole(const ShortString& Then) {
    if (!CaptureStringValid(cpThen, Then)) return false;
    const int n = CodedByte(Then, 5);
    return 6 + n <= Then.Length && 6 + n + CodedByte(Then, 6 + n) == Then.Length;
}

// The four strings of a theme: When and What at their fixed places, the
// Options the last two bytes, the Then between them. A part that breaks
// the length rule, or a Then whose inner lengths do not add up, is the
// default instead.
inline TThemeSettings SplitCaptureTheme(const ShortString& Theme) {
    const int n = CodedByte(Theme, 1);
    const std::string all = Theme.str();
    const std::string settings = 1 + n <= static_cast<int>(all.size()) ? all.substr(1 + static_cast<size_t>(n)) : "";
    auto part = [&](size_t From, size_t Count) {
        return From < settings.size() ? settings.substr(From, Count) : std::string();
    };
    const size_t rest = settings.size() > 17 ? settings.size() - 17 : 0;
    TThemeSettings parts{ShortString(part(0, 5)), ShortString(part(5, 12)),
                         ShortString(part(17, rest >= 2 ? rest - 2 : rest)),
                         ShortString(rest >= 2 ? settings.substr(settings.size() - 2) : std::string())};
    RepairCaptureString(cpWhen, parts.When);
    RepairCaptureString(cpWhat, parts.What);
    if (!ThenWhole(parts.Then)) ZvDefaultCapture(cpThen, parts.Then);
    RepairCaptureString(cpOptions, parts.Options);
    return parts;
}

// A theme made of a name and four strings. What would pass 255 bytes is
// cut from the Then's file name and then its printer name, so that the
// Options stay whole at the end.
inline ShortString JoinCaptureTheme(std::string Name, const TThemeSettings& Parts) {
    Name.resize(std::min<size_t>(Name.size(), 255 - 1 - kThemeSettingsMin));
    const size_t fixed = 1 + Name.size() + 5 + 12 + 2;
    const ShortString then =
        ComposeThen(CodedByte(Parts.Then, 1), CodedByte(Parts.Then, 2), Parts.Then, ThenFileName(Parts.Then),
                    255 - fixed);
    std::string s;
    s += static_cast<char>(Name.size());
    s += Name;
    for (const ShortString* part : {&Parts.When, &Parts.What, &then, &Parts.Options}) s += part->str();
    return ShortString(s);
}
