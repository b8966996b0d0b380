// Registry access for the settings, the scanners and the clean engine.
// Names and texts are UTF-8; every call goes to the system as UTF-16, so a
// value is read and deleted by exactly the name it was listed under.
// Failures follow the contract of system_error.h: an operation that cannot be
// done returns false or empty, and Error() (or the error out-parameter of the
// free functions) tells why, for callers that must tell absent and denied apart.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/system_error.h"

inline constexpr char kHkcuName[] = "HKEY_CURRENT_USER";

// The root key of a root name ("HKEY_CURRENT_USER", ...), compared exactly; nullptr otherwise.
HKEY GetRootKey(const std::string& name);

// A registry location written as one text: the root key spelled out, a
// backslash, and the key's path below the root.
struct RegistryPath {
    HKEY root = nullptr;   // nullptr for an unknown root name or a text without a backslash
    std::string rootName;  // the text before the first backslash; empty when there is none
    std::string path;      // the rest: only the leading root name and its backslash are removed

    static RegistryPath Parse(const std::string& fullPath);
};
// "HKEY_CURRENT_USER" + path.
std::string HkcuPath(const std::string& path);

// "Text" is REG_SZ or REG_EXPAND_SZ (read as stored, not expanded).
inline bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// One value of a key as the enumeration lists it.
struct RegValue {
    std::string name;
    DWORD type = REG_NONE;
    std::string text;  // its data as text; empty when the data is no text
};

class RegKey {
public:
    RegKey() = default;

    // Opens an existing key for reading only (a key the user may read but not
    // change is still listed); false when it is absent or cannot be read. Never creates.
    bool Open(HKEY root, const std::string& path);
    bool Open(const RegistryPath& at) { return Open(at.root, at.path); }
    // Opens an existing key for reading and changing its values. Never creates.
    bool OpenForWrite(HKEY root, const std::string& path);
    bool OpenForWrite(const RegistryPath& at) { return OpenForWrite(at.root, at.path); }
    // Opens the key for reading and writing, creating it (and its parents) when absent.
    bool OpenOrCreate(HKEY root, const std::string& path);
    bool IsOpen() const { return static_cast<bool>(key_); }
    void Close() { key_.reset(); }
    HKEY get() const { return key_.get(); }
    // The system's error code of the last operation that failed (ERROR_SUCCESS after one that did not).
    SystemError Error() const { return error_; }

    // Names of all values / direct subkeys, in the registry's enumeration order.
    // keepGoing, when given, is asked every few hundred names; false stops the
    // reading (a long list must not keep the user waiting for Abort).
    std::vector<std::string> ValueNames(const std::function<bool()>& keepGoing = {}) const;
    std::vector<std::string> SubkeyNames(const std::function<bool()>& keepGoing = {}) const;
    // Every value with its type and text, as ValueNames and ReadText give them,
    // but one call each: the enumeration returns the name and the data together.
    std::vector<RegValue> Values(const std::function<bool()>& keepGoing = {}) const;

    // The value's text. Empty when the value does not exist or its data is not
    // text; *type (if given) receives the data type, or REG_NONE when absent.
    std::string ReadString(const std::string& name, DWORD* type = nullptr) const;
    // As ReadString into out; false when the value does not exist.
    bool ReadText(const std::string& name, std::string& out, DWORD* type = nullptr) const;
    // The value's data as stored, whatever its type (*type, if given, receives
    // it); false when it does not exist.
    bool ReadBinary(const std::string& name, std::string& bytes, DWORD* type = nullptr) const;
    bool ValueExists(const std::string& name) const;
    // The data type of a value, or REG_NONE when it does not exist.
    DWORD DataType(const std::string& name) const;

    bool WriteString(const std::string& name, const std::string& value, DWORD type = REG_SZ);
    bool WriteBinary(const std::string& name, const std::string& bytes, DWORD type = REG_BINARY);
    bool DeleteValue(const std::string& name);

private:
    bool OpenWith(HKEY root, const std::string& path, REGSAM access);
    bool Done(LONG rc) const {
        error_ = static_cast<SystemError>(rc);
        return rc == ERROR_SUCCESS;
    }
    UniqueKey key_;
    mutable SystemError error_ = ERROR_SUCCESS;
    mutable std::wstring wideName_;   // reused for the names asked, a value at a time
    mutable std::wstring wideData_;
};

// Whether the key at path below root exists.
bool RegKeyExists(HKEY root, const std::string& path);
inline bool RegKeyExists(const RegistryPath& at) { return RegKeyExists(at.root, at.path); }
// The value's text, read through its own registry access; empty when the key
// or value is missing or the data is not text.
std::string ReadRegString(const std::string& fullPath, const std::string& valueName);
// Deletes the key at path below root with all its subkeys; *error (if given)
// receives the system's error code when the key could not be deleted.
bool RegDeleteKeyTree(HKEY root, const std::string& path, SystemError* error = nullptr);
inline bool RegDeleteKeyTree(const RegistryPath& at, SystemError* error = nullptr) {
    return RegDeleteKeyTree(at.root, at.path, error);
}
