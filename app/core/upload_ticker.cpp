#include "app/core/upload_ticker.h"

UploadTicker::UploadTicker()
    : TextTicker({std::string(kUploadRunningTicker)}, TypingPause::SkipOnBlank) {}
