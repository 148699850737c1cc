#include "generator/item_navigation.h"

#include "generator/generation_run.h"
#include "generator/page_writer.h"

void ItemNavigationBar(const GenerationRun& run, PageWriter& out, const std::string& previousName,
                       const std::string& nextName, NextLinkRange* range) {
    if (range)
        *range = {};
    const int navigation = run.appearance.itemNavigation;
    if (navigation == 2)
        return;
    const ItemDecorations& item = run.decorations.item;
    const char* table = item.buttonImages ? " CELLPADDING=0 BORDER=0" : " BGCOLOR=AAAAAA CELLPADDING=3 BORDER=1";
    if (navigation == 1)
        out.printf("<BR CLEAR=ALL><CENTER><TABLE %s><TR>", table);
    else
        out.printf("<TABLE %s ALIGN=RIGHT><TR>", table);
    if (!previousName.empty())
        out.printf("<TD><A HREF=\"%s\" TARGET=ZKITEM>%s</A></TD>", previousName.c_str(), item.previousButton.c_str());
    if (!nextName.empty()) {
        long start = out.offset();
        out.printf("<TD><A HREF=\"%s\" TARGET=ZKITEM>%s</A></TD>\n", nextName.c_str(), item.nextButton.c_str());
        if (range)
            *range = {start, out.offset()};
    }
    out.put("</TABLE>");
    if (navigation == 1)
        out.put("</CENTER>");
}

void PatchNextLink(GenerationRun& run, const std::string& pageName, const NextLinkRange& range,
                   const std::optional<std::string>& newNext) {
    if (run.appearance.itemNavigation == 2 || range.end - range.start < 2)
        return;
    const long length = range.end - range.start;
    std::string text;
    if (!newNext) {
        text.assign(static_cast<std::size_t>(length), ' ');
    } else {
        // The new link goes over the old one and the placeholder's closing
        // "</TD>\n" (6 bytes) stays. Should the names differ in width, the
        // link is padded with blanks to cover the old one exactly.
        text = formatText("<TD><A HREF=\"%s\" TARGET=ZKITEM>%s</A>", newNext->c_str(),
                          run.decorations.item.nextButton.c_str());
        const long spare = length - static_cast<long>(text.size());
        if (spare > 6) {
            text += "</TD>\n";
            text.resize(static_cast<std::size_t>(length), ' ');
        } else if (spare >= 0 && spare < 6) {
            text.resize(static_cast<std::size_t>(length), ' ');
        }
    }
    const std::string path = run.outputPath(pageName);
    if (!overwriteInPlace(path, range.start, length, text)) {
        std::fprintf(run.diagnostics, "failed to update <%s>\n", path.c_str());
        run.fileNotWritten(path);
    }
}
