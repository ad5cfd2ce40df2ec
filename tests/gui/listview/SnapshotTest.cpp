// The Snapshot window: one per chart, the slider only for runs of more than three samples,
// the time of the slider's sample, and Update as the only way the chart view follows it.
#include <QLabel>
#include <QSlider>
#include <QtTest>

#include "GuiTestRegistry.h"
#include "ListSupport.h"
#include "core/model/CTarvekDoc.h"
#include "gui/platform/QtDialogExchange.h"
#include "gui/views/chart/ChartPainter.h"
#include "gui/views/output/CSnapshotDlg.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class SnapshotTest : public QObject {
    Q_OBJECT
private slots:
    void sliderFollowsRunsAndUpdateMovesTheChartsValues() {
        ListFixture f;
        CTarvekDoc& doc = f.Doc();
        f.Frame().Execute(cmd::kSnapshot);
        auto* snapshot = qobject_cast<CSnapshotDlg*>(f.Session().SnapshotWindow());
        QVERIFY(snapshot != nullptr);
        QVERIFY(!snapshot->isModal());
        QCOMPARE(snapshot->windowTitle(), QString("Snapshot"));
        f.Frame().Execute(cmd::kSnapshot);  // one window per chart
        QCOMPARE(f.Session().SnapshotWindow(), snapshot);

        struct Case {
            double simulationTime;
            bool shown;
            int last;
            QString text;
        };
        // Refreshed after every run: 3 samples hide the slider, 11 show 0..10 at the end.
        for (const Case& c : {Case{0.2, false, 0, ""}, Case{1.0, true, 10, "1.000000e+000"}}) {
            doc.Clock()->param[3] = c.simulationTime;
            f.Frame().Execute(cmd::kRun);
            QCOMPARE(!snapshot->Slider()->isHidden(), c.shown);
            QCOMPARE(snapshot->TimeText(), c.text);
            if (!c.shown) continue;
            QCOMPARE(snapshot->Slider()->minimum(), 0);
            QCOMPARE(snapshot->Slider()->maximum(), c.last);
            QCOMPARE(snapshot->Slider()->value(), c.last);
        }

        // The slider alone changes the time shown, not the chart; Update does.
        CBlock& clock = *doc.Clock();
        const QString atEnd = ShownValueText(doc, clock);
        snapshot->Slider()->setValue(4);
        QCOMPARE(snapshot->TimeText(), QString("4.000000e-001"));
        QCOMPARE(ShownValueText(doc, clock), atEnd);
        QCOMPARE(doc.snapshotIndex, 10);
        // An edit of the chart leaves the slider where the user put it.
        f.AddConstants(1);
        QCOMPARE(snapshot->Slider()->value(), 4);
        QCOMPARE(snapshot->TimeText(), QString("4.000000e-001"));
        QTest::mouseClick(qobject_cast<QWidget*>(FindControl(snapshot, CSnapshotDlg::kUpdate)), Qt::LeftButton);
        QCOMPARE(doc.snapshotIndex, 4);
        QVERIFY(ShownValueText(doc, clock) != atEnd);
        // Initialize leaves one sample: too few for the slider.
        f.Frame().Execute(cmd::kInitialize);
        QVERIFY(snapshot->Slider()->isHidden());

        QTest::keyClick(snapshot, Qt::Key_F1);
        QCOMPARE(f.platform->Help().Browser()->source().toString(), QString("qrc:/help/snapshot.html"));

        // Esc closes it and the chart forgets it.
        snapshot->show();
        QTest::keyClick(snapshot, Qt::Key_Escape);
        f.Flush();
        QVERIFY(f.Session().SnapshotWindow() == nullptr);
    }
};

ONDREL_GUI_TEST(SnapshotTest);
#include "SnapshotTest.moc"
