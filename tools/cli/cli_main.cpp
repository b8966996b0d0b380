// sorvanda-cli: the scan engine without a window, for automation and for
// checking the program from outside.
//   sorvanda-cli list
//   sorvanda-cli scan [--only "Category/Item"]... [--all] [--json]
//   sorvanda-cli clean [same choice as scan] [--verify] [--json]: scans, then removes every trace
//     found; exit status 0 when all were removed (or stay by design: an exclusion, a link, a
//     folder), 1 when some could not be. --verify scans the same choice again afterwards and
//     exits 1 when it finds anything a clean could have removed.
//   sorvanda-cli shred [--passes N] PATH...: overwrites and deletes files and folder trees;
//     exit status 1 when something could not be shredded.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/shred.h"
#include "exclude/exclude_store.h"
#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/result_session.h"
#include "model/scan_session.h"
#include "model/summary.h"
#include "base/text.h"
#include "platform/files.h"
#include "base/utf.h"
#include "platform/wide.h"
#include "scan/community_scanner.h"
#include "scan/scan_run.h"
#include "tools/cli/json_writer.h"

namespace {

constexpr char kUsage[] =
    "usage: sorvanda-cli list\n"
    "       sorvanda-cli scan [--only \"Category/Item\"]... [--all] [--json]\n"
    "       sorvanda-cli clean [--only \"Category/Item\"]... [--all] [--verify] [--json]\n"
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

// Every item: the built-in ones, then the rules that apply here.
std::vector<const CatalogItem*> AllItems() {
    std::vector<const CatalogItem*> all;
    for (const CatalogItem& item : kCatalogItems) all.push_back(&item);
    for (const CatalogItem& item : CommunityItems()) all.push_back(&item);
    return all;
}

int List() {
    for (const CatalogItem* item : AllItems())
        std::printf("%-18s %2d  %-40s %s\n", std::string(kCatalogCategories[item->category].caption).c_str(), item->pos,
                    Printable(std::string(item->name)).c_str(), item->ticked ? "ticked" : "unticked");
    return 0;
}

struct ScanArgs {
    bool all = false, json = false, clean = false, verify = false;
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
    for (int slot = 4; slot <= 9; ++slot) {
        w.Key("Detail" + std::to_string(slot));
        w.Value(r.DetailAt(slot));
    }
    w.Key("Size"); w.Value(r.Size);
    w.EndObject();
}

// A trace found again after the clean, and whether it stays by design.
struct FoundAgain {
    int category;
    const TResultContentItem* record;
    StayReason reason;  // what the clean said of it (None: it said removed, or never saw it)
};

// Scans the same choice again after the clean into the session, the records
// of the clean moved out into cleaned first; the records it finds, each with
// what the clean said of it.
std::vector<FoundAgain> CheckAgain(ScanSession& session, TreeModel& tree, std::vector<TResultContents>& cleaned) {
    cleaned.resize(kCategoryCount);
    std::map<std::string, StayReason> said;
    for (int c = 0; c < kCategoryCount; ++c) {
        std::swap(cleaned[static_cast<size_t>(c)], *session.ResultsOf(c));
        const TResultContents& results = cleaned[static_cast<size_t>(c)];
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (!r.Deleted) said[TraceKeyOf(r)] = r.Reason;
        }
    }
    RunScan(session, tree);
    std::vector<FoundAgain> found;
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < session.ResultsOf(c)->Count(); ++i) {
            const TResultContentItem& r = std::as_const(*session.ResultsOf(c)).Item(i);
            const auto it = said.find(TraceKeyOf(r));
            found.push_back({c, &r, it == said.end() ? StayReason::None : it->second});
        }
    return found;
}

int Scan(const ScanArgs& args) {
    ScanSession session;
    TreeModel tree;
    BuildItemTree(tree, session.Catalogs());
    if (args.all || !args.only.empty())
        for (const CatalogItem* item : AllItems()) tree.SetTicked(item->node, args.all || args.only.count(item));
    if (!LoadExcludeItems(session.ExcludeList)) {
        std::fprintf(stderr, "sorvanda-cli: %sthe exclusion list %s could not be read;%s\n",
                     session.ExcludeList.FileDamaged ? "some lines of " : "", Printable(ExcludeFilePath()).c_str(),
                     args.clean ? " nothing was cleaned, so that no excluded trace is removed"
                                : " the traces it excludes are listed too");
        if (args.clean) return 1;
    }

    RunScan(session, tree);
    bool allRemoved = true;
    if (args.clean) {
        CleanRunView view;
        view.caption = "sorvanda-cli";
        RunClean(session, view);  // the headless clean ticks all it finds
        allRemoved = EveryRecordRemovedOrKept(session);
    }
    int status = allRemoved ? 0 : 1;
    // The records of the clean, kept for printing: a check again scans into the session.
    std::vector<TResultContents> cleaned;
    std::vector<FoundAgain> again;
    std::vector<int> counts;  // each node's count of this scan (a check again counts anew)
    for (int i = 0; i < tree.Count(); ++i) counts.push_back(tree.Data(i) ? tree.Data(i)->FoundCount : 0);
    if (args.verify) {
        again = CheckAgain(session, tree, cleaned);
        for (const FoundAgain& f : again)
            if (!StaysByDesign(f.reason)) status = 1;
    }
    const auto cleanedOf = [&](int c) -> const TResultContents& {
        return args.verify ? cleaned[static_cast<size_t>(c)] : *session.ResultsOf(c);
    };

    int64_t checked = 0, bytes = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < cleanedOf(c).Count(); ++i) {
            const TResultContentItem& r = cleanedOf(c).Item(i);
            if (r.Checked) {
                ++checked;
                bytes += r.Size;
            }
        }
    const std::string summary = SummaryText(checked, bytes, LocaleDecimalSeparator());
    const auto outcome = [](const TResultContentItem& r) -> std::string {
        if (r.Deleted) return "removed";
        const std::string why = StayReasonText(r.Reason);
        return StaysByDesign(r.Reason) ? "kept (" + why + ")" : "NOT REMOVED (" + why + ")";
    };
    int removable = 0;
    for (const FoundAgain& f : again) removable += !StaysByDesign(f.reason);

    if (args.json) {
        JsonWriter w;
        w.BeginObject();
        w.Key("records");
        w.BeginArray();
        for (int c = 0; c < kCategoryCount; ++c)
            for (int i = 0; i < cleanedOf(c).Count(); ++i) PrintRecordJson(w, c, i, cleanedOf(c).Item(i));
        w.EndArray();
        w.Key("counts");
        w.BeginObject();
        for (const CatalogItem* item : AllItems()) {
            w.Key(std::string(item->name));
            w.Value(static_cast<int64_t>(counts[static_cast<size_t>(item->node)]));
        }
        w.EndObject();
        w.Key("summary");
        w.Value(summary);
        if (args.verify) {
            // What the check after the clean found, each with whether it stays by design.
            w.Key("foundAgain");
            w.BeginArray();
            for (const FoundAgain& f : again) {
                w.BeginObject();
                w.Key("ItemName"); w.Value(f.record->ItemName);
                w.Key("Name"); w.Value(ShownNameOf(f.category, *f.record));
                w.Key("ByDesign"); w.Value(StaysByDesign(f.reason));
                w.Key("Reason"); w.Value(std::string(StayReasonText(f.reason)));
                w.EndObject();
            }
            w.EndArray();
        }
        w.EndObject();
        std::fwrite(w.Text().data(), 1, w.Text().size(), stdout);
        std::fputc('\n', stdout);
        return status;
    }
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < cleanedOf(c).Count(); ++i) {
            const TResultContentItem& r = cleanedOf(c).Item(i);
            if (i == 0) std::printf("== %s ==\n", std::string(kCatalogCategories[c].caption).c_str());
            std::printf("%s\t%s\t%lld%s\n", r.ItemName.c_str(), Printable(ShownNameOf(c, r)).c_str(),
                        static_cast<long long>(r.Size), args.clean ? ("\t" + outcome(r)).c_str() : "");
        }
    std::printf("%s\n", summary.empty() ? "Nothing found." : summary.c_str());
    if (args.clean && !allRemoved) std::printf("Some traces could not be removed.\n");
    if (args.verify) {
        std::printf("== Check again ==\n");
        for (const FoundAgain& f : again)
            std::printf("%s\t%s\t%s\n", f.record->ItemName.c_str(), Printable(ShownNameOf(f.category, *f.record)).c_str(),
                        StaysByDesign(f.reason) ? ("kept (" + std::string(StayReasonText(f.reason)) + ")").c_str()
                                                : "STILL THERE");
        if (removable == 0) std::printf("Nothing is left that a clean could remove.\n");
        else if (removable == 1) std::printf("1 trace a clean could remove is still there.\n");
        else std::printf("%d traces a clean could remove are still there.\n", removable);
    }
    return status;
}

// Shreds files, and folder trees (their files shredded, the folders the walk
// emptied removed), as the Shred button does. Exit status 1 when anything stayed.
int Shred(int passes, const std::vector<std::string>& paths) {
    const ScanSession session;  // nothing aborts a headless shred
    ShredReport report;
    std::set<std::string> done;
    for (const std::string& path : paths) {
        if (!done.insert(path).second) continue;  // the same path again: shredded at its first place
        const bool folder = DirectoryExists(path) && !IsLink(path);
        const ShredReport before = report;
        ShredEntry(path, passes, report, session);
        const size_t stayed = report.stayed.size() - before.stayed.size();
        std::string what;
        if (!folder) {
            if (report.shredded > before.shredded) what = "shredded";
            else if (report.linksRemoved > before.linksRemoved) what = "link removed; what it points to was left alone";
            else if (stayed) what = "NOT SHREDDED (" + std::string(StayReasonText(report.stayed.back().why)) + ")";
        } else {
            what = std::to_string(report.shredded - before.shredded) + " files shredded, " +
                   std::to_string(stayed) + " not; folder " + (DirectoryExists(path) ? "KEPT" : "removed");
            for (size_t i = before.stayed.size(); i < report.stayed.size(); ++i)
                what += "\n  stayed: " + Printable(report.stayed[i].path) + " (" + StayReasonText(report.stayed[i].why) + ")";
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
    // The community's rules beside the program, read once for every command that scans or lists.
    if (command == "list" || command == "scan" || command == "clean") {
        const std::string notice = RulesNotice(LoadCommunityRules(CommunityRulesFile()));
        if (!notice.empty()) std::fprintf(stderr, "%s\n", notice.c_str());
    }
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
            } else if (a == "--verify" && args.clean) {
                args.verify = true;
            } else if (a == "--only" && i + 1 < argc) {
                const std::string wanted = argv[++i];
                const CatalogItem* found = nullptr;
                for (const CatalogItem* item : AllItems())
                    if (QualifiedName(*item) == wanted) found = item;
                if (!found) return Usage("unknown item \"" + wanted + "\" (see sorvanda-cli list; write Category/Item)");
                // Chosen by name, a rule's warning is shown, not asked: the choice was made.
                if (!found->warning.empty())
                    std::fprintf(stderr, "sorvanda-cli: %s: %s\n", wanted.c_str(), std::string(found->warning).c_str());
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
