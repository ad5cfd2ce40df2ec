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
    // records the others hold at that moment. By index: routing may show messages and
    // refresh views, but never changes the list.
    ChartLanes lanes(blockList);
    MessageBoxDebugPrompt prompt;
    for (std::size_t i = 0; i < blockList.size(); ++i) {
        CBlock* target = blockList[i].get();
        for (int k = 1; k <= 3; ++k) {
            if (target->input[k] == nullptr) continue;
            lanes.Remove(*target, k);
            ShowWhatCameOf(ConnectorRouter(*this, *target, k, prompt, &lanes).Route());
            lanes.Add(*target, k);
        }
    }
}

}  // namespace ondrel
