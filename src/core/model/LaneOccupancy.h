#pragma once
// Which lanes of the chart the connectors already hold, and whether a candidate path would
// run on top of one of them. Connectors from the candidate's own source may share its lanes
// (they carry the same signal), and a connector without a line (route marked kNoRoute) holds
// no lane at all: it is shown by link letters, and its stale record must not block lanes that
// are visibly free.
//
// Only the middle three segments of a path count (P1-P2, P2-P3, P3-P4): the port stubs belong
// to the blocks. Two segments collide when they run along the same line and their ranges
// overlap or touch; segments that merely cross do not. A segment reduced to a point lies on
// both a horizontal and a vertical line.
#include <array>
#include <memory>
#include <vector>

#include "core/model/ConnectorGeometry.h"

namespace ondrel {

struct ConnectorSegment {
    ChartPoint a;
    ChartPoint b;
};

// P1-P2, P2-P3 and P3-P4 of a path.
std::array<ConnectorSegment, 3> LaneSegments(const ConnectorPoints& points);
// True when the two segments lie on top of each other (see above).
bool SegmentsCollide(const ConnectorSegment& first, const ConnectorSegment& second);

// The straightforward test over the chart as it stands: true when the path stored for input k
// of target touches no lane held by a connector from another source. Costs a pass over every
// connector; the router uses LaneOccupancy, which answers the same.
bool PathIsFree(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock& target, int k);

// The lanes held by the chart's connectors, indexed by the line they run along, so that one
// candidate is tested in logarithmic time. Built once per routed connector: the other
// connectors do not move while one connector's candidates are tried.
class LaneOccupancy {
public:
    // Collects the lanes of every connector in blocks whose source is set and is not source.
    void Build(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source);
    // The same, keeping only the lanes that reach into area: enough for candidates that lie
    // within it, whatever else the chart holds.
    void Build(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source,
               const ConnectorSegment& area);
    // True when a segment of the candidate path runs on top of a collected lane.
    bool Collides(const ConnectorPoints& candidate) const;

private:
    // A piece of a line: the line's coordinate and the range along it.
    struct Span {
        std::int64_t line;
        std::int64_t low;
        std::int64_t high;
        std::int64_t reach;  // the largest high among the spans of this line up to this one
    };
    static void Index(std::vector<Span>& spans);
    static bool Touches(const std::vector<Span>& spans, std::int64_t line, std::int64_t low,
                        std::int64_t high);
    void Add(const ConnectorSegment& segment);
    template <typename Keep>
    void Collect(const std::vector<std::unique_ptr<CBlock>>& blocks, const CBlock* source, Keep&& keep);

    std::vector<Span> horizontal_;  // line = y, range in x
    std::vector<Span> vertical_;    // line = x, range in y
};

}  // namespace ondrel
