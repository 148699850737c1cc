#include "generator/order_form_files.h"

#include <gtest/gtest.h>

#include "tests/generator/test_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

TestBytes orderTextBlock(std::int16_t format, std::initializer_list<std::string_view> lines, std::int32_t length) {
    TestBytes b;
    b.i16(format);
    int written = 0;
    for (std::string_view line : lines) {
        b.text(line, 81);
        ++written;
    }
    b.zeros(81 * static_cast<std::size_t>(10 - written)).i32(length).i32(0);
    return b;
}

} // namespace

TEST(OrderTextFile, WritesTheLayoutAndReadsItBack) {
    TempDir dir;
    const std::string path = (dir / "ZKOT.dat").string();
    OrderText text;
    text.setAddressLine(0, "The Tea Shop");
    text.setAddressLine(6, "England");
    text.setExtraText("Thank you\nfor your order");
    ASSERT_EQ(writeOrderText(path, text), 0);
    const std::string extra = "Thank you\r\nfor your order";
    EXPECT_EQ(readFile(path), orderTextBlock(2055, {"The Tea Shop", "", "", "", "", "", "England"},
                                             static_cast<std::int32_t>(extra.size()))
                                  .raw(extra)
                                  .str());
    OrderText read = readOrderText(path);
    EXPECT_EQ(read.format, 2055);
    EXPECT_EQ(read.addressLines[0], "The Tea Shop");
    EXPECT_EQ(read.addressLines[6], "England");
    EXPECT_EQ(read.extraText, extra);
}

TEST(OrderTextFile, MissingShortAndDamagedFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        std::int16_t format;
        std::string firstLine;
        std::string extra;
    };
    const Case cases[] = {
        {"empty file", "", 2055, "", ""},
        {"one byte", "\x07", 2055, "", ""},
        {"format and a line cut short", TestBytes().i16(9).raw("Tea").str(), 9, "Tea", ""},
        {"line without terminator keeps 80 characters", TestBytes().i16(2055).text(std::string(81, 'a'), 81).str(),
         2055, std::string(80, 'a'), ""},
        {"text longer than the file", orderTextBlock(2055, {"x"}, 100).raw("short").str(), 2055, "x", "short"},
        {"negative text length", orderTextBlock(2055, {"x"}, -1).raw("ignored").str(), 2055, "x", ""},
        {"bytes after the text", orderTextBlock(2055, {"x"}, 2).raw("okNOT").str(), 2055, "x", "ok"},
    };
    TempDir dir;
    const std::string path = (dir / "ZKOT.dat").string();
    OrderText missing = readOrderText(path);
    EXPECT_EQ(missing.format, 2055);
    EXPECT_EQ(missing.addressLines[0], "");
    EXPECT_EQ(missing.extraText, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        OrderText read = readOrderText(path);
        EXPECT_EQ(read.format, c.format);
        EXPECT_EQ(read.addressLines[0], c.firstLine);
        EXPECT_EQ(read.extraText, c.extra);
    }
}

TEST(OrderTextFile, SettersCutLinesAndStoreCrLf) {
    OrderText text;
    text.setAddressLine(1, std::string(90, 'b'));
    text.setAddressLine(2, "first\nsecond");
    text.setAddressLine(10, "ignored");
    text.setAddressLine(-1, "ignored");
    EXPECT_EQ(text.addressLines[1], std::string(80, 'b'));
    EXPECT_EQ(text.addressLines[2], "first");
    text.setExtraText("a\nb\r\nc\rd");
    EXPECT_EQ(text.extraText, "a\r\nb\r\nc\r\nd");
}

TEST(OrderFormTemplate, LinesAsTheFormReadsThem) {
    TempDir dir;
    const std::string path = (dir / "zkof01.dat").string();
    EXPECT_EQ(readOrderFormTemplate(path), std::nullopt);
    const std::string longLine(1500, 'x');
    ASSERT_EQ(writeOrderFormTemplate(path, "<html>\n<!-- VIMRA START1 -->\n" + longLine + "\nlast"), 0);
    std::optional<std::vector<std::string>> lines = readOrderFormTemplate(path);
    ASSERT_TRUE(lines);
    const std::vector<std::string> want = {"<html>\n", "<!-- VIMRA START1 -->\n", std::string(999, 'x'),
                                           std::string(501, 'x') + "\n", "last"};
    EXPECT_EQ(*lines, want);
    EXPECT_TRUE(isOrderFormMarker((*lines)[1], "VIMRA START1"));
    EXPECT_FALSE(isOrderFormMarker((*lines)[1], "VIMRA START2"));
    EXPECT_FALSE(isOrderFormMarker("VIMRA START1 without the bracket", "VIMRA START1"));
}
