#include "generator/columns_block.h"

#include "generator/generation_run.h"
#include "generator/page_writer.h"
#include "model/paths.h"

void OpenColumns(GenerationRun& run, PageWriter& out, int count) {
    ColumnsState& columns = run.itemPages.columns;
    columns.inColumns = true;
    columns.count = count > 0 ? count : 2;
    columns.current = 1;
    columns.row = 1;
    std::string colour(fieldText(run.appearance.columnsColour));
    if (!colour.empty())
        out.printf("<BR CLEAR=ALL><TABLE CELLSPACING=%d CELLPADDING=4 WIDTH=100%% BGCOLOR=%s BORDER=0>\n",
                   static_cast<int>(run.appearance.columnsSpacing), colour.c_str());
    else
        out.printf("<BR CLEAR=ALL><TABLE CELLSPACING=%d CELLPADDING=4 WIDTH=100%% BORDER=0>\n",
                   static_cast<int>(run.appearance.columnsSpacing));
}

void ColumnsCellStart(GenerationRun& run, PageWriter& out, int k) {
    ColumnsState& columns = run.itemPages.columns;
    if (columns.current == 1) {
        out.put("<tr valign=top>");
        // With an even count the colours would line up in columns; moving
        // each row on by one keeps the checkerboard.
        if (columns.count % 2 == 0)
            ++columns.row;
    }
    std::string first(fieldText(run.appearance.columnCellColours[0]));
    std::string second(fieldText(run.appearance.columnCellColours[1]));
    if (first.empty())
        out.put("<td>");
    else if (second.empty() || (columns.row + k) % 2 != 0)
        out.printf("<td bgcolor=%s>", first.c_str());
    else
        out.printf("<td bgcolor=%s>", second.c_str());
    columns.current = columns.current >= columns.count ? 1 : columns.current + 1;
}
