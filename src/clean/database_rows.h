// Taking rows out of a browser's database: the ticked rows and what hangs on
// them go in one transaction, with secure deletion on, and the database is
// then rebuilt, so no removed address or cookie stays readable in the
// database or its journal. A database the browser holds is left untouched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/records.h"

// One row as the scan found it: its id (urls.id, moz_places.id, the cookie's
// row id) and what it held, so that a row that changed since is left alone.
struct FoundRow {
    int64_t id = 0;
    std::string url;                // history
    std::string host, name, path;  // cookies
};

// Removes the rows; returns what became of each, in order: None when it is
// gone, ChangedSinceScan when its id no longer holds what the scan found (it
// stays). When the browser holds the database every row says CloseTheBrowser,
// and when it cannot be changed every row says Failed; nothing changed then.
std::vector<StayReason> RemoveDatabaseRows(const std::string& path, BrowserDatabase database,
                                           const std::vector<FoundRow>& rows);
