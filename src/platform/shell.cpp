#include "platform/shell.h"

#include <wininet.h>

#include "platform/registry.h"

std::string ShellFolder(const std::string& valueName, bool* keyOpened) {
    RegKey key;
    const bool opened = key.Open(HKEY_CURRENT_USER, kShellFoldersKey);
    if (keyOpened) *keyOpened = opened;
    return opened ? key.ReadString(valueName) : std::string();
}

bool UrlCacheWalker::Take(UrlCacheEntry& entry) {
    const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data());
    entry.url = info->lpszSourceUrlName ? info->lpszSourceUrlName : "";
    entry.localFile = info->lpszLocalFileName ? info->lpszLocalFileName : "";
    entry.type = info->CacheEntryType;
    return true;
}

bool UrlCacheWalker::First(UrlCacheEntry& entry) {
    find_.reset();
    ended_ = false;
    DWORD size = 0;
    HANDLE h = FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
    if (h) {  // an entry that needs no buffer: not expected, but do not leak it
        find_.reset(h);
        ended_ = true;
        return false;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size < sizeof(INTERNET_CACHE_ENTRY_INFOA)) {
        ended_ = true;
        return false;
    }
    buffer_.assign(size, 0);
    h = FindFirstUrlCacheEntryA(nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data()), &size);
    if (!h) {
        ended_ = true;
        return false;
    }
    find_.reset(h);
    return Take(entry);
}

bool UrlCacheWalker::Next(UrlCacheEntry& entry) {
    if (!find_ || ended_) return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer_.size());
        auto* info = buffer_.empty() ? nullptr : reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data());
        if (FindNextUrlCacheEntryA(find_.get(), info, &size)) {
            if (info) return Take(entry);
            break;  // succeeded without a buffer: malformed
        }
        const DWORD err = GetLastError();
        if (err != ERROR_INSUFFICIENT_BUFFER || size < sizeof(INTERNET_CACHE_ENTRY_INFOA)) break;  // 259, 87, ...
        buffer_.assign(size, 0);  // too small: grow to the size reported and ask again
    }
    ended_ = true;
    find_.reset();
    return false;
}

bool DeleteUrlCacheEntryByUrl(const std::string& url) {
    if (DeleteUrlCacheEntryA(url.c_str())) return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}
