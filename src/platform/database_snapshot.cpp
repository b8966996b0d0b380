#include "platform/database_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/files.h"

namespace {

// SQLite locks the bytes from offset 1 GiB (its pending byte) to 512 bytes
// further; while the browser holds its database a read across them fails.
// The page they lie in never holds data, so the copy has zeros there.
constexpr int64_t kLockStart = 0x40000000, kLockEnd = kLockStart + 512;
constexpr size_t kChunk = 8 << 20;

// Reads the file in chunks into the places place(n) gives, others sharing it
// meanwhile; after each chunk done(n) takes it (false ends the copy). The
// system's error code, 0 when the whole file (as large as it was at the
// start) went through.
template <typename Place, typename Done>
SystemError CopyBytes(const std::string& path, Place place, Done done) {
    File f(path, File::Open::Read);
    if (!f) return f.Error();
    const int64_t size = f.Size();
    if (size < 0) return f.Error();
    for (int64_t at = 0; at < size;) {
        if (at >= kLockStart && at < kLockEnd) {
            const size_t n = static_cast<size_t>(std::min(size, kLockEnd) - at);
            std::fill_n(place(n), n, '\0');
            if (!done(n)) return ERROR_WRITE_FAULT;
            at += static_cast<int64_t>(n);
            continue;
        }
        int64_t end = std::min(size, at + static_cast<int64_t>(kChunk));
        if (at < kLockStart && end > kLockStart) end = kLockStart;
        size_t got = 0;
        if (!f.Seek(at) || !f.Read(place(static_cast<size_t>(end - at)), static_cast<size_t>(end - at), got))
            return f.Error();
        if (got == 0) break;  // the file shrank meanwhile: what there was
        if (!done(got)) return ERROR_WRITE_FAULT;
        at += static_cast<int64_t>(got);
    }
    return ERROR_SUCCESS;
}

// The size of a journal or log beside the database that SQLite would apply:
// a file of its own with something in it (a folder or a link is none).
int64_t CompanionSize(const std::string& path) {
    const DWORD attrs = PathAttributes(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY) || IsLink(path)) return 0;
    return std::max<int64_t>(0, FileSize64(path));
}

constexpr const char* kCompanions[] = {"-journal", "-wal"};

// A new folder of this process's own in the temporary folder.
std::string PrivateFolder() {
    static unsigned counter = 0;
    const std::string temp = TempDirectory();
    if (temp.empty()) return {};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder =
            temp + "sorvanda-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateFolder(folder)) return folder;
    }
    return {};
}

}  // namespace

Database::Problem ProblemOfSystemError(SystemError error) {
    switch (error) {
    case ERROR_SUCCESS: return Database::Problem::None;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Database::Problem::InUse;
    case ERROR_ACCESS_DENIED: return Database::Problem::Denied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Database::Problem::CannotOpen;
    default: return Database::Problem::DiskError;
    }
}

DatabaseSnapshot::DatabaseSnapshot(const std::string& path) {
    int64_t companions = 0;
    for (const char* suffix : kCompanions) companions += CompanionSize(path + suffix);
    const int64_t size = FileSize64(path);
    if (companions > 0 || size > kMemoryLimit) {
        if (!CopyToFolder(path)) Dispose();
        return;
    }
    // Straight into the image (its pages touched first: reading into fresh
    // pages costs Wine a fault each), which ends where the file did.
    if (size > 0) image_.resize(static_cast<size_t>(size));
    size_t filled = 0;
    error_ = CopyBytes(
        path, [this, &filled](size_t n) {
            if (image_.size() < filled + n) image_.resize(filled + n);
            return image_.data() + filled;
        },
        [&filled](size_t n) {
            filled += n;
            return true;
        });
    image_.resize(filled);
    // With no log to apply, a database in write-ahead-log mode reads as one
    // in rollback mode (the image in memory has no log of its own).
    if (image_.size() >= 20 && image_[18] == 2 && image_[19] == 2) image_[18] = image_[19] = 1;
    if (error_) Dispose();
}

bool DatabaseSnapshot::CopyToFolder(const std::string& path) {
    folder_ = PrivateFolder();
    if (folder_.empty()) {
        error_ = ERROR_PATH_NOT_FOUND;
        return false;
    }
    copy_ = folder_ + "\\copy.sqlite";
    // The database first, then its journal: a page the browser changed while
    // the database was being read has its old content in the journal.
    const auto copyFile = [this](const std::string& from, const std::string& to) {
        File out(to, File::Open::Create);
        if (!out) return out.Error();
        std::vector<char> buffer(kChunk);
        return CopyBytes(
            from, [&buffer](size_t) { return buffer.data(); },
            [&out, &buffer](size_t n) { return out.WriteAll(buffer.data(), n); });
    };
    if ((error_ = copyFile(path, copy_)) != 0) return false;
    for (const char* suffix : kCompanions)
        if (CompanionSize(path + suffix) > 0 && (error_ = copyFile(path + suffix, copy_ + suffix)) != 0) return false;
    return true;
}

bool DatabaseSnapshot::Open(Database& db) {
    if (error_) return false;
    if (copy_.empty()) return db.OpenImage(image_.data(), image_.size());
    // Opening reads the schema: a hot journal is rolled back, a log applied, in the copy.
    return db.Open(copy_, Database::Mode::ReadWrite) && db.Exec("PRAGMA query_only = ON");
}

void DatabaseSnapshot::Dispose() {
    std::string().swap(image_);
    if (folder_.empty()) return;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) DeleteDatabaseFile(copy_ + suffix);
    RemoveFolder(folder_);
    folder_.clear();
    copy_.clear();
}

DatabaseSnapshot::~DatabaseSnapshot() { Dispose(); }
