// Which catalog item a result record belongs to, and the text the result
// list shows for it.
#pragma once

#include <string>

#include "model/catalog.h"
#include "model/records.h"

// A record belongs to the catalog item whose scanner made it.
inline bool BelongsTo(const CatalogItem& item, const TResultContentItem& record) { return record.Item == &item; }

// What tells one trace from every other: its item with the place and the
// names its scanner found it under. The same trace found by a later scan has
// the same key.
std::string TraceKeyOf(const TResultContentItem& record);

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
