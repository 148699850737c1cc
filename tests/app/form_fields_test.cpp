// Carrying a control's value between the record and the window through a
// row of a page's table, with the row's conversions.
#include "app/core/form_fields.h"

#include <gtest/gtest.h>

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

TEST(FormFields, EveryRowOfTheSheetNamesAField) {
    for (const FormField& field : settingsPageFields()) {
        SCOPED_TRACE(field.label);
        EXPECT_NE(findSettingsField(field.field), nullptr);
    }
}
