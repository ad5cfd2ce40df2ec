#include "gui/views/chart/ChartPrintable.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/ConnectorGeometry.h"
#include "gui/printing/PrintJob.h"
#include "gui/views/chart/ChartPainter.h"

namespace ondrel::gui {

namespace {

ondrel::ChartPageGeometry PageGeometryOf(const ChartGeometry& g, const ondrel::ChartViewState& state,
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
    return pg;
}

// The world box a connector can paint into: its points, the line's width and the link letters.
ondrel::WorldBox ConnectorWorldBox(const ondrel::ConnectorPoints& p, std::int64_t margin) {
    ondrel::WorldBox box{p[0].x, -p[0].y, p[0].x, -p[0].y};
    for (const ondrel::ChartPoint& point : p) {
        box.left = std::min<std::int64_t>(box.left, point.x);
        box.right = std::max<std::int64_t>(box.right, point.x);
        box.top = std::min<std::int64_t>(box.top, -point.y);
        box.bottom = std::max<std::int64_t>(box.bottom, -point.y);
    }
    return {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

}  // namespace

ondrel::ChartPagination PaginateLaidOutChart(const ChartGeometry& g, const ondrel::ChartViewState& state,
                                             int printRight, int printBottom) {
    return ondrel::PaginateChart(PageGeometryOf(g, state, printRight, printBottom));
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
    const int pages = ClampedPageCount(pagination_);
    SortOntoPages(std::min(pages, kMaxPagesPerView));
    return pages;
}

ondrel::ChartPageGeometry ChartPrintable::PageGeometry() const {
    return PageGeometryOf(geometry_, state_, printRight_, printBottom_);
}

void ChartPrintable::SortOntoPages(int pages) {
    pageBlocks_.assign(static_cast<std::size_t>(pages), {});
    pageConnectors_.assign(static_cast<std::size_t>(pages), {});
    const ondrel::ChartPageGeometry pg = PageGeometry();
    const std::int64_t down = pagination_.pagesDown;
    auto index = [down](std::int64_t column, std::int64_t row) { return (column - 1) * down + row - 1; };
    for (const auto& owned : doc_.blockList) {
        const ondrel::PagePosition at = ondrel::PageOfCell(pagination_, owned->position.x, owned->position.y);
        if (const std::int64_t i = index(at.column, at.row); i < pages) pageBlocks_[std::size_t(i)].push_back(owned.get());
    }
    const ondrel::ConnectorMetrics metrics = ViewConnectorMetrics(geometry_, state_);
    const std::int64_t margin = std::int64_t{state_.LineWidth} + geometry_.valueTextWidth + 2;
    for (const auto& owned : doc_.blockList) {
        for (int k = 1; k <= 3 && owned->inputCount != 0; ++k) {
            const ondrel::CBlock* source = owned->input[k];
            if (source == nullptr) continue;
            const auto points = ondrel::ConnectorGeometry(*owned, k, *source, owned->route[k], metrics);
            const ondrel::PageSpan span = ondrel::PagesMeeting(pagination_, pg, ConnectorWorldBox(points, margin));
            for (std::int64_t c = span.firstColumn; c <= span.lastColumn && index(c, 1) < pages; ++c)
                for (std::int64_t r = span.firstRow; r <= span.lastRow; ++r)
                    if (const std::int64_t i = index(c, r); i < pages)
                        pageConnectors_[std::size_t(i)].push_back({owned.get(), k});
        }
    }
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
    if (page >= 1 && page <= static_cast<int>(pageBlocks_.size())) {
        printed.blocks = &pageBlocks_[static_cast<std::size_t>(page - 1)];
        printed.connectors = &pageConnectors_[static_cast<std::size_t>(page - 1)];
    }
    ChartPaintJob job{doc_, state_, geometry_, icons_, textWidths_};
    job.printing = true;
    job.holdingMarks = false;
    job.windowColor = Qt::white;
    job.page = &printed;
    PaintChart(painter, area_, dpi_, job);
}

void ChartPrintable::EndPrinting() {
    pageBlocks_.clear();
    pageConnectors_.clear();
}

}  // namespace ondrel::gui
