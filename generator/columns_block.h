#pragma once
// A columns block inside a group page: items laid out n to a row, with an
// optional checkerboard of two cell colours.
class PageWriter;
struct GenerationRun;

void OpenColumns(GenerationRun& run, PageWriter& out, int count);

// The row start (at the first column) and the cell opening of item k.
void ColumnsCellStart(GenerationRun& run, PageWriter& out, int k);
