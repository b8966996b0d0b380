// Overwriting a file before it is deleted.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"

// The block every pass writes over the file, from its first byte.
inline constexpr char kWipeUnit[] = "01";

// Overwrites the file with passes of "01" blocks (extraPasses + 1 passes, each
// flushed to the disk; a file of odd length grows by one byte), gives it a
// random numeric name in its folder, never replacing another file, and deletes
// it. True when the file is gone afterwards: removed now, or already missing.
// A file that cannot be opened, written or flushed stays where it is (partly
// overwritten when a write or flush fails) and the answer is false.
bool WipeAndDeleteFile(const std::string& path, int extraPasses);

// What became of a file given to the wipe. A link (however the system shows
// it) is removed as a link and never written through: what it points to is
// left exactly as it was.
struct WipeOutcome {
    bool gone = false;
    bool wasLink = false;
    bool wasFolder = false;  // a folder is no file: never written nor removed
    unsigned long error = 0;  // the system's error code when the file stayed
};
WipeOutcome WipeAndDelete(const std::string& path, int extraPasses);

// Why a trace stayed, from the system's error code.
StayReason StayReasonOfError(unsigned long error);

class File;
// Writes passes of the unit over an open file. False on any short write or
// failed flush.
bool OverwritePasses(File& file, int64_t size, int passes);

// Opens an existing, writable file and writes the passes over it. False when
// it is missing, a folder, read-only, locked, or a write or flush fails.
bool OverwriteFile(const std::string& path, int passes);
// The same, with the system's error code (0 when every pass was written).
unsigned long OverwriteFileWithError(const std::string& path, int passes);

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
