// The trace seeder: creates realistic sample traces for catalog items in the
// current user's registry, folders and URL cache, and removes them again.
// Used by the tests (fixtures), the demo prefix and the benchmarks.
//
// It refuses to touch a real Windows profile: unless allowRealProfile is set,
// it works only inside a Wine prefix.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/records.h"

struct SeedOptions {
    std::set<std::string> items;  // catalog item names; empty: every item the seeder knows
    int count = 3;                // entries per place
    bool allowRealProfile = false;
};

struct SeedReport {
    bool refused = false;         // not inside a Wine prefix and not allowed
    // For each catalog item: how a scan will name each trace it made, in no
    // particular order (see TraceIdentity).
    std::map<std::string, std::vector<std::string>> made;
    std::vector<std::string> log;  // what was made, for people
};

// Whether this process runs under Wine.
bool InsideWine();

// The catalog items the seeder can make traces for.
std::vector<std::string> SeedableItems();

// Removes every trace of the chosen items, then makes count traces for each.
SeedReport SeedTraces(const SeedOptions& options);

// Removes every trace of the chosen items (what a scan of them would find).
bool ClearTraces(const SeedOptions& options);

// Deletes a folder with everything in it: a link inside goes as a link (or
// stays), never what it points to. Never a drive's root.
void DeleteFolderTree(const std::string& folder);

// The name by which a seeded trace is known: the URL, file or value name,
// the key name where the record has no value name, or the cut-out text.
std::string TraceIdentity(const TResultContentItem& record);
