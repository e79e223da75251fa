// A quick capture as the stored settings describe it: armed, triggered by
// the timer, the hot key or the icon in the notification area, taken with
// the program's windows hidden, and handed to its action.
#pragma once
#include <windows.h>

#include <string>

#include "ShortString.h"

// True from arming until the picture is taken: the program stays hidden
// and its main window does not close.
extern bool CaptureArmed;
// The message of the notification-area icon.
constexpr UINT WM_CAPTUREICON = WM_USER + 1;

void ClampInt(int& Value, int Low, int High);
// Checks the settings and arms the trigger; tells the user what is wrong
// and arms nothing when the settings cannot work.
void ArmCapture();
// Arms one capture with these settings in place of the quick-capture
// settings, which are back once the capture is done or put down.
void ArmCaptureWith(const ShortString& When, const ShortString& What, const ShortString& Then,
                    const ShortString& Options);
// Puts an armed capture down without taking it (the timer stopped, the hot
// key released, the icon removed) and shows the program again.
void DisarmCapture();
// The trigger has fired: the picture is taken (or waits for one more tick
// when none was taken before).
void DoCapture();
// The capture's action, by the Then settings.
void ApplyCaptureAction();
// The last capture in the preview dialog, and the destination chosen there.
void ShowCapturePreview();
// The icon in the notification area was clicked: the message's lParam.
void CaptureIconClicked(LPARAM Mouse);

// The first free name of a numbered capture file: Folder (a "\" is added
// when missing), the pattern with the number in place of its "*" (one is
// appended when it has none), padded to Digits unless the number alone is
// wanted, and ".bmp".
std::string NextCaptureFileName(const std::string& Folder, std::string Pattern, int Digits, bool NumberOnly);
