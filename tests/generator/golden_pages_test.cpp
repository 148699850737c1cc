// Golden pages: each case under golden/<case>/ holds a data file
// ("catalogue.txt", with any text or HTML files it names), its settings as
// "name=value" lines in settings.txt (applied after base-settings.txt), the
// pictures to draw in pictures.txt ("name width height"), files for the
// program directory under program/, and the expected files under expected/,
// laid out as the run writes them (out/, program/, search/). Files the run
// copies are listed in expected/copies.txt ("written source", both within
// the run's folder) and compared with their source. The run's temporary
// folder stands as "@TMP@" in settings and expected files, the home page's
// window name as "@WINDOW@". Every file the run writes must be expected.
// With VIMRA_GOLDEN_REFRESH=1 in the environment the expected files are
// rewritten from the run instead, for review with git diff.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "generator/generate.h"
#include "model/settings_fields.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden";
const char* const kCases[] = {"chain", "list", "selections", "html_template", "bullets", "cells", "group"};
const std::set<std::string> kCaseDescriptionFiles = {"settings.txt", "pictures.txt"};

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

void drawPictures(const fs::path& list, const fs::path& folder) {
    if (!fs::exists(list))
        return;
    std::istringstream in(readFile(list));
    std::string name;
    int width = 0, height = 0;
    while (in >> name >> width >> height)
        writeFile(folder / name, gif(width, height));
}

// Applies the "name=value" lines of a settings file; blank lines and lines
// starting with '#' are skipped. @TMP@ in a value stands for the run's folder.
void applySettings(const fs::path& file, const std::string& runFolder, SettingsBlocks& blocks) {
    int number = 0;
    for (const std::string& line : lines(readFile(file))) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << file << ":" << number << ": no '='";
        std::string error;
        ASSERT_EQ(setSettingsValue(blocks, line.substr(0, equals),
                                   replaceAll(line.substr(equals + 1), "@TMP@", runFolder), error),
                  0)
            << file << ":" << number << ": " << error;
    }
}

// The home page's window name changes with the clock; every page that
// names the window is compared with it put back as @WINDOW@.
std::string windowNameOf(const fs::path& homePage) {
    if (!fs::exists(homePage))
        return {};
    const std::string text = readFile(homePage);
    const std::string marker = "window.name=\"";
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + marker.size();
    return text.substr(start, text.find('"', start) - start);
}

std::set<fs::path> regularFilesUnder(const fs::path& root) {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root));
    return files;
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

class GoldenPages : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenPages, MatchExpectedFilesByteForByte) {
    const fs::path caseDir = kGoldenDir / GetParam();
    TempDir dir;
    const fs::path shop = dir / "shop";
    const fs::path program = dir / "program";
    fs::create_directories(program);
    fs::create_directories(shop);
    for (const auto& entry : fs::directory_iterator(caseDir))
        if (entry.is_regular_file() && !kCaseDescriptionFiles.count(entry.path().filename().string()))
            fs::copy_file(entry.path(), shop / entry.path().filename());
    if (fs::exists(caseDir / "program"))
        fs::copy(caseDir / "program", program, fs::copy_options::recursive);
    drawPictures(caseDir / "pictures.txt", shop);

    auto blocks = std::make_unique<SettingsBlocks>();
    ASSERT_NO_FATAL_FAILURE(applySettings(kGoldenDir / "base-settings.txt", dir.str(), *blocks));
    ASSERT_NO_FATAL_FAILURE(applySettings(caseDir / "settings.txt", dir.str(), *blocks));
    const std::set<fs::path> inputs = regularFilesUnder(dir.path());

    setenv("TZ", "UTC", 1);
    tzset();
    RecordingMessages messages;
    char* diagnostics = nullptr;
    std::size_t diagnosticsSize = 0;
    std::FILE* errors = open_memstream(&diagnostics, &diagnosticsSize);
    const int result = Generate(blocks->appearance, blocks->general, messages, program.string(), errors);
    std::fclose(errors);
    std::string diagnosticText(diagnostics ? diagnostics : "");
    std::free(diagnostics);
    ASSERT_EQ(result, 0) << diagnosticText;

    const fs::path expectedDir = caseDir / "expected";
    const std::string window = windowNameOf(dir / "out" / "zk000000.html");
    auto normalised = [&](const fs::path& actualPath) {
        return replaceAll(replaceAll(readFile(actualPath), dir.str(), "@TMP@"), window, "@WINDOW@");
    };
    const char* refresh = std::getenv("VIMRA_GOLDEN_REFRESH");
    if (refresh && std::string(refresh) == "1") {
        std::set<fs::path> copies;
        if (fs::exists(expectedDir / "copies.txt")) {
            std::istringstream list(readFile(expectedDir / "copies.txt"));
            for (std::string written, source; list >> written >> source;)
                copies.insert(written);
        }
        for (const fs::path& relative : regularFilesUnder(dir.path())) {
            if (inputs.count(relative) || copies.count(relative))
                continue;
            fs::create_directories((expectedDir / relative).parent_path());
            writeFile(expectedDir / relative, normalised(dir.path() / relative));
        }
        GTEST_SKIP() << "expected files rewritten; review them with git diff";
    }
    const fs::path actualCopy = fs::path(VIMRA_PROGRAM_DIR).parent_path() / "golden-actual" / GetParam();
    std::set<fs::path> expected = regularFilesUnder(expectedDir);
    expected.erase("copies.txt");
    bool failed = false;
    if (fs::exists(expectedDir / "copies.txt")) {
        std::istringstream copies(readFile(expectedDir / "copies.txt"));
        for (std::string written, source; copies >> written >> source;) {
            SCOPED_TRACE(written);
            expected.insert(written);
            const fs::path actualPath = dir.path() / written;
            if (!fs::exists(actualPath) || readFile(actualPath) != readFile(dir.path() / source)) {
                failed = true;
                ADD_FAILURE() << "not a copy of " << source;
            }
        }
    }
    for (const fs::path& relative : regularFilesUnder(expectedDir)) {
        if (relative == "copies.txt")
            continue;
        SCOPED_TRACE(relative.string());
        const fs::path actualPath = dir.path() / relative;
        if (!fs::exists(actualPath)) {
            failed = true;
            ADD_FAILURE() << "not written: " << relative;
            continue;
        }
        const std::string want = readFile(expectedDir / relative);
        const std::string actual = normalised(actualPath);
        if (want != actual) {
            failed = true;
            ADD_FAILURE() << firstDifference(want, actual);
        }
    }
    for (const fs::path& relative : regularFilesUnder(dir.path())) {
        if (!inputs.count(relative) && !expected.count(relative)) {
            failed = true;
            ADD_FAILURE() << "written but not expected: " << relative;
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
                         [](const ::testing::TestParamInfo<const char*>& param) { return std::string(param.param); });

} // namespace
