#include "views/chart/ChartPrintable.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "model/CTarvekDoc.h"
#include "model/views/ChartViewState.h"
#include "views/chart/ChartPainter.h"

namespace ondrel::gui {

ondrel::ChartPagination PaginateLaidOutChart(const ChartGeometry& g, const ondrel::ChartViewState& state,
                                             int printRight, int printBottom) {
    ondrel::ChartPageGeometry pg;
    pg.printRight = printRight;
    pg.printBottom = printBottom;
    pg.originX = g.originX;
    pg.originY = g.originY;
    pg.cellWidth = g.cellWidth;
    pg.cellHeight = g.cellHeight;
    pg.textHeight = g.textHeight;
    pg.notesHeight = state.NotesDisplay && !state.notes.empty() ? g.notesHeight : 0;
    pg.linesX = state.LinesX;
    pg.linesY = state.LinesY;
    pg.maxColumn = g.maxColumn;
    pg.minRow = g.minRow;
    return ondrel::PaginateChart(pg);
}

namespace {

int ClampedPageCount(const ondrel::ChartPagination& p) {
    return static_cast<int>(std::clamp<std::int64_t>(p.PageCount(), 1, INT_MAX));
}

}  // namespace

ChartPrintable::ChartPrintable(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state)
    : doc_(doc), state_(state) {}

int ChartPrintable::EstimatePageCount() {
    const ChartGeometry g = LayOutChart(doc_, state_, ondrel::kEstimatePageRight);
    return ClampedPageCount(PaginateLaidOutChart(g, state_, ondrel::kEstimatePageRight, ondrel::kEstimatePageBottom));
}

QString ChartPrintable::PrintJobName() const { return HeaderTitle(); }

QString ChartPrintable::HeaderTitle() const {
    QString title = QString::fromStdString(doc_.GetTitle());
    if (!state_.title.empty()) title += QStringLiteral(" : ") + QString::fromStdString(state_.title);
    return title;
}

int ChartPrintable::BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) {
    context_ = context;
    dpi_ = std::max(1, device.logicalDpiX());
    const QRect paint = device.pageLayout().paintRectPixels(static_cast<int>(dpi_));
    area_ = QRect(QPoint(0, 0), paint.size());
    printRight_ = static_cast<int>(area_.width() * kChartUnitsPerInch / dpi_);
    printBottom_ = static_cast<int>(area_.height() * kChartUnitsPerInch / dpi_);
    geometry_ = LayOutChart(doc_, state_, printRight_);
    pagination_ = PaginateLaidOutChart(geometry_, state_, printRight_, printBottom_);
    printedIcons_ = PrintedIcons();  // a damaged icon is reported once per printout
    return ClampedPageCount(pagination_);
}

void ChartPrintable::PaintPage(QPainter& painter, int page) {
    ChartPrintPage printed;
    printed.pagination = pagination_;
    printed.at = ondrel::PagePositionOf(page, pagination_.pagesDown);
    printed.title = HeaderTitle();
    printed.label = QString::fromStdString(ondrel::ChartPageLabel(pagination_, printed.at));
    printed.pathName = context_.pathName;
    printed.date = context_.date;
    printed.printRight = printRight_;
    printed.printBottom = -printBottom_;
    printed.icons = &printedIcons_;
    ChartPaintJob job{doc_, state_, geometry_, icons_, textWidths_};
    job.printing = true;
    job.holdingMarks = false;
    job.windowColor = Qt::white;
    job.page = &printed;
    PaintChart(painter, area_, dpi_, job);
}

void ChartPrintable::EndPrinting() {}

}  // namespace ondrel::gui
