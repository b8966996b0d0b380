#include "clean/settings_entries.h"

#include <optional>
#include <set>

#include "clean/database_rows.h"
#include "clean/wipe.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scan/settings_lists.h"

namespace {

constexpr std::string_view kTimesKey[] = {"times"};  // VLC's play positions, one per entry

// The entries of a settings text, as the scan reads them.
std::vector<std::string> EntriesOf(SettingsFormat format, const std::string& text) {
    switch (format) {
    case SettingsFormat::MediaRecents: return IniListEntries(text, "RecentsMRL", "list");
    case SettingsFormat::XmlHistory: return XmlHistoryFiles(text);
    case SettingsFormat::RecentlyOpened: return RecentlyOpenedEntries(text);
    case SettingsFormat::None: break;
    }
    return {};
}

std::optional<std::string> Without(SettingsFormat format, const std::string& text, const std::vector<std::string>& gone) {
    switch (format) {
    case SettingsFormat::MediaRecents: return IniListWithout(text, "RecentsMRL", "list", kTimesKey, gone);
    case SettingsFormat::XmlHistory: return XmlHistoryWithout(text, gone);
    case SettingsFormat::RecentlyOpened: return RecentlyOpenedWithout(text, gone);
    case SettingsFormat::None: break;
    }
    return std::nullopt;
}

// Of the entries, those the text still holds (to go), and what becomes of each.
std::vector<std::string> Present(const std::vector<std::string>& listed, const std::vector<std::string>& entries,
                                 std::vector<StayReason>& outcome) {
    const std::set<std::string> there(listed.begin(), listed.end());
    std::vector<std::string> gone;
    outcome.assign(entries.size(), StayReason::None);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (there.count(entries[i])) gone.push_back(entries[i]);
        else outcome[i] = StayReason::NotFound;
    }
    return gone;
}

bool ReadAll(File& f, std::string& bytes) {
    const int64_t size = f.Size();
    if (size < 0) return false;
    bytes.assign(static_cast<size_t>(size), '\0');
    for (size_t done = 0; done < bytes.size();) {
        size_t got = 0;
        if (!f.Read(bytes.data() + done, bytes.size() - done, got) || got == 0) return false;
        done += got;
    }
    return true;
}

std::vector<StayReason> Every(size_t n, StayReason why) { return std::vector<StayReason>(n, why); }

std::vector<StayReason> RemoveFromFile(const std::string& path, SettingsFormat format,
                                       const std::vector<std::string>& entries) {
    if (IsLink(path)) return Every(entries.size(), StayReason::LinkNotFollowed);
    if (PathAttributes(path) & FILE_ATTRIBUTE_READONLY) return Every(entries.size(), StayReason::AccessDenied);
    File f(path, File::Open::Exclusive);
    if (!f) return Every(entries.size(), StayReasonOfError(f.Error()));
    std::string bytes;
    SettingsText text;
    if (!ReadAll(f, bytes)) return Every(entries.size(), StayReasonOfError(f.Error()));
    if (!DecodeSettingsText(bytes, text)) return Every(entries.size(), StayReason::ChangedSinceScan);
    std::vector<StayReason> outcome;
    const std::vector<std::string> gone = Present(EntriesOf(format, text.utf8), entries, outcome);
    if (gone.empty()) return outcome;
    const std::optional<std::string> kept = Without(format, text.utf8, gone);
    if (!kept) return Every(entries.size(), StayReason::ChangedSinceScan);
    text.utf8 = *kept;
    const StayReason why = RewriteInPlace(f, bytes.size(), EncodeSettingsText(text));
    return why == StayReason::None ? outcome : Every(entries.size(), why);
}

std::vector<StayReason> RemoveFromDatabase(const std::string& path, const std::vector<std::string>& entries) {
    std::vector<StayReason> outcome;
    bool changed = false;  // the list no longer reads as the scan read it
    const StayReason why = ChangeDatabaseValue(
        path, "history.recentlyOpenedPathsList", [&](const std::string& value) -> std::optional<std::string> {
            const std::vector<std::string> gone = Present(RecentlyOpenedEntries(value), entries, outcome);
            if (gone.empty()) return value;
            std::optional<std::string> kept = RecentlyOpenedWithout(value, gone);
            changed = !kept;
            return kept;
        });
    if (changed) return Every(entries.size(), StayReason::ChangedSinceScan);
    // An editor that holds its state says so as a browser does: it is in use.
    if (why != StayReason::None) return Every(entries.size(), why == StayReason::CloseTheBrowser ? StayReason::InUse : why);
    return outcome.empty() ? Every(entries.size(), StayReason::NotFound) : outcome;
}

}  // namespace

std::vector<StayReason> RemoveSettingsEntries(const std::string& path, SettingsFormat format,
                                              const std::vector<std::string>& entries) {
    if (entries.empty()) return {};
    if (format == SettingsFormat::RecentlyOpened) return RemoveFromDatabase(path, entries);
    return RemoveFromFile(path, format, entries);
}

std::vector<StayReason> RemoveValueListEntries(const std::string& keyFullPath, const std::string& value,
                                               const std::vector<std::string>& entries) {
    RegKey key;
    if (!key.OpenForWrite(RegistryPath::Parse(keyFullPath))) return Every(entries.size(), StayReasonOfError(key.Error()));
    std::string data;
    DWORD type = REG_NONE;
    if (!key.ReadBinary(value, data, &type)) return Every(entries.size(), StayReason::NotFound);
    std::vector<StayReason> outcome;
    if (IsTextType(type)) {
        const std::vector<std::string> gone = Present({key.ReadString(value)}, entries, outcome);
        if (!gone.empty() && !key.DeleteValue(value)) return Every(entries.size(), StayReasonOfError(key.Error()));
        return outcome;
    }
    if (type != REG_BINARY) return Every(entries.size(), StayReason::ChangedSinceScan);
    const std::vector<std::string> gone = Present(NulListEntries(data), entries, outcome);
    if (gone.empty()) return outcome;
    if (!key.WriteBinary(value, NulListWithout(data, gone))) return Every(entries.size(), StayReasonOfError(key.Error()));
    return outcome;
}

StayReason RemoveRecycledItem(const std::string& infoPath) {
    const size_t cut = infoPath.find_last_of('\\');
    const std::string name = infoPath.substr(cut + 1);
    if (cut == std::string::npos || name.size() < 3) return StayReason::Failed;
    const std::string data = infoPath.substr(0, cut + 1) + "$R" + name.substr(2);
    const DWORD attributes = PathAttributes(data);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A folder goes with its tree; a link, as a link, whatever it points to.
        const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !IsLink(data);
        StayReason why = StayReason::None;
        if (folder) why = WipeFolderTree(data, 2);
        else if (const WipeOutcome out = WipeAndDelete(data, 2); !out.gone) why = out.why;
        if (why != StayReason::None) return why;  // the record stays while its data does
    }
    const WipeOutcome out = WipeAndDelete(infoPath, 2);
    return out.gone ? StayReason::None : out.why;
}
