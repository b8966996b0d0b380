#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "gui/gui_support.h"
#include "model/scan_session.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "tools/seeder/seeder.h"
#include "ui/frm_main.h"

namespace {

class ShredPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow(form);
        Click(form->AdvancedBtn.hwnd());
        shred = form->AdvancedShredForm.get();
        ASSERT_NE(shred, nullptr);
        realEngine = shred->shredEntry;
        shred->shredEntry = [this](const std::string& p, int passes, ShredReport&) {
            calls.push_back(p + " " + std::to_string(passes));
        };
    }
    void TearDown() override {
        form.reset();
        Pump();
    }
    std::unique_ptr<TFrm_Main> form;
    TAdvancedShredForm* shred = nullptr;
    std::function<void(const std::string&, int, ShredReport&)> realEngine;  // what the Shred button drives unwatched
    std::vector<std::string> calls;
    DialogScope scope;
};

}  // namespace

TEST_F(ShredPageTest, MadeOnceFillingThePageAndKeptBetweenVisits) {
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageAdvanced);
    const Bounds b = shred->GetBounds();
    EXPECT_EQ(b.w, 546);
    EXPECT_EQ(b.h, 389);
    EXPECT_EQ(SendMessageW(shred->RadioButton1, BM_GETCHECK, 0, 0), BST_CHECKED);
    shred->AddEntry("C:\\x.txt");
    Click(form->ScanBtn.hwnd());
    Click(form->AdvancedBtn.hwnd());
    EXPECT_EQ(form->AdvancedShredForm.get(), shred);
    EXPECT_EQ(shred->Entries(), (std::vector<std::string>{"C:\\x.txt"}));
    for (TImageEx* b : {&shred->btnAdd, &shred->BtnAddFolder, &shred->BtnRemove, &shred->btnShred}) {
        Hover(b->hwnd());
        EXPECT_EQ(b->PictureName(), b->SkinName);
        Unhover(b->hwnd());
        EXPECT_EQ(b->PictureName(), b->SkinName + "1");
    }
}

TEST_F(ShredPageTest, AnEmptyListOnlySaysSo) {
    Click(shred->btnShred.hwnd());
    ASSERT_EQ(scope.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.dialogs.messages[0].text,
              "You have not added any file that you want to be deleted into the Shred list!");
    EXPECT_EQ(scope.dialogs.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_TRUE(calls.empty());
}

TEST_F(ShredPageTest, NoKeepsTheListAndYesShredsEveryEntryAtTheChosenLevel) {
    const std::string file = ExeDirectory() + "sorvanda-gui-test.exe";  // a file that exists
    CopyFileW(ToWide(ExeDirectory() + "sleeper.exe").c_str(), ToWide(file).c_str(), FALSE);
    shred->AddEntry(file);
    shred->AddEntry("C:\\gone\\folder");
    scope.dialogs.answers = {IDNO};
    Click(shred->btnShred.hwnd());
    ASSERT_EQ(scope.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.dialogs.messages[0].text,
              "The listed files and folders will be permanently deleted! Do you want to continue?\r\r"
              "Important: This action is immediate and is NOT reversible!");
    EXPECT_EQ(scope.dialogs.messages[0].flags, 308u);
    EXPECT_EQ(shred->Entries().size(), 2u);
    EXPECT_TRUE(calls.empty());
    const std::pair<HWND, int> levels[] = {{shred->RadioButton1, 1}, {shred->RadioButton2, 3}, {shred->RadioButton3, 7}};
    for (const auto& [radio, passes] : levels) {
        calls.clear();
        shred->RemoveAllFilesfromthelist1Click();
        shred->AddEntry(file);
        shred->AddEntry("C:\\gone\\folder");
        SendMessageW(radio, BM_CLICK, 0, 0);
        scope.dialogs.answers = {IDYES};
        scope.dialogs.messages.clear();
        Click(shred->btnShred.hwnd());
        const std::string p = std::to_string(passes);
        EXPECT_EQ(calls, (std::vector<std::string>{file + " " + p, "C:\\gone\\folder " + p})) << passes;
        ASSERT_EQ(scope.dialogs.messages.size(), 2u);
        EXPECT_EQ(scope.dialogs.messages[1].text, "File Shredded Completely!");
        EXPECT_EQ(scope.dialogs.messages[1].flags, static_cast<UINT>(MB_OK));
        // The engine here only looked on: what is still there stays in the list.
        EXPECT_EQ(shred->Entries(), (std::vector<std::string>{file}));
    }
    DeleteFileW(ToWide(file).c_str());
}

TEST_F(ShredPageTest, AShredPressDuringARunStartsNoSecondRun) {
    shred->AddEntry("C:\\gone\\folder");
    shred->shredEntry = [this](const std::string& p, int passes, ShredReport&) {
        calls.push_back(p + " " + std::to_string(passes));
        Click(shred->btnShred.hwnd());  // the walk lets the press through
    };
    scope.dialogs.answers = {IDYES, IDYES};
    Click(shred->btnShred.hwnd());
    EXPECT_EQ(calls, (std::vector<std::string>{"C:\\gone\\folder 1"}));
    ASSERT_EQ(scope.dialogs.messages.size(), 2u);  // one warning, one completion
    EXPECT_EQ(scope.dialogs.messages[1].text, "File Shredded Completely!");
    EXPECT_TRUE(shred->Entries().empty());
}

TEST_F(ShredPageTest, TheSamePathTwiceEndsCompletelyWithTheRealEngine) {
    const std::string file = TempFolder() + "shred-twice.txt";
    HANDLE h = CreateFileW(ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    shred->shredEntry = realEngine;
    shred->AddEntry(file);
    shred->AddEntry(file);
    scope.dialogs.answers = {IDYES};
    Click(shred->btnShred.hwnd());
    EXPECT_FALSE(FileExists(file));
    ASSERT_EQ(scope.dialogs.messages.size(), 2u);
    EXPECT_EQ(scope.dialogs.messages[1].text, "File Shredded Completely!");
}

TEST_F(ShredPageTest, AddingFilesFoldersAndTheRecycleBin) {
    scope.dialogs.files = {"C:\\chosen.txt", ""};
    shred->AddFiles1Click();
    shred->AddFiles1Click();  // cancelled: nothing
    scope.dialogs.folders = {"D:\\"};
    Click(shred->BtnAddFolder.hwnd());
    ASSERT_EQ(scope.dialogs.folderTitles.size(), 1u);
    EXPECT_EQ(scope.dialogs.folderTitles[0], "Select Drive or Directory");
    SeedOptions o;
    o.items = {"RecycleBin"};
    o.count = 2;
    SeedTraces(o);  // INFO2, desktop.ini and two deleted files
    CloseHandle(CreateFileW(L"C:\\Recycled\\DESKTOP.INI", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    shred->AddAllRecycleFile1Click();
    const auto entries = shred->Entries();
    EXPECT_EQ(entries.size(), 4u);
    for (const std::string& e : entries) {
        EXPECT_EQ(e.find("INFO2"), std::string::npos);
        EXPECT_EQ(e.find("esktop"), std::string::npos);
    }
    shred->SelectEntry(0);
    shred->RemoveSelectedFilesfromthelist1Click();
    EXPECT_EQ(shred->Entries().size(), 3u);
    EXPECT_EQ(shred->Entries()[0], "D:\\");
    shred->RemoveAllFilesfromthelist1Click();
    EXPECT_TRUE(shred->Entries().empty());
    ClearTraces(o);
}

// A run that leaves something says what stayed, and the list keeps it for another try.
TEST_F(ShredPageTest, APartialShredSaysWhatStayedAndKeepsItListed) {
    const std::string dir = TempFolder();
    const std::string gone = dir + "shred-page-gone.txt", stays = dir + "shred-page-read-only.txt";
    for (const std::string& f : {gone, stays}) {
        HANDLE h = CreateFileW(ToWide(f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    SetFileAttributesW(ToWide(stays).c_str(), FILE_ATTRIBUTE_READONLY);
    shred->shredEntry = realEngine;
    shred->AddEntry(gone);
    shred->AddEntry(stays);
    scope.dialogs.answers = {IDYES};
    Click(shred->btnShred.hwnd());
    EXPECT_FALSE(FileExists(gone));
    EXPECT_TRUE(FileExists(stays));
    ASSERT_EQ(scope.dialogs.messages.size(), 2u);
    EXPECT_EQ(scope.dialogs.messages[1].text,
              "1 item was not shredded and stays where it was:\r\n" + stays + " (read-only)");
    EXPECT_EQ(scope.dialogs.messages[1].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(shred->Entries(), (std::vector<std::string>{stays}));
    SetFileAttributesW(ToWide(stays).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(ToWide(stays).c_str());
}

// Add Files takes several files at once from the user's documents; the list
// shows a file with its size and a folder as a folder, with its files and their
// size, while the entries stay the paths themselves.
TEST_F(ShredPageTest, SeveralFilesAtOnceAndFoldersMarkedAsFolders) {
    const std::string folder = TempFolder() + "shred-list-folder";
    CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    CreateDirectoryW(ToWide(folder + "\\inner").c_str(), nullptr);
    auto write = [](const std::string& path, size_t bytes) {
        HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD w = 0;
        const std::string data(bytes, 'x');
        WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &w, nullptr);
        CloseHandle(h);
    };
    write(folder + "\\a.txt", 1024);
    write(folder + "\\inner\\b.txt", 1536);
    scope.dialogs.fileLists = {{folder + "\\a.txt", folder + "\\inner\\b.txt"}};
    shred->AddFiles1Click();
    ASSERT_EQ(scope.dialogs.openFolders.size(), 1u);
    EXPECT_EQ(scope.dialogs.openFolders[0], ShellFolder("Personal"));
    scope.dialogs.folders = {folder};
    shred->BtnAddFolderClick();
    EXPECT_EQ(shred->Entries(), (std::vector<std::string>{folder + "\\a.txt", folder + "\\inner\\b.txt", folder}));
    auto line = [&](int i) {
        wchar_t buf[512] = {};
        SendMessageW(shred->listAdd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        return FromWide(buf);
    };
    EXPECT_EQ(line(0), folder + "\\a.txt    (1.00 KB)");
    EXPECT_EQ(line(2), folder + "\\    (folder: 2 files, 2.50 KB)");
    shred->SelectEntry(0);
    shred->RemoveSelectedFilesfromthelist1Click();
    EXPECT_EQ(shred->Entries(), (std::vector<std::string>{folder + "\\inner\\b.txt", folder}));
    EXPECT_EQ(line(1), folder + "\\    (folder: 2 files, 2.50 KB)");
    DeleteFileW(ToWide(folder + "\\a.txt").c_str());
    DeleteFileW(ToWide(folder + "\\inner\\b.txt").c_str());
    RemoveDirectoryW(ToWide(folder + "\\inner").c_str());
    RemoveDirectoryW(ToWide(folder).c_str());
}
