#include "generator/item_page.h"

#include <cctype>
#include <cstdio>

#include "generator/frame_scripts.h"
#include "generator/generation_run.h"
#include "generator/item_block.h"
#include "generator/item_choices.h"
#include "generator/item_navigation.h"
#include "generator/item_table.h"
#include "generator/page_writer.h"
#include "generator/purchase_block.h"
#include "generator/selection_script.h"
#include "model/paths.h"

namespace {

bool containsHtmlName(const std::string& picture) {
    for (std::size_t i = 0; i + 4 <= picture.size(); ++i) {
        if (picture[i] == '.' && std::toupper(static_cast<unsigned char>(picture[i + 1])) == 'H' &&
            std::toupper(static_cast<unsigned char>(picture[i + 2])) == 'T' &&
            std::toupper(static_cast<unsigned char>(picture[i + 3])) == 'M')
            return true;
    }
    return false;
}

bool isPageMarker(const std::string& field) {
    if (field.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
        if (std::toupper(static_cast<unsigned char>(field[i])) != "PAGE"[i])
            return false;
    return true;
}

bool openPage(GenerationRun& run, PageWriter& out, const std::string& ownName) {
    std::string path = run.outputPath(ownName);
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "failed to open <%s> for item html write\n", path.c_str());
        run.fileNotWritten(path);
        return false;
    }
    run.lists.listFile(path);
    return true;
}

void writeMarginAndSheet(const GenerationRun& run, PageWriter& out) {
    if (run.appearance.itemMargin >= 0)
        out.printf("<style type=\"text/css\">\nBODY{margin: %dpt;}\n</style>\n",
                   static_cast<int>(run.appearance.itemMargin));
}

void writeStyleSheetLink(const GenerationRun& run, PageWriter& out) {
    if (!run.decorations.item.styleSheet.empty())
        out.printf("<link rel=\"stylesheet\" type=\"text/css\" href=\"%s\">", run.decorations.item.styleSheet.c_str());
}

void writeFootnote(const GenerationRun& run, PageWriter& out) {
    const std::string& footnote = run.reader.header().footnote;
    if (!footnote.empty())
        out.printf("<BR CLEAR=ALL><P>&nbsp;<P><CENTER>%s</CENTER>\n", footnote.c_str());
}

// The HTML file of an HTML item page: as given, or else from the source folder.
std::FILE* openHtmlSource(GenerationRun& run, const std::string& picture) {
    const std::string path = nativePath(picture);
    FileOpening opening = FileOpening::Failed;
    std::FILE* file = run.openSource(path, &opening);
    if (!file && opening == FileOpening::Failed && !path.empty() && path[0] != '/')
        file = run.openSource(run.inputPath(path));
    return file;
}

bool holdsFormTag(const std::string& text) {
    for (std::size_t i = 0; i + 5 <= text.size(); ++i) {
        if (text[i] == '<' && std::tolower(static_cast<unsigned char>(text[i + 1])) == 'f' &&
            std::tolower(static_cast<unsigned char>(text[i + 2])) == 'o' &&
            std::tolower(static_cast<unsigned char>(text[i + 3])) == 'r' &&
            std::tolower(static_cast<unsigned char>(text[i + 4])) == 'm')
            return true;
    }
    return false;
}

std::size_t closingTag(const std::string& line) {
    for (const char* tag : {"</body>", "</BODY>", "</html>", "</HTML>"}) {
        std::size_t at = line.find(tag);
        if (at != std::string::npos)
            return at;
    }
    return std::string::npos;
}

int HtmlItemPage(GenerationRun& run, const std::string& previousName, const std::string& ownName,
                 const std::string& nextName, const CatalogueRecord& record) {
    std::FILE* source = openHtmlSource(run, record.picture());
    PageWriter& out = run.itemPages.standAlone;
    std::string path = run.outputPath(ownName);
    if (!source || !out.open(path)) {
        std::fprintf(run.diagnostics, "failed to open html file <%s>\n", source ? path.c_str() : record.picture().c_str());
        if (source) {
            std::fclose(source);
            run.fileNotWritten(path);
        }
        return -1;
    }
    run.lists.listFile(path);
    bool inserted = false;
    bool sawForm = false;
    std::string line;
    int c = 0;
    while (c != EOF) {
        line.clear();
        while ((c = std::fgetc(source)) != EOF) {
            line += static_cast<char>(c);
            if (c == '\n')
                break;
        }
        std::size_t at = inserted ? std::string::npos : closingTag(line);
        if (at == std::string::npos) {
            sawForm = sawForm || holdsFormTag(line);
            out.put(line);
            continue;
        }
        inserted = true;
        out.put(std::string_view(line).substr(0, at));
        sawForm = sawForm || holdsFormTag(line.substr(0, at));
        out.put("<BR CLEAR=ALL>");
        if (run.basketOn()) {
            // The purchase block works on the page's first form and on the
            // item's option arrays: a page of its own may have neither.
            const ItemChoices choices = readItemChoices(run, record);
            if (!sawForm)
                out.put("<FORM NAME=\"evalform\" onSubmit=\"return false\";>");
            out.put("<BR CLEAR=ALL>");
            if (choices.count > 0)
                SelectionScript(run, out, choices, 0, run.itemCounter);
            PurchaseBlock(run, out, record, choices, 0, PurchasePlace::Block);
            if (!sawForm)
                out.put("</FORM>");
        }
        ItemNavigationBar(run, out, previousName, nextName, nullptr);
        out.put(std::string_view(line).substr(at));
    }
    std::fclose(source);
    run.closePage(out);
    return 0;
}

} // namespace

bool groupPageOpen(const GenerationRun& run) { return run.itemPages.group.isOpen(); }

int ItemPage(GenerationRun& run, const std::string& previousName, const std::string& ownName,
             const std::string& nextName, const CatalogueRecord& record, NextLinkRange& range) {
    range = {};
    if (containsHtmlName(record.picture()))
        return HtmlItemPage(run, previousName, ownName, nextName, record);
    PageWriter& out = run.itemPages.standAlone;
    if (!openPage(run, out, ownName))
        return -1;
    run.itemPages.columns = {};
    const bool useTemplate = run.pageTemplate.loaded;
    if (!useTemplate) {
        out.put("<html>\n");
        out.printf("<HEAD><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n<meta "
                   "name=\"GENERATOR\" content=\"Vimra V3.0beta1\">",
                   run.charset.c_str());
        writeMarginAndSheet(run, out);
        writeStyleSheetLink(run, out);
        out.put(run.expiresTag);
        out.put("</HEAD>");
    } else {
        out.put(run.pageTemplate.head);
    }
    writeFramesetRedirect(out, ownName);
    ItemBlock(run, out, record, previousName, nextName, 0, BlockKind::Item, &range);
    if (run.appearance.itemNavigation == 1)
        ItemNavigationBar(run, out, previousName, nextName, &range);
    writeFootnote(run, out);
    if (!useTemplate) {
        if (!run.itemPageWrapper.empty())
            out.put("</TD></TR></TABLE>");
        out.put("</FORM></body>\n</html>\n");
    } else {
        out.put(run.pageTemplate.tail);
    }
    run.closePage(out);
    return 0;
}

int OpenGroupPage(GenerationRun& run, const std::string& previousName, const std::string& ownName,
                  const std::string& nextName, CatalogueRecord& record) {
    ItemPageState& state = run.itemPages;
    run.closePage(state.group);
    state.groupNextLink = {};
    state.columns = {};
    PageWriter& out = state.group;
    if (!openPage(run, out, ownName))
        return -1;
    if (!run.pageTemplate.loaded) {
        out.put("<html>\n");
        out.put(run.expiresTag);
        out.printf("<HEAD><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n<meta "
                   "name=\"GENERATOR\" content=\"Vimra V3.0beta1\">\n",
                   run.charset.c_str());
    } else {
        out.put(run.pageTemplate.head);
    }
    writeMarginAndSheet(run, out);
    if (run.appearance.linkItemCss)
        out.put("<link rel=\"stylesheet\" type=\"text/css\" href=\"zkitem.css\">\n");
    writeStyleSheetLink(run, out);
    out.put("</HEAD>\n");

    for (int slot : {kPriceSlot, kUnitSlot, kPictureSlot, kCodeSlot}) {
        if (isPageMarker(record.fields[slot])) {
            record.fields[slot].clear();
            break;
        }
    }
    writeFramesetRedirect(out, ownName);
    state.inPageIndex = 0;
    state.firstTable = true;
    ItemBlock(run, out, record, previousName, nextName, 0, BlockKind::PageTitle, &state.groupNextLink);
    state.inPageIndex = 1;
    state.pictureSide = (run.appearance.pictureAlignment & 0xF) == 2 ? 1 : 0;
    return 0;
}

void GroupItem(GenerationRun& run, const CatalogueRecord& record, GroupPlace place) {
    ItemPageState& state = run.itemPages;
    ++state.inPageIndex;
    if (place == GroupPlace::Table)
        ItemTableRow(run, state.group, record, state.inPageIndex);
    else
        ItemBlock(run, state.group, record, {}, {}, state.inPageIndex, BlockKind::GroupItem, nullptr);
}

void FinishGroupPage(GenerationRun& run, const std::string& previousName, const std::string& nextName) {
    ItemPageState& state = run.itemPages;
    if (!state.group.isOpen())
        return;
    PageWriter& out = state.group;
    if (run.appearance.itemNavigation == 1)
        ItemNavigationBar(run, out, previousName, nextName, &state.groupNextLink);
    writeFootnote(run, out);
    if (!run.pageTemplate.loaded) {
        if (!run.itemPageWrapper.empty())
            out.put("</TD></TR></TABLE>");
        out.put("</form></body>\n</html>\n");
    } else {
        out.put(run.pageTemplate.tail);
    }
    run.closePage(out);
    state.columns = {};
}
