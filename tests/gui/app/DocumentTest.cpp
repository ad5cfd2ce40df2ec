// Charts and their windows: saving and opening, closing with unsaved changes, more windows
// and panes on one chart.
#include <QMessageBox>
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CommandIds.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/CTarvekView.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void openThenSaveGivesTheSameBytes() {
        AppFixture f;
        const QString path = f.CopyExample("van_der_pol.cht");
        const QByteArray original = ReadBytes(path);
        f.Start({path});
        ChartSession* session = f.Frame().ActiveSession();
        QVERIFY(session != nullptr);
        QVERIFY(f.app->SaveChart(*session, false));
        QCOMPARE(ReadBytes(path), original);
    }

    void saveAsThenOpenGivesTheSameBytes() {
        AppFixture f;
        f.Start();
        ChartSession* session = f.Frame().ActiveSession();
        session->Document().Clock()->param[3] = 2.0;
        // With samples: a chart saved without any is initialised when it is opened.
        f.Frame().Execute(cmd::kRun);
        const QString first = f.Path("first");
        {
            ModalDriver save([&](QWidget* w) { AcceptFileDialog(w, first); });
            QVERIFY(f.app->SaveChart(*session, false));
            QVERIFY(save.Acted());
        }
        // A name without an extension gets the chart extension.
        const QString saved = first + ".cht";
        QVERIFY(QFile::exists(saved));
        QCOMPARE(session->Path(), saved);
        QVERIFY(!session->Document().IsModified());
        QCOMPARE(f.Frame().ActiveFrame()->Caption(), QString("first.cht"));
        const QByteArray bytes = ReadBytes(saved);
        f.Restart({saved});
        ChartSession* reopened = f.Frame().ActiveSession();
        QCOMPARE(reopened->Document().Clock()->param[3], 2.0);
        const QString again = f.Path("again.cht");
        {
            ModalDriver save([&](QWidget* w) { AcceptFileDialog(w, again); });
            QVERIFY(f.app->SaveChart(*reopened, true));
        }
        QCOMPARE(ReadBytes(again), bytes);
    }

    void closingAModifiedChartAsksFirst() {
        AppFixture f;
        f.Start();
        CChildFrame* frame = f.Frame().ActiveFrame();
        frame->Session().Document().SetModifiedFlag(true);
        QString question;
        {
            ModalDriver cancel([&](QWidget* w) {
                question = qobject_cast<QMessageBox*>(w)->text();
                ClickMessageBoxButton(w, QMessageBox::Cancel);
            });
            frame->close();
            f.Flush();
        }
        QCOMPARE(question, QString("Save changes to Chart1?"));
        QCOMPARE(f.Frame().Frames().size(), std::size_t{1});
        {
            ModalDriver discard([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Discard); });
            f.Frame().Execute(cmd::kFileClose);
            QVERIFY(discard.Acted());
        }
        f.Flush();
        QVERIFY(f.Frame().Frames().empty());
        QVERIFY(f.app->Sessions().empty());
        QVERIFY(!f.Frame().ShowsDocumentMenus());
    }

    void quittingWithAModifiedChartAsksFirst() {
        AppFixture f;
        f.Start();
        f.Frame().ActiveSession()->Document().SetModifiedFlag(true);
        {
            ModalDriver cancel([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Cancel); });
            QVERIFY(!f.Frame().close());
            QVERIFY(cancel.Acted());
        }
        QCOMPARE(f.app->Sessions().size(), std::size_t{1});
        const QString path = f.Path("kept.cht");
        {
            // Save asks for a name first: the chart is new.
            ModalDriver save([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Save); },
                             "QMessageBox");
            ModalDriver name([&](QWidget* w) { AcceptFileDialog(w, path); }, "QFileDialog");
            QVERIFY(f.Frame().close());
        }
        QVERIFY(QFile::exists(path));
    }

    void chartCommandOpensAnotherWindowThatIsSaved() {
        AppFixture f;
        f.Start();
        f.Frame().Execute(cmd::kOpenChartView);
        const auto frames = f.Frame().Frames();
        QCOMPARE(frames.size(), std::size_t{2});
        QCOMPARE(frames[0]->Caption(), QString("Chart1:1"));
        QCOMPARE(frames[1]->Caption(), QString("Chart1:2"));
        ChartSession& session = frames[0]->Session();
        QVERIFY(session.Document().IsModified());
        QCOMPARE(session.ViewsToSave(session.Document()).size(), std::size_t{2});
        // Closing one of two windows asks nothing and takes its record along.
        frames[1]->close();
        f.Flush();
        QCOMPARE(f.Frame().Frames().size(), std::size_t{1});
        QCOMPARE(session.ViewsToSave(session.Document()).size(), std::size_t{1});
        QCOMPARE(f.Frame().Frames()[0]->Caption(), QString("Chart1"));
    }

    void splitAddsPanesLikeTheTopLeftOne() {
        AppFixture f;
        f.Start();
        CChildFrame* frame = f.Frame().ActiveFrame();
        frame->TopLeftView()->State().MagBmp = 2.5;
        frame->TopLeftView()->State().NameDisplay = 0;
        QVERIFY(!frame->Session().Document().IsModified());
        for (int i = 0; i < 5; ++i) f.Frame().Execute(cmd::kWindowSplit);
        // Every pane is a record of the file: the chart has a change to save.
        QVERIFY(frame->Session().Document().IsModified());
        QVERIFY(frame->isWindowModified());
        QCOMPARE(frame->PaneCount(), 4);
        QVERIFY(!frame->CanSplit());
        QVERIFY(!f.Frame().Action(cmd::kWindowSplit)->isEnabled());
        for (CTarvekView* view : frame->Views()) {
            QCOMPARE(view->State().MagBmp, 2.5);
            QCOMPARE(view->State().NameDisplay, 0);
        }
        ChartSession& session = frame->Session();
        QCOMPARE(session.ViewsToSave(session.Document()).size(), std::size_t{4});
    }
};

ONDREL_GUI_TEST(DocumentTest);
#include "DocumentTest.moc"
