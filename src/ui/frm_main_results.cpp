// The result page: the result tree and the virtual list, ticking on both.
#include "model/result_rows.h"
#include "model/result_session.h"
#include "model/shared_state.h"
#include "model/summary.h"
#include "platform/files.h"
#include "ui/frm_main.h"

void TFrm_Main::BuildResultList(int category, int item, bool append) {
    BuildResultRows(category, item, append);
    abResultCount.SetCaption(std::to_string(ResultRows.size()));
    const SizeLabel size = SizeLabelOf(SizeTotal, LocaleDecimalSeparator());
    abResultSpace.SetCaption(size.value);
    panResultSpace.SetCaption(size.unit);
    ResultListView.SetRowCount(static_cast<int>(ResultRows.size()));
}

void TFrm_Main::ResultTreeViewChange(int node) {
    if (!ResultTree.Valid(node)) return;
    const TSectionRec* rec = ResultTree.Data(node);
    switch (ResultTree.Level(node)) {
    case 0: {
        bool append = false;
        for (int cat : ResultTree.Children(node)) {
            BuildResultList(ResultTree.Data(cat)->CategoryIndex, 0, append);
            append = true;
        }
        break;
    }
    case 1:
        BuildResultList(rec->CategoryIndex, 0, false);
        break;
    case 2:
        BuildResultList(rec->CategoryIndex, rec->ItemIndex, false);
        break;
    default:
        break;
    }
}

bool TFrm_Main::ResultTreeViewMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node < 0) return false;
    if (hit.where == TreeHit::RightOfLabel) {
        ResultTree.Select(hit.node);
        return true;
    }
    if (hit.where != TreeHit::StateIcon) return false;
    // The node acted on is the selected one (a left press has just selected it).
    const int node = ResultTree.Selected();
    if (!ResultTree.Valid(node)) return true;
    TickResultNode(ResultTree, node, !ResultTree.IsTicked(node));
    ResultTreeViewChange(node);
    ShowSummary();
    return true;
}

bool TFrm_Main::ResultListViewMouseDown(const MouseEvent& e, const ListView::Hit& hit) {
    if (e.button != MouseButton::Left) return false;  // the right button opens the menu
    if (hit.onStateImage && hit.row >= 0 && hit.row < static_cast<int>(ResultRows.size())) {
        // A row built before the records changed (after Finish) changes nothing.
        if (FlipRowTick(hit.row)) ResultListView.Invalidate();
        ShowSummary();
        return true;  // a press on the tick box only ticks
    }
    ShowSummary();
    return false;
}

std::string TFrm_Main::ResultListViewData(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(ResultRows.size())) return {};
    const TResultItem& r = ResultRows[static_cast<size_t>(row)];
    switch (column) {
    case 0: return r.ItemName;
    case 1: return r.ShownName;
    case 2: return FormatTwoDecimals(static_cast<double>(r.Size) / 1024.0, LocaleDecimalSeparator());
    case 3: return r.Deleted ? "Deleted" : "";
    case 4: return r.ValueName;
    case 5: return r.ValueData;
    case 6: return r.Location;
    default: return {};
    }
}
