// The graph's property sheet, worked page by page as a user would, on a chart with three
// blocks a graph can plot and one it cannot (a Constant is computed once).
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiTestRegistry.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/edits/GraphSheetValues.h"
#include "core/model/views/GraphViewState.h"
#include "settingsdialogs/SettingsDialogFixture.h"
#include "gui/views/output/GraphPropertyPages.h"
#include "gui/views/output/GraphPropertySheet.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::gui::graph_controls;
using namespace ondrel::guitest;

namespace {

struct ThreeCurveChart {
    ThreeCurveChart() {
        doc.OnNewDocument();
        const int types[] = {kTypeSum, kTypeConstant, kTypeMultiply, kTypeNegate};
        for (int i = 0; i < 4; ++i) {
            doc.PlaceBlock(doc.CreateBlock(types[i]), 2 + i, 1);
            blocks[i] = doc.blockList.back().get();
            blocks[i]->label = "b" + std::to_string(i);
        }
        view.CompleteDefaults(doc);
        view.axisSlots[1].block.Set(blocks[0]);
        view.axisSlots[2].block.Set(blocks[2]);
        view.axisSlots[3].block.Set(blocks[3]);
        view.curveCount = 3;
        view.axisSlots[3].Color = MakeColor(1, 2, 3);
        view.axisSlots[3].Width = 7;
        doc.SetModifiedFlag(false);
    }
    std::vector<std::uint8_t> Record() {
        CArchive ar = CArchive::ForWriting();
        view.Serialize(ar, doc);
        return ar.Buffer();
    }
    CTarvekDoc doc;
    GraphViewState view;
    CBlock* blocks[4] = {};
};

// A click on a button of a page that may not have been laid out yet.
void Press(QWidget* sheet, int controlId) {
    if (auto* button = qobject_cast<QAbstractButton*>(FindControl(sheet, controlId))) button->click();
}

QStringList Labels(QListWidget* list) {
    QStringList labels;
    for (int i = 0; i < list->count(); ++i) labels << list->item(i)->text();
    return labels;
}

class GraphPropertySheetTest : public QObject {
    Q_OBJECT
private slots:
    // The curve pages refuse a Fixed scale that has no width; the X axis page takes it.
    void FixedNeedsLowBelowHighOnCurvePagesOnly() {
        RecordingServices services;
        ThreeCurveChart chart;
        CGraphPropertySheet sheet(chart.doc, chart.view, {});
        sheet.show();
        struct Case {
            int slot;
            const char* low;
            const char* high;
            bool kept;
        } cases[] = {{2, "5", "5", false}, {1, "6", "5", false}, {3, "4", "5", true}, {0, "5", "5", true}};
        for (const Case& c : cases) {
            services.messages.texts.clear();
            sheet.ShowPage(c.slot);
            Type(&sheet, kLow[c.slot], c.low);
            Type(&sheet, kHigh[c.slot], c.high);
            Press(&sheet, kFixed[c.slot]);
            auto* fixed = qobject_cast<QAbstractButton*>(FindControl(&sheet, kFixed[c.slot]));
            QCOMPARE(fixed->isChecked(), c.kept);
            QCOMPARE(services.messages.texts.size(), c.kept ? 0u : 1u);
            if (!c.kept) QCOMPARE(services.messages.texts[0], std::string(kFixedIgnoredMessage));
        }
        QVERIFY(sheet.ApplyNowButton()->isEnabled());
    }

    void ClearMovesTheLaterCurvesUp() {
        RecordingServices services;
        ThreeCurveChart chart;
        CGraphPropertySheet sheet(chart.doc, chart.view, {});
        sheet.show();
        // Blocks computed once (the Constant) are not offered.
        const QStringList offered = Labels(sheet.Page(1)->BlockList());
        QCOMPARE(offered.size(), 6);  // the Clock and its two outputs first
        QCOMPARE(offered.mid(3), (QStringList{"b0", "b2", "b3"}));
        sheet.ShowPage(1);
        auto* clear1 = FindControl(&sheet, kClear[1]);
        QVERIFY(clear1->isEnabled());
        Type(&sheet, kHigh[2], "42");
        Press(&sheet, kClear[1]);
        GraphSheetValues& v = sheet.Values();
        QCOMPARE(v.blocks[1], chart.blocks[2]);
        QCOMPARE(v.High(1), 42.0);
        QCOMPARE(v.blocks[2], chart.blocks[3]);
        QCOMPARE(*v.curves[1].Item(GraphSheetValues::kColor).Value<ColorRef>(),
                 MakeColor(1, 2, 3));
        QCOMPARE(*v.curves[1].Item(GraphSheetValues::kWidth).Value<int>(), 7);
        QCOMPARE(v.blocks[3], nullptr);
        QCOMPARE(*v.curves[2].Item(GraphSheetValues::kColor).Value<ColorRef>(),
                 GraphViewState::DefaultCurveColor(3));
        QCOMPARE(TextOf(&sheet, kHigh[1]), QString("42"));
        QCOMPARE(sheet.Page(1)->BlockList()->selectedItems().front()->text(), QString("b2"));

        // Graph 3 has no block now: its Clear does nothing, not even a change.
        sheet.ShowPage(3);
        Type(&sheet, kWidth[3], "9");
        Press(&sheet, kClear[3]);
        QCOMPARE(TextOf(&sheet, kWidth[3]), QString("9"));
        // Once curve 2 is gone, Graph 1's Clear is off.
        sheet.ShowPage(2);
        Press(&sheet, kClear[2]);
        QCOMPARE(v.blocks[2], nullptr);
        sheet.ShowPage(1);
        QVERIFY(!clear1->isEnabled());
    }

    // Apply Now, Recall and Reset show the graph's automatic limits where it is not Fixed.
    void ApplyNowAndResetShowTheAutomaticLimits() {
        RecordingServices services;
        ThreeCurveChart chart;
        chart.view.axisSlots[1].High = 20;
        chart.view.axisSlots[1].Low = -10;
        chart.view.axisSlots[2].High = 3;
        chart.view.axisSlots[2].Fixed = 1;
        CGraphPropertySheet sheet(chart.doc, chart.view, {});
        sheet.show();
        Type(&sheet, kHigh[1], "99");
        Type(&sheet, kHigh[2], "98");
        QVERIFY(sheet.ApplyNowButton()->isEnabled());
        QTest::mouseClick(sheet.ApplyNowButton(), Qt::LeftButton);
        QCOMPARE(TextOf(&sheet, kHigh[1]), QString("20"));
        QCOMPARE(TextOf(&sheet, kHigh[2]), QString("98"));
        QVERIFY(!sheet.ApplyNowButton()->isEnabled());
        QCOMPARE(chart.view.axisSlots[2].High, 3.0);  // the graph itself is untouched

        sheet.ShowPage(4);
        Press(&sheet, kReset);
        QCOMPARE(TextOf(&sheet, kWidth[3]), QString("0"));
        QCOMPARE(TextOf(&sheet, kLow[1]), QString("-10"));
        QVERIFY(sheet.ApplyNowButton()->isEnabled());

        // Update stores every page as the defaults of new graphs; Recall brings them back.
        Type(&sheet, kWidth[3], "5");
        Press(&sheet, kUpdate);
        Press(&sheet, kReset);
        QCOMPARE(TextOf(&sheet, kWidth[3]), QString("0"));
        Press(&sheet, kRecall);
        QCOMPARE(TextOf(&sheet, kWidth[3]), QString("5"));
        QCOMPARE(services.profile.GetInt("GraphView", "Graph3 Width", -1), 5);
    }

    // OK is one change that undo takes back to the very bytes; Cancel is none.
    void OkIsOneUndoableChangeAndCancelNone() {
        RecordingServices services;
        ThreeCurveChart chart;
        const std::vector<std::uint8_t> original = chart.Record();
        {
            CGraphPropertySheet sheet(chart.doc, chart.view,
                                      [](const GraphSheetValues&) { QFAIL("Cancel must hand nothing"); });
            Type(&sheet, kTitle, "changed");
            sheet.reject();
        }
        QVERIFY(chart.Record() == original);

        std::unique_ptr<ChartCommand> command;
        CGraphPropertySheet sheet(chart.doc, chart.view, [&](const GraphSheetValues& values) {
            command = MakeGraphPropertiesCommand(chart.doc, chart.view, values);
        });
        sheet.show();
        QCOMPARE(sheet.windowTitle(), QString("Graph"));
        sheet.ShowPage(4);
        Type(&sheet, kTitle, "A title longer than twenty-eight characters");
        sheet.ShowPage(3);
        sheet.Page(3)->BlockList()->clearSelection();
        sheet.ShowPage(2);
        sheet.Page(2)->BlockList()->clearSelection();
        sheet.ShowPage(0);
        Press(&sheet, 1239);  // both grids
        sheet.accept();
        QVERIFY(command != nullptr);
        QCOMPARE(command->Name(), std::string("Graph Properties"));
        QVERIFY(chart.Record() == original);  // not applied before the stack does it

        command->Apply(chart.doc);
        QCOMPARE(chart.view.title, std::string("A title longer than twenty-e"));
        QCOMPARE(chart.view.curveCount, 1);
        QCOMPARE(chart.view.Grids, 3);
        QVERIFY(chart.doc.IsModified());
        command->Revert(chart.doc);
        QVERIFY(chart.Record() == original);
        QCOMPARE(chart.view.curveCount, 3);
    }
};

}  // namespace

ONDREL_GUI_TEST(GraphPropertySheetTest);
#include "GraphPropertySheetTest.moc"
