#pragma once
// The "#!" directive lines of a catalogue data file: the header block, which
// declares the fields and the page-wide texts, and the directives among the
// records, which change those texts for the pages written after them.
#include <functional>
#include <string_view>

#include "model/catalogue_reader.h"
#include "model/directive_lexer.h"

namespace catalogue_detail {

inline constexpr std::size_t kHeaderLineCapacity = 1999;

// The character right after "DELIMITER=" on the line; 0 when the line holds
// no such directive or nothing follows it. A line end or NUL there is no
// delimiter to the generator.
char findDelimiterDirective(std::string_view line);

// What the header block declares, by number, until the block has ended.
struct HeaderScan {
    SelectionDeclaration selections[kSelectionCount];
    bool selectionDeclared[kSelectionCount] = {};
    TaxTypeDeclaration taxTypes[8];
    bool taxTypeDeclared[8] = {};
    bool unitDeclared = false;
    bool codeDeclared = false;
};

// Applies the directives of one header line (line end removed).
void scanHeaderLine(std::string_view line, char delimiter, HeaderScan& scan,
                    CatalogueHeader& header);

// Turns the declarations into the header's selections, tax types, field mask
// and field list.
void finishHeader(const HeaderScan& scan, CatalogueHeader& header);

// Applies one directive line met among the records (line end removed).
void applyBodyDirective(std::string_view line, CatalogueHeader& header,
                        const std::function<void(std::string_view)>& fileDirective);

} // namespace catalogue_detail
