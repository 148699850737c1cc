#pragma once
// What the golden tests share: a case's settings and pictures set up in a
// run's folder, and the files the run wrote compared byte for byte with the
// case's expected files, or, with VIMRA_GOLDEN_REFRESH=1 in the
// environment, written over them for review with git diff.
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct SettingsBlocks;

std::vector<std::string> textLines(const std::string& text);
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// The first differing line with its neighbours, both sides.
std::string firstDifference(const std::string& expected, const std::string& actual);

// A GIF of the given size: header, logical screen without colour table, and
// an image descriptor, which is all the image probe reads.
std::string gifBytes(int width, int height);

// Draws the pictures a "name width height" list names into folder; no list, no pictures.
void drawPictures(const std::filesystem::path& list, const std::filesystem::path& folder);

// Applies "name=value" lines; blank lines and lines starting with '#' are
// skipped, @TMP@ in a value stands for runFolder. A bad line fails the test
// with source and line number.
void applySettings(const std::string& text, const std::string& source, const std::string& runFolder,
                   SettingsBlocks& blocks);

// The home page's window name, which changes with the clock, put back as
// @WINDOW@ where it follows a quote, also as an order window's X-prefixed name.
std::string withWindowPlaceholder(std::string text, const std::string& windowName);

// The window name a written home page gives itself, empty without one.
std::string windowNameOf(const std::filesystem::path& homePage);

// Paths of the regular files under root, relative to it.
std::set<std::filesystem::path> regularFilesUnder(const std::filesystem::path& root);

// A run's written files against a case's expected/ folder, which mirrors
// runDir. expected/copies.txt may list files as "written source" lines
// (written relative to runDir, source to sourceDir; a name with spaces in
// double quotes) that must be byte copies of their source.
struct GoldenRun {
    std::filesystem::path expectedDir;
    std::filesystem::path runDir;
    std::set<std::filesystem::path> inputs;   // under runDir before the run: never compared or expected
    std::filesystem::path sourceDir;          // runDir when empty
    std::function<std::string(const std::string&)> normalise = [](const std::string& text) { return text; };
};

bool goldenRefreshRequested();

// Writes every file the run wrote, except inputs and listed copies, into
// expectedDir as normalised.
void rewriteExpectedFiles(const GoldenRun& run);

// Every expected file was written and is byte-identical once normalised,
// every listed copy is one, and nothing else was written. Each fault is a
// test failure; returns whether all matched.
bool matchesExpectedFiles(const GoldenRun& run);
