// What every scanner shares: full key paths, the value-list helpers, the list
// scanner run from a table row, the folder walks and the abort test.
//
// A scanner takes the item tree, its item's node and its category's result
// collection; it appends records in the order it meets the traces and keeps
// the item's found count current. It never removes records and never touches
// another item's node.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/records.h"
#include "model/tree_model.h"

inline constexpr char kHkcuName[] = "HKEY_CURRENT_USER";

// The root key of a root name ("HKEY_CURRENT_USER", ...); nullptr otherwise.
HKEY GetRootKey(const std::string& name);

struct KeyPathParts {
    std::string rootName;  // text before the first backslash; empty when there is none
    std::string path;      // the rest, after that backslash
};
// Splits a full key path. Only the leading root name and its backslash are
// removed; the same text further on stays in the path.
KeyPathParts SplitKeyPath(const std::string& fullPath);

// "HKEY_CURRENT_USER\" + path.
std::string HkcuPath(const std::string& path);

// The value's text, read through its own registry access; empty when the key
// or value is missing or the data is not text.
std::string ReadRegString(const std::string& fullPath, const std::string& valueName);

// True once the user asked to abort; every loop tests it before each entry.
bool ScanAborted();
// Lets messages run and tells whether to go on: for the long preparations
// before a loop (reading a key's names, a profile file).
bool KeepScanning();

// The fields every record of one scanner shares.
struct RecordStamp {
    std::string group, cleanName, itemName;
};
// Appends a record with Checked 1 and the stamp; the caller fills the rest.
TResultContentItem& AddRecord(TResultContents& results, int kind, const char* sourceType, const RecordStamp& stamp);

// One record per name of an already read list of value names: reads each
// value's text with ReadRegString, drops what IsRegExcluded covers, raises the
// counter (shared by all keys of a scanner) and writes it as the item's count.
void ScanValueNames(const RecordStamp& stamp, int& counter, int kind, const std::string& fullPath,
                    const std::vector<std::string>& names, TResultContents& results, int mode, int node,
                    TreeModel& tree);
// As ScanValueNames without the exclusion test; each record adds 1 to the count.
void ScanValueNamesNoExclude(const RecordStamp& stamp, int kind, const std::string& fullPath,
                             const std::vector<std::string>& names, TResultContents& results, int node,
                             TreeModel& tree);

// A registry list scanner as data: one key under HKEY_CURRENT_USER, its
// values or subkeys, the record each becomes and how it is counted.
struct ListScannerRow {
    enum class Lists { Values, Subkeys };
    enum class NameInto { ValueName, KeyName };
    enum class TestData { ValueText, Empty, Name, None };  // what IsRegExcluded matches
    enum class Count { Position, Running };

    const char* itemName;
    const char* cleanName;
    const char* group;
    const char* keyPath;
    Lists lists;
    int kind;
    NameInto nameInto;
    bool keepData;            // read the value's text into ValueData
    TestData test;
    Count count = Count::Position;
    bool plainTextOnly = false;     // only values of type REG_SZ are listed
    bool locationPerSubkey = false; // the record's key is the subkey itself
};

void RunListScanner(const ListScannerRow& row, TreeModel& tree, int node, TResultContents& results);

// The four folder walks over one folder (not its subfolders).
enum class FolderWalk { SendTo, Recent, Favorites, Recycled };
// Lists the folder's entries as kind-0 file records. counter is the running
// count (shared across the folders of the RecycleBin scanner).
void WalkFolder(FolderWalk walk, const std::string& folder, int& counter, TreeModel& tree, int node,
                TResultContents& results);
// Whether the walk lists an entry with this attribute word and name.
bool WalkAccepts(FolderWalk walk, DWORD attributes, const std::string& name);

// Convenience names for the folder walks.
void ScanFolderFiles(const std::string& folder, int mode, TreeModel& tree, int node, TResultContents& results);
void ScanFavoritesFolder(const std::string& folder, TreeModel& tree, int node, TResultContents& results);
void ScanRecycledFolder(const std::string& folder, int& counter, TreeModel& tree, int node,
                        TResultContents& results);

// A scanner that reads one named value and records it when it has text.
struct SingleValueRow {
    const char* itemName;
    const char* cleanName;
    const char* group;
    const char* keyPath;
    const char* valueName;
    bool testExclusions;
    const char* testName;   // value name given to IsRegExcluded
};
void RunSingleValueScanner(const SingleValueRow& row, TreeModel& tree, int node, TResultContents& results);

// A scanner over several keys: each key's value names go through
// ScanValueNames with one counter shared by all keys (a running count).
struct MultiKeyRow {
    const char* itemName;
    const char* cleanName;
    const char* group;
    std::vector<std::string> keyPaths;  // under HKEY_CURRENT_USER, in scan order
};
void RunMultiKeyScanner(const MultiKeyRow& row, int& counter, TreeModel& tree, int node, TResultContents& results);
