#include "generator/home_facts.h"

#include <algorithm>
#include <ctime>
#include <iterator>

#include "generator/basket_arguments.h"
#include "generator/copy_resource.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// A fresh name for every catalogue, so that a visitor's order window of one
// catalogue is not reused by another.
std::string freshWindowName() {
    return formatText("W%ld", static_cast<long>(std::time(nullptr) % 254658));
}

std::string firstItemPage(const GenerationRun& run) {
    const CatalogueHeader& header = run.reader.header();
    switch (header.firstItemKind) {
    case FirstItemKind::None:
        return "zk100000.html";
    case FirstItemKind::Named:
        return std::string(baseName(header.firstItemName));
    default:
        return formatText("zk%.6ld.html", static_cast<long>(run.nextItemPage));
    }
}

} // namespace

std::string homeImage(GenerationRun& run, const char (&storedPath)[129]) {
    std::string path(fieldText(storedPath));
    if (path.empty())
        return {};
    return CopyResource(run, path, std::string(fieldText(run.general.outputDir)));
}

HomeFacts homeFactsFor(GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    const CatalogueHeader& header = run.reader.header();
    HomeFacts facts;
    facts.basket = run.basketOn();
    facts.ownFrame = facts.basket && a.threeFrameStyle != 0;
    facts.basketFrame = run.basketFrameIndex;
    facts.itemFrame = a.includeHeaderFrame ? 2 : 1;

    // The basket's columns are the arguments its purchase blocks pass.
    const BasketArguments arguments = basketArgumentsFor(run);
    facts.selectionCount = arguments.selectionCount;
    for (int i = 0; i < facts.selectionCount; ++i) {
        facts.selectionLabels[i] = escapeScriptString(header.selections[i].caption);
        facts.freeText[i] = header.selections[i].kind == SelectionKind::TextOption;
    }
    facts.productCode = arguments.productCode;
    facts.codeLabel = escapeScriptString(header.codeCaption);
    facts.units = arguments.units;

    facts.tax = run.general.includeTax != 0;
    facts.taxTypes = facts.tax ? run.taxMode : 0;
    const int itemTaxTypes = std::clamp(header.taxTypeCount, 0, static_cast<int>(std::size(header.taxTypes)));
    facts.itemTaxTypes = facts.tax ? itemTaxTypes : 0;
    facts.conversion = run.currencyConversion;

    if (run.windowName.empty())
        run.windowName = freshWindowName();
    facts.windowName = run.windowName;
    facts.firstItemPage = escapeScriptString(firstItemPage(run));

    if (a.basketBackgroundImageMode != 0) {
        std::string image = homeImage(run, a.basketBackgroundImage);
        if (!image.empty()) {
            const bool fixed = a.basketBackgroundImageMode == 2;
            facts.basketBackground =
                formatText("BACKGROUND=%s %s", image.c_str(), fixed ? "bgproperties=\\\"fixed\\\" " : "");
            facts.basketBackgroundPage =
                formatText("BACKGROUND=%s %s", image.c_str(), fixed ? "bgproperties=\"fixed\" " : "");
        }
    }
    return facts;
}
