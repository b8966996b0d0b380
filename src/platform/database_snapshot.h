// A private copy of a browser's database, so that reading it changes nothing
// in the profile: no journal is rolled back there, no log or shared-memory
// file is made, and a database the browser holds (locked, not shut) is still
// read. A database with no journal or log to apply is copied into memory; one
// with a journal or log beside it is copied with them into a private folder
// of the temporary folder, where SQLite applies them to the copy. The copy
// holds the same traces as the database: the folder's files are overwritten
// before they are deleted.
#pragma once

#include <cstdint>
#include <string>

#include "platform/database.h"
#include "platform/system_error.h"

// What a system error code met on a database's file means for the database.
Database::Problem ProblemOfSystemError(SystemError error);

class DatabaseSnapshot {
public:
    // Copies the database at path (a link is read as the file it names).
    explicit DatabaseSnapshot(const std::string& path);
    // A database opened on the copy must be closed first.
    ~DatabaseSnapshot();
    DatabaseSnapshot(const DatabaseSnapshot&) = delete;
    DatabaseSnapshot& operator=(const DatabaseSnapshot&) = delete;

    // Why no copy could be made: the system's error code
    // (ERROR_SHARING_VIOLATION when another program holds the file), 0 when it was.
    SystemError Error() const { return error_; }
    Database::Problem Why() const { return ProblemOfSystemError(error_); }
    // Opens the copy for reading; false when it is no database (see db.Why()).
    bool Open(Database& db);
    // Whether the copy lies in a folder of its own (a journal or log came with it).
    bool OnDisk() const { return !folder_.empty(); }

    // Databases larger than this are copied to the disk rather than into memory.
    static constexpr int64_t kMemoryLimit = 256LL << 20;

private:
    bool CopyToFolder(const std::string& path);
    void Dispose();
    std::string image_;   // the copy in memory
    std::string folder_;  // the private folder of a copy on the disk
    std::string copy_;    // the copied database in that folder
    SystemError error_ = 0;
};
