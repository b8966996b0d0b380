#include "platform/registry.h"

namespace {
constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
}

bool RegKey::Open(HKEY root, const std::string& path) {
    key_.reset();
    if (!root) return false;
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, kReadWrite, &h) != ERROR_SUCCESS) return false;
    key_.reset(h);
    return true;
}

bool RegKey::OpenOrCreate(HKEY root, const std::string& path) {
    key_.reset();
    if (!root) return false;
    HKEY h = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return false;
    key_.reset(h);
    return true;
}

std::vector<std::string> RegKey::ValueNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    DWORD count = 0, maxLen = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxLen,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    names.reserve(count);
    std::string buf(maxLen + 2, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD len = static_cast<DWORD>(buf.size());
        LONG rc = RegEnumValueA(key_.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {  // a value was added since the size query
            buf.resize(buf.size() * 2 + 256);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(buf.data(), len);
    }
    return names;
}

std::vector<std::string> RegKey::SubkeyNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    DWORD count = 0, maxLen = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    names.reserve(count);
    std::string buf(maxLen + 2, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD len = static_cast<DWORD>(buf.size());
        LONG rc = RegEnumKeyExA(key_.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            buf.resize(buf.size() * 2 + 256);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(buf.data(), len);
    }
    return names;
}

std::string RegKey::ReadString(const std::string& name, DWORD* typeOut) const {
    if (typeOut) *typeOut = REG_NONE;
    if (!key_) return {};
    DWORD type = REG_NONE, size = 0;
    LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return {};
    if (typeOut) *typeOut = type;
    if (!IsTextType(type)) return {};
    std::string data;
    for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow between the calls
        data.assign(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA) { size = got; continue; }
        if (rc != ERROR_SUCCESS || !IsTextType(type)) return {};
        data.resize(got);
        break;
    }
    // Stored text may or may not carry its terminator; the text ends at the first NUL.
    const size_t nul = data.find('\0');
    if (nul != std::string::npos) data.resize(nul);
    return data;
}

bool RegKey::ValueExists(const std::string& name) const {
    return key_ && RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD RegKey::DataType(const std::string& name) const {
    DWORD type = REG_NONE;
    if (!key_ || RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

bool RegKey::WriteString(const std::string& name, const std::string& value) {
    return key_ && RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name) {
    return key_ && RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const std::string& path) {
    if (!root) return false;
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

bool RegDeleteKeyTree(HKEY root, const std::string& path) {
    if (!root || path.empty()) return false;  // never the root itself
    return RegDeleteTreeA(root, path.c_str()) == ERROR_SUCCESS && !RegKeyExists(root, path);
}
