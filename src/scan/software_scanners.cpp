// The Windows Software scanners: the most-recently-used lists of Paint,
// WordPad, the media player, Office, Publisher, FrontPage, Netmeeting,
// Messenger, MSDN and the archivers and tools WinRAR, WinZip, ZipMagic,
// ASPack and ACDSee.
#include <windows.h>

#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"

namespace {

using Row = ListScannerRow;
constexpr char kWin[] = "Microsoft Windows";

constexpr Row FileList(const char* item, const char* clean, const char* key) {
    return {item, clean, kWin, key, Row::Lists::Values, kKindRegValueText, Row::NameInto::ValueName, true,
            Row::TestData::ValueText};
}

const Row kPaint = FileList("Paint", "Clean Paint History",
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List");
const Row kWordPad = FileList("WordPad", "Clean WordPad History",
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List");
const Row kMediaPlayer = FileList("Media Player History_List", "Clean Windows Media Player",
                                  "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
const Row kFrontPad = FileList("Microsoft Frontpage Express", "Clean Frontpage Express History",
                               "Software\\Microsoft\\FrontPad\\FrontPage Editor\\Recent File List");
const Row kHelpWorkshop = FileList("Microsoft Help Workshop", "Clean Microsoft Help Workshop History",
                                   "Software\\Microsoft\\Microsoft Help Workshop\\Recent File List");
// Each value stands for the whole key: a clean of any of them deletes it.
const Row kNetmeeting{"Microsoft Netmeeting", "Clean Microsoft Netmeeting", kWin, "UNICODE Program Groups",
                      Row::Lists::Values, kKindRegKey, Row::NameInto::ValueName, false, Row::TestData::Empty};

std::vector<std::string> OfficeKeys() {
    std::vector<std::string> keys;
    for (const char* k : {"MRUFlags5", "MRUFlags4", "MRUFlags3", "MRUFlags2", "MRUFlags1", "MRU5", "MRU4", "MRU3",
                          "MRU2", "MRU1"})
        keys.push_back(std::string("Software\\Microsoft\\Office\\9.0\\Access\\Settings\\") + k);
    return keys;
}

std::vector<std::string> FrontPageKeys() {
    auto products = [](const char* dialog) {
        std::vector<std::string> keys;
        for (const char* product : {"9.0", "Access", "Outlook", "Word"})
            keys.push_back(std::string("Software\\Microsoft\\Office\\") + product +
                           "\\Common\\Open Find\\Microsoft FrontPage\\Settings\\" + dialog + "\\File Name MRU");
        return keys;
    };
    std::vector<std::string> keys = products("Open File");
    keys.push_back("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent Web List");
    keys.push_back("Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List");
    keys.push_back("Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs");
    for (const std::string& k : products("Open Web")) keys.push_back(k);
    for (const std::string& k : products("Save As")) keys.push_back(k);
    keys.push_back("Software\\Microsoft\\FrontPage\\Editor\\Insert Hyperlink\\Recently Used URLs");
    keys.push_back("Software\\Microsoft\\FrontPage\\Editor\\Insert Image\\Recently Used URLs");
    return keys;
}

const MultiKeyRow& Multi(int pos) {
    static const MultiKeyRow office{"Microsoft Office", "Clean Microsoft Office", kWin, OfficeKeys()};
    static const MultiKeyRow publisher{"Microsoft Publisher", "Clean Microsoft Publisher", kWin,
                                       {"Software\\Microsoft\\Office\\9.0\\Publisher\\Recent File List",
                                        "Software\\Microsoft\\Office\\Access\\Publisher\\Recent File List",
                                        "Software\\Microsoft\\Office\\Outlook\\Publisher\\Recent File List",
                                        "Software\\Microsoft\\Office\\Word\\Publisher\\Recent File List"}};
    static const MultiKeyRow frontPage{"Microsoft FrontPage", "Clean Microsoft FrontPage", kWin, FrontPageKeys()};
    static const MultiKeyRow messenger{"Microsoft MSN_Messenger", "Clean Microsoft MSN Messenger", kWin,
                                       {"Software\\Microsoft\\MessengerService\\PhoneMRU"}};
    static const MultiKeyRow msdn{"MSDN Project MRU_List", "Clean MSDN Project MRU List", kWin,
                                  {"Software\\Microsoft\\MSDN"}};
    static const MultiKeyRow winRar{"WinRAR History", "Clean WinRAR History", kWin,
                                    {"Software\\WinRAR\\ArcHistory", "Software\\WinRAR\\DialogEditHistory\\ExtrPath"}};
    static const MultiKeyRow winZip{"WinZip History", "Clean WinZip History", kWin,
                                    {"Software\\Nico Mak Computing\\WinZip\\extract",
                                     "Software\\Nico Mak Computing\\WinZip\\filemenu"}};
    static const MultiKeyRow zipMagic{"ZipMagic History", "Clean ZipMagic History", kWin,
                                      {"Software\\Mijenix\\ZipMagic\\CurrentVersion\\Recent",
                                       "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Archive Manager\\UnZip To",
                                       "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Zip To"}};
    switch (pos) {
    case 6: return office;
    case 7: return publisher;
    case 8: return frontPage;
    case 10: return messenger;
    case 11: return msdn;
    case 12: return winRar;
    case 13: return winZip;
    default: return zipMagic;
    }
}

template <int Pos>
void ScanMulti(TreeModel& tree, int node, TResultContents& results) {
    int counter = 0;
    RunMultiKeyScanner(Multi(Pos), counter, tree, node, results);
}

template <const Row& R>
void ScanList(TreeModel& tree, int node, TResultContents& results) {
    RunListScanner(R, tree, node, results);
}

const SingleValueRow kASPack{"ASPack History", "Clean ASPack History", kWin, "Software\\ASPack\\Options",
                             "OD_FileName", true, ""};

void ScanASPack(TreeModel& t, int n, TResultContents& r) { RunSingleValueScanner(kASPack, t, n, r); }

// The names WinZip keeps its folders under, compared in upper case.
bool IsWinZipFolderName(const std::string& name) {
    const std::string upper = UpperCaseText(name);
    return upper == "DEFDIR" || upper == "EXTRACTTO" || upper == "EXTRACT";
}

void ScanWinZip(TreeModel& tree, int node, TResultContents& results) {
    int counter = 0;
    RunMultiKeyScanner(Multi(13), counter, tree, node, results);
    constexpr char kDirs[] = "Software\\Nico Mak Computing\\WinZip\\directories";
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kDirs)) return;
    const std::string fullPath = HkcuPath(kDirs);
    const RecordStamp stamp{kWin, "Clean WinZip History", "WinZip History"};
    std::string data;
    for (const std::string& name : key.ValueNames(KeepScanning)) {
        if (ScanAborted()) break;
        ProcessMessages();
        if (!IsWinZipFolderName(name)) continue;
        key.ReadText(name, data);
        if (IsRegExcluded(stamp.itemName, fullPath, name, data, ExcludeList)) continue;
        TResultContentItem& r = AddRecord(results, kKindRegValueText, "Reg", stamp);
        r.ValueName = name;
        r.ValueData = data;
        r.Location = fullPath;
        UpdateFoundCount(tree, node, 1, kCountAdd);
    }
}

void ScanACDSee(TreeModel& tree, int node, TResultContents& results) {
    // Each key is a trace of its own and goes whole with its record.
    struct Folder { const char* name; const char* testData; };
    const RecordStamp stamp{kWin, "Clean ACDSee History", "ACDSee History"};
    int counter = 0;
    for (const Folder f : {Folder{"LastFolder", ""}, Folder{"OpenFolder", "OpenFolder"}}) {
        const std::string path = std::string("Software\\ACD Systems\\ACDSee\\") + f.name;
        const std::string fullPath = HkcuPath(path);
        if (!RegKeyExists(HKEY_CURRENT_USER, path) ||
            IsRegExcluded(stamp.itemName, fullPath, "", f.testData, ExcludeList))
            continue;
        TResultContentItem& r = AddRecord(results, kKindRegKey, "Reg", stamp);
        r.ValueName = f.name;
        r.Location = fullPath;
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
    }
}

}  // namespace


extern const Scanner kWindowsSoftwareScanners[16] = {
    ScanList<kPaint>,     ScanList<kWordPad>, ScanList<kMediaPlayer>, ScanList<kFrontPad>,
    ScanList<kHelpWorkshop>, ScanMulti<6>,    ScanMulti<7>,           ScanMulti<8>,
    ScanList<kNetmeeting>, ScanMulti<10>,     ScanMulti<11>,          ScanMulti<12>,
    ScanWinZip,           ScanMulti<14>,      ScanASPack,             ScanACDSee,
};
