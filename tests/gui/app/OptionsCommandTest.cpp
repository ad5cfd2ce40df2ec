// The Options menu's dialogs reach the active chart: Preferences edits the model, Viewing
// the look of the active chart window.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

#include "AppFixture.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/app/CommandIds.h"
#include "core/model/views/ChartViewState.h"
#include "gui/platform/QtDialogExchange.h"
#include "gui/views/chart/CTarvekView.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class OptionsCommandTest : public QObject {
    Q_OBJECT
private slots:
    void preferencesOpensTheModelDialogForTheActiveChart() {
        AppFixture f;
        f.Start();
        CTarvekDoc& doc = f.Frame().ActiveSession()->Document();
        const int maxSort = doc.maxSort;
        ModalDriver cancel([](QWidget* w) { static_cast<QDialog*>(w)->reject(); },
                           "ondrel::gui::CModelPropDlg");
        f.Frame().Execute(cmd::kPreferences);
        QVERIFY(cancel.Acted());
        QCOMPARE(doc.maxSort, maxSort);
        QVERIFY(!doc.IsModified());
    }

    void viewingAppliesToTheActiveChartWindow() {
        AppFixture f;
        f.Start();
        CTarvekView* view = f.Frame().ActiveView();
        QVERIFY(view != nullptr);
        ModalDriver widen([](QWidget* w) {
            auto* lineWidth = qobject_cast<QLineEdit*>(FindControl(w, 1219));
            QVERIFY(lineWidth != nullptr);
            lineWidth->setText("3");
            static_cast<QDialog*>(w)->accept();
        }, "ondrel::gui::CChartViewPropsDlg");
        f.Frame().Execute(cmd::kViewing);
        QVERIFY(widen.Acted());
        QCOMPARE(view->State().LineWidth, 3);
        QVERIFY(view->Document().IsModified());
    }

    void debuggingSettingsSwitchTheConnectorDisplay() {
        AppFixture f;
        f.Start();
        CTarvekDoc& doc = f.Frame().ActiveSession()->Document();
        QCOMPARE(doc.connectorDebug, 0);
        ModalDriver check([](QWidget* w) {
            auto* box = qobject_cast<QCheckBox*>(FindControl(w, 1016));
            QVERIFY(box != nullptr);
            box->setChecked(true);
            static_cast<QDialog*>(w)->accept();
        });
        f.Frame().Execute(cmd::kDebugSettings);
        QVERIFY(check.Acted());
        QCOMPARE(doc.connectorDebug, 1);
    }
};

ONDREL_GUI_TEST(OptionsCommandTest);
#include "OptionsCommandTest.moc"
