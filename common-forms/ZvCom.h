// ZvCom: the common forms library.
#pragma once
#include <windows.h>

#include "Graphics.h"
#include "ShortString.h"

#ifdef ZVCOM_BUILD
#define ZVCOM_API extern "C"
#else
#define ZVCOM_API extern "C" __declspec(dllimport)
#endif

// The host program's start-up record, filled by the host and read by
// ZvComInit.
#pragma pack(push, 1)
struct TZvComInfo {
    HWND AppHandle;           // the host's application window
    ShortString Title;        // product title: captions, mutex and message name
    ShortString Tag;          // short product tag: per-program registry names
    ShortString DocumentNoun; // plural noun for the host's documents
    int MinColors;            // least colour class the display must have
    int SuggestColors;        // colour class below which better settings are offered
    int SuggestResolution;    // 0 none, 1 640 x 480, 2 800 x 600, 3 1024 x 768
    int MinMemoryMB;          // least physical memory
    bool SingleInstance;      // only one instance may run
    bool SuggestDisplay;      // offer better display settings at start
};
#pragma pack(pop)
static_assert(sizeof(TZvComInfo) == sizeof(HWND) + 3 * 256 + 4 * 4 + 2, "the fields follow each other without gaps");

// Decides whether the host may run: physical memory, system components, a
// running instance (with SingleInstance; the running one is told), the
// display's colour class, and the offer of better display settings. False:
// the host must end at once.
ZVCOM_API bool WINAPI ZvComInit(TZvComInfo& Info);

// Ends the library's use; the host calls it after its message loop.
ZVCOM_API void WINAPI ZvComDone();

namespace forms {
class TWinControl;
}

// Opens the edit pop-up menu (Undo, Cut, Copy, Paste, Delete, Select All)
// for a text field, at (X, Y) of its client area, or at its centre when X or
// Y is negative (asked from the keyboard).
ZVCOM_API void WINAPI ZvComEditMenu(forms::TWinControl* Control, int X, int Y);

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

// Lets the user pick a colour, starting from Color (a system colour shows as
// its current value); on OK Color becomes the colour chosen, a system colour
// picked from the list as its current RGB value, and stays exactly as it
// came when the user changed nothing; on Cancel it stays. Key names the
// caller's use of the dialog ("ForeColor", "Capture"), under which the
// dialog remembers the user's choice of model for the program.
ZVCOM_API void WINAPI ZvShowColor(const ShortString& Key, forms::TColor& Color);

// Lets the user choose a folder from a tree of the drives and their
// folders, opening at Path; Text stands above the tree and Caption is the
// dialog's caption ("Browse" when empty). A start path that is not an
// existing folder is reported and replaced in Path by the user's documents
// folder, whatever the user does next. On OK Path becomes the chosen folder:
// a drive root keeps its backslash, a folder has none. Returns 1 for OK, 2
// for Cancel or the close box.
ZVCOM_API int WINAPI ZvShowBrowse(const ShortString& Text, ShortString& Path, const ShortString& Caption);

// Shows the animated about box of the host program: the logo (nullptr: none;
// the box keeps a copy, so the caller may free it), Copyright with "All
// rights reserved", where to learn more about ProductName (InfoLine, the
// maker's web page), and "Version " + Version at (VersionLeft, VersionTop).
// Animate: the lines are typed and the version fades in and cycles through
// the colours; otherwise everything shows at once. Enter, Escape, Space or
// the OK button close it.
ZVCOM_API void WINAPI ZvShowAbout(forms::TGraphic* Logo, const ShortString& Version, const ShortString& Copyright,
                                  const ShortString& ProductName, const ShortString& InfoLine, int VersionLeft,
                                  int VersionTop, bool Animate);

// Lets the user choose a TrueType font, its style (fsBold, fsItalic,
// fsUnderline, fsStrikeOut), size and colour, with a preview of
// PreviewText ("AaBbYyZz" when empty) or of the font's name. True on OK,
// and FontName, Size, Style and Color hold the choice; on Cancel they stay.
// Key names the caller's use, under which the choice of preview text is
// remembered for the program.
ZVCOM_API bool WINAPI ZvShowFont(const ShortString& Key, const ShortString& PreviewText, ShortString& FontName,
                                 int& Size, forms::TFontStyles& Style, forms::TColor& Color);

// The printer dialog, driven in this order: Init makes it with an empty mode
// block; SetMode loads a mode block the caller stored (made safe: it claims
// no driver data after its 156 bytes); ZvShowPrint lets the user choose one
// of the installed printers, PrinterName preselected (the default printer
// when it is not installed, with a message), and edit its settings in the
// driver's property sheet; ChosenName receives the printer's name on OK and
// is empty otherwise; GetMode hands back the mode block, on OK the chosen
// printer's; Free ends the dialog and its block. Called before Init or after
// Free, each does nothing and gives an empty result.
ZVCOM_API void WINAPI ZvShowPrintInit();
ZVCOM_API void WINAPI ZvShowPrintSetMode(const DEVMODEA& DevMode);
ZVCOM_API void WINAPI ZvShowPrint(const ShortString& PrinterName, const ShortString& Caption, ShortString& ChosenName);
ZVCOM_API void WINAPI ZvShowPrintGetMode(DEVMODEA& DevMode);
ZVCOM_API void WINAPI ZvShowPrintFree();
