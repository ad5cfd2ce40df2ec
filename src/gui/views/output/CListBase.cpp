#include "gui/views/output/CListBase.h"

#include "gui/views/output/ListPrintable.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <limits>

#include "gui/help/HelpPages.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "core/platform/Platform.h"

namespace ondrel::gui {
namespace {

constexpr int kMaxScroll = std::numeric_limits<int>::max();
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 500;

const QString kPrintToFileTitle = QStringLiteral("Print to File");
const QStringList kPrintToFileFilters{QStringLiteral("Printer Files (*.prn)"),
                                      QStringLiteral("All Files (*.*)")};

int ClampToScroll(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, kMaxScroll)); }

}  // namespace

CListBase::CListBase(CTarvekDoc& doc, ListViewState& state, QWidget* parent)
    : CTemplateView(doc, state, parent),
      PrintsThrough(std::make_unique<ListPrintable>(doc, state)),
      list_(state) {}

void CListBase::CopyForSplit(const ListViewState& from, ListViewState& to) {
    // The members may be ahead of the items (a dialog applied them); the copy takes the
    // members' values.
    CSettingsGroup current;
    current.AssignFrom(from.settings);
    to.settings.CopyValuesFrom(current);
    to.displayedBlocks = from.displayedBlocks;
}

void CListBase::OnInitialUpdate(bool newView) {
    if (newView) list_.CompleteDefaults(Document());
    CTemplateView::OnInitialUpdate(newView);
}

int CListBase::HelpContext() const { return kHelpListView; }

ListTable CListBase::Table() const { return ListTableOf(list_, Document()); }

void CListBase::Refresh() {
    metrics_ = MeasureList(list_, viewport()->width());
    UpdateScrollBars();
    viewport()->update();
}

void CListBase::UpdateScrollBars() {
    const QSize area = viewport()->size();
    const ListTable table = Table();
    const ListWindowExtent extent = WindowExtent(metrics_, area);
    horizontalScrollBar()->setRange(
        0, LastFirstColumn(metrics_, static_cast<int>(table.columns.size()), area));
    verticalScrollBar()->setRange(0, ClampToScroll(LastFirstRow(metrics_, table.sampleCount, area)));
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setPageStep(std::max(1, extent.visibleColumns));
    verticalScrollBar()->setPageStep(std::max(1, extent.visibleRows));
}

int CListBase::FirstColumn() const { return horizontalScrollBar()->value(); }
std::int64_t CListBase::FirstRow() const { return verticalScrollBar()->value(); }

void CListBase::ScrollTo(int firstColumn, std::int64_t firstRow) {
    horizontalScrollBar()->setValue(firstColumn);
    verticalScrollBar()->setValue(ClampToScroll(firstRow));
}

ListPaintJob CListBase::Job(const ListTable& table) const {
    ListPaintJob job(list_, table, metrics_);
    job.firstColumn = FirstColumn();
    job.firstRow = FirstRow();
    return job;
}

void CListBase::Paint(QPainter& painter, const QRect& area, double) {
    const ListTable table = Table();
    ListPaintJob job = Job(table);
    job.background = palette().color(QPalette::Base);
    job.selectedFirst = selectedFirst_;
    job.selectedLast = selectedLast_;
    job.selection = palette().color(QPalette::Highlight).lighter(170);
    PaintListTable(painter, area, job);
    // The caption follows the title each time the list is drawn.
    NotifyTitle();
}

std::vector<DrawnText> CListBase::DrawnTexts() {
    QImage image(viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    const ListTable table = Table();
    std::vector<DrawnText> drawn;
    PaintListTable(painter, image.rect(), Job(table), &drawn);
    return drawn;
}

void CListBase::resizeEvent(QResizeEvent* event) {
    CTemplateView::resizeEvent(event);
    Refresh();
}

void CListBase::SelectRows(std::int64_t first, std::int64_t last) {
    selectedFirst_ = std::min(first, last);
    selectedLast_ = std::max(first, last);
    viewport()->update();
}

void CListBase::SelectAll() {
    anchor_ = 0;
    SelectRows(0, Table().sampleCount - 1);
}

std::int64_t CListBase::RowAtFixedColumn(QPoint point) const {
    const int top = (list_.NotesDisplay ? metrics_.notesHeight : 0) + metrics_.rowHeight;
    if (point.x() < 0 || point.x() >= metrics_.cellWidth || point.y() < top) return -1;
    const std::int64_t row = FirstRow() + (point.y() - top) / metrics_.rowHeight;
    return row < Table().sampleCount ? row : -1;
}

void CListBase::mousePressEvent(QMouseEvent* event) {
    CTemplateView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const std::int64_t row = RowAtFixedColumn(event->position().toPoint());
    if (row < 0) return;
    if ((event->modifiers() & Qt::ShiftModifier) && anchor_ >= 0) {
        SelectRows(anchor_, row);
        return;
    }
    anchor_ = row;
    SelectRows(row, row);
}

void CListBase::keyPressEvent(QKeyEvent* event) {
    QScrollBar* rows = verticalScrollBar();
    QScrollBar* columns = horizontalScrollBar();
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Up: rows->setValue(rows->value() - 1); break;
        case Qt::Key_Down: rows->setValue(rows->value() + 1); break;
        case Qt::Key_Left: columns->setValue(columns->value() - 1); break;
        case Qt::Key_Right: columns->setValue(columns->value() + 1); break;
        case Qt::Key_PageUp: rows->setValue(rows->value() - rows->pageStep()); break;
        case Qt::Key_PageDown: rows->setValue(rows->value() + rows->pageStep()); break;
        case Qt::Key_Home:
            columns->setValue(0);
            if (control) rows->setValue(0);
            break;
        case Qt::Key_End:
            if (control)
                rows->setValue(rows->maximum());
            else
                columns->setValue(columns->maximum());
            break;
        case Qt::Key_A:
            if (!control) return CTemplateView::keyPressEvent(event);
            SelectAll();
            break;
        default: return CTemplateView::keyPressEvent(event);
    }
    event->accept();
}

void CListBase::CopyToClipboard() {
    const ListTable table = Table();
    const std::string text = selectedFirst_ <= selectedLast_
                                 ? ListClipboardText(table, selectedFirst_, selectedLast_)
                                 : ListClipboardText(table);
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void CListBase::PrintToFile() {
    QFileDialog dialog(this, kPrintToFileTitle);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kPrintToFileFilters);
    dialog.setDefaultSuffix(QStringLiteral("prn"));
    dialog.selectFile(QString::fromStdString(PrintToFileInitialName(list_.title)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    // A long table shows its progress and can be stopped; the file is then left as it was.
    QProgressDialog progress(tr("Writing %1...").arg(QFileInfo(path).fileName()), tr("Cancel"), 0,
                             kProgressSteps, this);
    progress.setWindowTitle(kPrintToFileTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    bool cancelled = false;
    const std::string error = SavePrintToFile(
        path.toStdString(), Table(), list_.notes, [&](std::int64_t done, std::int64_t total) {
            progress.setValue(total > 0 ? static_cast<int>(done * kProgressSteps / total) : kProgressSteps);
            cancelled = progress.wasCanceled();
            return !cancelled;
        });
    progress.reset();
    if (!error.empty() && !cancelled)
        ShowMessage(error, kPrintToFileTitle.toStdString(), MsgButtons::Ok);
}

}  // namespace ondrel::gui
