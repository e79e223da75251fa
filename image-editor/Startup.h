// The start of the program: the start-up record of the common library and
// the rules that the start applies.
#pragma once
#include <string>

#include "ZvCom.h"

// The program's title, the product title of the libraries.
extern const char* const ProgramTitle;

// The start-up record, filled once before any form exists.
TZvComInfo MakeStartupInfo(HWND AppHandle);

// A command-line parameter names a picture when it ends with one of the
// picture extensions, in any case, with or without a dot before it.
bool IsPictureName(const std::string& Parameter);

// The most screens that may be open at once for a memory of that size.
int MaxScreensFor(unsigned long long PhysicalBytes);
