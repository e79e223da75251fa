// What the library's dialogs share: the common look, the hints of their OK
// and Cancel buttons, and the keys that their number fields take.
#pragma once
#include "DialogLook.h"
#include "Forms.h"

namespace zvscreen {

inline constexpr const char* kOKHint = "Closes the dialog box and saves any changes you have made";
inline constexpr const char* kCancelHint = "Closes the dialog box without saving any changes you have made";

// A number field takes Backspace and the digits from Lowest to Highest; any
// other character typed becomes 0, which the edit ignores.
void KeepDigits(char& Key, char Lowest = '0', char Highest = '9');

}  // namespace zvscreen
