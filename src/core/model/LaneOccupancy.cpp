#include "model/LaneOccupancy.h"

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

void LaneOccupancy::Build(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source) {
    horizontal_.clear();
    vertical_.clear();
    for (const auto& block : blocks) {
        for (int i = 1; i <= 3; ++i) {
            if (!HoldsLanes(*block, i, source)) continue;
            for (const auto& segment : LaneSegments(*ConnectorGeometry(*block, i))) Add(segment);
        }
    }
    Index(horizontal_);
    Index(vertical_);
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

bool ChartLanes::Span::operator<(const Span& o) const {
    if (line != o.line) return line < o.line;
    if (low != o.low) return low < o.low;
    if (target != o.target) return std::less<const CBlock*>()(target, o.target);
    return std::tie(k, segment) < std::tie(o.k, o.segment);
}

ChartLanes::ChartLanes(const std::vector<std::unique_ptr<CBlock>>& blocks) {
    for (const auto& block : blocks) {
        for (int k = 1; k <= 3; ++k) Add(*block, k);
    }
}

// Calls apply(direction, span) for each lane input k of target holds; a segment reduced to
// a point goes to both directions, as it lies on both lines.
template <typename Apply>
void ChartLanes::ForEachSpan(const CBlock& target, int k, Apply&& apply) {
    if (!HoldsLanes(target, k, nullptr)) return;
    const auto segments = LaneSegments(*ConnectorGeometry(target, k));
    for (int n = 0; n < 3; ++n) {
        const ConnectorSegment& s = segments[static_cast<std::size_t>(n)];
        const CBlock* source = target.input[k];
        if (IsHorizontal(s)) {
            apply(horizontal_, Span{s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x), source,
                                    &target, k, n});
        }
        if (IsVertical(s)) {
            apply(vertical_, Span{s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y), source,
                                  &target, k, n});
        }
    }
}

void ChartLanes::Add(const CBlock& target, int k) {
    ForEachSpan(target, k, [](Direction& direction, const Span& span) { direction.Insert(span); });
}

void ChartLanes::Remove(const CBlock& target, int k) {
    ForEachSpan(target, k, [](Direction& direction, const Span& span) { direction.spans.erase(span); });
}

void ChartLanes::Direction::Insert(const Span& span) {
    spans.insert(span);
    std::int64_t& length = longest[span.line];
    length = std::max(length, span.high - span.low);
}

bool ChartLanes::Direction::Touches(std::int64_t line, std::int64_t low, std::int64_t high,
                                    const CBlock* source) const {
    const auto found = longest.find(line);
    if (found == longest.end()) return false;
    const Span first{line, low - found->second, 0, nullptr, nullptr, 0, 0};
    for (auto it = spans.lower_bound(first); it != spans.end() && it->line == line && it->low <= high;
         ++it) {
        if (it->high >= low && it->source != source) return true;
    }
    return false;
}

bool ChartLanes::Collides(const ConnectorPoints& candidate, const CBlock* source) const {
    for (const auto& s : LaneSegments(candidate)) {
        if (IsHorizontal(s) &&
            horizontal_.Touches(s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x), source)) {
            return true;
        }
        if (IsVertical(s) &&
            vertical_.Touches(s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y), source)) {
            return true;
        }
    }
    return false;
}

}  // namespace ondrel
