#include "model/directive_lexer.h"

#include <charconv>
#include <system_error>

bool isDirectiveLine(std::string_view line) { return line.starts_with("#!"); }

DirectiveValue findDirective(std::string_view line, std::string_view key, char delimiter) {
    DirectiveValue value;
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return value;
    value.found = true;
    value.at = at;
    const std::size_t start = at + key.size();
    const std::size_t stop = line.find(delimiter, start);
    if (stop == std::string_view::npos) {
        value.text = line.substr(start);
        value.end = line.size();
    } else {
        value.delimited = true;
        value.text = line.substr(start, stop - start);
        value.end = stop + 1;
    }
    return value;
}

std::string numberedKey(std::string_view stem, int number) {
    std::string key(stem);
    key += std::to_string(number);
    key += '=';
    return key;
}

std::optional<char> delimiterDirective(std::string_view line) {
    constexpr std::string_view key = "DELIMITER=";
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos || at + key.size() >= line.size())
        return std::nullopt;
    return line[at + key.size()];
}

double leadingDecimal(std::string_view text, std::size_t& used) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double number = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), number);
    if (result.ec != std::errc()) {
        used = 0;
        return 0;
    }
    used = static_cast<std::size_t>(result.ptr - text.data());
    return number;
}

FirstItemDirective findFirstItem(std::string_view line, char delimiter) {
    FirstItemDirective first;
    first.value = findDirective(line, "FIRSTITEM=", delimiter);
    if (!first.value.found)
        return first;
    const DirectiveValue& value = first.value;
    if (line.find("FIRSTITEM=FIRST;") != std::string_view::npos || (value.delimited && value.text == "FIRST"))
        first.choice = FirstItemChoice::First;
    else if (line.find("FIRSTITEM=NONE;") != std::string_view::npos || (value.delimited && value.text == "NONE"))
        first.choice = FirstItemChoice::None;
    else
        first.choice = FirstItemChoice::Named;
    return first;
}
