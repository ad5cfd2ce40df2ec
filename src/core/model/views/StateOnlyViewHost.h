#pragma once
// The view host of the headless runner and the tests: it opens no windows, it keeps the view
// states of one document alone, in the order their records were read. The first chart view's
// state exists only once a chart-view record asks for it, so a chart loaded and saved again
// holds exactly the view records it was read with.
#include <memory>
#include <vector>

#include "core/model/views/ViewHost.h"
#include "core/model/views/ViewState.h"

namespace ondrel {

class CBlock;

class StateOnlyViewHost : public IViewHost {
public:
    ChartViewState* FirstChartView(CTarvekDoc& doc) override;
    ChartViewState* OpenChartView(CTarvekDoc& doc) override;
    ListViewState* OpenListView(CTarvekDoc& doc) override;
    GraphViewState* OpenGraphView(CTarvekDoc& doc) override;
    TextViewState* OpenTextView(CTarvekDoc& doc) override;
    std::vector<ViewState*> ViewsToSave(const CTarvekDoc& doc) override;

    // Tells every state that the document is about to delete block.
    void OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc);
    // Rescales every graph view as its window does when a run ends, so the limits a saved
    // chart holds are the ones the desktop program would save.
    void RescaleGraphs(const CTarvekDoc& doc);
    // Forgets every state (after a load that failed).
    void Clear();

    const std::vector<std::unique_ptr<ViewState>>& Views() const { return views_; }
    ChartViewState* FirstChart() const { return firstChart_; }

private:
    template <typename State>
    State* Append();

    std::vector<std::unique_ptr<ViewState>> views_;
    ChartViewState* firstChart_ = nullptr;
};

}  // namespace ondrel
