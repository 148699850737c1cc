#include "generator/search_script.h"

#include <algorithm>
#include <cstdio>

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/navigation_bar.h"
#include "model/paths.h"
#include "model/settings_store.h"

namespace {

constexpr std::size_t kTemplateLineLength = 999;

bool isMarkerLine(std::string_view line) {
    return line.find("<!") != std::string_view::npos && line.find("VIMRA START1") != std::string_view::npos;
}

bool readTemplate(GenerationRun& run, const std::string& path, std::string& text) {
    std::FILE* in = run.openSource(path);
    if (!in)
        return false;
    char buffer[8192];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, got);
    const bool whole = !std::ferror(in);
    std::fclose(in);
    return whole;
}

// Every value goes into a Perl string in double quotes: a quote or a
// backslash in any of them would end the string or the script.
void assign(std::string& block, const char* name, const std::string& value) {
    block += formatText("$%s = \"%s\";\n", name, escapeScriptString(value).c_str());
}

std::string linkStart(const GenerationRun& run, bool bulletImages) {
    const AppearanceSet& a = run.appearance;
    if (a.indexStyle == 2) {
        std::string_view tableColour = fieldText(a.indexTableColour);
        std::string colour = tableColour.empty() ? "" : formatText(" BGCOLOR=%s", std::string(tableColour).c_str());
        return formatText("<TABLE BORDER=0 CELLSPACING=%d CELLBORDER=0%s WIDTH=%d>",
                          static_cast<int>(a.indexTableSpacing), colour.c_str(), static_cast<int>(a.indexTableWidth));
    }
    return bulletImages ? "<TABLE BORDER=0>" : "<UL>";
}

// The mark before a found page's line, as before an item line of the index
// pages: the coloured cell's row start, the list mark or the bullet image
// (with "%d" for the image counter when the bullet has a rollover image).
std::string linkTag(const GenerationRun& run) {
    const IndexDecorations& index = run.decorations.index;
    switch (run.appearance.indexStyle) {
    case 2:
        return index.itemRowStart;
    case 1:
        return "<LI>";
    default:
        return index.itemBulletRollover ? filled(index.itemBullet, std::string("%d")) : index.itemBullet.before;
    }
}

} // namespace

std::string searchConfigurationBlock(const GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    const IndexDecorations& index = run.decorations.index;
    const bool coloured = a.indexStyle == 2;
    const bool bulletImages = a.indexStyle == 0 && a.bulletImages[2][0] != '\0';
    const std::string textColour(fieldText(a.indexTextColour));

    std::string block;
    assign(block, "TEXTFONT", run.fontTags[IndexFont::Text].start);
    assign(block, "TEXTFONTEND", run.fontTags[IndexFont::Text].end);
    if (coloured) {
        assign(block, "ISTYLE", "2");
        if (a.indexMargin >= 0)
            assign(block, "STYLETXT", formatText("BODY{margin: %dpt;}", static_cast<int>(a.indexMargin)));
    }
    assign(block, "LINKSTART", linkStart(run, bulletImages));
    assign(block, "LINKEND", coloured || bulletImages ? "</TABLE>" : "</UL>");
    assign(block, "BULLETS", !bulletImages ? "0" : index.itemBulletRollover ? "2" : "1");
    if (a.indexStyle == 0 && index.itemBulletRollover)
        assign(block, "ROLLOVERS", "1");
    assign(block, "LINKFONT", run.fontTags[IndexFont::ItemLink].start);
    assign(block, "LINKFONTEND", run.fontTags[IndexFont::ItemLink].end);
    assign(block, "LINKTAG", linkTag(run));
    assign(block, "STDLNKFONT", run.fontTags[IndexFont::StandardLinks].start);
    assign(block, "STDLNKFONTEND", run.fontTags[IndexFont::StandardLinks].end);
    assign(block, "STDTXTCODE", run.commonText[CommonLabel::PreviousIndex]);
    assign(block, "BODYTAG",
           formatText("<body bgcolor=%s text=%s %slink=%s vlink=%s>",
                      std::string(fieldText(a.indexBackgroundColour)).c_str(), textColour.c_str(),
                      index.background.c_str(), textColour.c_str(), textColour.c_str()));
    assign(block, "SRCHRESSTEXT", run.commonText[CommonLabel::SearchResults]);
    // The script fills in the page to go back to when it answers.
    const char* previous = a.includeHeaderFrame ? "$INDATA{\"calledby\"}" : "$HTTP_REFERER";
    assign(block, "STDLNKS", standardLinks(run, previous));
    block += "\n";
    assign(block, "NONFOUND", run.commonText[CommonLabel::NoItemsFound]);
    assign(block, "BSKTLNK", index.basketLink);
    if (a.navigationAtTop)
        assign(block, "STDLNKATTOP", "1");
    return block;
}

int WriteSearchScript(GenerationRun& run, const std::string& templatePath, const std::string& outputPath) {
    if (templatePath.empty() || outputPath.empty())
        return 1;
    std::string text;
    if (!readTemplate(run, templatePath, text)) {
        std::fprintf(run.diagnostics, "couldn't open <%s>\n", templatePath.c_str());
        return 1;
    }
    std::string script;
    script.reserve(text.size() + 4096);
    bool blockWritten = false;
    for (std::size_t at = 0; at < text.size();) {
        // A line longer than the limit is taken as several.
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        end = std::min(end, at + kTemplateLineLength);
        std::string_view line(text.data() + at, end - at);
        if (!blockWritten && isMarkerLine(line)) {
            script += searchConfigurationBlock(run);
            blockWritten = true;
        } else {
            script += line;
        }
        at = end;
    }
    if (!blockWritten) {
        // The block starts a line of its own, not the end of a comment.
        if (!script.empty() && script.back() != '\n')
            script += '\n';
        script += searchConfigurationBlock(run);
    }
    if (replaceFile(outputPath, script) != 0) {
        std::fprintf(run.diagnostics, "couldn't open <%s>\n", outputPath.c_str());
        run.fileNotWritten(outputPath);
        return 1;
    }
    return 0;
}
