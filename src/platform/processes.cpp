#include "platform/processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "model/text.h"
#include "platform/handles.h"

bool IsProcessRunning(const std::string& lowerName) {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));  // fails as INVALID_HANDLE_VALUE
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32First(snapshot.get(), &entry); ok; ok = Process32Next(snapshot.get(), &entry)) {
        if (AsciiLower(entry.szExeFile) == lowerName) return true;
    }
    return false;
}
