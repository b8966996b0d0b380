#include "clean/wipe.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "platform/files.h"

namespace {

// One megabyte of "0101...": passes are written in large blocks of the same bytes.
const std::vector<char>& PatternBlock() {
    static const std::vector<char> block = [] {
        std::vector<char> b(1 << 20);
        for (size_t i = 0; i < b.size(); ++i) b[i] = kWipeUnit[i % 2];
        return b;
    }();
    return block;
}

int DrawNumber() {
    static std::mt19937 rng(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                            std::random_device{}());
    return std::uniform_int_distribution<int>(0, 99999)(rng);
}

int (*g_draw)() = DrawNumber;
PassObserver g_observe = nullptr;

}  // namespace

bool OverwritePasses(File& f, int64_t size, int passes) {
    const std::vector<char>& block = PatternBlock();
    const int64_t total = (size + 1) / 2 * 2;  // whole "01" blocks
    for (int pass = 0; pass < passes; ++pass) {
        if (!f.Seek(0)) return false;
        for (int64_t left = total; left > 0;) {
            const size_t chunk = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(block.size())));
            if (!f.WriteAll(block.data(), chunk)) return false;
            left -= static_cast<int64_t>(chunk);
        }
        // Each pass reaches the disk before the next one and before the rename.
        if (!f.Flush()) return false;
        if (g_observe) g_observe(f.get(), pass + 1);
    }
    return true;
}

StayReason RewriteInPlace(File& f, size_t oldSize, const std::string& bytes) {
    std::string image = bytes;
    while (image.size() < oldSize) image += kWipeUnit[image.size() % 2];
    if (!f.Seek(0) || !f.WriteAll(image) || !f.Flush()) return StayReasonOfError(f.Error());
    if (!f.Seek(static_cast<int64_t>(bytes.size())) || !f.Truncate() || !f.Flush()) return StayReasonOfError(f.Error());
    return StayReason::None;
}

std::string RandomNameBeside(const std::string& path) {
    // UTF-8 never holds a backslash byte inside a character, so this is the folder.
    const size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string candidate = folder + std::to_string(g_draw());
        if (PathAttributes(candidate) == INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return {};
}

void SetWipeNameSource(int (*draw)()) { g_draw = draw ? draw : DrawNumber; }

void SetPassObserver(PassObserver observe) { g_observe = observe; }

bool OverwriteFile(const std::string& path, int passes, StayReason* why) {
    const auto stay = [why](StayReason reason) {
        if (why) *why = reason;
        return false;
    };
    SystemError err = 0;
    const DWORD attrs = PathAttributes(path, &err);
    if (attrs == INVALID_FILE_ATTRIBUTES) return stay(err ? StayReasonOfError(err) : StayReason::NotFound);
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) return stay(StayReason::Folder);
    // A read-only file is left alone, as Windows refuses to open it for
    // writing (Wine running as root would not).
    if (attrs & FILE_ATTRIBUTE_READONLY) return stay(StayReason::ReadOnly);
    File f(path, File::Open::Exclusive);
    if (!f) return stay(StayReasonOfError(f.Error()));  // missing rights, locked by another program, ...
    const int64_t size = f.Size();
    if (size < 0) return stay(StayReasonOfError(f.Error()));
    if (!OverwritePasses(f, size, passes)) return stay(f.Error() ? StayReasonOfError(f.Error()) : StayReason::DiskError);
    if (why) *why = StayReason::None;
    return true;
}

std::string RenameToRandomName(const std::string& path) {
    // A rename that may not replace fails when the name is taken (by a file
    // that appeared since it was drawn); then another is drawn.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string candidate = RandomNameBeside(path);
        if (!candidate.empty() && RenamePath(path, candidate, false)) return candidate;
    }
    return {};
}

namespace {
// The folder part of a path, without its last backslash.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

WipeOutcome WipeAndDelete(const std::string& path, int passes) {
    WipeOutcome out;
    SystemError err = 0;
    const DWORD attrs = PathAttributes(path, &err);
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        // Already gone: only when exactly this name is missing from a folder that is there.
        out.gone = err == ERROR_FILE_NOT_FOUND && DirectoryExists(FolderOf(path));
        out.why = out.gone ? StayReason::NotFound : StayReasonOfError(err);
        return out;
    }
    if (IsLink(path)) {
        // The link itself is the trace: it goes as a link, or stays; what it
        // points to is never written or deleted.
        out.wasLink = true;
        out.removed = out.gone = DeleteLinkItself(path);
        if (!out.gone) out.why = StayReason::LinkNotFollowed;
        return out;
    }
    if (!OverwriteFile(path, passes, &out.why)) return out;
    const std::string renamed = RenameToRandomName(path);
    const std::string& victim = renamed.empty() ? path : renamed;  // no free name: delete it where it is
    if (DeletePath(victim, &err)) {
        out.removed = out.gone = PathAttributes(path) == INVALID_FILE_ATTRIBUTES;
        if (!out.gone) out.why = StayReason::Failed;
        return out;
    }
    out.why = StayReasonOfError(err);
    // Not deletable after all: give it its own name back rather than leave a stranger behind.
    if (!renamed.empty()) RenamePath(renamed, path, false);
    return out;
}

StayReason WipeFolderTree(const std::string& folder, int passes) {
    if (IsLink(folder)) return DeleteLinkItself(folder) ? StayReason::None : StayReason::LinkNotFollowed;
    if (!DirectoryExists(folder)) return StayReason::NotFound;
    StayReason first = StayReason::None;
    const auto stayed = [&first](StayReason why) {
        if (first == StayReason::None) first = why;
    };
    {
        FolderWalker walker(folder);
        FolderEntry e;
        while (walker.Next(e)) {
            if (e.IsDots()) continue;
            const std::string path = folder + "\\" + e.name;
            if (e.IsDir() && !e.IsReparsePoint() && !IsLink(path)) {
                const StayReason why = WipeFolderTree(path, passes);
                if (why != StayReason::None) stayed(why);
                continue;
            }
            const WipeOutcome out = WipeAndDelete(path, passes);
            if (!out.gone) stayed(out.why);
        }
    }
    SystemError err = 0;
    if (!RemoveFolder(folder, &err) && first == StayReason::None) first = StayReasonOfError(err);
    return first;
}

StayReason RemoveEmptyFolderTree(const std::string& folder) {
    if (IsLink(folder)) return StayReason::LinkNotFollowed;
    if (!DirectoryExists(folder)) return StayReason::None;  // gone already, as it should be
    bool holds = false;
    {
        FolderWalker walker(folder);
        FolderEntry e;
        while (walker.Next(e)) {
            if (e.IsDots()) continue;
            const std::string path = folder + "\\" + e.name;
            if (e.IsDir() && !e.IsReparsePoint() && !IsLink(path) && RemoveEmptyFolderTree(path) == StayReason::None)
                continue;
            holds = true;  // a file, a link, or a folder that is not empty
        }
    }
    if (holds) return StayReason::NotEmpty;
    SystemError err = 0;
    return RemoveFolder(folder, &err) ? StayReason::None : StayReasonOfError(err);
}

bool WipeAndDeleteFile(const std::string& path, int extraPasses) { return WipeAndDelete(path, extraPasses + 1).gone; }

StayReason StayReasonOfError(SystemError error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return StayReason::InUse;
    case ERROR_ACCESS_DENIED: return StayReason::AccessDenied;
    case ERROR_WRITE_PROTECT: return StayReason::ReadOnly;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return StayReason::NotFound;
    default: return StayReason::Failed;
    }
}
