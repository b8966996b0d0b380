// Shows one screen of the program so that a script can take a screenshot:
//   sorvanda-shots splash|scan|result|exclude|modify|advanced|about|scanning|results|rules|question SECONDS
// When the screen is ready it creates the file named by SORVANDA_SHOT_READY,
// keeps running for SECONDS and ends.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/data_module.h"
#include "exclude/exclude_store.h"
#include "model/result_session.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "platform/wide.h"
#include "scan/community_scanner.h"
#include "tools/seeder/seeder.h"
#include "ui/exclude_data_form.h"
#include "ui/gdi_util.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/frm_start.h"

namespace {

void RunFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

void Ready() {
    if (const wchar_t* path = _wgetenv(L"SORVANDA_SHOT_READY")) {
        HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
}

DWORD g_afterReadyMs = 2000;

void CALLBACK EndTimer(HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); }  // mid-scan: the prefix is throwaway

void CALLBACK ReadyTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Ready();
    SetTimer(nullptr, 0, g_afterReadyMs, EndTimer);
}

// The result tree with every category folded but one, and a node chosen.
void OpenOnly(TResultPage& page, const char* category, const char* node) {
    const TreeView& tree = page.ResultTreeView;
    const TreeModel& model = page.ResultTree;
    for (int c : model.Children(0))
        if (model.At(c).caption != category) TreeView_Expand(tree.hwnd(), tree.Handle(c), TVE_COLLAPSE);
    for (int i = 0; i < model.Count(); ++i)
        if (model.At(i).caption == node) page.ResultTree.Select(i);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const char* what = argv[1];
    const DWORD ms = static_cast<DWORD>(std::atoi(argv[2]) * 1000);
    g_afterReadyMs = ms;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (std::strcmp(what, "splash") == 0) {
        TFrm_Start splash;
        splash.Create();
        ShowWindow(splash.hwnd(), SW_SHOW);
        RunFor(300);
        Ready();
        RunFor(ms);
        return 0;
    }
    const bool scanning = std::strcmp(what, "scanning") == 0, results = std::strcmp(what, "results") == 0;
    const bool browsers = std::strcmp(what, "browsers") == 0, cleaned = std::strcmp(what, "cleaned") == 0;
    const bool tree = std::strcmp(what, "tree") == 0;  // the Scan page with every browser's category
    const bool rules = std::strcmp(what, "rules") == 0;  // a scan of a few community rules, and their results
    const bool question = std::strcmp(what, "question") == 0;  // what Clean asks first
    const bool modify = std::strcmp(what, "modify") == 0;      // the Exclude page after a Modify
    const bool moved = std::strcmp(what, "moved") == 0;  // the browsers' results, moved to a monitor of 150 %
    const bool sorted = std::strcmp(what, "sorted") == 0;  // Chrome's cache rows of two profiles, sorted by name
    if (scanning || results || browsers || cleaned || tree || question || moved || sorted) {
        SeedOptions all;
        all.count = 3;
        SeedTraces(all);
        if (scanning) {  // a long first item, so the run is still going when the picture is taken
            SeedOptions cache;
            cache.items = {"Cache"};
            cache.count = 4000;
            SeedTraces(cache);
        }
    }
    RulesLoad rulesLoad;
    if (rules) {
        // A small rule file of the community's kind beside a few traces of its programs.
        const std::string temp = TempDirectory();
        const std::string file = temp + "shots-winapp2.ini";
        const std::string text =
            "[Image Viewer Thumbnails *]\r\nLangSecRef=3023\r\nDetectFile=%AppData%\\PictureView\r\n"
            "FileKey1=%AppData%\\PictureView\\Thumbs|*.db;*.thumb|REMOVESELF\r\n"
            "ExcludeKey1=FILE|%AppData%\\PictureView\\Thumbs\\|pinned.thumb\r\n"
            "[Media Player Recent *]\r\nLangSecRef=3023\r\nDetect=HKCU\\Software\\MediaPlay\r\n"
            "RegKey1=HKCU\\Software\\MediaPlay\\Recent\r\nRegKey2=HKCU\\Software\\MediaPlay|LastFolder\r\n"
            "[Old Updater Logs *]\r\nLangSecRef=3024\r\nWarning=Also removes the updater's crash reports.\r\n"
            "FileKey1=%LocalAppData%\\OldUpdater|*.log|RECURSE\r\nFileKey2=%UserProfile%|*.*\r\n"
            "[Unfinished entry *]\r\nFileKey1=no pipe\r\n";
        HANDLE h = CreateFileW(ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD w = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &w, nullptr);
        CloseHandle(h);
        const std::string appData = ShellFolder("AppData"), local = ShellFolder("Local AppData");
        for (const std::string& folder : {appData + "\\PictureView", appData + "\\PictureView\\Thumbs",
                                          local + "\\OldUpdater", local + "\\OldUpdater\\2024"})
            CreateDirectoryW(ToWide(folder).c_str(), nullptr);
        for (const std::string& path : {appData + "\\PictureView\\Thumbs\\holiday.thumb",
                                        appData + "\\PictureView\\Thumbs\\pinned.thumb",
                                        appData + "\\PictureView\\Thumbs\\index.db",
                                        local + "\\OldUpdater\\update.log", local + "\\OldUpdater\\2024\\march.log"}) {
            HANDLE f = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            WriteFile(f, text.data(), 700, &w, nullptr);
            CloseHandle(f);
        }
        RegKey key;
        key.OpenOrCreate(HKEY_CURRENT_USER, "Software\\MediaPlay\\Recent");
        key.WriteString("File1", "C:\\users\\me\\Music\\concert.mp3");
        key.OpenOrCreate(HKEY_CURRENT_USER, "Software\\MediaPlay");
        key.WriteString("LastFolder", "C:\\users\\me\\Music");
        rulesLoad = LoadCommunityRules(file);
    }
    static TDM dm;
    DM = &dm;
    static TFrm_Main form;
    form.Create();
    form.ShowFirst();
    form.ScanPage.SetRulesNotice(RulesNotice(rulesLoad));
    RunFor(300);
    if (scanning) {
        SetTimer(nullptr, 0, 1000, ReadyTimer);  // fires inside the run (during the long first item), which lets messages through
        form.ScanPage.ScanNowBtnClick();
    } else if (question) {
        form.ScanPage.ScanNowBtnClick();
        SetTimer(nullptr, 0, 1000, ReadyTimer);  // fires while the question waits for an answer
        form.ResultPage.CleanBtnClick();
    } else if (results) {
        form.ScanPage.ScanNowBtnClick();
        // Categories folded, so that all four and their counts show above the list.
        const TreeView& tree = form.ResultPage.ResultTreeView;
        for (int category : form.ResultPage.ResultTree.Children(0))
            TreeView_Expand(tree.hwnd(), tree.Handle(category), TVE_COLLAPSE);
    } else if (browsers || moved) {
        // The second profile's history held by a program that shares it with nobody: its row says so.
        const std::string held = ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data\\Profile 1\\History";
        HANDLE holder = CreateFileW(ToWide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        form.ScanPage.ScanNowBtnClick();
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        // Today's browsers open, the rows of Chrome's history in the list.
        OpenOnly(form.ResultPage, "Google Chrome", "Chrome History");
        if (moved) {  // what Windows asks when the window moves: the new scale, and a place centred on the screen
            const int dpi = ScreenDpi() * 3 / 2;
            RECT area;
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
            const int w = 740 * dpi / 96, h = 519 * dpi / 96;
            RECT place{(area.right - w) / 2, (area.bottom - h) / 2, 0, 0};
            place.right = place.left + w;
            place.bottom = place.top + h;
            SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
        }
    } else if (sorted) {
        form.ScanPage.ScanNowBtnClick();
        OpenOnly(form.ResultPage, "Google Chrome", "Chrome Cache");
        form.ResultPage.SortRows(1);  // as a click on the Name header sorts
    } else if (cleaned) {
        // A partial clean of Windows System: one recent file held open, one
        // Run entry gone before the clean, one unticked; the rows say what became of each.
        form.ScanPage.ScanNowBtnClick();
        const std::string recent = ShellFolder("Recent") + "\\Seed Document 1.txt.lnk";
        HANDLE held = CreateFileW(ToWide(recent).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        RegKey run;
        if (run.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"))
            run.DeleteValue("b");
        TResultPage& page = form.ResultPage;
        for (int i = 0; i < page.ResultTree.Count(); ++i)
            if (page.ResultTree.At(i).caption == "Windows Explorer Open With History") {
                page.ResultTree.Select(i);
                FlipRowTick(form.Session, 0);
            }
        struct Quiet : UserDialogs {  // the clean's message box is not part of the picture
            int Message(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
            void ShellOpen(HWND, const std::string&, const std::string&, const std::string&, int) override {}
            std::string OpenFile(HWND) override { return {}; }
            std::string BrowseForFolder(HWND, const std::string&) override { return {}; }
        } quiet;
        SetDialogs(&quiet);
        page.CleanBtnClick();
        SetDialogs(nullptr);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        OpenOnly(page, "Windows System", "Windows System");
    } else if (rules) {
        // Only the rules ticked, then the result list of one of them.
        TreeModel& items = form.ScanPage.ItemTree;
        for (int i = 0; i < items.Count(); ++i) items.SetTicked(i, false);
        const int category = kCatalogCategories[kRulesCategory].node;
        for (int item : items.Children(category)) items.SetTicked(item, true);
        items.SetTicked(category, true);
        form.ScanPage.ScanNowBtnClick();
        const TreeModel& model = form.ResultPage.ResultTree;
        for (int i = 0; i < model.Count(); ++i)
            if (model.At(i).caption == "Community Rules") form.ResultPage.ResultTree.Select(i);
    } else if (tree) {
        // Every category folded: each browser found here is one of them.
        const TreeView& view = form.ScanPage.tvItemsList;
        const TreeModel& model = form.ScanPage.ItemTree;
        for (int category : model.Children(0)) TreeView_Expand(view.hwnd(), view.Handle(category), TVE_COLLAPSE);
        TreeView_EnsureVisible(view.hwnd(), view.Handle(0));
    } else if (std::strcmp(what, "result") == 0) {
        form.ResultBtnClick();
    } else if (std::strcmp(what, "exclude") == 0 || modify) {
        // Sample entries, in a list of their own: the file beside the program is put back afterwards.
        std::string saved;
        const bool had = ReadWholeFile(ExcludeFilePath(), saved);
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        TExcludeContents& list = form.Session.ExcludeList;
        list.Clear();
        AddExcludeItem(list, {"Cache", "http://intranet.example.com/timesheet.html", "", ""});
        AddExcludeItem(list, {"Cookies", "Cookie:me@webmail.example.com/", "", ""});
        AddExcludeItem(list, {"Run History", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
                              "c", "mstsc\\1"});
        AddExcludeItem(list, {"Recent Files", "C:\\users\\me\\Recent\\Quarterly report.doc.lnk", "", ""});
        AddExcludeItem(list, {"WinRAR History", "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory", "0",
                              "C:\\Backups\\photos-2009.rar"});
        form.ExcludeBtnClick();
        if (modify) {  // the WinRAR entry moved to 7-Zip's history with another archive
            form.ExcludePage.ExcludeListView.SelectRow(4);
            form.ExcludePage.onModifyShown = [](TExcludeDataForm& dlg) {
                dlg.SetSectionName("7-Zip History");
                SetWindowTextW(dlg.edTextName, L"C:\\Backups\\photos-2010.7z");
                dlg.cbSectionChange();
                SendMessageW(dlg.mrOkBtn, BM_CLICK, 0, 0);
            };
            form.ExcludePage.ModifyBtnClick();
        }
        RunFor(300);
        Ready();
        RunFor(ms);
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        if (had) {
            HANDLE h = CreateFileW(ToWide(ExcludeFilePath()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                   nullptr);
            DWORD w = 0;
            WriteFile(h, saved.data(), static_cast<DWORD>(saved.size()), &w, nullptr);
            CloseHandle(h);
        }
        return 0;
    } else if (std::strcmp(what, "advanced") == 0) {
        form.AdvancedBtnClick();
        for (const char* path : {"C:\\users\\me\\Documents\\Tax return 2009.xls",
                                 "C:\\users\\me\\Documents\\Old letters",
                                 "C:\\users\\me\\Desktop\\passwords.txt", "D:\\"})
            form.AdvancedShredForm->AddEntry(path);
        form.AdvancedShredForm->SelectEntry(1);
    } else if (std::strcmp(what, "about") == 0) {
        form.onAboutShown = [ms](TFrm_About& about) {
            RunFor(300);
            Ready();
            RunFor(ms);
            about.CloseModal(IDOK);
        };
        form.AboutBtnClick();
        return 0;
    }
    RunFor(300);
    Ready();
    RunFor(ms);
    if (scanning || results) ClearTraces({});
    return 0;
}
