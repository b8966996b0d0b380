#include "scan/scanners.h"

#include "model/catalog.h"

extern const Scanner kInternetExplorerScanners[9];
extern const Scanner kWindowsSystemScanners[15];
extern const Scanner kWindowsSoftwareScanners[16];
extern const Scanner kInternetSoftwareScanners[10];

Scanner ScannerFor(int category, int pos) {
    const CatalogItem* item = FindCatalogItem(category, pos);
    if (!item) return nullptr;
    switch (category) {
    case 0: return kInternetExplorerScanners[pos - 1];
    case 1: return kWindowsSoftwareScanners[pos - 1];
    case 2: return kWindowsSystemScanners[pos - 1];
    default: return kInternetSoftwareScanners[pos - 1];
    }
}
