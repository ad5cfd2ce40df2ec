#include "core/model/ConnectorRouter.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

#include "core/model/CTarvekDoc.h"
#include "core/platform/IntegerDivision.h"

namespace ondrel {

namespace {

constexpr const char* kLineErrorCaption = "Line Error";
constexpr const char* kVerticalNotAvailable = "Vertical Line Not Available";
constexpr const char* kGeneralNotAvailable = "General Line Not Available";
constexpr const char* kDebugQuestion = "Check this out!";
constexpr const char* kVerticalDebugCaption = "Vertical Line";
constexpr const char* kGeneralDebugCaption = "General Line";

// The values a search walks through, in order: from `from` to `to` inclusive by `step`;
// empty when `to` lies behind `from`.
struct Sweep {
    std::int64_t from;
    std::int64_t to;
    std::int64_t step;
};

Sweep Upward(int half) { return {-half, half, 1}; }
Sweep Downward(int half) { return {half, -half, -1}; }

// Calls tryValue for each value of the sweep until one succeeds.
template <typename Try>
bool FirstThat(const Sweep& sweep, Try&& tryValue) {
    for (std::int64_t v = sweep.from; sweep.step > 0 ? v <= sweep.to : v >= sweep.to; v += sweep.step) {
        if (tryValue(v)) return true;
    }
    return false;
}

// The rows whose upper boundary may carry the horizontal lane, nearest the source first:
// between the two blocks, or the boundaries just above and below when they share a row.
Sweep RowSweep(std::int64_t sourceRow, std::int64_t targetRow) {
    constexpr std::int64_t kLastRow = std::numeric_limits<std::int32_t>::max();
    if (sourceRow < targetRow) return {sourceRow + 1, targetRow, 1};
    if (sourceRow == targetRow) return {sourceRow, std::min(targetRow + 1, kLastRow), 1};
    return {sourceRow, targetRow + 1, -1};
}

// A row sweep this short is walked row by row: it costs no more than looking for rows to
// skip would.
constexpr std::int64_t kShortRowSweep = 64;

// Half the lane count, truncated: lanes run from -half to +half.
int LaneHalf(int lanes) { return std::min(lanes, kMaxLanesPerCell) / 2; }

}  // namespace

ConnectorRouter::ConnectorRouter(CTarvekDoc& document, CBlock& target, int k, IRouteDebugPrompt& prompt,
                                 const ChartLanes* lanes)
    : document_(document),
      target_(target),
      k_(k),
      source_(*target.input[k]),
      record_(target.route[k]),
      targetPlace_(PlaceOf(target)),
      sourcePlace_(PlaceOf(source_)),
      vertHalf_(LaneHalf(document.vertLines)),
      horizHalf_(LaneHalf(document.horizLines)),
      prompt_(prompt),
      lanes_(lanes) {}

ConnectorRouter::ConnectorRouter(CTarvekDoc& document, const RoutedConnector& connector,
                                 IRouteDebugPrompt& prompt, const ChartLanes& lanes)
    : document_(document),
      target_(*connector.target),
      k_(connector.k),
      source_(*connector.source),
      record_(connector.target->route[connector.k]),
      targetPlace_(connector.targetPlace),
      sourcePlace_(connector.sourcePlace),
      vertHalf_(LaneHalf(document.vertLines)),
      horizHalf_(LaneHalf(document.horizLines)),
      prompt_(prompt),
      lanes_(&lanes) {}

RouteResult ConnectorRouter::Route() {
    if (IsDirectNeighbour()) {
        record_[kRouteTargetLane] = kDirectRoute;
        return {};
    }
    if (lanes_ == nullptr) occupancy_.Build(document_.blockList, &source_, CandidateArea());
    if (FacesSameColumnBoundary()) {
        if (!SearchSingleLane()) return MarkUnroutable(kVerticalNotAvailable);
        return {};
    }
    if (!SearchGeneral()) return MarkUnroutable(kGeneralNotAvailable);
    return {};
}

// Every coordinate of a candidate moves in step with one field of its record (a lane or the
// row), so the candidates with each field at an end of its sweep span the box of them all.
// The single-lane candidates share the general ones' lanes beside the target and end at
// the same ports.
ConnectorSegment ConnectorRouter::CandidateArea() const {
    const Sweep rows = RowSweep(sourcePlace_.position.y, targetPlace_.position.y);
    ChartPoint low{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max()};
    ChartPoint high{std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()};
    for (const std::int64_t row : {rows.from, rows.to}) {
        for (const int targetLane : {-vertHalf_, vertHalf_}) {
            for (const int rowLane : {-horizHalf_, horizHalf_}) {
                for (const int sourceLane : {-vertHalf_, vertHalf_}) {
                    const RouteRecord corner{targetLane, static_cast<std::int32_t>(row), rowLane, sourceLane};
                    for (const ChartPoint& p : ConnectorGeometry(targetPlace_, k_, sourcePlace_, corner)) {
                        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
                        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
                    }
                }
            }
        }
    }
    return {low, high};
}

// Same row, same orientation, and the source stands right next to the target's inputs.
bool ConnectorRouter::IsDirectNeighbour() const {
    const std::int64_t inputSide = targetPlace_.flipped ? 1 : -1;
    return sourcePlace_.position.y == targetPlace_.position.y &&
           static_cast<bool>(sourcePlace_.flipped) == static_cast<bool>(targetPlace_.flipped) &&
           std::int64_t{sourcePlace_.position.x} == std::int64_t{targetPlace_.position.x} + inputSide;
}

// The target's input side and the source's output side lie on one column boundary.
bool ConnectorRouter::FacesSameColumnBoundary() const {
    const std::int64_t inputBoundary = std::int64_t{targetPlace_.position.x} + (targetPlace_.flipped ? 1 : 0);
    const std::int64_t outputBoundary = std::int64_t{sourcePlace_.position.x} + (sourcePlace_.flipped ? 0 : 1);
    return inputBoundary == outputBoundary;
}

bool ConnectorRouter::SearchSingleLane() {
    record_[kRouteRow] = kSingleLaneRow;
    const Sweep lanes = sourcePlace_.flipped ? Downward(vertHalf_) : Upward(vertHalf_);
    return FirstThat(lanes, [&](std::int64_t lane) {
        record_[kRouteTargetLane] = static_cast<std::int32_t>(lane);
        return TryCandidate(kVerticalDebugCaption);
    });
}

// Blocks far apart (a chart near the edges of the grid, or one block near the Clock and the
// other near an edge) put up to 2^32 rows between them, and when every lane beside a block is
// taken each of those rows is tried in vain. Whether a candidate collides changes only where
// one of its lanes meets the line or an end of a lane held on the chart: away from those
// rows every row answers as its neighbour does, so after a row where nothing was free the
// search moves on to the next row near such a point (or the last row), and tries in the
// same order exactly the candidates whose answer may differ.
bool ConnectorRouter::SearchGeneral() {
    const Sweep rows = RowSweep(sourcePlace_.position.y, targetPlace_.position.y);
    const std::int64_t length = (rows.to - rows.from) * rows.step + 1;
    const auto connectors = static_cast<std::int64_t>(3 * document_.blockList.size());
    if (length <= std::max(kShortRowSweep, connectors))
        return FirstThat(rows, [&](std::int64_t row) { return SearchRow(row); });
    const std::vector<RowRange> marked = RowsNearLaneEnds();
    for (std::int64_t row = rows.from;; ) {
        if (SearchRow(row)) return true;
        if (row == rows.to) return false;
        std::int64_t next = row + rows.step;
        if (!document_.connectorDebug) {
            // The first marked range beyond row; row itself lies in none when it is skipped from.
            const auto after = std::lower_bound(marked.begin(), marked.end(), row,
                                                [](const RowRange& r, std::int64_t v) { return r.second < v; });
            const bool inMarked = after != marked.end() && after->first <= row;
            if (!inMarked) {
                if (rows.step > 0) {
                    next = after == marked.end() ? rows.to : std::min(after->first, rows.to);
                } else {
                    next = after == marked.begin() ? rows.to : std::max(std::prev(after)->second, rows.to);
                }
            }
        }
        row = next;
    }
}

// Rows whose horizontal lanes, at any lane of the boundary, come within a cell of the y of a
// point of some connector of the chart or of this connector's ports, and the row that reads
// as the single-lane marker: sorted and merged. Any more points than needed only mark more
// rows, which the search then walks one by one.
std::vector<ConnectorRouter::RowRange> ConnectorRouter::RowsNearLaneEnds() const {
    const ConnectorMetrics& m = kRoutingMetrics;
    const std::int64_t cell = m.cellHeight;
    const std::int64_t laneReach = std::int64_t{m.laneSpacingY} * horizHalf_;
    // y of the horizontal lane 0 of row 0: every lane lies cell x row + spacing x lane away.
    const std::int64_t base = ConnectorGeometry(targetPlace_, k_, sourcePlace_, {0, 0, 0, 0})[2].y;
    std::vector<RowRange> ranges;
    const auto mark = [&](std::int64_t y) {
        ranges.emplace_back(FloorDiv(y - base - laneReach - cell, cell) - 1,
                            FloorDiv(y - base + laneReach + cell, cell) + 1);
    };
    // A record with the single-lane marker for its row runs along one vertical lane, so that
    // row answers unlike its neighbours.
    ranges.emplace_back(kSingleLaneRow, kSingleLaneRow);
    const ConnectorPoints own = ConnectorGeometry(targetPlace_, k_, sourcePlace_, record_);
    mark(own[0].y);
    mark(own[5].y);
    for (const auto& block : document_.blockList) {
        for (int i = 1; i <= 3; ++i) {
            const auto points = ConnectorGeometry(*block, i);
            if (!points) continue;
            for (int p = 1; p <= 4; ++p) mark((*points)[p].y);
        }
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<RowRange> merged;
    for (const RowRange& r : ranges) {
        if (!merged.empty() && r.first <= merged.back().second + 1) {
            merged.back().second = std::max(merged.back().second, r.second);
        } else {
            merged.push_back(r);
        }
    }
    return merged;
}

// Every lane combination through the boundary above `row`: source lane outermost, then the
// horizontal lane, then the target lane.
bool ConnectorRouter::SearchRow(std::int64_t row) {
    record_[kRouteRow] = static_cast<std::int32_t>(row);
    const Sweep sourceLanes = sourcePlace_.flipped ? Downward(vertHalf_) : Upward(vertHalf_);
    const Sweep rowLanes = sourcePlace_.position.y < row ? Upward(horizHalf_) : Downward(horizHalf_);
    const Sweep targetLanes = targetPlace_.flipped ? Upward(vertHalf_) : Downward(vertHalf_);
    return FirstThat(sourceLanes, [&](std::int64_t sourceLane) {
        record_[kRouteSourceLane] = static_cast<std::int32_t>(sourceLane);
        return FirstThat(rowLanes, [&](std::int64_t rowLane) {
            record_[kRouteRowLane] = static_cast<std::int32_t>(rowLane);
            return FirstThat(targetLanes, [&](std::int64_t targetLane) {
                record_[kRouteTargetLane] = static_cast<std::int32_t>(targetLane);
                return TryCandidate(kGeneralDebugCaption);
            });
        });
    });
}

bool ConnectorRouter::TryCandidate(const char* debugCaption) {
    if (document_.connectorDebug) {
        document_.debugCandidate = {&target_, k_};
        document_.UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
        if (!prompt_.KeepShowing({kDebugQuestion, debugCaption, MsgButtons::OkCancel, MsgIcon::None, ""}))
            document_.connectorDebug = false;
        document_.debugCandidate = {};
    }
    const ConnectorPoints candidate = ConnectorGeometry(targetPlace_, k_, sourcePlace_, record_);
    return lanes_ ? !lanes_->Collides(candidate, &source_) : !occupancy_.Collides(candidate);
}

// No free path: the connector is shown by the source's link letter at both ends. A source
// keeps the letter it has, so all its unroutable connectors carry the same one.
RouteResult ConnectorRouter::MarkUnroutable(const char* message) {
    if (source_.linkLetter.empty()) {
        source_.linkLetter.push_back(static_cast<char>(document_.nextLinkLetter & 0xFF));
        ++document_.nextLinkLetter;
    }
    record_[kRouteTargetLane] = kNoRoute;
    return {true, {message, kLineErrorCaption, MsgButtons::Ok, MsgIcon::None, ""}};
}

}  // namespace ondrel
