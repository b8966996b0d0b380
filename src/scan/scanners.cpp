#include "scan/scanners.h"

void ScanItem(const CatalogItem& item, const ScanContext& ctx) {
    switch (item.shape) {
    case ScanShape::ValueList:
    case ScanShape::SubkeyList: return RunListScanner(item, ctx);
    case ScanShape::MultiKey: {
        int counter = 0;
        return RunMultiKeyScanner(item, counter, ctx);
    }
    case ScanShape::SingleValue: return RunSingleValueScanner(item, ctx);
    case ScanShape::FolderWalk: return ScanShellFolder(item, ctx);
    case ScanShape::ProfileFile: return ScanProfileFile(item, ctx);
    case ScanShape::Special: break;
    }
    switch (item.special) {
    case Special::UrlCacheContent:
    case Special::UrlCacheCookies: return ScanUrlCache(item, ctx);
    case Special::TrayNotify: return ScanTrayNotify(item, ctx);
    case Special::WinZip: return ScanWinZip(item, ctx);
    case Special::ACDSee: return ScanACDSee(item, ctx);
    case Special::RealDownload: return ScanRealDownload(item, ctx);
    case Special::RecycleBin: return ScanRecycleBin(item, ctx);
    case Special::BrowserCache: return ScanBrowserCache(item, ctx);
    case Special::ProfileStores: return ScanProfileStores(item, ctx);
    case Special::Files: return ScanFiles(item, ctx);
    case Special::NumberedMru: return ScanNumberedMru(item, ctx);
    case Special::UserAssist: return ScanUserAssist(item, ctx);
    case Special::RegeditHistory: return ScanRegeditHistory(item, ctx);
    case Special::RecycledItems: return ScanRecycledItems(item, ctx);
    case Special::OldTempFiles: return ScanOldTempFiles(item, ctx);
    case Special::Clipboard: return ScanClipboard(item, ctx);
    case Special::RemoteDesktop: return ScanRemoteDesktop(item, ctx);
    case Special::LinesOfFiles: return ScanLinesOfFiles(item, ctx);
    case Special::OfficeMru: return ScanOfficeMru(item, ctx);
    case Special::AcrobatRecent: return ScanAcrobatRecent(item, ctx);
    case Special::ValueLists: return ScanValueLists(item, ctx);
    case Special::SettingsList: return ScanSettingsList(item, ctx);
    case Special::CommunityRule: return ScanCommunityRule(item, ctx);
    case Special::None: break;
    }
}
