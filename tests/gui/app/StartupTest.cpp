// Start-up: the command line, the first chart, the menus, the About box.
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/AboutDialog.h"
#include "gui/app/CommandIds.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineNamesThePath_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("path");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("plain") << QStringList{"/a/b.cht"} << "/a/b.cht";
        QTest::newRow("quoted") << QStringList{"\"/a/b c.cht\""} << "/a/b c.cht";
        QTest::newRow("split by the shell") << QStringList{"\"/a/b", "c.cht\""} << "/a/b c.cht";
        QTest::newRow("lone quote kept") << QStringList{"\""} << "\"";
    }
    void commandLineNamesThePath() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
        QCOMPARE(ChartPathFromArguments(arguments), path);
    }

    void startWithoutArgumentsShowsChart1() {
        AppFixture f;
        f.Start();
        const auto frames = f.Frame().Frames();
        QCOMPARE(frames.size(), std::size_t{1});
        QCOMPARE(frames[0]->Caption(), QString("Chart1"));
        QVERIFY(f.Frame().ShowsDocumentMenus());
        QCOMPARE(f.Frame().windowTitle(), QString("Ondrel, The Analog Simulator - Chart1"));
        // A new chart holds the Clock and its two outputs, and nothing to save yet.
        QCOMPARE(frames[0]->Session().Document().blockList.size(), std::size_t{3});
        QVERIFY(!frames[0]->Session().Document().IsModified());
        f.Frame().Execute(cmd::kFileNew);
        QCOMPARE(f.Frame().ActiveFrame()->Caption(), QString("Chart2"));
    }

    void startWithQuotedPathOpensThatChart() {
        AppFixture f;
        const QString path = f.CopyExample("harmonic_oscillator.cht");
        f.Start({'"' + path + '"'});
        const auto frames = f.Frame().Frames();
        QCOMPARE(frames.size(), std::size_t{1});
        QCOMPARE(frames[0]->Session().Path(), path);
        QVERIFY(frames[0]->Session().Document().blockList.size() > 3);
        QCOMPARE(f.app->Recent().Paths().front(), path.toStdString());
    }

    void unreadableChartLeavesNoDocument() {
        AppFixture f;
        QFile bad(f.Path("bad.cht"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a chart");
        bad.close();
        ModalDriver load([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Ok); });
        f.Start({bad.fileName()});
        QVERIFY(load.Acted());
        QVERIFY(f.Frame().Frames().empty());
        QVERIFY(!f.Frame().ShowsDocumentMenus());
        // Only what can be done without a chart is on.
        QVERIFY(!f.Frame().Action(cmd::kRun)->isEnabled());
        QVERIFY(f.Frame().Action(cmd::kFileOpen)->isEnabled());
    }

    void aboutBoxShowsTheVersion() {
        QCOMPARE(VersionLine(), QString("Version : 1.13"));
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QString("About Ondrel"));
        auto* line = about.findChild<QLabel*>("versionLine");
        QVERIFY(line != nullptr);
        QCOMPARE(line->text(), QString("Version : 1.13"));
    }
};

ONDREL_GUI_TEST(StartupTest);
#include "StartupTest.moc"
