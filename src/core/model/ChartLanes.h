#pragma once
// The lanes held by every connector of a chart, kept up to date while the whole chart is
// routed again one connector after another: a connector's lanes are taken out before it is
// routed and put back after, so each search asks about its neighbourhood instead of
// collecting the lanes of the whole chart again. Answers as LaneOccupancy built for the
// candidate's source would.
//
// Routing a large chart is bound by memory, not by arithmetic, so everything a search reads
// lies in a few flat arrays: the connectors with what the connector rule needs of their
// blocks (gathered in one walk over the blocks), a flat table of the chart's pieces, and
// their lanes in chunks of one cache line, allocated in the order the connectors come. A
// piece is a band of neighbouring lines (a column boundary's vertical lanes, a row
// boundary's horizontal ones) along a stretch of their length: the candidates of one
// connector mostly meet a handful of pieces, the next connector meets the same ones, and
// neighbouring pieces sit side by side in the table.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/model/ConnectorGeometry.h"

namespace ondrel {

// One connector as a whole-chart routing sees it.
struct RoutedConnector {
    CBlock* target = nullptr;
    CBlock* source = nullptr;
    int k = 0;
    BlockPlace targetPlace;
    BlockPlace sourcePlace;
    RouteRecord record{};  // as the target holds it
};

// Every connected input of the blocks, in list order and inputs 1..3 of each block.
std::vector<RoutedConnector> GatherConnectors(const std::vector<std::unique_ptr<CBlock>>& blocks);

class ChartLanes {
public:
    // The lanes of every connector of the list that has a line.
    explicit ChartLanes(const std::vector<RoutedConnector>& connectors);
    ~ChartLanes();
    ChartLanes(const ChartLanes&) = delete;
    ChartLanes& operator=(const ChartLanes&) = delete;
    // Adds or takes out the lanes connector number id of the list holds as its record
    // stands; a connector without a line changes nothing.
    void Add(std::uint32_t id, const RoutedConnector& connector);
    void Remove(std::uint32_t id, const RoutedConnector& connector);
    // True when a segment of the candidate runs on top of a lane held by a connector from
    // another source than source.
    bool Collides(const ConnectorPoints& candidate, const CBlock* source) const;

private:
    class Direction;  // one direction's lanes (ChartLanes.cpp)
    template <typename Apply>
    static void ForEachSpan(std::uint32_t id, const RoutedConnector& connector, Apply&& apply);

    std::unique_ptr<Direction> horizontal_;  // line = y, range in x
    std::unique_ptr<Direction> vertical_;    // line = x, range in y
};

}  // namespace ondrel
