// The trace catalog as one data table. Each row holds an item's whole
// behaviour: its name, clean caption and default tick; the field the result
// list shows; how its scanner walks its place; the data its exclusion test
// uses; and how a clean removes its records. Tree nodes and positions follow
// from the order of the rows and are checked when the table is compiled.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Data of every node of the item tree and the result tree.
struct TSectionRec {
    int32_t CategoryIndex = 0;
    int32_t ItemIndex = 0;      // 1-based position in the category; 0 for a category
    std::string CategoryName;
    std::string ItemName;
    uint8_t Ticked = 0;         // mirrors the node's state image (6 ticked, 7 unticked)
    int32_t FoundCount = 0;
};

// Which record field the result list shows in its Name column.
enum class ShownField { ValueName, ValueData, KeyName, Location, Detail4, Detail5, Detail6, Detail7, Detail8, Detail9 };

// The shape of the place an item's scanner walks.
enum class ScanShape : uint8_t {
    ValueList,    // every value of one key
    SubkeyList,   // every subkey of one key
    MultiKey,     // the values of several keys, one count over all of them
    SingleValue,  // one named value of one key
    FolderWalk,   // the entries of one folder
    ProfileFile,  // entries cut out of a browser's history or cookie file
    Special,      // a routine of its own, named by Special
};

// The routines of the items that walk their places in a way of their own.
enum class Special : uint8_t {
    None,
    UrlCacheContent,  // the URL cache's content entries
    UrlCacheCookies,  // the URL cache's cookie entries
    TrayNotify,       // two named binary values
    WinZip,           // two keys, then three names of a third key
    ACDSee,           // two keys, each a trace of its own
    RealDownload,     // a list, then the default profile's list
    RecycleBin,       // the recycled folders of every fixed drive
    BrowserCache,     // the files of the "Cache" folder found under a shell folder
    Files,            // the files in folders below a shell folder
    NumberedMru,      // the numbered values of a key ordered by its MRUListEx, UTF-16 text at their start
    UserAssist,       // the values of several keys, named in ROT13, but for the session counters
    RegeditHistory,   // the key the registry editor had open last, and subkeys but its favorites
    ProfileStores,    // the stores (databases, files, folders) of every profile of a browser
    RecycledItems,    // the deleted items of the current user in the recycle bin of every fixed drive
    OldTempFiles,     // the files of the user's temporary folder not written for a day
    Clipboard,        // what is on the clipboard
    RemoteDesktop,    // the computers the Remote Desktop client connected to
    LinesOfFiles,     // each line of the files named by folders and patterns (a shell's command history)
    OfficeMru,        // the recent lists of each Office program and account
    AcrobatRecent,    // the recent files and folders of every Acrobat and Reader version
    ValueLists,       // lists of entries held in values: NUL-separated UTF-16 lists and single paths
    SettingsList,     // the entries of a recent list in a program's settings file
    CommunityRule,    // the files, folders, keys and values one rule of the community's rule file names
};

// How the data of a numbered value reads.
enum class MruData : uint8_t {
    Text,              // UTF-16 text at its start, or text
    ShellItems,        // a shell item ID list, read as the path it names
    ProgramAndFolder,  // a program's file name, then the ID list of the folder it last used
    ProgramName,       // a program's file name, then data of its own
};
// One key of numbered values an item lists.
struct NumberedKey {
    std::string_view path;
    MruData data = MruData::Text;
    bool subkeys = false;         // each subkey's values too
    std::string_view skip = {};   // a subkey another item lists
};

// The settings files whose recent lists an item edits.
enum class SettingsFormat : uint8_t {
    None,
    MediaRecents,     // a Qt INI file's [RecentsMRL] list, with its times in step
    XmlHistory,       // an XML file's <History> of <File filename=.../> elements
    RecentlyOpened,   // the recently opened list in an editor's SQLite state database
};

// Where a browser keeps profiles: a folder below a shell folder, laid out as
// the browser lays it out.
enum class ProfileLayout : uint8_t {
    UserData,      // a user data folder: its "Default" and "Profile *" folders
    OwnFolder,     // the folder is the profile itself, or holds one in "Default" (Opera)
    EveryFolder,   // every folder in it is a profile (Firefox)
};
struct ProfileRoot {
    std::string_view shellFolder;
    std::string_view path;  // below the shell folder, with a leading backslash
    ProfileLayout layout;
};

// The databases an item lists the rows of, and how a row goes.
enum class BrowserDatabase : uint8_t {
    None,
    ChromiumHistory,  // urls, with their visits, search terms and segments
    ChromiumCookies,  // cookies
    FirefoxPlaces,    // moz_places with a visit, with their visits and input history
    FirefoxCookies,   // moz_cookies
    ChromiumDownloads,   // History's downloads, with their URL chains and slices
    ChromiumFavicons,    // Favicons' page mappings, and the icons no page is mapped to any more
    ChromiumTopSites,    // Top Sites
    ChromiumShortcuts,   // Shortcuts: typed text that led to an address
    ChromiumPredictor,   // Network Action Predictor: typed text and the address it predicted
    ChromiumAutofill,    // Web Data's autofill entries: a field's name and a value typed into it
    ChromiumKeywords,    // Web Data's site searches the browser added by itself
    ChromiumNel,         // Reporting and NEL: network error logging policies, per host
    ChromiumReporting,   // Reporting and NEL: reporting endpoints, per host
    ChromiumBounces,     // DIPS: the sites that bounced the user on, and their pop-ups
    FirefoxDownloads,    // places.sqlite's download annotations of a page
    FirefoxFavicons,     // favicons.sqlite: pages with icons, and the icons no page uses any more
    FirefoxFormHistory,  // formhistory.sqlite
    FirefoxWebStorage,   // webappsstore.sqlite: a site's local storage, by reversed host
    FirefoxPermissions,  // permissions.sqlite, per origin
    FirefoxContentPrefs, // content-prefs.sqlite: a site's zoom and other preferences
};

// One store of a browser profile an item lists and cleans.
enum class StoreKind : uint8_t {
    DatabaseRows,  // the rows of a database: one record a row
    Files,         // files in folders of the profile: one record a file, saying what sites it names
    Folder,        // a store made of the files of one folder (a LevelDB): one record, saying what sites it names
    SiteFolders,   // a folder of one subfolder a site: one record a site
};
struct ProfileStore {
    StoreKind kind;
    BrowserDatabase database = BrowserDatabase::None;  // DatabaseRows
    // In the profile: the first of them found is the database or folder; for
    // Files every one of them is a folder whose files are listed ("" the profile itself).
    std::span<const std::string_view> paths = {};
    std::span<const std::string_view> patterns = {};  // Files: the names listed (none: every file)
    bool recursive = false;                            // Files: their subfolders' files too
    // Keyed by the addresses of the item's first store: lists only those that
    // store does not, and loses the addresses of every row removed there.
    bool pagesOfFirst = false;
};

// The four folder walks.
enum class FolderWalk : uint8_t { SendTo, Recent, Favorites, Recycled };

// The text an item's scanner hands to the exclusion test, which is also what
// an exclusion made from one of its rows stores as EntryData.
enum class TestData : uint8_t {
    ValueText,   // the value's text
    Empty,       // no text: an entry for the key with empty data covers every trace
    ListedName,  // the listed value or subkey name
    OwnName,     // the name of the value named in ownNameTested, empty for its others
    None,        // the item never tests exclusions (its entries store the record's data)
};

// How the found count moves.
enum class Counting : uint8_t {
    Position,  // the position of the entry just recorded in the listed names
    Running,   // the number of records made so far
    AddOne,    // each record adds one to what the count already is
};

// Which record field a listed name goes into.
enum class NameField : uint8_t { ValueName, KeyName };

// What a clean removes for one record.
enum class Removal : uint8_t {
    Value,                  // the value ValueName of the key Location
    ValueNamedInKeyName,    // the value KeyName of the listed key Location, which goes whole when it may
    ValueNamedInValueName,  // the value ValueName of the listed key Location, likewise
    SubkeyNamedInKeyName,   // the subkey KeyName of the listed key Location, likewise
    OwnSubkey,              // only the subkey KeyName of the key Location, which itself never goes
    OwnSubkeyOrValue,       // as OwnSubkey; a record with no KeyName is the value ValueName of the key
    DatabaseRow,            // its row of the database Location, in one transaction with what hangs on it
    NumberedMruValue,       // the value ValueName of the key Location, and its number from the key's MRUListEx
    OwnKey,                 // the key Location itself
    UrlCacheEntry,          // the URL-cache entry of the address ValueName
    File,                   // the file Location, overwritten first
    ProfileLines,           // its line of the cookie file Location, which goes whole when it may
    ProfileFile,            // the history file Location, only whole
    RecycledItem,           // the recycle bin's record Location and the deleted file or folder it describes
    ValueWithMetadata,      // the value ValueName of the key Location, and the "Item Metadata N" of its "Item N"
    RenumberedValue,        // the value ValueName of the key Location; the key's numbered values then close up from 0
    ListEntry,              // the entry ValueName of the list value KeyName of the key Location (a single value: whole)
    SettingsEntry,          // the entry ValueName of the settings file Location, the rest kept
    Clipboard,              // what is on the clipboard
    FolderTree,             // the folder Location with all it holds, its files overwritten first
    ByStore,                // as the record's store says: its row, its file, or its folder
    ByKind,                 // as the record's Kind says: a file, a value, a key, an emptied folder, or nothing
    EmptiedFolder,          // the folder Location and its subfolders, once empty: after every other record
    Never,                  // nothing: the record says what a rule asked for and was refused
};

// What an exclusion made from a row stores as Location.
enum class ExcludeBy : uint8_t {
    Record,     // the record's key or path, with its value name and tested data
    EntryName,  // the name the scanner tests alone: a cache or cookie address, a favorite's file name
    HostAndName,  // a browser cookie: the host (ValueData) as Location, the cookie's name (KeyName) as data
};

struct CommunityRule;

struct CatalogItem {
    int category;                   // 0-based, in the order of kCatalogCategories
    std::string_view name;          // caption in the trees; exclusion ItemName
    std::string_view cleanCaption;  // CleanName of its records; empty for the items found by Kind
    bool ticked;                    // default tick
    ShownField shown;
    int kind;                       // Kind of the records it makes
    bool belongsByKind = false;     // its records belong to it by Kind, not by clean caption
    std::string_view recordName = {};  // ItemName of its records when it differs from name
    std::string_view group = {};       // Group of its records

    // How it scans.
    ScanShape shape = ScanShape::ValueList;
    Special special = Special::None;
    std::string_view key = {};                      // under HKEY_CURRENT_USER
    std::span<const std::string_view> keys = {};    // MultiKey (and the specials that walk several)
    std::string_view valueName = {};                // SingleValue
    NameField nameInto = NameField::ValueName;
    bool keepData = false;                          // the value's text goes into ValueData
    TestData test = TestData::ValueText;
    std::string_view ownNameTested = {};            // TestData::OwnName
    Counting count = Counting::Position;
    bool plainTextOnly = false;                     // only values of plain text type are listed
    bool locationPerSubkey = false;                 // each record's key is its own subkey
    FolderWalk walk = FolderWalk::Recent;           // FolderWalk
    std::string_view shellFolder = {};              // FolderWalk, ProfileFile and BrowserCache start here
    std::string_view subFolder = {};                // below the shell folder: the profiles, or the folder
    std::string_view fileName = {};                 // ProfileFile
    std::span<const std::string_view> folders = {};        // Files: below the shell folder
    std::span<const std::string_view> patterns = {};       // Files: the file names listed (none: every file)
    bool recursive = false;                                // Files: their subfolders' files too
    bool subkeysToo = false;                               // NumberedMru: each subkey's values too
    std::span<const NumberedKey> numberedKeys = {};        // NumberedMru: the keys, when more than key
    std::span<const std::string_view> files = {};          // SettingsList: the files below the shell folder
    SettingsFormat settings = SettingsFormat::None;        // SettingsList
    std::string_view listName = {};                        // OfficeMru: the list of each account ("File MRU")
    int olderThanHours = 0;                                // Files: only files not written for so long
    std::span<const ProfileRoot> roots = {};               // ProfileStores: where the browser's profiles lie
    std::span<const ProfileStore> stores = {};             // ProfileStores: what each profile holds
    // ProfileStores: files of a profile that go when any row of the first store
    // went (the browser rebuilds them from it, "Visited Links").
    std::span<const std::string_view> rebuiltFiles = {};

    // How a clean removes its records, and what an exclusion from one of its rows stores.
    Removal removal = Removal::Value;
    ExcludeBy excludeBy = ExcludeBy::Record;

    // Shown before the item is ticked, to be confirmed (a rule's own warning).
    std::string_view warning = {};
    const CommunityRule* rule = nullptr;  // CommunityRule: the rule, owned by whoever installed it

    // From the order of the rows.
    int pos = 0;   // ItemIndex, 1-based in its category
    int node = 0;  // absolute index in the item tree

    std::string_view RecordItemName() const { return recordName.empty() ? name : recordName; }
    // The keys it walks: keys, or the one key.
    std::span<const std::string_view> Keys() const { return keys.empty() ? std::span(&key, key.empty() ? 0 : 1) : keys; }
};

struct CatalogCategory {
    std::string_view caption;
    int node;       // absolute index of the category node
    int firstItem;  // index of its first item in kCatalogItems
    int itemCount;
};

constexpr int kCategoryCount = 15;
constexpr int kModernCategory = 12;    // "Windows 7 to 11"
constexpr int kProgramsCategory = 13;  // everyday programs
constexpr int kRulesCategory = 14;     // the community's rules, when a rule file was read: last, with no items of its own
inline constexpr std::string_view kRootCaption = "My Computer";

// The built-in categories and items; the rules category has none of them.
extern const std::array<CatalogCategory, kCategoryCount> kCatalogCategories;
// The built-in items in tree order; their number follows from the table.
extern const std::span<const CatalogItem> kCatalogItems;
extern const int kCatalogItemCount;

// The items of the rules category, after the built-in ones in the tree: their
// category, positions and nodes are set here. Replaces the ones installed
// before (whose records must be gone by then).
void SetCommunityItems(std::vector<CatalogItem> items);
std::span<const CatalogItem> CommunityItems();
// The number of items of a category and its i-th (0-based) item, the rules category's included.
int CategoryItemCount(int category);
const CatalogItem& CategoryItem(int category, int i);
// The root, the categories and the items, the rules' included.
int TreeNodeCount();

// The catalog item at (category, 1-based position), or nullptr; the lookups include the rules' items.
const CatalogItem* FindCatalogItem(int category, int pos);
// The catalog item with this tree node index, or nullptr.
const CatalogItem* FindCatalogItemByNode(int node);
// The catalog item with this caption, or nullptr.
const CatalogItem* FindCatalogItemByName(std::string_view name);

using TCatalogList = std::vector<std::shared_ptr<TSectionRec>>;

// Fills the list of each category with its item records.
void BuildCatalog(TCatalogList* const lists[kCategoryCount]);
