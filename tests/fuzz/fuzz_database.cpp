// Reading a browser's database, whatever it holds: a database file's bytes
// (first byte even), or a script that builds odd schemas and contents (first
// byte odd). For every kind of database the reading never crashes or hangs,
// lists rows in rising row-id order, and accounts for every row of the table:
// each is listed or counted as unreadable, unless the reading says why not.
#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "scan/database_reading.h"

namespace {

// The image of a database built by the script, or empty.
std::string Built(const std::string& script) {
    sqlite3* db = nullptr;
    std::string image;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK) {
        int steps = 0;
        sqlite3_progress_handler(db, 1000, [](void* n) { return ++*static_cast<int*>(n) > 2000 ? 1 : 0; }, &steps);
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
        sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
        sqlite3_int64 size = 0;
        if (unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0)) {
            image.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
            sqlite3_free(bytes);
        }
    }
    sqlite3_close(db);
    return image;
}

int64_t RowsOf(Database& db, const DatabaseLayout& layout) {
    Database::Statement s(db, std::string("SELECT count(*) FROM ") + layout.table);
    return s.Step() ? s.Int(0) : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string original = (data[0] & 1) ? Built(rest) : rest;
    for (BrowserDatabase kind : {BrowserDatabase::ChromiumHistory, BrowserDatabase::ChromiumCookies,
                                 BrowserDatabase::FirefoxPlaces, BrowserDatabase::FirefoxCookies}) {
        std::string image = original;
        Database db;
        int questions = 0;
        db.SetInterrupt([&questions] { return ++questions > 200; });  // no read may run away
        if (!db.OpenImage(image.data(), image.size())) continue;
        int64_t listed = 0, last = INT64_MIN;
        const DatabaseReading reading = ReadDatabaseRows(db, kind, [&](DatabaseRow&& row) {
            if (row.rowid <= last) std::abort();  // rising row ids, each once
            last = row.rowid;
            ++listed;
            return true;
        });
        if (reading.unreadRows < 0 || image != original) std::abort();
        // Nothing passed over in silence: a complete reading of a table that counts accounts for every row.
        if (kind != BrowserDatabase::FirefoxPlaces && reading.problem == Database::Problem::None &&
            reading.layout.empty()) {
            const int64_t rows = RowsOf(db, LayoutOf(kind));
            if (rows >= 0 && rows != listed + reading.unreadRows) std::abort();
        }
    }
    return 0;
}
