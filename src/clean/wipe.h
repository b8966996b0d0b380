// Overwriting a file before it is deleted.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"
#include "platform/system_error.h"

// The block every pass writes over the file, from its first byte.
inline constexpr char kWipeUnit[] = "01";

// What became of a file given to the wipe.
struct WipeOutcome {
    bool removed = false;  // this call removed it (a link as a link)
    bool gone = false;     // removed, or already missing (exactly this name, from a folder that is there)
    bool wasLink = false;  // a link: removed as one, or left; what it points to was never touched
    StayReason why = StayReason::None;  // why it stayed (NotFound when it was already missing)
};

// The one wipe of the clean and the shredder: overwrites the file with passes
// of "01" blocks (each flushed to the disk; a file of odd length grows by one
// byte), gives it a random numeric name in its folder, never replacing
// another file (no free name: it is deleted where it is), and deletes it. A
// link (however the system shows it) is removed as a link and never written
// through. A folder, a read-only file, or a file that cannot be opened,
// written or flushed stays where it is (partly overwritten when a write or
// flush failed), under its own name.
WipeOutcome WipeAndDelete(const std::string& path, int passes);
// The clean's wipe of a file: extraPasses + 1 passes; true when the file is
// gone afterwards (removed now, or already missing).
bool WipeAndDeleteFile(const std::string& path, int extraPasses);

// A folder with everything in it: each file wiped as above, each link in it
// removed as a link (what it points to never touched), then the folders the
// walk emptied. None when the folder is gone, else why the first that stayed did.
StayReason WipeFolderTree(const std::string& folder, int passes);

// A folder and the folders in it, as far as they are empty, the deepest
// first; nothing that is a file or a link goes, nor is a link entered. None
// when the folder is gone, NotEmpty when it still holds something.
StayReason RemoveEmptyFolderTree(const std::string& folder);

// Why a trace stayed, from the system's error code.
StayReason StayReasonOfError(SystemError error);

class File;
// Writes passes of the unit over an open file. False on any short write or
// failed flush.
bool OverwritePasses(File& file, int64_t size, int passes);

// Gives an open file (opened to read and write) new contents in place, so that
// nothing it held stays readable in it or beside it: the new bytes from its
// start, the overwrite pattern over the rest of its old length, then the file
// cut to the new length. None, or why it could not be written.
StayReason RewriteInPlace(File& file, size_t oldSize, const std::string& bytes);

// Opens an existing, writable file and writes the passes over it. False when
// it is missing, a folder, read-only, locked, or a write or flush fails; then
// *why (if given) says which.
bool OverwriteFile(const std::string& path, int passes, StayReason* why = nullptr);

// Renames the file to a free random numeric name in its folder, never
// replacing another file; the new path, or empty when no name could be used.
std::string RenameToRandomName(const std::string& path);

// A free random numeric name ("0" to "99999") in the folder of path, or empty.
std::string RandomNameBeside(const std::string& path);

// Where the random numbers come from (a clock-seeded generator by default);
// tests draw names that are already taken. nullptr restores the default.
void SetWipeNameSource(int (*draw)());

// Called after each pass has been flushed, with the open file (readable when
// opened through OverwriteFile) and the pass number from 1; tests read back
// what every pass left on the disk. nullptr removes it.
using PassObserver = void (*)(void* fileHandle, int pass);
void SetPassObserver(PassObserver observe);
