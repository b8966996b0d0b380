// The browsers' SQLite databases: opened read-only to list their rows, read
// and write to take rows out. A database another program holds is never
// waited for: it reads as busy at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class Database {
public:
    enum class Mode { ReadOnly, ReadWrite };
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing database file (never creates one). False when it
    // cannot be opened, is not a database, or another program holds it.
    bool Open(const std::string& path, Mode mode);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    // The result code of the last call that failed (SQLITE_BUSY, SQLITE_CANTOPEN, ...).
    int Error() const { return error_; }
    // Whether the last failure was another program holding the database.
    bool Busy() const;

    bool Exec(const char* sql);
    bool HasTable(std::string_view table);
    bool HasColumn(std::string_view table, std::string_view column);

    // One prepared statement: bind, step through the rows, read the columns.
    class Statement {
    public:
        Statement(Database& db, const char* sql);
        ~Statement();
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        bool Ok() const { return stmt_ != nullptr; }
        void Bind(int index, int64_t value);
        void Bind(int index, const std::string& text);
        // The next row: true while there is one; false at the end or on an error (see Done).
        bool Step();
        bool Done() const { return done_; }  // the statement ran to its end without an error
        void Reset();
        int64_t Int(int column) const;
        std::string Text(int column) const;
        bool IsNull(int column) const;

    private:
        Database& db_;
        sqlite3_stmt* stmt_ = nullptr;
        bool done_ = false;
    };

private:
    bool Check(int rc);
    sqlite3* db_ = nullptr;
    int error_ = 0;
};
