#pragma once
// The Custom Colour command's text: what goes on the clipboard.
#include <cstdint>
#include <string>

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// "#rrggbb" in lower-case hexadecimal digits.
std::string customColourText(Rgb colour);
