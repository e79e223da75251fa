// The program's persistent settings: program-wide variables with their
// defaults, read from the current user's registry once at start, repaired,
// and written back once at the end.
#pragma once
#include <string>

#include "CaptureSettings.h"
#include "Graphics.h"
#include "ShortString.h"

// Key "Software\Zelvani\Mirolux\Settings": numbers.
extern int Options;         // option bits, below
extern int MainWindow;      // 0 standard window, 1 capture wizard
extern int StartupAuto;     // start action without the start-up dialog, 0..4
extern int Startup;         // choice of the start-up dialog, 0..3
extern int Zoom;            // magnifier level, 0..4
extern int Themes;          // number of stored capture themes, 0..20
extern int Rotate;          // last flip or rotation, 0..4
extern int ColorDepth;      // last colour depth, 0..3
extern int BrightStyle;     // brightness ramp style, 0..4
extern int SetAsWallpaper;  // wallpaper style, 0..3
extern int CapturedScreen;  // follow-up task of the preview, 0..4

// Folders.
extern std::string FileLocation;      // default document folder
extern std::string BrowserLocation;   // catalog browser folder
extern std::string AutoSaveLocation;  // folder of "save to disk" captures

// Byte records: a new screen's size and colour (7 bytes), the drawing state
// (13) and the window placement with the cool bars' layout (33).
extern std::string DefaultScreen;
extern std::string Drawings;
extern std::string Position;
// A new screen's stored size, each side within 10..1600 whatever the record
// holds, and its colour.
int DefaultScreenWidth();
int DefaultScreenHeight();
forms::TColor DefaultScreenColor();
// A byte of the drawing state.
inline unsigned char DrawingByte(size_t Index) { return static_cast<unsigned char>(Drawings[Index]); }

// The Text tool's font; the object belongs to the main window, which makes
// it before LoadSettings and frees it after SaveSettings.
extern forms::TFont* DrawingFont;

// Key "Software\Zelvani\Mirolux\Capture": the quick-capture settings.
extern TCaptureWhen WhenSettings;
extern TCaptureWhat WhatSettings;
extern TCaptureThen ThenSettings;
extern TCaptureOptions CaptureOptions;
extern TPrintModeBlock CaptureMode;

// Key "Software\Zelvani\Mirolux\Themes": the first Themes entries are in use.
constexpr int kMaxThemes = 20;
extern ShortString ThemeTable[kMaxThemes];

// Option bits.
constexpr int OptStatusBar = 0x40;
constexpr int OptStartupDialog = 0x80;
constexpr int OptNewDialog = 0x100;
constexpr int OptResizeByPixels = 0x200;
constexpr int OptResizeStretch = 0x400;
constexpr int OptKeepAspectRatio = 0x800;
constexpr int OptUseDefaultColor = 0x2000;
constexpr int OptAnimatedSelection = 0x4000;

void IncludeOption(int Mask);
void ExcludeOption(int Mask);
void SetOption(int Mask, bool On);
// Clears Mask when any of its bits is set, else sets it.
void ToggleOption(int Mask);
bool HasOption(int Mask);

// Every number, folder and record of the Settings key back to its default
// (not the Text tool's font, the capture settings or the themes).
void LoadDefaultSettings();
// Brings every value into its range and every record to its length, so that
// the values that later code uses as indexes or sizes are safe.
void ValidateSettings();
void LoadSettings();
void SaveSettings();
