#include "generator/item_choices.h"

#include <cstdlib>

#include "generator/generation_run.h"

void takePriceVaryingMask(GenerationRun& run, CatalogueRecord& record) {
    unsigned mask = 0;
    for (int i = 0; i < 4; ++i) {
        std::string& field = record.fields[kFirstSelectionSlot + i];
        if (field.compare(0, 5, "#!PV;") == 0) {
            field.erase(0, 5);
            mask |= 1u << i;
        }
    }
    run.itemPages.priceVaryingMask = mask;
}

ItemChoices readItemChoices(const GenerationRun& run, const CatalogueRecord& record) {
    const CatalogueHeader& header = run.reader.header();
    ItemChoices choices;
    choices.count = header.selectionCount < 4 ? header.selectionCount : 4;
    for (int i = 0; i < choices.count; ++i) {
        ChoiceList& list = choices.lists[i];
        list.kind = header.selections[i].kind;
        list.value = record.selection(i);
        list.priceVarying = (run.itemPages.priceVaryingMask & (1u << i)) != 0;
        if (list.kind == SelectionKind::TextOption) {
            list.hasInput = list.value.compare(0, 5, "#!NT;") != 0;
            list.optionCount = list.hasInput ? 2 : 0;
        } else if (list.kind == SelectionKind::List) {
            std::size_t start = 0;
            while (start <= list.value.size() && list.optionCount < kMaxOptionsPerList) {
                std::size_t bar = list.value.find('|', start);
                if (bar == std::string::npos)
                    bar = list.value.size();
                if (bar > start)
                    list.options[list.optionCount++] = list.value.substr(start, bar - start);
                start = bar + 1;
            }
        }
        if (list.optionCount >= 2)
            choices.anyMultiple = true;
    }
    return choices;
}

double optionPrice(const std::string& option) {
    std::size_t open = option.find('(');
    if (open == std::string::npos)
        return 0;
    return std::atof(option.c_str() + open + 1);
}
