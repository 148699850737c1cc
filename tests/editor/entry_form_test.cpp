// The entry form's rules without its window: what a kind enables, the two
// picture names in one slot, the tax type shown, and storing the form's
// edits into the document and from there into the saved file.
#include <gtest/gtest.h>

#include "editor/entry_form.h"
#include "tests/editor/editor_support.h"

using korvel::EntryFormSession;
using korvel::FormAccess;

namespace {

TEST(EntryFormRules, KindsEnableTheirControls) {
    struct Case {
        int kind;
        FormAccess access;
        const char* caption;
    } cases[] = {
        {korvel::kItem, FormAccess::All, "Text"},
        {korvel::kPageStart, FormAccess::All, "Text"},
        {korvel::kIndex, FormAccess::TextOnly, "Text"},
        {korvel::kIndexText, FormAccess::TextOnly, "Text"},
        {korvel::kColumns, FormAccess::TextOnly, "No. Columns"},
        {korvel::kDirective, FormAccess::DescriptionOnly, "Text"},
        {korvel::kEndIndex, FormAccess::None, "Text"},
        {korvel::kEndPage, FormAccess::None, "Text"},
        {korvel::kTableStart, FormAccess::None, "Text"},
        {korvel::kEndTable, FormAccess::None, "Text"},
        {korvel::kNoEntry, FormAccess::None, "Text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(korvel::formAccess(c.kind), c.access);
        EXPECT_STREQ(korvel::textCaption(c.kind), c.caption);
    }
}

TEST(EntryFormRules, TwoPictureNamesShareOneSlot) {
    struct Case {
        const char* slot;
        const char* first;
        const char* second;
    } cases[] = {
        {"a.jpg|b.jpg", "a.jpg", "b.jpg"},
        {"a.jpg", "a.jpg", ""},
        {"|b.jpg", "", "b.jpg"},
        {"a.jpg|b.jpg|c.jpg", "a.jpg", "b.jpg|c.jpg"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        auto [first, second] = korvel::splitPictures(c.slot);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
    EXPECT_EQ(korvel::joinPictures("a.jpg", "b.jpg"), "a.jpg|b.jpg");
    EXPECT_EQ(korvel::joinPictures("", "b.jpg"), "b.jpg") << "the second name alone, without a bar";
    EXPECT_EQ(korvel::joinPictures("a.jpg", ""), "a.jpg");
    EXPECT_EQ(korvel::joinPictures(std::string(90, 'a'), std::string(20, 'b')).size(), 100u);
}

TEST(EntryFormRules, TaxTypeShown) {
    struct Case {
        const char* slot;
        const char* price;
        int count;
        int shown;
    } cases[] = {
        {"2", "4.00", 3, 1},
        {"3", "", 3, 2},
        {"", "4.00", 3, 0},      // missing: a priced item takes the first
        {"9", "4.00", 3, 0},     // out of range
        {"0", "4.00", 3, 0},
        {"x", "4.00", 3, 0},
        {"", "Sizes", 3, -1},    // a sub-heading takes none
        {"", "", 3, -1},
        {"1", "4.00", 0, -1},    // no tax types
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.slot) + " / " + c.price);
        EXPECT_EQ(korvel::shownTaxChoice(c.slot, c.price, c.count), c.shown);
    }
}

constexpr const char* kShop =
    "#!SELECT1=Size;\n"
    "#!TAX1=Standard;20;\n"
    "#!TAX2=Zero;0;\n"
    "Mugs,,INDEX,,,\n"
    "Big mug,4.00,mug.jpg|mug2.jpg,Large|Small,2,Holds a pint\n"
    "Small mug,3.00,,,,\n"
    "END INDEX\n";

TEST(EntryFormSession, ShowsTheCurrentEntryAndTheFileLayout) {
    EditorSession s(kShop);
    EntryFormSession form(s.doc);
    s.doc.setCurrent(-1);
    EXPECT_EQ(form.load().kind, korvel::kNoEntry) << "nothing current";

    s.doc.setCurrent(1);
    const korvel::EntryFormValues& shown = form.load();
    EXPECT_EQ(shown.kind, korvel::kItem);
    EXPECT_EQ(shown.text, "Big mug");
    EXPECT_EQ(shown.firstPicture, "mug.jpg");
    EXPECT_EQ(shown.secondPicture, "mug2.jpg");
    EXPECT_EQ(shown.optionsLists[0], "Large|Small");
    EXPECT_EQ(shown.taxChoice, 1);
    EXPECT_EQ(shown.description, "Holds a pint");

    korvel::FormLayout layout = form.layout();
    EXPECT_FALSE(layout.code);
    EXPECT_FALSE(layout.unit);
    EXPECT_EQ(layout.optionSlots, std::vector<int>{kFirstSelectionSlot});
    EXPECT_EQ(layout.optionCaptions, std::vector<std::string>{"Size"});
    EXPECT_EQ(layout.taxTitles, (std::vector<std::string>{"Standard", "Zero"}));
}

TEST(EntryFormSession, EditsAreStoredOnlyWhenSomethingChanged) {
    EditorSession s(kShop);
    EntryFormSession form(s.doc);
    s.doc.setCurrent(2);
    korvel::EntryFormValues values = form.load();
    ASSERT_TRUE(form.commit(values, false));
    EXPECT_FALSE(s.doc.isModified()) << "an unchanged form stores nothing";

    values.text = "Small mug, blue";
    values.firstPicture.clear();
    values.secondPicture = "blue.jpg";
    values.taxChoice = -1;
    values.description = "Two lines\r\nof text";
    ASSERT_TRUE(form.commit(values, true));
    EXPECT_TRUE(s.doc.isModified());
    EXPECT_EQ(s.doc.treeLabel(2), "Small mug, blue");

    ASSERT_EQ(s.commands.save(), 0);
    GeneratorReading saved = readWithGenerator(s.path);
    const std::vector<std::string>& fields = saved.records[2].fields;
    EXPECT_EQ(fields[0], "Small mug, blue");
    EXPECT_EQ(fields[5], "blue.jpg") << "image file 2 alone goes into the slot without a bar";
    EXPECT_EQ(fields[11], "") << "no tax type chosen";
    EXPECT_EQ(fields[29], "Two linesof text");
    EXPECT_EQ(saved.records[1].fields[5], "mug.jpg|mug2.jpg") << "the other entry is unharmed";
}

TEST(EntryFormSession, PendingChangeIsStoredWithoutModifiedBoxes) {
    EditorSession s(kShop);
    EntryFormSession form(s.doc);
    s.doc.setCurrent(1);
    korvel::EntryFormValues values = form.load();
    values.optionsLists[0] = "#!PV;Large (1.50)|Small";
    form.markPending();
    ASSERT_TRUE(form.commit(values, false));
    EXPECT_FALSE(form.pending());
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_NE(readFile(s.path).find("Big mug,4.00,mug.jpg|mug2.jpg,#!PV;Large (1.50)|Small,2,"), std::string::npos);
}

TEST(EntryFormSession, StartPageTickTurnsAnItemIntoAPageStartAndBack) {
    EditorSession s(kShop);
    EntryFormSession form(s.doc);
    s.doc.setCurrent(2);
    korvel::EntryFormValues values = form.load();
    values.startPage = true;
    ASSERT_TRUE(form.commit(values, false));
    EXPECT_EQ(s.doc.getKind(2), korvel::kPageStart);
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_NE(readFile(s.path).find("\n!PAGESmall mug,3.00"), std::string::npos);

    s.doc.setCurrent(2);
    values = form.load();
    EXPECT_TRUE(values.startPage);
    values.startPage = false;
    ASSERT_TRUE(form.commit(values, false));
    EXPECT_EQ(s.doc.getKind(2), korvel::kItem);

    s.doc.setCurrent(0);
    values = form.load();
    values.startPage = true;
    ASSERT_TRUE(form.commit(values, false));
    EXPECT_EQ(s.doc.getKind(0), korvel::kIndex) << "only an item becomes a page start";
}

TEST(EntryFormSession, WithoutTaxTypesTheTaxSlotKeepsWhatTheFileHas) {
    EditorSession s("#!TAX8=Special;5;\nTea,4.00,,8,Green\n");
    EntryFormSession form(s.doc);
    s.doc.setCurrent(0);
    korvel::EntryFormValues values = form.load();
    EXPECT_TRUE(form.layout().taxTitles.empty());
    values.text = "Green tea";
    ASSERT_TRUE(form.commit(values, true));
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_NE(readFile(s.path).find("Green tea,4.00,,8,Green"), std::string::npos);
}

} // namespace
