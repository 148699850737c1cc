#include "app/core/common_text_groups.h"

namespace {

constexpr CommonTextEntry kStandardLinks[] = {{0, "Show Basket"}, {1, "Previous Index"}, {2, "Home"}};
constexpr CommonTextEntry kItemShopping[] = {
    {3, "Quantity"}, {4, "Show Cost (button)"}, {5, "Cost"}, {6, "Add To Basket (button)"},
    {7, "Update Basket (button)"},
};
constexpr CommonTextEntry kPopUps[] = {{8, "item added to basket"}, {9, "item updated"}};
constexpr CommonTextEntry kItemNavigation[] = {{10, "Previous"}, {11, "Next"}};
constexpr CommonTextEntry kBasketTable[] = {
    {12, "Heading"}, {13, "Item (Column)"}, {14, "Unit Price (column)"}, {15, "Quantity (column)"},
    {16, "Cost (column)"}, {17, "Remove (column)"},
};
constexpr CommonTextEntry kBasketFrame[] = {
    {18, "Order Form (button)"}, {19, "Reset (button)"}, {20, "Delivery"}, {21, "Delivery Cost"},
};
constexpr CommonTextEntry kSearch[] = {
    {24, "Search (label)"}, {25, "No Items Found"}, {26, "Search Results"}, {27, "Search (button)"},
};
constexpr CommonTextEntry kMiscellaneous[] = {
    {22, "Another image (rollover)"}, {23, "Go back to (rollover)"}, {28, "including (tax)"},
    {29, "no items (alert box)"},
};

constexpr CommonTextGroup kGroups[] = {
    {"Standard Links", kStandardLinks},   {"Item (Shopping)", kItemShopping},
    {"Pop up messages", kPopUps},         {"Item Navigation", kItemNavigation},
    {"Shopping Basket table", kBasketTable}, {"Basket Frame", kBasketFrame},
    {"Search", kSearch},                  {"Miscellaneous", kMiscellaneous},
};

}  // namespace

std::span<const CommonTextGroup> commonTextGroups() { return kGroups; }
