#include "platform/processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "base/text.h"
#include "platform/handles.h"
#include "platform/wide.h"

bool IsProcessRunning(const std::string& lowerName) {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));  // fails as INVALID_HANDLE_VALUE
    if (!snapshot) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snapshot.get(), &entry); ok; ok = Process32NextW(snapshot.get(), &entry)) {
        if (AsciiLower(FromWide(entry.szExeFile)) == lowerName) return true;
    }
    return false;
}

std::string EnvironmentVariable(const std::string& name) {
    const std::wstring wide = ToWide(name);
    std::wstring value(256, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD n = GetEnvironmentVariableW(wide.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return {};
        if (n < value.size()) return FromWide(std::wstring_view(value.data(), n));
        value.resize(n);
    }
    return {};
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
