#include "platform/shell.h"

#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <vector>

#include "platform/registry.h"
#include "platform/wide.h"

std::string ShellFolder(const std::string& valueName, bool* keyOpened) {
    RegKey key;
    const bool opened = key.Open(HKEY_CURRENT_USER, kShellFoldersKey);
    if (keyOpened) *keyOpened = opened;
    return opened ? key.ReadString(valueName) : std::string();
}

bool UrlCacheWalker::Take(UrlCacheEntry& entry) {
    const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOW*>(buffer_.data());
    entry.url = FromWide(info->lpszSourceUrlName);
    entry.localFile = FromWide(info->lpszLocalFileName);
    entry.type = info->CacheEntryType;
    return true;
}

bool UrlCacheWalker::First(UrlCacheEntry& entry) {
    find_.reset();
    ended_ = false;
    DWORD size = 0;
    HANDLE h = FindFirstUrlCacheEntryW(nullptr, nullptr, &size);
    if (h) {  // an entry that needs no buffer: not expected, but do not leak it
        find_.reset(h);
        ended_ = true;
        return false;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size < sizeof(INTERNET_CACHE_ENTRY_INFOW)) {
        ended_ = true;
        return false;
    }
    buffer_.assign(size, 0);
    h = FindFirstUrlCacheEntryW(nullptr, reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer_.data()), &size);
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
        auto* info = buffer_.empty() ? nullptr : reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer_.data());
        if (FindNextUrlCacheEntryW(find_.get(), info, &size)) {
            if (info) return Take(entry);
            break;  // succeeded without a buffer: malformed
        }
        const DWORD err = GetLastError();
        if (err != ERROR_INSUFFICIENT_BUFFER || size < sizeof(INTERNET_CACHE_ENTRY_INFOW)) break;  // 259, 87, ...
        buffer_.assign(size, 0);  // too small: grow to the size reported and ask again
    }
    ended_ = true;
    find_.reset();
    return false;
}

bool DeleteUrlCacheEntryByUrl(const std::string& url) {
    if (DeleteUrlCacheEntryW(ToWide(url).c_str())) return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}

RecycleBinEmptied EmptyRecycleBins(HWND owner) {
    UniqueModule shell(LoadLibraryW(L"Shell32.dll"));
    if (!shell) return RecycleBinEmptied::NoShellLibrary;
    using EmptyFn = HRESULT(WINAPI*)(HWND, LPCWSTR, DWORD);
    auto empty = reinterpret_cast<EmptyFn>(GetProcAddress(shell.get(), "SHEmptyRecycleBinW"));
    if (!empty) return RecycleBinEmptied::NoFunction;
    // The empty root path stands for the bins of all drives.
    const HRESULT hr = empty(owner, L"", SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);  // 7
    return SUCCEEDED(hr) ? RecycleBinEmptied::Yes : RecycleBinEmptied::Failed;
}

bool SendFolderToRecycleBin(const std::string& folder) {
    const std::wstring from = ToWide(folder) + std::wstring(2, L'\0');  // a list of one path
    SHFILEOPSTRUCTW op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.pTo = nullptr;
    op.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;  // 0x0450
    op.lpszProgressTitle = L"Remove directory";
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

std::string CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<uint64_t> buffer(size / sizeof(uint64_t) + 1);  // aligned for the structure
    std::string sid;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        wchar_t* text = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
            sid = FromWide(text);
            LocalFree(text);
        }
    }
    CloseHandle(token);
    return sid;
}

uint32_t WindowsVersion() {
    // RtlGetVersion answers truly; GetVersionEx answers what the manifest allows.
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto get = ntdll ? reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                           : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return 0;
    return (info.dwMajorVersion & 0xFFFF) << 16 | (info.dwMinorVersion & 0xFFFF);
}

std::string KnownFolderPath(const std::string& guidInBraces) {
    if (guidInBraces.size() != 38 || guidInBraces.front() != '{' || guidInBraces.back() != '}') return {};
    GUID id{};
    if (FAILED(CLSIDFromString(ToWide(guidInBraces).c_str(), &id))) return {};
    PWSTR path = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::string result = SUCCEEDED(hr) && path ? FromWide(path) : std::string();
    CoTaskMemFree(path);
    return result;
}
