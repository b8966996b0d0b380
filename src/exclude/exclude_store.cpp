#include "exclude/exclude_store.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "exclude/exclude_lines.h"
#include "model/shared_state.h"
#include "platform/files.h"
#include "platform/handles.h"

namespace {

bool WriteAll(HANDLE f, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 24));
        DWORD wrote = 0;
        if (!WriteFile(f, data.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

// Another program reading the file (a virus scanner, an editor) may hold it
// for a moment; try again briefly before giving up.
bool ReplaceWithRetry(const std::string& from, const std::string& to) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD err = GetLastError();
        if (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION) return false;
        Sleep(25);
    }
    return false;
}

}  // namespace

std::string ExcludeFilePath() { return ExeDirectory() + kExcludeFileName; }

void LoadExcludeItemsFrom(const std::string& path, TExcludeContents& list) {
    list.Clear();
    std::string text;
    if (!ReadWholeFile(path, text)) return;
    for (TExcludeContentItem& e : ParseExcludeText(text)) list.Item(list.AddNew()) = std::move(e);
}

bool AddExcludeItemTo(const std::string& path, TExcludeContents& list, const TExcludeContentItem& entry) {
    for (int i = 0; i < list.Count(); ++i)
        if (SameEntry(std::as_const(list).Item(i), entry)) return false;
    list.Item(list.AddNew()) = entry;

    UniqueFile f(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return true;
    std::string line = FormatExcludeLine(entry);
    LARGE_INTEGER size{};
    if (GetFileSizeEx(f.get(), &size) && size.QuadPart > 0) {
        // A last line without its line end would swallow the new line: end it first.
        LARGE_INTEGER last{};
        last.QuadPart = size.QuadPart - 1;
        char c = 0;
        DWORD got = 0;
        if (SetFilePointerEx(f.get(), last, nullptr, FILE_BEGIN) && ReadFile(f.get(), &c, 1, &got, nullptr) &&
            got == 1 && c != '\n' && c != '\r')
            line.insert(0, "\r\n");
    }
    LARGE_INTEGER zero{};
    if (SetFilePointerEx(f.get(), zero, nullptr, FILE_END)) WriteAll(f.get(), line);
    return true;
}

bool SaveExcludeItemsTo(const std::string& path, const TExcludeContents& list) {
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += FormatExcludeLine(list.Item(i));
    const DWORD oldAttrs = GetFileAttributesA(path.c_str());
    if (oldAttrs != INVALID_FILE_ATTRIBUTES && (oldAttrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;  // a read-only file is not ours to replace
    const std::string temp = path + ".new";
    bool ok = false;
    {
        UniqueFile f(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        ok = f && WriteAll(f.get(), text) && FlushFileBuffers(f.get());
    }
    if (ok) ok = ReplaceWithRetry(temp, path);
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

bool ModifyExcludeItemIn(const std::string& path, TExcludeContents& list, const std::string& itemName,
                         const std::string& oldLocation, const std::string& newLocation) {
    for (int i = 0; i < list.Count(); ++i) {
        const TExcludeContentItem& e = std::as_const(list).Item(i);
        if (e.ItemName == itemName && e.Location == oldLocation) {
            list.Item(i).Location = newLocation;
            break;
        }
    }
    return SaveExcludeItemsTo(path, list);
}

bool RemoveExcludeItemFrom(const std::string& path, TExcludeContents& list, const std::string& itemName,
                           const std::string& shownValue) {
    for (int i = 0; i < list.Count(); ++i) {
        const TExcludeContentItem& e = std::as_const(list).Item(i);
        if (e.ItemName == itemName && ShownValue(e) == shownValue) {
            list.Delete(i);
            break;
        }
    }
    return SaveExcludeItemsTo(path, list);
}

void LoadExcludeItems() { LoadExcludeItemsFrom(ExcludeFilePath(), ExcludeList); }

bool AddExcludeItem(const std::string& itemName, const std::string& location, const std::string& entryName,
                    const std::string& entryData) {
    return AddExcludeItemTo(ExcludeFilePath(), ExcludeList, {itemName, location, entryName, entryData});
}

void ModifyExcludeItem(const std::string& itemName, const std::string& oldLocation, const std::string& newLocation) {
    ModifyExcludeItemIn(ExcludeFilePath(), ExcludeList, itemName, oldLocation, newLocation);
}

void RemoveExcludeItem(const std::string& itemName, const std::string& shownValue) {
    RemoveExcludeItemFrom(ExcludeFilePath(), ExcludeList, itemName, shownValue);
}

bool SaveExcludeItems() { return SaveExcludeItemsTo(ExcludeFilePath(), ExcludeList); }
