#include <string>

#include "generator/basket_script.h"
#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/image_probe.h"
#include "generator/page_writer.h"
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
    cell(labels.escaped(CommonLabel::CostColumn) + " (" + escapeScriptString(run.currencySymbol) + ")");
    cell("<FONT SIZE=-1>" + labels.escaped(CommonLabel::RemoveColumn) + "</FONT>");
    out.put("</TR>\");\n");
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
        out.printf("<TD ALIGN=CENTER>%s\"+p.sl%d+\"%s</TD>", fs, k, fe);
    out.printf("<TD ALIGN=RIGHT>%s\"+fa(p.up)+\"&nbsp;%s</TD>", fs, fe);
    out.printf("<TD ALIGN=CENTER>%s\"+p.qty+\"%s</TD>", fs, fe);
    out.printf("<TD ALIGN=RIGHT>%s\"+fa(p.up*p.qty)+\"&nbsp;%s</TD>", fs, fe);
    out.put("<TD ALIGN=CENTER><INPUT TYPE=CHECKBOX OnClick=\\\"parent.DelItem(\"+n+\")\\\"></TD></TR>\");}\n");
}

void writeTotals(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const Fonts f = scriptFont(run, BasketFont::Order);
    const int span = facts.selectionCount + 3 + (facts.productCode ? 1 : 0);
    out.printf("d.write(\"<TR><TD COLSPAN=%d></TD><TD ALIGN=RIGHT>%s\"+fa(fOrderTotal)+\"&nbsp;%s\");\n", span,
               f.start.c_str(), f.end.c_str());
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
    out.printf("function ShowBasket(){var d=frames[%d].document,n,p;%s\n", facts.basketFrame,
               deliveryRecalculation(run).c_str());
    writePageStart(run, out, facts);
    writeHeading(run, out, facts);
    writeHeaderRow(run, out, facts);
    writeLineRows(run, out, facts);
    writeTotals(run, out, facts);
    writeButtons(run, out, facts);
    writePageEnd(run, out, facts);
}
