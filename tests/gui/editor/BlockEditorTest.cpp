// The block editor as the user sees it: rows by block type, the Initialize box, clearing an
// input, OK and Cancel, and the Clock's outputs after an edit.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "EditorFakes.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "core/blocks/ClockBlock.h"
#include "gui/dialogs/BlockEditor.h"
#include "gui/dialogs/BlockEditorDialog.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromUtf8(name));
    if (child == nullptr) qFatal("no child %s", name);
    return child;
}

void Click(QWidget* dialog, const char* name) { Child<QPushButton>(dialog, name)->click(); }

// Opens the editor on block through EditProperties, as a click in the chart view does, and
// lets act drive the dialog. Returns what EditProperties returned.
bool EditWith(CBlock& block, const std::function<void(QWidget*)>& act) {
    BlockEditor editor;
    SetBlockEditor(&editor);
    ModalDriver driver(act, "ondrel::gui::BlockEditorDialog");
    const bool changed = block.EditProperties();
    SetBlockEditor(nullptr);
    // An editor closed by the fail-safe would make a Cancel test pass without a click.
    if (!driver.Acted() || driver.TimedOut())
        QTest::qFail("the editor was not driven", __FILE__, __LINE__);
    return changed;
}

}  // namespace

class BlockEditorTest : public QObject {
    Q_OBJECT
private slots:
    void constantShowsOneValueRowAndAFixedInitializeBox() {
        EditorPlatform platform;
        EditorChart chart;
        CBlock* constant = chart.Place(kTypeConstant, 2, 2);
        BlockEditorDialog dialog(*constant);
        QVERIFY(!Child<QGroupBox>(&dialog, "inputsGroup")->isVisibleTo(&dialog));
        QCOMPARE(Child<QLabel>(&dialog, "clearCaption")->text(), QString());
        QCOMPARE(Child<QLabel>(&dialog, "paramCaption1")->text(), QString("Value"));
        QVERIFY(Child<QLineEdit>(&dialog, "paramEdit1")->isVisibleTo(&dialog));
        for (const char* hidden : {"paramEdit2", "paramEdit3"})
            QVERIFY(!Child<QLineEdit>(&dialog, hidden)->isVisibleTo(&dialog));
        QCOMPARE(Child<QLabel>(&dialog, "paramCaption2")->text(), QString());
        QVERIFY(!Child<QPushButton>(&dialog, "dataButton")->isVisibleTo(&dialog));

        auto* init = Child<QCheckBox>(&dialog, "initializeBox");
        QVERIFY(init->isVisibleTo(&dialog));
        QCOMPARE(init->checkState(), Qt::PartiallyChecked);
        QVERIFY(!init->isEnabled());
        dialog.show();
        QTest::mouseClick(init, Qt::LeftButton);
        QCOMPARE(init->checkState(), Qt::PartiallyChecked);
        dialog.accept();
        QCOMPARE(dialog.Change()->initFlag, 1);  // a fixed block stays initialised
    }

    void integrateHasTwoRowsOfEachAndNoInitializeBox() {
        EditorPlatform platform;
        EditorChart chart;
        BlockEditorDialog dialog(*chart.Place(kTypeIntegrate, 2, 2));
        QVERIFY(!Child<QCheckBox>(&dialog, "initializeBox")->isVisibleTo(&dialog));
        QVERIFY(Child<QPushButton>(&dialog, "clearInput2")->isVisibleTo(&dialog));
        QVERIFY(!Child<QPushButton>(&dialog, "clearInput3")->isVisibleTo(&dialog));
        QCOMPARE(Child<QLabel>(&dialog, "inputCaption3")->text(), QString());
        QVERIFY(Child<QLineEdit>(&dialog, "paramEdit2")->isVisibleTo(&dialog));
        QVERIFY(!Child<QLineEdit>(&dialog, "paramEdit3")->isVisibleTo(&dialog));
    }

    void quitShowsNoCurrentValue() {
        EditorPlatform platform;
        EditorChart chart;
        CBlock* quit = chart.Place(kTypeQuit, 2, 2);
        quit->value = 4.0;
        BlockEditorDialog dialog(*quit);
        QCOMPARE(Child<QLabel>(&dialog, "currentCaption")->text(), QString());
        QCOMPARE(Child<QLabel>(&dialog, "currentValue")->text(), QString());
        CBlock* gain = chart.Place(kTypeGain, 3, 3);
        gain->value = 1234567.0;
        BlockEditorDialog shown(*gain);
        QCOMPARE(Child<QLabel>(&shown, "currentValue")->text(), QString("1.2346e+006"));
    }

    void clearingAnInputTakesEffectOnlyOnOk() {
        EditorPlatform platform;
        EditorChart chart;
        CBlock* source = chart.Place(kTypeConstant, 1, 1);
        CBlock* sum = chart.Place(kTypeSum, 4, 1);
        chart.doc.ConnectInput(sum, 2, source);
        chart.doc.SetModifiedFlag(false);

        const bool cancelled = EditWith(*sum, [](QWidget* dialog) {
            Click(dialog, "clearInput2");
            QCOMPARE(Child<QLabel>(dialog, "inputSource2")->text(), QString());
            Click(dialog, "cancelButton");
        });
        QVERIFY(!cancelled);
        QCOMPARE(sum->input[2], source);
        QVERIFY(!chart.doc.IsModified());

        QVERIFY(EditWith(*sum, [](QWidget* dialog) {
            Click(dialog, "clearInput2");
            Click(dialog, "okButton");
        }));
        QCOMPARE(sum->input[2], nullptr);
        QVERIFY(chart.doc.IsModified());
    }

    void parametersAreConvertedAndUntouchedOnesKeepEveryDigit() {
        EditorPlatform platform;
        EditorChart chart;
        CBlock* sum = chart.Place(kTypeSum, 4, 1);
        sum->param[2] = 0.123456789;
        QVERIFY(EditWith(*sum, [](QWidget* dialog) {
            Child<QLineEdit>(dialog, "paramEdit1")->setText("abc");
            Child<QLineEdit>(dialog, "paramEdit3")->setText(" 2.5e1x");
            Click(dialog, "okButton");
        }));
        QCOMPARE(sum->param[1], 0.0);
        QCOMPARE(sum->param[2], 0.123456789);
        QCOMPARE(sum->param[3], 25.0);
    }

    void editingTheClockRerunsItsSetup() {
        EditorPlatform platform;
        EditorChart chart;
        auto* clock = dynamic_cast<CClockBlock*>(chart.doc.Clock());
        QVERIFY(clock != nullptr && clock->CountBlock() != nullptr);
        QVERIFY(EditWith(*clock, [](QWidget* dialog) {
            Child<QLineEdit>(dialog, "nameEdit")->setText("Timer");
            Click(dialog, "okButton");
        }));
        QCOMPARE(clock->label, std::string("Timer"));
        QCOMPARE(clock->ErrorBlock()->label, std::string("TimerError"));
        QCOMPARE(clock->CountBlock()->label, std::string("TimerCount"));
    }

    void lineColorInitializeInvertNotesAndHelp() {
        EditorPlatform platform;
        EditorChart chart;
        CBlock* gain = chart.Place(kTypeGain, 4, 1);
        gain->notes = "first\r\nsecond";
        platform.dialogs.color = MakeColor(10, 20, 30);
        const ColorRef before = gain->color;
        QVERIFY(EditWith(*gain, [](QWidget* dialog) {
            Click(dialog, "lineColorButton");
            Click(dialog, "helpButton");
            Child<QCheckBox>(dialog, "initializeBox")->click();
            Click(dialog, "okButton");
        }));
        QCOMPARE(platform.dialogs.colorRequests, std::vector<ColorRef>{before});
        QCOMPARE(gain->color, MakeColor(10, 20, 30));
        QCOMPARE(platform.help.contexts, std::vector<int>{gain->helpId});
        QCOMPARE(gain->initFlag, 1);
        QCOMPARE(gain->notes, std::string("first\r\nsecond"));  // untouched notes stay as stored
        QCOMPARE(gain->flipped, 0);
    }
};

ONDREL_GUI_TEST(BlockEditorTest);

#include "BlockEditorTest.moc"
