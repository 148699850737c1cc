#pragma once
// The font start and end texts that wrap every kind of page text, built once
// per run from the font records of the appearance block.
#include <string>

#include "model/settings_record.h"

struct FontTag {
    std::string start;
    std::string end;
};

struct FontTagTable {
    FontTag index[4];    // text, item link, index link, standard links
    FontTag item[12];    // heading, price, text, form labels, first heading, details rows, heading row,
                         // item heading, columns heading, columns price, columns text, columns form labels
    FontTag basket[5];   // heading, controls, order, order heading, currencies
    FontTag search;
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
