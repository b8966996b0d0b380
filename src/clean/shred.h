// The shredder: overwrite files in place, give them a random name, delete
// them; walk folder trees and remove the folders the walk emptied. What it
// cannot shred stays exactly where it was, and is reported.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"
#include "model/scan_session.h"

// Passes of each shred level: Quick 1, Safe 3, Thorough 7, as their captions say.
enum ShredLevel { kShredQuick = 0, kShredSafe = 1, kShredThorough = 2 };
int PassesOf(ShredLevel level);

// Overwrites the file with the given number of passes, renames it to a free
// random numeric name in its folder and deletes it (the clean's own wipe).
// True when it was deleted. A missing, read-only or locked file is left
// untouched. A link is never written through: it is removed as a link.
bool ShredFile(const std::string& path, int passes);

// What one shred run did.
struct ShredReport {
    struct Stayed {
        std::string path;
        StayReason why;  // in the words of StayReasonText: "in use", "read-only", "a Recent folder", ...
    };
    int shredded = 0;        // files overwritten, renamed and deleted
    int linksRemoved = 0;    // links removed as links, what they point to untouched
    int foldersRemoved = 0;  // folders the walk emptied
    std::vector<Stayed> stayed;  // left where they were
    bool aborted = false;
    bool AllGone() const { return stayed.empty() && !aborted; }
};

// Shreds every file of the folder tree whose attribute word qualifies, depth
// first, and removes each folder the walk emptied. A path holding "Recent" in
// any letter case is not walked. Stops at the next entry when the session's
// user asks to abort. The folder itself is left for RemoveShreddedFolder.
void ShredFolder(const std::string& folder, int passes, ShredReport& report, const ScanSession& session);

// Removes the folder when the walk left it empty; otherwise it stays, reported.
void RemoveShreddedFolder(const std::string& folder, ShredReport& report);

// One entry of the shred list: a file, a link, or a folder tree.
void ShredEntry(const std::string& path, int passes, ShredReport& report, const ScanSession& session);

// The message that ends a shred run: all done, or how many items stayed,
// with the first few of them.
std::string ShredSummary(const ShredReport& report);
