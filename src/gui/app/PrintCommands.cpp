// The main frame's printing commands: Print, Print Preview, Print Setup and Export. They
// work on whatever the active window shows through its printable interface, so every view
// kind that implements it prints the same way.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "gui/app/CChildFrame.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/ChartSession.h"
#include "gui/app/CommandIds.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "gui/printing/PrintJob.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/chart/ChartExport.h"
#include "gui/views/output/CGraphBase.h"
#include "gui/views/output/GraphExport.h"
#include "gui/views/output/OutputPane.h"

namespace ondrel::gui {
namespace {

void Tell(const QString& message) {
    ShowMessage(message.toStdString(), LoadString(cmd::kAppTitleString), MsgButtons::Ok, MsgIcon::Error);
}

// A PDF beside the user's documents, named after what is printed.
QString SuggestedPdfPath(const QString& jobName) {
    QString name = jobName;
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.trimmed().isEmpty()) name = QStringLiteral("Chart");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

IPrintableView* CMainFrame::ActivePrintable() const {
    if (CChildFrame* frame = ActiveFrame()) return frame->ActiveView();
    // Windows of other kinds are printable when their pane is. The cast also turns away a
    // window that is being destroyed (closing it refreshes the commands).
    auto* frame = qobject_cast<COutputFrame*>(mdi_->currentSubWindow());
    return frame != nullptr ? dynamic_cast<IPrintableView*>(frame->ActivePane()) : nullptr;
}

QPrinter& CMainFrame::Printer() {
    if (printer_ == nullptr) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a printer the PDF file is the way to print at all.
        if (QPrinterInfo::availablePrinters().isEmpty()) printer_->setOutputFormat(QPrinter::PdfFormat);
    }
    return *printer_;
}

void CMainFrame::OnPrint() {
    IPrintableView* view = ActivePrintable();
    ChartSession* session = ActiveSession();
    if (view == nullptr) return;
    QPrinter& printer = Printer();
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        printer.setOutputFileName(SuggestedPdfPath(view->PrintJobName()));
    const int pages = view->EstimatePageCount();
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    // The dialog's print-to-file choice is, on this platform, the PDF printer: kept, so that
    // a desk without a printer can still print.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return;
    const PrintContext context = MakePrintContext(session != nullptr ? session->Path() : QString());
    const QString error = PrintOnPrinter({view}, printer, context);
    if (!error.isEmpty()) Tell(error);
}

void CMainFrame::OnPrintPreview() {
    IPrintableView* view = ActivePrintable();
    ChartSession* session = ActiveSession();
    if (view == nullptr) return;
    const PrintContext context = MakePrintContext(session != nullptr ? session->Path() : QString());
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [view, context](QPrinter* printer) {
        PrintViews({view}, *printer, context);
    });
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.exec();
}

// The whole active chart as a picture: SVG and PDF stay vectors, PNG at a chosen scale.
// Lists and reports export as the PDF their printout makes.
void CMainFrame::OnExport() {
    if (ActiveView() != nullptr)
        ExportChartImage();
    else if (CGraphBase* graph = ActiveGraph())
        ExportGraphPicture(*graph);
    else
        ExportPrintout();
}

// The graph as the window shows it: SVG and PDF as vectors, PNG magnified for crisp pictures.
void CMainFrame::ExportGraphPicture(CGraphBase& graph) {
    const QString svg = QStringLiteral("SVG Drawing (*.svg)");
    const QString pdf = QStringLiteral("PDF Document (*.pdf)");
    const QString png = QStringLiteral("PNG Image (*.png)");
    QString filter = svg;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export"), QStringLiteral("graph.svg"),
                                                QStringList{svg, pdf, png}.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == pdf ? QStringLiteral(".pdf") : filter == png ? QStringLiteral(".png") : QStringLiteral(".svg");
    const QString format = QFileInfo(path).suffix().toLower();
    double scale = kDefaultPngScale;
    if (format == QLatin1String("png")) {
        bool ok = false;
        scale = QInputDialog::getDouble(this, QStringLiteral("Export"), QStringLiteral("Scale (1 is the window's size):"),
                                        kDefaultPngScale, 0.5, 8.0, 1, &ok);
        if (!ok) return;
    }
    const QString kind = format == QLatin1String("pdf") || format == QLatin1String("png") ? format : QStringLiteral("svg");
    WriteExport(path, GraphImageBytes(graph, graph.viewport()->size(), kind, scale));
}

void CMainFrame::ExportPrintout() {
    IPrintableView* view = ActivePrintable();
    ChartSession* session = ActiveSession();
    if (view == nullptr) return;
    const QString pdf = QStringLiteral("PDF Document (*.pdf)");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export"), SuggestedPdfPath(view->PrintJobName()), pdf);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    const PrintContext context = MakePrintContext(session != nullptr ? session->Path() : QString());
    const QString error = PrintViewsToPdf({view}, path, Printer(), context);
    if (!error.isEmpty()) Tell(error);
}

void CMainFrame::ExportChartImage() {
    CTarvekView* view = ActiveView();
    ChartSession* session = ActiveSession();
    if (view == nullptr || session == nullptr) return;
    const QString svg = QStringLiteral("SVG Drawing (*.svg)");
    const QString pdf = QStringLiteral("PDF Document (*.pdf)");
    const QString png = QStringLiteral("PNG Image (*.png)");
    QString base = session->Path().isEmpty() ? QString::fromStdString(session->Document().GetTitle())
                                             : QFileInfo(session->Path()).completeBaseName();
    QString filter = svg;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export"), base + QStringLiteral(".svg"),
                                                QStringList{svg, pdf, png}.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == pdf ? QStringLiteral(".pdf") : filter == png ? QStringLiteral(".png") : QStringLiteral(".svg");
    const ChartImageFormat format = ChartImageFormatOf(path);
    double scale = kDefaultPngScale;
    if (format == ChartImageFormat::Png) {
        bool ok = false;
        scale = QInputDialog::getDouble(this, QStringLiteral("Export"), QStringLiteral("Scale (1 is 100 pixels per inch):"),
                                        kDefaultPngScale, 0.5, 8.0, 1, &ok);
        if (!ok) return;
    }
    const QString error = ExportChart(view->Document(), view->State(), path, format, scale);
    if (!error.isEmpty()) Tell(error);
}

}  // namespace ondrel::gui
