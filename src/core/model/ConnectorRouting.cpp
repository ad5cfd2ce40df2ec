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
    // records the others hold at that moment. By index: routing may show messages and
    // refresh views, but never changes the list.
    ChartLanes lanes(blockList);
    for (std::size_t i = 0; i < blockList.size(); ++i) {
        CBlock* target = blockList[i].get();
        for (int k = 1; k <= 3; ++k) {
            if (target->input[k] == nullptr) continue;
            lanes.Remove(*target, k);
            ConnectorRouter(*this, *target, k, &lanes).Route();
            lanes.Add(*target, k);
        }
    }
}

}  // namespace ondrel
