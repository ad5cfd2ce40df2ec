#pragma once
// One open chart: the document, the file it belongs to, and the persistent state of every
// view on it, in the document's view order. Each window pane draws from its state; the
// session owns the states, so that undo commands may refer to them after a window closed. A
// state of a kind that has no window is kept alone and goes back into the file unchanged.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ViewHost.h"
#include "core/model/views/ViewState.h"

namespace ondrel {
class ChartCommand;
class ChartViewState;
}

namespace ondrel::gui {

class ChartSession : public IViewHost, private IDocumentView {
public:
    ChartSession();
    ~ChartSession() override;

    CTarvekDoc& Document() { return doc_; }
    const CTarvekDoc& Document() const { return doc_; }
    // The file the chart was opened from or last saved to; empty for a new chart.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path) { path_ = path; }

    // A new view state of kind at the end of the view order (a new window or pane).
    ViewState& AddState(ViewKind kind);
    ChartViewState& AddChartState();
    // The window or pane showing state has gone: its record is no longer saved. The state
    // object itself lives on with the session, since undo commands may still refer to it.
    void ForgetState(const ViewState* state);
    // The states read from the file besides the first chart view's, in view order: the
    // windows to open after loading.
    std::vector<ViewState*> TakeStatesWithoutWindow();
    const std::vector<std::unique_ptr<ViewState>>& States() const { return states_; }

    // IViewHost: while a file is read.
    ChartViewState* FirstChartView(CTarvekDoc& doc) override;
    ChartViewState* OpenChartView(CTarvekDoc& doc) override;
    ListViewState* OpenListView(CTarvekDoc& doc) override;
    GraphViewState* OpenGraphView(CTarvekDoc& doc) override;
    TextViewState* OpenTextView(CTarvekDoc& doc) override;
    std::vector<ViewState*> ViewsToSave(const CTarvekDoc& doc) override;

    // The chart-view state the first window shows; it exists from the start, so that a
    // chart opened from a file shows its first chart-view record in its first window.
    ChartViewState& FirstChartState() { return *firstChart_; }

    // The chart's Snapshot window while it is open (it deletes itself when closed).
    QDialog* SnapshotWindow() const { return snapshot_; }
    void SetSnapshotWindow(QDialog* window) { snapshot_ = window; }

    // --- changes and undo -------------------------------------------------------------------
    // Applies a change made by the user and records it for undo.
    void Perform(std::unique_ptr<ChartCommand> command);
    QUndoStack& UndoStack() { return undoStack_; }
    // The chart has been saved: undoing or redoing back to this point makes it unmodified.
    void MarkSaved();
    // A change that cannot be undone (a run, a new window): the chart stays modified
    // whatever is undone, until it is saved.
    void MarkUnrecordedChange();
    // Grows with every change of the chart (an edit, an undo or redo, a run, a window):
    // the auto-save compares it with the count it last wrote.
    std::uint64_t ChangeCount() const { return changes_; }

private:
    // Kept states drop their references to a block the document is about to delete.
    void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) override;

    template <typename State>
    State* Append();
    template <typename State>
    State* AppendAwaitingWindow();
    // The list, graph and text views' states: a change of the chart may alter their records.
    std::vector<ViewState*> OutputViews() const;

    CTarvekDoc doc_;
    QString path_;
    std::uint64_t changes_ = 0;
    std::vector<std::unique_ptr<ViewState>> states_;
    ChartViewState* firstChart_ = nullptr;
    std::vector<ViewState*> awaitingWindow_;
    std::vector<std::unique_ptr<ViewState>> retired_;
    QPointer<QDialog> snapshot_;
    // Declared last: its commands refer to the document, the states and the blocks.
    QUndoStack undoStack_;
};

}  // namespace ondrel::gui
