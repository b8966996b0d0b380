// File-system operations for the scanners, the exclusion store and the
// cleaners. Paths are UTF-8 and reach the system as UTF-16, so a file is
// opened, renamed and deleted by exactly the name it was listed under.
// Failures follow the contract of system_error.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/system_error.h"

// Folder of the running executable, ending with a backslash.
std::string ExeDirectory();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// The attribute word of a path, or INVALID_FILE_ATTRIBUTES; *error (if given)
// receives the system's error code when there is none.
DWORD PathAttributes(const std::string& path, SystemError* error = nullptr);
bool SetPathAttributes(const std::string& path, DWORD attributes);

// Size in bytes of the file at path (64-bit), or -1 when it cannot be read.
int64_t FileSize64(const std::string& path);

// Reads a whole file into out; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Drive type of a root such as "C:\" (DRIVE_FIXED, DRIVE_REMOVABLE, ...).
UINT DriveType(const std::string& root);

// The system directory, without a trailing backslash.
std::string SystemDirectory();
// The user's temporary folder, with a trailing backslash.
std::string TempDirectory();

// Whether the path names a link (symbolic link, junction, mount point) rather
// than a file or folder of its own. Beside the reparse attribute this also
// catches links the attribute does not show (a Unix symbolic link under Wine
// looks like a plain file): the path the system resolves the entry to differs
// from its folder's resolved path plus its name. A link higher up the path
// does not count.
bool IsLink(const std::string& path);

// Removes a link itself, never what it points to: only through a handle that
// the system opened on the link (checked by its resolved path), so a system
// that resolves links when it opens them (Wine does, for Unix links) leaves
// both in place and the answer is false.
bool DeleteLinkItself(const std::string& path);

// Renames a file or folder. Without replace it fails when the new name is taken.
bool RenamePath(const std::string& from, const std::string& to, bool replace, SystemError* error = nullptr);
// Deletes a file (a link itself, never what it points at).
bool DeletePath(const std::string& path, SystemError* error = nullptr);
bool CreateFolder(const std::string& path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool CreateFolders(const std::string& path);
// Gives a file new contents in one step: the bytes are written beside it,
// flushed, and put in its place by a single rename (retried briefly while
// another program holds the file). When anything fails the old file stays
// exactly as it was; a read-only file is never replaced.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);
bool RemoveFolder(const std::string& path, SystemError* error = nullptr);

// One open file, owned.
class File {
public:
    enum class Open {
        Read,            // an existing file, for reading; others may read and write it meanwhile
        Exclusive,       // an existing file, for reading and writing, shared with nobody; a link
                         // itself is opened, never what it points at
        Create,          // created or emptied, for writing, shared with nobody
        Append,          // opened or created, for reading and writing; others may read it
        Shared,          // an existing file, for reading and writing; others may read and write it
                         // meanwhile (as SQLite opens a database)
    };
    File() = default;
    File(const std::string& path, Open how);
    bool IsOpen() const { return static_cast<bool>(handle_); }
    explicit operator bool() const { return IsOpen(); }
    SystemError Error() const { return error_; }  // why it did not open, or why the last operation failed
    HANDLE get() const { return handle_.get(); }

    int64_t Size();                 // -1 on failure
    bool Seek(int64_t offset);      // from the start
    bool SeekEnd();
    // Reads up to size bytes; got receives how many (0 at the end).
    bool Read(void* data, size_t size, size_t& got);
    bool WriteAll(const void* data, size_t size);
    bool WriteAll(const std::string& data) { return WriteAll(data.data(), data.size()); }
    // Until the bytes written are on the disk.
    bool Flush();
    // The file ends at the current position.
    bool Truncate();
    // The attributes of the open file (a link's own when opened Exclusive).
    DWORD Attributes();
    // The path the system resolves the open file to, as a UTF-8 "\\?\" path; empty when unknown.
    std::string FinalPath();
    void Close() { handle_.reset(); }

private:
    bool Done(BOOL ok);
    UniqueFile handle_;
    SystemError error_ = ERROR_SUCCESS;
};

// One entry of a folder listing: its name and its attribute word.
struct FolderEntry {
    std::string name;
    DWORD attributes = 0;
    int64_t size = 0;  // bytes, as the listing reports them; 0 for folders
    uint64_t writeTime = 0;  // when it was last written, as a FILETIME (100 ns since 1601, UTC)

    bool IsDots() const { return name == "." || name == ".."; }  // the folder itself or its parent
    bool IsDir() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsReparsePoint() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }  // a link or junction
};

// Lists the entries of one folder (pattern folder + "\*.*"), "." and ".."
// included, in the order the file system gives them.
class FolderWalker {
public:
    explicit FolderWalker(const std::string& folder);
    // The next entry; false when there are no more (or the folder is missing).
    bool Next(FolderEntry& entry);
    // Why the listing could not start (ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ...).
    SystemError Error() const { return error_; }

private:
    bool Fill();  // the next batch of entries from the file system

    // The folder is read a batch at a time, 64 KiB of entries a call, without
    // the short names or the pattern match a search by name costs.
    UniqueFile folder_;
    std::vector<unsigned long long> buffer_;  // aligned as the entries must be
    size_t at_ = 0;                           // the next entry's offset in the batch; SIZE_MAX: none left
    bool first_ = true;
    SystemError error_ = ERROR_SUCCESS;
};

// The time now, as a FILETIME.
uint64_t NowAsFileTime();

// A value of an INI file by the platform's rules (section and key in any
// letter case, blanks around the value removed); empty when absent.
std::string ReadIniString(const std::string& path, const std::string& section, const std::string& key);

// The user's decimal separator.
std::string LocaleDecimalSeparator();
