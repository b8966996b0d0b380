#include "model/result_rows.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/catalog.h"
#include "model/result_items.h"
#include "model/scan_session.h"
#include "model/summary.h"

namespace {
// The records of the category that belong to the item (0: all of them), one by
// one. An unknown category or item gives none.
template <typename Fn>
void ForRecordsOf(ScanSession& session, int category, int item, Fn fn) {
    TResultContents* results = session.ResultsOf(category);
    if (!results) return;
    const CatalogItem* only = nullptr;
    if (item != 0 && !(only = FindCatalogItem(category, item))) return;
    for (int i = 0; i < results->Count(); ++i) {
        TResultContentItem& r = results->Item(i);
        if (!only || BelongsTo(*only, r)) fn(r, only);
    }
}

}  // namespace

void TellApartSameNames(std::vector<TResultItem>& rows, size_t first) {
    // The rows of each name (views into the rows, so the names are not touched while grouped).
    std::unordered_map<std::string_view, std::vector<size_t>> byName;
    std::vector<std::string> keys(rows.size() - std::min(first, rows.size()));
    for (size_t i = first; i < rows.size(); ++i) {
        std::string& key = keys[i - first];
        key.reserve(rows[i].ItemName.size() + 1 + rows[i].ShownName.size());
        key.append(rows[i].ItemName).append(1, '\0').append(rows[i].ShownName);
        byName[key].push_back(i);
    }
    std::vector<std::vector<size_t>> shared;
    for (auto& [name, members] : byName)
        if (members.size() > 1) shared.push_back(std::move(members));
    std::sort(shared.begin(), shared.end());  // the same order every time
    for (const std::vector<size_t>& members : shared) {
        // The parts of each row's folder, last first.
        std::vector<std::vector<std::string_view>> parts;
        size_t most = 0;
        for (size_t i : members) {
            std::string_view place = rows[i].Location;
            const size_t cut = place.find_last_of('\\');
            place = cut == std::string_view::npos ? std::string_view() : place.substr(0, cut);
            std::vector<std::string_view> p;
            while (!place.empty()) {
                const size_t at = place.find_last_of('\\');
                p.push_back(at == std::string_view::npos ? place : place.substr(at + 1));
                place = at == std::string_view::npos ? std::string_view() : place.substr(0, at);
            }
            most = std::max(most, p.size());
            parts.push_back(std::move(p));
        }
        // The fewest last parts that differ between every two of them (all of them when none do).
        auto tail = [&](size_t m, size_t k) {
            std::string t;
            for (size_t j = std::min(k, parts[m].size()); j-- > 0;) {
                t += parts[m][j];
                if (j > 0) t += '\\';
            }
            return t;
        };
        size_t k = 1;
        for (; k < most; ++k) {
            std::set<std::string> seen;
            for (size_t m = 0; m < members.size(); ++m) seen.insert(tail(m, k));
            if (seen.size() == members.size()) break;
        }
        std::set<std::string> seen;
        for (size_t m = 0; m < members.size(); ++m) seen.insert(tail(m, k));
        if (seen.size() < 2) continue;  // one place: nothing tells them apart but their data
        for (size_t m = 0; m < members.size(); ++m)
            if (const std::string t = tail(m, k); !t.empty()) rows[members[m]].ShownName += " (" + t + ")";
    }
}

void BuildResultRows(ScanSession& session, int category, int item, bool append) {
    if (!append) session.ClearRows();
    const size_t first = session.ResultRows.size();
    ForRecordsOf(session, category, item, [&](TResultContentItem& r, const CatalogItem* only) {
        TResultItem row;
        row.CleanName = r.CleanName;
        row.ItemName = r.ItemName;
        row.ShownName = ShownNameOf(category, r);
        row.Path = r.Location;
        row.ValueName = r.ValueName;
        // Items whose Name column shows a key name carry it as their rows' data too.
        row.ValueData = only && only->shown == ShownField::KeyName ? r.KeyName : r.ValueData;
        row.Location = r.Location;
        row.Checked = r.Checked;
        row.CategoryIndex = category;
        row.Deleted = r.Deleted;
        row.Reason = r.Reason;
        row.Size = r.Size;
        row.Source = &r;
        session.SizeTotal += r.Size;
        session.ResultRows.push_back(std::move(row));
    });
    TellApartSameNames(session.ResultRows, first);
}

void CheckResults(ScanSession& session, int category, int item, bool value) {
    ForRecordsOf(session, category, item, [&](TResultContentItem& r, const CatalogItem*) { r.Checked = value ? 1 : 0; });
}

SizeLabel SizeLabelOf(int64_t bytes, const std::string& sep) {
    if (bytes < 1024) return {std::to_string(bytes), "B"};
    if (bytes < 1048576) return {FormatTwoDecimals(static_cast<double>(bytes) / 1024.0, sep), "KB"};
    return {FormatTwoDecimals(static_cast<double>(bytes) / 1048576.0, sep), "MB"};
}

void CheckedTotals(const ScanSession& session, int64_t& count, int64_t& bytes) {
    count = bytes = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *session.ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (r.Checked && !r.Deleted) {  // a removed trace is nothing a clean could still free
                ++count;
                bytes += r.Size;
            }
        }
    }
}

int CountChecked(const ScanSession& session) {
    int64_t count = 0, bytes = 0;
    CheckedTotals(session, count, bytes);
    return static_cast<int>(count);
}

void RemoveDeletedResults(TResultContents& results) {
    results.RemoveIf([](const TResultContentItem& r) { return r.Deleted != 0; });
}
