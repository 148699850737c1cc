#include "generator/currency_script.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "generator/generation_run.h"
#include "model/paths.h"
#include "tests/generator/test_bytes.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string expectedScript() { return readFile(fs::path(VIMRA_TEST_DATA) / "zkaltcurr-two-currencies.js"); }

// Two currencies as a shop's currency file holds them; the second has 9
// decimal places, which the script must write as 6.
std::string twoCurrencyFile() {
    TestBytes file;
    const std::string text = "Prices in \"your\" currency";
    file.i16(213).i16(2).i16(0).i16(0).i32(1).i32(288 + 2 * 104).i32(static_cast<std::int32_t>(text.size() + 1));
    file.i32(0).i32(0).zeros(260);
    file.text("", 41).text("EUR", 21).zeros(2).f64(1.165).byte(0).zeros(1).i16(1).i16(2).zeros(26);
    file.text("", 41).text("US$", 21).zeros(2).f64(1.2734).byte(1).zeros(1).i16(1).i16(9).zeros(26);
    file.raw(text).byte(0);
    return file.str();
}

class CurrencyScriptTest : public ::testing::Test {
protected:
    CurrencyScriptTest() {
        fs::create_directories(dir / "out");
        fs::create_directories(dir / "program");
        copyField(general->outputDir, (dir / "out").string());
        general->currencySymbolKind = 1;
        general->symbolFollowsAmount = 0;
        general->currencyDecimals = 2;
        writeFile(dir / "program" / "zkcurr.dat", twoCurrencyFile());
        currencies.load((dir / "program" / "zkcurr.dat").string());
    }

    TempDir dir;
    std::unique_ptr<GeneralSettings> general = std::make_unique<GeneralSettings>();
    CurrencyList currencies;
};

} // namespace

TEST_F(CurrencyScriptTest, StandaloneScriptMatchesGoldenFileAndIsTheOnlyFileToUpload) {
    writeFile(dir / "program" / "files01.dat", "/old/zk000000.html\n/old/zki00000.html\n");
    std::FILE* diagnostics = std::tmpfile();
    ASSERT_EQ(writeStandaloneAltCurrencyScript(*general, currencies, (dir / "program").string(), diagnostics), 0);
    std::fclose(diagnostics);
    EXPECT_EQ(readFile(dir / "out" / "zkaltcurr.js"), expectedScript());
    EXPECT_EQ(readFile(dir / "program" / "files01.dat"), (dir / "out" / "zkaltcurr.js").string() + "\n");
}

TEST_F(CurrencyScriptTest, ScriptThatCannotBeCreatedIsReportedAndLeavesTheUploadListAlone) {
    copyField(general->outputDir, (dir / "no such folder").string());
    writeFile(dir / "program" / "files01.dat", "/old/zk000000.html\n");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* diagnostics = open_memstream(&text, &size);
    EXPECT_EQ(writeStandaloneAltCurrencyScript(*general, currencies, (dir / "program").string(), diagnostics), 1);
    std::fclose(diagnostics);
    EXPECT_EQ(std::string(text), "couldn't open <" + (dir / "no such folder" / "zkaltcurr.js").string() + ">\n");
    std::free(text);
    EXPECT_EQ(readFile(dir / "program" / "files01.dat"), "/old/zk000000.html\n");
}

TEST_F(CurrencyScriptTest, RunScriptIsListedWithTheCatalogue) {
    RecordingMessages messages;
    auto appearance = std::make_unique<AppearanceSet>();
    GenerationRun run(*appearance, *general, messages, stderr);
    const fs::path list = dir / "program" / "files01.dat";
    run.lists.open(list.string(), (dir / "s1").string(), (dir / "s2").string(), false);
    EXPECT_EQ(writeAltCurrencyScript(run, currencies), 0);
    EXPECT_TRUE(run.lists.finish().empty());
    EXPECT_EQ(readFile(dir / "out" / "zkaltcurr.js"), expectedScript());
    EXPECT_EQ(readFile(list), (dir / "out" / "zkaltcurr.js").string() + "\n");
}

TEST(CurrencyScript, MainCurrencyFromTheSettings) {
    auto general = std::make_unique<GeneralSettings>();
    struct Case { std::uint8_t kind; const char* text; const char* want; };
    const Case cases[] = {{0, "CHF", "CHF"}, {1, "CHF", "&#163;"}, {2, "CHF", "$"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        general->currencySymbolKind = c.kind;
        copyField(general->currencySymbolText, c.text);
        EXPECT_EQ(mainCurrencySymbol(*general), c.want);
    }
    general->symbolFollowsAmount = 1;
    general->currencyDecimals = 8;
    CurrencyEntry main = mainCurrencyEntry(*general);
    EXPECT_EQ(main.rate, 1.0);
    EXPECT_TRUE(main.followsAmount);
    EXPECT_EQ(main.decimalPlaces, 6);
}

TEST(CurrencyScript, EmptyListGivesTheMainCurrencyAloneAndSymbolsAreEscaped) {
    CurrencyEntry main;
    main.symbol = "Fr'";
    main.rate = 1.0;
    main.decimalPlaces = 0;
    CurrencyList list;
    EXPECT_EQ(currencyScriptArrays(main, list),
              "var Currs=new Array(\"Fr\\'\",\"\"), CurrRt=new Array(1.0000,0.0), CurrPs=new Array(0,0), "
              "CurrDP=new Array(0,0);\nvar iNoCurr=1;\nvar CurrText=\"\";\n");
}
