#include "tests/support/golden_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
    const auto want = textLines(expected);
    const auto got = textLines(actual);
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

std::string gifBytes(int width, int height) {
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
        writeFile(folder / name, gifBytes(width, height));
}

void applySettings(const std::string& text, const std::string& source, const std::string& runFolder,
                   SettingsBlocks& blocks) {
    int number = 0;
    for (const std::string& line : textLines(text)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << source << ":" << number << ": no '='";
        std::string error;
        ASSERT_EQ(setSettingsValue(blocks, line.substr(0, equals),
                                   replaceAll(line.substr(equals + 1), "@TMP@", runFolder), error),
                  0)
            << source << ":" << number << ": " << error;
    }
}

std::string withWindowPlaceholder(std::string text, const std::string& windowName) {
    if (windowName.empty())
        return text;
    text = replaceAll(text, "\"" + windowName, "\"@WINDOW@");
    return replaceAll(text, "\"X" + windowName, "\"X@WINDOW@");
}

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
    if (!fs::exists(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root));
    return files;
}

namespace {

const fs::path kCopiesList = "copies.txt";

struct CopiedFile {
    fs::path written;
    fs::path source;
};

std::vector<CopiedFile> copiesListed(const fs::path& expectedDir) {
    std::vector<CopiedFile> copies;
    if (!fs::exists(expectedDir / kCopiesList))
        return copies;
    std::istringstream list(readFile(expectedDir / kCopiesList));
    for (std::string written, source; list >> std::quoted(written) >> std::quoted(source);)
        copies.push_back({written, source});
    return copies;
}

} // namespace

bool goldenRefreshRequested() {
    const char* refresh = std::getenv("VIMRA_GOLDEN_REFRESH");
    return refresh && std::string(refresh) == "1";
}

void rewriteExpectedFiles(const GoldenRun& run) {
    std::set<fs::path> copies;
    for (const CopiedFile& copy : copiesListed(run.expectedDir))
        copies.insert(copy.written);
    for (const fs::path& relative : regularFilesUnder(run.runDir)) {
        if (run.inputs.count(relative) || copies.count(relative))
            continue;
        fs::create_directories((run.expectedDir / relative).parent_path());
        writeFile(run.expectedDir / relative, run.normalise(readFile(run.runDir / relative)));
    }
}

bool matchesExpectedFiles(const GoldenRun& run) {
    bool matched = true;
    std::set<fs::path> expected = regularFilesUnder(run.expectedDir);
    expected.erase(kCopiesList);
    for (const fs::path& relative : expected) {
        SCOPED_TRACE(relative.string());
        const fs::path actualPath = run.runDir / relative;
        if (!fs::exists(actualPath)) {
            matched = false;
            ADD_FAILURE() << "not written: " << relative;
            continue;
        }
        const std::string want = readFile(run.expectedDir / relative);
        const std::string actual = run.normalise(readFile(actualPath));
        if (want != actual) {
            matched = false;
            ADD_FAILURE() << firstDifference(want, actual);
        }
    }
    for (const CopiedFile& copy : copiesListed(run.expectedDir)) {
        SCOPED_TRACE(copy.written.string());
        expected.insert(copy.written);
        const fs::path actualPath = run.runDir / copy.written;
        if (!fs::exists(actualPath) || readFile(actualPath) != readFile((run.sourceDir.empty() ? run.runDir : run.sourceDir) / copy.source)) {
            matched = false;
            ADD_FAILURE() << "not a copy of " << copy.source;
        }
    }
    for (const fs::path& relative : regularFilesUnder(run.runDir)) {
        if (!run.inputs.count(relative) && !expected.count(relative)) {
            matched = false;
            ADD_FAILURE() << "written but not expected: " << relative;
        }
    }
    return matched;
}
