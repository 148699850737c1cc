#pragma once
// How the description editor colours HTML in an item description: recognised
// tags, double-quoted and single-quoted strings. The window applies the
// ranges; the rules live here so that they can be checked without one.
#include <cstddef>
#include <string_view>
#include <vector>

namespace korvel {

enum class DescriptionColour { Base, Tag, DoubleQuoted, SingleQuoted };

struct ColouredRange {
    std::size_t from = 0;   // first byte
    std::size_t length = 0;
    DescriptionColour colour = DescriptionColour::Base;
    bool operator==(const ColouredRange&) const = default;
};

// The coloured runs of text, in order, positions counted from offset; what
// no run covers keeps the base format.
std::vector<ColouredRange> colourDescription(std::string_view text, std::size_t offset = 0);

// The runs of the line of text that holds position caret (lines end at
// '\n'), coloured on its own as while typing; positions count from the
// start of text.
std::vector<ColouredRange> colourDescriptionLine(std::string_view text, std::size_t caret);

// Whether a recognised tag opening starts text (case ignored).
bool startsRecognisedTag(std::string_view text);

} // namespace korvel
