#include "tools/seeder/today_traces.h"

#include <windows.h>

#include "base/utf.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "tests/support/shell_item_bytes.h"
#include "tools/seeder/browser_databases.h"
#include "tools/seeder/seeder.h"

namespace {

namespace sb = shellbytes;

std::string Num(const char* pattern, int i) {
    std::string s(pattern);
    for (size_t at; (at = s.find("%d")) != std::string::npos;) s.replace(at, 2, std::to_string(i));
    return s;
}

void SetBytes(const std::string& key, const std::string& name, const std::string& bytes, DWORD type = REG_BINARY) {
    RegKey k;
    if (k.OpenOrCreate(HKEY_CURRENT_USER, key)) k.WriteBinary(name, bytes, type);
}
void SetText(const std::string& key, const std::string& name, const std::string& text) {
    RegKey k;
    if (k.OpenOrCreate(HKEY_CURRENT_USER, key)) k.WriteString(name, text);
}
void SetDword(const std::string& key, const std::string& name, DWORD value) {
    SetBytes(key, name, std::string(reinterpret_cast<const char*>(&value), 4), REG_DWORD);
}
void DeleteKey(const std::string& key) { RegDeleteKeyTree(HKEY_CURRENT_USER, key); }

void WriteFile(const std::string& path, const std::string& bytes) {
    CreateFolders(path.substr(0, path.find_last_of('\\')));
    File f(path, File::Open::Create);
    if (f) f.WriteAll(bytes);
}

std::string Utf16List(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& e : entries) bytes += sb::Utf16(Utf16FromUtf8(e));
    return bytes;
}

// Numbered values 0, 1, ... and their MRUListEx, the newest (highest) first.
void NumberedValues(const std::string& key, const std::vector<std::string>& data, std::vector<std::string>* made) {
    std::string order;
    for (size_t i = 0; i < data.size(); ++i) {
        SetBytes(key, std::to_string(i), data[i]);
        made->push_back(std::to_string(i));
    }
    for (int i = static_cast<int>(data.size()) - 1; i >= 0; --i) order += std::string(reinterpret_cast<const char*>(&i), 4);
    SetBytes(key, "MRUListEx", order + std::string(4, '\xFF'));
}

void SetWriteTime(const std::string& path, uint64_t fileTime) {
    HANDLE h = CreateFileW(ToWide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME t{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

constexpr uint64_t kHour = 3600ull * 10000000ull;
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr char kTerminal[] = "Software\\Microsoft\\Terminal Server Client";
constexpr char kSevenZip[] = "Software\\7-Zip";
constexpr char kWinRarDialogs[] = "Software\\WinRAR\\DialogEditHistory";
constexpr char kReaderFiles[] = "Software\\Adobe\\Acrobat Reader\\DC\\AVGeneral";
constexpr char kAcrobatFiles[] = "Software\\Adobe\\Adobe Acrobat\\2020\\AVGeneral";

std::string AppData() { return ShellFolder("AppData"); }
std::string TempFolder() {
    std::string t = TempDirectory();
    while (!t.empty() && t.back() == '\\') t.pop_back();
    return t;
}

// The seeder's own files in the temporary folder.
constexpr char kTempFolder[] = "\\sorvanda-seed";

void SeedRecycleBin(BrowserSeed& s) {
    const std::string bin = SeededRecycleBin();
    if (bin.empty()) return;
    CreateFolders(bin);
    WriteFile(bin + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    const uint64_t deleted = NowAsFileTime() - 30 * kHour;
    for (int i = 0; i < s.count; ++i) {
        // Windows 10 writes version 2; the files of an older bin keep version 1.
        const std::string id = Num("SD%d4K2", i + 1);
        const std::string original = Num("C:\\Users\\Public\\Documents\\Seed Draft %d.txt", i + 1);
        const std::string body = Num("draft %d body", i + 1);
        WriteFile(bin + "\\$I" + id + ".txt", sb::RecycledInfoFile(i % 2 ? 1 : 2, body.size(), deleted, Utf16FromUtf8(original)));
        WriteFile(bin + "\\$R" + id + ".txt", body);
        s.made->push_back(original);
    }
    // A deleted folder, with its tree.
    const std::string folder = bin + "\\$RSDF00L";
    WriteFile(folder + "\\notes\\old.txt", "old notes");
    WriteFile(folder + "\\list.txt", "list");
    WriteFile(bin + "\\$ISDF00L", sb::RecycledInfoFile(2, 13, deleted, u"C:\\Users\\Public\\Seed Folder"));
    s.made->push_back("C:\\Users\\Public\\Seed Folder");
}

void SeedDialogs(BrowserSeed& s) {
    const std::string root = std::string(kExplorer) + "ComDlg32\\";
    std::vector<std::string> all, docx, visited, sizes;
    for (int i = 0; i < s.count; ++i) {
        const std::u16string doc = Utf16FromUtf8(Num("C:\\Users\\Public\\Documents\\Seed Report %d.docx", i + 1));
        all.push_back(sb::IdListOfPath(doc));
        docx.push_back(sb::IdListOfPath(doc));
        const std::u16string program = Utf16FromUtf8(Num("seedapp%d.exe", i + 1));
        visited.push_back(sb::ProgramValue(program, sb::IdListOfPath(u"C:\\Users\\Public\\Documents\\")));
        sizes.push_back(sb::ProgramValue(program, std::string(24, '\x03')));
    }
    NumberedValues(root + "OpenSavePidlMRU\\*", all, s.made);
    NumberedValues(root + "OpenSavePidlMRU\\docx", docx, s.made);
    NumberedValues(root + "LastVisitedPidlMRU", visited, s.made);
    NumberedValues(root + "CIDSizeMRU", sizes, s.made);
}

void SeedTemp(BrowserSeed& s) {
    const std::string folder = TempFolder() + kTempFolder;
    const uint64_t old = NowAsFileTime() - 72 * kHour;
    for (int i = 0; i < s.count; ++i) {
        const std::string name = Num("~seed%d.tmp", i + 1);
        const std::string path = folder + (i % 2 ? "\\setup" : "") + "\\" + name;
        WriteFile(path, Num("temporary %d", i + 1));
        SetWriteTime(path, old);
        s.made->push_back(name);
    }
    WriteFile(folder + "\\fresh.tmp", "written now: stays");
}

void SeedClipboard(BrowserSeed& s) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const std::wstring text = L"Seed clipboard line\r\nsecond line";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (block) {
        memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        if (SetClipboardData(CF_UNICODETEXT, block)) s.made->push_back("Text: Seed clipboard line...");
        else GlobalFree(block);
    }
    CloseClipboard();
}

void ClearClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

void SeedRemoteDesktop(BrowserSeed& s) {
    const std::string recent = std::string(kTerminal) + "\\Default";
    for (int i = 0; i < s.count; ++i) {
        const std::string host = Num("seedhost%d.example.com", i + 1);
        SetText(recent, "MRU" + std::to_string(i), host);
        s.made->push_back("MRU" + std::to_string(i));
        SetText(std::string(kTerminal) + "\\Servers\\" + host, "UsernameHint", Num("EXAMPLE\\ann%d", i + 1));
        SetBytes(std::string(kTerminal) + "\\Servers\\" + host, "CertHash", std::string(20, '\x07'));
        s.made->push_back(host);
    }
    SetDword(recent, "AutoReconnect", 1);  // a setting, never listed
}

void SeedPowerShell(BrowserSeed& s) {
    std::string text;
    for (int i = 0; i < s.count; ++i) {
        const std::string line = Num("Get-ChildItem C:\\seed\\folder%d | Select-Object Name", i + 1);
        text += line + "\r\n";
        s.made->push_back(line);
        if (i == 0) text += "\r\n";  // a blank line is no command
    }
    WriteFile(AppData() + "\\Microsoft\\Windows\\PowerShell\\PSReadLine\\ConsoleHost_history.txt", text);
}

constexpr const char* kOfficePrograms[] = {"Word", "Excel"};
constexpr const char* kOfficeAccounts[] = {"ADAL_B7C5D4E3F2A1B0C9D8E7F6A5B4C3D2E1", "LiveId_3F1A0B9C8D7E6F5A"};

std::string OfficeList(int p, const char* list) {
    return std::string("Software\\Microsoft\\Office\\16.0\\") + kOfficePrograms[p] + "\\User MRU\\" + kOfficeAccounts[p] +
           "\\" + list;
}

void ClearOffice(const char* list) {
    for (int p = 0; p < 2; ++p) DeleteKey(OfficeList(p, list));
}

void SeedOffice(BrowserSeed& s, const char* list, bool places) {
    for (int p = 0; p < 2; ++p) {
        const std::string key = OfficeList(p, list);
        for (int i = 0; i < s.count; ++i) {
            const std::string path = places ? Num("C:\\Users\\Public\\Seed Place %d\\", i + 1)
                                            : Num("C:\\Users\\Public\\Documents\\Seed Report %d.docx", i + 1);
            const std::string n = std::to_string(i + 1);
            SetText(key, "Item " + n, "[F00000000][T01DA5E3C" + Num("%d0A1B2C3", i) + "][O00000000]*" + path);
            SetText(key, "Item Metadata " + n, "<Metadata><Entry Key=\"" + path + "\" /></Metadata>");
            s.made->push_back("Item " + n);
        }
        SetDword(key, "Max Display", 50);  // a setting of the list, never listed
    }
}

void SeedAcrobat(BrowserSeed& s) {
    for (const char* base : {kReaderFiles, kAcrobatFiles}) {
        for (int i = 0; i < s.count; ++i) {
            const std::string c = "c" + std::to_string(i + 1);
            const std::string file = base + std::string("\\cRecentFiles\\") + c;
            const std::string di = Num("/C/Users/Public/Documents/seed%d.pdf", i + 1);
            SetText(file, "tDIText", di);
            SetBytes(file, "sDI", di + std::string(1, '\0'));
            SetText(file, "tFileName", Num("seed%d.pdf", i + 1));
            SetDword(file, "uFileSize", 2048);
            s.made->push_back(c);
        }
        const std::string folder = base + std::string("\\cRecentFolders\\c1");
        SetText(folder, "tDIText", "/C/Users/Public/Documents/");
        s.made->push_back("c1");
        SetDword(base, "bExpandRHPInViewer", 0);  // a preference: stays
    }
}

void SeedSevenZip(BrowserSeed& s) {
    std::vector<std::string> archives, paths;
    for (int i = 0; i < s.count; ++i) {
        archives.push_back(Num("C:\\Users\\Public\\Seed Archive %d.7z", i + 1));
        paths.push_back(Num("C:\\Users\\Public\\Extracted %d\\", i + 1));
    }
    SetBytes(std::string(kSevenZip) + "\\Compression", "ArcHistory", Utf16List(archives));
    SetBytes(std::string(kSevenZip) + "\\Extraction", "PathHistory", Utf16List(paths));
    SetBytes(std::string(kSevenZip) + "\\FM", "FolderHistory", Utf16List({"C:\\Users\\Public\\Seed Browse\\"}));
    SetText(std::string(kSevenZip) + "\\FM", "PanelPath0", "C:\\Users\\Public\\Seed Panel\\");
    SetDword(std::string(kSevenZip) + "\\FM", "ListMode", 0x303);       // settings: they stay
    SetDword(std::string(kSevenZip) + "\\Compression", "Level", 5);
    s.made->insert(s.made->end(), archives.begin(), archives.end());
    s.made->insert(s.made->end(), paths.begin(), paths.end());
    s.made->push_back("C:\\Users\\Public\\Seed Browse\\");
    s.made->push_back("C:\\Users\\Public\\Seed Panel\\");
}

void SeedWinRarDialogs(BrowserSeed& s) {
    for (const char* list : {"ArcName", "FindText"})
        for (int i = 0; i < s.count; ++i) {
            SetText(std::string(kWinRarDialogs) + "\\" + list, std::to_string(i), Num("seed backup %d.rar", i + 1));
            s.made->push_back(std::to_string(i));
        }
}

void SeedVlc(BrowserSeed& s) {
    std::string list, times;
    for (int i = 0; i < s.count; ++i) {
        list += (i ? ", " : "") + Num("file:///C:/Users/Public/Videos/seed%20clip%20%d.mp4", i + 1);
        times += (i ? ", " : "") + std::to_string(i * 1000);
        s.made->push_back(Num("C:\\Users\\Public\\Videos\\seed clip %d.mp4", i + 1));
    }
    // A stream keeps its address as it stands.
    list += ", http://media.example.com/seed/live.m3u8";
    times += ", 0";
    s.made->push_back("http://media.example.com/seed/live.m3u8");
    const std::string ini = "[General]\nIsFirstRun=0\n\n[MainWindow]\ngeometry=@ByteArray(\\x1\\xd9\\xd0\\xcb)\n"
                            "\n[RecentsMRL]\nlist=" + list + "\ntimes=" + times + "\n\n[OpenDialog]\nnetMRL=@Invalid()\n";
    WriteFile(AppData() + "\\vlc\\vlc-qt-interface.ini", ini);
}

void SeedNotepad(BrowserSeed& s) {
    std::string files;
    for (int i = 0; i < s.count; ++i) {
        const std::string name = Num("C:\\Users\\Public\\Documents\\seed notes %d.txt", i + 1);
        files += "        <File filename=\"" + name + "\" />\r\n";
        s.made->push_back(name);
    }
    files += "        <File filename=\"C:\\Users\\Public\\R&amp;D plan.txt\" />\r\n";
    s.made->push_back("C:\\Users\\Public\\R&D plan.txt");
    const std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<NotepadPlus>\r\n"
                            "    <FindHistory nbMaxFindHistoryPath=\"10\" />\r\n"
                            "    <History nbMaxFile=\"10\" inSubMenu=\"no\" customLength=\"-1\">\r\n" + files +
                            "    </History>\r\n    <GUIConfigs>\r\n        <GUIConfig name=\"ToolBar\" visible=\"yes\">standard</GUIConfig>\r\n"
                            "    </GUIConfigs>\r\n</NotepadPlus>\r\n";
    WriteFile(AppData() + "\\Notepad++\\config.xml", xml);
}

void SeedCode(BrowserSeed& s) {
    std::string entries;
    for (int i = 0; i < s.count; ++i) {
        entries += Num("{\"folderUri\":\"file:///c%3A/Users/Public/seed-project-%d\"},", i + 1);
        entries += Num("{\"fileUri\":\"file:///c%3A/Users/Public/Documents/seed%20notes%20%d.md\"},", i + 1);
        s.made->push_back(Num("c:\\Users\\Public\\seed-project-%d", i + 1));
        s.made->push_back(Num("c:\\Users\\Public\\Documents\\seed notes %d.md", i + 1));
    }
    entries += "{\"folderUri\":\"vscode-remote://ssh-remote%2Bseedhost/home/ann/site\",\"remoteAuthority\":\"ssh-remote+seedhost\"}";
    s.made->push_back("vscode-remote://ssh-remote%2Bseedhost/home/ann/site");
    const std::string path = AppData() + "\\Code\\User\\globalStorage\\state.vscdb";
    CreateFolders(path.substr(0, path.find_last_of('\\')));
    Database db;
    if (!FreshDatabase(db, path, "CREATE TABLE ItemTable (key TEXT UNIQUE ON CONFLICT REPLACE, value BLOB)")) return;
    Database::Statement put(db, "INSERT INTO ItemTable VALUES (?1, ?2)");
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"history.recentlyOpenedPathsList",
                                                                         "{\"entries\":[" + entries + "]}"},
                                     {"workbench.panel.height", "300"},
                                     {"colorThemeData", "{\"id\":\"vs-dark\"}"}}) {
        put.Reset();
        put.Bind(1, key);
        put.Bind(2, value);
        put.Step();
    }
}

}  // namespace

std::string SeededRecycleBin() {
    const std::string sid = CurrentUserSid();
    return sid.empty() ? std::string() : "C:\\$Recycle.Bin\\" + sid;
}

const std::vector<BrowserSeedItem>& TodaySeedItems() {
    static const std::vector<BrowserSeedItem> items = {
        {"Recycle Bin Files", SeedRecycleBin, [] { DeleteFolderTree(SeededRecycleBin()); }},
        {"Open/Save Dialog History", SeedDialogs, [] { DeleteKey(std::string(kExplorer) + "ComDlg32"); }},
        {"Temporary Files", SeedTemp, [] { DeleteFolderTree(TempFolder() + kTempFolder); }},
        {"Clipboard", SeedClipboard, ClearClipboard},
        {"Remote Desktop History", SeedRemoteDesktop, [] { DeleteKey(kTerminal); }},
        {"PowerShell History", SeedPowerShell, [] { DeleteFolderTree(AppData() + "\\Microsoft\\Windows\\PowerShell"); }},
        {"Microsoft 365 Recent Files", [](BrowserSeed& s) { SeedOffice(s, "File MRU", false); },
         [] { ClearOffice("File MRU"); }},
        {"Microsoft 365 Recent Places", [](BrowserSeed& s) { SeedOffice(s, "Place MRU", true); },
         [] { ClearOffice("Place MRU"); }},
        {"Acrobat Recent Files", SeedAcrobat,
         [] {
             DeleteKey("Software\\Adobe\\Acrobat Reader");
             DeleteKey("Software\\Adobe\\Adobe Acrobat");
         }},
        {"7-Zip History", SeedSevenZip, [] { DeleteKey(kSevenZip); }},
        {"WinRAR Dialog History", SeedWinRarDialogs,
         [] {
             for (const char* list : {"ArcName", "FindText"}) DeleteKey(std::string(kWinRarDialogs) + "\\" + list);
         }},
        {"VLC Recent Media", SeedVlc, [] { DeleteFolderTree(AppData() + "\\vlc"); }},
        {"Notepad++ Recent Files", SeedNotepad, [] { DeleteFolderTree(AppData() + "\\Notepad++"); }},
        {"VS Code Recent Files", SeedCode, [] { DeleteFolderTree(AppData() + "\\Code"); }},
    };
    return items;
}
