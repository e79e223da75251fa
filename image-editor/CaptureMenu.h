// The capture library's dialogs as the program opens them: Screen Capture
// from the Capture menu and bar, and the Properties dialog from the Quick
// Capture bar, from arming and from the preview's destinations.
#pragma once
#include <string>

#include "CaptureSettings.h"
#include "ShortString.h"

// Edits one item of a coded settings string in the Properties dialog: Code
// is the item's panel, Caption its name. With OfferScreens the open screens
// are listed to paste to, and the one chosen goes to Child. True on OK, with
// Settings rewritten.
bool EditCaptureProperty(int Code, const std::string& Caption, ShortString& Settings, int& Child, bool OfferScreens);

// The quick-capture settings as the library's dialogs take them, with the
// Screen Capture dialog's prompt.
TCaptureSettings QuickCaptureSettings();
// The Quick Capture bar's lists show the quick-capture settings.
void ShowQuickCaptureSettings();
