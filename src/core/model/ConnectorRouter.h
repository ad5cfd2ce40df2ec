#pragma once
// Chooses the path of one connector and stores it in the target's route record.
//
// The search tries, in a fixed order, first the direct neighbour, then a single vertical lane
// when the target's input side and the source's output side face the same column boundary,
// and otherwise every combination of a horizontal lane between two rows with a vertical lane
// beside each block. The first candidate that lies on no other source's lane wins. Each
// candidate is written into the live record while it is tried, so the debug display shows it
// in place; when none is free the record is marked kNoRoute and the source gets a link letter.
// The router shows nothing itself: it asks the debug display's question through the prompt
// it is given and returns what the user is to be told.
#include <cstdint>
#include <utility>
#include <vector>

#include "core/model/ChartLanes.h"
#include "core/model/LaneOccupancy.h"
#include "core/platform/Status.h"

namespace ondrel {

class CTarvekDoc;

// Asked at every candidate while the connector-debug display is on, with the candidate in
// place in the record and the views refreshed.
class IRouteDebugPrompt {
public:
    virtual ~IRouteDebugPrompt() = default;
    // Puts question (OK/Cancel) to the user; false means the user has seen enough and the
    // debug display ends (the search goes on silently).
    virtual bool KeepShowing(const Status& question) = 0;
};

// What came of routing one connector.
struct RouteResult {
    // No path was free: the record is kNoRoute and the connector is shown by the source's
    // link letter at both ends.
    bool linkLetterGiven = false;
    Status lineError;  // "Line Error" for the user, when the link letter was given
};

// The most lanes per cell a search walks through, whatever a model holds: it bounds the
// search and is the top of the range the model settings allow.
inline constexpr int kMaxLanesPerCell = 99;

class ConnectorRouter {
public:
    // Routes input k of target, whose source must be set; target must belong to document.
    // With lanes, candidates are tested against them (which must hold every other
    // connector's lanes as they stand); without, against lanes collected from the document.
    ConnectorRouter(CTarvekDoc& document, CBlock& target, int k, IRouteDebugPrompt& prompt,
                    const ChartLanes* lanes = nullptr);
    // The same for a connector of a whole-chart pass, whose blocks' places come with it.
    ConnectorRouter(CTarvekDoc& document, const RoutedConnector& connector, IRouteDebugPrompt& prompt,
                    const ChartLanes& lanes);
    RouteResult Route();

private:
    bool IsDirectNeighbour() const;
    bool FacesSameColumnBoundary() const;
    bool SearchSingleLane();
    bool SearchGeneral();
    bool SearchRow(std::int64_t row);
    using RowRange = std::pair<std::int64_t, std::int64_t>;  // first..second, inclusive
    std::vector<RowRange> RowsNearLaneEnds() const;
    // Opposite corners of a box that holds every candidate the search may try.
    ConnectorSegment CandidateArea() const;
    // Shows the candidate now in the record when the debug display is on, then tests it.
    bool TryCandidate(const char* debugCaption);
    RouteResult MarkUnroutable(const char* message);

    CTarvekDoc& document_;
    CBlock& target_;
    int k_;
    CBlock& source_;
    RouteRecord& record_;
    // Where the two blocks stand: every candidate is laid out from these.
    BlockPlace targetPlace_;
    BlockPlace sourcePlace_;
    int vertHalf_;
    int horizHalf_;
    IRouteDebugPrompt& prompt_;
    const ChartLanes* lanes_;
    LaneOccupancy occupancy_;
};

}  // namespace ondrel
