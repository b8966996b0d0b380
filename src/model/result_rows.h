// The rows of the result list: copies of the fields the list shows, taken from
// the records once per rebuild, so painting never touches the collections.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

class ScanSession;

struct TResultItem {
    std::string CleanName;
    std::string ItemName;     // Item column
    std::string ShownName;    // Name column
    std::string Path;
    std::string ValueName;
    std::string ValueData;    // KeyName instead in the lists of items whose name is a key name
    std::string Location;
    uint8_t Checked = 0;
    int32_t CategoryIndex = 0;
    uint8_t Deleted = 0;
    StayReason Reason = StayReason::None;  // why a trace a clean was asked to remove stayed
    int64_t Size = 0;
    // The record the row was built from, in its category's collection. It
    // lives as long as the row: the session drops the rows of every record it
    // takes away (an exclusion, a purge, a new scan).
    TResultContentItem* Source = nullptr;
};

// Fills the session's rows from the category's collection: every record of
// the item (item 0: every record of the category); append keeps the rows
// already there. An unknown category or item adds nothing.
void BuildResultRows(ScanSession& session, int category, int item, bool append);
// Rows of one item that share a name say where they are: each gets " (folder)"
// after its name, the shortest end of its place's folder (or key) that tells
// them apart (a browser's profile, a report's folder). Rows from first on.
void TellApartSameNames(std::vector<TResultItem>& rows, size_t first = 0);
// Sets Checked on every record of the category that belongs to the item (0: all).
void CheckResults(ScanSession& session, int category, int item, bool value);

// The count and size labels of the list: "%d" of the rows, and the size in B,
// KB or MB with two decimals (sep as decimal separator) and its unit.
struct SizeLabel { std::string value, unit; };
SizeLabel SizeLabelOf(int64_t bytes, const std::string& sep);
// Checked records not yet removed, and their bytes, over every collection.
void CheckedTotals(const ScanSession& session, int64_t& count, int64_t& bytes);
// Checked records not yet removed, over every collection.
int CountChecked(const ScanSession& session);

// Drops every record whose Deleted is set; the others keep their order.
void RemoveDeletedResults(TResultContents& results);
