// List windows as a user meets them: opened from the Options menu, split, saved with the
// chart and opened again with it, closed, and the help key.
#include <QApplication>
#include <QMessageBox>
#include <QSplitter>
#include <QtTest>

#include "GuiTestRegistry.h"
#include "ListSupport.h"
#include "ModalDriver.h"
#include "core/model/CTarvekDoc.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class ListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void optionsListOpensAWindowThatIsSavedClosedAndReopened() {
        ListFixture f;
        const QString path = f.Path("list.cht");
        f.Session().SetPath(path);
        QVERIFY(f.app->SaveChart(f.Session(), false));
        QVERIFY(!f.Doc().IsModified());

        // A new list shows the blocks a run computes, not the Clock's own outputs; the new
        // window is a change to the chart.
        CListBase& list = f.OpenList();
        QCOMPARE(f.Frame().Windows().size(), std::size_t{2});
        QCOMPARE(ListFixture::ColumnLabels(list.List()), QStringList{"Clock"});
        QVERIFY(f.Doc().IsModified());
        QCOMPARE(f.ActiveOutputFrame()->Caption(), QString("list.cht:2"));
        list.List().Precision = 5;
        list.List().title = "Samples";
        f.Doc().UpdateAllViews(nullptr);
        QCOMPARE(f.ActiveOutputFrame()->Caption(), QString("Samples"));

        // F1 opens the list's help page.
        f.Frame().Execute(cmd::kHelp);
        QCOMPARE(f.platform->Help().Browser()->source().toString(), QString("qrc:/help/list.html"));

        // Split: a second column, then a second row; every pane like the top-left one.
        f.Frame().Execute(cmd::kWindowSplit);
        f.Frame().Execute(cmd::kWindowSplit);
        QVERIFY(!f.ActiveOutputFrame()->CanSplit());
        const auto panes = f.ActiveOutputFrame()->Panes();
        QCOMPARE(panes.size(), std::size_t{4});
        for (IOutputPane* pane : panes) {
            auto& state = static_cast<ListViewState&>(pane->State());
            QCOMPARE(state.Precision, 5);
            QCOMPARE(ListFixture::ColumnLabels(state), QStringList{"Clock"});
        }
        QCOMPARE(f.Session().ViewsToSave(f.Doc()).size(), std::size_t{5});

        // A pane dragged shut goes, with its record.
        QVERIFY(f.app->SaveChart(f.Session(), false));
        f.ActiveOutputFrame()->resize(600, 400);
        QApplication::processEvents();  // the panes are laid out before the user drags
        auto* row = f.ActiveOutputFrame()->findChildren<QSplitter*>().last();
        QCOMPARE(row->count(), 2);
        row->setSizes({row->width(), 0});
        emit row->splitterMoved(row->width(), 1);
        QCOMPARE(f.ActiveOutputFrame()->Panes().size(), std::size_t{3});
        QCOMPARE(f.Session().ViewsToSave(f.Doc()).size(), std::size_t{4});
        QVERIFY(f.Doc().IsModified());

        QVERIFY(f.app->SaveChart(f.Session(), false));
        QVERIFY(!f.Doc().IsModified());
        f.ActiveOutputFrame()->close();
        f.Flush();
        // One window fewer is a change to save; its views are no longer saved.
        QCOMPARE(f.Frame().Windows().size(), std::size_t{1});
        QVERIFY(f.Doc().IsModified());
        QCOMPARE(f.Session().ViewsToSave(f.Doc()).size(), std::size_t{1});

        // The saved chart opens its list windows (one per stored list view) as they were.
        {
            ModalDriver discard([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Discard); },
                                "QMessageBox");
            QVERIFY(f.app->CloseChart(f.Session()));
        }
        f.Flush();
        QVERIFY(f.app->OpenChart(path) != nullptr);
        QCOMPARE(f.Frame().Windows().size(), std::size_t{4});
        auto* frame = qobject_cast<COutputFrame*>(f.Frame().Windows()[1]);
        QVERIFY(frame != nullptr);
        auto* reopened = dynamic_cast<CListBase*>(frame->TopLeftPane());
        QVERIFY(reopened != nullptr);
        QCOMPARE(frame->Panes().size(), std::size_t{1});
        QCOMPARE(reopened->List().Precision, 5);
        QCOMPARE(frame->Caption(), QString("Samples"));
        QCOMPARE(ListFixture::ColumnLabels(reopened->List()), QStringList{"Clock"});
        QVERIFY(!f.Doc().IsModified());
    }
};

ONDREL_GUI_TEST(ListWindowTest);
#include "ListWindowTest.moc"
