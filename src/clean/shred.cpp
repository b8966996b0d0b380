#include "clean/shred.h"


#include "clean/wipe.h"
#include "model/shared_state.h"
#include "model/text.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/shell.h"

int PassesOf(ShredLevel level) {
    switch (level) {
    case kShredSafe: return 3;
    case kShredThorough: return 7;
    default: return 1;
    }
}

bool ShredFile(const std::string& path, int passes) {
    if (!OverwriteFile(path, passes)) return false;
    const std::string renamed = RenameToRandomName(path);
    if (renamed.empty()) return false;  // it stays under its own name, overwritten
    return DeletePath(renamed);
}

namespace {

bool QualifyingWord(DWORD attributes) {
    switch (attributes) {
    case 2: case 4: case 16: case 19: case 22: case 32: case 128: case 256: return true;
    default: return false;  // read-only files, links and junctions, compressed files, ...
    }
}

bool HoldsRecent(const std::string& path) { return AsciiLower(path).find("recent") != std::string::npos; }

}  // namespace

void ShredFolder(const std::string& folder, int passes, ShredTally* tally) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!AbortRequested() && walker.Next(e)) {
        ProcessMessages();
        const std::string full = folder + "\\" + e.name;
        if (HoldsRecent(full)) return;  // the Recent folder and everything in it are left alone
        if (!QualifyingWord(e.attributes)) continue;
        if (e.name != "." && e.name != ".." && DirectoryExists(full)) ShredFolder(full, passes, tally);
        if (FileExists(full)) {
            const bool ok = ShredFile(full, passes);
            if (tally) ++(ok ? tally->shredded : tally->failed);
        }
    }
}

void RemoveShreddedFolder(const std::string& folder) { SendFolderToRecycleBin(folder); }
