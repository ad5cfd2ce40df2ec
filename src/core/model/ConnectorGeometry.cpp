#include "core/model/ConnectorGeometry.h"

#include <algorithm>
#include <cmath>

namespace ondrel {

namespace {

// Port offsets t[p] from the top of the icon: output, top, middle and bottom input.
constexpr int kPortOffsets[4] = {7, 3, 11, 19};
// Horizontal distance of a port's end from the block's column line, at scale 1.
constexpr int kPortReach = 15;
// How far a direct connector's vertical step stands off the target's input, at scale 1.
constexpr int kDirectStep = 4;

// trunc(scale x value), kept finite and in range for any scale a view may hold.
std::int64_t TruncScaled(double scale, int value) {
    const double product = scale * value;
    constexpr double kLimit = 1e15;
    if (std::isnan(product)) return 0;
    if (product > kLimit) return static_cast<std::int64_t>(kLimit);
    if (product < -kLimit) return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(product);
}

// x of the vertical lane `lane` on the input side of a block in column x.
std::int64_t InputLaneX(const BlockPlace& block, std::int32_t lane, const ConnectorMetrics& m) {
    const std::int64_t half = m.cellWidth / 2;
    return std::int64_t{m.left} + std::int64_t{m.cellWidth} * block.position.x +
           std::int64_t{m.laneSpacingX} * lane + (block.flipped ? half : -half);
}

// x of the vertical lane `lane` on the output side of a block in column x.
std::int64_t OutputLaneX(const BlockPlace& block, std::int32_t lane, const ConnectorMetrics& m) {
    const std::int64_t half = m.cellWidth / 2;
    return std::int64_t{m.left} + std::int64_t{m.cellWidth} * block.position.x +
           std::int64_t{m.laneSpacingX} * lane + (block.flipped ? -half : half);
}

// y of the horizontal lane `rowLane` on the upper boundary of grid row `row`.
std::int64_t RowLaneY(std::int32_t row, std::int32_t rowLane, const ConnectorMetrics& m) {
    return std::int64_t{m.cellHeight} * row + std::int64_t{m.laneSpacingY} * rowLane -
           m.cellHeight / 2 - m.top - m.laneCorrection;
}

// The same x for P1..P4: a connector that runs along a single vertical line.
void SetVerticalRun(ConnectorPoints& p, std::int64_t x) {
    p[1] = {x, p[0].y};
    p[2] = {x, p[0].y};
    p[3] = {x, p[5].y};
    p[4] = {x, p[5].y};
}

}  // namespace

int InputPort(int inputCount, int k) {
    if (inputCount == 1) return 2;
    if (inputCount == 2) return k == 1 ? 1 : 3;
    return std::clamp(k, 1, 3);
}

std::int64_t PortOffset(int port, double scale) {
    if (port < 0 || port > 3) port = 0;
    return TruncScaled(scale, 11 - kPortOffsets[port]);
}

ConnectorPoints ConnectorGeometry(const BlockPlace& target, int k, const BlockPlace& source,
                                  const RouteRecord& record, const ConnectorMetrics& m) {
    ConnectorPoints p;
    const int port = InputPort(target.inputCount, k);
    p[0].x = m.left + TruncScaled(m.scale, target.flipped ? kPortReach : -kPortReach) +
             std::int64_t{m.cellWidth} * target.position.x;
    p[0].y = PortOffset(port, m.scale) + std::int64_t{m.cellHeight} * target.position.y - m.top;
    p[5].x = m.left + TruncScaled(m.scale, source.flipped ? -kPortReach : kPortReach) +
             std::int64_t{m.cellWidth} * source.position.x;
    p[5].y = PortOffset(0, m.scale) + std::int64_t{m.cellHeight} * source.position.y - m.top;

    if (record[kRouteTargetLane] == kDirectRoute) {
        SetVerticalRun(p, p[0].x + TruncScaled(m.scale, source.flipped ? kDirectStep : -kDirectStep));
    } else if (record[kRouteRow] == kSingleLaneRow) {
        SetVerticalRun(p, InputLaneX(target, record[kRouteTargetLane], m));
    } else {
        const std::int64_t x1 = InputLaneX(target, record[kRouteTargetLane], m);
        const std::int64_t laneY = RowLaneY(record[kRouteRow], record[kRouteRowLane], m);
        const std::int64_t x2 = OutputLaneX(source, record[kRouteSourceLane], m);
        p[1] = {x1, p[0].y};
        p[2] = {x1, laneY};
        p[3] = {x2, laneY};
        p[4] = {x2, p[5].y};
    }
    return p;
}

std::optional<ConnectorPoints> ConnectorGeometry(const CBlock& target, int k,
                                                 const ConnectorMetrics& metrics) {
    if (k < 1 || k > 3 || target.input[k] == nullptr) return std::nullopt;
    return ConnectorGeometry(target, k, *target.input[k], target.route[k], metrics);
}

}  // namespace ondrel
