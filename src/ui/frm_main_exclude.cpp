// Exclusions in the main window: the Exclude command of the result list, and
// the Exclude page with its tree, list, Modify and Remove.
#include <algorithm>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "model/catalog.h"
#include "model/result_rows.h"
#include "model/shared_state.h"
#include "model/text.h"
#include "model/result_items.h"
#include "ui/exclude_data_form.h"
#include "app/settings.h"
#include "platform/user_dialogs.h"
#include "ui/frm_main.h"

namespace {

// The item tree node of a row's item: its catalog item, found by the item
// name the records carry.
int NodeOfRowItem(const TreeModel& tree, const std::string& itemName, int under) {
    const CatalogItem* item = nullptr;
    for (const CatalogItem& it : kCatalogItems)
        if (it.RecordItemName() == itemName) item = &it;
    const std::string caption = item ? std::string(item->name) : itemName;
    for (int i = 0; i < tree.Count(); ++i)
        if (tree.Level(i) == 2 && tree.At(i).caption == caption && (under < 0 || tree.Parent(i) == under)) return i;
    return -1;
}

void Lower(TreeModel& tree, int node) {
    if (!tree.Valid(node)) return;
    if (TSectionRec* r = tree.Data(node))
        if (r->FoundCount > 0) --r->FoundCount;  // never below 0
}

}  // namespace

void TFrm_Main::WithdrawRecord(const TResultItem& row) {
    TResultContentItem* record = SourceOf(row);
    if (!record) return;
    TResultContents& results = *ResultsOf(row.CategoryIndex);
    const int index = row.RecordIndex;
    results.Delete(index);
    for (TResultItem& other : ResultRows)
        if (other.CategoryIndex == row.CategoryIndex && other.RecordIndex > index) --other.RecordIndex;
}

void TFrm_Main::Exclude1Click() {
    const int selected = ResultListView.SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(ResultRows.size())) return;
    const TResultItem row = ResultRows[static_cast<size_t>(selected)];
    // The fields the trace's scanner tests, so that the entry keeps it out of later scans.
    // (A row whose record is gone stands for it with the fields it copied.)
    TResultContentItem copy;
    copy.ItemName = row.ItemName;
    copy.Location = row.Location;
    copy.ValueName = row.ValueName;
    copy.ValueData = row.ValueData;
    const TResultContentItem* record = SourceOf(row);
    const TExcludeContentItem e = ExclusionEntryOf(record ? *record : copy);
    AddExcludeItem(e.ItemName, e.Location, e.EntryName, e.EntryData);
    // The user asked to keep this trace: its record leaves the results, so
    // that a clean of them never removes it (also when the entry was there).
    WithdrawRecord(row);

    const int node = ResultTree.Selected();
    if (ResultTree.Valid(node)) {
        switch (ResultTree.Level(node)) {
        case 0: {
            Lower(ResultTree, 0);
            const int itemNode = NodeOfRowItem(ResultTree, row.ItemName, -1);
            Lower(ResultTree, itemNode);
            if (itemNode >= 0) Lower(ResultTree, ResultTree.Parent(itemNode));
            break;
        }
        case 1:
            Lower(ResultTree, node);
            Lower(ResultTree, NodeOfRowItem(ResultTree, row.ItemName, node));
            Lower(ResultTree, 0);
            break;
        case 2:
            Lower(ResultTree, node);
            Lower(ResultTree, ResultTree.Parent(node));
            Lower(ResultTree, 0);
            break;
        default:
            break;
        }
        ResultTree.Repaint();
    }
    ResultRows.erase(ResultRows.begin() + selected);
    SizeTotal -= row.Size;
    ResultListView.SetRowCount(static_cast<int>(ResultRows.size()));
    ResultListView.SelectRow(-1);
    abResultCount.SetCaption(std::to_string(ResultRows.size()));
    ShowSummary();
}

bool TFrm_Main::tvExcludeMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node >= 0 && hit.where == TreeHit::RightOfLabel) {
        ExcludeTree.Select(hit.node);
        return true;
    }
    return false;
}

void TFrm_Main::BuildExcludeTree() {
    ExcludeTree.Clear();
    const int root = ExcludeTree.Add(-1, std::string(kRootCaption), nullptr, kImageRoot, 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        const CatalogCategory& cat = kCatalogCategories[c];
        const int catNode = ExcludeTree.Add(root, std::string(cat.caption), nullptr, c + 1, 0);
        for (int i = 0; i < cat.itemCount; ++i)
            ExcludeTree.Add(catNode, std::string(kCatalogItems[cat.firstItem + i].name), nullptr, kImageItem, 0);
    }
    RecountExcludeTree();
    ExcludeTree.Commit();
    ExcludeTree.Select(root);
}

void TFrm_Main::RecountExcludeTree() {
    if (ExcludeTree.Count() == 0) return;
    const TExcludeContents& list = ExcludeList;
    ExcludeTree.SetOwnCount(0, list.Count());
    for (int cat : ExcludeTree.Children(0)) {
        int sum = 0;
        for (int item : ExcludeTree.Children(cat)) {
            int n = 0;
            for (int e = 0; e < list.Count(); ++e)
                if (list.Item(e).ItemName == ExcludeTree.At(item).caption) ++n;
            ExcludeTree.SetOwnCount(item, n);
            sum += n;
        }
        ExcludeTree.SetOwnCount(cat, sum);
    }
    ExcludeTree.Repaint();
}

void TFrm_Main::tvExcludeChange(int node) {
    ExcludeListView.Clear();
    if (!ExcludeTree.Valid(node)) return;
    const int level = ExcludeTree.Level(node);
    const TExcludeContents& list = ExcludeList;
    for (int e = 0; e < list.Count(); ++e) {
        const TExcludeContentItem& entry = list.Item(e);
        bool shown = level == 0;
        if (level == 1) {
            // The item names of the category under this node's position.
            const auto& cats = ExcludeTree.Children(0);
            const int position = static_cast<int>(std::find(cats.begin(), cats.end(), node) - cats.begin());
            const CatalogItem* item = FindCatalogItemByName(entry.ItemName);
            shown = item && item->category == position;
        } else if (level == 2) {
            shown = entry.ItemName == ExcludeTree.At(node).caption;
        }
        if (shown) ExcludeListView.AddRow({entry.ItemName, ShownValue(entry)});
    }
}

void TFrm_Main::ModifyBtnClick() {
    const int row = ExcludeListView.SelectedRow();
    if (row < 0) return;
    TExcludeDataForm form;
    if (!form.Create(hwnd(), "Modify Exclude Item")) return;
    const int node = ExcludeTree.Selected();
    const std::string itemName = ExcludeTree.Valid(node) ? ExcludeTree.At(node).caption : std::string();
    for (int pos = 2; pos <= 4; ++pos)
        if (itemName == FindCatalogItem(0, pos)->name) form.SetSection(pos - 2);
    const std::string oldValue = ExcludeListView.CellText(row, 1);
    form.SetTextValue(oldValue);
    form.cbSectionChange();
    if (onModifyShown) form.OnShownModal = [this, &form](Form&) { onModifyShown(form); };
    if (form.ShowModal() != IDOK) return;
    const std::string newValue = form.Text();
    if (!ModifyExcludeItem(itemName, oldValue, newValue) && ExcludeList.FileUnread) return ListUnreadMessage();
    ExcludeListView.SetCellText(row, 1, newValue);
}

void TFrm_Main::ListUnreadMessage() {
    abExcludeWarning.Show(true);
    Dialogs().Message(hwnd(),
                      "The exclusion list could not be read, so it was not changed. Close the program that holds "
                      "the file \"" + ExcludeFilePath() + "\" and try again.",
                      kAppTitle, MB_ICONEXCLAMATION | MB_OK);
}

void TFrm_Main::RemoveBtnClick() {
    const int row = ExcludeListView.SelectedRow();
    if (row < 0) return;
    if (!RemoveExcludeItem(ExcludeListView.CellText(row, 0), ExcludeListView.CellText(row, 1)) &&
        ExcludeList.FileUnread)
        return ListUnreadMessage();
    ExcludeListView.DeleteRow(row);
    RecountExcludeTree();
}
