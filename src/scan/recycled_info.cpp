#include "scan/recycled_info.h"

#include <utility>

#include "base/utf.h"

namespace {

uint64_t U64(std::string_view b, size_t at) {
    uint64_t v = 0;
    for (size_t i = 8; i-- > 0;) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

// The path of at most chars UTF-16 units from at, up to its NUL; false when
// none of them is the NUL or the path is empty.
bool PathAt(std::string_view b, size_t at, uint64_t chars, std::string& path) {
    std::u16string units;
    for (uint64_t i = 0; i < chars; ++i) {
        const size_t p = at + static_cast<size_t>(i) * 2;
        const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(b[p]) | static_cast<unsigned char>(b[p + 1]) << 8);
        if (c == 0) {
            if (units.empty()) return false;
            path = Utf8FromUtf16(units);
            return true;
        }
        units += c;
    }
    return false;
}

}  // namespace

bool ParseRecycledInfo(std::string_view bytes, RecycledInfo& out) {
    out = RecycledInfo{};
    constexpr size_t kHeader = 24;       // version, size, deletion time
    constexpr uint64_t kFixedChars = 260;  // version 1 keeps MAX_PATH characters, NUL-padded
    if (bytes.size() < kHeader) return false;
    const uint64_t version = U64(bytes, 0);
    RecycledInfo info;
    if (version == 1) {
        if (bytes.size() < kHeader + kFixedChars * 2 || !PathAt(bytes, kHeader, kFixedChars, info.originalPath))
            return false;
    } else if (version == 2) {
        if (bytes.size() < kHeader + 4) return false;
        uint64_t chars = 0;
        for (size_t i = 4; i-- > 0;) chars = chars << 8 | static_cast<unsigned char>(bytes[kHeader + i]);
        // The length counts the NUL; all of it must lie in the file.
        if (chars == 0 || chars > (bytes.size() - kHeader - 4) / 2 || !PathAt(bytes, kHeader + 4, chars, info.originalPath))
            return false;
    } else {
        return false;
    }
    info.version = static_cast<int>(version);
    info.size = U64(bytes, 8);
    info.deletedAt = U64(bytes, 16);
    out = std::move(info);
    return true;
}
