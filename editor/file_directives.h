#pragma once
// The leading "#!" lines of a data file as the editor models them: options
// captions, unit and code captions, character set, META text, first item
// page and tax types. Lines, or parts of lines, that the editor does not
// model are kept as read and written back after the modelled ones.
#include <array>
#include <string>
#include <vector>

#include "editor/catalogue_record.h"
#include "editor/record_line.h"

namespace korvel {

inline constexpr int kCaptionCount = kSelectionCount;
inline constexpr int kTaxTypeCount = 7;
inline constexpr std::size_t kCaptionLength = 40;
inline constexpr std::size_t kFirstItemNameLength = 200;

enum FirstItemMode : int { kFirstCatalogueItem = 0, kNoFirstItem = 1, kNamedFirstItem = 2 };

struct TaxType {
    std::string title;
    double rate = 0;   // percent
    bool operator==(const TaxType&) const = default;
};

struct KeptDirectiveLine {
    std::string text;        // the whole line, "#!" included, without its line end
    char delimiter = ';';    // the value delimiter it was read with
    bool operator==(const KeptDirectiveLine&) const = default;
};

struct FileDirectives {
    std::array<std::string, kCaptionCount> captions;   // by options list number - 1
    unsigned listNumbers = 0;     // bit n-1: "SELECT<n>=" given
    unsigned textOptions = 0;     // bit n-1: "TXTOPT<n>=" declares selection n
    std::array<std::string, kCaptionCount> textCaptions;   // not edited; written back as read
    std::string unitCaption;
    bool unitPresent = false;
    std::string codeCaption;
    bool codePresent = false;
    std::string charset;
    std::string metaText;
    int firstItemMode = kFirstCatalogueItem;
    std::string firstItemName;
    std::array<TaxType, kTaxTypeCount> taxTypes;
    unsigned taxNumbers = 0;      // bit n-1: "TAX<n>=" given
    bool eighthTaxType = false;   // "TAX8=": not edited, but its records have a tax field
    std::string headerText;       // recognised only; their lines are kept
    std::string footnoteText;
    std::vector<KeptDirectiveLine> keptLines;
    char valueDelimiter = ';';    // the last one the directive lines set

    // Whether the records have a tax field.
    bool taxPresent() const { return taxNumbers != 0 || eighthTaxType; }
    // Number of leading non-empty tax titles.
    int taxCount() const;
    // Number of options captions given.
    int captionCount() const;
    // The fields every record line of the file has, text options included.
    FieldMask mask() const;

    bool operator==(const FileDirectives&) const = default;
};

// Reads the leading directive lines; the reader is left at the first record.
// The lines themselves, each ended by LF, are appended to lines when given.
void readFileDirectives(LineReader& reader, FileDirectives& directives, std::string* lines = nullptr);

// The directive lines (appended to out), with ';' as delimiter unless a
// value holds one: then with the file's own, announced by "#!DELIMITER=".
void appendFileDirectives(std::string& out, const FileDirectives& directives);

// Whether the generator reads the two header blocks alike, apart from what
// the editor's writing is meant to change: META lines joined into one, tax
// rates given with two decimals.
bool sameGeneratorHeader(const std::string& a, const std::string& b);

} // namespace korvel
