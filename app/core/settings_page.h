#pragma once
// The "Settings" page of the appearance sheet: the catalogue's title, its
// files and folders, the preview's size and whether basket and order form
// are included. The page shows these values and hands them back on apply.
#include <string>

#include "model/settings_record.h"

struct SettingsPageValues {
    std::string catalogueTitle;   // at most 40 characters kept
    std::string inputFile;
    std::string defaultInputDir;
    std::string homeLink;         // at most 40 characters kept
    std::string outputDir;
    std::string tempOutputDir;
    std::string previewMaxItems;  // as typed: stored as its leading number
    bool includeBasket = false;
    bool includeOrderForm = false;
};

SettingsPageValues loadSettingsPage(const GeneralSettings& general);
// Texts are cut to their fields; the flags change only their own bit.
void storeSettingsPage(const SettingsPageValues& values, GeneralSettings& general);
