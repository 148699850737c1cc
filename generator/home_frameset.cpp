#include <string>

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_sections.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// A size field with its trailing blanks removed, or the default when empty.
std::string frameSize(const char (&field)[16], const char* fallback) {
    std::string size(fieldText(field));
    while (!size.empty() && size.back() == ' ')
        size.pop_back();
    return escapeScriptString(size.empty() ? fallback : size);
}

} // namespace

void writeFrameset(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const AppearanceSet& a = run.appearance;
    const bool hidden = a.hideFrameBorders != 0;
    const char* setBorders = hidden ? " FRAMESPACING=\\\"0\\\" FRAMEBORDER=\\\"0\\\" BORDER=\\\"0\\\"" : "";
    const char* frameBorder = hidden ? "FRAMEBORDER=0" : "FRAMEBORDER=1";
    const std::string width = frameSize(a.indexFrameWidth, run.general.searchPlacement != 0 ? "195" : "180");
    const std::string height = frameSize(a.basketFrameHeight, "110");

    const std::string indexFrame = formatText("<FRAME %s SCROLLING=AUTO SRC=\"+Fr1+\" NAME=ZKLIST>", frameBorder);
    const std::string itemFrame = formatText("<FRAME %s SCROLLING=AUTO SRC=\"+Fr2+\" NAME=ZKITEM>", frameBorder);
    const std::string basketFrame = formatText("<FRAME %s SRC=zko00001.html>", frameBorder);
    const std::string columns = formatText("<FRAMESET COLS=%s,*%s>", width.c_str(), setBorders);
    const std::string rows = formatText("<FRAMESET ROWS=*,%s%s>", height.c_str(), setBorders);

    out.put("<SCRIPT LANGUAGE='JAVASCRIPT'>\ndocument.write(\"");
    if (a.includeHeaderFrame)
        out.printf("<FRAMESET ROWS=\\\"%s,*\\\" FRAMESPACING=\\\"0\\\" FRAMEBORDER=\\\"0\\\" BORDER=\\\"0\\\" "
                   "SCROLLING=NO><FRAME FRAMEBORDER=0 SCROLLING=NO SRC=zkheader1.html NAME=ZKHEADER>",
                   frameSize(a.headerFrameHeight, "65").c_str());
    if (facts.ownFrame && a.verticalMainSplit)
        out.put(columns + indexFrame + rows + itemFrame + basketFrame + "</FRAMESET></FRAMESET>");
    else if (facts.ownFrame)
        out.put(rows + columns + indexFrame + itemFrame + "</FRAMESET>" + basketFrame + "</FRAMESET>");
    else
        out.put(columns + indexFrame + itemFrame + "</FRAMESET>");
    if (a.includeHeaderFrame)
        out.put("</FRAMESET>");
    out.put("\");\n</SCRIPT>\n<NOFRAMES><H2 ALIGN=CENTER>This catalogue uses frames</H2></HTML>\n");
}
