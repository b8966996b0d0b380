#include "exclude/exclude_tests.h"

#include <functional>
#include <string_view>
#include <unordered_set>

#include "base/text.h"

namespace {

// An entry's fields as the tests compare them. The views point into the
// list's own strings; the index is rebuilt before use whenever the list may
// have changed, so they never outlive what they see.
struct Key {
    std::string_view item, location, data;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    size_t operator()(const Key& k) const {
        std::hash<std::string_view> h;
        size_t v = h(k.item);
        v = v * 1000003u ^ h(k.location);
        v = v * 1000003u ^ h(k.data);
        return v;
    }
};

struct Index {
    const TExcludeContents* list = nullptr;
    uint64_t version = 0;
    std::unordered_set<Key, KeyHash> files;  // data left empty
    std::unordered_set<Key, KeyHash> regs;   // data trimmed
};

const Index& IndexOf(const TExcludeContents& list) {
    static Index index;  // one list is asked at a time; rebuilt when it changes
    if (index.list == &list && index.version == list.Version()) return index;
    index.list = &list;
    index.version = list.Version();
    index.files.clear();
    index.regs.clear();
    index.files.reserve(static_cast<size_t>(list.Count()));
    index.regs.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        const TExcludeContentItem& e = list.Item(i);
        index.files.insert({e.ItemName, e.Location, {}});
        index.regs.insert({e.ItemName, e.Location, TrimControl(e.EntryData)});
    }
    return index;
}

}  // namespace

bool IsFileExcluded(const std::string& item, const std::string& path, const TExcludeContents& list) {
    if (list.Count() == 0) return false;
    return IndexOf(list).files.count({item, path, {}}) != 0;
}

bool IsRegExcluded(const std::string& item, const std::string& location, const std::string&,
                   const std::string& valueData, const TExcludeContents& list) {
    if (list.Count() == 0) return false;
    return IndexOf(list).regs.count({item, location, TrimControl(valueData)}) != 0;
}
