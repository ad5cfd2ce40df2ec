#pragma once
// How a list view's table is cut into printed pages: columns and rows per page, the page
// counts, and for each page which block columns and sample rows it shows and where. In
// logical units (0.01 inch, y up); sizes are the cell and notes sizes measured on the device
// being printed to (or for the estimate before the print dialog).
#include <cstdint>
#include <string>

#include "core/model/views/PageLabels.h"

namespace ondrel {

// The page the count is estimated for before the print dialog, logical units.
inline constexpr int kListEstimatePageWidth = 800;
inline constexpr int kListEstimatePageHeight = 1054;

struct ListPageInput {
    int pageWidth = kListEstimatePageWidth;    // printable width
    int pageHeight = kListEstimatePageHeight;  // printable height (magnitude of the bottom)
    int columnWidth = 1;
    int rowHeight = 1;
    int notesHeight = 0;       // magnitude of the wrapped notes' height; 0 without notes
    bool notesDisplay = false; // NotesDisplay: the notes band is kept on every page
    std::int64_t columnCount = 0;
    std::int64_t sampleCount = 0;
};

struct ListPagination {
    std::int64_t columnsPerPage = 1;
    std::int64_t rowsPerPage = 1;
    std::int64_t columnPages = 1;
    std::int64_t rowPages = 1;
    std::int64_t notesRows = 0;  // rows the notes take from the first row page

    std::int64_t PageCount() const { return columnPages * rowPages; }
};

// The four counts. Every row and column of the table lands on exactly one page and no page
// is left without rows or scrolled columns: the rows the notes take from the first row page
// are counted in, the fixed column is not counted again, and a page holds at least one column
// and one row whatever the sizes. An empty table still prints one page (its header).
ListPagination PaginateList(const ListPageInput& in);

// What one page draws, as on screen with these values: displayed block 0 in the fixed column,
// then displayed blocks firstColumn + 1 ... firstColumn + visibleColumns (those that exist);
// sample rows firstRow ... firstRow + rows - 1 (those that exist).
struct ListPageLayout {
    PagePosition at;               // row page and column page
    std::int64_t firstColumn = 0;  // displayed-block index the scrolled columns start after
    std::int64_t visibleColumns = 0;
    std::int64_t firstRow = 0;     // first sample row
    std::int64_t rows = 0;         // sample rows on this page (may run past the samples)
    int tableTop = 0;              // y0: top of the header row (negative)
    bool drawNotes = false;        // the notes at top -rowHeight: row page 1 of column page 1
    int notesTop = 0;
    int lineBottom = 0;            // the vertical line runs from tableTop down to here
};
ListPageLayout ListPageLayoutOf(const ListPagination& p, const ListPageInput& in, std::int64_t page);

// "" for a one-page table, else "Page 1A of 2C" and so on.
std::string ListPageLabel(const ListPagination& p, PagePosition at);

}  // namespace ondrel
