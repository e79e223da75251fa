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

// The captured-screen preview: shows Picture 1:1 in a modal dialog,
// captioned "Captured Screen" when IsCaptured, else "Previous Screen", with
// the whole picture selected, and lets the user drag another area over it
// and choose the task for it (0 catalog, 1 paste to a picture, 2 clipboard,
// 3 print, 4 save to disk). The picture is only read and stays the
// caller's; nullptr shows an empty one. A non-zero Animate marches the
// selection's frame. ThenIndex is clamped to 0..4 in place and preselects
// the task; Area becomes (0, 0, 0, 0). True on OK, with ThenIndex the chosen
// task and Area the selected rectangle in picture coordinates, inside the
// picture, Right and Bottom outside it; False on Cancel or the close box.
ZVSCREEN_API bool WINAPI ZvShowPrevious(bool IsCaptured, BYTE Animate, forms::TBitmap* Picture, int& ThenIndex,
                                        RECT& Area);
