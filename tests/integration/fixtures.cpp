#include "integration/fixtures.h"

#include <gtest/gtest.h>

#include <utility>

#include "clean/clean_engine.h"
#include "clean/wipe.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "tools/seeder/seeder.h"
#include "platform/wide.h"

TestKey::TestKey(const std::string& name) : path_(std::string(kTestRoot) + "\\" + name) {
    RegDeleteKeyTree(HKEY_CURRENT_USER, path_);
    RegKey k;
    k.OpenOrCreate(HKEY_CURRENT_USER, path_);
}

TestKey::~TestKey() { RegDeleteKeyTree(HKEY_CURRENT_USER, path_); }

void TestKey::SetString(const std::string& name, const std::string& value, DWORD type) const {
    RegKey k;
    if (k.OpenForWrite(HKEY_CURRENT_USER, path_)) k.WriteString(name, value, type);
}

void TestKey::SetBinary(const std::string& name, const std::string& bytes, DWORD type) const {
    RegKey k;
    if (k.OpenForWrite(HKEY_CURRENT_USER, path_)) k.WriteBinary(name, bytes, type);
}

void TestKey::SetDword(const std::string& name, DWORD value) const {
    SetBinary(name, std::string(reinterpret_cast<const char*>(&value), sizeof value), REG_DWORD);
}

void TestKey::AddSubkey(const std::string& name) const {
    RegKey k;
    k.OpenOrCreate(HKEY_CURRENT_USER, path_ + "\\" + name);
}

void DeleteTree(const std::string& folder) { DeleteFolderTree(folder); }

TempFolder::TempFolder(const std::string& name) {
    path_ = TempDirectory() + "OrmatekSorvandaTests";
    CreateFolder(path_);
    path_ += "\\" + name;
    DeleteTree(path_);
    CreateFolder(path_);
}

TempFolder::~TempFolder() { DeleteTree(path_); }

std::string TempFolder::File(const std::string& name, const std::string& content, DWORD attributes) const {
    const std::string p = path_ + "\\" + name;
    {
        ::File f(p, ::File::Open::Create);
        if (f) f.WriteAll(content);
    }
    if (attributes) SetPathAttributes(p, attributes);
    return p;
}

std::string TempFolder::Folder(const std::string& name) const {
    const std::string p = path_ + "\\" + name;
    CreateFolder(p);
    return p;
}

std::string Slurp(const std::string& path) {
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

int Entries(const std::string& folder) {
    int n = 0;
    FolderWalker w(folder);
    FolderEntry e;
    while (w.Next(e))
        if (!e.IsDots()) ++n;
    return n;
}

namespace {
std::vector<std::string>* g_passes = nullptr;

void ReadBackPass(void* fileHandle, int) {
    HANDLE f = static_cast<HANDLE>(fileHandle);
    std::string content;
    LARGE_INTEGER zero{};
    if (SetFilePointerEx(f, zero, nullptr, FILE_BEGIN)) {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) content.append(buf, got);
    }
    g_passes->push_back(content);
}
}  // namespace

std::vector<std::string> ContentAfterEachPass(const std::function<void()>& work) {
    std::vector<std::string> passes;
    g_passes = &passes;
    SetPassObserver(ReadBackPass);
    work();
    SetPassObserver(nullptr);
    g_passes = nullptr;
    return passes;
}

CliRun RunCli(const std::string& args, const std::string& exe) {
    CliRun run;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const bool whole = exe.size() > 2 && exe[1] == ':';  // a program elsewhere, by its whole path
    std::wstring cmd = ToWide("\"" + (whole ? exe : ExeDirectory() + exe) + "\" " + args);
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return run;
    }
    CloseHandle(writeEnd);
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) run.out.append(buf, got);
    CloseHandle(readEnd);
    WaitForSingleObject(pi.hProcess, 120000);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}

Scanned::Scanned(std::initializer_list<const char*> items, int count) {
    SeedOptions o;
    for (const char* i : items) o.items.insert(i);
    o.count = count;
    SeedTraces(o);
    for (const char* i : items) Scan(i);
}

void Scanned::Scan(const char* item) { ScanOneItem(t.session, *FindCatalogItemByName(item), t.tree, results); }

Scanned::~Scanned() { ClearTraces({}); }

TResultContentItem& Scanned::Record(const std::string& name) {
    for (int i = 0; i < results.Count(); ++i)
        if (TraceIdentity(std::as_const(results).Item(i)) == name) return results.Item(i);
    ADD_FAILURE() << "no record " << name;
    static TResultContentItem none;
    return none;
}

void Scanned::Clean() {
    CleanProgress progress;
    for (int i = 0; i < results.Count(); ++i) progress.total += results.Item(i).Checked;
    progress.exclusions = &t.session.ExcludeList;
    CleanEvidences(results, progress);
}

std::set<std::string> ValuesOf(const std::string& key) {
    RegKey k;
    if (!k.Open(HKEY_CURRENT_USER, key)) return {};
    const auto names = k.ValueNames();
    return {names.begin(), names.end()};
}

std::set<std::string> SubkeysOf(const std::string& key) {
    RegKey k;
    if (!k.Open(HKEY_CURRENT_USER, key)) return {};
    const auto names = k.SubkeyNames();
    return {names.begin(), names.end()};
}
