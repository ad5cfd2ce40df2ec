// Editing groups of blocks as a user does: a rubber band, Shift+right click, Ctrl+A and Esc;
// copy, paste, delete and drag of a group; zoom from the keyboard and the wheel; and what the
// status bar says in each editing state.
#include <QAction>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

#include "AppFixture.h"
#include "EditingSupport.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CommandIds.h"
#include "core/blocks/BlockCatalogue.h"
#include "core/file/ChartFile.h"
#include "gui/views/chart/BlockClipboard.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr int kSumTool = 32801;

// The pixels of a block tool's toolbar button in the highlight colour.
int HighlightedPixels(CMainFrame& frame, int tool) {
    const QColor highlight = frame.palette().color(QPalette::Highlight);
    for (QToolBar* bar : frame.findChildren<QToolBar*>())
        if (QWidget* button = bar->widgetForAction(frame.Action(tool))) {
            const QImage image = button->grab().toImage();
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == highlight;
            return count;
        }
    return -1;
}

struct GroupFixture : AppFixture {
    GroupFixture() {
        BlockClipboard::Instance().Clear();
        GroupClipboard::Instance().Clear();
        Start();
    }
    CTarvekView& View() { return *Frame().ActiveView(); }
    CTarvekDoc& Doc() { return View().Document(); }
    ChartSession& Session() { return *Frame().ActiveSession(); }
    std::vector<std::uint8_t> Bytes() { return ChartBytes(Doc(), Session()); }
    QString Status() { return Frame().statusBar()->currentMessage(); }
    CBlock* Place(int tool, GridPoint cell) {
        Frame().Execute(tool);
        ClickCell(View(), cell);
        return BlockAtCell(Doc(), cell);
    }
    QPoint At(GridPoint cell, QPoint offset = {}) {
        return View().ToViewportPoint(CellCentre(View().Geometry(), cell) + offset);
    }
    // Press, move in two steps, release: the left button held throughout.
    void Drag(QPoint from, QPoint to) {
        QWidget* port = View().viewport();
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, from);
        for (QPoint p : {(from + to) / 2, to}) {
            QMouseEvent move(QEvent::MouseMove, p, port->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(port, &move);
        }
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, to);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), static_cast<Qt::Key>(key), modifiers);
    }
    // Gains a -> b -> c in a row, a fed by an outside Constant, c feeding an outside Gain.
    void BuildRow() {
        source = Place(kConstantTool, {1, -1});
        a = Place(kGainTool, {1, -3});
        b = Place(kGainTool, {2, -3});
        c = Place(kGainTool, {3, -3});
        outside = Place(kGainTool, {3, -5});
        for (auto [target, from] : {std::pair{a, source}, {b, a}, {c, b}, {outside, c}}) {
            ClickPort(View(), *from, 0);
            ClickPort(View(), *target, 1);
        }
        QCOMPARE(outside->input[1], c);
    }
    // A rubber band around the row a, b, c.
    void SelectRow() {
        const QPoint half(View().Geometry().cellWidth / 2, View().Geometry().cellHeight / 2);
        Drag(At({1, -3}, QPoint(-half.x(), half.y())), At({3, -3}, QPoint(half.x(), -half.y())));
    }
    CBlock* source = nullptr;
    CBlock* a = nullptr;
    CBlock* b = nullptr;
    CBlock* c = nullptr;
    CBlock* outside = nullptr;
};

}  // namespace

class GroupEditingTest : public QObject {
    Q_OBJECT
private slots:
    void aRubberBandShiftRightClickCtrlAAndEscChooseTheGroup() {
        GroupFixture f;
        f.BuildRow();
        f.SelectRow();
        QCOMPARE(f.View().Selection().Blocks(), (std::vector<CBlock*>{f.a, f.b, f.c}));
        QVERIFY(f.Status().startsWith("3 blocks selected"));
        QVERIFY(f.Frame().Action(cmd::kEditCopy)->isEnabled());

        QTest::mouseClick(f.View().viewport(), Qt::RightButton, Qt::ShiftModifier, f.At({2, -3}));
        QCOMPARE(f.View().Selection().Blocks(), (std::vector<CBlock*>{f.a, f.c}));
        QTest::mouseClick(f.View().viewport(), Qt::RightButton, Qt::ShiftModifier, f.At({3, -5}));
        QCOMPARE(f.View().Selection().Size(), std::size_t{3});
        ClickCell(f.View(), {2, -3}, {}, Qt::RightButton);  // a plain right click: one block again
        QCOMPARE(f.View().SelectedBlock(), f.b);

        f.Key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.View().Selection().Size(), std::size_t{5});
        QVERIFY(!f.View().Selection().Contains(f.Doc().Clock()));
        f.Key(Qt::Key_Escape);
        QVERIFY(f.View().Selection().Empty());
        QVERIFY(!f.Frame().Action(cmd::kEditDelete)->isEnabled());
    }

    void aCopiedGroupPastesWithItsInnerWiresOnlyAndRefusesATakenPlace() {
        GroupFixture f;
        f.BuildRow();
        f.SelectRow();
        f.Frame().Execute(cmd::kEditCopy);
        f.Frame().Execute(cmd::kEditPaste);
        QVERIFY(f.View().IsPlacing());
        QCOMPARE(f.Status(), QString("Click a grid point to paste the 3 blocks; right click or Esc to stop"));
        const std::size_t count = f.Doc().blockList.size();
        ClickCell(f.View(), {2, -5});  // c's copy would land on the outside Gain
        QVERIFY(f.View().IsPlacing());
        QCOMPARE(f.Doc().blockList.size(), count);
        QVERIFY(f.Status().startsWith("Cannot paste the 3 blocks there"));

        ClickCell(f.View(), {1, -7});
        QVERIFY(!f.View().IsPlacing());
        QCOMPARE(f.Doc().blockList.size(), count + 3);
        CBlock* a2 = BlockAtCell(f.Doc(), {1, -7});
        CBlock* b2 = BlockAtCell(f.Doc(), {2, -7});
        CBlock* c2 = BlockAtCell(f.Doc(), {3, -7});
        QVERIFY(a2 && b2 && c2 && a2 != f.a);
        QCOMPARE(a2->input[1], nullptr);  // its source stayed outside the group
        QCOMPARE(b2->input[1], a2);
        QCOMPARE(c2->input[1], b2);
        for (const auto& block : f.Doc().blockList) QVERIFY(block->input[1] != c2);
        QVERIFY(c2->route[1][0] != kNoRoute);
        QCOMPARE(f.Frame().Action(cmd::kEditUndo)->text(), QString("&Undo Paste 3 Blocks"));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(f.Doc().blockList.size(), count);
    }

    void deletingAGroupIsOneStepAndUndoGivesBackTheSavedBytes() {
        GroupFixture f;
        f.BuildRow();
        const auto before = f.Bytes();
        f.SelectRow();
        f.Frame().Execute(cmd::kEditDelete);
        QVERIFY(BlockAtCell(f.Doc(), {2, -3}) == nullptr);
        QCOMPARE(f.outside->input[1], nullptr);
        f.Frame().Execute(cmd::kEditUndo);
        QVERIFY(f.Bytes() == before);
        f.Frame().Execute(cmd::kEditRedo);
        QVERIFY(BlockAtCell(f.Doc(), {1, -3}) == nullptr);
    }

    void aDragMovesTheSelectionAndAClickStillPicksUp() {
        GroupFixture f;
        CBlock* gain = f.Place(kGainTool, {1, 0});
        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        f.Drag(f.At({1, 0}), f.At({3, -2}));
        QCOMPARE(gain->position, (GridPoint{3, -2}));
        QVERIFY(!f.View().IsPlacing());
        QCOMPARE(f.Frame().Action(cmd::kEditUndo)->text(), QString("&Undo Move Gain"));
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(gain->position, (GridPoint{1, 0}));

        ClickCell(f.View(), {1, 0}, {}, Qt::RightButton);
        ClickCell(f.View(), {1, 0});  // no motion: picked up as always
        QCOMPARE(f.View().MovingBlock(), gain);
        QCOMPARE(f.Status(), QString("Click a free grid point to move Gain; right click or Esc to stop"));
        f.Key(Qt::Key_Escape);

        // A group is dragged as a whole, and carried as a whole after a click on it.
        f.BuildRow();
        f.SelectRow();
        f.Drag(f.At({2, -3}), f.At({3, -2}));
        QCOMPARE(f.a->position, (GridPoint{2, -2}));
        QCOMPARE(f.c->position, (GridPoint{4, -2}));
        QCOMPARE(f.c->input[1], f.b);
        ClickCell(f.View(), {3, -2});
        QCOMPARE(f.View().CarriedGroup().size(), std::size_t{3});
        QCOMPARE(f.Status(), QString("Click a grid point to drop the 3 blocks; right click or Esc to stop"));
        ClickCell(f.View(), {3, -6});
        QCOMPARE(f.a->position, (GridPoint{2, -6}));
        f.Frame().Execute(cmd::kEditUndo);
        f.Frame().Execute(cmd::kEditUndo);
        QCOMPARE(f.a->position, (GridPoint{1, -3}));
    }

    void aMessageAboutABlockSelectsItAndScrollsToIt() {
        GroupFixture f;
        f.Place(kGainTool, {1, 0})->label = "Spring";
        CBlock* far = f.Place(kGainTool, {2, -14});
        far->label = "Spring";
        ClickPort(f.View(), *far, 0);  // the first Spring is fed by the second
        ClickPort(f.View(), *BlockAtCell(f.Doc(), {1, 0}), 1);
        f.View().verticalScrollBar()->setValue(0);
        CBlock* selected = nullptr;
        bool visible = false;
        ModalDriver answer([&](QWidget* box) {
            selected = f.View().SelectedBlock();
            visible = f.View().viewport()->rect().contains(f.At({2, -14}));
            ClickMessageBoxButton(box, QMessageBox::Cancel);
        }, "QMessageBox");
        f.Frame().Execute(cmd::kRun);
        QVERIFY(answer.Acted());
        QCOMPARE(selected, far);
        QVERIFY(visible);
    }

    void zoomTheStatusOfEachEditingStateTheArmedToolAndToolTips() {
        GroupFixture f;
        QCOMPARE(f.View().State().MagBmp, 1.0);
        const QPoint at = f.At({1, 0});
        QWheelEvent wheel(at, f.View().viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.View().viewport(), &wheel);
        QVERIFY(f.View().State().MagBmp > 1.0);
        QVERIFY(f.Doc().IsModified());
        QVERIFY(!f.Frame().Action(cmd::kEditUndo)->isEnabled());  // not an undo step
        f.Key(Qt::Key_Equal, Qt::ControlModifier);
        const double twice = f.View().State().MagBmp;
        f.Key(Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(f.View().State().MagBmp < twice);
        f.Key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(f.View().State().MagBmp, 1.0);

        // Arming a tool checks that block tool alone, and its button shows the highlight.
        int armed = 0;
        const auto arm = [&](int tool) {
            f.Frame().Execute(tool);
            QList<int> checked;
            for (const CatalogueEntry& entry : Catalogue())
                if (QAction* action = f.Frame().Action(entry.commandId); action && action->isChecked())
                    checked << entry.commandId;
            QCOMPARE(checked, QList<int>{tool});
            QVERIFY(HighlightedPixels(f.Frame(), tool) >= 4 * 21);  // a ring round the image
            if (armed != 0) QCOMPARE(HighlightedPixels(f.Frame(), armed), 0);
            armed = tool;
        };
        QCOMPARE(HighlightedPixels(f.Frame(), kGainTool), 0);
        arm(kGainTool);
        arm(kConstantTool);
        arm(kSumTool);
        QCOMPARE(f.Status(), QString("Click a free grid point to place a Sum; right click or Esc to stop"));
        QVERIFY(f.Frame().Action(kSumTool)->isChecked());
        ClickCell(f.View(), {2, 0});
        QCOMPARE(f.Status(), QString("Ready"));
        CBlock* sum = BlockAtCell(f.Doc(), {2, 0});
        sum->label = "Spring";
        ClickPort(f.View(), *sum, 0);
        QCOMPARE(f.Status(), QString("Click an input to connect Spring; right click or Esc to stop"));
        f.Key(Qt::Key_Escape);
        QCOMPARE(f.Status(), QString("Ready"));
        QCOMPARE(HighlightedPixels(f.Frame(), kSumTool), 0);

        // Hovering a block shows its label, type, value and mode.
        CBlock* constant = f.Place(kConstantTool, {3, 0});
        constant->label = "Source";
        constant->value = 2.5;
        struct Hover {
            GridPoint cell;
            QString tip;
        };
        for (const Hover& h : {Hover{{2, 0}, "Spring (Sum)\nValue 0.000e+000, computed in every step"},
                               Hover{{3, 0}, "Source (Constant)\nValue 2.500e+000, computed once at initialisation"}}) {
            const QPoint at = f.At(h.cell);
            QHelpEvent hover(QEvent::ToolTip, at, f.View().viewport()->mapToGlobal(at));
            QApplication::sendEvent(f.View().viewport(), &hover);
            QCOMPARE(QToolTip::text(), h.tip);
        }
    }
};

ONDREL_GUI_TEST(GroupEditingTest);
#include "GroupEditingTest.moc"
