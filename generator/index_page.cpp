#include "generator/index_page.h"

#include <cctype>
#include <cstdio>

#include "generator/copy_resource.h"
#include "generator/frame_scripts.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/item_choices.h"
#include "generator/item_navigation.h"
#include "generator/item_page.h"
#include "generator/item_picture.h"
#include "generator/item_table.h"
#include "generator/columns_block.h"
#include "generator/navigation_bar.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// Each level of sub-indexes holds its page open and a frame of the walk on
// the stack; a data file that nests deeper than this is read as if the
// deeper pages could not be created.
constexpr int kMaxIndexDepth = 200;

std::string itemPageName(std::int32_t number) { return formatText("zk%.6ld.html", static_cast<long>(number)); }

bool isIndexMarker(const std::string& field) {
    if (field.size() != 5)
        return false;
    for (int i = 0; i < 5; ++i)
        if (std::toupper(static_cast<unsigned char>(field[i])) != "INDEX"[i])
            return false;
    return true;
}

// The walk over the records of one index page. Its state is its own: a
// sub-index gets a walk of its own and leaves this one untouched.
class IndexWalk {
public:
    IndexWalk(GenerationRun& run, PageWriter& out, const std::string& ownName)
        : m_run(run), m_out(out), m_ownName(ownName), m_style(run.appearance.indexStyle),
          m_lastPage(run.nextItemPage - 1) {}

    void writeHead();
    void writeTop(const std::string& parentFileName, const std::optional<std::string>& title);
    void walk();
    void writeEnd(const std::string& parentFileName);

private:
    // One record; false when it ends this index.
    bool handle(CatalogueRecord& record);
    bool raisesItemCounter(const CatalogueRecord& record) const;

    void linkEntry(const CatalogueRecord& record);
    void indexHeading(const CatalogueRecord& record);
    void pageStart(CatalogueRecord& record);
    void standAloneItem(CatalogueRecord& record);
    void groupItem(CatalogueRecord& record);
    void tableStart(const CatalogueRecord& record);
    void columnsStart(const CatalogueRecord& record);
    void textOrPictureLine(const CatalogueRecord& record);

    void openIndexTable();
    void closeItemTableOrColumns();
    void finishGroup();
    void allocateItemPage();
    void itemLine(const std::string& address, const char* target, const std::string& name, bool pageStartLine);
    enum class Bullet { Index, Item };
    void rolloverCell(Bullet bullet, const std::string& address, const std::string& target);

    GenerationRun& m_run;
    PageWriter& m_out;
    const std::string& m_ownName;
    const int m_style;
    bool m_tableOpen = false;
    bool m_groupOpen = false;       // page mode 1
    bool m_itemTableOpen = false;
    int m_rollover = 0;
    std::string m_previous, m_current, m_next;
    std::int32_t m_lastPage;
    std::int32_t m_firstItemPage = 0;
    NextLinkRange m_currentRange;
};

void IndexWalk::writeHead() {
    const AppearanceSet& a = m_run.appearance;
    const IndexDecorations& index = m_run.decorations.index;
    m_out.printf("<html>\n<head><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n<meta "
                 "name=\"GENERATOR\" content=\"Vimra V3.0beta1\">",
                 m_run.charset.c_str());
    m_out.put(m_run.expiresTag);
    m_out.put("<style type=\"text/css\">\nA   {text-decoration: none;}\n");
    if (m_style == 2) {
        if (a.indexMargin >= 0)
            m_out.printf("BODY{margin: %dpt;}\n", static_cast<int>(a.indexMargin));
        m_out.printf("A:hover {color: %s;}\n ", std::string(fieldText(a.indexFonts[1].secondColour)).c_str());
    }
    m_out.put("</style>\n");
    if (!index.styleSheet.empty()) {
        std::string name = CopyResource(m_run, index.styleSheet, std::string(fieldText(m_run.general.outputDir)));
        m_out.printf("<link rel=\"stylesheet\" type=\"text/css\" href=\"%s\">", name.c_str());
    }
    std::string textColour(fieldText(a.indexTextColour));
    writeFramesetRedirect(m_out, m_ownName);
    m_out.printf("</head>\n<body bgcolor=%s text=%s %slink=%s vlink=%s><A NAME=\"top\">\n%s",
                 std::string(fieldText(a.indexBackgroundColour)).c_str(), textColour.c_str(),
                 index.background.c_str(), textColour.c_str(), textColour.c_str(),
                 m_run.fontTags[IndexFont::Text].start.c_str());
}

void IndexWalk::writeTop(const std::string& parentFileName, const std::optional<std::string>& title) {
    const AppearanceSet& a = m_run.appearance;
    if (m_style == 2) {
        std::string tableColour(fieldText(a.indexTableColour));
        std::string colour = tableColour.empty() ? "" : formatText(" BGCOLOR=%s", tableColour.c_str());
        m_out.printf("<TABLE BORDER=0 CELLSPACING=%d CELLBORDER=0%s WIDTH=%d>\n", static_cast<int>(a.indexTableSpacing),
                     colour.c_str(), static_cast<int>(a.indexTableWidth));
        m_tableOpen = true;
    }
    if (a.navigationAtTop)
        NavigationBar(m_run, m_out, parentFileName, BarPlace::Top, m_ownName);
    if (m_run.general.useTitleInIndex && title) {
        if (m_style == 2)
            m_out.printf("%s%s%s</td>", m_run.decorations.index.headingRowStart.c_str(),
                         m_run.fontTags[IndexFont::Text].start.c_str(), title->c_str());
        else
            m_out.printf("<CENTER>%s</CENTER>\n", title->c_str());
    }
    if (m_style == 1)
        m_out.put("<UL>\n");
}

// The records whose handling below raises the item counter; a preview's
// item limit counts these.
bool IndexWalk::raisesItemCounter(const CatalogueRecord& record) const {
    switch (record.kind) {
    case EntryKind::PageStart:
        return true;
    case EntryKind::TableStart:
    case EntryKind::ColumnsStart:
        return m_groupOpen;
    case EntryKind::Item:
        return m_groupOpen || !record.name().empty();
    default:
        return false;
    }
}

void IndexWalk::walk() {
    CatalogueRecord record;
    while (m_run.nextRecord(record)) {
        if (raisesItemCounter(record) && !m_run.admitItem())
            break;
        if (!handle(record))
            return;
    }
    // The data ended without "END INDEX".
    closeItemTableOrColumns();
    finishGroup();
}

bool IndexWalk::handle(CatalogueRecord& record) {
    switch (record.kind) {
    case EntryKind::Link:
        linkEntry(record);
        break;
    case EntryKind::EndIndex:
        closeItemTableOrColumns();
        finishGroup();
        return false;
    case EntryKind::IndexHeading:
        indexHeading(record);
        break;
    case EntryKind::PageStart:
        pageStart(record);
        break;
    case EntryKind::EndPage:
        closeItemTableOrColumns();
        finishGroup();
        break;
    case EntryKind::TableStart:
        if (m_groupOpen)
            tableStart(record);
        break;
    case EntryKind::EndTable:
        closeItemTableOrColumns();
        break;
    case EntryKind::ColumnsStart:
        if (m_groupOpen)
            columnsStart(record);
        break;
    case EntryKind::TextLine:
    case EntryKind::PictureLine:
        textOrPictureLine(record);
        break;
    case EntryKind::Item:
        if (m_groupOpen)
            groupItem(record);
        else if (!record.name().empty())
            standAloneItem(record);
        break;
    case EntryKind::Ignored:
        break;
    }
    return true;
}

void IndexWalk::openIndexTable() {
    if (m_tableOpen || m_style == 1)
        return;
    m_out.put("<TABLE BORDER=0>\n");
    m_tableOpen = true;
}

void IndexWalk::closeItemTableOrColumns() {
    ColumnsState& columns = m_run.itemPages.columns;
    if (!m_itemTableOpen && !columns.inColumns)
        return;
    if (m_groupOpen)
        CloseItemTable(m_run, m_run.itemPages.group);
    m_itemTableOpen = false;
    columns.inColumns = false;
}

void IndexWalk::finishGroup() {
    if (!m_groupOpen)
        return;
    m_groupOpen = false;
    FinishGroupPage(m_run, m_previous, m_next);
    m_currentRange = m_run.itemPages.groupNextLink;
}

// The next item page of this level; the page before it learns its real next
// page when a sub-index used the numbers in between.
void IndexWalk::allocateItemPage() {
    if (m_run.nextItemPage != m_lastPage + 1 && !m_current.empty())
        PatchNextLink(m_run, m_current, m_currentRange, itemPageName(m_run.nextItemPage));
    if (m_firstItemPage == 0)
        m_firstItemPage = m_run.nextItemPage;
    m_lastPage = m_run.nextItemPage;
    m_run.nextItemPage += 1;
    m_previous = m_current;
    m_current = itemPageName(m_lastPage);
    m_next = itemPageName(m_run.nextItemPage);
    m_currentRange = {};
}

void IndexWalk::rolloverCell(Bullet bullet, const std::string& address, const std::string& target) {
    if (bullet == Bullet::Index)
        m_out.printf("<TD%s><A HREF=\"%s\"%s onMouseOver='parent.ROI(document.II%d)' onMouseOut='parent.OI(document.II%d)'>",
                     "", address.c_str(), target.c_str(), m_rollover, m_rollover);
    else
        m_out.printf("<TD%s><A HREF=\"%s\"%s onMouseOver='parent.ROI2(document.II%d)' onMouseOut='parent.OI2(document.II%d)'>",
                     "", address.c_str(), target.c_str(), m_rollover, m_rollover);
}

void IndexWalk::itemLine(const std::string& address, const char* target, const std::string& name, bool pageStartLine) {
    const IndexDecorations& index = m_run.decorations.index;
    const char* font = m_run.fontTags[IndexFont::ItemLink].start.c_str();
    const char* a = address.c_str();
    switch (m_style) {
    case 0:
        if (index.itemBulletRollover) {
            ++m_rollover;
            m_out.printf("<TR%s>", index.rowAlignment.c_str());
            const std::string targetText = formatText(" TARGET=%s", target);
            rolloverCell(Bullet::Item, address, targetText);
            m_out.put(filled(index.itemBullet, m_rollover));
            m_out.put("</A></TD>");
            rolloverCell(Bullet::Item, address, targetText);
            m_out.printf("%s%s</A></TD>\n", font, name.c_str());
        } else if (pageStartLine) {
            m_out.printf("<TR%s><TD><A HREF=\"%s\" TARGET=ZKITEM>%s<TD><A HREF=\"%s\" TARGET=ZKITEM><FONT "
                         "FACE=\"helvetica,arial\" SIZE=2>%s%s</A>",
                         index.rowAlignment.c_str(), a, index.itemBullet.before.c_str(), a, font, name.c_str());
        } else {
            m_out.printf("<TR%s><TD><A HREF=\"%s\" TARGET=%s>%s</TD><TD><A HREF=\"%s\" TARGET=%s>%s%s</A></TD>",
                         index.rowAlignment.c_str(), a, target, index.itemBullet.before.c_str(), a, target, font,
                         name.c_str());
        }
        break;
    case 1:
        m_out.printf("<A HREF=\"%s\" TARGET=%s>", a, target);
        m_out.printf("%s<LI>%s%s</A>\n", font, name.c_str(), m_run.fontTags[IndexFont::ItemLink].end.c_str());
        break;
    default:
        m_out.printf("%s<A HREF=\"%s\" TARGET=%s>%s%s</a></td>\n", index.itemRowStart.c_str(), a, target, font,
                     name.c_str());
        break;
    }
}

void IndexWalk::linkEntry(const CatalogueRecord& record) {
    openIndexTable();
    const char* target = record.linkOpensWholeWindow ? "_top" : "ZKITEM";
    const IndexDecorations& index = m_run.decorations.index;
    if (m_style == 0 && !index.itemBulletRollover) {
        const char* a = record.linkAddress.c_str();
        m_out.printf("<TR><TD><A HREF=\"%s\" TARGET=%s>%s<TD><A HREF=\"%s\" TARGET=%s>%s%s</A>", a, target,
                     index.itemBullet.before.c_str(), a, target, m_run.fontTags[IndexFont::ItemLink].start.c_str(),
                     record.name().c_str());
        return;
    }
    itemLine(record.linkAddress, target, record.name(), false);
}

void IndexWalk::indexHeading(const CatalogueRecord& record) {
    closeItemTableOrColumns();
    finishGroup();
    if (m_style == 0)
        openIndexTable();
    const std::string fileName = formatText("zki%.5ld.html", static_cast<long>(m_run.nextIndexPage));
    m_run.nextIndexPage += 1;
    const std::string& heading = record.title;
    const IndexDecorations& index = m_run.decorations.index;
    const FontTag& font = m_run.fontTags[IndexFont::IndexLink];
    switch (m_style) {
    case 0:
        m_out.printf("<TR%s>", index.rowAlignment.c_str());
        if (index.indexBulletRollover) {
            ++m_rollover;
            rolloverCell(Bullet::Index, fileName, " TARGET=ZKLIST");
            m_out.put(filled(index.indexBullet, m_rollover));
            m_out.put("</A></TD>");
            rolloverCell(Bullet::Index, fileName, " TARGET=ZKLIST");
            m_out.printf("%s%s</A></TD>\n", font.start.c_str(), heading.c_str());
        } else {
            m_out.printf("<A HREF=\"%s\" TARGET=ZKLIST>", fileName.c_str());
            m_out.printf("<TD>%s</A></TD><TD><A HREF=\"%s\">%s%s</A></TD>\n", index.indexBullet.before.c_str(),
                         fileName.c_str(), font.start.c_str(), heading.c_str());
        }
        break;
    case 1:
        m_out.printf("<A HREF=\"%s\" TARGET=ZKLIST>", fileName.c_str());
        m_out.printf("%s<LI>%s%s</A>\n", font.start.c_str(), heading.c_str(), font.end.c_str());
        break;
    default: {
        const std::string& picture = record.picture();
        if (!picture.empty() && !isIndexMarker(picture)) {
            // The heading picture is copied like every other picture a page shows.
            std::string name = copyPicture(m_run, picture);
            m_out.printf("%s<A HREF=\"%s\" TARGET=ZKLIST><IMG SRC=\"%s\" ALT=\"%s\" BORDER=0></a></td>\n",
                         index.indexRowStart.c_str(), fileName.c_str(), name.c_str(), heading.c_str());
        } else {
            m_out.printf("%s<A HREF=\"%s\" TARGET=ZKLIST>%s%s</a></td>\n", index.indexRowStart.c_str(),
                         fileName.c_str(), font.start.c_str(), heading.c_str());
        }
        break;
    }
    }
    IndexPage(m_run, fileName, m_ownName, heading);
}

void IndexWalk::pageStart(CatalogueRecord& record) {
    closeItemTableOrColumns();
    finishGroup();
    m_groupOpen = true;
    if (m_firstItemPage == 0)
        m_firstItemPage = m_run.nextItemPage;
    openIndexTable();
    m_run.itemCounter += 1;
    allocateItemPage();
    itemLine(m_current, "ZKITEM", record.title, true);
    takePriceVaryingMask(m_run, record);
    OpenGroupPage(m_run, m_previous, m_current, m_next, record);
    m_run.lists.IndexRecord(m_lastPage, record);
}

void IndexWalk::standAloneItem(CatalogueRecord& record) {
    openIndexTable();
    m_run.itemCounter += 1;
    takePriceVaryingMask(m_run, record);
    m_run.lists.IndexRecord(m_run.nextItemPage, record);
    allocateItemPage();
    itemLine(m_current, "ZKITEM", record.name(), false);
    ItemPage(m_run, m_previous, m_current, m_next, record, m_currentRange);
}

void IndexWalk::groupItem(CatalogueRecord& record) {
    m_run.itemCounter += 1;
    takePriceVaryingMask(m_run, record);
    GroupItem(m_run, record, m_itemTableOpen ? GroupPlace::Table : GroupPlace::Block);
    m_run.lists.IndexRecord(m_lastPage, record);
}

void IndexWalk::tableStart(const CatalogueRecord& record) {
    closeItemTableOrColumns();
    m_run.itemCounter += 1;
    OpenItemTable(m_run, m_run.itemPages.group);
    m_itemTableOpen = true;
    m_run.lists.IndexRecord(m_lastPage, record);
}

void IndexWalk::columnsStart(const CatalogueRecord& record) {
    closeItemTableOrColumns();
    m_run.itemCounter += 1;
    OpenColumns(m_run, m_run.itemPages.group, record.columnCount);
    m_run.lists.IndexRecord(m_lastPage, record);
}

void IndexWalk::textOrPictureLine(const CatalogueRecord& record) {
    if (m_tableOpen && m_style != 2) {
        m_out.put("</TABLE>\n");
        m_tableOpen = false;
    }
    std::string pictureText;
    if (record.kind == EntryKind::PictureLine) {
        ImageSize size;
        if (probePicture(m_run, record.picture(), size)) {
            std::string name = copyPicture(m_run, record.picture());
            pictureText = formatText("<CENTER><IMG SRC=\"%s\" HEIGHT=%d WIDTH=%d></CENTER>", name.c_str(),
                                     size.height, size.width);
        }
    }
    const std::string& name = record.name();
    const bool picture = !pictureText.empty();
    switch (m_style) {
    case 0:
        if (picture)
            m_out.put(pictureText);
        else
            m_out.printf("<CENTER>%s</CENTER>\n", name.c_str());
        break;
    case 1:
        m_out.printf("</UL>%s<UL>\n", picture ? pictureText.c_str() : name.c_str());
        break;
    default:
        if (picture)
            m_out.printf("%s%s</td>", m_run.decorations.index.headingRowStart.c_str(), pictureText.c_str());
        else
            m_out.printf("%s%s%s</td>", m_run.decorations.index.headingRowStart.c_str(),
                         m_run.fontTags[IndexFont::Text].start.c_str(), name.c_str());
        break;
    }
}

void IndexWalk::writeEnd(const std::string& parentFileName) {
    const AppearanceSet& a = m_run.appearance;
    if (!m_current.empty())
        PatchNextLink(m_run, m_current, m_currentRange, std::nullopt);
    if (m_style == 1)
        m_out.put("</UL>\n");
    else if (m_style == 0 && m_tableOpen)
        m_out.put("</TABLE>\n");
    if (!a.navigationAtTop)
        NavigationBar(m_run, m_out, parentFileName, BarPlace::Bottom, m_ownName);
    if (m_style == 2 && m_tableOpen)
        m_out.put("</TABLE>\n");
    if (m_run.general.changeItemWithIndex && m_firstItemPage > 2)
        writeItemFrameChange(m_out, a.includeHeaderFrame ? 2 : 1, static_cast<int>(m_firstItemPage));
    if (navigationInHeaderFrame(m_run))
        m_out.printf("<script language=javascript>parent.LastInd=\"%s\";</script>\n", m_ownName.c_str());
    if (carriesSearchBox(m_run, m_ownName) && !navigationInHeaderFrame(m_run))
        m_out.put("</form>");
    m_out.put("</body>\n</html>\n");
}

} // namespace

int IndexPage(GenerationRun& run, const std::string& fileName, const std::string& parentFileName,
              const std::optional<std::string>& title) {
    const std::string path = run.outputPath(fileName);
    if (run.itemPages.indexDepth >= kMaxIndexDepth) {
        std::fprintf(run.diagnostics, "index pages nested too deeply: <%s> not written\n", path.c_str());
        return -1;
    }
    PageWriter out;
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "failed to open <%s>\n", path.c_str());
        run.fileNotWritten(path);
        return -1;
    }
    run.lists.listFile(path);
    IndexWalk walk(run, out, fileName);
    run.itemPages.indexDepth += 1;
    walk.writeHead();
    walk.writeTop(parentFileName, title);
    walk.walk();
    walk.writeEnd(parentFileName);
    run.itemPages.indexDepth -= 1;
    run.closePage(out);
    return 0;
}
