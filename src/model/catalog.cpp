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
constexpr ProfileRoot kChromeRoots[] = {{"Local AppData", "\\Google\\Chrome\\User Data", ProfileLayout::UserData},
                                        {"Local AppData", "\\Google\\Chrome Beta\\User Data", ProfileLayout::UserData},
                                        {"Local AppData", "\\Google\\Chrome Dev\\User Data", ProfileLayout::UserData},
                                        {"Local AppData", "\\Google\\Chrome SxS\\User Data", ProfileLayout::UserData}};
constexpr ProfileRoot kEdgeRoots[] = {{"Local AppData", "\\Microsoft\\Edge\\User Data", ProfileLayout::UserData},
                                      {"Local AppData", "\\Microsoft\\Edge Beta\\User Data", ProfileLayout::UserData},
                                      {"Local AppData", "\\Microsoft\\Edge Dev\\User Data", ProfileLayout::UserData},
                                      {"Local AppData", "\\Microsoft\\Edge SxS\\User Data", ProfileLayout::UserData}};
constexpr ProfileRoot kBraveRoots[] = {
    {"Local AppData", "\\BraveSoftware\\Brave-Browser\\User Data", ProfileLayout::UserData},
    {"Local AppData", "\\BraveSoftware\\Brave-Browser-Beta\\User Data", ProfileLayout::UserData},
    {"Local AppData", "\\BraveSoftware\\Brave-Browser-Nightly\\User Data", ProfileLayout::UserData}};
constexpr ProfileRoot kVivaldiRoots[] = {{"Local AppData", "\\Vivaldi\\User Data", ProfileLayout::UserData}};
constexpr ProfileRoot kChromiumRoots[] = {{"Local AppData", "\\Chromium\\User Data", ProfileLayout::UserData}};
// Opera keeps its profile in the roaming folder and its caches in the local one.
constexpr ProfileRoot kOperaRoots[] = {{"AppData", "\\Opera Software\\Opera Stable", ProfileLayout::OwnFolder}};
constexpr ProfileRoot kOperaCacheRoots[] = {{"Local AppData", "\\Opera Software\\Opera Stable", ProfileLayout::OwnFolder}};
constexpr ProfileRoot kOperaGXRoots[] = {{"AppData", "\\Opera Software\\Opera GX Stable", ProfileLayout::OwnFolder}};
constexpr ProfileRoot kOperaGXCacheRoots[] = {
    {"Local AppData", "\\Opera Software\\Opera GX Stable", ProfileLayout::OwnFolder}};
// Firefox, and the Firefox of the Microsoft Store, whose folders lie in its package.
constexpr char kFirefoxProfiles[] = "\\Mozilla\\Firefox\\Profiles";
constexpr ProfileRoot kFirefoxRoots[] = {
    {"AppData", kFirefoxProfiles, ProfileLayout::EveryFolder},
    {"Local AppData", "\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Roaming\\Mozilla\\Firefox\\Profiles",
     ProfileLayout::EveryFolder}};
constexpr ProfileRoot kFirefoxCacheRoots[] = {
    {"Local AppData", kFirefoxProfiles, ProfileLayout::EveryFolder},
    {"Local AppData", "\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Local\\Mozilla\\Firefox\\Profiles",
     ProfileLayout::EveryFolder}};

// What a Chromium profile holds, store by store.
constexpr std::string_view kHistoryFile[] = {"History"};
constexpr std::string_view kFaviconsFile[] = {"Favicons"};
constexpr std::string_view kTopSitesFile[] = {"Top Sites"};
constexpr std::string_view kShortcutsFile[] = {"Shortcuts"};
constexpr std::string_view kPredictorFile[] = {"Network Action Predictor"};
constexpr std::string_view kVisitedLinks[] = {"Visited Links"};
constexpr std::string_view kChromiumCookieFiles[] = {"Network\\Cookies", "Cookies"};  // the second before 2021
constexpr std::string_view kChromiumCacheFolders[] = {"Cache\\Cache_Data", "Code Cache", "GPUCache"};
constexpr std::string_view kSessionsFolder[] = {"Sessions"};
constexpr std::string_view kSessionFiles[] = {"Session_*", "Tabs_*"};
constexpr std::string_view kProfileItself[] = {""};
constexpr std::string_view kOldSessionFiles[] = {"Current Session", "Current Tabs", "Last Session", "Last Tabs"};
constexpr std::string_view kWebDataFile[] = {"Web Data"};
constexpr std::string_view kLocalStorage[] = {"Local Storage\\leveldb"};
constexpr std::string_view kSessionStorage[] = {"Session Storage"};
constexpr std::string_view kIndexedDB[] = {"IndexedDB"};
constexpr std::string_view kServiceWorker[] = {"Service Worker"};
constexpr std::string_view kNetworkFolders[] = {"Network", ""};  // "Network" since 2021
constexpr std::string_view kNetworkStateFiles[] = {"Network Persistent State", "TransportSecurity"};
constexpr std::string_view kReportingFiles[] = {"Network\\Reporting and NEL", "Reporting and NEL"};
constexpr std::string_view kBouncesFile[] = {"DIPS"};

using SK = StoreKind;
using BD = BrowserDatabase;
constexpr ProfileStore kChromiumHistoryStores[] = {
    {SK::DatabaseRows, BD::ChromiumHistory, kHistoryFile},
    {SK::DatabaseRows, BD::ChromiumFavicons, kFaviconsFile, {}, false, true},
    {SK::DatabaseRows, BD::ChromiumTopSites, kTopSitesFile, {}, false, true},
    {SK::DatabaseRows, BD::ChromiumShortcuts, kShortcutsFile, {}, false, true},
    {SK::DatabaseRows, BD::ChromiumPredictor, kPredictorFile, {}, false, true},
};
constexpr ProfileStore kChromiumDownloadStores[] = {{SK::DatabaseRows, BD::ChromiumDownloads, kHistoryFile}};
constexpr ProfileStore kChromiumCookieStores[] = {{SK::DatabaseRows, BD::ChromiumCookies, kChromiumCookieFiles}};
constexpr ProfileStore kChromiumCacheStores[] = {{SK::Files, BD::None, kChromiumCacheFolders, {}, true}};
constexpr ProfileStore kChromiumSessionStores[] = {{SK::Files, BD::None, kSessionsFolder, kSessionFiles},
                                                   {SK::Files, BD::None, kProfileItself, kOldSessionFiles}};
constexpr ProfileStore kChromiumFormStores[] = {{SK::DatabaseRows, BD::ChromiumAutofill, kWebDataFile},
                                                {SK::DatabaseRows, BD::ChromiumKeywords, kWebDataFile}};
constexpr ProfileStore kChromiumSiteDataStores[] = {{SK::Folder, BD::None, kLocalStorage},
                                                    {SK::Folder, BD::None, kSessionStorage},
                                                    {SK::SiteFolders, BD::None, kIndexedDB},
                                                    {SK::Folder, BD::None, kServiceWorker}};
constexpr ProfileStore kChromiumSiteSettingStores[] = {{SK::Files, BD::None, kNetworkFolders, kNetworkStateFiles},
                                                       {SK::DatabaseRows, BD::ChromiumNel, kReportingFiles},
                                                       {SK::DatabaseRows, BD::ChromiumReporting, kReportingFiles},
                                                       {SK::DatabaseRows, BD::ChromiumBounces, kBouncesFile}};

// What a Firefox profile holds.
constexpr std::string_view kPlacesFile[] = {"places.sqlite"};
constexpr std::string_view kFirefoxFaviconsFile[] = {"favicons.sqlite"};
constexpr std::string_view kFirefoxCookieFile[] = {"cookies.sqlite"};
constexpr std::string_view kFirefoxCacheFolder[] = {"cache2\\entries"};
constexpr std::string_view kSessionStoreFile[] = {"sessionstore.jsonlz4"};
constexpr std::string_view kSessionBackups[] = {"sessionstore-backups"};
constexpr std::string_view kFormHistoryFile[] = {"formhistory.sqlite"};
constexpr std::string_view kSiteStorage[] = {"storage\\default"};
constexpr std::string_view kWebStorageFile[] = {"webappsstore.sqlite"};
constexpr std::string_view kPermissionsFile[] = {"permissions.sqlite"};
constexpr std::string_view kContentPrefsFile[] = {"content-prefs.sqlite"};
constexpr std::string_view kSiteSecurityFile[] = {"SiteSecurityServiceState.txt"};
constexpr ProfileStore kFirefoxHistoryStores[] = {{SK::DatabaseRows, BD::FirefoxPlaces, kPlacesFile},
                                                  {SK::DatabaseRows, BD::FirefoxFavicons, kFirefoxFaviconsFile, {},
                                                   false, true}};
constexpr ProfileStore kFirefoxDownloadStores[] = {{SK::DatabaseRows, BD::FirefoxDownloads, kPlacesFile}};
constexpr ProfileStore kFirefoxCookieStores[] = {{SK::DatabaseRows, BD::FirefoxCookies, kFirefoxCookieFile}};
constexpr ProfileStore kFirefoxCacheStores[] = {{SK::Files, BD::None, kFirefoxCacheFolder, {}, true}};
constexpr ProfileStore kFirefoxSessionStores[] = {{SK::Files, BD::None, kProfileItself, kSessionStoreFile},
                                                  {SK::Files, BD::None, kSessionBackups}};
constexpr ProfileStore kFirefoxFormStores[] = {{SK::DatabaseRows, BD::FirefoxFormHistory, kFormHistoryFile}};
constexpr ProfileStore kFirefoxSiteDataStores[] = {{SK::SiteFolders, BD::None, kSiteStorage},
                                                   {SK::DatabaseRows, BD::FirefoxWebStorage, kWebStorageFile}};
constexpr ProfileStore kFirefoxSiteSettingStores[] = {
    {SK::DatabaseRows, BD::FirefoxPermissions, kPermissionsFile},
    {SK::DatabaseRows, BD::FirefoxContentPrefs, kContentPrefsFile},
    {SK::Files, BD::None, kProfileItself, kSiteSecurityFile}};

// The categories, in tree order.
enum : int {
    kCatIE, kCatSoftware, kCatSystem, kCatInternet,
    kCatChrome, kCatEdge, kCatBrave, kCatVivaldi, kCatOpera, kCatOperaGX, kCatChromium, kCatFirefox,
    kCatModern,
};
static_assert(kCatModern == kModernCategory && kProgramsCategory + 1 == kRulesCategory && kRulesCategory + 1 == kCategoryCount);

// One item of a browser: the stores it lists in every profile below its roots.
constexpr CatalogItem BrowserItem(int category, std::string_view name, std::string_view clean, std::string_view group,
                                  bool ticked, int kind, std::span<const ProfileRoot> roots,
                                  std::span<const ProfileStore> stores,
                                  std::span<const std::string_view> rebuilt = {}) {
    return {.category = category, .name = name, .cleanCaption = clean, .ticked = ticked, .shown = SF::ValueName,
            .kind = kind, .group = group, .shape = S::Special, .special = Special::ProfileStores,
            .count = C::Running, .roots = roots, .stores = stores, .rebuiltFiles = rebuilt, .removal = R::ByStore,
            .excludeBy = kind == kKindCookieRow ? ExcludeBy::HostAndName : ExcludeBy::EntryName};
}

// The eight items of a Chromium browser, named after it ("Chrome History", ...).
#define CHROMIUM_ITEMS(category, prefix, roots, cacheRoots)                                                          \
    BrowserItem(category, prefix " History", "Clean " prefix " History", prefix, true, kKindHistoryRow, roots,        \
                kChromiumHistoryStores, kVisitedLinks),                                                              \
        BrowserItem(category, prefix " Download History", "Clean " prefix " Download History", prefix, true,          \
                    kKindStoreRow, roots, kChromiumDownloadStores),                                                  \
        BrowserItem(category, prefix " Cookies", "Clean " prefix " Cookies", prefix, true, kKindCookieRow, roots,     \
                    kChromiumCookieStores),                                                                          \
        BrowserItem(category, prefix " Cache", "Clean " prefix " Cache", prefix, true, kKindFile, cacheRoots,         \
                    kChromiumCacheStores),                                                                           \
        BrowserItem(category, prefix " Sessions", "Clean " prefix " Sessions", prefix, false, kKindStoreFile, roots,  \
                    kChromiumSessionStores),                                                                         \
        BrowserItem(category, prefix " Form Data", "Clean " prefix " Form Data", prefix, false, kKindStoreRow, roots, \
                    kChromiumFormStores),                                                                            \
        BrowserItem(category, prefix " Site Data", "Clean " prefix " Site Data", prefix, false, kKindStoreFolder,     \
                    roots, kChromiumSiteDataStores),                                                                 \
        BrowserItem(category, prefix " Site Settings", "Clean " prefix " Site Settings", prefix, false,               \
                    kKindStoreRow, roots, kChromiumSiteSettingStores)

// Files in folders below a shell folder; each file is a trace.
constexpr CatalogItem Files(int category, std::string_view name, std::string_view clean, std::string_view group,
                            std::string_view shell, std::string_view below,
                            std::span<const std::string_view> folders, bool recursive,
                            std::span<const std::string_view> patterns = {}) {
    return {.category = category, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueName,
            .kind = kKindFile, .group = group, .shape = S::Special, .special = Special::Files, .count = C::Running,
            .shellFolder = shell, .subFolder = below, .folders = folders, .patterns = patterns,
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

#define COMDLG "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\"
constexpr NumberedKey kDialogKeys[] = {{COMDLG "OpenSavePidlMRU", MruData::ShellItems, true},
                                       {COMDLG "LastVisitedPidlMRU", MruData::ProgramAndFolder},
                                       {COMDLG "CIDSizeMRU", MruData::ProgramName}};
#undef COMDLG
constexpr std::string_view kPowerShellFolders[] = {"Microsoft\\Windows\\PowerShell\\PSReadLine"};
constexpr std::string_view kPowerShellFiles[] = {"*_history.txt"};

// Everyday programs. Office 2013 and later keep a list per program and account.
#define OFFICE_USER_MRU(version)                                                                                  \
    "Software\\Microsoft\\Office\\" version "\\Word\\User MRU",                                                        \
        "Software\\Microsoft\\Office\\" version "\\Excel\\User MRU",                                                   \
        "Software\\Microsoft\\Office\\" version "\\PowerPoint\\User MRU",                                              \
        "Software\\Microsoft\\Office\\" version "\\Access\\User MRU",                                                  \
        "Software\\Microsoft\\Office\\" version "\\Publisher\\User MRU",                                               \
        "Software\\Microsoft\\Office\\" version "\\Visio\\User MRU", "Software\\Microsoft\\Office\\" version "\\OneNote\\User MRU"
constexpr std::string_view kOfficeUserMru[] = {OFFICE_USER_MRU("16.0"), OFFICE_USER_MRU("15.0")};
#undef OFFICE_USER_MRU
// Every version below these keeps AVGeneral\cRecentFiles and cRecentFolders.
constexpr std::string_view kAcrobatKeys[] = {"Software\\Adobe\\Acrobat Reader", "Software\\Adobe\\Adobe Acrobat"};
// Each a key and, after its last backslash, the value: a list of NUL-separated
// UTF-16 paths, or one path.
constexpr std::string_view kSevenZipValues[] = {
    "Software\\7-Zip\\Compression\\ArcHistory", "Software\\7-Zip\\Extraction\\PathHistory",
    "Software\\7-Zip\\FM\\FolderHistory",       "Software\\7-Zip\\FM\\CopyHistory",
    "Software\\7-Zip\\FM\\PanelPath0",          "Software\\7-Zip\\FM\\PanelPath1"};
// WinRAR's archive and extraction lists belong to "WinRAR History".
constexpr NumberedKey kWinRarDialogKeys[] = {{"Software\\WinRAR\\DialogEditHistory", MruData::Text, true, "ExtrPath"}};
constexpr std::string_view kVlcFiles[] = {"vlc\\vlc-qt-interface.ini"};
constexpr std::string_view kNotepadFiles[] = {"Notepad++\\config.xml"};
constexpr std::string_view kCodeFiles[] = {"Code\\User\\globalStorage\\state.vscdb",
                                           "Code - Insiders\\User\\globalStorage\\state.vscdb",
                                           "VSCodium\\User\\globalStorage\\state.vscdb"};
constexpr char kPrograms[] = "Programs";

// A recent list of a program, its entries in a settings file below the roaming folder.
constexpr CatalogItem SettingsList(std::string_view name, std::string_view clean, std::span<const std::string_view> files,
                                   SettingsFormat format) {
    return {.category = kProgramsCategory, .name = name, .cleanCaption = clean, .ticked = true, .shown = SF::ValueName,
            .kind = kKindListEntry, .group = kPrograms, .shape = S::Special, .special = Special::SettingsList,
            .count = C::Running, .shellFolder = "AppData", .files = files, .settings = format,
            .removal = R::SettingsEntry, .excludeBy = ExcludeBy::EntryName};
}

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

    // Today's browsers, one category each. The item names of Chrome, Edge and
    // Firefox are those of the days of one "Current Browsers" category, so that
    // exclusions made then still hold.
    CHROMIUM_ITEMS(kCatChrome, "Chrome", kChromeRoots, kChromeRoots),
    CHROMIUM_ITEMS(kCatEdge, "Edge", kEdgeRoots, kEdgeRoots),
    CHROMIUM_ITEMS(kCatBrave, "Brave", kBraveRoots, kBraveRoots),
    CHROMIUM_ITEMS(kCatVivaldi, "Vivaldi", kVivaldiRoots, kVivaldiRoots),
    CHROMIUM_ITEMS(kCatOpera, "Opera", kOperaRoots, kOperaCacheRoots),
    CHROMIUM_ITEMS(kCatOperaGX, "Opera GX", kOperaGXRoots, kOperaGXCacheRoots),
    CHROMIUM_ITEMS(kCatChromium, "Chromium", kChromiumRoots, kChromiumRoots),
    // A bookmarked place keeps its row, without its visits; the cache lies in the
    // profile's local folder, named as its roaming one.
    BrowserItem(kCatFirefox, "Firefox Places History", "Clean Firefox Places History", "Firefox", true,
                kKindHistoryRow, kFirefoxRoots, kFirefoxHistoryStores),
    BrowserItem(kCatFirefox, "Firefox Download History", "Clean Firefox Download History", "Firefox", true,
                kKindStoreRow, kFirefoxRoots, kFirefoxDownloadStores),
    BrowserItem(kCatFirefox, "Firefox Cookie Database", "Clean Firefox Cookie Database", "Firefox", true,
                kKindCookieRow, kFirefoxRoots, kFirefoxCookieStores),
    BrowserItem(kCatFirefox, "Firefox Disk Cache", "Clean Firefox Disk Cache", "Firefox", true, kKindFile,
                kFirefoxCacheRoots, kFirefoxCacheStores),
    BrowserItem(kCatFirefox, "Firefox Sessions", "Clean Firefox Sessions", "Firefox", false, kKindStoreFile,
                kFirefoxRoots, kFirefoxSessionStores),
    BrowserItem(kCatFirefox, "Firefox Form Data", "Clean Firefox Form Data", "Firefox", false, kKindStoreRow,
                kFirefoxRoots, kFirefoxFormStores),
    BrowserItem(kCatFirefox, "Firefox Site Data", "Clean Firefox Site Data", "Firefox", false, kKindStoreFolder,
                kFirefoxRoots, kFirefoxSiteDataStores),
    BrowserItem(kCatFirefox, "Firefox Site Settings", "Clean Firefox Site Settings", "Firefox", false, kKindStoreRow,
                kFirefoxRoots, kFirefoxSiteSettingStores),
#undef CHROMIUM_ITEMS

    // Windows 7 to 11. The numbered lists and the launch counters are tested by value name.
    {.category = kCatModern, .name = "Recent Documents List", .cleanCaption = "Clean Recent Documents List", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::NumberedMru, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
     .test = T::ListedName, .count = C::Running, .subkeysToo = true, .removal = R::NumberedMruValue},
    // url1, url2, ... are renumbered whenever a path is typed, so a path is kept by its text.
    {.category = kCatModern, .name = "Explorer Typed Paths", .cleanCaption = "Clean Explorer Typed Paths", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths", .keepData = true,
     .count = C::Running},
    {.category = kCatModern, .name = "Explorer Search History", .cleanCaption = "Clean Explorer Search History",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::NumberedMru,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery", .test = T::ListedName,
     .count = C::Running, .removal = R::NumberedMruValue},
    {.category = kCatModern, .name = "Program Launch History", .cleanCaption = "Clean Program Launch History", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::UserAssist, .keys = kLaunchKeys, .test = T::ListedName, .count = C::Running},
    {.category = kCatModern, .name = "Shell MuiCache", .cleanCaption = "Clean Shell MuiCache", .ticked = true,
     .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::ValueList,
     .key = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
     .keepData = true, .test = T::ListedName, .count = C::Running, .plainTextOnly = true},
    Files(kCatModern, "Jump Lists", "Clean Jump Lists", kWin, "AppData", {}, kJumpListFolders, false),
    Files(kCatModern, "Thumbnail Cache", "Clean Thumbnail Cache", kWin, "Local AppData", {}, kExplorerFolder,
          false, kThumbnailFiles),
    Files(kCatModern, "Windows Error Reports", "Clean Windows Error Reports", kWin, "Local AppData", {},
          kErrorReportFolder, true),
    // Each deleted file or folder by the path it had; emptying the bin is the user's choice.
    {.category = kCatModern, .name = "Recycle Bin Files", .cleanCaption = "Clean Recycle Bin Files", .ticked = false,
     .shown = SF::ValueName, .kind = kKindRecycledItem, .group = kWin, .shape = S::Special,
     .special = Special::RecycledItems, .count = C::Running, .removal = R::RecycledItem,
     .excludeBy = ExcludeBy::EntryName},
    // The lists are renumbered as files are picked, so a path is kept by its text.
    {.category = kCatModern, .name = "Open/Save Dialog History", .cleanCaption = "Clean Open/Save Dialog History",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::NumberedMru, .count = C::Running, .numberedKeys = kDialogKeys,
     .removal = R::NumberedMruValue},
    {.category = kCatModern, .name = "Temporary Files", .cleanCaption = "Clean Temporary Files", .ticked = true,
     .shown = SF::ValueName, .kind = kKindFile, .group = kWin, .shape = S::Special, .special = Special::OldTempFiles,
     .count = C::Running, .recursive = true, .olderThanHours = 24, .removal = R::File},
    {.category = kCatModern, .name = "Clipboard", .cleanCaption = "Clean Clipboard", .ticked = false,
     .shown = SF::ValueName, .kind = kKindClipboard, .group = kWin, .shape = S::Special, .special = Special::Clipboard,
     .test = T::None, .count = C::Running, .removal = R::Clipboard},
    // The recent computers (MRU0 ...) and a key per computer, kept by the computer's name.
    {.category = kCatModern, .name = "Remote Desktop History", .cleanCaption = "Clean Remote Desktop History",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kWin, .shape = S::Special,
     .special = Special::RemoteDesktop, .key = "Software\\Microsoft\\Terminal Server Client", .count = C::Running,
     .removal = R::OwnSubkeyOrValue},
    // Each command line; the file loses the ticked lines and keeps the others.
    {.category = kCatModern, .name = "PowerShell History", .cleanCaption = "Clean PowerShell History", .ticked = true,
     .shown = SF::ValueName, .kind = kKindListEntry, .group = kWin, .shape = S::Special,
     .special = Special::LinesOfFiles, .count = C::Running, .shellFolder = "AppData", .folders = kPowerShellFolders,
     .patterns = kPowerShellFiles, .removal = R::ProfileLines, .excludeBy = ExcludeBy::EntryName},

    // Everyday programs.
    {.category = kProgramsCategory, .name = "Microsoft 365 Recent Files", .cleanCaption = "Clean Microsoft 365 Recent Files",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kPrograms, .shape = S::Special,
     .special = Special::OfficeMru, .keys = kOfficeUserMru, .count = C::Running, .listName = "File MRU",
     .removal = R::ValueWithMetadata},
    {.category = kProgramsCategory, .name = "Microsoft 365 Recent Places", .cleanCaption = "Clean Microsoft 365 Recent Places",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kPrograms, .shape = S::Special,
     .special = Special::OfficeMru, .keys = kOfficeUserMru, .count = C::Running, .listName = "Place MRU",
     .removal = R::ValueWithMetadata},
    // Each file or folder is a numbered key of its own (c1, c2, ...).
    {.category = kProgramsCategory, .name = "Acrobat Recent Files", .cleanCaption = "Clean Acrobat Recent Files",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegKey, .group = kPrograms, .shape = S::Special,
     .special = Special::AcrobatRecent, .keys = kAcrobatKeys, .count = C::Running, .removal = R::OwnSubkey},
    {.category = kProgramsCategory, .name = "7-Zip History", .cleanCaption = "Clean 7-Zip History", .ticked = true,
     .shown = SF::ValueName, .kind = kKindListEntry, .group = kPrograms, .shape = S::Special,
     .special = Special::ValueLists, .keys = kSevenZipValues, .count = C::Running, .removal = R::ListEntry,
     .excludeBy = ExcludeBy::EntryName},
    {.category = kProgramsCategory, .name = "WinRAR Dialog History", .cleanCaption = "Clean WinRAR Dialog History",
     .ticked = true, .shown = SF::ValueData, .kind = kKindRegValueText, .group = kPrograms, .shape = S::Special,
     .special = Special::NumberedMru, .count = C::Running, .numberedKeys = kWinRarDialogKeys,
     .removal = R::RenumberedValue},
    SettingsList("VLC Recent Media", "Clean VLC Recent Media", kVlcFiles, SettingsFormat::MediaRecents),
    SettingsList("Notepad++ Recent Files", "Clean Notepad++ Recent Files", kNotepadFiles, SettingsFormat::XmlHistory),
    SettingsList("VS Code Recent Files", "Clean VS Code Recent Files", kCodeFiles, SettingsFormat::RecentlyOpened),
});
constexpr int kItems = static_cast<int>(kRows.size());

constexpr std::string_view kCategoryCaptions[kCategoryCount] = {
    "Internet Explorer", "Windows Software", "Windows System", "Internet Software", "Google Chrome", "Microsoft Edge",
    "Brave", "Vivaldi", "Opera", "Opera GX", "Chromium", "Mozilla Firefox", "Windows 7 to 11", "Programs",
    "Community Rules"};

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
    if (category != kRulesCategory - 1) throw "every built-in category has items, the rules category none";
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
    cats[kRulesCategory].node = kItems + kRulesCategory + 1;  // after the last built-in item
    return cats;
}

constexpr auto kNumbered = Numbered(kRows);
static_assert(kNumbered.back().node == kItems + kRulesCategory);
static_assert(kNumbered[0].node == 2 && kNumbered[9].node == 12 && kNumbered[25].node == 29 && kNumbered[40].node == 45,
              "items sit at the nodes the item tree has always had");

}  // namespace

const std::span<const CatalogItem> kCatalogItems = kNumbered;
const int kCatalogItemCount = kItems;
constexpr std::array<CatalogCategory, kCategoryCount> kCatalogCategories = Categories(kNumbered);
static_assert(kCatalogCategories[0].node == 1 && kCatalogCategories[1].node == 11 && kCatalogCategories[2].node == 28 &&
              kCatalogCategories[3].node == 44);

namespace {

constexpr int kRulesNode = kCatalogCategories[kRulesCategory].node;

std::vector<CatalogItem>& RuleItems() {
    static std::vector<CatalogItem> items;
    return items;
}

}  // namespace

void SetCommunityItems(std::vector<CatalogItem> items) {
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].category = kRulesCategory;
        items[i].pos = static_cast<int>(i) + 1;
        items[i].node = kRulesNode + static_cast<int>(i) + 1;
    }
    RuleItems() = std::move(items);
}

std::span<const CatalogItem> CommunityItems() { return RuleItems(); }

int CategoryItemCount(int category) {
    if (category == kRulesCategory) return static_cast<int>(RuleItems().size());
    return category >= 0 && category < kCategoryCount ? kCatalogCategories[category].itemCount : 0;
}

const CatalogItem& CategoryItem(int category, int i) {
    if (category == kRulesCategory) return RuleItems().at(static_cast<size_t>(i));
    return kCatalogItems[static_cast<size_t>(kCatalogCategories[category].firstItem + i)];
}

int TreeNodeCount() { return kRulesNode + 1 + static_cast<int>(RuleItems().size()); }

const CatalogItem* FindCatalogItem(int category, int pos) {
    if (pos < 1 || pos > CategoryItemCount(category)) return nullptr;
    return &CategoryItem(category, pos - 1);
}

const CatalogItem* FindCatalogItemByNode(int node) {
    for (const CatalogItem& it : kCatalogItems)
        if (it.node == node) return &it;
    for (const CatalogItem& it : RuleItems())
        if (it.node == node) return &it;
    return nullptr;
}

const CatalogItem* FindCatalogItemByName(std::string_view name) {
    for (const CatalogItem& it : kCatalogItems)
        if (it.name == name) return &it;
    for (const CatalogItem& it : RuleItems())
        if (it.name == name) return &it;
    return nullptr;
}

void BuildCatalog(TCatalogList* const lists[kCategoryCount]) {
    for (int c = 0; c < kCategoryCount; ++c) {
        TCatalogList& list = *lists[c];
        list.clear();
        const CatalogCategory& cat = kCatalogCategories[c];
        for (int i = 0; i < CategoryItemCount(c); ++i) {
            const CatalogItem& it = CategoryItem(c, i);
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
