// The registry object of the form layer: one open key under a root key, with
// typed reads and writes of its values.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"

namespace forms {

// Raised when a value cannot be read as the asked type or cannot be written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    // The root is HKEY_CURRENT_USER and no key is open.
    TRegistry();
    // Closes the open key.
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // The key that paths start from; set it before OpenKey.
    HKEY RootKey;

    // Opens Key below RootKey for reading and writing (a leading backslash
    // is allowed and changes nothing), creating it and the keys on its path
    // when CanCreate. A key open before is closed first. False on failure.
    bool OpenKey(const std::string& Key, bool CanCreate);
    // Opens Key below RootKey for reading only; never creates it.
    bool OpenKeyReadOnly(const std::string& Key);
    void CloseKey();
    // The open key, or 0 when none is open.
    HKEY CurrentKey() const { return FCurrentKey; }

    // Key is below RootKey when it starts with a backslash, otherwise below
    // the open key (below RootKey when none is open).
    bool KeyExists(const std::string& Key);
    // Removes Key with all its subkeys; Key is relative as for KeyExists.
    bool DeleteKey(const std::string& Key);

    // The open key's values.
    bool ValueExists(const std::string& Name);
    bool DeleteValue(const std::string& Name);
    // Size of the stored data in bytes; -1 when the value does not exist.
    int GetDataSize(const std::string& Name);

    // A REG_DWORD of four bytes; anything else, or no value, raises.
    int ReadInteger(const std::string& Name);
    void WriteInteger(const std::string& Name, int Value);
    bool ReadBool(const std::string& Name);
    void WriteBool(const std::string& Name, bool Value);
    // REG_SZ or REG_EXPAND_SZ (not expanded); "" when the value does not
    // exist; another type raises.
    std::string ReadString(const std::string& Name);
    void WriteString(const std::string& Name, const std::string& Value);
    // Reads a REG_BINARY (or REG_NONE) value into Buffer and returns its
    // size; 0 when the value does not exist. A value of another type, or
    // longer than BufSize, raises and leaves Buffer as it was; the bytes of
    // Buffer beyond a shorter value stay untouched.
    int ReadBinaryData(const std::string& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize);

    // Names of the open key's values and of its subkeys.
    std::vector<std::string> GetValueNames();
    std::vector<std::string> GetKeyNames();

private:
    bool Open(const std::string& Key, bool CanCreate, REGSAM Access);
    // The key a relative path starts from, and the path without its
    // leading backslash.
    HKEY BaseKey(const std::string& Key, std::string& Path) const;
    // The stored data, with its type; false when the value does not exist.
    bool QueryValue(const std::string& Name, DWORD& Type, std::vector<BYTE>& Data);
    void SetValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size);

    HKEY FCurrentKey = nullptr;
};

}  // namespace forms
