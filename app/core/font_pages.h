#pragma once
// The pages of the "Font details" sheet as tables of fields. Every font
// element has five rows: face, size (0 to 7), colour, and the bold and
// italic bits of its style; a few also have a second colour.
#include <span>

#include "app/core/sheet_pages.h"

// "Index", "Item", "Item tables & columns", "Basket", "Search", in tab order.
std::span<const SheetPage> fontSheetPages();
