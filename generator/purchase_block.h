#pragma once
#include <string>

class PageWriter;
struct CatalogueRecord;
struct GenerationRun;
struct ItemChoices;

enum class PurchasePlace { Block, TableRow };

// The selection inputs, quantity, optional cost display and add-to-basket
// control of an item with a numeric price, and the script that talks to the
// basket through parent. p is the item's in-page index.
void PurchaseBlock(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record,
                   const ItemChoices& choices, int p, PurchasePlace place);

// The description as the add call passes it: apostrophes removed, its first
// 50 characters without HTML tags, "..." when it is longer.
std::string basketDescription(const std::string& description);
