// Graph windows as a user meets them: a filled graph, zooming and unzooming with the mouse,
// the curves moving down when a block goes, a scale on the right, the readout, the data
// export, the property sheet's OK and undo, and a saved chart that reopens its graph.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QWheelEvent>
#include <QMessageBox>
#include <QtTest>
#include <cstdlib>
#include <random>

#include "GraphSupport.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/platform/NumberFormat.h"
#include "gui/platform/QtDialogExchange.h"
#include "gui/views/output/GraphDrawing.h"
#include "gui/views/output/GraphExport.h"
#include "gui/views/output/GraphPropertySheet.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlack = 0x000000;

// Mouse events straight to the window, as the platform would deliver them.
void Mouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

void Drag(QWidget* viewport, QPoint from, QPoint to) {
    Mouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Where two images of one size first differ, and in how many pixels.
QString FirstDifference(const QImage& a, const QImage& b) {
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) first = QPoint(x, y);
    return QString("%1 pixels differ, the first at (%2, %3)").arg(count).arg(first.x()).arg(first.y());
}

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT
private slots:
    // A new graph plots time against time: a run fills it, inside the plot only, even where
    // fixed limits narrower than the samples send the curve beyond the plot; F1 opens its help.
    void runFillsAnOpenGraphInsideThePlotOnly() {
        AppFixture f;
        f.Start();
        f.Frame().Execute(cmd::kOpenGraphView);
        auto* frame = qobject_cast<COutputFrame*>(f.Frame().ActiveWindow());
        QVERIFY(frame != nullptr);
        auto* graph = dynamic_cast<CGraphBase*>(frame->TopLeftPane());
        QVERIFY(graph != nullptr);
        frame->resize(640, 480);
        auto render = [graph] {
            QImage image(graph->viewport()->size(), QImage::Format_RGB32);
            QPainter painter(&image);
            graph->Paint(painter, image.rect(), 96.0);
            return image;
        };
        QCOMPARE(GraphFixture::CountColour(render(), graph->PlotRect(), kRed), 0);
        f.Frame().Execute(cmd::kRun);
        const QRect plot = graph->PlotRect();
        QVERIFY(GraphFixture::CountColour(render(), plot, kRed) > plot.width() / 2);

        GraphSlot& curve = graph->Graph().axisSlots[1];
        curve.Low = -0.2;
        curve.High = 0.5;
        curve.Fixed = 1;
        graph->Document().UpdateAllViews(nullptr);
        const QImage image = render();
        QVERIFY(GraphFixture::CountColour(image, plot, kRed) > 50);
        QCOMPARE(GraphFixture::CountColour(image, QRect(plot.left(), 0, plot.width(), plot.top()), kRed), 0);

        f.Frame().Execute(cmd::kHelp);
        QCOMPARE(f.platform->Help().Browser()->source().toString(), QString("qrc:/help/graph.html"));
    }

    void dragZoomsRightPressRestores() {
        GraphFixture f;
        f.ShowCurves(2);
        const auto before = f.Record();
        f.Render();
        const QRect plot = f.graph->PlotRect();
        QWidget* viewport = f.graph->viewport();
        const QPoint start = plot.topLeft() + QPoint(plot.width() / 4, plot.height() / 4);
        Drag(viewport, start, start + QPoint(4, 100));  // too narrow: nothing happens
        QVERIFY(f.Record() == before);
        // Esc gives a drag up: the release zooms nothing.
        Mouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        QTest::keyClick(f.graph, Qt::Key_Escape);
        Mouse(viewport, QEvent::MouseButtonRelease, start + QPoint(100, 100), Qt::LeftButton, Qt::NoButton);
        QVERIFY(f.Record() == before);

        const auto [xLow, xHigh] = f.graph->Drawing().DrawnLimits(0);
        const QPoint end = plot.topLeft() + QPoint(3 * plot.width() / 4, 3 * plot.height() / 4);
        Drag(viewport, start, end);
        for (const GraphSlot& slot : f.State().axisSlots) QCOMPARE(slot.Fixed, 1);
        const double pw = plot.width();
        const double rawLow = xLow + (xHigh - xLow) / pw * (start.x() - plot.left());
        const double rawHigh = xLow + (xHigh - xLow) / pw * (end.x() - plot.left());
        const GraphSlot& x = f.State().axisSlots[0];
        // Fixed limits are still rounded outward to whole steps.
        QVERIFY2(x.Low <= rawLow && x.Low > xLow && x.High >= rawHigh && x.High < xHigh,
                 qPrintable(QString("%1..%2 for %3..%4").arg(x.Low).arg(x.High).arg(rawLow).arg(rawHigh)));

        Mouse(viewport, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
        for (const GraphSlot& slot : f.State().axisSlots) QCOMPARE(slot.Fixed, 0);
        QCOMPARE(f.graph->Drawing().DrawnLimits(0), std::pair(xLow, xHigh));
        QVERIFY(f.Doc().IsModified());

        // The wheel zooms X about the mouse, fixing the limits as a drag does.
        const QPoint at = plot.topLeft() + QPoint(plot.width() / 5, plot.height() / 2);
        const double under = f.graph->Drawing().XValueAt(at.x());
        QWheelEvent wheel(QPointF(at), viewport->mapToGlobal(QPointF(at)), {}, QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QCOMPARE(x.Fixed, 1);
        QVERIFY(x.Low <= under && under <= x.High && x.High - x.Low < xHigh - xLow);
        QCOMPARE(f.State().axisSlots[1].Low, -1.0);  // without Ctrl the curves keep their scales
    }

    // Curve 1's block goes: curves 2 and 3 move down in the colours of slots 1 and 2, slot 3
    // returns to its defaults; undo gives the graph its record back. The sheet's OK is one
    // undoable change too.
    void deletionMovesCurvesDownAndUndoRestores() {
        GraphFixture f;
        f.ShowCurves(3);
        const auto before = f.Record();
        f.Session().Perform(MakeDeleteCommand(f.Doc(), *f.blocks[0]));
        const auto& axis = f.State().axisSlots;
        QCOMPARE(axis[1].block.block, f.blocks[1]);
        QCOMPARE(axis[2].block.block, f.blocks[2]);
        QVERIFY(axis[3].block.IsEmpty());
        QCOMPARE(axis[1].Color, GraphViewState::DefaultCurveColor(1));
        QCOMPARE(axis[2].Color, GraphViewState::DefaultCurveColor(2));
        QCOMPARE(axis[3].Color, GraphViewState::DefaultCurveColor(3));
        QCOMPARE(f.State().curveCount, 2);
        const QImage after = f.Render();
        QVERIFY2(GraphFixture::CountColour(after, f.graph->PlotRect(), kRed) > 0,
                 qPrintable(QString("%1 %2").arg(f.graph->Drawing().SlotShown(1)).arg(f.State().curveCount)));
        f.Frame().Execute(cmd::kEditUndo);
        QVERIFY(f.Record() == before);

        ModalDriver sheet(
            [](QWidget* w) {
                auto* title = qobject_cast<QLineEdit*>(FindControl(w, 1204));
                if (title != nullptr) title->setText("Motion");
                QMetaObject::invokeMethod(w, "accept");
            },
            "ondrel::gui::CGraphPropertySheet");
        f.Frame().Execute(cmd::kViewing);
        QVERIFY(sheet.Acted());
        QCOMPARE(f.State().title, std::string("Motion"));
        QCOMPARE(f.Session().UndoStack().undoText(), QString("Graph Properties"));
        f.Frame().Execute(cmd::kEditUndo);  // Ctrl+Z
        QVERIFY(f.Record() == before);
    }

    void curveOneOnTheRightLeavesTheLeftAxisBare() {
        GraphFixture f;
        f.ShowCurves(1);
        f.State().axisSlots[1].Locn = 1;
        f.Doc().UpdateAllViews(nullptr);
        QCOMPARE(f.graph->Drawing().LeftDivisions(), 0);
        QVERIFY(f.graph->Drawing().RightDivisions() > 0);
        const QImage image = f.Render();
        const QRect plot = f.graph->PlotRect();
        const int right = plot.left() + plot.width();
        // The left axis line is there, its ticks are not; the right axis has ticks and labels.
        QVERIFY(GraphFixture::CountColour(image, QRect(plot.left(), plot.top(), 1, plot.height()), kBlack) >
                plot.height() / 2);
        QCOMPARE(GraphFixture::CountColour(
                     image, QRect(plot.left() + 2, plot.top() + 1, 1, plot.height() - 2), kBlack),
                 0);
        QVERIFY(GraphFixture::CountColour(image, QRect(right - 2, plot.top() + 1, 1, plot.height() - 2),
                                          kBlack) >= 5);
        QVERIFY(GraphFixture::CountColour(
                    image, QRect(right + 2, 0, image.width() - right - 2, image.height()), kRed) > 0);
    }

    void readoutAndExportShowTheVisibleSamples() {
        GraphFixture f;
        f.ShowCurves(2);
        f.Render();
        const QRect plot = f.graph->PlotRect();
        const QPoint at = plot.center();
        Mouse(f.graph->viewport(), QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        const double t = f.graph->Drawing().XValueAt(at.x());
        const int j = static_cast<int>(std::lround(t / 0.05));
        const QString expected =
            QString::fromStdString("Clock " + FormatNumber("%.6g", j * 0.05) + "    Sine " +
                                   FormatNumber("%.6g", std::sin(j * 0.05)) + "    Ramp ");
        QVERIFY2(f.graph->LastReadout().startsWith(expected), qPrintable(f.graph->LastReadout()));
        QVERIFY(f.Record() == f.Record());

        const double lows[4] = {0, -1, 0, 0}, highs[4] = {0, 1, 20, 0};
        f.graph->ZoomTo(2, 4, lows, highs);
        const QString path = f.Path("visible.csv");
        QVERIFY(WriteExport(path, QByteArray::fromStdString(f.graph->VisibleDataText(','))));
        const QStringList lines = QString::fromUtf8(ReadBytes(path)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.front(), QString("Clock,Sine,Ramp"));
        QCOMPARE(lines.size(), 1 + 41);  // t = 2.00 .. 4.00
        QCOMPARE(lines[1].section(',', 0, 0).toDouble(), 2.0);
        QCOMPARE(lines[1].section(',', 1, 1).toDouble(), std::sin(40 * 0.05));
        // Edit > Copy: the same rows, tab-separated.
        f.Frame().Execute(cmd::kEditCopy);
        const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), lines.size());
        QCOMPARE(copied[1], QString(lines[1]).replace(',', '\t'));

        // Images: SVG drawn by the same painting as the window (its curves as vector lines),
        // PNG at the window's size.
        const QByteArray svg = GraphImageBytes(*f.graph, f.graph->viewport()->size(), "svg");
        QVERIFY(svg.contains("<svg") && svg.count("<polyline") >= 2);
        QImage png;
        QVERIFY(png.loadFromData(GraphImageBytes(*f.graph, f.graph->viewport()->size(), "png"), "PNG"));
        QCOMPARE(png.size(), f.graph->viewport()->size());
        QVERIFY(GraphFixture::CountColour(png, f.graph->PlotRect(), kRed) > 0);
    }

    // The File commands ask for a file and write it whole, or say why they could not.
    void exportCommandsWriteTheChosenFiles() {
        GraphFixture f;
        f.ShowCurves(1);
        struct Case {
            int command;
            QString name;
            QByteArray starts;
        } cases[] = {{cmd::kExportGraphData, "data.csv", "Clock,Sine\n0,0\n"},
                     {cmd::kExportGraphImage, "graph.svg", "<?xml"},
                     {cmd::kExportGraphImage, "graph.png", "\x89PNG"}};
        for (const Case& c : cases) {
            const QString path = f.Path(c.name);
            ModalDriver file([&](QWidget* w) { AcceptFileDialog(w, path); }, "QFileDialog");
            ModalDriver size(
                [](QWidget* w) {
                    auto* ask = qobject_cast<GraphImageSizeDialog*>(w);
                    ask->WidthBox()->setValue(300);
                    ask->HeightBox()->setValue(200);
                    ask->accept();
                },
                "ondrel::gui::GraphImageSizeDialog");
            f.Frame().Execute(c.command);
            QVERIFY(file.Acted());
            QCOMPARE(size.Acted(), c.name.endsWith(".png"));
            QVERIFY2(ReadBytes(path).startsWith(c.starts), qPrintable(c.name));
        }
        QImage png(f.Path("graph.png"));
        QCOMPARE(png.size(), QSize(300, 200));

        std::string shown;
        ModalDriver file([&](QWidget* w) { AcceptFileDialog(w, f.Path("missing/data.csv")); }, "QFileDialog");
        ModalDriver message(
            [&](QWidget* w) {
                shown = qobject_cast<QMessageBox*>(w)->text().toStdString();
                ClickMessageBoxButton(w, QMessageBox::Ok);
            },
            "QMessageBox");
        f.Frame().Execute(cmd::kExportGraphData);
        QVERIFY2(shown.rfind("Unable to write", 0) == 0, shown.c_str());
    }

    void savedChartReopensItsGraph() {
        GraphFixture f;
        f.ShowCurves(3);
        f.State().title = "Motion";
        f.State().axisSlots[2].Locn = 2;
        const auto before = f.Record();
        const QString path = f.Path("graph.cht");
        f.Session().SetPath(path);
        QVERIFY(f.app->SaveChart(f.Session(), false));
        f.Restart({path});
        auto* frame = qobject_cast<COutputFrame*>(f.Frame().Windows().back());
        QVERIFY(frame != nullptr);
        auto* graph = dynamic_cast<CGraphBase*>(frame->TopLeftPane());
        QVERIFY(graph != nullptr);
        f.graph = graph;
        QVERIFY(f.Record() == before);
        QCOMPARE(frame->Caption(), QString("Motion"));
    }

    // Drawing a long noisy curve from four points per pixel column covers exactly the
    // pixels of drawing every segment.
    void decimatedCurveIsPixelIdentical() {
        CTarvekDoc doc;
        doc.OnNewDocument();
        doc.PlaceBlock(doc.CreateBlock(kTypeSum), 2, 2);
        CBlock* noise = doc.blockList.back().get();
        std::mt19937 random(7);
        std::normal_distribution<double> gauss;
        constexpr int kCount = 200000;
        for (int j = 0; j < kCount; ++j) {
            doc.Clock()->history.push_back(j * 1e-3);
            noise->history.push_back(std::sin(j * 1e-4) + 0.3 * gauss(random));
            // A stretch of short polylines, each of two samples, at two levels by turns: many
            // separate strokes in one pixel column.
            if (j >= 40000 && j < 50000)
                noise->history.back() = j % 3 == 2 ? std::nan("") : (j / 3) % 2 * 0.5 + 0.01 * (j % 3);
        }
        GraphViewState state;
        state.CompleteDefaults(doc);
        state.axisSlots[1].block.Set(noise);
        // Thin and wide pens alike, over the whole curve and over a zoom it leaves and re-enters.
        for (int width : {0, 1, 3, -1, -3}) {
            const bool zoomed = width < 0;
            state.axisSlots[1].Width = std::abs(width);
            state.axisSlots[0].Fixed = state.axisSlots[1].Fixed = zoomed;
            state.axisSlots[0].Low = 20.0, state.axisSlots[0].High = 60.5;
            state.axisSlots[1].Low = -0.4, state.axisSlots[1].High = 0.9;
            QImage images[2];
            GraphDrawing drawing;
            for (int pass = 0; pass < 2; ++pass) {
                images[pass] = QImage(900, 600, QImage::Format_RGB32);
                QPainter painter(&images[pass]);
                drawing.Paint(painter, images[pass].rect(), 96.0, state, doc, pass == 0);
            }
            QVERIFY(GraphFixture::CountColour(images[0], drawing.PlotRect(), kRed) > 1000);
            QVERIFY2(images[0] == images[1],
                     qPrintable(QString::number(width) + ": " + FirstDifference(images[0], images[1])));
        }
    }
};

ONDREL_GUI_TEST(GraphWindowTest);
#include "GraphWindowTest.moc"
