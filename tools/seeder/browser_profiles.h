// Today's browsers as the seeder lays them out: every Chromium browser and
// Firefox, each in its own folder layout, each store of each profile holding
// traces of sites under example.com and example.org (and what a clean must
// leave alone: passwords, bookmarks, preferences).
#pragma once

#include <functional>
#include <string>
#include <vector>

struct BrowserSeed {
    int count;                         // entries per place
    std::vector<std::string>* made;    // how a scan names each trace made (see TraceIdentity)
};

struct BrowserSeedItem {
    std::string item;  // the catalog item's name
    std::function<void(BrowserSeed&)> seed;
    std::function<void()> clear;
};

// One entry per catalog item of every browser, in catalog order.
const std::vector<BrowserSeedItem>& BrowserSeedItems();

// The profile folders the seeder makes for a browser item's traces (where
// its stores lie), e.g. every "Default" and "Profile 1" of Chrome.
std::vector<std::string> SeededProfiles(const std::string& item);
