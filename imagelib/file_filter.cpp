#include "imagelib/file_filter.h"

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Cuts the text up to the next '|' off the front of rest; the whole rest when there is none.
std::string_view nextPart(std::string_view& rest) {
    const auto bar = rest.find('|');
    const std::string_view part = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
    return part;
}

}  // namespace

std::vector<FileFilter> parseFileFilter(std::string_view filter) {
    std::vector<FileFilter> filters;
    std::string_view rest = filter;
    while (!rest.empty()) {
        const std::string_view label = trimmed(nextPart(rest));
        const std::string_view patterns = trimmed(nextPart(rest));
        if (label.empty() && patterns.empty())
            break;
        FileFilter entry{std::string(label), {}};
        std::string_view list = patterns;
        while (!list.empty()) {
            const auto semicolon = list.find(';');
            const std::string_view pattern = trimmed(list.substr(0, semicolon));
            if (!pattern.empty())
                entry.patterns.emplace_back(pattern);
            list = semicolon == std::string_view::npos ? std::string_view{} : list.substr(semicolon + 1);
        }
        filters.push_back(std::move(entry));
    }
    return filters;
}

std::string nameFilterLine(const FileFilter& filter) {
    // "Image Files (*.png, *.jpg, *.gif)" already shows its patterns; Qt takes
    // the last parenthesised list as the patterns, so the label's own goes.
    std::string label = filter.label;
    if (!label.empty() && label.back() == ')') {
        const auto open = label.rfind('(');
        if (open != std::string::npos)
            label = std::string(trimmed(label.substr(0, open)));
    }
    std::string line = label + " (";
    for (std::size_t i = 0; i < filter.patterns.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += filter.patterns[i];
    }
    return line + ")";
}
