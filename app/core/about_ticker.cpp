#include "app/core/about_ticker.h"

namespace {
constexpr int kCharacterPause = 270;
constexpr int kBlinkPause = 270;
constexpr int kAfterBlinks = 200;
constexpr int kBeforeNextLine = 360;
constexpr std::size_t kCaptionLimit = 100;
}  // namespace

AboutTicker::AboutTicker(std::array<std::string_view, 3> captions) {
    for (std::size_t i = 0; i < captions.size(); ++i)
        m_captions[i] = std::string(captions[i].substr(0, kCaptionLimit));
}

TickerFrame AboutTicker::next() {
    const std::string& caption = m_captions[m_line];
    const std::size_t length = caption.size();
    // Steps 0..length-1 type one character more each; then the two blinks
    // (blank, shown, blank, shown), the pause, the blank line.
    const std::size_t step = m_step++;
    if (step < length) {
        // A character right after a blank is written without a pause, so a
        // word starts at once.
        const bool afterBlank = step > 0 && caption[step - 1] == ' ';
        return {caption.substr(0, step + 1), afterBlank ? 0 : kCharacterPause};
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
