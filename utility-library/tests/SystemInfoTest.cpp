// The display's colour class and the system codes.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cctype>
#include <cstring>
#include <string>

#include "Zelvani.h"

namespace {

int DisplayBits() {
    HDC dc = GetDC(nullptr);
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
    return bits;
}

// The tests run on a display of 24 bits per pixel: true colour.
TEST(TotalColors, ATrueColourDisplayIsClassFive) {
    const int bits = DisplayBits();
    ASSERT_TRUE(bits == 24 || bits == 32) << "expected the 24-bit test display, the screen has " << bits << " bits";
    EXPECT_EQ(ZvTotalColors(), 5) << "for " << bits << " bits per pixel";
}

OSVERSIONINFOA Version() {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return v;
}

char Platform(const OSVERSIONINFOA& V) {
    return V.dwPlatformId == VER_PLATFORM_WIN32_NT ? '2' : V.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? '1' : '0';
}

std::string Call(BYTE Kind) {
    ShortString s;
    std::memset(static_cast<void*>(&s), 'x', sizeof s);
    ZvOSVersion(Kind, s);
    return s.str();
}

// The system code tells what the callers read from it: a '1' second
// character for highlighted menu-bar items (95, NT 4), "12", "13" and "22"
// for gradient captions (98, Me, 2000 and later).
TEST(OSVersion, KindZeroIsTheTwoCharacterCodeOfThisSystem) {
    const OSVERSIONINFOA v = Version();
    const std::string code = Call(0);
    ASSERT_EQ(code.size(), 2u) << "got '" << code << "'";
    EXPECT_EQ(code[0], Platform(v)) << "platform " << v.dwPlatformId;
    std::string expected;
    if (v.dwPlatformId == VER_PLATFORM_WIN32_NT)
        expected = v.dwMajorVersion >= 5 ? "22" : "21";
    else if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        expected = v.dwMinorVersion >= 90 ? "13" : v.dwMinorVersion >= 10 ? "12" : "11";
    EXPECT_EQ(code, expected) << "for version " << v.dwMajorVersion << "." << v.dwMinorVersion;
}

// Every system that draws gradient captions has their colours: the code
// says gradient captions exactly where the system reports them.
TEST(OSVersion, KindZeroSaysGradientCaptionsWhereTheSystemHasThem) {
    const std::string code = Call(0);
    const bool gradient = code == "12" || code == "13" || code == "22";
    BOOL on = FALSE;
    const bool known = SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &on, 0);
    EXPECT_EQ(gradient, known) << "code '" << code << "', the system "
                               << (known ? "knows" : "does not know") << " gradient captions";
}

DWORD CommonControls() {
    HMODULE lib = LoadLibraryA("comctl32.dll");
    auto get = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(lib, "DllGetVersion")));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (!get || FAILED(get(&info))) return 0;
    return (info.dwMajorVersion << 16) | info.dwMinorVersion;
}

// Kind 1: the platform digit, the system version in three characters, then
// the decimal number that the start-up check compares with 262215 (4.71).
TEST(OSVersion, KindOneCarriesPlatformVersionAndCommonControls) {
    const OSVERSIONINFOA v = Version();
    const std::string s = Call(1);
    ASSERT_GE(s.size(), 5u) << "got '" << s << "'";
    EXPECT_EQ(s[0], Platform(v)) << "got '" << s << "'";
    const std::string version = std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
    EXPECT_EQ(s.substr(1, 3), version.substr(0, 3)) << "got '" << s << "' on " << version;
    const std::string number = s.substr(4);
    for (char c : number) ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << "got '" << s << "'";
    const unsigned long n = std::stoul(number);
    EXPECT_GE(n, 262215ul) << "the common controls of this system pass the start-up check";
    const DWORD comctl = CommonControls();
    ASSERT_NE(comctl, 0u) << "comctl32 reports no version";
    EXPECT_EQ(n, comctl) << "expected comctl32 " << (comctl >> 16) << "." << (comctl & 0xFFFF);
}

TEST(OSVersion, OtherKindsAreEmpty) {
    for (int kind : {2, 3, 255}) EXPECT_EQ(Call(static_cast<BYTE>(kind)), "") << "kind " << kind;
}

}  // namespace
