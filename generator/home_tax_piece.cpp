#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

std::string taxPieceRefusal(GenerationRun& run) {
    if (!run.basketOn() || !run.general.includeTax)
        return {};
    return "tax on the basket is not written yet";
}

void writeTaxScript(GenerationRun&, PageWriter&, const HomeFacts&) {}
