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

bool OverwriteFile(const std::string& path, int passes) {
    const DWORD attrs = PathAttributes(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A read-only file is left alone, as Windows refuses to open it for
    // writing (Wine running as root would not).
    if (attrs & FILE_ATTRIBUTE_READONLY) return false;
    File f(path, File::Open::Exclusive);
    if (!f) return false;  // missing rights, locked by another program, ...
    const int64_t size = f.Size();
    return size >= 0 && OverwritePasses(f, size, passes);
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

bool WipeAndDeleteFile(const std::string& path, int extraPasses) {
    DWORD err = 0;
    if (PathAttributes(path, &err) == INVALID_FILE_ATTRIBUTES) {
        // Already gone: only when exactly this name is missing from a folder that is there.
        return err == ERROR_FILE_NOT_FOUND && DirectoryExists(FolderOf(path));
    }
    if (!OverwriteFile(path, extraPasses + 1)) return false;
    const std::string renamed = RenameToRandomName(path);
    const std::string& victim = renamed.empty() ? path : renamed;  // no free name: delete it where it is
    if (DeletePath(victim)) return PathAttributes(path) == INVALID_FILE_ATTRIBUTES;
    // Not deletable after all: give it its own name back rather than leave a stranger behind.
    if (!renamed.empty()) RenamePath(renamed, path, false);
    return false;
}
