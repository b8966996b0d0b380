// Benchmarks: each row times the product against a bare loop over the same
// data, side by side in one run, and prints the ratio.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "tests/support/entry_hook.h"
#include "tests/support/long_loops.h"
#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/scan_session.h"
#include "platform/registry.h"
#include "scan/scan_conventions.h"
#include "scan/database_reading.h"
#include "scan/scanners.h"
#include "platform/shell.h"
#include "tools/seeder/seeder.h"
#include <wininet.h>
#include <shlobj.h>
#include <shellapi.h>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>
#include "platform/database.h"
#include "platform/database_snapshot.h"
#include "clean/database_rows.h"
#include <sqlite3.h>
#include "platform/files.h"
#include "platform/wide.h"
#include "clean/clean_engine.h"
#include "clean/wipe.h"
#include "clean/shred.h"
#include <commctrl.h>
#include <psapi.h>
#include "scan/scan_run.h"
#include "app/data_module.h"
#include "ui/frm_main.h"
#include "scan/profile_text.h"
#include "scan/community_scanner.h"

namespace {

constexpr char kBenchKey[] = "Software\\OrmatekSorvandaBench";

void ExclusionTest() {
    TExcludeContents list;
    for (int i = 0; i < 10000; ++i)
        list.Item(list.AddNew()) = {"Run History", "HKEY_CURRENT_USER\\Software\\Key" + std::to_string(i % 100), "v",
                                    " data number " + std::to_string(i) + " "};
    const TExcludeContents& c = list;
    std::vector<std::string> datas;
    for (int i = 0; i < 1000; ++i) datas.push_back("data number " + std::to_string(i * 17));
    const std::string location = "HKEY_CURRENT_USER\\Software\\Key7";
    IsRegExcluded("Run History", location, "v", datas[0], c);  // builds the index once
    volatile int hits = 0;
    const int rounds = 200;
    const double product = BestOf(5, [&] {
        for (int r = 0; r < rounds; ++r)
            for (const std::string& d : datas) hits = hits + IsRegExcluded("Run History", location, "v", d, c);
    });
    volatile int equal = 0;
    const std::string probe = "data number 12345";
    const double baseline = BestOf(5, [&] {
        for (int r = 0; r < rounds; ++r)
            for (const std::string& d : datas) equal = equal + (d == probe);
    });
    const double n = rounds * static_cast<double>(datas.size());
    PrintRow("IsRegExcluded, 10,000 entries (per test, ns)", product / n * 1e9, baseline / n * 1e9, "ns");
}

void ListScanner() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    const std::string path = std::string(kBenchKey) + "\\RunMRU";
    {
        RegKey k;
        k.OpenOrCreate(HKEY_CURRENT_USER, path);
        for (int i = 0; i < 10000; ++i)
            k.WriteString("value" + std::to_string(i), "C:\\Documents\\file number " + std::to_string(i) + ".txt");
    }
    ScanSession session;
    TreeModel tree;
    BuildItemTree(tree, session.Catalogs());
    session.ExcludeList.Item(session.ExcludeList.AddNew()) = {"Run History", "HKEY_CURRENT_USER\\Other", "", "x"};
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", path.c_str(),
                             ListScannerRow::Lists::Values, 2, NameField::ValueName, true, TestData::ValueText};
    TResultContents results;
    const double product =
        BestOf(5, [&] { RunListScanner(row, ContextFor(session, tree, 29, results)); }, [&] { results.Clear(); });
    volatile size_t bytes = 0;
    const double baseline = BestOf(5, [&] {
        HKEY h;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(path).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
        wchar_t name[256], data[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nlen = 256;
            if (RegEnumValueW(h, i, name, &nlen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            DWORD dlen = sizeof data, type = 0;
            if (RegQueryValueExW(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &dlen) == ERROR_SUCCESS)
                bytes = bytes + dlen;
        }
        RegCloseKey(h);
    });
    PrintRow("list scanner, key of 10,000 values (ms; goal 0.8)", product * 1e3, baseline * 1e3, "ms");
    if (results.Count() != 10000) std::printf("  (unexpected: %d records)\n", results.Count());
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
}

// A session and its item tree, for scanning single items.
struct Scan {
    ScanSession session;
    TreeModel tree;
    TResultContents results;
    Scan() { BuildItemTree(tree, session.Catalogs()); }
    void Item(const CatalogItem& item) { ScanOneItem(session, item, tree, results); }
    void Item(const char* name) { Item(*FindCatalogItemByName(name)); }
};

void UrlCache(int entries) {
    SeedOptions o;
    o.items = {"Cache"};
    o.count = entries;
    SeedTraces(o);
    Scan scan;
    const double product = BestOf(3, [&] { scan.Item("Cache"); }, [&] { scan.results.Clear(); });
    const int found = scan.results.Count();
    volatile int n = 0;
    const double baseline = BestOf(3, [&] {
        std::vector<unsigned char> buf(64 * 1024);
        DWORD size = static_cast<DWORD>(buf.size());
        auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buf.data());
        HANDLE h = FindFirstUrlCacheEntryW(nullptr, info, &size);
        if (!h) return;
        do {
            n = n + 1;
            size = static_cast<DWORD>(buf.size());
        } while (FindNextUrlCacheEntryW(h, info, &size));
        FindCloseUrlCache(h);
    });
    PrintRow("URL-cache scan, " + std::to_string(entries) + " entries (ms)", product * 1e3, baseline * 1e3, "ms");
    if (found != entries) std::printf("  (unexpected: %d records)\n", found);
    ClearTraces(o);
}

void RecentFolder(int files) {
    SeedOptions o;
    o.items = {"Recent Files"};
    o.count = files;
    SeedTraces(o);
    const std::string folder = ShellFolder("Recent");
    Scan scan;
    volatile int n = 0;
    const auto [product, baseline] = BestOfAlternating(
        9, [&] { scan.Item("Recent Files"); },
        [&] {
            WIN32_FIND_DATAW d;
            HANDLE h = FindFirstFileW(ToWide(folder + "\\*.*").c_str(), &d);
            if (h == INVALID_HANDLE_VALUE) return;
            do n = n + 1;
            while (FindNextFileW(h, &d));
            FindClose(h);
        },
        [&] { scan.results.Clear(); });
    const int found = scan.results.Count();
    PrintRow("folder walk (Recent), " + std::to_string(files) + " files (ms; goal 0.8)", product * 1e3, baseline * 1e3, "ms");
    if (found != files) std::printf("  (unexpected: %d records)\n", found);
    ClearTraces(o);
}

// A history database of two profiles: the scan against a bare SELECT of the
// same columns over the same tables, at two sizes, so that its growth shows.
void BrowserHistory(int rows) {
    SeedOptions o;
    o.items = {"Chrome History"};
    o.count = rows;
    SeedTraces(o);
    const std::string data = ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\";
    const CatalogItem& item = *FindCatalogItemByName("Chrome History");
    Scan scan;
    volatile int64_t n = 0;
    // A bare SELECT of the same columns the scan reads, over one table of the file itself.
    auto select = [&](const std::string& path, BrowserDatabase database) {
        const DatabaseLayout l = LayoutOf(database);
        auto column = [](const char* c) { return *c ? std::string(c) : std::string("NULL"); };
        Database db;
        db.Open(path, Database::Mode::ReadOnly);
        Database::Statement s(db, "SELECT rowid, " + column(l.name) + ", " + column(l.text) + ", " + column(l.more) +
                                      " FROM " + l.table + " ORDER BY rowid");
        while (s.Step()) n = n + static_cast<int64_t>(s.Text(1).size() + s.Text(2).size() + s.Text(3).size());
    };
    for (int all = 0; all < 2; ++all) {
        // The item reads every database of the profile that keeps a page (history, icons, top
        // sites, shortcuts, predictions); the older row set it against the history's urls alone.
        const auto [product, baseline] = BestOfAlternating(
            5, [&] { scan.Item("Chrome History"); },
            [&] {
                for (const char* profile : {"Default", "Profile 1"}) {
                    if (!all) {
                        select(data + profile + "\\History", BrowserDatabase::ChromiumHistory);
                        continue;
                    }
                    for (const ProfileStore& store : item.stores)
                        if (store.kind == StoreKind::DatabaseRows)
                            select(data + profile + "\\" + std::string(store.paths[0]), store.database);
                }
            },
            [&] { scan.results.Clear(); });
        const int found = scan.results.Count();
        PrintRow("browser history, 2 profiles of " + std::to_string(rows) + " rows" +
                     (all ? ", against its five tables (ms; goal 1.2)" : ", against urls alone (ms)"),
                 product * 1e3, baseline * 1e3, "ms");
        if (all) std::printf("  (%.2f us a row)\n", product * 1e6 / (2.0 * rows));
        if (found != 2 * rows) std::printf("  (unexpected: %d records)\n", found);
    }
    ClearTraces(o);
}

// The scan's private copy of one History: in memory when no journal or log
// lies beside it (against reading the file), and with a journal in a folder
// of its own, overwritten afterwards (against copying both files and deleting them).
void DatabaseCopies(int rows) {
    SeedOptions o;
    o.items = {"Chrome History"};
    o.count = rows;
    SeedTraces(o);
    const std::string history = ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\Default\\History";
    Pair t = BestOfAlternating(5, [&] { DatabaseSnapshot copy(history); }, [&] {
        std::string bytes;
        ReadWholeFile(history, bytes);
    });
    PrintRow("database copy for the scan, " + std::to_string(rows) + " rows, in memory (ms)", t.product * 1e3,
             t.baseline * 1e3, "ms");
    // A journal the browser keeps between transactions (its header zeroed): copied, then overwritten.
    {
        File journal(history + "-journal", File::Open::Create);
        journal.WriteAll(std::string(512 * 1024, '\0'));
    }
    const std::string tmp = TempDirectory();
    t = BestOfAlternating(
        3, [&] { DatabaseSnapshot copy(history); },
        [&] {
            CopyFileW(ToWide(history).c_str(), ToWide(tmp + "plain-copy").c_str(), FALSE);
            CopyFileW(ToWide(history + "-journal").c_str(), ToWide(tmp + "plain-copy-journal").c_str(), FALSE);
            DeleteFileW(ToWide(tmp + "plain-copy").c_str());
            DeleteFileW(ToWide(tmp + "plain-copy-journal").c_str());
        });
    PrintRow("database copy for the scan, " + std::to_string(rows) + " rows, with journal (ms)", t.product * 1e3,
             t.baseline * 1e3, "ms");
    ClearTraces(o);
}

// Removing every row of a History of the given size against the same rows
// deleted by one statement per table over a table of their ids, in one
// transaction with secure deletion and a rebuild, through SQLite alone.
void HistoryClean(int rows) {
    SeedOptions o;
    o.items = {"Chrome History"};
    o.count = rows;
    SeedTraces(o);
    const std::string seeded = ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\Default\\History";
    const std::string tmp = TempDirectory(), product = tmp + "bench-product-History", baseline = tmp + "bench-baseline-History";
    std::vector<FoundRow> found;
    {
        Database db;
        db.Open(seeded, Database::Mode::ReadOnly);
        Database::Statement s(db, "SELECT id, url FROM urls");
        while (s.Step()) found.push_back({s.Int(0), s.Text(1), {}, {}, {}});
    }
    constexpr const char* kBaseline = R"sql(
        PRAGMA secure_delete = ON; PRAGMA temp_store = MEMORY; BEGIN IMMEDIATE;
        CREATE TEMP TABLE ids(id INTEGER PRIMARY KEY); INSERT INTO ids SELECT id FROM urls;
        CREATE TEMP TABLE vids(id INTEGER PRIMARY KEY); INSERT INTO vids SELECT id FROM visits WHERE url IN (SELECT id FROM ids);
        DELETE FROM visit_source WHERE id IN (SELECT id FROM vids);
        DELETE FROM content_annotations WHERE visit_id IN (SELECT id FROM vids);
        DELETE FROM context_annotations WHERE visit_id IN (SELECT id FROM vids);
        DELETE FROM clusters_and_visits WHERE visit_id IN (SELECT id FROM vids);
        DELETE FROM cluster_visit_duplicates WHERE visit_id IN (SELECT id FROM vids);
        DELETE FROM visits WHERE id IN (SELECT id FROM vids);
        DELETE FROM keyword_search_terms WHERE url_id IN (SELECT id FROM ids);
        DELETE FROM segment_usage WHERE segment_id IN (SELECT id FROM segments WHERE url_id IN (SELECT id FROM ids));
        DELETE FROM segments WHERE url_id IN (SELECT id FROM ids);
        DELETE FROM visited_links WHERE link_url_id IN (SELECT id FROM ids);
        DELETE FROM urls WHERE id IN (SELECT id FROM ids);
        COMMIT; VACUUM;
    )sql";
    size_t removed = 0;
    const auto [productTime, baselineTime] = BestOfAlternating(
        3,
        [&] {
            removed = 0;
            for (StayReason why : RemoveDatabaseRows(product, BrowserDatabase::ChromiumHistory, found))
                removed += why == StayReason::None;
        },
        [&] {
            sqlite3* db = nullptr;
            sqlite3_open(baseline.c_str(), &db);
            sqlite3_exec(db, kBaseline, nullptr, nullptr, nullptr);
            sqlite3_close(db);
        },
        [&] {
            CopyFileW(ToWide(seeded).c_str(), ToWide(product).c_str(), FALSE);
            CopyFileW(ToWide(seeded).c_str(), ToWide(baseline).c_str(), FALSE);
        });
    PrintRow("browser history clean, " + std::to_string(rows) + " rows (ms; goal 1.5)", productTime * 1e3, baselineTime * 1e3, "ms");
    if (removed != found.size()) std::printf("  (unexpected: %zu of %zu removed)\n", removed, found.size());
    DeleteFileW(ToWide(product).c_str());
    DeleteFileW(ToWide(baseline).c_str());
    ClearTraces(o);
}

// A clean while the browser holds its History: every row stays at once,
// whatever their number (20,000 rows against 2,000).
void HeldDatabaseClean() {
    double times[2] = {};
    for (int k = 0; k < 2; ++k) {
        const int rows = k == 0 ? 20000 : 2000;
        SeedOptions o;
        o.items = {"Chrome History"};
        o.count = rows;
        SeedTraces(o);
        const std::string history = ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\Default\\History";
        Scan scan;
        scan.Item("Chrome History");
        for (int i = 0; i < scan.results.Count(); ++i)
            scan.results.Item(i).Checked = scan.results.Item(i).Location == history;
        Database browser;
        browser.Open(history, Database::Mode::ReadWrite);
        browser.Exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE");
        times[k] = BestOf(3, [&] {
            CleanProgress progress;
            CleanEvidences(scan.results, progress);
        });
        browser.Exec("COMMIT");
        browser.Close();
        ClearTraces(o);
    }
    PrintRow("clean of a held History, 20000 rows against 2000 (ms)", times[0] * 1e3, times[1] * 1e3, "ms");
}

void WriteBig(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD w = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &w, nullptr);
    CloseHandle(h);
}

void HistoryCutting(int megabytes) {
    const std::string profile = ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles\\bench.default";
    SHCreateDirectoryExA(nullptr, profile.c_str(), nullptr);
    std::string text;
    text.reserve(static_cast<size_t>(megabytes) << 20);
    for (int i = 0; text.size() < (static_cast<size_t>(megabytes) << 20); ++i)
        text += "[-" + std::to_string(i) + ":^80(^81=1)(A=http://www.example.com/some/page/" + std::to_string(i) +
                ".html)(^83=1234567890)]\n";
    const std::string file = profile + "\\history.dat";
    WriteBig(file, text);
    const double mb = static_cast<double>(text.size()) / (1 << 20);
    text.clear();
    text.shrink_to_fit();
    Scan scan;
    const double product = BestOf(3, [&] { scan.Item(*FindCatalogItem(3, 5)); },
                                  [&] { scan.results.Clear(); });
    std::string raw;
    const double baseline = BestOf(3, [&] { ReadWholeFile(file, raw); });
    // The cutting alone, over the text as the scanner prepares it.
    const std::string joined = JoinLinesCrLf(raw);
    volatile size_t cut = 0;
    const double cutting = BestOf(3, [&] {
        CutHistoryEntries(joined, [&](std::string_view e) { cut = cut + e.size(); return true; });
    });
    const double joining = BestOf(3, [&] { cut = cut + JoinLinesCrLf(raw).size(); });
    std::printf("  (cutting alone %d MB/s, line joining %d MB/s)\n", static_cast<int>(mb / cutting),
                static_cast<int>(mb / joining));
    PrintRow("history cutting, " + std::to_string(megabytes) + " MB file (" + std::to_string(static_cast<int>(mb / product)) +
                 " MB/s, goal 1000; reading " + std::to_string(static_cast<int>(mb / baseline)) + " MB/s) (ms)",
             product * 1e3, baseline * 1e3, "ms");
    // The scan keeps positions into the text; a record is made when first read.
    // What making all of them costs once the scan is over (totals, the list):
    volatile int64_t chars = 0;
    const double making = BestOf(1, [&] {
        for (int i = 0; i < scan.results.Count(); ++i) chars = chars + std::as_const(scan.results).Item(i).Size;
    });
    std::printf("  (%d records; every one made afterwards: %d ms)\n", scan.results.Count(),
                static_cast<int>(making * 1e3));
    SeedOptions o;
    o.items = {"FireFoxHistory"};
    ClearTraces(o);
}

void ProfileSearch(int entries) {
    const std::string root = ShellFolder("AppData") + "\\SorvandaBenchTree";
    const int folders = 100, perFolder = entries / folders - 1;
    for (int f = 0; f < folders; ++f) {
        const std::string dir = root + "\\profile" + std::to_string(f);
        SHCreateDirectoryExA(nullptr, dir.c_str(), nullptr);
        for (int i = 0; i < perFolder; ++i) WriteBig(dir + "\\file" + std::to_string(i) + ".sqlite", "x");
    }
    WriteBig(root + "\\profile77\\history.dat", "(A=http://x/)");
    Scan scan;
    std::vector<std::string> foundPaths;
    const double product = BestOf(
        3, [&] { foundPaths = FindProfileFiles(root, "history.dat", ContextFor(scan.session, scan.tree, 0, scan.results)); });
    const bool found = foundPaths.size() == 1;
    volatile int n = 0;
    std::function<void(const std::string&)> walk = [&](const std::string& dir) {
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW(ToWide(dir + "\\*.*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return;
        do {
            n = n + 1;
            if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && wcscmp(d.cFileName, L".") && wcscmp(d.cFileName, L".."))
                walk(dir + "\\" + FromWide(d.cFileName));
        } while (FindNextFileW(h, &d));
        FindClose(h);
    };
    const double baseline = BestOf(3, [&] { walk(root); });
    PrintRow("FindProfileFiles, tree of " + std::to_string(entries) + " entries (ms)", product * 1e3, baseline * 1e3, "ms");
    if (!found) std::printf("  (unexpected: history.dat not found)\n");
    SHFILEOPSTRUCTA op{};
    std::string from = root + std::string(1, '\0');
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

// A headless scan of every item of a prefix seeded with `perItem` entries in
// every place: wall time and the process's peak memory.
void FullScan(int perItem) {
    SeedOptions o;
    o.count = perItem;
    const double seed0 = NowSeconds();
    const SeedReport report = SeedTraces(o);
    const double seeding = NowSeconds() - seed0;
    size_t made = 0;
    for (const auto& [item, ids] : report.made) made += ids.size();
    PROCESS_MEMORY_COUNTERS before{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    std::optional<ScanSession> session(std::in_place);
    TreeModel tree;
    BuildItemTree(tree, session->Catalogs());
    for (const CatalogItem& item : kCatalogItems) tree.SetTicked(item.node, true);
    const double t0 = NowSeconds();
    const int found = RunScan(*session, tree);
    const double wall = NowSeconds() - t0;
    PROCESS_MEMORY_COUNTERS after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    // What the records themselves hold: each one, its pointer in the list, and
    // the heap blocks of its own longer texts (a text of up to 15 bytes is kept
    // inside; the shared texts are kept once for all).
    size_t held = 0, records = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *session->ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i, ++records) {
            const TResultContentItem& r = results.Item(i);
            held += sizeof r + sizeof(void*);
            for (const std::string* s : {&r.ValueName, &r.KeyName, &r.ValueData, &r.Location, &r.Detail})
                if (s->capacity() > 15) held += (s->capacity() + 1 + 15) / 16 * 16;
        }
    }
    const double perRecord = records ? static_cast<double>(held) / static_cast<double>(records) : 0;
    const double peakPerRecord =
        found > 0 ? static_cast<double>(after.PeakWorkingSetSize - before.PeakWorkingSetSize) / found : 0;
    std::printf("%-58s %11.3f ms, %d records of %zu made; peak memory %.1f MB (%.1f MB before the scan);"
                " seeding took %.1f s\n",
                ("full headless scan, " + std::to_string(perItem) + " entries per item").c_str(), wall * 1e3, found,
                made, after.PeakWorkingSetSize / 1048576.0, before.PeakWorkingSetSize / 1048576.0, seeding);
    std::printf("%-58s %11.0f B, goal 400 B (%.0f B of peak memory a record; a record is %zu B alone)\n",
                "bytes a record, held by the records", perRecord, peakPerRecord, sizeof(TResultContentItem));
    session.reset();
    ClearTraces({});
}

// Creates a file of the given size with real blocks (not a sparse file).
bool MakeFile(const std::string& path, int64_t size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::vector<char> block(1 << 20, 'x');
    for (int64_t done = 0; done < size; done += static_cast<int64_t>(block.size())) {
        DWORD w = 0;
        WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &w, nullptr);
    }
    FlushFileBuffers(h);
    CloseHandle(h);
    return true;
}

void Wipe(int64_t size) {
    char tmp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, tmp);
    const std::string path = std::string(tmp) + "sorvanda-wipe-bench.bin";
    const int passes = 2;  // the clean engine's one extra pass
    const double product = BestOf(2, [&] { WipeAndDeleteFile(path, passes - 1); }, [&] { MakeFile(path, size); });
    // The same bytes, written and flushed pass by pass with a plain loop.
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i) block[i] = "01"[i % 2];
    const double baseline = BestOf(2, [&] {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        for (int pass = 0; pass < passes; ++pass) {
            SetFilePointer(h, 0, nullptr, FILE_BEGIN);
            for (int64_t done = 0; done < size; done += static_cast<int64_t>(block.size())) {
                DWORD w = 0;
                WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &w, nullptr);
            }
            FlushFileBuffers(h);
        }
        CloseHandle(h);
        DeleteFileA(path.c_str());
    }, [&] { MakeFile(path, size); });
    const double mb = static_cast<double>(size) * passes / (1 << 20);
    PrintRow("wipe, " + std::to_string(size >> 20) + " MiB file, 2 passes (" + std::to_string(static_cast<int>(mb / product)) +
                 " MB/s vs " + std::to_string(static_cast<int>(mb / baseline)) + " MB/s) (ms)",
             product * 1e3, baseline * 1e3, "ms");
    DeleteFileA(path.c_str());
}

void CleanValues(int values) {
    const std::string path = std::string(kBenchKey) + "\\Clean";
    auto fill = [&] {
        RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
        RegKey k;
        k.OpenOrCreate(HKEY_CURRENT_USER, path);
        for (int i = 0; i < values; ++i) k.WriteString("value" + std::to_string(i), "data");
    };
    TResultContents results;
    const double product = BestOf(3, [&] {
        CleanProgress progress;
        progress.total = results.Count();
        CleanEvidences(results, progress);
    }, [&] {
        fill();
        results.Clear();
        for (int i = 0; i < values; ++i) {
            TResultContentItem& r = results.Item(results.AddNew());
            r.Checked = 1;
            r.SourceType = "Reg";
            r.Kind = 2;
            r.Location = "HKEY_CURRENT_USER\\" + path;
            r.ValueName = "value" + std::to_string(i);
        }
    });
    int deleted = 0;
    for (int i = 0; i < results.Count(); ++i) deleted += std::as_const(results).Item(i).Deleted;
    const double baseline = BestOf(3, [&] {
        HKEY h;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(path).c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
        for (int i = 0; i < values; ++i) RegDeleteValueW(h, (L"value" + std::to_wstring(i)).c_str());
        RegCloseKey(h);
    }, fill);
    PrintRow("clean, " + std::to_string(values) + " registry values (ms)", product * 1e3, baseline * 1e3, "ms");
    if (deleted != values) std::printf("  (unexpected: %d deleted)\n", deleted);
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
}

// Explorer Search History: a clean of 10,000 numbered values against one of
// 1,000 (seeded, scanned, all ticked); the key's MRUListEx is rewritten once a
// clean, so the cost grows with the values, not with their square.
void NumberedValuesClean() {
    double times[2] = {};
    for (int k = 0; k < 2; ++k) {
        SeedOptions o;
        o.items = {"Explorer Search History"};
        o.count = k == 0 ? 10000 : 1000;
        Scan scan;
        times[k] = BestOf(3, [&] {
            CleanProgress progress;
            progress.total = scan.results.Count();
            CleanEvidences(scan.results, progress);
        }, [&] {
            SeedTraces(o);
            scan.results.Clear();
            scan.Item("Explorer Search History");
        });
        int deleted = 0;
        for (int i = 0; i < scan.results.Count(); ++i) deleted += std::as_const(scan.results).Item(i).Deleted;
        if (deleted != o.count) std::printf("  (unexpected: %d of %d deleted)\n", deleted, o.count);
        ClearTraces(o);
    }
    PrintRow("clean of numbered values, 10000 against 1000 (ms; goal 15x)", times[0] * 1e3, times[1] * 1e3, "ms");
}

// Shreds a 1 GiB file at 3 passes; the script times GNU shred -n 3 on a file
// of the same size in the same folder and sets the two side by side.
void Shred(int64_t size) {
    char tmp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, tmp);
    const std::string path = std::string(tmp) + "sorvanda-shred-bench.bin";
    const double product = BestOf(2, [&] { ShredFile(path, 3); }, [&] { MakeFile(path, size); });
    std::printf("shred-product-ms %.3f\n", product * 1e3);
    std::fflush(stdout);
}

// The window's own scan of the URL cache: how long the message queue waits at
// most (the gap between animation ticks, 20 ms apart when idle) and how long
// the result list takes to travel through all its rows.
// The window's scan against a headless run of the same selection on the same
// traces, alternating, best of two each; the longest gap between animation
// ticks in the window's runs.
void WindowScan(const std::string& what, const SeedOptions& seed, const std::vector<int>& untickedCategories) {
    SeedTraces(seed);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    static TDM dm;
    DM = &dm;
    double window = 1e9, headless = 1e9, gap = 0;
    size_t tickCount = 0;
    int rows = 0, found = 0;
    double scroll = 0;
    for (int run = 0; run < 2; ++run) {
        {
            ScanSession session;
            TreeModel tree;
            BuildItemTree(tree, session.Catalogs());
            for (int c : untickedCategories) ClickTickBox(tree, kCatalogCategories[c].node);
            const double t0 = NowSeconds();
            found = RunScan(session, tree);
            headless = std::min(headless, NowSeconds() - t0);
        }
        TFrm_Main form;
        form.Create();
        form.ShowFirst();
        for (int c : untickedCategories) ClickTickBox(form.ScanPage.ItemTree, kCatalogCategories[c].node);
        std::vector<double> ticks;
        auto saved = dm.EvidenceTimer.OnTimer;
        dm.EvidenceTimer.OnTimer = [&] {
            ticks.push_back(NowSeconds());
            saved();
        };
        const double t0 = NowSeconds();
        form.ScanPage.ScanNowBtnClick();
        const double t = NowSeconds() - t0;
        dm.EvidenceTimer.OnTimer = saved;
        window = std::min(window, t);
        // Ticks stop between categories (the timer runs while one is scanned): the gap
        // counted is the longest while a category ran, as the user sees the animation.
        for (size_t i = 1; i < ticks.size(); ++i) gap = std::max(gap, std::min(ticks[i] - ticks[i - 1], 10.0));
        tickCount = ticks.size();
        rows = form.ResultPage.ResultListView.RowCount();
        const double s0 = NowSeconds();
        for (int row = 0; row < rows; row += 40) {  // about a page at a time
            ListView_EnsureVisible(form.ResultPage.ResultListView.hwnd(), row, FALSE);
            UpdateWindow(form.ResultPage.ResultListView.hwnd());
        }
        scroll = NowSeconds() - s0;
    }
    PrintRow("window scan vs headless scan, " + what + " (ms)", window * 1e3, headless * 1e3, "ms");
    std::printf("  (%d records; %zu animation ticks, longest gap %.0f ms; the list of %d rows paged through in %.0f ms)\n",
                found, tickCount, gap * 1e3, rows, scroll * 1e3);
    ClearTraces(seed);
}

void WindowScans(int cacheEntries, int perItem) {
    SeedOptions cache;
    cache.items = {"Cache"};
    cache.count = cacheEntries;
    WindowScan(std::to_string(cacheEntries) + " URL-cache entries", cache, {1, 2, 3, 4, 5});  // Internet Explorer only
    SeedOptions all;
    all.count = perItem;
    WindowScan("demo catalog, " + std::to_string(perItem) + " entries per item", all, {});
}

// How long each long loop takes to return once Abort is pressed during it:
// the click is posted from another thread 30 ms after the loop starts and
// reaches the loop through its own message pumping, as the window's does.
void AbortLatency() {
    ScanSession session;
    TreeModel tree;
    BuildItemTree(tree, session.Catalogs());
    TResultContents results;
    ShredReport report;
    std::vector<std::string> foundPaths;
    AbortButton click(session);
    const std::string key = std::string(kBenchKey) + "\\AbortLatency";
    const std::string dir = TempDirectory() + "SorvandaBenchAbort";
    DeleteFolderTree(dir);
    CreateFolder(dir);
    const std::vector<LongLoop> loops =
        LongLoops({10000, 8000, 1500, 1500000, 300000, 10000, 40000}, key, dir, session, tree, results, report,
                  foundPaths);
    std::printf("abort seen after (ms from the click to the loop's return; goal under 100):\n");
    for (const LongLoop& loop : loops) {
        loop.prepare();
        results.Clear();
        session.ScanState = kScanRunning;
        double pressed = 0;
        std::thread user([&] {
            Sleep(30);
            pressed = NowSeconds();
            click.Press();
        });
        loop.run();
        const double returned = NowSeconds();
        user.join();
        const bool aborted = session.ScanState == kScanAbort;
        session.ScanState = kScanIdle;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        if (aborted) std::printf("  %-40s %8.1f ms\n", loop.name, (returned - pressed) * 1e3);
        else std::printf("  %-40s ended before the click came\n", loop.name);
        std::fflush(stdout);
        loop.tidy();
    }
    DeleteFolderTree(dir);
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
}


// A rule file the size of the community's (4,067 entries with its mix of
// keys), of which 20 programs are present here, against the same scan of the
// default ticks without it: the file is read, parsed and detected once per run.
void CommunityRulesScan() {
    constexpr int kEntries = 4067, kPresentEvery = 200;
    const std::string temp = TempDirectory(), appData = ShellFolder("AppData");
    const std::string file = temp + "bench-winapp2.ini";
    const char* roots[] = {"%LocalAppData%", "%AppData%", "%ProgramFiles%", "%CommonAppData%", "%UserProfile%",
                           "%LocalLowAppData%", "%Documents%", "%WinDir%"};
    std::string text = "; Version: bench\r\n";
    int fileKeys = 0, regKeys = 0, detectFiles = 0, detects = 0;
    for (int i = 0; i < kEntries; ++i) {
        const bool present = i % kPresentEvery == 0;
        const std::string vendor = "BenchVendor" + std::to_string(i) + "\\Program";
        const std::string root = present ? "%AppData%" : roots[i % 8];
        text += "[Bench Program " + std::to_string(i) + " *]\r\n";
        text += i % 8 < 5 ? "LangSecRef=302" + std::to_string(1 + i % 5) + "\r\n" : "Section=Games\r\n";
        if (i % 14 < 5) text += "Detect=HKCU\\Software\\" + vendor + "\r\n", ++detects;
        if (i % 14 >= 3 || present) text += "DetectFile=" + root + "\\" + vendor + "\r\n", ++detectFiles;
        if (i % 5 == 0) text += "DetectFile2=" + root + "\\" + vendor + "*\\app.exe\r\n", ++detectFiles;
        const int keys = 2 + i % 4;
        for (int k = 1; k <= keys; ++k, ++fileKeys)
            text += "FileKey" + std::to_string(k) + "=" + root + "\\" + vendor + (k % 2 ? "\\Cache|*.*|RECURSE" : "|*.log;*.tmp") + "\r\n";
        if (i % 10 < 9) text += "RegKey1=HKCU\\Software\\" + vendor + "\\Recent\r\n", ++regKeys;
        if (i % 47 == 0) text += "ExcludeKey1=FILE|" + root + "\\" + vendor + "\\|settings.ini\r\n";
    }
    HANDLE h = CreateFileW(ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD w = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &w, nullptr);
    CloseHandle(h);
    for (int i = 0; i < kEntries; i += kPresentEvery) {
        const std::string folder = appData + "\\BenchVendor" + std::to_string(i) + "\\Program";
        CreateFolders(folder + "\\Cache");
        for (const char* name : {"\\a.log", "\\Cache\\b.bin", "\\Cache\\c.bin"}) {
            HANDLE f = CreateFileW(ToWide(folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(f);
        }
    }
    SeedOptions o;
    o.count = 3;
    SeedTraces(o);
    int shown = 0, found = 0;
    const auto scan = [&](const std::string& rules, bool tickRules) {
        const RulesLoad load = LoadCommunityRules(rules);
        if (!rules.empty()) shown = load.shown;
        ScanSession session;
        TreeModel tree;
        BuildItemTree(tree, session.Catalogs());
        if (tickRules)
            for (const CatalogItem& item : CommunityItems()) tree.SetTicked(item.node, true);
        found = RunScan(session, tree);
    };
    // The rules of the run before go untimed: the program reads the file once, with none before it.
    const auto none = [] { LoadCommunityRules(""); };
    const Pair load = BestOfAlternating(9, [&] { scan(file, false); }, [&] { scan("", false); }, none);
    PrintRow("scan of the default ticks with a 4,067-entry winapp2.ini (ms)", load.product * 1e3, load.baseline * 1e3, "ms");
    std::printf("  (%d entries shown of %d; %d FileKey, %d RegKey, %d DetectFile, %d Detect lines)\n", shown, kEntries,
                fileKeys, regKeys, detectFiles, detects);
    const double parse = BestOf(9, [&] { volatile size_t n = ParseCommunityRules(text).entries.size(); (void)n; });
    const double loading = BestOf(9, [&] { LoadCommunityRules(file); }, none);
    std::printf("  (reading, parsing and detecting: %.1f ms, of it parsing: %.1f ms)\n", loading * 1e3, parse * 1e3);
    const Pair ticked = BestOfAlternating(9, [&] { scan(file, true); }, [&] { scan("", false); }, none);
    PrintRow("the same with the 21 rules shown ticked (ms)", ticked.product * 1e3, ticked.baseline * 1e3, "ms");
    LoadCommunityRules("");
    ClearTraces(o);
    for (int i = 0; i < kEntries; i += kPresentEvery)
        DeleteFolderTree(appData + "\\BenchVendor" + std::to_string(i));
    DeleteFileW(ToWide(file).c_str());
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--window-only") == 0) {
        WindowScans(argc > 2 ? std::atoi(argv[2]) : 20000, argc > 3 ? std::atoi(argv[3]) : 1000);
        return 0;
    }
    // --row NAME runs one workload alone (for profiling): list, cache, recent, history, profile, abort,
    // browser, database, numbered, rules, full.
    if (argc > 2 && std::strcmp(argv[1], "--row") == 0) {
        PrintHeader();
        const std::string row = argv[2];
        if (row == "list") ListScanner();
        else if (row == "cache") UrlCache(20000);
        else if (row == "recent") RecentFolder(10000);
        else if (row == "history") HistoryCutting(50);
        else if (row == "profile") ProfileSearch(20000);
        else if (row == "abort") AbortLatency();
        else if (row == "browser") BrowserHistory(40000);
        else if (row == "numbered") NumberedValuesClean();
        else if (row == "rules") CommunityRulesScan();
        else if (row == "full") FullScan(1000);
        else if (row == "database") {
            DatabaseCopies(40000);
            HistoryClean(40000);
            HeldDatabaseClean();
        }
        else return 2;
        return 0;
    }
    std::printf("Ormatek Sorvanda benchmarks (best of 5 runs each unless noted; ratio = product / baseline)\n");
    FullScan(1000);  // first, so that its peak memory is its own
    PrintHeader();
    ExclusionTest();
    ListScanner();
    UrlCache(20000);
    RecentFolder(10000);
    HistoryCutting(50);
    ProfileSearch(20000);
    BrowserHistory(5000);
    BrowserHistory(40000);
    DatabaseCopies(40000);
    HistoryClean(40000);
    HeldDatabaseClean();
    CleanValues(10000);
    NumberedValuesClean();
    CommunityRulesScan();
    Wipe(1LL << 30);
    Shred(1LL << 30);
    AbortLatency();
    if (argc > 1 && std::strcmp(argv[1], "--window") == 0)
        WindowScans(argc > 2 ? std::atoi(argv[2]) : 20000, argc > 3 ? std::atoi(argv[3]) : 1000);
    return 0;
}
