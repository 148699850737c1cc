// The search script writer's failures and its reading of the template, and
// the header variant of the search form (the index variant is in the golden
// cases search_cells and search_plain).
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "generator/font_tags.h"
#include "generator/page_decorations.h"
#include "generator/search_form.h"
#include "generator/search_script.h"
#include "model/paths.h"
#include "tests/generator/step_run.h"
#include "tests/support/generator_fixture.h"

namespace fs = std::filesystem;

namespace {

class SearchRun : public StepRun {
public:
    void prepare(const std::string& settingsText = "") {
        settings("outputDir=@TMP@/out\nsearchOutputDir=@TMP@/search\ninputFile=@TMP@/shop/catalogue.txt\n"
                 "indexBackgroundColour=FFFFFF\nindexTextColour=000000\nsearchUrl=/cgi-bin/zksearch2.pl\n" +
                 settingsText);
        ASSERT_TRUE(startRun("A,1.00,,\n"));
        run->fontTags = buildFontTags(blocks->appearance);
        preparePageDecorations(*run);
    }
    std::string templatePath() const { return (dir / "program" / "zksearch1.pl").string(); }
    std::string scriptPath() const { return (dir / "search" / "zksearch2.pl").string(); }
};

TEST(SearchScript, FailuresWriteNothingAndSayWhichFile) {
    struct Case {
        const char* name;
        bool emptyTemplate, templateMissing, emptyOutput, outputFolderMissing;
        const char* diagnostic;   // "" for none; T the template's path, O the output's
        bool countedUnwritten;
    };
    const Case cases[] = {
        {"empty template path", true, false, false, false, "", false},
        {"empty output path", false, false, true, false, "", false},
        {"template missing", false, true, false, false, "T", false},
        {"output cannot be created", false, false, false, true, "O", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchRun step;
        ASSERT_NO_FATAL_FAILURE(step.prepare());
        if (!c.templateMissing)
            writeFile(step.dir / "program" / "zksearch1.pl", "#!/usr/bin/perl\n");
        std::string output = step.scriptPath();
        if (c.outputFolderMissing)
            output = (step.dir / "nowhere" / "zksearch2.pl").string();
        const int result = step.finishStep(WriteSearchScript(*step.run, c.emptyTemplate ? "" : step.templatePath(),
                                                             c.emptyOutput ? "" : output));
        EXPECT_EQ(result, 1);
        EXPECT_FALSE(fs::exists(output));
        std::string want;
        if (std::string(c.diagnostic) == "T")
            want = "couldn't open <" + step.templatePath() + ">\n";
        else if (std::string(c.diagnostic) == "O")
            want = "couldn't open <" + output + ">\n";
        EXPECT_EQ(step.diagnostics, want);
        EXPECT_EQ(step.run->unwrittenFiles.count(output), c.countedUnwritten ? 1u : 0u);
    }
}

TEST(SearchScript, MarkerIsLookedForInLinesOfAtMost999Characters) {
    SearchRun step;
    ASSERT_NO_FATAL_FAILURE(step.prepare());
    // The first marker runs over the limit and is split in two pieces that
    // each hold only half of it; the bytes of the template pass unchanged,
    // a zero byte and a CR LF line end included.
    const std::string longLine = std::string(995, 'x') + "<!-- VIMRA START1 -->\n";
    const std::string head = std::string("#!/usr/bin/perl\r\nmy $z = \"a\0b\";\n", 33) + longLine;
    const std::string tail = "print \"$TEXTFONT\";\n<!-- VIMRA START1 --> once only\n";
    writeFile(step.dir / "program" / "zksearch1.pl", head + "# <!-- VIMRA START1 -->\n" + tail);
    ASSERT_EQ(step.finishStep(WriteSearchScript(*step.run, step.templatePath(), step.scriptPath())), 0);
    EXPECT_EQ(step.diagnostics, "");
    EXPECT_EQ(readFile(step.scriptPath()), head + searchConfigurationBlock(*step.run) + tail);
}

TEST(SearchScript, TemplateWithoutMarkerGetsTheBlockOnALineOfItsOwn) {
    for (const std::string text : {"#!/usr/bin/perl\n# end\n", "#!/usr/bin/perl\n# end", ""}) {
        SCOPED_TRACE(text);
        SearchRun step;
        ASSERT_NO_FATAL_FAILURE(step.prepare());
        writeFile(step.dir / "program" / "zksearch1.pl", text);
        ASSERT_EQ(step.finishStep(WriteSearchScript(*step.run, step.templatePath(), step.scriptPath())), 0);
        const std::string separator = text.empty() || text.back() == '\n' ? "" : "\n";
        EXPECT_EQ(readFile(step.scriptPath()), text + separator + searchConfigurationBlock(*step.run));
    }
}

TEST(SearchScript, QuotesInAnyValueStayInsideThePerlString) {
    SearchRun step;
    ASSERT_NO_FATAL_FAILURE(step.prepare("indexBackgroundImage=@TMP@/shop/paper.gif\nindexBackgroundImageMode=2\n"));
    const std::string block = searchConfigurationBlock(*step.run);
    EXPECT_NE(block.find("$BODYTAG = \"<body bgcolor=FFFFFF text=000000 BACKGROUND=paper.gif "
                         "bgproperties=\\\"fixed\\\" link=000000 vlink=000000>\";\n"),
              std::string::npos);
}

TEST(SearchForm, HeaderVariantSendsTheLastIndexShownIntoTheIndexFrame) {
    const std::string form =
        "<form name=\"search\" action=\"/cgi-bin/zksearch2.pl\" method=get target=ZKLIST><table width=100% border=0 "
        "cellspacing=0 cellpadding=0%s><tr><td><nobr><FONT FACE=\"arial\" SIZE=3 COLOR=000000>Search for</FONT>"
        "<script language=javascript>document.write('<input type=hidden name=calledby "
        "value=\"'+parent.LastInd+'\">');</script><input type=text name=searchfor size=%s><input type=submit "
        "value=\"Search\" onClick=\"document.search.calledby.value=parent.LastInd;\"></nobr></td></tr></table>\n";
    struct Case {
        const char* name;
        const char* settings;
        const char* colour;
        const char* size;
    };
    const Case cases[] = {
        {"coloured cells, narrow box", "indexStyle=2\nindexCellColour=DDDDDD\nsearchBoxSize=3\n", " bgcolor=DDDDDD", "8"},
        {"plain, no cell colour", "indexStyle=1\nsearchBoxSize=30\n", "", "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchRun step;
        ASSERT_NO_FATAL_FAILURE(step.prepare(std::string("includeHeaderFrame=1\nnavigationInHeader=1\n") + c.settings));
        const fs::path page = step.dir / "out" / "zkheader1.html";
        {
            PageWriter out;
            ASSERT_TRUE(out.open(page.string()));
            writeSearchForm(*step.run, out, "zkheader1.html", true);
            ASSERT_TRUE(out.close());
        }
        std::string want = form;
        want.replace(want.find("%s"), 2, c.colour);
        want.replace(want.find("%s"), 2, c.size);
        EXPECT_EQ(readFile(page), want);
    }
}

} // namespace

namespace {

using SearchPlacement = GeneratorFixture;

// The header frame carries the only form when the navigation lives there;
// without a header frame the index pages keep theirs.
TEST_F(SearchPlacement, IndexPagesLeaveTheFormToTheHeaderFrame) {
    struct Case {
        const char* name;
        int headerFrame;
        bool indexForm;
    };
    const Case cases[] = {{"header frame", 1, false}, {"no header frame", 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        appearance->includeHeaderFrame = c.headerFrame;
        appearance->navigationInHeader = 1;
        general->searchPlacement = 2;
        ASSERT_EQ(generate("A,1.00,,\nSub,,INDEX,\nB,2.00,,\nEND INDEX\n"), 0) << diagnostics;
        for (const char* name : {"zki00000.html", "zki00002.html"}) {
            SCOPED_TRACE(name);
            const std::string index = page(name);
            EXPECT_EQ(index.find("<form name=\"search\"") != std::string::npos, c.indexForm);
            EXPECT_EQ(index.find("</form>") != std::string::npos, c.indexForm);
        }
    }
}

} // namespace
