#include "generator/item_table.h"

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/item_choices.h"
#include "generator/item_picture.h"
#include "generator/item_price.h"
#include "generator/page_writer.h"
#include "generator/purchase_block.h"
#include "generator/selection_script.h"
#include "model/paths.h"

namespace {

void writeHeaderRow(GenerationRun& run, PageWriter& out) {
    const std::string& heading = run.fontTags[ItemFont::HeadingRow].start;
    const char* h = heading.c_str();
    const CommonText& labels = run.commonText;
    out.put("<THEAD>");
    out.printf("<TD ALIGN=LEFT COLSPAN=2>%s&nbsp;%s</TD><TD ALIGN=RIGHT>%s&nbsp;%s&nbsp;</TD>", h,
               labels.escaped(CommonLabel::ItemColumn).c_str(), h, labels[CommonLabel::UnitPriceColumn].c_str());
    if (run.general.includeTax) {
        if (run.taxMode == 1) {
            out.printf("<TD>&nbsp;%s+", h);
            out.printf("%s&nbsp;", std::string(fieldText(run.general.taxDescription)).c_str());
        } else if (run.taxMode == 2) {
            out.printf("<SCRIPT LANGUAGE='JAVASCRIPT'>if(parent.trs[parent.iTT]!=1.0)document.write(\"<TD "
                       "ALIGN=CENTER>&nbsp;%s+\"+parent.tts[parent.iTT]+\"&nbsp;</TD>\");</SCRIPT>",
                       escapeScriptString(heading).c_str());
        }
    }
    const CatalogueHeader& header = run.reader.header();
    for (int i = 0; i < header.selectionCount && i < 4; ++i)
        out.printf("<TD ALIGN=LEFT>%s&nbsp;%s</TD>", h, header.selections[i].caption.c_str());
    if (run.basketOn()) {
        if (run.general.quantityAlwaysOne)
            out.put("<TD COLSPAN=1>&nbsp;</TD>\n");
        else
            out.printf("<TD COLSPAN=2 ALIGN=LEFT>%s&nbsp;%s</TD></THEAD>\n", h, labels[CommonLabel::Quantity].c_str());
    }
}

std::string rowPictureText(GenerationRun& run, const CatalogueRecord& record, int k) {
    if (record.picture().empty())
        return {};
    const std::int32_t number = run.itemCounter;
    const ItemPicture picture = splitPicture(record.picture());
    std::string text;
    if (picture.large.empty()) {
        text = "<IMG ALIGN=RIGHT";
    } else {
        ImageSize size;
        probePicture(run, picture.large, size);
        std::string largeName = copyPicture(run, picture.large);
        std::string itemVariable =
            run.reader.header().selectionCount > 0 && run.basketOn() ? formatText(",thisItem%d", k) : "";
        text = formatText("<A NAME=Img%d>\n", number);
        text = formatText("%s<SCRIPT LANGUAGE=JAVASCRIPT>var ItNm%d=\"%s\"</SCRIPT><A "
                          "HREF=javascript:parent.ShowImg(\"%s\",ItNm%d,%d,%d,location.href+\"#Img%d\"%s);><IMG "
                          "ALIGN=RIGHT",
                          text.c_str(), number, escapeScriptString(record.name()).c_str(),
                          escapeScriptString(largeName).c_str(), number, size.height, size.width, number,
                          itemVariable.c_str());
        text += " BORDER=0";
    }
    std::string sizeText = pictureSizeText(run, picture.small);
    std::string smallName = copyPicture(run, picture.small);
    text = formatText("%s HSPACE=2 ALT=\"%s\" SRC=%s%s>\n", text.c_str(),
                      picture.large.empty() ? "" : run.commonText.escaped(CommonLabel::AnotherImage).c_str(), smallName.c_str(),
                      sizeText.c_str());
    if (!picture.large.empty())
        text += "</A>";
    return text;
}

// The span of a lone name or description cell when the row has no price:
// it covers the cells a priced row would fill.
int loneCellSpan(const GenerationRun& run, const CatalogueRecord& record) {
    if (!record.price().empty())
        return 2;
    int span = run.reader.header().selectionCount;
    if (run.taxMode != 0)
        span += 1;
    span += run.basketOn() ? 3 : 1;
    if (run.general.quantityAlwaysOne)
        span -= 1;
    return 2 + span;
}

} // namespace

void OpenItemTable(GenerationRun& run, PageWriter& out) {
    std::string colour(fieldText(run.appearance.itemTableColour));
    std::string look = colour.empty()
                           ? std::string("BORDER=0 CELLSPACING=0")
                           : formatText("BORDER=0 CELLSPACING=%d BGCOLOR=\"%s\" BORDERCOLOR=\"%s\"",
                                        static_cast<int>(run.appearance.itemTableSpacing), colour.c_str(),
                                        std::string(fieldText(run.appearance.itemFonts[6].colour)).c_str());
    out.printf("<BR CLEAR=ALL>&nbsp;<TABLE %s CELLPADDING=2 CELLBORDER=0 WIDTH=100%%>\n", look.c_str());
    if (run.itemPages.firstTable) {
        run.itemPages.firstTable = false;
        writeHeaderRow(run, out);
    }
}

void CloseItemTable(GenerationRun& run, PageWriter& out) {
    out.put("</TABLE>\n");
    run.itemPages.columns.inColumns = false;
}

void ItemTableRow(GenerationRun& run, PageWriter& out, const CatalogueRecord& record, int k) {
    const std::string picture = rowPictureText(run, record, k);
    const std::int32_t number = run.itemCounter;
    std::string rowColour(fieldText(run.appearance.tableRowColours[number % 2 != 0 ? 0 : 1]));
    std::string rowAttribute = rowColour.empty() ? "" : formatText(" BGCOLOR=\"%s\"", rowColour.c_str());
    out.printf("<A NAME=\"IT%d\">\n", k);
    out.printf("<TR%s>", rowAttribute.c_str());

    const char* font = run.fontTags[ItemFont::DetailsRows].start.c_str();
    const std::string& name = record.name();
    const std::string& description = record.description();
    if (!name.empty() && !description.empty()) {
        out.printf("<td>%s%s</td>\n", font, name.c_str());
        out.printf("<td>%s%s%s&nbsp;</td>\n", picture.c_str(), font, description.c_str());
    } else if (name.empty() && description.empty()) {
        out.printf("<td colspan=2>%s%s%s&nbsp;</td>\n", picture.c_str(), font, name.c_str());
    } else {
        out.printf("<td colspan=%d>%s%s%s&nbsp;</td>\n", loneCellSpan(run, record), picture.c_str(), font,
                   name.empty() ? description.c_str() : name.c_str());
    }

    const std::string& price = record.price();
    if (!price.empty())
        writeRowPrice(run, out, record);
    const ItemChoices choices = readItemChoices(run, record);
    if (run.basketOn() && choices.count > 0)
        SelectionScript(run, out, choices, k, number);
    if (run.basketOn()) {
        if (isNumericPrice(price))
            PurchaseBlock(run, out, record, choices, k, PurchasePlace::TableRow);
        else if (!price.empty())
            out.put("<td colspan=4>&nbsp;");
    }
    if (!price.empty())
        out.put("</td></tr>\n");
}
