// The look that the program's dialogs share when they show.
#pragma once
#include "Forms.h"

// The user-interface font, and hints only where the user wants tool tips.
void ApplyDialogLook(forms::TForm& Form);
