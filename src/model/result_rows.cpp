#include "model/result_rows.h"

#include <utility>

#include "model/catalog.h"
#include "model/result_items.h"
#include "model/shared_state.h"
#include "model/summary.h"

std::vector<TResultItem> ResultRows;
int64_t SizeTotal = 0;

void ClearResultRows() {
    ResultRows.clear();
    SizeTotal = 0;
}

namespace {
// The records of the category that belong to the item (0: all of them), one by
// one with their index. An unknown category or item gives none.
template <typename Fn>
void ForRecordsOf(int category, int item, Fn fn) {
    TResultContents* results = ResultsOf(category);
    if (!results) return;
    const CatalogItem* only = nullptr;
    if (item != 0 && !(only = FindCatalogItem(category, item))) return;
    for (int i = 0; i < results->Count(); ++i) {
        const TResultContentItem& r = std::as_const(*results).Item(i);
        if (!only || BelongsTo(*only, r)) fn(i, r, only);
    }
}

}  // namespace

void BuildResultRows(int category, int item, bool append) {
    if (!append) ClearResultRows();
    ForRecordsOf(category, item, [&](int i, const TResultContentItem& r, const CatalogItem* only) {
        TResultItem row;
        row.CleanName = r.CleanName;
        row.ItemName = r.ItemName;
        row.ShownName = only ? ShownNameOf(only, category, r) : ShownNameOf(category, r);
        row.Path = r.Location;
        row.ValueName = r.ValueName;
        // Items whose Name column shows a key name carry it as their rows' data too.
        row.ValueData = only && only->shown == ShownField::KeyName ? r.KeyName : r.ValueData;
        row.Location = r.Location;
        row.Checked = r.Checked;
        row.CategoryIndex = category;
        row.RecordIndex = i;
        row.Deleted = r.Deleted;
        row.Reason = r.Reason;
        row.Size = r.Size;
        row.Source = &r;
        SizeTotal += r.Size;
        ResultRows.push_back(std::move(row));
    });
}

void CheckResults(int category, int item, bool value) {
    TResultContents* results = ResultsOf(category);
    ForRecordsOf(category, item, [&](int i, const TResultContentItem&, const CatalogItem*) {
        results->Item(i).Checked = value ? 1 : 0;
    });
}

TResultContentItem* SourceOf(const TResultItem& row) {
    TResultContents* results = ResultsOf(row.CategoryIndex);
    if (!results || row.RecordIndex < 0 || row.RecordIndex >= results->Count()) return nullptr;
    if (&std::as_const(*results).Item(row.RecordIndex) != row.Source) return nullptr;
    return &results->Item(row.RecordIndex);
}

SizeLabel SizeLabelOf(int64_t bytes, const std::string& sep) {
    if (bytes < 1024) return {std::to_string(bytes), "B"};
    if (bytes < 1048576) return {FormatTwoDecimals(static_cast<double>(bytes) / 1024.0, sep), "KB"};
    return {FormatTwoDecimals(static_cast<double>(bytes) / 1048576.0, sep), "MB"};
}

void CheckedTotals(int64_t& count, int64_t& bytes) {
    count = bytes = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (r.Checked) {
                ++count;
                bytes += r.Size;
            }
        }
    }
}

void RemoveDeletedResults(TResultContents& results) {
    for (int i = results.Count() - 1; i >= 0; --i)
        if (std::as_const(results).Item(i).Deleted) results.Delete(i);
}

int CountChecked() {
    int64_t count = 0, bytes = 0;
    CheckedTotals(count, bytes);
    return static_cast<int>(count);
}
