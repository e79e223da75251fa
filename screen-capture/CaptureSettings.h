// The coded capture settings: four short strings (When, What, Then, Options)
// that say what starts a capture, what it takes and what happens with it;
// the record that carries them across the library boundary; the two-byte
// numbers inside them; and the length rule every reader applies.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "ShortString.h"
#include "ZvScreen.h"

// The coded strings, each a short string of its own fixed shape.
using TCaptureWhen = ShortString;     // 5 characters
using TCaptureWhat = ShortString;     // 12 characters
using TCaptureThen = ShortString;     // at least 7 characters
using TCaptureOptions = ShortString;  // 2 characters

// The parts of ZvDefaultCapture.
enum TCapturePart : int { cpTheme = 0, cpWhen = 1, cpWhat = 2, cpThen = 3, cpOptions = 4 };

static_assert(sizeof(DEVMODEA) == 156, "the printer mode is the 156-byte device mode");

#pragma pack(push, 1)
// The printer mode and whether the user chose one: one 157-byte block, as it
// is stored and as it travels inside TCaptureSettings.
struct TPrintModeBlock {
    bool PrintModeSet;
    DEVMODEA PrintMode;
};

struct TCaptureSettings {
    ShortString Text;      // the words for the dialog's prompt, or the whole prompt
    bool TextIsLabel;      // true: Text replaces the prompt; false: Text fills its "%s"
    TCaptureWhen When;
    TCaptureWhat What;
    TCaptureThen Then;
    TCaptureOptions Options;
    bool PrintModeSet;     // PrintMode holds a mode the user chose
    DEVMODEA PrintMode;
    int PasteToChild;      // number of the open picture chosen to paste into
};
#pragma pack(pop)
static_assert(sizeof(TPrintModeBlock) == 157, "flag and printer mode form one 157-byte block");
static_assert(offsetof(TCaptureSettings, PrintMode) == offsetof(TCaptureSettings, PrintModeSet) + 1,
              "the printer mode follows its flag directly");
static_assert(offsetof(TCaptureSettings, When) == 257 && offsetof(TCaptureSettings, Options) == 1025 &&
                  offsetof(TCaptureSettings, PrintModeSet) == 1281 && offsetof(TCaptureSettings, PasteToChild) == 1438,
              "the fields follow each other without gaps");
static_assert(sizeof(TCaptureSettings) == 1442, "the record's size is fixed");

// The choices of the When, What and Then lists of the capture dialogs and
// the Quick Capture bar, by byte 1 of their string. Each item ends in the
// two digits, never shown, of its properties panel: the first names the
// string (1 When, 2 What, 3 Then), the second the panel, 0 for none.
inline const std::vector<std::string> kWhenItems = {"immediately10", "time delay11", "key pressed12",
                                                    "click on system tray13"};
inline const std::vector<std::string> kCaptureItems = {"full screen20", "active window20", "rectangular area21",
                                                       "mouse cursor22"};
inline const std::vector<std::string> kThenItems = {"show captured screen30", "add to catalog browser30",
                                                    "paste to picture31",     "copy to clipboard30",
                                                    "print out32",            "save to disk33"};

// Numbers above 255 (coordinates, sizes) are stored as two bytes: the value
// div 100, then the value mod 100. Values outside 0..25599 are kept to it.
inline void WriteTwoByte(unsigned char* At, int Value) {
    if (Value < 0) Value = 0;
    if (Value > 25599) Value = 25599;
    At[0] = static_cast<unsigned char>(Value / 100);
    At[1] = static_cast<unsigned char>(Value % 100);
}
inline int ReadTwoByte(const unsigned char* At) { return At[0] * 100 + At[1]; }

// The bytes of a coded string, position 1 being the first after the length.
inline unsigned char* CodedBytes(ShortString& S) { return reinterpret_cast<unsigned char*>(S.Chars); }
inline const unsigned char* CodedBytes(const ShortString& S) {
    return reinterpret_cast<const unsigned char*>(S.Chars);
}

// A byte of a coded string at Position (1 the first after the length byte);
// bytes beyond the string's real length are absent and read as 0, so that
// no read runs past the string into stale bytes.
inline int CodedByte(const ShortString& S, int Position) {
    return Position >= 1 && Position <= S.Length ? CodedBytes(S)[Position - 1] : 0;
}

// The printer name of a Then: n = byte 5 characters from position 6, cut
// where the string really ends.
inline std::string ThenPrinterName(const ShortString& Then) {
    const int first = 6, n = CodedByte(Then, 5);
    if (first > Then.Length) return "";
    return std::string(Then.Chars + first - 1, static_cast<size_t>(std::min(n, Then.Length - first + 1)));
}

// The file name of a Then: m characters after the printer name, m being
// the byte that follows the name; cut where the string really ends.
inline std::string ThenFileName(const ShortString& Then) {
    const int n = CodedByte(Then, 5), m = CodedByte(Then, 6 + n);
    const int first = 7 + n;
    if (first > Then.Length) return "";
    return std::string(Then.Chars + first - 1, static_cast<size_t>(std::min(m, Then.Length - first + 1)));
}

// A Then written from a dialog: the action and paste-mode bytes, the digit
// count and depend bytes of Old, Old's printer name and FileName. A string
// that would pass Limit characters (at least 6) is cut with its inner
// lengths kept true: the file name is shortened first, then the printer
// name, so that every length byte still counts the characters that follow
// it.
inline ShortString ComposeThen(int Action, int PasteMode, const ShortString& Old, const std::string& FileName,
                               size_t Limit = 255) {
    std::string printer = ThenPrinterName(Old);
    printer.resize(std::min<size_t>(printer.size(), Limit - 6));
    std::string file = FileName;
    file.resize(std::min<size_t>(file.size(), Limit - 6 - printer.size()));
    std::string s;
    s += static_cast<char>(Action);
    s += static_cast<char>(PasteMode);
    s += static_cast<char>(CodedByte(Old, 3));
    s += static_cast<char>(CodedByte(Old, 4));
    s += static_cast<char>(printer.size());
    s += printer;
    s += static_cast<char>(file.size());
    s += file;
    return ShortString(s);
}

// The length rule: a When of another length than 5, a What of another length
// than 12, a Then shorter than 7 or an Options of another length than 2 is
// not a coded string of its kind.
inline bool CaptureStringValid(TCapturePart Part, const ShortString& S) {
    switch (Part) {
    case cpWhen: return S.Length == 5;
    case cpWhat: return S.Length == 12;
    case cpThen: return S.Length >= 7;
    case cpOptions: return S.Length == 2;
    default: return true;
    }
}

// Replaces a coded string that breaks the length rule, as a whole, by its
// default; true when it was replaced. Every reader does this before it reads
// a fixed position.
inline bool RepairCaptureString(TCapturePart Part, ShortString& S) {
    if (CaptureStringValid(Part, S)) return false;
    ZvDefaultCapture(Part, S);
    return true;
}

inline void RepairCaptureSettings(TCaptureSettings& Settings) {
    RepairCaptureString(cpWhen, Settings.When);
    RepairCaptureString(cpWhat, Settings.What);
    RepairCaptureString(cpThen, Settings.Then);
    RepairCaptureString(cpOptions, Settings.Options);
}
