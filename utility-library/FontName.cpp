// The user-interface font: the one the system uses for message boxes, which
// is the font a user of this system sees in every dialog. Some systems name
// it by an alias ("MS Shell Dlg"); the alias is resolved through the
// system's font substitutes, so that callers get a font they can draw with.
#include "Classes.h"
#include "Registry.h"
#include "Zelvani.h"

namespace {

std::string Substitute(const std::string& Face) {
    forms::TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    if (!reg.OpenKeyReadOnly("Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes")) return Face;
    const std::string to = reg.ReadString(Face);
    // A substitute may name a character set after a comma.
    const std::string face = to.substr(0, to.find(','));
    return face.empty() ? Face : face;
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
