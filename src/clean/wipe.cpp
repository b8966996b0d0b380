#include "clean/wipe.h"

#include <windows.h>

#include <chrono>
#include <random>
#include <vector>

#include "platform/files.h"
#include "platform/handles.h"

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
                            GetCurrentProcessId());
    return std::uniform_int_distribution<int>(0, 99999)(rng);
}

int (*g_draw)() = DrawNumber;
PassObserver g_observe = nullptr;

}  // namespace

bool OverwritePasses(void* fileHandle, int64_t size, int passes) {
    HANDLE f = static_cast<HANDLE>(fileHandle);
    const std::vector<char>& block = PatternBlock();
    const int64_t total = (size + 1) / 2 * 2;  // whole "01" blocks
    for (int pass = 0; pass < passes; ++pass) {
        LARGE_INTEGER zero{};
        if (!SetFilePointerEx(f, zero, nullptr, FILE_BEGIN)) return false;
        int64_t left = total;
        while (left > 0) {
            const DWORD chunk = static_cast<DWORD>(left < static_cast<int64_t>(block.size()) ? left : block.size());
            DWORD wrote = 0;
            if (!WriteFile(f, block.data(), chunk, &wrote, nullptr) || wrote != chunk) return false;
            left -= chunk;
        }
        // Each pass reaches the disk before the next one and before the rename.
        if (!FlushFileBuffers(f)) return false;
        if (g_observe) g_observe(f, pass + 1);
    }
    return true;
}

std::string RandomNameBeside(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string candidate = folder + std::to_string(g_draw());
        if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return {};
}

void SetWipeNameSource(int (*draw)()) { g_draw = draw ? draw : DrawNumber; }

void SetPassObserver(PassObserver observe) { g_observe = observe; }

bool OverwriteFile(const std::string& path, int passes) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A read-only file is left alone, as Windows refuses to open it for
    // writing (Wine running as root would not).
    if (attrs & FILE_ATTRIBUTE_READONLY) return false;
    UniqueFile f(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return false;  // missing rights, locked by another program, ...
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size)) return false;
    return OverwritePasses(f.get(), size.QuadPart, passes);
}

std::string RenameToRandomName(const std::string& path) {
    // MoveFileEx without MOVEFILE_REPLACE_EXISTING fails when the name is
    // taken (by a file that appeared since it was drawn); then another is drawn.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string candidate = RandomNameBeside(path);
        if (!candidate.empty() && MoveFileExA(path.c_str(), candidate.c_str(), 0)) return candidate;
    }
    return {};
}

bool WipeAndDeleteFile(const std::string& path, int extraPasses) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;  // already gone
    }
    if (!OverwriteFile(path, extraPasses + 1)) return false;
    const std::string renamed = RenameToRandomName(path);
    const std::string& victim = renamed.empty() ? path : renamed;  // no free name: delete it where it is
    if (DeleteFileA(victim.c_str())) return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    // Not deletable after all: give it its own name back rather than leave a stranger behind.
    if (!renamed.empty()) MoveFileExA(renamed.c_str(), path.c_str(), 0);
    return false;
}
