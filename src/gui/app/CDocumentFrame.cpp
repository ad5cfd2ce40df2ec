#include "gui/app/CDocumentFrame.h"

#include <QCloseEvent>

#include "gui/app/ChartSession.h"

namespace ondrel::gui {

CDocumentFrame::CDocumentFrame(ChartSession& session, QWidget* parent)
    : QMdiSubWindow(parent), session_(session) {
    session_.Document().AddView(this);
}

CDocumentFrame::~CDocumentFrame() { session_.Document().RemoveView(this); }

void CDocumentFrame::SetWindowNumber(int number) {
    windowNumber_ = number;
    RefreshCaption();
}

QString CDocumentFrame::Caption() const {
    const QString title = PaneTitle();
    if (!title.isEmpty()) return title;
    QString caption = QString::fromStdString(session_.Document().GetTitle());
    if (windowNumber_ > 0) caption += ':' + QString::number(windowNumber_);
    return caption;
}

void CDocumentFrame::RefreshCaption() {
    setWindowTitle(Caption() + QStringLiteral("[*]"));
    setWindowModified(session_.Document().IsModified());
}

void CDocumentFrame::OnUpdate(IDocumentView*, UpdateHint, CBlock*) { RefreshCaption(); }

void CDocumentFrame::closeEvent(QCloseEvent* event) {
    bool allowed = true;
    emit CloseRequested(this, &allowed);
    if (!allowed) {
        event->ignore();
        return;
    }
    OnClosing();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace ondrel::gui
