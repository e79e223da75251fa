// Fonts: the user-interface font, and whether a font family is TrueType.
#include "Classes.h"
#include "Registry.h"
#include "Zelvani.h"

namespace {

// The user-interface font is the one the system uses for message boxes,
// which is the font a user of this system sees in every dialog. Some systems
// name it by an alias ("MS Shell Dlg"); the alias is resolved through the
// system's font substitutes, so that callers get a font they can draw with.
std::string Substitute(const std::string& Face) {
    forms::TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    if (!reg.OpenKeyReadOnly("Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes")) return Face;
    const std::string to = reg.ReadString(Face);
    // A substitute may name a character set after a comma.
    const std::string face = to.substr(0, to.find(','));
    return face.empty() ? Face : face;
}

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD FontType, LPARAM Data) {
    if (!(FontType & TRUETYPE_FONTTYPE)) return 1;  // go on: another face of the family may be
    *reinterpret_cast<bool*>(Data) = true;
    return 0;
}

// Enumerates the faces of the family Name in every character set; true when
// one of them is TrueType. An empty name would enumerate every family, and a
// name that does not fit a face name names no font.
bool IsTrueType(const std::string& Name) {
    if (Name.empty() || Name.size() >= LF_FACESIZE || Name.find('\0') != std::string::npos) return false;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    Name.copy(lf.lfFaceName, Name.size());
    bool found = false;
    HDC dc = GetDC(nullptr);
    if (!dc) return false;
    EnumFontFamiliesExA(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

}  // namespace

ZELVANI_API void WINAPI ZvGetFontName(ShortString& Name) {
    Name.assign("MS Sans Serif");
    forms::SafeCall([&] {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0) && ncm.lfMessageFont.lfFaceName[0])
            Name.assign(Substitute(ncm.lfMessageFont.lfFaceName));
    });
}

ZELVANI_API bool WINAPI ZvFontTrueType(const ShortString& Name) {
    return forms::Guarded(false, [&] { return IsTrueType(Name.str()); });
}
