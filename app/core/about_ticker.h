#pragma once
// The about box's ticker line: three captions typed out one character at a
// time, each blinked twice when complete, then cleared. A timer steps through
// the frames; each frame is the text to show and how long it stays.
#include <array>
#include <string>
#include <string_view>

struct TickerFrame {
    std::string text;
    int pauseMs = 0;
};

inline constexpr std::array<std::string_view, 3> kAboutCaptions = {
    "Vimra3 - your product list as a web catalogue",
    "with a shopping basket that works in every browser",
    "built in seconds and published to your server by FTP",
};

class AboutTicker {
public:
    explicit AboutTicker(std::array<std::string_view, 3> captions = kAboutCaptions);
    // The next frame; the captions repeat for as long as the box is open.
    TickerFrame next();

private:
    std::array<std::string, 3> m_captions;
    std::size_t m_line = 0;
    std::size_t m_step = 0;
};
