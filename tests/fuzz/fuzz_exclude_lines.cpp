// Any exclusion file loads without harm, and an entry the program writes
// loads back the same whenever its fields allow (the mended separator rule:
// no "|" in ItemName, no "<" in Location, no "!" or "<" in EntryName, no line
// breaks or NUL anywhere).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exclude/exclude_lines.h"

namespace {
bool Clean(const std::string& s, const char* banned) {
    for (char c : s)
        if (c == '\r' || c == '\n' || c == '\0' || (banned && std::string(banned).find(c) != std::string::npos))
            return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const TExcludeContentItem& e : ParseExcludeText(text)) {
        const std::string line = FormatExcludeLine(e);
        const auto again = ParseExcludeText(line);
        if (!Clean(e.ItemName, "|") || !Clean(e.Location, "<") || !Clean(e.EntryName, "!<") ||
            !Clean(e.EntryData, nullptr))
            continue;
        if (again.size() != 1 || !SameEntry(again[0], e)) std::abort();
    }
    // Fields written from any bytes: the same rule, from the writer's side.
    const size_t q = size / 4;
    TExcludeContentItem e{text.substr(0, q), text.substr(q, q), text.substr(2 * q, q), text.substr(3 * q)};
    const auto back = ParseExcludeText(FormatExcludeLine(e));
    if (Clean(e.ItemName, "|") && Clean(e.Location, "<") && Clean(e.EntryName, "!<") && Clean(e.EntryData, nullptr)) {
        const bool blank = false;  // a written line always holds "|", "!" and "<"
        if (!blank && (back.size() != 1 || !SameEntry(back[0], e))) std::abort();
    }
    return 0;
}
