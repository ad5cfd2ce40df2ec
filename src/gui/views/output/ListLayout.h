#pragma once
// The sizes a list view lays its table out with, in the units it draws in (pixels on the
// screen): a cell is as wide and as high as the widest value text can be in the list font;
// the notes take the drawing area's width and the height they wrap to in the notes font.
#include <QRect>
#include <QString>
#include <cstdint>

class QPaintDevice;

namespace ondrel {
class ListViewState;
}

namespace ondrel::gui {

struct ListMetrics {
    int cellWidth = 1;
    int rowHeight = 1;
    int notesWidth = 0;
    int notesHeight = 0;  // 0 without notes
};

// Measures state's cells and notes for a drawing area width units wide, with the fonts as
// device (null: the screen) renders them.
ListMetrics MeasureList(const ListViewState& state, int areaWidth, QPaintDevice* device = nullptr);

// What the table shows in a drawing area: whole rows and columns.
struct ListWindowExtent {
    int visibleRows = 0;     // value rows that fit below the header
    int visibleColumns = 0;  // scrolling columns that fit right of the fixed one
};
ListWindowExtent WindowExtent(const ListMetrics& metrics, QSize area);

// The largest first scrolling column and first row a scroll can reach.
int LastFirstColumn(const ListMetrics& metrics, int columnCount, QSize area);
std::int64_t LastFirstRow(const ListMetrics& metrics, std::int64_t sampleCount, QSize area);

}  // namespace ondrel::gui
