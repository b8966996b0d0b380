#include "ui/exclude_data_form.h"

#include "model/catalog.h"
#include "model/text.h"
#include "ui/gdi_util.h"

bool TExcludeDataForm::Create(HWND owner, const std::string& caption) {
    CreateArgs a;
    a.owner = owner;
    a.clientWidth = kWidth;
    a.clientHeight = kHeight;
    a.caption = caption;
    a.dialogFrame = true;
    if (!CreateForm(a)) return false;
    font_ = MakeFont({"MS Sans Serif", 8, false, false});
    auto make = [this](const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return c;
    };
    make("STATIC", "Item:", 0, 16, 12, 120, 14, -1);
    cbSection = make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 16, 28, 304, 120, kSectionId);
    make("STATIC", "Enter Text:", 0, 16, 60, 120, 14, -1);
    edTextName = make("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 16, 76, 304, 22, kTextId);
    mrOkBtn = make("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 152, 122, 80, 26, IDOK);
    cancelBtn = make("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 240, 122, 80, 26, IDCANCEL);
    // The sections are the Internet Explorer items 2, 3 and 4 of the catalog.
    for (int pos = 2; pos <= 4; ++pos)
        SendMessageA(cbSection, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::string(FindCatalogItem(0, pos)->name).c_str()));
    EnableWindow(mrOkBtn, FALSE);
    return true;
}

int TExcludeDataForm::Section() const { return static_cast<int>(SendMessageA(cbSection, CB_GETCURSEL, 0, 0)); }

void TExcludeDataForm::SetSection(int index) {
    SendMessageA(cbSection, CB_SETCURSEL, index, 0);
    cbSectionChange();
}

std::string TExcludeDataForm::Text() const {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(edTextName)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(edTextName, s.data(), static_cast<int>(s.size()))));
    return s;
}

void TExcludeDataForm::SetTextValue(const std::string& text) { SetWindowTextA(edTextName, text.c_str()); }

bool TExcludeDataForm::OkEnabled() const { return IsWindowEnabled(mrOkBtn) != FALSE; }

void TExcludeDataForm::cbSectionChange() {
    const bool ok = Section() >= 0 && !TrimControl(Text()).empty();
    EnableWindow(mrOkBtn, ok ? TRUE : FALSE);
}

LRESULT TExcludeDataForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wp), code = HIWORD(wp);
        if ((id == kSectionId && code == CBN_SELCHANGE) || (id == kTextId && code == EN_CHANGE)) {
            cbSectionChange();
            return 0;
        }
        if (id == IDOK) {
            if (OkEnabled()) CloseModal(IDOK);
            return 0;
        }
        if (id == IDCANCEL) {
            CloseModal(IDCANCEL);
            return 0;
        }
    }
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORDLG) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return Form::HandleMessage(msg, wp, lp);
}
