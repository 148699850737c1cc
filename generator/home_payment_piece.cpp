#include "generator/common_text.h"
#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

// The generic provider's OrderString() is written whether or not a custom
// form is used; the other providers need one.
constexpr int kGenericProvider = 5;

std::string paymentPieceRefusal(GenerationRun& run) {
    const GeneralSettings& g = run.general;
    if (!run.basketOn() || g.paymentGateway == 0 || (!g.useCustomForm && g.paymentGateway != kGenericProvider))
        return {};
    return "payment provider forms are not written yet";
}

void writeOrderString(GenerationRun&, PageWriter&, const HomeFacts&) {}

std::string orderButtonHandler(const GenerationRun&) { return "parent.OrderForm()"; }

std::string orderButtonCaption(const GenerationRun& run) {
    return run.commonText.escaped(CommonLabel::OrderFormButton);
}

std::string paymentHiddenForm(const GenerationRun&) { return {}; }
