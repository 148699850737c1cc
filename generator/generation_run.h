#pragma once
// The state of one generation run. One run at a time: the driver owns this
// object for the length of Generate and hands it to every page writer.
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include "generator/common_text.h"
#include "generator/font_tags.h"
#include "generator/item_page_state.h"
#include "generator/list_files.h"
#include "generator/page_decorations.h"
#include "generator/page_template.h"
#include "generator/page_writer.h"
#include "model/catalogue_reader.h"
#include "model/regular_file.h"
#include "model/settings_record.h"
#include "model/user_messages.h"

struct GenerationRun {
    GenerationRun(const AppearanceSet& appearanceBlock, const GeneralSettings& generalBlock,
                  UserMessages& userMessages, std::FILE* diagnosticStream)
        : appearance(appearanceBlock), general(generalBlock), messages(userMessages),
          diagnostics(diagnosticStream) {}

    const AppearanceSet& appearance;
    const GeneralSettings& general;
    UserMessages& messages;
    std::FILE* diagnostics;   // "failed to open <%s>\n" and the other page-writer diagnostics
    std::string programDir;   // the folder of titles.dat, zkcurr.dat, zktax.dat, files01.dat

    CatalogueReader reader;   // positioned by the record walk; header() holds the header-block values
    ListFiles lists;          // files01.dat, pages01.dat, search01.dat

    // Counters (signed 32-bit, as the page names and script names use them).
    std::int32_t nextItemPage = 2;
    std::int32_t itemCounter = 1;   // raised for every item, table start and columns start
    std::int32_t nextIndexPage = 2;
    std::int32_t previewItemsCounted = 0;

    // Working copies of settings used everywhere.
    std::int16_t basketFlags = 0;
    char fieldDelimiter = ',';
    int taxMode = 0;                 // 0 none, 1 one rate, 2 several rates
    std::string currencySymbol;
    std::string expiresTag;          // the Expires meta tag line
    std::string charset;             // of every page's Content-Type meta tag
    int basketMode = 0;              // 0 off, 1 basket frame, 2 basket in the item frame
    int basketFrameIndex = 1;
    std::string itemPageWrapper;     // "<TABLE WIDTH=%s><TR><TD>\n" from itemPageWidth, or empty
    PageTemplate pageTemplate;       // optional item page template halves

    CommonText commonText;
    FontTagTable fontTags;
    PageDecorations decorations;     // index and item decorations, purchase block buttons
    ItemPageState itemPages;         // the item page writers' state (open group page, in-page index)
    bool currencyConversion = false; // alternate currencies are on: prices go through parent.CurrConv
    std::string windowName;          // the home page's window name, set by the home page writer

    // Every file of the catalogue that could not be created or written
    // whole. The run goes on past them; Generate fails at the end.
    std::set<std::string> unwrittenFiles;
    void fileNotWritten(const std::string& path) { unwrittenFiles.insert(path); }
    // Closes a page and counts it, with "failed to write <%s>\n", when the
    // writes did not all reach the disk.
    void closePage(PageWriter& page);
    // Opens a file the data file or the settings name, for reading. nullptr
    // when it cannot be opened, and after "not a regular file <%s>\n" when
    // something else stands there (a device or a FIFO would never end).
    std::FILE* openSource(const std::string& path, FileOpening* opening = nullptr);

    // The next record of the walk; false once the data has ended.
    bool nextRecord(CatalogueRecord& record) { return reader.readRecord(record); }
    // Called before a record that raises the item counter is handled: false,
    // and the data ends for good, when a preview already holds the
    // previewMaxItems items it may show.
    bool admitItem();

    bool basketOn() const { return (basketFlags & 1) != 0; }
    bool previewMode() const { return general.previewRun != 0; }
    std::string outputPath(const std::string& name) const;   // join(outputDir, name)
    std::string inputPath(const std::string& name) const;    // join(defaultInputDir, name)
    std::string programFile(std::string_view name) const;   // join(programDir, name)
};
