#include "generator/header_page.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "generator/copy_resource.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/navigation_bar.h"
#include "generator/page_writer.h"
#include "generator/search_form.h"
#include "model/paths.h"

namespace {

constexpr const char* kHeaderPage = "zkheader1.html";

enum HeaderTableColour { Table = 0, BannerRow = 1, LinkRow = 2 };

std::string withoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

// " bgcolor=%s" with a header table colour, or nothing when it is not set.
std::string colourAttribute(const GenerationRun& run, HeaderTableColour which) {
    std::string colour = withoutTrailingBlanks(fieldText(run.appearance.headerTableColours[which]));
    return colour.empty() ? "" : formatText(" bgcolor=%s", colour.c_str());
}

struct HeaderImage {
    std::string name;   // base name, copied beside the page
    std::string size;   // " height=%d width=%d", or empty when the probe fails
};

HeaderImage headerImage(GenerationRun& run, std::string_view storedPath) {
    HeaderImage image;
    const std::string path(storedPath);
    image.name = CopyResource(run, path, std::string(fieldText(run.general.outputDir)));
    ImageSize size;
    if (probeImageSize(path, size))
        image.size = formatText(" height=%d width=%d", size.height, size.width);
    return image;
}

void writeHead(const GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    out.printf("<html>\n<head><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n<meta "
               "name=\"GENERATOR\" content=\"Vimra V3.0\">",
               run.charset.c_str());
    out.put(run.expiresTag);
    out.put("<style type=\"text/css\">\nA   {text-decoration: none;}\n");
    if (a.headerFrameMargin >= 0)
        out.printf("BODY{margin: %dpt;}\n", static_cast<int>(a.headerFrameMargin));
    // The links hover in the colour the index pages' item links use.
    out.printf("A:hover {color: %s;}\n ", std::string(fieldText(a.indexFonts[1].secondColour)).c_str());
    out.put("</style>\n");
    if (a.linkItemCss)
        out.put("<link rel=\"stylesheet\" type=\"text/css\" href=\"zkheader.css\">");
}

void writeBodyTag(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    std::string background;
    std::string_view backgroundImage = fieldText(a.headerBackgroundImage);
    if (!backgroundImage.empty() && a.headerBackgroundImageMode != 2) {
        const std::string name =
            CopyResource(run, std::string(backgroundImage), std::string(fieldText(run.general.outputDir)));
        background = formatText("BACKGROUND=%s ", name.c_str());
    }
    const std::string textColour(fieldText(a.headerTextColour));
    out.printf("</head><body bgcolor=%s %stext=%s link=%s vlink=%s>",
               std::string(fieldText(a.headerBackgroundColour)).c_str(), background.c_str(), textColour.c_str(),
               textColour.c_str(), textColour.c_str());
}

// The links the index pages leave to the header frame: the basket (when it
// shows in the item frame) and home, then the search form.
void writeLinksCell(GenerationRun& run, PageWriter& out) {
    out.put("<td align=left><nobr>");
    if (run.appearance.navigationInHeader) {
        const IndexDecorations& index = run.decorations.index;
        if (run.basketMode == 2)
            out.printf("%s&nbsp;&nbsp;", index.basketLink.c_str());
        if (!index.homeLink.empty())
            out.printf("%s&nbsp;&nbsp;", index.homeLink.c_str());
        if (run.general.searchPlacement != 0)
            writeSearchForm(run, out, kHeaderPage, true);
    }
    out.put("</nobr></td>");
}

void writeTable(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    out.printf("<table width=100%% cellspacing=%d border=0 cellpadding=0%s>\n",
               static_cast<int>(a.headerTableSpacing), colourAttribute(run, Table).c_str());
    const bool logo = a.headerLogoImage[0] != '\0';
    if (a.headerImage[0] != '\0') {
        const HeaderImage banner = headerImage(run, fieldText(a.headerImage));
        out.printf("<tr%s><td colspan=%d align=center><img src=\"%s\"%s></td>\n",
                   colourAttribute(run, BannerRow).c_str(), logo ? 4 : 3, banner.name.c_str(), banner.size.c_str());
    }
    out.printf("<tr%s align=center>\n", colourAttribute(run, LinkRow).c_str());
    if (logo) {
        const HeaderImage left = headerImage(run, fieldText(a.headerLogoImage));
        out.printf("<td align=left><img src=\"%s\"%s></td>\n", left.name.c_str(), left.size.c_str());
    }
    writeLinksCell(run, out);
    if (run.general.includeTicker && a.scrollingTextOnIndex == 0) {
        out.put("</td><td align=center>");
        writeScrollingText(run, out);
        out.put("</td>");
    }
    out.put("<td width=500>&nbsp;</td></table>\n");
}

} // namespace

int HeaderPage(GenerationRun& run) {
    const std::string path = run.outputPath(kHeaderPage);
    PageWriter out;
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "failed to open <%s>\n", path.c_str());
        run.fileNotWritten(path);
        return -1;
    }
    run.lists.listFile(path);
    writeHead(run, out);
    writeBodyTag(run, out);
    writeTable(run, out);
    if (run.general.searchPlacement != 0)
        out.put("</form>");
    out.put("</body>\n</html>\n");
    run.closePage(out);
    return 0;
}
