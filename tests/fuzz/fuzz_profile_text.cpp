// The one-pass history and cookie cutting gives exactly the entries of the
// literal loops, on any bytes; history addresses cut out of the raw bytes, with
// their line ends made CR LF, are those of the joined text.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "scan/profile_text.h"
#include "support/literal_cutting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;  // the literal loops are quadratic
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string text = JoinLinesCrLf(raw);
    std::vector<std::string> fast;
    CutHistoryEntries(text, [&](std::string_view e) { fast.emplace_back(e); return true; });
    if (fast != literal::History(text)) std::abort();
    std::vector<std::string> ofRaw;
    CutHistoryEntries(raw, [&](std::string_view e) { ofRaw.push_back(WithCrLfLineEnds(e)); return true; });
    if (ofRaw != fast) std::abort();
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    fast.clear();
    CutCookieEntries(upper, [&](std::string_view e) { fast.emplace_back(e); return true; });
    if (fast != literal::Cookies(upper)) std::abort();
    return 0;
}
