// Benchmarks: each row times the product against a bare loop over the same
// data, side by side in one run, and prints the ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "platform/registry.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"
#include "platform/shell.h"
#include "tools/seeder/seeder.h"
#include <wininet.h>

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
    BuildCatalog(AllCatalogs);
    TreeModel tree;
    BuildItemTree(tree, AllCatalogs);
    ExcludeList.Clear();
    ExcludeList.Item(ExcludeList.AddNew()) = {"Run History", "HKEY_CURRENT_USER\\Other", "", "x"};
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", path.c_str(),
                             ListScannerRow::Lists::Values, 2, ListScannerRow::NameInto::ValueName, true,
                             ListScannerRow::TestData::ValueText};
    TResultContents results;
    const double product = BestOf(5, [&] { RunListScanner(row, tree, 29, results); }, [&] { results.Clear(); });
    volatile size_t bytes = 0;
    const double baseline = BestOf(5, [&] {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
        char name[256], data[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nlen = sizeof name;
            if (RegEnumValueA(h, i, name, &nlen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            DWORD dlen = sizeof data, type = 0;
            if (RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &dlen) == ERROR_SUCCESS)
                bytes = bytes + dlen;
        }
        RegCloseKey(h);
    });
    PrintRow("list scanner, key of 10,000 values (ms)", product * 1e3, baseline * 1e3, "ms");
    if (results.Count() != 10000) std::printf("  (unexpected: %d records)\n", results.Count());
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    ExcludeList.Clear();
}

struct Scan {
    TreeModel tree;
    TResultContents results;
    Scan() {
        BuildCatalog(AllCatalogs);
        BuildItemTree(tree, AllCatalogs);
    }
    double Time(Scanner scanner, int node) {
        return BestOf(5, [&] { scanner(tree, node, results); }, [&] { results.Clear(); });
    }
};

void UrlCache(int entries) {
    SeedOptions o;
    o.items = {"Cache"};
    o.count = entries;
    SeedTraces(o);
    Scan scan;
    const double product = scan.Time(ScanIECache, 2);
    const int found = scan.results.Count();
    volatile int n = 0;
    const double baseline = BestOf(5, [&] {
        std::vector<unsigned char> buf(64 * 1024);
        DWORD size = static_cast<DWORD>(buf.size());
        auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buf.data());
        HANDLE h = FindFirstUrlCacheEntryA(nullptr, info, &size);
        if (!h) return;
        do {
            n = n + 1;
            size = static_cast<DWORD>(buf.size());
        } while (FindNextUrlCacheEntryA(h, info, &size));
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
    const double product = scan.Time(ScanRecentFiles, 31);
    const int found = scan.results.Count();
    volatile int n = 0;
    const double baseline = BestOf(5, [&] {
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return;
        do n = n + 1;
        while (FindNextFileA(h, &d));
        FindClose(h);
    });
    PrintRow("folder walk (Recent), " + std::to_string(files) + " files (ms)", product * 1e3, baseline * 1e3, "ms");
    if (found != files) std::printf("  (unexpected: %d records)\n", found);
    ClearTraces(o);
}

}  // namespace

int main(int argc, char** argv) {
    std::printf("Ormatek Sorvanda benchmarks (best of 5 runs each; ratio = product / baseline)\n");
    PrintHeader();
    ExclusionTest();
    ListScanner();
    UrlCache(10000);
    RecentFolder(10000);
    return 0;
}
