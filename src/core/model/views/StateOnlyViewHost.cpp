#include "core/model/views/StateOnlyViewHost.h"

#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphScale.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"

namespace ondrel {

template <typename State>
State* StateOnlyViewHost::Append() {
    auto state = std::make_unique<State>();
    State* raw = state.get();
    views_.push_back(std::move(state));
    return raw;
}

ChartViewState* StateOnlyViewHost::FirstChartView(CTarvekDoc&) {
    if (firstChart_ == nullptr) firstChart_ = Append<ChartViewState>();
    return firstChart_;
}

ChartViewState* StateOnlyViewHost::OpenChartView(CTarvekDoc&) { return Append<ChartViewState>(); }
ListViewState* StateOnlyViewHost::OpenListView(CTarvekDoc&) { return Append<ListViewState>(); }
GraphViewState* StateOnlyViewHost::OpenGraphView(CTarvekDoc&) { return Append<GraphViewState>(); }
TextViewState* StateOnlyViewHost::OpenTextView(CTarvekDoc&) { return Append<TextViewState>(); }

std::vector<ViewState*> StateOnlyViewHost::ViewsToSave(const CTarvekDoc&) {
    std::vector<ViewState*> views;
    views.reserve(views_.size());
    for (const auto& v : views_) views.push_back(v.get());
    return views;
}

void StateOnlyViewHost::OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) {
    for (const auto& v : views_) v->OnBlockDeleting(block, doc);
}

void StateOnlyViewHost::RescaleGraphs(const CTarvekDoc& doc) {
    GraphScale scale;
    for (const auto& v : views_)
        if (v->Kind() == ViewKind::Graph) RescaleGraph(static_cast<GraphViewState&>(*v), ViewSampleCount(doc), scale);
}

void StateOnlyViewHost::Clear() {
    views_.clear();
    firstChart_ = nullptr;
}

}  // namespace ondrel
