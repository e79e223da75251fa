// The library's choices per host program: integers under a key of
// HKEY_CURRENT_USER\Software\Zelvani\Common, in values named after the
// program's tag and the caller's use.
#pragma once
#include <string>

namespace zvcom {

// The value name for the host program and Key ("" for the program itself).
std::string ProgramValueName(const std::string& Key);

// The stored integer, or Default when the key or value is missing or cannot
// be read as an integer.
int ReadProgramValue(const char* RegKey, const std::string& Name, int Default);

// Stores the integer, creating the key; a failure loses only the choice.
void WriteProgramValue(const char* RegKey, const std::string& Name, int Value);

}  // namespace zvcom
