#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <set>
#include <string>

#include "integration/fixtures.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/wide.h"

namespace {
// Commits an entry the way Windows stores its cache and cookie entries.
bool Commit(const std::string& url, const std::string& content, DWORD type) {
    char local[MAX_PATH + 1] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "", local, 0)) return false;
    HANDLE h = CreateFileA(local, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD w = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &w, nullptr);
    CloseHandle(h);
    FILETIME zero{};
    return CommitUrlCacheEntryA(url.c_str(), local, zero, zero, type, nullptr, 0, nullptr, nullptr);
}
}  // namespace

TEST(Platform, FileSizesAreSixtyFourBit) {
    TempFolder dir("Sizes");
    const std::string small = dir.File("small.bin", "hello");
    EXPECT_EQ(FileSize64(small), 5);
    EXPECT_EQ(FileSize64(dir.path() + "\\missing"), -1);
    EXPECT_EQ(FileSize64(dir.path()), -1);  // a folder has no file size
    // A sparse file past 2 GiB costs no disk space.
    const std::string big = dir.path() + "\\big.bin";
    HANDLE h = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER pos{};
    pos.QuadPart = 3LL * 1024 * 1024 * 1024 + 7;
    ASSERT_TRUE(SetFilePointerEx(h, pos, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    EXPECT_EQ(FileSize64(big), 3LL * 1024 * 1024 * 1024 + 7);
}

TEST(Platform, FoldersDrivesAndSpecialFolders) {
    TempFolder dir("Walk");
    dir.File("a");
    dir.Folder("b");
    FolderWalker w(dir.path());
    FolderEntry e;
    std::set<std::string> names;
    while (w.Next(e)) names.insert(e.name + ":" + std::to_string(e.attributes & FILE_ATTRIBUTE_DIRECTORY ? 1 : 0));
    EXPECT_TRUE(names.count("a:0"));
    EXPECT_TRUE(names.count("b:1"));
    EXPECT_TRUE(names.count(".:1"));
    FolderWalker none(dir.path() + "\\missing");
    EXPECT_FALSE(none.Next(e));
    EXPECT_FALSE(none.Next(e));
    EXPECT_EQ(none.Error(), static_cast<SystemError>(ERROR_PATH_NOT_FOUND));
    FolderWalker file(dir.path() + "\\a");  // a file is no folder to list
    EXPECT_FALSE(file.Next(e));
    // A drive's letter alone is its root, as "C:\\*.*" always was, not the drive's current folder.
    auto namesIn = [&](const std::string& folder) {
        std::set<std::string> found;
        FolderWalker walk(folder);
        for (FolderEntry entry; walk.Next(entry);) found.insert(entry.name);
        return found;
    };
    const std::string drive = dir.path().substr(0, 2);
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(ToWide(dir.path()).c_str());
    EXPECT_EQ(namesIn(drive), namesIn(drive + "\\"));
    EXPECT_FALSE(namesIn(drive).count("a"));
    SetCurrentDirectoryW(before);
    EXPECT_EQ(DriveType("C:\\"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_FALSE(SystemDirectory().empty());
    EXPECT_TRUE(DirectoryExists(SystemDirectory()));
    bool opened = false;
    EXPECT_FALSE(ShellFolder("AppData", &opened).empty());
    EXPECT_TRUE(opened);
    EXPECT_EQ(ShellFolder("No Such Folder"), "");
}

TEST(Platform, ReadWholeFileKeepsEveryByte) {
    TempFolder dir("Read");
    const std::string bytes("a\r\nb\0c\rd\n", 9);
    const std::string p = dir.File("t.txt", bytes);
    std::string got;
    ASSERT_TRUE(ReadWholeFile(p, got));
    EXPECT_EQ(got, bytes);
    EXPECT_FALSE(ReadWholeFile(dir.path() + "\\missing", got));
}

TEST(Platform, UrlCacheWalkSeesCommittedEntriesAndDeletes) {
    const std::string page = "http://sorvanda.test/page.html";
    const std::string cookie = "Cookie:user@sorvanda.test/";
    ASSERT_TRUE(Commit(page, "<html></html>", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(Commit(cookie, "c=1", NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY));
    UrlCacheWalker walker;
    UrlCacheEntry entry;
    bool sawPage = false, sawCookie = false;
    int n = 0;
    for (bool ok = walker.First(entry); ok; ok = walker.Next(entry), ++n) {
        if (entry.url == page) {
            sawPage = true;
            EXPECT_TRUE(entry.type & 1);
            EXPECT_EQ(FileSize64(entry.localFile), 13);
        }
        if (entry.url == cookie) {
            sawCookie = true;
            EXPECT_TRUE(entry.type & 1);
            EXPECT_TRUE(entry.type & COOKIE_CACHE_ENTRY);
        }
        ASSERT_LT(n, 100000);  // the walk ends
    }
    EXPECT_TRUE(sawPage);
    EXPECT_TRUE(sawCookie);
    EXPECT_FALSE(walker.Next(entry));  // stays ended
    EXPECT_TRUE(DeleteUrlCacheEntryByUrl(page));
    EXPECT_TRUE(DeleteUrlCacheEntryByUrl(cookie));
    EXPECT_TRUE(DeleteUrlCacheEntryByUrl(page));  // already gone counts as gone
    UrlCacheWalker again;
    for (bool ok = again.First(entry); ok; ok = again.Next(entry)) EXPECT_NE(entry.url, page);
}
