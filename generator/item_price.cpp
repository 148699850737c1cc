#include "generator/item_price.h"

#include <algorithm>
#include <cstdlib>

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "model/paths.h"
#include "model/settings_fields.h"

namespace {

struct TaxFigures {
    double price = 0;      // the price as a number
    double withTax = 0;    // price x (1 + taxRate / 100)
    int type = 0;          // the record's tax-type number minus 1, at least 0
    bool declared = false; // tax types declared in the data file
};

TaxFigures taxFigures(const GenerationRun& run, const CatalogueRecord& record) {
    TaxFigures figures;
    figures.price = std::atof(record.price().c_str());
    figures.withTax = figures.price * (1 + run.general.taxRate / 100);
    int type = std::atoi(record.taxType().c_str()) - 1;
    figures.type = type > 0 ? type : 0;
    figures.declared = run.reader.header().taxTypeCount > 0;
    return figures;
}

void writeTaxNote(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record) {
    const bool conversion = run.currencyConversion;
    const int mode = run.taxMode;
    if (conversion && mode == 0)
        return; // the conversion script was closed right after the price
    const TaxFigures tax = taxFigures(run, record);
    const std::string including = run.commonText.escaped(CommonLabel::Including);
    const std::string description = escapeScriptString(fieldText(run.general.taxDescription));
    if (tax.declared) {
        out.put(conversion ? "+" : "<script language=javascript>document.write(");
        out.printf("\"&nbsp;&nbsp;\"+parent.TaxDisplay(%.2f,%d)", tax.price, tax.type);
        out.put(");</script>\n");
    } else if (conversion && mode == 1) {
        out.printf("+\"&nbsp;&nbsp;(\"+parent.CurrConv2(%.2f)+\" %s %s)\"", tax.withTax, including.c_str(),
                   description.c_str());
        out.put(");</script>\n");
    } else if (conversion && mode == 2) {
        out.printf("+(parent.trs[parent.iTT]==1.00?\"\":\"&nbsp;&nbsp;(\"+parent.CurrConv2(%.2f*parent.trs[parent.iTT])"
                   "+\" %s \"+parent.tts[parent.iTT]+\")\")",
                   tax.price, including.c_str());
        out.put(");</script>\n");
    } else if (mode == 1) {
        // Stored as any 32-bit number; a huge count would write one price without end.
        const int decimals = std::clamp(static_cast<int>(run.general.currencyDecimals), 0, kMostCurrencyDecimals);
        out.printf("&nbsp;&nbsp;(%.*f %s %s)", decimals, tax.withTax,
                   run.commonText[CommonLabel::Including].c_str(),
                   std::string(fieldText(run.general.taxDescription)).c_str());
    } else if (mode == 2) {
        out.printf("&nbsp;&nbsp;<script language='javascript'>if(parent.trs[parent.iTT]!=1.0)document.write(\"(\"+"
                   "parent.fa(%.2f*parent.trs[parent.iTT])+\" %s \"+parent.tts[parent.iTT]+\")\");</script>",
                   tax.price, including.c_str());
    }
}

void writeTaxColumn(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record) {
    const bool conversion = run.currencyConversion;
    const int mode = run.taxMode;
    if (mode == 0)
        return;
    const TaxFigures tax = taxFigures(run, record);
    const std::string& font = run.fontTags[ItemFont::DetailsRows].start;
    const std::string escapedFont = escapeScriptString(font);
    if (!conversion && mode == 1) {
        out.printf("<td align=right>%s", font.c_str());
        if (tax.declared)
            out.printf("<script language=javascript>document.write(parent.IncTax(%.2f,%d));</script>", tax.price,
                       tax.type);
        else
            out.printf("%.2f", tax.withTax);
        out.put("&nbsp;</td>\n");
    } else if (!conversion) {
        out.printf("<script language=javascript>if(parent.trs[parent.iTT]!=1.0)document.write(\"<td align=right>%s\"+",
                   escapedFont.c_str());
        if (tax.declared)
            out.printf("parent.IncTax(%.2f,%d)", tax.price, tax.type);
        else
            out.printf("parent.fa(%.2f*parent.trs[parent.iTT])", tax.price);
        out.put(");</script>&nbsp;</td>");
    } else if (mode == 1 && !tax.declared) {
        out.printf("+\"<td align=right>%s\"+parent.CurrConv2(%.2f)+\"&nbsp;</td>\");</script>", escapedFont.c_str(),
                   tax.withTax);
    } else {
        out.printf("+(parent.trs[parent.iTT]==1.0?\"\":(\"<td align=right>%s\"+", escapedFont.c_str());
        if (tax.declared)
            out.printf("parent.IncTax(%.2f,%d)", tax.price, tax.type);
        else
            out.printf("parent.CurrConv2(%.2f*parent.trs[parent.iTT])", tax.price);
        out.put("+\"&nbsp;</td>\")));</script>");
    }
}

} // namespace

bool isNumericPrice(const std::string& price) { return !price.empty() && price[0] >= '0' && price[0] <= '9'; }

std::string scriptAmount(const std::string& price) {
    std::size_t end = 0;
    while (end < price.size() && ((price[end] >= '0' && price[end] <= '9') || price[end] == '.'))
        ++end;
    std::size_t start = 0;
    while (start < end && price[start] == '0')
        ++start;
    if (start == end)
        return "0";
    return price.substr(start, end - start);
}

void writeBlockPrice(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record,
                     const FontTag& priceFont) {
    const std::string& price = record.price();
    out.printf("<P>%s", priceFont.start.c_str());
    if (!isNumericPrice(price)) {
        out.put(price);
    } else {
        if (run.currencyConversion) {
            out.printf("<script language=javascript>document.write(parent.CurrConv(%s)", scriptAmount(price).c_str());
            if (run.taxMode == 0)
                out.put(");</script>\n");
        } else if (run.general.symbolFollowsAmount) {
            out.printf("%s&nbsp;%s", price.c_str(), run.currencySymbol.c_str());
        } else {
            out.printf("%s&nbsp;%s", run.currencySymbol.c_str(), price.c_str());
        }
        if (run.general.includeTax)
            writeTaxNote(run, out, record);
    }
    out.put(priceFont.end);
}

void writeRowPrice(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record) {
    const std::string& price = record.price();
    const std::string& font = run.fontTags[ItemFont::DetailsRows].start;
    out.printf("<td align=right>%s", font.c_str());
    if (!isNumericPrice(price)) {
        const FontTag& priceFont = run.fontTags[ItemFont::Price];
        out.printf("<td>%s%s%s</td>\n", priceFont.start.c_str(), price.c_str(), priceFont.end.c_str());
        return;
    }
    if (run.currencyConversion) {
        out.printf("<SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(%s)+\"&nbsp;</td>\"",
                   scriptAmount(price).c_str());
        if (run.taxMode == 0)
            out.put(");</SCRIPT>");
    } else if (run.general.symbolFollowsAmount) {
        out.printf("%s&nbsp;%s&nbsp;%s</TD>", font.c_str(), price.c_str(), run.currencySymbol.c_str());
    } else {
        out.printf("%s&nbsp;%s&nbsp;</TD>", run.currencySymbol.c_str(), price.c_str());
    }
    if (run.general.includeTax)
        writeTaxColumn(run, out, record);
}
