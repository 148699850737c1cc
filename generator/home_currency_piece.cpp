#include "generator/currency_file.h"
#include "generator/currency_script.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"

// The basket keeps its arithmetic in the main currency; the visitor's
// choice (CurrCurr, its rate CCR and its decimals) only changes what is shown.

void writeCurrencyOptionFunction(GenerationRun&, PageWriter& out, const HomeFacts& facts) {
    if (!facts.conversion || facts.selectionCount == 0)
        return;
    // The options of a price-varying list, each with its price difference in
    // the chosen currency.
    out.put("function DPVsel(a01,a02){var s=\"\";for(var i=0;i<a01.length;i++){s+=\"<OPTION>\"+a01[i];"
            "if(parseFloat(a02[i])!=0)s+=\" (\"+fa(a02[i]*CCR)+\")\";}return s;}\n");
}

void writeCurrencyScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (!facts.conversion)
        return;
    CurrencyList currencies;
    currencies.load(run.programFile(kCurrencyFile));
    out.put(currencyScriptArrays(mainCurrencyEntry(run.general), currencies));
    // A zkaltcurr.js uploaded later with new rates overrides the arrays above.
    out.put("</SCRIPT><SCRIPT SRC=\"zkaltcurr.js\" LANGUAGE=JAVASCRIPT>");
    writeAltCurrencyScript(run, currencies);
    out.put("</SCRIPT><SCRIPT LANGUAGE=JAVASCRIPT>");
    out.put("var CurrCurr=0,CCR=1.0;\n");
    out.put("function CurrConv(fPr){var s=\"\";if(CurrPs[CurrCurr]==0)s=Currs[CurrCurr]+\"&nbsp;\";"
            "s+=fa(fPr*CurrRt[CurrCurr]);if(CurrPs[CurrCurr]==1)s+=\"&nbsp;\"+Currs[CurrCurr];return s;}\n");
    out.put("function CurrConv2(fPr){return fa(fPr*CurrRt[CurrCurr]);}\n");
    // Choosing a currency also sets the decimals of every amount fa writes.
    out.put("function SetCurr(iCurr){CurrCurr=iCurr;CCR=CurrRt[iCurr];iDP=CurrDP[iCurr];}\n");
}
