#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

namespace {
bool deliveryCharges(const GenerationRun& run) { constexpr int kDeliveryCharges = 2;   // orderFormFlags bit 1
    return (run.general.orderFormFlags & kDeliveryCharges) != 0; }
} // namespace

std::string deliveryPieceRefusal(GenerationRun& run) {
    if (!deliveryCharges(run))
        return {};
    return "delivery charges are not written yet";
}

void writeDeliveryScript(GenerationRun&, PageWriter&, const HomeFacts&) {}

std::string deliveryRecalculation(const GenerationRun&) { return {}; }

std::string deliverySelector(const GenerationRun&, const HomeFacts&) { return {}; }
