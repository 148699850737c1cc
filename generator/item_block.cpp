#include "generator/item_block.h"

#include <cstdio>

#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/item_choices.h"
#include "generator/item_navigation.h"
#include "generator/item_picture.h"
#include "generator/item_price.h"
#include "generator/page_writer.h"
#include "generator/purchase_block.h"
#include "generator/selection_script.h"
#include "generator/columns_block.h"
#include "model/paths.h"

namespace {

struct BlockFonts {
    const FontTag* heading;   // null when the name is not shown
    const FontTag& price;
    const FontTag& text;
};

BlockFonts blockFonts(const GenerationRun& run, BlockKind kind, bool inColumns) {
    const FontTagTable& fonts = run.fontTags;
    const FontTag* heading = nullptr;
    switch (kind) {
    case BlockKind::Item:
        heading = &fonts[ItemFont::Heading];
        break;
    case BlockKind::PageTitle:
        heading = run.appearance.showPageTitle ? &fonts[ItemFont::FirstHeading] : nullptr;
        break;
    case BlockKind::GroupItem:
        heading = inColumns ? &fonts[ItemFont::ColumnsHeading] : &fonts[ItemFont::ItemHeading];
        break;
    }
    return {heading, inColumns ? fonts[ItemFont::ColumnsPrice] : fonts[ItemFont::Price],
            inColumns ? fonts[ItemFont::ColumnsText] : fonts[ItemFont::Text]};
}

void writeBody(const GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    std::string textColour(fieldText(a.itemTextColour));
    out.printf("<body bgcolor=%s %slink=%s vlink=%s text=%s><A NAME=\"top\">\n<BASEFONT SIZE=%d>\n%s<FONT SIZE=%d "
               "COLOR=%s FACE=\"arial\">\n",
               std::string(fieldText(a.itemBackgroundColour)).c_str(), run.decorations.item.background.c_str(),
               textColour.c_str(), textColour.c_str(), textColour.c_str(), 3, run.itemPageWrapper.c_str(), 3,
               textColour.c_str());
}

enum class PictureStart { Centre, Right, Left };

PictureStart pictureStart(GenerationRun& run, BlockKind kind, bool inColumns, bool emptyDescription) {
    if (inColumns && emptyDescription)
        return PictureStart::Centre;
    const std::int32_t alignment = run.appearance.pictureAlignment;
    const bool alternate = (alignment >> 4) != 0;
    if (kind == BlockKind::GroupItem && !inColumns && alternate) {
        int& side = run.itemPages.pictureSide;
        if (side == 0) {
            side = 1;
            return PictureStart::Right;
        }
        side = 0;
        return PictureStart::Left;
    }
    switch (alignment & 0xF) {
    case 1:
        return PictureStart::Centre;
    case 2:
        return PictureStart::Right;
    default:
        return PictureStart::Left;
    }
}

void writePicture(GenerationRun& run, PageWriter& out, const CatalogueRecord& record, int k, BlockKind kind,
                  bool inColumns) {
    const ItemPicture picture = splitPicture(record.picture());
    const bool large = !picture.large.empty();
    if (large) {
        ImageSize size;
        probePicture(run, picture.large, size);
        std::string largeName = copyPicture(run, picture.large);
        std::string itemVariable =
            run.reader.header().selectionCount > 0 && run.basketOn() ? formatText(",thisItem%d", k) : "";
        out.printf("<A NAME=Img%d>\n", k);
        out.printf("<SCRIPT LANGUAGE=JAVASCRIPT>var ItNm=\"%s\"</SCRIPT><A "
                   "HREF=javascript:parent.ShowImg(\"%s\",ItNm,%d,%d,location.href+\"#Img%d\"%s);>",
                   escapeScriptString(record.shownName()).c_str(), escapeScriptString(largeName).c_str(), size.height,
                   size.width, k, itemVariable.c_str());
    }
    const PictureStart start = pictureStart(run, kind, inColumns, record.description().empty());
    switch (start) {
    case PictureStart::Centre:
        out.put("<CENTER><IMG ");
        break;
    case PictureStart::Right:
        out.put("<IMG ALIGN=RIGHT");
        break;
    case PictureStart::Left:
        out.put("<IMG ALIGN=LEFT");
        break;
    }
    if (large)
        out.put(" BORDER=0");
    std::string sizeText = pictureSizeText(run, picture.small);
    std::string smallName = copyPicture(run, picture.small);
    out.printf(" HSPACE=5 ALT=\"%s\" SRC=%s%s>\n", large ? run.commonText.escaped(CommonLabel::AnotherImage).c_str() : "",
               smallName.c_str(), sizeText.c_str());
    if (large)
        out.put("</A>");
    if (start == PictureStart::Centre)
        out.put("</CENTER>\n");
}

void writeDescription(GenerationRun& run, PageWriter& out, const std::string& description, const FontTag& font) {
    out.put(font.start);
    const std::size_t n = description.size();
    if (n >= 4 && (description.compare(n - 4, 4, ".txt") == 0 || description.compare(n - 4, 4, ".TXT") == 0)) {
        std::string path = run.inputPath(description);
        FileOpening opening = FileOpening::Failed;
        std::FILE* file = run.openSource(path, &opening);
        if (!file) {
            if (opening == FileOpening::Failed)
                std::fprintf(run.diagnostics, "failed to open text file <%s>\n", path.c_str());
        } else {
            char buffer[8192];
            std::size_t got;
            while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
                out.put(std::string_view(buffer, got));
            std::fclose(file);
        }
    } else {
        out.put(description);
    }
    out.put(font.end);
    out.put("\n");
}

} // namespace

void ItemBlock(GenerationRun& run, PageWriter& out, const CatalogueRecord& record, const std::string& previousName,
               const std::string& nextName, int k, BlockKind kind, NextLinkRange* range) {
    const bool inColumns = kind == BlockKind::GroupItem && run.itemPages.columns.inColumns;
    const bool firstBlock = k == 0;
    const BlockFonts fonts = blockFonts(run, kind, inColumns);
    const AppearanceSet& a = run.appearance;

    if (inColumns)
        ColumnsCellStart(run, out, k);
    if (firstBlock && !run.pageTemplate.loaded)
        writeBody(run, out);
    if (firstBlock) {
        if (a.itemNavigation == 0)
            ItemNavigationBar(run, out, previousName, nextName, range);
        if (run.basketOn())
            out.put("<FORM NAME=\"evalform\" onSubmit=\"return false\";>");
    }
    if (kind == BlockKind::GroupItem && !inColumns) {
        out.put("<BR CLEAR=ALL>\n");
        if (a.itemSeparator == 1) {
            out.put("<HR>\n");
        } else if (a.itemSeparator == 2) {
            out.put(run.decorations.item.separatorPicture);
            out.put("\n");
        }
    }
    const ItemChoices choices = readItemChoices(run, record);
    if (run.basketOn() && choices.count > 0)
        SelectionScript(run, out, choices, k, run.itemCounter);
    const std::string& headerText = run.reader.header().headerText;
    if (firstBlock && !headerText.empty())
        out.printf("<CENTER>%s</CENTER>\n", headerText.c_str());

    const std::string& name = record.shownName();
    if (!name.empty() && fonts.heading)
        out.printf("%s%s%s\n", fonts.heading->start.c_str(), name.c_str(), fonts.heading->end.c_str());

    const std::string& price = record.price();
    const bool purchasable = isNumericPrice(price);
    if (!price.empty())
        writeBlockPrice(run, out, record, fonts.price);

    const std::string& description = record.description();
    if (!description.empty() || !record.picture().empty() || purchasable)
        out.put("\n<P>\n");
    if (!record.picture().empty())
        writePicture(run, out, record, k, kind, inColumns);
    if (!description.empty())
        writeDescription(run, out, description, fonts.text);

    if (run.basketOn() && purchasable) {
        if (!inColumns && !description.empty())
            out.put("<P>\n");
        else if (inColumns && !(description.empty() && record.picture().empty()))
            out.put("<BR CLEAR=ALL><P>\n");
        PurchaseBlock(run, out, record, choices, k, PurchasePlace::Block);
    }
    if (inColumns)
        out.put("</td>");
}
