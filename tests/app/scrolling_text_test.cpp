// The Scrolling Text dialog's load and store: zkticker.dat and the ticker fields.
#include "app/core/scrolling_text.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/core/vimra_doc.h"
#include "model/decimal_number.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

// The record is packed: its numbers are copied out before they are compared.
namespace {

TEST(ScrollingText, RoundTripThroughTheRecordAndTheFile) {
    TempDir program;
    auto blocks = std::make_unique<SettingsBlocks>();
    // Plain bytes: line ends, a zero byte and 8-bit characters stay as they are.
    const char raw[] = "Sale now on!\r\nTea \xA3" "2\0 only";
    const std::string text(raw, sizeof raw - 1);
    ScrollingTextForm form;
    form.text = text;
    form.borderColour = "#FF0000";
    form.backgroundColour = "#FFFFFF";
    form.textColour = "#0123456789abcdefXYZ";
    form.width = "450";
    form.height = "20";
    form.placement = TickerPlacement::TopIndex;
    form.includeTicker = true;

    ASSERT_EQ(storeScrollingText(form, *blocks, program.str()), 0);
    EXPECT_EQ(readFile(program / "zkticker.dat"), text);
    EXPECT_EQ(fieldText(blocks->appearance.tickerColours[0]), "#FF0000");
    EXPECT_EQ(fieldText(blocks->appearance.tickerColours[2]), "#0123456789abcd") << "cut to 15 characters";
    EXPECT_EQ(std::int32_t{blocks->appearance.tickerSize[0]}, 450);
    EXPECT_EQ(std::int32_t{blocks->appearance.tickerSize[1]}, 20);
    EXPECT_EQ(std::int32_t{blocks->appearance.scrollingTextOnIndex}, 1);
    EXPECT_EQ(std::int32_t{blocks->general.includeTicker}, 1);

    ScrollingTextForm loaded = loadScrollingText(*blocks, program.str());
    EXPECT_EQ(loaded.text, text);
    EXPECT_EQ(loaded.borderColour, "#FF0000");
    EXPECT_EQ(loaded.backgroundColour, "#FFFFFF");
    EXPECT_EQ(loaded.textColour, "#0123456789abcd");
    EXPECT_EQ(loaded.width, "450");
    EXPECT_EQ(loaded.height, "20");
    EXPECT_EQ(loaded.placement, TickerPlacement::TopIndex);
    EXPECT_TRUE(loaded.includeTicker);

    // A shorter text replaces the file whole.
    form.text = "Hi";
    form.placement = TickerPlacement::HeaderFrame;
    form.includeTicker = false;
    ASSERT_EQ(storeScrollingText(form, *blocks, program.str()), 0);
    EXPECT_EQ(readFile(program / "zkticker.dat"), "Hi");
    EXPECT_EQ(std::int32_t{blocks->appearance.scrollingTextOnIndex}, 0);
    EXPECT_EQ(std::int32_t{blocks->general.includeTicker}, 0);
}

TEST(ScrollingText, WidthAndHeightTextsBecomeNumbers) {
    struct Case { const char* text; std::int32_t want; };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"120", 120},
        {"  75", 75},
        {"+8", 8},
        {"-3", -3},
        {"60px", 60},
        {"1 2", 1},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
    };
    TempDir program;
    auto blocks = std::make_unique<SettingsBlocks>();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(decimalNumber(c.text), c.want);
        ScrollingTextForm form;
        form.width = c.text;
        form.height = c.text;
        ASSERT_EQ(storeScrollingText(form, *blocks, program.str()), 0);
        EXPECT_EQ(std::int32_t{blocks->appearance.tickerSize[0]}, c.want);
        EXPECT_EQ(std::int32_t{blocks->appearance.tickerSize[1]}, c.want);
    }
}

TEST(ScrollingText, FileThatCannotBeReadOrWritten) {
    TempDir program;
    std::string text = "left over";
    EXPECT_EQ(readScrollingTextFile((program / "zkticker.dat").string(), text), -2);
    EXPECT_EQ(text, "");
    fs::create_directories(program / "zkticker.dat");
    EXPECT_EQ(readScrollingTextFile((program / "zkticker.dat").string(), text), -4);
    EXPECT_EQ(writeScrollingTextFile((program / "zkticker.dat").string(), "new"), -1);

    // A missing file opens the dialog with no text.
    auto blocks = std::make_unique<SettingsBlocks>();
    EXPECT_EQ(loadScrollingText(*blocks, (program / "elsewhere").string()).text, "");
}

TEST(ScrollingText, DocumentUsesItsProgramDirectory) {
    TempDir program;
    writeFile(program / "zkticker.dat", "Welcome");
    RecordingMessages messages;
    struct NoShell : Shell {
        bool openWithDefaultProgram(const std::string&, const std::string&) override { return false; }
        bool startDetached(const std::string&, const std::vector<std::string>&) override { return false; }
    } shell;
    CVimraDoc doc(program.str(), messages, shell);
    doc.start();
    ScrollingTextForm form = doc.scrollingText();
    EXPECT_EQ(form.text, "Welcome");
    form.text = "Goodbye";
    ASSERT_EQ(doc.setScrollingText(form), 0);
    EXPECT_EQ(readFile(program / "zkticker.dat"), "Goodbye");
    EXPECT_FALSE(fs::exists(program / "ZK002.dat")) << "nothing else is saved";
}

} // namespace
