#include "clean/shred.h"

#include <windows.h>
#include <shellapi.h>

#include "clean/wipe.h"
#include "model/shared_state.h"
#include "model/text.h"
#include "platform/files.h"
#include "platform/message_pump.h"

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
    return DeleteFileA(renamed.c_str()) != FALSE;
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

void RemoveShreddedFolder(const std::string& folder) {
    const std::string from = folder + std::string(2, '\0');  // a list of one path
    SHFILEOPSTRUCTA op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.pTo = nullptr;
    op.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;  // 0x0450
    op.lpszProgressTitle = "Remove directory";
    SHFileOperationA(&op);
}
