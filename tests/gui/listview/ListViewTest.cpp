// The list view as a user sees it: a run fills the table, scrolling keeps the first column,
// a deleted block's column goes and comes back with undo, Copy and Print to File give the
// table's text, and the List Parameters dialog edits the columns and the format.
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "GuiTestRegistry.h"
#include "ListSupport.h"
#include "ModalDriver.h"
#include "gui/dialogs/ListParametersDialog.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListText.h"
#include "gui/platform/QtDialogExchange.h"
#ifdef ONDREL_WITH_RUNNER
#include <sstream>

#include "cli/Runner.h"
#endif

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

QStringList Texts(const std::vector<DrawnText>& drawn, int top) {
    QStringList texts;
    for (const DrawnText& d : drawn)
        if (d.box.top() == top) texts << d.text;
    return texts;
}

QStringList ItemTexts(QWidget* dialog, int controlId) {
    QStringList texts;
    auto* list = qobject_cast<QListWidget*>(FindControl(dialog, controlId));
    for (int i = 0; list != nullptr && i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

void SelectItems(QWidget* dialog, int controlId, const QStringList& labels) {
    auto* list = qobject_cast<QListWidget*>(FindControl(dialog, controlId));
    for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(labels.contains(list->item(i)->text()));
}

void Click(QWidget* dialog, int controlId) { qobject_cast<QAbstractButton*>(FindControl(dialog, controlId))->click(); }

}  // namespace

class ListViewTest : public QObject {
    Q_OBJECT
private slots:
    // Every text drawn, header and cells, is where the table's metrics put it and reads
    // what the samples hold; before a run only the header is drawn.
    void aRunFillsTheOpenListAtComputedPositions() {
        ListFixture f;
        f.AddConstants(3);
        CListBase& list = f.OpenList();
        f.SizeListViewport(list, 700, 400);
        QCOMPARE(Texts(list.DrawnTexts(), 0), (QStringList{"Clock", "K1", "K2", "K3"}));
        QCOMPARE(list.DrawnTexts().size(), std::size_t{4});

        f.Frame().Execute(cmd::kRun);
        const ListMetrics& m = list.Metrics();
        const ListTable table = ListTableOf(list.List(), f.Doc());
        QCOMPARE(table.sampleCount, std::int64_t{11});
        std::vector<DrawnText> expected;
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            expected.push_back({QRect(int(c) * m.cellWidth, 0, m.cellWidth, m.rowHeight),
                                QString::fromStdString(table.columns[c]->label)});
        const int rows = std::min<int>(11, list.viewport()->height() / m.rowHeight - 1);
        QVERIFY(rows >= 5);
        for (int r = 0; r < rows; ++r)
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                expected.push_back({QRect(int(c) * m.cellWidth, (r + 1) * m.rowHeight, m.cellWidth, m.rowHeight),
                                    QString::fromStdString(ListValueText(table.columns[c]->ValueAt(r), 3, 0))});
        const auto drawn = list.DrawnTexts();
        QCOMPARE(drawn.size(), expected.size());
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            QCOMPARE(drawn[i].box, expected[i].box);
            QCOMPARE(drawn[i].text, expected[i].text);
        }
        QCOMPARE(Texts(drawn, m.rowHeight * 11).front(), QString("1.000e+000"));  // the Clock at 1 s
    }

    void scrollingKeepsTheFirstColumnAndKeysReachTheEnds() {
        ListFixture f;
        f.AddConstants(8);
        f.Frame().Execute(cmd::kRun);
        CListBase& list = f.OpenList();
        const int cell = list.Metrics().cellWidth;
        f.SizeListViewport(list, cell * 5 + cell / 2, list.Metrics().rowHeight * 6);
        for (int i = 0; i < 3; ++i) QTest::keyClick(&list, Qt::Key_Right);
        QCOMPARE(list.FirstColumn(), 3);
        const int shown = list.viewport()->width() / cell - 1;
        QVERIFY(shown >= 2);
        QStringList header{"Clock"};
        for (int c = 1; c <= shown && 3 + c < 9; ++c) header << QString("K%1").arg(3 + c);
        QCOMPARE(Texts(list.DrawnTexts(), 0), header);

        // Rows: a page down shows the rows below, Ctrl+End the last sample, Ctrl+Home the first.
        const int page = list.viewport()->height() / list.Metrics().rowHeight - 1;
        QTest::keyClick(&list, Qt::Key_PageDown);
        QCOMPARE(list.FirstRow(), std::int64_t{page});
        QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier);
        const auto drawn = list.DrawnTexts();
        QCOMPARE(Texts(drawn, list.Metrics().rowHeight * (int(10 - list.FirstRow()) + 1)).front(),
                 QString("1.000e+000"));
        QTest::keyClick(&list, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list.FirstRow(), std::int64_t{0});
        QCOMPARE(list.FirstColumn(), 0);
    }

    void deletingAShownBlockDropsItsColumnAndUndoBringsItBack() {
        ListFixture f;
        std::vector<CBlock*> blocks = f.AddConstants(3);
        CListBase& list = f.OpenList();
        f.Session().Perform(MakeDeleteCommand(f.Doc(), *blocks[1]));
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K1", "K3"}));
        QCOMPARE(Texts(list.DrawnTexts(), 0), (QStringList{"Clock", "K1", "K3"}));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K1", "K2", "K3"}));
        f.Frame().Execute(cmd::kEditRedo);
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K1", "K3"}));
    }

    // Copy without a selection takes the whole table, with rows selected only those; Print
    // to File writes the exported bytes where the driven dialog says, and a failed write
    // says so.
    void copyAndPrintToFileGiveTheTablesText() {
        ListFixture f;
        f.AddConstants(2);
        f.Frame().Execute(cmd::kRun);
        CListBase& list = f.OpenList();
        list.List().notes = "two\nlines";
        const ListTable table = ListTableOf(list.List(), f.Doc());

        f.Frame().Execute(cmd::kEditCopy);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(ListClipboardText(table)));
        const QPoint row2(list.Metrics().cellWidth / 2, list.Metrics().rowHeight * 3 + 1);
        const QPoint row4(row2.x(), list.Metrics().rowHeight * 5 + 1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, row2);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, row4);
        QCOMPARE(list.SelectedFirst(), std::int64_t{2});
        QCOMPARE(list.SelectedLast(), std::int64_t{4});
        f.Frame().Execute(cmd::kEditCopy);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(ListClipboardText(table, 2, 4)));
        QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list.SelectedLast(), std::int64_t{10});

        QString title, initial, suffix;
        QStringList filters;
        {
            ModalDriver save([&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                title = dialog->windowTitle();
                initial = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
                suffix = dialog->defaultSuffix();
                filters = dialog->nameFilters();
                AcceptFileDialog(w, f.Path("run"));
            }, "QFileDialog");
            f.Frame().Execute(cmd::kFilePrintToFile);
            QVERIFY(save.Acted());
        }
        QCOMPARE(title, QString("Print to File"));
        QCOMPARE(initial, QString("Output.prn"));
        QCOMPARE(suffix, QString("prn"));
        QCOMPARE(filters, (QStringList{"Printer Files (*.prn)", "All Files (*.*)"}));
        QCOMPARE(ReadBytes(f.Path("run.prn")), QByteArray::fromStdString(PrintToFileText(table, "two\nlines")));

        QString message;
        ModalDriver refuse([&](QWidget* w) { AcceptFileDialog(w, f.Path("missing/dir/run.prn")); }, "QFileDialog");
        ModalDriver report([&](QWidget* w) {
            message = qobject_cast<QMessageBox*>(w)->text();
            ClickMessageBoxButton(w, QMessageBox::Ok);
        }, "QMessageBox");
        f.Frame().Execute(cmd::kFilePrintToFile);
        QVERIFY(report.Acted());
        QVERIFY(!message.isEmpty());
    }

#ifdef ONDREL_WITH_RUNNER
    // The runner's --prn writes the bytes the window's Print to File writes, for the list
    // the chart file stores.
    void printToFileMatchesTheRunnersPrn() {
        ListFixture f;
        const QString chart = f.CopyExample("damped_spring.cht");
        QVERIFY(f.app->OpenChart(chart) != nullptr);
        f.Frame().Execute(cmd::kRun);
        CListBase& added = f.OpenList();
        // The first list the chart stores is the one the runner writes.
        COutputFrame* first = nullptr;
        for (CDocumentFrame* window : f.Frame().Windows()) {
            auto* output = qobject_cast<COutputFrame*>(window);
            // The chart's graph windows are output windows too.
            if (!first && output != nullptr && dynamic_cast<CListBase*>(output->TopLeftPane()) != nullptr)
                first = output;
        }
        QVERIFY(first != nullptr && first->TopLeftPane() != &added);
        f.Frame().MdiArea()->setActiveSubWindow(first);
        CListBase& list = *f.ActiveList();
        list.List().notes = "spring\r\nrun";
        list.List().Precision = 6;
        list.List().Extra = 2;
        list.List().displayedBlocks.pop_back();
        QVERIFY(f.app->SaveChart(f.Session(), false));
        {
            ModalDriver save([&](QWidget* w) { AcceptFileDialog(w, f.Path("window.prn")); }, "QFileDialog");
            f.Frame().Execute(cmd::kFilePrintToFile);
            QVERIFY(save.Acted());
        }
        std::ostringstream out, err;
        const int status = runner::RunMain(
            {"--no-run", "--quiet", "--prn", f.Path("runner.prn").toStdString(), chart.toStdString()}, out, err);
        QCOMPARE(status, 0);
        QVERIFY2(err.str().empty(), err.str().c_str());
        const QByteArray window = ReadBytes(f.Path("window.prn"));
        QVERIFY(window.startsWith("spring\r\nrun\r\n"));
        QCOMPARE(ReadBytes(f.Path("runner.prn")), window);
    }
#endif

    void listParametersMoveBlocksAtTheInsertionPointAndApplyIsUndoable() {
        ListFixture f;
        f.AddConstants(5);
        CListBase& list = f.OpenList();
        QStringList shownAfterRemove, shownAfterInsert, availableAfterInsert;
        int pointAfterInsert = 0;
        bool applyAfterApply = true;
        ModalDriver edit([&](QWidget* w) {
            SelectItems(w, CListParamsDlg::kDisplayList, {"K4", "K5"});
            Click(w, CListParamsDlg::kRemove);
            shownAfterRemove = ItemTexts(w, CListParamsDlg::kDisplayList);
            auto* display = qobject_cast<QListWidget*>(FindControl(w, CListParamsDlg::kDisplayList));
            display->setCurrentRow(1);  // before K1
            SelectItems(w, CListParamsDlg::kAvailableList, {"K4", "K5"});
            Click(w, CListParamsDlg::kInsert);
            shownAfterInsert = ItemTexts(w, CListParamsDlg::kDisplayList);
            availableAfterInsert = ItemTexts(w, CListParamsDlg::kAvailableList);
            pointAfterInsert = static_cast<CListParamsDlg*>(w)->InsertionPoint();
            SelectItems(w, CListParamsDlg::kDisplayList, {"K2"});
            Click(w, CListParamsDlg::kRemove);
            Click(w, CListParamsDlg::kApply);
            applyAfterApply = static_cast<CListParamsDlg*>(w)->ApplyEnabled();
            auto* precision = qobject_cast<QLineEdit*>(FindControl(w, CListParamsDlg::kPrecision));
            precision->setText("5");
            emit precision->textEdited("5");
            Click(w, CListParamsDlg::kApply);
            static_cast<QDialog*>(w)->reject();
        }, "ondrel::gui::CListParamsDlg");
        f.Frame().Execute(cmd::kViewing);
        QVERIFY(edit.Acted());
        QCOMPARE(shownAfterRemove, (QStringList{"Clock", "K1", "K2", "K3"}));
        QCOMPARE(shownAfterInsert, (QStringList{"Clock", "K4", "K5", "K1", "K2", "K3"}));
        QVERIFY(!availableAfterInsert.contains("K4") && !availableAfterInsert.contains("K1"));
        QCOMPARE(pointAfterInsert, CListParamsDlg::kAtEnd);
        QVERIFY(!applyAfterApply);
        // Cancel keeps what was applied; each Apply is one change on the undo stack.
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K4", "K5", "K1", "K3"}));
        QCOMPARE(list.List().Precision, 5);
        QCOMPARE(f.Session().UndoStack().undoText(), QString("List Parameters"));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(list.List().Precision, 3);
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K1", "K2", "K3", "K4", "K5"}));

        // Reset and then Cancel change nothing.
        list.List().Extra = 4;
        ModalDriver reset([&](QWidget* w) {
            Click(w, CListParamsDlg::kReset);
            static_cast<QDialog*>(w)->reject();
        }, "ondrel::gui::CListParamsDlg");
        f.Frame().Execute(cmd::kViewing);
        QVERIFY(reset.Acted());
        QCOMPARE(list.List().Extra, 4);
        QCOMPARE(ListFixture::ColumnLabels(list.List()), (QStringList{"Clock", "K1", "K2", "K3", "K4", "K5"}));
    }
};

ONDREL_GUI_TEST(ListViewTest);
#include "ListViewTest.moc"
