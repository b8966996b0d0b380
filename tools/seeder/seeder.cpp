#include "tools/seeder/seeder.h"

#include <windows.h>
#include <wininet.h>

#include <cctype>
#include <functional>

#include "model/catalog.h"
#include "model/shell_values.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "base/utf.h"
#include "platform/wide.h"
#include "tools/seeder/browser_profiles.h"
#include "tools/seeder/today_traces.h"

namespace {

struct Ctx {
    int count;
    std::vector<std::string>* made;
    std::vector<std::string>* log;
    const std::set<std::string>* items;
    std::string key;  // the item's key below HKEY_CURRENT_USER, as its catalog row names it
};

// The catalog row's key of an item, or empty.
std::string KeyOf(const char* item) {
    const CatalogItem* row = FindCatalogItemByName(item);
    return row ? std::string(row->key) : std::string();
}

std::string Num(const char* pattern, int i) {
    std::string s(pattern);
    const size_t at = s.find("%d");
    if (at != std::string::npos) s.replace(at, 2, std::to_string(i));
    return s;
}

// MRU lists name their values a, b, c, ...; past z they go on as mru26, mru27, ...
std::string MruName(int i) { return i < 26 ? std::string(1, static_cast<char>('a' + i)) : "mru" + std::to_string(i); }

void SetRaw(const std::string& key, const std::string& name, DWORD type, const std::string& bytes) {
    RegKey k;
    if (k.OpenOrCreate(HKEY_CURRENT_USER, key)) k.WriteBinary(name, bytes, type);
}

void SetText(const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ) {
    RegKey k;
    if (k.OpenOrCreate(HKEY_CURRENT_USER, key)) k.WriteString(name, text, type);
}

void DeleteKey(const std::string& key) { RegDeleteKeyTree(HKEY_CURRENT_USER, key); }

void DeleteValue(const std::string& key, const char* name) {
    RegKey k;
    if (k.OpenForWrite(HKEY_CURRENT_USER, key)) k.DeleteValue(name);
}

// ---- registry shapes -----------------------------------------------------------

void MruList(Ctx& c, const std::string& key, const char* dataPattern) {
    std::string order;
    for (int i = 0; i < c.count; ++i) {
        SetText(key, MruName(i), Num(dataPattern, i + 1));
        c.made->push_back(MruName(i));
        if (i < 26) order += MruName(i);
    }
    if (c.count > 0) {
        SetText(key, "MRUList", order);  // the list-order value is a trace too
        c.made->push_back("MRUList");
    }
}

void NamedValues(Ctx& c, const std::string& key, const char* namePattern, const char* dataPattern, DWORD type = REG_SZ) {
    for (int i = 0; i < c.count; ++i) {
        const std::string name = Num(namePattern, i + 1);
        if (type == REG_BINARY) SetRaw(key, name, type, std::string("\x01\x00\x00\x00\x07\x00\x00\x00", 8));
        else SetText(key, name, Num(dataPattern, i + 1), type);
        c.made->push_back(name);
    }
}

void Subkeys(Ctx& c, const std::string& key, const char* namePattern) {
    for (int i = 0; i < c.count; ++i) {
        const std::string name = Num(namePattern, i + 1);
        RegKey k;
        k.OpenOrCreate(HKEY_CURRENT_USER, std::string(key) + "\\" + name);
        c.made->push_back(name);
    }
}

void OneValue(Ctx& c, const std::string& key, const char* name, const char* text) {
    SetText(key, name, text);
    c.made->push_back(name);
}

// ---- folders -------------------------------------------------------------------

void EmptyFolder(const std::string& folder, bool removeIt) {
    if (folder.size() < 4) return;  // never a drive root
    FolderWalker w(folder);
    FolderEntry e;
    while (w.Next(e)) {
        if (e.IsDots()) continue;
        const std::string p = folder + "\\" + e.name;
        SetPathAttributes(p, FILE_ATTRIBUTE_NORMAL);
        if (e.IsReparsePoint() || IsLink(p)) {  // a link: itself or nothing, never its target
            DeleteLinkItself(p);
        } else if (e.IsDir()) {
            EmptyFolder(p, true);
        } else {
            DeletePath(p);
        }
    }
    if (removeIt) RemoveFolder(folder);
}

void WriteFileText(const std::string& path, const std::string& text) {
    File f(path, File::Open::Create);
    if (f) f.WriteAll(text);
}

void FolderFiles(Ctx& c, const std::string& folder, const char* namePattern, const char* contentPattern) {
    if (folder.empty()) return;
    CreateFolders(folder);
    for (int i = 0; i < c.count; ++i) {
        const std::string name = Num(namePattern, i + 1);
        WriteFileText(folder + "\\" + name, Num(contentPattern, i + 1));
        c.made->push_back(name);
    }
}

std::string RecycledFolder() { return "C:\\Recycled"; }

// ---- URL cache -----------------------------------------------------------------

bool CommitEntry(const std::string& url, const std::string& content, DWORD type) {
    wchar_t local[MAX_PATH + 1] = {};
    const std::wstring wideUrl = ToWide(url);
    if (!CreateUrlCacheEntryW(wideUrl.c_str(), 0, L"", local, 0)) return false;
    WriteFileText(FromWide(local), content);
    FILETIME zero{};
    return CommitUrlCacheEntryW(wideUrl.c_str(), local, zero, zero, type, nullptr, 0, nullptr, nullptr);
}

void ClearCache(bool cookies) {
    std::vector<std::string> urls;
    UrlCacheWalker w;
    UrlCacheEntry e;
    for (bool ok = w.First(e); ok; ok = w.Next(e))
        if ((e.url.find("Cookie:") != std::string::npos) == cookies) urls.push_back(e.url);
    for (const std::string& u : urls) DeleteUrlCacheEntryByUrl(u);
}

// ---- browser profiles ------------------------------------------------------------

struct Profile {
    std::string name;
    std::vector<std::string> entries;
};

// History files hold addresses as "(A=http://...)" cells; an https address is never cut out.
void HistoryFiles(Ctx& c, const std::string& profiles, const char* site) {
    for (const char* profile : {"k3j9x2aa.default", "q7w1e5rt.work"}) {
        Profile p{profile, {}};
        std::string text = "// <!-- <mdb:mork:z v=\"1.4\"/> -->\n< <(a=c)> // (f=iso-8859-1)\n";
        for (int i = 0; i < c.count; ++i) {
            const std::string url = Num(site, i + 1) + p.name.substr(0, 8) + "/";
            text += "[-1:^80(^81=1)(A=" + url + ")(^83=" + std::to_string(1000 + i) + ")]\n";
            p.entries.push_back(url);
        }
        text += "(^90=https://secure.example.com/not-listed)\n";
        CreateFolders(profiles + "\\" + p.name);
        WriteFileText(profiles + "\\" + p.name + "\\history.dat", text);
        c.made->insert(c.made->end(), p.entries.begin(), p.entries.end());  // every profile is read
    }
}

// Cookie files in the Netscape format: lines of a dot domain, TRUE and six more fields.
void CookieFiles(Ctx& c, const std::string& profiles, const char* domain) {
    for (const char* profile : {"k3j9x2aa.default", "q7w1e5rt.work"}) {
        Profile p{profile, {}};
        std::string text = "# Netscape HTTP Cookie File\r\n";
        for (int i = 0; i < c.count; ++i) {
            std::string d = Num(domain, i + 1) + p.name.substr(0, 8);
            text += "." + d + "\tTRUE\t/\tFALSE\t1999999999\tid\t" + std::to_string(i) + "\r\n";
            for (char& ch : d) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
            p.entries.push_back("\r\n." + d + "\t");
        }
        text += "www.nodot.example.com\tFALSE\t/\tFALSE\t1999999999\tsid\t1\r\n";  // never cut out
        CreateFolders(profiles + "\\" + p.name);
        WriteFileText(profiles + "\\" + p.name + "\\cookies.txt", text);
        c.made->insert(c.made->end(), p.entries.begin(), p.entries.end());  // every profile is read
    }
}

void CacheFolder(Ctx& c, const std::string& cache) {
    CreateFolders(cache);
    for (const char* map : {"_CACHE_MAP_", "_CACHE_001_"}) {
        WriteFileText(cache + "\\" + map, std::string(64, 'm'));
        c.made->push_back(cache + "\\" + map);
    }
    for (int i = 0; i < c.count; ++i) {
        const std::string path = cache + "\\" + Num("SEED%d0A1", i + 1);
        WriteFileText(path, Num("cached body %d", i + 1));
        c.made->push_back(path);
    }
}

std::string AppData() { return ShellFolder("AppData"); }
std::string LocalAppData() { return ShellFolder("Local AppData"); }

void RemoveTree(const std::string& folder) {
    if (folder.size() > 12) EmptyFolder(folder, true);  // never anything short
}

// ---- Windows 7 to 11 ---------------------------------------------------------------

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr char kLaunchPrograms[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";
constexpr char kLaunchShortcuts[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{F4E57C4B-2036-45F0-A9AB-443BCFE33D9F}\\Count";
constexpr char kShellMuiCache[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";

std::string Utf16Bytes(const std::string& text) {
    const std::u16string wide = Utf16FromUtf8(text);
    std::string bytes;
    for (char16_t ch : wide) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>(ch >> 8));
    }
    return bytes + std::string(2, '\0');
}

// Numbered values whose data starts with UTF-16 text, and the MRUListEx that
// orders them, the newest (highest number) first.
void NumberedList(Ctx& c, const std::string& key, const char* textPattern, const std::string& tail) {
    std::string order;
    for (int i = 0; i < c.count; ++i) {
        SetRaw(key, std::to_string(i), REG_BINARY, Utf16Bytes(Num(textPattern, i + 1)) + tail);
        c.made->push_back(std::to_string(i));
    }
    for (int i = c.count - 1; i >= 0; --i) order += std::string(reinterpret_cast<const char*>(&i), 4);
    SetRaw(key, "MRUListEx", REG_BINARY, order + std::string(4, '\xFF'));
}

void LaunchCounts(Ctx& c, const char* key, const char* pattern) {
    for (int i = 0; i < c.count; ++i) {
        const std::string name = Rot13(Num(pattern, i + 1));
        SetRaw(key, name, REG_BINARY, std::string(72, '\x01'));
        c.made->push_back(name);
    }
    // Explorer's own session counters stay.
    SetRaw(key, Rot13("UEME_CTLSESSION"), REG_BINARY, std::string(1612, '\0'));
    SetRaw(key, Rot13("UEME_CTLCUACount:ctor"), REG_BINARY, std::string(72, '\0'));
}

// ---- the items -----------------------------------------------------------------

constexpr char kOffice[] = "Software\\Microsoft\\Office\\";
constexpr char kWinZip[] = "Software\\Nico Mak Computing\\WinZip";
constexpr char kMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kTelnet[] = "Software\\Microsoft\\Telnet";
constexpr char kLastMachine[] = "Software\\Microsoft\\Telnet\\LastMachine";
constexpr char kClickCount[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
constexpr char kOrderCount[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count";

// How one catalog item's traces are made and cleared; both are handed the
// item's key from the catalog row (empty for the items that keep no key).
struct SeedItem {
    const char* item;
    std::function<void(Ctx&)> seed;
    std::function<void(const std::string& key)> clear;
};

std::vector<SeedItem> RegistryAndFileItems() {
    return {
        // Internet Explorer.
        {"Cache",
         [](Ctx& c) {
             for (int i = 0; i < c.count; ++i) {
                 const std::string url = Num("http://www.example.com/seed/page%d.html", i + 1);
                 if (CommitEntry(url, Num("<html><body>page %d</body></html>", i + 1), NORMAL_CACHE_ENTRY))
                     c.made->push_back(url);
             }
         },
         [](const std::string& key) { ClearCache(false); }},
        {"Address Bar History",
         [](Ctx& c) { NamedValues(c, c.key, "url%d", "http://www.example.com/typed/%d"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Cookies",
         [](Ctx& c) {
             for (int i = 0; i < c.count; ++i) {
                 // Committed the way Windows stores its cookies: normal entry plus cookie bit.
                 const std::string url = Num("Cookie:user@seed%d.example.com/", i + 1);
                 if (CommitEntry(url, Num("id\n%d\nseed%d.example.com/\n1024\n", i + 1),
                                 NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY))
                     c.made->push_back(url);
             }
         },
         [](const std::string& key) { ClearCache(true); }},
        {"Favorites",
         [](Ctx& c) { FolderFiles(c, ShellFolder("Favorites"), "Seed Favorite %d.url", "[InternetShortcut]\r\nURL=http://www.example.com/fav/%d\r\n"); },
         [](const std::string& key) { EmptyFolder(ShellFolder("Favorites"), false); }},
        {"Favorites Export File", [](Ctx& c) { OneValue(c, c.key, "FavoritesExportFile", "C:\\users\\Public\\Documents\\bookmark.htm"); },
         [](const std::string& key) { DeleteValue(key, "FavoritesExportFile"); }},
        {"Favorites Import Folder", [](Ctx& c) { OneValue(c, c.key, "FavoritesImportFolder", "C:\\users\\Public\\Favorites Import"); },
         [](const std::string& key) { DeleteValue(key, "FavoritesImportFolder"); }},
        {"AutoCompleteData",
         [](Ctx& c) {
             SetRaw(c.key, "AskUser", REG_DWORD, std::string("\0\0\0\0", 4));
             c.made->push_back("AskUser");
             NamedValues(c, c.key, "SeedFormData%d", "", REG_BINARY);
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"Download Directory", [](Ctx& c) { OneValue(c, c.key, "Download Directory", "C:\\users\\Public\\Downloads\\"); },
         [](const std::string& key) { DeleteValue(key, "Download Directory"); }},
        {"Save Directory", [](Ctx& c) { OneValue(c, c.key, "Save Directory", "C:\\users\\Public\\Documents\\Saved Pages\\"); },
         [](const std::string& key) { DeleteValue(key, "Save Directory"); }},

        // Windows System.
        {"Run History", [](Ctx& c) { MruList(c, c.key, "notepad C:\\seed\\note%d.txt\\1"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Windows Send To",
         [](Ctx& c) {
             const std::string folder = ShellFolder("SendTo");
             FolderFiles(c, folder, "Seed Target %d.lnk", "shortcut %d");
             if (!folder.empty()) WriteFileText(folder + "\\Desktop (create shortcut).DeskLink", "");  // never listed
         },
         [](const std::string& key) { EmptyFolder(ShellFolder("SendTo"), false); }},
        {"Recent Files",
         [](Ctx& c) {
             // (The jump lists' two folders in Recent are Jump Lists' own: the walk lists no folder.)
             FolderFiles(c, ShellFolder("Recent"), "Seed Document %d.txt.lnk", "recent document %d");
         },
         [](const std::string& key) { EmptyFolder(ShellFolder("Recent"), false); }},
        {"Telnet Menu History",
         [](Ctx& c) {
             Subkeys(c, c.key, "seedhost%d.example.com");
             // My Network Places lives inside the Telnet key, so it is a Telnet subkey too.
             if (c.items->count("My Network Places")) c.made->push_back("LastMachine");
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"My Network Places", [](Ctx& c) { Subkeys(c, c.key, "seedmachine%d"); }, [](const std::string& key) { DeleteKey(key); }},
        {"Map Network Drive History",
         [](Ctx& c) { MruList(c, c.key, "\\\\seedserver%d\\share"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Windows Explorer Open With History",
         [](Ctx& c) { NamedValues(c, c.key, "seedapp%d.exe", "seedapp%d.exe"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Microsoft Management Console MRU List",
         [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\console%d.msc"); },
         [](const std::string& key) { DeleteKey(key); }},
        // The key the editor had open last, subkeys but one short, and the user's saved locations (no trace).
        {"Regedit32 History",
         [](Ctx& c) {
             Ctx fewer = c;
             fewer.count = c.count - 1;
             Subkeys(fewer, c.key, "Seed Subkey %d");
             OneValue(c, c.key, "LastKey", "Computer\\HKEY_CURRENT_USER\\Software\\Seed");
             SetText(c.key + "\\Favorites", "Seed Favorite", "Computer\\HKEY_CURRENT_USER\\Software\\Kept");
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"Start Menu Click History", [](Ctx& c) { NamedValues(c, c.key, "HRZR_EHACNGU:P:\\Frrq\\ncc%d.rkr", "", REG_BINARY); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Start Menu Order History", [](Ctx& c) { NamedValues(c, c.key, "HRZR_HVFPHG:%d", "", REG_BINARY); },
         [](const std::string& key) { DeleteKey(key); }},
        {"TrayNotify",
         [](Ctx& c) {
             const std::string& key = c.key;
             SetRaw(key, "IconStreams", REG_BINARY, std::string("\x14\x00\x00\x00\x07\x00\x00\x00", 8));
             SetRaw(key, "PasticonsStream", REG_BINARY, std::string("\xfa\xde\xba\xbe", 4));
             c.made->push_back("IconStreams");
             c.made->push_back("PasticonsStream");
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"ShareFolder",
         [](Ctx& c) { Subkeys(c, c.key, "seedserver%d_share"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Exe MUICache",
         [](Ctx& c) {
             const std::string& key = c.key;
             NamedValues(c, key, "C:\\Program Files\\Seed App %d\\app.exe", "Seed App %d");
             // Values of other types are not traces the item lists.
             SetText(key, "%ProgramFiles%\\Seed Tool\\tool.exe", "Seed Tool", REG_EXPAND_SZ);
             SetRaw(key, "LangID", REG_BINARY, std::string("\x09\x04", 2));
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"RecycleBin",
         [](Ctx& c) {
             const std::string bin = RecycledFolder();
             CreateFolders(bin);
             WriteFileText(bin + "\\INFO2", std::string(20, '\0'));
             WriteFileText(bin + "\\desktop.ini", "[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n");
             FolderFiles(c, bin, "Dc%d.txt", "deleted file %d");
         },
         [](const std::string& key) { EmptyFolder(RecycledFolder(), true); }},

        // Windows Software.
        {"Paint", [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\picture%d.bmp"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"WordPad", [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\letter%d.rtf"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Media Player History_List", [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\song%d.mp3"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Microsoft Frontpage Express", [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\page%d.htm"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Microsoft Help Workshop", [](Ctx& c) { NamedValues(c, c.key, "File%d", "C:\\seed\\help%d.hpj"); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Microsoft Office",
         [](Ctx& c) {
             NamedValues(c, "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU1", "Item %d", "C:\\seed\\db%d.mdb");
             OneValue(c, "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags5", "Flags", "1");
         },
         [](const std::string& key) { for (const char* k : {"MRUFlags5", "MRUFlags4", "MRUFlags3", "MRUFlags2", "MRUFlags1", "MRU5", "MRU4", "MRU3", "MRU2", "MRU1"})
                  DeleteKey((std::string(kOffice) + "9.0\\Access\\Settings\\" + k).c_str()); }},
        {"Microsoft Publisher",
         [](Ctx& c) {
             NamedValues(c, "Software\\Microsoft\\Office\\9.0\\Publisher\\Recent File List", "File%d", "C:\\seed\\flyer%d.pub");
             OneValue(c, "Software\\Microsoft\\Office\\Word\\Publisher\\Recent File List", "File1", "C:\\seed\\card.pub");
         },
         [](const std::string& key) { for (const char* p : {"9.0", "Access", "Outlook", "Word"})
                  DeleteKey((std::string(kOffice) + p + "\\Publisher").c_str()); }},
        {"Microsoft FrontPage",
         [](Ctx& c) {
             NamedValues(c, "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs", "URL%d", "http://www.example.com/fp/%d");
             OneValue(c, "Software\\Microsoft\\FrontPage\\Editor\\Insert Hyperlink\\Recently Used URLs", "URL1", "http://www.example.com/link");
             OneValue(c, "Software\\Microsoft\\Office\\Access\\Common\\Open Find\\Microsoft FrontPage\\Settings\\Save As\\File Name MRU", "Value", "C:\\seed\\web");
         },
         [](const std::string& key) {
             DeleteKey("Software\\Microsoft\\FrontPage");
             for (const char* p : {"9.0", "Access", "Outlook", "Word"})
                 DeleteKey((std::string(kOffice) + p + "\\Common\\Open Find\\Microsoft FrontPage").c_str());
         }},
        {"Microsoft Netmeeting", [](Ctx& c) { NamedValues(c, c.key, "Seed Group %d", "", REG_BINARY); },
         [](const std::string& key) { DeleteKey(key); }},
        {"Microsoft MSN_Messenger", [](Ctx& c) { NamedValues(c, "Software\\Microsoft\\MessengerService\\PhoneMRU", "Number%d", "+1 555 010%d"); },
         [](const std::string& key) { DeleteKey("Software\\Microsoft\\MessengerService\\PhoneMRU"); }},
        {"MSDN Project MRU_List", [](Ctx& c) { NamedValues(c, "Software\\Microsoft\\MSDN", "Project%d", "C:\\seed\\project%d.dsw"); },
         [](const std::string& key) { DeleteKey("Software\\Microsoft\\MSDN"); }},
        {"WinRAR History",
         [](Ctx& c) {
             NamedValues(c, "Software\\WinRAR\\ArcHistory", "%d", "C:\\seed\\archive%d.rar");
             NamedValues(c, "Software\\WinRAR\\DialogEditHistory\\ExtrPath", "%d", "C:\\seed\\extracted%d");
         },
         [](const std::string& key) { DeleteKey("Software\\WinRAR"); }},
        {"WinZip History",
         [](Ctx& c) {
             NamedValues(c, "Software\\Nico Mak Computing\\WinZip\\extract", "extract%d", "C:\\seed\\unzipped%d");
             NamedValues(c, "Software\\Nico Mak Computing\\WinZip\\filemenu", "filemenu%d", "C:\\seed\\zip%d.zip");
             const std::string& dirs = c.key;
             OneValue(c, dirs, "DefDir", "C:\\seed\\zips");
             OneValue(c, dirs, "ExtractTo", "C:\\seed\\out");
             OneValue(c, dirs, "extract", "C:\\seed\\out2");
             SetText(dirs, "ExtractToOld", "C:\\not listed");  // only the three names count
             SetText(dirs, "AddDir", "C:\\not listed");
         },
         [](const std::string& key) { DeleteKey(kWinZip); }},
        {"ZipMagic History",
         [](Ctx& c) {
             NamedValues(c, "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Recent", "File%d", "C:\\seed\\magic%d.zip");
             OneValue(c, "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Zip To", "Path1", "C:\\seed\\zipto");
         },
         [](const std::string& key) { DeleteKey("Software\\Mijenix"); }},
        {"ASPack History", [](Ctx& c) { OneValue(c, c.key, "OD_FileName", "C:\\seed\\packed.exe"); },
         [](const std::string& key) { DeleteKey("Software\\ASPack"); }},
        {"ACDSee History",
         [](Ctx& c) {
             SetText("Software\\ACD Systems\\ACDSee\\LastFolder", "", "C:\\seed\\photos");
             SetText("Software\\ACD Systems\\ACDSee\\OpenFolder", "", "C:\\seed\\photos\\2009");
             c.made->push_back("LastFolder");
             c.made->push_back("OpenFolder");
         },
         [](const std::string& key) { DeleteKey("Software\\ACD Systems"); }},

        // Internet Software.
        {"Real DownLoad",
         [](Ctx& c) {
             NamedValues(c, c.key, "Download%d", "http://www.example.com/real/%d.rm");
             // The list of the default user profile.
             RegKey k;
             if (k.OpenOrCreate(HKEY_USERS, ".default\\Software\\RealNetworks\\RealDownload")) {
                 k.WriteString("DefaultDownload", "http://www.example.com/real/default.rm");
                 c.made->push_back("DefaultDownload");
             }
         },
         [](const std::string& key) {
             DeleteKey("Software\\RealNetworks");
             RegDeleteKeyTree(HKEY_USERS, ".default\\Software\\RealNetworks");
         }},
        {"GetRight",
         [](Ctx& c) {
             NamedValues(c, "Software\\Headlight\\GetRight\\MRU", "MRU%d", "http://www.example.com/get/%d.zip");
             NamedValues(c, "Software\\Headlight\\GetRight\\TypedURLs", "URL%d", "http://www.example.com/typed/%d.zip");
         },
         [](const std::string& key) { DeleteKey("Software\\Headlight"); }},
        {"DownloadAccelerator",
         [](Ctx& c) {
             NamedValues(c, "Software\\SpeedBit\\Download Accelerator\\FileList", "File%d", "C:\\seed\\dap%d.exe");
             NamedValues(c, "Software\\SpeedBit\\Download Accelerator\\HistoryCombo", "Url%d", "http://www.example.com/dap/%d");
         },
         [](const std::string& key) { DeleteKey("Software\\SpeedBit"); }},
        {"KazaaHistory",
         [](Ctx& c) {
             NamedValues(c, "Software\\Kazaa\\Kazaa Lite\\Recent File List", "File%d", "C:\\seed\\shared%d.mp3");
             NamedValues(c, "Software\\Kazaa\\KaZaA Media Desktop\\Recent File List", "File%d", "C:\\seed\\kmd%d.avi");
         },
         [](const std::string& key) { DeleteKey("Software\\Kazaa"); }},
        {"FireFoxHistory", [](Ctx& c) { HistoryFiles(c, AppData() + "\\Mozilla\\Firefox\\Profiles", "http://www.example.com/firefox/%d/"); },
         [](const std::string& key) { RemoveTree(AppData() + "\\Mozilla"); }},
        {"FireFoxCookies", [](Ctx& c) { CookieFiles(c, AppData() + "\\Mozilla\\Firefox\\Profiles", "ff%d.example.com"); },
         [](const std::string& key) { RemoveTree(AppData() + "\\Mozilla"); }},
        {"FireFoxCache", [](Ctx& c) { CacheFolder(c, LocalAppData() + "\\Mozilla\\Firefox\\Profiles\\k3j9x2aa.default\\Cache"); },
         [](const std::string& key) { RemoveTree(LocalAppData() + "\\Mozilla"); }},
        {"NetscapeHistory", [](Ctx& c) { HistoryFiles(c, AppData() + "\\Netscape\\NSB\\Profiles", "http://www.example.com/netscape/%d/"); },
         [](const std::string& key) { RemoveTree(AppData() + "\\Netscape"); }},
        {"NetscapeCookies", [](Ctx& c) { CookieFiles(c, AppData() + "\\Netscape\\NSB\\Profiles", "ns%d.example.com"); },
         [](const std::string& key) { RemoveTree(AppData() + "\\Netscape"); }},
        {"NetscapeCache", [](Ctx& c) { CacheFolder(c, AppData() + "\\Netscape\\NSB\\Profiles\\k3j9x2aa.default\\Cache"); },
         [](const std::string& key) { RemoveTree(AppData() + "\\Netscape"); }},

        // Windows 7 to 11.
        {"Recent Documents List",
         [](Ctx& c) {
             const std::string key = std::string(kExplorer) + "RecentDocs";
             const std::string item(20, '\x02');  // the shell item that follows the name
             NumberedList(c, key, "Seed Report %d.docx", item);
             NumberedList(c, key + "\\.docx", "Seed Report %d.docx", item);
             NumberedList(c, key + "\\Folder", "Seed Folder %d", item);
         },
         [](const std::string& key) { DeleteKey((std::string(kExplorer) + "RecentDocs").c_str()); }},
        {"Explorer Typed Paths",
         [](Ctx& c) { NamedValues(c, (std::string(kExplorer) + "TypedPaths").c_str(), "url%d", "C:\\Users\\Public\\Seed Folder %d"); },
         [](const std::string& key) { DeleteKey((std::string(kExplorer) + "TypedPaths").c_str()); }},
        {"Explorer Search History",
         [](Ctx& c) { NumberedList(c, std::string(kExplorer) + "WordWheelQuery", "seed search %d", ""); },
         [](const std::string& key) { DeleteKey((std::string(kExplorer) + "WordWheelQuery").c_str()); }},
        {"Program Launch History",
         [](Ctx& c) {
             LaunchCounts(c, kLaunchPrograms, "C:\\Program Files\\Seed\\app%d.exe");
             LaunchCounts(c, kLaunchShortcuts, "{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}\\Seed\\Seed App %d.lnk");
         },
         [](const std::string& key) {
             DeleteKey(kLaunchPrograms);
             DeleteKey(kLaunchShortcuts);
         }},
        {"Shell MuiCache",
         [](Ctx& c) {
             NamedValues(c, c.key, "C:\\Seed\\tool%d.exe.FriendlyAppName", "Seed Tool %d");
             SetRaw(c.key, "LangID", REG_BINARY, std::string("\x09\x04", 2));  // not text: not listed
         },
         [](const std::string& key) { DeleteKey(key); }},
        {"Jump Lists",
         [](Ctx& c) {
             const std::string recent = AppData() + "\\Microsoft\\Windows\\Recent\\";
             FolderFiles(c, recent + "AutomaticDestinations", "5f7b5f1e01b8357%d.automaticDestinations-ms", "jump list %d");
             FolderFiles(c, recent + "CustomDestinations", "28c8b86deab549a%d.customDestinations-ms", "jump list %d");
         },
         [](const std::string& key) {
             const std::string recent = AppData() + "\\Microsoft\\Windows\\Recent\\";
             RemoveTree(recent + "AutomaticDestinations");
             RemoveTree(recent + "CustomDestinations");
         }},
        {"Thumbnail Cache",
         [](Ctx& c) {
             const std::string folder = LocalAppData() + "\\Microsoft\\Windows\\Explorer";
             FolderFiles(c, folder, "thumbcache_%d.db", "thumbnails %d");
             FolderFiles(c, folder, "iconcache_%d.db", "icons %d");
             WriteFileText(folder + "\\ExplorerStartupLog.etl", "not a cache");
         },
         [](const std::string& key) { RemoveTree(LocalAppData() + "\\Microsoft\\Windows\\Explorer"); }},
        {"Windows Error Reports",
         [](Ctx& c) {
             const std::string wer = LocalAppData() + "\\Microsoft\\Windows\\WER";
             for (int i = 0; i < c.count; ++i) {
                 const std::string report = wer + Num("\\ReportArchive\\AppCrash_seedapp%d.exe_1a2b3c", i + 1);
                 CreateFolders(report);
                 WriteFileText(report + "\\Report.wer", Num("Version=1\r\nEventType=APPCRASH\r\nSig[0].Value=seedapp%d.exe\r\n", i + 1));
                 c.made->push_back("Report.wer");
             }
         },
         [](const std::string& key) { RemoveTree(LocalAppData() + "\\Microsoft\\Windows\\WER"); }},
    };
}

// Every item the seeder knows: the registry's and the folders', every browser's, then today's Windows and programs'.
const std::vector<SeedItem>& Items() {
    static const std::vector<SeedItem> items = [] {
        std::vector<SeedItem> all = RegistryAndFileItems();
        std::vector<const BrowserSeedItem*> more;
        for (const BrowserSeedItem& b : BrowserSeedItems()) more.push_back(&b);
        for (const BrowserSeedItem& b : TodaySeedItems()) more.push_back(&b);
        for (const BrowserSeedItem* p : more) {
            const BrowserSeedItem& b = *p;
            all.push_back({b.item.c_str(),
                           [&b](Ctx& c) {
                               BrowserSeed seed{c.count, c.made};
                               b.seed(seed);
                           },
                           [&b](const std::string&) { b.clear(); }});
        }
        return all;
    }();
    return items;
}

bool Allowed(const SeedOptions& o) { return o.allowRealProfile || InsideWine(); }

bool Chosen(const SeedOptions& o, const char* item) { return o.items.empty() || o.items.count(item); }

}  // namespace

void DeleteFolderTree(const std::string& folder) { EmptyFolder(folder, true); }

bool InsideWine() { return RunningUnderWine(); }

std::vector<std::string> SeedableItems() {
    std::vector<std::string> names;
    for (const SeedItem& s : Items()) names.emplace_back(s.item);
    return names;
}

bool ClearTraces(const SeedOptions& options) {
    if (!Allowed(options)) return false;
    for (const SeedItem& s : Items())
        if (Chosen(options, s.item)) s.clear(KeyOf(s.item));
    return true;
}


namespace {

// A sample as a person reads it: the launch counters' names decoded, the
// blank and control characters around a line of a file left out.
std::string SampleText(std::string_view item, std::string_view made) {
    const bool encoded = item == "Start Menu Click History" || item == "Start Menu Order History" ||
                         item == "Program Launch History";
    while (!made.empty() && static_cast<unsigned char>(made.front()) <= ' ') made.remove_prefix(1);
    while (!made.empty() && static_cast<unsigned char>(made.back()) <= ' ') made.remove_suffix(1);
    return encoded ? Rot13(made) : std::string(made);
}

}  // namespace

SeedReport SeedTraces(const SeedOptions& options) {
    SeedReport report;
    if (!Allowed(options)) {
        report.refused = true;
        return report;
    }
    ClearTraces(options);
    std::set<std::string> chosen = options.items;
    if (chosen.empty())
        for (const SeedItem& s : Items()) chosen.insert(s.item);
    for (const SeedItem& s : Items()) {
        if (!chosen.count(s.item)) continue;
        Ctx c{options.count, &report.made[s.item], &report.log, &chosen, KeyOf(s.item)};
        s.seed(c);
        const std::vector<std::string>& made = report.made[s.item];
        std::string line = std::string(s.item) + ": " + std::to_string(made.size()) + (made.size() == 1 ? " trace" : " traces");
        for (size_t i = 0; i < made.size() && i < 3; ++i) line += (i ? ", " : " (") + PrintableText(SampleText(s.item, made[i]));
        if (!made.empty()) line += made.size() > 3 ? ", ...)" : ")";
        report.log.push_back(line);
    }
    return report;
}

std::string TraceIdentity(const TResultContentItem& r) {
    switch (r.Kind) {
    case 4: case 5: case 6: case 7: case 8: case 9: return r.DetailAt(r.Kind);
    case 3: return r.KeyName.empty() ? r.ValueName : r.KeyName;
    default: return r.ValueName.empty() ? r.KeyName : r.ValueName;
    }
}
