// The screen-tip mode: a per-user setting shared by every program of the
// family, kept as a DWORD "Screentips" under HKCU\Software\Zelvani\Common.
// A missing value, one of another type or size, or a number outside 0..2
// reads as 0, tool tips everywhere, which is what a new user sees.
#include "Classes.h"
#include "Zelvani.h"

namespace {

const char* const Key = "Software\\Zelvani\\Common";
const char* const Value = "Screentips";

bool Valid(int Mode) { return Mode >= 0 && Mode <= 2; }

// Read from the registry each time, so that a mode another process stored
// is seen at once.
int ReadMode() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    DWORD type = 0, data = 0, size = sizeof data;
    const LONG rc = RegQueryValueExA(key, Value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return 0;
    const int mode = static_cast<int>(data);
    return Valid(mode) ? mode : 0;
}

void WriteMode(int Mode) {
    if (!Valid(Mode)) return;  // nothing a reader could take: the stored mode stays
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD data = static_cast<DWORD>(Mode);
    RegSetValueExA(key, Value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}

}  // namespace

ZELVANI_API int WINAPI ZvScreentipsType() {
    return forms::Guarded(0, [] { return ReadMode(); });
}

ZELVANI_API void WINAPI ZvSaveScreentips(int Mode) {
    forms::SafeCall([&] { WriteMode(Mode); });
}
