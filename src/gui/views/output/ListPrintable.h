#pragma once
// A list view on paper: the table cut into pages of whole columns and rows (numbered down
// first), each page with the title and page label on its top line and the document's path
// and the date on its bottom line. The cells are measured on the device printed to; the
// table itself is drawn by the list's one painting path.
#include <QRect>
#include <QString>

#include "core/model/views/ListPages.h"
#include "gui/printing/PrintableView.h"
#include "gui/views/output/ListLayout.h"

namespace ondrel {
class CTarvekDoc;
class ListViewState;
}  // namespace ondrel

namespace ondrel::gui {

class ListPrintable : public IPrintableView {
public:
    // Both must outlive the printable.
    ListPrintable(const ondrel::CTarvekDoc& doc, const ondrel::ListViewState& state);

    int EstimatePageCount() override;
    QString PrintJobName() const override;
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override;
    void PaintPage(QPainter& painter, int page) override;
    void EndPrinting() override {}

    const ondrel::ListPagination& Pagination() const { return pagination_; }
    // The top line's left text: the document title, then " : " and the view title if any.
    QString HeaderTitle() const;

private:
    ondrel::ListPageInput PageInput(int width, int height) const;

    const ondrel::CTarvekDoc& doc_;
    const ondrel::ListViewState& state_;
    ListMetrics metrics_;
    ondrel::ListPageInput input_;
    ondrel::ListPagination pagination_;
    PrintContext context_;
    QRect area_;  // the printable area, device pixels
    int dpi_ = 100;
};

}  // namespace ondrel::gui
