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

struct TCaptureSettings;

// The Screen Capture dialog, used in this order: Init; AddChild for each
// picture that can be pasted to (Index its number 0..999, counted in call
// order; the icon stays the caller's); optionally Disable with the name of
// one control (such as "opt31PasteAsNew"); ZvShowCapture; Free. The dialog
// repairs the record's coded strings by the length rule, lets the user edit
// them, and on "Capture" writes them back with the chosen picture's number;
// false, with the record as the repair left it, on any other close.
ZVSCREEN_API void WINAPI ZvShowCaptureInit();
ZVSCREEN_API void WINAPI ZvShowCaptureFree();
ZVSCREEN_API void WINAPI ZvShowCaptureAddChild(bool HasIcon, const ShortString& Name, int Index, forms::TIcon* Icon);
ZVSCREEN_API void WINAPI ZvShowCaptureDisable(const ShortString& Name);
ZVSCREEN_API bool WINAPI ZvShowCapture(TCaptureSettings& Settings);

// The Properties dialog, used like the Screen Capture dialog with a fresh
// form for every call: it edits the item of panel Code (11 delay, 12 hot
// key, 13 icon click, 21 area, 22 cursor background, 31 paste mode, 33 file
// name) of Settings, a When, What or Then string, captioned with the item's
// name. A Then whose byte 1 is 255 asks for the list of pictures to paste
// to (code 31), whose chosen number goes to ChildIndex. True on OK, with
// the whole string of the code's group rewritten and its byte 1 kept.
ZVSCREEN_API void WINAPI ZvShowPropertiesInit();
ZVSCREEN_API void WINAPI ZvShowPropertiesFree();
ZVSCREEN_API void WINAPI ZvShowPropertiesAddChild(bool HasIcon, const ShortString& Name, int Index,
                                                  forms::TIcon* Icon);
ZVSCREEN_API void WINAPI ZvShowPropertiesDisable(const ShortString& Name);
ZVSCREEN_API bool WINAPI ZvShowProperties(int Code, const ShortString& Caption, ShortString& Settings,
                                          int& ChildIndex);

// The Capture Theme dialog, used in this order: Init (an empty list); Add
// for each stored theme (a name followed by the four settings contents;
// one that is malformed, has an empty name or a name listed already, or
// comes when 20 are listed is left out); ZvShowTheme, which returns how
// many themes the user left listed, whichever way the dialog closed; Get
// for positions 1 .. that count, each giving the theme listed there
// (alphabetically), or the empty string outside the list; Free. Before
// Init and after Free they do nothing.
ZVSCREEN_API void WINAPI ZvShowThemeInit();
ZVSCREEN_API void WINAPI ZvShowThemeFree();
ZVSCREEN_API void WINAPI ZvShowThemeAdd(const ShortString& Theme);
ZVSCREEN_API void WINAPI ZvShowThemeGet(int Index, ShortString& Theme);
ZVSCREEN_API int WINAPI ZvShowTheme();
// How the last ZvShowTheme closed: 1 by "Capture", 2 otherwise, 0 when the
// dialog has not run since Init; Index becomes the list position of the
// theme selected then (1 the first), 0 for none.
ZVSCREEN_API int WINAPI ZvShowThemeChoice(int& Index);

// The Capture Wizard on Settings, whose coded strings are first repaired by
// the length rule in the record itself. True when the user finished it
// with "Capture": Settings then holds the When and What of the choices on
// its pages (the rest as it came) and ShowWizardFlag comes back as passed.
// A non-zero flag asks before the wizard is cancelled and offers the box
// "Display standard window next time" on its last page.
ZVSCREEN_API bool WINAPI ZvShowWizard(TCaptureSettings& Settings, BYTE& ShowWizardFlag);
