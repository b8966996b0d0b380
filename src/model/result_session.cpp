#include "model/result_session.h"

#include <algorithm>
#include <vector>

#include "model/catalog.h"
#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/summary.h"

namespace {

// The result-tree node of an item, under the given node (-1: anywhere).
int NodeOfItem(const TreeModel& tree, const CatalogItem* item, int under) {
    if (!item) return -1;
    for (int i = 0; i < tree.Count(); ++i) {
        const TSectionRec* rec = tree.Data(i);
        if (tree.Level(i) == 2 && rec && rec->CategoryIndex == item->category && rec->ItemIndex == item->pos &&
            (under < 0 || tree.Parent(i) == under))
            return i;
    }
    return -1;
}

void Lower(TreeModel& tree, int node) {
    if (!tree.Valid(node)) return;
    if (TSectionRec* r = tree.Data(node))
        if (r->FoundCount > 0) --r->FoundCount;  // never below 0
}

}  // namespace

void BuildResultTree(const TreeModel& items, TreeModel& results) {
    results.Clear();
    int root = -1, category = -1;
    for (int i = 0; i < items.Count(); ++i) {
        const TreeModel::Node& n = items.At(i);
        if (!n.data) continue;
        const int state = n.data->Ticked ? kStateTicked : kStateUnticked;
        if (n.level == 0) {
            root = results.Add(-1, n.caption, n.data, kImageRoot, state);
        } else if (n.data->FoundCount <= 0 || root < 0) {
            continue;
        } else if (n.level == 1) {
            // Each category wears its own picture, whichever others found something.
            category = results.Add(root, n.caption, n.data, CategoryImage(n.data->CategoryIndex), state);
        } else if (n.level == 2 && category >= 0) {
            results.Add(category, n.caption, n.data, kImageItem, state);
        }
    }
    ShowParentTicks(results);
    results.Commit();
    if (results.Count() > 0) results.Select(0);
}

void TickResultNode(ScanSession& session, TreeModel& results, int node, bool ticked) {
    if (!results.Valid(node)) return;
    const TSectionRec* rec = results.Data(node);
    switch (results.Level(node)) {
    case 0:
        for (int i = 0; i < results.Count(); ++i) results.SetTicked(i, ticked);
        for (int cat : results.Children(node)) CheckResults(session, results.Data(cat)->CategoryIndex, 0, ticked);
        break;
    case 1:
        for (int child : results.Children(node)) results.SetTicked(child, ticked);
        results.SetTicked(node, ticked);
        CheckResults(session, rec->CategoryIndex, 0, ticked);
        break;
    case 2:
        results.SetTicked(node, ticked);
        CheckResults(session, rec->CategoryIndex, rec->ItemIndex, ticked);
        break;
    default:
        break;
    }
    ShowParentTicks(results);
}

bool FlipRowTick(ScanSession& session, int row) {
    if (row < 0 || row >= static_cast<int>(session.ResultRows.size())) return false;
    TResultItem& r = session.ResultRows[static_cast<size_t>(row)];
    r.Checked = r.Checked ? 0 : 1;
    r.Source->Checked = r.Checked;
    return true;
}

std::string CheckedSummary(const ScanSession& session, const std::string& decimalSeparator) {
    int64_t count = 0, bytes = 0;
    CheckedTotals(session, count, bytes);
    return SummaryText(count, bytes, decimalSeparator);
}

namespace {

std::string TraceKey(const TResultContentItem& r) {
    const TExcludeContentItem e = ExclusionEntryOf(r);
    std::string key = r.Item ? std::string(r.Item->name) : std::string();
    for (const std::string* part : {&e.ItemName, &e.Location, &e.EntryName, &e.EntryData}) {
        key += '\0';
        key += *part;
    }
    return key;
}

}  // namespace

TraceSet UntickedTraces(const ScanSession& session) {
    TraceSet unticked;
    for (const TResultContents& results : session.Results)
        for (int i = 0; i < results.Count(); ++i)
            if (!results.Item(i).Checked && !results.Item(i).Deleted) unticked.insert(TraceKey(results.Item(i)));
    return unticked;
}

void UntickAgain(ScanSession& session, const TraceSet& unticked) {
    if (unticked.empty()) return;
    for (TResultContents& results : session.Results)
        for (int i = 0; i < results.Count(); ++i) {
            TResultContentItem& r = results.Item(i);
            if (r.Checked && unticked.count(TraceKey(r))) r.Checked = 0;
        }
}

std::string CleanQuestion(const ScanSession& session) {
    int64_t traces = 0;
    std::set<const CatalogItem*> items;
    for (const TResultContents& results : session.Results)
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (!r.Checked || r.Deleted) continue;
            ++traces;
            items.insert(r.Item);
        }
    if (traces == 0) return {};
    const size_t n = items.size();
    return (traces == 1 ? "1 trace" : std::to_string(traces) + " traces") + " of " +
           (n == 1 ? "1 item" : std::to_string(n) + " items") +
           " will be removed for good. A clean cannot be undone.\n\nClean now?";
}

TExcludeContentItem ExclusionOfRow(const TResultItem& row) { return ExclusionEntryOf(*row.Source); }

void WithdrawRow(ScanSession& session, int row) {
    if (row < 0 || row >= static_cast<int>(session.ResultRows.size())) return;
    const TResultContentItem* record = session.ResultRows[static_cast<size_t>(row)].Source;
    TResultContents& results = *session.ResultsOf(session.ResultRows[static_cast<size_t>(row)].CategoryIndex);
    std::erase_if(session.ResultRows, [&](const TResultItem& r) {
        if (r.Source != record) return false;
        session.SizeTotal -= r.Size;
        return true;
    });
    results.Delete(results.IndexOf(record));
}

void LowerCountsAfterExclusion(TreeModel& results, int selected, const CatalogItem* item) {
    if (!results.Valid(selected)) return;
    switch (results.Level(selected)) {
    case 0: {
        Lower(results, 0);
        const int itemNode = NodeOfItem(results, item, -1);
        Lower(results, itemNode);
        if (itemNode >= 0) Lower(results, results.Parent(itemNode));
        break;
    }
    case 1:
        Lower(results, selected);
        Lower(results, NodeOfItem(results, item, selected));
        Lower(results, 0);
        break;
    case 2:
        Lower(results, selected);
        Lower(results, results.Parent(selected));
        Lower(results, 0);
        break;
    default:
        break;
    }
    results.Repaint();
}

CleanOutcome OutcomeOfClean(const ScanSession& session) {
    int removed = 0;
    std::vector<std::string> stayed;
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *session.ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (!r.Checked) continue;
            if (r.Deleted) ++removed;
            else stayed.push_back(ShownNameOf(c, r) + " (" + StayReasonText(r.Reason) + ")");
        }
    }
    return {CleanOutcomeText(removed, stayed), stayed.empty()};
}

bool EveryRecordRemovedOrKept(const ScanSession& session) {
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *session.ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i)
            if (!results.Item(i).Deleted && !StaysByDesign(results.Item(i).Reason)) return false;
    }
    return true;
}

void PurgeDeletedResults(ScanSession& session) {
    // The rows were built from records that may go: the list starts afresh.
    session.ClearRows();
    for (int c = 0; c < kCategoryCount; ++c) RemoveDeletedResults(*session.ResultsOf(c));
}

void RecountItems(const ScanSession& session, TreeModel& items) {
    for (int i = 0; i < items.Count(); ++i) {
        if (items.Level(i) != 2) continue;
        TSectionRec* rec = items.Data(i);
        const CatalogItem* item = rec ? FindCatalogItem(rec->CategoryIndex, rec->ItemIndex) : nullptr;
        if (!item) continue;
        rec->FoundCount = 0;
        const TResultContents& results = *session.ResultsOf(item->category);
        for (int r = 0; r < results.Count(); ++r)
            if (BelongsTo(*item, results.Item(r))) ++rec->FoundCount;
    }
    items.Repaint();
}

void BuildExcludeTree(TreeModel& tree, const TExcludeContents& list) {
    tree.Clear();
    const int root = tree.Add(-1, std::string(kRootCaption), nullptr, kImageRoot, 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (c == kRulesCategory && CategoryItemCount(c) == 0) continue;  // no rule file was read
        const CatalogCategory& cat = kCatalogCategories[c];
        const int catNode = tree.Add(root, std::string(cat.caption), nullptr, CategoryImage(c), 0);
        for (int i = 0; i < CategoryItemCount(c); ++i)
            tree.Add(catNode, std::string(CategoryItem(c, i).name), nullptr, kImageItem, 0);
    }
    RecountExcludeTree(tree, list);
    tree.Commit();
    tree.Select(root);
}

void RecountExcludeTree(TreeModel& tree, const TExcludeContents& list) {
    if (tree.Count() == 0) return;
    tree.SetOwnCount(0, list.Count());
    for (int cat : tree.Children(0)) {
        int sum = 0;
        for (int item : tree.Children(cat)) {
            int n = 0;
            for (int e = 0; e < list.Count(); ++e)
                if (list.Item(e).ItemName == tree.At(item).caption) ++n;
            tree.SetOwnCount(item, n);
            sum += n;
        }
        tree.SetOwnCount(cat, sum);
    }
    tree.Repaint();
}

bool ShowsExclusion(const TreeModel& tree, int node, const TExcludeContentItem& entry) {
    if (!tree.Valid(node)) return false;
    switch (tree.Level(node)) {
    case 0:
        return true;
    case 1: {
        // The item names of the category under this node's position.
        const auto& cats = tree.Children(0);
        const int position = static_cast<int>(std::find(cats.begin(), cats.end(), node) - cats.begin());
        const CatalogItem* item = FindCatalogItemByName(entry.ItemName);
        return item && item->category == position;
    }
    case 2:
        return entry.ItemName == tree.At(node).caption;
    default:
        return false;
    }
}
