// Every long loop of the program, each over a place made for it: the fault
// test presses Abort at a known entry of each, and the benchmark times how
// soon each returns after a click. Used by both, with their own sizes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "clean/shred.h"
#include "model/catalog.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scan_run.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

struct LongLoop {
    const char* name;
    std::function<void()> prepare, run, tidy;
    std::function<int()> progress;  // records found, or files shredded
};

// How big each place is.
struct LongLoopSizes {
    int values, files, cacheEntries, historyAddresses, cookies, listValues, databaseRows;
};

// The places live in a key and a folder of the caller's (both empty at first);
// the records go into results, the shredded files are counted in report.
inline std::vector<LongLoop> LongLoops(const LongLoopSizes& n, const std::string& keyPath, const std::string& dir,
                                       const ScanSession& session, TreeModel& tree, TResultContents& results,
                                       ShredReport& report, std::vector<std::string>& foundPaths) {
    const std::string cache = ShellFolder("Local AppData") + "\\Mozilla\\Firefox\\Profiles\\k3j9x2aa.default\\Cache";
    auto found = [&results] { return results.Count(); };
    auto writeFile = [](const std::string& path, const std::string& text) {
        File f(path, File::Open::Create);
        f.WriteAll(text);
    };
    // A catalog item seeded with count traces per place, then scanned by its own scanner.
    auto seeded = [&](const char* name, const char* item, int count) {
        return LongLoop{name,
                        [=] {
                            SeedOptions o;
                            o.items = {item};
                            o.count = count;
                            SeedTraces(o);
                        },
                        [&session, &tree, &results, item] { ScanOneItem(session, *FindCatalogItemByName(item), tree, results); },
                        [=] { ClearTraces({{item}}); }, found};
    };
    return {
        {"list scanner (registry values)",
         [=] {
             RegKey k;
             k.OpenOrCreate(HKEY_CURRENT_USER, keyPath);
             for (int i = 0; i < n.values; ++i) k.WriteString("v" + std::to_string(i), "some data");
         },
         [&, keyPath] {
             RunListScanner({"Run History", "Clean RunMRU", "Microsoft Windows", keyPath.c_str(),
                             ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName, true,
                             TestData::ValueText},
                            ContextFor(session, tree, 29, results));
         },
         [] {}, found},
        {"value-name list (multi-key)", [] {},
         [&, keyPath] {
             int counter = 0;
             CatalogItem office = *FindCatalogItemByName("Microsoft Office");
             const std::string_view keys[] = {keyPath};
             office.keys = keys;
             RunMultiKeyScanner(office, counter, ContextFor(session, tree, 17, results));
         },
         [] {}, found},
        {"folder walk", [=] { for (int i = 0; i < n.files; ++i) writeFile(dir + "\\f" + std::to_string(i), "x"); },
         [&, dir] { ScanFolderFiles(dir, 1, ContextFor(session, tree, 31, results)); }, [] {}, found},
        seeded("URL-cache walk", "Cache", n.cacheEntries),
        {"profile search", [] {},
         [&, dir] { foundPaths = FindProfileFiles(dir, "history.dat", ContextFor(session, tree, 0, results)); },
         [] {}, [&foundPaths] { return static_cast<int>(foundPaths.size()); }},
        {"history cutting",
         [=] {
             SeedOptions o;
             o.items = {"FireFoxHistory"};
             SeedTraces(o);
             std::string text;
             for (int i = 0; i < n.historyAddresses; ++i) text += "(A=http://x/" + std::to_string(i) + ")";
             const std::string profiles = ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles";
             for (const char* p : {"k3j9x2aa.default", "q7w1e5rt.work"}) writeFile(profiles + "\\" + p + "\\history.dat", text);
         },
         [&] { ScanOneItem(session, *FindCatalogItemByName("FireFoxHistory"), tree, results); },
         [] { ClearTraces({{"FireFoxHistory"}}); }, found},
        seeded("cookie cutting", "FireFoxCookies", n.cookies),
        {"browser cache folder",
         [=] {
             SeedOptions o;
             o.items = {"FireFoxCache"};
             o.count = 1;
             SeedTraces(o);
             DeleteFolderTree(cache);
             RenamePath(dir, cache, false);  // the walked folder's files, as the cache
         },
         [&] { ScanOneItem(session, *FindCatalogItemByName("FireFoxCache"), tree, results); },
         [=] {
             RenamePath(cache, dir, false);
             ClearTraces({{"FireFoxCache"}});
         },
         found},
        seeded("value-name lists without exclusions", "GetRight", n.listValues),
        seeded("browser database rows", "Chrome History", n.databaseRows),
        {"shred folder walk", [] {}, [&, dir] { ShredFolder(dir, 1, report, session); }, [] {},
         [&report] { return report.shredded; }},
    };
}
