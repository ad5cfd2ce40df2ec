#pragma once
// Where a connector runs on the chart: the six points P0..P5 of its orthogonal polyline,
// from the target's input port (P0) to the source's output port (P5), computed from the
// connector's route record and a set of metrics. The router uses the default metrics; a
// chart view supplies its own to draw the same path at its size.
//
// Coordinates are chart units (0.01 inch, y up). They are 64-bit so that any grid position
// or route record read from a file gives a well-defined point, however absurd.
#include <array>
#include <cstdint>
#include <optional>

#include "core/blocks/CBlock.h"

namespace ondrel {

// Route record fields and their markers.
enum RouteField : int {
    kRouteTargetLane = 0,  // vertical lane beside the target, or kDirectRoute / kNoRoute
    kRouteRow = 1,         // grid row whose upper boundary holds the horizontal lane, or kSingleLaneRow
    kRouteRowLane = 2,     // horizontal lane within that boundary
    kRouteSourceLane = 3,  // vertical lane beside the source
};
inline constexpr std::int32_t kDirectRoute = -96;    // in the target lane: neighbours, no search
inline constexpr std::int32_t kSingleLaneRow = -97;  // in the row: one vertical lane only

// The geometry of the chart grid as the connector rule sees it.
struct ConnectorMetrics {
    int left = 25;            // g: left offset
    int top = 25;             // b: top offset
    int cellWidth = 50;       // w
    int cellHeight = 50;      // h
    int laneSpacingX = 2;     // sx: distance of neighbouring vertical lanes
    int laneSpacingY = 2;     // sy: distance of neighbouring horizontal lanes
    int laneCorrection = 3;   // k: shifts every horizontal lane down
    double scale = 1.0;       // s: icon magnification
};
// What routing always uses, whatever a view draws with.
inline constexpr ConnectorMetrics kRoutingMetrics{};

struct ChartPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const ChartPoint&) const = default;
};
using ConnectorPoints = std::array<ChartPoint, 6>;  // P0 (input end) .. P5 (output end)

// Port numbers: 0 the output, 1 top input, 2 middle input, 3 bottom input.
// The port that input k (1..3) of a block with inputCount rows uses.
int InputPort(int inputCount, int k);
// Vertical offset of a port from the block's row line: trunc(scale x (11 - t[port])).
std::int64_t PortOffset(int port, double scale);

// What the connector rule reads of a block, small enough that routing a whole chart can keep
// every connector's two blocks in a compact list instead of reaching into the blocks.
struct BlockPlace {
    GridPoint position;
    std::int32_t flipped = 0;
    std::int32_t inputCount = 3;
};
inline BlockPlace PlaceOf(const CBlock& block) { return {block.position, block.flipped, block.inputCount}; }

// P0..P5 of input k of target, coming from source, along record.
ConnectorPoints ConnectorGeometry(const BlockPlace& target, int k, const BlockPlace& source,
                                  const RouteRecord& record,
                                  const ConnectorMetrics& metrics = kRoutingMetrics);
inline ConnectorPoints ConnectorGeometry(const CBlock& target, int k, const CBlock& source,
                                         const RouteRecord& record,
                                         const ConnectorMetrics& metrics = kRoutingMetrics) {
    return ConnectorGeometry(PlaceOf(target), k, PlaceOf(source), record, metrics);
}
// The same for input k's own source and stored record; nothing when k is not 1..3 or the
// input is not connected.
std::optional<ConnectorPoints> ConnectorGeometry(const CBlock& target, int k,
                                                 const ConnectorMetrics& metrics = kRoutingMetrics);

}  // namespace ondrel
