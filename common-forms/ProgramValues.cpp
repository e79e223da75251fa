#include "ProgramValues.h"

#include "ComState.h"
#include "Registry.h"
#include "Zelvani.h"

namespace zvcom {

std::string ProgramValueName(const std::string& Key) {
    ShortString name;
    ZvConvertStr(ProductTag, ShortString(Key), name);
    return name.str();
}

int ReadProgramValue(const char* RegKey, const std::string& Name, int Default) {
    try {
        forms::TRegistry reg;
        if (reg.OpenKeyReadOnly(RegKey) && reg.ValueExists(Name)) return reg.ReadInteger(Name);
    } catch (const std::exception&) {
    }
    return Default;
}

void WriteProgramValue(const char* RegKey, const std::string& Name, int Value) {
    try {
        forms::TRegistry reg;
        if (reg.OpenKey(RegKey, true)) reg.WriteInteger(Name, Value);
    } catch (const std::exception&) {
    }
}

}  // namespace zvcom
