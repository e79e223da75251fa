// The capture themes as the program offers them: the Theme List (the
// library's Capture Theme dialog on the stored themes), a capture with one
// theme's settings, and the Capture Wizard.
#pragma once
#include "ShortString.h"

// Shows the Capture Theme dialog with the stored themes and keeps the list
// the user leaves; its "Capture" captures with the theme selected. This is
// the program's "display capture themes" command.
void ShowCaptureThemes();
// Arms a capture with the four settings of a theme; the quick-capture
// settings stay as they are.
void CaptureWithTheme(const ShortString& Theme);
// Shows the Capture Wizard on the quick-capture settings; when the user
// finishes it with "Capture", its choices of when and what to capture
// become the quick-capture settings and the capture is armed.
void ShowCaptureWizard();
