// The Exclude page: the catalog tree with the exclusion entries counted per
// item, the list of the entries under the selected node, Modify and Remove,
// and the warning shown while the exclusion file cannot be read.
#pragma once

#include <functional>
#include <vector>

#include "model/records.h"
#include "model/tree_model.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/page_host.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TExcludeDataForm;

class TExcludePage {
public:
    explicit TExcludePage(PageHost& host) : host_(host) {}
    TExcludePage(const TExcludePage&) = delete;
    TExcludePage& operator=(const TExcludePage&) = delete;

    // Creates the page's controls on its notebook page.
    void Create(HWND page);
    // The page opens: a file that could not be read before is read again, and
    // the tree and list show the entries.
    void Reload();
    // The list's second column fills the rest of the list.
    void FitColumns();

    // Handlers.
    void ModifyBtnClick();
    void RemoveBtnClick();
    bool tvExcludeMouseDown(const MouseEvent& e, const TreeHit& hit);
    void tvExcludeChange(int node);
    // Called with the Modify dialog while it is shown modally (tests use it).
    std::function<void(TExcludeDataForm&)> onModifyShown;

    Panel ExcludeTreeFrame, ExcludeListFrame, ExcludeStrip;
    TreeView tvExclude;
    TreeModel ExcludeTree{true};
    ListView ExcludeListView;
    TImageEx ModifyBtn, RemoveBtn;
    Label abExcludeWarning;  // shown while the exclusion file cannot be read

private:
    void BuildExcludeTree();
    void RecountExcludeTree();
    // Says that the exclusion file could not be read and was left as it is.
    void ListUnreadMessage();
    void ShowUnreadWarning();
    // A change that did not reach the file: the list could not be read or
    // written, or the entry has left it meanwhile.
    void NotChangedMessage();
    // The entry a row of the list shows (nullptr for no such row).
    const TExcludeContentItem* EntryOfRow(int row) const;
    // The counts and the list again, from the list as it now stands.
    void ShowEntriesAgain();

    PageHost& host_;
    // The entry of each row of the list: its index in the exclusion list.
    std::vector<int> rowEntries_;
};
