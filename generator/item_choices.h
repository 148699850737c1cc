#pragma once
// The selection lists of one item as its page shows them: the options of
// each declared list, whether it varies the price, and free-text inputs.
#include <string>

#include "model/catalogue_reader.h"

struct GenerationRun;

inline constexpr int kMaxOptionsPerList = 3;

struct ChoiceList {
    SelectionKind kind = SelectionKind::None;
    std::string value;                        // the record's field (price-varying prefix removed)
    std::string options[kMaxOptionsPerList];  // option lists only
    int optionCount = 0;                      // a free-text input counts two
    bool hasInput = false;                    // free-text list with an input on this item
    bool priceVarying = false;
};

struct ItemChoices {
    int count = 0;                            // declared selections, at most 4
    ChoiceList lists[4];
    bool anyMultiple = false;                 // some list has two or more options
};

// Removes a leading "#!PV;" from each selection field of the record and
// keeps the mask of the fields that had it (bit i for selection i + 1).
void takePriceVaryingMask(GenerationRun& run, CatalogueRecord& record);

ItemChoices readItemChoices(const GenerationRun& run, const CatalogueRecord& record);

// The amount after an option's first "(", 0 when it has none.
double optionPrice(const std::string& option);
