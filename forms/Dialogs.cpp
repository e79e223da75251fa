#include "Dialogs.h"

#include <algorithm>
#include <cstring>

namespace forms {

bool TOpenDialog::Execute(HWND Owner) {
    // The system takes the filter as a list of strings, each ended by a
    // zero, and the list ended by one more.
    std::string filter = Filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0');
    // Room for many chosen names, each up to the system's path limit.
    std::vector<char> names(64 * 1024, '\0');
    FileName.copy(names.data(), names.size() - 1);

    OPENFILENAMEA params = {};
    params.lStructSize = sizeof params;
    params.hwndOwner = Owner;  // the system disables it while the dialog runs
    params.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    params.nFilterIndex = static_cast<DWORD>(FilterIndex);
    params.lpstrFile = names.data();
    params.nMaxFile = static_cast<DWORD>(names.size());
    params.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    params.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    params.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    params.Flags = Options | OFN_EXPLORER;
    // Cancel, and names too many for the buffer (FNERR_BUFFERTOOSMALL, when
    // the buffer holds their size instead), leave everything as it was.
    if (!RunDialog(params)) return false;

    // Several files come as their folder and then their names, each ended
    // by a zero (the name offset then points past the folder's zero); one
    // file comes as its full path.
    const char* folder = names.data();
    FFiles.clear();
    if (params.nFileOffset > 0 && folder[params.nFileOffset - 1] == '\0') {
        std::string prefix = folder;
        if (prefix.back() != '\\') prefix += '\\';
        for (const char* name = folder + params.nFileOffset; *name; name += std::strlen(name) + 1)
            FFiles.push_back(prefix + name);
    } else {
        FFiles.emplace_back(folder);
    }
    FileName = FFiles.front();
    FilterIndex = static_cast<int>(params.nFilterIndex);
    return true;
}

}  // namespace forms
