#include "model/catalog.h"

#include "model/records.h"

namespace {

using SF = ShownField;
using S = ScanShape;
using T = TestData;
using C = Counting;
using R = Removal;

constexpr std::string_view kOfficeKeys[] = {
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags5",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags4",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags3",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags2",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRUFlags1",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU5",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU4",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU3",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU2",
    "Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU1",
};
constexpr std::string_view kPublisherKeys[] = {
    "Software\\Microsoft\\Office\\9.0\\Publisher\\Recent File List",
    "Software\\Microsoft\\Office\\Access\\Publisher\\Recent File List",
    "Software\\Microsoft\\Office\\Outlook\\Publisher\\Recent File List",
    "Software\\Microsoft\\Office\\Word\\Publisher\\Recent File List",
};
#define FP_DIALOG(product, dialog) \
    "Software\\Microsoft\\Office\\" product "\\Common\\Open Find\\Microsoft FrontPage\\Settings\\" dialog "\\File Name MRU"
#define FP_PRODUCTS(dialog) \
    FP_DIALOG("9.0", dialog), FP_DIALOG("Access", dialog), FP_DIALOG("Outlook", dialog), FP_DIALOG("Word", dialog)
constexpr std::string_view kFrontPageKeys[] = {
    FP_PRODUCTS("Open File"),
    "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent Web List",
    "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List",
    "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs",
    FP_PRODUCTS("Open Web"),
    FP_PRODUCTS("Save As"),
    "Software\\Microsoft\\FrontPage\\Editor\\Insert Hyperlink\\Recently Used URLs",
    "Software\\Microsoft\\FrontPage\\Editor\\Insert Image\\Recently Used URLs",
};
#undef FP_PRODUCTS
#undef FP_DIALOG
constexpr std::string_view kMessengerKeys[] = {"Software\\Microsoft\\MessengerService\\PhoneMRU"};
constexpr std::string_view kMsdnKeys[] = {"Software\\Microsoft\\MSDN"};
constexpr std::string_view kWinRarKeys[] = {"Software\\WinRAR\\ArcHistory", "Software\\WinRAR\\DialogEditHistory\\ExtrPath"};
constexpr std::string_view kWinZipKeys[] = {"Software\\Nico Mak Computing\\WinZip\\extract",
                                            "Software\\Nico Mak Computing\\WinZip\\filemenu"};
constexpr std::string_view kZipMagicKeys[] = {
    "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Recent",
    "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Archive Manager\\UnZip To",
    "Software\\Mijenix\\ZipMagic\\CurrentVersion\\Zip To",
};
constexpr std::string_view kACDSeeKeys[] = {"Software\\ACD Systems\\ACDSee\\LastFolder",
                                            "Software\\ACD Systems\\ACDSee\\OpenFolder"};
constexpr std::string_view kGetRightKeys[] = {"Software\\Headlight\\GetRight\\MRU",
                                              "Software\\Headlight\\GetRight\\TypedURLs"};
constexpr std::string_view kAcceleratorKeys[] = {"Software\\SpeedBit\\Download Accelerator\\FileList",
                                                 "Software\\SpeedBit\\Download Accelerator\\HistoryCombo"};
constexpr std::string_view kKazaaKeys[] = {"Software\\Kazaa\\Kazaa Lite\\Recent File List",
                                           "Software\\Kazaa\\KaZaA Media Desktop\\Recent File List"};

constexpr char kIE[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kIEMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr char kWin[] = "Microsoft Windows";
constexpr char kNet[] = "Internet SoftWare";

// An MRU list of file names: every value of one key, with its text.
constexpr CatalogItem FileList(int category, std::string_view name, std::string_view clean, std::string_view key,
                               std::string_view group = kWin) {
    return {.category = category, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueData,
            .kind = kKindRegValueText, .group = group, .shape = S::ValueList, .key = key, .keepData = true};
}

// Several keys of MRU lists, one running count over all of them.
constexpr CatalogItem KeyLists(std::string_view name, std::string_view clean, std::span<const std::string_view> keys,
                               SF shown = SF::ValueData) {
    return {.category = 1, .name = name, .cleanCaption = clean, .ticked = true, .shown = shown,
            .kind = kKindRegValueText, .group = kWin, .shape = S::MultiKey, .keys = keys, .keepData = true,
            .count = C::Running};
}

// A download manager's two lists, never tested against the exclusion list.
constexpr CatalogItem DownloadLists(std::string_view name, std::string_view clean,
                                    std::span<const std::string_view> keys) {
    return {.category = 3, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueData,
            .kind = kKindRegValueText, .group = kNet, .shape = S::MultiKey, .keys = keys, .keepData = true,
            .test = T::None, .count = C::AddOne};
}

// One remembered Internet Explorer value with its text.
constexpr CatalogItem IEValue(std::string_view name, std::string_view clean, std::string_view key,
                              std::string_view value, T test = T::ValueText) {
    return {.category = 0, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueData,
            .kind = kKindRegValueText, .group = "Internet Explorer", .shape = S::SingleValue, .key = key,
            .valueName = value, .keepData = true, .test = test};
}

// A browser's history or cookie file, found in the profiles under AppData.
constexpr CatalogItem BrowserFile(std::string_view name, int kind, std::string_view recordName,
                                  std::string_view profiles, bool cookies) {
    return {.category = 3, .name = name, .cleanCaption = {}, .ticked = true,
            .shown = static_cast<SF>(static_cast<int>(SF::Detail4) + kind - kKindFirefoxHistory), .kind = kind,
            .belongsByKind = true, .recordName = recordName, .shape = S::ProfileFile, .test = T::None,
            .count = C::Running, .shellFolder = "AppData", .subFolder = profiles,
            .fileName = cookies ? "cookies.txt" : "history.dat",
            .removal = cookies ? R::ProfileLines : R::ProfileFile};
}

// A browser's cache folders: each folder named "Cache" in its profiles.
constexpr CatalogItem BrowserCache(std::string_view name, int kind, std::string_view recordName,
                                   std::string_view start, std::string_view profiles) {
    return {.category = 3, .name = name, .cleanCaption = {}, .ticked = true,
            .shown = static_cast<SF>(static_cast<int>(SF::Detail4) + kind - kKindFirefoxHistory), .kind = kind,
            .belongsByKind = true, .recordName = recordName, .shape = S::Special, .special = Special::BrowserCache,
            .test = T::None, .count = C::Running, .shellFolder = start, .subFolder = profiles, .removal = R::File};
}

// Today's browsers: where their profiles lie and what a profile holds.
constexpr char kChromeData[] = "\\Google\\Chrome\\User Data";
constexpr char kEdgeData[] = "\\Microsoft\\Edge\\User Data";
constexpr char kFirefoxProfiles[] = "\\Mozilla\\Firefox\\Profiles";
constexpr std::string_view kChromiumHistoryFiles[] = {"History"};
constexpr std::string_view kChromiumCookieFiles[] = {"Network\\Cookies", "Cookies"};  // the second before 2021
constexpr std::string_view kChromiumCacheFolders[] = {"Cache\\Cache_Data", "Code Cache"};
constexpr std::string_view kFirefoxPlacesFiles[] = {"places.sqlite"};
constexpr std::string_view kFirefoxCookieFiles[] = {"cookies.sqlite"};
constexpr std::string_view kFirefoxCacheFolders[] = {"cache2\\entries"};

// The rows of a browser's history (kKindHistoryRow, kept by address) or cookie
// database (kKindCookieRow, kept by site and name) in each of its profiles.
constexpr CatalogItem DatabaseRows(std::string_view name, std::string_view clean, std::string_view group, int kind,
                                   Browser browser, std::string_view shell, std::string_view profiles,
                                   BrowserDatabase db, std::span<const std::string_view> files) {
    return {.category = 4, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueName,
            .kind = kind, .group = group, .shape = S::Special, .special = Special::DatabaseRows,
            .count = C::Running, .shellFolder = shell, .subFolder = profiles, .browser = browser, .database = db,
            .databaseFiles = files, .removal = R::DatabaseRow,
            .excludeBy = kind == kKindCookieRow ? ExcludeBy::HostAndName : ExcludeBy::EntryName};
}

// Files in folders below a shell folder, or in each profile of a browser; each file is a trace.
constexpr CatalogItem Files(int category, std::string_view name, std::string_view clean, std::string_view group,
                            Browser browser, std::string_view shell, std::string_view below,
                            std::span<const std::string_view> folders, bool recursive,
                            std::span<const std::string_view> patterns = {}) {
    return {.category = category, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueName,
            .kind = kKindFile, .group = group, .shape = S::Special, .special = Special::Files, .count = C::Running,
            .shellFolder = shell, .subFolder = below, .browser = browser, .folders = folders, .patterns = patterns,
            .recursive = recursive, .removal = R::File};
}

// Windows 7 to 11.
constexpr std::string_view kLaunchKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{F4E57C4B-2036-45F0-A9AB-443BCFE33D9F}\\Count",
};
constexpr std::string_view kJumpListFolders[] = {"Microsoft\\Windows\\Recent\\AutomaticDestinations",
                                                 "Microsoft\\Windows\\Recent\\CustomDestinations"};
constexpr std::string_view kExplorerFolder[] = {"Microsoft\\Windows\\Explorer"};
constexpr std::string_view kThumbnailFiles[] = {"thumbcache_*.db", "iconcache_*.db"};
constexpr std::string_view kErrorReportFolder[] = {"Microsoft\\Windows\\WER"};

// The rows in tree order. Positions and nodes are filled in below.
constexpr auto kRows = std::to_array<CatalogItem>({
    // Internet Explorer.
    {.category = 0, .name = "Cache", .cleanCaption = "Clean IE Cache", .ticked = true, .shown = SF::ValueName,
     .kind = kKindUrlCacheEntry, .group = "IE Cache", .shape = S::Special, .special = Special::UrlCacheContent,
     .count = C::Running, .removal = R::UrlCacheEntry, .excludeBy = ExcludeBy::EntryName},
    FileList(0, "Address Bar History", "Clean Address Bar History", "Software\\Microsoft\\Internet Explorer\\TypedURLs",
             "IE Address Bar History"),
    {.category = 0, .name = "Cookies", .cleanCaption = "Clean IE Cookies", .ticked = true, .shown = SF::ValueName,
     .kind = kKindUrlCacheCookie, .group = "IE Cookies", .shape = S::Special, .special = Special::UrlCacheCookies,
     .count = C::Running, .removal = R::UrlCacheEntry, .excludeBy = ExcludeBy::EntryName},
    {.category = 0, .name = "Favorites", .cleanCaption = "Clean Favorites", .ticked = false, .shown = SF::ValueName,
     .kind = kKindFile, .group = "Favorites", .shape = S::FolderWalk, .count = C::Running,
     .walk = FolderWalk::Favorites, .shellFolder = "Favorites", .removal = R::File, .excludeBy = ExcludeBy::EntryName},
    IEValue("Favorites Export File", "Clean Favorites Export File", kIEMain, "FavoritesExportFile"),
    IEValue("Favorites Import Folder", "Clean Favorites Import Folder", kIEMain, "FavoritesImportFolder"),
    // Every value is tested alike, with no text: an entry for the key with empty data drops all of them.
    {.category = 0, .name = "AutoCompleteData", .cleanCaption = "AutoComplete Form Data", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValue, .group = "Internet Explorer", .shape = S::ValueList,
     .key = "Software\\Microsoft\\Internet Explorer\\IntelliForms", .test = T::Empty},
    IEValue("Download Directory", "Clean Download Directory", kIE, "Download Directory"),
    IEValue("Save Directory", "Clean Save Directory", kIEMain, "Save Directory", T::None),

    // Windows Software.
    FileList(1, "Paint", "Clean Paint History",
             "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"),
    FileList(1, "WordPad", "Clean WordPad History",
             "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List"),
    FileList(1, "Media Player History_List", "Clean Windows Media Player",
             "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"),
    FileList(1, "Microsoft Frontpage Express", "Clean Frontpage Express History",
             "Software\\Microsoft\\FrontPad\\FrontPage Editor\\Recent File List"),
    FileList(1, "Microsoft Help Workshop", "Clean Microsoft Help Workshop History",
             "Software\\Microsoft\\Microsoft Help Workshop\\Recent File List"),
    KeyLists("Microsoft Office", "Clean Microsoft Office", kOfficeKeys),
    KeyLists("Microsoft Publisher", "Clean Microsoft Publisher", kPublisherKeys),
    KeyLists("Microsoft FrontPage", "Clean Microsoft FrontPage", kFrontPageKeys),
    // Each value stands for a group of the key, which goes whole when all of them are ticked.
    {.category = 1, .name = "Microsoft Netmeeting", .cleanCaption = "Clean Microsoft Netmeeting", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegKey, .group = kWin, .shape = S::ValueList,
     .key = "UNICODE Program Groups", .test = T::Empty, .removal = R::ValueNamedInValueName},
    KeyLists("Microsoft MSN_Messenger", "Clean Microsoft MSN Messenger", kMessengerKeys),
    KeyLists("MSDN Project MRU_List", "Clean MSDN Project MRU List", kMsdnKeys),
    KeyLists("WinRAR History", "Clean WinRAR History", kWinRarKeys, SF::Location),
    {.category = 1, .name = "WinZip History", .cleanCaption = "Clean WinZip History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::WinZip, .key = "Software\\Nico Mak Computing\\WinZip\\directories", .keys = kWinZipKeys,
     .keepData = true, .count = C::Running},
    KeyLists("ZipMagic History", "Clean ZipMagic History", kZipMagicKeys),
    {.category = 1, .name = "ASPack History", .cleanCaption = "Clean ASPack History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::SingleValue,
     .key = "Software\\ASPack\\Options", .valueName = "OD_FileName", .keepData = true},
    // Each key is a trace of its own and goes whole with its record.
    {.category = 1, .name = "ACDSee History", .cleanCaption = "Clean ACDSee History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegKey, .group = kWin, .shape = S::Special, .special = Special::ACDSee,
     .keys = kACDSeeKeys, .test = T::OwnName, .ownNameTested = "OpenFolder", .count = C::Running,
     .removal = R::OwnKey},

    // Windows System.
    FileList(2, "Run History", "Clean RunMRU", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"),
    {.category = 2, .name = "Windows Send To", .cleanCaption = "Clean Windows Send To", .ticked = true,
     .shown = SF::ValueName, .kind = kKindFile, .group = kWin, .shape = S::FolderWalk, .count = C::Running,
     .walk = FolderWalk::SendTo, .shellFolder = "SendTo", .removal = R::File},
    {.category = 2, .name = "Recent Files", .cleanCaption = "Clean Windows Recent Documents Files", .ticked = true,
     .shown = SF::ValueName, .kind = kKindFile, .group = kWin, .shape = S::FolderWalk, .count = C::Running,
     .walk = FolderWalk::Recent, .shellFolder = "Recent", .removal = R::File},
    {.category = 2, .name = "Telnet Menu History", .cleanCaption = "Clean Telnet Menu History", .ticked = true,
     .shown = SF::KeyName, .kind = kKindRegKey, .group = kWin, .shape = S::SubkeyList, .key = "Software\\Microsoft\\Telnet",
     .nameInto = NameField::KeyName, .test = T::Empty, .removal = R::SubkeyNamedInKeyName},
    {.category = 2, .name = "My Network Places", .cleanCaption = "Clean My Network Places", .ticked = true,
     .shown = SF::KeyName, .kind = kKindRegKey, .group = kWin, .shape = S::SubkeyList,
     .key = "Software\\Microsoft\\Telnet\\LastMachine", .nameInto = NameField::KeyName, .test = T::Empty,
     .removal = R::SubkeyNamedInKeyName},
    FileList(2, "Map Network Drive History", "Clean Map Network Drive MRU",
             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU"),
    {.category = 2, .name = "Windows Explorer Open With History",
     .cleanCaption = "Clean Windows Explorer Open With History", .ticked = true, .shown = SF::ValueData,
     .kind = kKindRegKey, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\otherFolder", .nameInto = NameField::KeyName,
     .test = T::ListedName, .removal = R::ValueNamedInKeyName},
    FileList(2, "Microsoft Management Console MRU List", "Clean Microsoft Management Console MRU List",
             "Software\\Microsoft\\Microsoft Management Console\\Recent File List"),
    // LastKey, the key the editor had open last, is the trace; so are subkeys, but for
    // Favorites (the locations the user saved on purpose); never the key's own default value.
    {.category = 2, .name = "Regedit32 History", .cleanCaption = "Clean Regedit32 History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValue, .group = kWin, .shape = S::Special,
     .special = Special::RegeditHistory, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit",
     .nameInto = NameField::KeyName, .test = T::Empty, .count = C::Running, .removal = R::OwnSubkeyOrValue},
    {.category = 2, .name = "Start Menu Click History", .cleanCaption = "Clean Start Menu Click History",
     .ticked = true, .shown = SF::KeyName, .kind = kKindRegKey, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
            "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count",
     .nameInto = NameField::KeyName, .test = T::ListedName, .removal = R::ValueNamedInKeyName},
    {.category = 2, .name = "Start Menu Order History", .cleanCaption = "Clean Start Menu Order History",
     .ticked = true, .shown = SF::ValueName, .kind = kKindRegValue, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
            "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count",
     .test = T::ListedName},
    // The two values' binary data is never read; each is tested with its own data text.
    {.category = 2, .name = "TrayNotify", .cleanCaption = "Clean TrayNotify History", .ticked = true,
     .shown = SF::ValueName, .kind = kKindRegValue, .group = kWin, .shape = S::Special,
     .special = Special::TrayNotify, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
     .test = T::OwnName, .ownNameTested = "PasticonsStream", .count = C::Running},
    // Each share is its own key, so a clean deletes exactly that share.
    {.category = 2, .name = "ShareFolder", .cleanCaption = "Clean ShareFolder", .ticked = true,
     .shown = SF::KeyName, .kind = kKindRegKey, .group = kWin, .shape = S::SubkeyList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WorkgroupCrawler\\Shares",
     .nameInto = NameField::KeyName, .test = T::Empty, .locationPerSubkey = true, .removal = R::OwnKey},
    {.category = 2, .name = "Exe MUICache", .cleanCaption = "Clean Windows MUICache", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache", .keepData = true, .count = C::Running,
     .plainTextOnly = true},
    {.category = 2, .name = "RecycleBin", .cleanCaption = "Clean RecycleBin", .ticked = true, .shown = SF::ValueName,
     .kind = kKindFile, .group = kWin, .shape = S::Special, .special = Special::RecycleBin, .count = C::Running,
     .walk = FolderWalk::Recycled, .removal = R::File},

    // Internet Software.
    {.category = 3, .name = "Real DownLoad", .cleanCaption = "Clean RealDownload", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kNet, .shape = S::Special,
     .special = Special::RealDownload, .key = "Software\\RealNetworks\\RealDownload", .keepData = true},
    DownloadLists("GetRight", "Clean GetRight MRU Info", kGetRightKeys),
    DownloadLists("DownloadAccelerator", "Clean Download Accelerator", kAcceleratorKeys),
    DownloadLists("KazaaHistory", "Clean Kazaa History", kKazaaKeys),
    BrowserFile("FireFoxHistory", kKindFirefoxHistory, {}, "\\Mozilla\\Firefox\\Profiles", false),
    BrowserFile("FireFoxCookies", kKindFirefoxCookie, "FireFox Cookies", "\\Mozilla\\Firefox\\Profiles", true),
    BrowserCache("FireFoxCache", kKindFirefoxCache, {}, "Local AppData", "\\Mozilla\\Firefox\\Profiles"),
    BrowserFile("NetscapeHistory", kKindNetscapeHistory, "Netscape History", "\\Netscape\\NSB\\Profiles", false),
    BrowserFile("NetscapeCookies", kKindNetscapeCookie, "Netscape Cookies", "\\Netscape\\NSB\\Profiles", true),
    BrowserCache("NetscapeCache", kKindNetscapeCache, "netscape Cache", "AppData", "\\Netscape\\NSB\\Profiles"),

    // Current Browsers.
    DatabaseRows("Chrome History", "Clean Chrome History", "Chrome", kKindHistoryRow, Browser::Chromium,
                 "Local AppData", kChromeData, BrowserDatabase::ChromiumHistory, kChromiumHistoryFiles),
    DatabaseRows("Chrome Cookies", "Clean Chrome Cookies", "Chrome", kKindCookieRow, Browser::Chromium,
                 "Local AppData", kChromeData, BrowserDatabase::ChromiumCookies, kChromiumCookieFiles),
    Files(4, "Chrome Cache", "Clean Chrome Cache", "Chrome", Browser::Chromium, "Local AppData", kChromeData,
          kChromiumCacheFolders, true),
    DatabaseRows("Edge History", "Clean Edge History", "Edge", kKindHistoryRow, Browser::Chromium, "Local AppData",
                 kEdgeData, BrowserDatabase::ChromiumHistory, kChromiumHistoryFiles),
    DatabaseRows("Edge Cookies", "Clean Edge Cookies", "Edge", kKindCookieRow, Browser::Chromium, "Local AppData",
                 kEdgeData, BrowserDatabase::ChromiumCookies, kChromiumCookieFiles),
    Files(4, "Edge Cache", "Clean Edge Cache", "Edge", Browser::Chromium, "Local AppData", kEdgeData,
          kChromiumCacheFolders, true),
    // A bookmarked place keeps its row, without its visits.
    DatabaseRows("Firefox Places History", "Clean Firefox Places History", "Firefox", kKindHistoryRow,
                 Browser::Firefox, "AppData", kFirefoxProfiles, BrowserDatabase::FirefoxPlaces, kFirefoxPlacesFiles),
    DatabaseRows("Firefox Cookie Database", "Clean Firefox Cookie Database", "Firefox", kKindCookieRow,
                 Browser::Firefox, "AppData", kFirefoxProfiles, BrowserDatabase::FirefoxCookies, kFirefoxCookieFiles),
    // The cache lies in the profile's local folder, named as its roaming one.
    Files(4, "Firefox Disk Cache", "Clean Firefox Disk Cache", "Firefox", Browser::Firefox, "Local AppData",
          kFirefoxProfiles, kFirefoxCacheFolders, true),

    // Windows 7 to 11. The numbered lists and the launch counters are tested by value name.
    {.category = 5, .name = "Recent Documents List", .cleanCaption = "Clean Recent Documents List", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::NumberedMru, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
     .test = T::ListedName, .count = C::Running, .subkeysToo = true, .removal = R::NumberedMruValue},
    // url1, url2, ... are renumbered whenever a path is typed, so a path is kept by its text.
    {.category = 5, .name = "Explorer Typed Paths", .cleanCaption = "Clean Explorer Typed Paths", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths", .keepData = true,
     .count = C::Running},
    {.category = 5, .name = "Explorer Search History", .cleanCaption = "Clean Explorer Search History",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::NumberedMru,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery", .test = T::ListedName,
     .count = C::Running, .removal = R::NumberedMruValue},
    {.category = 5, .name = "Program Launch History", .cleanCaption = "Clean Program Launch History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::UserAssist, .keys = kLaunchKeys, .test = T::ListedName, .count = C::Running},
    {.category = 5, .name = "Shell MuiCache", .cleanCaption = "Clean Shell MuiCache", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
     .keepData = true, .test = T::ListedName, .count = C::Running, .plainTextOnly = true},
    Files(5, "Jump Lists", "Clean Jump Lists", kWin, Browser::None, "AppData", {}, kJumpListFolders, false),
    Files(5, "Thumbnail Cache", "Clean Thumbnail Cache", kWin, Browser::None, "Local AppData", {}, kExplorerFolder,
          false, kThumbnailFiles),
    Files(5, "Windows Error Reports", "Clean Windows Error Reports", kWin, Browser::None, "Local AppData", {},
          kErrorReportFolder, true),
});
constexpr int kItems = static_cast<int>(kRows.size());

constexpr std::string_view kCategoryCaptions[kCategoryCount] = {
    "Internet Explorer", "Windows Software", "Windows System", "Internet Software", "Current Browsers",
    "Windows 7 to 11"};

// The tree is the root, then each category followed by its items: nodes and
// positions come from the order of the rows.
consteval std::array<CatalogItem, kItems> Numbered(std::array<CatalogItem, kItems> rows) {
    int node = 0, category = -1, pos = 0;
    for (CatalogItem& row : rows) {
        if (row.category != category) {
            if (row.category != category + 1) throw "the rows of a category stand together, in category order";
            category = row.category;
            pos = 0;
            ++node;  // the category's own node
        }
        row.pos = ++pos;
        row.node = ++node;
    }
    if (category != kCategoryCount - 1) throw "every category has items";
    return rows;
}

consteval std::array<CatalogCategory, kCategoryCount> Categories(const std::array<CatalogItem, kItems>& items) {
    std::array<CatalogCategory, kCategoryCount> cats{};
    for (int c = 0; c < kCategoryCount; ++c) cats[c] = {kCategoryCaptions[c], 0, -1, 0};
    for (int i = 0; i < kItems; ++i) {
        CatalogCategory& cat = cats[items[i].category];
        if (cat.firstItem < 0) {
            cat.firstItem = i;
            cat.node = items[i].node - 1;
        }
        ++cat.itemCount;
    }
    return cats;
}

constexpr auto kNumbered = Numbered(kRows);
static_assert(kNumbered.back().node == kItems + kCategoryCount);
static_assert(kNumbered[0].node == 2 && kNumbered[9].node == 12 && kNumbered[25].node == 29 && kNumbered[40].node == 45,
              "items sit at the nodes the item tree has always had");

}  // namespace

const std::span<const CatalogItem> kCatalogItems = kNumbered;
const int kCatalogItemCount = kItems;
const int kTreeNodeCount = 1 + kCategoryCount + kItems;
constexpr std::array<CatalogCategory, kCategoryCount> kCatalogCategories = Categories(kNumbered);
static_assert(kCatalogCategories[0].node == 1 && kCatalogCategories[1].node == 11 && kCatalogCategories[2].node == 28 &&
              kCatalogCategories[3].node == 44);

const CatalogItem* FindCatalogItem(int category, int pos) {
    if (category < 0 || category >= kCategoryCount) return nullptr;
    const CatalogCategory& c = kCatalogCategories[category];
    if (pos < 1 || pos > c.itemCount) return nullptr;
    return &kCatalogItems[c.firstItem + pos - 1];
}

const CatalogItem* FindCatalogItemByNode(int node) {
    for (const CatalogItem& it : kCatalogItems)
        if (it.node == node) return &it;
    return nullptr;
}

const CatalogItem* FindCatalogItemByName(std::string_view name) {
    for (const CatalogItem& it : kCatalogItems)
        if (it.name == name) return &it;
    return nullptr;
}

void BuildCatalog(TCatalogList* const lists[kCategoryCount]) {
    for (int c = 0; c < kCategoryCount; ++c) {
        TCatalogList& list = *lists[c];
        list.clear();
        const CatalogCategory& cat = kCatalogCategories[c];
        for (int i = 0; i < cat.itemCount; ++i) {
            const CatalogItem& it = kCatalogItems[cat.firstItem + i];
            auto rec = std::make_shared<TSectionRec>();
            rec->CategoryIndex = c;
            rec->ItemIndex = it.pos;
            rec->CategoryName = std::string(cat.caption);
            rec->ItemName = std::string(it.name);
            rec->Ticked = it.ticked ? 1 : 0;
            rec->FoundCount = 0;
            list.push_back(std::move(rec));
        }
    }
}
