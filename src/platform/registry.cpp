#include "platform/registry.h"

#include <algorithm>
#include <cstring>

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

namespace {

// Reads every name of a key with one of the two enumeration calls.
template <typename Enum>
std::vector<std::string> ReadNames(HKEY key, DWORD count, DWORD maxLen, Enum enumerate,
                                   const std::function<bool()>& keepGoing) {
    std::vector<std::string> names;
    names.reserve(count);
    std::string buf(maxLen + 2, '\0');
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
        names.emplace_back(buf.data(), len);
    }
    return names;
}

}  // namespace

std::vector<std::string> RegKey::ValueNames(const std::function<bool()>& keepGoing) const {
    DWORD count = 0, maxLen = 0;
    if (!key_ || RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxLen,
                                  nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    return ReadNames(key_.get(), count, maxLen, [](HKEY k, DWORD i, char* name, DWORD* len) {
        return RegEnumValueA(k, i, name, len, nullptr, nullptr, nullptr, nullptr);
    }, keepGoing);
}

std::vector<std::string> RegKey::SubkeyNames(const std::function<bool()>& keepGoing) const {
    DWORD count = 0, maxLen = 0;
    if (!key_ || RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    return ReadNames(key_.get(), count, maxLen, [](HKEY k, DWORD i, char* name, DWORD* len) {
        return RegEnumKeyExA(k, i, name, len, nullptr, nullptr, nullptr, nullptr);
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
    if (out.capacity() < 256) out.reserve(256);
    out.resize(out.capacity());
    DWORD type = REG_NONE;
    for (int attempt = 0; attempt < 8; ++attempt) {  // the value may grow between calls
        DWORD size = static_cast<DWORD>(out.size());
        const LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(out.data()), &size);
        if (rc == ERROR_MORE_DATA) {
            out.resize(static_cast<size_t>(size) + 1);
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            out.clear();
            return false;
        }
        if (typeOut) *typeOut = type;
        if (!IsTextType(type)) {
            out.clear();  // data that is not text reads as empty text
            return true;
        }
        // Stored text may or may not carry its terminator; it ends at the first NUL.
        const size_t n = std::min<size_t>(size, out.size());
        const void* nul = std::memchr(out.data(), '\0', n);
        out.resize(nul ? static_cast<size_t>(static_cast<const char*>(nul) - out.data()) : n);
        return true;
    }
    out.clear();
    return false;
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
