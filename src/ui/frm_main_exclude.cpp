// Exclusions in the main window: the Exclude command of the result list, and
// the Exclude page with its tree, list, Modify and Remove.
#include <algorithm>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "model/catalog.h"
#include "model/result_rows.h"
#include "model/result_session.h"
#include "model/shared_state.h"
#include "model/text.h"
#include "model/result_items.h"
#include "ui/exclude_data_form.h"
#include "app/settings.h"
#include "platform/user_dialogs.h"
#include "ui/frm_main.h"

void TFrm_Main::WithdrawRecord(const TResultItem& row) { ::WithdrawRecord(row); }

void TFrm_Main::Exclude1Click() {
    const int selected = ResultListView.SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(ResultRows.size())) return;
    const TResultItem row = ResultRows[static_cast<size_t>(selected)];
    // The fields the trace's scanner tests, so that the entry keeps it out of later scans.
    const TExcludeContentItem e = ExclusionOfRow(row);
    AddExcludeItem(e.ItemName, e.Location, e.EntryName, e.EntryData);
    // The user asked to keep this trace: its record leaves the results, so
    // that a clean of them never removes it (also when the entry was there).
    WithdrawRecord(row);
    LowerCountsAfterExclusion(ResultTree, ResultTree.Selected(), row.ItemName);
    RemoveRow(selected);
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

void TFrm_Main::BuildExcludeTree() { ::BuildExcludeTree(ExcludeTree, ExcludeList); }

void TFrm_Main::RecountExcludeTree() { ::RecountExcludeTree(ExcludeTree, ExcludeList); }

void TFrm_Main::tvExcludeChange(int node) {
    ExcludeListView.Clear();
    const TExcludeContents& list = ExcludeList;
    for (int e = 0; e < list.Count(); ++e) {
        const TExcludeContentItem& entry = list.Item(e);
        if (ShowsExclusion(ExcludeTree, node, entry)) ExcludeListView.AddRow({entry.ItemName, ShownValue(entry)});
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
