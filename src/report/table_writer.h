#pragma once
// Tables across pages: fixed column widths, the header row repeated on every page the table
// continues on, a row never cut by a page break, long cell texts wrapped (and shrunk when one
// word is wider than its column), so that nothing leaves the page.
#include <string>
#include <vector>

#include "pdf_pages.h"

namespace tessavin::report {

struct TableColumn {
    std::string header;
    double share = 1.0; // of the content width, relative to the other columns' shares
    bool rightAligned = false;
};

struct TableSpec {
    std::vector<TableColumn> columns;
    std::vector<std::vector<std::string>> rows; // one text per column
    double fontSize = 8.5;
    double width = 1.0; // share of the content width the table takes, from the left margin
};

// Where a row of the table goes: its page (counted from the table's first page, 0) and the
// top of its box.
struct RowPlacement {
    int page = 0;
    double top = 0.0;
};

// The placement of rows of the given heights under a header of headerHeight, from firstTop of
// the first page; each further page starts at pageTop and every page ends at pageBottom. A page
// holds the header and at least one row; a row taller than a page is placed alone (it is shrunk
// before it gets here). The header moves with its first row: a page never ends in a lone header.
std::vector<RowPlacement> PlaceRows(double headerHeight, const std::vector<double>& rowHeights,
                                    double firstTop, double pageTop, double pageBottom);

// Draws the table at the cursor of `pages` and moves the cursor under it.
void WriteTable(PdfPages& pages, const TableSpec& table);

} // namespace tessavin::report
