#include "core/model/CTarvekDoc.h"
#include "core/model/ConnectorRouter.h"

namespace ondrel {

void CTarvekDoc::RouteConnector(CBlock* target, int k) {
    // Nothing to route for a row that does not exist or is not connected.
    if (target == nullptr || k < 1 || k > 3 || target->input[k] == nullptr) return;
    ConnectorRouter(*this, *target, k).Route();
}

void CTarvekDoc::RerouteAll() {
    // One index of every connector's lanes for the whole pass: a connector's own lanes leave
    // it while it is routed and come back as routed, so each one is routed against the
    // records the others hold at that moment. The blocks are walked once, to gather what the
    // pass reads of them; routing may show messages and refresh views, but never changes the
    // list, an input or a place.
    std::vector<RoutedConnector> connectors = GatherConnectors(blockList);
    ChartLanes lanes(connectors);
    for (std::uint32_t id = 0; id < connectors.size(); ++id) {
        RoutedConnector& connector = connectors[id];
        lanes.Remove(id, connector);
        ConnectorRouter(*this, connector, lanes).Route();
        connector.record = connector.target->route[connector.k];
        lanes.Add(id, connector);
    }
    UpdateAllViews(nullptr, kHintRefresh, nullptr);
}

}  // namespace ondrel
