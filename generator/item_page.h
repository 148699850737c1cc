#pragma once
// Item pages: a page of its own for each stand-alone item, and group pages
// that hold the records between a page start and "END PAGE".
#include <cstdint>
#include <string>

#include "generator/item_page_state.h"

struct CatalogueRecord;
struct GenerationRun;

// Writes a stand-alone item page (an HTML item page when the picture field
// names an HTML file). range receives the next-link placeholder. 0, or -1
// when the page cannot be created.
int ItemPage(GenerationRun& run, const std::string& previousName, const std::string& ownName,
             const std::string& nextName, const CatalogueRecord& record, NextLinkRange& range);

// Opens a group page and writes its first block from the page start record.
int OpenGroupPage(GenerationRun& run, const std::string& previousName, const std::string& ownName,
                  const std::string& nextName, CatalogueRecord& record);

enum class GroupPlace { Block, Table };

// One record of the open group page: an item table row or an item block.
void GroupItem(GenerationRun& run, const CatalogueRecord& record, GroupPlace place);

// Ends and closes the open group page; groupNextLink then holds its placeholder.
void FinishGroupPage(GenerationRun& run, const std::string& previousName, const std::string& nextName);

bool groupPageOpen(const GenerationRun& run);
