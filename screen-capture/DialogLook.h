// What the library's small dialogs share: their look and the hints of their
// OK and Cancel buttons.
#pragma once
#include "Forms.h"

namespace zvscreen {

inline constexpr const char* kOKHint = "Closes the dialog box and saves any changes you have made";
inline constexpr const char* kCancelHint = "Closes the dialog box without saving any changes you have made";

// The user-interface font, and hints only where the user wants tool tips.
void ApplyDialogLook(forms::TForm& Form);

}  // namespace zvscreen
