#include "platform/files.h"

#include <algorithm>

#include "platform/wide.h"

std::string ExeDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string utf8 = FromWide(path);
    const size_t slash = utf8.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : utf8.substr(0, slash + 1);
}

DWORD PathAttributes(const std::string& path, SystemError* error) {
    const DWORD a = GetFileAttributesW(ToWide(path).c_str());
    if (error) *error = a == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    return a;
}

bool SetPathAttributes(const std::string& path, DWORD attributes) {
    return SetFileAttributesW(ToWide(path).c_str(), attributes) != FALSE;
}

bool FileExists(const std::string& path) {
    const DWORD a = PathAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = PathAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSize64(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &info)) return -1;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    File f(path, File::Open::Read);
    if (!f) return false;
    const int64_t size = f.Size();
    if (size < 0 || static_cast<unsigned long long>(size) > out.max_size()) return false;
    out.resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < out.size()) {
        size_t got = 0;
        if (!f.Read(out.data() + done, std::min<size_t>(out.size() - done, 1u << 24), got)) return false;
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    out.resize(done);
    return true;
}

UINT DriveType(const std::string& root) { return GetDriveTypeW(ToWide(root).c_str()); }

std::string SystemDirectory() {
    wchar_t buf[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(buf, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? FromWide(std::wstring_view(buf, n)) : std::string();
}

std::string TempDirectory() {
    wchar_t buf[MAX_PATH + 2] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    return n > 0 && n <= MAX_PATH + 1 ? FromWide(std::wstring_view(buf, n)) : std::string();
}

namespace {
bool Report(BOOL ok, SystemError* error) {
    if (error) *error = ok ? ERROR_SUCCESS : GetLastError();
    return ok != FALSE;
}
}  // namespace

bool RenamePath(const std::string& from, const std::string& to, bool replace, SystemError* error) {
    return Report(MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(),
                              replace ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH : 0),
                  error);
}

bool DeletePath(const std::string& path, SystemError* error) { return Report(DeleteFileW(ToWide(path).c_str()), error); }

bool CreateFolder(const std::string& path) { return CreateDirectoryW(ToWide(path).c_str(), nullptr) != FALSE; }

bool CreateFolders(const std::string& path) {
    for (size_t i = 3; i < path.size(); ++i)  // past the drive's "C:\"
        if (path[i] == '\\') CreateFolder(path.substr(0, i));
    CreateFolder(path);
    return DirectoryExists(path);
}

bool RemoveFolder(const std::string& path, SystemError* error) {
    return Report(RemoveDirectoryW(ToWide(path).c_str()), error);
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const DWORD oldAttrs = PathAttributes(path);
    if (oldAttrs != INVALID_FILE_ATTRIBUTES && (oldAttrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::string temp = path + ".new";
    bool ok = false;
    {
        File f(temp, File::Open::Create);
        ok = f && f.WriteAll(bytes) && f.Flush();
    }
    // Not ReplaceFile: some systems delete the old file before the new one is in place.
    for (int attempt = 0; ok && attempt < 20; ++attempt) {
        SystemError err = 0;
        if (RenamePath(temp, path, true, &err)) return true;
        if (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION) break;
        Sleep(25);  // another reader (a virus scanner, an editor) holds it for a moment
    }
    DeletePath(temp);
    return false;
}

File::File(const std::string& path, Open how) {
    DWORD access = GENERIC_READ, share = 0, disposition = OPEN_EXISTING, flags = FILE_ATTRIBUTE_NORMAL;
    switch (how) {
    case Open::Read:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        break;
    case Open::Exclusive:
        access = GENERIC_READ | GENERIC_WRITE;
        flags |= FILE_FLAG_OPEN_REPARSE_POINT;
        break;
    case Open::Create:
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case Open::Append:
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ;
        disposition = OPEN_ALWAYS;
        break;
    case Open::Shared:
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    handle_.reset(CreateFileW(ToWide(path).c_str(), access, share, nullptr, disposition, flags, nullptr));
    error_ = handle_ ? ERROR_SUCCESS : GetLastError();
}

bool File::Done(BOOL ok) {
    error_ = ok ? ERROR_SUCCESS : GetLastError();
    return ok != FALSE;
}

int64_t File::Size() {
    LARGE_INTEGER size{};
    if (!Done(handle_ && GetFileSizeEx(handle_.get(), &size))) return -1;
    return size.QuadPart;
}

bool File::Seek(int64_t offset) {
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    return Done(handle_ && SetFilePointerEx(handle_.get(), at, nullptr, FILE_BEGIN));
}

bool File::SeekEnd() {
    LARGE_INTEGER zero{};
    return Done(handle_ && SetFilePointerEx(handle_.get(), zero, nullptr, FILE_END));
}

bool File::Read(void* data, size_t size, size_t& got) {
    DWORD n = 0;
    const bool ok = Done(handle_ && ReadFile(handle_.get(), data, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)),
                                             &n, nullptr));
    got = ok ? n : 0;
    return ok;
}

bool File::WriteAll(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 24));
        DWORD wrote = 0;
        if (!Done(handle_ && WriteFile(handle_.get(), p, want, &wrote, nullptr))) return false;
        if (wrote == 0) {
            error_ = ERROR_WRITE_FAULT;
            return false;
        }
        p += wrote;
        size -= wrote;
    }
    return true;
}

bool File::Flush() { return Done(handle_ && FlushFileBuffers(handle_.get())); }

bool File::Truncate() { return Done(handle_ && SetEndOfFile(handle_.get())); }

DWORD File::Attributes() {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!Done(handle_ && GetFileInformationByHandle(handle_.get(), &info))) return INVALID_FILE_ATTRIBUTES;
    return info.dwFileAttributes;
}

namespace {

// The path the system resolves an open handle to; empty when unknown.
std::wstring FinalPathOf(HANDLE h) {
    std::wstring buf(MAX_PATH + 8, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD n = GetFinalPathNameByHandleW(h, buf.data(), static_cast<DWORD>(buf.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return {};
        if (n < buf.size()) return buf.substr(0, n);
        buf.resize(n + 1);
    }
    return {};
}

// The path the system resolves an entry to, opened without following a link
// at the end of it; empty when it cannot be opened.
std::wstring ResolvedPath(const std::wstring& path) {
    UniqueFile h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h ? FinalPathOf(h.get()) : std::wstring();
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

// Where the entry would resolve to if it were no link: its folder's resolved
// path plus its own name; empty when the folder cannot be resolved.
static std::wstring ResolvedAsItself(const std::wstring& wide) {
    const size_t slash = wide.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    std::wstring parent = wide.substr(0, slash);
    if (parent.size() == 2 && parent[1] == L':') parent += L'\\';  // a drive's root
    std::wstring folder = ResolvedPath(parent);
    if (folder.empty()) return {};
    if (folder.back() != L'\\') folder += L'\\';
    return folder + wide.substr(slash + 1);
}

std::string File::FinalPath() { return handle_ ? FromWide(FinalPathOf(handle_.get())) : std::string(); }

bool IsLink(const std::string& path) {
    const std::wstring wide = ToWide(path);
    const DWORD attrs = GetFileAttributesW(wide.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return false;
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return true;
    const std::wstring self = ResolvedPath(wide), itself = ResolvedAsItself(wide);
    if (self.empty() || itself.empty()) return false;  // nothing to compare: taken as what it says it is
    return !SameNameIgnoringCase(self, itself);
}

bool DeleteLinkItself(const std::string& path) {
    const std::wstring wide = ToWide(path);
    const std::wstring itself = ResolvedAsItself(wide);
    if (itself.empty()) return false;
    UniqueFile h(CreateFileW(wide.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    // The handle must stand for the link, not for what it points to.
    if (!h || !SameNameIgnoringCase(FinalPathOf(h.get()), itself)) return false;
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &dispose, sizeof dispose)) return false;
    h.reset();
    return GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
}

FolderWalker::FolderWalker(const std::string& folder) {
    // "C:" alone is the drive's root here, not its current folder.
    const std::string path = folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
    folder_.reset(CreateFileW(ToWide(path).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder_) {
        error_ = GetLastError();
        if (error_ == ERROR_FILE_NOT_FOUND) error_ = ERROR_PATH_NOT_FOUND;  // as a search in it would say
        return;
    }
    buffer_.resize(64 * 1024 / sizeof(unsigned long long));
    at_ = SIZE_MAX;
    if (!Fill()) {
        error_ = GetLastError();
        folder_.reset();  // a file, not a folder
    }
}

bool FolderWalker::Fill() {
    const FILE_INFO_BY_HANDLE_CLASS kind = first_ ? FileFullDirectoryRestartInfo : FileFullDirectoryInfo;
    first_ = false;
    if (!GetFileInformationByHandleEx(folder_.get(), kind, buffer_.data(),
                                      static_cast<DWORD>(buffer_.size() * sizeof(unsigned long long)))) {
        at_ = SIZE_MAX;
        return GetLastError() == ERROR_NO_MORE_FILES;
    }
    at_ = 0;
    return true;
}

bool FolderWalker::Next(FolderEntry& entry) {
    if (!folder_) return false;
    if (at_ == SIZE_MAX && (!Fill() || at_ == SIZE_MAX)) {
        folder_.reset();
        return false;
    }
    const auto* e = reinterpret_cast<const FILE_FULL_DIR_INFO*>(reinterpret_cast<const char*>(buffer_.data()) + at_);
    at_ = e->NextEntryOffset ? at_ + e->NextEntryOffset : SIZE_MAX;
    entry.name = FromWide(std::wstring_view(e->FileName, e->FileNameLength / sizeof(wchar_t)));
    entry.attributes = e->FileAttributes;
    entry.size = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : static_cast<int64_t>(e->EndOfFile.QuadPart);
    entry.writeTime = static_cast<uint64_t>(e->LastWriteTime.QuadPart);
    return true;
}

uint64_t NowAsFileTime() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::string ReadIniString(const std::string& path, const std::string& section, const std::string& key) {
    wchar_t value[1024] = {};
    const DWORD n = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), L"", value, 1024,
                                             ToWide(path).c_str());
    return FromWide(std::wstring_view(value, n));
}

std::string LocaleDecimalSeparator() {
    wchar_t buf[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) <= 1) return ".";
    return FromWide(buf);
}
