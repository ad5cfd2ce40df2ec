#pragma once
// The chart's geometry: where the grid cells, the text bands and the notes lie, in chart
// units (0.01 inch, y up). Recomputed from the view settings, the document's blocks and the
// width of the drawing rectangle whenever any of them may have changed; measuring uses the
// view's fonts in chart units, so the result does not depend on the device.
#include <QFont>
#include <QPoint>
#include <QStringList>
#include <cstdint>

#include "core/blocks/CBlock.h"
#include "core/model/ConnectorGeometry.h"

namespace ondrel {
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

// Chart units per inch: the chart is laid out in hundredths of an inch.
inline constexpr double kChartUnitsPerInch = 100.0;

// The fixed text whose extent sizes the value band and the cells.
inline constexpr const char* kValueSizingText = "+0.000e+000";

struct ChartGeometry {
    int leading = 1;
    int valueTextWidth = 0;
    int textHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int originX = 0;
    int originY = 0;
    std::int64_t extentX = 0;
    std::int64_t extentY = 0;
    int maxColumn = 0;
    int minRow = 0;
    int lineOffset = 0;  // shifts the horizontal connector lanes toward the text-free side
    QStringList notesLines;
    int notesHeight = 0;
};

// A logical font description as a QFont whose pixel size is in chart units (a negative
// height is the character height, a positive one the cell height).
QFont ChartUnitFont(const FontDescription& description);
// n x MagBmp, truncated toward zero: how every magnified distance is taken.
int Magnified(double mag, int n);
// A placeholder block (the Clock's auxiliary outputs) is never drawn or measured.
bool IsPlaceholder(const ondrel::CBlock& block);

// Wraps the notes at the break characters " /;,." so that each line fits within limit
// (chart units); a line break in the text always starts a new line, and a word that fits
// nowhere still gets a line of its own. Trailing blanks are trimmed.
QStringList WrapNotes(const QString& text, const QFont& font, int limit);

// The whole geometry. drawingRight is the right edge of the drawing rectangle in chart units
// (the client width on screen); the notes wrap there.
ChartGeometry LayOutChart(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                          int drawingRight);

// The centre of grid position p, chart units (y up).
QPoint CellCentre(const ChartGeometry& g, ondrel::GridPoint p);
// The metrics the connector rule needs to draw at this view's size.
ondrel::ConnectorMetrics ViewConnectorMetrics(const ChartGeometry& g,
                                              const ondrel::ChartViewState& state);

}  // namespace ondrel::gui
