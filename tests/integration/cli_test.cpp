#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "integration/fixtures.h"
#include "model/catalog.h"
#include "model/result_items.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "base/utf.h"
#include "tools/cli/json_writer.h"
#include "tools/seeder/seeder.h"

namespace {

std::string Quoted(const std::string& text) {
    JsonWriter w;
    w.Value(text);
    return w.Text();
}

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(Cli, ScanAllListsEveryTraceTheSeederMade) {
    SeedOptions o;
    o.count = 2;
    const SeedReport report = SeedTraces(o);
    ASSERT_EQ(report.made.size(), static_cast<size_t>(kCatalogItemCount));
    const CliRun run = RunCli("scan --all --json");
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    size_t total = 0;
    for (const auto& [item, identities] : report.made) {
        total += identities.size();
        for (const std::string& id : identities)
            EXPECT_NE(run.out.find(Quoted(id)), std::string::npos) << item << ": " << id;
        EXPECT_NE(run.out.find(Quoted(item) + ":" + std::to_string(identities.size())), std::string::npos)
            << "count of " << item;
    }
    EXPECT_EQ(Occurrences(run.out, "\"Index\":"), total);
    EXPECT_NE(run.out.find("\"summary\":\"" + std::to_string(total) + " items that can free "), std::string::npos);
    // By default Favorites is not ticked; the text form ends with the summary line.
    const CliRun text = RunCli("scan");
    EXPECT_EQ(text.exitCode, 0u);
    EXPECT_EQ(text.out.find("Seed Favorite"), std::string::npos);
    EXPECT_NE(text.out.find("items that can free"), std::string::npos);
    // One chosen item only.
    const CliRun one = RunCli("scan --only \"Windows System/TrayNotify\" --json");
    EXPECT_EQ(Occurrences(one.out, "\"Index\":"), 2u);
    ClearTraces({});
}

TEST(Cli, EmptyPrefixListsNothingAndBadArgumentsSayWhy) {
    ASSERT_TRUE(ClearTraces({}));
    const CliRun run = RunCli("scan --all --json");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out.rfind("{\"records\":[],\"counts\":{", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\"summary\":\"\""), std::string::npos);
    for (const char* bad : {"", "scan --bogus", "scan --only \"Nowhere/Nothing\"", "scan --only", "list extra",
                            "explode", "scan --all --only \"Windows System/TrayNotify\""}) {
        const CliRun r = RunCli(bad);
        EXPECT_EQ(r.exitCode, 2u) << bad;
        EXPECT_NE(r.out.find("usage:"), std::string::npos) << bad;
    }
    const CliRun list = RunCli("list");
    EXPECT_EQ(list.exitCode, 0u);
    EXPECT_EQ(Occurrences(list.out, "\n"), static_cast<size_t>(kCatalogItemCount));
    EXPECT_NE(list.out.find("Favorites"), std::string::npos);
}

TEST(Cli, CleanRemovesWhatItFoundAndSaysWhatItCouldNot) {
    ClearTraces({});
    SeedOptions o;
    o.items = {"Run History", "Recent Files"};
    o.count = 2;
    SeedTraces(o);
    CliRun run = RunCli("clean --only \"Windows System/Run History\" --only \"Windows System/Recent Files\" --json");
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_EQ(Occurrences(run.out, "\"Deleted\":true"), 5u);  // a, b, MRUList and two files
    EXPECT_EQ(Occurrences(run.out, "\"Deleted\":false"), 0u);
    run = RunCli("scan --only \"Windows System/Run History\" --only \"Windows System/Recent Files\" --json");
    EXPECT_EQ(Occurrences(run.out, "\"Index\":"), 0u);
    // A file held open by someone else cannot go: exit status 1, and the text says so.
    SeedTraces(o);
    char recent[MAX_PATH + 1] = {};
    HKEY h;
    DWORD size = sizeof recent;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                  KEY_READ, &h);
    RegQueryValueExA(h, "Recent", nullptr, nullptr, reinterpret_cast<BYTE*>(recent), &size);
    RegCloseKey(h);
    const std::string file = std::string(recent) + "\\Seed Document 1.txt.lnk";
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    run = RunCli("clean --only \"Windows System/Recent Files\"");
    CloseHandle(held);
    EXPECT_EQ(run.exitCode, 1u) << run.out;
    EXPECT_NE(run.out.find("Seed Document 1.txt.lnk\t17\tNOT REMOVED"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Seed Document 2.txt.lnk\t17\tremoved"), std::string::npos);
    EXPECT_NE(run.out.find("Some traces could not be removed."), std::string::npos);
    ClearTraces({});
}

// A clean of everything the demo prefix holds, checked by a second scan:
// nothing a clean could remove is left, and what stays by design says why.
// A file held open stays, and the check says so.
TEST(Cli, CleanOfEverythingLeavesNothingACleanCouldRemove) {
    ClearTraces({});
    SeedOptions o;
    o.count = 3;
    SeedTraces(o);
    std::string recent(MAX_PATH, '\0');
    recent.resize(GetEnvironmentVariableA("APPDATA", recent.data(), MAX_PATH));
    CliRun run = RunCli("clean --all --verify");
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_EQ(run.out.find("NOT REMOVED"), std::string::npos) << run.out;
    const size_t check = run.out.find("== Check again ==");
    ASSERT_NE(check, std::string::npos) << run.out;
    const std::string again = run.out.substr(check);
    EXPECT_EQ(again.find("STILL THERE"), std::string::npos) << again;
    // Windows keeps its jump lists in two folders of Recent: their own item takes their files; the
    // Recent walk lists no folder, so nothing stays for good.
    EXPECT_EQ(again.find("AutomaticDestinations"), std::string::npos) << again;
    EXPECT_NE(again.find("Nothing is left that a clean could remove."), std::string::npos) << again;

    o.items = {"Recent Files"};
    SeedTraces(o);
    const std::string held = recent + "\\Microsoft\\Windows\\Recent\\Seed Document 2.txt.lnk";
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << held;
    run = RunCli("clean --only \"Windows System/Recent Files\" --verify");
    CloseHandle(h);
    EXPECT_EQ(run.exitCode, 1u) << run.out;
    EXPECT_NE(run.out.find("Seed Document 2.txt.lnk\tSTILL THERE"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 trace a clean could remove is still there."), std::string::npos) << run.out;
    ClearTraces({});
}

// An exclusion made from a row of each new kind (as the Result page makes it)
// keeps that trace out of the command line's scan and clean.
TEST(Cli, ExclusionsKeepTracesOfTodaysBrowsersAndWindows) {
    const char* items[] = {"Chrome History", "Chrome Cookies", "Jump Lists", "Program Launch History"};
    Scanned s({items[0], items[1], items[2], items[3]}, 2);
    std::set<std::string> kept;
    TExcludeContents list;
    for (const char* item : items) {
        for (int i = 0; i < s.results.Count(); ++i) {
            const TResultContentItem& r = s.results.Item(i);
            if (r.ItemName != item) continue;
            list.Item(list.AddNew()) = ExclusionEntryOf(r);
            kept.insert(r.ValueName);
            break;  // the first row of each
        }
    }
    ASSERT_EQ(list.Count(), 4);
    std::string saved;
    const bool had = ReadWholeFile(ExcludeFilePath(), saved);
    ASSERT_TRUE(SaveExcludeItemsTo(ExcludeFilePath(), list));
    std::string only;
    for (const char* item : items)
        only += " --only \"" + std::string(kCatalogCategories[FindCatalogItemByName(item)->category].caption) + "/" +
                item + "\"";
    const CliRun clean = RunCli("clean" + only);
    const CliRun after = RunCli("scan" + only + " --json");
    if (had) ReplaceFileContents(ExcludeFilePath(), saved);
    else DeletePath(ExcludeFilePath());
    EXPECT_EQ(clean.exitCode, 0u) << clean.out;
    EXPECT_EQ(Occurrences(clean.out, "\tremoved"), 4u * 3u) << clean.out;  // four of each, one kept
    for (const std::string& name : kept) EXPECT_EQ(clean.out.find(name), std::string::npos) << name;
    // What the exclusions kept is still there, and a scan without them finds exactly it.
    Scanned again;
    for (const char* item : items) again.Scan(item);
    std::set<std::string> left;
    for (int i = 0; i < again.results.Count(); ++i) left.insert(again.results.Item(i).ValueName);
    EXPECT_EQ(left, kept);
    EXPECT_EQ(Occurrences(after.out, "\"Index\":"), 0u) << after.out;
}

// An exclusion file Notepad saved as "Unicode" (UTF-16 with its mark) keeps its
// trace through a clean and is left byte for byte; one with a line that is no
// text stops the clean, which says so, rather than remove what that line may exclude.
TEST(Cli, AnExclusionFileInUtf16KeepsItsTraceAndOneWithABadLineStopsTheClean) {
    Scanned s({"Recent Files"}, 3);
    const TResultContentItem& keep = s.Record("Seed Document 2.txt.lnk");
    const std::string line = FormatExcludeLine(ExclusionEntryOf(keep));
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : Utf16FromUtf8("Cache|http://Ω.example/!<\r\n" + line))
        utf16 += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    std::string saved;
    const bool had = ReadWholeFile(ExcludeFilePath(), saved);
    ASSERT_TRUE(ReplaceFileContents(ExcludeFilePath(), utf16));
    const CliRun clean = RunCli("clean --only \"Windows System/Recent Files\"");
    const std::string afterClean = Slurp(ExcludeFilePath());
    // A NUL inside a line: the list is not wholly read, so nothing is cleaned.
    ASSERT_TRUE(ReplaceFileContents(ExcludeFilePath(), std::string("Cache|http://a/\0!<\r\n", 20) + line));
    const CliRun refused = RunCli("clean --only \"Windows System/Recent Files\"");
    if (had) ReplaceFileContents(ExcludeFilePath(), saved);
    else DeletePath(ExcludeFilePath());

    EXPECT_EQ(clean.exitCode, 0u) << clean.out;
    EXPECT_EQ(Occurrences(clean.out, "\tremoved"), 2u) << clean.out;
    EXPECT_TRUE(afterClean == utf16);
    const std::string recent = ShellFolder("Recent") + "\\";
    EXPECT_TRUE(FileExists(recent + "Seed Document 2.txt.lnk"));
    EXPECT_FALSE(FileExists(recent + "Seed Document 1.txt.lnk"));
    EXPECT_EQ(refused.exitCode, 1u) << refused.out;
    EXPECT_NE(refused.out.find("some lines of the exclusion list"), std::string::npos) << refused.out;
    EXPECT_TRUE(FileExists(recent + "Seed Document 2.txt.lnk"));
}

TEST(Cli, ShredSaysWhatItShreddedAndWhatNot) {
    char tmp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, tmp);
    const std::string dir = std::string(tmp) + "cli-shred";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\tree").c_str(), nullptr);
    for (const char* f : {"\\one.txt", "\\tree\\two.txt", "\\ro.txt"}) {
        HANDLE h = CreateFileA((dir + f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    SetFileAttributesA((dir + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    CliRun run = RunCli("shred --passes 2 \"" + dir + "\\one.txt\" \"" + dir + "\\tree\"");
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_FALSE(FileExists(dir + "\\one.txt"));
    EXPECT_FALSE(DirectoryExists(dir + "\\tree"));
    EXPECT_NE(run.out.find("one.txt\tshredded"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("tree\t1 files shredded, 0 not; folder removed"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Everything was shredded."), std::string::npos) << run.out;
    run = RunCli("shred \"" + dir + "\\ro.txt\" \"" + dir + "\\nothing-here\"");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.out.find("ro.txt\tNOT SHREDDED (read-only)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("nothing-here\tNOT SHREDDED (not found)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Some items could not be shredded and stay where they were."), std::string::npos);
    EXPECT_TRUE(FileExists(dir + "\\ro.txt"));
    EXPECT_EQ(RunCli("shred").exitCode, 2u);
    EXPECT_EQ(RunCli("shred --passes 0 x").exitCode, 2u);
    SetFileAttributesA((dir + "\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((dir + "\\ro.txt").c_str());
    RemoveDirectoryA(dir.c_str());
}
