#include "app/core/text_ticker.h"

namespace {
constexpr int kCharacterPause = 270;
constexpr int kBlinkPause = 270;
constexpr int kAfterBlinks = 200;
constexpr int kBeforeNextLine = 360;
}  // namespace

TextTicker::TextTicker(std::vector<std::string> captions, TypingPause typingPause)
    : m_captions(std::move(captions)), m_typingPause(typingPause) {
    if (m_captions.empty())
        m_captions.emplace_back();
}

void TextTicker::restart() {
    m_line = 0;
    m_step = 0;
}

TickerFrame TextTicker::next() {
    const std::string& caption = m_captions[m_line];
    const std::size_t length = caption.size();
    // Steps 0..length-1 type one character more each; then the two blinks
    // (blank, shown, blank, shown), the pause, the blank line.
    const std::size_t step = m_step++;
    if (step < length) {
        const bool skip = m_typingPause == TypingPause::SkipAfterBlank ? step > 0 && caption[step - 1] == ' '
                                                                       : caption[step] == ' ';
        return {caption.substr(0, step + 1), skip ? 0 : kCharacterPause};
    }
    const std::size_t tail = step - length;
    if (tail < 4)
        return {tail % 2 == 0 ? std::string() : caption, kBlinkPause};
    if (tail == 4)
        return {caption, kAfterBlinks};
    m_step = 0;
    m_line = (m_line + 1) % m_captions.size();
    return {std::string(), kBeforeNextLine};
}
