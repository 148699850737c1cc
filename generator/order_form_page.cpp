#include "generator/order_form_page.h"

#include "generator/generation_run.h"
#include "generator/order_form_sections.h"
#include "model/paths.h"

bool cgiHandling(const GeneralSettings& general) {
    return general.includeCgiAction != 0 && general.cgiAction[0] != '\0';
}

const char* cgiMethodName(const GeneralSettings& general) {
    constexpr int kGet = 1;
    return general.cgiMethod == kGet ? "GET" : "POST";
}

std::string lineBreaksAsBreaks(std::string_view text) {
    std::string page;
    for (char c : text) {
        if (c == '\n')
            page += "<BR>";
        else if (c != '\r')
            page += c;
    }
    return page;
}

int OrderFormPage(GenerationRun& run) {
    const GeneralSettings& g = run.general;
    constexpr int kOrderFormOn = 1;   // orderFormFlags bit 0
    if ((g.orderFormFlags & kOrderFormOn) == 0 || g.useCustomForm)
        return 0;
    if (g.orderFormUrl[0] != '\0')
        return writeTemplateOrderForm(run);
    return writeDefaultOrderPage(run);
}
