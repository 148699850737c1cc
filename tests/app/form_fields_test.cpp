// Carrying a control's value between the record and the window through a
// row of a page's table, with the row's conversions.
#include "app/core/form_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "app/core/dialog_tables.h"
#include "app/core/font_pages.h"
#include "app/core/sheet_pages.h"
#include "model/settings_fields.h"

namespace {

std::string stored(const SettingsBlocks& blocks, std::string_view name) {
    std::string value;
    EXPECT_EQ(settingsValue(blocks, name, value), 0) << name;
    return value;
}

void setStored(SettingsBlocks& blocks, std::string_view name, std::string_view value) {
    std::string error;
    ASSERT_EQ(setSettingsValue(blocks, name, value, error), 0) << error;
}

}  // namespace

TEST(FormFields, TextsAreConvertedAndCutOnTheWayIn) {
    struct Case {
        FormField field;
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {
        {{.field = "indexFrameWidth", .conversions = NoBlanks}, "25 %", "25%"},
        {{.field = "cgiAction", .conversions = Trim}, "  /cgi-bin/order.pl  ", "/cgi-bin/order.pl"},
        {{.field = "searchProgram", .conversions = NoBlanks}, "zk search.pl", "zksearch.pl"},
        {{.field = "homeLink", .maxChars = 5}, "Home page", "Home "},
        {{.field = "indexFrameWidth"}, std::string(40, '9'), std::string(15, '9')},  // the field holds 15
        {{.field = "indexBackgroundColour", .kind = FormControl::ColourName}, "navy", "navy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SettingsBlocks blocks{};
        FormValue value;
        value.text = c.typed;
        storeFormValue(blocks, c.field, value);
        EXPECT_EQ(stored(blocks, c.field.field), c.expected);
        EXPECT_EQ(loadFormValue(blocks, c.field).text, c.expected);
    }
}

TEST(FormFields, NumbersTakeTheirLeadingNumberAndStayInRange) {
    const FormField cellSpacing{.field = "itemTableSpacing", .kind = FormControl::Number,
                                .conversions = Clamp, .lowest = 0, .highest = 20};
    const FormField margin{.field = "indexMargin", .kind = FormControl::Number};
    const FormField fontSize{.field = "indexFonts.0.size", .kind = FormControl::Number, .lowest = 0, .highest = 7};
    struct Case {
        const FormField* field;
        std::string typed;
        std::string expected;
        bool refused;
    };
    const Case cases[] = {
        {&cellSpacing, "35", "20", false}, {&cellSpacing, "-3", "0", false}, {&cellSpacing, "7px", "7", false},
        {&margin, "", "0", false},         {&margin, "abc", "0", false},     {&margin, " 12", "12", false},
        {&fontSize, "8", "", true},        {&fontSize, "-1", "", true},      {&fontSize, "7", "7", false},
        {&fontSize, "0", "0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field->field) + " " + c.typed);
        SettingsBlocks blocks{};
        FormValue value;
        value.text = c.typed;
        const std::string refusal = checkFormValue(*c.field, value);
        EXPECT_EQ(!refusal.empty(), c.refused) << refusal;
        if (c.refused) {
            EXPECT_EQ(refusal, "Please enter an integer between 0 and 7.");
            continue;
        }
        storeFormValue(blocks, *c.field, value);
        EXPECT_EQ(stored(blocks, c.field->field), c.expected);
    }
}

TEST(FormFields, ChecksAndRadiosStoreTheirBitOrValueOnly) {
    SettingsBlocks blocks{};
    setStored(blocks, "musicFlags", "5");  // autostart and include music
    const FormField loop{.field = "musicFlags", .kind = FormControl::Check, .bit = 1};
    const FormField include{.field = "musicFlags", .kind = FormControl::Check, .bit = 2};
    EXPECT_FALSE(loadFormValue(blocks, loop).checked);
    EXPECT_TRUE(loadFormValue(blocks, include).checked);
    FormValue ticked;
    ticked.checked = true;
    storeFormValue(blocks, loop, ticked);
    EXPECT_EQ(stored(blocks, "musicFlags"), "7");
    storeFormValue(blocks, include, FormValue{});
    EXPECT_EQ(stored(blocks, "musicFlags"), "3");

    // "include resize" stands for a byte that holds 1 when frames may not be resized.
    const FormField resize{.field = "hideFrameBorders", .kind = FormControl::Check, .conversions = Inverted};
    storeFormValue(blocks, resize, ticked);
    EXPECT_EQ(stored(blocks, "hideFrameBorders"), "0");
    storeFormValue(blocks, resize, FormValue{});
    EXPECT_EQ(stored(blocks, "hideFrameBorders"), "1");
    EXPECT_FALSE(loadFormValue(blocks, resize).checked);

    // The main currency: the buttons "£", "$", "other..." store 1, 2 and 0.
    const FormField currency{.field = "currencySymbolKind", .kind = FormControl::Radio,
                             .choices = {"£", "$", "other..."}, .choiceValues = {1, 2, 0}};
    for (int choice : {0, 1, 2}) {
        FormValue chosen;
        chosen.choice = choice;
        storeFormValue(blocks, currency, chosen);
        EXPECT_EQ(stored(blocks, "currencySymbolKind"), std::to_string(currency.choiceValues[choice]));
        EXPECT_EQ(loadFormValue(blocks, currency).choice, choice);
    }
    setStored(blocks, "currencySymbolKind", "9");
    EXPECT_EQ(loadFormValue(blocks, currency).choice, -1);  // no button stands for it

    // One byte, two controls: the picture's place in bits 0-3, "Alternate" in the bits above.
    const FormField place{.field = "pictureAlignment", .kind = FormControl::Radio, .bit = 0, .bits = 4,
                          .choices = {"left", "centre", "right"}};
    const FormField alternate{.field = "pictureAlignment", .kind = FormControl::Check, .bit = 4, .bits = 0};
    setStored(blocks, "pictureAlignment", "0");
    FormValue right;
    right.choice = 2;
    storeFormValue(blocks, place, right);
    storeFormValue(blocks, alternate, ticked);
    EXPECT_EQ(stored(blocks, "pictureAlignment"), "18");
    EXPECT_EQ(loadFormValue(blocks, place).choice, 2);
    setStored(blocks, "pictureAlignment", "33");  // bits above 4 set by an older set
    EXPECT_TRUE(loadFormValue(blocks, alternate).checked);
    EXPECT_EQ(loadFormValue(blocks, place).choice, 1);
    storeFormValue(blocks, alternate, FormValue{});
    EXPECT_EQ(stored(blocks, "pictureAlignment"), "1");
}

namespace {

// Every table of the program: the appearance sheet, the fonts sheet and the simple dialogs.
std::vector<SheetPage> everyTable() {
    std::vector<SheetPage> tables(appearanceSheetPages().begin(), appearanceSheetPages().end());
    tables.insert(tables.end(), fontSheetPages().begin(), fontSheetPages().end());
    tables.push_back({"Frames", framesDialogFields()});
    tables.push_back({"Background music", backgroundMusicDialogFields()});
    tables.push_back({"Other Options", otherOptionsDialogFields()});
    tables.push_back({"Search Details", searchDetailsDialogFields()});
    tables.push_back({"Template", templateDialogFields()});
    return tables;
}

const FormField& rowOf(std::span<const FormField> fields, std::string_view name) {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [name](const FormField& field) { return field.field == name; });
    if (found == fields.end())
        throw std::runtime_error("no row for " + std::string(name));
    return *found;
}

}  // namespace

TEST(FormFields, EveryRowOfTheSheetNamesAField) {
    for (const SheetPage& page : everyTable()) {
        std::set<int> controls;
        for (const FormField& field : page.fields) {
            SCOPED_TRACE(std::string(page.title) + ": " + std::string(field.label) + " " + std::string(field.field));
            const SettingsField* found = findSettingsField(field.field);
            ASSERT_NE(found, nullptr);
            // A control stands for one row, or the window could not find it by its number.
            EXPECT_TRUE(controls.insert(field.control).second) << field.control;
            EXPECT_EQ(field.choices.empty(), field.kind != FormControl::Radio);
            if (field.kind == FormControl::ColourName) {
                EXPECT_EQ(field.maxChars, 15);
            }
            if (field.kind == FormControl::Image) {
                EXPECT_EQ(field.maxChars, 128);
                EXPECT_FALSE(field.browseTitle.empty());
            }
        }
    }
}

TEST(FormFields, TheSheetsAreInTabOrder) {
    std::vector<std::string_view> titles;
    for (const SheetPage& page : appearanceSheetPages())
        titles.push_back(page.title);
    EXPECT_EQ(titles, (std::vector<std::string_view>{"Settings", "Index (1)", "Index (2)", "Item (1)", "item (2)",
                                                     "Basket/Search", "Header"}));
    titles.clear();
    for (const SheetPage& page : fontSheetPages())
        titles.push_back(page.title);
    EXPECT_EQ(titles, (std::vector<std::string_view>{"Index", "Item", "Item tables & columns", "Basket", "Search"}));
}

// Each font element: a face of at most 40 characters, a size 0 to 7, a colour,
// and bold and italic as bits 0 and 1 of its style.
TEST(FormFields, EveryFontElementHasItsFiveControls) {
    std::set<std::string> fonts;
    for (const SheetPage& page : fontSheetPages()) {
        ASSERT_EQ(page.fields.size() % 5, 0u) << page.title;
        for (std::size_t i = 0; i < page.fields.size(); i += 5) {
            const std::span<const FormField> element = page.fields.subspan(i, 5);
            const std::string font(element[0].field.substr(0, element[0].field.rfind('.')));
            SCOPED_TRACE(font);
            EXPECT_TRUE(fonts.insert(font).second);
            EXPECT_EQ(element[0].kind, FormControl::FontFace);
            EXPECT_EQ(element[0].maxChars, 40);
            EXPECT_EQ(element[1].field, font + ".size");
            EXPECT_EQ(element[1].lowest, 0);
            EXPECT_EQ(element[1].highest, 7);
            EXPECT_EQ(element[2].field, font + ".colour");
            EXPECT_EQ(element[2].kind, FormControl::ColourName);
            EXPECT_EQ(element[3].field, font + ".style");
            EXPECT_EQ(element[3].bit, 0);
            EXPECT_EQ(element[4].field, font + ".style");
            EXPECT_EQ(element[4].bit, 1);
        }
    }
    // Index 4, item 12, basket 5 and the search box's.
    EXPECT_EQ(fonts.size(), 22u);
}

// What the user types, through the rows of the real tables.
TEST(FormFields, TheTablesApplyTheirConversions) {
    struct Case {
        std::span<const FormField> table;
        std::string_view field;
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {
        {framesDialogFields(), "indexFrameWidth", "25 %", "25%"},
        {framesDialogFields(), "headerFrameHeight", "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7", "123456789012345"},
        {itemTablePageFields(), "itemTableSpacing", "35", "20"},
        {itemTablePageFields(), "itemTableSpacing", "-3", "0"},
        {itemTablePageFields(), "itemTableSpacing", "12", "12"},
        {searchDetailsDialogFields(), "searchProgram", "cgi-bin/zk search.pl", "cgi-bin/zksearch.pl"},
        {templateDialogFields(), "templateFile", "  item template.htm ", "item template.htm"},
        {indexDetailPageFields(), "indexBackgroundColour", std::string(20, 'a'), std::string(15, 'a')},
        {indexDetailPageFields(), "bulletImages.0", std::string(200, 'b'), std::string(128, 'b')},
        {basketDetailPageFields(), "searchBoxSize", "30 chars", "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        const FormField& row = rowOf(c.table, c.field);
        SettingsBlocks blocks{};
        FormValue value;
        value.text = c.typed;
        EXPECT_EQ(checkFormValue(row, value), "");
        storeFormValue(blocks, row, value);
        EXPECT_EQ(stored(blocks, c.field), c.expected);
    }
}

TEST(FormFields, ChecksAndFontSizesOfTheTables) {
    SettingsBlocks blocks{};
    FormValue ticked;
    ticked.checked = true;
    const FormField& resize = rowOf(framesDialogFields(), "hideFrameBorders");
    storeFormValue(blocks, resize, ticked);
    EXPECT_EQ(stored(blocks, "hideFrameBorders"), "0");
    storeFormValue(blocks, resize, FormValue{});
    EXPECT_EQ(stored(blocks, "hideFrameBorders"), "1");

    setStored(blocks, "linkItemCss", "1");
    storeFramesDialogExtras(blocks);
    EXPECT_EQ(stored(blocks, "linkItemCss"), "0");

    FormValue size;
    size.text = "8";
    const std::span<const FormField> searchFont = fontSheetPages().back().fields;
    EXPECT_EQ(checkFormValue(rowOf(searchFont, "searchFont.size"), size), "Please enter an integer between 0 and 7.");
    size.text = "7";
    EXPECT_EQ(checkFormValue(rowOf(searchFont, "searchFont.size"), size), "");

    // Bold and italic share the style byte with nothing else of the sheet.
    setStored(blocks, "searchFont.style", "4");
    const FormField& italic = searchFont[4];
    storeFormValue(blocks, italic, ticked);
    EXPECT_EQ(stored(blocks, "searchFont.style"), "6");
    EXPECT_FALSE(loadFormValue(blocks, searchFont[3]).checked);
}
