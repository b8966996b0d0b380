#include "model/result_items.h"

#include "model/text.h"

bool BelongsTo(const CatalogItem& item, const TResultContentItem& record) {
    if (item.belongsByKind) return record.Kind == item.kind;
    return record.CleanName == item.cleanCaption;
}

const CatalogItem* ItemNamedBy(const TResultContentItem& record) {
    const std::string_view name = TrimControl(record.ItemName);
    for (const CatalogItem& item : kCatalogItems)
        if (item.RecordItemName() == name) return &item;
    return nullptr;
}

const CatalogItem* ItemOfRecord(int category, const TResultContentItem& record) {
    if (category < 0 || category >= kCategoryCount) return nullptr;
    const CatalogCategory& c = kCatalogCategories[category];
    for (int i = 0; i < c.itemCount; ++i) {
        const CatalogItem& item = kCatalogItems[c.firstItem + i];
        if (BelongsTo(item, record)) return &item;
    }
    return nullptr;
}

const std::string& FieldText(const TResultContentItem& r, ShownField field) {
    switch (field) {
    case ShownField::ValueName: return r.ValueName;
    case ShownField::ValueData: return r.ValueData;
    case ShownField::KeyName: return r.KeyName;
    case ShownField::Location: return r.Location;
    case ShownField::Detail4: return r.Detail4;
    case ShownField::Detail5: return r.Detail5;
    case ShownField::Detail6: return r.Detail6;
    case ShownField::Detail7: return r.Detail7;
    case ShownField::Detail8: return r.Detail8;
    default: return r.Detail9;
    }
}

std::string ShownNameOf(int category, const TResultContentItem& record) {
    if (const CatalogItem* item = ItemOfRecord(category, record)) return FieldText(record, item->shown);
    return category == 1 ? record.ValueData : std::string();
}

TExcludeContentItem ExclusionEntryOf(const TResultContentItem& record) {
    const CatalogItem* item = ItemNamedBy(record);
    if (item && item->excludeBy == ExcludeBy::EntryName) return {record.ItemName, record.ValueName, "", ""};
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
