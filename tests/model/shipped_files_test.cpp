// Checks of the companion files delivered in the program directory: the
// appearance table with its pictures and the example shop with its pictures.
#include "model/appearance_library.h"
#include "model/catalogue_reader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kFiles = VIMRA_SOURCE_DIR "/package/files";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// The importer's split: a double quote toggles quoting and is dropped, a
// comma outside quotes ends the column.
std::vector<std::string> splitColumns(const std::string& line) {
    std::vector<std::string> columns(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) columns.emplace_back();
        else columns.back() += c;
    }
    return columns;
}

bool isHtmlColour(const std::string& text) {
    static const std::set<std::string> names = {
        "black", "silver", "gray", "white", "maroon", "red", "pink", "purple", "fuchsia", "green",
        "lightgreen", "lime", "olive", "yellow", "lightyellow", "navy", "blue", "teal", "aqua",
        "lightblue"};
    if (names.count(text)) return true;
    if (text.size() != 7 || text[0] != '#') return false;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

bool isDecimal(const std::string& text) {
    std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

enum class Kind { Name, Image, Colour, Font, Number, FrameSize, Ignored };

// What each column of the appearance table holds, by column number.
Kind columnKind(int column) {
    struct Range { int first, last; Kind kind; };
    static const Range ranges[] = {
        {1, 1, Kind::Name},        {2, 2, Kind::Image},      {3, 3, Kind::Number},
        {4, 5, Kind::Colour},      {6, 6, Kind::Number},     {7, 17, Kind::Image},
        {18, 20, Kind::Number},    {21, 26, Kind::Font},     {27, 34, Kind::Colour},
        {35, 39, Kind::Number},    {40, 40, Kind::Ignored},  {41, 41, Kind::Image},
        {42, 42, Kind::Number},    {43, 44, Kind::Colour},   {45, 49, Kind::Image},
        {50, 50, Kind::Number},    {51, 51, Kind::Image},    {52, 53, Kind::Number},
        {54, 65, Kind::Font},      {66, 67, Kind::Number},   {68, 73, Kind::Image},
        {74, 74, Kind::Ignored},   {75, 77, Kind::Font},     {78, 83, Kind::Colour},
        {84, 85, Kind::Number},    {86, 86, Kind::Ignored},  {87, 87, Kind::Image},
        {88, 88, Kind::Number},    {89, 90, Kind::Colour},   {91, 94, Kind::Image},
        {95, 95, Kind::Number},    {96, 98, Kind::Font},     {99, 101, Kind::Number},
        {102, 102, Kind::Ignored}, {103, 103, Kind::Image},  {104, 104, Kind::Number},
        {105, 106, Kind::Colour},  {107, 107, Kind::Image},  {108, 109, Kind::Number},
        {110, 117, Kind::Colour},  {118, 123, Kind::Font},   {124, 124, Kind::Ignored},
        {125, 126, Kind::Colour},  {127, 130, Kind::Image},  {131, 133, Kind::Font},
        {134, 135, Kind::Number},  {136, 136, Kind::Ignored}, {137, 140, Kind::Number},
        {141, 146, Kind::FrameSize}, {147, 147, Kind::Ignored}, {148, 151, Kind::Image},
        {152, 153, Kind::Number},  {154, 156, Kind::Colour}, {157, 158, Kind::Number},
    };
    for (const auto& r : ranges)
        if (column >= r.first && column <= r.last) return r.kind;
    return Kind::Ignored;
}

// "face/size/colour/style": size 0 to 7, style flags bold 1 and italic 2.
void expectFont(const std::string& value) {
    std::vector<std::string> parts;
    std::istringstream in(value);
    for (std::string part; std::getline(in, part, '/');) parts.push_back(part);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_FALSE(parts[0].empty());
    EXPECT_LE(parts[0].size(), 40u);
    ASSERT_TRUE(isDecimal(parts[1]));
    EXPECT_LE(std::stoi(parts[1]), 7);
    EXPECT_TRUE(isHtmlColour(parts[2])) << parts[2];
    ASSERT_TRUE(isDecimal(parts[3]));
    EXPECT_LE(std::stoi(parts[3]), 3);
}

// A pixel count or a percentage, as the frames dialog stores it.
bool isFrameSize(const std::string& value) {
    if (value.empty()) return true;
    std::string digits = value.back() == '%' ? value.substr(0, value.size() - 1) : value;
    return digits.size() <= 14 && isDecimal(digits) && digits[0] != '-';
}

TEST(ShippedFiles, AppearanceSetsAreCompleteAndNameTheirPictures) {
    const std::string text = readBytes(kFiles / "AppSetValues.csv");
    ASSERT_FALSE(text.empty());
    const auto setLines = lines(text);
    EXPECT_GE(setLines.size(), 4u);
    std::set<std::string> names;
    std::set<int> indexStyles;
    for (const auto& line : setLines) {
        const auto columns = splitColumns(line);
        SCOPED_TRACE(columns[0]);
        ASSERT_EQ(columns.size(), 158u);
        EXPECT_TRUE(names.insert(columns[0]).second) << "set names repeat";
        indexStyles.insert(std::stoi(columns[6 - 1]));
        for (int column = 1; column <= 158; ++column) {
            const std::string& value = columns[column - 1];
            SCOPED_TRACE("column " + std::to_string(column) + ": " + value);
            switch (columnKind(column)) {
            case Kind::Name:
                EXPECT_FALSE(value.empty());
                EXPECT_LE(value.size(), 40u);
                break;
            case Kind::Image:
                if (!value.empty()) {
                    EXPECT_TRUE(fs::is_regular_file(kFiles / "standard" / value));
                }
                break;
            case Kind::Colour:
                if (!value.empty()) {
                    EXPECT_TRUE(isHtmlColour(value));
                }
                break;
            case Kind::Font:
                if (!value.empty()) expectFont(value);
                break;
            case Kind::Number:
                EXPECT_TRUE(isDecimal(value));
                break;
            case Kind::FrameSize:
                EXPECT_TRUE(isFrameSize(value));
                break;
            case Kind::Ignored:
                EXPECT_TRUE(value.empty());
                break;
            }
        }
    }
    EXPECT_EQ(indexStyles, (std::set<int>{0, 1, 2}));
}

// The program's own import agrees with the column table above: the last
// column lands in the last field and quoted font faces keep their commas.
TEST(ShippedFiles, AppearanceSetsImportCompletely) {
    const auto setLines = lines(readBytes(kFiles / "AppSetValues.csv"));
    for (const auto& line : setLines) {
        const auto columns = splitColumns(line);
        SCOPED_TRACE(columns[0]);
        AppearanceSet set{};
        ASSERT_TRUE(parseAppearanceLine(line, "/opt/shop", set));
        EXPECT_EQ(std::string(set.setName), columns[0]);
        EXPECT_EQ(std::string(set.indexFrameWidth), columns[141 - 1]);
        EXPECT_EQ(std::to_string(set.tickerSize[1]), columns[158 - 1]);
        const std::string textFont = columns[21 - 1];
        EXPECT_EQ(std::string(set.indexFonts[0].face), textFont.substr(0, textFont.find('/')));
    }
}

bool isMarkerKeyword(const std::string& value) {
    return value == "INDEX" || value == "PAGE" || value == "END INDEX" || value == "END PAGE" ||
           value == "END TABLE";
}

TEST(ShippedFiles, ExampleShopNamesOnlyShippedPictures) {
    const fs::path folder = kFiles / "example";
    const std::string bytes = readBytes(folder / "example.txt");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "the example is written with LF line ends";

    CatalogueReader reader;
    ASSERT_TRUE(reader.open((folder / "example.txt").string()));
    reader.readHeaderBlock();
    EXPECT_EQ(reader.header().selectionCount, 3);
    EXPECT_GE(reader.header().taxTypeCount, 2);

    std::set<EntryKind> kinds;
    int items = 0;
    CatalogueRecord record;
    while (reader.readRecord(record)) {
        kinds.insert(record.kind);
        if (record.kind == EntryKind::Item) ++items;
        if (record.kind == EntryKind::Link) continue;
        const std::string& description = record.description();
        if (description.size() > 4 && description.compare(description.size() - 4, 4, ".txt") == 0) {
            EXPECT_TRUE(fs::is_regular_file(folder / description)) << description;
        }
        const std::string& picture = record.picture();
        if (picture.empty() || isMarkerKeyword(picture)) continue;
        SCOPED_TRACE(record.name() + ": " + picture);
        const auto bar = picture.find('|');
        EXPECT_TRUE(fs::is_regular_file(folder / picture.substr(0, bar)));
        if (bar != std::string::npos) {
            EXPECT_TRUE(fs::is_regular_file(folder / picture.substr(bar + 1)));
        }
    }
    EXPECT_GE(items, 25);
    EXPECT_FALSE(reader.header().footnote.empty());
    for (EntryKind kind : {EntryKind::Link, EntryKind::EndIndex, EntryKind::IndexHeading,
                           EntryKind::PageStart, EntryKind::EndPage, EntryKind::TableStart,
                           EntryKind::EndTable, EntryKind::ColumnsStart, EntryKind::PictureLine,
                           EntryKind::Item, EntryKind::TextLine})
        EXPECT_TRUE(kinds.count(kind)) << "entry kind " << static_cast<int>(kind) << " missing";
}

} // namespace
