// File-system operations for the scanners, the exclusion store and the
// cleaners. Nothing throws; failures come back as false, -1 or nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/handles.h"

// Folder of the running executable, ending with a backslash.
std::string ExeDirectory();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Size in bytes of the file at path (64-bit), or -1 when it cannot be read.
int64_t FileSize64(const std::string& path);

// Reads a whole file into out; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Drive type of a root such as "C:\" (DRIVE_FIXED, DRIVE_REMOVABLE, ...).
UINT DriveType(const std::string& root);

// The system directory, without a trailing backslash.
std::string SystemDirectory();

// One entry of a folder listing: its name and its attribute word.
struct FolderEntry {
    std::string name;
    DWORD attributes = 0;
    int64_t size = 0;  // bytes, as the listing reports them; 0 for folders
};

// Lists the entries of one folder (pattern folder + "\*.*"), "." and ".."
// included, in the order the file system gives them.
class FolderWalker {
public:
    explicit FolderWalker(const std::string& folder);
    // The next entry; false when there are no more (or the folder is missing).
    bool Next(FolderEntry& entry);

private:
    UniqueFind find_;
    WIN32_FIND_DATAA data_{};
    bool pending_ = false;
};

// Text in the system code page as UTF-8 (every byte converts to something).
std::string AnsiToUtf8(const std::string& text);
// The user's decimal separator.
std::string LocaleDecimalSeparator();
