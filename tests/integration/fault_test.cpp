// Bad input and faults: odd registry data everywhere, keys and files that
// vanish during a scan, huge and binary profile files, and how soon each long
// loop sees an abort.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <cstring>
#include <functional>
#include <set>

#include "clean/shred.h"
#include "integration/fixtures.h"
#include "support/entry_hook.h"
#include "support/long_loops.h"
#include "model/catalog.h"
#include "model/shell_values.h"
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

}  // namespace

TEST(Faults, ValuesOfEveryTypeInEveryListedPlace) {
    SeedOptions o;
    o.count = 1;
    SeedTraces(o);
    ScanTree t;
    // Every key a registry trace lives in gets values of every type.
    std::set<std::string> keys;
    for (const CatalogItem& item : kCatalogItems) {
        const TResultContents r = t.Scan(item);
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
        const RegistryPath at = RegistryPath::Parse(full);
        HKEY h;
        if (RegOpenKeyExA(at.root, at.path.c_str(), 0, KEY_WRITE, &h) != ERROR_SUCCESS) continue;
        for (const Odd& v : odd)
            RegSetValueExA(h, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.bytes.data()),
                           static_cast<DWORD>(v.bytes.size()));
        RegCloseKey(h);
    }
    for (const CatalogItem& item : kCatalogItems) {
        const TResultContents r = t.Scan(item);
        for (int i = 0; i < r.Count(); ++i) {
            const TResultContentItem& rec = r.Item(i);
            if (item.special == Special::UserAssist) {  // shows its value names decoded, never their data
                const std::string decoded = Rot13(rec.ValueName);
                // (a known folder's GUID at its start shown as the folder's path)
                if (decoded.size() > 38 && decoded[0] == '{' && decoded[37] == '}') {
                    EXPECT_EQ(rec.ValueData.substr(rec.ValueData.size() - (decoded.size() - 38)), decoded.substr(38));
                } else {
                    EXPECT_EQ(rec.ValueData, decoded);
                }
                continue;
            }
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
        ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
        for (int i = 0; i < 400; ++i) k.WriteString("v" + std::to_string(i), "data");
    }
    ScanTree t;
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, 2, NameField::ValueName, true,
                             TestData::ValueText};
    bool deleted = false;
    EntryHook gone(t.session, [&](int) {
        if (!deleted && t.results.Count() == 10) deleted = RegDeleteTreeA(HKEY_CURRENT_USER, key.path().c_str()) == 0;
    });
    RunListScanner(row, t.Context(29));
    ASSERT_TRUE(deleted);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path()));
    // The listing read every name with its data before the key went: each is listed as it was read.
    ASSERT_EQ(t.results.Count(), 400);
    for (int i = 0; i < 400; ++i) EXPECT_EQ(t.results.Item(i).ValueData, "data") << i;
    EXPECT_EQ(t.Count(29), 400);
}

TEST(Faults, HalfAFolderVanishesDuringTheWalk) {
    TempFolder dir("Vanish");
    for (int i = 0; i < 2000; ++i) WriteFileBytes(dir.path() + "\\f" + std::to_string(i), "x");
    ScanTree t;
    bool deleted = false;
    EntryHook gone(t.session, [&](int) {
        if (deleted || t.results.Count() != 10) return;
        for (int i = 0; i < 2000; i += 2) DeleteFileA((dir.path() + "\\f" + std::to_string(i)).c_str());
        deleted = true;
    });
    ScanFolderFiles(dir.path(), 1, t.Context(31));
    ASSERT_TRUE(deleted);
    // The odd half is listed in any case; of the even half, what the listing had already read.
    EXPECT_GE(t.results.Count(), 1000);
    EXPECT_LE(t.results.Count(), 2000);
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
    const TResultContents history = t.Scan(*FindCatalogItemByName("FireFoxHistory"));
    const TResultContents cookieRecords = t.Scan(*FindCatalogItemByName("FireFoxCookies"));
    for (int i = 0; i < history.Count(); ++i) EXPECT_EQ(history.Item(i).DetailAt(4).rfind("http://", 0), 0u);
    ASSERT_EQ(cookieRecords.Count(), 2);  // the good line of each profile's file
    for (int i = 0; i < 2; ++i) EXPECT_EQ(cookieRecords.Item(i).DetailAt(5), "\r\n.GOOD.EXAMPLE\t");
    ClearTraces(o);
}

// Abort pressed during each long loop, as the window delivers it: the loop's
// own message pumping takes the click, and the loop ends at its next entry,
// keeping what it found. (How many milliseconds that takes is measured by the
// benchmarks.)
TEST(Faults, EveryLongLoopSeesAnAbortAtItsNextEntry) {
    ScanTree t;
    TResultContents results;
    ShredReport tally;
    std::vector<std::string> foundPaths;
    TestKey key("AbortLatency");
    TempFolder dir("AbortLatency");
    const std::vector<LongLoop> loops =
        LongLoops({600, 600, 300, 3000, 1000, 400, 300}, key.path(), dir.path(), t.session, t.tree, results, tally,
                  foundPaths);
    for (const LongLoop& loop : loops) {
        loop.prepare();
        results.Clear();
        t.session.ScanState = kScanRunning;
        int progressWhenSeen = -1;
        {
            AbortAtEntry abort(t.session, 20);
            t.session.LoopEntryHook = [&, inner = t.session.LoopEntryHook] {
                inner();
                if (abort.seenAt && progressWhenSeen < 0) progressWhenSeen = loop.progress();
            };
            loop.run();
            EXPECT_TRUE(abort.pressed) << loop.name << ": fewer than 20 entries";
            EXPECT_GT(abort.seenAt, 20) << loop.name << " never took the click";
            // Each enclosing level of a nested search asks once more on its way out, no more.
            EXPECT_LE(abort.afterSeen, 8) << loop.name;
        }
        t.session.LoopEntryHook = nullptr;
        EXPECT_EQ(loop.progress(), progressWhenSeen) << loop.name << " went on after the abort";
        EXPECT_EQ(t.session.ScanState, kScanAbort) << loop.name;
        t.session.ScanState = kScanIdle;
        loop.tidy();
    }
}
