// The record walk of the index pages: how sub-indexes, groups and "END
// INDEX" shape the pages, the failure path of a sub-index page, the file
// list, and the shipped example catalogue.
#include <cctype>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "generator/generate.h"
#include "model/catalogue_reader.h"
#include "model/paths.h"
#include "tests/support/generator_fixture.h"

namespace fs = std::filesystem;

namespace {

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

using IndexWalk = GeneratorFixture;

TEST_F(IndexWalk, SubIndexPageThatCannotBeCreatedLeavesItsRecordsToTheParent) {
    // A folder in the way of the sub-index page: the run goes on to the end
    // and then fails for the page it could not write.
    fs::create_directories(dir / "out" / "zki00002.html");
    GenerationReport report;
    ASSERT_EQ(generate("A,1.00,,\nSub,,INDEX,\nB,2.00,,\nEND INDEX\nD,3.00,,\n", &report), -1);
    EXPECT_EQ(report.unwrittenFiles, 1);
    EXPECT_NE(diagnostics.find("failed to open <" + (dir / "out" / "zki00002.html").string() + ">\n"),
              std::string::npos);
    const std::string top = page("zki00000.html");
    EXPECT_NE(top.find("HREF=\"zki00002.html\""), std::string::npos);
    // B is read by the top index; the sub-index's "END INDEX" ends the walk.
    EXPECT_NE(top.find(">B</A>"), std::string::npos);
    EXPECT_EQ(top.find(">D</A>"), std::string::npos);
    EXPECT_TRUE(written("zk000002.html"));
    EXPECT_TRUE(written("zk000003.html"));
    EXPECT_FALSE(written("zk000004.html"));
    EXPECT_NE(page("zk000002.html").find("HREF=\"zk000003.html\""), std::string::npos);
}

// A preview holds at most previewMaxItems of what the item counter counts:
// items, page starts, and table and columns starts inside a page. Records
// the walk ignores (an item without a name outside a page) are not counted.
TEST_F(IndexWalk, PreviewCountsWhatTheItemCounterCounts) {
    struct Case {
        const char* name;
        std::string data;
        std::vector<const char*> shown, cut;   // names on the pages / not there
    };
    std::string tenItems;
    for (int i = 0; i < 10; ++i)
        tenItems += "Item" + std::to_string(i) + ",1.00,,\nA text line\n";
    const Case cases[] = {
        {"items", tenItems, {"Item0", "Item2"}, {"Item3"}},
        {"nameless items outside a page",
         ",1.00,,\n,2.00,,\n,3.00,,\nAlpha,1.00,,\nBravo,1.00,,\nCharlie,1.00,,\nDelta,1.00,,\n",
         {"Alpha", "Charlie"}, {"Delta"}},
        {"page and table starts", "!PAGEG,,,\n!TABLE,,,\nAlpha,1.00,,\nBravo,1.00,,\n", {"Alpha"}, {"Bravo"}},
        {"columns start", "!PAGEG,,,\n!COL2,,,\nAlpha,1.00,,\nBravo,1.00,,\n", {"Alpha"}, {"Bravo"}},
        {"table starts outside a page",
         "!TABLE,,,\n!TABLE,,,\nAlpha,1.00,,\nBravo,1.00,,\nCharlie,1.00,,\nDelta,1.00,,\n",
         {"Alpha", "Charlie"}, {"Delta"}},
    };
    general->previewRun = 1;
    general->previewMaxItems = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir / "out");
        ASSERT_EQ(generate(c.data), 0) << diagnostics;
        std::string pages;
        for (const auto& entry : fs::directory_iterator(dir / "out"))
            pages += readFile(entry.path());
        for (const char* name : c.shown)
            EXPECT_NE(pages.find(name), std::string::npos) << name;
        for (const char* name : c.cut)
            EXPECT_EQ(pages.find(name), std::string::npos) << name;
    }
}

TEST_F(IndexWalk, SubIndexHeadingFinishesAnOpenGroupFirst) {
    ASSERT_EQ(generate("!PAGEGroup,,,\nG1,1.00,,\nSub,,INDEX,\nS1,2.00,,\nEND INDEX\nG2,3.00,,\n"), 0);
    const std::string group = page("zk000002.html");
    EXPECT_NE(group.find(">G1</FONT>"), std::string::npos);
    EXPECT_EQ(group.find("S1"), std::string::npos);
    EXPECT_EQ(group.substr(group.size() - 23), "</form></body>\n</html>\n");
    EXPECT_NE(page("zk000003.html").find(">S1</FONT>"), std::string::npos);
    // The group is over: G2 has a page of its own.
    EXPECT_NE(page("zk000004.html").find(">G2</FONT>"), std::string::npos);
    EXPECT_NE(page("zki00002.html").find("HREF=\"zk000003.html\""), std::string::npos);
}

TEST_F(IndexWalk, DeeplyNestedHeadingsStopAtAFixedDepth) {
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += "Level " + std::to_string(i) + ",,INDEX,\n";
    data += "Deep,1.00,,\n";
    ASSERT_EQ(generate(data), 0);
    EXPECT_TRUE(written("zki00200.html"));
    EXPECT_FALSE(written("zki00201.html"));
    EXPECT_NE(diagnostics.find("index pages nested too deeply: <" + (dir / "out" / "zki00201.html").string() +
                               "> not written\n"),
              std::string::npos);
    // The records below go to the deepest page there is.
    EXPECT_NE(page("zki00200.html").find(">Deep</A>"), std::string::npos);
}

TEST_F(IndexWalk, NavigationInTheHeaderFrameLeavesOnlyThePreviousIndexLink) {
    appearance->includeHeaderFrame = 1;
    appearance->navigationInHeader = 1;
    general->changeItemWithIndex = 1;
    general->searchPlacement = 2;
    copyField(general->homeLink, "http://shop.example/");
    ASSERT_EQ(generate("A,1.00,,\nSub,,INDEX,\nB,2.00,,\nEND INDEX\n"), 0);
    const std::string sub = page("zki00002.html");
    EXPECT_EQ(sub.find("ShowBasket"), std::string::npos);
    EXPECT_EQ(sub.find("shop.example"), std::string::npos);
    EXPECT_NE(sub.find("<A HREF=\"zki00000.html\" STYLE=\"text-decoration:none\" TARGET=ZKLIST>"), std::string::npos);
    const std::string end = "<SCRIPT LANGUAGE=JAVASCRIPT>if(parent!=self&&(parent.document.readyState==\"complete\"||"
                            "!/\\?.*zk0\\d{5}/.test(parent.location.href)))parent.frames[2].location=\"zk000003.html\";"
                            "</SCRIPT>\n"
                            "<script language=javascript>parent.LastInd=\"zki00002.html\";</script>\n</body>\n</html>\n";
    ASSERT_GE(sub.size(), end.size());
    EXPECT_EQ(sub.substr(sub.size() - end.size()), end);
}

TEST_F(IndexWalk, TableStyleLinesForLinksAndRolloverIndexBullets) {
    writeFile(dir / "shop" / "ind.gif", "GIF89a");
    writeFile(dir / "shop" / "ind-on.gif", "GIF89a");
    copyField(appearance->bulletImages[0], (dir / "shop" / "ind.gif").string());
    copyField(appearance->bulletImages[1], (dir / "shop" / "ind-on.gif").string());
    ASSERT_EQ(generate("Maker,,!!http://maker.example/,\nSub,,INDEX,\nEND INDEX\n"), 0);
    const std::string font = "<FONT FACE=\"arial\" SIZE=2 COLOR=><B>";
    const std::string cell = "<TD><A HREF=\"zki00002.html\" TARGET=ZKLIST onMouseOver='parent.ROI(document.II1)' "
                             "onMouseOut='parent.OI(document.II1)'>";
    const std::string lines =
        "<TABLE BORDER=0>\n<TR><TD><A HREF=\"http://maker.example/\" TARGET=_top>&nbsp;<TD><A "
        "HREF=\"http://maker.example/\" TARGET=_top>" + font + "Maker</A>" +
        "<TR VALIGN=TOP>" + cell + "<IMG SRC=ind.gif BORDER=0 ALIGN=CENTER VALIGN=MIDDLE NAME=II1></A></TD>" + cell +
        font + "Sub</A></TD>\n</TABLE>\n";
    EXPECT_NE(page("zki00000.html").find(lines), std::string::npos) << page("zki00000.html");
    EXPECT_TRUE(fs::exists(dir / "out" / "ind-on.gif"));
}

TEST_F(IndexWalk, EndIndexAtTheTopEndsTheWalk) {
    ASSERT_EQ(generate("A,1.00,,\nEND INDEX\nZ,2.00,,\n"), 0);
    EXPECT_TRUE(written("zk000002.html"));
    EXPECT_FALSE(written("zk000003.html"));
    EXPECT_EQ(page("zki00000.html").find(">Z</A>"), std::string::npos);
}

TEST_F(IndexWalk, FileListNamesEveryPageAndEachPictureOncePerReference) {
    writeFile(dir / "shop" / "pot.gif", "GIF89a");
    ASSERT_EQ(generate("A,1.00,pot.gif,\nB,2.00,pot.gif,\nC,3.00,pot.gif,\n"), 0);
    const std::string files = readFile(dir / "program" / "files01.dat");
    const std::string out = (dir / "out").string() + "/";
    EXPECT_EQ(occurrences(files, out + "pot.gif\n"), 3);
    for (const char* name : {"zki00000.html", "zk000002.html", "zk000003.html", "zk000004.html"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(occurrences(files, out + name + "\n"), 1);
    }
    EXPECT_TRUE(fs::exists(dir / "out" / "pot.gif"));
}

TEST_F(IndexWalk, NextLinkPatchKeepsThePageIntactAroundIt) {
    appearance->itemNavigation = 1;
    ASSERT_EQ(generate("A,1.00,,\nSub,,INDEX,\nB,2.00,,\nC,2.00,,\nEND INDEX\nD,3.00,,\n"), 0);
    const std::string a = page("zk000002.html");
    EXPECT_NE(a.find("<TD><A HREF=\"zk000005.html\" TARGET=ZKITEM><FONT SIZE=+1>next</FONT></A></TD>\n</TABLE>"),
              std::string::npos);
    EXPECT_EQ(a.substr(a.size() - 23), "</FORM></body>\n</html>\n");
    // The last page of each level has no next link; the first no previous one.
    EXPECT_EQ(page("zk000005.html").find(">next<"), std::string::npos);
    EXPECT_NE(page("zk000005.html").find("HREF=\"zk000002.html\""), std::string::npos);
    EXPECT_EQ(page("zk000004.html").find(">next<"), std::string::npos);
    EXPECT_EQ(page("zk000003.html").find(">prev<"), std::string::npos);
}

// One index page per heading, one item page per stand-alone item or group.
TEST_F(IndexWalk, ShippedExampleGetsAPagePerHeadingAndPerItemOrGroup) {
    const fs::path example = fs::path(VIMRA_SOURCE_DIR) / "package" / "files" / "example";
    ASSERT_TRUE(fs::exists(example / "example.txt"));
    copyField(general->defaultInputDir, example.string());
    copyField(general->inputFile, (example / "example.txt").string());

    CatalogueReader reader;
    ASSERT_TRUE(reader.open((example / "example.txt").string()));
    reader.readHeaderBlock();
    int headings = 0;
    int itemPages = 0;
    bool inGroup = false;
    CatalogueRecord record;
    while (reader.readRecord(record)) {
        switch (record.kind) {
        case EntryKind::IndexHeading:
            ++headings;
            inGroup = false;
            break;
        case EntryKind::PageStart:
            ++itemPages;
            inGroup = true;
            break;
        case EntryKind::EndPage:
        case EntryKind::EndIndex:
            inGroup = false;
            break;
        case EntryKind::Item:
            if (!inGroup && !record.name().empty())
                ++itemPages;
            break;
        default:
            break;
        }
    }
    reader.close();

    ASSERT_EQ(generate(), 0);
    int indexFiles = 0;
    int itemFiles = 0;
    for (const auto& entry : fs::directory_iterator(dir / "out")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("zki", 0) == 0 && name.size() == 13)
            ++indexFiles;
        else if (name.rfind("zk", 0) == 0 && name.size() == 13 && std::isdigit(static_cast<unsigned char>(name[2])) &&
                 name != "zk000000.html" && name != "zk100000.html")
            ++itemFiles;
    }
    EXPECT_GT(headings, 0);
    EXPECT_EQ(indexFiles, 1 + headings);
    EXPECT_EQ(itemFiles, itemPages);
}

} // namespace
