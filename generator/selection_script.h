#pragma once
#include <cstdint>

class PageWriter;
struct GenerationRun;
struct ItemChoices;

// The small script that feeds an item's option lists to the basket: the
// arrays SL<m> (options) and SLPV<m> (price variations), m = i + 10 k, and
// the item's code thisItem<k>.
void SelectionScript(const GenerationRun& run, PageWriter& out, const ItemChoices& choices, int k,
                     std::int32_t itemNumber);
