// The editor's commands: saving safely, the structure commands and their
// questions, and the tree commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/editor/editor_support.h"
#include "tests/support/file_size_limit.h"

namespace {


const char* kTwoSelects = "#!SELECT1=Colour;SELECT2=Size;\n"
                          "Shirt,12.00,shirt.jpg,Red|Blue,S|M,A shirt\n"
                          "Socks,2.00,socks.jpg,Grey,One size,Warm socks\n";

TEST(SaveCommand, KeepsABackupForEverySaveEvenWithinOneSecond) {
    EditorSession s(kTwoSelects);
    std::string first = readFile(s.path);
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    korvel::CatalogueRecord record;
    s.doc.readEntry(0, record);
    record.set(kPriceSlot, "13.00");
    s.doc.updateEntry(record, 0);
    std::string second = readFile(s.path);
    ASSERT_EQ(s.commands.save(), 0);   // the same second
    EXPECT_EQ(s.files(), (std::vector<std::string>{"shop.1700000000.txt", "shop.1700000001.txt", "shop.txt"}));
    EXPECT_EQ(readFile(s.dir / "shop.1700000000.txt"), first);
    EXPECT_EQ(readFile(s.dir / "shop.1700000001.txt"), second);
    EXPECT_NE(readFile(s.path).find("Shirt,13.00,"), std::string::npos);
}

TEST(SaveCommand, BackupNames) {
    struct Case {
        const char* path;
        const char* want;
    };
    const Case cases[] = {
        {"/shop/data.txt", "/shop/data.1700000000.txt"},
        {"/shop/data", "/shop/data.1700000000"},
        {"/shop.d/data", "/shop.d/data.1700000000"},
        {"/shop/data.old.csv", "/shop/data.old.1700000000.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(korvel::backupName(c.path, 1700000000), c.want);
    }
}

TEST(SaveCommand, OutputThatCannotBeWrittenLeavesFileAndEditsAlone) {
    EditorSession s(kTwoSelects);
    korvel::CatalogueRecord record;
    s.doc.readEntry(1, record);
    record.set(kNameSlot, "Wool socks");
    s.doc.updateEntry(record, 1);
    {
        // Files of this process cannot grow past 16 bytes: the new file cannot be written.
        FileSizeLimit limit(16);
        EXPECT_EQ(s.commands.save(), -1);
    }
    EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Couldn't open file for output"});
    EXPECT_EQ(readFile(s.path), kTwoSelects);
    EXPECT_TRUE(s.doc.isModified());
    ASSERT_EQ(s.doc.readEntry(1, record), 1);
    EXPECT_EQ(record.name(), "Wool socks");

    EXPECT_EQ(s.files(), std::vector<std::string>{"shop.txt"}) << "no temporary file is left";
    EXPECT_EQ(s.commands.save(), 0);
    EXPECT_NE(readFile(s.path).find("Wool socks,"), std::string::npos);
}

TEST(SaveCommand, StopAfterTheTemporaryFileLeavesTheOldFileIntact) {
    struct Case {
        const char* name;
        std::function<int(EditorSession&)> command;
    };
    const Case cases[] = {
        {"save", [](EditorSession& s) { return s.commands.save(); }},
        {"save on exit", [](EditorSession& s) { return s.commands.saveOnExit(); }},
        {"restructure", [](EditorSession& s) {
             s.dialogs.optionalFields = [](korvel::OptionalFieldsInput& in) {
                 in.code = "Code";
                 return true;
             };
             return s.commands.optionalFields();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s(kTwoSelects);
        s.doc.setModified();
        std::string written;
        s.commands.setAfterTemporaryWritten([&](const std::string& temporary) {
            written = readFile(temporary);
            return false;
        });
        EXPECT_EQ(c.command(s), -1);
        EXPECT_EQ(readFile(s.path), kTwoSelects);
        EXPECT_FALSE(written.empty());
        EXPECT_TRUE(s.doc.isModified());
        // The old file still opens as it was.
        RecordingMessages messages;
        korvel::CKorvelDoc other(messages);
        ASSERT_EQ(other.open(s.path, false), 0);
        EXPECT_EQ(other.entryCount(), 2);
        // The document still writes its old structure.
        EXPECT_FALSE(s.doc.file().directives.codePresent);
    }
}

TEST(SaveCommand, ReplacementThatFailsKeepsTheEditsAndSaysSo) {
    struct Case {
        const char* name;
        std::function<int(EditorSession&)> command;
    };
    const Case cases[] = {
        {"save", [](EditorSession& s) { return s.commands.save(); }},
        {"restructure", [](EditorSession& s) {
             s.dialogs.optionalFields = [](korvel::OptionalFieldsInput& in) {
                 in.code = "Code";
                 return true;
             };
             s.messages.answerNext(MessageAnswer::Yes);
             return s.commands.optionalFields();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s(kTwoSelects);
        korvel::CatalogueRecord record;
        s.doc.readEntry(1, record);
        record.set(kNameSlot, "Wool socks");
        s.doc.updateEntry(record, 1);
        // The new file vanishes before it can take the old one's place.
        s.commands.setAfterTemporaryWritten([](const std::string& temporary) {
            std::filesystem::remove(temporary);
            return true;
        });
        EXPECT_EQ(c.command(s), -1);
        ASSERT_FALSE(s.messages.texts().empty());
        EXPECT_EQ(s.messages.texts().back(), "Couldn't open file for output");
        EXPECT_EQ(readFile(s.path), kTwoSelects);
        EXPECT_TRUE(s.doc.isModified());
        ASSERT_EQ(s.doc.readEntry(1, record), 1);
        EXPECT_EQ(record.name(), "Wool socks");
        EXPECT_FALSE(s.doc.file().directives.codePresent);

        s.commands.setAfterTemporaryWritten(nullptr);
        EXPECT_EQ(s.commands.save(), 0);
        EXPECT_NE(readFile(s.path).find("Wool socks,"), std::string::npos);
    }
}

TEST(SaveCommand, SaveOnExitReplacesTheFileWithoutBackupWhenAsked) {
    struct Case {
        MessageAnswer answer;
        bool replaced;
    };
    for (const Case& c : {Case{MessageAnswer::Yes, true}, Case{MessageAnswer::No, false}}) {
        EditorSession s(kTwoSelects);
        ASSERT_NE(s.doc.appendNewEntry(korvel::kItem, korvel::kRootItem), korvel::kNoItem);
        s.messages.answerNext(c.answer);
        EXPECT_EQ(s.commands.saveOnExit(), 0);
        EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Save Changes"});
        EXPECT_EQ(s.files(), std::vector<std::string>{"shop.txt"});
        EXPECT_EQ(readFile(s.path).find("new item,") != std::string::npos, c.replaced);
    }
}

TEST(SaveCommand, SaveAsWritesTheChosenFileAndOpensIt) {
    EditorSession s(kTwoSelects);
    std::string other = (s.dir / "Other.TXT").string();
    s.dialogs.chosenPaths = {other};
    EXPECT_EQ(s.commands.saveAs(), 0);
    EXPECT_EQ(s.dialogs.titles, std::vector<std::string>{"Save Catalogue Data File As"});
    EXPECT_EQ(s.dialogs.requests.back().mode, korvel::FileDialogMode::SaveTo);
    EXPECT_EQ(s.doc.path(), other) << "the path keeps its case";
    EXPECT_EQ(readFile(other), kTwoSelects);
    EXPECT_EQ(readFile(s.path), kTwoSelects);

    s.dialogs.chosenPaths = {(s.dir / "missing" / "x.txt").string()};
    EXPECT_EQ(s.commands.saveAs(), -1);
    EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Couldn't open file for output"});
    EXPECT_EQ(s.doc.path(), other);
}

TEST(FileCommands, NewRefusesAnExistingFileAndOpensACreatedOne) {
    EditorSession s(kTwoSelects);
    s.dialogs.chosenPaths = {s.path};
    EXPECT_EQ(s.commands.newFile(), -1);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, "File already exists");
    EXPECT_EQ(s.messages.shown[0].caption, "File creation failure");

    std::string fresh = (s.dir / "Fresh.txt").string();
    s.dialogs.chosenPaths = {fresh};
    EXPECT_EQ(s.commands.newFile(), 0);
    EXPECT_EQ(s.doc.path(), fresh);
    EXPECT_EQ(s.doc.entryCount(), 0);
    EXPECT_EQ(readFile(fresh), "");

    s.dialogs.chosenPaths = {s.path};
    EXPECT_EQ(s.commands.openFile(), 0);
    EXPECT_EQ(s.doc.entryCount(), 2);
    EXPECT_EQ(s.dialogs.titles, (std::vector<std::string>{"New Data File", "New Data File", "Open Catalogue Data File"}));

    // Each dialog says what the file is for, starts beside the open file and
    // offers data files before all files.
    const std::vector<korvel::FileFilter> filters = {{"CSV Files (*.csv, *.txt)", {"*.csv", "*.txt"}},
                                                     {"All Files (*.*)", {"*"}}};
    std::vector<korvel::FileDialogMode> modes;
    for (const auto& request : s.dialogs.requests) {
        modes.push_back(request.mode);
        EXPECT_EQ(request.folder, s.dir.str());
        EXPECT_EQ(request.filters, filters);
    }
    EXPECT_EQ(modes, (std::vector<korvel::FileDialogMode>{korvel::FileDialogMode::CreateNew,
                                                          korvel::FileDialogMode::CreateNew,
                                                          korvel::FileDialogMode::OpenExisting}));
}

TEST(FileCommands, NewAndOpenOfferToSaveTheChangesFirst) {
    EditorSession s(kTwoSelects);
    std::string other = (s.dir / "other.txt").string();
    writeFile(other, "Tea,4.00,,,,\n");
    korvel::CatalogueRecord record;
    ASSERT_EQ(s.doc.readEntry(0, record), 0);
    record.set(kNameSlot, "Renamed");
    ASSERT_EQ(s.doc.updateEntry(record, 0), 0);

    s.messages.answerNext(MessageAnswer::No);
    s.dialogs.chosenPaths = {other};
    EXPECT_EQ(s.commands.openFile(), 0);
    EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Save Changes"});
    EXPECT_EQ(readFile(s.path), kTwoSelects) << "No drops the changes";
    EXPECT_EQ(s.doc.path(), other);

    ASSERT_EQ(s.doc.readEntry(0, record), 0);
    record.set(kNameSlot, "Green tea");
    ASSERT_EQ(s.doc.updateEntry(record, 0), 0);
    s.messages.answerNext(MessageAnswer::Yes);
    s.dialogs.chosenPaths = {(s.dir / "fresh.txt").string()};
    EXPECT_EQ(s.commands.newFile(), 0);
    EXPECT_EQ(readFile(other), "Green tea,4.00,,,,\n") << "Yes saves them";
    EXPECT_EQ(s.messages.texts(), (std::vector<std::string>{"Save Changes", "Save Changes"}));

    s.dialogs.chosenPaths = {other};
    EXPECT_EQ(s.commands.openFile(), 0);
    EXPECT_EQ(s.messages.texts().size(), 2u) << "no question without changes";
}

TEST(FileCommands, CommandsThatNeedAFileRefuseWithout) {
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    korvel::CKorvelDoc doc(messages);
    korvel::KorvelCommands commands(doc, dialogs);
    EXPECT_EQ(commands.optionalFields(), -1);
    EXPECT_EQ(commands.itemTaxTypes(), -1);
    EXPECT_EQ(commands.metaTags(), -1);
    EXPECT_EQ(commands.startItemPage(), -1);
    EXPECT_EQ(commands.importFile(), -1);
    EXPECT_EQ(commands.insert(korvel::kItem, korvel::kNoItem), korvel::kNoItem);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& m : messages.shown)
        shown.emplace_back(m.text, m.caption);
    std::vector<std::pair<std::string, std::string>> want = {
        {"There is no current file", "File Options"},
        {"There is no current file", "Item Tax Types"},
        {"There is no current file", "File Options"},
        {"There is no current file", "File Options"},
        {"There is no current file", "File Options"},
        {"You must create a new file, or select an existing file", "No Current File"},
    };
    EXPECT_EQ(shown, want);
}

TEST(OptionalFields, AddingACodeCaptionRewritesEveryRecordWithACodeField) {
    EditorSession s(kTwoSelects);
    s.dialogs.optionalFields = [](korvel::OptionalFieldsInput& in) {
        EXPECT_EQ(in.captions[0], "Colour");
        EXPECT_EQ(in.captions[1], "Size");
        in.code = "Ref";
        return true;
    };
    EXPECT_EQ(s.commands.optionalFields(), 0);
    EXPECT_EQ(s.messages.texts(),
              std::vector<std::string>{"The data file will be rewritten to reflect\nthe new structure - continue"});
    EXPECT_EQ(readFile(s.path), "#!SELECT1=Colour;SELECT2=Size;\n"
                                "#!CODE=Ref;\n"
                                "Shirt,,12.00,shirt.jpg,Red|Blue,S|M,A shirt\n"
                                "Socks,,2.00,socks.jpg,Grey,One size,Warm socks\n");
    EXPECT_EQ(s.files(), std::vector<std::string>{"shop.txt"});
    EXPECT_FALSE(s.doc.isModified());
    EXPECT_EQ(s.doc.file().currentSlots.count, 7);
}

TEST(OptionalFields, LossQuestionsAndAnswers) {
    struct Case {
        const char* name;
        const char* file;
        std::function<void(korvel::OptionalFieldsInput&)> change;
        MessageAnswer answer;
        const char* question;
        const char* want;   // the file afterwards
    };
    const char* withUnit = "#!SELECT1=Colour;\n#!UNIT1=kg;\n#!CODE=Ref;\nFlour,F1,1.20,1.5,flour.jpg,White|Brown,Bread flour\n";
    const Case cases[] = {
        {"unit removed, No", withUnit, [](auto& in) { in.unit = ""; }, MessageAnswer::No,
         "By continuing, you will lose the\nfollowing data from your file\n\n    Unit1\n\nDo you wish to continue?",
         withUnit},
        {"unit removed, Yes", withUnit, [](auto& in) { in.unit = " "; }, MessageAnswer::Yes,
         "By continuing, you will lose the\nfollowing data from your file\n\n    Unit1\n\nDo you wish to continue?",
         "#!SELECT1=Colour;\n#!CODE=Ref;\nFlour,F1,1.20,flour.jpg,White|Brown,Bread flour\n"},
        {"everything removed", withUnit,
         [](auto& in) {
             in.unit = "";
             in.code = "";
             in.captions[0] = "";
         },
         MessageAnswer::Yes,
         "By continuing, you will lose the\nfollowing data from your file\n\n    1 Select(s)\n    Codes\n    Unit1\n\nDo you "
         "wish to continue?",
         "Flour,1.20,flour.jpg,Bread flour\n"},
        {"middle caption cleared", "#!SELECT1=A;SELECT2=B;SELECT3=C;\nHat,1.00,hat.jpg,a1,b1,c1,Hat\n",
         [](auto& in) { in.captions[1] = ""; }, MessageAnswer::Yes,
         "By continuing, you will lose the\nfollowing data from your file\n\n    1 Select(s)\n\nDo you wish to continue?",
         "#!SELECT1=A;SELECT2=C;\nHat,1.00,hat.jpg,a1,c1,Hat\n"},
        {"caption added beside a text option", "#!TXTOPT1=Note;\nHat,1.00,hat.jpg,hello,Hat\n",
         [](auto& in) { in.captions[0] = "Colour"; }, MessageAnswer::Yes,
         "The data file will be rewritten to reflect\nthe new structure - continue",
         "#!SELECT2=Colour;\n#!TXTOPT1=Note;\nHat,1.00,hat.jpg,hello,,Hat\n"},
        {"caption renamed", "#!SELECT1=A;\nHat,1.00,hat.jpg,a1,Hat\n", [](auto& in) { in.captions[0] = "Colour"; },
         MessageAnswer::Yes, nullptr, "#!SELECT1=A;\nHat,1.00,hat.jpg,a1,Hat\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s(c.file);
        s.dialogs.optionalFields = [&](korvel::OptionalFieldsInput& in) {
            c.change(in);
            return true;
        };
        s.messages.answerNext(c.answer);
        EXPECT_EQ(s.commands.optionalFields(), 0);
        if (c.question)
            EXPECT_EQ(s.messages.texts(), std::vector<std::string>{c.question});
        else
            EXPECT_TRUE(s.messages.shown.empty());
        EXPECT_EQ(readFile(s.path), c.want);
        EXPECT_EQ(readWithGenerator(s.path).records.size(), 1u);
    }
}

TEST(OptionalFields, RenamingOnlyMarksTheFileModified) {
    EditorSession s("#!SELECT1=A;\nHat,1.00,hat.jpg,a1,Hat\n");
    s.dialogs.optionalFields = [](korvel::OptionalFieldsInput& in) {
        in.captions[0] = "Colour";
        in.charset = " utf-8 ";
        return true;
    };
    EXPECT_EQ(s.commands.optionalFields(), 0);
    EXPECT_TRUE(s.doc.isModified());
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "#!SELECT1=Colour;\n#!CHARSET=utf-8;\nHat,1.00,hat.jpg,a1,Hat\n");
}

TEST(TaxTypes, FirstTaxTypeAddsTheTaxFieldAndLastRemovesIt) {
    EditorSession s("Cup,3.00,cup.jpg,A cup\n");
    s.dialogs.taxes = [](korvel::TaxTypesInput& in) {
        in.titles[0] = " Standard ";
        in.rates[0] = "17.5";
        in.titles[1] = "Zero";
        return true;
    };
    EXPECT_EQ(s.commands.itemTaxTypes(), 0);
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_EQ(readFile(s.path), "#!TAX1=Standard;17.50;TAX2=Zero;0.00;\nCup,3.00,cup.jpg,,A cup\n");

    s.dialogs.taxes = [](korvel::TaxTypesInput& in) {
        EXPECT_EQ(in.rates[0], "17.50");
        in.titles[1] = "Reduced";
        in.rates[1] = "5";
        return true;
    };
    EXPECT_EQ(s.commands.itemTaxTypes(), 0);
    EXPECT_TRUE(s.doc.isModified()) << "the same structure: only the directives change";

    s.dialogs.taxes = [](korvel::TaxTypesInput& in) {
        in.titles = {};
        return true;
    };
    EXPECT_EQ(s.commands.itemTaxTypes(), 0);
    EXPECT_EQ(readFile(s.path), "Cup,3.00,cup.jpg,A cup\n");
}

TEST(DirectiveCommands, TypedSemicolonsDoNotCutTheValuesReadBack) {
    EditorSession s("Cup,3.00,cup.jpg,A cup\n");
    s.dialogs.taxes = [](korvel::TaxTypesInput& in) {
        in.titles[0] = "VAT; standard";
        in.rates[0] = "17.5";
        return true;
    };
    ASSERT_EQ(s.commands.itemTaxTypes(), 0);
    s.dialogs.optionalFields = [](korvel::OptionalFieldsInput& in) {
        in.captions[0] = "Size; colour";
        return true;
    };
    s.messages.answerNext(MessageAnswer::Yes);
    ASSERT_EQ(s.commands.optionalFields(), 0);
    EXPECT_EQ(readFile(s.path), "#!SELECT1=Size colour;\n#!TAX1=VAT standard;17.50;\nCup,3.00,cup.jpg,,,A cup\n");
    const korvel::FileDirectives& d = s.doc.file().directives;
    EXPECT_EQ(d.taxTypes[0].title, "VAT standard");
    EXPECT_EQ(d.taxTypes[0].rate, 17.5);
    EXPECT_EQ(d.captions[0], "Size colour");
}

TEST(TaxTypes, RateTextAsTheDialogShowsIt) {
    EXPECT_EQ(korvel::normaliseRateText("VAT", "17.5"), "17.50");
    EXPECT_EQ(korvel::normaliseRateText("VAT", ""), "0.00");
    EXPECT_EQ(korvel::normaliseRateText("", "0"), "");
    EXPECT_EQ(korvel::normaliseRateText("", "abc"), "");
}

TEST(DirectiveCommands, MetaTagsAndStartItemPageCountAsChanges) {
    EditorSession s("Cup,3.00,cup.jpg,A cup\n");
    s.dialogs.startPage = [](korvel::StartItemPageInput& in) {
        in.mode = korvel::kNamedFirstItem;
        in.name = "welcome.htm";
        return true;
    };
    EXPECT_EQ(s.commands.startItemPage(), 0);
    EXPECT_TRUE(s.doc.isModified());
    s.dialogs.meta = [](std::string& text) {
        text = "<META NAME=\"a\" CONTENT=\"b\">\r\n<META NAME=\"c\" CONTENT=\"d\">\n";
        return true;
    };
    EXPECT_EQ(s.commands.metaTags(), 0);
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "#!<META NAME=\"a\" CONTENT=\"b\"> <META NAME=\"c\" CONTENT=\"d\">\n"
                                "#!FIRSTITEM=welcome.htm;\n"
                                "Cup,3.00,cup.jpg,A cup\n");
    GeneratorReading reading = readWithGenerator(s.path);
    EXPECT_EQ(reading.records.size(), 1u);
}

TEST(TreeCommands, InsertDeleteAndTheCurrentEntry) {
    EditorSession s("Lamps,,INDEX,\nDesk lamp,12.50,desk.jpg,\nEND INDEX\nShades,,INDEX,\nEND INDEX\n");
    int index = s.commands.insert(korvel::kIndex, s.itemOf("Desk lamp"));
    ASSERT_NE(index, korvel::kNoItem);
    int item = s.commands.insert(korvel::kColumns, s.itemOf("Shades"));
    ASSERT_NE(item, korvel::kNoItem);
    EXPECT_EQ(s.treeLines(), (std::vector<std::string>{"1 0 Lamps", "0 1 Desk lamp", "1 1 new index", "0 2 new item",
                                                       "1 0 Shades", "9 0 columns (2)"}));
    EXPECT_EQ(s.doc.currentLabel(), "2");

    // Deleting: the next sibling becomes current, else the parent, else none.
    s.messages.answerNext(MessageAnswer::No);
    EXPECT_FALSE(s.commands.deleteItem(s.itemOf("new index")));
    EXPECT_EQ(s.messages.shown.back().text, "Are you sure you wish to delete new index and it's contents");
    EXPECT_EQ(s.messages.shown.back().caption, "Delete Index");
    EXPECT_TRUE(s.commands.deleteItem(s.itemOf("Desk lamp")));
    EXPECT_EQ(s.messages.shown.back().text, "Are you sure you wish to delete Desk lamp");
    EXPECT_EQ(s.messages.shown.back().caption, "Delete Item");
    EXPECT_EQ(s.doc.currentLabel(), "new index");
    EXPECT_TRUE(s.commands.deleteItem(s.itemOf("new index")));
    EXPECT_EQ(s.doc.currentLabel(), "Lamps");
    EXPECT_TRUE(s.commands.deleteItem(s.itemOf("2")));
    EXPECT_EQ(s.doc.current(), -1);

    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "Lamps,,INDEX,\nEND INDEX\nShades,,INDEX,\nEND INDEX\n");
}

TEST(TreeCommands, DragRefusalsMovesAndCopies) {
    EditorSession s("Lamps,,INDEX,\nDesk lamp,12.50,desk.jpg,\nFabric,,INDEX,\nSilk,8.00,,\nEND INDEX\nEND INDEX\n"
                    "Shades,,INDEX,\nEND INDEX\nCard,1.00,,\n");
    int lamps = s.itemOf("Lamps");
    int fabric = s.itemOf("Fabric");
    struct Refusal {
        int dragged;
        int target;
    };
    for (const Refusal& r : {Refusal{lamps, lamps}, Refusal{lamps, fabric}, Refusal{lamps, s.itemOf("Silk")},
                             Refusal{fabric, lamps}}) {
        EXPECT_FALSE(s.commands.drop(r.dragged, r.target, false));
        EXPECT_FALSE(s.commands.drop(r.dragged, r.target, true));
    }
    EXPECT_FALSE(s.doc.isModified());

    EXPECT_TRUE(s.commands.drop(s.itemOf("Card"), s.itemOf("Shades"), false));   // onto an index: last child
    EXPECT_TRUE(s.commands.drop(fabric, s.itemOf("Card"), true));                // onto an item: after it
    EXPECT_EQ(s.treeLines(),
              (std::vector<std::string>{"1 0 Lamps", "0 1 Desk lamp", "1 1 Fabric", "0 2 Silk", "1 0 Shades",
                                        "0 1 Card", "1 1 Fabric", "0 2 Silk"}));
    EXPECT_TRUE(s.doc.isModified());
    EXPECT_TRUE(s.commands.drop(s.itemOf("Desk lamp"), s.itemOf("Shades"), false));
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "Lamps,,INDEX,\nFabric,,INDEX,\nSilk,8.00,,\nEND INDEX\nEND INDEX\n"
                                "Shades,,INDEX,\nCard,1.00,,\nFabric,,INDEX,\nSilk,8.00,,\nEND INDEX\n"
                                "Desk lamp,12.50,desk.jpg,\nEND INDEX\n");
}

// Items whose entry does not lead back to them, and entries that lead to an
// item that is not theirs; empty when the links are whole.
std::string brokenLinks(const korvel::CKorvelDoc& doc) {
    std::string broken;
    doc.tree().walk([&](int item, int) {
        if (doc.treeItem(doc.tree().entry(item)) != item)
            broken += " item " + std::to_string(item);
        return true;
    });
    for (int i = 0; i < doc.entryCount(); ++i) {
        int item = doc.entries()[static_cast<std::size_t>(i)].treeItem;
        if (item != korvel::kNoItem && doc.tree().entry(item) != i)
            broken += " entry " + std::to_string(i);
    }
    return broken;
}

// Checks the links at every call, as a view that looks entries up while it
// is being told of a change would see them.
class LinkWatcher : public TreeRecorder {
public:
    explicit LinkWatcher(const korvel::CKorvelDoc& doc) : TreeRecorder(doc.tree()), m_doc(doc) {}
    void aboutToInsert(int p, int f, int l) override { TreeRecorder::aboutToInsert(p, f, l), check(); }
    void inserted(int p, int f, int l) override { TreeRecorder::inserted(p, f, l), check(); }
    void aboutToRemove(int p, int f, int l) override { TreeRecorder::aboutToRemove(p, f, l), check(); }
    void removed(int p, int f, int l) override { TreeRecorder::removed(p, f, l), check(); }
    void aboutToMove(int sp, int sr, int dp, int dr) override { TreeRecorder::aboutToMove(sp, sr, dp, dr), check(); }
    void moved(int sp, int sr, int dp, int dr) override { TreeRecorder::moved(sp, sr, dp, dr), check(); }
    void reset() override { TreeRecorder::reset(), check(); }

private:
    void check() {
        if (std::string broken = brokenLinks(m_doc); !broken.empty())
            faults.push_back(calls.back() + ": broken links" + broken);
    }
    const korvel::CKorvelDoc& m_doc;
};

std::vector<std::string> told(const std::string& call) { return {"about to " + call, call}; }

TEST(TreeCommands, TheDocumentKeepsEntriesAndItemsLinkedThroughEveryChange) {
    // Entries 0 Lamps, 1 Desk lamp, 2 Shades, 3 Card.
    EditorSession s("Lamps,,INDEX,\nDesk lamp,12.50,desk.jpg,\nEND INDEX\nShades,,INDEX,\nEND INDEX\nCard,1.00,,\n");
    writeFile(s.dir / "more.txt", "Jug,9.00,jug.jpg,\n");
    LinkWatcher watcher(s.doc);
    s.doc.setTreeObserver(&watcher);
    struct Step {
        const char* name;
        std::function<bool()> command;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        // Entries 4 and 5: the index and the item made inside it.
        {"insert an index", [&] { return s.commands.insert(korvel::kIndex, s.itemOf("Desk lamp")) != korvel::kNoItem; },
         [] {
             auto calls = told("insert under 0 rows 1-1");
             auto inside = told("insert under 4 rows 0-0");
             calls.insert(calls.end(), inside.begin(), inside.end());
             return calls;
         }()},
        {"insert with nothing selected",
         [&] { return s.commands.insert(korvel::kItem, korvel::kNoItem) != korvel::kNoItem; },
         told("insert under root rows 3-3")},
        {"move onto an index", [&] { return s.commands.drop(s.itemOf("Card"), s.itemOf("Shades"), false); },
         told("move root row 2 to 2 row 0")},
        {"copy an index after an item", [&] { return s.commands.drop(s.itemOf("Lamps"), s.itemOf("Card"), true); },
         told("insert under 2 rows 1-1")},
        {"delete", [&] { return s.commands.deleteItem(s.itemOf("Lamps")); }, told("remove under root rows 0-0")},
        {"import",
         [&] {
             s.dialogs.chosenPaths = {(s.dir / "more.txt").string()};
             return s.commands.importFile() == 0;
         },
         told("insert under root rows 2-2")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        watcher.calls.clear();
        EXPECT_TRUE(step.command());
        EXPECT_EQ(watcher.calls, step.calls);
        EXPECT_EQ(watcher.faults, std::vector<std::string>{});
        EXPECT_EQ(watcher.toldShape(), treeShape(s.doc.tree()));
    }
    EXPECT_EQ(s.treeLines(), (std::vector<std::string>{"1 0 Shades", "0 1 Card", "1 1 Lamps", "0 2 Desk lamp",
                                                       "1 2 new index", "0 3 new item", "0 0 new item",
                                                       "1 0 more.txt", "0 1 Jug"}));
    // The deleted index and what it held left the tree; their entries stay, without an item.
    for (int deleted : {0, 1, 4, 5})
        EXPECT_EQ(s.doc.entries()[static_cast<std::size_t>(deleted)].treeItem, korvel::kNoItem) << deleted;

    watcher.calls.clear();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(watcher.faults, std::vector<std::string>{});
    ASSERT_FALSE(watcher.calls.empty());
    EXPECT_EQ(watcher.calls.back(), "reset") << "reading the saved file again builds the tree anew";
    EXPECT_EQ(s.doc.tree().size(), s.doc.entryCount());
}

} // namespace

namespace {

TEST(FileCommands, StartCreatesAMissingFile) {
    TempDir dir;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    korvel::CKorvelDoc doc(messages);
    korvel::KorvelCommands commands(doc, dialogs);
    std::string path = (dir / "Shop.TXT").string();
    EXPECT_EQ(commands.start(path), 0);
    EXPECT_EQ(doc.path(), path);
    EXPECT_TRUE(std::filesystem::exists(path));

    std::string unreachable = (dir / "missing" / "x.txt").string();
    EXPECT_EQ(commands.start(unreachable), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"couldn't create " + unreachable});
}

TEST(SaveCommand, SavedFileKeepsItsPermissions) {
    EditorSession s(kTwoSelects);
    std::filesystem::permissions(s.path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(std::filesystem::status(s.path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

} // namespace
