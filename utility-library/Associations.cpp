// The program registered to open a type of file, as the shell starts it on a
// double click: the shell's own association lookup (which also honours a
// program the user chose for the type), verb "open".
#include <shlwapi.h>

#include <string>

#include "Classes.h"
#include "Zelvani.h"

namespace {

bool IsFile(const std::string& Path) {
    const DWORD attr = GetFileAttributesA(Path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

// The full path of an existing program file: a bare file name ("notepad.exe")
// is looked for where the system looks when it starts a program.
std::string ExistingProgram(const std::string& Exe) {
    if (Exe.empty()) return {};
    if (Exe.find('\\') == std::string::npos) {
        char path[MAX_PATH];
        const DWORD n = SearchPathA(nullptr, Exe.c_str(), nullptr, MAX_PATH, path, nullptr);
        return n > 0 && n < MAX_PATH && IsFile(path) ? std::string(path) : std::string();
    }
    return IsFile(Exe) ? Exe : std::string();
}

std::string Registered(const std::string& Ext) {
    // An extension names a key of its own: no separator, nothing empty.
    if (Ext.empty() || Ext.find_first_of(std::string("\\/\0", 3)) != std::string::npos) return {};
    const std::string ext = "." + Ext;
    char exe[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, ext.c_str(), "open", exe, &size) != S_OK)
        return {};
    return ExistingProgram(exe);
}

}  // namespace

ZELVANI_API void WINAPI ZvExtensionExecute(const ShortString& Ext, ShortString& Exe) {
    Exe.assign(forms::Guarded(std::string(), [&] { return Registered(Ext.str()); }));
}
