#include "app/core/sheet_pages.h"

namespace {
constexpr std::string_view kDataFileFilter = "CSV Files (*.csv, *.txt)|*.csv;*.txt|All Files (*.*) |*.*||";
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
