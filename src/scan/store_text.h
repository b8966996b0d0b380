// What the files of a browser profile say about the sites they hold, read
// from their bytes alone: a session file, a LevelDB log, Firefox's
// compressed session store. Untrusted input: every length is checked.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The hosts of the web addresses ("http://" or "https://" and a host of
// letters, digits, dots and hyphens) in the bytes, in the order met, each
// once, at most max of them.
std::vector<std::string> SitesNamedIn(std::string_view bytes, size_t max = 64);
// The same, added to sites (which stays free of repeats) until it holds max.
void AddSitesNamedIn(std::string_view bytes, std::vector<std::string>& sites, size_t max = 64);

// What a row of a file or folder says it holds: "2 sites: a.example, b.example"
// (the first few named), or "no site names".
std::string SitesSummary(const std::vector<std::string>& sites);

// Firefox's compressed JSON ("mozLz40\0", the size as 32 bits little-endian,
// then one LZ4 block): false when the bytes are no such file or the block is
// damaged; out holds what was decoded (at most the size the header gives, and
// never more than limit).
bool IsMozLz4(std::string_view bytes);
bool DecodeMozLz4(std::string_view bytes, std::string& out, size_t limit = 64u << 20);

// A site folder's name as the browser spells the site: Chromium's IndexedDB
// ("https_www.example.com_0.indexeddb.leveldb") and Firefox's storage
// ("https+++www.example.com", "http+++localhost+8080^userContextId=1") become
// "https://www.example.com" and "http://localhost:8080"; any other name stays as it is.
std::string SiteOfFolder(std::string_view name);
