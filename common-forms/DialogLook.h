// The look every dialog of the library takes when it is shown.
#pragma once
#include "Forms.h"

namespace zvcom {

// The user-interface font's name for the form (its size stays), and tool
// tips only when the user's screen-tip mode shows them everywhere.
void ApplyDialogLook(forms::TForm& Form);

}  // namespace zvcom
