// ZvScreen: the screen capture library.
#pragma once
#include <windows.h>

#include "ShortString.h"

#ifdef ZVSCREEN_BUILD
#define ZVSCREEN_API extern "C"
#else
#define ZVSCREEN_API extern "C" __declspec(dllimport)
#endif

// Start-up: the library's dialogs belong to AppHandle's program; the title
// and tag are kept for the life of the library.
ZVSCREEN_API void WINAPI ZvScreenInit(HWND AppHandle, const ShortString& Title, const ShortString& Tag);
