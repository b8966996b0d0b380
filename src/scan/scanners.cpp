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

std::string ExclusionDataOf(const TResultContentItem& record) {
    enum class Data { Empty, ListedName, OwnName };
    // The scanners that do not test the value's text (their rows and code say the same).
    static const struct { const char* item; Data data; const char* only; } kOther[] = {
        {"AutoCompleteData", Data::Empty, nullptr},
        {"Microsoft Netmeeting", Data::Empty, nullptr},
        {"Telnet Menu History", Data::Empty, nullptr},
        {"My Network Places", Data::Empty, nullptr},
        {"Regedit32 History", Data::Empty, nullptr},
        {"ShareFolder", Data::Empty, nullptr},
        {"Windows Explorer Open With History", Data::ListedName, nullptr},
        {"Start Menu Click History", Data::ListedName, nullptr},
        {"Start Menu Order History", Data::ListedName, nullptr},
        {"TrayNotify", Data::OwnName, "PasticonsStream"},  // tested with its own name; IconStreams with no text
        {"ACDSee History", Data::OwnName, "OpenFolder"},    // likewise; LastFolder with no text
    };
    for (const auto& o : kOther) {
        if (record.ItemName != o.item) continue;
        switch (o.data) {
        case Data::Empty: return {};
        case Data::ListedName: return record.KeyName.empty() ? record.ValueName : record.KeyName;
        case Data::OwnName: return record.ValueName == o.only ? record.ValueName : std::string();
        }
    }
    return record.ValueData;
}
