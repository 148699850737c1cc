#include "app/core/scrolling_text.h"

#include "model/decimal_number.h"
#include "model/paths.h"

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
