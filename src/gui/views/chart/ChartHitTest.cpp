#include "gui/views/chart/ChartHitTest.h"

#include <cstdint>
#include <cstdlib>

#include "core/model/CTarvekDoc.h"
#include "gui/views/chart/ChartMarkers.h"

namespace ondrel::gui {
namespace {

constexpr int kHalfIcon = 11;

// The slot of a port (0 the output, 1..3 the inputs); -1 for a port the block does not show.
int SlotOf(const ondrel::CBlock& block, int port) {
    if (port == 0) return block.showsValue ? kOutputSlot : -1;
    return InputSlot(block, port);
}

bool InPortRectangle(const ondrel::CBlock& block, QPoint centre, double mag, int slot, bool output,
                     QPoint point) {
    // Inputs sit left of the icon, the output right; a flipped block mirrors both.
    const bool right = output != block.flipped;
    const int near = Magnified(mag, 11);
    const int far = Magnified(mag, 16);
    const int dx = point.x() - centre.x();
    const bool inX = right ? (dx >= near && dx <= far) : (dx >= -far && dx <= -near);
    const int dy = point.y() - centre.y();
    return inX && dy >= Magnified(mag, 8 - slot) && dy <= Magnified(mag, 14 - slot);
}

// C's remainder, then moved into (-size/2, size/2]: the offset from the nearest cell line.
std::int64_t OffsetFromNearest(std::int64_t value, std::int64_t size) {
    std::int64_t offset = value % size;
    if (offset > size / 2) offset -= size;
    return offset;
}

}  // namespace

ondrel::CBlock* BlockAt(const ondrel::CTarvekDoc& doc, const ChartGeometry& g, double mag,
                        QPoint point) {
    const int half = Magnified(mag, kHalfIcon);
    for (const auto& block : doc.blockList) {
        if (IsPlaceholder(*block)) continue;
        const QPoint c = CellCentre(g, block->position);
        if (std::abs(point.x() - c.x()) < half && std::abs(point.y() - c.y()) < half) return block.get();
    }
    return nullptr;
}

std::optional<PortHit> PortAt(const ondrel::CTarvekDoc& doc, const ChartGeometry& g, double mag,
                              QPoint point) {
    for (const auto& block : doc.blockList) {
        if (IsPlaceholder(*block)) continue;
        const QPoint c = CellCentre(g, block->position);
        // Output first, then the inputs from the top down (their slots grow with the row).
        for (int port = 0; port <= 3; ++port) {
            const int slot = SlotOf(*block, port);
            if (slot < 0 || !InPortRectangle(*block, c, mag, slot, port == 0, point)) continue;
            if (port > 0 && block->input[port] != nullptr) return std::nullopt;
            return PortHit{block.get(), port};
        }
    }
    return std::nullopt;
}

QPoint PortConnectionPoint(const ChartGeometry& g, double mag, const PortHit& port) {
    const QPoint c = CellCentre(g, port.block->position);
    const int slot = port.port == 0 ? kOutputSlot : InputSlot(*port.block, port.port);
    const bool right = (port.port == 0) != port.block->flipped;
    return {c.x() + Magnified(mag, right ? 15 : -15), c.y() + Magnified(mag, 11 - slot)};
}

std::optional<ondrel::GridPoint> SnapToGrid(const ChartGeometry& g, QPoint point, int toleranceX,
                                           int toleranceY) {
    if (g.cellWidth <= 0 || g.cellHeight <= 0) return std::nullopt;
    const std::int64_t fromLeft = std::int64_t{point.x()} - g.originX;
    const std::int64_t dx = OffsetFromNearest(fromLeft, g.cellWidth);
    const std::int64_t down = -std::int64_t{point.y()} - g.originY;
    const std::int64_t dy = OffsetFromNearest(down, g.cellHeight);
    if (std::abs(dx) > toleranceX || std::abs(dy) > toleranceY) return std::nullopt;
    const std::int64_t column = (fromLeft - dx) / g.cellWidth;
    const std::int64_t row = -((down - dy) / g.cellHeight);
    // Left of the first column or above the first row is off the chart.
    if (column < 0 || row > 0 || column > INT32_MAX || row < INT32_MIN) return std::nullopt;
    return ondrel::GridPoint{static_cast<std::int32_t>(column), static_cast<std::int32_t>(row)};
}

bool IsOccupied(const ondrel::CTarvekDoc& doc, ondrel::GridPoint position) {
    for (const auto& block : doc.blockList)
        if (block->position == position) return true;
    return false;
}

}  // namespace ondrel::gui
