#include "Registry.h"

#include <cstring>
#include <utility>

namespace forms {

namespace {

std::string Quoted(const std::string& Name) { return "'" + Name + "'"; }

// Removes Path below Parent with everything below it. The subkeys are listed
// first and deleted afterwards, since deleting while enumerating shifts the
// indices. RegDeleteTree would do this in one call, but older Windows lacks it.
LONG DeleteTree(HKEY Parent, const std::string& Path) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(Parent, Path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key);
    if (rc != ERROR_SUCCESS) return rc;
    std::vector<std::string> children;
    std::vector<char> name(256);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        rc = RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            name.resize(name.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        children.emplace_back(name.data(), length);
        ++index;
    }
    for (const std::string& child : children) {
        rc = DeleteTree(key, child);
        if (rc != ERROR_SUCCESS) {
            RegCloseKey(key);
            return rc;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyA(Parent, Path.c_str());
}

}  // namespace

TRegistry::TRegistry() : RootKey(HKEY_CURRENT_USER) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::CloseKey() {
    if (FCurrentKey) {
        RegCloseKey(FCurrentKey);
        FCurrentKey = nullptr;
    }
}

HKEY TRegistry::BaseKey(const std::string& Key, std::string& Path) const {
    if (!Key.empty() && Key[0] == '\\') {
        Path = Key.substr(1);
        return RootKey;
    }
    Path = Key;
    return FCurrentKey ? FCurrentKey : RootKey;
}

bool TRegistry::Open(const std::string& Key, bool CanCreate, REGSAM Access) {
    CloseKey();
    const std::string path = !Key.empty() && Key[0] == '\\' ? Key.substr(1) : Key;
    HKEY key = nullptr;
    LONG rc;
    if (CanCreate) {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(RootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr,
                             &key, &disposition);
    } else {
        rc = RegOpenKeyExA(RootKey, path.c_str(), 0, Access, &key);
    }
    if (rc != ERROR_SUCCESS) return false;
    FCurrentKey = key;
    return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    return Open(Key, CanCreate, KEY_READ | KEY_WRITE);
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) { return Open(Key, false, KEY_READ); }

bool TRegistry::KeyExists(const std::string& Key) {
    std::string path;
    const HKEY base = BaseKey(Key, path);
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS) {
        RegCloseKey(key);
        return true;
    }
    // A key that may not be read is still there.
    return rc == ERROR_ACCESS_DENIED;
}

bool TRegistry::DeleteKey(const std::string& Key) {
    std::string path;
    const HKEY base = BaseKey(Key, path);
    // An empty path would name the base key itself.
    if (path.empty()) return false;
    return DeleteTree(base, path) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& Name) {
    if (!FCurrentKey) return false;
    return RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& Name) {
    if (!FCurrentKey) return false;
    return RegDeleteValueA(FCurrentKey, Name.c_str()) == ERROR_SUCCESS;
}

int TRegistry::GetDataSize(const std::string& Name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(Name, type, data)) return -1;
    return static_cast<int>(data.size());
}

bool TRegistry::QueryValue(const std::string& Name, DWORD& Type, std::vector<BYTE>& Data) {
    Data.clear();
    if (!FCurrentKey) return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return false;
    // The value may grow between the two calls; read again with the size
    // that the system then reports.
    for (;;) {
        Data.resize(size);
        DWORD got = size;
        rc = RegQueryValueExA(FCurrentKey, Name.c_str(), nullptr, &Type, size ? Data.data() : nullptr, &got);
        if (rc == ERROR_MORE_DATA && got > size) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            Data.clear();
            return false;
        }
        // A size query of a string may report more than the ANSI data takes.
        Data.resize(got);
        return true;
    }
}

void TRegistry::SetValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size) {
    if (!FCurrentKey) throw ERegistryException("Failed to set data for " + Quoted(Name) + ": no registry key is open");
    const LONG rc = RegSetValueExA(FCurrentKey, Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size);
    if (rc != ERROR_SUCCESS) throw ERegistryException("Failed to set data for " + Quoted(Name));
}

int TRegistry::ReadInteger(const std::string& Name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(Name, type, data)) throw ERegistryException("Failed to get data for " + Quoted(Name));
    if (type != REG_DWORD || data.size() != sizeof(DWORD))
        throw ERegistryException("Invalid data type for " + Quoted(Name));
    DWORD value;
    std::memcpy(&value, data.data(), sizeof value);
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
    const DWORD value = static_cast<DWORD>(Value);
    SetValue(Name, REG_DWORD, &value, sizeof value);
}

bool TRegistry::ReadBool(const std::string& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

std::string TRegistry::ReadString(const std::string& Name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(Name, type, data)) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for " + Quoted(Name));
    // The string ends at its first terminator; data stored without one ends
    // with the data.
    const char* text = reinterpret_cast<const char*>(data.data());
    std::size_t length = 0;
    while (length < data.size() && text[length] != '\0') ++length;
    return std::string(text, length);
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    SetValue(Name, REG_SZ, Value.c_str(), static_cast<DWORD>(Value.size() + 1));
}

int TRegistry::ReadBinaryData(const std::string& Name, void* Buffer, int BufSize) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(Name, type, data)) return 0;
    if (type != REG_BINARY && type != REG_NONE) throw ERegistryException("Invalid data type for " + Quoted(Name));
    const std::size_t room = BufSize > 0 ? static_cast<std::size_t>(BufSize) : 0;
    if (data.size() > room)
        throw ERegistryException("Data of " + Quoted(Name) + " is too long (" + std::to_string(data.size()) +
                                 " bytes where at most " + std::to_string(room) + " fit)");
    if (!data.empty()) std::memcpy(Buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize) {
    if (BufSize < 0) throw ERegistryException("Failed to set data for " + Quoted(Name) + ": negative size");
    SetValue(Name, REG_BINARY, BufSize ? Buffer : nullptr, static_cast<DWORD>(BufSize));
}

namespace {

// The names of a key's values or of its subkeys.
std::vector<std::string> EnumNames(HKEY Key, bool Values) {
    std::vector<std::string> names;
    if (!Key) return names;
    DWORD longestKey = 0, longestValue = 0;
    if (RegQueryInfoKeyA(Key, nullptr, nullptr, nullptr, nullptr, &longestKey, nullptr, nullptr, &longestValue,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        longestKey = longestValue = 255;
    std::vector<char> name((Values ? longestValue : longestKey) + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG rc = Values ? RegEnumValueA(Key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
                               : RegEnumKeyExA(Key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            // The reported longest name counts characters, a multi-byte
            // name may need more bytes.
            name.resize(name.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
        ++index;
    }
    return names;
}

}  // namespace

std::vector<std::string> TRegistry::GetValueNames() { return EnumNames(FCurrentKey, true); }

std::vector<std::string> TRegistry::GetKeyNames() { return EnumNames(FCurrentKey, false); }

}  // namespace forms
