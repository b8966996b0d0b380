// sorvanda-cli: the scan engine without a window, for automation and for
// checking the program from outside.
//   sorvanda-cli list
//   sorvanda-cli scan [--only "Category/Item"]... [--all] [--json]
//   sorvanda-cli clean [same choice as scan] [--json]: scans, then removes every trace found;
//     exit status 0 when all were removed, 1 when some could not be.
//   sorvanda-cli shred [--passes N] PATH...: overwrites and deletes files and folder trees;
//     exit status 1 when something could not be shredded.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/shred.h"
#include "exclude/exclude_store.h"
#include "model/result_rows.h"
#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/shared_state.h"
#include "model/summary.h"
#include "model/text.h"
#include "platform/files.h"
#include "platform/utf.h"
#include "platform/wide.h"
#include "scan/scan_run.h"
#include "tools/cli/json_writer.h"

namespace {

constexpr char kUsage[] =
    "usage: sorvanda-cli list\n"
    "       sorvanda-cli scan [--only \"Category/Item\"]... [--all] [--json]\n"
    "       sorvanda-cli clean [--only \"Category/Item\"]... [--all] [--json]\n"
    "       sorvanda-cli shred [--passes N] PATH...\n";

// Text for the plain output: UTF-8, with an unpaired surrogate of a name
// shown as the replacement character.
std::string Printable(const std::string& utf8) {
    std::u16string text = Utf16FromUtf8(utf8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        else if (c >= 0xD800 && c <= 0xDFFF) text[i] = u'\uFFFD';
    }
    return PrintableText(Utf8FromUtf16(text));
}

int Usage(const std::string& problem) {
    std::fprintf(stderr, "sorvanda-cli: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

std::string QualifiedName(const CatalogItem& item) {
    return std::string(kCatalogCategories[item.category].caption) + "/" + std::string(item.name);
}

int List() {
    for (const CatalogItem& item : kCatalogItems)
        std::printf("%-18s %2d  %-40s %s\n", std::string(kCatalogCategories[item.category].caption).c_str(), item.pos,
                    std::string(item.name).c_str(), item.ticked ? "ticked" : "unticked");
    return 0;
}

struct ScanArgs {
    bool all = false, json = false, clean = false;
    std::set<const CatalogItem*> only;
};

void PrintRecordJson(JsonWriter& w, int category, int index, const TResultContentItem& r) {
    w.BeginObject();
    w.Key("Category"); w.Value(static_cast<int64_t>(category));
    w.Key("Index"); w.Value(static_cast<int64_t>(index));
    w.Key("Checked"); w.Value(r.Checked != 0);
    w.Key("Deleted"); w.Value(r.Deleted != 0);
    w.Key("Kind"); w.Value(static_cast<int64_t>(r.Kind));
    w.Key("SourceType"); w.Value(r.SourceType);
    w.Key("Group"); w.Value(r.Group);
    w.Key("CleanName"); w.Value(r.CleanName);
    w.Key("ItemName"); w.Value(r.ItemName);
    w.Key("ValueName"); w.Value(r.ValueName);
    w.Key("KeyName"); w.Value(r.KeyName);
    w.Key("ValueData"); w.Value(r.ValueData);
    w.Key("Location"); w.Value(r.Location);
    w.Key("Detail4"); w.Value(r.Detail4);
    w.Key("Detail5"); w.Value(r.Detail5);
    w.Key("Detail6"); w.Value(r.Detail6);
    w.Key("Detail7"); w.Value(r.Detail7);
    w.Key("Detail8"); w.Value(r.Detail8);
    w.Key("Detail9"); w.Value(r.Detail9);
    w.Key("Size"); w.Value(r.Size);
    w.EndObject();
}

// Cleans every found record as the window's clean run does: category by
// category, the recycle bins emptied after Windows System only when the scan
// found recycle-bin traces (the headless clean ticks all it finds). Returns
// whether every record was removed.
bool CleanAll() {
    CleanProgress progress;
    progress.total = CountChecked();
    bool all = true;
    for (int c = 0; c < kCategoryCount; ++c) {
        TResultContents& results = *ResultsOf(c);
        if (results.Count() == 0) continue;
        CleanEvidences(results, progress);
        if (c == 2 && RecycleBinTicked(results)) EmptyRecycleBin(nullptr);
        for (int i = 0; i < results.Count(); ++i) all = all && std::as_const(results).Item(i).Deleted;
    }
    return all;
}

int Scan(const ScanArgs& args) {
    BuildCatalog(AllCatalogs);
    TreeModel tree;
    BuildItemTree(tree, AllCatalogs);
    if (args.all || !args.only.empty())
        for (const CatalogItem& item : kCatalogItems) tree.SetTicked(item.node, args.all || args.only.count(&item));
    if (!LoadExcludeItems()) {
        std::fprintf(stderr, "sorvanda-cli: the exclusion list %s exists but could not be read;%s\n",
                     Printable(ExcludeFilePath()).c_str(),
                     args.clean ? " nothing was cleaned, so that no excluded trace is removed"
                                : " the traces it excludes are listed too");
        if (args.clean) return 1;
    }

    ScanState = kScanRunning;
    RunScan(tree, {});
    ScanState = kScanIdle;
    const bool allRemoved = args.clean ? CleanAll() : true;
    const int status = allRemoved ? 0 : 1;

    int64_t checked = 0, bytes = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < ResultsOf(c)->Count(); ++i) {
            const TResultContentItem& r = std::as_const(*ResultsOf(c)).Item(i);
            if (r.Checked) {
                ++checked;
                bytes += r.Size;
            }
        }
    const std::string summary = SummaryText(checked, bytes, LocaleDecimalSeparator());

    if (args.json) {
        JsonWriter w;
        w.BeginObject();
        w.Key("records");
        w.BeginArray();
        for (int c = 0; c < kCategoryCount; ++c)
            for (int i = 0; i < ResultsOf(c)->Count(); ++i) PrintRecordJson(w, c, i, std::as_const(*ResultsOf(c)).Item(i));
        w.EndArray();
        w.Key("counts");
        w.BeginObject();
        for (const CatalogItem& item : kCatalogItems) {
            w.Key(std::string(item.name));
            w.Value(static_cast<int64_t>(tree.Data(item.node)->FoundCount));
        }
        w.EndObject();
        w.Key("summary");
        w.Value(summary);
        w.EndObject();
        std::fwrite(w.Text().data(), 1, w.Text().size(), stdout);
        std::fputc('\n', stdout);
        return status;
    }
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < ResultsOf(c)->Count(); ++i) {
            const TResultContentItem& r = std::as_const(*ResultsOf(c)).Item(i);
            if (i == 0) std::printf("== %s ==\n", std::string(kCatalogCategories[c].caption).c_str());
            std::printf("%s\t%s\t%lld%s\n", r.ItemName.c_str(), Printable(ShownNameOf(c, r)).c_str(),
                        static_cast<long long>(r.Size),
                        args.clean ? (r.Deleted ? "\tremoved" : "\tNOT REMOVED (" + std::string(StayReasonText(r.Reason)) + ")").c_str() : "");
        }
    std::printf("%s\n", summary.empty() ? "Nothing found." : summary.c_str());
    if (args.clean && !allRemoved) std::printf("Some traces could not be removed.\n");
    return status;
}

// Shreds files, and folder trees (their files shredded, the folders the walk
// emptied removed), as the Shred button does. Exit status 1 when anything stayed.
int Shred(int passes, const std::vector<std::string>& paths) {
    ShredReport report;
    std::set<std::string> done;
    for (const std::string& path : paths) {
        if (!done.insert(path).second) continue;  // the same path again: shredded at its first place
        const bool folder = DirectoryExists(path) && !IsLink(path);
        const ShredReport before = report;
        ShredEntry(path, passes, report);
        const size_t stayed = report.stayed.size() - before.stayed.size();
        std::string what;
        if (!folder) {
            if (report.shredded > before.shredded) what = "shredded";
            else if (report.linksRemoved > before.linksRemoved) what = "link removed; what it points to was left alone";
            else if (stayed) what = "NOT SHREDDED (" + report.stayed.back().why + ")";
        } else {
            what = std::to_string(report.shredded - before.shredded) + " files shredded, " +
                   std::to_string(stayed) + " not; folder " + (DirectoryExists(path) ? "KEPT" : "removed");
            for (size_t i = before.stayed.size(); i < report.stayed.size(); ++i)
                what += "\n  stayed: " + Printable(report.stayed[i].path) + " (" + report.stayed[i].why + ")";
        }
        std::printf("%s\t%s\n", Printable(path).c_str(), what.c_str());
    }
    const bool allGone = report.AllGone();
    std::printf("%s\n", allGone ? "Everything was shredded." : "Some items could not be shredded and stay where they were.");
    return allGone ? 0 : 1;
}

int Main(const std::vector<std::string>& argv) {
    const int argc = static_cast<int>(argv.size());
    if (argc < 2) return Usage("no command");
    const std::string command = argv[1];
    if (command == "list") {
        if (argc > 2) return Usage("list takes no arguments");
        return List();
    }
    if (command == "scan" || command == "clean") {
        ScanArgs args;
        args.clean = command == "clean";
        for (int i = 2; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--all") {
                args.all = true;
            } else if (a == "--json") {
                args.json = true;
            } else if (a == "--only" && i + 1 < argc) {
                const std::string wanted = argv[++i];
                const CatalogItem* found = nullptr;
                for (const CatalogItem& item : kCatalogItems)
                    if (QualifiedName(item) == wanted) found = &item;
                if (!found) return Usage("unknown item \"" + wanted + "\" (see sorvanda-cli list; write Category/Item)");
                args.only.insert(found);
            } else {
                return Usage("unknown argument \"" + a + "\"");
            }
        }
        if (args.all && !args.only.empty()) return Usage("--all and --only exclude each other");
        return Scan(args);
    }
    if (command == "shred") {
        int passes = 3;
        std::vector<std::string> paths;
        for (int i = 2; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--passes" && i + 1 < argc) {
                passes = std::atoi(argv[++i].c_str());
                if (passes < 1 || passes > 35) return Usage("--passes must be 1 to 35");
            } else if (!a.empty() && a[0] == '-' && a.size() > 1 && a[1] == '-') {
                return Usage("unknown argument \"" + a + "\"");
            } else {
                paths.push_back(a);
            }
        }
        if (paths.empty()) return Usage("shred needs at least one path");
        return Shred(passes, paths);
    }
    return Usage("unknown command \"" + command + "\"");
}

}  // namespace

// The arguments arrive as UTF-16, so a path outside the code page is taken
// exactly; everything printed is UTF-8.
int wmain(int argc, wchar_t** argv) {
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(FromWide(argv[i]));
    return Main(args);
}
