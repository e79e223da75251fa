#include "RegData.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Registry.h"
#include "Zelvani.h"

int Options, MainWindow, StartupAuto, Startup, Zoom, Themes, Rotate, ColorDepth, BrightStyle, SetAsWallpaper,
    CapturedScreen;
std::string FileLocation, BrowserLocation, AutoSaveLocation;
std::string DefaultScreen, Drawings, Position;
forms::TFont* DrawingFont = nullptr;
TCaptureWhen WhenSettings;
TCaptureWhat WhatSettings;
TCaptureThen ThenSettings;
TCaptureOptions CaptureOptions;
TPrintModeBlock CaptureMode;
ShortString ThemeTable[kMaxThemes];

namespace {

const char* const kSettingsKey = "Software\\Zelvani\\Mirolux\\Settings";
const char* const kCaptureKey = "Software\\Zelvani\\Mirolux\\Capture";
const char* const kThemesKey = "Software\\Zelvani\\Mirolux\\Themes";

struct IntegerValue {
    const char* Name;
    int* Variable;
    int Default, Low, High;
};
// In the order they are read and written.
const IntegerValue kIntegers[] = {
    {"Options", &Options, 0x4FFF, 0, 0x7FFF}, {"MainWindow", &MainWindow, 0, 0, 1},
    {"StartupAuto", &StartupAuto, 1, 0, 4},   {"Startup", &Startup, 0, 0, 3},
    {"Zoom", &Zoom, 2, 0, 4},                 {"Themes", &Themes, 0, 0, kMaxThemes},
    {"Rotate", &Rotate, 0, 0, 4},             {"ColorDepth", &ColorDepth, 3, 0, 3},
    {"BrightStyle", &BrightStyle, 0, 0, 4},   {"SetAsWallpaper", &SetAsWallpaper, 0, 0, 3},
    {"CapturedScreen", &CapturedScreen, 0, 0, 4},
};

struct FolderValue {
    const char* Name;
    std::string* Variable;
};
const FolderValue kFolders[] = {
    {"FileLocation", &FileLocation}, {"BrowserLocation", &BrowserLocation}, {"AutoSaveLocation", &AutoSaveLocation}};

struct RecordValue {
    const char* Name;
    std::string* Variable;
    std::string Default;
};
const RecordValue kRecords[] = {
    // 500 x 300, white.
    {"DefaultScreen", &DefaultScreen, std::string("\x05\x00\x03\x00\xFF\xFF\xFF", 7)},
    // Selector; foreground box; black on white; first item of every list.
    {"Drawings", &Drawings, std::string("\x00\x00\x00\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00\x00", 13)},
    // Maximised; the bands of both cool bars in order with their widths.
    {"Position", &Position,
     std::string("\x02\x00\x00\x00\x00\x00\x00\x00\x00"
                 "\x00\x01\x04\x2C\x01\x00\x00\x60\x02\x01\x05\x2A"
                 "\x00\x01\x01\x4C\x01\x00\x01\x2F\x02\x00\x01\x23",
                 33)},
};

// The capture settings' values and their parts.
struct CodedValue {
    const char* Name;
    ShortString* Variable;
    TCapturePart Part;
};
const CodedValue kCoded[] = {{"When", &WhenSettings, cpWhen},
                             {"Capture", &WhatSettings, cpWhat},
                             {"Then", &ThenSettings, cpThen},
                             {"Options", &CaptureOptions, cpOptions}};

// The last item of each option list in the drawing state, by byte.
struct ListByte {
    size_t Index;
    unsigned char Last;
};
const ListByte kDrawingLists[] = {{0, 11}, {1, 1}, {8, 2}, {9, 4}, {10, 2}, {11, 2}, {12, 2}};

std::string ThemeName(int K) { return "Theme" + std::to_string(K); }

bool IsFolder(const std::string& Path) {
    ShortString s(Path);  // the check takes at most 255 characters
    return !Path.empty() && ZvDirExists(s);
}

std::string DocumentsFolder() {
    ShortString s;
    ZvGetPersonal(s);
    return s.str();
}

unsigned char& At(std::string& Record, size_t Index) { return reinterpret_cast<unsigned char&>(Record[Index]); }

void ClampTwoByte(std::string& Record, size_t Index, int Low, int High) {
    auto* p = reinterpret_cast<unsigned char*>(&Record[Index]);
    const int v = ReadTwoByte(p);
    if (v < Low || v > High) WriteTwoByte(p, std::clamp(v, Low, High));
}

// The Text tool's font as stored: n + 4, n, the face name, the size as a
// two-byte number, the style bits.
std::string FontRecord(forms::TFont& Font) {
    std::string face = Font.Name().substr(0, 250);
    std::string r;
    r += static_cast<char>(face.size() + 4);
    r += static_cast<char>(face.size());
    r += face;
    unsigned char size[2];
    WriteTwoByte(size, Font.Size());
    r += static_cast<char>(size[0]);
    r += static_cast<char>(size[1]);
    r += static_cast<char>(Font.Style() & 0x0F);
    return r;
}

// Reads the stored font; a record whose length bytes disagree with its real
// length is not taken.
void ReadDrawingFont(forms::TRegistry& Reg) {
    if (!Reg.ValueExists("DrawingFont")) return;
    unsigned char data[256];
    const int length = Reg.ReadBinaryData("DrawingFont", data, sizeof data);
    if (length < 5 || data[0] != length - 1 || data[1] != length - 5) return;
    const int n = data[1], last = data[0];
    DrawingFont->SetName(std::string(reinterpret_cast<const char*>(data + 2), static_cast<size_t>(n)));
    DrawingFont->SetSize(ReadTwoByte(data + last - 2));
    DrawingFont->SetStyle(static_cast<forms::TFontStyles>(data[last] & 0x0F));
}

void ReadSettingsKey(forms::TRegistry& Reg) {
    for (const IntegerValue& v : kIntegers)
        if (Reg.ValueExists(v.Name)) *v.Variable = Reg.ReadInteger(v.Name);
    for (const FolderValue& v : kFolders)
        if (Reg.ValueExists(v.Name)) *v.Variable = Reg.ReadString(v.Name);
    // A shorter record fills its start and keeps the default bytes after it;
    // a longer one raises, and the whole group goes back to its defaults.
    for (const RecordValue& v : kRecords)
        if (Reg.ValueExists(v.Name))
            Reg.ReadBinaryData(v.Name, v.Variable->data(), static_cast<int>(v.Variable->size()));
}

void ReadCaptureKey(forms::TRegistry& Reg) {
    for (const CodedValue& v : kCoded)
        if (Reg.ValueExists(v.Name)) Reg.ReadBinaryData(v.Name, v.Variable, sizeof(ShortString));
    if (Reg.ValueExists("Mode")) {
        std::vector<unsigned char> mode(static_cast<size_t>(std::max(Reg.GetDataSize("Mode"), 0)));
        Reg.ReadBinaryData("Mode", mode.data(), static_cast<int>(mode.size()));
        std::memcpy(&CaptureMode, mode.data(), std::min(mode.size(), sizeof CaptureMode));
    }
}

void ReadThemes() {
    forms::TRegistry reg;
    int slot = 0, missing = 0;
    if (reg.OpenKeyReadOnly(kThemesKey)) {
        for (int k = 1; k <= Themes; ++k) {
            if (reg.ValueExists(ThemeName(k)))
                reg.ReadBinaryData(ThemeName(k), &ThemeTable[slot++], sizeof(ShortString));
            else
                ++missing;
        }
    } else {
        missing = Themes;
    }
    Themes -= missing;
}

void WriteCoded(forms::TRegistry& Reg, const std::string& Name, const ShortString& S) {
    Reg.WriteBinaryData(Name, &S, S.Length + 1);
}

}  // namespace

namespace {
const unsigned char* DefaultScreenBytes() { return reinterpret_cast<const unsigned char*>(DefaultScreen.data()); }
}  // namespace

int DefaultScreenWidth() { return std::clamp(ReadTwoByte(DefaultScreenBytes()), 10, 1600); }
int DefaultScreenHeight() { return std::clamp(ReadTwoByte(DefaultScreenBytes() + 2), 10, 1600); }
forms::TColor DefaultScreenColor() {
    const unsigned char* p = DefaultScreenBytes();
    return static_cast<forms::TColor>(RGB(p[4], p[5], p[6]));
}

void IncludeOption(int Mask) { Options |= Mask; }
void ExcludeOption(int Mask) { Options &= ~Mask; }
void SetOption(int Mask, bool On) { On ? IncludeOption(Mask) : ExcludeOption(Mask); }
void ToggleOption(int Mask) { HasOption(Mask) ? ExcludeOption(Mask) : IncludeOption(Mask); }
bool HasOption(int Mask) { return (Options & Mask) != 0; }

void LoadDefaultSettings() {
    for (const IntegerValue& v : kIntegers) *v.Variable = v.Default;
    for (const FolderValue& v : kFolders) v.Variable->clear();
    for (const RecordValue& v : kRecords) *v.Variable = v.Default;
}

void ValidateSettings() {
    for (const IntegerValue& v : kIntegers) *v.Variable = std::clamp(*v.Variable, v.Low, v.High);

    if (!IsFolder(FileLocation)) FileLocation = DocumentsFolder();
    if (!IsFolder(BrowserLocation)) {
        BrowserLocation = DocumentsFolder() + "\\Catalog Browser";
        if (!IsFolder(BrowserLocation)) CreateDirectoryA(BrowserLocation.c_str(), nullptr);
    }
    if (!IsFolder(AutoSaveLocation)) AutoSaveLocation = DocumentsFolder();

    for (const RecordValue& v : kRecords)
        if (v.Variable->size() != v.Default.size()) *v.Variable = v.Default;

    // Values that later code takes as indexes or sizes stay inside what they
    // index; values in range are kept exactly.
    for (const ListByte& b : kDrawingLists) At(Drawings, b.Index) = std::min(At(Drawings, b.Index), b.Last);
    ClampTwoByte(DefaultScreen, 0, 10, 1600);
    ClampTwoByte(DefaultScreen, 2, 10, 1600);
    const std::string& layout = kRecords[2].Default;
    for (size_t band = 9; band < 33; band += 4)
        if (At(Position, band) > 2) Position[band] = layout[band];

    for (const CodedValue& v : kCoded) RepairCaptureString(v.Part, *v.Variable);
    unsigned char& delay = CodedBytes(WhenSettings)[1];
    delay = std::clamp<unsigned char>(delay, 1, 9);
}

void LoadSettings() {
    LoadDefaultSettings();
    DrawingFont->SetName("ARIAL");
    DrawingFont->SetSize(12);
    DrawingFont->SetStyle(0);
    {
        forms::TRegistry reg;
        if (reg.OpenKeyReadOnly(kSettingsKey)) {
            try {
                ReadSettingsKey(reg);
            } catch (const std::exception&) {
                LoadDefaultSettings();
            }
            try {
                ReadDrawingFont(reg);
            } catch (const std::exception&) {
                // The font keeps what was set before.
            }
        }
    }

    for (const CodedValue& v : kCoded) ZvDefaultCapture(v.Part, *v.Variable);
    CaptureMode = TPrintModeBlock{};
    {
        forms::TRegistry reg;
        try {
            if (reg.OpenKeyReadOnly(kCaptureKey)) ReadCaptureKey(reg);
        } catch (const std::exception&) {
            // What was read before the error stays.
        }
    }

    ValidateSettings();

    if (Themes > 0) {
        try {
            ReadThemes();
        } catch (const std::exception&) {
            Themes = 0;
        }
    }
}

void SaveSettings() {
    ValidateSettings();
    {
        forms::TRegistry reg;
        reg.OpenKey(kSettingsKey, true);
        for (const IntegerValue& v : kIntegers) reg.WriteInteger(v.Name, *v.Variable);
        for (const FolderValue& v : kFolders) reg.WriteString(v.Name, *v.Variable);
        for (const RecordValue& v : kRecords)
            reg.WriteBinaryData(v.Name, v.Variable->data(), static_cast<int>(v.Variable->size()));
        const std::string font = FontRecord(*DrawingFont);
        reg.WriteBinaryData("DrawingFont", font.data(), static_cast<int>(font.size()));
    }
    {
        forms::TRegistry reg;
        reg.OpenKey(kCaptureKey, true);
        for (const CodedValue& v : kCoded) WriteCoded(reg, v.Name, *v.Variable);
        reg.WriteBinaryData("Mode", &CaptureMode, sizeof CaptureMode);
    }
    {
        forms::TRegistry reg;
        reg.OpenKey(kThemesKey, true);
        for (int k = 1; k <= kMaxThemes; ++k)
            if (reg.ValueExists(ThemeName(k))) reg.DeleteValue(ThemeName(k));
        for (int k = 1; k <= Themes; ++k) WriteCoded(reg, ThemeName(k), ThemeTable[k - 1]);
    }
}
