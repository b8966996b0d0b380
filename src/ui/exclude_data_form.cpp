#include "ui/exclude_data_form.h"

#include "model/catalog.h"
#include "base/text.h"
#include "platform/wide.h"
#include "ui/gdi_util.h"

namespace {
const FontSpec kFont{"MS Sans Serif", 8, false, false};
}  // namespace

void TExcludeDataForm::ScaleChanged(int, int) {
    UniqueFont font = MakeFont(kFont);
    ReplaceChildFont(hwnd(), font_.get(), font.get());
    font_ = std::move(font);
}

bool TExcludeDataForm::Create(HWND owner, const std::string& caption) {
    CreateArgs a;
    a.owner = owner;
    a.clientWidth = kWidth;
    a.clientHeight = kHeight;
    a.caption = caption;
    a.dialogFrame = true;
    if (!CreateForm(a)) return false;
    font_ = MakeFont(kFont);
    auto make = [this](const wchar_t* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        return CreateControl(hwnd(), cls, text, style, {x, y, w, h}, id, font_.get());
    };
    make(WC_STATICW, "Item:", 0, 16, 12, 120, 14, -1);
    cbSection = make(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 16, 28, 304, 120, kSectionId);
    make(WC_STATICW, "Enter Text:", 0, 16, 60, 120, 14, -1);
    edTextName = make(WC_EDITW, "", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 16, 76, 304, 22, kTextId);
    mrOkBtn = make(WC_BUTTONW, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 152, 122, 80, 26, IDOK);
    cancelBtn = make(WC_BUTTONW, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 240, 122, 80, 26, IDCANCEL);
    // An entry may belong to any item: every one is offered.
    for (int c = 0; c < kCategoryCount; ++c)
        for (int i = 0; i < CategoryItemCount(c); ++i)
            SendMessageW(cbSection, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ToWide(std::string(CategoryItem(c, i).name)).c_str()));
    EnableWindow(mrOkBtn, FALSE);
    return true;
}

int TExcludeDataForm::Section() const { return static_cast<int>(SendMessageW(cbSection, CB_GETCURSEL, 0, 0)); }

void TExcludeDataForm::SetSection(int index) {
    SendMessageW(cbSection, CB_SETCURSEL, index, 0);
    cbSectionChange();
}

std::wstring TExcludeDataForm::ItemText(int i) const {
    const int n = static_cast<int>(SendMessageW(cbSection, CB_GETLBTEXTLEN, i, 0));
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(cbSection, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

std::string TExcludeDataForm::SectionName() const {
    const int i = Section();
    return i < 0 ? std::string() : FromWide(ItemText(i));
}

void TExcludeDataForm::SetSectionName(const std::string& name) {
    if (name.empty()) return SetSection(-1);
    const std::wstring wide = ToWide(name);
    const int count = static_cast<int>(SendMessageW(cbSection, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (ItemText(i) == wide) return SetSection(i);  // exactly: CB_FINDSTRINGEXACT ignores case
    SetSection(static_cast<int>(SendMessageW(cbSection, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()))));
}

std::string TExcludeDataForm::Text() const { return WindowText(edTextName); }

void TExcludeDataForm::SetTextValue(const std::string& text) { SetWindowTextUtf8(edTextName, text); }

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
