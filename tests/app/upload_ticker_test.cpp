#include "app/core/upload_ticker.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Frame {
    std::string text;
    int pauseMs;
};

void expectFrames(TextTicker& ticker, const std::vector<Frame>& expected) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const TickerFrame frame = ticker.next();
        EXPECT_EQ(frame.text, expected[i].text);
        EXPECT_EQ(frame.pauseMs, expected[i].pauseMs);
    }
}

}  // namespace

TEST(UploadTicker, NoPauseAfterTypingABlankThenBlinksAndStartsAgain) {
    UploadTicker ticker;
    const std::string full(kUploadRunningTicker);
    expectFrames(ticker, {{" ", 0}, {" F", 270}, {" Fi", 270}, {" Fil", 270}, {" File", 270}, {" File ", 0},
                          {" File T", 270}});
    // The rest of the caption: one character more each, the blanks after
    // "Transfer" and "in" shown without a pause.
    int unpaused = 0;
    for (std::size_t typed = 8; typed <= full.size(); ++typed) {
        const TickerFrame frame = ticker.next();
        ASSERT_EQ(frame.text, full.substr(0, typed));
        unpaused += frame.pauseMs == 0;
    }
    EXPECT_EQ(unpaused, 2);
    expectFrames(ticker, {{"", 270}, {full, 270}, {"", 270}, {full, 270}, {full, 200}, {"", 360}, {" ", 0}, {" F", 270}});
}

TEST(UploadTicker, RestartTypesFromTheFirstCharacter) {
    UploadTicker ticker;
    for (int i = 0; i < 12; ++i)
        ticker.next();
    ticker.restart();
    expectFrames(ticker, {{" ", 0}, {" F", 270}});
}

TEST(TextTicker, WithoutCaptionsOnlyBlinksAnEmptyLine) {
    TextTicker ticker({}, TypingPause::SkipOnBlank);
    expectFrames(ticker, {{"", 270}, {"", 270}, {"", 270}, {"", 270}, {"", 200}, {"", 360}, {"", 270}});
}
