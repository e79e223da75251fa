// The short string: a length byte and up to 255 characters. Every string that
// crosses a module boundary travels in this form, by address.
#pragma once
#include <cstring>
#include <string>
#include <string_view>

#pragma pack(push, 1)
struct ShortString {
    unsigned char Length = 0;
    char Chars[255] = {};

    ShortString() = default;
    ShortString(std::string_view s) { assign(s); }  // NOLINT: a string converts as in the callers' language

    // Longer texts are cut at 255 characters, as the short string holds no more.
    void assign(std::string_view s) {
        Length = static_cast<unsigned char>(s.size() > 255 ? 255 : s.size());
        std::memcpy(Chars, s.data(), Length);
    }
    std::string str() const { return std::string(Chars, Length); }
    bool empty() const { return Length == 0; }
};
#pragma pack(pop)
static_assert(sizeof(ShortString) == 256, "a short string is a length byte and 255 characters");
