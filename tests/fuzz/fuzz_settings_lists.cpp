// Every settings-list reader on any bytes, and each cutting with the first entry read: an empty cut
// changes nothing, a cut never lengthens the text, the text stays understood, and reading it again
// finds exactly the other entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/settings_lists.h"

namespace {

using Texts = std::vector<std::string>;

void Require(bool ok) {
    if (!ok) std::abort();
}

Texts Without(const Texts& texts, const std::string& gone) {
    Texts out;
    for (const std::string& t : texts)
        if (t != gone) out.push_back(t);
    return out;
}

// A list left with one blank item reads as no entries (Qt would read one empty string).
bool SameEntries(const Texts& got, const Texts& want, bool blankIsNone) {
    return got == want || (blankIsNone && got.empty() && want == Texts{""});
}

template <class Read, class Cut>
void Check(std::string_view text, Read read, Cut cut, bool blankIsNone = false) {
    const Texts before = read(text);
    const std::optional<std::string> same = cut(text, Texts{});
    Require(!same || *same == text);
    if (before.empty()) return;
    const std::optional<std::string> after = cut(text, Texts{before[0]});
    Require(after.has_value() == same.has_value());
    if (!after) return;
    Require(after->size() < text.size());
    Require(SameEntries(read(*after), Without(before, before[0]), blankIsNone));
    const std::optional<std::string> again = cut(*after, Texts{});
    Require(again && *again == *after);
}

const std::string_view kTimes[] = {"times"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SettingsText decoded;
    if (DecodeSettingsText(bytes, decoded)) Require(EncodeSettingsText(decoded) == bytes);

    Check(
        bytes, [](std::string_view t) { return NulListEntries(t); },
        [](std::string_view t, const Texts& gone) { return std::optional<std::string>(NulListWithout(t, gone)); });

    const auto list = [](std::string_view t) { return IniListEntries(t, "RecentsMRL", "list"); };
    const auto iniCut = [](std::string_view t, const Texts& gone) {
        return IniListWithout(t, "RecentsMRL", "list", kTimes, gone);
    };
    Check(bytes, list, iniCut, true);
    // The times go at the same places as the entries.
    const Texts entries = list(bytes);
    if (!entries.empty()) {
        if (const auto after = iniCut(bytes, {entries[0]})) {
            const Texts times = IniListEntries(bytes, "RecentsMRL", "times");
            Texts want;
            for (size_t k = 0; k < times.size(); ++k)
                if (k >= entries.size() || entries[k] != entries[0]) want.push_back(times[k]);
            Require(SameEntries(IniListEntries(*after, "RecentsMRL", "times"), want, true));
        }
    }
    for (const std::string& e : entries) Require(MediaEntryText(e).size() <= e.size());

    Check(bytes, [](std::string_view t) { return XmlHistoryFiles(t); },
          [](std::string_view t, const Texts& gone) { return XmlHistoryWithout(t, gone); });
    Check(bytes, [](std::string_view t) { return RecentlyOpenedEntries(t); },
          [](std::string_view t, const Texts& gone) { return RecentlyOpenedWithout(t, gone); });
    return 0;
}
