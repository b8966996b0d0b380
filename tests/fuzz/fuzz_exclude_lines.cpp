// Any exclusion file loads without harm, and every entry the program writes
// (all four fields, any bytes) loads back exactly, alone or among others.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exclude/exclude_file.h"
#include "exclude/exclude_lines.h"

namespace {
// A code page in which every byte stands for itself, so that any bytes reach the
// cutting; the text starts with a line end, so that no bytes read as a mark.
const CodePageText kBytesAsText{[](std::string_view b, std::string& t) { return t.assign(b), true; },
                                [](std::string_view t, std::string& b) { return b.assign(t), true; }};
std::vector<TExcludeContentItem> ParseExcludeText(std::string_view text) {
    return DecodeExcludeFile("\r\n" + std::string(text), kBytesAsText).entries;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto loaded = ParseExcludeText(text);
    std::string saved;
    for (const TExcludeContentItem& e : loaded) saved += FormatExcludeLine(e);
    const auto again = ParseExcludeText(saved);
    if (again.size() != loaded.size()) std::abort();
    for (size_t i = 0; i < loaded.size(); ++i)
        if (!SameEntry(again[i], loaded[i])) std::abort();
    // Fields from any bytes, written between two ordinary lines.
    const size_t q = size / 4;
    const TExcludeContentItem e{text.substr(0, q), text.substr(q, q), text.substr(2 * q, q), text.substr(3 * q)};
    const auto back = ParseExcludeText("Paint|k!v<d\r\n" + FormatExcludeLine(e) + "Cache|http://x/!<\r\n");
    if (back.size() != 3 || !SameEntry(back[1], e) || back[0].ItemName != "Paint" || back[2].ItemName != "Cache")
        std::abort();
    return 0;
}
