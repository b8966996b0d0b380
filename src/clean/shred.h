// The shredder: overwrite files in place, give them a random name, delete
// them; walk folder trees and send the emptied trees to the recycle bin.
#pragma once

#include <string>

// Passes of each shred level: Quick 1, Safe 3, Thorough 7, as their captions say.
enum ShredLevel { kShredQuick = 0, kShredSafe = 1, kShredThorough = 2 };
int PassesOf(ShredLevel level);

// Overwrites the file with the given number of passes, renames it to a free
// random numeric name in its folder and deletes it. True when it was deleted.
// A missing, read-only or locked file is left untouched; a file whose rename
// fails stays under its own name, overwritten.
bool ShredFile(const std::string& path, int passes);

struct ShredTally {
    int shredded = 0;
    int failed = 0;
};

// Shreds every file of the folder tree whose attribute word qualifies, depth
// first. A path holding "Recent" in any letter case is not walked. Stops at
// the next entry when the user asks to abort. Folders are left for
// RemoveShreddedFolder.
void ShredFolder(const std::string& folder, int passes, ShredTally* tally = nullptr);

// Sends the folder tree to the recycle bin through the shell.
void RemoveShreddedFolder(const std::string& folder);
