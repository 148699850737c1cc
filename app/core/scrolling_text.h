#pragma once
// The Scrolling Text dialog's values: the text kept in zkticker.dat in the
// program directory, and the ticker fields of the settings record.
#include <string>
#include <string_view>

#include "model/settings_store.h"

inline constexpr std::string_view kScrollingTextFile = "zkticker.dat";

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

// Reads the whole file into text. 0, -2 when there is no such file, -4 when
// it cannot be read; text is empty on failure.
int readScrollingTextFile(const std::string& path, std::string& text);
// Replaces the file whole. 0 or -1.
int writeScrollingTextFile(const std::string& path, std::string_view text);

// The dialog's values from the record and the file in programDir (a missing
// file gives an empty text).
ScrollingTextForm loadScrollingText(const SettingsBlocks& blocks, std::string_view programDir);

// Stores the values into the record and writes the text to the file in
// programDir. 0, or -1 when the file could not be written (the record is
// stored all the same).
int storeScrollingText(const ScrollingTextForm& form, SettingsBlocks& blocks, std::string_view programDir);
