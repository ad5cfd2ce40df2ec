#pragma once
// The frame of a chart window inside the main frame: up to 2 x 2 chart-view panes in
// splitters (a new pane starts with the look of the top-left one), and the caption: the
// view title when there is one, otherwise the document's title, numbered when the chart
// has several windows, with a mark while the chart has unsaved changes.
#include <QMdiSubWindow>
#include <vector>

#include "model/DocumentView.h"

class QSplitter;

namespace ondrel {
class ChartViewState;
}

namespace ondrel::gui {

class CTarvekView;
class ChartSession;

class CChildFrame : public QMdiSubWindow, private IDocumentView {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;
    static constexpr int kMinPaneSize = 10;

    // A frame with one pane showing state (which session holds).
    CChildFrame(ChartSession& session, ChartViewState& state, QWidget* parent = nullptr);
    ~CChildFrame() override;

    ChartSession& Session() { return session_; }
    // Initial update of every pane.
    void OnInitialUpdate();

    // Adds a pane: first a second column, then a second row; false at 2 x 2.
    bool Split();
    bool CanSplit() const;
    int PaneCount() const;
    // The pane holding the focus, otherwise the top-left one.
    CTarvekView* ActiveView() const;
    CTarvekView* TopLeftView() const;
    std::vector<CTarvekView*> Views() const;
    // Moves the focus to the next (step 1) or previous (step -1) pane.
    void FocusPane(int step);

    // number > 0: this is window `number` of a chart with several windows.
    void SetWindowNumber(int number);
    void RefreshCaption();
    QString Caption() const;

signals:
    // The frame asks whether it may close (the owner asks the user about unsaved changes
    // when it is the chart's last window).
    void CloseRequested(CChildFrame* frame, bool* allowed);
    // A pane's selection, placing or connecting changed.
    void EditStateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnUpdate(IDocumentView* sender, int hint, CBlock* block) override;
    CTarvekView* AddPane(QSplitter* row, ChartViewState& state);
    void RemoveCollapsedPanes();

    ChartSession& session_;
    QSplitter* rows_;  // vertical: one horizontal splitter per row
    int windowNumber_ = 0;
};

}  // namespace ondrel::gui
