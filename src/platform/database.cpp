#include "platform/database.h"

#include <sqlite3.h>

Database::~Database() { Close(); }

bool Database::Check(int rc) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return true;
    error_ = rc;
    return false;
}

bool Database::Open(const std::string& path, Mode mode) {
    Close();
    error_ = 0;
    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (!Check(rc)) {
        Close();
        error_ = rc;
        return false;
    }
    sqlite3_busy_timeout(db_, 0);  // a database another program holds is left at once
    // Opening is lazy: read the schema now, so that a file that is no database,
    // or one another program holds, says so here.
    if (!Exec("SELECT count(*) FROM sqlite_master")) {
        const int why = error_;
        Close();
        error_ = why;
        return false;
    }
    return true;
}

void Database::Close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Database::Busy() const {
    const int primary = error_ & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_CANTOPEN;
}

bool Database::Exec(const char* sql) { return db_ && Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }

bool Database::HasTable(std::string_view table) {
    Statement s(*this, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    s.Bind(1, std::string(table));
    return s.Step();
}

bool Database::HasColumn(std::string_view table, std::string_view column) {
    Statement s(*this, "SELECT 1 FROM pragma_table_info(?) WHERE name = ?");
    s.Bind(1, std::string(table));
    s.Bind(2, std::string(column));
    return s.Step();
}

Database::Statement::Statement(Database& db, const char* sql) : db_(db) {
    if (db.db_) db.Check(sqlite3_prepare_v2(db.db_, sql, -1, &stmt_, nullptr));
}

Database::Statement::~Statement() {
    if (stmt_) sqlite3_finalize(stmt_);
}

void Database::Statement::Bind(int index, int64_t value) {
    if (stmt_) db_.Check(sqlite3_bind_int64(stmt_, index, value));
}

void Database::Statement::Bind(int index, const std::string& text) {
    if (stmt_)
        db_.Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
}

bool Database::Statement::Step() {
    done_ = false;
    if (!stmt_) return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    done_ = rc == SQLITE_DONE;
    db_.Check(rc);
    return false;
}

void Database::Statement::Reset() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
}

int64_t Database::Statement::Int(int column) const { return stmt_ ? sqlite3_column_int64(stmt_, column) : 0; }

std::string Database::Statement::Text(int column) const {
    if (!stmt_) return {};
    const auto* text = sqlite3_column_text(stmt_, column);
    const int n = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(n)) : std::string();
}

bool Database::Statement::IsNull(int column) const {
    return !stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}
