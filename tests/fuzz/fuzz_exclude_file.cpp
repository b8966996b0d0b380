// The exclusion file in any encoding, from any bytes: every entry that could
// be read survives a write in the encoding it was read in (or UTF-8, where the
// code page cannot hold it) and a second read, and nothing else is written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exclude/exclude_file.h"
#include "exclude/exclude_lines.h"
#include "base/utf.h"

namespace {

// A code page like the one most users have: Latin-1, without the five bytes 1252 leaves undefined.
bool Undefined(unsigned c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

const CodePageText kCodePage{
    [](std::string_view bytes, std::string& text) {
        text.clear();
        for (unsigned char c : bytes) {
            if (Undefined(c)) return false;
            if (c >= 0x80) text += static_cast<char>(0xC0 | c >> 6);
            text += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
        }
        return true;
    },
    [](std::string_view text, std::string& bytes) {
        if (!IsUtf8(text)) return false;
        bytes.clear();
        for (char16_t c : Utf16FromUtf8(text)) {
            if (c > 0xFF || Undefined(c)) return false;
            bytes += static_cast<char>(c);
        }
        return true;
    }};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ExcludeFileContents read = DecodeExcludeFile(bytes, kCodePage);
    TextEncoding encoding = read.encoding;
    const std::string written = EncodeExcludeFile(read.entries, encoding, kCodePage);
    if (encoding != read.encoding && !(read.encoding == TextEncoding::CodePage && encoding == TextEncoding::Utf8))
        std::abort();  // only a code page too small for a name gives way, to UTF-8
    const ExcludeFileContents again = DecodeExcludeFile(written, kCodePage);
    if (again.unreadLines != 0 || again.encoding != encoding || again.entries.size() != read.entries.size())
        std::abort();
    for (size_t i = 0; i < read.entries.size(); ++i)
        if (!SameEntry(again.entries[i], read.entries[i])) std::abort();
    return 0;
}
