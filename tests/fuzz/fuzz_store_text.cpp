// What a browser profile's files say they hold, from any bytes: the site
// scan never reads past its input and names each host once; the LZ4 decoder
// never writes past the size the header gives, nor past its limit.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "scan/store_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> sites = SitesNamedIn(bytes, 16);
    if (sites.size() > 16 || std::set<std::string>(sites.begin(), sites.end()).size() != sites.size()) std::abort();
    for (const std::string& s : sites)
        if (s.empty() || s.size() > 253) std::abort();
    SitesSummary(sites);
    std::string out;
    const std::string file = std::string("mozLz40\0", 8) + bytes;
    const bool ok = DecodeMozLz4(file, out, 1 << 16);
    if (out.size() > (1u << 16)) std::abort();
    if (ok && size >= 4) {
        uint32_t want = 0;
        for (int i = 3; i >= 0; --i) want = want << 8 | data[i];
        if (out.size() != want) std::abort();
    }
    SiteOfFolder(bytes);
    return 0;
}
