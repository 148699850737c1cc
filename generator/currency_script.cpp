#include "generator/currency_script.h"

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "model/paths.h"
#include "model/settings_store.h"

namespace {

// The whole script file; false when it could not be created or written whole.
bool writeScriptFile(const std::string& path, const std::string& script, std::FILE* diagnostics) {
    PageWriter out;
    if (!out.open(path)) {
        std::fprintf(diagnostics, "couldn't open <%s>\n", path.c_str());
        return false;
    }
    out.put(script);
    if (!out.close()) {
        std::fprintf(diagnostics, "failed to write <%s>\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

std::string mainCurrencySymbol(const GeneralSettings& general) {
    switch (general.currencySymbolKind) {
    case 0:
        return std::string(fieldText(general.currencySymbolText));
    case 1:
        return "&#163;";
    default:
        return "$";
    }
}

CurrencyEntry mainCurrencyEntry(const GeneralSettings& general) {
    CurrencyEntry main;
    main.symbol = mainCurrencySymbol(general);
    main.rate = 1.0;
    main.followsAmount = general.symbolFollowsAmount != 0;
    main.decimalPlaces = clampCurrencyDecimals(general.currencyDecimals);
    return main;
}

std::string currencyScriptArrays(const CurrencyEntry& mainCurrency, const CurrencyList& list) {
    std::vector<CurrencyEntry> entries{mainCurrency};
    entries.insert(entries.end(), list.entries().begin(), list.entries().end());

    std::string script = "var Currs=new Array(";
    for (const CurrencyEntry& entry : entries)
        script += formatText("\"%s\",", escapeScriptString(entry.symbol).c_str());
    script += "\"\"), CurrRt=new Array(";
    for (const CurrencyEntry& entry : entries)
        script += formatText("%.4f,", entry.rate);
    script += "0.0), CurrPs=new Array(";
    for (const CurrencyEntry& entry : entries)
        script += formatText("%d,", entry.followsAmount ? 1 : 0);
    script += "0), CurrDP=new Array(";
    for (const CurrencyEntry& entry : entries)
        script += formatText("%s,", std::to_string(clampCurrencyDecimals(entry.decimalPlaces)).c_str());
    script += "0);\n";
    script += formatText("var iNoCurr=%d;\n", static_cast<int>(entries.size()));
    script += formatText("var CurrText=\"%s\";\n", escapeScriptString(list.text(CurrencyText::Basket)).c_str());
    return script;
}

int writeAltCurrencyScript(GenerationRun& run, const CurrencyList& list) {
    const std::string path = run.outputPath(std::string(kAltCurrencyScript));
    if (!writeScriptFile(path, currencyScriptArrays(mainCurrencyEntry(run.general), list), run.diagnostics)) {
        run.fileNotWritten(path);
        return 1;
    }
    run.lists.listFile(path);
    return 0;
}

int writeStandaloneAltCurrencyScript(const GeneralSettings& general, const CurrencyList& list,
                                     std::string_view programDir, std::FILE* diagnostics) {
    const std::string path = join(fieldText(general.outputDir), kAltCurrencyScript);
    if (!writeScriptFile(path, currencyScriptArrays(mainCurrencyEntry(general), list), diagnostics))
        return 1;
    const std::string uploadList = join(programDir, "files01.dat");
    if (replaceFile(uploadList, path + "\n") != 0) {
        std::fprintf(diagnostics, "couldn't open <%s>\n", uploadList.c_str());
        return 1;
    }
    return 0;
}
