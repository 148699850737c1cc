#include "model/catalogue_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

struct Catalogue {
    CatalogueHeader header;                 // as the header block left it
    std::vector<CatalogueRecord> records;
    std::vector<std::string> footnotes;     // header().footnote after each record
    std::vector<std::string> headerTexts;   // header().headerText after each record
    std::vector<std::string> files;         // "FILE=" names in order
};

Catalogue readCatalogue(std::string_view bytes, char delimiter = ',') {
    TempDir dir;
    const auto path = dir / "catalogue.txt";
    writeFile(path, bytes);
    Catalogue result;
    CatalogueReader reader;
    EXPECT_TRUE(reader.open(path.string()));
    reader.setFieldDelimiter(delimiter);
    reader.setFileDirectiveHandler([&](std::string_view name) { result.files.emplace_back(name); });
    reader.readHeaderBlock();
    result.header = reader.header();
    CatalogueRecord record;
    while (reader.readRecord(record)) {
        result.records.push_back(record);
        result.footnotes.push_back(reader.header().footnote);
        result.headerTexts.push_back(reader.header().headerText);
    }
    return result;
}

std::vector<int> fieldList(const CatalogueHeader& header) {
    return {header.fields.slots.begin(), header.fields.slots.begin() + header.fields.count};
}

// The record's fields in the order of the header's field list.
std::vector<std::string> fields(const Catalogue& catalogue, std::size_t index) {
    std::vector<std::string> values;
    if (index >= catalogue.records.size())
        return values;
    for (int i = 0; i < catalogue.header.fields.count; ++i)
        values.push_back(catalogue.records[index].fields[catalogue.header.fields.slots[static_cast<std::size_t>(i)]]);
    return values;
}

std::vector<std::string> names(const Catalogue& catalogue) {
    std::vector<std::string> values;
    for (const CatalogueRecord& record : catalogue.records)
        values.push_back(record.name());
    return values;
}

} // namespace

TEST(CatalogueHeaderBlock, DeclarationsGiveTheFieldOrder) {
    struct Case {
        const char* header;
        std::vector<int> want;
    };
    const Case cases[] = {
        {"", {0, 2, 5, 29}},
        {"#!CODE=Code;\n", {0, 1, 2, 5, 29}},
        {"#!SELECT1=Size;SELECT2=Colour;\n#!UNIT1=Weight;\n#!CODE=Code;\n", {0, 1, 2, 3, 5, 7, 8, 29}},
        {"#!SELECT1=Size;\n#!TAX1=VAT;17.5;\n", {0, 2, 5, 7, 11, 29}},
        {"#!TXTOPT1=Engraving;\n", {0, 2, 5, 7, 29}},
        // Without a delimiter after them these declare nothing.
        {"#!CODE=Code\n#!UNIT1=Weight\n", {0, 2, 5, 29}},
        // A repeated number counts once; a gap in the numbers closes up.
        {"#!SELECT1=Size;\n#!SELECT1=Size;\n#!SELECT3=Colour;\n", {0, 2, 5, 7, 8, 29}},
        {"#!TAX2=Reduced;5;\n", {0, 2, 5, 11, 29}},
        {"#!CODE=A;\n#!CODE=B;\n", {0, 1, 2, 5, 29}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        Catalogue catalogue = readCatalogue(std::string(c.header) + "n,c,p,q,r,s,t,u,v\n");
        EXPECT_EQ(fieldList(catalogue.header), c.want);
        std::uint32_t mask = 0;
        for (int slot : c.want)
            mask |= 1u << slot;
        EXPECT_EQ(catalogue.header.fieldMask, mask);
    }
}

TEST(CatalogueHeaderBlock, FieldsFollowTheDeclaredOrder) {
    Catalogue plain = readCatalogue("Boot,9.99,boot.gif,Good boot\n");
    EXPECT_EQ(fields(plain, 0), (std::vector<std::string>{"Boot", "9.99", "boot.gif", "Good boot"}));

    Catalogue coded = readCatalogue("#!CODE=Code;\nBoot,B1,9.99,boot.gif,Good boot\n");
    ASSERT_EQ(coded.records.size(), 1u);
    EXPECT_EQ(coded.records[0].code(), "B1");
    EXPECT_EQ(coded.records[0].price(), "9.99");

    Catalogue full = readCatalogue("#!SELECT1=Size;TXTOPT2=Name;\n#!UNIT1=kg;\n#!CODE=Code;\n"
                                   "#!TAX1=VAT;17.5;\nBoot,B1,9.99,2,boot.gif,S|M,Jo,1,Good\n");
    ASSERT_EQ(full.records.size(), 1u);
    const CatalogueRecord& boot = full.records[0];
    EXPECT_EQ(boot.unit(), "2");
    EXPECT_EQ(boot.picture(), "boot.gif");
    EXPECT_EQ(boot.selection(0), "S|M");
    EXPECT_EQ(boot.selection(1), "Jo");
    EXPECT_EQ(boot.taxType(), "1");
    EXPECT_EQ(boot.description(), "Good");
    EXPECT_EQ(full.header.unitCaption, "kg");
    EXPECT_EQ(full.header.codeCaption, "Code");
}

TEST(CatalogueHeaderBlock, SelectionsAndTaxTypes) {
    Catalogue catalogue = readCatalogue(
        "#!SELECT1=Size;TXTOPT1=Ignored;TXTOPT2=A caption much longer than twenty-nine;\n"
        "#!SELECT4=Colour\r\n"
        "#!TAX1=Standard rate;17.5;TAX3=A tax name longer than thirty characters;5;TAX4=NoRate\n");
    const CatalogueHeader& header = catalogue.header;
    ASSERT_EQ(header.selectionCount, 3);
    EXPECT_EQ(header.selections[0].caption, "Size");
    EXPECT_EQ(header.selections[0].kind, SelectionKind::List);
    EXPECT_EQ(header.selections[1].caption, "A caption much longer than tw");
    EXPECT_EQ(header.selections[1].kind, SelectionKind::TextOption);
    EXPECT_EQ(header.selections[2].caption, "Colour");   // to the line end, CR excluded
    EXPECT_EQ(header.selections[3].kind, SelectionKind::None);

    // Numbers keep their places, since items name their tax type by number.
    ASSERT_EQ(header.taxTypeCount, 4);
    EXPECT_EQ(header.taxTypes[0].name, "Standard rate");
    EXPECT_DOUBLE_EQ(header.taxTypes[0].rate, 17.5);
    EXPECT_EQ(header.taxTypes[1].name, "");
    EXPECT_DOUBLE_EQ(header.taxTypes[1].rate, 0);
    EXPECT_EQ(header.taxTypes[2].name, "A tax name longer than thirty ");
    EXPECT_DOUBLE_EQ(header.taxTypes[2].rate, 5);
    EXPECT_EQ(header.taxTypes[3].name, "NoRate");
    EXPECT_DOUBLE_EQ(header.taxTypes[3].rate, 0);
}

TEST(CatalogueHeaderBlock, FirstItem) {
    struct Case {
        const char* header;
        FirstItemKind kind;
        const char* name;
    };
    const Case cases[] = {
        {"", FirstItemKind::First, ""},
        {"#!FIRSTITEM=FIRST;\n", FirstItemKind::First, ""},
        {"#!FIRSTITEM=NONE;\n", FirstItemKind::None, ""},
        {"#!FIRSTITEM=pages\\welcome.htm;CODE=c;\n", FirstItemKind::Named, "pages\\welcome.htm"},
        // Without a delimiter the name runs to the line end, with either line end.
        {"#!FIRSTITEM=welcome.htm\r\n", FirstItemKind::Named, "welcome.htm"},
        {"#!FIRSTITEM=welcome.htm\n", FirstItemKind::Named, "welcome.htm"},
        {"#!FIRSTITEM=NONE;\n#!FIRSTITEM=later.htm;\n", FirstItemKind::Named, "later.htm"},
        {"#!FIRSTITEM=later.htm;\n#!FIRSTITEM=FIRST;\n", FirstItemKind::First, ""},
        {"#!DELIMITER=|FIRSTITEM=NONE|\n", FirstItemKind::None, ""},
        {"#!FIRSTITEM=;\n", FirstItemKind::First, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        Catalogue catalogue = readCatalogue(std::string(c.header) + "Boot,1,b.gif,d\n");
        EXPECT_EQ(catalogue.header.firstItemKind, c.kind);
        EXPECT_EQ(catalogue.header.firstItemName, c.name);
        EXPECT_EQ(catalogue.records.size(), 1u);
    }
}

TEST(CatalogueHeaderBlock, TextValuesNeedADelimiter) {
    Catalogue catalogue = readCatalogue("#!FOOTNOTE=Thanks;HEADER=Welcome;CHARSET=utf-8;\n"
                                        "#!FOOTNOTE=Unfinished\n"
                                        "#!HEADER=Later;HEADER=Second;\n"
                                        "#!CHARSET=iso-8859-15\n");
    EXPECT_EQ(catalogue.header.footnote, "Thanks");
    EXPECT_EQ(catalogue.header.headerText, "Later");   // first occurrence on a line
    EXPECT_EQ(catalogue.header.charset, "utf-8");

    EXPECT_EQ(readCatalogue("").header.charset, "");
}

TEST(CatalogueHeaderBlock, MetaPiecesAreCollected) {
    Catalogue catalogue = readCatalogue("#!<META NAME=\"a\" CONTENT=\"x;y\">\r\n"
                                        "#!SELECT1=Size;<META NAME=\"b\">\n");
    EXPECT_EQ(catalogue.header.metaText, "\n<META NAME=\"a\" CONTENT=\"x;y\">\n<META NAME=\"b\">\n");
    EXPECT_EQ(catalogue.header.selections[0].caption, "Size");
}

TEST(CatalogueHeaderBlock, DelimiterDirective) {
    Catalogue piped = readCatalogue("#!DELIMITER=|SELECT1=Size|\n#!CODE=a;b|\nBoot,c,1,p,S,d\n");
    ASSERT_EQ(piped.header.selectionCount, 1);
    EXPECT_EQ(piped.header.selections[0].caption, "Size");
    EXPECT_EQ(piped.header.codeCaption, "a;b");   // the change holds for the rest of the block

    // Looked for before the "#!" test: the line sets the delimiter, ends the
    // block and is the first record.
    Catalogue record = readCatalogue("#!SELECT1=Size;\nDELIMITER=|,1,p,d\n#!CODE=c|\n");
    EXPECT_EQ(record.header.fields.count, 5);
    EXPECT_EQ(names(record), (std::vector<std::string>{"DELIMITER=|"}));
}

TEST(CatalogueHeaderBlock, OverlongHeaderLineIsCutNotSplit) {
    std::string header = "#!SELECT1=Size;" + std::string(1990, ' ') + "CODE=Code;" +
                         std::string(3000, 'x') + "\n";
    Catalogue catalogue = readCatalogue(header + "Boot,1,b.gif,S,d\n");
    EXPECT_EQ(fieldList(catalogue.header), (std::vector<int>{0, 2, 5, 7, 29}));
    EXPECT_EQ(names(catalogue), (std::vector<std::string>{"Boot"}));
}

TEST(CatalogueRecordLine, Splitting) {
    struct Case {
        const char* name;
        std::string line;
        char delimiter;
        std::vector<std::string> want;   // name, price, picture, description
    };
    const Case cases[] = {
        {"plain", "Boot,9.99,boot.gif,Good", ',', {"Boot", "9.99", "boot.gif", "Good"}},
        {"quoted middle field", "Boot,\"1,000\",b.gif,d", ',', {"Boot", "1,000", "b.gif", "d"}},
        {"quoting spans fields", "a\"b,c\"d,e,f,g", ',', {"ab,cd", "e", "f", "g"}},
        {"open quote swallows the line", "a\"b,c,d,e", ',', {"ab,c,d,e", "", "", ""}},
        {"description keeps delimiters", "a,1,p,x, y,z", ',', {"a", "1", "p", "x, y,z"}},
        {"description quotes removed", "a,1,p,\"x, y\"", ',', {"a", "1", "p", "x, y"}},
        {"inner quotes kept", "a,1,p,\"<A HREF=\"x.htm\">x</A>\"", ',',
         {"a", "1", "p", "<A HREF=\"x.htm\">x</A>"}},
        {"closing quote before the line end", "a,1,p,\"x \"\r", ',', {"a", "1", "p", "x"}},
        {"blanks after the closing quote keep it", "a,1,p,\"x\"  ", ',', {"a", "1", "p", "x\""}},
        {"opening quote only", "a,1,p,\"x, y", ',', {"a", "1", "p", "x, y"}},
        {"closing quote only", "a,1,p,x\"", ',', {"a", "1", "p", "x\""}},
        {"blanks", "  a  , 1 ,\t p\t,  d  \t", ',', {"  a", "1", "\t p", "  d"}},
        {"fewer fields", "a,1", ',', {"a", "1", "", ""}},
        {"empty fields", ",,,", ',', {"", "", "", ""}},
        {"CR LF", "a,1,p,d\r", ',', {"a", "1", "p", "d"}},
        {"CR inside a field", "a\rb,1,p,d", ',', {"ab", "1", "p", "d"}},
        {"TAB", "a\t1,5\tp\td\te\t", '\t', {"a", "1,5", "p", "d\te"}},
        {"bar", "a|1|p,q|d|e", '|', {"a", "1", "p,q", "d|e"}},
        {"bar inside quotes", "a|\"1|2\"|p|d", '|', {"a", "1|2", "p", "d"}},
        {"cut to slot", std::string(250, 'n') + "," + std::string(150, '1') + "," +
             std::string(120, 'p') + ",d",
         ',', {std::string(200, 'n'), std::string(100, '1'), std::string(100, 'p'), "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Catalogue catalogue = readCatalogue(c.line + "\n", c.delimiter);
        ASSERT_EQ(catalogue.records.size(), 1u);
        EXPECT_EQ(fields(catalogue, 0), c.want);
    }
}

TEST(CatalogueRecordLine, OptionalFieldsAreCut) {
    Catalogue catalogue = readCatalogue("#!CODE=c;UNIT1=u;\n#!SELECT1=s;\n#!TAX1=t;1;\n"
                                        "n," + std::string(40, 'c') + ",1," + std::string(30, 'u') +
                                        ",p," + std::string(700, 's') + "," + std::string(40, 't') +
                                        ",d\n");
    ASSERT_EQ(catalogue.records.size(), 1u);
    const CatalogueRecord& record = catalogue.records[0];
    EXPECT_EQ(record.code().size(), 30u);
    EXPECT_EQ(record.unit().size(), 20u);
    EXPECT_EQ(record.selection(0).size(), 600u);
    EXPECT_EQ(record.taxType().size(), 30u);
}

TEST(CatalogueRecordLine, LineEndsAndLastLine) {
    EXPECT_EQ(names(readCatalogue("a,1,p,d\r\nb,2,q,e\r\nc,3,r,f")),
              (std::vector<std::string>{"a", "b", "c"}));
    Catalogue crlf = readCatalogue("a,1\r\n");
    EXPECT_EQ(fields(crlf, 0), (std::vector<std::string>{"a", "1", "", ""}));
    EXPECT_TRUE(readCatalogue("").records.empty());
    EXPECT_TRUE(readCatalogue("#!CODE=c;\n").records.empty());
}

TEST(CatalogueRecordLine, OverlongLinesAndFields) {
    // The rest of a record line beyond its capacity is skipped, not read as a record.
    Catalogue longLine = readCatalogue("a,1,p," + std::string(7100, 'd') + "TAIL\nb,2,q,e\n");
    ASSERT_EQ(names(longLine), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(longLine.records[0].description(), std::string(4000, 'd'));

    std::string bigName(6000, 'n');
    Catalogue longName = readCatalogue(bigName + ",1,p,d\nb,2,q,e\n");
    ASSERT_EQ(longName.records.size(), 2u);
    EXPECT_EQ(longName.records[0].name(), std::string(200, 'n'));
    EXPECT_EQ(longName.records[0].price(), "1");
}

TEST(CatalogueRecordLine, Continuation) {
    struct Case {
        const char* name;
        std::string text;
        std::string description;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"blank before slash", "a,1,p,one /\ntwo\n", "one two", {"a"}},
        {"no blank", "a,1,p,one/\ntwo\n", "onetwo", {"a"}},
        {"chain", "a,1,p,one/\ntwo /\r\nthree  \r\nb,2,q,e\n", "onetwo three", {"a", "b"}},
        {"empty line ends and is consumed", "a,1,p,one/\n\nb,2,q,e\n", "one", {"a", "b"}},
        {"blank line ends too", "a,1,p,one/\n  \t\r\nb,2,q,e\n", "one", {"a", "b"}},
        {"slash at the end of the file", "a,1,p,one/", "one", {"a"}},
        {"quoted slash", "a,1,p,\"x /\"\nz\n", "x z", {"a"}},
        {"not in a middle field", "a,1/,p,d\nb,2,q,e\n", "d", {"a", "b"}},
        {"Ctrl-Z ends the data", "a,1,p,one/\n\x1a" "b,2,q,e\n", "one", {"a"}},
        {"total of 4000", "a,1,p," + std::string(3990, 'x') + "/\n" + std::string(20, 'y') + "/\n" +
             std::string(20, 'z') + "\nb,2,q,e\n",
         std::string(3990, 'x') + std::string(10, 'y'), {"a", "b"}},
        {"over-long continuation line", "a,1,p,x/\n" + std::string(4500, 'y') + "\nb,2,q,e\n",
         "x" + std::string(3999, 'y'), {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Catalogue catalogue = readCatalogue(c.text);
        EXPECT_EQ(names(catalogue), c.names);
        if (!catalogue.records.empty()) {
            EXPECT_EQ(catalogue.records[0].description(), c.description);
        }
    }
}

TEST(CatalogueBody, DirectivesChangeTheTextsForLaterRecords) {
    Catalogue catalogue = readCatalogue("#!FOOTNOTE=Start;HEADER=Top;\n"
                                        "a,1\n"
                                        "#!FOOTNOTE=Second;\n"
                                        "b,2\n"
                                        "#!FOOTNOTE=;HEADER=New top;\n"
                                        "c,3\n"
                                        "#!DELIMITER=|FOOTNOTE=x;y|\n"
                                        "d,4\n"
                                        "#!FOOTNOTE=back to;semicolon|\n"
                                        "e,5\n"
                                        "#!HEADER=no delimiter\n"
                                        "f,6\n");
    EXPECT_EQ(names(catalogue), (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(catalogue.footnotes,
              (std::vector<std::string>{"Start", "Second", "", "x;y", "back to", "back to"}));
    EXPECT_EQ(catalogue.headerTexts,
              (std::vector<std::string>{"Top", "Top", "New top", "New top", "New top", ""}));
}

TEST(CatalogueBody, FileDirective) {
    Catalogue catalogue = readCatalogue("a,1\n#!FILE=extra\\terms.htm;\n#!FILE= about.htm \r\n"
                                        "#!DELIMITER=|FILE=x;y.htm|\n#!FILE=;\nb,2\n");
    EXPECT_EQ(catalogue.files, (std::vector<std::string>{"extra\\terms.htm", "about.htm", "x;y.htm"}));
    EXPECT_EQ(catalogue.records.size(), 2u);
}

TEST(CatalogueEntries, KindsInTheirOrderOfTests) {
    struct Case {
        const char* line;   // name, code, price, unit, picture, description
        EntryKind kind;
        const char* title = "";
    };
    const Case cases[] = {
        {"Shop,,,,!shop.htm,", EntryKind::Link},
        {"!INDEX,END INDEX,,,!x,", EntryKind::Link},
        {"end index,,,,,", EntryKind::EndIndex},
        {"!INDEXShoes,,End Index,,,", EntryKind::EndIndex},
        {"!indexShoes,,,,,", EntryKind::IndexHeading, "Shoes"},
        {"Boots,,,,index,", EntryKind::IndexHeading, "Boots"},
        {"Boots,,,INDEX,,", EntryKind::IndexHeading, "Boots"},
        {"!INDEX x,,,,PAGE,", EntryKind::IndexHeading, " x"},
        {"!PAGE+Walking,,,,,", EntryKind::PageStart, "Walking"},
        {"!pageWalking,,,,,", EntryKind::PageStart, "Walking"},
        {"!CI,,,,,", EntryKind::PageStart, ""},
        {"!CI Boots,,page,,,", EntryKind::PageStart, " Boots"},
        {"!PAGE!CI Boots,,,,,", EntryKind::PageStart, " Boots"},
        {"!page+!PAGE!ci,,,,,", EntryKind::PageStart, ""},
        {"!PAGE+x!CI,,,,,", EntryKind::PageStart, "x!CI"},
        {"Boots,,,,Page,", EntryKind::PageStart, "Boots"},
        {"!PAGE,,,,END PAGE,", EntryKind::PageStart},
        {"END PAGE,,,,,", EntryKind::EndPage},
        {"!TABLE,,end page,,,", EntryKind::EndPage},
        {"!table,,,,,", EntryKind::TableStart},
        {"x,!TABLE,,,,", EntryKind::TableStart},
        {"!COL3,,END TABLE,,,", EntryKind::EndTable},
        {"END TABLE,,,,,", EntryKind::EndTable},
        {"END CI,,,,,", EntryKind::Ignored},
        {"x,end ci,,,,", EntryKind::Ignored},
        {"END CI,!TABLE,,,,", EntryKind::TableStart},
        {",,,,,", EntryKind::Ignored},
        {",,,,banner.gif,", EntryKind::PictureLine},
        {",,,,,Only a description", EntryKind::Item},
        {"Boot,,9.99,,,", EntryKind::Item},
        {"Boot,,Ask us,,,", EntryKind::Item},
        {"Boot,,,,,About it", EntryKind::Item},
        {"Just a heading,,,,,", EntryKind::TextLine},
        {"!CIx,,,,,", EntryKind::TextLine},
        {"INDEX,,,,,", EntryKind::TextLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Catalogue catalogue = readCatalogue(std::string("#!CODE=c;UNIT1=u;\n") + c.line + "\n");
        ASSERT_EQ(catalogue.records.size(), 1u);
        EXPECT_EQ(catalogue.records[0].kind, c.kind);
        EXPECT_EQ(catalogue.records[0].title, c.title);
    }
}

TEST(CatalogueEntries, LinksAndColumns) {
    struct Case {
        const char* line;   // name, code, price, unit, picture, description
        const char* address;
        bool wholeWindow;
        int columns;
    };
    const Case cases[] = {
        {"Shop,,,,!Shop.htm,", "Shop.htm", false, 2},
        {"Blog,,,,!!http://Blog.example.com/,", "http://Blog.example.com/", true, 2},
        {"Blog,,,,!!,", "", true, 2},
        {"!COL,,,,,", "", false, 2},
        {"!col3,,,,,", "", false, 3},
        {"!COL0,,,,,", "", false, 2},
        {"!COLx,,,,,", "", false, 2},
        {"!COL2,!COL4,,,,", "", false, 4},
        {"!COL5,x,,,,", "", false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Catalogue catalogue = readCatalogue(std::string("#!CODE=c;UNIT1=u;\n") + c.line + "\n");
        ASSERT_EQ(catalogue.records.size(), 1u);
        const CatalogueRecord& record = catalogue.records[0];
        EXPECT_EQ(record.linkAddress, c.address);
        EXPECT_EQ(record.linkOpensWholeWindow, c.wholeWindow);
        EXPECT_EQ(record.columnCount, c.columns);
    }
}

TEST(CatalogueEntries, ClassifyResetsEarlierResults) {
    CatalogueRecord record;
    record.fields[kPictureSlot] = "!!x.htm";
    classifyRecord(record);
    ASSERT_EQ(record.kind, EntryKind::Link);
    record.fields[kPictureSlot] = "";
    record.fields[kNameSlot] = "!COL3";
    classifyRecord(record);
    EXPECT_EQ(record.kind, EntryKind::ColumnsStart);
    EXPECT_EQ(record.linkAddress, "");
    EXPECT_FALSE(record.linkOpensWholeWindow);
    EXPECT_EQ(record.columnCount, 3);
}

TEST(CatalogueReader, CtrlZEndsTheData) {
    EXPECT_EQ(names(readCatalogue("a,1\n\x1a" "b,2\nc,3\n")), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(readCatalogue("#!CODE=c;\n\x1a\na,b,1\n").records.empty());
    // Only as the first character of a line.
    EXPECT_EQ(names(readCatalogue("a\x1a,1\nb,2\n")), (std::vector<std::string>{"a\x1a", "b"}));
}

TEST(CatalogueReader, BlankLinesAreIgnoredRecords) {
    Catalogue catalogue = readCatalogue("a,1\n\n\r\nb,2\n");
    ASSERT_EQ(catalogue.records.size(), 4u);
    EXPECT_EQ(catalogue.records[1].kind, EntryKind::Ignored);
    EXPECT_EQ(catalogue.records[2].kind, EntryKind::Ignored);
}

TEST(CatalogueReader, StopEndsTheDataForGood) {
    TempDir dir;
    writeFile(dir / "c.txt", "a,1\nb,2\nc,3\n");
    CatalogueReader reader;
    ASSERT_TRUE(reader.open((dir / "c.txt").string()));
    CatalogueRecord record;
    ASSERT_TRUE(reader.readRecord(record));   // reads the header block first
    EXPECT_EQ(record.name(), "a");
    reader.stop();
    EXPECT_FALSE(reader.readRecord(record));
    EXPECT_FALSE(reader.readRecord(record));
}

TEST(CatalogueReader, OpenAndAttach) {
    CatalogueReader reader;
    EXPECT_FALSE(reader.open("/nonexistent/catalogue.txt"));
    CatalogueRecord record;
    EXPECT_FALSE(reader.readRecord(record));
    TempDir dir;
    EXPECT_FALSE(reader.open(dir.str()));

    writeFile(dir / "c.txt", "#!CODE=c;\na,b,1\n");
    std::FILE* stream = std::fopen((dir / "c.txt").string().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    reader.attach(stream);
    reader.readHeaderBlock();
    ASSERT_TRUE(reader.readRecord(record));
    EXPECT_EQ(record.code(), "b");
    reader.close();
    // The reader leaves an attached stream open.
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    std::fclose(stream);

    // A fresh file starts again from a fresh header.
    writeFile(dir / "d.txt", "a,1,p,d\n");
    ASSERT_TRUE(reader.open((dir / "d.txt").string()));
    ASSERT_TRUE(reader.readRecord(record));
    EXPECT_EQ(reader.header().fields.count, 4);
    EXPECT_EQ(record.price(), "1");
    EXPECT_EQ(record.code(), "");
}

TEST(CatalogueReader, ShopAsTheEditorWritesIt) {
    Catalogue catalogue = readCatalogue(readFile(VIMRA_TEST_DATA "/catalogue/shop.txt"));
    const CatalogueHeader& header = catalogue.header;
    EXPECT_EQ(header.fields.count, 9);
    EXPECT_EQ(header.unitCaption, "Weight (kg)");
    EXPECT_EQ(header.codeCaption, "Order code");
    EXPECT_EQ(header.charset, "iso-8859-15");
    EXPECT_EQ(header.metaText, "\n<META NAME=\"keywords\" CONTENT=\"boots, shoes\">\n");
    EXPECT_EQ(header.firstItemKind, FirstItemKind::Named);
    EXPECT_EQ(header.firstItemName, "welcome.htm");
    EXPECT_EQ(header.taxTypeCount, 2);
    EXPECT_DOUBLE_EQ(header.taxTypes[1].rate, 5.0);

    using K = EntryKind;
    std::vector<EntryKind> kinds;
    for (const CatalogueRecord& record : catalogue.records)
        kinds.push_back(record.kind);
    EXPECT_EQ(kinds, (std::vector<EntryKind>{K::IndexHeading, K::PageStart, K::Item, K::Item,
                                             K::EndPage, K::TableStart, K::Item, K::EndTable,
                                             K::ColumnsStart, K::Item, K::Ignored, K::EndIndex,
                                             K::Link, K::TextLine, K::PictureLine, K::Item}));
    ASSERT_EQ(catalogue.records.size(), kinds.size());
    const CatalogueRecord& hill = catalogue.records[2];
    EXPECT_EQ(hill.picture(), "hill.gif|hill_big.gif");
    EXPECT_EQ(hill.selection(1), "Brown,Black");
    EXPECT_EQ(hill.description(), "Leather upper, rubber sole");
    EXPECT_EQ(catalogue.records[3].selection(0), "#!PV;5 (0)|6 (2.50)");
    EXPECT_EQ(catalogue.records[3].description(), "Light and waterproof.");
    EXPECT_EQ(catalogue.records[1].title, "Walking boots");
    EXPECT_EQ(catalogue.records[8].columnCount, 3);
    EXPECT_EQ(catalogue.records[12].linkAddress, "http://blog.example.com/");
}
