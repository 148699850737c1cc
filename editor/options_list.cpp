#include "editor/options_list.h"

namespace korvel {

namespace {

constexpr char kSeparator = '|';

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view cutBlanksRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Bytes of the UTF-8 sequence a lead byte starts; 1 for anything else.
std::size_t sequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// A cut at limit that would leave a UTF-8 sequence incomplete moves back to
// the sequence's start. Other 8-bit text is cut at limit.
std::size_t cutPoint(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return text.size();
    std::size_t start = limit;
    while (start > 0 && limit - start < 3 && isContinuationByte(static_cast<unsigned char>(text[start])))
        --start;
    if (start < limit && sequenceLength(static_cast<unsigned char>(text[start])) > limit - start)
        return start;
    return limit;
}

} // namespace

OptionsList parseOptionsList(std::string_view text) {
    OptionsList list;
    if (text.starts_with(kPriceVariationsPrefix)) {
        list.priceVariations = true;
        text.remove_prefix(kPriceVariationsPrefix.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find(kSeparator);
        const std::string_view option = text.substr(0, end);
        if (!isBlankOption(option))
            list.options.emplace_back(option);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return list;
}

OptionParts splitOption(std::string_view option) {
    const std::size_t open = option.find('(');
    if (open == std::string_view::npos)
        return {std::string(option), {}};
    const std::string_view rest = option.substr(open + 1);
    return {std::string(cutBlanksRight(option.substr(0, open))), std::string(rest.substr(0, rest.find(')')))};
}

std::string composeOption(std::string_view text, std::string_view variation, bool priceVariations) {
    std::string option(text);
    if (priceVariations && !isBlankOption(variation)) {
        option += " (";
        option += variation;
        option += ')';
    }
    return option;
}

bool isBlankOption(std::string_view option) {
    for (char c : option)
        if (!isBlank(c))
            return false;
    return true;
}

std::string joinOptionsList(const OptionsList& list) {
    std::string text;
    if (list.priceVariations)
        text = kPriceVariationsPrefix;
    bool first = true;
    for (const std::string& option : list.options) {
        if (isBlankOption(option))
            continue;
        if (!first)
            text += kSeparator;
        text += option;
        first = false;
    }
    text.resize(cutPoint(text, kOptionsListLimit));
    if (!text.empty() && text.back() == kSeparator)
        text.pop_back();
    return text;
}

} // namespace korvel
