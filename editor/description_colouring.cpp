#include "editor/description_colouring.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace korvel {
namespace {

struct TagOpening {
    std::string_view text;
    std::size_t compared;   // leading characters that must match
};

// "<head " and "<title" match on their first five characters.
constexpr TagOpening kTagOpenings[] = {
    {"</", 2},      {"<html", 5},  {"<script", 7}, {"<body", 5},     {"<div", 4},      {"<li", 3},
    {"<ul", 3},     {"<ol", 3},    {"<img ", 5},   {"<head ", 5},    {"<meta", 5},     {"<title", 5},
    {"<b>", 3},     {"<h1", 3},    {"<h2", 3},     {"<h3", 3},       {"<h4", 3},       {"<frame", 6},
    {"<noframe", 8}, {"<base", 5}, {"<font", 5},   {"<table", 6},    {"<form", 5},     {"<p>", 3},
    {"<br", 3},     {"<td", 3},    {"<tr", 3},     {"<thead", 6},    {"<cols", 5},     {"<a ", 3},
    {"<input", 6},  {"<style", 6}, {"<textarea", 9}, {"<center", 7}, {"<i>", 3},
};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Formats laid over the text one after another, the later winning, as the
// box applies them; then read back as runs.
class ColourLayers {
public:
    explicit ColourLayers(std::size_t size) : m_colours(size, DescriptionColour::Base) {}
    void paint(std::size_t from, std::size_t last, DescriptionColour colour) {
        for (std::size_t p = from; p <= last && p < m_colours.size(); ++p)
            m_colours[p] = colour;
    }
    std::vector<ColouredRange> runs(std::size_t offset) const {
        std::vector<ColouredRange> out;
        for (std::size_t p = 0; p < m_colours.size(); ++p) {
            if (m_colours[p] == DescriptionColour::Base)
                continue;
            if (!out.empty() && out.back().colour == m_colours[p] && out.back().from + out.back().length == offset + p)
                ++out.back().length;
            else
                out.push_back({offset + p, 1, m_colours[p]});
        }
        return out;
    }

private:
    std::vector<DescriptionColour> m_colours;
};

} // namespace

bool startsRecognisedTag(std::string_view text) {
    for (const TagOpening& opening : kTagOpenings)
        if (text.size() >= opening.compared && sameIgnoringCase(opening.text.substr(0, opening.compared), text))
            return true;
    return false;
}

std::vector<ColouredRange> colourDescription(std::string_view text, std::size_t offset) {
    ColourLayers layers(text.size());
    bool inTag = false;
    bool inDouble = false;
    bool inSingle = false;
    std::size_t runStart = 0;
    // A quote counts unless a backslash escapes it; a doubled backslash escapes nothing.
    auto unescaped = [&](std::size_t p) { return p == 0 || text[p - 1] != '\\' || (p >= 2 && text[p - 2] == '\\'); };

    for (std::size_t p = 0; p < text.size(); ++p) {
        const char c = text[p];
        if (c == '"' && !inSingle) {
            if (inDouble) {
                if (unescaped(p)) {
                    layers.paint(runStart, p, DescriptionColour::DoubleQuoted);
                    inDouble = false;
                    runStart = inTag ? p + 1 : p;   // the tag colour resumes after the quote
                }
            } else {
                if (inTag)
                    layers.paint(runStart, p, DescriptionColour::Tag);
                if (unescaped(p)) {
                    layers.paint(p, p, DescriptionColour::DoubleQuoted);
                    runStart = p;
                    inDouble = true;
                }
            }
        } else if (c == '\'' && !inDouble && !inTag) {
            // An apostrophe in a word opens no string.
            if (p > 0 && (isLetter(text[p - 1]) || text[p - 1] == '\\'))
                continue;
            layers.paint(inSingle ? runStart : p, p, DescriptionColour::SingleQuoted);
            runStart = p;
            inSingle = !inSingle;
        } else if (c == '<' && !inDouble && !inSingle) {
            if (startsRecognisedTag(text.substr(p))) {
                layers.paint(p, p, DescriptionColour::Tag);
                runStart = p;
                inTag = true;
            }
        } else if (c == '>' && inTag && !inDouble && !inSingle) {
            layers.paint(runStart, p, DescriptionColour::Tag);
            runStart = p;
            inTag = false;
        }
    }
    if (!text.empty()) {
        const std::size_t last = text.size() - 1;
        if (inTag)
            layers.paint(runStart, last, DescriptionColour::Tag);
        else if (inDouble)
            layers.paint(runStart, last, DescriptionColour::DoubleQuoted);
        else if (inSingle)
            layers.paint(runStart, last, DescriptionColour::SingleQuoted);
    }
    return layers.runs(offset);
}

std::vector<ColouredRange> colourDescriptionLine(std::string_view text, std::size_t caret) {
    caret = std::min(caret, text.size());
    const std::size_t before = caret == 0 ? std::string_view::npos : text.rfind('\n', caret - 1);
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    const std::size_t end = std::min(text.find('\n', caret), text.size());
    return colourDescription(text.substr(start, end - start), start);
}

} // namespace korvel
