#include "core/model/LaneOccupancy.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <tuple>
#include <utility>

namespace ondrel {

namespace {

bool IsHorizontal(const ConnectorSegment& s) { return s.a.y == s.b.y; }
bool IsVertical(const ConnectorSegment& s) { return s.a.x == s.b.x; }

bool RangesTouch(std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
    return std::max(std::min(a1, a2), std::min(b1, b2)) <= std::min(std::max(a1, a2), std::max(b1, b2));
}

// Whether input k of block holds lanes that a path from source must keep off.
bool HoldsLanes(const CBlock& block, int k, const CBlock* source) {
    const CBlock* from = block.input[k];
    return from != nullptr && from != source && block.route[k][kRouteTargetLane] != kNoRoute;
}

}  // namespace

std::array<ConnectorSegment, 3> LaneSegments(const ConnectorPoints& p) {
    return {ConnectorSegment{p[1], p[2]}, ConnectorSegment{p[2], p[3]}, ConnectorSegment{p[3], p[4]}};
}

bool SegmentsCollide(const ConnectorSegment& s, const ConnectorSegment& t) {
    if (IsHorizontal(s) && IsHorizontal(t) && s.a.y == t.a.y &&
        RangesTouch(s.a.x, s.b.x, t.a.x, t.b.x)) {
        return true;
    }
    return IsVertical(s) && IsVertical(t) && s.a.x == t.a.x && RangesTouch(s.a.y, s.b.y, t.a.y, t.b.y);
}

bool PathIsFree(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock& target, int k) {
    const auto candidate = ConnectorGeometry(target, k);
    if (!candidate) return true;
    const CBlock* source = target.input[k];
    for (const auto& block : blocks) {
        for (int i = 1; i <= 3; ++i) {
            if (!HoldsLanes(*block, i, source)) continue;
            for (const auto& held : LaneSegments(*ConnectorGeometry(*block, i))) {
                for (const auto& tried : LaneSegments(*candidate)) {
                    if (SegmentsCollide(tried, held)) return false;
                }
            }
        }
    }
    return true;
}

template <typename Keep>
void LaneOccupancy::Collect(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source,
                            Keep&& keep) {
    horizontal_.clear();
    vertical_.clear();
    for (const auto& block : blocks) {
        for (int i = 1; i <= 3; ++i) {
            if (!HoldsLanes(*block, i, source)) continue;
            for (const auto& segment : LaneSegments(*ConnectorGeometry(*block, i))) {
                if (keep(segment)) Add(segment);
            }
        }
    }
    Index(horizontal_);
    Index(vertical_);
}

void LaneOccupancy::Build(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source) {
    Collect(blocks, source, [](const ConnectorSegment&) { return true; });
}

// A lane outside the area cannot lie on top of a candidate inside it: sorting only those
// that reach into it keeps a connector's routing from sorting the whole chart's lanes.
void LaneOccupancy::Build(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source,
                          const ConnectorSegment& area) {
    const std::int64_t left = std::min(area.a.x, area.b.x);
    const std::int64_t right = std::max(area.a.x, area.b.x);
    const std::int64_t bottom = std::min(area.a.y, area.b.y);
    const std::int64_t top = std::max(area.a.y, area.b.y);
    Collect(blocks, source, [&](const ConnectorSegment& s) {
        return std::max(s.a.x, s.b.x) >= left && std::min(s.a.x, s.b.x) <= right &&
               std::max(s.a.y, s.b.y) >= bottom && std::min(s.a.y, s.b.y) <= top;
    });
}

void LaneOccupancy::Add(const ConnectorSegment& s) {
    if (IsHorizontal(s)) {
        horizontal_.push_back({s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x), 0});
    }
    if (IsVertical(s)) {
        vertical_.push_back({s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y), 0});
    }
}

// Sorts the spans by line, then by low end, and records for each the furthest high end
// reached so far on its line: the spans that start at or before a query's high end are
// then a prefix, and the last of them tells whether any reaches the query's low end.
void LaneOccupancy::Index(std::vector<Span>& spans) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return std::tie(a.line, a.low) < std::tie(b.line, b.low);
    });
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const bool sameLine = i > 0 && spans[i - 1].line == spans[i].line;
        spans[i].reach = sameLine ? std::max(spans[i - 1].reach, spans[i].high) : spans[i].high;
    }
}

bool LaneOccupancy::Touches(const std::vector<Span>& spans, std::int64_t line, std::int64_t low,
                            std::int64_t high) {
    const auto lineStart = std::lower_bound(spans.begin(), spans.end(), line,
                                            [](const Span& s, std::int64_t l) { return s.line < l; });
    const auto startsAfter = std::upper_bound(lineStart, spans.end(), std::pair{line, high},
                                              [](const std::pair<std::int64_t, std::int64_t>& q,
                                                 const Span& s) {
                                                  return std::tie(q.first, q.second) <
                                                         std::tie(s.line, s.low);
                                              });
    return startsAfter != lineStart && std::prev(startsAfter)->reach >= low;
}

bool LaneOccupancy::Collides(const ConnectorPoints& candidate) const {
    for (const auto& s : LaneSegments(candidate)) {
        if (IsHorizontal(s) &&
            Touches(horizontal_, s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x))) {
            return true;
        }
        if (IsVertical(s) &&
            Touches(vertical_, s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y))) {
            return true;
        }
    }
    return false;
}

}  // namespace ondrel
