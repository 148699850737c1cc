#include <cstdint>
#include <cstdio>

#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"

namespace {

// The header of the currency list as far as the home page needs it: the
// entry count at offset 2 and the "include alternate currencies" flag at 8.
bool listsAlternateCurrencies(GenerationRun& run) {
    std::FILE* file = run.openSource(run.programFile("zkcurr.dat"));
    if (!file)
        return false;   // no list: no alternate currencies
    unsigned char header[12] = {};
    const bool whole = std::fread(header, 1, sizeof header, file) == sizeof header;
    std::fclose(file);
    if (!whole)
        return false;
    const auto count = static_cast<std::int16_t>(header[2] | header[3] << 8);
    const std::uint32_t include = header[8] | header[9] << 8 | header[10] << 16 | std::uint32_t{header[11]} << 24;
    return include != 0 && count > 0;
}

} // namespace

std::string currencyPieceRefusal(GenerationRun& run) {
    if (!run.basketOn() || !listsAlternateCurrencies(run))
        return {};
    return "alternate currencies are not written yet";
}

void writeCurrencyOptionFunction(GenerationRun& run, PageWriter&, const HomeFacts&) { run.currencyConversion = false; }

void writeCurrencyScript(GenerationRun&, PageWriter&, const HomeFacts&) {}
