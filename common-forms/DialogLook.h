// The look every module's dialogs take when they are shown.
#pragma once
#include "Forms.h"

// The user-interface font's name for the form (its size stays), and tool
// tips only when the user's screen-tip mode shows them everywhere.
void ApplyDialogLook(forms::TForm& Form);
