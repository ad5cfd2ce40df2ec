// Cutting printed charts and lists into pages: the page labels, the counts, which grid cells
// and table rows each page shows, and where the drawing origins move.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/model/views/ChartPages.h"
#include "core/model/views/ListPages.h"
#include "core/model/views/PageLabels.h"

namespace ondrel::test {
namespace {

TEST(PageLabels, NumberedDownFirstWithColumnLetters) {
    struct Case {
        std::int64_t page, pagesDown, pagesAcross;
        const char* label;
    };
    const Case cases[] = {
        {1, 1, 1, ""},
        {4, 3, 2, "Page 1B of 3B"},
        {3, 3, 2, "Page 3A of 3B"},
        {2, 2, 1, "Page 2 of 2"},
        {2, 1, 3, "Page B of C"},
        {1, 2, 3, "Page 1A of 2C"},
        {2, 2, 3, "Page 2A of 2C"},
        {3, 2, 3, "Page 1B of 2C"},
        {6, 2, 3, "Page 2C of 2C"},
        {27, 1, 28, "Page A of B"},  // column 27 is "A" again, 28 is "B"
        {26, 1, 26, "Page Z of Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(PageLabel(PagePositionOf(c.page, c.pagesDown), c.pagesDown, c.pagesAcross), c.label);
    }
    EXPECT_EQ(PrintDateText({2026, 12, 9}), "12/09/26");
    EXPECT_EQ(PrintDateText({2001, 1, 31}), "01/31/01");
    const PagePosition fourth = PagePositionOf(4, 3);
    EXPECT_EQ(fourth.column, 2);
    EXPECT_EQ(fourth.row, 1);
}

// A default chart layout at magnification 1 on the estimate page.
ChartPageGeometry DefaultChart(int maxColumn, int minRow, int notesHeight = 0) {
    ChartPageGeometry g;
    g.cellWidth = 77;
    g.cellHeight = 72;
    g.textHeight = 15;
    g.linesX = 15;
    g.linesY = 15;
    g.notesHeight = notesHeight;
    g.originX = g.linesX + g.cellWidth / 2;
    g.originY = g.cellHeight / 2 + notesHeight + 12;
    g.maxColumn = maxColumn;
    g.minRow = minRow;
    return g;
}

// Every grid cell of the chart lies on exactly one page, every page shows at least one grid
// cell, and a cell's centre, with the page's origin shift, lands inside the band between the
// page header and footer.
void ExpectEveryCellOnExactlyOnePage(const ChartPageGeometry& g) {
    const ChartPagination p = PaginateChart(g);
    ASSERT_LE(p.PageCount(), 400);
    std::map<std::int64_t, int> cellsOnPage;
    for (std::int64_t c = 0; c <= g.maxColumn; ++c) {
        for (std::int64_t r = g.minRow; r <= 0; ++r) {
            int pages = 0;
            for (std::int64_t n = 1; n <= p.PageCount(); ++n) {
                const PagePosition at = PagePositionOf(n, p.pagesDown);
                if (!OnChartPage(p, at, c, r)) continue;
                ++pages;
                ++cellsOnPage[n];
                const OriginShift s = PageOriginShift(p, at, g);
                const std::int64_t x = g.originX + s.dx + c * g.cellWidth;
                const std::int64_t y = r * g.cellHeight - (g.originY + s.dy);
                EXPECT_GT(x, 0);
                EXPECT_LE(x, g.printRight + g.linesX);
                EXPECT_LT(y, -2 * g.textHeight);
                EXPECT_GT(y, -g.printBottom + 2 * g.textHeight - g.linesY);
            }
            EXPECT_EQ(pages, 1) << "cell " << c << ", " << r;
        }
    }
    // Only notes that fill the whole first page leave it without cells.
    const std::int64_t notesOnly = p.rowsFirstPage == 0 ? 1 : 0;
    EXPECT_EQ(static_cast<std::int64_t>(cellsOnPage.size()) + notesOnly, p.PageCount()) << "a page stays blank";
}

TEST(ChartPages, CountsForTheDefaultLayout) {
    const ChartPagination p = PaginateChart(DefaultChart(0, 0));
    // (800 - 53 + 15 - 38.5) / 77 -> 10 columns; (1054 - 60 - 36 - 84 + 15) / 72 -> 13 rows.
    EXPECT_EQ(p.colsPerPage, 10);
    EXPECT_EQ(p.rowsFirstPage, 13);
    EXPECT_EQ(p.rowsLaterPage, 13);
    // Notes take room on the first page only.
    const ChartPagination withNotes = PaginateChart(DefaultChart(0, 0, 150));
    EXPECT_EQ(withNotes.rowsFirstPage, 11);
    EXPECT_EQ(withNotes.rowsLaterPage, 13);
}

TEST(ChartPages, PageCountsAndCellsPerPage) {
    struct Case {
        const char* name;
        ChartPageGeometry g;
        std::int64_t across, down;
    };
    ChartPageGeometry oneColumn = DefaultChart(3, -20);
    oneColumn.printRight = 120;  // a page narrower than two cells
    ChartPageGeometry oneLaterRow = DefaultChart(2, -6, 0);
    oneLaterRow.printBottom = 200;
    ChartPageGeometry tallNotes = DefaultChart(1, -3, 2000);
    const Case cases[] = {
        {"column 0, first page's rows", DefaultChart(0, -12), 1, 1},
        {"one row more", DefaultChart(0, -13), 1, 2},
        {"ten columns", DefaultChart(9, 0), 1, 1},
        {"eleven columns", DefaultChart(10, 0), 2, 1},
        {"three down, two across", DefaultChart(15, -30), 2, 3},
        {"with notes", DefaultChart(4, -23, 150), 1, 2},
        {"one column per page", oneColumn, 4, 2},
        {"one later row per page", oneLaterRow, 1, 7},
        {"notes fill the first page", tallNotes, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartPagination p = PaginateChart(c.g);
        EXPECT_EQ(p.pagesAcross, c.across);
        EXPECT_EQ(p.pagesDown, c.down);
        ExpectEveryCellOnExactlyOnePage(c.g);
    }
    EXPECT_EQ(PaginateChart(oneColumn).colsPerPage, 1);
    EXPECT_EQ(PaginateChart(oneLaterRow).rowsLaterPage, 1);
    EXPECT_EQ(PaginateChart(tallNotes).rowsFirstPage, 0);
}

TEST(ChartPages, OnePageChartHasNoLabelAndNoShiftButTheHeader) {
    const ChartPageGeometry g = DefaultChart(0, -12);
    const ChartPagination p = PaginateChart(g);
    ASSERT_EQ(p.PageCount(), 1);
    EXPECT_EQ(ChartPageLabel(p, PagePositionOf(1, p.pagesDown)), "");
    const OriginShift s = PageOriginShift(p, PagePositionOf(1, 1), g);
    EXPECT_EQ(s.dx, 0);
    EXPECT_EQ(s.dy, 2 * g.textHeight);
}

TEST(ChartPages, DamagedSizesStillEnd) {
    ChartPageGeometry g = DefaultChart(2'000'000'000, -2'000'000'000);
    g.cellWidth = 0;
    g.cellHeight = -5;
    const ChartPagination p = PaginateChart(g);
    EXPECT_GE(p.colsPerPage, 1);
    EXPECT_GE(p.rowsLaterPage, 1);
    EXPECT_LE(p.pagesAcross, 1'000'000);
    EXPECT_LE(p.pagesDown, 1'000'000);
}

ListPageInput ListOf(std::int64_t columns, std::int64_t samples, int notesHeight = 0) {
    ListPageInput in;
    in.columnWidth = 90;
    in.rowHeight = 16;
    in.columnCount = columns;
    in.sampleCount = samples;
    in.notesHeight = notesHeight;
    in.notesDisplay = notesHeight > 0;
    return in;
}

// Every displayed block after the fixed one and every sample row is printed on exactly one
// page, and no page lacks rows or (with more than one block) scrolled columns.
void ExpectEveryCellOnceInTheList(const ListPageInput& in) {
    const ListPagination p = PaginateList(in);
    std::vector<int> columnSeen(static_cast<std::size_t>(in.columnCount), 0);
    std::vector<int> rowSeen(static_cast<std::size_t>(in.sampleCount), 0);
    for (std::int64_t n = 1; n <= p.PageCount(); ++n) {
        const ListPageLayout l = ListPageLayoutOf(p, in, n);
        std::int64_t columns = 0, rows = 0;
        // Columns are counted on the first row page, rows on the first column page.
        for (std::int64_t c = l.firstColumn + 1; c <= l.firstColumn + l.visibleColumns && c < in.columnCount; ++c) {
            ++columns;
            if (l.at.row == 1) ++columnSeen[static_cast<std::size_t>(c)];
        }
        for (std::int64_t r = std::max<std::int64_t>(0, l.firstRow); r < l.firstRow + l.rows && r < in.sampleCount; ++r) {
            ++rows;
            if (l.at.column == 1) ++rowSeen[static_cast<std::size_t>(r)];
        }
        if (in.sampleCount > 0) {
            EXPECT_GT(rows, 0) << "page " << n;
        }
        if (in.columnCount > 1) {
            EXPECT_GT(columns, 0) << "page " << n;
        }
        EXPECT_LE(-l.lineBottom, in.pageHeight) << "page " << n;
    }
    for (std::size_t c = 1; c < columnSeen.size(); ++c) EXPECT_EQ(columnSeen[c], 1) << "column " << c;
    for (std::size_t r = 0; r < rowSeen.size(); ++r) EXPECT_EQ(rowSeen[r], 1) << "row " << r;
}

TEST(ListPages, CountsLayoutsAndLabels) {
    struct Case {
        const char* name;
        ListPageInput in;
        std::int64_t columnPages, rowPages;
        const char* lastLabel;
    };
    // 800 / 90: 7 scrolled columns beside the fixed one; (1054 - 48) / 16: 62 rows a page.
    const Case cases[] = {
        {"one page", ListOf(8, 62), 1, 1, ""},
        {"two row pages, three column pages", ListOf(20, 100), 3, 2, "Page 2C of 2C"},
        {"one row more than a page", ListOf(3, 63), 1, 2, "Page 2 of 2"},
        {"notes rows push the last rows on", ListOf(3, 55, 100), 1, 2, "Page 2 of 2"},
        {"an empty table", ListOf(0, 0), 1, 1, ""},
        {"one block", ListOf(1, 10), 1, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ListPagination p = PaginateList(c.in);
        EXPECT_EQ(p.columnPages, c.columnPages);
        EXPECT_EQ(p.rowPages, c.rowPages);
        EXPECT_EQ(ListPageLabel(p, PagePositionOf(p.PageCount(), p.rowPages)), c.lastLabel);
        ExpectEveryCellOnceInTheList(c.in);
    }
    const ListPagination p = PaginateList(ListOf(20, 100));
    const char* labels[] = {"Page 1A of 2C", "Page 2A of 2C", "Page 1B of 2C",
                            "Page 2B of 2C", "Page 1C of 2C", "Page 2C of 2C"};
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(ListPageLabel(p, PagePositionOf(n, p.rowPages)), labels[n - 1]);
}

TEST(ListPages, NotesOnTheFirstRowPageOfTheFirstColumnPage) {
    const ListPageInput in = ListOf(20, 200, 40);  // 3 notes rows
    const ListPagination p = PaginateList(in);
    EXPECT_EQ(p.notesRows, 3);
    EXPECT_EQ(p.rowsPerPage, 60);
    const ListPageLayout first = ListPageLayoutOf(p, in, 1);
    EXPECT_TRUE(first.drawNotes);
    EXPECT_EQ(first.notesTop, -16);
    EXPECT_EQ(first.tableTop, -56);
    EXPECT_EQ(first.rows, 57);
    const ListPageLayout second = ListPageLayoutOf(p, in, 2);
    EXPECT_FALSE(second.drawNotes);
    EXPECT_EQ(second.firstRow, 57);
    EXPECT_EQ(second.tableTop, -56);  // the notes band stays, empty
    const ListPageLayout nextColumn = ListPageLayoutOf(p, in, p.rowPages + 1);
    EXPECT_FALSE(nextColumn.drawNotes);
    EXPECT_EQ(nextColumn.firstRow, 0);
    EXPECT_EQ(nextColumn.firstColumn, 7);
}

}  // namespace
}  // namespace ondrel::test

namespace ondrel::test {
namespace {

TEST(ChartPages, ConnectorSegmentsClippedToTheBand) {
    // Drawing rectangle top -5, bottom -1054, right 800, text height 15: band -35 .. -1024.
    const PrintBand band = PrintBandOf(-5, -1054, 0, 800, 15);
    EXPECT_EQ(band.top, -35);
    EXPECT_EQ(band.bottom, -1024);
    struct Case {
        const char* name;
        std::int64_t x0, y0, x1, y1;
        bool draw;
        std::int64_t clippedY0, clippedY1;
    };
    const Case cases[] = {
        {"inside", 10, -100, 10, -500, true, -100, -500},
        {"inside, right of the page", 900, -100, 950, -100, true, -100, -100},
        {"above", 10, -10, 10, -20, false, -10, -20},
        {"below", 10, -1030, 10, -2000, false, -1030, -2000},
        {"left", -50, -2000, -10, -2000, false, -2000, -2000},
        {"right", 810, -10, 900, -10, false, -10, -10},
        {"crosses the header", 10, -10, 10, -300, true, -35, -300},
        {"crosses the footer", 10, -900, 10, -1100, true, -900, -1024},
        {"crosses both", 10, 0, 10, -5000, true, -35, -1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BandSegment s = ClipSegmentToBand(c.x0, c.y0, c.x1, c.y1, band);
        EXPECT_EQ(s.draw, c.draw);
        EXPECT_EQ(s.x0, c.x0);
        EXPECT_EQ(s.x1, c.x1);
        EXPECT_EQ(s.y0, c.clippedY0);
        EXPECT_EQ(s.y1, c.clippedY1);
    }
}

}  // namespace
}  // namespace ondrel::test

namespace ondrel::test {
namespace {

// Printing a page from only what lies on it: a cell's page is the page that shows it, and the
// pages meeting a box are exactly those whose world rectangles meet it.
TEST(ChartPages, CellsAndBoxesFindTheirPages) {
    std::vector<ChartPageGeometry> geometries;
    for (int notes : {0, 150, 2000}) {
        ChartPageGeometry g = DefaultChart(25, -40, notes);
        g.textHeight = 15;
        geometries.push_back(g);
    }
    ChartPageGeometry narrow = DefaultChart(6, -9);
    narrow.printRight = 120;
    narrow.printBottom = 200;
    geometries.push_back(narrow);
    for (const ChartPageGeometry& g : geometries) {
        const ChartPagination p = PaginateChart(g);
        for (std::int64_t c = 0; c <= g.maxColumn; ++c)
            for (std::int64_t r = g.minRow; r <= 0; ++r)
                ASSERT_TRUE(OnChartPage(p, PageOfCell(p, c, r), c, r)) << c << ", " << r;
        const std::int64_t cw = g.cellWidth, ch = g.cellHeight;
        for (std::int64_t x = -cw; x < (g.maxColumn + 2) * cw; x += cw / 3 + 1) {
            for (std::int64_t y = -ch; y < (-g.minRow + 3) * ch; y += ch / 3 + 1) {
                for (std::int64_t size : {std::int64_t{0}, cw / 2, 5 * ch}) {
                    const WorldBox box{x, y, x + size, y + size};
                    const PageSpan span = PagesMeeting(p, g, box);
                    for (std::int64_t n = 1; n <= p.PageCount(); ++n) {
                        const PagePosition at = PagePositionOf(n, p.pagesDown);
                        const WorldBox page = PageWorldBox(p, at, g);
                        const bool meets = page.left <= box.right && page.right >= box.left &&
                                           page.top <= box.bottom && page.bottom >= box.top;
                        const bool inSpan = span.firstColumn <= at.column && at.column <= span.lastColumn &&
                                            span.firstRow <= at.row && at.row <= span.lastRow;
                        ASSERT_EQ(inSpan, meets) << "page " << n << " box " << x << ", " << y << " + " << size;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace ondrel::test
