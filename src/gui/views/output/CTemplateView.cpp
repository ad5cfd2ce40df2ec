#include "gui/views/output/CTemplateView.h"

#include <QPaintEvent>
#include <QPainter>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ViewState.h"

namespace ondrel::gui {

CTemplateView::CTemplateView(CTarvekDoc& doc, ViewState& state, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), state_(state) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    doc_.AddView(this);
}

CTemplateView::~CTemplateView() { doc_.RemoveView(this); }

QString CTemplateView::CaptionTitle() const { return QString::fromStdString(state_.title); }

void CTemplateView::OnInitialUpdate(bool) {
    Refresh();
    NotifyTitle();
}

void CTemplateView::OnUpdate(IDocumentView*, UpdateHint hint, CBlock* block) {
    if (hint == UpdateHint::BlockDeleting && block != nullptr) {
        OnBlockDeleting(*block);
        Refresh();
        return;
    }
    Refresh();
    // An undone or redone change of the view's settings may bring another title.
    NotifyTitle();
}

// The session has usually told the state already; doing it again is harmless and keeps the
// view right whoever notifies first.
void CTemplateView::OnBlockDeleting(CBlock& block) { state_.OnBlockDeleting(block, doc_); }

void CTemplateView::Refresh() { viewport()->update(); }

void CTemplateView::OnFocusGained() { viewport()->update(); }

void CTemplateView::Paint(QPainter&, const QRect&, double) {}

double CTemplateView::DotsPerInch() const {
    const int dpi = viewport()->logicalDpiX();
    return dpi > 0 ? dpi : 96.0;
}

void CTemplateView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    Paint(painter, viewport()->rect(), DotsPerInch());
}

void CTemplateView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    OnFocusGained();
}

void CTemplateView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace ondrel::gui
