// The Qt platform services: message boxes, the profile, fonts, dialog exchange, help.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "gui/platform/FontConversion.h"
#include "gui/platform/QtDialogExchange.h"
#include "gui/platform/QtHelp.h"
#include "gui/platform/QtMessageBox.h"
#include "gui/platform/QtProfile.h"
#include "core/platform/Platform.h"
#include "core/settings/CSettingsGroup.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxShowsCaptionButtonsAndIcon() {
        QtMessageBox boxes;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool hasCancel = false;
        ModalDriver cancel([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            caption = box->windowTitle();
            icon = box->icon();
            hasCancel = box->button(QMessageBox::Cancel) != nullptr;
            ClickMessageBoxButton(w, QMessageBox::Cancel);
        });
        const MsgResult result = boxes.Show("Division by zero", "RunTime Error",
                                            MsgButtons::OkCancel, MsgIcon::Error);
        QCOMPARE(result, MsgResult::Cancel);
        QCOMPARE(caption, QString("RunTime Error"));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(hasCancel);
        ModalDriver ok([](QWidget* w) { ClickMessageBoxButton(w, QMessageBox::Ok); });
        QCOMPARE(boxes.Show("Sort Failure", "Run Time Error", MsgButtons::Ok, MsgIcon::None),
                 MsgResult::Ok);
    }

    void profileKeepsIntegersAndStrings() {
        QTemporaryDir dir;
        const QString path = dir.filePath("p.ini");
        {
            QtProfile profile(path);
            profile.WriteInt("MainView", "ChartLf.Height", -13);
            profile.WriteString("Settings", "MainFramePos", "0,1,-1,-1,-1,-1,1,2,3,4");
            profile.WriteString("GraphView", "Graph1 Color", "x/y");
        }
        QtProfile profile(path);
        QCOMPARE(profile.GetInt("MainView", "ChartLf.Height", 0), -13);
        QCOMPARE(profile.GetInt("MainView", "Absent", 7), 7);
        QCOMPARE(profile.GetString("Settings", "MainFramePos", ""),
                 std::string("0,1,-1,-1,-1,-1,1,2,3,4"));
        QCOMPARE(profile.GetString("GraphView", "Graph1 Color", ""), std::string("x/y"));
        // Integers and strings share the keys: a number written as text reads as a number.
        profile.WriteString("Model", "MaxSort", "250 blocks");
        QCOMPARE(profile.GetInt("Model", "MaxSort", 0), 250);
    }

    void fontsConvertBothWays() {
        FontDescription chart;  // -13, weight 400, "Times New Roman", roman family
        const QFont font = ToQFont(chart);
        QCOMPARE(font.pointSizeF(), 9.75);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(font.family(), QString("Times New Roman"));
        QCOMPARE(font.styleHint(), QFont::Serif);
        QCOMPARE(FromQFont(font, chart), chart);

        QFont chosen("DejaVu Sans");
        chosen.setPointSizeF(12.0);
        chosen.setBold(true);
        chosen.setItalic(true);
        chosen.setStrikeOut(true);
        const FontDescription d = FromQFont(chosen, chart);
        QCOMPARE(d.height, -16);
        QCOMPARE(d.weight, 700);
        QCOMPARE(int(d.italic), 1);
        QCOMPARE(int(d.strikeOut), 1);
        QCOMPARE(int(d.underline), 0);
        QCOMPARE(d.faceName, std::string("DejaVu Sans"));
        QCOMPARE(int(d.quality), int(chart.quality));  // no QFont counterpart: carried over
        QFont longName(QString(40, 'x'));
        QCOMPARE(FromQFont(longName, chart).faceName.size(), FontDescription::kMaxFaceName);
    }

    void dialogExchangeMovesValuesAndValidates() {
        QDialog dialog;
        auto* check = new QCheckBox(&dialog);
        auto* first = new QRadioButton(&dialog);
        auto* second = new QRadioButton(&dialog);
        auto* edit = new QLineEdit(&dialog);
        SetControlId(check, 1001);
        SetControlId(first, 1002);
        SetControlId(edit, 1003);
        (void)second;

        bool flag = true;
        int choice = 1, size = 12;
        CSettingsGroup group;
        group.SetSection("ExchangeTest");
        group.AddCheck({.since = 100.0, .name = "Flag", .controlId = 1001, .bound = &flag,
                        .defaultValue = false});
        group.AddChoice({.since = 100.0, .name = "Choice", .controlId = 1002, .bound = &choice,
                         .defaultValue = 0});
        group.AddInt({.since = 100.0, .name = "Size", .controlId = 1003, .bound = &size,
                      .defaultValue = 1, .min = 1, .max = 99});
        flag = 1, choice = 1, size = 12;
        group.Item(0).RefreshFromVariable();
        group.Item(1).RefreshFromVariable();
        group.Item(2).RefreshFromVariable();

        QtDialogExchange load(&dialog, false);
        QVERIFY(group.Exchange(load));
        QVERIFY(check->isChecked());
        QVERIFY(second->isChecked());
        QCOMPARE(edit->text(), QString("12"));

        edit->setText("250");
        dialog.show();
        QtMessageBox boxes;
        PlatformServices services;
        services.messageBox = &boxes;
        ScopedPlatform installed(services);
        QString message;
        ModalDriver driver([&](QWidget* w) {
            message = qobject_cast<QMessageBox*>(w)->text();
            ClickMessageBoxButton(w, QMessageBox::Ok);
        });
        QtDialogExchange save(&dialog, true);
        QVERIFY(!group.Exchange(save));
        QVERIFY(save.Failed());
        QCOMPARE(message, QString("Please enter an integer between 1 and 99."));
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(edit));
    }

    void helpOpensThePageOfAContext() {
        QtHelp help;
        help.ShowHelp(121);
        QVERIFY(help.Browser() != nullptr);
        QCOMPARE(help.Browser()->source().toString(), QString("qrc:/help/chart.html"));
        QVERIFY(help.Browser()->toPlainText().contains("chart window"));
        // A block's context opens the page of its type.
        help.ShowHelp(0x10000 + 32819);
        QVERIFY(help.Browser()->toPlainText().contains("out = sin(g1)"));
        help.ShowHelp(424242);
        QCOMPARE(help.Browser()->source().toString(), QString("qrc:/help/index.html"));
    }
};

ONDREL_GUI_TEST(PlatformTest);
#include "PlatformTest.moc"
