#pragma once
// A ticker line: captions typed out one character at a time, each blinked
// twice when complete, then cleared before the next. A timer steps through
// the frames; each frame is the text to show and how long it stays.
#include <string>
#include <vector>

struct TickerFrame {
    std::string text;
    int pauseMs = 0;
};

// Which typed characters are shown without a pause, so that a word starts at once.
enum class TypingPause {
    SkipAfterBlank,  // the character right after a blank
    SkipOnBlank,     // the blank itself
};

class TextTicker {
public:
    TextTicker(std::vector<std::string> captions, TypingPause typingPause);
    // The next frame; the captions repeat for as long as the ticker runs.
    TickerFrame next();
    // Starts again with the first character of the first caption.
    void restart();

private:
    std::vector<std::string> m_captions;
    TypingPause m_typingPause;
    std::size_t m_line = 0;
    std::size_t m_step = 0;
};
