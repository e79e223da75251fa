// Zelvani: the outside utility library that the modules bind by name. Only
// what the callers rely on is here. Strings cross as short strings by
// reference: in-strings are read whole before an out-string is written, so a
// caller may pass one variable as both.
#pragma once
#include <windows.h>

#include "ShortString.h"

namespace forms {
class TBitmap;
class TControl;
class TForm;
class TGraphic;
}  // namespace forms

#ifdef ZELVANI_BUILD
#define ZELVANI_API extern "C"
#else
#define ZELVANI_API extern "C" __declspec(dllimport)
#endif

// Fonts.
// The name of the user-interface font, for every form, hint, menu item and
// message box.
ZELVANI_API void WINAPI ZvGetFontName(ShortString& Name);
// True when the installed font family Name has a TrueType face.
ZELVANI_API bool WINAPI ZvFontTrueType(const ShortString& Name);

// Screen tips.
// The user's screen-tip mode: 0 tool tips everywhere, 1 only on the bars and
// the status bar, 2 none; always 0..2.
ZELVANI_API int WINAPI ZvScreentipsType();
// Stores the mode (0..2; other values are ignored); every process reads it
// back from then on.
ZELVANI_API void WINAPI ZvSaveScreentips(int Mode);

// The system.
// The display's colour class: 1 fewer than 16 colours, 2 = 16, 3 = 256,
// 4 = high colour (15/16 bits), 5 = true colour (24/32 bits).
ZELVANI_API int WINAPI ZvTotalColors();
// Kind 0: a two-character system code; second character '1' = menu-bar items
// are highlighted when selected, "12", "13", "22" = the system draws gradient
// captions. Kind 1: platform digit ('1' Windows 95/98/Me, '2' NT), three
// characters of the system version, then from character 5 the common
// controls version as a decimal number (major shl 16 or minor). Other kinds:
// empty.
ZELVANI_API void WINAPI ZvOSVersion(BYTE Kind, ShortString& S);

// Strings.
// A registry value name for the pair: never empty, the same pair always gives
// the same name, different pairs different names; an empty Key gives the Tag.
ZELVANI_API void WINAPI ZvConvertStr(const ShortString& Tag, const ShortString& Key, ShortString& Name);
// S with a line break (CR LF) after its first N characters; S unchanged when
// N is not inside it. Cut at 255 characters.
ZELVANI_API void WINAPI ZvSplitStr(const ShortString& S, int N, ShortString& R);

// Folders and drives. None of them shows a "no disk" system message.
// True when Path is an existing folder (a trailing backslash is allowed);
// Path ending in "\*.*": true when that folder has an entry.
ZELVANI_API bool WINAPI ZvDirExists(const ShortString& Path);
// The user's documents folder, without a trailing backslash.
ZELVANI_API void WINAPI ZvGetPersonal(ShortString& Path);
// True when a medium is in the drive of that letter (either case).
ZELVANI_API bool WINAPI ZvDiskInDrive(char Drive);

// Windows.
// Keeps the mouse inside the control's window on the screen; nullptr releases.
ZELVANI_API void WINAPI ZvClipControl(forms::TControl* Control);
// Moves the form's window wholly into the screen's work area.
ZELVANI_API void WINAPI ZvEnsureVisible(forms::TForm* Form);
// Brings the window to the front, also over another program's window.
ZELVANI_API void WINAPI ZvSetForegroundWindow(HWND Wnd);

// The mouse cursor.
// The cursor's image (0 when none shows; not to be destroyed by the caller),
// with its position on the screen and its hot spot; both zero when none.
ZELVANI_API HICON WINAPI ZvGetCursor(POINT& Pos, POINT& HotSpot);

// Pictures. The format follows the file name's extension, in any case: BMP;
// JPG, JPE or JPEG; EMF; WMF.
// A new graphic of the picture in the file (FileName zero-terminated), which
// the caller frees: a 24-bit TBitmap for a bitmap or JPEG file, a TMetafile
// of the metafile's size in pixels for an EMF or WMF file. nullptr, without
// a message, when the file is missing, damaged or of another kind.
ZELVANI_API forms::TGraphic* WINAPI ZvLoadPicture(const char* FileName);
// Saves the bitmap in the format of the extension: a 24-bit BMP, a JPEG, an
// enhanced metafile or a placeable WMF holding the picture. False for any
// other extension or when the file cannot be written; a failed save leaves
// an existing file unchanged.
ZELVANI_API bool WINAPI ZvSavePicture(const char* FileName, forms::TBitmap* Bitmap);

// File types.
// The full path of the program registered to open files of the extension Ext
// (given without a dot); empty when none is, or when it does not exist.
ZELVANI_API void WINAPI ZvExtensionExecute(const ShortString& Ext, ShortString& Exe);
