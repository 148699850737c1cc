#include "app/core/custom_colour.h"

#include <cstdio>
#include <cctype>

std::string customColourText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%2.2lx%2.2lx%2.2lx", static_cast<unsigned long>(colour.red),
                  static_cast<unsigned long>(colour.green), static_cast<unsigned long>(colour.blue));
    return text;
}

std::optional<Rgb> colourOfText(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    unsigned values[3];
    for (int i = 0; i < 3; ++i) {
        unsigned value = 0;
        for (char c : text.substr(1 + 2 * i, 2)) {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                           ? c - '0'
                                                           : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
        }
        values[i] = value;
    }
    return Rgb{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
               static_cast<std::uint8_t>(values[2])};
}
