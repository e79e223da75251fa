// Registry value names made of a program's tag and a caller's key, and the
// line break that splits a hint into two lines.
#include <cstdint>
#include <string>

#include "Classes.h"
#include "Zelvani.h"

namespace {

// The name is the Tag, then '_' and the Key: "MiLux_Capture". In the Tag,
// '%' and '_' are written "%%" and "%_", so the first '_' without a '%'
// before it is the boundary, and the pair can be read back from the name:
// different pairs give different names. An empty Key gives the Tag alone
// ("MiLux"), which has no such '_'; only the empty Tag keeps the separator
// then, so that its name "_" is not empty (the registry's default value has
// the empty name).
std::string Compose(const std::string& Tag, const std::string& Key) {
    std::string name;
    for (char c : Tag) {
        if (c == '%' || c == '_') name += '%';
        name += c;
    }
    if (!Key.empty() || Tag.empty()) name += '_' + Key;
    return name;
}

// FNV-1a, 64 bits.
std::uint64_t Hash(const std::string& S) {
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : S) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

// A name longer than a short string holds is cut to its first 238
// characters and ends with '#' and sixteen hexadecimal digits of the hash of
// the whole name, so that long pairs sharing a beginning still get names of
// their own.
std::string ValueName(const std::string& Tag, const std::string& Key) {
    const std::string name = Compose(Tag, Key);
    if (name.size() <= 255) return name;
    static const char digits[] = "0123456789ABCDEF";
    std::string tail = "#";
    const std::uint64_t h = Hash(name);
    for (int shift = 60; shift >= 0; shift -= 4) tail += digits[(h >> shift) & 15];
    return name.substr(0, 255 - tail.size()) + tail;
}

std::string Split(const std::string& S, int N) {
    if (N <= 0 || static_cast<std::size_t>(N) >= S.size()) return S;
    return S.substr(0, N) + "\r\n" + S.substr(N);
}

}  // namespace

ZELVANI_API void WINAPI ZvConvertStr(const ShortString& Tag, const ShortString& Key, ShortString& Name) {
    Name.assign(forms::Guarded(std::string("_"), [&] { return ValueName(Tag.str(), Key.str()); }));
}

ZELVANI_API void WINAPI ZvSplitStr(const ShortString& S, int N, ShortString& R) {
    R.assign(forms::Guarded(std::string(), [&] { return Split(S.str(), N); }));
}
