// Which catalog item a result record belongs to, and the text the result
// list shows for it.
#pragma once

#include <string>

#include "model/catalog.h"
#include "model/records.h"

// A record belongs to an item when its CleanName is the item's clean caption,
// or, for the six browser items, when its Kind is the item's kind.
bool BelongsTo(const CatalogItem& item, const TResultContentItem& record);

// The first item of the category that the record belongs to, or nullptr.
const CatalogItem* ItemOfRecord(int category, const TResultContentItem& record);

// The catalog item whose records carry this record's ItemName, or nullptr
// (records made by hand carry none).
const CatalogItem* ItemNamedBy(const TResultContentItem& record);

// The record field the item shows (ShownField).
const std::string& FieldText(const TResultContentItem& record, ShownField field);

// The exclusion entry that keeps the record's trace out of later scans: the
// fields its scanner tests, as its catalog row says. Items that test the
// entry's name alone (a cache or cookie address, a favorite's file name)
// store it as the Location; the others store the record's key, value name and
// the data their scanner tests (most the value's text; some no text, the
// listed name, or the name of one value of their own).
TExcludeContentItem ExclusionEntryOf(const TResultContentItem& record);

// The Name column of the record: the field its item shows, or when that is
// empty, the next that names the trace: the key name, the value name, the
// location. For a record of no item, its ValueData in Windows Software, else
// the same fallback.
std::string ShownNameOf(int category, const TResultContentItem& record);
// The same for a record of the item (nullptr: of no item).
std::string ShownNameOf(const CatalogItem* item, int category, const TResultContentItem& record);
