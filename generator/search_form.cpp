#include "generator/search_form.h"

#include <algorithm>

#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// Narrower boxes are too small to type a word into.
constexpr int kSmallestSearchBox = 8;

int searchBoxSize(const AppearanceSet& a) {
    return std::max(static_cast<int>(a.searchBoxSize), kSmallestSearchBox);
}

std::string colourAttribute(const char* format, std::string_view colour) {
    return colour.empty() ? std::string() : formatText(format, std::string(colour).c_str());
}

void writeFormTag(GenerationRun& run, PageWriter& out, const char* target) {
    out.printf("<form name=\"search\" action=\"%s\" method=get%s>",
               std::string(fieldText(run.general.searchUrl)).c_str(), target);
}

// Results go into the index frame; calledby is the index page last shown
// there, which only the frameset knows when the form is sent.
void writeHeaderForm(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    const FontTag& font = run.fontTags.search;
    writeFormTag(run, out, " target=ZKLIST");
    out.printf("<table width=100%% border=0 cellspacing=0 cellpadding=0%s><tr><td><nobr>",
               colourAttribute(" bgcolor=%s", fieldText(a.indexCellColour)).c_str());
    out.printf("%s%s%s", font.start.c_str(), run.commonText[CommonLabel::SearchFor].c_str(), font.end.c_str());
    out.put("<script language=javascript>document.write('<input type=hidden name=calledby "
            "value=\"'+parent.LastInd+'\">');</script>");
    out.printf("<input type=text name=searchfor size=%d>", searchBoxSize(a));
    out.printf("<input type=submit value=\"%s\" onClick=\"document.search.calledby.value=parent.LastInd;\">",
               run.commonText[CommonLabel::SearchButton].c_str());
    out.put("</nobr></td></tr></table>\n");
}

void writeIndexForm(GenerationRun& run, PageWriter& out, const std::string& callingPage) {
    const AppearanceSet& a = run.appearance;
    const FontTag& font = run.fontTags[IndexFont::Text];
    const bool coloured = a.indexStyle == 2;
    writeFormTag(run, out, "");
    if (coloured)
        out.printf("<tr align=center bgcolor=%s><td><table border=0 cellspacing=0 cellpadding=2><tr><td "
                   "align=center>",
                   std::string(fieldText(a.textCellColour)).c_str());
    else
        out.printf("<table width=80%% align=center border=0%s><tr><td align=center>",
                   colourAttribute(" bgcolor=%s", fieldText(a.indexCellColour)).c_str());
    out.printf("%s%s%s", font.start.c_str(), run.commonText[CommonLabel::SearchFor].c_str(), font.end.c_str());
    out.put("<br clear=all>");
    out.printf("<input type=hidden name=calledby value=\"%s\">", callingPage.c_str());
    out.printf("<input type=text name=searchfor size=%d>", searchBoxSize(a));
    out.put("<br clear=all>");
    out.printf("<input type=submit value=\"%s\">", run.commonText[CommonLabel::SearchButton].c_str());
    out.put(coloured ? "</td></tr></table></td></tr>\n" : "</td></tr></table>\n");
}

} // namespace

void writeSearchForm(GenerationRun& run, PageWriter& out, const std::string& callingPage, bool inHeader) {
    if (inHeader)
        writeHeaderForm(run, out);
    else
        writeIndexForm(run, out, callingPage);
}
