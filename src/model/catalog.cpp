#include "model/catalog.h"

using SF = ShownField;

const std::array<CatalogCategory, kCategoryCount> kCatalogCategories = {{
    {"Internet Explorer", 1, 0, 9},
    {"Windows Software", 11, 9, 16},
    {"Windows System", 28, 25, 15},
    {"Internet Software", 44, 40, 10},
}};

const std::array<CatalogItem, kCatalogItemCount> kCatalogItems = {{
    {0, 1, "Cache", 2, "Clean IE Cache", true, SF::ValueName, -1},
    {0, 2, "Address Bar History", 3, "Clean Address Bar History", true, SF::ValueData, -1},
    {0, 3, "Cookies", 4, "Clean IE Cookies", true, SF::ValueName, -1},
    {0, 4, "Favorites", 5, "Clean Favorites", false, SF::ValueName, -1},
    {0, 5, "Favorites Export File", 6, "Clean Favorites Export File", true, SF::ValueData, -1},
    {0, 6, "Favorites Import Folder", 7, "Clean Favorites Import Folder", true, SF::ValueData, -1},
    {0, 7, "AutoCompleteData", 8, "AutoComplete Form Data", true, SF::ValueData, -1},
    {0, 8, "Download Directory", 9, "Clean Download Directory", true, SF::ValueData, -1},
    {0, 9, "Save Directory", 10, "Clean Save Directory", true, SF::ValueData, -1},

    {1, 1, "Paint", 12, "Clean Paint History", true, SF::ValueData, -1},
    {1, 2, "WordPad", 13, "Clean WordPad History", true, SF::ValueData, -1},
    {1, 3, "Media Player History_List", 14, "Clean Windows Media Player", true, SF::ValueData, -1},
    {1, 4, "Microsoft Frontpage Express", 15, "Clean Frontpage Express History", true, SF::ValueData, -1},
    {1, 5, "Microsoft Help Workshop", 16, "Clean Microsoft Help Workshop History", true, SF::ValueData, -1},
    {1, 6, "Microsoft Office", 17, "Clean Microsoft Office", true, SF::ValueData, -1},
    {1, 7, "Microsoft Publisher", 18, "Clean Microsoft Publisher", true, SF::ValueData, -1},
    {1, 8, "Microsoft FrontPage", 19, "Clean Microsoft FrontPage", true, SF::ValueData, -1},
    {1, 9, "Microsoft Netmeeting", 20, "Clean Microsoft Netmeeting", true, SF::ValueData, -1},
    {1, 10, "Microsoft MSN_Messenger", 21, "Clean Microsoft MSN Messenger", true, SF::ValueData, -1},
    {1, 11, "MSDN Project MRU_List", 22, "Clean MSDN Project MRU List", true, SF::ValueData, -1},
    {1, 12, "WinRAR History", 23, "Clean WinRAR History", true, SF::Location, -1},
    {1, 13, "WinZip History", 24, "Clean WinZip History", true, SF::ValueData, -1},
    {1, 14, "ZipMagic History", 25, "Clean ZipMagic History", true, SF::ValueData, -1},
    {1, 15, "ASPack History", 26, "Clean ASPack History", true, SF::ValueData, -1},
    {1, 16, "ACDSee History", 27, "Clean ACDSee History", true, SF::ValueData, -1},

    {2, 1, "Run History", 29, "Clean RunMRU", true, SF::ValueData, -1},
    {2, 2, "Windows Send To", 30, "Clean Windows Send To", true, SF::ValueName, -1},
    {2, 3, "Recent Files", 31, "Clean Windows Recent Documents Files", true, SF::ValueName, -1},
    {2, 4, "Telnet Menu History", 32, "Clean Telnet Menu History", true, SF::KeyName, -1},
    {2, 5, "My Network Places", 33, "Clean My Network Places", true, SF::KeyName, -1},
    {2, 6, "Map Network Drive History", 34, "Clean Map Network Drive MRU", true, SF::ValueData, -1},
    {2, 7, "Windows Explorer Open With History", 35, "Clean Windows Explorer Open With History", true, SF::ValueData, -1},
    {2, 8, "Microsoft Management Console MRU List", 36, "Clean Microsoft Management Console MRU List", true, SF::ValueData, -1},
    {2, 9, "Regedit32 History", 37, "Clean Regedit32 History", true, SF::ValueData, -1},
    {2, 10, "Start Menu Click History", 38, "Clean Start Menu Click History", true, SF::KeyName, -1},
    {2, 11, "Start Menu Order History", 39, "Clean Start Menu Order History", true, SF::ValueName, -1},
    {2, 12, "TrayNotify", 40, "Clean TrayNotify History", true, SF::ValueName, -1},
    {2, 13, "ShareFolder", 41, "Clean ShareFolder", true, SF::KeyName, -1},
    {2, 14, "Exe MUICache", 42, "Clean Windows MUICache", true, SF::ValueData, -1},
    {2, 15, "RecycleBin", 43, "Clean RecycleBin", true, SF::ValueName, -1},

    {3, 1, "Real DownLoad", 45, "Clean RealDownload", true, SF::ValueData, -1},
    {3, 2, "GetRight", 46, "Clean GetRight MRU Info", true, SF::ValueData, -1},
    {3, 3, "DownloadAccelerator", 47, "Clean Download Accelerator", true, SF::ValueData, -1},
    {3, 4, "KazaaHistory", 48, "Clean Kazaa History", true, SF::ValueData, -1},
    {3, 5, "FireFoxHistory", 49, "", true, SF::Detail4, 4},
    {3, 6, "FireFoxCookies", 50, "", true, SF::Detail5, 5, "FireFox Cookies"},
    {3, 7, "FireFoxCache", 51, "", true, SF::Detail6, 6},
    {3, 8, "NetscapeHistory", 52, "", true, SF::Detail7, 7, "Netscape History"},
    {3, 9, "NetscapeCookies", 53, "", true, SF::Detail8, 8, "Netscape Cookies"},
    {3, 10, "NetscapeCache", 54, "", true, SF::Detail9, 9, "netscape Cache"},
}};

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
