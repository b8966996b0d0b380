#include "exclude/exclude_store.h"

#include <string_view>
#include <utility>
#include <vector>

#include "exclude/exclude_file.h"
#include "exclude/exclude_lines.h"
#include "platform/files.h"
#include "platform/wide.h"

namespace {

// The system's code page, for the files without a byte-order mark.
const CodePageText& SystemCodePage() {
    static const CodePageText text{
        [](std::string_view bytes, std::string& utf8) { return CodePageToUtf8Strict(bytes, SystemAnsiCodePage(), utf8); },
        [](std::string_view utf8, std::string& bytes) { return Utf8ToCodePage(utf8, SystemAnsiCodePage(), bytes); }};
    return text;
}

}  // namespace

std::string ExcludeFilePath() { return ExeDirectory() + kExcludeFileName; }

bool LoadExcludeItemsFrom(const std::string& path, TExcludeContents& list) {
    list.Clear();
    list.FileUnread = list.FileDamaged = false;
    list.FileEncoding = TextEncoding::CodePage;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        SystemError err = 0;
        // Absent: an empty list. There but unreadable: the list knows it is incomplete.
        list.FileUnread = PathAttributes(path, &err) != INVALID_FILE_ATTRIBUTES ||
                          (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND);
        return !list.FileUnread;
    }
    ExcludeFileContents file = DecodeExcludeFile(bytes, SystemCodePage());
    for (TExcludeContentItem& e : file.entries) list.Item(list.AddNew()) = std::move(e);
    list.FileEncoding = file.encoding;
    // The lines that could be read count; the others are still in the file, which is therefore never rewritten.
    list.FileUnread = list.FileDamaged = file.unreadLines > 0;
    return !list.FileUnread;
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

    // The line goes at the end of the file, in the file's own encoding.
    const std::string line = FormatExcludeLine(entry);
    File f(path, File::Open::Append);
    if (!f) return true;
    const int64_t size = f.Size();
    if (size < 0) return true;
    if (size == 0) {
        TextEncoding encoding = list.FileEncoding;
        f.WriteAll(EncodeExcludeFile({entry}, encoding, SystemCodePage()));
        return true;
    }
    std::string head(3, '\0');
    size_t got = 0;
    if (!f.Seek(0) || !f.Read(head.data(), head.size(), got)) return true;
    head.resize(got);
    const TextEncoding encoding = EncodingOfMark(head);
    const bool wide = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    if (wide && size % 2) return true;  // half a character at the end: the line would not read back
    // A last line without its line end would swallow the new line: end it first.
    std::string last(wide ? 2 : 1, '\0');
    bool ended = false;
    if (f.Seek(size - static_cast<int64_t>(last.size())) && f.Read(last.data(), last.size(), got) && got == last.size()) {
        const auto byte = [&last](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(last[i])); };
        const unsigned c = !wide ? byte(0) : encoding == TextEncoding::Utf16Le ? byte(1) << 8 | byte(0) : byte(0) << 8 | byte(1);
        ended = c == '\n' || c == '\r';
    }
    const std::string text = (ended ? "" : "\r\n") + line;
    std::string bytes;
    if (EncodeText(text, encoding, SystemCodePage(), bytes)) {
        if (f.SeekEnd()) f.WriteAll(bytes);
        return true;
    }
    // A file in the code page meets a name it cannot hold: the whole file
    // becomes UTF-8, every line it had kept as it reads; a file with lines
    // that cannot be read stays as it is (the entry holds for this run).
    f.Close();
    std::string old, oldText;
    if (!ReadWholeFile(path, old) || DecodeExcludeFile(old, SystemCodePage()).unreadLines > 0 ||
        !CodePageToUtf8Strict(old, SystemAnsiCodePage(), oldText))
        return true;
    if (!EncodeText(oldText + text, TextEncoding::Utf8, SystemCodePage(), bytes)) return true;
    ReplaceFileContents(path, "\xEF\xBB\xBF" + bytes);
    return true;
}

bool SaveExcludeItemsTo(const std::string& path, const TExcludeContents& list) {
    if (list.FileUnread) return false;  // it would drop every entry that was never read
    std::vector<TExcludeContentItem> entries;
    for (int i = 0; i < list.Count(); ++i) entries.push_back(list.Item(i));
    TextEncoding encoding = list.FileEncoding;
    return ReplaceFileContents(path, EncodeExcludeFile(entries, encoding, SystemCodePage()));
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

bool ReplaceExcludeItemIn(const std::string& path, TExcludeContents& list, const TExcludeContentItem& old,
                          const TExcludeContentItem* now) {
    if (!ReadAgainBeforeSaving(path, list)) return false;
    for (int i = 0; i < list.Count(); ++i) {
        if (!SameEntry(std::as_const(list).Item(i), old)) continue;
        const TExcludeContentItem before = std::as_const(list).Item(i);
        if (now) list.Item(i) = *now;
        else list.Delete(i);
        if (SaveExcludeItemsTo(path, list)) return true;
        // Not written: the list keeps what the file holds.
        if (now) list.Item(i) = before;
        else list.Item(list.InsertNew(i)) = before;
        return false;
    }
    return false;
}

bool ReplaceExcludeItem(TExcludeContents& list, const TExcludeContentItem& old, const TExcludeContentItem& now) {
    return ReplaceExcludeItemIn(ExcludeFilePath(), list, old, &now);
}

bool RemoveExcludeEntry(TExcludeContents& list, const TExcludeContentItem& entry) {
    return ReplaceExcludeItemIn(ExcludeFilePath(), list, entry, nullptr);
}

bool LoadExcludeItems(TExcludeContents& list) { return LoadExcludeItemsFrom(ExcludeFilePath(), list); }

bool AddExcludeItem(TExcludeContents& list, const TExcludeContentItem& entry) {
    return AddExcludeItemTo(ExcludeFilePath(), list, entry);
}

bool ModifyExcludeItem(TExcludeContents& list, const std::string& itemName, const std::string& oldLocation,
                       const std::string& newLocation) {
    return ModifyExcludeItemIn(ExcludeFilePath(), list, itemName, oldLocation, newLocation);
}

bool RemoveExcludeItem(TExcludeContents& list, const std::string& itemName, const std::string& shownValue) {
    return RemoveExcludeItemFrom(ExcludeFilePath(), list, itemName, shownValue);
}

bool SaveExcludeItems(const TExcludeContents& list) { return SaveExcludeItemsTo(ExcludeFilePath(), list); }

bool ReadExcludeItemsAgain(TExcludeContents& list) { return ReadAgainBeforeSaving(ExcludeFilePath(), list); }
