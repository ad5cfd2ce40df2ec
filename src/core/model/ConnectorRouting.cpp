#include "core/model/CTarvekDoc.h"
#include "core/model/ConnectorRouter.h"

namespace ondrel {
namespace {

// The document puts the debug display's question to the user through the message box.
class MessageBoxDebugPrompt : public IRouteDebugPrompt {
public:
    bool KeepShowing(const Status& question) override { return ShowStatus(question) != MsgResult::Cancel; }
};

// A connector left to its link letter is the user's to know about, at once.
void ShowWhatCameOf(const RouteResult& routed) {
    if (routed.linkLetterGiven) ShowStatus(routed.lineError);
}

}  // namespace

void CTarvekDoc::RouteConnector(CBlock* target, int k) {
    // Nothing to route for a row that does not exist or is not connected.
    if (target == nullptr || k < 1 || k > 3 || target->input[k] == nullptr) return;
    MessageBoxDebugPrompt prompt;
    ShowWhatCameOf(ConnectorRouter(*this, *target, k, prompt).Route());
}

void CTarvekDoc::RerouteAll() {
    // One index of every connector's lanes for the whole pass: a connector's own lanes leave
    // it while it is routed and come back as routed, so each one is routed against the
    // records the others hold at that moment. The blocks are walked once, to gather what the
    // pass reads of them; routing may show messages and refresh views, but never changes the
    // list, an input or a place.
    std::vector<RoutedConnector> connectors = GatherConnectors(blockList);
    ChartLanes lanes(connectors);
    MessageBoxDebugPrompt prompt;
    for (std::uint32_t id = 0; id < connectors.size(); ++id) {
        RoutedConnector& connector = connectors[id];
        lanes.Remove(id, connector);
        ShowWhatCameOf(ConnectorRouter(*this, connector, prompt, lanes).Route());
        connector.record = connector.target->route[connector.k];
        lanes.Add(id, connector);
    }
    UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
}

}  // namespace ondrel
