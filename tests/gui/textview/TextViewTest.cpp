// The text view as a user meets it: opened from the Options menu, its options dialog, its
// look, AutoUpdate, saving and reopening with the chart, copying and saving the report, and
// the headless runner's --report against the window's text.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <sstream>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "cli/Runner.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/CommandIds.h"
#include "core/blocks/BlockToolbars.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/io/CArchive.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/TextViewState.h"
#include "gui/platform/FontConversion.h"
#include "gui/platform/QtDialogExchange.h"
#include "gui/views/text/CChrtText.h"
#include "gui/views/text/ChartTextOptionsDialog.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr const char* kDialogClass = "ondrel::gui::CChartTextOptionsDlg";

// A started program with one chart holding a Constant feeding a Gain, and a text view on it.
struct TextFixture : AppFixture {
    TextFixture() {
        Start();
        CTarvekDoc& doc = Doc();
        doc.PlaceBlock(doc.CreateBlock(kTypeConstant), 2, 2);
        constant = doc.blockList.back().get();
        doc.PlaceBlock(doc.CreateBlock(kTypeGain), 5, 2);
        gain = doc.blockList.back().get();
        doc.ConnectInput(gain, 1, constant);
        Frame().Execute(cmd::kOpenTextView);
        view = Frame().ActiveTextView();
        if (view == nullptr) qFatal("Options > Text opened no text window");
    }
    ChartSession& Session() { return *Frame().ActiveSession(); }
    CTarvekDoc& Doc() { return Session().Document(); }
    TextViewState& State() { return view->Text(); }
    // Options > Viewing on the text view, with action run on the dialog.
    bool DriveDialog(const std::function<void(CChartTextOptionsDlg&)>& action) {
        ModalDriver driver([&](QWidget* w) { action(*static_cast<CChartTextOptionsDlg*>(w)); }, kDialogClass);
        Frame().Execute(cmd::kViewing);
        return driver.Acted() && !driver.TimedOut();
    }
    std::vector<std::uint8_t> Record() {
        CArchive ar = CArchive::ForWriting();
        State().Serialize(ar, Doc());
        return ar.TakeBuffer();
    }
    QString Shown() const { return view->toPlainText(); }

    CBlock* constant = nullptr;
    CBlock* gain = nullptr;
    CChrtText* view = nullptr;
};

void Click(QWidget* dialog, int controlId) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, controlId));
    QVERIFY2(button != nullptr, qPrintable(QString::number(controlId)));
    button->click();
}

QString WithoutDate(QString text) {
    const qsizetype tab = text.indexOf('\t');
    const qsizetype end = text.indexOf('\n');
    if (tab >= 0 && end > tab) text.remove(tab, end - tab);
    return text;
}

QStringList AllToolNames() {
    QStringList names;
    for (const std::string& n : SortedToolNames()) names << QString::fromStdString(n);
    return names;
}

}  // namespace

class TextViewTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheReportWithItsFontAndTabStops() {
        TextFixture f;
        QVERIFY(f.Doc().IsModified());  // a new window is saved with the chart
        f.Frame().Execute(cmd::kHelp);
        QCOMPARE(f.platform->Help().Browser()->source().toString(), QString("qrc:/help/text.html"));
        QCOMPARE(f.Shown(), QString::fromStdString(f.view->ReportText()).replace("\r\n", "\n"));
        QVERIFY(f.view->ReportText().find("\r\nGain\tGain\t 0.000e+000\tNormal\r\n Input\tConstant\tConstant\t") !=
                std::string::npos);

        // The font, colour and tab stops follow MainFont and FontColor after an Apply.
        QVERIFY(f.DriveDialog([](CChartTextOptionsDlg& d) {
            auto* font = d.Settings().FindValue<FontDescription>(1278);
            font->height = -20;
            font->faceName = "Liberation Mono";
            *d.Settings().FindValue<ColorRef>(-1278) = MakeColor(200, 0, 0);
            QtDialogExchange refresh(&d, false);
            d.Settings().Exchange(refresh);
            d.accept();
        }));
        QCOMPARE(f.State().MainFont.height, -20);
        QCOMPARE(CChrtText::TabUnitTwips(f.State()), 20 * 112);
        const double unit = 20 * 112 * f.view->logicalDpiX() / 1440.0;
        const QList<qreal> stops = f.view->TabStops();
        QCOMPARE(stops.size(), 5);
        for (int i = 0; i < 5; ++i) QCOMPARE(stops[i], unit * (i + 1));
        const QList<QTextOption::Tab> tabs = f.view->document()->defaultTextOption().tabs();
        QCOMPARE(tabs.size(), 5);
        QCOMPARE(tabs[2].position, unit * 3);
        QCOMPARE(f.view->document()->defaultFont().family(), ToQFont(f.State().MainFont).family());
        QTextCursor last(f.view->document());
        last.movePosition(QTextCursor::End);
        QCOMPARE(last.charFormat().foreground().color(), QColor(200, 0, 0));
        QCOMPARE(last.charFormat().font().pixelSize(), ToQFont(f.State().MainFont).pixelSize());
        QCOMPARE(f.Session().UndoStack().undoText(), QString("Text Options"));

        // A selection is copied as it is, tabs and line ends included.
        const qsizetype at = f.Shown().indexOf("Gain\tGain");
        QTextCursor cursor(f.view->document());
        cursor.setPosition(static_cast<int>(at));
        cursor.setPosition(static_cast<int>(at + 40), QTextCursor::KeepAnchor);
        f.view->setTextCursor(cursor);
        QCOMPARE(f.view->CopyText(), f.Shown().mid(at, 40));
        QVERIFY(f.view->CopyText().contains('\t') && f.view->CopyText().contains('\n'));
    }

    void dialogListsFollowTheFilterAndMoveItems() {
        TextFixture f;
        const std::string before = f.view->ReportText();
        QVERIFY(f.DriveDialog([&](CChartTextOptionsDlg& d) {
            QVERIFY(!d.ApplyEnabled());
            // Filter All: both lists empty, and the move buttons do nothing.
            QVERIFY(d.LeftItems().isEmpty() && d.RightItems().isEmpty());
            const TextFilterChoice chosen = d.Chosen();
            Click(&d, CChartTextOptionsDlg::kMoveRight);
            Click(&d, CChartTextOptionsDlg::kMoveLeft);
            QVERIFY(d.LeftItems().isEmpty() && d.RightItems().isEmpty());
            QVERIFY(d.Chosen() == chosen);
            // Name: the chosen blocks' labels left; moving one right drops it.
            Click(&d, CChartTextOptionsDlg::kFilterName);
            QCOMPARE(d.LeftItems(), (QStringList{"Clock", "Constant", "Gain"}));
            d.MoveItems(true, {"Constant"});
            QCOMPARE(d.RightItems(), QStringList{"Constant"});
            QCOMPARE(d.Chosen().blocks, (std::vector<CBlock*>{f.Doc().Clock(), f.gain}));
            // Group: the seven bars.
            Click(&d, CChartTextOptionsDlg::kFilterGroup);
            QCOMPARE(d.LeftItems().size(), 7);
            d.MoveItems(true, {"Time", "Math"});
            QCOMPARE(d.RightItems(), (QStringList{"Time", "Math"}));
            QCOMPARE(d.Chosen().groups.size(), std::size_t{5});
            // Type: every tool name left; all moved right leaves no chosen type.
            Click(&d, CChartTextOptionsDlg::kFilterType);
            QCOMPARE(d.LeftItems(), AllToolNames());
            d.MoveItems(true, d.LeftItems());
            QVERIFY(d.LeftItems().isEmpty());
            QCOMPARE(d.RightItems().size(), AllToolNames().size());
            QVERIFY(d.Chosen().types.empty());
            QVERIFY(d.ApplyEnabled());
            d.accept();
        }));
        // The type filter with no type chosen lists no block: the title line alone.
        QCOMPARE(f.State().FilterBlocks, 2);
        QVERIFY(ReportBlocks(f.State(), f.Doc()).empty());
        QCOMPARE(f.view->ReportText().find("\r\n\r\n"), f.view->ReportText().size() - 4);
        QCOMPARE(f.Shown().count('\n'), 2);
        // Undo brings back the filter and the chosen types, and the report with them.
        f.Session().UndoStack().undo();
        QCOMPARE(f.State().FilterBlocks, 0);
        QCOMPARE(WithoutDate(QString::fromStdString(f.view->ReportText())), WithoutDate(QString::fromStdString(before)));
        f.Session().UndoStack().redo();
        QVERIFY(f.State().chosen.types.empty());
        QCOMPARE(f.State().chosen.blocks, (std::vector<CBlock*>{f.Doc().Clock(), f.gain}));
    }

    void resetThenCancelChangesNothing() {
        TextFixture f;
        f.State().title = "Levels";
        f.State().notes = "one\r\ntwo";
        f.State().SortBlocks = 2;
        f.State().chosen.types = {"Gain"};
        const auto record = f.Record();
        const int undoCount = f.Session().UndoStack().count();
        QVERIFY(f.DriveDialog([&](CChartTextOptionsDlg& d) {
            Click(&d, CChartTextOptionsDlg::kReset);
            QVERIFY(d.ApplyEnabled());
            QCOMPARE(*d.Settings().FindValue<int>(1271), 1);  // the built-in sort
            auto* sortByName = qobject_cast<QRadioButton*>(FindControl(&d, 1272));
            QVERIFY(sortByName != nullptr && sortByName->isChecked());
            QCOMPARE(qobject_cast<QLineEdit*>(FindControl(&d, CChartTextOptionsDlg::kTitle))->text(), QString("Levels"));
            QCOMPARE(d.Chosen().types, std::vector<std::string>{"Gain"});
            d.reject();
        }));
        QCOMPARE(f.Record(), record);
        QCOMPARE(f.State().chosen.types, std::vector<std::string>{"Gain"});
        QCOMPARE(f.Session().UndoStack().count(), undoCount);
    }

    void autoUpdateFollowsBlockEdits() {
        TextFixture f;
        for (int autoUpdate : {0, 1}) {
            f.State().AutoUpdate = autoUpdate;
            const std::string before = f.view->ReportText();
            BlockEdit after = BlockEdit::From(*f.gain);
            after.label = autoUpdate ? "Amplifier" : "Booster";
            f.Session().Perform(MakeBlockEditCommand(*f.gain, BlockEdit::From(*f.gain), after));
            QCOMPARE(f.view->ReportText() != before, autoUpdate == 1);
            QCOMPARE(f.view->ReportText().find(after.label) != std::string::npos, autoUpdate == 1);
        }
        // A block that leaves the chart leaves the chosen blocks at once.
        f.Session().Perform(MakeDeleteCommand(f.Doc(), *f.gain));
        QCOMPARE(f.State().chosen.blocks, (std::vector<CBlock*>{f.Doc().Clock(), f.constant}));
        f.Session().UndoStack().undo();
        QCOMPARE(f.State().chosen.blocks.size(), std::size_t{2});
    }

    void savedChartReopensItsTextViewAndMatchesTheRunner() {
        TextFixture f;
        QVERIFY(f.DriveDialog([](CChartTextOptionsDlg& d) {
            qobject_cast<QLineEdit*>(FindControl(&d, CChartTextOptionsDlg::kTitle))->setText("Levels");
            qobject_cast<QCheckBox*>(FindControl(&d, 1202))->setChecked(true);  // output connections
            d.accept();
        }));
        QCOMPARE(qobject_cast<COutputFrame*>(f.Frame().ActiveWindow())->Caption(), QString("Levels"));
        const QString path = f.Path("text.cht");
        f.Session().SetPath(path);
        QVERIFY(f.app->SaveChart(f.Session(), false));
        const auto record = f.Record();
        QVERIFY(f.app->CloseChart(f.Session()));
        f.Flush();
        QVERIFY(f.app->OpenChart(path) != nullptr);
        CChrtText* reopened = nullptr;
        for (CDocumentFrame* window : f.Frame().Windows())
            if (auto* frame = qobject_cast<COutputFrame*>(window))
                if (auto* text = dynamic_cast<CChrtText*>(frame->TopLeftPane())) {
                    reopened = text;
                    QCOMPARE(frame->Caption(), QString("Levels"));
                    f.Frame().MdiArea()->setActiveSubWindow(frame);
                }
        QVERIFY(reopened != nullptr);
        f.view = reopened;
        QCOMPARE(f.Record(), record);
        QVERIFY(!f.Doc().IsModified());
        QVERIFY(reopened->ReportText().find("  Gain\tGain\tInput1\t") != std::string::npos);

        // ondrel-run --report writes what the window shows, byte for byte (the date aside: both
        // take the day from the clock).
        const QString report = f.Path("report.txt");
        std::ostringstream out, err;
        QCOMPARE(runner::RunMain({"--no-run", "--quiet", "--report", report.toStdString(), path.toStdString()}, out, err),
                 0);
        const QByteArray written = ReadBytes(report);
        QCOMPARE(WithoutDate(QString::fromUtf8(written)), WithoutDate(QString::fromStdString(reopened->ReportText())));

        // Edit > Copy without a selection copies the whole report; File > Save Report As
        // writes it as it is.
        f.Frame().Execute(cmd::kEditCopy);
        QCOMPARE(QApplication::clipboard()->text(), reopened->toPlainText());
        const QString saved = f.Path("saved.txt");
        {
            ModalDriver save([&](QWidget* w) { AcceptFileDialog(w, saved); }, "QFileDialog");
            f.Frame().Execute(cmd::kFileSaveReportAs);
            QVERIFY(save.Acted());
        }
        QCOMPARE(ReadBytes(saved), QByteArray::fromStdString(reopened->ReportText()));
    }
};

ONDREL_GUI_TEST(TextViewTest);
#include "TextViewTest.moc"
