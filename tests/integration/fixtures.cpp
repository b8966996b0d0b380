#include "integration/fixtures.h"

#include "clean/wipe.h"
#include "platform/files.h"
#include "platform/registry.h"

TestKey::TestKey(const std::string& name) : path_(std::string(kTestRoot) + "\\" + name) {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegKey k;
    k.OpenOrCreate(HKEY_CURRENT_USER, path_);
}

TestKey::~TestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

void TestKey::SetString(const std::string& name, const std::string& value, DWORD type) const {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_WRITE, &h) != ERROR_SUCCESS) return;
    RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

void TestKey::SetBinary(const std::string& name, const std::string& bytes, DWORD type) const {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_WRITE, &h) != ERROR_SUCCESS) return;
    RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(h);
}

void TestKey::SetDword(const std::string& name, DWORD value) const {
    SetBinary(name, std::string(reinterpret_cast<const char*>(&value), sizeof value), REG_DWORD);
}

void TestKey::AddSubkey(const std::string& name) const {
    RegKey k;
    k.OpenOrCreate(HKEY_CURRENT_USER, path_ + "\\" + name);
}

void DeleteTree(const std::string& folder) {
    FolderWalker w(folder);
    FolderEntry e;
    while (w.Next(e)) {
        if (e.name == "." || e.name == "..") continue;
        const std::string p = folder + "\\" + e.name;
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {  // a link: remove it, not what it points at
            if (!RemoveDirectoryA(p.c_str())) DeleteFileA(p.c_str());
        } else if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(p);
        } else {
            DeleteFileA(p.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

TempFolder::TempFolder(const std::string& name) {
    char tmp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, tmp);
    path_ = std::string(tmp) + "OrmatekSorvandaTests";
    CreateDirectoryA(path_.c_str(), nullptr);
    path_ += "\\" + name;
    DeleteTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { DeleteTree(path_); }

std::string TempFolder::File(const std::string& name, const std::string& content, DWORD attributes) const {
    const std::string p = path_ + "\\" + name;
    HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD wrote = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &wrote, nullptr);
        CloseHandle(h);
    }
    if (attributes) SetFileAttributesA(p.c_str(), attributes);
    return p;
}

std::string TempFolder::Folder(const std::string& name) const {
    const std::string p = path_ + "\\" + name;
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
}

void AddExclusion(const std::string& item, const std::string& location, const std::string& name,
                  const std::string& data) {
    ExcludeList.Item(ExcludeList.AddNew()) = {item, location, name, data};
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
        if (e.name != "." && e.name != "..") ++n;
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
