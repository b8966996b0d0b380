#include "model/result_rows.h"

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

void BuildResultRows(ScanSession& session, int category, int item, bool append) {
    if (!append) session.ClearRows();
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
