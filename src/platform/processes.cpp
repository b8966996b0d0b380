#include "platform/processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cctype>

#include "platform/handles.h"

bool IsProcessRunning(const std::string& lowerName) {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));  // fails as INVALID_HANDLE_VALUE
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32First(snapshot.get(), &entry); ok; ok = Process32Next(snapshot.get(), &entry)) {
        std::string name = entry.szExeFile;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == lowerName) return true;
    }
    return false;
}
