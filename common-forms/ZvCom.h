// ZvCom: the common forms library.
#pragma once
#include <windows.h>

#include "ShortString.h"

#ifdef ZVCOM_BUILD
#define ZVCOM_API extern "C"
#else
#define ZVCOM_API extern "C" __declspec(dllimport)
#endif

// Message icon codes.
enum : int { zvIconStop = 16, zvIconQuestion = 32, zvIconExclamation = 48, zvIconInformation = 64 };

// Shows Text in a modal box with up to three buttons (Button2 and Button3
// empty: fewer) and returns the number of the button pressed, 1 to 3; the
// close box gives 2. An empty Caption shows the product title.
ZVCOM_API int WINAPI ZvMessageBox(const ShortString& Text, const ShortString& Caption, int DefaultButton, int Icon,
                                  const ShortString& Button1, const ShortString& Button2,
                                  const ShortString& Button3);

// Shows the system's text for the calling thread's last error, with the stop
// icon and one button "OK".
ZVCOM_API void WINAPI ZvDisplayMessage();
