#include "gui/app/ChartSession.h"

#include <algorithm>

#include "gui/app/ChartUndoCommand.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"

namespace ondrel::gui {

ChartSession::ChartSession() {
    firstChart_ = &AddChartState();
    doc_.AddView(this);
    // The modified mark follows the undo stack: back at the saved point, nothing is unsaved.
    QObject::connect(&undoStack_, &QUndoStack::cleanChanged,
                     [this](bool clean) { doc_.SetModifiedFlag(!clean); });
    QObject::connect(&undoStack_, &QUndoStack::indexChanged, [this] { ++changes_; });
}

// The undo commands go first (they hold blocks taken out of the chart), then the states,
// before the document, which the window panes have already left.
ChartSession::~ChartSession() {
    delete snapshot_;  // it is a view of the document
    undoStack_.disconnect();
    undoStack_.clear();
    doc_.RemoveView(this);
    states_.clear();
    retired_.clear();
}

void ChartSession::Perform(std::unique_ptr<ChartCommand> command) {
    if (command == nullptr) return;
    undoStack_.push(new ChartUndoCommand(doc_, std::move(command), [this] { return OutputViews(); }));
}

std::vector<ViewState*> ChartSession::OutputViews() const {
    std::vector<ViewState*> views;
    for (const auto& s : states_)
        if (s->Kind() != ViewKind::Chart) views.push_back(s.get());
    return views;
}

void ChartSession::MarkSaved() { undoStack_.setClean(); }

void ChartSession::MarkUnrecordedChange() {
    ++changes_;
    doc_.SetModifiedFlag(true);
    undoStack_.resetClean();
}

void ChartSession::OnUpdate(IDocumentView*, UpdateHint hint, CBlock* block) {
    ++changes_;
    if (hint != UpdateHint::BlockDeleting || block == nullptr) return;
    for (const auto& s : states_) s->OnBlockDeleting(*block, doc_);
}

template <typename State>
State* ChartSession::Append() {
    auto state = std::make_unique<State>();
    State* raw = state.get();
    states_.push_back(std::move(state));
    return raw;
}

template <typename State>
State* ChartSession::AppendAwaitingWindow() {
    State* state = Append<State>();
    awaitingWindow_.push_back(state);
    return state;
}

ChartViewState& ChartSession::AddChartState() { return *Append<ChartViewState>(); }

ViewState& ChartSession::AddState(ViewKind kind) {
    switch (kind) {
        case ViewKind::List: return *Append<ListViewState>();
        case ViewKind::Graph: return *Append<GraphViewState>();
        case ViewKind::Text: return *Append<TextViewState>();
        case ViewKind::Chart: break;
    }
    return AddChartState();
}

void ChartSession::ForgetState(const ViewState* state) {
    std::erase(awaitingWindow_, state);
    if (state == firstChart_) firstChart_ = nullptr;
    auto it = std::find_if(states_.begin(), states_.end(), [state](const auto& s) { return s.get() == state; });
    if (it == states_.end()) return;
    retired_.push_back(std::move(*it));
    states_.erase(it);
}

std::vector<ViewState*> ChartSession::TakeStatesWithoutWindow() {
    return std::exchange(awaitingWindow_, {});
}

// The record takes the place of the first chart view in the view order where the file has
// it, so a chart whose first record is some other view saves back the same way.
ChartViewState* ChartSession::FirstChartView(CTarvekDoc&) {
    if (firstChart_ == nullptr) return nullptr;
    auto it = std::find_if(states_.begin(), states_.end(),
                           [this](const auto& s) { return s.get() == firstChart_; });
    if (it != states_.end()) std::rotate(it, it + 1, states_.end());
    return firstChart_;
}

ChartViewState* ChartSession::OpenChartView(CTarvekDoc&) { return AppendAwaitingWindow<ChartViewState>(); }
ListViewState* ChartSession::OpenListView(CTarvekDoc&) { return AppendAwaitingWindow<ListViewState>(); }
GraphViewState* ChartSession::OpenGraphView(CTarvekDoc&) { return AppendAwaitingWindow<GraphViewState>(); }
TextViewState* ChartSession::OpenTextView(CTarvekDoc&) { return AppendAwaitingWindow<TextViewState>(); }

std::vector<ViewState*> ChartSession::ViewsToSave(const CTarvekDoc&) {
    std::vector<ViewState*> views;
    views.reserve(states_.size());
    for (const auto& s : states_) views.push_back(s.get());
    return views;
}

}  // namespace ondrel::gui
