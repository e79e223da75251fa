// Coded strings in the tests' messages: their bytes in hexadecimal.
#pragma once
#include <cstdio>
#include <string>

#include "ShortString.h"
#include "ZvScreen.h"

namespace codedhex {

// Bytes in hexadecimal, e.g. "00 03 00 00 00".
inline std::string Hex(const std::string& Bytes) {
    std::string hex;
    for (unsigned char c : Bytes) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X", c);
        hex += (hex.empty() ? "" : " ") + std::string(b);
    }
    return hex;
}

inline std::string Hex(const ShortString& S) { return Hex(S.str()); }

// The default of a part of the coded settings (ZvDefaultCapture), in
// hexadecimal.
inline std::string Default(int Part) {
    ShortString s;
    ZvDefaultCapture(Part, s);
    return Hex(s);
}

}  // namespace codedhex
