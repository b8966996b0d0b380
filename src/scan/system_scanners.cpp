// The Windows System scanners: Run history, Send To and Recent, network and
// Open With histories, console and registry editor lists, start-menu counters,
// tray icons, shares, the display-name cache and the recycle bins.
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"

namespace {

using Row = ListScannerRow;
using L = Row::Lists;
using N = Row::NameInto;
using T = Row::TestData;
constexpr char kWin[] = "Microsoft Windows";

const Row kRunMru{"Run History", "Clean RunMRU", kWin, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
                  L::Values, kKindRegValueText, N::ValueName, true, T::ValueText};
const Row kTelnet{"Telnet Menu History", "Clean Telnet Menu History", kWin, "Software\\Microsoft\\Telnet", L::Subkeys,
                  kKindRegKey, N::KeyName, false, T::Empty};
const Row kNetworkPlaces{"My Network Places", "Clean My Network Places", kWin,
                         "Software\\Microsoft\\Telnet\\LastMachine", L::Subkeys, kKindRegKey, N::KeyName, false,
                         T::Empty};
const Row kMapDrive{"Map Network Drive History", "Clean Map Network Drive MRU", kWin,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU", L::Values,
                    kKindRegValueText, N::ValueName, true, T::ValueText};
const Row kOpenWith{"Windows Explorer Open With History", "Clean Windows Explorer Open With History", kWin,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\otherFolder", L::Values, kKindRegKey,
                    N::KeyName, false, T::Name};
const Row kMmc{"Microsoft Management Console MRU List", "Clean Microsoft Management Console MRU List", kWin,
               "Software\\Microsoft\\Microsoft Management Console\\Recent File List", L::Values, kKindRegValueText,
               N::ValueName, true, T::ValueText};
const Row kRegedit{"Regedit32 History", "Clean Regedit32 History", kWin,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", L::Subkeys, kKindRegValue,
                   N::KeyName, false, T::Empty};
const Row kStartClick{"Start Menu Click History", "Clean Start Menu Click History", kWin,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
                      "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count",
                      L::Values, kKindRegKey, N::KeyName, false, T::Name};
const Row kStartOrder{"Start Menu Order History", "Clean Start Menu Order History", kWin,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
                      "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count",
                      L::Values, kKindRegValue, N::ValueName, false, T::Name};
// Each share is its own key, so a clean deletes exactly that share.
const Row kShares{"ShareFolder", "Clean ShareFolder", kWin,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WorkgroupCrawler\\Shares", L::Subkeys,
                  kKindRegKey, N::KeyName, false, T::Empty, Row::Count::Position, false, true};
const Row kMuiCache{"Exe MUICache", "Clean Windows MUICache", kWin, "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache",
                    L::Values, kKindRegValueText, N::ValueName, true, T::ValueText, Row::Count::Running, true};

constexpr char kTrayKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify";

void ScanRun(TreeModel& t, int n, TResultContents& r) { RunListScanner(kRunMru, t, n, r); }
void ScanTelnet(TreeModel& t, int n, TResultContents& r) { RunListScanner(kTelnet, t, n, r); }
void ScanNetworkPlaces(TreeModel& t, int n, TResultContents& r) { RunListScanner(kNetworkPlaces, t, n, r); }
void ScanMapDrive(TreeModel& t, int n, TResultContents& r) { RunListScanner(kMapDrive, t, n, r); }
void ScanOpenWith(TreeModel& t, int n, TResultContents& r) { RunListScanner(kOpenWith, t, n, r); }
void ScanMmc(TreeModel& t, int n, TResultContents& r) { RunListScanner(kMmc, t, n, r); }
void ScanRegedit(TreeModel& t, int n, TResultContents& r) { RunListScanner(kRegedit, t, n, r); }
void ScanStartClick(TreeModel& t, int n, TResultContents& r) { RunListScanner(kStartClick, t, n, r); }
void ScanStartOrder(TreeModel& t, int n, TResultContents& r) { RunListScanner(kStartOrder, t, n, r); }
void ScanShares(TreeModel& t, int n, TResultContents& r) { RunListScanner(kShares, t, n, r); }
void ScanMuiCache(TreeModel& t, int n, TResultContents& r) { RunListScanner(kMuiCache, t, n, r); }

void ScanShellFolder(const char* value, int mode, TreeModel& tree, int node, TResultContents& results) {
    const std::string folder = ShellFolder(value);
    if (!folder.empty()) ScanFolderFiles(folder, mode, tree, node, results);
}

}  // namespace

void ScanSendTo(TreeModel& tree, int node, TResultContents& results) {
    ScanShellFolder("SendTo", 0, tree, node, results);
}

void ScanRecentFiles(TreeModel& tree, int node, TResultContents& results) {
    ScanShellFolder("Recent", 1, tree, node, results);
}

void ScanTrayNotify(TreeModel& tree, int node, TResultContents& results) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kTrayKey)) return;
    const std::string fullPath = HkcuPath(kTrayKey);
    const RecordStamp stamp{kWin, "Clean TrayNotify History", "TrayNotify"};
    // The binary data of the two values is never read. Each is tested with
    // its own data text: none for IconStreams, its name for PasticonsStream.
    struct Stream { const char* name; const char* testData; };
    int counter = 0;
    for (const Stream s : {Stream{"IconStreams", ""}, Stream{"PasticonsStream", "PasticonsStream"}}) {
        if (!key.ValueExists(s.name) || IsRegExcluded("TrayNotify", fullPath, s.name, s.testData, ExcludeList))
            continue;
        TResultContentItem& r = AddRecord(results, kKindRegValue, "Reg", stamp);
        r.ValueName = s.name;
        r.Location = fullPath;
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
    }
}

void ScanRecycleBin(TreeModel& tree, int node, TResultContents& results) {
    std::vector<std::string> folders;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (DriveType(root) == DRIVE_FIXED) folders.push_back(root + "Recycled");
    }
    int counter = 0;  // one count over all drives
    for (const std::string& folder : folders) {
        if (ScanAborted()) break;
        ScanRecycledFolder(folder, counter, tree, node, results);
    }
}

extern const Scanner kWindowsSystemScanners[15] = {
    ScanRun,      ScanSendTo,     ScanRecentFiles, ScanTelnet,    ScanNetworkPlaces,
    ScanMapDrive, ScanOpenWith,   ScanMmc,         ScanRegedit,   ScanStartClick,
    ScanStartOrder, ScanTrayNotify, ScanShares,    ScanMuiCache,  ScanRecycleBin,
};
