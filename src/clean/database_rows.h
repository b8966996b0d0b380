// Taking rows out of a browser's database: the ticked rows and what hangs on
// them, as the browser itself removes them, in one transaction, set by set
// (each dependent table by one statement), with secure deletion on; the
// database is then rebuilt, and the journal or log that held the old pages is
// overwritten before it goes. None of the database's own code runs (see
// Database). A database another program holds is left untouched.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/records.h"

// One row as the scan found it: its row id and what it held, so that a row
// that changed since (another address under the same row id) is left alone.
struct FoundRow {
    int64_t rowid = 0;
    std::string url;                // the row's name: an address, a value (every database but cookies)
    std::string host, name, path;  // cookies
};

// Removes the rows; returns what became of each, in order: None when it is
// gone, ChangedSinceScan when its row now holds something else, NotFound when
// its row was gone before (both stay as they are). When the database could
// not be changed every row says why (CloseTheBrowser while the browser holds
// it, InUse, ReadOnly, Damaged, ...), and nothing changed.
std::vector<StayReason> RemoveDatabaseRows(const std::string& path, BrowserDatabase database,
                                           const std::vector<FoundRow>& rows);

// Removes every row whose name (an address) is one of names, with what hangs
// on it: a page the user removed from a browser's history leaves its other
// stores too. None when they are gone (or the file is not there), else why
// the database stayed as it was.
StayReason RemoveDatabaseNames(const std::string& path, BrowserDatabase database,
                               const std::vector<std::string>& names);

// Rewrites one value of a program's key-value table ("ItemTable": key, value,
// as an editor keeps its state) under the same rules: edit gets the value as
// stored and returns what it becomes (nullopt: nothing changes). None when it
// was written (or the key is not there: edit is then never asked), else why
// the database stayed as it was.
StayReason ChangeDatabaseValue(const std::string& path, const std::string& key,
                               const std::function<std::optional<std::string>(const std::string&)>& edit);
