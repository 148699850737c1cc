#include <string>

#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"
#include "generator/tax_file.h"

// The basket reckons tax on multipliers, 1 + rate/100: the shop's tax types
// (tts/trs, chosen with SetTax) and the data file's item tax types
// (itts/itrs, one per item). A multiplier of 0.0 in trs means "each item's
// own rate".
namespace {

std::string multiplier(double percent) { return formatText("%.4f", 1 + percent * 0.01); }

void writeItemTaxArrays(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const CatalogueHeader& header = run.reader.header();
    out.put("var itts=new Array(");
    for (int i = 0; i < facts.itemTaxTypes; ++i)
        out.printf("\"%s\",", escapeScriptString(header.taxTypes[i].name).c_str());
    out.put("\"\"), itrs=new Array(");
    for (int i = 0; i < facts.itemTaxTypes; ++i)
        out.printf("%s,", multiplier(header.taxTypes[i].rate).c_str());
    out.put("0.0);\n");
}

// An amount as display text: converted into the chosen currency when the
// visitor may choose one.
std::string amount(const HomeFacts& facts, const char* expression) {
    return formatText(facts.conversion ? "CurrConv2(%s)" : "fa(%s)", expression);
}

void writeItemTaxFunctions(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const std::string including = run.commonText.escaped(CommonLabel::Including);
    // The note after an item page's price; with a choice of tax types the
    // chosen type speaks unless it leaves the rates to the items.
    out.put("function TaxDisplay(c,r){");
    if (facts.taxTypes > 1)
        out.put("if(fTRate<=0.0){");
    out.printf("if(itrs[r]!=1.0)return \"(\"+%s+\" %s \"+itts[r]+\")\";return \"\";", amount(facts, "c*itrs[r]").c_str(),
               including.c_str());
    if (facts.taxTypes > 1)
        out.printf("}else{if(trs[iTT]!=1.0)return \"(\"+%s+\" %s \"+tts[iTT]+\")\";return \"\";}",
                   amount(facts, "c*trs[iTT]").c_str(), including.c_str());
    out.put("}\n");
    // The footnote number points at the legend under the basket.
    out.put("function TaxAmt(c,r){if(fTRate!=0.0)return IncTax(c,r);return IncTax(c,r)+\"<sup>\"+(r+1)+\"</sup>\";}\n");
    out.printf("function IncTax(c,r){if(fTRate!=0.0)return %s;return %s;}\n", amount(facts, "c*fTRate").c_str(),
               amount(facts, "c*itrs[r]").c_str());
}

void writeTaxTypeArrays(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    TaxTypes types;
    types.load(run.programFile(kTaxFile));
    out.put("var tts=new Array(");
    for (int i = 0; i < facts.taxTypes; ++i)
        out.printf("\"%s\",", escapeScriptString(types.name(i)).c_str());
    out.put("\"\"), trs=new Array(");
    for (int i = 0; i < facts.taxTypes; ++i)
        out.printf("%s,", types.useItemRates(i) ? "0.0000" : multiplier(types.rate(i)).c_str());
    out.put("0.0);\n");
}

void writeSetTax(PageWriter& out, const HomeFacts& facts) {
    const char* rate = facts.itemTaxTypes > 0 ? "(fTRate==0.0?itrs[prods[n].itt]:fTRate)" : "fTRate";
    out.printf("function SetTax(iT2){iTT=iT2;TName=tts[iT2];fTRate=parseFloat(trs[iT2]);fIncTax=0.0;"
               "for(var n=1;n<iNextProd;n++){prods[n].tcost=fa(prods[n].cost*%s);fIncTax+=parseFloat(prods[n].tcost);}"
               "return true;}\n",
               rate);
    // The first tax type is in force from the start.
    out.put("SetTax(0);\n");
}

} // namespace

std::string settingsTaxMultiplier(const GenerationRun& run) { return formatText("%.4f", 1 + run.general.taxRate / 100); }

void writeTaxScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (!facts.tax)
        return;
    if (facts.itemTaxTypes > 0) {
        writeItemTaxArrays(run, out, facts);
        writeItemTaxFunctions(run, out, facts);
    }
    if (facts.taxTypes > 0) {
        writeTaxTypeArrays(run, out, facts);
        writeSetTax(out, facts);
    }
}
