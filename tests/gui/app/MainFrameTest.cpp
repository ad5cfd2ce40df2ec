// The main frame: bars, their default and saved layout, the placement, accelerators.
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CDocumentFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandText.h"
#include "gui/app/ToolbarLayout.h"
#include "gui/app/Toolbars.h"
#include "gui/app/MdiWindows.h"
#include "gui/app/WindowPlacement.h"
#include "core/platform/Platform.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void defaultLayoutFor800Pixels() {
        struct Expected {
            int barId, x, y, width;
        };
        const Expected expected[] = {
            {cmd::kViewToolbar, -2, -2, 285},         {cmd::kViewDisplayBar, 281, -2, 223},
            {cmd::kViewTimeBar, 502, -2, 85},         {cmd::kViewMathBar, 585, -2, 177},
            {cmd::kViewTranscendentalBar, -2, 28, 177}, {cmd::kViewLogicBar, 173, 28, 154},
            {cmd::kViewGeneratorsBar, 325, 28, 154},  {cmd::kViewNonLinearBar, 477, 28, 269},
            {cmd::kViewMiscellaneousBar, -2, 58, 85},
        };
        const auto layout = DefaultToolbarLayout(800);
        QCOMPARE(layout.size(), std::size(expected));
        for (std::size_t i = 0; i < layout.size(); ++i) {
            QCOMPARE(layout[i].barId, expected[i].barId);
            QCOMPARE(layout[i].x, expected[i].x);
            QCOMPARE(layout[i].y, expected[i].y);
            QCOMPARE(layout[i].width, expected[i].width);
        }
    }

    void barsHaveTheirCaptionsAndButtons() {
        AppFixture f;
        f.Start();
        const struct {
            int barId;
            const char* caption;
            int buttons;
        } bars[] = {{cmd::kViewToolbar, "Main", 11},       {cmd::kViewDisplayBar, "Display", 9},
                    {cmd::kViewMathBar, "Math", 7},        {cmd::kViewTimeBar, "Time", 3},
                    {cmd::kViewTranscendentalBar, "Transcendental", 7},
                    {cmd::kViewMiscellaneousBar, "Miscellaneous", 3},
                    {cmd::kViewLogicBar, "Logic", 6},      {cmd::kViewGeneratorsBar, "Generators", 6},
                    {cmd::kViewNonLinearBar, "Non-Linear", 11}};
        for (const auto& b : bars) {
            QToolBar* bar = f.Frame().Toolbar(b.barId);
            QVERIFY(bar != nullptr);
            QCOMPARE(bar->windowTitle(), QString(b.caption));
            int buttons = 0;
            for (QAction* a : bar->actions()) buttons += a->isSeparator() ? 0 : 1;
            QCOMPARE(buttons, b.buttons);
        }
        // The first row of a first start: Main, Display, Time, Math; the second starts with
        // Transcendental.
        QMainWindow& w = f.Frame();
        QCOMPARE(w.toolBarBreak(f.Frame().Toolbar(cmd::kViewTranscendentalBar)), true);
        QCOMPARE(w.toolBarBreak(f.Frame().Toolbar(cmd::kViewMathBar)), false);
        QCOMPARE(w.toolBarBreak(f.Frame().Toolbar(cmd::kViewMiscellaneousBar)), true);
        // Prompts and tool tips come from the string table.
        QAction* sine = f.Frame().Action(32819);
        QCOMPARE(sine->statusTip(), QString("Sine function"));
        QCOMPARE(sine->toolTip(), QString("Sine"));
        QCOMPARE(f.Frame().Action(cmd::kViewDisplayBar)->statusTip(),
                 QString("Show or hide the Dispaly toolbar"));
    }

    // Every row of the first-start layout shows all its buttons in an 800-pixel window: no
    // bar needs its extension button.
    void defaultRowsShowEveryButtonAt800Pixels() {
        AppFixture f;
        f.Start();
        QCOMPARE(f.Frame().width(), 800);
        QVERIFY(QTest::qWaitForWindowExposed(&f.Frame()));
        QCoreApplication::processEvents();
        for (const BarPlacement& place : DefaultToolbarLayout(800)) {
            QToolBar* bar = f.Frame().Toolbar(place.barId);
            auto* extension = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
            QVERIFY(extension != nullptr);
            QVERIFY2(!extension->isVisible(), qPrintable(bar->windowTitle()));
        }
    }

    void viewTogglesCarryCheckMarksAndLayoutIsRestored() {
        AppFixture f;
        f.Start();
        QAction* logic = f.Frame().Action(cmd::kViewLogicBar);
        QVERIFY(logic->isCheckable());
        QVERIFY(logic->isChecked());
        logic->trigger();
        QVERIFY(!logic->isChecked());
        QVERIFY(f.Frame().Toolbar(cmd::kViewLogicBar)->isHidden());
        f.Restart();
        QVERIFY(f.Frame().Toolbar(cmd::kViewLogicBar)->isHidden());
        QVERIFY(!f.Frame().Action(cmd::kViewLogicBar)->isChecked());
        QVERIFY(f.Frame().Toolbar(cmd::kViewMathBar)->isVisible());
    }

    void aDisabledCommandsButtonLooksDisabled() {
        AppFixture f;
        f.Start();
        QAction* spare = f.Frame().Action(cmd::kMiscellaneousSpare);
        QVERIFY(!spare->isEnabled());
        auto* button = qobject_cast<QToolButton*>(
            f.Frame().Toolbar(cmd::kViewMiscellaneousBar)->widgetForAction(spare));
        QVERIFY(button != nullptr);
        const QImage disabled = button->grab().toImage();
        spare->setEnabled(true);
        const QImage enabled = button->grab().toImage();
        QVERIFY(disabled != enabled);
        // A block tool's disabled look is grey, its normal look is not.
        const QIcon icon = f.Frame().Action(32855)->icon();
        auto colourful = [](const QImage& image) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() > 0 && c.hslSaturation() > 60) return true;
                }
            return false;
        };
        QVERIFY(colourful(icon.pixmap(23, QIcon::Normal).toImage()));
        QVERIFY(!colourful(icon.pixmap(23, QIcon::Disabled).toImage()));
    }

    void aFirstStartTakesFourFifthsOfALargeScreenCentred() {
        struct Case {
            QRect available;
            std::optional<QRect> expected;
        };
        const std::vector<Case> cases = {
            {QRect(0, 0, 1280, 900), QRect(128, 90, 1024, 720)},
            {QRect(0, 28, 1280, 872), QRect(128, 115, 1024, 697)},  // a panel along the top
            {QRect(1920, 0, 2560, 1440), QRect(2176, 144, 2048, 1152)},  // a second screen
            {QRect(0, 0, 800, 600), std::nullopt},  // too small: the classic size stays
        };
        for (const Case& c : cases) QCOMPARE(FirstStartGeometry(c.available), c.expected);
    }

    void newWindowsStayInsideTheAreaAndTheWindowMenuListsThem() {
        AppFixture f;
        f.Start();
        f.Frame().Execute(cmd::kOpenChartView);
        f.Frame().Execute(cmd::kFileNew);
        auto* area = f.Frame().findChild<QMdiArea*>();
        QVERIFY(area != nullptr);
        const QList<QMdiSubWindow*> windows = area->subWindowList();
        QCOMPARE(windows.size(), 3);
        for (QMdiSubWindow* w : windows)
            QVERIFY2(area->viewport()->rect().contains(w->geometry()), qPrintable(w->windowTitle()));
        QVERIFY(windows[1]->pos() != windows[2]->pos());  // cascaded

        QMenu* windowMenu = nullptr;
        for (QAction* a : f.Frame().menuBar()->actions())
            if (a->text() == "&Window") windowMenu = a->menu();
        QVERIFY(windowMenu != nullptr);
        for (int round = 0; round < 2; ++round) {  // listed afresh, never twice
            emit windowMenu->aboutToShow();
            QStringList listed;
            QStringList checked;
            for (QAction* a : windowMenu->actions()) {
                if (!a->isCheckable()) continue;
                listed << a->text();
                if (a->isChecked()) checked << a->text();
            }
            QCOMPARE(listed.size(), 3);
            QCOMPARE(checked.size(), 1);
            QVERIFY(checked.front().endsWith(area->activeSubWindow()->windowTitle().remove("[*]")));
        }
    }

    void everyKindOfNewWindowOpensInsideTheArea() {
        AppFixture f;
        f.Start();
        QMdiArea* area = f.Frame().MdiArea();
        // The first start's chart window is alone: maximised, it takes the whole area.
        QCOMPARE(area->subWindowList().size(), 1);
        QVERIFY(area->subWindowList().front()->isMaximized());
        const QString stored = f.CopyExample("damped_spring.cht");  // with a graph and a list
        struct Case {
            const char* what;
            std::function<void()> open;
            int windows;
        };
        const auto command = [&f](int id) { return [&f, id] { f.Frame().Execute(id); }; };
        const std::vector<Case> cases = {
            {"Options > Chart", command(cmd::kOpenChartView), 1},
            {"Options > List", command(cmd::kOpenListView), 1},
            {"Options > Graph", command(cmd::kOpenGraphView), 1},
            {"Options > Text", command(cmd::kOpenTextView), 1},
            {"File > New", command(cmd::kFileNew), 1},
            {"opening a chart", [&f, &stored] { f.app->OpenChart(stored); }, 3},
        };
        QPoint previous = area->subWindowList().front()->pos();
        for (const Case& c : cases) {
            const QList<QMdiSubWindow*> before = area->subWindowList();
            c.open();
            QList<QMdiSubWindow*> added = area->subWindowList();
            added.removeIf([&](QMdiSubWindow* w) { return before.contains(w); });
            QCOMPARE(added.size(), c.windows);
            const QRect room = area->viewport()->rect();
            for (QMdiSubWindow* w : added) {
                const QString where = QStringLiteral("%1: %2 at %3 in %4")
                                          .arg(c.what, w->windowTitle(), QDebug::toString(w->geometry()),
                                               QDebug::toString(room));
                QVERIFY2(w->isVisible() && !w->isMaximized(), qPrintable(where));
                QVERIFY2(room.contains(w->geometry()), qPrintable(where));
                QVERIFY2(w->pos() != previous, qPrintable(where));  // cascaded
                previous = w->pos();
                // A chart window fills the area from its place.
                if (qobject_cast<CChildFrame*>(w) != nullptr)
                    QVERIFY2(w->geometry().bottomRight() == room.bottomRight(), qPrintable(where));
            }
            // The window that was maximised for being alone fills the area with its frame.
            QCOMPARE(area->subWindowList().front()->geometry(), room);
        }
    }

    // A chart opened with its views shows every one of them beside its window, which stays
    // the active one; raising the chart window does not hide them either.
    void aChartOpenedWithItsViewsShowsThem() {
        struct Case {
            const char* what;
            std::function<void(AppFixture&, const QString&)> open;
            int views;
        };
        const std::vector<Case> cases = {
            {"at start, alone", [](AppFixture& f, const QString& stored) { f.Start({stored}); }, 2},
            {"beside other windows",
             [](AppFixture& f, const QString& stored) {
                 f.Start();
                 f.Frame().Execute(cmd::kOpenGraphView);
                 f.app->OpenChart(stored);
             },
             2},
            {"saved with more views than fit side by side",
             [](AppFixture& f, const QString& stored) {
                 f.Start();
                 ChartSession* session = f.app->OpenChart(stored);
                 for (int i = 0; i < 10; ++i) f.Frame().Execute(cmd::kOpenGraphView);
                 QVERIFY(f.app->SaveChart(*session, false));
                 QVERIFY(f.app->CloseChart(*session));
                 AppFixture::Flush();
                 f.app->OpenChart(stored);
             },
             12},
        };
        for (const Case& c : cases) {
            AppFixture f;
            const QString stored = f.CopyExample("damped_spring.cht");  // with a graph and a list
            c.open(f, stored);
            if (QTest::currentTestFailed()) return;
            QMdiArea* area = f.Frame().MdiArea();
            ChartSession* session = f.Frame().ActiveSession();
            QVERIFY2(session != nullptr, c.what);
            QMdiSubWindow* chart = nullptr;
            QList<QMdiSubWindow*> views;
            for (CDocumentFrame* w : f.Frame().FramesOf(*session)) {
                if (qobject_cast<CChildFrame*>(w) != nullptr)
                    chart = w;
                else
                    views.append(w);
            }
            QVERIFY2(chart != nullptr, c.what);
            QCOMPARE(views.size(), c.views);
            QVERIFY2(area->activeSubWindow() == chart, c.what);
            const QRect room = area->viewport()->rect();
            QVERIFY2(chart->geometry().bottomRight() == room.bottomRight(), c.what);
            const QList<QMdiSubWindow*> stacked = area->subWindowList(QMdiArea::StackingOrder);
            for (QMdiSubWindow* view : views) {
                const QString where = QStringLiteral("%1: %2 at %3, chart at %4")
                                          .arg(c.what, view->windowTitle(), QDebug::toString(view->geometry()),
                                               QDebug::toString(chart->geometry()));
                QVERIFY2(view->isVisible() && room.contains(view->geometry()), qPrintable(where));
                QVERIFY2(!view->geometry().intersects(chart->geometry()), qPrintable(where));
                QRegion uncovered(view->geometry());
                for (qsizetype i = stacked.indexOf(view) + 1; i < stacked.size(); ++i)
                    uncovered -= stacked[i]->geometry();
                QVERIFY2(!uncovered.isEmpty(), qPrintable(where));
            }
        }
    }

    void acceleratorsFollowTheTable() {
        QCOMPARE(AcceleratorsOf(cmd::kFileNew), QList<QKeySequence>{QKeySequence("Ctrl+N")});
        QCOMPARE(AcceleratorsOf(32819), QList<QKeySequence>{QKeySequence("Alt+S")});
        QCOMPARE(AcceleratorsOf(cmd::kEditCopy),
                 (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
        // Esc belongs to its first entry (the run window's stop); Terminate Run has Shift+F5.
        QCOMPARE(AcceleratorsOf(cmd::kTerminateRun), QList<QKeySequence>{QKeySequence("Shift+F5")});
        // The standard keys come first, so the Edit menu shows them; F5 runs.
        QCOMPARE(AcceleratorsOf(cmd::kEditUndo).front(), QKeySequence("Ctrl+Z"));
        QCOMPARE(AcceleratorsOf(cmd::kEditCut).front(), QKeySequence("Ctrl+X"));
        QCOMPARE(AcceleratorsOf(cmd::kRun), QList<QKeySequence>{QKeySequence("F5")});
        const QKeySequence keypad0(Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::KeypadModifier | Qt::Key_0);
        QCOMPARE(AcceleratorsOf(32823), QList<QKeySequence>{keypad0});
        AppFixture f;
        f.Start();
        QCOMPARE(f.Frame().Action(cmd::kFileSave)->shortcut(), QKeySequence("Ctrl+S"));
    }

    void placementKeepsTenNumbersExactly() {
        WindowPlacement p{2, 3, -1, -1, -1, -1, 10, 20, 610, 470};
        const std::string text = FormatPlacement(p);
        QCOMPARE(QString::fromStdString(text), QString("2,3,-1,-1,-1,-1,10,20,610,470"));
        QVERIFY(ParsePlacement(text) == p);
        QVERIFY(!ParsePlacement("0,1,-1,-1,-1,-1,10,20,610").has_value());
        QVERIFY(!ParsePlacement("").has_value());
        QVERIFY(!ParsePlacement("0,1,a,-1,-1,-1,10,20,610,470").has_value());
    }

    void nineNumbersAreIgnoredAndTenApplied() {
        AppFixture f;
        Profile().WriteString(kPlacementSection, kPlacementKey, "0,1,-1,-1,-1,-1,30,40,530,440");
        f.Start();
        QCOMPARE(f.Frame().geometry(), QRect(30, 40, 500, 400));
        f.app.reset();
        Profile().WriteString(kPlacementSection, kPlacementKey, "0,1,-1,-1,-1,-1,60,70,560");
        f.Start();
        QVERIFY(f.Frame().geometry() != QRect(60, 70, 500, 400));
        QVERIFY(f.Frame().isVisible());
    }

    void closingWritesThePlacement() {
        AppFixture f;
        f.Start();
        f.Frame().setGeometry(15, 25, 640, 480);
        f.Frame().close();
        const auto stored =
            ParsePlacement(Profile().GetString(kPlacementSection, kPlacementKey, ""));
        QVERIFY(stored.has_value());
        QCOMPARE(stored->flags, 0u);
        QCOMPARE(stored->showCommand, kShowNormal);
        QCOMPARE(QRect(stored->left, stored->top, stored->right - stored->left,
                       stored->bottom - stored->top),
                 QRect(15, 25, 640, 480));
    }
};

ONDREL_GUI_TEST(MainFrameTest);
#include "MainFrameTest.moc"
