// Printed lists and reports: the pages a list view prints (labels, top and bottom lines, the
// columns and rows of each page, the notes on the first page only), the report's pages inside
// their margins with no line lost or doubled at a page break, black-and-white printing of
// both, the headless printout of every stored view in file order, and the Print Preview and
// Export commands of their windows.
#include <QtTest>

#include <QBuffer>
#include <QMdiArea>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sstream>

#include "support/AppFixture.h"
#include "support/GuiTestRegistry.h"
#include "support/ModalDriver.h"
#include "PrintTestSupport.h"

#include "gui/app/COutputFrame.h"
#include "gui/app/ChartSession.h"
#include "gui/app/CommandIds.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"
#include "gui/printing/PdfFromCommandLine.h"
#include "gui/printing/PrintJob.h"
#include "gui/printing/StatePrintables.h"
#include "gui/views/output/CGraphBase.h"
#include "gui/views/output/ListPrintable.h"
#include "gui/views/output/OutputPane.h"
#include "gui/views/text/TextPrintable.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {


QString Value(double v) { return QString::fromStdString(ListValueText(v, 3, 0)); }
QString Label(int k) { return QStringLiteral("Blk%1").arg(k, 2, 10, QLatin1Char('0')); }

// Letter paper with quarter-inch margins, as File > Print starts on many desks.
QPrinter& LetterPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    return printer;
}

// Lays printable out on printer's page and returns its page count.
int LayOut(IPrintableView& printable, const QPrinter& printer) {
    PageDevice device(printer.pageLayout(), printer.resolution());
    const int pages = printable.BeginPrinting(device.writer, MakePrintContext("/charts/springs.cht"));
    printable.EndPrinting();
    return pages;
}

// Page 1 painted into an image of the whole upright sheet, margins none.
QImage PaintFirstPage(IPrintableView& printable) {
    return PaintFirstPageOfSheet(printable, QPageLayout::Portrait, MakePrintContext("/charts/springs.cht"));
}

}  // namespace

class ViewPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        scope_ = std::make_unique<ScopedPlatform>(PlatformServices{&boxes_, nullptr, &clock_});
        doc_ = std::make_unique<CTarvekDoc>();
        doc_->OnNewDocument();
        doc_->SetFrameworkTitle("springs.cht");
        list_ = std::make_unique<ListViewState>();
        list_->title = "Samples";
        list_->displayedBlocks.emplace_back(doc_->blockList[0].get());
        text_ = std::make_unique<TextViewState>();
        text_->title = "Report";
    }
    void cleanup() {
        text_.reset();
        list_.reset();
        doc_.reset();
        scope_.reset();
    }

    // Two row pages and three column pages: each page is labelled down first, carries the
    // top and bottom lines, and holds exactly its own columns and rows. With the notes shown
    // they print on the first page alone and the rows they take are not lost.
    void listPagesHoldTheirOwnColumnsAndRows() {
        ListPrintable probe(*doc_, *list_);
        LayOut(probe, LetterPrinter());
        const std::int64_t perPage = probe.Pagination().columnsPerPage;
        const std::int64_t rowsPerPage = probe.Pagination().rowsPerPage;
        const int columns = static_cast<int>(2 * perPage + 1);  // beside the fixed column
        const std::int64_t samples = rowsPerPage + 3;
        std::vector<double> times;
        for (std::int64_t j = 0; j < samples; ++j) times.push_back(0.5 * double(j));
        doc_->blockList[0]->history = times;
        for (int k = 1; k <= columns; ++k) {
            auto pending = doc_->CreateBlock(kTypeConstant);
            CBlock* block = pending.get();
            doc_->PlaceBlock(std::move(pending), k, -2);
            block->label = Label(k).toStdString();
            block->history.assign(std::size_t(samples), -1.0e5 * k);
            list_->displayedBlocks.emplace_back(block);
        }
        list_->notes = "Bench run of the springs";
        QTemporaryDir dir;
        for (int notesDisplay : {0, 1}) {
            list_->NotesDisplay = notesDisplay;
            ListPrintable printable(*doc_, *list_);
            const QString pdf = dir.filePath(QStringLiteral("list%1.pdf").arg(notesDisplay));
            QCOMPARE(PrintViewsToPdf({&printable}, pdf, LetterPrinter(), MakePrintContext("/charts/springs.cht")), QString());
            if (PdfText(pdf).isNull()) QSKIP("pdftotext is not installed");
            const ListPagination& p = printable.Pagination();
            QCOMPARE(p.rowPages, 2);
            QCOMPARE(p.columnPages, 3);
            const std::int64_t secondRow = p.rowsPerPage - p.notesRows;  // the first on row page 2
            QCOMPARE(p.notesRows > 0, notesDisplay == 1);
            for (int page = 1; page <= 6; ++page) {
                const int row = (page - 1) % 2 + 1;
                const int column = (page - 1) / 2 + 1;
                const QString text = PdfText(pdf, page);
                const QString label = QStringLiteral("Page %1%2 of 2C").arg(row).arg(QChar('A' + column - 1));
                for (const QString& shown : {QStringLiteral("springs.cht : Samples"), label,
                                             QStringLiteral("/charts/springs.cht"), QStringLiteral("03/04/26"),
                                             QStringLiteral("Clock")})
                    QVERIFY2(text.contains(shown), qPrintable(shown + "\n" + text));
                const int firstColumn = int((column - 1) * perPage + 1);
                const int lastColumn = std::min<int>(int(column * perPage), columns);
                QVERIFY2(text.contains(Label(firstColumn)) && text.contains(Label(lastColumn)), qPrintable(text));
                QVERIFY2(!text.contains(Label(firstColumn - 1)) || firstColumn == 1, qPrintable(text));
                QVERIFY2(!text.contains(Label(lastColumn + 1)), qPrintable(text));
                QVERIFY2(text.contains(Value(-1.0e5 * lastColumn)), qPrintable(text));
                const std::int64_t first = row == 1 ? 0 : secondRow;
                const std::int64_t last = row == 1 ? secondRow - 1 : samples - 1;
                QVERIFY2(text.contains(Value(times[std::size_t(first)])), qPrintable(text));
                QVERIFY2(text.contains(Value(times[std::size_t(last)])), qPrintable(text));
                const std::int64_t outside = row == 1 ? secondRow : secondRow - 1;
                QVERIFY2(!text.contains(Value(times[std::size_t(outside)]) + " "), qPrintable(text));
                QCOMPARE(text.contains(QStringLiteral("Bench run of the springs")), notesDisplay == 1 && page == 1);
            }
        }
    }

    // The report runs over pages inside its margins (0.625 inch left and right, 0.5 inch top
    // and bottom); every block's line is printed once, none lost or doubled at a break.
    void reportPagesKeepTheirMarginsAndEveryLine() {
        const int blocks = 70;
        for (int k = 1; k <= blocks; ++k) {
            auto pending = doc_->CreateBlock(kTypeConstant);
            pending->label = Label(k).toStdString();
            doc_->PlaceBlock(std::move(pending), k % 10, -k / 10 - 1);
        }
        text_->ChooseEverything(*doc_);
        TextPrintable printable(*doc_, *text_);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QCOMPARE(PrintViewsToPdf({&printable}, pdf, LetterPrinter(), MakePrintContext("/charts/springs.cht")), QString());
        TextPrintable counted(*doc_, *text_);
        const int pages = LayOut(counted, LetterPrinter());
        QVERIFY(pages >= 2);
        QCOMPARE(counted.EstimatePageCount(), pages);
        if (PdfText(pdf).isNull()) QSKIP("pdftotext is not installed");
        QVERIFY(PdfText(pdf, 1).contains(QStringLiteral("springs.cht : Report")));
        QVERIFY(PdfText(pdf, 1).contains(QStringLiteral("03/04/26")));
        const auto reported = ReportBlocks(*text_, *doc_);
        QVERIFY(PdfText(pdf, 1).contains(QString::fromStdString(reported.front()->label)));
        QVERIFY(PdfText(pdf, pages).contains(QString::fromStdString(reported.back()->label)));
        const QString all = PdfText(pdf);
        for (int k = 1; k <= blocks; ++k) QVERIFY2(all.count(Label(k)) == 1, qPrintable(Label(k) + "\n" + all));

        const QRect ink = InkBounds(PaintFirstPage(printable));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.left() >= 62 && ink.top() >= 50, qPrintable(QStringLiteral("%1,%2").arg(ink.left()).arg(ink.top())));
        QVERIFY2(ink.left() < 75 && ink.bottom() < 1100 - 50 && ink.bottom() > 900,
                 qPrintable(QStringLiteral("%1,%2").arg(ink.left()).arg(ink.bottom())));
    }

    // "Always print B/W" leaves nothing coloured on a printed list or report; without it
    // their colours print.
    void alwaysPrintBlackAndWhiteOnListsAndReports() {
        doc_->blockList[0]->history = {0.0, 0.5, 1.0};
        list_->FontColor = MakeColor(200, 0, 0);
        text_->FontColor = MakeColor(0, 0, 200);
        text_->ChooseEverything(*doc_);
        for (int printMode : {0, 1}) {
            doc_->printMode = printMode;
            ListPrintable list(*doc_, *list_);
            TextPrintable text(*doc_, *text_);
            for (IPrintableView* printable : std::initializer_list<IPrintableView*>{&list, &text}) {
                const int coloured = ColouredPixels(PaintFirstPage(*printable));
                if (printMode == 1)
                    QCOMPARE(coloured, 0);
                else
                    QVERIFY2(coloured > 50, qPrintable(printable->PrintJobName()));
            }
        }
    }

    // The headless printout holds every stored view's pages, one view after the other in
    // the order the file stores them, each as its printable lays it out.
    void printToPdfPrintsEveryStoredViewInFileOrder() {
        const QString chart = QStringLiteral(ONDREL_SOURCE_DIR "/examples/damped_spring.cht");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("all.pdf");
        std::ostringstream err;
        QCOMPARE(PrintChartToPdf({kPrintToPdfOption, pdf, chart}, err), 0);
        ChartSession session;
        QVERIFY(LoadChartFile(chart.toStdString(), session.Document(), session));
        struct Expected {
            int firstPage;
            ViewKind kind;
        };
        std::vector<Expected> views;
        int pages = 0;
        for (const auto& state : session.States()) {
            auto printable = MakeStatePrintable(session.Document(), *state);
            QVERIFY(printable != nullptr);
            views.push_back({pages + 1, state->Kind()});
            pages += LayOut(*printable, QPrinter(QPrinter::HighResolution));
        }
        QVERIFY(views.size() >= 3);
        if (PdfText(pdf).isNull()) QSKIP("pdftotext is not installed");
        QCOMPARE(PdfText(pdf).count(QChar('\f')), pages);
        for (const Expected& view : views) {
            const QString text = PdfText(pdf, view.firstPage);
            switch (view.kind) {
                case ViewKind::Chart: QVERIFY2(text.contains("Velocity") && !text.contains("Page "), qPrintable(text)); break;
                case ViewKind::List: QVERIFY2(text.contains("Damped spring samples") && text.contains("Page 1 of"), qPrintable(text)); break;
                case ViewKind::Graph:
                    QVERIFY2(text.contains(QRegularExpression("Position\\s+E\\s*[+-]\\d")), qPrintable(text));
                    break;
                case ViewKind::Text: QVERIFY2(text.contains("Normal"), qPrintable(text)); break;
            }
        }
    }

    // A list window and a text window: Print, Preview and Export are enabled; the preview
    // shows the window's pages and Export writes its printout as a PDF.
    void listAndTextWindowsPreviewAndExport() {
        AppFixture f;
        f.Start({f.CopyExample(QStringLiteral("damped_spring.cht"))});
        f.Frame().Execute(cmd::kOpenTextView);
        int exported = 0;
        for (CDocumentFrame* window : f.Frame().Windows()) {
            auto* frame = qobject_cast<COutputFrame*>(window);
            if (frame == nullptr) continue;
            f.Frame().MdiArea()->setActiveSubWindow(frame);
            auto* printable = dynamic_cast<IPrintableView*>(frame->ActivePane());
            if (printable == nullptr) continue;  // a kind without printing here
            QVERIFY(f.Frame().Action(cmd::kFilePrint)->isEnabled());
            QVERIFY(f.Frame().Action(cmd::kFileExport)->isEnabled());
            int previewed = -1;
            {
                ModalDriver driver(
                    [&previewed](QWidget* modal) {
                        if (auto* widget = modal->findChild<QPrintPreviewWidget*>()) {
                            widget->updatePreview();
                            previewed = widget->pageCount();
                        }
                        static_cast<QDialog*>(modal)->reject();
                    },
                    "QPrintPreviewDialog");
                f.Frame().Execute(cmd::kFilePrintPreview);
                QVERIFY(driver.Acted() && !driver.TimedOut());
            }
            QCOMPARE(previewed, LayOut(*printable, f.Frame().Printer()));
            const QString pdf = f.Path(QStringLiteral("export%1.pdf").arg(exported++));
            ModalDriver driver([&pdf](QWidget* modal) { AcceptFileDialog(modal, pdf); }, "QFileDialog");
            f.Frame().Execute(cmd::kFileExport);
            QVERIFY(driver.Acted() && !driver.TimedOut());
            QVERIFY(ReadBytes(pdf).startsWith("%PDF"));
            const QString text = PdfText(pdf, 1);
            // A graph prints without a header (its export is tested with the graph).
            if (!text.isNull() && dynamic_cast<CGraphBase*>(frame->ActivePane()) == nullptr)
                QVERIFY2(text.contains(printable->PrintJobName()), qPrintable(text));
        }
        QVERIFY(exported >= 2);
    }

private:
    RecordingBoxes boxes_;
    FixedClock clock_;
    std::unique_ptr<ScopedPlatform> scope_;
    std::unique_ptr<CTarvekDoc> doc_;
    std::unique_ptr<ListViewState> list_;
    std::unique_ptr<TextViewState> text_;
};

ONDREL_GUI_TEST(ViewPrintingTest);
#include "ViewPrintingTest.moc"
