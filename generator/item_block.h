#pragma once
// One record as a block of an item page: its heading, price, picture,
// description and purchase block.
#include <string>

#include "generator/item_page_state.h"

class PageWriter;
struct CatalogueRecord;
struct GenerationRun;

enum class BlockKind {
    Item,        // a stand-alone item's page
    PageTitle,   // the page start block of a group page
    GroupItem,   // an item of a group page
};

// k is the in-page index (0 for a page's first block). The first block opens
// the body; range receives the next link's placeholder when the item
// navigation bar stands at the top.
void ItemBlock(GenerationRun& run, PageWriter& out, const CatalogueRecord& record, const std::string& previousName,
               const std::string& nextName, int k, BlockKind kind, NextLinkRange* range);
