#include "ui/advanced_shred_form.h"

#include <algorithm>
#include <set>

#include "app/settings.h"
#include "model/result_rows.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "platform/wide.h"
#include "scan/scan_conventions.h"
#include "ui/skin.h"

namespace {
enum : UINT { kAddFiles = 2001, kAddRecycle, kRemoveSelected, kRemoveAll };
enum : int { kListId = 301, kRadio1 = 311, kRadio2, kRadio3 };
constexpr COLORREF kBarColor = RGB(218, 240, 244);
constexpr COLORREF kFrameColor = RGB(160, 196, 209);
const FontSpec kArial{"Arial", 8, false, false}, kSans{"MS Sans Serif", 8, false, false};

}  // namespace

void TAdvancedShredForm::ScaleChanged(int, int) {
    UniqueFont arial = MakeFont(kArial), sans = MakeFont(kSans);
    ReplaceChildFont(hwnd(), arial_.get(), arial.get());
    ReplaceChildFont(hwnd(), sans_.get(), sans.get());
    arial_ = std::move(arial);
    sans_ = std::move(sans);
}

bool TAdvancedShredForm::Create(HWND parent, int width, int height, const ScanSession& session) {
    session_ = &session;
    if (!CreateOwn(L"OrmatekSorvanda.ShredForm", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent,
                   {0, 0, width, height}))
        return false;
    arial_ = MakeFont(kArial);
    sans_ = MakeFont(kSans);
    const int inner = width - 24;  // a border of 12 all round
    auto control = [this](const wchar_t* cls, const char* text, DWORD style, const Bounds& b, int id, HFONT font) {
        return CreateControl(hwnd(), cls, text, style, b, id, font);
    };
    memo = control(WC_STATICW,
                   "Use the Add and Remove buttons to select items for the Shred list. Once you are sure of your \r\n"
                   "selection, choose a shred level and click the Shred button to permanently erase the files.",
                   SS_LEFT | SS_NOPREFIX, {12, 4, inner, 42}, -1, arial_.get());  // room for a wrapped line
    auto header = [&](Label& l, const char* text, int y) {
        Label::CreateArgs a;
        a.parent = hwnd();
        a.bounds = {12, y, inner, 20};
        a.text = text;
        a.font = {"Arial", 8, true, false};
        a.background = kBarColor;
        a.outlined = true;
        a.outlineColor = kFrameColor;
        l.Create(a);
    };
    header(listHeader, "  Shred list", 46);
    listAdd = control(WC_LISTBOXW, "", WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                      {12, 66, inner, 152}, kListId, sans_.get());
    MakeButton(btnAdd, {12 + inner - 314, 224, 98, 22}, "btnAdd");
    MakeButton(BtnAddFolder, {12 + inner - 208, 224, 98, 22}, "BtnAddFolder");
    MakeButton(BtnRemove, {12 + inner - 98, 224, 98, 22}, "BtnRemove");
    btnAdd.OnClick = [this](TImageEx&) { btnAddClick(); };
    BtnAddFolder.OnClick = [this](TImageEx&) { BtnAddFolderClick(); };
    BtnRemove.OnClick = [this](TImageEx&) { BtnRemoveClick(); };
    header(levelHeader, "  Shred Level", 254);
    RadioButton1 = control(WC_BUTTONW, "Quick(1 overwrite pass)", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                           {22, 280, 400, 18}, kRadio1, sans_.get());
    RadioButton2 = control(WC_BUTTONW, "Safe(DOD 5220.22-M: 3 overwrite passes)", BS_AUTORADIOBUTTON,
                           {22, 300, 400, 18}, kRadio2, sans_.get());
    RadioButton3 = control(WC_BUTTONW, "Thorough(7 overwrite passes)", BS_AUTORADIOBUTTON, {22, 320, 400, 18}, kRadio3,
                           sans_.get());
    SendMessageW(RadioButton1, BM_SETCHECK, BST_CHECKED, 0);
    Label::CreateArgs w;
    w.parent = hwnd();
    w.bounds = {12, height - 34, 58, 18};
    w.text = "Warning: ";
    w.font = {"Arial", 8, true, false};
    w.color = RGB(220, 0, 0);
    warningLabel.Create(w);
    const int textX = 12 + std::max(58, warningLabel.CaptionWidth() + 2);  // room for any stand-in font
    warningLabel.SetBounds({12, height - 34, textX - 12, 18});
    w.bounds = {textX, height - 34, 220, 18};
    w.text = "Files cannot be recovered.";
    w.font = {"Arial", 8, false, false};
    w.color = RGB(0, 0, 0);
    warningText.Create(w);
    MakeButton(btnShred, {12 + inner - 98, height - 36, 98, 22}, "btnShred");
    btnShred.OnClick = [this](TImageEx&) { btnShredClick(); };

    PopupMenu1.reset(CreatePopupMenu());
    AppendMenuText(PopupMenu1.get(), kAddFiles, "Add Files...");
    AppendMenuText(PopupMenu1.get(), kAddRecycle, "Add All Recycle Files...");
    PopupMenu2.reset(CreatePopupMenu());
    AppendMenuText(PopupMenu2.get(), kRemoveSelected, "Remove Selected Files from the list");
    AppendMenuText(PopupMenu2.get(), kRemoveAll, "Remove All Files from the list");
    return true;
}

void TAdvancedShredForm::MakeButton(TImageEx& b, const Bounds& bounds, const char* name) {
    b.Create({hwnd(), bounds, true});
    b.SkinName = name;
    LoadButtonPicture(b, std::string(name) + "1");
    b.OnMouseEnter = [this](TImageEx& s) { btnAddMouseEnter(s); };
    b.OnMouseLeave = [this](TImageEx& s) { btnAddMouseLeave(s); };
}

void TAdvancedShredForm::btnAddMouseEnter(TImageEx& sender) {
    if (&sender == &btnAdd || &sender == &BtnAddFolder || &sender == &BtnRemove || &sender == &btnShred)
        LoadButtonPicture(sender, sender.SkinName);
}

void TAdvancedShredForm::btnAddMouseLeave(TImageEx& sender) {
    if (&sender == &btnAdd || &sender == &BtnAddFolder || &sender == &BtnRemove || &sender == &btnShred)
        LoadButtonPicture(sender, sender.SkinName + "1");
}

UINT TAdvancedShredForm::TrackAtCursor(HMENU menu) {
    POINT at{};
    GetCursorPos(&at);
    return TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
}

void TAdvancedShredForm::btnAddClick() {
    switch (TrackAtCursor(PopupMenu1.get())) {
    case kAddFiles: AddFiles1Click(); break;
    case kAddRecycle: AddAllRecycleFile1Click(); break;
    default: break;
    }
}

void TAdvancedShredForm::BtnRemoveClick() {
    switch (TrackAtCursor(PopupMenu2.get())) {
    case kRemoveSelected: RemoveSelectedFilesfromthelist1Click(); break;
    case kRemoveAll: RemoveAllFilesfromthelist1Click(); break;
    default: break;
    }
}

void TAdvancedShredForm::AddFiles1Click() {
    // Several files at once, from the user's documents first.
    for (const std::string& file : Dialogs().OpenFiles(GetAncestor(hwnd(), GA_ROOT), ShellFolder("Personal")))
        AddEntry(file);
}

void TAdvancedShredForm::BtnAddFolderClick() {
    const std::string folder = Dialogs().BrowseForFolder(GetAncestor(hwnd(), GA_ROOT), "Select Drive or Directory");
    if (!folder.empty()) AddEntry(folder);
}

void TAdvancedShredForm::AddAllRecycleFile1Click() {
    const std::string system = SystemDirectory();
    if (system.size() < 3) return;
    const std::string folder = system.substr(0, 3) + "Recycled";
    FolderWalker walker(folder);
    FolderEntry e;
    while (walker.Next(e)) {
        ProcessMessages();
        // The same entries a scan of the recycle bin lists.
        if (!WalkAccepts(FolderWalk::Recycled, e.attributes, e.name)) continue;
        AddEntry(folder + "\\" + e.name);
    }
}

void TAdvancedShredForm::RemoveSelectedFilesfromthelist1Click() {
    const int index = SelectedEntry();
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    SendMessageW(listAdd, LB_DELETESTRING, index, 0);
    entries_.erase(entries_.begin() + index);
}

void TAdvancedShredForm::RemoveAllFilesfromthelist1Click() {
    SendMessageW(listAdd, LB_RESETCONTENT, 0, 0);
    entries_.clear();
}

void TAdvancedShredForm::btnShredClick() {
    if (shredding_) return;  // pressed again during a run: the run goes on alone
    HWND owner = GetAncestor(hwnd(), GA_ROOT);
    const std::vector<std::string> entries = Entries();
    if (entries.empty()) {
        Dialogs().Message(owner, "You have not added any file that you want to be deleted into the Shred list!",
                          kAppTitle, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const int passes = PassesOf(Level());
    const int answer = Dialogs().Message(owner,
                                         "The listed files and folders will be permanently deleted! Do you want to continue?\r\r"
                                         "Important: This action is immediate and is NOT reversible!",
                                         kAppTitle, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);  // 308
    if (answer != IDYES) return;
    shredding_ = true;
    ShredReport report;
    std::set<std::string> done;
    for (const std::string& path : entries) {
        if (!done.insert(path).second) continue;  // the same path again: shredded at its first place
        shredEntry(path, passes, report);
        if (report.aborted) break;
    }
    shredding_ = false;
    // The message says what happened: all done, or what stayed where it was.
    Dialogs().Message(owner, ShredSummary(report), kAppTitle, report.AllGone() ? MB_OK : MB_OK | MB_ICONEXCLAMATION);
    // The list keeps the entries that are still there, for another try.
    RemoveAllFilesfromthelist1Click();
    for (const std::string& path : entries)
        if (PathAttributes(path) != INVALID_FILE_ATTRIBUTES) AddEntry(path);
}

std::vector<std::string> TAdvancedShredForm::Entries() const { return entries_; }

namespace {

// What a folder holds, counted as far as kMostCounted entries (a drive can hold millions).
constexpr int kMostCounted = 20000;
void CountFolder(const std::string& folder, int& files, int64_t& bytes, int& seen) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (seen < kMostCounted && walker.Next(e)) {
        if (e.IsDots()) continue;
        ++seen;
        if (e.IsDir()) {
            if (!e.IsReparsePoint()) CountFolder(folder + "\\" + e.name, files, bytes, seen);  // a link is not walked
        } else {
            ++files;
            bytes += e.size;
        }
    }
}

}  // namespace

std::string TAdvancedShredForm::EntryLabel(const std::string& path) {
    const DWORD attributes = PathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return path;
    const std::string sep = LocaleDecimalSeparator();
    auto size = [&sep](int64_t bytes) {
        const SizeLabel s = SizeLabelOf(bytes, sep);
        return s.value + " " + s.unit;
    };
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path + "    (" + size(FileSize64(path)) + ")";
    int files = 0, seen = 0;
    int64_t bytes = 0;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) CountFolder(path, files, bytes, seen);
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    return folder + "    (folder: " + (seen >= kMostCounted ? "more than " : "") + std::to_string(files) +
           (files == 1 ? " file, " : " files, ") + size(bytes) + ")";
}

void TAdvancedShredForm::AddEntry(const std::string& path) {
    // The list shows what each entry is (a folder with what it holds, a file with its size); the paths stay apart.
    const std::string label = EntryLabel(path);
    entries_.push_back(path);
    SendMessageW(listAdd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(label).c_str()));
    // Let the list scroll sideways for long paths.
    WindowDC dc(listAdd);
    SelectGuard font(dc.get(), sans_.get());
    const int width = TextWidth(dc.get(), label);
    if (width + 8 > static_cast<int>(SendMessageW(listAdd, LB_GETHORIZONTALEXTENT, 0, 0)))
        SendMessageW(listAdd, LB_SETHORIZONTALEXTENT, width + 8, 0);
}

int TAdvancedShredForm::SelectedEntry() const {
    const LRESULT i = SendMessageW(listAdd, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TAdvancedShredForm::SelectEntry(int index) { SendMessageW(listAdd, LB_SETCURSEL, index, 0); }

ShredLevel TAdvancedShredForm::Level() const {
    if (SendMessageW(RadioButton2, BM_GETCHECK, 0, 0) == BST_CHECKED) return kShredSafe;
    if (SendMessageW(RadioButton3, BM_GETCHECK, 0, 0) == BST_CHECKED) return kShredThorough;
    return kShredQuick;
}

LRESULT TAdvancedShredForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT handled = 0;
    if (WhiteContainerMessage(msg, wp, lp, handled)) return handled;
    switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    default:
        break;
    }
    return Default(msg, wp, lp);
}
