#pragma once
// The scrolling base of the list and graph views: a window on one chart document that draws
// from a view state the chart's session owns.
//
// It learns of changes through the document's notification: a block about to be deleted is
// dropped from the state, then the pane refreshes; every other notification is a full
// refresh too. During a run nothing is notified; a repaint then draws what is recorded so far.
// Drawing goes through Paint alone, for the screen, images and printers.
#include <QAbstractScrollArea>

#include "core/model/DocumentView.h"
#include "gui/views/output/OutputPane.h"

class QPainter;

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CTemplateView : public QAbstractScrollArea, public IDocumentView, public IOutputPane {
    Q_OBJECT
public:
    // Attaches itself to doc; state must outlive the view (the session keeps it).
    CTemplateView(CTarvekDoc& doc, ViewState& state, QWidget* parent = nullptr);
    ~CTemplateView() override;

    CTarvekDoc& Document() const { return doc_; }
    QWidget* Widget() override { return this; }
    ViewState& State() override { return state_; }
    QString CaptionTitle() const override;

    void OnInitialUpdate(bool newView) override;
    void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) override;

    // Paints the view into area (its top-left the origin of the drawing, its size the
    // drawing area) for a device of dotsPerInch. The base draws nothing.
    virtual void Paint(QPainter& painter, const QRect& area, double dotsPerInch);
    // The screen's logical resolution the view draws at.
    double DotsPerInch() const;

protected:
    // The block is about to leave the chart: no reference to it may stay.
    virtual void OnBlockDeleting(CBlock& block);
    // Any other change of the chart (a run, Initialize, an edit, a snapshot): recompute what
    // depends on the chart and repaint.
    virtual void Refresh();
    // The view gained the input focus.
    virtual void OnFocusGained();

    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    CTarvekDoc& doc_;
    ViewState& state_;
};

}  // namespace ondrel::gui
