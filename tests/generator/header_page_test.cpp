// The header frame page and the scrolling-text applet, written by
// HeaderPage on a run prepared as the driver prepares it for its header
// step. Each case under golden-header/<case>/ holds its settings as
// "name=value" lines (settings.txt, applied after base-settings.txt), the
// pictures to draw (pictures.txt), files for the program folder under
// program/ and the expected files of the output folder under expected/,
// with expected/copies.txt listing the files copied unchanged. With
// VIMRA_GOLDEN_REFRESH=1 in the environment the expected files are
// rewritten from the run instead.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#include "generator/expires_tag.h"
#include "generator/generate.h"
#include "generator/header_page.h"
#include "generator/page_writer.h"
#include "generator/navigation_bar.h"
#include "model/paths.h"
#include "tests/generator/step_run.h"
#include "tests/support/golden_files.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCasesDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden-header";

// A run prepared up to the driver's header step.
class HeaderRun : public StepRun {
public:
    HeaderRun() { settings("outputDir=@TMP@/out\ninputFile=@TMP@/shop/catalogue.txt\nexpiryDate=0\n"); }

    void prepare() {
        setenv("TZ", "UTC", 1);
        tzset();
        ASSERT_TRUE(startRun("Apple,1.50,,Crisp\n"));
        const GeneralSettings& g = blocks->general;
        run->basketFlags = g.basketFlags;
        run->lists.open(run->programFile("files01.dat"), (dir / "search" / "search01.dat").string(),
                        (dir / "search" / "pages01.dat").string(), g.searchPlacement != 0);
        run->commonText.load(run->programFile("titles.dat"));
        run->fontTags = buildFontTags(blocks->appearance);
        preparePageDecorations(*run);
        run->expiresTag = expiresMetaTag(g.expiryDate);
        const RunModes modes = runModesFor(blocks->appearance, g, 0);
        run->basketFrameIndex = modes.basketFrameIndex;
        run->basketMode = modes.basketMode;
        run->charset = "iso-8859-1";
    }

    int writeHeaderPage() { return finishStep(HeaderPage(*run)); }
    std::string normalised(const std::string& text) const { return replaceAll(text, dir.str(), "@TMP@"); }
};

class GoldenHeaderPage : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenHeaderPage, MatchesExpectedFilesByteForByte) {
    const fs::path caseDir = kCasesDir / GetParam();
    HeaderRun header;
    ASSERT_NO_FATAL_FAILURE(header.takeCase(caseDir));
    ASSERT_NO_FATAL_FAILURE(header.prepare());
    const std::set<fs::path> inputs = regularFilesUnder(header.dir / "out");
    ASSERT_EQ(header.writeHeaderPage(), 0) << header.diagnostics;
    EXPECT_EQ(header.diagnostics, "");
    const GoldenRun run =
        header.goldenRun(caseDir, inputs, [&](const std::string& text) { return header.normalised(text); });
    if (goldenRefreshRequested()) {
        rewriteExpectedFiles(run);
        GTEST_SKIP() << "expected files rewritten; review them with git diff";
    }
    EXPECT_TRUE(header.written("zkheader1.html"));
    EXPECT_TRUE(matchesExpectedFiles(run));
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenHeaderPage,
                         ::testing::Values("banner_and_logo", "banner_only", "no_images", "ticker_on_index",
                                           "ticker_plain_colours"),
                         [](const ::testing::TestParamInfo<const char*>& param) { return std::string(param.param); });

// The applet's colour parameters are the same with and without a leading
// "#", on the header page as on the top index.
TEST(ScrollingTextApplet, ColoursWithAndWithoutHashGiveTheSameElement) {
    std::string pages[2];
    const char* const colours[2] = {"tickerColours.0=#00FF00\ntickerColours.1=#FFFFFF\ntickerColours.2=#FF0000\n",
                                    "tickerColours.0=00FF00\ntickerColours.1=FFFFFF\ntickerColours.2=FF0000\n"};
    for (int i = 0; i < 2; ++i) {
        HeaderRun header;
        ASSERT_NO_FATAL_FAILURE(header.settings(colours[i]));
        ASSERT_NO_FATAL_FAILURE(header.settings("tickerSize.0=300\ntickerSize.1=20\n"));
        writeFile(header.dir / "program" / "zkticker.dat", "News");
        ASSERT_NO_FATAL_FAILURE(header.prepare());
        PageWriter out;
        ASSERT_TRUE(out.open((header.dir / "applet.html").string()));
        writeScrollingText(*header.run, out);
        out.close();
        header.finishStep(0);
        pages[i] = readFile(header.dir / "applet.html");
    }
    EXPECT_EQ(pages[0], pages[1]);
    EXPECT_EQ(pages[0].find("<applet code=zkticker.class width=300 height=20><param name=fontcolour "
                            "value=\"FF0000\"><param name=bgcolour value=\"FFFFFF\"><param name=bordercol "
                            "value=\"00FF00\">"),
              0u)
        << pages[0];
}

// The scrolling text goes inside the applet element as page text: markup
// in it is shown, never run, and its lines become one.
TEST(ScrollingTextApplet, TextIsEscapedAndOnOneLine) {
    HeaderRun header;
    writeFile(header.dir / "program" / "zkticker.dat",
              std::string("Sale <script>alert(1)</script> & \"more\"\r\nnext\0line", 50));
    ASSERT_NO_FATAL_FAILURE(header.prepare());
    PageWriter out;
    ASSERT_TRUE(out.open((header.dir / "applet.html").string()));
    writeScrollingText(*header.run, out);
    out.close();
    header.finishStep(0);
    const std::string page = readFile(header.dir / "applet.html");
    EXPECT_NE(page.find(">Sale &lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;more&quot;  next line</span>"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

// Without the applet class in the program folder the copy step reports it
// as any missing file, and the page still refers to it.
TEST(ScrollingTextApplet, MissingAppletClassIsReportedByTheCopyStep) {
    HeaderRun header;
    ASSERT_NO_FATAL_FAILURE(header.settings("includeTicker=1\nscrollingTextOnIndex=0\n"));
    writeFile(header.dir / "program" / "zkticker.dat", "News");
    ASSERT_NO_FATAL_FAILURE(header.prepare());
    ASSERT_EQ(header.writeHeaderPage(), 0);
    const std::string missing = (header.dir / "program" / "zkticker.class").string();
    EXPECT_EQ(header.diagnostics, "File does not exists <" + missing + ">\n");
    EXPECT_NE(readFile(header.dir / "out" / "zkheader1.html").find("<applet code=zkticker.class"), std::string::npos);
    EXPECT_EQ(readFile(header.dir / "out" / "zkticker.dat"), "News");
    const std::string list = readFile(header.dir / "program" / "files01.dat");
    EXPECT_NE(list.find(join((header.dir / "out").string(), "zkticker.class") + "\n"), std::string::npos) << list;
}

TEST(HeaderPage, PageThatCannotBeCreatedIsReported) {
    HeaderRun header;
    fs::create_directories(header.dir / "out" / "zkheader1.html");
    ASSERT_NO_FATAL_FAILURE(header.prepare());
    EXPECT_EQ(header.writeHeaderPage(), -1);
    EXPECT_EQ(header.diagnostics,
              "failed to open <" + join((header.dir / "out").string(), "zkheader1.html") + ">\n");
}

} // namespace
