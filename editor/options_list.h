#pragma once
// The options list of an item (one of the four list slots): optionally the
// prefix "#!PV;" (price variations in use), then options separated by '|'.
// With price variations an option may carry a variation after its text in
// round brackets: "Red (1.50)". Texts are the file's bytes, never transcoded.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline constexpr std::string_view kPriceVariationsPrefix = "#!PV;";
inline constexpr std::size_t kOptionsListLimit = 600;
inline constexpr std::size_t kOptionTextLength = 100;

struct OptionsList {
    bool priceVariations = false;
    std::vector<std::string> options;
};

// Blank options (empty or only blanks) are left out.
OptionsList parseOptionsList(std::string_view text);

struct OptionParts {
    std::string text, variation;
};

// The text is everything before the first '(' (without the blanks before
// it), the variation what lies between that '(' and the next ')' (or the
// end). An option without '(' is all text.
OptionParts splitOption(std::string_view option);

// "%s (%s)" when price variations are on and the variation is not blank,
// else the text alone.
std::string composeOption(std::string_view text, std::string_view variation, bool priceVariations);

// Empty or only blanks and tabs.
bool isBlankOption(std::string_view option);

// The options that are not blank joined with '|', after "#!PV;" when price
// variations are on; cut to kOptionsListLimit bytes without splitting a
// UTF-8 sequence, and without a trailing '|'.
std::string joinOptionsList(const OptionsList& list);

} // namespace korvel
