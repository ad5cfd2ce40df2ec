#pragma once
// The frame of a window that shows a list, a graph or the chart's text: one pane, or for
// the kinds that split (the list) up to rows x columns panes in splitters, where a new pane
// starts as a copy of the top-left one. Closing the window by the user marks the chart
// modified, since its views are saved with it. Each pane's state stays with the session;
// a pane that goes retires its state there.
#include <vector>

#include "gui/app/CDocumentFrame.h"

namespace ondrel {
class ViewState;
}

namespace ondrel::gui {

class IOutputPane;
class PaneGrid;
struct OutputViewEntry;

class COutputFrame : public CDocumentFrame {
    Q_OBJECT
public:
    // A frame with one pane of the entry's kind showing state (which session holds).
    COutputFrame(ChartSession& session, ViewState& state, const OutputViewEntry& entry,
                 QWidget* parent = nullptr);
    ~COutputFrame() override;

    void OnInitialUpdate(bool newView) override;
    int HelpContext() const override;

    // Adds a pane: first a second column, then a second row; false when full or the kind
    // does not split.
    bool Split() override;
    bool CanSplit() const override;
    void FocusPane(int step) override;

    std::vector<IOutputPane*> Panes() const;
    IOutputPane* TopLeftPane() const;
    // The pane holding the focus, otherwise the top-left one.
    IOutputPane* ActivePane() const;

protected:
    QString PaneTitle() const override;
    void OnClosing() override;

private:
    // A pane showing state, known to the frame; the grid takes the widget.
    QWidget* MakePane(ViewState& state);
    IOutputPane* PaneOf(const QWidget* widget) const;
    void RemovePane(QWidget* widget);

    const OutputViewEntry& entry_;
    PaneGrid* grid_;
    std::vector<IOutputPane*> panes_;  // in the order they were made
};

}  // namespace ondrel::gui
