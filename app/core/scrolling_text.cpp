#include "app/core/scrolling_text.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "model/decimal_number.h"
#include "model/paths.h"

int readScrollingTextFile(const std::string& path, std::string& text) {
    text.clear();
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? -2 : -4;
    if (!S_ISREG(status.st_mode))
        return -4;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -4;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        text.clear();
        return -4;
    }
    return 0;
}

int writeScrollingTextFile(const std::string& path, std::string_view text) { return replaceFile(path, text); }

ScrollingTextForm loadScrollingText(const SettingsBlocks& blocks, std::string_view programDir) {
    const AppearanceSet& a = blocks.appearance;
    ScrollingTextForm form;
    readScrollingTextFile(join(programDir, kScrollingTextFile), form.text);
    form.borderColour = fieldText(a.tickerColours[0]);
    form.backgroundColour = fieldText(a.tickerColours[1]);
    form.textColour = fieldText(a.tickerColours[2]);
    form.width = std::to_string(a.tickerSize[0]);
    form.height = std::to_string(a.tickerSize[1]);
    form.placement = a.scrollingTextOnIndex == 1 ? TickerPlacement::TopIndex : TickerPlacement::HeaderFrame;
    form.includeTicker = blocks.general.includeTicker != 0;
    return form;
}

int storeScrollingText(const ScrollingTextForm& form, SettingsBlocks& blocks, std::string_view programDir) {
    AppearanceSet& a = blocks.appearance;
    copyField(a.tickerColours[0], form.borderColour);
    copyField(a.tickerColours[1], form.backgroundColour);
    copyField(a.tickerColours[2], form.textColour);
    a.tickerSize[0] = decimalNumber(form.width);
    a.tickerSize[1] = decimalNumber(form.height);
    a.scrollingTextOnIndex = static_cast<std::int32_t>(form.placement);
    blocks.general.includeTicker = form.includeTicker ? 1 : 0;
    return writeScrollingTextFile(join(programDir, kScrollingTextFile), form.text);
}
