#include "model/shared_state.h"

int32_t ScanState = kScanIdle;
std::function<void()> LoopEntryHook;

bool AbortRequested() {
    if (LoopEntryHook) LoopEntryHook();
    return ScanState == kScanAbort;
}

TResultContents IEResults, SoftwareResults, SystemResults, InternetResults;
TExcludeContents ExcludeList;
TCatalogList IECatalog, SoftwareCatalog, SystemCatalog, InternetCatalog;

TCatalogList* const AllCatalogs[kCategoryCount] = {&IECatalog, &SoftwareCatalog, &SystemCatalog,
                                                   &InternetCatalog};

TResultContents* ResultsOf(int category) {
    switch (category) {
    case 0: return &IEResults;
    case 1: return &SoftwareResults;
    case 2: return &SystemResults;
    case 3: return &InternetResults;
    default: return nullptr;
    }
}
