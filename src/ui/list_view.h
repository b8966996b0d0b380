// The system list control in report view: plain rows, or virtual rows that
// are asked for on demand (owner data), with state images from the shared list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "ui/window.h"

class ListView : public Window {
public:
    struct Column {
        std::string caption;
        int width = LVSCW_AUTOSIZE_USEHEADER;
        int format = LVCFMT_LEFT;
    };
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        std::vector<Column> columns;
        bool virtualRows = false;        // rows come from OnGetText / OnGetState
        HIMAGELIST stateImages = nullptr;
        bool visible = true;
    };
    bool Create(const CreateArgs& args);

    // Virtual rows.
    void SetRowCount(int rows);
    std::function<std::string(int row, int column)> OnGetText;
    std::function<int(int row)> OnGetStateImage;   // picture index in the state list, -1 for none

    // Plain rows.
    int AddRow(const std::vector<std::string>& texts);
    void DeleteRow(int row);
    void Clear();
    void SetCellText(int row, int column, const std::string& text);

    int RowCount() const;
    std::string CellText(int row, int column) const;
    int SelectedRow() const;
    void SelectRow(int row);
    int ColumnCount() const { return static_cast<int>(args_.columns.size()); }
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // The width a cell needs for this text in the list's font, with the control's margins.
    int CellWidth(const std::string& text) const;
    int ClientWidth() const;
    // The text of the tip shown while the pointer rests on a row (empty: none).
    std::function<std::string(int row)> OnGetTip;
    // What the tip says now: the text of the row last under the pointer.
    std::string TipText() const;
    HWND TipWindow() const { return tip_; }

    struct Hit { int row = -1; bool onStateImage = false; };
    Hit HitTest(int x, int y) const;

    std::function<bool(ListView&, const MouseEvent&, const Hit&)> OnMouseDown;
    std::function<void(ListView&, POINT screen)> OnContextMenu;
    // A click on a column's header.
    std::function<void(ListView&, int column)> OnColumnClick;
    // Shows the first row at the top.
    void ScrollToTop();
    // Space pressed on the list: the selected row's tick (-1: no row selected).
    std::function<void(ListView&, int row)> OnSpace;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    void ScaleChanged(int oldDpi, int newDpi) override;

private:
    CreateArgs args_;
    UniqueFont font_;              // none until the scale changes: the system's font till then
    HWND tip_ = nullptr;           // goes with the list, its owner
    int tipRow_ = -1;             // the row under the pointer
    std::wstring tipText_;        // the tip's text while it shows
};
