#pragma once
// What a mouse point on a chart view falls on: a block, a port, a grid position. Every test
// works in chart units (0.01 inch, y up) on the view's current geometry, with the block's
// icon magnified as drawn.
#include <QPoint>
#include <optional>

#include "core/blocks/CBlock.h"
#include "gui/views/chart/ChartLayout.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

// A port: 0 is the output, 1..3 the inputs.
struct PortHit {
    ondrel::CBlock* block = nullptr;
    int port = 0;
};

// The first block, in document order, whose icon square holds point.
ondrel::CBlock* BlockAt(const ondrel::CTarvekDoc& doc, const ChartGeometry& g, double mag,
                        QPoint point);
// The first port, in document order and per block output, upper, middle, lower, whose hit
// rectangle holds point; an input that already has a source does not count.
std::optional<PortHit> PortAt(const ondrel::CTarvekDoc& doc, const ChartGeometry& g, double mag,
                              QPoint point);
// Where a connector meets the port: the rubber band starts there.
QPoint PortConnectionPoint(const ChartGeometry& g, double mag, const PortHit& port);
// The grid position point snaps to: within toleranceX and toleranceY of a cell centre, on
// the chart (column 0 or right of it, row 0 or below). None otherwise.
std::optional<ondrel::GridPoint> SnapToGrid(const ChartGeometry& g, QPoint point, int toleranceX,
                                           int toleranceY);
// Whether any block, drawn or not, sits at position.
bool IsOccupied(const ondrel::CTarvekDoc& doc, ondrel::GridPoint position);

}  // namespace ondrel::gui
