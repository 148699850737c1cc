#pragma once
// The Custom Colour command's text: what goes on the clipboard.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// "#rrggbb" in lower-case hexadecimal digits.
std::string customColourText(Rgb colour);

// The colour a "#rrggbb" text names (either case, blanks around allowed);
// nothing for names such as "navy" and for anything else.
std::optional<Rgb> colourOfText(std::string_view text);
