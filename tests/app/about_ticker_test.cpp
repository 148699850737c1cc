#include "app/core/about_ticker.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(AboutTicker, TypesEachCaptionBlinksItTwiceThenMovesOn) {
    AboutTicker ticker({"ab c", "x", "y"});
    struct Frame {
        std::string text;
        int pauseMs;
    };
    const std::vector<Frame> expected = {
        {"a", 270}, {"ab", 270}, {"ab ", 270}, {"ab c", 0},             // no pause for a letter after a blank
        {"", 270},  {"ab c", 270}, {"", 270}, {"ab c", 270},             // two blinks
        {"ab c", 200}, {"", 360},                                        // pause, then cleared
        {"x", 270},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const TickerFrame frame = ticker.next();
        EXPECT_EQ(frame.text, expected[i].text);
        EXPECT_EQ(frame.pauseMs, expected[i].pauseMs);
    }
}

TEST(AboutTicker, CaptionsAreCutAtOneHundredCharactersAndRepeat) {
    AboutTicker ticker({std::string(150, 'm'), "b", "c"});
    std::size_t longest = 0;
    std::vector<int> restarts;  // frames where the first caption starts again
    for (int i = 0; i < 400; ++i) {
        const TickerFrame frame = ticker.next();
        longest = std::max(longest, frame.text.size());
        if (frame.text == "m")
            restarts.push_back(i);
    }
    EXPECT_EQ(longest, 100u);
    // 100 typed + 6 blink frames, then 7 frames for each one-letter caption.
    EXPECT_EQ(restarts, (std::vector<int>{0, 120, 240, 360}));
}
