#pragma once
// The about box's ticker line: three captions of up to 100 characters, with
// no pause before a character that follows a blank.
#include <array>
#include <string_view>

#include "app/core/text_ticker.h"

inline constexpr std::array<std::string_view, 3> kAboutCaptions = {
    "Vimra3 - your product list as a web catalogue",
    "with a shopping basket that works in every browser",
    "built in seconds and published to your server by FTP",
};

class AboutTicker : public TextTicker {
public:
    explicit AboutTicker(std::array<std::string_view, 3> captions = kAboutCaptions);
};
