// The trace catalog: 50 items in four categories, as one data table.
// Tree positions, scanner dispatch, clean captions, default ticks, the field the
// result list shows and the exclusion page's category sets all derive from it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Data of every node of the item tree and the result tree.
struct TSectionRec {
    int32_t CategoryIndex = 0;
    int32_t ItemIndex = 0;      // 1-based position in the category; 0 for a category
    std::string CategoryName;
    std::string ItemName;
    uint8_t Ticked = 0;         // mirrors the node's state image (6 ticked, 7 unticked)
    int32_t FoundCount = 0;
};

// Which record field the result list shows in its Name column.
enum class ShownField { ValueName, ValueData, KeyName, Location, Detail4, Detail5, Detail6, Detail7, Detail8, Detail9 };

struct CatalogItem {
    int category;               // 0..3
    int pos;                    // ItemIndex, 1-based
    std::string_view name;      // caption in the trees; exclusion ItemName
    int node;                   // absolute index in the item tree
    std::string_view cleanCaption;  // CleanName of the item's records; empty for browser items
    bool ticked;                // default tick
    ShownField shown;
    int kind;                   // browser items: records belong by this Kind; otherwise -1
    std::string_view recordName = {};  // ItemName of the item's records when it differs from name

    std::string_view RecordItemName() const { return recordName.empty() ? name : recordName; }
};

struct CatalogCategory {
    std::string_view caption;
    int node;                   // absolute index of the category node
    int firstItem;              // index of its first item in kCatalogItems
    int itemCount;
};

constexpr int kCategoryCount = 4;
constexpr int kCatalogItemCount = 50;
constexpr int kTreeNodeCount = 1 + kCategoryCount + kCatalogItemCount;
inline constexpr std::string_view kRootCaption = "My Computer";

extern const std::array<CatalogCategory, kCategoryCount> kCatalogCategories;
extern const std::array<CatalogItem, kCatalogItemCount> kCatalogItems;

// The catalog item at (category, 1-based position), or nullptr.
const CatalogItem* FindCatalogItem(int category, int pos);
// The catalog item with this tree node index, or nullptr.
const CatalogItem* FindCatalogItemByNode(int node);
// The catalog item with this caption, or nullptr.
const CatalogItem* FindCatalogItemByName(std::string_view name);

using TCatalogList = std::vector<std::shared_ptr<TSectionRec>>;

// Creates the four lists and fills them with the item records, category 0 to 3.
void BuildCatalog(TCatalogList* const lists[kCategoryCount]);
