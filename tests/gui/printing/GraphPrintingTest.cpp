// Printed graphs: one page with the window's legends and tick labels, the upper half of a
// portrait page and the whole of a landscape one, black-and-white printing, and the exports
// (an SVG that looks like the window, a PNG at twice the size, a one-page PDF) that File >
// Export writes for a graph window.
#include <QtTest>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "../graphview/GraphSupport.h"
#include "support/GuiTestRegistry.h"
#include "support/ModalDriver.h"
#include "PrintTestSupport.h"

#include "gui/printing/PrintJob.h"
#include "gui/views/output/GraphExport.h"
#include "gui/views/output/GraphPrintable.h"


using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {


// The sheet without margins, upright or on its side, painted into an image.
QImage PaintSheet(IPrintableView& printable, QPageLayout::Orientation orientation) {
    return PaintFirstPageOfSheet(printable, orientation, {});
}

// Ink of one image with no ink of the other within a pixel: the two drawings differ there
// (smoothing of the other's lines aside).
int StrayInk(const QImage& from, const QImage& other) {
    int strays = 0;
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x) {
            if (qGray(from.pixel(x, y)) >= 160) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = other.valid(x + dx, y + dy) && qGray(other.pixel(x + dx, y + dy)) < 230;
            strays += !near;
        }
    return strays;
}

// Every text an SVG draws.
QStringList SvgTexts(const QByteArray& svg) {
    QStringList texts;
    static const QRegularExpression text(QStringLiteral(">([^<>]+)</text>"));
    for (auto it = text.globalMatch(QString::fromUtf8(svg)); it.hasNext();) texts << it.next().captured(1).trimmed();
    return texts;
}

}  // namespace

class GraphPrintingTest : public QObject {
    Q_OBJECT

private slots:
    // One page holding every legend and tick label the window shows; on a portrait page
    // the graph takes the upper half, on a landscape page all of it; "Always print B/W"
    // leaves nothing coloured.
    void graphPrintsOnePageAsTheWindowShowsIt() {
        GraphFixture f;
        f.ShowCurves(2);
        auto* printable = dynamic_cast<IPrintableView*>(f.graph);
        QVERIFY(printable != nullptr);
        QCOMPARE(printable->EstimatePageCount(), 1);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("graph.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        QCOMPARE(PrintViewsToPdf({printable}, pdf, printer, {}), QString());
        const QStringList shown = SvgTexts(GraphImageBytes(*f.graph, f.graph->viewport()->size(), "svg"));
        QVERIFY(shown.contains(QStringLiteral("Sine  E+0")) || shown.filter(QStringLiteral("Sine  E")).size() == 1);
        const QString text = PdfText(pdf);
        if (!text.isNull()) {
            QCOMPARE(text.count(QChar('\f')), 1);
            for (const QString& label : shown)
                QVERIFY2(text.simplified().contains(label.simplified()), qPrintable(label + "\n" + text));
        }

        struct Case {
            QPageLayout::Orientation orientation;
            int printMode;
            int lowestInk;   // the drawing ends above this row
            int highestInk;  // and reaches below this one
        };
        const Case cases[] = {
            {QPageLayout::Portrait, 0, 550, 480},
            {QPageLayout::Portrait, 1, 550, 480},
            {QPageLayout::Landscape, 0, 850, 780},
        };
        for (const Case& c : cases) {
            f.Doc().printMode = c.printMode;
            const QImage page = PaintSheet(*printable, c.orientation);
            const QRect ink = InkBounds(page);
            QVERIFY2(ink.top() >= 5 && ink.bottom() < c.lowestInk && ink.bottom() > c.highestInk,
                     qPrintable(QStringLiteral("%1..%2").arg(ink.top()).arg(ink.bottom())));
            QVERIFY(ink.right() > page.width() - 60);
            if (c.printMode == 1)
                QCOMPARE(ColouredPixels(page), 0);
            else
                QVERIFY(ColouredPixels(page) > 50);
        }
    }

    // The SVG drawn by the window's painting path renders like the window; the PNG is twice
    // the window's size by default and the PDF one page of the drawing's size; File > Export
    // on the graph window writes the format its name asks for.
    void graphExportsLookLikeTheWindow() {
        GraphFixture f;
        f.ShowCurves(3);
        const QSize size = f.graph->viewport()->size();
        const QImage window = f.Render();
        QSvgRenderer svg(GraphImageBytes(*f.graph, size, "svg"));
        QVERIFY(svg.isValid());
        QImage drawn(size, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        svg.render(&painter, QRectF(QPointF(0, 0), size));
        painter.end();
        const int strays = StrayInk(window, drawn) + StrayInk(drawn, window);
        QVERIFY2(strays < size.width() * size.height() / 500, qPrintable(QString::number(strays)));

        QImage png;
        QVERIFY(png.loadFromData(GraphImageBytes(*f.graph, size, "png", 2.0), "PNG"));
        QCOMPARE(png.size(), size * 2);
        const QByteArray pdf = GraphImageBytes(*f.graph, size, "pdf");
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n"), 1);

        const QString path = f.Path(QStringLiteral("graph.pdf"));
        ModalDriver driver([&path](QWidget* modal) { AcceptFileDialog(modal, path); }, "QFileDialog");
        f.Frame().Execute(cmd::kFileExport);
        QVERIFY(driver.Acted() && !driver.TimedOut());
        QVERIFY(ReadBytes(path).startsWith("%PDF"));
        const QString text = PdfText(path);
        if (!text.isNull()) QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Cosine\\s+E"))), qPrintable(text));
    }
};

ONDREL_GUI_TEST(GraphPrintingTest);
#include "GraphPrintingTest.moc"
