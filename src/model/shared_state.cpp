#include "model/shared_state.h"

int32_t ScanState = kScanIdle;
std::function<void()> LoopEntryHook;

bool AbortRequested() {
    if (LoopEntryHook) LoopEntryHook();
    return ScanState == kScanAbort;
}

TResultContents IEResults, SoftwareResults, SystemResults, InternetResults, BrowserResults, ModernResults;
TExcludeContents ExcludeList;
TCatalogList IECatalog, SoftwareCatalog, SystemCatalog, InternetCatalog, BrowserCatalog, ModernCatalog;

TCatalogList* const AllCatalogs[kCategoryCount] = {&IECatalog,       &SoftwareCatalog, &SystemCatalog,
                                                   &InternetCatalog, &BrowserCatalog,  &ModernCatalog};

TResultContents* ResultsOf(int category) {
    switch (category) {
    case 0: return &IEResults;
    case 1: return &SoftwareResults;
    case 2: return &SystemResults;
    case 3: return &InternetResults;
    case 4: return &BrowserResults;
    case 5: return &ModernResults;
    default: return nullptr;
    }
}
