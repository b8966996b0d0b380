// The browsers' SQLite databases. Every database is untrusted input: each
// connection is defensive, runs none of the database's own code (triggers,
// views, extensions, functions its schema names), never waits for another
// program, and can be stopped from outside while a statement runs. Every file
// SQLite deletes for a connection (a rollback journal, a write-ahead log) is
// overwritten with zeros first, so the old pages it held do not linger on the
// disk.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class Database {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };  // Create: read and write, made when absent
    // What stood in the way of the last call that failed.
    enum class Problem {
        None,
        Busy,         // another connection holds the database (the browser runs)
        InUse,        // another program holds the file itself, sharing it with nobody
        Denied,       // the user may not read or write the file
        CannotOpen,   // the file or its journal could not be opened
        ReadOnly,     // the database may not be written
        DiskError,    // reading or writing the disk failed, or it is full
        Damaged,      // not a database, or a damaged one
        Interrupted,  // stopped from outside (see SetInterrupt)
        Other,        // a statement the database's layout does not allow, and the rest
    };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens a database file; only Mode::Create makes one. False when it cannot
    // be opened, is not a database, or another program holds it.
    bool Open(const std::string& path, Mode mode);
    // Opens a database image held in memory, read-only, without touching any
    // file; the bytes must stay as they are until Close.
    bool OpenImage(char* bytes, size_t size);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    // The result code of the last call (0 when it went well; SQLITE_BUSY, SQLITE_CANTOPEN, ...), and its kind.
    int Error() const { return error_; }
    Problem Why() const;
    // Asked now and then while a statement runs: true stops it (Problem::Interrupted).
    void SetInterrupt(std::function<bool()> stop);

    bool Exec(const char* sql);
    bool Exec(const std::string& sql) { return Exec(sql.c_str()); }
    // Whether a table (not a view) of this name exists in the database file.
    bool HasTable(std::string_view table);
    bool HasColumn(std::string_view table, std::string_view column);
    // The rows the last INSERT, UPDATE or DELETE changed.
    int64_t Changes() const;

    // One write transaction: begun (BEGIN IMMEDIATE, so that a database another
    // connection holds is said at once) when made, rolled back when it ends
    // uncommitted, so that nothing is ever half changed.
    class Transaction {
    public:
        explicit Transaction(Database& db) : db_(db), open_(db.Exec("BEGIN IMMEDIATE")) {}
        ~Transaction() {
            if (open_) db_.Rollback();
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        bool Begun() const { return open_; }
        // False when it could not be committed (it is then rolled back); the database's Error() tells why.
        bool Commit() {
            if (!open_) return false;
            open_ = false;
            if (db_.Exec("COMMIT")) return true;
            db_.Rollback();
            return false;
        }

    private:
        Database& db_;
        bool open_;
    };

    // One prepared statement: bind, step through the rows, read the columns.
    class Statement {
    public:
        Statement(Database& db, const char* sql);
        Statement(Database& db, const std::string& sql) : Statement(db, sql.c_str()) {}
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
        // Whether the column holds text or nothing (not a number or a blob).
        bool IsTextOrNull(int column) const;

    private:
        Database& db_;
        sqlite3_stmt* stmt_ = nullptr;
        bool done_ = false;
    };

private:
    // Rolls back the open transaction, keeping the error that made it necessary.
    void Rollback();
    bool Check(int rc);
    bool Harden();
    static int Progress(void* self);
    sqlite3* db_ = nullptr;
    int error_ = 0;
    std::function<bool()> stop_;
};

// Deletes a file of a database (a copy, its journal or log) as SQLite's own
// deletions go: overwritten with zeros and flushed first. False when it is still there.
bool DeleteDatabaseFile(const std::string& path);
