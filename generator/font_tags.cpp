#include "generator/font_tags.h"

#include <string_view>

#include "model/paths.h"

namespace {

constexpr int kIndexSizes[kIndexFontCount] = {2, 2, 2, 2};
constexpr int kItemSizes[kItemFontCount] = {5, 4, 3, 3, 4, 2, 3, 3, 3, 2, 2, 2};
constexpr int kBasketSizes[kBasketFontCount] = {5, 3, 2, 2, 3};
constexpr int kSearchSize = 3;

std::string arialStart(int size, std::string_view colour) {
    return "<FONT FACE=\"arial\" SIZE=" + std::to_string(size) + " COLOR=" + std::string(colour) + ">";
}

template <std::size_t N>
int sizeAt(const int (&sizes)[N], int entry) {
    return entry >= 0 && entry < static_cast<int>(N) ? sizes[entry] : sizes[0];
}

}  // namespace

FontTag recordFontTags(const FontSpec& font) {
    FontTag tag;
    const std::string_view face = fieldText(font.face);
    const std::string_view colour = fieldText(font.colour);
    const bool openFont = !face.empty() || font.size > 0 || !colour.empty();
    if (openFont) {
        tag.start = "<FONT";
        if (!face.empty())
            tag.start += " FACE=\"" + std::string(face) + "\"";
        if (font.size > 0)
            tag.start += " SIZE=" + std::to_string(font.size);
        if (!colour.empty())
            tag.start += " COLOR=" + std::string(colour);
        tag.start += ">";
    }
    if (font.style & 1) {
        tag.start += "<B>";
        tag.end += "</B>";
    }
    if (font.style & 2) {
        tag.start += "<I>";
        tag.end += "</I>";
    }
    if (openFont)
        tag.end += "</FONT>";
    return tag;
}

FontTag defaultFontTags(FontGroup group, int entry, const AppearanceSet& appearance) {
    switch (group) {
    case FontGroup::Index:
        return {arialStart(sizeAt(kIndexSizes, entry), fieldText(appearance.indexTextColour)) + "<B>",
                "</B></FONT>"};
    case FontGroup::Item:
        return {arialStart(sizeAt(kItemSizes, entry), fieldText(appearance.itemTextColour)), "</FONT>"};
    case FontGroup::Basket: {
        const bool heading = entry == static_cast<int>(BasketFont::Heading);
        return {arialStart(sizeAt(kBasketSizes, entry), fieldText(appearance.pageColours[1])) +
                    (heading ? "<B><I>" : ""),
                std::string(heading ? "</B></I>" : "") + "</FONT>"};
    }
    case FontGroup::Search:
        return {arialStart(kSearchSize, fieldText(appearance.indexTextColour)), "</FONT>"};
    }
    return {};
}

FontTag fontTags(const FontSpec& font, const FontTag& fallback) {
    FontTag tag = recordFontTags(font);
    if (tag.start.empty())
        return fallback;
    return tag;
}

FontTagTable buildFontTags(const AppearanceSet& appearance) {
    FontTagTable table;
    for (int i = 0; i < kIndexFontCount; ++i)
        table.index[i] = fontTags(appearance.indexFonts[i], defaultFontTags(FontGroup::Index, i, appearance));
    for (int i = 0; i < kItemFontCount; ++i)
        table.item[i] = fontTags(appearance.itemFonts[i], defaultFontTags(FontGroup::Item, i, appearance));
    for (int i = 0; i < kBasketFontCount; ++i)
        table.basket[i] = fontTags(appearance.basketFonts[i], defaultFontTags(FontGroup::Basket, i, appearance));
    table.search = fontTags(appearance.searchFont, defaultFontTags(FontGroup::Search, 0, appearance));
    return table;
}
