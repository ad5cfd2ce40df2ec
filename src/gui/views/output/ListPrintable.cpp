#include "gui/views/output/ListPrintable.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "gui/platform/FontConversion.h"
#include "gui/views/output/ListPainter.h"

namespace ondrel::gui {
namespace {

int ClampedPageCount(const ondrel::ListPagination& p) {
    return static_cast<int>(std::clamp<std::int64_t>(p.PageCount(), 1, INT_MAX));
}

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

}  // namespace

ListPrintable::ListPrintable(const ondrel::CTarvekDoc& doc, const ondrel::ListViewState& state)
    : doc_(doc), state_(state) {}

QString ListPrintable::PrintJobName() const { return HeaderTitle(); }

QString ListPrintable::HeaderTitle() const {
    QString title = QString::fromStdString(doc_.GetTitle());
    if (!state_.title.empty()) title += QStringLiteral(" : ") + QString::fromStdString(state_.title);
    return title;
}

ondrel::ListPageInput ListPrintable::PageInput(int width, int height) const {
    ondrel::ListPageInput in;
    in.pageWidth = width;
    in.pageHeight = height;
    in.columnWidth = metrics_.cellWidth;
    in.rowHeight = metrics_.rowHeight;
    in.notesHeight = metrics_.notesHeight;
    in.notesDisplay = state_.NotesDisplay;
    in.columnCount = static_cast<std::int64_t>(ondrel::ListTableOf(state_, doc_).columns.size());
    in.sampleCount = ondrel::ListSampleCount(doc_);
    return in;
}

// Before the dialog the cells are measured as the window shows them (a screen pixel for a
// unit) on the standard page.
int ListPrintable::EstimatePageCount() {
    metrics_ = MeasureList(state_, ondrel::kListEstimatePageWidth);
    return ClampedPageCount(ondrel::PaginateList(PageInput(ondrel::kListEstimatePageWidth, ondrel::kListEstimatePageHeight)));
}

// Pages are laid out in the device's own pixels: the cells are measured there, so the page
// holds exactly the rows and columns the printed fonts leave room for.
int ListPrintable::BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) {
    context_ = context;
    dpi_ = std::max(1, device.logicalDpiX());
    area_ = QRect(QPoint(0, 0), device.pageLayout().paintRectPixels(dpi_).size());
    metrics_ = MeasureList(state_, area_.width(), &device);
    input_ = PageInput(area_.width(), area_.height());
    pagination_ = ondrel::PaginateList(input_);
    return ClampedPageCount(pagination_);
}

void ListPrintable::PaintPage(QPainter& painter, int page) {
    const ondrel::ListPageLayout layout = ondrel::ListPageLayoutOf(pagination_, input_, page);
    const bool black = doc_.printMode;
    const int rh = metrics_.rowHeight;
    painter.setFont(ToQFont(state_.ListFont));
    painter.setPen(black ? QColor(Qt::black) : ToQColor(state_.FontColor));
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextDontClip;
    const QRect top(0, 0, area_.width(), rh);
    painter.drawText(top, flags | Qt::AlignLeft, HeaderTitle());
    painter.drawText(top, flags | Qt::AlignRight,
                     QString::fromStdString(ondrel::ListPageLabel(pagination_, layout.at)));
    const QRect bottom(0, area_.height() - rh, area_.width(), rh);
    painter.drawText(bottom, flags | Qt::AlignLeft, context_.pathName);
    painter.drawText(bottom, flags | Qt::AlignRight, context_.date);

    const ondrel::ListTable table = ondrel::ListTableOf(state_, doc_);
    ListPaintJob job(state_, table, metrics_);
    job.firstColumn = static_cast<int>(std::min<std::int64_t>(layout.firstColumn, INT_MAX));
    job.firstRow = layout.firstRow;
    job.extent = ListWindowExtent{static_cast<int>(std::clamp<std::int64_t>(layout.rows, 0, INT_MAX)),
                                  static_cast<int>(std::clamp<std::int64_t>(layout.visibleColumns, 0, INT_MAX))};
    job.drawNotes = layout.drawNotes;
    job.black = black;
    job.lineGap = std::max(2, 2 * dpi_ / 100);
    // The notes (or their band) start under the top line; the table follows them.
    PaintListTable(painter, QRect(0, -layout.notesTop, area_.width(), area_.height() - 2 * rh), job);
}

}  // namespace ondrel::gui
