// Editing a chart as a user does: block tools, clicks on the grid and on ports, selection by
// right click, moving, the Edit commands and the block clipboard.
#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include "AppFixture.h"
#include "EditingSupport.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CommandIds.h"
#include "gui/views/chart/BlockClipboard.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

struct EditingFixture : AppFixture {
    EditingFixture() {
        BlockClipboard::Instance().Clear();
        Start();
    }
    CTarvekView& View() { return *Frame().ActiveView(); }
    CTarvekDoc& Doc() { return View().Document(); }
    bool Enabled(int id) { return Frame().Action(id)->isEnabled(); }
    // A block of the tool's type dropped on cell.
    CBlock* Place(int tool, GridPoint cell) {
        Frame().Execute(tool);
        ClickCell(View(), cell);
        return BlockAtCell(Doc(), cell);
    }
};

}  // namespace

class ChartEditingTest : public QObject {
    Q_OBJECT
private slots:
    void buildAChartFromTheToolbarsAndRunIt() {
        EditingFixture f;
        CBlock* constant = f.Place(kConstantTool, {1, 0});
        CBlock* integrate = f.Place(kIntegrateTool, {2, -1});
        QVERIFY(constant != nullptr && integrate != nullptr);
        QCOMPARE(constant->typeId, kConstantType);
        QCOMPARE(integrate->typeId, kIntegrateType);
        constant->param[1] = 2.0;

        ClickPort(f.View(), *constant, 0);
        QVERIFY(f.View().IsConnecting());
        ClickPort(f.View(), *integrate, 1);
        QVERIFY(!f.View().IsConnecting());
        QCOMPARE(integrate->input[1], constant);
        QCOMPARE(integrate->route[1][0] != kNoRoute, true);

        f.Frame().Execute(cmd::kRun);
        const CBlock& clock = *f.Doc().Clock();
        QCOMPARE(integrate->history.size(), std::size_t{11});
        for (std::size_t i = 0; i < integrate->history.size(); ++i)
            QVERIFY(std::abs(integrate->history[i] - 2.0 * clock.history[i]) < 1e-12);
    }

    void aClickBeyondTheToleranceDropsNothing() {
        EditingFixture f;
        const std::size_t count = f.Doc().blockList.size();
        f.Frame().Execute(kGainTool);
        ClickCell(f.View(), {1, 0}, {14, 0});
        ClickCell(f.View(), {1, 0}, {0, -14});
        QCOMPARE(f.Doc().blockList.size(), count);
        QVERIFY(f.View().IsPlacing());
        QVERIFY(f.Frame().Action(kGainTool)->isChecked());
        ClickCell(f.View(), {1, 0}, {8, -8});
        QCOMPARE(f.Doc().blockList.size(), count + 1);
        QVERIFY(BlockAtCell(f.Doc(), {1, 0}) != nullptr);
        QVERIFY(!f.View().IsPlacing());
        QVERIFY(!f.Frame().Action(kGainTool)->isChecked());
    }

    void droppingOnATakenPositionKeepsPlacing() {
        EditingFixture f;
        const std::size_t count = f.Doc().blockList.size();
        f.Frame().Execute(kGainTool);
        ClickCell(f.View(), {0, 0});  // the Clock's
        QCOMPARE(f.Doc().blockList.size(), count);
        QVERIFY(f.View().IsPlacing());
        // A right click gives up: the waiting block is thrown away. So does Esc.
        ClickCell(f.View(), {3, 0}, {}, Qt::RightButton);
        QVERIFY(!f.View().IsPlacing());
        QVERIFY(f.View().PendingBlock() == nullptr);
        f.Frame().Execute(kGainTool);
        QTest::keyClick(&f.View(), Qt::Key_Escape);
        QVERIFY(!f.View().IsPlacing());
        QVERIFY(f.View().PendingBlock() == nullptr);
        QVERIFY(!f.Frame().Action(kGainTool)->isChecked());
    }

    void portsConnectOnlyAnOutputToAFreeInputOfAnotherBlock() {
        EditingFixture f;
        CBlock* gainA = f.Place(kGainTool, {1, 0});
        CBlock* gainB = f.Place(kGainTool, {2, 0});
        ClickPort(f.View(), *gainA, 0);
        ClickPort(f.View(), *gainB, 0);  // output to output
        QVERIFY(f.View().IsConnecting());
        ClickPort(f.View(), *gainA, 1);  // the same block
        QVERIFY(f.View().IsConnecting());
        QVERIFY(gainA->input[1] == nullptr);
        ClickCell(f.View(), {4, 0}, {}, Qt::RightButton);
        QVERIFY(!f.View().IsConnecting());

        // Input first, then the output: the same connection.
        ClickPort(f.View(), *gainB, 1);
        ClickPort(f.View(), *gainA, 0);
        QCOMPARE(gainB->input[1], gainA);
        // An input that has its source starts nothing, and opens no editor either.
        ModalDriver noEditor([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        ClickPort(f.View(), *gainB, 1);
        QVERIFY(!f.View().IsConnecting());
        QVERIFY(!noEditor.Acted());
    }

    void aRubberBandFollowsTheMouseWhileConnecting() {
        EditingFixture f;
        CBlock* gain = f.Place(kGainTool, {1, 0});
        ClickPort(f.View(), *gain, 0);
        const QPoint start = f.View().RubberBandStart();
        const QPoint end = start + QPoint(120, -90);
        QTest::mouseMove(f.View().viewport(), f.View().ToViewportPoint(end));
        QVERIFY(std::abs(f.View().RubberBandEnd().x() - end.x()) <= 1);
        const QImage shot = f.View().viewport()->grab().toImage();
        const QPoint middle = f.View().ToViewportPoint((start + end) / 2);
        int dark = 0;
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if (qGray(shot.pixel(middle + QPoint(dx, dy))) < 128) ++dark;
        QVERIFY(dark > 0);
        ClickCell(f.View(), {4, 0}, {}, Qt::RightButton);
        QVERIFY(!f.View().IsConnecting());
    }

    void theClockCannotBeCopiedCutOrDeleted() {
        EditingFixture f;
        const std::size_t count = f.Doc().blockList.size();
        ClickCell(f.View(), {0, 0}, {}, Qt::RightButton);
        QCOMPARE(f.View().SelectedBlock(), f.Doc().Clock());
        QVERIFY(f.Enabled(cmd::kEditCopy));
        for (int id : {cmd::kEditCopy, cmd::kEditCut, cmd::kEditDelete}) f.Frame().Execute(id);
        QCOMPARE(f.Doc().blockList.size(), count);
        QVERIFY(!BlockClipboard::Instance().HasBlock());
        QVERIFY(!f.Doc().IsModified());
    }

    void copyCutPasteAndDeleteABlock() {
        EditingFixture f;
        QVERIFY(!f.Enabled(cmd::kEditCopy));
        QVERIFY(!f.Enabled(cmd::kEditPaste));
        CBlock* gain = f.Place(kGainTool, {1, 0});
        gain->label = "Amp";
        gain->param[1] = 7.5;
        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        f.Frame().Execute(cmd::kEditCopy);
        QVERIFY(f.Enabled(cmd::kEditPaste));
        f.Frame().Execute(cmd::kEditPaste);
        QVERIFY(!f.Enabled(cmd::kEditPaste));  // a block waits for its place
        ClickCell(f.View(), {2, 0});
        CBlock* pasted = BlockAtCell(f.Doc(), {2, 0});
        QVERIFY(pasted != nullptr && pasted != gain);
        QCOMPARE(pasted->label, std::string("Amp"));
        QCOMPARE(pasted->param[1], 7.5);
        QVERIFY(f.Enabled(cmd::kEditPaste));

        // Cut takes the selected block away; Delete the other without touching the clipboard.
        const std::size_t count = f.Doc().blockList.size();
        f.Frame().Execute(cmd::kEditCut);
        QCOMPARE(f.Doc().blockList.size(), count - 1);
        QVERIFY(BlockAtCell(f.Doc(), {1, 0}) == nullptr);
        QVERIFY(f.View().SelectedBlock() == nullptr);
        QVERIFY(!f.Enabled(cmd::kEditDelete));
        ClickCell(f.View(), {2, 0}, {}, Qt::RightButton);
        f.Frame().Execute(cmd::kEditDelete);
        QCOMPARE(f.Doc().blockList.size(), count - 2);
        QVERIFY(BlockClipboard::Instance().HasBlock());
    }

    void aClickOnEmptySpaceRepeatsTheLastTool() {
        EditingFixture f;
        const std::size_t count = f.Doc().blockList.size();
        CBlock* first = f.Place(kGainTool, {1, 0});
        QVERIFY(first != nullptr);
        ClickCell(f.View(), {3, -2}, {30, 0});  // empty space, off the grid
        QVERIFY(f.View().IsPlacing());
        QCOMPARE(f.View().PlacingCommand(), kGainTool);
        QVERIFY(f.Frame().Action(kGainTool)->isChecked());
        ClickCell(f.View(), {3, -2});
        CBlock* second = BlockAtCell(f.Doc(), {3, -2});
        QVERIFY(second != nullptr);
        QCOMPARE(second->typeId, first->typeId);
        QCOMPARE(f.Doc().blockList.size(), count + 2);

        // Once the block placed last is gone, empty space arms nothing.
        ClickCell(f.View(), {3, -2}, {}, Qt::RightButton);
        f.Frame().Execute(cmd::kEditDelete);
        ClickCell(f.View(), {5, -3}, {30, 0});
        QVERIFY(!f.View().IsPlacing());
    }

    void theSelectedBlockMovesAndUndoPutsItBack() {
        EditingFixture f;
        CBlock* gain = f.Place(kGainTool, {1, 0});
        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        ClickCell(f.View(), {1, 0});  // picks it up
        QVERIFY(f.View().IsPlacing());
        QCOMPARE(f.View().MovingBlock(), gain);
        ClickCell(f.View(), {1, 0});  // its own position is taken too
        QVERIFY(f.View().IsPlacing());
        ClickCell(f.View(), {2, -1});
        QVERIFY(!f.View().IsPlacing());
        QCOMPARE(gain->position, (GridPoint{2, -1}));
        QVERIFY(f.View().SelectedBlock() == nullptr);

        // A second move of the same block merges with the first: one undo undoes both.
        ClickCell(f.View(), {2, -1}, {}, Qt::RightButton);
        ClickCell(f.View(), {2, -1});
        ClickCell(f.View(), {3, -1});
        QCOMPARE(f.Frame().Action(cmd::kEditUndo)->text(), QString("&Undo Move Gain"));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(gain->position, (GridPoint{1, 0}));
        f.Frame().Execute(cmd::kEditRedo);
        QCOMPARE(gain->position, (GridPoint{3, -1}));
    }

    void aLeftClickOnAnotherBlockOpensItsEditor() {
        EditingFixture f;
        f.Place(kGainTool, {1, 0});
        ModalDriver cancel([](QWidget* w) { static_cast<QDialog*>(w)->reject(); },
                           "ondrel::gui::BlockEditorDialog");
        ClickCell(f.View(), {1, 0});
        QVERIFY(cancel.Acted());
        QVERIFY(!f.View().IsPlacing());
    }

    void theEditorsOkIsOneUndoableChange() {
        EditingFixture f;
        CBlock* gain = f.Place(kGainTool, {1, 0});
        const std::string before = gain->label;
        ModalDriver rename([](QWidget* w) {
            auto* dialog = static_cast<QDialog*>(w);
            auto* name = dialog->findChild<QLineEdit*>("nameEdit");
            QVERIFY(name != nullptr);
            name->setText("Boost");
            dialog->accept();
        }, "ondrel::gui::BlockEditorDialog");
        ClickCell(f.View(), {1, 0});
        QVERIFY(rename.Acted());
        QCOMPARE(gain->label, std::string("Boost"));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(gain->label, before);
        f.Frame().Execute(cmd::kEditRedo);
        QCOMPARE(gain->label, std::string("Boost"));
    }
};

ONDREL_GUI_TEST(ChartEditingTest);
#include "ChartEditingTest.moc"
