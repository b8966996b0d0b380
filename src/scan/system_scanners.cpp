// The folder walks of the shell folders, the tray icons and the recycle bins.
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scanners.h"

void ScanShellFolder(const CatalogItem& item, const ScanContext& ctx) {
    bool opened = false;
    const std::string folder = ShellFolder(std::string(item.shellFolder), &opened);
    int counter = 0;
    if (opened) WalkFolder(item.walk, folder, counter, ctx);
}

void ScanTrayNotify(const CatalogItem& item, const ScanContext& ctx) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, std::string(item.key))) return;
    const std::string fullPath = HkcuPath(std::string(item.key));
    const RecordStamp stamp = StampOf(item);
    // The binary data of the two values is never read. Each is tested with
    // its own data text: none for IconStreams, its name for PasticonsStream.
    int counter = 0;
    for (const std::string name : {"IconStreams", "PasticonsStream"}) {
        const std::string testData = name == item.ownNameTested ? name : std::string();
        if (key.ValueExists(name)) RecordNamedTrace(ctx, stamp, item.kind, name, fullPath, testData, counter);
    }
}

void ScanRegeditHistory(const CatalogItem& item, const ScanContext& ctx) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, std::string(item.key))) return;
    const std::string fullPath = HkcuPath(std::string(item.key));
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    for (const std::string& name : key.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
        if (ctx.Aborted()) return;
        ctx.Pump();
        if (EqualsIgnoreCase(name, "Favorites") || IsRegExcluded(stamp.itemName, fullPath, "", "", ctx.exclusions))
            continue;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "Reg", stamp);
        r.KeyName = name;
        r.Location = fullPath;
        ctx.Count(++counter, kCountSet);
    }
    // Shown by the key it names.
    std::string lastKey;
    if (!key.ReadText("LastKey", lastKey) || IsRegExcluded(stamp.itemName, fullPath, "LastKey", "", ctx.exclusions))
        return;
    TResultContentItem& r = AddRecord(ctx.results, kKindRegValueText, "Reg", stamp);
    r.ValueName = "LastKey";
    r.ValueData = lastKey.empty() ? std::string("(the key the registry editor had open last)") : lastKey;
    r.Location = fullPath;
    ctx.Count(++counter, kCountSet);
}

void ScanRecycleBin(const CatalogItem& item, const ScanContext& ctx) {
    std::vector<std::string> folders;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (DriveType(root) == DRIVE_FIXED) folders.push_back(root + "Recycled");
    }
    int counter = 0;  // one count over all drives
    for (const std::string& folder : folders) {
        if (ctx.Aborted()) break;
        WalkFolder(item.walk, folder, counter, ctx);
    }
}
