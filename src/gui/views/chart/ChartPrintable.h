#pragma once
// A chart view on paper: the chart laid out again for the printed page, cut into pages
// across and down (numbered down first), each page with its header and footer, its own
// blocks, connectors kept between header and footer and icons from bitmaps.
#include <QRect>
#include <QString>
#include <vector>

#include "core/model/views/ChartPages.h"
#include "gui/printing/PrintableView.h"
#include "gui/views/chart/ChartLayout.h"
#include "gui/views/chart/ChartPainter.h"
#include "gui/views/chart/IconCache.h"
#include "gui/views/chart/PrintedIcons.h"

namespace ondrel {
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

// The pagination of a chart laid out as g for a print rectangle of right x |bottom| units.
ondrel::ChartPagination PaginateLaidOutChart(const ChartGeometry& g, const ondrel::ChartViewState& state,
                                             int printRight, int printBottom);

class ChartPrintable : public IPrintableView {
public:
    // Both must outlive the printable.
    ChartPrintable(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state);

    int EstimatePageCount() override;
    QString PrintJobName() const override;
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override;
    void PaintPage(QPainter& painter, int page) override;
    void EndPrinting() override;

    const ondrel::ChartPagination& Pagination() const { return pagination_; }
    // The header's left text: the document title, then " : " and the view title if any.
    QString HeaderTitle() const;

private:
    ondrel::ChartPageGeometry PageGeometry() const;
    // Sorts the blocks and connectors onto the pages that can show them, once per printout.
    void SortOntoPages(int pages);

    const ondrel::CTarvekDoc& doc_;
    const ondrel::ChartViewState& state_;
    ChartGeometry geometry_;
    ondrel::ChartPagination pagination_;
    PrintContext context_;
    QRect area_;         // the printable area, device pixels
    double dpi_ = 100.0;
    int printRight_ = 0;   // chart units
    int printBottom_ = 0;  // chart units, magnitude
    IconCache icons_;
    TextWidthCache textWidths_;
    PrintedIcons printedIcons_;
    std::vector<std::vector<const ondrel::CBlock*>> pageBlocks_;  // by page - 1
    std::vector<std::vector<PageConnector>> pageConnectors_;
};

}  // namespace ondrel::gui
