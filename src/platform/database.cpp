#include "platform/database.h"

#include <sqlite3.h>

#include <cstring>

namespace {

// The system's own file layer, and one beside it that overwrites each file
// with zeros before deleting it. SQLite deletes a rollback journal at the end
// of a transaction and a write-ahead log when the last connection closes;
// both hold old pages of the database, the rows a clean removed among them.
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_wiping{};
constexpr char kWipingVfs[] = "sorvanda-wiping";

void Overwrite(const char* name) {
    sqlite3_file* f = static_cast<sqlite3_file*>(sqlite3_malloc(g_base->szOsFile));
    if (!f) return;
    std::memset(f, 0, static_cast<size_t>(g_base->szOsFile));
    int flags = 0;
    const int rc = g_base->xOpen(g_base, name, f, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MAIN_JOURNAL, &flags);
    if (rc == SQLITE_OK) {
        static const char zeros[1 << 16] = {};
        sqlite3_int64 size = 0;
        if (f->pMethods->xFileSize(f, &size) == SQLITE_OK) {
            for (sqlite3_int64 at = 0; at < size; at += sizeof zeros) {
                const int n = static_cast<int>(size - at < static_cast<sqlite3_int64>(sizeof zeros) ? size - at : sizeof zeros);
                if (f->pMethods->xWrite(f, zeros, n, at) != SQLITE_OK) break;
            }
            f->pMethods->xSync(f, SQLITE_SYNC_NORMAL);
        }
    }
    if (f->pMethods) f->pMethods->xClose(f);  // also after a failed open that set them
    sqlite3_free(f);
}

int WipeThenDelete(sqlite3_vfs*, const char* name, int syncDir) {
    Overwrite(name);
    return g_base->xDelete(g_base, name, syncDir);
}

// The wiping layer: the system's own in every other respect (its file
// objects, locks and shared memory are the system layer's).
const char* WipingVfs() {
    static const bool registered = [] {
        g_base = sqlite3_vfs_find(nullptr);
        if (!g_base) return false;
        g_wiping = *g_base;
        g_wiping.pNext = nullptr;
        g_wiping.zName = kWipingVfs;
        g_wiping.xDelete = WipeThenDelete;
        return sqlite3_vfs_register(&g_wiping, 0) == SQLITE_OK;
    }();
    return registered ? kWipingVfs : nullptr;
}

// How many virtual-machine steps run between two questions to the interrupt test.
constexpr int kStepsBetweenQuestions = 20000;

}  // namespace

Database::~Database() { Close(); }

bool Database::Check(int rc) {
    const bool ok = rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE;
    error_ = ok ? 0 : rc;
    return ok;
}

Database::Problem Database::Why() const {
    switch (error_ & 0xFF) {
    case SQLITE_OK: return Problem::None;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Problem::Busy;
    case SQLITE_CANTOPEN: return Problem::CannotOpen;
    case SQLITE_READONLY:
    case SQLITE_PERM: return Problem::ReadOnly;
    case SQLITE_IOERR:
    case SQLITE_FULL: return Problem::DiskError;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return Problem::Damaged;
    case SQLITE_INTERRUPT: return Problem::Interrupted;
    default: return Problem::Other;
    }
}

// Before the schema is read: nothing the file holds runs, nothing waits.
bool Database::Harden() {
    sqlite3_extended_result_codes(db_, 1);
    const int off[] = {SQLITE_DBCONFIG_ENABLE_TRIGGER, SQLITE_DBCONFIG_ENABLE_VIEW,
                       SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, SQLITE_DBCONFIG_TRUSTED_SCHEMA,
                       SQLITE_DBCONFIG_ENABLE_FKEY};
    for (int option : off)
        if (!Check(sqlite3_db_config(db_, option, 0, nullptr))) return false;
    if (!Check(sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr))) return false;
    sqlite3_busy_timeout(db_, 0);  // a database another program holds is left at once
    sqlite3_progress_handler(db_, kStepsBetweenQuestions, &Database::Progress, this);
    return true;
}

int Database::Progress(void* self) {
    const Database& db = *static_cast<Database*>(self);
    return db.stop_ && db.stop_() ? 1 : 0;
}

void Database::SetInterrupt(std::function<bool()> stop) { stop_ = std::move(stop); }

bool Database::Open(const std::string& path, Mode mode) {
    Close();
    error_ = 0;
    const int access = mode == Mode::ReadOnly    ? SQLITE_OPEN_READONLY
                       : mode == Mode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int flags = access | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, WipingVfs());
    if (!Check(rc) || !Harden()) {
        const int why = error_;
        Close();
        error_ = why;
        return false;
    }
    // Opening is lazy: read the schema now, so that a file that is no database,
    // or one another program holds, says so here.
    if (!Exec("SELECT count(*) FROM sqlite_schema")) {
        const int why = error_;
        Close();
        error_ = why;
        return false;
    }
    return true;
}

bool Database::OpenImage(char* bytes, size_t size) {
    Close();
    error_ = 0;
    if (!Check(sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)) || !Harden() ||
        !Check(sqlite3_deserialize(db_, "main", reinterpret_cast<unsigned char*>(bytes),
                                   static_cast<sqlite3_int64>(size), static_cast<sqlite3_int64>(size),
                                   SQLITE_DESERIALIZE_READONLY)) ||
        !Exec("SELECT count(*) FROM sqlite_schema")) {
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

bool Database::Exec(const char* sql) { return db_ && Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }

bool Database::HasTable(std::string_view table) {
    Statement s(*this, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?");
    s.Bind(1, std::string(table));
    return s.Step();
}

void Database::Rollback() {
    const int why = error_;
    Exec("ROLLBACK");
    error_ = why;
}

bool Database::HasColumn(std::string_view table, std::string_view column) {
    Statement s(*this, "SELECT 1 FROM pragma_table_xinfo(?) WHERE name = ?");
    s.Bind(1, std::string(table));
    s.Bind(2, std::string(column));
    return s.Step();
}

int64_t Database::Changes() const { return db_ ? sqlite3_changes64(db_) : 0; }

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

bool Database::Statement::IsTextOrNull(int column) const {
    if (!stmt_) return false;
    const int type = sqlite3_column_type(stmt_, column);
    return type == SQLITE_TEXT || type == SQLITE_NULL;
}

bool DeleteDatabaseFile(const std::string& path) {
    if (!WipingVfs()) return false;
    const int rc = WipeThenDelete(&g_wiping, path.c_str(), 0);
    return rc == SQLITE_OK || rc == SQLITE_IOERR_DELETE_NOENT;  // deleted now, or gone before
}
