#include "ui/list_view.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/wide.h"
#include "ui/gdi_util.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Copies text into a control's buffer of cch characters: as much as fits
// before the terminator, cut before a surrogate pair rather than through it.
void CopyToControl(std::wstring_view text, wchar_t* buffer, int cch) {
    if (!buffer || cch <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(cch - 1));
    if (n > 0 && n < text.size() && IsHighSurrogate(text[n - 1]) && IsLowSurrogate(text[n])) --n;
    text.copy(buffer, n);
    buffer[n] = L'\0';
}

}  // namespace

bool ListView::Create(const CreateArgs& args) {
    args_ = args;
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS |
                  (args.virtualRows ? LVS_OWNERDATA : 0) | (args.visible ? WS_VISIBLE : 0);
    if (!CreateSystem(WC_LISTVIEWW, style, 0, args.parent, args.bounds)) return false;
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // A tip of our own for the row under the pointer: the control's own row tips do not show under Wine.
    tip_ = (CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, nullptr,
                               nullptr));
    if (tip_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();  // the list answers the tip's questions
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);  // long names wrap; a line break starts a line
    }
    if (args.stateImages) ListView_SetImageList(hwnd(), args.stateImages, LVSIL_STATE);
    if (args.virtualRows) ListView_SetCallbackMask(hwnd(), LVIS_STATEIMAGEMASK);
    for (size_t i = 0; i < args.columns.size(); ++i) {
        const std::wstring caption = ToWide(args.columns[i].caption);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = const_cast<wchar_t*>(caption.c_str());
        col.cx = args.columns[i].width == LVSCW_AUTOSIZE_USEHEADER ? args.columns[i].width : Scaled(args.columns[i].width);
        col.fmt = args.columns[i].format;
        SendMessageW(hwnd(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
        if (args.columns[i].width == LVSCW_AUTOSIZE_USEHEADER)
            ListView_SetColumnWidth(hwnd(), static_cast<int>(i), LVSCW_AUTOSIZE_USEHEADER);
    }
    return true;
}

void ListView::ScaleChanged(int oldDpi, int newDpi) {
    const HWND header = ListView_GetHeader(hwnd());
    const int columns = header ? Header_GetItemCount(header) : 0;
    std::vector<int> widths;
    for (int i = 0; i < columns; ++i) widths.push_back(MulDiv(ListView_GetColumnWidth(hwnd(), i), newDpi, oldDpi));
    font_ = MakeFont({"Tahoma", 8, false, false});  // the system's list font, at the new scale
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    if (args_.stateImages) ListView_SetImageList(hwnd(), args_.stateImages, LVSIL_STATE);
    for (int i = 0; i < columns; ++i) ListView_SetColumnWidth(hwnd(), i, widths[static_cast<size_t>(i)]);
}

void ListView::SetRowCount(int rows) {
    if (!hwnd()) return;
    ListView_SetItemCountEx(hwnd(), rows, LVSICF_NOSCROLL);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

int ListView::AddRow(const std::vector<std::string>& texts) {
    const std::wstring first = texts.empty() ? std::wstring() : ToWide(texts[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(first.c_str());
    const int row = static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t c = 1; c < texts.size(); ++c) SetCellText(row, static_cast<int>(c), texts[c]);
    return row;
}

void ListView::DeleteRow(int row) { ListView_DeleteItem(hwnd(), row); }

void ListView::Clear() { ListView_DeleteAllItems(hwnd()); }

void ListView::SetCellText(int row, int column, const std::string& text) {
    const std::wstring wide = ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(wide.c_str());
    SendMessageW(hwnd(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::ScrollToTop() {
    if (hwnd() && RowCount() > 0) ListView_EnsureVisible(hwnd(), 0, FALSE);
}

std::string ListView::TipText() const {
    return OnGetTip && tipRow_ >= 0 && tipRow_ < RowCount() ? OnGetTip(tipRow_) : std::string();
}

int ListView::RowCount() const { return hwnd() ? ListView_GetItemCount(hwnd()) : 0; }

std::string ListView::CellText(int row, int column) const {
    std::wstring buf(1024, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        const int n = static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        // A text cut before a surrogate pair fills one less than the buffer
        // holds; only a shorter one is surely whole.
        if (n < static_cast<int>(buf.size()) - 2) {
            buf.resize(static_cast<size_t>(n));
            return FromWide(buf);
        }
        buf.assign(buf.size() * 4, L'\0');
        if (buf.size() > (1u << 24)) return {};
    }
}

int ListView::SelectedRow() const { return hwnd() ? ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED) : -1; }

void ListView::SelectRow(int row) {
    ListView_SetItemState(hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) ListView_SetItemState(hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListView::ColumnWidth(int column) const { return ListView_GetColumnWidth(hwnd(), column); }

void ListView::SetColumnWidth(int column, int width) { ListView_SetColumnWidth(hwnd(), column, width); }

int ListView::CellWidth(const std::string& text) const {
    const std::wstring wide = ToWide(text);
    return static_cast<int>(SendMessageW(hwnd(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str()))) + 14;
}

int ListView::ClientWidth() const {
    RECT r{};
    if (hwnd()) GetClientRect(hwnd(), &r);
    return r.right - r.left;
}

ListView::Hit ListView::HitTest(int x, int y) const {
    LVHITTESTINFO info{};
    info.pt = {x, y};
    Hit hit;
    hit.row = ListView_HitTest(hwnd(), &info);
    // A row selected whole answers every "on the item" flag at once for a
    // press right of its texts (Wine does so): only the state picture alone counts.
    hit.onStateImage = hit.row >= 0 && (info.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON;
    return hit;
}

bool ListView::HandleReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    // Our windows are wide, so the list asks in the wide form. An ANSI asker
    // gets the state picture but no text: the names need not fit its code page.
    if (hdr->code == LVN_GETDISPINFOW || hdr->code == LVN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
        LVITEMW& item = info->item;  // both forms lie alike but for the text's characters
        if (item.mask & LVIF_TEXT) {
            if (hdr->code == LVN_GETDISPINFOW) {
                const std::string text = OnGetText ? OnGetText(item.iItem, item.iSubItem) : std::string();
                CopyToControl(ToWide(text), item.pszText, item.cchTextMax);
            } else if (item.pszText && item.cchTextMax > 0) {
                reinterpret_cast<char*>(item.pszText)[0] = '\0';  // an ANSI buffer
            }
        }
        if ((item.mask & LVIF_STATE) && OnGetStateImage) {
            // A list's state index n shows picture n - 1 of its state list.
            const int image = OnGetStateImage(item.iItem);
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                         (image >= 0 ? INDEXTOSTATEIMAGEMASK(static_cast<UINT>(image + 1)) : 0);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
        result = 0;
        return true;
    }
    if (hdr->code == LVN_COLUMNCLICK && OnColumnClick) {
        OnColumnClick(*this, reinterpret_cast<NMLISTVIEW*>(lp)->iSubItem);
        result = 0;
        return true;
    }
    return false;
}

LRESULT ListView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) {
        // Another row under the pointer: the tip shown goes, and the next asks for its text again.
        const MouseEvent e = MouseFrom(msg, lp);
        const int row = HitTest(e.x, e.y).row;
        if (row != tipRow_) {
            tipRow_ = row;
            if (tip_) SendMessageW(tip_, TTM_POP, 0, 0);
        }
    } else if (msg == WM_NOTIFY && tip_ && reinterpret_cast<NMHDR*>(lp)->hwndFrom == tip_ &&
               reinterpret_cast<NMHDR*>(lp)->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
        tipText_ = ToWide(TipText());
        info->lpszText = tipText_.data();
        info->hinst = nullptr;
        return 0;
    }
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
        const MouseEvent e = MouseFrom(msg, lp);
        if (OnMouseDown && OnMouseDown(*this, e, HitTest(e.x, e.y))) return 0;
    } else if (msg == WM_KEYDOWN && wp == VK_SPACE && OnSpace) {
        OnSpace(*this, SelectedRow());
        return 0;
    } else if (msg == WM_CHAR && wp == L' ' && OnSpace) {
        return 0;  // handled as a key press; the control would search for a row starting with a space
    } else if (msg == WM_CONTEXTMENU && OnContextMenu) {
        OnContextMenu(*this, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    }
    return Default(msg, wp, lp);
}
