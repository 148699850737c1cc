#include "generator/navigation_bar.h"

#include <cstdlib>

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "generator/search_form.h"
#include "model/paths.h"

namespace {

const char* alignmentWord(std::int32_t cellAlignment) {
    switch (cellAlignment) {
    case 1:
        return "center";
    case 2:
        return "right";
    default:
        return "left";
    }
}

// The three attribute texts of a bar cell: alignment, rollover handlers,
// background colour (all empty outside the coloured-cells style).
struct CellLook {
    std::string align;
    std::string handlers;
    std::string colour;
};

CellLook cellLook(const GenerationRun& run) {
    CellLook look;
    const AppearanceSet& a = run.appearance;
    if (a.indexStyle != 2)
        return look;
    look.align = formatText(" align=%s", alignmentWord(a.cellAlignment));
    if (!a.useLinkImages) {
        look.handlers = " onMouseOver='parent.SLR2(this)' onMouseOut='parent.SLR1(this);'";
        look.colour = formatText(" BGCOLOR=\"%s\"", std::string(fieldText(a.navigationCellColour)).c_str());
    }
    return look;
}

} // namespace

bool navigationInHeaderFrame(const GenerationRun& run) {
    return run.appearance.includeHeaderFrame && run.appearance.navigationInHeader;
}

bool carriesSearchBox(const GenerationRun& run, const std::string& ownFileName) {
    const int placement = run.general.searchPlacement;
    if (placement == 2)
        return true;
    if (placement != 1)
        return false;
    std::size_t digits = ownFileName.find_first_of("0123456789");
    return digits != std::string::npos && std::atol(ownFileName.c_str() + digits) == 0;
}

void writeSearchBox(GenerationRun& run, PageWriter& out, const std::string& callingPage) {
    // The header frame carries the only form then.
    if (navigationInHeaderFrame(run))
        return;
    writeSearchForm(run, out, callingPage, false);
}

std::string standardLinks(const GenerationRun& run, const std::string& previousAddress) {
    const AppearanceSet& a = run.appearance;
    const IndexDecorations& index = run.decorations.index;
    const bool coloured = a.indexStyle == 2;
    const bool inHeader = navigationInHeaderFrame(run);
    const CellLook look = cellLook(run);
    const char* align = look.align.c_str();
    const char* handlers = look.handlers.c_str();
    const char* colour = look.colour.c_str();

    std::string bar;
    if (!coloured)
        bar += "<table border=0 cellspacing=1 cellpadding=0 align=center>";
    if (run.basketMode == 2 && !inHeader) {
        bar += formatText("%s<TR ALIGN=CENTER><TD%s%s%s>%s</td>", "", align, handlers, colour,
                          index.basketLink.c_str());
        if (!coloured)
            bar += "<tr><td height=3></td>";
    }
    if (!previousAddress.empty()) {
        bar += formatText("%s<TR ALIGN=CENTER><TD%s%s%s>", "", align, handlers, colour);
        bar += filled(index.previousLink, previousAddress);
        bar += coloured ? "</TD>" : "</TD><TR><TD HEIGHT=3></TD>";
    }
    if (!index.homeLink.empty() && !inHeader) {
        if (coloured)
            bar += formatText("%s<TR ALIGN=CENTER><td%s%s%s>%s</td>", "", align, handlers, colour,
                              index.homeLink.c_str());
        else
            bar += formatText("%s<TR ALIGN=CENTER><TD>%s</TD><TR><TD HEIGHT=3></TD>", "", index.homeLink.c_str());
    }
    if (!coloured)
        bar += "</table>";
    return bar;
}

void NavigationBar(GenerationRun& run, PageWriter& out, const std::string& parentFileName, BarPlace place,
                   const std::string& ownFileName) {
    const bool coloured = run.appearance.indexStyle == 2;
    const bool searchBox = carriesSearchBox(run, ownFileName);

    if (place == BarPlace::Bottom && searchBox)
        writeSearchBox(run, out, ownFileName);

    out.put(standardLinks(run, parentFileName.empty() ? "" : escapeScriptString(parentFileName)));

    if (ownFileName == "zki00000.html" && run.general.includeTicker && run.appearance.scrollingTextOnIndex == 1) {
        out.put(coloured ? "<tr align=center><td>" : "<center>");
        writeScrollingText(run, out);
        out.put(coloured ? "</td>" : "</center>");
    }

    if (place == BarPlace::Top && searchBox)
        writeSearchBox(run, out, ownFileName);
}
