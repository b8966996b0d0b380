// Result and exclusion records and the collections that own them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

// Why a trace that a clean was asked to remove is still there.
enum class StayReason : uint8_t {
    None,
    InUse,              // another program holds it
    AccessDenied,       // the user may not change it (read-only files among them)
    LinkNotFollowed,    // a link that could not be removed as a link; what it points to was left alone
    KeptWithItsFile,    // its file holds other traces that stay, and cannot lose this one alone
    HoldsKeptTraces,    // its key holds traces that were unticked or excluded
    CloseTheBrowser,    // the browser holds its database
    CannotOpen,         // its database or the database's journal could not be opened
    ReadOnly,           // its database may not be written
    DiskError,          // reading or writing the disk failed
    Damaged,            // its database is damaged, or no database
    Unreadable,         // the scan could not read it (a layout it does not know, fields that are no text)
    ChangedSinceScan,   // the place no longer holds what the scan found
    NotFound,           // it was gone before the clean, but not by it
    Folder,             // a folder: never removed, what it holds may be anyone's
    RecentFolder,       // the shredder never walks a Recent folder
    NotEmpty,           // a folder that still holds what could not be shredded
    NotShredded,        // a file the shredder leaves for its attributes (system, compressed, ...)
    Protected,          // a place no rule may remove (a drive's root, the Windows folder, the user's own folders)
    Failed,             // anything else
};

// Whether the trace stays by design (an exclusion, an unticked neighbour, a
// link, a folder) rather than because something stood in the way.
inline bool StaysByDesign(StayReason r) {
    return r == StayReason::KeptWithItsFile || r == StayReason::HoldsKeptTraces ||
           r == StayReason::LinkNotFollowed || r == StayReason::Folder || r == StayReason::Protected;
}

// The short text the result list, the shredder and the headless front end
// show for a reason.
inline const char* StayReasonText(StayReason r) {
    switch (r) {
    case StayReason::None: return "";
    case StayReason::InUse: return "in use";
    case StayReason::AccessDenied: return "access denied";
    case StayReason::LinkNotFollowed: return "link not followed";
    case StayReason::KeptWithItsFile: return "kept with its file";
    case StayReason::HoldsKeptTraces: return "holds kept traces";
    case StayReason::CloseTheBrowser: return "close the browser first";
    case StayReason::CannotOpen: return "could not be opened";
    case StayReason::ReadOnly: return "read-only";
    case StayReason::DiskError: return "disk error";
    case StayReason::Damaged: return "database damaged";
    case StayReason::Unreadable: return "could not be read";
    case StayReason::ChangedSinceScan: return "changed since the scan";
    case StayReason::NotFound: return "not found";
    case StayReason::Folder: return "folder left alone";
    case StayReason::RecentFolder: return "a Recent folder";
    case StayReason::NotEmpty: return "not empty";
    case StayReason::NotShredded: return "not shredded";
    case StayReason::Protected: return "refused: a protected place";
    default: return "could not be removed";
    }
}

struct CatalogItem;

// A short text that many records share (their item's name, group and caption,
// "Reg" or "File"): each text is kept once for the program's life, and a record
// holds only its address.
class SharedText {
public:
    SharedText() : text_(&kEmpty) {}
    SharedText(std::string_view text) : text_(&Intern(text)) {}
    SharedText(const std::string& text) : SharedText(std::string_view(text)) {}
    SharedText(const char* text) : SharedText(std::string_view(text)) {}
    operator const std::string&() const { return *text_; }
    operator std::string_view() const { return *text_; }
    const std::string& str() const { return *text_; }
    bool empty() const { return text_->empty(); }
    size_t size() const { return text_->size(); }
    const char* c_str() const { return text_->c_str(); }
    friend bool operator==(const SharedText& a, const SharedText& b) { return a.text_ == b.text_; }
    friend bool operator==(const SharedText& a, const std::string& b) { return *a.text_ == b; }
    friend bool operator==(const SharedText& a, std::string_view b) { return *a.text_ == b; }
    friend bool operator==(const SharedText& a, const char* b) { return *a.text_ == b; }
    friend std::string operator+(const SharedText& a, std::string_view b) { return std::string(*a.text_).append(b); }
    friend std::string operator+(std::string_view a, const SharedText& b) { return std::string(a).append(*b.text_); }

private:
    static const std::string& Intern(std::string_view text) {
        static std::mutex guard;
        static std::unordered_set<std::string> texts;  // its nodes never move
        static const std::string* last = &kEmpty;      // records come in runs of one item
        const std::lock_guard<std::mutex> lock(guard);
        if (*last == text) return *last;
        last = &*texts.emplace(text).first;
        return *last;
    }
    static inline const std::string kEmpty;
    const std::string* text_;
};

// Written out as its text (test messages, streams).
template <typename Stream>
auto operator<<(Stream& out, const SharedText& t) -> decltype(out << t.str()) {
    return out << t.str();
}

// One found trace. Field order and meaning are shared by the scanners (which
// fill it), the clean engine (which acts on it) and the result views.
struct TResultContentItem {
    // The catalog item whose scanner made it (nullptr for a record made by
    // hand, which a clean treats by its Kind and SourceType).
    const CatalogItem* Item = nullptr;
    uint8_t Checked = 0;       // selected for cleaning
    uint8_t Deleted = 0;       // removed by a clean
    uint8_t DetailSlot = 0;    // which detail slot Detail is in (4 to 9; 0: none)
    int32_t Kind = 0;          // see TraceKind
    SharedText SourceType;     // "Reg" or "File"
    SharedText Group;
    SharedText CleanName;      // the catalog item's clean caption
    SharedText ItemName;
    std::string ValueName;
    std::string KeyName;
    std::string ValueData;
    std::string Location;      // full key path or file path
    // A record's kind keeps at most one detail (a history line's URL, a cookie's
    // line, what a listed line begins with ...), in one of the detail slots 4 to
    // 9: Detail holds it, DetailSlot says which. Every other slot reads empty.
    std::string Detail;
    int64_t Size = 0;          // bytes; 64-bit so files over 2 GiB count right
    int64_t Line = -1;         // the line of its profile file a cut-out trace came from (0-based), or its database row
    int32_t Store = -1;        // which of its item's profile stores it came from (-1: the item has none)
    StayReason Reason = StayReason::None;  // set by a clean that had to leave the trace

    const std::string& DetailAt(int slot) const {
        static const std::string kNone;
        return slot == DetailSlot ? Detail : kNone;
    }
    // The detail, to be written, in this slot.
    std::string& DetailFor(int slot) {
        DetailSlot = static_cast<uint8_t>(slot);
        return Detail;
    }
};

// Kinds of trace a result record stands for.
enum TraceKind : int32_t {
    kKindFile = 0,
    kKindRegValue = 1,
    kKindRegValueText = 2,
    kKindRegKey = 3,
    kKindFirefoxHistory = 4,
    kKindFirefoxCookie = 5,
    kKindFirefoxCache = 6,
    kKindNetscapeHistory = 7,
    kKindNetscapeCookie = 8,
    kKindNetscapeCache = 9,
    kKindUrlCacheEntry = 10,
    kKindUrlCacheCookie = 11,
    kKindHistoryRow = 12,  // a row of a browser's history database: URL, title, visits
    kKindCookieRow = 13,   // a row of a browser's cookie database: host, name, path
    kKindStoreRow = 14,    // a row of another database of a browser profile (a download, a form entry, ...)
    kKindStoreFile = 15,   // a file of a browser profile (a session file), with the sites it names
    kKindStoreFolder = 16, // a folder of a browser profile: a store of one site, or of many (a LevelDB)
    kKindClipboard = 17,   // what is on the clipboard
    kKindListEntry = 18,   // an entry of a list a program keeps in a settings file or a value: its text
    kKindRecycledItem = 19,  // a deleted file or folder in a recycle bin, by its original path
    kKindRuleFolder = 20,    // a folder a rule removes once the clean has emptied it
    kKindRefused = 21,       // what a rule would remove but never may: a protected place, a registry hive's top
};

// One exclusion: a place the user told the program to leave alone.
struct TExcludeContentItem {
    std::string ItemName;
    std::string Location;
    std::string EntryName;
    std::string EntryData;
};

// Items a producer has found but not made yet (the traces cut out of one big
// file): each is made the first time anyone reads it, from the number the
// producer gave it (a position in its text), so that a scan keeps positions
// into one text instead of a string per trace.
template <typename T>
class PendingItems {
public:
    virtual ~PendingItems() = default;
    virtual void Make(uint32_t n, T& into) const = 0;
};

// Ordered, index-addressed owning collection. AddNew appends an empty item and
// returns its index; Delete shifts the later items down by one. Items are held
// by pointer so a reference stays valid while others are appended; a pending
// item gets its address when it is first read, and keeps it.
// Version() changes whenever the collection may have changed (any add,
// delete, clear or writable access to an item), so that a derived index knows
// when to rebuild. Versions come from one process-wide counter, so no two
// states of any two collections share one. Making a pending item changes no
// version: it reads as it always would have.
template <typename T>
class OwningCollection {
public:
    int AddNew() {
        Touch();
        items_.push_back({std::make_unique<T>(), 0, 0});
        return static_cast<int>(items_.size()) - 1;
    }
    // Registers a run of pending items; its number is given to AddPending.
    uint32_t AddRun(std::shared_ptr<const PendingItems<T>> run) {
        runs_.push_back(std::move(run));
        return static_cast<uint32_t>(runs_.size() - 1);
    }
    // Appends the run's item numbered n, to be made when first read.
    void AddPending(uint32_t run, uint32_t n) {
        Touch();
        items_.push_back({nullptr, run, n});
    }
    // A new empty item at index (at the end when index is past it).
    int InsertNew(int index) {
        Touch();
        const size_t at = index < 0 ? 0 : std::min(static_cast<size_t>(index), items_.size());
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Slot{std::make_unique<T>(), 0, 0});
        return static_cast<int>(at);
    }
    T& Item(int index) {
        Touch();
        return Made(items_.at(static_cast<size_t>(index)));
    }
    const T& Item(int index) const { return Made(items_.at(static_cast<size_t>(index))); }
    int Count() const { return static_cast<int>(items_.size()); }
    // An index outside 0..Count()-1 is ignored.
    void Delete(int index) {
        if (index >= 0 && index < Count()) {
            Touch();
            items_.erase(items_.begin() + index);
        }
    }
    void Clear() {
        Touch();
        items_.clear();
        runs_.clear();
    }
    // Drops every item for which drop(item) is true; the others keep their order.
    template <typename Pred>
    void RemoveIf(Pred drop) {
        Touch();
        std::erase_if(items_, [&](const Slot& slot) { return drop(std::as_const(Made(slot))); });
    }
    // The index of the item at this address, or -1.
    int IndexOf(const T* item) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i].item.get() == item) return static_cast<int>(i);
        return -1;
    }
    // How many items are still pending (for memory accounting and tests).
    int PendingCount() const {
        return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Slot& s) { return !s.item; }));
    }
    uint64_t Version() const { return version_; }

private:
    struct Slot {
        mutable std::unique_ptr<T> item;  // null while pending
        uint32_t run, n;                  // the pending item's run and its number in it
    };
    T& Made(const Slot& slot) const {
        if (!slot.item) {
            auto made = std::make_unique<T>();
            runs_[slot.run]->Make(slot.n, *made);
            slot.item = std::move(made);
        }
        return *slot.item;
    }
    void Touch() { version_ = ++lastVersion_; }
    static inline uint64_t lastVersion_ = 0;
    std::vector<Slot> items_;
    std::vector<std::shared_ptr<const PendingItems<T>>> runs_;
    uint64_t version_ = 0;
};

// How a text file is encoded: the system code page (no mark), or UTF-8 or
// UTF-16 after their byte-order mark.
enum class TextEncoding : uint8_t { CodePage, Utf8, Utf16Le, Utf16Be };

class TResultContents : public OwningCollection<TResultContentItem> {};
class TExcludeContents : public OwningCollection<TExcludeContentItem> {
public:
    // The file holding the list exists but could not be read (another program
    // held it, access was denied), or some of its lines could not (FileDamaged):
    // the list lacks their entries and must never be written back over it.
    bool FileUnread = false;
    bool FileDamaged = false;  // lines that are no text in the file's encoding, or hold a NUL
    TextEncoding FileEncoding = TextEncoding::CodePage;  // the file's, kept by every rewrite
};
