#include "gui/views/text/TextPrintable.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/TextViewState.h"
#include "gui/views/text/ReportDocument.h"

namespace ondrel::gui {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// The standard page the estimate lays out on: 8 x 10.54 inches at a screen's 96 dots.
constexpr double kEstimateDpi = 96.0;
constexpr double kEstimateWidthInches = 8.0;
constexpr double kEstimateHeightInches = 10.54;

// The body inside the margins, in pixels of the printable area (paint) of a page (full).
QRectF BodyOf(const QRectF& full, const QRectF& paint, double dpi) {
    const auto px = [dpi](int twips) { return twips * dpi / kTwipsPerInch; };
    QRectF body(full.left() + px(kReportMarginLeftTwips), full.top() + px(kReportMarginTopTwips),
                full.width() - px(kReportMarginLeftTwips) - px(kReportMarginRightTwips),
                full.height() - px(kReportMarginTopTwips) - px(kReportMarginBottomTwips));
    body = body.intersected(paint);
    if (body.width() < 1.0 || body.height() < 1.0) body = paint;
    return body.translated(-paint.topLeft());
}

// Where a block's (single, unwrapped) line starts, in document coordinates.
qreal LineTop(const QTextDocument& document, const QTextBlock& block) {
    const QTextLayout* layout = block.layout();
    if (layout == nullptr || layout->lineCount() == 0) return document.documentLayout()->blockBoundingRect(block).top();
    return layout->position().y() + layout->lineAt(0).y();
}

// The first block whose line starts at or below y: the lines are in order.
QTextBlock FirstBlockFrom(const QTextDocument& document, qreal y) {
    int low = 0;
    int high = document.blockCount();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (LineTop(document, document.findBlockByNumber(mid)) < y)
            low = mid + 1;
        else
            high = mid;
    }
    return document.findBlockByNumber(low);
}

int PagesOf(QTextDocument& document, const QRectF& body) {
    document.setDocumentMargin(0);  // the body is inside the margins already
    document.setPageSize(body.size());
    return std::max(1, document.pageCount());
}

}  // namespace

TextPrintable::TextPrintable(const ondrel::CTarvekDoc& doc, const ondrel::TextViewState& state,
                             const std::string* shownReport)
    : doc_(doc), state_(state), shownReport_(shownReport) {}

TextPrintable::~TextPrintable() = default;

QString TextPrintable::PrintJobName() const {
    QString title = QString::fromStdString(doc_.GetTitle());
    if (!state_.title.empty()) title += QStringLiteral(" : ") + QString::fromStdString(state_.title);
    return title;
}

QString TextPrintable::ReportText() const {
    QString text = QString::fromStdString(shownReport_ != nullptr ? *shownReport_ : ondrel::ChartReportText(state_, doc_));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int TextPrintable::EstimatePageCount() {
    std::unique_ptr<QTextDocument> document(MakeReportDocument(state_, ReportText(), kEstimateDpi, nullptr));
    const QRectF page(0, 0, kEstimateWidthInches * kEstimateDpi, kEstimateHeightInches * kEstimateDpi);
    return PagesOf(*document, BodyOf(page, page, kEstimateDpi));
}

// The document is laid out with the device's own font metrics (its layout paints on the
// device), so the pages break where the printed lines do.
int TextPrintable::BeginPrinting(QPagedPaintDevice& device, const PrintContext&) {
    const int dpi = std::max(1, device.logicalDpiX());
    const QPageLayout layout = device.pageLayout();
    body_ = BodyOf(layout.fullRectPixels(dpi), layout.paintRectPixels(dpi), dpi);
    // "Always print B/W" holds for the report as for every other printout.
    document_.reset(MakeReportDocument(state_, ReportText(), dpi, nullptr, doc_.printMode));
    document_->documentLayout()->setPaintDevice(&device);
    pages_ = PagesOf(*document_, body_);
    return pages_;
}

// A page draws the lines that start on it, each whole: the layout moves a line that would
// cross the page's end onto the next page, and nothing of it is left (not even clipped away)
// on this one.
void TextPrintable::PaintPage(QPainter& painter, int page) {
    if (document_ == nullptr || page < 1 || page > pages_) return;
    const qreal top = (page - 1) * body_.height();
    const qreal bottom = top + body_.height();
    painter.translate(body_.left(), body_.top() - top);
    for (QTextBlock block = FirstBlockFrom(*document_, top); block.isValid(); block = block.next()) {
        if (LineTop(*document_, block) >= bottom) break;
        // A block's layout is placed in the document already; the body is the document's origin.
        if (block.layout() != nullptr) block.layout()->draw(&painter, QPointF(0, 0));
    }
}

void TextPrintable::EndPrinting() { document_.reset(); }

}  // namespace ondrel::gui
