// Bad input and faults: odd registry data everywhere, keys and files that
// vanish during a scan, huge and binary profile files, and how soon each long
// loop sees an abort.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <random>
#include <cstring>
#include <functional>
#include <set>
#include <thread>

#include "clean/shred.h"
#include "integration/fixtures.h"
#include "model/catalog.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scan_conventions.h"
#include "scan/scan_run.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD w = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &w, nullptr);
    CloseHandle(h);
}

TResultContents Scan(ScanTree& t, const CatalogItem& item) {
    TResultContents results;
    ScannerFor(item.category, item.pos)(t.tree, item.node, results);
    return results;
}

// Runs something once the next pumped messages are handled, from inside a scan.
struct DuringScan {
    static inline std::function<void()> action;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (action) action();
        action = nullptr;
    }
    explicit DuringScan(std::function<void()> a, UINT delayMs = 1) {
        action = std::move(a);
        SetTimer(nullptr, 0, delayMs, Fire);
    }
};

}  // namespace

TEST(Faults, ValuesOfEveryTypeInEveryListedPlace) {
    SeedOptions o;
    o.count = 1;
    SeedTraces(o);
    ScanTree t;
    // Every key a registry trace lives in gets values of every type.
    std::set<std::string> keys;
    for (const CatalogItem& item : kCatalogItems) {
        const TResultContents r = Scan(t, item);
        for (int i = 0; i < r.Count(); ++i)
            if (r.Item(i).SourceType == "Reg") keys.insert(r.Item(i).Location);
    }
    ASSERT_GT(keys.size(), 30u);
    struct Odd { const char* name; DWORD type; std::string bytes; };
    const std::vector<Odd> odd = {
        {"odd none", REG_NONE, ""},
        {"odd dword", REG_DWORD, std::string("\x01\x02\x03\x04", 4)},
        {"odd qword", REG_QWORD, std::string(8, '\x7f')},
        {"odd big endian", REG_DWORD_BIG_ENDIAN, std::string(4, '\x10')},
        {"odd multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
        {"odd link", REG_LINK, std::string("x\0y\0", 4)},
        {"odd binary", REG_BINARY, std::string(256 * 1024, '\xee')},
        {"odd empty text", REG_SZ, ""},
        {"odd unterminated", REG_SZ, "abc"},
        {"odd expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9)},
        {"odd long text", REG_SZ, std::string(70000, 't') + '\0'},
    };
    for (const std::string& full : keys) {
        const KeyPathParts parts = SplitKeyPath(full);
        HKEY h;
        if (RegOpenKeyExA(GetRootKey(parts.rootName), parts.path.c_str(), 0, KEY_WRITE, &h) != ERROR_SUCCESS) continue;
        for (const Odd& v : odd)
            RegSetValueExA(h, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.bytes.data()),
                           static_cast<DWORD>(v.bytes.size()));
        RegCloseKey(h);
    }
    for (const CatalogItem& item : kCatalogItems) {
        const TResultContents r = Scan(t, item);
        for (int i = 0; i < r.Count(); ++i) {
            const TResultContentItem& rec = r.Item(i);
            if (rec.ValueName == "odd dword" || rec.ValueName == "odd binary" || rec.ValueName == "odd multi") {
                EXPECT_EQ(rec.ValueData, "") << item.name;  // not text: empty text, and the scan goes on
            }
            if (rec.Kind == kKindRegValueText && rec.ValueName == "odd unterminated") {
                EXPECT_EQ(rec.ValueData, "abc") << item.name;
            }
            if (rec.Kind == kKindRegValueText && rec.ValueName == "odd long text") {
                EXPECT_EQ(rec.ValueData.size(), 70000u) << item.name;
            }
            if (item.name == "Exe MUICache") {  // plain text only
                EXPECT_TRUE(rec.ValueName.rfind("odd", 0) != 0 || rec.ValueName == "odd empty text" ||
                            rec.ValueName == "odd unterminated" || rec.ValueName == "odd long text")
                    << rec.ValueName;
            }
        }
    }
    ClearTraces({});
}

TEST(Faults, AKeyDeletedWhileItIsListed) {
    TestKey key("Vanishing");
    {
        RegKey k;
        ASSERT_TRUE(k.Open(HKEY_CURRENT_USER, key.path()));
        for (int i = 0; i < 400; ++i) k.WriteString("v" + std::to_string(i), "data");
    }
    ScanTree t;
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, 2, ListScannerRow::NameInto::ValueName, true,
                             ListScannerRow::TestData::ValueText};
    Sleep(2 * kPumpIntervalMs);
    DuringScan gone([&] { RegDeleteTreeA(HKEY_CURRENT_USER, key.path().c_str()); });
    RunListScanner(row, t.tree, 29, t.results);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path()));
    // Names read before the key went are listed; their values read as empty.
    ASSERT_GE(t.results.Count(), 1);
    EXPECT_LE(t.results.Count(), 400);
    EXPECT_EQ(t.results.Item(t.results.Count() - 1).ValueData, "");
    EXPECT_EQ(t.Count(29), t.results.Count());
}

TEST(Faults, HalfAFolderVanishesDuringTheWalk) {
    TempFolder dir("Vanish");
    for (int i = 0; i < 10000; ++i) WriteFileBytes(dir.path() + "\\f" + std::to_string(i), "x");
    ScanTree t;
    Sleep(2 * kPumpIntervalMs);
    DuringScan gone([&] {
        for (int i = 0; i < 10000; i += 2) DeleteFileA((dir.path() + "\\f" + std::to_string(i)).c_str());
    });
    ScanFolderFiles(dir.path(), 1, t.tree, 31, t.results);
    EXPECT_GE(t.results.Count(), 5000);
    EXPECT_LE(t.results.Count(), 10000);
    EXPECT_EQ(t.Count(31), t.results.Count());
}

TEST(Faults, HugeAndBinaryProfileFiles) {
    SeedOptions o;
    o.items = {"FireFoxHistory", "FireFoxCookies"};
    o.count = 1;
    SeedTraces(o);
    const std::string profiles = ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles";
    // 100 MB of random bytes as every profile's history.
    std::mt19937_64 rng(42);
    std::string noise(100u << 20, '\0');
    for (size_t i = 0; i + 8 <= noise.size(); i += 8) {
        const uint64_t r = rng();
        std::memcpy(&noise[i], &r, 8);
    }
    for (const char* p : {"k3j9x2aa.default", "q7w1e5rt.work"}) WriteFileBytes(profiles + "\\" + p + "\\history.dat", noise);
    noise.clear();
    noise.shrink_to_fit();
    // A cookie file of one 10 MB line that never says TRUE, after one good line.
    std::string cookies = "# Netscape HTTP Cookie File\r\n.good.example\tTRUE\t/\tFALSE\t0\ta\t1\r\n." +
                          std::string(10u << 20, 'z') + "\r\n";
    for (const char* p : {"k3j9x2aa.default", "q7w1e5rt.work"}) WriteFileBytes(profiles + "\\" + p + "\\cookies.txt", cookies);
    ScanTree t;
    const auto t0 = std::chrono::steady_clock::now();
    const TResultContents history = Scan(t, *FindCatalogItemByName("FireFoxHistory"));
    const double historySeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const TResultContents cookieRecords = Scan(t, *FindCatalogItemByName("FireFoxCookies"));
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("100 MB of random bytes: %d records in %.1f s; 10 MB cookie line: %d records, %.1f s in all\n",
                history.Count(), historySeconds, cookieRecords.Count(), total);
    EXPECT_EQ(cookieRecords.Count(), 1);
    EXPECT_EQ(cookieRecords.Item(0).Detail5, "\r\n.GOOD.EXAMPLE\t");
    EXPECT_LT(total, 60.0);
    ClearTraces(o);
}

// A click on Abort as the window gets it: a message, posted from another
// thread at a known moment, that the loop's own message pumping handles.
struct AbortClick {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_APP) ScanState = kScanAbort;
        return DefWindowProcA(h, m, w, l);
    }
    AbortClick() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SorvandaAbortClick";
        RegisterClassA(&wc);
        hwnd = CreateWindowA("SorvandaAbortClick", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~AbortClick() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// How long each long loop takes to return once Abort is pressed during it.
TEST(Faults, EveryLongLoopSeesAnAbortWithinATenthOfASecond) {
    struct Loop {
        const char* name;
        std::function<void()> prepare, run, tidy;
    };
    ScanTree t;
    TResultContents results;
    AbortClick click;
    TestKey key("AbortLatency");
    TempFolder dir("AbortLatency");
    const std::string cache = ShellFolder("Local AppData") + "\\Mozilla\\Firefox\\Profiles\\k3j9x2aa.default\\Cache";
    // A catalog item seeded with count traces per place, then scanned by its own scanner.
    auto seeded = [&](const char* name, const char* item, int count, int category, int pos, int node) {
        return Loop{name,
                    [=] {
                        SeedOptions o;
                        o.items = {item};
                        o.count = count;
                        SeedTraces(o);
                    },
                    [&, category, pos, node] { ScannerFor(category, pos)(t.tree, node, results); },
                    [=] { ClearTraces({{item}}); }};
    };
    const std::vector<Loop> loops = {
        {"list scanner (registry values)",
         [&] {
             RegKey k;
             k.Open(HKEY_CURRENT_USER, key.path());
             for (int i = 0; i < 10000; ++i) k.WriteString("v" + std::to_string(i), "some data");
         },
         [&] {
             RunListScanner({"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, 2, ListScannerRow::NameInto::ValueName, true,
                             ListScannerRow::TestData::ValueText},
                            t.tree, 29, results);
         },
         [] {}},
        {"value-name list (multi-key)", [] {},
         [&] {
             int counter = 0;
             RunMultiKeyScanner({"Microsoft Office", "Clean Microsoft Office", "Microsoft Windows", {key.path()}}, counter,
                                t.tree, 17, results);
         },
         [] {}},
        {"folder walk",
         // (Wine makes each new file in a time that grows with the folder: a few thousand are enough.)
         [&] { for (int i = 0; i < 8000; ++i) WriteFileBytes(dir.path() + "\\f" + std::to_string(i), "x"); },
         [&] { ScanFolderFiles(dir.path(), 1, t.tree, 31, results); }, [] {}},
        seeded("URL-cache walk", "Cache", 1500, 0, 1, 2),
        {"profile search", [] {}, [&] { FoundPath.clear(); FindProfileFile(dir.path(), "history.dat"); }, [] {}},
        {"history cutting",
         [&] {
             SeedOptions o;
             o.items = {"FireFoxHistory"};
             SeedTraces(o);
             std::string text;
             for (int i = 0; i < 1500000; ++i) text += "(A=http://x/" + std::to_string(i) + ")";
             const std::string profiles = ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles";
             for (const char* p : {"k3j9x2aa.default", "q7w1e5rt.work"})
                 WriteFileBytes(profiles + "\\" + p + "\\history.dat", text);
         },
         [&] { ScannerFor(3, 5)(t.tree, 49, results); }, [] { ClearTraces({{"FireFoxHistory"}}); }},
        seeded("cookie cutting", "FireFoxCookies", 300000, 3, 6, 50),
        {"browser cache folder",
         [&] {
             SeedOptions o;
             o.items = {"FireFoxCache"};
             o.count = 1;
             SeedTraces(o);
             DeleteTree(cache);
             MoveFileA(dir.path().c_str(), cache.c_str());  // the walked folder's files, as the cache
         },
         [&] { ScannerFor(3, 7)(t.tree, 51, results); },
         [&] {
             MoveFileA(cache.c_str(), dir.path().c_str());
             ClearTraces({{"FireFoxCache"}});
         }},
        seeded("value-name lists without exclusions", "GetRight", 10000, 3, 2, 46),
        {"shred folder walk", [] {}, [&] { ShredFolder(dir.path(), 1); }, [] {}},
    };
    std::string table;
    for (const Loop& loop : loops) {
        const auto t0 = std::chrono::steady_clock::now();
        loop.prepare();
        const double prepared = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        results.Clear();
        ScanState = kScanRunning;
        std::chrono::steady_clock::time_point pressed;
        std::thread user([&] {
            Sleep(30);
            pressed = std::chrono::steady_clock::now();
            PostMessageA(click.hwnd, WM_APP, 0, 0);
        });
        loop.run();
        const auto returned = std::chrono::steady_clock::now();
        user.join();
        const bool aborted = ScanState == kScanAbort;
        ScanState = kScanIdle;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        ASSERT_TRUE(aborted) << loop.name << " ended before the abort came";
        const double ms = std::chrono::duration<double, std::milli>(returned - pressed).count();
        table += std::string("  ") + loop.name + ": " + std::to_string(ms).substr(0, 5) + " ms (made in " +
                 std::to_string(prepared).substr(0, 4) + " s)\n";
        EXPECT_LT(ms, 100.0) << loop.name;
        loop.tidy();
    }
    std::printf("abort seen after:\n%s", table.c_str());
}
