#include "platform/registry.h"

#include <algorithm>
#include <cwchar>

#include "platform/wide.h"

HKEY GetRootKey(const std::string& name) {
    if (name == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (name == "HKEY_USERS") return HKEY_USERS;
    if (name == "HKEY_CURRENT_CONFIG") return HKEY_CURRENT_CONFIG;
    return nullptr;
}

RegistryPath RegistryPath::Parse(const std::string& fullPath) {
    RegistryPath p;
    const size_t slash = fullPath.find('\\');
    if (slash == std::string::npos) return p;
    p.rootName = fullPath.substr(0, slash);
    p.path = fullPath.substr(slash + 1);
    p.root = GetRootKey(p.rootName);
    return p;
}

std::string HkcuPath(const std::string& path) { return std::string(kHkcuName) + "\\" + path; }

std::string ReadRegString(const std::string& fullPath, const std::string& valueName) {
    RegKey key;
    if (!key.Open(RegistryPath::Parse(fullPath))) return {};
    return key.ReadString(valueName);
}

bool RegKey::OpenWith(HKEY root, const std::string& path, REGSAM access) {
    key_.reset();
    if (!root) return Done(ERROR_INVALID_HANDLE);
    HKEY h = nullptr;
    if (!Done(RegOpenKeyExW(root, ToWide(path).c_str(), 0, access, &h))) return false;
    key_.reset(h);
    return true;
}

bool RegKey::Open(HKEY root, const std::string& path) { return OpenWith(root, path, KEY_READ); }

bool RegKey::OpenForWrite(HKEY root, const std::string& path) { return OpenWith(root, path, KEY_READ | KEY_WRITE); }

bool RegKey::OpenOrCreate(HKEY root, const std::string& path) {
    key_.reset();
    if (!root) return Done(ERROR_INVALID_HANDLE);
    HKEY h = nullptr;
    if (!Done(RegCreateKeyExW(root, ToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                              nullptr, &h, nullptr)))
        return false;
    key_.reset(h);
    return true;
}

namespace {

// Reads every name of a key with one of the two enumeration calls.
template <typename Enum>
std::vector<std::string> ReadNames(HKEY key, DWORD count, DWORD maxLen, Enum enumerate,
                                   const std::function<bool()>& keepGoing) {
    std::vector<std::string> names;
    names.reserve(count);
    std::wstring buf(maxLen + 2, L'\0');
    for (DWORD i = 0;; ++i) {
        if (keepGoing && i % 256 == 255 && !keepGoing()) break;
        DWORD len = static_cast<DWORD>(buf.size());
        const LONG rc = enumerate(key, i, buf.data(), &len);
        if (rc == ERROR_MORE_DATA) {  // a longer name was added since the size query
            buf.resize(buf.size() * 2 + 256);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.push_back(FromWide(std::wstring_view(buf.data(), len)));
    }
    return names;
}

// Stored text may or may not carry its terminator; it ends at the first NUL.
std::string TextOfData(const wchar_t* data, size_t chars) {
    const wchar_t* nul = std::wmemchr(data, L'\0', chars);
    return FromWide(std::wstring_view(data, nul ? static_cast<size_t>(nul - data) : chars));
}

}  // namespace

std::vector<RegValue> RegKey::Values(const std::function<bool()>& keepGoing) const {
    DWORD count = 0, maxName = 0, maxData = 0;
    if (!key_ || !Done(RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                        &maxName, &maxData, nullptr, nullptr)))
        return {};
    std::vector<RegValue> values;
    values.reserve(count);
    std::wstring name(maxName + 2, L'\0');
    std::wstring data(maxData / sizeof(wchar_t) + 2, L'\0');
    int grown = 0;  // times the buffers grew for this value
    for (DWORD i = 0;; ++i) {
        if (keepGoing && i % 256 == 255 && !keepGoing()) break;
        DWORD nameLen = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = REG_NONE;
        const LONG rc = RegEnumValueW(key_.get(), i, name.data(), &nameLen, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_MORE_DATA) {  // a longer name or more data since the size query
            if (++grown > 8) {  // still growing: the value is left out, the list goes on
                grown = 0;
                continue;
            }
            name.resize(name.size() * 2 + 256);
            data.resize(std::max<size_t>(data.size() * 2, size / sizeof(wchar_t) + 2));
            --i;
            continue;
        }
        grown = 0;
        if (rc != ERROR_SUCCESS) break;
        RegValue& v = values.emplace_back();
        v.name = FromWide(std::wstring_view(name.data(), nameLen));
        v.type = type;
        if (IsTextType(type)) v.text = TextOfData(data.data(), std::min<size_t>(size / sizeof(wchar_t), data.size()));
    }
    return values;
}

std::vector<std::string> RegKey::ValueNames(const std::function<bool()>& keepGoing) const {
    DWORD count = 0, maxLen = 0;
    if (!key_ || !Done(RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                        &maxLen, nullptr, nullptr, nullptr)))
        return {};
    return ReadNames(key_.get(), count, maxLen, [](HKEY k, DWORD i, wchar_t* name, DWORD* len) {
        return RegEnumValueW(k, i, name, len, nullptr, nullptr, nullptr, nullptr);
    }, keepGoing);
}

std::vector<std::string> RegKey::SubkeyNames(const std::function<bool()>& keepGoing) const {
    DWORD count = 0, maxLen = 0;
    if (!key_ || !Done(RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr)))
        return {};
    return ReadNames(key_.get(), count, maxLen, [](HKEY k, DWORD i, wchar_t* name, DWORD* len) {
        return RegEnumKeyExW(k, i, name, len, nullptr, nullptr, nullptr, nullptr);
    }, keepGoing);
}

std::string RegKey::ReadString(const std::string& name, DWORD* typeOut) const {
    std::string text;
    ReadText(name, text, typeOut);
    return text;
}

bool RegKey::ReadText(const std::string& name, std::string& out, DWORD* typeOut) const {
    if (typeOut) *typeOut = REG_NONE;
    out.clear();
    if (!key_) return false;
    wideName_ = ToWide(name);
    if (wideData_.size() < 256) wideData_.resize(256);
    DWORD type = REG_NONE;
    for (int attempt = 0; attempt < 8; ++attempt) {  // the value may grow between calls
        DWORD size = static_cast<DWORD>(wideData_.size() * sizeof(wchar_t));
        const LONG rc = RegQueryValueExW(key_.get(), wideName_.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(wideData_.data()), &size);
        if (rc == ERROR_MORE_DATA) {
            wideData_.resize(size / sizeof(wchar_t) + 2);
            continue;
        }
        if (!Done(rc)) return false;
        if (typeOut) *typeOut = type;
        if (!IsTextType(type)) return true;  // data that is not text reads as empty text
        out = TextOfData(wideData_.data(), std::min<size_t>(size / sizeof(wchar_t), wideData_.size()));
        return true;
    }
    return false;
}

bool RegKey::ReadBinary(const std::string& name, std::string& bytes, DWORD* type) const {
    bytes.clear();
    if (type) *type = REG_NONE;
    if (!key_) return false;
    const std::wstring wide = ToWide(name);
    for (int attempt = 0; attempt < 8; ++attempt) {  // the value may grow between calls
        DWORD size = static_cast<DWORD>(bytes.size());
        const LONG rc = RegQueryValueExW(key_.get(), wide.c_str(), nullptr, type,
                                         reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && size > bytes.size())) {
            bytes.resize(size);
            continue;
        }
        if (!Done(rc)) return false;
        bytes.resize(size);
        return true;
    }
    return false;
}

bool RegKey::ValueExists(const std::string& name) const {
    return key_ && Done(RegQueryValueExW(key_.get(), ToWide(name).c_str(), nullptr, nullptr, nullptr, nullptr));
}

DWORD RegKey::DataType(const std::string& name) const {
    DWORD type = REG_NONE;
    if (!key_ || !Done(RegQueryValueExW(key_.get(), ToWide(name).c_str(), nullptr, &type, nullptr, nullptr)))
        return REG_NONE;
    return type;
}

bool RegKey::WriteString(const std::string& name, const std::string& value, DWORD type) {
    const std::wstring data = ToWide(value);
    return key_ && Done(RegSetValueExW(key_.get(), ToWide(name).c_str(), 0, type,
                                       reinterpret_cast<const BYTE*>(data.c_str()),
                                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
}

bool RegKey::WriteBinary(const std::string& name, const std::string& bytes, DWORD type) {
    return key_ && Done(RegSetValueExW(key_.get(), ToWide(name).c_str(), 0, type,
                                       reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())));
}

bool RegKey::DeleteValue(const std::string& name) {
    return key_ && Done(RegDeleteValueW(key_.get(), ToWide(name).c_str()));
}

bool RegKeyExists(HKEY root, const std::string& path) {
    if (!root) return false;
    UniqueKey key;
    return RegOpenKeyExW(root, ToWide(path).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool RegDeleteKeyTree(HKEY root, const std::string& path, SystemError* error) {
    LONG rc = ERROR_INVALID_PARAMETER;
    if (root && !path.empty()) {  // never the root itself
        rc = RegDeleteTreeW(root, ToWide(path).c_str());
        if (rc == ERROR_SUCCESS && RegKeyExists(root, path)) rc = ERROR_ACCESS_DENIED;
    }
    if (error) *error = static_cast<SystemError>(rc);
    return rc == ERROR_SUCCESS;
}
