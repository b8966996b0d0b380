// Registry access for the settings, the scanners and the clean engine.
// Failure contract: nothing throws; an operation that cannot be done returns
// false or empty, which callers treat as "nothing there".
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/handles.h"

// "Text" is REG_SZ or REG_EXPAND_SZ (read as stored, not expanded).
inline bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

class RegKey {
public:
    RegKey() = default;

    // Opens an existing key for reading and writing; false when it is absent or
    // cannot be opened with those rights. Never creates.
    bool Open(HKEY root, const std::string& path);
    // Opens the key, creating it (and its parents) when absent.
    bool OpenOrCreate(HKEY root, const std::string& path);
    bool IsOpen() const { return static_cast<bool>(key_); }
    void Close() { key_.reset(); }
    HKEY get() const { return key_.get(); }

    // Names of all values / direct subkeys, in the registry's enumeration order.
    // keepGoing, when given, is asked every few hundred names; false stops the
    // reading (a long list must not keep the user waiting for Abort).
    std::vector<std::string> ValueNames(const std::function<bool()>& keepGoing = {}) const;
    std::vector<std::string> SubkeyNames(const std::function<bool()>& keepGoing = {}) const;

    // The value's text. Empty when the value does not exist or its data is not
    // text; *type (if given) receives the data type, or REG_NONE when absent.
    std::string ReadString(const std::string& name, DWORD* type = nullptr) const;
    // As ReadString into out, reusing out's storage; false when the value does
    // not exist.
    bool ReadText(const std::string& name, std::string& out, DWORD* type = nullptr) const;
    bool ValueExists(const std::string& name) const;
    // The data type of a value, or REG_NONE when it does not exist.
    DWORD DataType(const std::string& name) const;

    bool WriteString(const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& name);

private:
    UniqueKey key_;
};

// Whether the key at path below root exists.
bool RegKeyExists(HKEY root, const std::string& path);
// Deletes the key at path below root with all its subkeys.
bool RegDeleteKeyTree(HKEY root, const std::string& path);
