#pragma once
// The pages of the appearance sheet in the left pane, as tables of fields.
#include <span>
#include <string_view>

#include "app/core/form_fields.h"

// A page of a sheet (or the only page of a dialog): its tab's title and its rows.
struct SheetPage {
    std::string_view title;
    std::span<const FormField> fields;
};

// "Settings": the catalogue's title, files and folders, the preview's size,
// and whether basket and order form are included.
std::span<const FormField> settingsPageFields();
// "Index (1)": the index frame's ground, bullets and link images.
std::span<const FormField> indexDetailPageFields();
// "Index (2)": the index table's colours, alignment, size and style.
std::span<const FormField> indexTablePageFields();
// "Item (1)": the item frame's ground, navigation, pictures and buttons.
std::span<const FormField> itemDetailPageFields();
// "item (2)": the colours and spacing of the item tables and columns.
std::span<const FormField> itemTablePageFields();
// "Basket/Search": the basket frame and the search box.
std::span<const FormField> basketDetailPageFields();
// "Header": the header frame.
std::span<const FormField> headerPageFields();

// The seven pages in tab order, "Settings" first.
std::span<const SheetPage> appearanceSheetPages();
