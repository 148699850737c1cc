#include "generator/page_decorations.h"

#include <cstdint>
#include <cstring>

#include "generator/copy_resource.h"
#include "generator/currency_file.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/image_probe.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// Marks the hole of a SplitText while its template is filled.
constexpr const char* kHole = "\x01";

SplitText splitAtHole(const std::string& text) {
    SplitText result;
    std::size_t at = text.find(kHole);
    if (at == std::string::npos) {
        result.before = text;
        return result;
    }
    result.before = text.substr(0, at);
    result.after = text.substr(at + 1);
    result.split = true;
    return result;
}

SplitText whole(const std::string& text) {
    SplitText result;
    result.before = text;
    return result;
}

// One image named in the settings: copied into the output folder, probed
// for its size ("HEIGHT=%d WIDTH=%d " or empty) and named by its base name.
struct PreparedImage {
    bool set = false;
    std::string name;
    std::string size;
};

PreparedImage prepareImage(GenerationRun& run, std::string_view storedPath) {
    PreparedImage image;
    if (storedPath.empty())
        return image;
    std::string path(storedPath);
    image.set = true;
    image.name = CopyResource(run, path, std::string(fieldText(run.general.outputDir)));
    image.size = imageSizeText(path);
    return image;
}

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

std::string colour(const char (&field)[16]) { return std::string(fieldText(field)); }

void prepareBullets(GenerationRun& run, IndexDecorations& index) {
    const AppearanceSet& a = run.appearance;
    switch (a.indexStyle) {
    case 1:
        index.itemBullet = whole("<LI>");
        index.indexBullet = whole("<LI>");
        return;
    case 2: {
        const char* align = alignmentWord(a.cellAlignment);
        bool rollover = a.cellRolloverColour[0] != '\0';
        index.itemRowStart = formatText(
            "<tr><td%s bgcolor=%s align=%s>",
            rollover ? " onMouseOver='parent.IR1(this)' onMouseOut='parent.IR2(this)' " : "",
            colour(a.itemCellColour).c_str(), align);
        index.indexRowStart = formatText(
            "<tr><td%s bgcolor=%s align=%s>",
            rollover ? " onMouseOver='parent.IR3(this)' onMouseOut='parent.IR4(this)' " : "",
            colour(a.indexCellColour).c_str(), align);
        index.headingRowStart =
            formatText("<tr><td bgcolor=%s align=center>", colour(a.textCellColour).c_str());
        return;
    }
    default:
        break;
    }
    // Table style: image bullets, each with an optional rollover image.
    struct Bullet {
        const char (&image)[129];
        const char (&rollover)[129];
        SplitText& text;
        bool& hasRollover;
        const char* empty;
    };
    Bullet bullets[] = {
        {a.bulletImages[2], a.bulletImages[3], index.itemBullet, index.itemBulletRollover, "&nbsp;"},
        {a.bulletImages[0], a.bulletImages[1], index.indexBullet, index.indexBulletRollover, ""},
    };
    for (Bullet& bullet : bullets) {
        PreparedImage image = prepareImage(run, fieldText(bullet.image));
        if (!image.set) {
            bullet.text = whole(bullet.empty);
            continue;
        }
        PreparedImage rollover = prepareImage(run, fieldText(bullet.rollover));
        bullet.hasRollover = rollover.set;
        if (rollover.set)
            bullet.text = splitAtHole(formatText("<IMG SRC=%s %sBORDER=0 ALIGN=CENTER VALIGN=%s NAME=II%s>",
                                                 image.name.c_str(), image.size.c_str(),
                                                 index.bulletAlignment.c_str(), kHole));
        else
            bullet.text = whole(formatText("<IMG SRC=%s %sBORDER=0 ALIGN=CENTER VALIGN=%s>", image.name.c_str(),
                                           image.size.c_str(), index.bulletAlignment.c_str()));
    }
}

void prepareLinks(GenerationRun& run, IndexDecorations& index) {
    const AppearanceSet& a = run.appearance;
    const CommonText& labels = run.commonText;
    const std::string& font = run.fontTags[IndexFont::StandardLinks].start;
    bool images = a.useLinkImages != 0;

    PreparedImage basket = images ? prepareImage(run, fieldText(a.linkImages[4])) : PreparedImage{};
    if (basket.set) {
        PreparedImage rollover = prepareImage(run, fieldText(a.linkImages[5]));
        index.basketLink = formatText(
            "<A HREF=javascript:parent.ShowBasket();%s><IMG SRC=%s BORDER=0 %sALT=\"%s\" NAME=\"BSKT\"></A>",
            rollover.set ? " onMouseOver='parent.SRO(6,document.BSKT)' onMouseOut='parent.SRO(5,document.BSKT)'"
                         : "",
            basket.name.c_str(), basket.size.c_str(), labels.escaped(CommonLabel::ShowBasket).c_str());
    } else {
        index.basketLink = formatText(
            "<A HREF=\"javascript:parent.ShowBasket();\" STYLE=\"text-decoration:none\">%s%s</A>", font.c_str(),
            labels[CommonLabel::ShowBasket].c_str());
    }

    PreparedImage previous = images ? prepareImage(run, fieldText(a.linkImages[2])) : PreparedImage{};
    if (previous.set) {
        PreparedImage rollover = prepareImage(run, fieldText(a.linkImages[3]));
        index.previousLink = splitAtHole(formatText(
            "<A HREF=%s%s><IMG SRC=%s BORDER=0 %sALT=\"%s\" NAME=\"PREV\"></A>", kHole,
            rollover.set ? " onMouseOver='parent.SRO(2,document.PREV)' onMouseOut='parent.SRO(1,document.PREV)'"
                         : "",
            previous.name.c_str(), previous.size.c_str(), labels[CommonLabel::PreviousIndex].c_str()));
    } else {
        index.previousLink = splitAtHole(formatText(
            "<A HREF=\"%s\" STYLE=\"text-decoration:none\" TARGET=ZKLIST>%s%s</A>", kHole, font.c_str(),
            labels[CommonLabel::PreviousIndex].c_str()));
    }

    std::string address(fieldText(run.general.homeLink));
    if (address.empty())
        return;
    PreparedImage home = images ? prepareImage(run, fieldText(a.linkImages[0])) : PreparedImage{};
    if (home.set) {
        PreparedImage rollover = prepareImage(run, fieldText(a.linkImages[1]));
        index.homeLink = formatText(
            "<A HREF=\"%s\" TARGET=_parent%s><IMG SRC=%s BORDER=0 %s ALT=\"%s\" NAME=\"HL\"></A>", address.c_str(),
            rollover.set ? " onMouseOver='parent.SRO(4,document.HL)' onMouseOut='parent.SRO(3,document.HL)'" : "",
            home.name.c_str(), home.size.c_str(), labels[CommonLabel::Home].c_str());
    } else {
        index.homeLink = formatText("<A HREF=\"%s\" STYLE=\"text-decoration:none\" TARGET=_parent>%s%s</A>",
                                    address.c_str(), font.c_str(), labels[CommonLabel::Home].c_str());
    }
}

void prepareIndexDecorations(GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    IndexDecorations& index = run.decorations.index;
    index = IndexDecorations{};
    index.rowAlignment = a.bulletAlignment == 0 ? " VALIGN=TOP" : "";
    index.bulletAlignment = a.bulletAlignment == 0 ? "MIDDLE" : "TOP";
    prepareBullets(run, index);
    if (a.indexBackgroundImageMode != 0) {
        PreparedImage background = prepareImage(run, fieldText(a.indexBackgroundImage));
        if (background.set)
            index.background = formatText("BACKGROUND=%s %s", background.name.c_str(),
                                          a.indexBackgroundImageMode == 2 ? "bgproperties=\"fixed\" " : "");
    }
    index.styleSheet = std::string(fieldText(a.indexStyleSheet));
    prepareLinks(run, index);
}

void prepareItemDecorations(GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    ItemDecorations& item = run.decorations.item;
    item = ItemDecorations{};
    if (a.itemBackgroundImageMode != 0) {
        PreparedImage background = prepareImage(run, fieldText(a.itemBackgroundImage));
        if (background.set)
            item.background = formatText("BACKGROUND=%s %s", background.name.c_str(),
                                         a.itemBackgroundImageMode == 2 ? "bgproperties=\"fixed\" " : " ");
    }
    if (a.itemSeparator != 0) {
        PreparedImage separator = prepareImage(run, fieldText(a.itemSeparatorImage));
        if (separator.set)
            item.separatorPicture = formatText("<CENTER><IMG SRC=%s BORDER=0 %s></CENTER><BR CLEAR=ALL>",
                                               separator.name.c_str(), separator.size.c_str());
    }
    item.buttonImages = a.itemNavigation != 2 && a.prevNextImages[0][0] != '\0' && a.prevNextImages[2][0] != '\0';
    if (item.buttonImages) {
        PreparedImage previous = prepareImage(run, fieldText(a.prevNextImages[0]));
        PreparedImage next = prepareImage(run, fieldText(a.prevNextImages[2]));
        item.previousButton = formatText("<IMG SRC=%s %sALT=\"%s\" BORDER=0>", previous.name.c_str(),
                                         previous.size.c_str(), run.commonText[CommonLabel::PreviousItem].c_str());
        item.nextButton = formatText("<IMG SRC=%s %sALT=\"%s\" BORDER=0>", next.name.c_str(), next.size.c_str(),
                                     run.commonText[CommonLabel::NextItem].c_str());
    } else {
        item.previousButton = "<FONT SIZE=+1>prev</FONT>";
        item.nextButton = "<FONT SIZE=+1>next</FONT>";
    }
    PreparedImage styleSheet = prepareImage(run, fieldText(a.itemStyleSheet));
    item.styleSheet = styleSheet.name;
}

void preparePurchaseButtons(GenerationRun& run) {
    const AppearanceSet& a = run.appearance;
    PurchaseButtons& buttons = run.decorations.buttons;
    buttons = PurchaseButtons{};
    PreparedImage calculate = prepareImage(run, fieldText(a.calculateButtonImage));
    if (calculate.set)
        buttons.calculateImage = formatText("<IMG SRC=%s %sALT=\"%s\" BORDER=0>", calculate.name.c_str(),
                                            calculate.size.c_str(), run.commonText[CommonLabel::ShowCost].c_str());
    PreparedImage add = prepareImage(run, fieldText(a.addButtonImage));
    PreparedImage update = prepareImage(run, fieldText(a.updateButtonImage));
    // Both the add and the update tag are written inside script strings.
    if (add.set) {
        if (update.set)
            buttons.addImage = splitAtHole(formatText("<IMG SRC=%s %sALT=\\\"%s\\\" BORDER=0 NAME=UI%s>",
                                                      add.name.c_str(), add.size.c_str(),
                                                      run.commonText.escaped(CommonLabel::AddToBasket).c_str(), kHole));
        else
            buttons.addImage = whole(formatText("<IMG SRC=%s %sALT=\\\"%s\\\" BORDER=0>", add.name.c_str(),
                                                add.size.c_str(), run.commonText.escaped(CommonLabel::AddToBasket).c_str()));
    }
    if (update.set)
        buttons.updateImage = formatText("<IMG SRC=%s %sALT=%s BORDER=0>", update.name.c_str(),
                                         update.size.c_str(), run.commonText.escaped(CommonLabel::UpdateBasket).c_str());
}

} // namespace

std::string filled(const SplitText& text, int number) {
    if (!text.split)
        return text.before;
    return text.before + std::to_string(number) + text.after;
}

std::string filled(const SplitText& text, const std::string& fill) {
    if (!text.split)
        return text.before;
    return text.before + fill + text.after;
}

void preparePageDecorations(GenerationRun& run) {
    CurrencyList currencies;
    currencies.load(run.programFile(kCurrencyFile));
    // The currency functions live in the home page's basket script: without
    // a basket no page may call them. The home page reads this flag too.
    run.currencyConversion = run.basketOn() && currencies.conversionOn();
    prepareIndexDecorations(run);
    prepareItemDecorations(run);
    preparePurchaseButtons(run);
    run.itemPages.reset();
}
