// Real keys and folders for integration tests, removed again on scope exit.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/item_tree.h"
#include "model/scan_session.h"
#include "model/tree_model.h"
#include "scan/scan_run.h"

inline constexpr char kTestRoot[] = "Software\\OrmatekSorvandaTests";

// A key under HKEY_CURRENT_USER\Software\OrmatekSorvandaTests.
class TestKey {
public:
    explicit TestKey(const std::string& name);
    ~TestKey();
    const std::string& path() const { return path_; }       // below HKEY_CURRENT_USER
    std::string full() const { return "HKEY_CURRENT_USER\\" + path_; }
    void SetString(const std::string& name, const std::string& value, DWORD type = REG_SZ) const;
    void SetBinary(const std::string& name, const std::string& bytes, DWORD type = REG_BINARY) const;
    void SetDword(const std::string& name, DWORD value) const;
    void AddSubkey(const std::string& name) const;

private:
    std::string path_;
};

// A fresh folder under the temporary folder, deleted with its contents.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name, const std::string& content = "x", DWORD attributes = 0) const;
    std::string Folder(const std::string& name) const;

private:
    std::string path_;
};

void DeleteTree(const std::string& folder);
// The names of a key's values and subkeys below HKEY_CURRENT_USER (none when it is absent).
std::set<std::string> ValuesOf(const std::string& key);
std::set<std::string> SubkeysOf(const std::string& key);
// The whole content of a file (empty when it cannot be read).
std::string Slurp(const std::string& path);
// Entries of a folder, "." and ".." not counted.
int Entries(const std::string& folder);

// Runs work and returns what each overwrite pass it made left in its file,
// read back after the pass was flushed; one text per pass, in order.
std::vector<std::string> ContentAfterEachPass(const std::function<void()>& work);

// A session of its own and the item tree as the Scan page builds it.
struct ScanTree {
    ScanTree() { BuildItemTree(tree, session.Catalogs()); }
    int Count(int node) const { return tree.Data(node)->FoundCount; }
    // What the scan run hands the scanner of the item at node: these results (or
    // others), the session's exclusion list and abort signal, the message pump.
    ScanContext Context(int node) { return ContextFor(session, tree, node, results); }
    ScanContext Context(int node, TResultContents& into) { return ContextFor(session, tree, node, into); }
    // Scans one catalog item alone into a fresh collection.
    TResultContents Scan(const CatalogItem& item) {
        TResultContents into;
        ScanOneItem(session, item, tree, into);
        return into;
    }
    TResultContents Scan(const char* itemName) { return Scan(*FindCatalogItemByName(itemName)); }
    // An entry of the session's exclusion list, as a user's exclusion makes it.
    void Exclude(const std::string& item, const std::string& location, const std::string& name,
                 const std::string& data) {
        session.ExcludeList.Item(session.ExcludeList.AddNew()) = {item, location, name, data};
    }
    ScanSession session;
    TreeModel tree;
    TResultContents results;
};

// Seeds the items, then scans them with their own scanners into one
// collection; every seeded trace is cleared again at the end.
struct Scanned {
    Scanned() = default;  // nothing seeded
    explicit Scanned(std::initializer_list<const char*> items, int count = 3);
    // Appends the records of one more item's scan.
    void Scan(const char* item);
    ~Scanned();
    // The record whose trace is named so (see TraceIdentity); a test failure when there is none.
    TResultContentItem& Record(const std::string& name);
    // Cleans the ticked records, as one clean run with the session's exclusion list.
    void Clean();
    void Exclude(const std::string& item, const std::string& location, const std::string& name,
                 const std::string& data) {
        t.Exclude(item, location, name, data);
    }
    ScanTree t;
    TResultContents results;
};

struct CliRun {
    DWORD exitCode = 999;
    std::string out;  // standard output and error, as printed
};
// Runs a tool beside this test program (the headless front end unless named, or one given by its whole path)
// with arguments given as UTF-8, and collects what it prints.
CliRun RunCli(const std::string& args, const std::string& exe = "sorvanda-cli.exe");
