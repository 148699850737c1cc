#include "app/core/currency_dialog_rules.h"

#include <charconv>

std::span<const FormField> mainCurrencyFields() {
    static const std::vector<FormField> fields = {
        {.control = 1368, .label = "main currency", .field = "currencySymbolKind", .kind = FormControl::Radio,
         .choices = {"\xA3", "$", "other..."}, .choiceValues = {1, 2, 0}},
        {.control = 1369, .label = "other symbol", .field = "currencySymbolText", .maxChars = 50},
        {.control = 1367, .label = "follows amount", .field = "symbolFollowsAmount", .kind = FormControl::Check},
        {.control = 1285, .label = "No. decimal places", .field = "currencyDecimals", .kind = FormControl::Number},
    };
    return fields;
}

CurrencyEntry newCurrencyEntry() {
    CurrencyEntry entry;
    entry.symbol = "new";
    entry.rate = 0.0;
    entry.decimalPlaces = 2;
    entry.followsAmount = false;
    return entry;
}

std::string currencyRateText(double rate) {
    // The same text in every locale the window may run in.
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed, 4).ptr;
    return std::string(text, end);
}

std::string currencyListLine(const CurrencyEntry& entry) {
    return entry.symbol.substr(0, 40) + " " + currencyRateText(entry.rate);
}
