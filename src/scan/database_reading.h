// Reading the rows of a browser's database, whatever the file holds: tables
// and columns are found by name (old and new versions of each browser read
// alike), and a table that is missing or is a view, a column that is missing,
// a row whose fields are not text, or a read that fails halfway are counted
// and said, never crashed on nor passed over in silence.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/catalog.h"
#include "model/records.h"
#include "platform/database.h"

// One row as a scan lists it.
struct DatabaseRow {
    int64_t rowid = 0;  // the row's own id in its table, whatever its columns are called
    std::string name;   // what the row is known by: the address, the host, the value typed
    std::string text;   // what goes with it: the title, the cookie's name, the field's name
    std::string more;   // the number of visits, the cookie's path, ...
    int64_t lastRowid = 0;  // the table's highest row id: how far through it this row is
};

// What kept rows of a database from being listed.
struct DatabaseReading {
    Database::Problem problem = Database::Problem::None;  // a read failed (the rest was not listed)
    std::string layout;      // the layout is not the one expected: what is wrong ("urls is not a table")
    int64_t unreadRows = 0;  // rows whose fields hold no text
    bool stopped = false;    // the caller stopped the listing
    bool Complete() const { return problem == Database::Problem::None && layout.empty() && unreadRows == 0; }
};

// The table that holds a database's traces, and its columns: column names of
// the table, or (starting with "(") an expression over its row "t"; empty for none.
struct DatabaseLayout {
    const char* table;
    const char* name;   // the address, the host, the value: what a clean matches byte for byte
    const char* text;   // the title, the cookie's name, the field's name
    const char* more;   // the visits, the cookie's path, ...
    bool matchAll;      // a clean matches text and more too, and all three must be text (cookies)
    bool moreIsCount;   // more is a number, read as one
    const char* where = "";  // only the rows this condition over "t" holds for
};
DatabaseLayout LayoutOf(BrowserDatabase database);

// The name under which the table's own row ids read ("rowid", else "_rowid_"
// or "oid" when a column takes the name); empty when there is none (a table
// without row ids, or all three names taken).
std::string RowIdName(Database& db, const char* table);

// Lists the rows of an open database, one call of row each, in the order of
// their row ids; row returns false to stop.
DatabaseReading ReadDatabaseRows(Database& db, BrowserDatabase database,
                                 const std::function<bool(DatabaseRow&&)>& row);

// Why a trace in a database stays, from what stood in the way.
StayReason StayReasonOf(Database::Problem problem);
