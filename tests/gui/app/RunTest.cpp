// Runs from the desktop: samples recorded, the run window's stop, check marks, Initialize.
#include <QApplication>
#include <QStatusBar>
#include "core/engine/RunState.h"
#include "core/model/RunEnd.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/chart/ChartPainter.h"
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "gui/app/CRunWndw.h"
#include "gui/app/CommandIds.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

CTarvekDoc& ActiveDocument(AppFixture& f) { return f.Frame().ActiveSession()->Document(); }

// The Clock's simulation time, far beyond what a test waits for.
void MakeRunEndless(CTarvekDoc& doc) { doc.Clock()->param[3] = 1e12; }

}  // namespace

class RunTest : public QObject {
    Q_OBJECT
private slots:
    void runRecordsTheSamples() {
        AppFixture f;
        f.Start();
        f.Frame().Execute(cmd::kRun);
        CTarvekDoc& doc = ActiveDocument(f);
        QCOMPARE(doc.Clock()->history.size(), std::size_t{11});
        QCOMPARE(doc.Clock()->history.back(), 1.0);
        QCOMPARE(doc.snapshotIndex, 10);
        QVERIFY(doc.IsModified());
        QVERIFY(!f.Frame().Action(cmd::kRun)->isChecked());
        QVERIFY(f.platform->RunWindow().Window() == nullptr);
        // The caption shows the unsaved change.
        QVERIFY(f.Frame().ActiveFrame()->isWindowModified());
    }

    void clickInRunWindowStopsAfterTheCurrentInterval() {
        AppFixture f;
        f.Start();
        CTarvekDoc& doc = ActiveDocument(f);
        MakeRunEndless(doc);
        std::size_t samplesAtClick = 0;
        bool checkedDuringRun = false;
        QString caption;
        f.platform->RunWindow().SetPumpObserver([&](CRunWndw& window) {
            if (samplesAtClick != 0) return;
            checkedDuringRun = f.Frame().Action(cmd::kRun)->isChecked() &&
                               f.Frame().Action(cmd::kTerminateRun)->isChecked();
            caption = window.windowTitle();
            samplesAtClick = doc.Clock()->history.size();
            QTest::mouseClick(&window, Qt::LeftButton);
        });
        f.Frame().Execute(cmd::kRun);
        f.platform->RunWindow().SetPumpObserver(nullptr);
        QVERIFY(samplesAtClick > 1);
        QCOMPARE(doc.Clock()->history.size(), samplesAtClick);
        QCOMPARE(doc.Clock()->history.size(), doc.blockList[1]->history.size());
        QCOMPARE(caption, QString("Time"));
        QVERIFY(checkedDuringRun);
        QVERIFY(!doc.IsRunning());
        QVERIFY(!f.Frame().Action(cmd::kRun)->isChecked());
    }

    void escapeOrShiftF5StopsAndOtherWindowsGetNoInput() {
        AppFixture f;
        f.Start();
        CTarvekDoc& doc = ActiveDocument(f);
        MakeRunEndless(doc);
        struct StopKey {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        };
        // Esc, and Terminate Run's key, which the run window takes while it holds the keyboard.
        for (const StopKey stop : {StopKey{Qt::Key_Escape, Qt::NoModifier}, StopKey{Qt::Key_F5, Qt::ShiftModifier}}) {
            int pumps = 0;
            f.platform->RunWindow().SetPumpObserver([&](CRunWndw& window) {
                ++pumps;
                if (pumps == 1) {
                    // Ctrl+N on the main window would open a new chart: not during a run.
                    QTest::keyClick(&f.Frame(), Qt::Key_N, Qt::ControlModifier);
                    QTest::mouseClick(f.Frame().ActiveFrame()->widget(), Qt::LeftButton);
                } else {
                    QTest::keyClick(&window, stop.key, stop.modifiers);
                }
            });
            f.Frame().Execute(cmd::kRun);
            f.platform->RunWindow().SetPumpObserver(nullptr);
            QCOMPARE(pumps, 2);
            QCOMPARE(f.app->Sessions().size(), std::size_t{1});
            QVERIFY(!doc.IsRunning());
            QVERIFY(f.Frame().statusBar()->currentMessage().startsWith("Stopped at t = "));
        }
    }

    void f5RunsShiftF5StopsAndTheStatusBarSaysHowTheRunEnded() {
        AppFixture f;
        f.Start();
        CTarvekDoc& doc = ActiveDocument(f);
        QCOMPARE(f.Frame().Action(cmd::kRun)->shortcut(), QKeySequence("F5"));
        QApplication::setActiveWindow(&f.Frame());
        QTest::keyClick(f.Frame().ActiveView(), Qt::Key_F5);
        QCOMPARE(doc.Clock()->history.size(), std::size_t{11});
        QCOMPARE(f.Frame().statusBar()->currentMessage(), QString("Run ended at t = 1"));

        MakeRunEndless(doc);
        QString shownDuringRun;
        f.platform->RunWindow().SetPumpObserver([&](CRunWndw&) {
            shownDuringRun = ShownValueText(doc, *doc.Clock());
            f.Frame().Execute(cmd::kTerminateRun);
        });
        f.Frame().Execute(cmd::kRun);
        f.platform->RunWindow().SetPumpObserver(nullptr);
        const QString stopped = f.Frame().statusBar()->currentMessage();
        QVERIFY2(stopped.startsWith("Stopped at t = "), qPrintable(stopped));
        QCOMPARE(stopped, QString::fromStdString(RunEndText(doc.LastRunEnd())));
        // The chart showed the newest sample while the run went on, not the snapshot's.
        QVERIFY(shownDuringRun != "0.000e+000");
    }

    void runWindowShowsTheTime() {
        CTarvekDoc doc;
        doc.OnNewDocument();
        RunState run(doc);
        run.SetTime(0.25);
        CRunWndw window(doc);
        QCOMPARE(window.TimeText(), QString("           0.25"));
        QCOMPARE(window.windowModality(), Qt::ApplicationModal);
    }

    void initializeRecordsOneSample() {
        AppFixture f;
        f.Start();
        f.Frame().Execute(cmd::kRun);
        f.Frame().Execute(cmd::kInitialize);
        CTarvekDoc& doc = ActiveDocument(f);
        for (const auto& block : doc.blockList) QCOMPARE(block->history.size(), std::size_t{1});
        QVERIFY(doc.IsModified());
    }
};

ONDREL_GUI_TEST(RunTest);
#include "RunTest.moc"
