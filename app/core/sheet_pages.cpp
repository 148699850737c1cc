#include "app/core/sheet_pages.h"

namespace {
constexpr std::string_view kDataFileFilter = "CSV Files (*.csv, *.txt)|*.csv;*.txt|All Files (*.*) |*.*||";
constexpr int kColourChars = 15;
constexpr int kImageChars = 128;

FormField colour(int control, std::string_view label, std::string_view field, std::string_view heading = {}) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::ColourName,
            .maxChars = kColourChars, .heading = heading};
}

FormField image(int control, std::string_view label, std::string_view field, std::string_view title,
                std::string_view heading = {}) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::Image,
            .maxChars = kImageChars, .browseTitle = title, .heading = heading};
}

FormField number(int control, std::string_view label, std::string_view field, std::string_view heading = {}) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::Number, .heading = heading};
}

FormField check(int control, std::string_view label, std::string_view field) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::Check};
}

FormField radio(int control, std::string_view label, std::string_view field, std::vector<std::string_view> choices) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::Radio,
            .choices = std::move(choices)};
}

// How a frame's background picture is laid: not at all, scrolling, or fixed.
FormField backgroundMode(int control, std::string_view field) {
    return radio(control, "properties", field, {"Don't Use", "Standard", "Fixed"});
}

}  // namespace

std::span<const FormField> settingsPageFields() {
    static const std::vector<FormField> fields = {
        {.control = 1025, .label = "catalogue title", .field = "catalogueTitle", .maxChars = 40},
        {.control = 1000, .label = "input file", .field = "inputFile", .kind = FormControl::File,
         .browseTitle = "Select Input File", .filter = kDataFileFilter},
        {.control = 1002, .label = "default input directory", .field = "defaultInputDir",
         .kind = FormControl::Folder, .browseTitle = "Default Input Files Directory"},
        {.control = 1005, .label = "'home' link", .field = "homeLink", .maxChars = 40},
        {.control = 1006, .label = "output directory", .field = "outputDir", .kind = FormControl::Folder,
         .browseTitle = "Output Directory"},
        {.control = 1010, .label = "temporary catalogue output directory", .field = "tempOutputDir",
         .kind = FormControl::Folder, .browseTitle = "Temporary Catalogue Output Directory"},
        {.control = 1345, .label = "maximum items", .field = "previewMaxItems", .kind = FormControl::Number},
        {.control = 1001, .label = "include basket", .field = "basketFlags", .kind = FormControl::Check, .bit = 0},
        {.control = 1095, .label = "include order form", .field = "orderFormFlags", .kind = FormControl::Check,
         .bit = 0},
    };
    return fields;
}

std::span<const FormField> indexDetailPageFields() {
    static const std::vector<FormField> fields = {
        image(1178, "background image", "indexBackgroundImage", "index background image"),
        backgroundMode(1357, "indexBackgroundImageMode"),
        number(1371, "margin", "indexMargin"),
        colour(1181, "background colour", "indexBackgroundColour"),
        colour(1180, "text colour", "indexTextColour"),
        image(1011, "index", "bulletImages.0", "index bullet image", "bullets"),
        image(1024, "index RO", "bulletImages.1", "index bullet rollover image"),
        image(1010, "item", "bulletImages.2", "item bullet image"),
        image(1021, "item RO", "bulletImages.3", "item bullet rollover image"),
        image(1012, "home", "linkImages.0", "home link image", "link images"),
        image(1020, "home RO", "linkImages.1", "home link rollover image"),
        image(1013, "basket", "linkImages.4", "basket link image"),
        image(1026, "basket RO", "linkImages.5", "basket link rollover image"),
        image(1018, "previous", "linkImages.2", "previous link image"),
        image(1028, "previous RO", "linkImages.3", "previous link rollover image"),
        check(1043, "Use Link Images", "useLinkImages"),
        check(1282, "Links at top", "navigationAtTop"),
        radio(1256, "bullet alignment", "bulletAlignment", {"Top", "Centre"}),
    };
    return fields;
}

std::span<const FormField> indexTablePageFields() {
    static const std::vector<FormField> fields = {
        colour(1346, "index link cell colour", "indexCellColour"),
        colour(1347, "index link cell rollover colour", "indexCellRolloverColour"),
        colour(1348, "item link cell colour", "itemCellColour"),
        colour(1349, "item link cell rollover colour", "cellRolloverColour"),
        colour(1350, "background colour", "indexTableColour"),
        colour(1351, "static text cell colour", "textCellColour"),
        colour(1352, "standard link cell colour", "navigationCellColour"),
        colour(1358, "std link cell rollover colour", "navigationCellRolloverColour"),
        radio(1353, "text alignment", "cellAlignment", {"left", "centre", "right"}),
        number(1356, "Table Width", "indexTableWidth"),
        number(1357, "Cell Spacing", "indexTableSpacing"),
        radio(1364, "Index Style", "indexStyle", {"bullets", "point form <UL>", "table"}),
    };
    return fields;
}

std::span<const FormField> itemDetailPageFields() {
    static const std::vector<FormField> fields = {
        image(1172, "background image", "itemBackgroundImage", "item background image"),
        backgroundMode(1360, "itemBackgroundImageMode"),
        number(1371, "margin", "itemMargin"),
        colour(1173, "text colour", "itemTextColour"),
        colour(1174, "background colour", "itemBackgroundColour"),
        radio(1027, "Prev/Next position", "itemNavigation", {"top right", "bottom centre", "not at all"}),
        image(1030, "prev", "prevNextImages.0", "previous item image"),
        image(1031, "next", "prevNextImages.2", "next item image"),
        // One byte holds both: the picture's place in its low bits, "Alternate" above them.
        {.control = 1199, .label = "item image", .field = "pictureAlignment", .kind = FormControl::Radio, .bit = 0,
         .bits = 4, .choices = {"left", "centre", "right"}},
        {.control = 1402, .label = "Alternate", .field = "pictureAlignment", .kind = FormControl::Check, .bit = 4,
         .bits = 0},
        radio(1258, "multi item separator", "itemSeparator", {"none", "rule", "image"}),
        image(1176, "separator image", "itemSeparatorImage", "multi item page separator image"),
        image(1178, "calculate", "calculateButtonImage", "calculate button image", "button images"),
        image(1180, "add", "addButtonImage", "add to basket button image"),
        image(1182, "update", "updateButtonImage", "update basket button image"),
    };
    return fields;
}

std::span<const FormField> itemTablePageFields() {
    static const std::vector<FormField> fields = {
        colour(1265, "BG", "itemTableColour", "table layout colours"),
        colour(1266, "1", "tableRowColours.0"),
        colour(1267, "2", "tableRowColours.1"),
        colour(1268, "BG", "columnsColour", "column layout colours"),
        colour(1269, "1", "columnCellColours.0"),
        colour(1270, "2", "columnCellColours.1"),
        // Kept in a byte: out-of-range spacing is limited, not refused.
        {.control = 1358, .label = "cell spacing", .field = "itemTableSpacing", .kind = FormControl::Number,
         .conversions = Clamp, .lowest = 0, .highest = 20, .heading = "table"},
        number(1357, "cell spacing", "columnsSpacing", "column"),
        check(1364, "Include Page Start title on page", "showPageTitle"),
    };
    return fields;
}

std::span<const FormField> basketDetailPageFields() {
    static const std::vector<FormField> fields = {
        image(1212, "background image", "basketBackgroundImage", "basket background image"),
        backgroundMode(1362, "basketBackgroundImageMode"),
        number(1371, "margin", "basketMargin"),
        colour(1214, "text colour", "pageColours.1"),
        colour(1215, "background colour", "pageColours.0"),
        image(1216, "image file", "basketHeadingImage", "basket banner image", "header graphic"),
        radio(1221, "position", "basketHeadingImagePosition", {"left", "centre", "right", "not at all"}),
        colour(1219, "order background", "basketColours.0"),
        colour(1220, "delivery cost background", "basketColours.1"),
        colour(1230, "order header background", "basketColours.2"),
        colour(1225, "currencies background", "basketColours.3"),
        colour(1228, "tables outline colour", "basketColours.4"),
        colour(1226, "background", "searchBoxColour", "search"),
        colour(1227, "Cell", "searchCellColour"),
        number(1393, "input width (chars)", "searchBoxSize"),
    };
    return fields;
}

std::span<const FormField> headerPageFields() {
    static const std::vector<FormField> fields = {
        image(1403, "background image", "headerBackgroundImage", "header background image"),
        backgroundMode(1360, "headerBackgroundImageMode"),
        number(1371, "margin", "headerFrameMargin"),
        colour(1405, "background colour", "headerBackgroundColour"),
        image(1182, "top graphic (above buttons, search)", "headerImage", "header top image"),
        image(1184, "left graphic (beside buttons, search)", "headerLogoImage", "header left image"),
        colour(1265, "BG", "headerTableColours.0", "table colours"),
        colour(1266, "1", "headerTableColours.1"),
        colour(1267, "2", "headerTableColours.2"),
        number(1408, "cell spacing", "headerTableSpacing"),
        check(1413, "include common links in header frame", "navigationInHeader"),
    };
    return fields;
}

std::span<const SheetPage> appearanceSheetPages() {
    static const SheetPage pages[] = {
        {"Settings", settingsPageFields()},       {"Index (1)", indexDetailPageFields()},
        {"Index (2)", indexTablePageFields()},    {"Item (1)", itemDetailPageFields()},
        {"item (2)", itemTablePageFields()},      {"Basket/Search", basketDetailPageFields()},
        {"Header", headerPageFields()},
    };
    return pages;
}
