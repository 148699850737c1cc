#include "app/core/dialog_tables.h"

#include "model/settings_fields.h"

namespace {
constexpr std::string_view kMusicFilter = "midi Files (*.mid, *.midi) |*.mid;*.midi| All Files (*.*) |*.*||";
constexpr std::string_view kScriptFilter = "perl Files (*.pl, *.cgi) |*.pl;*.cgi| All Files (*.*) |*.*||";
constexpr std::string_view kHtmlFilter = "Html Files (*.htm, *.html) |*.htm;*.html| All Files (*.*)|*.* ||";
constexpr int kPathChars = 128;

// Frame sizes are typed as "25%" or "200"; a blank would break the frameset.
FormField frameSize(int control, std::string_view label, std::string_view field) {
    return {.control = control, .label = label, .field = field, .conversions = NoBlanks, .maxChars = 15};
}

FormField check(int control, std::string_view label, std::string_view field, int bit = -1) {
    return {.control = control, .label = label, .field = field, .kind = FormControl::Check, .bit = bit};
}
}  // namespace

std::span<const FormField> framesDialogFields() {
    static const std::vector<FormField> fields = {
        {.control = 1154, .label = "frames", .field = "threeFrameStyle", .kind = FormControl::Radio,
         .choices = {"2 frames", "3 frames"}},
        frameSize(1144, "index width", "indexFrameWidth"),
        frameSize(1147, "order height", "basketFrameHeight"),
        frameSize(1151, "item width", "itemPageWidth"),
        frameSize(1152, "basket width", "basketTableWidth"),
        frameSize(1153, "height", "headerFrameHeight"),
        // The byte says whether frames may NOT be resized.
        {.control = 1148, .label = "include resize", .field = "hideFrameBorders", .kind = FormControl::Check,
         .conversions = Inverted},
        {.control = 1150, .label = "main split", .field = "verticalMainSplit", .kind = FormControl::Radio,
         .choices = {"horizontal", "vertical"}},
        check(1407, "include header frame", "includeHeaderFrame"),
        {.control = 1410, .label = "index frame", .field = "indexStyleSheet", .maxChars = kPathChars,
         .heading = "style sheets"},
        {.control = 1412, .label = "item frame", .field = "itemStyleSheet", .maxChars = kPathChars},
    };
    return fields;
}

void storeFramesDialogExtras(SettingsBlocks& blocks) {
    std::string ignored;
    setSettingsValue(blocks, "linkItemCss", "0", ignored);
}

std::span<const FormField> backgroundMusicDialogFields() {
    static const std::vector<FormField> fields = {
        {.control = 1097, .label = "midi file", .field = "musicFile", .kind = FormControl::File,
         .maxChars = kPathChars, .browseTitle = "Midi file", .filter = kMusicFilter},
        check(1099, "start automatically", "musicFlags", 0),
        check(1100, "loop", "musicFlags", 1),
        check(1102, "include background music", "musicFlags", 2),
    };
    return fields;
}

std::span<const FormField> otherOptionsDialogFields() {
    static const std::vector<FormField> fields = {
        check(1261, "Change item with index", "changeItemWithIndex"),
        check(1262, "Popup confirmation on add to basket", "confirmOnAdd"),
        check(1263, "Popup confirmation on update to basket", "confirmOnUpdate"),
        check(1264, "Include calculate button", "includeCalculateButton"),
        check(1283, "Use Title in index", "useTitleInIndex"),
        check(1363, "Quantity always 1 (no quantity input)", "quantityAlwaysOne"),
    };
    return fields;
}

std::span<const FormField> searchDetailsDialogFields() {
    // The programs are run by name on the server: blanks are taken out.
    static const std::vector<FormField> fields = {
        {.control = 1225, .label = "search program", .field = "searchProgram", .kind = FormControl::File,
         .conversions = NoBlanks, .maxChars = kPathChars, .browseTitle = "Search script", .filter = kScriptFilter},
        {.control = 1226, .label = "processed script", .field = "searchScript", .conversions = NoBlanks,
         .maxChars = kPathChars},
        {.control = 1235, .label = "search preprocessing", .field = "searchPreprocess", .kind = FormControl::File,
         .conversions = NoBlanks, .maxChars = kPathChars, .browseTitle = "Create search database script",
         .filter = kScriptFilter},
        {.control = 1228, .label = "output directory", .field = "searchOutputDir", .kind = FormControl::Folder,
         .maxChars = kPathChars, .browseTitle = "Search facility output directory"},
        {.control = 1229, .label = "search URL", .field = "searchUrl", .maxChars = kPathChars},
        {.control = 1029, .label = "search appears in", .field = "searchPlacement", .kind = FormControl::Radio,
         .choices = {"not at all", "top index only", "all indexes"}},
    };
    return fields;
}

std::span<const FormField> templateDialogFields() {
    static const std::vector<FormField> fields = {
        {.control = 1017, .label = "template file", .field = "templateFile", .kind = FormControl::File,
         .conversions = Trim, .maxChars = kPathChars, .browseTitle = "Item template file", .filter = kHtmlFilter},
        check(1019, "Base item pages on template", "useTemplate"),
    };
    return fields;
}
