#pragma once
// The Scrolling Text dialog's values: the text kept in zkticker.dat in the
// program directory, and the ticker fields of the settings record.
#include <string>
#include <string_view>

#include "generator/scrolling_text_file.h"
#include "model/settings_store.h"

enum class TickerPlacement { HeaderFrame = 0, TopIndex = 1 };

struct ScrollingTextForm {
    std::string text;              // the file's bytes as they stand
    std::string borderColour;      // tickerColours, at most 15 characters kept
    std::string backgroundColour;
    std::string textColour;
    std::string width;             // tickerSize, as typed: stored through decimalNumber
    std::string height;
    TickerPlacement placement = TickerPlacement::HeaderFrame;
    bool includeTicker = false;
};

// The dialog's values from the record and the file in programDir (a missing
// file gives an empty text).
ScrollingTextForm loadScrollingText(const SettingsBlocks& blocks, std::string_view programDir);

// Stores the values into the record and writes the text to the file in
// programDir. 0, or -1 when the file could not be written (the record is
// stored all the same).
int storeScrollingText(const ScrollingTextForm& form, SettingsBlocks& blocks, std::string_view programDir);
