#pragma once
// The Tax dialog: the tax types of the tax file and what OK copies into the
// settings record.
#include <string>

#include "generator/tax_file.h"
#include "model/settings_record.h"

inline constexpr int kTaxRateMaxChars = 10;

// A rate as the rate box shows it: "%.2f".
std::string taxRateText(double rate);
// "Include tax on quote/order" into includeTax; the first type's name and
// rate into taxDescription and taxRate (an empty text and 0 without types).
void storeTaxChoices(GeneralSettings& general, const TaxTypes& types, bool includeTax);
