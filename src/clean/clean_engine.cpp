#include "clean/clean_engine.h"

#include <utility>

#include "app/settings.h"
#include "clean/wipe.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "scan/scan_conventions.h"

int GaugePercent(int handled, int total) {
    if (total <= 0) return 0;
    const long long num = static_cast<long long>(handled) * 100;
    long long q = num / total;
    const long long twice = (num % total) * 2;
    if (twice > total || (twice == total && (q % 2) != 0)) ++q;
    return static_cast<int>(q);
}

namespace {

// The key of the last value record stays open for the next one, as long as
// the records name the same key.
class KeyCache {
public:
    RegKey* Open(const std::string& fullPath) {
        if (open_ && fullPath == path_) return &key_;
        const KeyPathParts parts = SplitKeyPath(fullPath);
        path_ = fullPath;
        open_ = key_.OpenForWrite(GetRootKey(parts.rootName), parts.path);
        return open_ ? &key_ : nullptr;
    }
    void Close() {
        key_.Close();
        open_ = false;
        path_.clear();
    }

private:
    RegKey key_;
    std::string path_;
    bool open_ = false;
};

bool RemoveRegistryTrace(const TResultContentItem& r, KeyCache& keys, CleanProgress& progress) {
    if (r.Kind == kKindRegValue || r.Kind == kKindRegValueText) {
        RegKey* key = keys.Open(r.Location);
        return key && key->DeleteValue(r.ValueName);
    }
    if (r.Kind == kKindRegKey) {
        keys.Close();  // the key may be the one held open
        const KeyPathParts parts = SplitKeyPath(r.Location);
        HKEY root = GetRootKey(parts.rootName);
        if (RegDeleteKeyTree(root, parts.path)) {
            progress.keysDeleted.insert(r.Location);
            return true;
        }
        // Several records may stand for one key (Telnet, Netmeeting): the
        // first of them deleted it for all.
        return progress.keysDeleted.count(r.Location) && root && !RegKeyExists(root, parts.path);
    }
    return false;
}

}  // namespace

void CleanEvidences(TResultContents& results, CleanProgress& progress) {
    KeyCache keys;
    for (int i = 0; i < results.Count(); ++i) {
        const TResultContentItem& r = std::as_const(results).Item(i);
        if (!r.Checked) continue;
        if (progress.onStep) progress.onStep(r.ValueName);
        bool gone = false;
        if (r.SourceType == "Reg") {
            gone = RemoveRegistryTrace(r, keys, progress);
        } else if (r.SourceType == "File") {
            if (r.Group == "IE Cache" || r.Group == "IE Cookies") gone = DeleteUrlCacheEntryByUrl(r.ValueName);
            else gone = WipeAndDeleteFile(r.Location, 1);
        }
        if (!gone) continue;
        results.Item(i).Deleted = 1;
        ++progress.handled;
        if (progress.onGauge) progress.onGauge(GaugePercent(progress.handled, progress.total));
    }
}

void EmptyRecycleBin(HWND owner) {
    if (EmptyRecycleBins(owner) == RecycleBinEmptied::NoShellLibrary)
        Dialogs().Message(owner, "Failed to load Shell32.dll.", kAppTitle, MB_ICONERROR | MB_OK);
}
