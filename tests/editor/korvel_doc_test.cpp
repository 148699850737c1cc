// Reading a data file into the document and saving it back.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/editor/editor_support.h"

namespace {

std::string dataFile(const std::string& name) { return readFile(std::string(VIMRA_TEST_DATA) + "/" + name); }

struct RoundTripCase {
    const char* name;
    std::string text;
};

std::vector<RoundTripCase> roundTripCases() {
    std::string crlfPlain = dataFile("plain.txt");
    for (std::size_t at = 0; (at = crlfPlain.find('\n', at)) != std::string::npos; at += 2)
        crlfPlain.insert(at, "\r");
    return {
        {"example", readFile(std::string(VIMRA_SOURCE_DIR) + "/package/files/example/example.txt")},
        {"plain", dataFile("plain.txt")},
        {"plain with CR LF", crlfPlain},
        {"other delimiter", dataFile("delimiter.txt")},
        {"text options", dataFile("textoptions.txt")},
        {"CR LF and Ctrl-Z", dataFile("crlf.txt")},
        {"empty", ""},
    };
}

TEST(KorvelDocRoundTrip, SavedFileReadsToTheSameRecordsAndKinds) {
    for (const auto& c : roundTripCases()) {
        SCOPED_TRACE(c.name);
        EditorSession s(c.text);
        ASSERT_TRUE(s.doc.hasFile());
        GeneratorReading before = readWithGenerator(s.path);

        s.doc.setModified();
        ASSERT_EQ(s.commands.save(), 0);
        std::string saved = readFile(s.path);
        GeneratorReading after = readWithGenerator(s.path);
        EXPECT_EQ(after.fieldMask, before.fieldMask);
        EXPECT_EQ(after.header, before.header);
        EXPECT_EQ(meaningful(after.records), meaningful(before.records));
        EXPECT_EQ(readFile(s.dir / "shop.1700000000.txt"), c.text) << "the backup holds the old file";
        EXPECT_TRUE(s.messages.shown.empty());

        // Nothing changed since: nothing is written.
        std::vector<std::string> files = s.files();
        EXPECT_EQ(s.commands.save(), 0);
        EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"There have been no changes made"});
        EXPECT_EQ(s.files(), files);
        EXPECT_EQ(readFile(s.path), saved);

        // A saved file is saved again byte for byte.
        s.doc.setModified();
        s.clock++;
        ASSERT_EQ(s.commands.save(), 0);
        EXPECT_EQ(readFile(s.path), saved);
    }
}

TEST(KorvelDocRead, EntriesKindsAndNesting) {
    EditorSession s(dataFile("plain.txt"));
    std::vector<std::string> want = {
        "5 0 Welcome to the shop",
        "0 0 ",
        "1 0 Lamps",
        "0 1 Desk lamp",
        "0 1 Lamp, brass",
        "3 1 Floor lamps",
        "0 1 Standard lamp",
        "4 1 END PAGE",
        "6 0 HEADER/FOOTER",
        "1 0 Shades",
        "1 1 Fabric",
        "3 2 Silk shades",
        "7 2 !TABLE",
        "0 2 Silk drum",
        "0 2 Silk empire",
        "8 2 END TABLE",
        "9 2 columns (3)",
        "0 2 Linen",
        "8 2 END TABLE",
        "4 2 END PAGE",
        "0 1 Paper shade",
        "0 0 Visit our other site",
        "0 0 Contact us",
        "5 0 Note about sizes",
        "0 0 Long description",
        "6 0 HEADER/FOOTER",
    };
    EXPECT_EQ(s.treeLines(), want);

    korvel::CatalogueRecord record;
    ASSERT_EQ(s.doc.readEntry(3, record), 3);
    EXPECT_EQ(record.description(), "A lamp for the desk \r\nwith a long arm.");
    ASSERT_EQ(s.doc.readEntry(4, record), 4);
    EXPECT_EQ(record.name(), "Lamp, brass");
    EXPECT_EQ(record.description(), "Solid brass, with a cloth cord, and a switch.");
    ASSERT_EQ(s.doc.readEntry(24, record), 24);
    EXPECT_EQ(record.description(), "First line\r\nsecond line \r\nthird line");
    ASSERT_EQ(s.doc.readEntry(8, record), 8);
    EXPECT_EQ(record.description(), "FOOTNOTE=Prices include delivery;");
    EXPECT_EQ(s.doc.current(), 0);
    EXPECT_EQ(s.doc.currentLabel(), "Welcome to the shop");
    EXPECT_FALSE(s.doc.isModified());
}

TEST(KorvelDocWrite, MarkersQuotesAndContinuationsAreWrittenBack) {
    EditorSession s(dataFile("plain.txt"));
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path),
              "Welcome to the shop,,,\n"
              ",,banner.gif,\n"
              "Lamps,,INDEX,\n"
              "Desk lamp,12.50,desk.jpg,A lamp for the desk /\n"
              "with a long arm.\n"
              "\"Lamp, brass\",19.99,brass.jpg|brass_l.jpg,Solid brass, with a cloth cord, and a switch.\n"
              "!PAGEFloor lamps,,,Tall lamps\n"
              "Standard lamp,45.00,standard.jpg,Tall\n"
              "END PAGE\n"
              "END INDEX\n"
              "#!FOOTNOTE=Prices include delivery;\n"
              "Shades,,INDEX,\n"
              "Fabric,,INDEX,\n"
              "!PAGESilk shades,,,\n"
              "!TABLE\n"
              "Silk drum,8.00,drum.jpg,\n"
              "Silk empire,9.00,empire.jpg,\n"
              "END TABLE\n"
              "!COL3\n"
              "Linen,7.00,linen.jpg,\n"
              "END TABLE\n"
              "END PAGE\n"
              "END INDEX\n"
              "Paper shade,3.50,,Folds flat\n"
              "END INDEX\n"
              "Visit our other site,,!http://example.com,\n"
              "Contact us,,!!mailto:shop@example.com,\n"
              "Note about sizes,,,\n"
              "Long description,1.00,,First line/\n"
              "second line /\n"
              "third line\n"
              "#!FOOTNOTE=;\n");
}

TEST(KorvelDocWrite, DirectivesAreWrittenWithSemicolonsAndUnmodelledLinesKept) {
    struct Case {
        const char* file;
        std::string want;
    };
    const Case cases[] = {
        {"delimiter.txt",
         "#!SELECT1=Colour;SELECT2=Size;\n"
         "#!UNIT1=Weight;\n"
         "#!CODE=Ref;\n"
         "#!FIRSTITEM=welcome.htm;\n"
         "#!TAX1=VAT;17.50;TAX2=Zero;0.00;\n"
         "Red shirt,RS1,12.00,0.3,red.jpg,Red|Blue,S|M|L,2,A shirt\n"
         "Blue shirt,BS1,12.00,0.3,blue.jpg,Red|Blue,#!PV;S|M|L (1.50),1,A shirt, in blue\n"},
        {"textoptions.txt",
         "#!SELECT1=Blend;\n"
         "#!CODE=Code;\n"
         "#!<META NAME=\"keywords\" CONTENT=\"tea, gifts\">\n"
         "#!TXTOPT2=Message on card;\n"
         "#!HEADER=Fresh every week;FOOTNOTE=Free delivery over 30;\n"
         "#! written by hand\n"
         "Gift box,G1,20.00,box.jpg,Small|Large,Happy birthday,A box\n"
         "Card only,G2,2.00,card.jpg,,#!NT;,Just a card\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EditorSession s(dataFile(c.file));
        s.doc.setModified();
        ASSERT_EQ(s.commands.save(), 0);
        EXPECT_EQ(readFile(s.path), c.want);
    }
}

TEST(KorvelDocWrite, UnmodelledLinesReadWithAnotherDelimiterKeepIt) {
    EditorSession s("#!DELIMITER=|\n#!SELECT1=Colour|TXTOPT2=Note|\n#!FOOTNOTE=Thanks; see you|\nTee,,,red,hi,A tee\n");
    GeneratorReading before = readWithGenerator(s.path);
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "#!SELECT1=Colour;\n#!TXTOPT2=Note;\n#!DELIMITER=|\n#!FOOTNOTE=Thanks; see you|\n"
                                "Tee,,,red,hi,A tee\n");
    GeneratorReading after = readWithGenerator(s.path);
    EXPECT_EQ(after.header, before.header);
    EXPECT_EQ(after.records, before.records);
}

TEST(KorvelDocEdit, EditsGoToTheScratchFileUntilSaved) {
    EditorSession s(dataFile("plain.txt"));
    std::string original = readFile(s.path);
    korvel::CatalogueRecord record;
    ASSERT_EQ(s.doc.readEntry(3, record), 3);
    record.set(kNameSlot, "Desk lamp, steel");
    record.set(kDescriptionSlot, "\"Best\" seller\r\nends in a slash/");
    ASSERT_EQ(s.doc.updateEntry(record, 3), 3);
    EXPECT_TRUE(s.doc.isModified());
    EXPECT_EQ(readFile(s.path), original);
    EXPECT_EQ(s.doc.entries()[3].location.file, korvel::RecordFile::Scratch);

    korvel::CatalogueRecord back;
    ASSERT_EQ(s.doc.readEntry(3, back), 3);
    EXPECT_EQ(back.name(), "Desk lamp, steel");
    EXPECT_EQ(back.description(), record.description());

    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_FALSE(s.doc.isModified());
    ASSERT_EQ(s.doc.readEntry(3, back), 3);
    EXPECT_EQ(back.name(), "Desk lamp, steel");
    EXPECT_EQ(back.description(), record.description()) << "the saved file reads back the same";
    EXPECT_EQ(s.doc.entries()[3].location.file, korvel::RecordFile::Data);
    // The generator reads the same description, and the record after it is unharmed.
    GeneratorReading saved = readWithGenerator(s.path);
    EXPECT_EQ(saved.records[3].fields[29], "\"Best\" sellerends in a slash/");
    EXPECT_EQ(saved.records[4].fields[0], "Lamp, brass");
}

TEST(KorvelDocEdit, NewEntriesAndTheirDefaults) {
    EditorSession s("");
    struct Case {
        int kind;
        const char* name;
        bool hint;
    };
    const Case cases[] = {
        {korvel::kItem, "new item", true},          {korvel::kEndPage, "END PAGE", false},
        {korvel::kIndexText, "index frame text", false}, {korvel::kTableStart, "!TABLE", false},
        {korvel::kEndTable, "END TABLE", false},    {korvel::kColumns, "!COL2", false},
        {korvel::kDirective, "new item", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        int index = s.doc.addNewEntry(c.kind);
        ASSERT_GE(index, 0);
        korvel::CatalogueRecord record;
        ASSERT_EQ(s.doc.readEntry(index, record), index);
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.name(), c.name);
        EXPECT_EQ(record.description().empty(), !c.hint);
    }
    int index = s.doc.addNewIndex("A heading longer than thirty characters");
    korvel::CatalogueRecord record;
    ASSERT_EQ(s.doc.readEntry(index, record), index);
    EXPECT_EQ(record.name(), "A heading longer than thirty c");
    EXPECT_EQ(record.field(kPictureSlot), "INDEX");
    EXPECT_EQ(s.doc.getKind(index), korvel::kIndex);
}

TEST(KorvelDocOpen, MissingFileIsCreatedAndUnopenableFileRefused) {
    TempDir dir;
    RecordingMessages messages;
    korvel::CKorvelDoc doc(messages);
    std::string path = (dir / "new.txt").string();
    EXPECT_EQ(doc.open(path, false), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(doc.current(), -1);
    EXPECT_EQ(doc.windowTitle(), path + " - Korvel");

    EXPECT_NE(doc.open((dir / "no such folder" / "x.txt").string(), false), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not open files"});
    EXPECT_FALSE(doc.hasFile());
    EXPECT_EQ(doc.windowTitle(), "untitled");

    // A file that cannot be read to its end is not half opened.
    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_NE(doc.open((dir / "folder.txt").string(), false), 0);
    EXPECT_EQ(messages.texts().size(), 2u);
    EXPECT_FALSE(doc.hasFile());
    EXPECT_EQ(doc.entryCount(), 0);
}

TEST(KorvelDocImport, RecordsComeUnderANewIndexInTheOpenStructure) {
    EditorSession s(dataFile("crlf.txt"));
    writeFile(s.dir / "more.txt", "#!CODE=Code;\nJugs,,,INDEX,\nBig jug,J1,9.00,jug.jpg,A jug\nEND INDEX\nSpoon,S1,1.00,,\n");
    ASSERT_EQ(s.doc.import((s.dir / "more.txt").string()), 0);
    std::vector<std::string> want = {"1 0 Mugs", "0 1 Big mug", "1 0 more.txt", "1 1 Jugs", "0 2 Big jug",
                                     "0 1 Spoon"};
    EXPECT_EQ(s.treeLines(), want);
    EXPECT_EQ(s.doc.current(), -1);
    EXPECT_EQ(readFile(s.dir / "shop.txt"), dataFile("crlf.txt")) << "imports go to the scratch file";

    ASSERT_EQ(s.commands.save(), 0);
    GeneratorReading saved = readWithGenerator(s.path);
    ASSERT_EQ(saved.records.size(), 9u);
    EXPECT_EQ(saved.records[5].fields[0], "Big jug");
    EXPECT_EQ(saved.records[5].fields[2], "9.00");
    EXPECT_EQ(saved.records[5].fields[5], "jug.jpg");
    EXPECT_EQ(saved.records[6].kind, EntryKind::EndIndex);

    EXPECT_NE(s.doc.import((s.dir / "missing.txt").string()), 0);
    EXPECT_EQ(s.messages.texts().back(), "Could not open " + (s.dir / "missing.txt").string());
}

} // namespace

namespace {

TEST(KorvelDocEdit, KindChangeAloneIsSaved) {
    EditorSession s("Tea,4.00,tea.jpg,\nCoffee,5.00,,\n");
    s.doc.setKind(korvel::kPageStart, 1);
    EXPECT_TRUE(s.doc.isModified());
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "Tea,4.00,tea.jpg,\n!PAGECoffee,5.00,,\n");
    EXPECT_EQ(s.doc.getKind(1), korvel::kPageStart);
    s.doc.setKind(korvel::kItem, 1);
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "Tea,4.00,tea.jpg,\nCoffee,5.00,,\n");
}

TEST(KorvelDocEdit, EachDocumentHasItsOwnScratchFileEmptiedOnOpen) {
    EditorSession a("Tea,4.00,,\n");
    EditorSession b("Cup,1.00,,\n");
    korvel::CatalogueRecord record;
    a.doc.readEntry(0, record);
    record.set(kNameSlot, "Green tea");
    a.doc.updateEntry(record, 0);
    b.doc.readEntry(0, record);
    record.set(kNameSlot, "Mug");
    b.doc.updateEntry(record, 0);
    ASSERT_EQ(a.doc.readEntry(0, record), 0);
    EXPECT_EQ(record.name(), "Green tea");
    ASSERT_EQ(b.doc.readEntry(0, record), 0);
    EXPECT_EQ(record.name(), "Mug");

    // Opening again drops what was not saved.
    ASSERT_EQ(a.doc.open(a.path, false), 0);
    EXPECT_FALSE(a.doc.isModified());
    ASSERT_EQ(a.doc.readEntry(0, record), 0);
    EXPECT_EQ(record.name(), "Tea");
}

TEST(KorvelDocEdit, SaveKeepsTheSelectionInPlace) {
    EditorSession s("A,,INDEX,\nB,1,,\nEND INDEX\nC,2,,\n");
    int item = s.commands.insert(korvel::kItem, s.itemOf("B"));
    ASSERT_NE(item, korvel::kNoItem);
    s.doc.setCurrent(s.doc.tree().entry(s.itemOf("C")));
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(s.doc.currentLabel(), "C");
    EXPECT_EQ(s.doc.entries()[static_cast<std::size_t>(s.doc.current())].location.file, korvel::RecordFile::Data);
}

} // namespace
