// ZvCDesk: the outside wallpaper library's one call.
#pragma once
#include <windows.h>

#ifdef ZVCDESK_BUILD
#define ZVCDESK_API extern "C"
#else
#define ZVCDESK_API extern "C" __declspec(dllimport)
#endif

// Source kinds and update modes of ZvDeskWallpaper.
enum : int { zvdFromFile = 2 };
enum : int { zvdKeepForSession = 0, zvdStoreInProfile = 1 };

// Makes the bitmap file FileName the desktop wallpaper in Style (1 centre,
// 2 tile, 3 stretch, 4 fit keeping the proportions where the system can fit
// a wallpaper, else centre). Source must be zvdFromFile; with
// zvdStoreInProfile the choice is kept in the user profile and every program
// is told. True only when the system took the wallpaper; otherwise the
// desktop's wallpaper and style stay as they were. The file is no longer
// needed when the call returns.
ZVCDESK_API bool WINAPI ZvDeskWallpaper(const char* FileName, int Source, int Style, int Update);
