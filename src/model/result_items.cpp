#include "model/result_items.h"

std::string TraceKeyOf(const TResultContentItem& r) {
    std::string key(r.Item ? r.Item->name : std::string_view(r.ItemName));
    for (const std::string* field : {&r.Location, &r.ValueName, &r.KeyName}) key += '\x1f' + *field;
    for (int slot = 4; slot <= 9; ++slot) key += '\x1f' + r.DetailAt(slot);
    return key + '\x1f' + std::to_string(r.Line);
}

const std::string& FieldText(const TResultContentItem& r, ShownField field) {
    switch (field) {
    case ShownField::ValueName: return r.ValueName;
    case ShownField::ValueData: return r.ValueData;
    case ShownField::KeyName: return r.KeyName;
    case ShownField::Location: return r.Location;
    default: return r.DetailAt(4 + static_cast<int>(field) - static_cast<int>(ShownField::Detail4));
    }
}

std::string ShownNameOf(int category, const TResultContentItem& record) {
    const CatalogItem* item = record.Item;
    // A file or a store of many sites says which sites it names.
    if (item && record.Store >= 0 && static_cast<size_t>(record.Store) < item->stores.size() &&
        !record.ValueData.empty()) {
        const StoreKind kind = item->stores[static_cast<size_t>(record.Store)].kind;
        if ((kind == StoreKind::Files && record.Kind == kKindStoreFile) || kind == StoreKind::Folder)
            return record.ValueName + " (" + record.ValueData + ")";
    }
    if (item && !FieldText(record, item->shown).empty()) return FieldText(record, item->shown);
    if (!item && category == 1 && !record.ValueData.empty()) return record.ValueData;
    // A database row without an address is named as such (its visit count is no name).
    if (record.Kind == kKindHistoryRow)
        return record.ValueData.empty() ? "(a page without an address)" : "(a page without an address) " + record.ValueData;
    // A row must say what it is: Netmeeting's groups, Open With's programs and
    // AutoComplete's values keep no text of their own.
    for (const std::string* name : {&record.KeyName, &record.ValueName, &record.Location})
        if (!name->empty()) return *name;
    return {};
}

TExcludeContentItem ExclusionEntryOf(const TResultContentItem& record) {
    const CatalogItem* item = record.Item;
    // A file or a folder of a browser profile is kept by its path (a site's folder, by its site).
    if (item && record.Store >= 0 && static_cast<size_t>(record.Store) < item->stores.size()) {
        const StoreKind kind = item->stores[static_cast<size_t>(record.Store)].kind;
        if (kind == StoreKind::Files || kind == StoreKind::Folder) return {record.ItemName, record.Location, "", ""};
    }
    if (item && item->excludeBy == ExcludeBy::EntryName) return {record.ItemName, record.ValueName, "", ""};
    if (item && item->excludeBy == ExcludeBy::HostAndName) return {record.ItemName, record.ValueData, "", record.KeyName};
    std::string data;
    switch (item ? item->test : TestData::ValueText) {
    case TestData::ValueText:
    case TestData::None: data = record.ValueData; break;
    case TestData::Empty: break;
    case TestData::ListedName: data = record.KeyName.empty() ? record.ValueName : record.KeyName; break;
    case TestData::OwnName:
        if (record.ValueName == item->ownNameTested) data = record.ValueName;
        break;
    }
    return {record.ItemName, record.Location, record.ValueName, data};
}
