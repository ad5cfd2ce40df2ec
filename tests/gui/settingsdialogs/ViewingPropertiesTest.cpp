// The Chart Viewing Properties dialog, worked field by field on a chart with one connector.
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <vector>

#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "SettingsDialogFixture.h"
#include "core/blocks/BlockTypeIds.h"
#include "gui/dialogs/ViewingPropertiesDialog.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "core/model/views/ChartViewState.h"

using namespace ondrel;
using namespace ondrel::chart_controls;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

// A chart whose Gain at (4, 5) takes a Constant at (1, 2), with a chart view's state.
struct WiredChart {
    WiredChart() {
        doc.OnNewDocument();
        doc.PlaceBlock(doc.CreateBlock(kTypeConstant), 1, 2);
        CBlock* source = doc.blockList.back().get();
        doc.PlaceBlock(doc.CreateBlock(kTypeGain), 4, 5);
        target = doc.blockList.back().get();
        doc.ConnectInput(target, 1, source);
        routed = target->route[1];
        doc.SetModifiedFlag(false);
    }
    CTarvekDoc doc;
    ChartViewState view;
    CBlock* target = nullptr;
    RouteRecord routed{};
};

class ViewingPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void ApplyIsEnabledByChangesAndDisabledByApplying() {
        RecordingServices services;
        services.choosers.color = MakeColor(0, 0, 255);
        WiredChart chart;
        int handed = 0;
        CChartViewPropsDlg dialog(chart.doc, chart.view, [&](ViewSettingsEdit&& edit) {
            ++handed;
            edit.Apply(chart.view, chart.doc);
        });
        QVERIFY(!dialog.ApplyEnabled());
        Click(&dialog, CChartViewPropsDlg::kUpdate);  // storing defaults is no change
        QVERIFY(!dialog.ApplyEnabled());
        Click(&dialog, kNameDisplay);
        QVERIFY(dialog.ApplyEnabled());
        Click(&dialog, CChartViewPropsDlg::kApply);
        QVERIFY(!dialog.ApplyEnabled());
        QCOMPARE(handed, 1);
        QCOMPARE(chart.view.NameDisplay, 0);
        QVERIFY(chart.doc.IsModified());

        Click(&dialog, kHold);  // the colour chooser answers
        QVERIFY(dialog.ApplyEnabled());
        Click(&dialog, CChartViewPropsDlg::kApply);
        QCOMPARE(chart.view.Hold, MakeColor(0, 0, 255));
        Type(&dialog, kTitle, "x");
        QVERIFY(dialog.ApplyEnabled());
        dialog.reject();  // what was applied stays
        QCOMPARE(handed, 2);
        QCOMPARE(chart.view.title, std::string());
    }

    void TitleHoldsAtMostTwentyEightCharacters() {
        RecordingServices services;
        WiredChart chart;
        CChartViewPropsDlg dialog(chart.doc, chart.view, {});
        Type(&dialog, kTitle, QString(29, 'a'));
        QCOMPARE(TextOf(&dialog, kTitle), QString(28, 'a'));
        dialog.accept();
        QCOMPARE(chart.view.title, std::string(28, 'a'));
    }

    void WiderLinesRaiseTheHorizontalTotal() {
        RecordingServices services;
        WiredChart chart;
        CChartViewPropsDlg dialog(chart.doc, chart.view, {});
        Enter(&dialog, kLineWidth, "3");
        // 2 + (2 + 3) x 5 lanes across, and the same down.
        QCOMPARE(TextOf(&dialog, kLinesX), QString("27"));
        QCOMPARE(TextOf(&dialog, kLinesY), QString("27"));
        QVERIFY(dialog.ApplyEnabled());
        QCOMPARE(chart.view.LinesX, 15);  // not yet applied
    }

    void SizingLockDoublesWithTheMagnification() {
        RecordingServices services;
        WiredChart chart;
        chart.view.LinesX = 40;
        chart.view.LinesY = 50;
        CChartViewPropsDlg dialog(chart.doc, chart.view, {});
        Enter(&dialog, kMagBmp, "2");
        QCOMPARE(TextOf(&dialog, kLineWidth), QString("2"));
        QCOMPARE(TextOf(&dialog, kDeltaVert), QString("4"));
        QCOMPARE(TextOf(&dialog, kDeltaHoriz), QString("4"));
        QCOMPARE(TextOf(&dialog, kLinesX), QString("80"));
        QCOMPARE(TextOf(&dialog, kLinesY), QString("100"));
        QCOMPARE(TextOf(&dialog, kHoldSiz), QString("4"));
        dialog.accept();
        QCOMPARE(chart.view.ChartLf.height, -27);
        QCOMPARE(chart.view.NotesLf.height, -27);
        QCOMPARE(chart.view.MagBmp, 2.0);

        // Without the lock only the magnification changes.
        CChartViewPropsDlg unlocked(chart.doc, chart.view, {});
        Click(&unlocked, kSizeLock);
        Enter(&unlocked, kMagBmp, "4");
        QCOMPARE(TextOf(&unlocked, kLineWidth), QString("2"));
        QCOMPARE(TextOf(&unlocked, kLinesX), QString("80"));
    }

    void ResetKeepsNotesAndTitle() {
        RecordingServices services;
        WiredChart chart;
        chart.view.LineWidth = 4;
        chart.view.title = "Top";
        CChartViewPropsDlg dialog(chart.doc, chart.view, {});
        auto* notes = qobject_cast<QPlainTextEdit*>(FindControl(&dialog, kNotesText));
        QVERIFY(notes != nullptr);
        notes->setPlainText("typed notes");
        Click(&dialog, CChartViewPropsDlg::kReset);
        QCOMPARE(TextOf(&dialog, kLineWidth), QString("1"));
        QCOMPARE(TextOf(&dialog, kTitle), QString("Top"));
        QCOMPARE(notes->toPlainText(), QString("typed notes"));
    }

    void OkAppliesAndReroutesEveryConnector() {
        RecordingServices services;
        WiredChart chart;
        chart.target->route[1].fill(kNoRoute);  // only a new routing restores it
        ModalDriver driver([](QWidget* dialog) {
            Type(dialog, kTitle, "Spring");
            Click(dialog, kValueDisplay);
            Click(dialog, 1);
        });
        OnViewParameters(chart.doc, chart.view, nullptr);
        QVERIFY(driver.Acted());
        QCOMPARE(chart.target->route[1], chart.routed);
        QCOMPARE(chart.view.title, std::string("Spring"));
        QCOMPARE(chart.view.ValueDisplay, 0);
        QVERIFY(chart.doc.IsModified());
    }

    void InvalidSpacingKeepsTheDialogOpen() {
        RecordingServices services;
        WiredChart chart;
        int handed = 0;
        CChartViewPropsDlg dialog(chart.doc, chart.view, [&](ViewSettingsEdit&&) { ++handed; });
        dialog.show();
        Enter(&dialog, kDeltaHoriz, "0");  // below 1: refused, no total computed
        QCOMPARE(services.messages.texts.size(), size_t(1));
        QCOMPARE(services.messages.texts[0],
                 std::string("Please enter an integer between 1 and 99."));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(handed, 0);
        dialog.reject();
    }
};

}  // namespace

ONDREL_GUI_TEST(ViewingPropertiesTest);
#include "ViewingPropertiesTest.moc"
