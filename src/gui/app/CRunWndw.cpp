#include "gui/app/CRunWndw.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/model/CTarvekDoc.h"
#include "core/platform/NumberFormat.h"

namespace ondrel::gui {

CRunWndw::CRunWndw(CTarvekDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setWindowTitle(QString::fromLatin1(kRunWindowCaption));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::Dialog);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(180, 60);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString CRunWndw::TimeText() const {
    return QString::fromStdString(FormatNumber(kRunTimeFormat, doc_.RunTime()));
}

void CRunWndw::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().windowText().color());
    const QFontMetrics metrics(font());
    painter.drawText(10, 10 + metrics.ascent(), TimeText());
}

void CRunWndw::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) doc_.OnTerminateRun();
}

namespace {
bool IsStopKey(const QKeyEvent& event) {
    const bool shiftF5 = event.key() == Qt::Key_F5 && event.modifiers() == Qt::ShiftModifier;
    return event.key() == Qt::Key_Escape || shiftF5;
}
}  // namespace

bool CRunWndw::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsStopKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CRunWndw::keyPressEvent(QKeyEvent* event) {
    // Esc, and Shift+F5 as Terminate Run in the main window: the run window holds the keyboard.
    if (IsStopKey(*event)) {
        doc_.OnTerminateRun();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Closing the window from its title bar is a stop request too; the run closes it itself.
void CRunWndw::closeEvent(QCloseEvent* event) {
    if (doc_.IsRunning()) {
        doc_.OnTerminateRun();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace ondrel::gui
