#include "ui/exclude_page.h"

#include "app/data_module.h"
#include "app/settings.h"
#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "model/catalog.h"
#include "model/result_session.h"
#include "platform/user_dialogs.h"
#include "ui/exclude_data_form.h"
#include "ui/gdi_util.h"

void TExcludePage::Create(HWND page) {
    MakeFramedTree(ExcludeTreeFrame, tvExclude, ExcludeTree, page, {10, 10, 526, 146},
                   [this](const MouseEvent& e, const TreeHit& hit) { return tvExcludeMouseDown(e, hit); });
    ExcludeTree.onChange = [this](int node) { tvExcludeChange(node); };

    ExcludeListFrame.Create(PanelArgs(page, {10, 165, 526, 154}, true));
    ListView::CreateArgs l;
    l.parent = ExcludeListFrame.hwnd();
    l.bounds = {1, 1, 524, 152};
    l.columns = {{"Item", 140}, {"Name", 500}};
    ExcludeListView.Create(l);
    // A long address or path is cut in its column: the tip shows what the entry keeps, whole.
    ExcludeListView.OnGetTip = [this](int row) -> std::string {
        const TExcludeContentItem* entry = EntryOfRow(row);
        return entry ? entry->ItemName + "\n" + KeptTraceText(*entry) : std::string();
    };

    const int stripH = 49;
    ExcludeStrip.Create(PanelArgs(page, {0, kPageHeight - stripH, kPageWidth, stripH}));
    ExcludeStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { host_.PageBackgroundMouseDown(e); };
    Label::CreateArgs warning;
    warning.parent = ExcludeStrip.hwnd();
    warning.bounds = {12, 16, kPageWidth - 240, 18};
    warning.text = "The exclusion list could not be read.";
    warning.font = {"Tahoma", 8, true, false};
    warning.color = RGB(220, 0, 0);
    warning.visible = false;
    abExcludeWarning.Create(warning);
    MakeButton(ModifyBtn, ExcludeStrip.hwnd(), {kPageWidth - 218, 14, 98, 22}, "ModifyBtn");
    MakeButton(RemoveBtn, ExcludeStrip.hwnd(), {kPageWidth - 110, 14, 98, 22}, "RemoveBtn");
    ModifyBtn.OnClick = [this](TImageEx&) { ModifyBtnClick(); };
    RemoveBtn.OnClick = [this](TImageEx&) { RemoveBtnClick(); };
}

void TExcludePage::Reload() {
    ReadExcludeItemsAgain(host_.HostSession().ExcludeList);  // a file that could not be read at start-up may be readable now
    ShowUnreadWarning();
    BuildExcludeTree();
}

void TExcludePage::ShowUnreadWarning() {
    const TExcludeContents& list = host_.HostSession().ExcludeList;
    abExcludeWarning.SetCaption(list.FileDamaged ? "Some lines of the exclusion list could not be read."
                                                 : "The exclusion list could not be read.");
    abExcludeWarning.Show(list.FileUnread);
}

void TExcludePage::FitColumns() {
    if (!ExcludeListView.hwnd()) return;
    const Bounds b = ExcludeListView.GetBounds();
    ExcludeListView.SetColumnWidth(1, Scaled(b.w) - ExcludeListView.ColumnWidth(0) - Scaled(20));  // the widths are the screen's
}

bool TExcludePage::tvExcludeMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node >= 0 && hit.where == TreeHit::RightOfLabel) {
        ExcludeTree.Select(hit.node);
        return true;
    }
    return false;
}

void TExcludePage::BuildExcludeTree() { ::BuildExcludeTree(ExcludeTree, host_.HostSession().ExcludeList); }

void TExcludePage::RecountExcludeTree() { ::RecountExcludeTree(ExcludeTree, host_.HostSession().ExcludeList); }

void TExcludePage::tvExcludeChange(int node) {
    ExcludeListView.Clear();
    rowEntries_.clear();
    const TExcludeContents& list = host_.HostSession().ExcludeList;
    for (int e = 0; e < list.Count(); ++e) {
        const TExcludeContentItem& entry = list.Item(e);
        if (!ShowsExclusion(ExcludeTree, node, entry)) continue;
        ExcludeListView.AddRow({entry.ItemName, KeptTraceText(entry)});
        rowEntries_.push_back(e);
    }
}

const TExcludeContentItem* TExcludePage::EntryOfRow(int row) const {
    const TExcludeContents& list = host_.HostSession().ExcludeList;
    if (row < 0 || row >= static_cast<int>(rowEntries_.size())) return nullptr;
    const int e = rowEntries_[static_cast<size_t>(row)];
    return e < list.Count() ? &list.Item(e) : nullptr;
}

void TExcludePage::ShowEntriesAgain() {
    RecountExcludeTree();
    tvExcludeChange(ExcludeTree.Selected());
}

void TExcludePage::ModifyBtnClick() {
    const int row = ExcludeListView.SelectedRow();
    const TExcludeContentItem* shown = EntryOfRow(row);
    if (!shown) return;
    const TExcludeContentItem old = *shown;
    TExcludeDataForm form;
    if (!form.Create(host_.HostWindow(), "Modify Exclude Item")) return;
    // The entry's own item and the field that tells its trace apart (its data, else its place).
    form.SetSectionName(old.ItemName);
    const bool editsData = !old.EntryData.empty();
    form.SetTextValue(editsData ? old.EntryData : old.Location);
    form.cbSectionChange();
    if (onModifyShown) form.OnShownModal = [this, &form](Form&) { onModifyShown(form); };
    if (form.ShowModal() != IDOK) return;
    TExcludeContentItem now = old;
    now.ItemName = form.SectionName();
    (editsData ? now.EntryData : now.Location) = form.Text();
    TExcludeContents& list = host_.HostSession().ExcludeList;
    if (!ReplaceExcludeItem(list, old, now)) NotChangedMessage();
    // What the list shows is what the file now holds.
    ShowEntriesAgain();
    for (int r = 0; r < static_cast<int>(rowEntries_.size()); ++r)
        if (const TExcludeContentItem* e = EntryOfRow(r); e && SameEntry(*e, now)) ExcludeListView.SelectRow(r);
}

void TExcludePage::ListUnreadMessage() {
    ShowUnreadWarning();
    const std::string file = "\"" + ExcludeFilePath() + "\"";
    Dialogs().Message(host_.HostWindow(),
                      host_.HostSession().ExcludeList.FileDamaged
                          ? "Some lines of the exclusion list are not text the program can read, so the list was "
                            "not changed: rewriting it would lose them. Correct or remove those lines in the file " +
                                file + " and try again."
                          : "The exclusion list could not be read, so it was not changed. Close the program that "
                            "holds the file " + file + " and try again.",
                      kAppTitle, MB_ICONEXCLAMATION | MB_OK);
}

void TExcludePage::NotChangedMessage() {
    if (host_.HostSession().ExcludeList.FileUnread) return ListUnreadMessage();
    Dialogs().Message(host_.HostWindow(),
                      "The exclusion list was not changed: the entry is no longer in the file \"" + ExcludeFilePath() +
                          "\", or the file could not be written.",
                      kAppTitle, MB_ICONEXCLAMATION | MB_OK);
}

void TExcludePage::RemoveBtnClick() {
    const TExcludeContentItem* shown = EntryOfRow(ExcludeListView.SelectedRow());
    if (!shown) return;
    const TExcludeContentItem entry = *shown;
    TExcludeContents& list = host_.HostSession().ExcludeList;
    if (!RemoveExcludeEntry(list, entry)) NotChangedMessage();
    ShowEntriesAgain();
}
