// Golden pages: each case under golden/<case>/ holds a data file
// ("catalogue.txt", with any text or HTML files it names) and the expected
// files under expected/, laid out as the run writes them (out/, program/,
// search/). The run's temporary folder stands as "@TMP@" in expected files.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <vector>

#include "generator/generate.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden";

struct Settings {
    std::unique_ptr<GeneralSettings> general = std::make_unique<GeneralSettings>();
    std::unique_ptr<AppearanceSet> appearance = std::make_unique<AppearanceSet>();
    fs::path shop;      // the source folder
    fs::path program;   // VIMRA_HOME
    std::string image(const char* name) const { return (shop / name).string(); }
};

// A GIF of the given size: header, logical screen without colour table, and
// an image descriptor, which is all the probe reads.
std::string gif(int width, int height) {
    std::string bytes = "GIF89a";
    bytes += std::string("\x01\x00\x01\x00\x00\x00\x00", 7);
    bytes += ',';
    bytes += std::string(4, '\0');
    bytes += static_cast<char>(width & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(height >> 8);
    bytes += std::string(1, '\0');
    bytes += ';';
    return bytes;
}

void writeTaxFile(const Settings& s, int count) {
    std::string bytes(6, '\0');
    bytes[0] = static_cast<char>(132);
    bytes[2] = static_cast<char>(count);
    writeFile(s.program / "zktax.dat", bytes);
}

void writeCurrencyFile(const Settings& s) {
    std::string bytes(288 + 104, '\0');
    bytes[0] = static_cast<char>(213);
    bytes[2] = 1;   // one entry
    bytes[8] = 1;   // include alternate currencies
    writeFile(s.program / "zkcurr.dat", bytes);
}

// What every case shares: plain colours, default fonts, the basket in the
// item frame, a home link, a fixed Expires date.
void baseSettings(Settings& s) {
    GeneralSettings& g = *s.general;
    AppearanceSet& a = *s.appearance;
    g.basketFlags = 1;
    g.currencySymbolKind = 1;
    g.currencyDecimals = 2;
    g.taxRate = 17.5;
    copyField(g.taxDescription, "VAT");
    copyField(g.homeLink, "http://shop.example/");
    g.expiryDate = 0;
    g.previewMaxItems = 40;
    copyField(a.indexBackgroundColour, "FFFFFF");
    copyField(a.indexTextColour, "000000");
    copyField(a.itemBackgroundColour, "FFFFEE");
    copyField(a.itemTextColour, "000033");
    a.indexMargin = -1;
    a.itemMargin = -1;
    a.indexTableWidth = 150;
    a.indexTableSpacing = 2;
}

// Table style, image bullets (item bullet with rollover), previous and next
// buttons as images, navigation at the top right, the next-link chain.
void chainSettings(Settings& s) {
    AppearanceSet& a = *s.appearance;
    s.general->changeItemWithIndex = 1;
    a.indexStyle = 0;
    copyField(a.bulletImages[0], s.image("arrow.gif"));
    copyField(a.bulletImages[2], s.image("dot.gif"));
    copyField(a.bulletImages[3], s.image("dot-on.gif"));
    a.itemNavigation = 0;
    copyField(a.prevNextImages[0], s.image("prev.gif"));
    copyField(a.prevNextImages[2], s.image("next.gif"));
}

// List style, navigation and title at the top, link images, text lines,
// links and a picture line; bottom item navigation with text buttons; a
// hidden quantity of one, the calculate button and image add buttons; a
// large picture and a text-file description; search lists on the top index.
void listSettings(Settings& s) {
    GeneralSettings& g = *s.general;
    AppearanceSet& a = *s.appearance;
    a.indexStyle = 1;
    a.navigationAtTop = 1;
    g.useTitleInIndex = 1;
    g.searchPlacement = 1;
    a.useLinkImages = 1;
    copyField(a.linkImages[4], s.image("basket.gif"));
    copyField(a.linkImages[5], s.image("basket-on.gif"));
    copyField(a.linkImages[2], s.image("up.gif"));
    copyField(a.linkImages[0], s.image("home.gif"));
    a.itemNavigation = 1;
    g.quantityAlwaysOne = 1;
    g.includeCalculateButton = 1;
    copyField(a.addButtonImage, s.image("add.gif"));
    copyField(a.updateButtonImage, s.image("upd.gif"));
}

// Coloured cells; a group page with a page title, alternating pictures, a
// text price, an item table and a columns block of three with a
// checkerboard; one tax rate without currency conversion.
void groupSettings(Settings& s) {
    GeneralSettings& g = *s.general;
    AppearanceSet& a = *s.appearance;
    a.indexStyle = 2;
    a.cellAlignment = 1;
    copyField(a.cellRolloverColour, "FFCC00");
    copyField(a.itemCellColour, "EEEEEE");
    copyField(a.indexCellColour, "DDDDDD");
    copyField(a.textCellColour, "CCCCCC");
    copyField(a.navigationCellColour, "BBBBBB");
    copyField(a.indexFonts[1].secondColour, "FF0000");
    a.indexMargin = 4;
    a.itemNavigation = 2;
    a.itemSeparator = 1;
    a.pictureAlignment = 0x10;
    a.showPageTitle = 1;
    copyField(a.itemTableColour, "F0F0F0");
    copyField(a.tableRowColours[0], "FAFAFA");
    copyField(a.tableRowColours[1], "F5F5F5");
    copyField(a.itemFonts[6].colour, "333333");
    a.itemTableSpacing = 1;
    copyField(a.columnCellColours[0], "FFFFFF");
    copyField(a.columnCellColours[1], "EEEEEE");
    a.columnsSpacing = 2;
    g.includeTax = 1;
    writeTaxFile(s, 1);
}

// Declared selections (a price-varying list, a plain list, a text option)
// and tax types; several tax rates with currency conversion; stand-alone
// items with and without multi-option lists, and a table row with lists.
void selectionsSettings(Settings& s) {
    s.general->includeTax = 1;
    s.appearance->itemNavigation = 2;
    writeTaxFile(s, 2);
    writeCurrencyFile(s);
}

// An HTML item page (the purchase block and the navigation go in before
// its closing tag) and an item page template.
void htmlTemplateSettings(Settings& s) {
    s.appearance->itemNavigation = 1;
    s.general->useTemplate = 1;
    copyField(s.general->templateFile, (s.shop / "template.html").string());
}

// Coloured cells with a sub-index behind a heading picture, a text line,
// titles, a fixed table colour and a tiled index background; item pages
// with a width wrapper, a fixed background, a margin, text buttons at the
// top right, a separator picture, a bold italic item heading and a columns
// block of two with a checkerboard; no tax.
void cellsSettings(Settings& s) {
    GeneralSettings& g = *s.general;
    AppearanceSet& a = *s.appearance;
    a.indexStyle = 2;
    g.useTitleInIndex = 1;
    copyField(a.itemCellColour, "EEEEEE");
    copyField(a.indexCellColour, "DDDDDD");
    copyField(a.textCellColour, "CCCCCC");
    copyField(a.navigationCellColour, "BBBBBB");
    copyField(a.indexTableColour, "F8F8F8");
    copyField(a.indexFonts[1].secondColour, "FF0000");
    copyField(a.indexBackgroundImage, s.image("paper.gif"));
    a.indexBackgroundImageMode = 1;
    copyField(a.itemBackgroundImage, s.image("cloth.gif"));
    a.itemBackgroundImageMode = 2;
    copyField(a.itemPageWidth, "600");
    a.itemMargin = 6;
    a.linkItemCss = 1;
    a.itemNavigation = 0;
    a.itemSeparator = 2;
    copyField(a.itemSeparatorImage, s.image("rule.gif"));
    a.pictureAlignment = 2;
    copyField(a.itemFonts[7].face, "georgia");
    a.itemFonts[7].style = 3;
    copyField(a.columnsColour, "E0E0E0");
    a.columnsSpacing = 3;
    copyField(a.columnCellColours[0], "FFFFFF");
    copyField(a.columnCellColours[1], "EEEEEE");
}

// Table style with plain image bullets aligned to the top of the row, a text
// line, a link and a picture line between the lines; bottom item navigation
// with image buttons; currency conversion without tax, in an item block and
// in an item table row.
void bulletsSettings(Settings& s) {
    AppearanceSet& a = *s.appearance;
    a.indexStyle = 0;
    a.bulletAlignment = 1;
    copyField(a.bulletImages[2], s.image("dot.gif"));
    a.itemNavigation = 1;
    copyField(a.prevNextImages[0], s.image("prev.gif"));
    copyField(a.prevNextImages[2], s.image("next.gif"));
    writeCurrencyFile(s);
}

struct Case {
    const char* name;
    std::function<void(Settings&)> settings;
    std::vector<std::pair<const char*, std::pair<int, int>>> pictures;   // name, width and height
};

const Case kCases[] = {
    {"chain", chainSettings, {{"arrow.gif", {9, 9}}, {"dot.gif", {8, 8}}, {"dot-on.gif", {8, 8}},
                              {"prev.gif", {40, 20}}, {"next.gif", {40, 20}}, {"apple.gif", {120, 90}}}},
    {"list", listSettings, {{"basket.gif", {60, 20}}, {"basket-on.gif", {60, 20}}, {"up.gif", {60, 20}},
                            {"home.gif", {60, 20}}, {"add.gif", {70, 20}}, {"upd.gif", {70, 20}},
                            {"leaf.gif", {50, 50}}, {"leaf-big.gif", {300, 200}}, {"banner.gif", {200, 30}}}},
    {"selections", selectionsSettings, {}},
    {"html_template", htmlTemplateSettings, {}},
    {"bullets", bulletsSettings, {{"dot.gif", {8, 8}}, {"prev.gif", {40, 20}}, {"next.gif", {40, 20}},
                                  {"logo.gif", {100, 30}}}},
    {"cells", cellsSettings, {{"paper.gif", {64, 64}}, {"cloth.gif", {64, 64}}, {"rule.gif", {300, 4}},
                              {"trowel.gif", {20, 40}}, {"seeds.gif", {80, 20}}}},
    {"group", groupSettings, {{"spade.gif", {30, 40}}, {"rake.gif", {30, 40}}, {"pot.gif", {20, 20}}}},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// The first differing line with its neighbours, both sides.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    const auto want = lines(expected);
    const auto got = lines(actual);
    std::size_t n = 0;
    while (n < want.size() && n < got.size() && want[n] == got[n])
        ++n;
    std::ostringstream out;
    out << "first difference at line " << n + 1 << "\n";
    for (std::size_t i = n > 2 ? n - 2 : 0; i < n + 3; ++i) {
        if (i < want.size())
            out << "  expected " << i + 1 << ": " << want[i] << "\n";
        if (i < got.size())
            out << "  actual   " << i + 1 << ": " << got[i] << "\n";
    }
    if (want.size() != got.size())
        out << "  (" << want.size() << " expected lines, " << got.size() << " actual)\n";
    return out.str();
}

class GoldenPages : public ::testing::TestWithParam<Case> {};

TEST_P(GoldenPages, MatchExpectedFilesByteForByte) {
    const Case& c = GetParam();
    const fs::path caseDir = kGoldenDir / c.name;
    TempDir dir;
    Settings s;
    s.shop = dir / "shop";
    s.program = dir / "program";
    fs::create_directories(s.program);
    fs::create_directories(s.shop);
    for (const auto& entry : fs::directory_iterator(caseDir))
        if (entry.is_regular_file())
            fs::copy_file(entry.path(), s.shop / entry.path().filename(), fs::copy_options::overwrite_existing);
    for (const auto& [name, size] : c.pictures)
        writeFile(s.shop / name, gif(size.first, size.second));

    baseSettings(s);
    copyField(s.general->outputDir, (dir / "out").string());
    copyField(s.general->searchOutputDir, (dir / "search").string());
    copyField(s.general->defaultInputDir, s.shop.string());
    copyField(s.general->inputFile, (s.shop / "catalogue.txt").string());
    c.settings(s);

    setenv("VIMRA_HOME", s.program.c_str(), 1);
    setenv("TZ", "UTC", 1);
    tzset();
    RecordingMessages messages;
    char* diagnostics = nullptr;
    std::size_t diagnosticsSize = 0;
    std::FILE* errors = open_memstream(&diagnostics, &diagnosticsSize);
    const int result = Generate(*s.appearance, *s.general, messages, s.program.string(), errors);
    std::fclose(errors);
    std::string diagnosticText(diagnostics ? diagnostics : "");
    std::free(diagnostics);
    unsetenv("VIMRA_HOME");
    ASSERT_EQ(result, 0) << diagnosticText;

    const fs::path expectedDir = caseDir / "expected";
    const fs::path actualCopy = fs::path(VIMRA_PROGRAM_DIR).parent_path() / "golden-actual" / c.name;
    bool failed = false;
    for (const auto& entry : fs::recursive_directory_iterator(expectedDir)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), expectedDir);
        SCOPED_TRACE(relative.string());
        const fs::path actualPath = dir.path() / relative;
        ASSERT_TRUE(fs::exists(actualPath)) << "not written: " << relative;
        const std::string expected = readFile(entry.path());
        const std::string actual = replaceAll(readFile(actualPath), dir.str(), "@TMP@");
        if (expected != actual) {
            failed = true;
            ADD_FAILURE() << firstDifference(expected, actual);
        }
    }
    if (failed) {
        // Leave the whole run for inspection beside the build.
        std::error_code ec;
        fs::remove_all(actualCopy, ec);
        fs::create_directories(actualCopy, ec);
        fs::copy(dir.path(), actualCopy, fs::copy_options::recursive, ec);
        ADD_FAILURE() << "the run's files are in " << actualCopy.string();
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogues, GoldenPages, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

} // namespace
