// Zelvani: the outside utility library that the modules bind by name. Only
// what the callers rely on is here.
#pragma once
#include <windows.h>

#include "ShortString.h"

#ifdef ZELVANI_BUILD
#define ZELVANI_API extern "C"
#else
#define ZELVANI_API extern "C" __declspec(dllimport)
#endif

// The name of the user-interface font, for every form, hint, menu item and
// message box.
ZELVANI_API void WINAPI ZvGetFontName(ShortString& Name);
