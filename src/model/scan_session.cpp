#include "model/scan_session.h"

#include <utility>

ScanSession::ScanSession() {
    for (int c = 0; c < kCategoryCount; ++c) catalogs_[c] = &CatalogLists[static_cast<size_t>(c)];
    BuildCatalog(catalogs_);
}

bool ScanSession::AbortRequested() const {
    if (LoopEntryHook) LoopEntryHook();
    return ScanState == kScanAbort;
}

void ScanSession::RequestAbort() {
    if (ScanState == kScanRunning) ScanState = kScanAbort;
}

TResultContents* ScanSession::ResultsOf(int category) {
    return const_cast<TResultContents*>(std::as_const(*this).ResultsOf(category));
}

const TResultContents* ScanSession::ResultsOf(int category) const {
    return category >= 0 && category < kCategoryCount ? &Results[static_cast<size_t>(category)] : nullptr;
}

void ScanSession::ClearResults() {
    for (int c = 0; c < kCategoryCount; ++c) ResultsOf(c)->Clear();
    ClearRows();
}

void ScanSession::ClearRows() {
    ResultRows.clear();
    SizeTotal = 0;
}
