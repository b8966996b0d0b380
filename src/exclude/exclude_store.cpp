#include "exclude/exclude_store.h"

#include <string_view>
#include <utility>

#include "exclude/exclude_lines.h"
#include "model/shared_state.h"
#include "platform/files.h"
#include "platform/wide.h"

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool HasUtf8Mark(std::string_view bytes) { return bytes.substr(0, 3) == kUtf8Mark; }

// The file's bytes as UTF-8 text: after the byte-order mark as they are,
// otherwise read in the system's code page, as every file was before.
std::string TextOfFile(std::string_view bytes) {
    if (HasUtf8Mark(bytes)) return std::string(bytes.substr(3));
    return CodePageToUtf8(bytes, SystemAnsiCodePage());
}

// The bytes of a whole file: in the code page when every character has its
// own place there, so files stay as they always were for everyone who never
// needs more; otherwise UTF-8 after a byte-order mark.
std::string BytesOfFile(const std::string& text) {
    std::string bytes;
    if (Utf8ToCodePage(text, SystemAnsiCodePage(), bytes)) return bytes;
    return kUtf8Mark + text;
}

}  // namespace

std::string ExcludeFilePath() { return ExeDirectory() + kExcludeFileName; }

bool LoadExcludeItemsFrom(const std::string& path, TExcludeContents& list) {
    list.Clear();
    list.FileUnread = false;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        DWORD err = 0;
        // Absent: an empty list. There but unreadable: the list knows it is incomplete.
        list.FileUnread = PathAttributes(path, &err) != INVALID_FILE_ATTRIBUTES ||
                          (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND);
        return !list.FileUnread;
    }
    for (TExcludeContentItem& e : ParseExcludeText(TextOfFile(bytes))) list.Item(list.AddNew()) = std::move(e);
    return true;
}

bool ReadAgainBeforeSaving(const std::string& path, TExcludeContents& list) {
    if (!list.FileUnread) return true;
    TExcludeContents file;
    if (!LoadExcludeItemsFrom(path, file)) return false;
    // The file's entries first, then those added here meanwhile that it lacks.
    for (int i = 0; i < list.Count(); ++i) {
        const TExcludeContentItem& e = std::as_const(list).Item(i);
        bool there = false;
        for (int j = 0; j < file.Count() && !there; ++j) there = SameEntry(std::as_const(file).Item(j), e);
        if (!there) file.Item(file.AddNew()) = e;
    }
    list.Clear();
    for (int j = 0; j < file.Count(); ++j) list.Item(list.AddNew()) = std::as_const(file).Item(j);
    list.FileUnread = false;
    return true;
}

bool AddExcludeItemTo(const std::string& path, TExcludeContents& list, const TExcludeContentItem& entry) {
    for (int i = 0; i < list.Count(); ++i)
        if (SameEntry(std::as_const(list).Item(i), entry)) return false;
    list.Item(list.AddNew()) = entry;

    const std::string line = FormatExcludeLine(entry);
    File f(path, File::Open::Append);
    if (!f) return true;
    const int64_t size = f.Size();
    if (size < 0) return true;
    std::string head(3, '\0');
    size_t got = 0;
    if (size > 0 && (!f.Seek(0) || !f.Read(head.data(), head.size(), got))) return true;
    head.resize(got);
    const bool utf8File = HasUtf8Mark(head);
    std::string lineBytes;
    if (size > 0 && !utf8File && !Utf8ToCodePage(line, SystemAnsiCodePage(), lineBytes)) {
        // A file in the code page meets a name it cannot hold: the whole file
        // becomes UTF-8, every line it had kept as it reads.
        f.Close();
        std::string old;
        if (!ReadWholeFile(path, old)) return true;
        std::string text = TextOfFile(old);
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
        ReplaceFileContents(path, kUtf8Mark + text + line);
        return true;
    }
    if (size == 0) {
        lineBytes = BytesOfFile(line);
    } else if (utf8File) {
        lineBytes = line;
    }
    if (size > 0) {
        // A last line without its line end would swallow the new line: end it first.
        char last = 0;
        if (f.Seek(size - 1) && f.Read(&last, 1, got) && got == 1 && last != '\n' && last != '\r')
            lineBytes.insert(0, "\r\n");
    }
    if (f.SeekEnd()) f.WriteAll(lineBytes);
    return true;
}

bool SaveExcludeItemsTo(const std::string& path, const TExcludeContents& list) {
    if (list.FileUnread) return false;  // it would drop every entry that was never read
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += FormatExcludeLine(list.Item(i));
    return ReplaceFileContents(path, BytesOfFile(text));
}

bool ModifyExcludeItemIn(const std::string& path, TExcludeContents& list, const std::string& itemName,
                         const std::string& oldLocation, const std::string& newLocation) {
    if (!ReadAgainBeforeSaving(path, list)) return false;
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
    if (!ReadAgainBeforeSaving(path, list)) return false;
    for (int i = 0; i < list.Count(); ++i) {
        const TExcludeContentItem& e = std::as_const(list).Item(i);
        if (e.ItemName == itemName && ShownValue(e) == shownValue) {
            list.Delete(i);
            break;
        }
    }
    return SaveExcludeItemsTo(path, list);
}

bool LoadExcludeItems() { return LoadExcludeItemsFrom(ExcludeFilePath(), ExcludeList); }

bool AddExcludeItem(const std::string& itemName, const std::string& location, const std::string& entryName,
                    const std::string& entryData) {
    return AddExcludeItemTo(ExcludeFilePath(), ExcludeList, {itemName, location, entryName, entryData});
}

bool ModifyExcludeItem(const std::string& itemName, const std::string& oldLocation, const std::string& newLocation) {
    return ModifyExcludeItemIn(ExcludeFilePath(), ExcludeList, itemName, oldLocation, newLocation);
}

bool RemoveExcludeItem(const std::string& itemName, const std::string& shownValue) {
    return RemoveExcludeItemFrom(ExcludeFilePath(), ExcludeList, itemName, shownValue);
}

bool SaveExcludeItems() { return SaveExcludeItemsTo(ExcludeFilePath(), ExcludeList); }

bool ReadExcludeItemsAgain() { return ReadAgainBeforeSaving(ExcludeFilePath(), ExcludeList); }
