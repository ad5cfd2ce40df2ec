#include "gui/printing/PrintJob.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QBuffer>
#include <algorithm>

#include "core/model/views/PageLabels.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "gui/views/chart/ChartExport.h"

namespace ondrel::gui {
namespace {

constexpr int kApplicationTitleString = 57344;

}  // namespace

PrintContext MakePrintContext(const QString& pathName) {
    PrintContext context;
    context.pathName = pathName;
    context.date = QString::fromStdString(PrintDateText(Platform().clock->Today()));
    return context;
}

QString PrintViews(const std::vector<IPrintableView*>& views, QPagedPaintDevice& device,
                   const PrintContext& context, int fromPage, int toPage) {
    QPainter painter;
    bool first = true;
    for (IPrintableView* view : views) {
        if (view == nullptr) continue;
        int pages = std::max(1, view->BeginPrinting(device, context));
        if (pages > kMaxPagesPerView) {
            ShowMessage(QStringLiteral("%1 needs %2 pages; only the first %3 are printed.")
                            .arg(view->PrintJobName()).arg(pages).arg(kMaxPagesPerView).toStdString(),
                        LoadString(kApplicationTitleString));
            pages = kMaxPagesPerView;
        }
        const int from = fromPage > 0 ? fromPage : 1;
        const int to = toPage > 0 ? std::min(toPage, pages) : pages;
        for (int page = from; page <= to; ++page) {
            if (first) {
                if (!painter.begin(&device)) {
                    view->EndPrinting();
                    return QStringLiteral("The printer could not be started.");
                }
                first = false;
            } else if (!device.newPage()) {
                view->EndPrinting();
                return QStringLiteral("The printer could not start a new page.");
            }
            painter.save();
            view->PaintPage(painter, page);
            painter.restore();
        }
        view->EndPrinting();
    }
    if (first) return QStringLiteral("There is nothing to print.");
    if (!painter.end()) return QStringLiteral("The printout could not be finished.");
    return {};
}

QString PrintViewsToPdf(const std::vector<IPrintableView*>& views, const QString& path,
                        const QPrinter& layoutFrom, const PrintContext& context, int fromPage, int toPage) {
    // The document is made in memory and then put in place whole, so a failed printout never
    // leaves half a file where an older one was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layoutFrom.pageLayout());
        writer.setResolution(layoutFrom.resolution());
        writer.setCreator(QStringLiteral("Ondrel"));
        if (!views.empty() && views.front() != nullptr) writer.setTitle(views.front()->PrintJobName());
        error = PrintViews(views, writer, context, fromPage, toPage);
    }
    if (!error.isEmpty()) return error;
    return WriteBytesAtomically(path, bytes);
}

QString PrintOnPrinter(const std::vector<IPrintableView*>& views, QPrinter& printer,
                       const PrintContext& context) {
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int from = range ? printer.fromPage() : 0;
    const int to = range ? printer.toPage() : 0;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PrintViewsToPdf(views, printer.outputFileName(), printer, context, from, to);
    if (!views.empty() && views.front() != nullptr) printer.setDocName(views.front()->PrintJobName());
    return PrintViews(views, printer, context, from, to);
}

}  // namespace ondrel::gui
