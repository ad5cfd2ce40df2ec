// Never losing work: a modified chart is auto-saved, and what a crashed program left behind
// is offered on the next start.
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "core/engine/RunState.h"
#include "gui/app/AutoSaver.h"
#include "gui/dialogs/RecoverChartsDialog.h"
#include "core/file/ChartFile.h"
#include "core/file/RecoveryStore.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/platform/Platform.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr int kConstant = 61625;

// Files and folders in the recovery folder, hidden ones (unfinished saves) included.
QStringList RecoveryFiles() {
    return QDir(AutoSaver::RecoveryFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

std::vector<std::uint8_t> Bytes(const QByteArray& data) { return {data.begin(), data.end()}; }

void WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QDir(AutoSaver::RecoveryFolder()).removeRecursively(); }
    void cleanup() { QDir(AutoSaver::RecoveryFolder()).removeRecursively(); }

    void modifiedChartIsAutoSavedOnceAndSavingRemovesTheCopy() {
        AppFixture f;
        Profile().WriteInt(kAutoSaveSection, kAutoSaveKey, 1);
        f.Start();
        AutoSaver& saver = *f.app->AutoSave();
        QCOMPARE(saver.Timer().interval(), 1000);
        ChartSession& session = *f.app->Sessions().front();
        QSignalSpy saved(&saver, &AutoSaver::chartAutoSaved);
        session.Perform(MakePlaceCommand(session.Document().CreateBlock(kConstant), {4, 2}));
        QVERIFY(session.Document().IsModified());

        // The timer writes it; the copy reads back as exactly the edited chart.
        QTRY_VERIFY_WITH_TIMEOUT(saved.count() == 1, 5000);
        const QString copy = saver.RecoveryFileOf(session);
        QVERIFY(copy.startsWith(AutoSaver::RecoveryFolder()));
        CTarvekDoc reread;
        StateOnlyViewHost host;
        QVERIFY(LoadChartFile(copy.toStdString(), reread, host));
        const auto expected = ChartBytes(session.Document(), session);
        QCOMPARE(Bytes(ReadBytes(copy)).size(), expected.size());
        QVERIFY(Bytes(ReadBytes(copy)) == expected);
        QCOMPARE(reread.blockList.size(), session.Document().blockList.size());
        auto constants = [](const CTarvekDoc& doc) {
            return std::count_if(doc.blockList.begin(), doc.blockList.end(),
                                 [](const auto& block) { return block->typeId == kConstant; });
        };
        QCOMPARE(constants(reread), 1);

        // Unchanged since: not written again. During a run: not written at all.
        saver.SaveChanged();
        QCOMPARE(saved.count(), 1);
        session.Perform(MakePlaceCommand(session.Document().CreateBlock(kConstant), {6, 2}));
        auto run = std::make_unique<RunState>(session.Document());
        run->stopped = false;
        saver.SaveChanged();
        QCOMPARE(saved.count(), 1);
        run.reset();
        saver.SaveChanged();
        QCOMPARE(saved.count(), 2);

        // A failure is told once in the status bar, without a box.
        QDir(AutoSaver::RecoveryFolder()).removeRecursively();
        WriteFile(AutoSaver::RecoveryFolder(), "in the way");
        session.Perform(MakePlaceCommand(session.Document().CreateBlock(kConstant), {8, 2}));
        saver.SaveChanged();
        QVERIFY(f.Frame().statusBar()->currentMessage().startsWith("Auto-save failed: "));
        f.Frame().statusBar()->showMessage("later message");
        saver.SaveChanged();
        QCOMPARE(f.Frame().statusBar()->currentMessage(), QString("later message"));
        QFile::remove(AutoSaver::RecoveryFolder());
        QVERIFY(saver.Save(session));

        // File > Save: the copy goes.
        session.SetPath(f.Path("saved.cht"));
        QVERIFY(f.app->SaveChart(session, false));
        QVERIFY(!QFile::exists(copy));

        // A chart closed without saving takes its copy with it.
        ChartSession& other = *f.app->NewChart();
        other.Perform(MakePlaceCommand(other.Document().CreateBlock(kConstant), {4, 4}));
        QVERIFY(saver.Save(other));
        const QString otherCopy = saver.RecoveryFileOf(other);
        QVERIFY(QFile::exists(otherCopy));
        f.Frame().CloseFramesOf(other);
        AppFixture::Flush();
        QVERIFY(!QFile::exists(otherCopy));
    }

    void crashedChartsAreOffered_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("recover") << "recover";
        QTest::newRow("discard") << "discard";
        QTest::newRow("later") << "later";
    }
    void crashedChartsAreOffered() {
        QFETCH(QString, button);
        AppFixture f;
        // A program that was killed: its copy of a modified chart, and its lock naming a
        // process id above any the system hands out.
        const QString folder = AutoSaver::RecoveryFolder();
        QVERIFY(QDir().mkpath(folder));
        const QByteArray chart = ReadBytes(QStringLiteral(ONDREL_SOURCE_DIR "/examples/damped_spring.cht"));
        const QString original = f.Path("spring.cht");
        WriteFile(folder + "/killed-1.cht", chart);
        WriteFile(folder + "/killed-1.info",
                  QByteArray::fromStdString(FormatRecoveryInfo({original.toStdString(), "Damped spring", 1'700'000'000})));
        WriteFile(folder + "/killed.lock", "1073741824 0\n");

        int rows = 0;
        QString shownPath, shownTitle;
        ModalDriver driver(
            [&](QWidget* modal) {
                auto* dialog = static_cast<RecoverChartsDialog*>(modal);
                rows = dialog->List()->topLevelItemCount();
                if (rows > 0) shownTitle = dialog->List()->topLevelItem(0)->text(0);
                if (rows > 0) shownPath = dialog->List()->topLevelItem(0)->text(1);
                QVERIFY(dialog->findChild<QPushButton*>("recover")->isDefault());
                dialog->findChild<QPushButton*>(button)->click();
            },
            "ondrel::gui::RecoverChartsDialog");
        f.Start();
        QVERIFY(driver.Acted());
        QVERIFY(!driver.TimedOut());
        QCOMPARE(rows, 1);
        QCOMPARE(shownPath, original);
        QCOMPARE(shownTitle, QString("Damped spring"));
        const auto& sessions = f.app->Sessions();
        QCOMPARE(sessions.size(), std::size_t{1});
        ChartSession& session = *sessions.front();

        if (button == "recover") {
            QCOMPARE(session.Path(), original);
            QCOMPARE(QString::fromStdString(session.Document().FrameworkTitle()), QString("Damped spring"));
            QVERIFY(session.Document().IsModified());
            QVERIFY(!QFile::exists(folder + "/killed-1.cht"));
            QVERIFY(!QFile::exists(folder + "/killed.lock"));
            // Save goes to the chart's own file without asking.
            QVERIFY(f.app->SaveChart(session, false));
            CTarvekDoc saved;
            StateOnlyViewHost host;
            QVERIFY(LoadChartFile(original.toStdString(), saved, host));
            QCOMPARE(saved.blockList.size(), session.Document().blockList.size());
        } else {
            QCOMPARE(QString::fromStdString(session.Document().FrameworkTitle()), QString("Chart1"));
            QCOMPARE(QFile::exists(folder + "/killed-1.cht"), button == "later");
            QCOMPARE(QFile::exists(folder + "/killed-1.info"), button == "later");
            QVERIFY(!QFile::exists(folder + "/killed.lock"));  // released or gone
        }
        // A normal end leaves nothing of its own behind.
        f.app->MainFrame()->close();
        f.app.reset();
        const QStringList left = RecoveryFiles();
        QCOMPARE(left, button == "later" ? QStringList({"killed-1.cht", "killed-1.info"}) : QStringList());
    }
};

ONDREL_GUI_TEST(RecoveryTest);
#include "RecoveryTest.moc"
