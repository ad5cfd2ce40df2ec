#pragma once
// How a chart is cut into printed pages: how many grid columns and rows a page holds, how
// many pages across and down, which grid positions a page shows and how far the drawing
// origins move for it. All in chart units (0.01 inch); the geometry terms are the chart
// layout's, computed for the printed page.
#include <cstdint>
#include <string>

#include "core/model/views/PageLabels.h"

namespace ondrel {

// The print rectangle used to count pages before the print dialog: a letter page's
// printable area in chart units.
inline constexpr int kEstimatePageRight = 800;
inline constexpr int kEstimatePageBottom = 1054;

struct ChartPageGeometry {
    int printRight = kEstimatePageRight;
    int printBottom = kEstimatePageBottom;  // magnitude of the (negative) bottom edge
    int originX = 0;
    int originY = 0;
    int cellWidth = 1;
    int cellHeight = 1;
    int textHeight = 0;
    int notesHeight = 0;  // 0 when the notes are not shown
    int linesX = 0;
    int linesY = 0;
    int maxColumn = 0;
    int minRow = 0;
};

struct ChartPagination {
    std::int64_t colsPerPage = 1;
    std::int64_t rowsFirstPage = 1;  // the first page row also carries the notes
    std::int64_t rowsLaterPage = 1;
    std::int64_t pagesAcross = 1;
    std::int64_t pagesDown = 1;

    std::int64_t PageCount() const { return pagesAcross * pagesDown; }
};

// Columns and rows per page from the page and cell sizes, then just enough pages across and
// down that every grid position up to maxColumn and down to minRow lies on exactly one page.
// A page always holds at least one column and one later row, whatever the sizes.
ChartPagination PaginateChart(const ChartPageGeometry& g);

// Grid rows shown on a page row: bottomRow <= r <= topRow.
struct PageRows {
    std::int64_t topRow = 0;
    std::int64_t bottomRow = 0;
};
PageRows PageRowsOf(const ChartPagination& p, std::int64_t pageRow);

// True when grid position (column, row) is printed on the page at `at`.
bool OnChartPage(const ChartPagination& p, PagePosition at, std::int64_t column, std::int64_t row);

// How far the drawing origins move for the page at `at` (added to originX and originY):
// down by the header band on every page, then left by the earlier page columns and up by
// the earlier page rows.
struct OriginShift {
    std::int64_t dx = 0;
    std::int64_t dy = 0;
};
OriginShift PageOriginShift(const ChartPagination& p, PagePosition at, const ChartPageGeometry& g);

// The band of a printed page that connector lines may use: between the header and the footer
// (top and bottom are y values, top > bottom, y up), and the page's left and right edges.
struct PrintBand {
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    std::int64_t left = 0;
    std::int64_t right = 0;
};
// The band of a page with this drawing rectangle (top, bottom y; left, right x).
PrintBand PrintBandOf(int drawingTop, int drawingBottom, int drawingLeft, int drawingRight, int textHeight);

struct BandSegment {
    bool draw = false;
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
// A connector segment on a printed page: drawn as it is when both ends lie in the band;
// skipped when it lies wholly above, below, left or right of it; otherwise drawn with both
// ends' y clamped into the band.
BandSegment ClipSegmentToBand(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                              const PrintBand& band);

// Where things lie among the pages, for printing each page from only what it can show. World
// coordinates are chart units with x to the right and y down (-chart y), before any page's
// origin shift.

// The grid cell's page: the page that OnChartPage puts it on. Cells outside the chart (a
// negative column, a positive row) count as on the nearest page.
PagePosition PageOfCell(const ChartPagination& p, std::int64_t column, std::int64_t row);

// The world rectangle a page's printable area shows.
struct WorldBox {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};
WorldBox PageWorldBox(const ChartPagination& p, PagePosition at, const ChartPageGeometry& g);

// The page columns and rows whose world rectangles meet box (inclusive; empty when a first
// exceeds its last). Rectangles that only touch at an edge meet.
struct PageSpan {
    std::int64_t firstColumn = 1, lastColumn = 0, firstRow = 1, lastRow = 0;
    bool Empty() const { return firstColumn > lastColumn || firstRow > lastRow; }
};
PageSpan PagesMeeting(const ChartPagination& p, const ChartPageGeometry& g, const WorldBox& box);

// The page label of page `at` ("" for a one-page chart).
std::string ChartPageLabel(const ChartPagination& p, PagePosition at);

}  // namespace ondrel
