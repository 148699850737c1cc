#include "generator/basket_script.h"

#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"

void writeBasketScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (facts.selectionCount > 0)
        writeLineCodeAllocator(out, facts);
    writeProdQuote(out, facts);
    writeBasketGlobals(run, out, facts);
    writeImageSwaps(run, out);
    writeCurrencyOptionFunction(run, out, facts);
    writeTaxScript(run, out, facts);
    writeCurrencyScript(run, out, facts);
    writeDelItem(out, facts);
    writeBrowserVariables(out);
    writeGetProdDet(run, out, facts);
    writeReset(out);
    writeCp(out, facts);
    writeFa(out);
    writeIsInt(out);
    writeHtmlText(out);
    writeProductCodeLabel(out, facts);
    if (facts.selectionCount > 0)
        writeSelectionLookups(out, facts);
    writeOrderString(run, out, facts);
    writeOrderForm(run, out, facts);
    writeSelectionLabels(out, facts);
    writeAddProdToQuote(run, out, facts);
    writeShowBasket(run, out, facts);
}
