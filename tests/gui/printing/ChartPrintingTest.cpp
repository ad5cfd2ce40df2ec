// Printed charts: the pages a chart view prints into a PDF (header, page label, footer path
// and date, each page's own blocks with their labels and values), black-and-white printing,
// the SVG export, the Print Preview command and the headless --print-to-pdf.
#include <QtTest>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sstream>

#include "support/AppFixture.h"
#include "support/GuiTestRegistry.h"
#include "support/ModalDriver.h"
#include "PrintTestSupport.h"

#include "gui/app/CommandIds.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "core/platform/Platform.h"
#include "gui/printing/PdfFromCommandLine.h"
#include "gui/printing/PrintJob.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/chart/ChartExport.h"
#include "gui/views/chart/ChartPrintable.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

CBlock* Place(CTarvekDoc& doc, int type, int x, int y, const char* label, ColorRef color, double value) {
    auto pending = doc.CreateBlock(type);
    CBlock* block = pending.get();
    doc.PlaceBlock(std::move(pending), x, y);
    block->label = label;
    block->color = color;
    block->history = {value};
    block->value = value;  // shown instead of the samples by an initialisation block
    return block;
}

}  // namespace

// A view of many blank pages that counts what it is asked to paint.
class CountingView : public IPrintableView {
public:
    explicit CountingView(int pages) : pages_(pages) {}
    int EstimatePageCount() override { return pages_; }
    QString PrintJobName() const override { return QStringLiteral("Wide"); }
    int BeginPrinting(QPagedPaintDevice&, const PrintContext&) override { return pages_; }
    void PaintPage(QPainter&, int page) override { painted.push_back(page); }
    void EndPrinting() override {}
    std::vector<int> painted;

private:
    int pages_;
};

class ChartPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        boxes_.shown.clear();
        scope_ = std::make_unique<ScopedPlatform>(PlatformServices{&boxes_, nullptr, &clock_});
        doc_ = std::make_unique<CTarvekDoc>();
        doc_->OnNewDocument();
        doc_->SetFrameworkTitle("springs.cht");
        state_ = std::make_unique<ChartViewState>();
        state_->title = "Overview";
        near_ = Place(*doc_, kTypeConstant, 1, -1, "Near", MakeColor(0, 160, 0), 1.25);
        right_ = Place(*doc_, kTypeNegate, 14, -1, "FarRight", MakeColor(0, 0, 255), -3.5);
        down_ = Place(*doc_, kTypeNegate, 2, -20, "FarDown", MakeColor(255, 0, 0), 42.0);
        doc_->ConnectInput(right_, 1, near_);
        doc_->ConnectInput(down_, 1, near_);
        view_ = std::make_unique<CTarvekView>(*doc_, *state_);
        view_->resize(400, 300);
        view_->OnInitialUpdate();
    }
    void cleanup() {
        view_.reset();
        state_.reset();
        doc_.reset();
        scope_.reset();
    }

    void pdfPagesCarryHeaderFooterAndTheirOwnBlocks() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("chart.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        QCOMPARE(PrintViewsToPdf({view_.get()}, pdf, printer, MakePrintContext("/charts/springs.cht")), QString());
        if (PdfText(pdf).isNull()) QSKIP("pdftotext is not installed");

        // 8 x 10.5 inches: 10 columns and 13 rows a page at the default sizes.
        ChartPrintable printable(*doc_, *state_);
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter layout(&sink);
        layout.setPageLayout(printer.pageLayout());
        layout.setResolution(printer.resolution());
        QCOMPARE(printable.BeginPrinting(layout, {}), 4);
        QCOMPARE(printable.Pagination().pagesDown, 2);
        QCOMPARE(printable.Pagination().pagesAcross, 2);

        struct Page {
            int number;
            const char* label;
            QStringList shows;
            QStringList hides;
        };
        const Page pages[] = {
            {1, "Page 1A of 2B", {"Near", "1.250e+000"}, {"FarRight", "FarDown", "-3.500e+000"}},
            {2, "Page 2A of 2B", {"FarDown", "4.200e+001"}, {"Near", "FarRight"}},
            {3, "Page 1B of 2B", {"FarRight", "-3.500e+000"}, {"Near", "FarDown"}},
            {4, "Page 2B of 2B", {}, {"Near", "FarRight", "FarDown"}},
        };
        for (const Page& page : pages) {
            const QString text = PdfText(pdf, page.number);
            QVERIFY2(text.contains(QStringLiteral("springs.cht : Overview")), qPrintable(text));
            QVERIFY2(text.contains(QLatin1String(page.label)), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("/charts/springs.cht")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("03/04/26")), qPrintable(text));
            for (const QString& shown : page.shows) QVERIFY2(text.contains(shown), qPrintable(shown + "\n" + text));
            for (const QString& hidden : page.hides) QVERIFY2(!text.contains(hidden), qPrintable(hidden + "\n" + text));
        }
        QVERIFY(boxes_.shown.empty());
    }

    // Printing paints the page through the printed path; with "Always print B/W" nothing on
    // it has a colour, without it the coloured connectors and icons show.
    void alwaysPrintBlackAndWhiteLeavesNoColour() {
        for (int printMode : {0, 1}) {
            doc_->printMode = printMode;
            ChartPrintable printable(*doc_, *state_);
            QBuffer sink;
            sink.open(QIODevice::WriteOnly);
            QPdfWriter layout(&sink);
            layout.setResolution(100);
            layout.setPageMargins(QMarginsF(0, 0, 0, 0));
            printable.BeginPrinting(layout, MakePrintContext("/charts/springs.cht"));
            const QSize size = layout.pageLayout().paintRectPixels(100).size();
            for (int page = 1; page <= 3; ++page) {
                QImage image(size, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                printable.PaintPage(painter, page);
                painter.end();
                if (printMode == 1)
                    QCOMPARE(ColouredPixels(image), 0);
                else
                    QVERIFY(ColouredPixels(image) > 50);
            }
        }
    }

    void pageRangesAndThePageLimit() {
        struct Case {
            int pages, from, to;
            int first, last, count;
            bool told;
        };
        const Case cases[] = {
            {5, 0, 0, 1, 5, 5, false},
            {5, 2, 3, 2, 3, 2, false},
            {5, 4, 9, 4, 5, 2, false},
            {kMaxPagesPerView + 5, 0, 0, 1, kMaxPagesPerView, kMaxPagesPerView, true},
        };
        for (const Case& c : cases) {
            boxes_.shown.clear();
            CountingView view(c.pages);
            QBuffer sink;
            sink.open(QIODevice::WriteOnly);
            QPdfWriter writer(&sink);
            QCOMPARE(PrintViews({&view}, writer, {}, c.from, c.to), QString());
            QCOMPARE(static_cast<int>(view.painted.size()), c.count);
            QCOMPARE(view.painted.front(), c.first);
            QCOMPARE(view.painted.back(), c.last);
            QCOMPARE(boxes_.shown.size(), c.told ? 1u : 0u);
        }
        // Several views print one after the other into the one document.
        CountingView first(2), second(3);
        QByteArray pdf;
        QBuffer sink(&pdf);
        sink.open(QIODevice::WriteOnly);
        QPdfWriter writer(&sink);
        QCOMPARE(PrintViews({&first, &second}, writer, {}), QString());
        QCOMPARE(first.painted, (std::vector<int>{1, 2}));
        QCOMPARE(second.painted, (std::vector<int>{1, 2, 3}));
        QCOMPARE(pdf.count("/Type /Page\n"), 5);
    }

    void svgExportHasOnePathPerConnectorAndLabelsAsText() {
        const QString svg = QString::fromUtf8(ChartImageBytes(*doc_, *state_, ChartImageFormat::Svg));
        QCOMPARE(svg.count(QStringLiteral("<polyline")), 2);
        for (const char* label : {"Near", "FarRight", "FarDown", "Clock"})
            QVERIFY2(svg.contains(QStringLiteral(">%1</text>").arg(QLatin1String(label))), label);
        const QSize size = ChartDrawingSize(*doc_, *state_);
        QVERIFY(svg.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height())));
        // PNG at twice the resolution, PDF one page.
        QImage png;
        QVERIFY(png.loadFromData(ChartImageBytes(*doc_, *state_, ChartImageFormat::Png, 2.0), "PNG"));
        QCOMPARE(png.size(), size * 2);
        QVERIFY(ChartImageBytes(*doc_, *state_, ChartImageFormat::Pdf).startsWith("%PDF"));
    }

    // Print Preview shows the active chart's pages, Print Setup opens the page setup, and
    // Export writes the whole chart where the file dialog says.
    void previewSetupAndExportOfTheActiveChart() {
        AppFixture f;
        f.Start({f.CopyExample(QStringLiteral("damped_spring.cht"))});
        QVERIFY(f.Frame().Action(cmd::kFilePrint)->isEnabled());
        QVERIFY(f.Frame().Action(cmd::kFilePrintPreview)->isEnabled());
        QVERIFY(f.Frame().Action(cmd::kFilePrintSetup)->isEnabled());
        int pages = -1;
        {
            ModalDriver driver(
                [&pages](QWidget* modal) {
                    if (auto* widget = modal->findChild<QPrintPreviewWidget*>()) {
                        widget->updatePreview();
                        pages = widget->pageCount();
                    }
                    static_cast<QDialog*>(modal)->reject();
                },
                "QPrintPreviewDialog");
            f.Frame().Execute(cmd::kFilePrintPreview);
            QVERIFY(driver.Acted() && !driver.TimedOut());
            QCOMPARE(pages, 1);
        }
        {
            ModalDriver driver([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); }, "QPageSetupDialog");
            f.Frame().Execute(cmd::kFilePrintSetup);
            QVERIFY(driver.Acted() && !driver.TimedOut());
        }
        const QString svg = f.Path(QStringLiteral("picture.svg"));
        {
            ModalDriver driver([&svg](QWidget* modal) { AcceptFileDialog(modal, svg); }, "QFileDialog");
            f.Frame().Execute(cmd::kFileExport);
            QVERIFY(driver.Acted() && !driver.TimedOut());
        }
        const QByteArray written = ReadBytes(svg);
        QVERIFY(written.contains("<svg"));
        QVERIFY(written.contains(">Velocity</text>"));
    }

    // Without a printer the print dialog prints to a PDF file; accepting it writes the file.
    void printCommandWritesThePdfTheDialogNames() {
        AppFixture f;
        f.Start({f.CopyExample(QStringLiteral("damped_spring.cht"))});
        QPrinter& printer = f.Frame().Printer();
        if (printer.outputFormat() != QPrinter::PdfFormat) QSKIP("a printer is installed here");
        const QString pdf = f.Path(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(pdf);
        ModalDriver driver([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); }, "QPrintDialog");
        f.Frame().Execute(cmd::kFilePrint);
        QVERIFY(driver.Acted());
        QVERIFY(!driver.TimedOut());
        QVERIFY(ReadBytes(pdf).startsWith("%PDF"));
        const QString text = PdfText(pdf);
        if (!text.isNull()) QVERIFY2(text.contains(QStringLiteral("Position")), qPrintable(text));
    }

    void printToPdfFromTheCommandLine() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("out.pdf");
        const QString chart = QStringLiteral(ONDREL_SOURCE_DIR "/examples/damped_spring.cht");
        struct Case {
            QStringList arguments;
            int status;
            const char* message;
        };
        const Case cases[] = {
            {{kPrintToPdfOption, pdf, chart}, 0, ""},
            {{kPrintToPdfOption, pdf}, 1, "usage: "},
            {{kPrintToPdfOption, pdf, dir.filePath("missing.cht")}, 2, "Load Error: Unable to open"},
            {{kPrintToPdfOption, dir.filePath("no/such/out.pdf"), chart}, 2, "Ondrel: Unable to write"},
        };
        for (const Case& c : cases) {
            std::ostringstream err;
            QCOMPARE(PrintChartToPdf(c.arguments, err), c.status);
            QVERIFY2(QString::fromStdString(err.str()).startsWith(QLatin1String(c.message)), err.str().c_str());
        }
        QVERIFY(ReadBytes(pdf).startsWith("%PDF"));
        const QString text = PdfText(pdf);
        if (!text.isNull()) {
            QVERIFY2(text.contains(QStringLiteral("damped_spring.cht")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Velocity")), qPrintable(text));
        }
    }

private:
    RecordingBoxes boxes_;
    FixedClock clock_;
    std::unique_ptr<ScopedPlatform> scope_;
    std::unique_ptr<CTarvekDoc> doc_;
    std::unique_ptr<ChartViewState> state_;
    std::unique_ptr<CTarvekView> view_;
    CBlock* near_ = nullptr;
    CBlock* right_ = nullptr;
    CBlock* down_ = nullptr;
};

ONDREL_GUI_TEST(ChartPrintingTest);
#include "ChartPrintingTest.moc"
