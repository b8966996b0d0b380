#include "scan/store_text.h"

#include <algorithm>
#include <cstdint>

namespace {

bool HostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

}  // namespace

void AddSitesNamedIn(std::string_view bytes, std::vector<std::string>& sites, size_t max) {
    for (size_t at = bytes.find("http"); at != std::string_view::npos && sites.size() < max;
         at = bytes.find("http", at + 4)) {
        size_t host = at + 4;
        if (host < bytes.size() && bytes[host] == 's') ++host;
        if (bytes.substr(host, 3) != "://") continue;
        host += 3;
        size_t end = host;
        while (end < bytes.size() && end - host < 253 && HostChar(bytes[end])) ++end;
        if (end == host) continue;
        std::string name(bytes.substr(host, end - host));
        for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (std::find(sites.begin(), sites.end(), name) == sites.end()) sites.push_back(std::move(name));
    }
}

std::vector<std::string> SitesNamedIn(std::string_view bytes, size_t max) {
    std::vector<std::string> sites;
    AddSitesNamedIn(bytes, sites, max);
    return sites;
}

std::string SitesSummary(const std::vector<std::string>& sites) {
    if (sites.empty()) return "no site names";
    std::string text = std::to_string(sites.size()) + (sites.size() == 1 ? " site: " : " sites: ");
    for (size_t i = 0; i < sites.size() && i < 3; ++i) text += (i ? ", " : "") + sites[i];
    if (sites.size() > 3) text += ", ...";
    return text;
}

bool IsMozLz4(std::string_view bytes) { return bytes.size() >= 12 && bytes.substr(0, 8) == std::string_view("mozLz40\0", 8); }

bool DecodeMozLz4(std::string_view bytes, std::string& out, size_t limit) {
    out.clear();
    if (!IsMozLz4(bytes)) return false;
    uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<unsigned char>(bytes[8 + static_cast<size_t>(i)]);
    const size_t want = std::min<size_t>(size, limit);
    out.reserve(want);
    const std::string_view in = bytes.substr(12);
    size_t at = 0;
    // Sequences of a token, literals, and (but for the last) an offset and a match copied from what came before.
    while (at < in.size()) {
        const unsigned token = static_cast<unsigned char>(in[at++]);
        size_t literals = token >> 4;
        if (literals == 15) {
            unsigned char more = 255;
            while (more == 255) {
                if (at >= in.size()) return false;
                more = static_cast<unsigned char>(in[at++]);
                literals += more;
            }
        }
        if (literals > in.size() - at || out.size() + literals > want) return false;
        out.append(in.substr(at, literals));
        at += literals;
        if (at == in.size()) break;  // the last sequence has no match
        if (in.size() - at < 2) return false;
        const size_t offset = static_cast<unsigned char>(in[at]) | static_cast<size_t>(static_cast<unsigned char>(in[at + 1])) << 8;
        at += 2;
        if (offset == 0 || offset > out.size()) return false;
        size_t match = (token & 15) + 4;
        if ((token & 15) == 15) {
            unsigned char more = 255;
            while (more == 255) {
                if (at >= in.size()) return false;
                more = static_cast<unsigned char>(in[at++]);
                match += more;
            }
        }
        if (out.size() + match > want) return false;
        const size_t from = out.size() - offset;
        for (size_t i = 0; i < match; ++i) out.push_back(out[from + i]);  // may overlap what it writes
    }
    return out.size() == size;
}

std::string SiteOfFolder(std::string_view name) {
    // Firefox: scheme "+++" host ["+" port] ["^" attributes].
    if (const size_t sep = name.find("+++"); sep != std::string_view::npos && sep > 0) {
        std::string_view rest = name.substr(sep + 3);
        rest = rest.substr(0, rest.find('^'));
        std::string site = std::string(name.substr(0, sep)) + "://" + std::string(rest);
        std::replace(site.begin() + static_cast<std::ptrdiff_t>(sep + 3), site.end(), '+', ':');
        return site;
    }
    // Chromium: scheme "_" host "_" port ".indexeddb." kind; port 0 is the scheme's own.
    if (const size_t dot = name.find(".indexeddb."); dot != std::string_view::npos) {
        const std::string_view origin = name.substr(0, dot);
        const size_t first = origin.find('_'), last = origin.rfind('_');
        if (first != std::string_view::npos && last > first) {
            const std::string_view port = origin.substr(last + 1);
            std::string site = std::string(origin.substr(0, first)) + "://" + std::string(origin.substr(first + 1, last - first - 1));
            if (!port.empty() && port != "0") site += ":" + std::string(port);
            return site;
        }
    }
    return std::string(name);
}
