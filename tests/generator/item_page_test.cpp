// Item pages beyond the golden cases: HTML item pages and missing files.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "generator/generate.h"
#include "model/paths.h"
#include "tests/support/generator_fixture.h"

namespace fs = std::filesystem;

namespace {

class ItemPages : public GeneratorFixture {
protected:
    ItemPages() { appearance->itemNavigation = 1; }
};

TEST_F(ItemPages, HtmlItemPageGetsItsOptionArraysAndUsesItsOwnForm) {
    // The page's own form is still open where the purchase block goes in.
    writeFile(dir / "shop" / "lamp.htm", "<html><body><form name=shop>\n<p>Lamp</p></BODY></form></HTML>\n");
    ASSERT_EQ(generate("#!SELECT1=Size;\nLamp,20.00,lamp.htm,Small|Large,A lamp\nChair,5.00,,,Oak\n"), 0);
    const std::string lamp = page("zk000002.html");
    const std::size_t tag = lamp.find("</BODY></form></HTML>\n");
    ASSERT_NE(tag, std::string::npos);
    const std::size_t script = lamp.find("<script language=\"javascript\">SL0 = new Array(\"Small\",\"Large\");\n"
                                         "var thisItem0=parent.GetItNo(0);\n</script>");
    const std::size_t add = lamp.find("parent.AddProdToQuote(thisItem0,'A lamp'");
    const std::size_t next = lamp.find("<TD><A HREF=\"zk000003.html\" TARGET=ZKITEM>");
    EXPECT_LT(script, add);
    EXPECT_LT(add, next);
    EXPECT_LT(next, tag);
    EXPECT_EQ(lamp.find("evalform"), std::string::npos);
    EXPECT_EQ(lamp.substr(0, 30), "<html><body><form name=shop>\n<");
}

TEST_F(ItemPages, MissingFilesAreReportedAndTheRunGoesOn) {
    ASSERT_EQ(generate("Lamp,20.00,lamp.htm,A lamp\nChair,5.00,,notes.txt\nStool,3.00,,\n"), 0);
    EXPECT_NE(diagnostics.find("failed to open html file <lamp.htm>\n"), std::string::npos);
    EXPECT_NE(diagnostics.find("failed to open text file <" + (dir / "shop" / "notes.txt").string() + ">\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out" / "zk000002.html"));
    // The skipped page keeps its number: its neighbour still links to it.
    EXPECT_NE(page("zk000003.html").find("<TD><A HREF=\"zk000002.html\" TARGET=ZKITEM>"), std::string::npos);
    EXPECT_NE(page("zk000003.html").find("<FONT FACE=\"arial\" SIZE=3 COLOR=></FONT>\n"), std::string::npos);
}

TEST_F(ItemPages, LabelsWithQuotesStayInsideTheirAttributesAndScriptStrings) {
    writeFile(dir / "program" / "titles.dat",
              "basket\nprevious index\nhome\nQuantity\nWork it \"out\"\nCost\nAdd \"now\"\nUpdate 'now'\n");
    general->includeCalculateButton = 1;
    ASSERT_EQ(generate("Chair,5.00,,Oak\n"), 0);
    const std::string chair = page("zk000002.html");
    for (const char* part : {
             "<INPUT TYPE=\"button\" VALUE=\"Work it &quot;out&quot;&nbsp;&nbsp;\"   onClick=\"cpl0();\">",
             "NAME=\"qtbut0\" VALUE=\"Add &quot;now&quot;&nbsp;&nbsp;\" onClick=\"cpl0();this.value='Update \\'now\\'';",
             "document.forms[0].qtbut0.value=\"Add \\\"now\\\"\";\n",
         }) {
        SCOPED_TRACE(part);
        EXPECT_NE(chair.find(part), std::string::npos) << chair;
    }
}

} // namespace
