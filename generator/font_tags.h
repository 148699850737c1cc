#pragma once
// The font start and end texts that wrap every kind of page text, built once
// per run from the font records of the appearance block.
#include <string>

#include "model/settings_record.h"

struct FontTag {
    std::string start;
    std::string end;
};

// The entries of each group, in the order of their font records.
enum class IndexFont : int {
    Text = 0,            // text lines and titles
    ItemLink = 1,        // item and link lines
    IndexLink = 2,       // sub-index lines
    StandardLinks = 3,   // navigation links
};
inline constexpr int kIndexFontCount = 4;

enum class ItemFont : int {
    Heading = 0,
    Price = 1,
    Text = 2,
    FormLabels = 3,
    FirstHeading = 4,
    DetailsRows = 5,
    HeadingRow = 6,
    ItemHeading = 7,
    ColumnsHeading = 8,
    ColumnsPrice = 9,
    ColumnsText = 10,
    ColumnsFormLabels = 11,
};
inline constexpr int kItemFontCount = 12;

enum class BasketFont : int {
    Heading = 0,
    Controls = 1,
    Order = 2,
    OrderHeading = 3,
    Currencies = 4,
};
inline constexpr int kBasketFontCount = 5;

struct FontTagTable {
    FontTag index[kIndexFontCount];
    FontTag item[kItemFontCount];
    FontTag basket[kBasketFontCount];
    FontTag search;

    const FontTag& operator[](IndexFont entry) const { return index[static_cast<int>(entry)]; }
    const FontTag& operator[](ItemFont entry) const { return item[static_cast<int>(entry)]; }
    const FontTag& operator[](BasketFont entry) const { return basket[static_cast<int>(entry)]; }
    FontTag& operator[](IndexFont entry) { return index[static_cast<int>(entry)]; }
    FontTag& operator[](ItemFont entry) { return item[static_cast<int>(entry)]; }
    FontTag& operator[](BasketFont entry) { return basket[static_cast<int>(entry)]; }
};

enum class FontGroup { Index, Item, Basket, Search };

// The tags one record asks for; the start is empty when the record gives no
// face, size, colour or style.
FontTag recordFontTags(const FontSpec& font);

// The group's own tags for one entry, used when its record is empty.
FontTag defaultFontTags(FontGroup group, int entry, const AppearanceSet& appearance);

// The record's tags, or fallback when the record gives nothing.
FontTag fontTags(const FontSpec& font, const FontTag& fallback);

// All 22 entries, each from its record with its group's default.
FontTagTable buildFontTags(const AppearanceSet& appearance);
