#include "model/result_items.h"

#include "model/text.h"

bool BelongsTo(const CatalogItem& item, const TResultContentItem& record) {
    if (item.kind >= 0) return record.Kind == item.kind;
    return record.CleanName == item.cleanCaption;
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

namespace {

// The data a registry trace's scanner hands to IsRegExcluded.
std::string ExclusionDataOf(const TResultContentItem& record) {
    enum class Data { Empty, ListedName, OwnName };
    // The scanners that do not test the value's text.
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

}  // namespace

TExcludeContentItem ExclusionEntryOf(const TResultContentItem& record) {
    const std::string item(TrimControl(record.ItemName));
    if (item == "Cache" || item == "Cookies" || item == "Favorites") return {record.ItemName, record.ValueName, "", ""};
    return {record.ItemName, record.Location, record.ValueName, ExclusionDataOf(record)};
}
