#pragma once
// Item tables inside a group page: one row per item, with its price, tax
// column and purchase controls as cells.
class PageWriter;
struct CatalogueRecord;
struct GenerationRun;

// Opens a table; only the first table of a page gets the header row.
void OpenItemTable(GenerationRun& run, PageWriter& out);

// Ends an open item table or columns block.
void CloseItemTable(GenerationRun& run, PageWriter& out);

// One row for the record, k being its in-page index.
void ItemTableRow(GenerationRun& run, PageWriter& out, const CatalogueRecord& record, int k);
