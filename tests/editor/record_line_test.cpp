// Record lines as the editor writes and reads them, checked against the
// generator's reading of the same bytes.
#include <gtest/gtest.h>

#include "editor/record_line.h"
#include "tests/editor/editor_support.h"

namespace {

const FieldList kDefaultFields = fieldListOf(kDefaultFieldMask);

std::vector<korvel::CatalogueRecord> readAll(const std::string& path) {
    std::vector<korvel::CatalogueRecord> records;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return records;
    korvel::LineReader reader(in, 0);
    korvel::CatalogueRecord record;
    while (korvel::readRecordLine(reader, kDefaultFields, record) != korvel::LineResult::End) {
        if (record.kind != korvel::kDirective)
            korvel::classifyRecord(record);
        records.push_back(record);
    }
    std::fclose(in);
    return records;
}

TEST(RecordLine, WrittenFieldsReadBackInBothPrograms) {
    struct Case {
        const char* name;
        std::string fieldName, description;
        std::string wantName, wantDescription, wantGenerator;
    };
    const Case cases[] = {
        {"comma in the name", "Lamp, brass", "Solid, bright", "Lamp, brass", "Solid, bright", "Solid, bright"},
        {"quote in the name", "12\" ruler", "Wooden", "12 ruler", "Wooden", "Wooden"},
        {"name like a directive", "#!FOOTNOTE=x;", "d", "#!FOOTNOTE=x;", "d", "d"},
        {"description in quotes", "a", "\"Best\" seller", "a", "\"Best\" seller", "\"Best\" seller"},
        {"description opening a quote", "a", "\"Best seller", "a", "\"Best seller", "\"Best seller"},
        {"description ending in a slash", "a", "see http://example.com/", "a", "see http://example.com/",
         "see http://example.com/"},
        {"line breaks", "a", "one\r\n\r\ntwo \r\nthree", "a", "one\r\n\r\ntwo \r\nthree", "onetwo three"},
        {"bare line feed", "a", "one\ntwo", "a", "one\r\ntwo", "onetwo"},
        {"line break in the name", "two\r\nlines", "d", "twolines", "d", "d"},
        {"Ctrl-Z starting a description line", "a", "one\r\n\x1a\x1atwo", "a", "one\r\ntwo", "onetwo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        korvel::CatalogueRecord record;
        record.set(kNameSlot, c.fieldName);
        record.set(kPriceSlot, "1.00");
        record.set(kDescriptionSlot, c.description);
        std::string text;
        korvel::appendRecordLine(text, record, kDefaultFields, korvel::identitySource());
        text += "Next,2.00,,after\n";
        TempDir dir;
        writeFile(dir / "f.txt", text);

        auto records = readAll((dir / "f.txt").string());
        ASSERT_EQ(records.size(), 2u) << text;
        EXPECT_EQ(records[0].name(), c.wantName);
        EXPECT_EQ(records[0].field(kPriceSlot), "1.00");
        EXPECT_EQ(records[0].description(), c.wantDescription);
        EXPECT_EQ(records[1].name(), "Next");

        GeneratorReading generator = readWithGenerator((dir / "f.txt").string());
        ASSERT_EQ(generator.records.size(), 2u) << text;
        EXPECT_EQ(generator.records[0].fields[0], c.wantName);
        EXPECT_EQ(generator.records[0].fields[29], c.wantGenerator);
        EXPECT_EQ(generator.records[1].fields[0], "Next");
    }
}

TEST(RecordLine, KindsOfRecords) {
    struct Case {
        const char* line;
        int kind;
        const char* name;
    };
    const Case cases[] = {
        {"Tea,4.00,tea.jpg,", korvel::kItem, "Tea"},
        {"Tea,,,", korvel::kIndexText, "Tea"},
        {",,pic.gif,", korvel::kItem, ""},
        {"Teas,,INDEX,", korvel::kIndex, "Teas"},
        {"Teas,INDEX,!http://x,", korvel::kItem, "Teas"},
        {"!INDEX Teas,,,", korvel::kIndex, "!INDEX Teas"},
        {"end index,,,", korvel::kEndIndex, "end index"},
        {"!PAGE+Offers,,,", korvel::kPageStart, "+Offers"},
        {"Offers,PAGE,,", korvel::kPageStart, "Offers"},
        {"END PAGE", korvel::kEndPage, "END PAGE"},
        {"!TABLE", korvel::kTableStart, "!TABLE"},
        {"END TABLE,,,", korvel::kEndTable, "END TABLE"},
        {"!COL3", korvel::kColumns, "3"},
        {"!COL", korvel::kColumns, "0"},
        {"#!HEADER=Hello;", korvel::kDirective, "HEADER/FOOTER"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        writeFile(dir / "f.txt", std::string(c.line) + "\n");
        auto records = readAll((dir / "f.txt").string());
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].kind, c.kind);
        EXPECT_EQ(records[0].name(), c.name);
    }
}

TEST(RecordLine, LongLinesAreReadWholeAndCutPerField) {
    std::string longName(250, 'n');
    std::string longDescription(5000, 'd');
    TempDir dir;
    writeFile(dir / "f.txt", longName + ",1.00,," + longDescription + "\nNext,2.00,,\n\x1aGone,1,,\n");
    auto records = readAll((dir / "f.txt").string());
    ASSERT_EQ(records.size(), 2u) << "one record per line, and nothing after Ctrl-Z";
    EXPECT_EQ(records[0].name(), std::string(200, 'n'));
    EXPECT_EQ(records[0].description(), std::string(4000, 'd'));
    EXPECT_EQ(records[1].name(), "Next");
    EXPECT_EQ(records[1].offset, 250u + 7 + 5000 + 1);
}

TEST(RecordLine, EntryLinesByKind) {
    struct Case {
        int kind;
        const char* name;
        const char* want;
    };
    const Case cases[] = {
        {korvel::kEndPage, "anything", "END PAGE\n"},     {korvel::kTableStart, "x", "!TABLE\n"},
        {korvel::kEndTable, "x", "END TABLE\n"},          {korvel::kColumns, "!COL2", "!COL2\n"},
        {korvel::kColumns, "12", "!COL2\n"},              {korvel::kPageStart, "Offers", "!PAGEOffers,,,\n"},
        {korvel::kIndex, "Teas", "Teas,,INDEX,\n"},       {korvel::kDirective, "HEADER/FOOTER", "#!HEADER=Hi;\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        korvel::CatalogueRecord record;
        record.set(kNameSlot, c.name);
        if (c.kind == korvel::kIndex)
            record.set(kPictureSlot, "INDEX");
        if (c.kind == korvel::kDirective)
            record.set(kDescriptionSlot, "HEADER=Hi;\r\n");
        std::string out;
        korvel::appendEntryLines(out, c.kind, record, kDefaultFields, korvel::identitySource());
        EXPECT_EQ(out, c.want);
    }
}

} // namespace
