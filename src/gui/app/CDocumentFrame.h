#pragma once
// What every window on a chart has in common, whatever it shows (chart, list, graph, text):
// the chart it belongs to, its caption (the view title when there is one, otherwise the
// chart's name, numbered when the chart has several windows, with a mark while the chart has
// unsaved changes), the help context of the pane in use, and the question before it closes.
#include <QMdiSubWindow>

#include "core/model/DocumentView.h"

namespace ondrel::gui {

class ChartSession;

class CDocumentFrame : public QMdiSubWindow, private IDocumentView {
    Q_OBJECT
public:
    ~CDocumentFrame() override;

    ChartSession& Session() const { return session_; }
    // Initial update of every pane; newView is false for a view a chart file opened (its
    // record has been read and must not be completed with defaults).
    virtual void OnInitialUpdate(bool newView) = 0;
    // The help context of the pane in use.
    virtual int HelpContext() const = 0;
    // Window > Split, Next Pane, Previous Pane; windows without panes do nothing.
    virtual bool CanSplit() const { return false; }
    virtual bool Split() { return false; }
    virtual void FocusPane(int step) { (void)step; }

    // number > 0: this is window `number` of a chart with several windows.
    void SetWindowNumber(int number);
    void RefreshCaption();
    QString Caption() const;

signals:
    // The frame asks whether it may close (the owner asks the user about unsaved changes
    // when it is the chart's last window).
    void CloseRequested(CDocumentFrame* frame, bool* allowed);

protected:
    explicit CDocumentFrame(ChartSession& session, QWidget* parent = nullptr);
    // The title the top-left pane hands to the caption; empty for none.
    virtual QString PaneTitle() const = 0;
    // The user closes the window (the owner has allowed it).
    virtual void OnClosing() {}
    void closeEvent(QCloseEvent* event) override;

private:
    void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) override;

    ChartSession& session_;
    int windowNumber_ = 0;
};

}  // namespace ondrel::gui
