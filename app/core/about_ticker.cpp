#include "app/core/about_ticker.h"

namespace {
constexpr std::size_t kCaptionLimit = 100;

std::vector<std::string> cutCaptions(std::array<std::string_view, 3> captions) {
    std::vector<std::string> cut;
    for (std::string_view caption : captions)
        cut.emplace_back(caption.substr(0, kCaptionLimit));
    return cut;
}
}  // namespace

AboutTicker::AboutTicker(std::array<std::string_view, 3> captions)
    : TextTicker(cutCaptions(captions), TypingPause::SkipAfterBlank) {}
