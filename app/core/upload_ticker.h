#pragma once
// The upload dialog's ticker line: " File Transfer" while idle; while a job
// runs, " File Transfer in Progress" typed out with no pause after a blank,
// blinked twice, cleared and typed again.
#include <string_view>

#include "app/core/text_ticker.h"

inline constexpr std::string_view kUploadIdleTicker = " File Transfer";
inline constexpr std::string_view kUploadRunningTicker = " File Transfer in Progress";

class UploadTicker : public TextTicker {
public:
    UploadTicker();
};
