#include "core/model/views/ChartPages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/platform/IntegerDivision.h"

namespace ondrel {
namespace {

// Page counts beyond this come only from damaged sizes; no printout is that long.
constexpr std::int64_t kMaxPagesOneWay = 1'000'000;

// The mathematical ceiling of numerator / denominator (denominator > 0), as an integer.
std::int64_t CeilDiv(double numerator, double denominator) {
    const double q = std::ceil(numerator / denominator);
    if (std::isnan(q)) return 0;
    return static_cast<std::int64_t>(std::clamp(q, -1e15, 1e15));
}

}  // namespace

ChartPagination PaginateChart(const ChartPageGeometry& g) {
    ChartPagination p;
    const double cellWidth = std::max(1, g.cellWidth);
    const double cellHeight = std::max(1, g.cellHeight);
    const double bottom = std::abs(static_cast<double>(g.printBottom));
    const double rowsRoom = bottom - 4.0 * g.textHeight - cellHeight / 2 - g.originY + g.linesY;
    p.colsPerPage = CeilDiv(g.printRight - g.originX + g.linesX - cellWidth / 2, cellWidth);
    p.rowsFirstPage = CeilDiv(rowsRoom, cellHeight);
    p.rowsLaterPage = CeilDiv(rowsRoom + g.notesHeight, cellHeight);
    // Notes taller than the page leave the first page no rows; a later page holds at least one
    // and a page at least one column, so the counts below always end.
    p.colsPerPage = std::max<std::int64_t>(1, p.colsPerPage);
    p.rowsFirstPage = std::max<std::int64_t>(0, p.rowsFirstPage);
    p.rowsLaterPage = std::max<std::int64_t>({1, p.rowsLaterPage, p.rowsFirstPage});

    // Columns 0..maxColumn, colsPerPage to a page; rows 0..minRow, rowsFirstPage on the first
    // page row and rowsLaterPage on each later one. Exactly enough pages: none stays blank.
    const std::int64_t columns = std::max(0, g.maxColumn) + std::int64_t{1};
    p.pagesAcross = std::clamp<std::int64_t>(CeilDiv(columns, p.colsPerPage), 1, kMaxPagesOneWay);
    const std::int64_t rows = std::abs(std::int64_t{std::min(0, g.minRow)}) + 1;
    p.pagesDown = 1 + CeilDiv(rows - p.rowsFirstPage, p.rowsLaterPage);
    p.pagesDown = std::clamp<std::int64_t>(p.pagesDown, 1, kMaxPagesOneWay);
    return p;
}

PageRows PageRowsOf(const ChartPagination& p, std::int64_t pageRow) {
    PageRows rows;
    if (pageRow <= 1) {
        rows.topRow = 0;
        rows.bottomRow = 1 - p.rowsFirstPage;
    } else {
        rows.topRow = -p.rowsFirstPage - (pageRow - 2) * p.rowsLaterPage;
        rows.bottomRow = rows.topRow - p.rowsLaterPage + 1;
    }
    return rows;
}

bool OnChartPage(const ChartPagination& p, PagePosition at, std::int64_t column, std::int64_t row) {
    const PageRows rows = PageRowsOf(p, at.row);
    return (at.column - 1) * p.colsPerPage <= column && column <= at.column * p.colsPerPage - 1 &&
           rows.bottomRow <= row && row <= rows.topRow;
}

OriginShift PageOriginShift(const ChartPagination& p, PagePosition at, const ChartPageGeometry& g) {
    OriginShift shift;
    shift.dy = 2 * std::int64_t{g.textHeight};
    if (at.column == 1 && at.row == 1) return shift;
    shift.dx -= p.colsPerPage * g.cellWidth * (at.column - 1);
    if (at.row > 1) shift.dy -= std::int64_t{g.cellHeight} * p.rowsFirstPage + g.notesHeight;
    if (at.row > 2) shift.dy -= (at.row - 2) * p.rowsLaterPage * g.cellHeight;
    return shift;
}

PrintBand PrintBandOf(int drawingTop, int drawingBottom, int drawingLeft, int drawingRight, int textHeight) {
    PrintBand band;
    band.top = std::int64_t{drawingTop} - 2 * std::int64_t{textHeight};
    band.bottom = std::int64_t{drawingBottom} + 2 * std::int64_t{textHeight};
    band.left = drawingLeft;
    band.right = drawingRight;
    return band;
}

BandSegment ClipSegmentToBand(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                              const PrintBand& band) {
    auto inside = [&band](std::int64_t y) { return band.bottom <= y && y <= band.top; };
    if (inside(y0) && inside(y1)) return {true, x0, y0, x1, y1};
    const bool above = y0 > band.top && y1 > band.top;
    const bool below = y0 < band.bottom && y1 < band.bottom;
    const bool left = x0 < band.left && x1 < band.left;
    const bool right = x0 > band.right && x1 > band.right;
    if (above || below || left || right) return {false, x0, y0, x1, y1};
    return {true, x0, std::clamp(y0, band.bottom, band.top), x1, std::clamp(y1, band.bottom, band.top)};
}

PagePosition PageOfCell(const ChartPagination& p, std::int64_t column, std::int64_t row) {
    PagePosition at;
    at.column = std::clamp<std::int64_t>(std::max<std::int64_t>(0, column) / p.colsPerPage + 1, 1, p.pagesAcross);
    row = std::min<std::int64_t>(0, row);
    if (row >= 1 - p.rowsFirstPage)
        at.row = 1;
    else
        at.row = 2 + (-p.rowsFirstPage - row) / p.rowsLaterPage;
    at.row = std::clamp<std::int64_t>(at.row, 1, p.pagesDown);
    return at;
}

WorldBox PageWorldBox(const ChartPagination& p, PagePosition at, const ChartPageGeometry& g) {
    const OriginShift s = PageOriginShift(p, at, g);
    return {-s.dx, -s.dy, g.printRight - s.dx, std::abs(std::int64_t{g.printBottom}) - s.dy};
}

PageSpan PagesMeeting(const ChartPagination& p, const ChartPageGeometry& g, const WorldBox& box) {
    PageSpan span;
    const std::int64_t width = g.printRight;
    const std::int64_t height = std::abs(std::int64_t{g.printBottom});
    // Page column c shows x from (c - 1) x step to that + width.
    const std::int64_t step = p.colsPerPage * std::max(1, g.cellWidth);
    span.firstColumn = std::max<std::int64_t>(1, CeilDivSigned(box.left - width, step) + 1);
    span.lastColumn = std::min(p.pagesAcross, FloorDiv(box.right, step) + 1);
    // Page row 1 shows y from -2 x textHeight; row r >= 2 from base + (r - 2) x rowStep.
    const std::int64_t firstTop = -2 * std::int64_t{g.textHeight};
    const bool firstMeets = firstTop <= box.bottom && firstTop + height >= box.top;
    const std::int64_t rowStep = p.rowsLaterPage * std::max(1, g.cellHeight);
    const std::int64_t base = firstTop + p.rowsFirstPage * std::int64_t{std::max(1, g.cellHeight)} + g.notesHeight;
    const std::int64_t laterFirst = std::max<std::int64_t>(2, CeilDivSigned(box.top - height - base, rowStep) + 2);
    const std::int64_t laterLast = std::min(p.pagesDown, FloorDiv(box.bottom - base, rowStep) + 2);
    if (laterFirst <= laterLast) {
        span.firstRow = firstMeets ? 1 : laterFirst;
        span.lastRow = laterLast;
    } else if (firstMeets) {
        span.firstRow = span.lastRow = 1;
    }
    return span;
}

std::string ChartPageLabel(const ChartPagination& p, PagePosition at) {
    return PageLabel(at, p.pagesDown, p.pagesAcross);
}

}  // namespace ondrel
