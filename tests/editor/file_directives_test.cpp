// The leading directive lines: what the editor reads from them and how a
// save writes them back.
#include <gtest/gtest.h>

#include "tests/editor/editor_support.h"

namespace {

TEST(FileDirectives, SavedAsTheGeneratorReadsThem) {
    struct Case {
        const char* name;
        std::string file;
        std::string want;
    };
    const Case cases[] = {
        {"several on one line",
         "#!SELECT1=A;UNIT1=kg;CODE=Ref;CHARSET=utf-8;FIRSTITEM=FIRST;\nX,R,1,2,p,a,d\n",
         "#!SELECT1=A;\n#!UNIT1=kg;\n#!CODE=Ref;\n#!CHARSET=utf-8;\nX,R,1,2,p,a,d\n"},
        {"caption to the line end", "#!SELECT1=Colour\nX,1,p,a,d\n", "#!SELECT1=Colour;\nX,1,p,a,d\n"},
        {"empty code caption still gives the field", "#!CODE=;\nX,R,1,p,d\n", "#!CODE=;\nX,R,1,p,d\n"},
        {"unit without a delimiter is only kept", "#!UNIT1=kg\nX,1,p,d\n", "#!UNIT1=kg\nX,1,p,d\n"},
        {"numbers with gaps keep their numbers", "#!SELECT1=A;SELECT3=C;\n#!TAX2=Low;5;\nX,1,p,a,c,2,d\n",
         "#!SELECT1=A;SELECT3=C;\n#!TAX2=Low;5.00;\nX,1,p,a,c,2,d\n"},
        {"an eighth tax type", "#!TAX1=VAT;20;TAX8=Export;0;\nX,1,p,8,d\n",
         "#!TAX1=VAT;20.00;\n#!TAX8=Export;0;\nX,1,p,8,d\n"},
        {"META lines joined", "#!<META NAME=\"a\">\n#!<META NAME=\"b\">\nX,1,p,d\n",
         "#!<META NAME=\"a\"><META NAME=\"b\">\nX,1,p,d\n"},
        {"first item none", "#!FIRSTITEM=NONE;\nX,1,p,d\n", "#!FIRSTITEM=NONE;\nX,1,p,d\n"},
        {"delimiter line read as a record", "#!SELECT1=A;\nDELIMITER=|,1,p,a,d\n", "#!SELECT1=A;\nDELIMITER=|,1,p,a,d\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s(c.file);
        const UnchangedSave save = saveUnchanged(s);
        EXPECT_EQ(save.saved, c.want);
        EXPECT_EQ(save.after.fieldMask, save.before.fieldMask);
        EXPECT_EQ(save.after.records, save.before.records);
    }
}

TEST(FileDirectives, ALineEndOrNulAfterDelimiterChangesNothing) {
    // The generator keeps ';' then, so the editor must read ';' too.
    for (const std::string& delimiterLine : {std::string("#!DELIMITER=\0\n", 14), std::string("#!DELIMITER=\r\r\n")}) {
        SCOPED_TRACE(delimiterLine);
        EditorSession s(delimiterLine + "#!SELECT1=Size;TAX1=VAT;5;\nX,1,p,S,1,d\n");
        const korvel::FileDirectives& d = s.doc.file().directives;
        EXPECT_EQ(d.captions[0], "Size");
        EXPECT_DOUBLE_EQ(d.taxTypes[0].rate, 5.0);
        const UnchangedSave save = saveUnchanged(s);
        EXPECT_EQ(save.after.header, save.before.header);
        EXPECT_EQ(meaningful(save.after.records), meaningful(save.before.records));
    }
}

TEST(FileDirectives, WhatTheEditorModels) {
    EditorSession s("#!DELIMITER=|\n#!SELECT1=Colour|SELECT2=A very long caption that goes on past forty characters|\n"
                    "#!TAX1=VAT|17.5|TAX2=Zero|0|\n#!FIRSTITEM=welcome.htm\n#!HEADER=Top|FOOTNOTE=Bottom|\n");
    const korvel::FileDirectives& d = s.doc.file().directives;
    EXPECT_EQ(d.captions[0], "Colour");
    EXPECT_EQ(d.captions[1], "A very long caption that goes on past fo");
    EXPECT_EQ(d.captionCount(), 2);
    EXPECT_EQ(d.taxCount(), 2);
    EXPECT_DOUBLE_EQ(d.taxTypes[0].rate, 17.5);
    EXPECT_EQ(d.firstItemMode, korvel::kNamedFirstItem);
    EXPECT_EQ(d.firstItemName, "welcome.htm");
    EXPECT_EQ(d.headerText, "Top");
    EXPECT_EQ(d.footnoteText, "Bottom");
    EXPECT_EQ(s.doc.file().currentMask, 0x20000025u | 1u << 7 | 1u << 8 | 1u << 11);
}

TEST(FileDirectives, LongDirectiveLinesAreReadWhole) {
    // Unlike the generator, which reads the first 1999 characters of a line,
    // the editor finds a directive however far along the line it stands.
    EditorSession s("#!SELECT1=Size;" + std::string(1990, ' ') + "CODE=Code;" + std::string(3000, 'x') +
                    "\nX,R,1,p,S,d\n");
    const korvel::FileDirectives& d = s.doc.file().directives;
    EXPECT_EQ(d.captions[0], "Size");
    EXPECT_TRUE(d.codePresent);
    EXPECT_EQ(d.codeCaption, "Code");
    ASSERT_EQ(d.keptLines.size(), 1u);
    EXPECT_EQ(d.keptLines[0].text, "#!" + std::string(1990, ' ') + std::string(3000, 'x'));
}

} // namespace
