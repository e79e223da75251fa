// The operations on screens that the commands share: making, opening,
// saving, laying out and closing them.
#pragma once
#include <functional>
#include <string>

#include "Forms.h"
#include "ShortString.h"

class TfrmChild;

// The common message box with the program's strings: the number of the
// button pressed, 1 to 3.
int AskUser(const std::string& Text, const std::string& Caption, int DefaultButton, int Icon,
            const std::string& Button1, const std::string& Button2 = "", const std::string& Button3 = "");

// The number of open screens, and screen Index of the frame's order (the
// active one first), nullptr past the last.
int ScreenCount();
TfrmChild* ScreenAt(int Index);
TfrmChild* ActiveScreen();
// The number of the next "Screen N" caption; numbers are not reused.
int NextScreenNumber();
// A new screen, which becomes the active one: its caption, and its type
// as the index of its icon. Prepare, when given, fills and sizes the screen
// before it shows, so that it is drawn once, as it ends up.
TfrmChild* CreateScreen(const std::string& Caption, int TypeIndex,
                        const std::function<void(TfrmChild&)>& Prepare = nullptr);
// Ends the strokes of every screen (AllScreens), dropping their floating
// selections when asked; the magnifier's view hides in every case.
void EndToolActions(bool AllScreens, bool DropSelection);
// Opens a picture file into a new screen, or tells why not.
void OpenScreenFile(const std::string& FileName);
// Saves a screen under the name; the screen takes the name and the type of
// its extension. A failure is told and changes nothing.
bool SaveScreenToFile(TfrmChild* Screen, const std::string& FileName);
// Saves under the known name, or asks for one (SaveAs, or no name yet).
bool SaveScreen(TfrmChild* Screen, const std::string& Caption, const std::string& FileName, bool SaveAs);
// Checks a file name or file-name pattern; the first fault is told.
bool CheckFileName(const std::string& Name, const std::string& Caption);
// Closes every screen, offering to save the modified ones; false when the
// user cancels or a save fails.
bool CloseAllScreens(const std::string& Caption);
// A field's text as a number: 0 when it is none, the largest number when it
// is too large for one.
int NumberIn(const std::string& Text);
// A line of a list of screens: the caption, then the screen's position in
// the frame's order right-aligned in three characters. The lists sort their
// lines, so the number is what ties a line to its screen.
std::string ScreenListLine(const std::string& Caption, int Index);
// The screen position at the end of such a line; -1 when it ends in no
// number.
int ScreenNumberOf(const std::string& Line);
// Draws such a line in its item's rectangle: the icon of the screen it
// names, then its caption.
void DrawScreenListLine(forms::TCanvas& Canvas, const RECT& Rect, const std::string& Line);
// Brings the program to the front: the main window, which carries the
// program's task-bar button, is restored when minimised and activated; the
// application window stays hidden.
void BringMainWindowToFront();
// Disables a form with the hour-glass over the program, or the reverse.
void SetFormBusy(forms::TForm* Form, bool Enabled);
// A form disabled with the hour-glass for as long as this lives, enabled
// again however the work ends.
class BusyWhile {
public:
    explicit BusyWhile(forms::TForm* Form) : FForm(Form) { SetFormBusy(FForm, false); }
    ~BusyWhile() { SetFormBusy(FForm, true); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    forms::TForm* FForm;
};
// The trailing-backslash rule on a short string: a path that is not empty
// gains a final backslash when Add and it has none, or loses one when not
// Add; Path becomes the result, cut to 255 characters, and Result a copy.
void SetTrailingBackslashShort(ShortString& Path, bool Add, ShortString& Result);
// Sizes and places a screen around its picture within the free area.
void FitToPage(TfrmChild* Screen, bool Force);
// The type of a picture file by its extension: the index of its icon
// (2 bitmap, 4 JPEG, 0 metafile), -1 when the program cannot open it.
int PictureType(const std::string& FileName);
