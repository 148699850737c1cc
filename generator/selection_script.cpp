#include "generator/selection_script.h"

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/item_choices.h"
#include "generator/page_writer.h"

namespace {

// With alternate currencies the basket adds the converted price note itself,
// so the option is shown without its own "(amount)".
std::string withoutPricePart(const std::string& option) {
    std::size_t open = option.find('(');
    if (open == std::string::npos)
        return option;
    if (open > 0 && option[open - 1] == ' ')
        --open;
    return option.substr(0, open);
}

void writeOptionArrays(const GenerationRun& run, PageWriter& out, const ChoiceList& list, int m) {
    if (list.kind != SelectionKind::List || list.optionCount == 0)
        return;
    out.printf("SL%d = new Array(", m);
    for (int o = 0; o < list.optionCount; ++o) {
        std::string option = list.priceVarying && run.currencyConversion ? withoutPricePart(list.options[o])
                                                                         : list.options[o];
        out.printf(o + 1 < list.optionCount ? "\"%s\"," : "\"%s\"", escapeScriptString(option).c_str());
    }
    out.put(");\n");
    if (!list.priceVarying)
        return;
    out.printf("SLPV%d = new Array(", m);
    for (int o = 0; o + 1 < list.optionCount; ++o)
        out.printf("%.2f,", optionPrice(list.options[o]));
    out.printf("%.2f,0.00);\n", optionPrice(list.options[list.optionCount - 1]));
}

} // namespace

void SelectionScript(const GenerationRun& run, PageWriter& out, const ItemChoices& choices, int k,
                     std::int32_t itemNumber) {
    out.put("<script language=\"javascript\">");
    for (int i = 0; i < choices.count; ++i)
        writeOptionArrays(run, out, choices.lists[i], i + 10 * k);
    if (choices.count > 0) {
        // Each item needs a code of its own: its running number. (The
        // in-page index would give every stand-alone item the same code.)
        if (!choices.anyMultiple)
            out.printf("var thisItem%d='%d';\n", k, static_cast<int>(itemNumber));
        else
            out.printf("var thisItem%d=parent.GetItNo(%d);\n", k, k);
    }
    out.put("</script>");
}
