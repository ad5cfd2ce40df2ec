#include "core/model/views/ListPages.h"

#include <algorithm>
#include <cstdlib>

#include "core/platform/IntegerDivision.h"

namespace ondrel {
ListPagination PaginateList(const ListPageInput& in) {
    ListPagination p;
    const std::int64_t cw = std::max(1, in.columnWidth);
    const std::int64_t rh = std::max(1, in.rowHeight);
    const std::int64_t notes = std::abs(std::int64_t{in.notesHeight});
    const std::int64_t width = std::abs(std::int64_t{in.pageWidth});
    const std::int64_t height = std::abs(std::int64_t{in.pageHeight});
    p.columnsPerPage = std::max<std::int64_t>(1, FloorDiv(width - cw, cw));
    p.rowsPerPage = std::max<std::int64_t>(1, FloorDiv(height - 3 * rh - notes, rh));
    p.notesRows = in.notesDisplay ? CeilDiv(notes, rh) : 0;
    // The notes rows can at most fill the first row page; the table then starts on the next.
    p.notesRows = std::min(p.notesRows, p.rowsPerPage);
    // Displayed block 0 is the fixed column of every page; the others go columnsPerPage to a
    // page beside it, so no page repeats the fixed column alone.
    p.columnPages = std::max<std::int64_t>(1, CeilDiv(in.columnCount - 1, p.columnsPerPage));
    // The first row page gives notesRows of its rows to the notes: count them in, or the last
    // samples would fall off the end.
    const std::int64_t rowsToPrint = in.sampleCount > 0 ? in.sampleCount + p.notesRows : 0;
    p.rowPages = std::max<std::int64_t>(1, CeilDiv(rowsToPrint, p.rowsPerPage));
    return p;
}

ListPageLayout ListPageLayoutOf(const ListPagination& p, const ListPageInput& in, std::int64_t page) {
    ListPageLayout l;
    l.at = PagePositionOf(page, p.rowPages);
    const int rh = std::max(1, in.rowHeight);
    const int notes = std::abs(in.notesHeight);
    l.firstColumn = (l.at.column - 1) * p.columnsPerPage;
    l.visibleColumns = p.columnsPerPage;
    // Below the top line (one row height), then the notes band whenever the notes are shown.
    const int notesBand = in.notesDisplay ? notes : 0;
    l.tableTop = -(rh + notesBand);
    if (l.at.row == 1) {
        l.firstRow = 0;
        l.rows = p.rowsPerPage - p.notesRows;
    } else {
        l.firstRow = p.rowsPerPage * (l.at.row - 1) - p.notesRows;
        l.rows = p.rowsPerPage;
    }
    l.drawNotes = in.notesDisplay && notes > 0 && l.at.row == 1 && l.at.column == 1;
    l.notesTop = -rh;
    l.lineBottom = static_cast<int>(l.tableTop - (l.rows + 1) * rh);
    return l;
}

std::string ListPageLabel(const ListPagination& p, PagePosition at) {
    return PageLabel(at, p.rowPages, p.columnPages);
}

}  // namespace ondrel
