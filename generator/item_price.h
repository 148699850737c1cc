#pragma once
// The price of an item block or an item table row, with the tax note or tax
// column that follows it.
#include <string>

class PageWriter;
struct CatalogueRecord;
struct FontTag;
struct GenerationRun;

// A price whose first character is a digit; such an item can be bought.
bool isNumericPrice(const std::string& price);

// The amount of a numeric price as a script number: its digits and points up
// to the first other character, without leading zeros ("007.5" gives 7.5).
std::string scriptAmount(const std::string& price);

// "<P>" price font, the price (and tax note), font end.
void writeBlockPrice(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record,
                     const FontTag& priceFont);

// The price cell of a table row and, with tax, its tax column.
void writeRowPrice(const GenerationRun& run, PageWriter& out, const CatalogueRecord& record);
