#pragma once
// What the home page's sections share: the frames, the data file's extra
// basket columns and the texts prepared for script strings, worked out once
// per home page from the run.
#include <string>

#include "model/catalogue_reader.h"

struct GenerationRun;

struct HomeFacts {
    bool basket = false;          // basketFlags bit 0
    bool ownFrame = false;        // the basket has a frame of its own (three frames)
    int basketFrame = 1;          // frames[] index the basket is drawn into
    int itemFrame = 1;            // frames[] index of ZKITEM

    int selectionCount = 0;       // the data file's selection lists, 0 to 4
    std::string selectionLabels[kSelectionCount];   // escaped for a script string
    bool freeText[kSelectionCount] = {};
    bool productCode = false;     // the data file has a code column
    std::string codeLabel;        // escaped for a script string
    bool units = false;           // the data file has input units

    bool tax = false;             // includeTax
    int taxTypes = 0;             // T: the tax types in force, 0 to 2
    int itemTaxTypes = 0;         // the data file's item tax types, counted only with tax
    bool conversion = false;      // alternate currencies are offered

    std::string windowName;       // "W" and a number; the separate order window adds an "X" in front
    std::string firstItemPage;    // Fr2, escaped for a script string
    // The basket frame's background attribute: for a script string (quotes
    // escaped), and as plain page text for zko00001.html.
    std::string basketBackground;
    std::string basketBackgroundPage;
};

// Copies the basket background image when one is used.
HomeFacts homeFactsFor(GenerationRun& run);

// The image's base name, copied into the output folder; empty when not set.
std::string homeImage(GenerationRun& run, const char (&storedPath)[129]);
