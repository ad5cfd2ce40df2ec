// The Model Properties and Debugging Settings dialogs, driven through the commands that open
// them modally.
#include <QTest>

#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "SettingsDialogFixture.h"
#include "gui/dialogs/DebugSettingsDialog.h"
#include "gui/dialogs/ModelPropertiesDialog.h"
#include "core/model/CTarvekDoc.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr int kVertLines = 1032;
constexpr int kHorizLines = 1033;
constexpr int kRungeKutta78 = 1200;

class ModelPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void ResetThenCancelChangesNothing() {
        RecordingServices services;
        CTarvekDoc doc;
        doc.vertLines = 9;
        QString shownAfterReset;
        ModalDriver driver([&](QWidget* dialog) {
            Click(dialog, CModelPropDlg::kReset);
            shownAfterReset = TextOf(dialog, kVertLines);
            Click(dialog, 2);
        });
        OnPreferences(doc, nullptr);
        QVERIFY(driver.Acted());
        QCOMPARE(shownAfterReset, QString("5"));
        QCOMPARE(doc.vertLines, 9);
        QVERIFY(!doc.IsModified());
    }

    void UpdateThenCancelStoresTheProfile() {
        RecordingServices services;
        CTarvekDoc doc;
        ModalDriver driver([&](QWidget* dialog) {
            Type(dialog, kVertLines, "7");
            Type(dialog, kHorizLines, "8");
            Click(dialog, CModelPropDlg::kUpdate);
            Click(dialog, 2);
        });
        OnPreferences(doc, nullptr);
        QVERIFY(driver.Acted());
        QCOMPARE(services.profile.GetInt("Model", "VertLines", 0), 7);
        QCOMPARE(services.profile.GetInt("Model", "HorizLines", 0), 8);
        QCOMPARE(doc.vertLines, 5);
        // A new document starts from the stored values.
        CTarvekDoc next;
        QCOMPARE(next.vertLines, 7);
    }

    void RecallShowsTheStoredValues() {
        RecordingServices services;
        services.profile.WriteInt("Model", "VertLines", 3);
        CTarvekDoc doc;
        doc.vertLines = 6;
        QString recalled;
        ModalDriver driver([&](QWidget* dialog) {
            Click(dialog, CModelPropDlg::kRecall);
            recalled = TextOf(dialog, kVertLines);
            Click(dialog, 2);
        });
        OnPreferences(doc, nullptr);
        QCOMPARE(recalled, QString("3"));
        QCOMPARE(doc.vertLines, 6);
    }

    void OutOfRangeLineCountIsRefusedAndTheDialogStaysOpen() {
        RecordingServices services;
        CTarvekDoc doc;
        bool openAfterRefusal = false;
        ModalDriver driver([&](QWidget* dialog) {
            Type(dialog, kVertLines, "100");
            Click(dialog, 1);
            openAfterRefusal = dialog->isVisible();
            Type(dialog, kVertLines, "12");
            Type(dialog, CModelPropDlg::kTitle, "Pendulum");
            Click(dialog, kRungeKutta78);
            Click(dialog, 1);
        });
        OnPreferences(doc, nullptr);
        QVERIFY(openAfterRefusal);
        QCOMPARE(services.messages.texts.size(), size_t(1));
        QCOMPARE(services.messages.texts[0],
                 std::string("Please enter an integer between 1 and 99."));
        QCOMPARE(doc.vertLines, 12);
        QCOMPARE(doc.intStyle, 1);
        QCOMPARE(doc.title, std::string("Pendulum"));
        QCOMPARE(doc.GetTitle(), std::string("Pendulum"));
        QVERIFY(doc.IsModified());
    }

    void ConnectSwitchesTheConnectorDebugDisplay() {
        RecordingServices services;
        CTarvekDoc doc;
        {
            ModalDriver ok([](QWidget* dialog) {
                Click(dialog, CDebugDlg::kConnect);
                Click(dialog, 1);
            });
            OnDebugSettings(doc, nullptr);
        }
        QCOMPARE(doc.connectorDebug, 1);
        {
            ModalDriver cancel([](QWidget* dialog) {
                Click(dialog, CDebugDlg::kConnect);
                Click(dialog, 2);
            });
            OnDebugSettings(doc, nullptr);
        }
        QCOMPARE(doc.connectorDebug, 1);
    }
};

}  // namespace

ONDREL_GUI_TEST(ModelPropertiesTest);
#include "ModelPropertiesTest.moc"
