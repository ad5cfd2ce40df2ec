#include "model/CTarvekDoc.h"
#include "model/ConnectorRouter.h"

namespace ondrel {

void CTarvekDoc::RouteConnector(CBlock* target, int k) {
    // Nothing to route for a row that does not exist or is not connected.
    if (target == nullptr || k < 1 || k > 3 || target->input[k] == nullptr) return;
    ConnectorRouter(*this, *target, k).Route();
}

void CTarvekDoc::RerouteAll() {
    // By index: routing may show messages and refresh views, but never changes the list.
    for (std::size_t i = 0; i < blockList.size(); ++i) {
        for (int k = 1; k <= 3; ++k) RouteConnector(blockList[i].get(), k);
    }
}

}  // namespace ondrel
