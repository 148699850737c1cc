#pragma once
#include <cstdio>
#include <string_view>

#include "model/settings_record.h"
#include "model/user_messages.h"

// How a run places the basket and applies tax. basketMode: 0 no basket, 1 a
// basket frame, 2 the basket in the item frame. basketFrameIndex: the frame
// that holds the basket, counted past the header frame. taxMode: 0 none, 1 one
// rate, 2 several rates.
struct RunModes {
    int basketMode = 0;
    int basketFrameIndex = 1;
    int taxMode = 0;
};

// taxTypeCount: the number of tax types in the tax file.
RunModes runModesFor(const AppearanceSet& appearance, const GeneralSettings& general, int taxTypeCount);

// What a run could not do, for the caller's message.
struct GenerationReport {
    // Pages, list files and copies that could not be created or written
    // whole; each is named on the diagnostic stream.
    int unwrittenFiles = 0;
};

// Writes the whole catalogue from the data file and the settings in one run.
// programDir is the folder of the program's own data files (titles.dat,
// zkcurr.dat, zktax.dat) and of the upload list files01.dat. Returns 0 on
// success, -1 on failure: the run could not start, or it went on to the end
// past files it could not write (counted in report). The blocks are only read.
int Generate(const AppearanceSet& appearance, const GeneralSettings& general, UserMessages& messages,
             std::string_view programDir, std::FILE* diagnostics = stderr, GenerationReport* report = nullptr);
