#include "app/core/font_pages.h"

#include <deque>
#include <string>

namespace {

struct FontElement {
    std::string_view label;
    std::string_view font;   // the FontSpec's name, e.g. "indexFonts.1"
    std::string_view heading = {};
};

struct FontPage {
    std::string_view title;
    std::vector<FontElement> elements;
};

// The rollover colours of the index links are kept out of the sheet: they
// are not shown, so the record keeps what it holds.
const std::vector<FontPage>& fontPageElements() {
    static const std::vector<FontPage> pages = {
        {"Index",
         {{"text", "indexFonts.0"}, {"item link", "indexFonts.1"}, {"index link", "indexFonts.2"},
          {"standard links", "indexFonts.3"}}},
        {"Item",
         {{"heading", "itemFonts.0"}, {"price", "itemFonts.1"}, {"text", "itemFonts.2"},
          {"form labels", "itemFonts.3"}, {"first heading", "itemFonts.4"}, {"item heading", "itemFonts.7"}}},
        {"Item tables & columns",
         {{"heading row", "itemFonts.5", "table layout"}, {"heading row", "itemFonts.6", "column layout"},
          {"heading", "itemFonts.8", "tables & columns"}, {"price", "itemFonts.9"}, {"text", "itemFonts.10"},
          {"form labels", "itemFonts.11"}}},
        {"Basket",
         {{"heading", "basketFonts.0"}, {"controls", "basketFonts.1"}, {"order", "basketFonts.2"},
          {"order heading", "basketFonts.3"}, {"currencies", "basketFonts.4"}}},
        {"Search", {{"heading", "searchFont"}}},
    };
    return pages;
}

// Controls are numbered from here, ten to an element across the whole sheet.
constexpr int kFirstControl = 3000;

std::vector<FormField> elementRows(const FontElement& element, int firstControl, std::deque<std::string>& names) {
    const auto name = [&](std::string_view part) -> std::string_view {
        return names.emplace_back(std::string(element.font) + "." + std::string(part));
    };
    const std::string_view style = name("style");
    return {
        {.control = firstControl, .label = element.label, .field = name("face"), .kind = FormControl::FontFace,
         .maxChars = 40, .heading = element.heading},
        {.control = firstControl + 1, .label = "size", .field = name("size"), .kind = FormControl::Number,
         .lowest = 0, .highest = 7, .sameLine = true},
        {.control = firstControl + 2, .label = "colour", .field = name("colour"), .kind = FormControl::ColourName,
         .maxChars = 15, .sameLine = true},
        {.control = firstControl + 3, .label = "bold", .field = style, .kind = FormControl::Check, .bit = 0,
         .sameLine = true},
        {.control = firstControl + 4, .label = "italic", .field = style, .kind = FormControl::Check, .bit = 1,
         .sameLine = true},
    };
}

}  // namespace

std::span<const SheetPage> fontSheetPages() {
    struct Built {
        std::deque<std::string> names;  // the rows' field names live here
        std::vector<std::vector<FormField>> rows;
        std::vector<SheetPage> pages;
    };
    static const Built built = [] {
        Built result;
        int control = kFirstControl;
        for (const FontPage& page : fontPageElements()) {
            std::vector<FormField>& rows = result.rows.emplace_back();
            for (const FontElement& element : page.elements) {
                for (FormField& row : elementRows(element, control, result.names))
                    rows.push_back(std::move(row));
                control += 10;
            }
        }
        for (std::size_t i = 0; i < result.rows.size(); ++i)
            result.pages.push_back({fontPageElements()[i].title, result.rows[i]});
        return result;
    }();
    return built.pages;
}
