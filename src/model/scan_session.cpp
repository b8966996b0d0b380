#include "model/scan_session.h"

#include <utility>

ScanSession::ScanSession() { BuildCatalog(catalogs_); }

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

void ScanSession::ClearResults() {
    for (int c = 0; c < kCategoryCount; ++c) ResultsOf(c)->Clear();
    ClearRows();
}

void ScanSession::ClearRows() {
    ResultRows.clear();
    SizeTotal = 0;
}
