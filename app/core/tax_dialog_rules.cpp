#include "app/core/tax_dialog_rules.h"

#include <charconv>

#include "model/paths.h"

std::string taxRateText(double rate) {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed, 2).ptr;
    return std::string(text, end);
}

void storeTaxChoices(GeneralSettings& general, const TaxTypes& types, bool includeTax) {
    general.includeTax = includeTax ? 1 : 0;
    copyField(general.taxDescription, types.name(0));
    general.taxRate = types.rate(0);
}
