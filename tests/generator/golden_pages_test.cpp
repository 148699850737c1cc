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

#include "model/settings_store.h"
#include "tests/support/generator_fixture.h"
#include "tests/support/golden_files.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden";
const char* const kCases[] = {"chain", "list", "selections", "html_template", "bullets", "cells", "group",
                              "header_frame", "search_cells", "search_plain"};
const std::set<std::string> kCaseDescriptionFiles = {"settings.txt", "pictures.txt"};

void applySettingsFile(const fs::path& file, const std::string& runFolder, SettingsBlocks& blocks) {
    applySettings(readFile(file), file.string(), runFolder, blocks);
}

class GoldenPages : public GeneratorFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenPages, MatchExpectedFilesByteForByte) {
    const fs::path caseDir = kGoldenDir / GetParam();
    const fs::path shop = dir / "shop";
    fs::create_directories(shop);
    for (const auto& entry : fs::directory_iterator(caseDir))
        if (entry.is_regular_file() && !kCaseDescriptionFiles.count(entry.path().filename().string()))
            fs::copy_file(entry.path(), shop / entry.path().filename());
    if (fs::exists(caseDir / "program"))
        fs::copy(caseDir / "program", programDir(), fs::copy_options::recursive);
    drawPictures(caseDir / "pictures.txt", shop);

    auto blocks = std::make_unique<SettingsBlocks>();
    ASSERT_NO_FATAL_FAILURE(applySettingsFile(kGoldenDir / "base-settings.txt", dir.str(), *blocks));
    ASSERT_NO_FATAL_FAILURE(applySettingsFile(caseDir / "settings.txt", dir.str(), *blocks));
    const std::set<fs::path> inputs = regularFilesUnder(dir.path());

    // The case's settings stand alone: none of the fixture's own.
    *general = blocks->general;
    *appearance = blocks->appearance;
    setenv("TZ", "UTC", 1);
    tzset();
    ASSERT_EQ(generate(), 0) << diagnostics;

    const std::string window = windowNameOf(dir / "out" / "zk000000.html");
    const GoldenRun run{.expectedDir = caseDir / "expected",
                        .runDir = dir.path(),
                        .inputs = inputs,
                        .normalise = [&](const std::string& text) {
                            return withWindowPlaceholder(replaceAll(text, dir.str(), "@TMP@"), window);
                        }};
    if (goldenRefreshRequested()) {
        rewriteExpectedFiles(run);
        GTEST_SKIP() << "expected files rewritten; review them with git diff";
    }
    if (!matchesExpectedFiles(run)) {
        // Leave the whole run for inspection beside the build.
        const fs::path actualCopy = fs::path(VIMRA_PROGRAM_DIR).parent_path() / "golden-actual" / GetParam();
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
