// Undo and redo in the desktop program: Ctrl+Z and Ctrl+Y through the Edit menu, the
// modified mark following the saved point, and runs that are never undone.
#include <QAction>
#include <QtTest>

#include "AppFixture.h"
#include "EditingSupport.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CommandIds.h"
#include "core/file/ChartFile.h"
#include "core/model/edits/ChartCommand.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

struct UndoFixture : AppFixture {
    UndoFixture() { Start(); }
    CTarvekView& View() { return *Frame().ActiveView(); }
    ChartSession& Session() { return *Frame().ActiveSession(); }
    CTarvekDoc& Doc() { return Session().Document(); }
    CChildFrame& Window() { return *Frame().ActiveFrame(); }
    std::vector<std::uint8_t> Bytes() { return ChartBytes(Doc(), Session()); }
    CBlock* Place(int tool, GridPoint cell) {
        Frame().Execute(tool);
        ClickCell(View(), cell);
        return BlockAtCell(Doc(), cell);
    }
    void Undo() { Frame().Execute(cmd::kEditUndo); }
    void Redo() { Frame().Execute(cmd::kEditRedo); }
};

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void theModifiedMarkFollowsTheSavedPoint() {
        UndoFixture f;
        QVERIFY(!f.Frame().Action(cmd::kEditUndo)->isEnabled());
        f.Place(kGainTool, {1, 0});
        QVERIFY(f.Doc().IsModified());
        QVERIFY(f.Window().isWindowModified());
        QCOMPARE(f.Frame().Action(cmd::kEditUndo)->text(), QString("&Undo Place Gain"));
        f.Undo();
        QVERIFY(!f.Doc().IsModified());
        QVERIFY(!f.Window().isWindowModified());
        QCOMPARE(f.Frame().Action(cmd::kEditRedo)->text(), QString("&Redo Place Gain"));
        f.Redo();
        QVERIFY(f.Doc().IsModified());

        const QString path = f.Path("saved.cht");
        ModalDriver name([&](QWidget* w) { AcceptFileDialog(w, path); }, "QFileDialog");
        QVERIFY(f.app->SaveChart(f.Session(), false));
        QVERIFY(!f.Doc().IsModified());
        f.Undo();
        QVERIFY(f.Doc().IsModified());
        f.Redo();
        QVERIFY(!f.Doc().IsModified());
        QVERIFY(!f.Window().isWindowModified());
    }

    void aRunIsNotUndoneAndItsSamplesStay() {
        UndoFixture f;
        CBlock* constant = f.Place(kConstantTool, {1, 0});
        CBlock* integrate = f.Place(kIntegrateTool, {2, 0});
        ClickPort(f.View(), *constant, 0);
        ClickPort(f.View(), *integrate, 1);
        f.Frame().Execute(cmd::kRun);
        const std::vector<double> samples = integrate->history;
        QCOMPARE(samples.size(), std::size_t{11});

        f.Undo();  // the connection
        QVERIFY(integrate->input[1] == nullptr);
        QCOMPARE(integrate->history, samples);
        f.Undo();  // the Integrate leaves the chart, and comes back with its samples
        QVERIFY(BlockAtCell(f.Doc(), {2, 0}) == nullptr);
        f.Undo();
        QVERIFY(!f.Frame().Action(cmd::kEditUndo)->isEnabled());
        // Everything undone, yet the run's samples are unsaved: still modified.
        QVERIFY(f.Doc().IsModified());
        f.Redo();
        f.Redo();
        QCOMPARE(BlockAtCell(f.Doc(), {2, 0}), integrate);
        QCOMPARE(integrate->history, samples);
    }

    void editsUndoneReturnTheSavedBytes() {
        UndoFixture f;
        const auto original = f.Bytes();
        CBlock* gain = f.Place(kGainTool, {1, 0});
        CBlock* sum = f.Place(32801, {2, -1});
        ClickPort(f.View(), *gain, 0);
        ClickPort(f.View(), *sum, 1);
        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        ClickCell(f.View(), {1, 0});
        ClickCell(f.View(), {1, -2});
        ClickCell(f.View(), {2, -1}, {}, Qt::RightButton);
        f.Frame().Execute(cmd::kEditCut);
        f.Frame().Execute(cmd::kEditPaste);
        ClickCell(f.View(), {3, 0});
        const auto edited = f.Bytes();
        QVERIFY(edited != original);

        int undone = 0;
        while (f.Frame().Action(cmd::kEditUndo)->isEnabled()) {
            f.Undo();
            ++undone;
        }
        QCOMPARE(undone, 6);
        QVERIFY(f.Bytes() == original);
        QVERIFY(!f.Doc().IsModified());
        for (int i = 0; i < undone; ++i) f.Redo();
        QVERIFY(f.Bytes() == edited);
    }

    void deletingABlockShownInListAndGraphUndoesExactly() {
        AppFixture f;
        f.Start({f.CopyExample("damped_spring.cht")});
        ChartSession& session = *f.Frame().ActiveSession();
        CTarvekDoc& doc = session.Document();
        const auto original = ChartBytes(doc, session);
        // Every block but the Clock, each deleted and the deletion undone.
        std::vector<GridPoint> cells;
        for (std::size_t i = 1; i < doc.blockList.size(); ++i)
            if (doc.blockList[i]->kind != BlockKind::Auxiliary) cells.push_back(doc.blockList[i]->position);
        QVERIFY(cells.size() >= 3);
        for (GridPoint cell : cells) {
            CTarvekView& view = *f.Frame().ActiveView();
            ClickCell(view, cell, {}, Qt::RightButton);
            QVERIFY(view.SelectedBlock() != nullptr);
            f.Frame().Execute(cmd::kEditDelete);
            QVERIFY(ChartBytes(doc, session) != original);
            f.Frame().Execute(cmd::kEditUndo);
            QVERIFY(ChartBytes(doc, session) == original);
        }
    }

    void undoingThePlacementOfABlockBeingMovedEndsTheMove() {
        UndoFixture f;
        f.Place(kGainTool, {1, 0});
        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        ClickCell(f.View(), {1, 0});
        QVERIFY(f.View().MovingBlock() != nullptr);
        f.Undo();
        QVERIFY(f.View().MovingBlock() == nullptr);
        QVERIFY(!f.View().IsPlacing());
        QVERIFY(f.View().SelectedBlock() == nullptr);
        ClickCell(f.View(), {2, 0});  // nothing waits to be dropped
        QVERIFY(BlockAtCell(f.Doc(), {2, 0}) == nullptr);
    }

    void modelAndViewingChangesAreUndone() {
        UndoFixture f;
        const double maxSteps = f.Doc().maxSteps;
        ModelSettingsEdit model = ModelSettingsEdit::Capture(f.Doc(), f.Doc().modelSettings, "Renamed");
        f.Session().Perform(MakeModelSettingsCommand(std::move(model)));
        QCOMPARE(f.Doc().title, std::string("Renamed"));
        f.Undo();
        QCOMPARE(f.Doc().title, std::string());
        QCOMPARE(f.Doc().maxSteps, maxSteps);

        ChartViewState& state = f.View().State();
        ViewSettingsEdit look = ViewSettingsEdit::Capture(state, state.settings, "Look", state.notes);
        f.Session().Perform(MakeViewSettingsCommand(state, std::move(look)));
        QCOMPARE(f.Window().Caption(), QString("Look"));
        f.Undo();
        QVERIFY(f.Window().Caption() != QString("Look"));
    }
};

ONDREL_GUI_TEST(UndoTest);
#include "UndoTest.moc"
