#pragma once
// Draws a list view's table: the notes (when shown), the header row of labels, the fixed
// column of the first displayed block and the scrolling columns after it, and the two lines
// that set off the header and the fixed column. Only the rows and columns that fit the area
// are drawn, so the cost does not depend on the number of samples. One path for the screen,
// images and printers.
#include <QColor>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "gui/views/output/ListLayout.h"

class QPainter;

namespace ondrel {
class ListViewState;
struct ListTable;
}

namespace ondrel::gui {

struct ListPaintJob {
    ListPaintJob(const ListViewState& s, const ListTable& t, ListMetrics m) : state(s), table(t), metrics(m) {}

    const ListViewState& state;  // fonts, colours, notes
    const ListTable& table;      // columns, sample count, value format
    ListMetrics metrics;
    int firstColumn = 0;          // the scrolling column shown right of the fixed one, minus 1
    std::int64_t firstRow = 0;    // the sample in the first value row
    QColor background;            // filled first unless invalid
    // Rows shown selected (inclusive); none when first > last.
    std::int64_t selectedFirst = 0;
    std::int64_t selectedLast = -1;
    QColor selection;
    // A printed page: the rows and columns it shows instead of what fits the area, whether it
    // draws the notes (the page keeps their band either way) and whether all ink is black.
    std::optional<ListWindowExtent> extent;
    bool drawNotes = true;
    bool black = false;
    // The fixed column's line stands this far right of the cells: two units of 0.01 inch, a
    // pixel each on the screen.
    int lineGap = 2;
};

// A text as drawn: the box it was aligned in, and the text.
struct DrawnText {
    QRect box;
    QString text;
};

// Paints job into area (its top-left the table's origin). drawn, when given, receives every
// header and cell text in drawing order.
void PaintListTable(QPainter& painter, const QRect& area, const ListPaintJob& job,
                    std::vector<DrawnText>* drawn = nullptr);

}  // namespace ondrel::gui
