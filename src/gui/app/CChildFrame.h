#pragma once
// The frame of a chart window inside the main frame: up to 2 x 2 chart-view panes in
// splitters (a new pane starts with the look of the top-left one), and the caption: the
// view title when there is one, otherwise the document's title, numbered when the chart
// has several windows, with a mark while the chart has unsaved changes.
#include <vector>

#include "gui/app/CDocumentFrame.h"


namespace ondrel {
class ChartViewState;
}

namespace ondrel::gui {

class CTarvekView;
class ChartSession;
class PaneGrid;

class CChildFrame : public CDocumentFrame {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;

    // A frame with one pane showing state (which session holds).
    CChildFrame(ChartSession& session, ChartViewState& state, QWidget* parent = nullptr);
    ~CChildFrame() override;

    // Initial update of every pane.
    void OnInitialUpdate(bool newView = true) override;
    int HelpContext() const override;

    // Adds a pane: first a second column, then a second row; false at 2 x 2.
    bool Split() override;
    bool CanSplit() const override;
    int PaneCount() const;
    // The pane holding the focus, otherwise the top-left one.
    CTarvekView* ActiveView() const;
    CTarvekView* TopLeftView() const;
    std::vector<CTarvekView*> Views() const;
    // Moves the focus to the next (step 1) or previous (step -1) pane.
    void FocusPane(int step) override;

signals:
    // A pane's selection, placing or connecting changed.
    void EditStateChanged();

protected:
    QString PaneTitle() const override;

private:
    CTarvekView* MakePane(ChartViewState& state);
    void RemovePane(QWidget* pane);

    ChartSession& session_;
    PaneGrid* grid_;
};

}  // namespace ondrel::gui
