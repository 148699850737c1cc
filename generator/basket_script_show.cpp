#include <string>

#include "generator/basket_script.h"
#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/image_probe.h"
#include "generator/page_writer.h"
#include "generator/tax_file.h"
#include "model/paths.h"

// ShowBasket() rewrites the basket frame's document whole, with one
// d.write per step; every text in it is inside a script string.
namespace {

constexpr int kOrderFormOn = 1;   // orderFormFlags bit 0

// The places of basketColours.
enum BasketColour { OrderRows = 0, ButtonTable = 1, HeaderRow = 2, CurrencyRow = 3, Outline = 4 };

std::string colour(const char (&field)[16]) { return std::string(fieldText(field)); }

// " BGCOLOR=<c>", or nothing when the colour is not set.
std::string colourAttribute(const char* name, const char (&field)[16]) {
    return field[0] == '\0' ? std::string() : formatText(" %s=%s", name, colour(field).c_str());
}

struct Fonts {
    std::string start, end;
};
Fonts scriptFont(const GenerationRun& run, BasketFont entry) {
    return {escapeScriptString(run.fontTags[entry].start), escapeScriptString(run.fontTags[entry].end)};
}

void writePageStart(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const AppearanceSet& a = run.appearance;
    out.put("d.open();d.write(\"<BASE HREF=\"+document.location+\"><HEAD>");
    if (a.basketMargin >= 0)
        out.printf("<style type=\\\"text/css\\\"> BODY{margin: %dpt;} </style>", static_cast<int>(a.basketMargin));
    const std::string text = colour(a.pageColours[1]);
    out.printf("</HEAD><BODY TEXT=%s %sBGCOLOR=%s LINK=%s VLINK=%s><BASEFONT SIZE=2>\");\n", text.c_str(),
               facts.basketBackground.c_str(), colour(a.pageColours[0]).c_str(), text.c_str(), text.c_str());
    if (a.basketTableWidth[0] != '\0')
        out.printf("d.write(\"<table border=0 cellspacing=0 cellpadding=0 width=%s><tr><td>\");\n",
                   escapeScriptString(fieldText(a.basketTableWidth)).c_str());
}

std::string headingImage(GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    enum Position { Left = 0, Centre = 1, Right = 2, NotShown = 3 };
    const int position = a.basketHeadingImagePosition;
    if (position == NotShown)
        return {};
    const std::string name = homeImage(run, a.basketHeadingImage);
    if (name.empty())
        return {};
    const std::string size = imageSizeText(std::string(fieldText(a.basketHeadingImage)));
    const char* align = position == Left ? " ALIGN=LEFT" : position == Right ? " ALIGN=RIGHT" : "";
    std::string image = formatText("<IMG SRC=%s%s%s%s>", escapeScriptString(name).c_str(), align,
                                   size.empty() ? "" : " ", size.c_str());
    if (position == Centre)
        image = "<CENTER>" + image + "</CENTER>";
    return image + "<BR CLEAR=ALL>";
}

void writeHeading(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    std::string heading;
    if (!facts.ownFrame) {
        heading = headingImage(run);
        if (heading.empty()) {
            const Fonts font = scriptFont(run, BasketFont::Heading);
            heading = font.start + run.commonText.escaped(CommonLabel::BasketHeading) + font.end;
        }
    }
    out.printf("d.write(\"%s%s\");\n", heading.c_str(), scriptFont(run, BasketFont::Order).start.c_str());
}

// The tax column's heading: a choice between two tax types, or the one
// description (with its rate when the items do not bring their own).
std::string taxHeaderCell(const GenerationRun& run, const HomeFacts& facts, const Fonts& f) {
    const std::string description = escapeScriptString(fieldText(run.general.taxDescription));
    if (facts.taxTypes == 2) {
        TaxTypes types;
        types.load(run.programFile(kTaxFile));
        std::string cell = formatText("<TD>%s+<SELECT NAME=ttsel OnChange=\\\"parent.SetTax(ttsel.selectedIndex),"
                                      "parent.ShowBasket()\\\">",
                                      f.start.c_str());
        for (int i = 0; i < 2; ++i)
            cell += formatText("<OPTION\"+(iTT==%d?\" SELECTED\":\"\")+\">%s", i,
                               escapeScriptString(types.name(i)).c_str());
        return cell + "</SELECT></TD>";
    }
    if (facts.itemTaxTypes > 0)
        return formatText("<TD>%s+%s</TD>", f.start.c_str(), description.c_str());
    return formatText("<TD>%s+%s <FONT SIZE=-1>%.2f%%</TD>", f.start.c_str(), description.c_str(), run.general.taxRate);
}

void writeHeaderRow(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const AppearanceSet& a = run.appearance;
    const CommonText& labels = run.commonText;
    const Fonts f = scriptFont(run, BasketFont::OrderHeading);
    out.printf("d.write(\"<CENTER><FORM><TABLE CELLPADDING=2 CELLSPACING=1 BORDER=0 %s WIDTH=100%%>",
               colourAttribute("bgcolor", a.basketColours[Outline]).c_str());
    out.printf("<TR ALIGN=CENTER%s>", colourAttribute("BGCOLOR", a.basketColours[HeaderRow]).c_str());
    auto cell = [&](const std::string& text) {
        out.printf("<TD>%s%s%s</TD>", f.start.c_str(), text.c_str(), f.end.c_str());
    };
    cell(labels.escaped(CommonLabel::ItemColumn));
    if (facts.productCode)
        cell(facts.codeLabel);
    for (int i = 0; i < facts.selectionCount; ++i)
        cell(facts.selectionLabels[i]);
    cell(labels.escaped(CommonLabel::UnitPriceColumn));
    cell(labels.escaped(CommonLabel::QuantityColumn));
    // The chosen currency's symbol, when the visitor may choose one.
    const std::string symbol = facts.conversion ? "\"+Currs[CurrCurr]+\"" : escapeScriptString(run.currencySymbol);
    cell(labels.escaped(CommonLabel::CostColumn) + " (" + symbol + ")");
    if (facts.tax)
        out.put(taxHeaderCell(run, facts, f));
    cell("<FONT SIZE=-1>" + labels.escaped(CommonLabel::RemoveColumn) + "</FONT>");
    out.put("</TR>\");\n");
}

// A line's cost with tax: at its item's tax type, at the chosen tax type,
// or at the one rate of the settings.
std::string lineTax(const GenerationRun& run, const HomeFacts& facts) {
    const char* cost = facts.conversion ? "tmp1" : "p.up*p.qty";
    if (facts.itemTaxTypes > 0)
        return facts.conversion ? "(tmp2=TaxAmt(fa(p.up)*p.qty,p.itt))" : "TaxAmt(p.up*p.qty,p.itt)";
    if (facts.taxTypes == 2)
        return formatText("fa(%s*fTRate)", cost);
    return formatText("fa(%s*%s)", cost, settingsTaxMultiplier(run).c_str());
}

void writeLineRows(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const Fonts f = scriptFont(run, BasketFont::Order);
    const char* fs = f.start.c_str();
    const char* fe = f.end.c_str();
    out.put("for(n=1;n<iNextProd;n++){p=prods[n];if(p.qty==0)continue;\n");
    out.printf("d.write(\"<TR%s><TD>%s", colourAttribute("BGCOLOR", run.appearance.basketColours[OrderRows]).c_str(), fs);
    // A line with chosen options goes back to its item through UpdItem, so
    // that the item page edits this line.
    if (facts.selectionCount > 0)
        out.put("<A HREF=javascript:parent.UpdItem(\"+n+\")>");
    else
        out.put("<A HREF=\"+p.h+\" TARGET=ZKITEM>");
    out.printf("\"+p.desc+\"</A>%s</TD>", fe);
    if (facts.productCode)
        out.printf("<TD>%s\"+p.pc+\"%s</TD>", fs, fe);
    for (int k = 1; k <= facts.selectionCount; ++k)
        out.printf(facts.freeText[k - 1] ? "<TD ALIGN=CENTER>%s\"+ht(p.sl%d)+\"%s</TD>"
                                         : "<TD ALIGN=CENTER>%s\"+p.sl%d+\"%s</TD>",
                   fs, k, fe);
    // With a choice of currencies the line shows the converted unit price
    // times the quantity, and the totals add up what the lines show.
    const bool conversion = facts.conversion;
    out.printf("<TD ALIGN=RIGHT>%s\"+fa(%s)+\"&nbsp;%s</TD>", fs, conversion ? "p.up*CCR" : "p.up", fe);
    out.printf("<TD ALIGN=CENTER>%s\"+p.qty+\"%s</TD>", fs, fe);
    out.printf("<TD ALIGN=RIGHT>%s\"+fa(%s)+\"&nbsp;%s</TD>", fs, conversion ? "tmp1=fa(p.up*CCR)*p.qty" : "p.up*p.qty",
               fe);
    if (facts.tax)
        out.printf("<TD ALIGN=RIGHT>%s\"+%s+\"&nbsp;%s</TD>", fs, lineTax(run, facts).c_str(), fe);
    out.put("<TD ALIGN=CENTER><INPUT TYPE=CHECKBOX OnClick=\\\"parent.DelItem(\"+n+\")\\\"></TD></TR>\");");
    if (conversion)
        out.put("DispTot1+=tmp1;");
    if (conversion && facts.tax)
        out.put(facts.itemTaxTypes > 0 ? "DispTot2+=parseFloat(tmp2);" : "DispTot2+=parseFloat(fa(tmp1*fTRate));");
    out.put("}\n");
}

void writeTotals(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const Fonts f = scriptFont(run, BasketFont::Order);
    const int extraColumns = facts.selectionCount + (facts.productCode ? 1 : 0);
    out.printf("d.write(\"<TR><TD COLSPAN=%d></TD><TD ALIGN=RIGHT>%s\"+fa(%s)+\"&nbsp;%s", extraColumns + 3,
               f.start.c_str(), facts.conversion ? "DispTot1" : "fOrderTotal", f.end.c_str());
    // The blank footnote keeps the total under the lines' footnoted amounts.
    if (facts.tax)
        out.printf("</TD><TD ALIGN=RIGHT>%s\"+fa(%s)+(fTRate<=0.0?\"<sup>&nbsp;</sup>\":\"\")+\"&nbsp;%s",
                   f.start.c_str(), facts.conversion ? "DispTot2" : "fIncTax", f.end.c_str());
    out.put("\");\n");
    if (facts.itemTaxTypes > 0)
        out.printf("if(fTRate<=0.0){d.write(\"<TR><TD COLSPAN=%d>\");for(n=0;n<%d;n++)"
                   "d.write(\"&nbsp;&nbsp;<sup>\"+(n+1)+\"</sup>&nbsp;\"+itts[n]);}\n",
                   extraColumns + 5, facts.itemTaxTypes);
    out.put("d.write(\"</td><td>&nbsp;</td></table></center><FONT SIZE=-3>&nbsp;<BR></FONT>\");\n");
}

void writeButtons(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const AppearanceSet& a = run.appearance;
    if ((run.general.orderFormFlags & kOrderFormOn) == 0)
        return;
    const char (&tableColour)[16] = a.basketColours[ButtonTable][0] != '\0' ? a.basketColours[ButtonTable] : a.pageColours[0];
    out.printf("d.write(\"<CENTER><TABLE BGCOLOR=%s CELLSPACING=0 BORDER=1><TR><TD BGCOLOR=AAAAAA>",
               colour(tableColour).c_str());
    if (!combinedButtons(run))
        out.printf("<INPUT type=BUTTON VALUE=\\\"%s\\\" OnClick=\\\"%s\\\">", orderButtonCaption(run).c_str(),
                   orderButtonHandler(run).c_str());
    out.printf("<INPUT type=BUTTON VALUE=\\\"%s\\\" OnClick=\\\"parent.Reset(),parent.ShowBasket()\\\">\");\n",
               run.commonText.escaped(CommonLabel::ResetButton).c_str());
    out.put(deliverySelector(run, facts));
    out.put("d.write(\"</TABLE></CENTER>\");\n");
    writeCombinedButtons(run, out, colour(tableColour));
}

// The visitor's choice of currency, with every currency's rate beside it.
void writeCurrencyTable(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (!facts.conversion)
        return;
    const AppearanceSet& a = run.appearance;
    const Fonts f = scriptFont(run, BasketFont::Order);
    out.printf("d.write(\"<P><CENTER><TABLE%s CELLSPACING=1 CELLPADDING=2 BORDER=0 BORDERCOLOR=%s><TR%s><TD>%s\""
               "+CurrText+\""
               "<SELECT NAME=ac OnChange=\\\"parent.SetCurr(ac.selectedIndex);parent.ShowBasket();\\\">\");\n",
               colourAttribute("bgcolor", a.basketColours[Outline]).c_str(), colour(a.pageColours[1]).c_str(),
               colourAttribute("BGCOLOR", a.basketColours[CurrencyRow]).c_str(), f.start.c_str());
    out.put("for(n=0;n<iNoCurr;n++)d.write(\"<OPTION\"+(n==CurrCurr?\" SELECTED\":\"\")+\">\"+Currs[n]);\n");
    out.printf("d.write(\"</SELECT>%s</TD><TD><TABLE CELLSPACING=0 CELLPADDING=1 BORDER=0>\");\n", f.end.c_str());
    out.printf("for(n=0;n<iNoCurr;n++)d.write(\"<TR><TD>%s\"+Currs[n]+\"%s</TD>"
               "<TD ALIGN=RIGHT>%s\"+CurrRt[n]+\"%s</TD></TR>\");\n",
               f.start.c_str(), f.end.c_str(), f.start.c_str(), f.end.c_str());
    out.put("d.write(\"</TABLE></TD></TR></TABLE></CENTER>\");\n");
}

void writePageEnd(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const char* tableEnd = run.appearance.basketTableWidth[0] != '\0' ? "</td></table>" : "";
    if (basketProvider(run) == PaymentProvider::None) {
        out.printf("d.write(\"</FORM>%s</BODY>\");d.close();}\n", tableEnd);
        return;
    }
    out.put("d.write(\"</FORM>\");\n");
    writePaymentForm(run, out, facts);
    out.printf("d.write(\"%s</BODY>\");d.close();}\n", tableEnd);
}

} // namespace

void writeShowBasket(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.printf("function ShowBasket(){var d=frames[%d].document,n,p%s;%s\n", facts.basketFrame,
               facts.conversion ? ",tmp1,tmp2" : "", deliveryRecalculation(run).c_str());
    writePageStart(run, out, facts);
    if (facts.conversion)
        out.put("DispTot1=0.00;DispTot2=0.0;\n");
    writeHeading(run, out, facts);
    writeHeaderRow(run, out, facts);
    writeLineRows(run, out, facts);
    writeTotals(run, out, facts);
    writeButtons(run, out, facts);
    writeCurrencyTable(run, out, facts);
    writePageEnd(run, out, facts);
}
