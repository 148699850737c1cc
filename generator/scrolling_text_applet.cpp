// The scrolling-text applet element, written into the header frame page or
// the top index page (the hook is declared with the navigation bar).
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "generator/copy_resource.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/navigation_bar.h"
#include "generator/page_writer.h"
#include "generator/scrolling_text_file.h"
#include "model/paths.h"

namespace {

enum TickerColour { Border = 0, Background = 1, Text = 2 };

// The applet takes its colours without a leading "#".
std::string appletColour(const AppearanceSet& a, TickerColour which) {
    std::string_view colour = fieldText(a.tickerColours[which]);
    if (!colour.empty() && colour.front() == '#')
        colour.remove_prefix(1);
    return std::string(colour);
}

// The same colour for a style sheet: hexadecimal digits get their "#" back,
// a colour name stands as it is.
std::string cssColour(const std::string& colour) {
    const bool hex = (colour.size() == 3 || colour.size() == 6) &&
                     std::all_of(colour.begin(), colour.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    return hex ? "#" + colour : colour;
}

// The text on one line (a zero byte would end it early), safe as element
// content.
std::string tickerLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t' || c == '\0'; }, ' ');
    return escapeHtmlText(text);
}

// Only letters, digits and "#" pass into a style value.
std::string styleValue(const std::string& value) {
    std::string safe;
    for (char c : value)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '#')
            safe += c;
    return safe;
}

// What today's browsers show inside the applet element, which they do not
// run: the text scrolling across a box of the applet's size and colours.
void writeFallback(GenerationRun& run, PageWriter& out, int width, int height, const std::string& textColour,
                   const std::string& backgroundColour, const std::string& borderColour) {
    std::string text;
    readScrollingTextFile(run.programFile(kScrollingTextFile), text);
    std::string box = "overflow:hidden;white-space:nowrap;box-sizing:border-box;";
    if (width > 0)
        box += formatText("width:%dpx;", width);
    if (height > 0)
        box += formatText("height:%dpx;line-height:%dpx;", height, height);
    if (!textColour.empty())
        box += "color:" + styleValue(cssColour(textColour)) + ";";
    if (!backgroundColour.empty())
        box += "background-color:" + styleValue(cssColour(backgroundColour)) + ";";
    if (!borderColour.empty())
        box += "border:1px solid " + styleValue(cssColour(borderColour)) + ";";
    // About 50 pixels a second whatever the text's length.
    const long travel = std::max(width, 0) + 8L * static_cast<long>(std::min<std::size_t>(text.size(), 100000));
    const long seconds = std::max(4L, travel / 50);
    out.printf("<div class=zkticker style=\"%s\"><style>@keyframes zkticker{from{transform:translateX(%dpx)}"
               "to{transform:translateX(-100%%)}}</style><span style=\"display:inline-block;animation:zkticker "
               "%lds linear infinite\">%s</span></div>",
               box.c_str(), std::max(width, 0), seconds, tickerLine(text).c_str());
}

} // namespace

void writeScrollingText(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    const int width = a.tickerSize[0];
    const int height = a.tickerSize[1];
    const std::string textColour = appletColour(a, Text);
    const std::string backgroundColour = appletColour(a, Background);
    const std::string borderColour = appletColour(a, Border);
    out.printf("<applet code=zkticker.class width=%d height=%d><param name=fontcolour value=\"%s\"><param "
               "name=bgcolour value=\"%s\"><param name=bordercol value=\"%s\">",
               width, height, textColour.c_str(), backgroundColour.c_str(), borderColour.c_str());
    writeFallback(run, out, width, height, textColour, backgroundColour, borderColour);
    out.put("</applet>");

    const std::string outputDir(fieldText(run.general.outputDir));
    CopyResource(run, run.programFile("zkticker.class"), outputDir);
    CopyResource(run, run.programFile(kScrollingTextFile), outputDir);
}
