// The recycle bin of Vista to 11: X:\$Recycle.Bin\<SID>\$Ixxxxxx.ext says
// what the deleted item $Rxxxxxx.ext (a file, or a folder with its tree) was.
// Read from the file's bytes alone; needs no Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct RecycledInfo {
    int version = 0;            // 1 (Vista to 8.1) or 2 (10 and 11)
    uint64_t size = 0;          // of the deleted file or folder, in bytes
    uint64_t deletedAt = 0;     // a FILETIME: 100 ns since 1601
    std::string originalPath;   // UTF-8 (unpaired surrogates as utf.h keeps them)
};

// False when the bytes are no $I file of version 1 or 2 (too short, a path that runs past the end or has no NUL,
// a length that does not fit, an empty path); out is then reset.
bool ParseRecycledInfo(std::string_view bytes, RecycledInfo& out);
