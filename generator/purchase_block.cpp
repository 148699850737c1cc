#include "generator/purchase_block.h"

#include <cstdlib>

#include "generator/basket_arguments.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/item_choices.h"
#include "generator/item_price.h"
#include "generator/page_writer.h"

namespace {

constexpr std::size_t kDescriptionCut = 50;

// A text inside a single-quoted script string that stands in a double-quoted
// HTML attribute: escaped for the script, and its double quotes given as
// entities so that they cannot end the attribute.
std::string attributeScriptString(const std::string& text) {
    std::string escaped = escapeScriptString(text);
    std::string out;
    out.reserve(escaped.size());
    for (char c : escaped) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string attributeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct BlockContext {
    const GenerationRun& run;
    PageWriter& out;
    const CatalogueRecord& record;
    const ItemChoices& choices;
    int p;
    bool inRow;
    const FontTag& font;
    std::string code;          // the item code text: '<n>' or thisItem<p>
    bool imageAdd;             // the add control is an image
};

int listInput(const BlockContext& c, int i) { return c.p * 10 + i; }

void writeSelectionInputs(const BlockContext& c) {
    PageWriter& out = c.out;
    const char* font = c.font.start.c_str();
    for (int i = 0; i < c.choices.count; ++i) {
        const ChoiceList& list = c.choices.lists[i];
        const std::string& label = c.run.reader.header().selections[i].caption;
        const int m = listInput(c, i);
        if (list.kind == SelectionKind::TextOption) {
            if (!list.hasInput) {
                if (c.inRow)
                    out.put("&nbsp;</td>\n");
                continue;
            }
            if (c.inRow) {
                out.put("<td>");
            } else {
                out.printf("<tr><td align=right>%s%s&nbsp;", font, label.c_str());
                out.put("</td><td colspan=2>");
            }
            out.printf("<input type=text name=SLT%d value=\"%s\"></td>", m, attributeText(list.value).c_str());
        } else if (list.optionCount == 1) {
            if (!c.inRow)
                out.printf("<tr><td align=right>%s%s&nbsp;</td>", font, label.c_str());
            out.printf("<td%s>%s%s%s</td>", c.inRow ? "" : " colspan=2", font, list.options[0].c_str(),
                       c.font.end.c_str());
        } else if (list.optionCount == 0) {
            if (c.inRow)
                out.put("<td>&nbsp;</td>");
        } else {
            if (c.inRow) {
                out.put("<td>");
            } else {
                out.printf("<tr><td align=right>%s%s&nbsp;", font, label.c_str());
                out.put("</td><td colspan=2>");
            }
            out.printf("<SELECT NAME=SLT%d", m);
            if (list.priceVarying)
                out.printf(" OnChange=\"cpl%d();\"", c.p);
            out.put(">");
            if (list.priceVarying && c.run.currencyConversion) {
                out.printf("<SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.DPVsel(SL%d,SLPV%d));</SCRIPT>\n", m, m);
            } else {
                for (int o = 0; o < list.optionCount; ++o)
                    out.printf("<OPTION>%s", list.options[o].c_str());
            }
            out.put("</SELECT></TD>\n");
        }
    }
}

void writeSelectionArgument(const BlockContext& c, int i) {
    PageWriter& out = c.out;
    const ChoiceList& list = c.choices.lists[i];
    const int m = listInput(c, i);
    if (list.kind == SelectionKind::TextOption && list.hasInput)
        out.printf(",document.forms[0].SLT%d.value", m);
    else if (list.kind == SelectionKind::List && list.optionCount == 1)
        out.printf(",'%s'", attributeScriptString(list.options[0]).c_str());
    else if (list.kind == SelectionKind::List && list.optionCount >= 2 && c.imageAdd)
        out.printf(",SL%d[document.forms[0].SLT%d.selectedIndex]", m, m);
    else if (list.kind == SelectionKind::List && list.optionCount >= 2)
        out.printf(",SL%d[SLT%d.selectedIndex]", m, m);
    else
        out.put(",''");
}

// The arguments after the fixed ones: exactly those the basket's
// AddProdToQuote declares, in its order.
void writeAddArguments(const BlockContext& c) {
    PageWriter& out = c.out;
    int selection = 0;
    for (BasketArgument argument : basketArgumentsFor(c.run).inOrder()) {
        switch (argument) {
        case BasketArgument::ProductCode:
            out.printf(",'%s'", attributeScriptString(c.record.code()).c_str());
            break;
        case BasketArgument::Units:
            out.printf(",%.2f", std::atof(c.record.unit().c_str()));
            break;
        case BasketArgument::Selection:
            if (selection < c.choices.count)
                writeSelectionArgument(c, selection);
            else
                out.put(",''");
            ++selection;
            break;
        case BasketArgument::Reload:
            out.printf(",%d", c.choices.anyMultiple ? 1 : 0);
            break;
        case BasketArgument::ItemTaxType: {
            const int type = std::atoi(c.record.taxType().c_str()) - 1;
            out.printf(",%d", type > 0 ? type : 0);
            break;
        }
        case BasketArgument::AddImage:
            // Without an update image there is nothing to swap to, and the
            // add image carries no name.
            if (c.run.decorations.buttons.updateImage.empty())
                out.put(",null");
            else
                out.printf(",document.forms[0].UI%d", c.p);
            break;
        }
    }
}

void writeOnLoadCall(const BlockContext& c) {
    c.out.printf("parent.GetProdDet(document.forms[0].inp%d,%s,document.forms[0].res%d,document.forms[0].qtbut%d);\n",
                 c.p, c.code.c_str(), c.p, c.p);
}

void writeCostFunction(const BlockContext& c) {
    std::string expression = scriptAmount(c.record.price());
    for (int i = 0; i < c.choices.count; ++i) {
        const ChoiceList& list = c.choices.lists[i];
        if (list.kind != SelectionKind::List || !list.priceVarying || list.optionCount == 0)
            continue;
        const int m = listInput(c, i);
        if (list.optionCount >= 2)
            expression = formatText("%s+SLPV%d[document.forms[0].SLT%d.selectedIndex]", expression.c_str(), m, m);
        else
            expression = formatText("%s+SLPV%d[0]", expression.c_str(), m);
    }
    c.out.printf("function cpl%d(){parent.cp(document.forms[0].inp%d,%s,document.forms[0].res%d);return true}\n",
                 c.p, c.p, expression.c_str(), c.p);
}

void writeRestoreChoices(const BlockContext& c) {
    for (int i = 0; i < c.choices.count; ++i) {
        const ChoiceList& list = c.choices.lists[i];
        const int m = listInput(c, i);
        const int number = i + 1;
        if (list.kind == SelectionKind::TextOption && list.hasInput)
            c.out.printf("if (IV%d=parent.GetTxt(%d,%s))document.forms[0].SLT%d.value=IV%d;\n", number, number,
                         c.code.c_str(), m, number);
        else if (list.kind == SelectionKind::List && list.optionCount >= 2 && !list.value.empty())
            c.out.printf("document.forms[0].SLT%d.options[parent.GetInd(SL%d,%d,%s)].selected=true;\n", m, m, number,
                         c.code.c_str());
    }
}

void writeImageAddControl(const BlockContext& c, const std::string& description, const std::string& hiddenCost) {
    PageWriter& out = c.out;
    const GenerationRun& run = c.run;
    const PurchaseButtons& buttons = run.decorations.buttons;
    const int p = c.p;
    out.put(run.general.quantityAlwaysOne ? "<TD ALIGN=CENTER COLSPAN=3>" : "<TD ALIGN=LEFT>");
    out.printf("%s<A HREF=\"javascript:cpl%d();parent.AddProdToQuote(%s,'%s',document.forms[0].res%d.value,"
               "document.forms[0].inp%d.value,location.href,%d",
               hiddenCost.c_str(), p, c.code.c_str(), description.c_str(), p, p, p);
    writeAddArguments(c);
    out.put(")\"><SCRIPT LANGUAGE='JAVASCRIPT'>\n");
    writeOnLoadCall(c);
    out.printf("if (!parseFloat(document.forms[0].res%d.value))\n", p);
    std::string addImage = filled(buttons.addImage, p);
    if (run.general.quantityAlwaysOne)
        out.printf("{\n   document.forms[0].inp%d.value=1;\n   document.write(\"%s\");\n}\n", p, addImage.c_str());
    else
        out.printf("   document.write(\"%s\");\n", addImage.c_str());
    out.printf("else\n   document.write(\"%s\");\n</SCRIPT></A>", buttons.updateImage.c_str());
    if (!c.inRow)
        out.put("</TD>\n</TABLE>\n");
    out.put("<SCRIPT LANGUAGE='JAVASCRIPT'>\n");
}

void writeTextAddControl(const BlockContext& c, const std::string& description, const std::string& hiddenCost) {
    PageWriter& out = c.out;
    const CommonText& labels = c.run.commonText;
    const int p = c.p;
    if (c.inRow) {
        out.put("<TD>");
        out.put(hiddenCost);
    } else {
        out.put("<TD ALIGN=LEFT>");
    }
    out.printf("<INPUT TYPE=\"button\" NAME=\"qtbut%d\" VALUE=\"%s&nbsp;&nbsp;\" onClick=\"cpl%d();this.value='%s';"
               "parent.AddProdToQuote(%s,'%s',res%d.value,inp%d.value,location.href,%d",
               p, attributeText(labels[CommonLabel::AddToBasket]).c_str(), p,
               attributeScriptString(labels[CommonLabel::UpdateBasket]).c_str(), c.code.c_str(), description.c_str(), p,
               p, p);
    writeAddArguments(c);
    out.put(")\">\n");
    if (!c.inRow)
        out.put("</FONT></TD>\n</TABLE>\n");
    out.printf("<SCRIPT LANGUAGE='JAVASCRIPT'>\ndocument.forms[0].qtbut%d.value=\"%s\";\n", p,
               labels.escaped(CommonLabel::AddToBasket).c_str());
    writeOnLoadCall(c);
}

} // namespace

std::string basketDescription(const std::string& description) {
    std::string text;
    text.reserve(description.size());
    for (char ch : description)
        if (ch != '\'')
            text += ch;
    const bool cut = text.size() >= kDescriptionCut;
    if (text.size() > kDescriptionCut)
        text.resize(kDescriptionCut);

    // Tags go; a tag between two non-blank characters leaves one space.
    std::string shown;
    shown.reserve(text.size() + 3);
    bool inTag = false;
    bool tagPassed = false;
    for (char ch : text) {
        if (inTag) {
            if (ch == '>')
                inTag = false;
            continue;
        }
        if (ch == '<') {
            inTag = true;
            tagPassed = true;
            continue;
        }
        if (tagPassed && !shown.empty() && !isBlank(shown.back()) && !isBlank(ch))
            shown += ' ';
        tagPassed = false;
        shown += ch;
    }
    if (cut)
        shown += "...";
    return shown;
}

void PurchaseBlock(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record,
                   const ItemChoices& choices, int p, PurchasePlace place) {
    if (!run.basketOn() || !isNumericPrice(record.price()))
        return;
    const bool inRow = place == PurchasePlace::TableRow;
    const bool inColumns = run.itemPages.columns.inColumns;
    const GeneralSettings& general = run.general;
    const CommonText& labels = run.commonText;
    const FontTag& formLabels = run.fontTags[inColumns ? ItemFont::ColumnsFormLabels : ItemFont::FormLabels];
    BlockContext c{run, out, record, choices, p, inRow, formLabels, {}, false};
    c.code = choices.count > 0 ? formatText("thisItem%d", p) : formatText("'%d'", static_cast<int>(run.itemCounter));
    c.imageAdd = !run.decorations.buttons.addImage.before.empty();
    const char* font = c.font.start.c_str();

    if (!inRow)
        out.printf("\n  <TABLE CELLPADDING=2 BORDER=0 CELLSPACING=0 %s>\n", inColumns ? " ALIGN=CENTER" : "");
    writeSelectionInputs(c);

    if (!inRow) {
        // No declaration gives an item the further text field, so it is never set.
        if (general.quantityAlwaysOne)
            out.put("<TR>");
        else
            out.printf("<TR><TD ALIGN=RIGHT>%s<NOBR>&nbsp;%s&nbsp;</NOBR></TD>", font, labels[CommonLabel::Quantity].c_str());
    }
    if (general.quantityAlwaysOne)
        out.printf("<input type=hidden name=\"inp%d\" value=\"1\">", p);
    else
        out.printf("<TD><INPUT TYPE=text NAME=\"inp%d\" SIZE=%d VALUE=\"1\"></TD>", p, inRow ? 3 : 4);

    const bool calculate = general.includeCalculateButton && !inRow;
    if (calculate) {
        if (!run.decorations.buttons.calculateImage.empty())
            out.printf("<TD ALIGN=LEFT><A HREF=\"javascript:cpl%d();javascript:this.undefined;\">%s</A></TD></TR>", p,
                       run.decorations.buttons.calculateImage.c_str());
        else
            out.printf("<TD ALIGN=LEFT><INPUT TYPE=\"button\" VALUE=\"%s&nbsp;&nbsp;\"   onClick=\"cpl%d();\"></TD></TR>\n",
                       attributeText(labels[CommonLabel::ShowCost]).c_str(), p);
        out.printf("<TR><TD ALIGN=RIGHT>%s&nbsp;%s&nbsp;</TD><TD><INPUT TYPE=text NAME=\"res%d\" SIZE=8>\n", font,
                   labels[CommonLabel::Cost].c_str(), p);
    }
    // Exactly one cost field per item: outside a row it stands here, in a row
    // in front of the add control.
    std::string hiddenCost = formatText("<INPUT TYPE=HIDDEN NAME=\"res%d\">\n", p);
    if (!inRow && !calculate)
        out.put(hiddenCost);
    if (!inRow)
        hiddenCost.clear();

    const std::string description = attributeScriptString(basketDescription(record.description()));
    if (c.imageAdd)
        writeImageAddControl(c, description, hiddenCost);
    else
        writeTextAddControl(c, description, hiddenCost);

    writeCostFunction(c);
    writeRestoreChoices(c);
    if (p > 0)
        out.printf("if(parent.itp==%d){document.forms[0].inp%d.focus();document.forms[0].inp%d.select();parent.itp=0;}",
                   p, p, p);
    out.put("\n</SCRIPT>");
}
