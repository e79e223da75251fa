#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace
