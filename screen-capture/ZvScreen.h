// ZvScreen: the screen capture library.
#pragma once
#include <windows.h>

#include "Graphics.h"
#include "ShortString.h"

#ifdef ZVSCREEN_BUILD
#define ZVSCREEN_API extern "C"
#else
#define ZVSCREEN_API extern "C" __declspec(dllimport)
#endif

// Start-up: the library's dialogs belong to AppHandle's program; the title
// and tag are kept for the life of the library.
ZVSCREEN_API void WINAPI ZvScreenInit(HWND AppHandle, const ShortString& Title, const ShortString& Tag);

// The default coded capture settings: Part 1 When, 2 What, 3 Then,
// 4 Options; 0 the four contents one after the other without their length
// bytes (31 characters, the contents of a capture theme); any other Part the
// empty string.
ZVSCREEN_API void WINAPI ZvDefaultCapture(int Part, ShortString& Out);

// Captures the screen into a new 24-bit bitmap, which the caller owns and
// frees with delete. Kind 0: the whole screen; 1: the outer rectangle of the
// foreground window; 2: the rectangle Left..Right x Top..Bottom, edges
// included (the four edges are read only for this kind). With IncludeCursor
// the mouse cursor is drawn where it is, cut at the area's edges. Any other
// kind, an empty or negative area, or a failure: nullptr.
ZVSCREEN_API forms::TBitmap* WINAPI ZvScreenCapture(int Kind, int Left, int Right, int Top, int Bottom,
                                                    bool IncludeCursor);
