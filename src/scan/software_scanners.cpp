// The two software items with a way of their own: WinZip's filtered folder
// names and ACDSee's two keys.
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "scan/scanners.h"

namespace {

// The names WinZip keeps its folders under, compared in upper case.
bool IsWinZipFolderName(const std::string& name) {
    const std::string upper = UpperCaseText(name);
    return upper == "DEFDIR" || upper == "EXTRACTTO" || upper == "EXTRACT";
}

}  // namespace

void ScanWinZip(const CatalogItem& item, const ScanContext& ctx) {
    int counter = 0;
    RunMultiKeyScanner(item, counter, ctx);
    const std::string dirs(item.key);
    RegKey key;
    if (ctx.Aborted() || !key.Open(HKEY_CURRENT_USER, dirs)) return;
    std::vector<RegValue> values = key.Values([&ctx] { return ctx.KeepGoing(); });
    std::erase_if(values, [](const RegValue& v) { return !IsWinZipFolderName(v.name); });
    ScanValueList(ctx, StampOf(item), counter, item.kind, HkcuPath(dirs), std::move(values), Counting::AddOne);
}

void ScanACDSee(const CatalogItem& item, const ScanContext& ctx) {
    // Each key is a trace of its own and goes whole with its record; it is
    // tested with its own name for the one the row names, with no text for the other.
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    for (std::string_view key : item.Keys()) {
        const std::string path(key), name(key.substr(key.find_last_of('\\') + 1));
        const std::string fullPath = HkcuPath(path);
        const std::string testData = name == item.ownNameTested ? name : std::string();
        if (RegKeyExists(HKEY_CURRENT_USER, path)) RecordNamedTrace(ctx, stamp, item.kind, name, fullPath, testData, counter);
    }
}
