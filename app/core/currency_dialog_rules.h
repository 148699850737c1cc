#pragma once
// The Currencies dialog: the main currency in the settings record, and the
// alternate currencies of the currency file with their list lines.
#include <span>
#include <string>
#include <string_view>

#include "app/core/form_fields.h"
#include "generator/currency_file.h"

// Main currency "£", "$" or "other..." (stored as 1, 2, 0), the other
// symbol, "follows amount" and the number of decimal places.
std::span<const FormField> mainCurrencyFields();

// What "Add" appends: symbol "new", rate 0, 2 decimal places, symbol before the amount.
CurrencyEntry newCurrencyEntry();
// The list line of an entry: "%s %.4f" with the symbol's first 40 characters and the rate.
std::string currencyListLine(const CurrencyEntry& entry);
// A rate as the rate box shows it: "%.4f".
std::string currencyRateText(double rate);
