// The text form of the exclusion list: one line per entry,
// ItemName "|" Location "!" EntryName "<" EntryData CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

inline constexpr char kExcludeFileName[] = "Exclude1Items.est";

// Cuts one line into the four fields. A line in which each separator occurs
// at most once, in the order "|", "!", "<", is cut at their positions (absent
// ones count as position 0, with the bounds of the substring rule). Any other
// line is cut at the first "|", then at the first "<" after it, with the last
// "!" between the two, so that values holding "!" or "|" survive a reload.
// A line that starts with "%|" is the escaped form (see FormatExcludeLine).
TExcludeContentItem ParseExcludeLine(std::string_view line);

// The line the program writes for an entry, CR LF included: the plain form
// when it reads back as the same entry and is UTF-8, else "%|" and the four
// fields with "%", "|", "!", "<", CR, LF and NUL (and, in a field that is no
// UTF-8, every byte above 127) written as %XX. Every entry reads back
// exactly; a file that never needed it looks as it always did.
std::string FormatExcludeLine(const TExcludeContentItem& e);

// What the Exclude page shows for an entry: EntryData, else Location.
inline const std::string& ShownValue(const TExcludeContentItem& e) {
    return e.EntryData.empty() ? e.Location : e.EntryData;
}

// What an entry keeps, as the Exclude page lists it: its place (a path, a key,
// an address), then the value's name and data where the entry holds them.
inline std::string KeptTraceText(const TExcludeContentItem& e) {
    std::string text = e.Location;
    auto add = [&text](const char* joint, const std::string& part) {
        if (part.empty()) return;
        if (!text.empty()) text += joint;
        text += part;
    };
    add(" : ", e.EntryName);
    if (e.EntryData != e.EntryName) add(" = ", e.EntryData);
    return text;
}

inline bool SameEntry(const TExcludeContentItem& a, const TExcludeContentItem& b) {
    return a.ItemName == b.ItemName && a.Location == b.Location && a.EntryName == b.EntryName &&
           a.EntryData == b.EntryData;
}
