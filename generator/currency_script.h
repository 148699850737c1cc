#pragma once
// The alternate currencies as script arrays (Currs, CurrRt, CurrPs, CurrDP,
// iNoCurr, CurrText), written inline in the home page and into
// "zkaltcurr.js", which a catalogue on the server loads after the inline
// arrays, so that new rates can be uploaded alone.
#include <cstdio>
#include <string>
#include <string_view>

#include "generator/currency_file.h"
#include "model/settings_record.h"

struct GenerationRun;

inline constexpr std::string_view kAltCurrencyScript = "zkaltcurr.js";

// The main currency's symbol by currencySymbolKind: "&#163;", "$", or
// currencySymbolText.
std::string mainCurrencySymbol(const GeneralSettings& general);
// The main currency as the arrays' first entry: rate 1.0, the symbol's
// position and currencyDecimals from the settings.
CurrencyEntry mainCurrencyEntry(const GeneralSettings& general);

// The arrays for mainCurrency followed by the list's entries, each array
// closed by one dummy element that iNoCurr does not count.
std::string currencyScriptArrays(const CurrencyEntry& mainCurrency, const CurrencyList& list);

// zkaltcurr.js in outputDir, listed in the run's upload list. 0, or 1 after
// "couldn't open <%s>\n" on the run's diagnostics when it cannot be created.
int writeAltCurrencyScript(GenerationRun& run, const CurrencyList& list);

// zkaltcurr.js alone: written into outputDir with a fresh upload list
// (files01.dat in programDir) that holds only it, so that only the rates go
// to the server. 0, or 1 after "couldn't open <%s>\n" on diagnostics when
// the script or the list cannot be written.
int writeStandaloneAltCurrencyScript(const GeneralSettings& general, const CurrencyList& list,
                                     std::string_view programDir, std::FILE* diagnostics);
