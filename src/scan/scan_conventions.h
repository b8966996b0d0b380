// What every scanner shares: the scan context, the value-list helpers, the
// list scanner, the folder walks.
//
// A scanner gets a scan context: the item tree and its item's node, its
// category's result collection, the session's exclusion list and abort
// signal, and the message pump. It appends records in the order it meets the
// traces and keeps the item's found count current. It never removes records,
// never touches another item's node, and reads no process-wide state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/records.h"
#include "model/scan_session.h"
#include "model/tree_model.h"
#include "platform/files.h"
#include "platform/registry.h"

struct ScanContext {
    TreeModel& tree;
    int node;                            // the item's node in the tree
    TResultContents& results;            // its category's collection
    const ScanSession& session;          // asked before each entry whether the user aborted
    const TExcludeContents& exclusions;  // the session's
    std::function<void()> pump;          // lets the window take its pending messages
    std::function<void(double)> progress;  // how far through its work the item is, 0 to 1 (where that is known)

    bool Aborted() const { return session.AbortRequested(); }
    void Pump() const {
        if (pump) pump();
    }
    // For the long preparations before a loop (reading a key's names, a profile file).
    bool KeepGoing() const {
        Pump();
        return !Aborted();
    }
    void Progress(double fraction) const {
        if (progress) progress(fraction);
    }
    // The item's found count: set (kCountSet) or raised (kCountAdd).
    void Count(int number, int mode) const;
};

// The fields every record of one scanner shares.
struct RecordStamp {
    SharedText group, cleanName, itemName;  // given to each record as they are
    const CatalogItem* item = nullptr;  // the catalog item the records belong to
};
RecordStamp StampOf(const CatalogItem& item);
// Gives a record Checked 1, its kind and source type and the stamp.
void StampRecord(TResultContentItem& r, int kind, const char* sourceType, const RecordStamp& stamp);
// Appends a record with Checked 1 and the stamp; the caller fills the rest.
TResultContentItem& AddRecord(TResultContents& results, int kind, const char* sourceType, const RecordStamp& stamp);

// One record per value of an already read list of a key's values (RegKey::Values,
// names and texts together): drops what the exclusion list covers, raises the
// counter (shared by all keys of a scanner) and writes it as the item's count,
// or (Counting::AddOne) adds one to the count for each record.
void ScanValueList(const ScanContext& ctx, const RecordStamp& stamp, int& counter, int kind,
                   const std::string& fullPath, std::vector<RegValue> values, Counting count = Counting::Running);
// One record per name of a list of value names, without the exclusion test
// (and so without the values' texts); each record adds 1 to the count.
void ScanValueNamesNoExclude(const ScanContext& ctx, const RecordStamp& stamp, int kind, const std::string& fullPath,
                             const std::vector<std::string>& names);

// The list scanner's parameters: one key under HKEY_CURRENT_USER, its values
// or subkeys, the record each becomes and how it is counted. The catalog's
// list items give their own (ListScannerRow::Of); tests make their own.
struct ListScannerRow {
    enum class Lists { Values, Subkeys };

    const char* itemName;
    const char* cleanName;
    const char* group;
    const char* keyPath;
    Lists lists;
    int kind;
    NameField nameInto;
    bool keepData;            // read the value's text into ValueData
    TestData test;
    Counting count = Counting::Position;
    bool plainTextOnly = false;     // only values of type REG_SZ are listed
    bool locationPerSubkey = false; // the record's key is the subkey itself
    const CatalogItem* item = nullptr;  // the catalog item the records belong to (none: a test's own row)
};

void RunListScanner(const ListScannerRow& row, const ScanContext& ctx);
// The same for a catalog item of the value-list or subkey-list shape.
void RunListScanner(const CatalogItem& item, const ScanContext& ctx);

// Lists the folder's entries (not its subfolders) as kind-0 file records.
// counter is the running count (shared across the folders of the recycle bins).
void WalkFolder(FolderWalk walk, const std::string& folder, int& counter, const ScanContext& ctx);
// Whether the walk lists an entry with this attribute word and name.
bool WalkAccepts(FolderWalk walk, unsigned long attributes, const std::string& name);

// Each file of the folder (and, when recursive, of its subfolders; links are
// never entered) whose name matches one of the patterns (none: every file),
// with its full path; stops when the user aborts.
void ForEachFile(const std::string& folder, bool recursive, std::span<const std::string_view> patterns,
                 const ScanContext& ctx, const std::function<void(const std::string& path, const FolderEntry& e)>& found);

// Convenience names for the folder walks.
void ScanFolderFiles(const std::string& folder, int mode, const ScanContext& ctx);
void ScanFavoritesFolder(const std::string& folder, const ScanContext& ctx);
void ScanRecycledFolder(const std::string& folder, int& counter, const ScanContext& ctx);

// One trace whose existence the caller checked (a named value or key):
// recorded unless the exclusion list covers it with this data; the running
// counter is the item's count.
void RecordNamedTrace(const ScanContext& ctx, const RecordStamp& stamp, int kind, const std::string& name,
                      const std::string& location, const std::string& testData, int& counter);

// A scanner that reads one named value and records it when it has text.
void RunSingleValueScanner(const CatalogItem& item, const ScanContext& ctx);

// A scanner over several keys: each key's value names go through
// ScanValueList with one counter shared by all keys (a running count), or
// through ScanValueNamesNoExclude for the items that never test exclusions.
void RunMultiKeyScanner(const CatalogItem& item, int& counter, const ScanContext& ctx);
