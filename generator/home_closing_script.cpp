#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_sections.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

std::string colour(const char (&field)[16]) { return escapeScriptString(fieldText(field)); }

void writeCellColours(const GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    const char (*colours[])[16] = {&a.cellRolloverColour, &a.itemCellColour, &a.indexCellRolloverColour,
                                   &a.indexCellColour};
    for (int i = 0; i < 4; ++i)
        out.printf("function IR%d(o){o.bgColor=\"%s\";}\n", i + 1, colour(*colours[i]).c_str());
    out.printf("function SLR1(o){o.bgColor=\"%s\";}\n", colour(a.navigationCellColour).c_str());
    out.printf("function SLR2(o){o.bgColor=\"%s\";}\n", colour(a.navigationCellRolloverColour).c_str());
}

// SRO(i,o): odd i the normal, even i the rollover image of previous (1, 2),
// home (3, 4) and basket (5, 6), for the links that have a rollover image.
void writeLinkRollovers(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    enum LinkImage { Home = 0, Previous = 2, Basket = 4 };   // each rollover image follows its link's
    struct Link {
        int normalIndex;
        int number;   // the odd SRO number
    };
    const Link links[] = {{Previous, 1}, {Home, 3}, {Basket, 5}};
    bool any = false;
    for (const Link& link : links)
        any = any || a.linkImages[link.normalIndex + 1][0] != '\0';
    if (!a.useLinkImages || !any)
        return;
    out.put("function SRO(i,o){");
    for (const Link& link : links) {
        if (a.linkImages[link.normalIndex + 1][0] == '\0')
            continue;
        const std::string normal = escapeScriptString(homeImage(run, a.linkImages[link.normalIndex]));
        const std::string rollover = escapeScriptString(homeImage(run, a.linkImages[link.normalIndex + 1]));
        out.printf("if(i==%d)o.src=\"%s\";if(i==%d)o.src=\"%s\";", link.number, normal.c_str(), link.number + 1,
                   rollover.c_str());
    }
    out.put("}\n");
}

void writeShowImg(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.printf("function ShowImg(p2,n2,h,w,hr,inu){cit=inu;var d=frames[%d].document;d.open();"
               "d.write(\"<html><BODY BGCOLOR=%s>",
               facts.itemFrame, colour(run.appearance.itemBackgroundColour).c_str());
    // With options on the basket, going back restores the line's code.
    if (facts.basket && facts.selectionCount > 0)
        out.put("<A HREF=\\\"javascript:parent.cit=\"+inu+\";parent.ZKITEM.history.back()\\\">");
    else
        out.put("<A HREF=javascript:parent.ZKITEM.history.back();>");
    out.printf("<IMG SRC=\\\"\"+p2+\"\\\"\"+(h>0?\" HEIGHT=\"+h+\" WIDTH=\"+w:\"\")+\" BORDER=0 ALT=\\\"%s \"+n2+\"\\\">"
               "</A></BODY></html>\");d.close();}\n",
               run.commonText.escaped(CommonLabel::ReturnTo).c_str());
}

} // namespace

void writeClosingFunctions(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    constexpr int kColouredCells = 2;   // indexStyle
    if (run.appearance.indexStyle == kColouredCells)
        writeCellColours(run, out);
    writeLinkRollovers(run, out);
    writeShowImg(run, out, facts);
    out.put("function BackLoc(h,i){var j=h.indexOf(\"#\");if(j>=0)h=h.substring(0,j);return h+'#POS'+i;}\n");
}
