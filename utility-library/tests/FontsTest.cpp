// The user-interface font and the TrueType check of font families.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Zelvani.h"

namespace {

// The name must be an installed font: a font made with it draws with a face
// of that very name, not with a substitute.
TEST(FontName, NamesAnInstalledFontInAWholeShortString) {
    ShortString name;
    std::memset(static_cast<void*>(&name), 0x5A, sizeof name);  // the callee must write it whole
    ZvGetFontName(name);
    ASSERT_GT(name.Length, 0);
    ASSERT_LT(name.Length, LF_FACESIZE);

    LOGFONTA lf = {};
    lf.lfHeight = -11;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, name.str().c_str());
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    EXPECT_EQ(std::string(face), name.str());
}

int CALLBACK AddFace(const LOGFONTA* Font, const TEXTMETRICA*, DWORD Type, LPARAM Data) {
    (*reinterpret_cast<std::map<std::string, DWORD>*>(Data))[Font->lfFaceName] |= Type;
    return 1;
}

// Every installed family with the kinds of its faces, as the system lists
// them: family name -> the union of the FontType bits of its faces.
std::map<std::string, DWORD> InstalledFamilies() {
    std::map<std::string, DWORD> families;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &lf, AddFace, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, dc);
    return families;
}

TEST(FontTrueType, TahomaIsTrueTypeInAnyCase) {
    EXPECT_TRUE(ZvFontTrueType(ShortString("Tahoma"))) << "Tahoma is installed as a TrueType font";
    EXPECT_TRUE(ZvFontTrueType(ShortString("tAHOMA"))) << "font names are compared without case";
}

TEST(FontTrueType, EveryTrueTypeFamilyIsRecognised) {
    int seen = 0;
    for (const auto& [name, type] : InstalledFamilies()) {
        if (name.empty() || name[0] == '@' || !(type & TRUETYPE_FONTTYPE)) continue;
        ++seen;
        EXPECT_TRUE(ZvFontTrueType(ShortString(name))) << "expected '" << name << "' to be TrueType";
    }
    EXPECT_GT(seen, 0) << "the system lists no TrueType family at all";
}

// A raster font file: the system's own MS Sans Serif, or the one that comes
// with Wine, whose prefix installs only TrueType fonts.
std::string RasterFontFile() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    std::vector<std::string> places = {std::string(dir) + "\\Fonts\\sserife.fon"};
    if (GetEnvironmentVariableA("WINEDATADIR", dir, MAX_PATH)) {
        std::string wine = dir;
        if (wine.rfind("\\??\\", 0) == 0) wine.erase(0, 4);
        places.push_back(wine + "\\fonts\\sserife.fon");
    }
    for (const auto& p : places)
        if (GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES) return p;
    return {};
}

// Raster (bitmap) families, such as the .fon fonts, are not TrueType.
TEST(FontTrueType, RasterFamiliesAreNot) {
    const std::string file = RasterFontFile();
    ASSERT_FALSE(file.empty()) << "found no raster font file to try";
    ASSERT_GT(AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr), 0) << "cannot load " << file;
    int seen = 0;
    for (const auto& [name, type] : InstalledFamilies()) {
        if (name.empty() || (type & TRUETYPE_FONTTYPE)) continue;
        ++seen;
        EXPECT_FALSE(ZvFontTrueType(ShortString(name)))
            << "'" << name << "' has only faces of kind " << type << ", expected false";
    }
    EXPECT_FALSE(ZvFontTrueType(ShortString("MS Sans Serif"))) << "the raster MS Sans Serif of " << file;
    RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
    EXPECT_GT(seen, 0) << "the system lists no family without a TrueType face, though " << file << " is loaded";
}

TEST(FontTrueType, NoSuchFontIsNot) {
    EXPECT_FALSE(ZvFontTrueType(ShortString("Zelvani No Such Face"))) << "a made-up name";
    EXPECT_FALSE(ZvFontTrueType(ShortString(""))) << "the empty name names no font (it would list them all)";
    EXPECT_FALSE(ZvFontTrueType(ShortString("Tahoma" + std::string(40, ' '))))
        << "a name longer than a face name can be";
    EXPECT_FALSE(ZvFontTrueType(ShortString(std::string("Tahoma\0x", 8))))
        << "a name with a zero character inside is not the name before it";
}

}  // namespace
