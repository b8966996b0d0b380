// Browser profiles and databases as the tests read them back.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "integration/fixtures.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/shell.h"

inline std::string ChromeProfile(const char* profile) {
    return ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\" + profile;
}
inline std::string FirefoxProfile(const char* profile) {
    return ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles\\" + profile;
}
inline constexpr char kFirefoxFirst[] = "x8c4v0zq.default-release";

// The first column of the first row, or -1.
inline int64_t Number(const std::string& path, const std::string& sql) {
    Database db;
    if (!db.Open(path, Database::Mode::ReadOnly)) return -1;
    Database::Statement s(db, sql);
    return s.Step() ? s.Int(0) : -1;
}

// Every value of the first column.
inline std::set<std::string> Texts(const std::string& path, const std::string& sql) {
    std::set<std::string> out;
    Database db;
    if (!db.Open(path, Database::Mode::ReadOnly)) return out;
    Database::Statement s(db, sql);
    while (s.Step()) out.insert(s.Text(0));
    return out;
}

// Every byte of the database's files: the file, its journal and its log.
inline std::string AllBytesOf(const std::string& path) {
    return Slurp(path) + Slurp(path + "-journal") + Slurp(path + "-wal");
}

// What SQLite's own check says of a database: "ok" when it is whole.
inline std::string IntegrityOf(const std::string& path) {
    const std::set<std::string> result = Texts(path, "PRAGMA integrity_check");
    return result.size() == 1 ? *result.begin() : "several problems";
}

// Every file below a folder with its bytes, and (with folders) every folder,
// its path ending in a backslash, as "". skip leaves files out by name.
inline void CollectFiles(const std::string& folder, std::map<std::string, std::string>& files, bool folders = false,
                         bool (*skip)(const std::string& name) = nullptr) {
    FolderWalker w(folder);
    FolderEntry e;
    while (w.Next(e)) {
        if (e.IsDots()) continue;
        const std::string path = folder + "\\" + e.name;
        if (e.IsDir()) {
            if (folders) files[path + "\\"] = "";
            CollectFiles(path, files, folders, skip);
        } else if (!skip || !skip(e.name)) {
            files[path] = Slurp(path);
        }
    }
}
