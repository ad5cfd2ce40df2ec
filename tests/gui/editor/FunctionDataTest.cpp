// The "Function Generator Data" dialog: editing the list, the message when a button needs a
// selection, loading a file, and how its OK and Cancel reach the block through the editor.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "EditorFakes.h"
#include "GuiTestRegistry.h"
#include "ModalDriver.h"
#include "core/blocks/FunctionGenerator.h"
#include "gui/dialogs/BlockEditorDialog.h"
#include "gui/dialogs/FunctionDataDialog.h"

using namespace ondrel;
using namespace ondrel::gui;
using namespace ondrel::guitest;

namespace {

constexpr char kSelectFirst[] = "Select a string from the listbox first.";

struct DataDialogParts {
    explicit DataDialogParts(QWidget* dialog)
        : edit(dialog->findChild<QLineEdit*>("valueEdit")),
          list(dialog->findChild<QListWidget*>("valueList")),
          dialog_(dialog) {}
    void Press(const char* name) const {
        QPushButton* button = dialog_->findChild<QPushButton*>(QString::fromUtf8(name));
        if (button == nullptr) qFatal("no button %s", name);
        button->click();
    }
    void Type(const QString& text, const char* button) const {
        edit->setText(text);
        Press(button);
    }
    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }
    int Selected() const {
        const auto items = list->selectedItems();
        return items.isEmpty() ? -1 : list->row(items.front());
    }
    QLineEdit* edit;
    QListWidget* list;

private:
    QWidget* dialog_;
};

}  // namespace

class FunctionDataTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsEditTheListAndKeepTheSelection() {
        EditorPlatform platform;
        FunctionDataDialog dialog({1.0, 2.0});
        DataDialogParts parts(&dialog);
        QCOMPARE(parts.Selected(), -1);

        parts.Type("3.5", "addButton");
        QCOMPARE(parts.Texts(), QStringList({"1", "2", "3.5"}));
        QCOMPARE(parts.Selected(), 2);
        QCOMPARE(parts.edit->text(), QString());

        parts.list->setCurrentRow(1);  // the user picks "2": its text goes into the edit box
        QCOMPARE(parts.edit->text(), QString("2"));
        parts.Type("-4", "insertButton");
        QCOMPARE(parts.Texts(), QStringList({"1", "-4", "2", "3.5"}));
        QCOMPARE(parts.Selected(), 1);

        parts.Type("abc", "replaceButton");
        QCOMPARE(parts.Texts(), QStringList({"1", "0", "2", "3.5"}));
        QCOMPARE(parts.Selected(), 1);

        parts.Press("removeButton");
        QCOMPARE(parts.Texts(), QStringList({"1", "2", "3.5"}));
        QCOMPARE(parts.Selected(), 1);
        parts.list->setCurrentRow(2);
        parts.Press("removeButton");
        QCOMPARE(parts.Texts(), QStringList({"1", "2"}));
        QCOMPARE(parts.Selected(), -1);  // the last entry went: nothing left to select there

        parts.Press("removeAllButton");
        QCOMPARE(parts.Texts(), QStringList());
        QVERIFY(dialog.Values().empty());
        QVERIFY(platform.boxes.shown.empty());
    }

    void buttonsThatNeedASelectionSaySo() {
        for (const char* button : {"insertButton", "replaceButton", "removeButton"}) {
            EditorPlatform platform;
            FunctionDataDialog dialog({1.0, 2.0});
            DataDialogParts parts(&dialog);
            parts.Type("9", button);
            QCOMPARE(platform.boxes.shown, std::vector<std::string>{kSelectFirst});
            QCOMPARE(dialog.Values(), (std::vector<double>{1.0, 2.0}));
        }
    }

    void fileReplacesTheListAndAnUnreadableOneChangesNothing() {
        EditorPlatform platform;
        QTemporaryDir dir;
        const QString path = dir.filePath("table.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1.5\r\n\r\nabc\r\n2\r\n");
        file.close();

        FunctionDataDialog dialog({7.0});
        DataDialogParts parts(&dialog);
        platform.dialogs.file = path.toStdString();
        parts.Press("fileButton");
        QCOMPARE(dialog.Values(), (std::vector<double>{1.5, 0.0, 0.0, 2.0}));
        QCOMPARE(parts.Selected(), 3);

        platform.dialogs.file = dir.filePath("missing.txt").toStdString();
        parts.Press("fileButton");
        QCOMPARE(dialog.Values().size(), std::size_t{4});
        parts.Press("helpButton");
        QCOMPARE(platform.help.contexts, std::vector<int>{FunctionDataDialog::kHelpContext});
    }

    void okReplacesTheTableEvenWhenTheEditorIsCancelled() {
        EditorPlatform platform;
        EditorChart chart;
        auto* generator =
            dynamic_cast<CFunctionGeneratorBlock*>(chart.Place(kTypeFunctionGenerator, 3, 3));
        QVERIFY(generator != nullptr);
        generator->SetOrdinates({0.0, 1.0});
        BlockEditorDialog editor(*generator);
        QVERIFY(editor.findChild<QPushButton*>("dataButton")->isVisibleTo(&editor));

        ModalDriver addAndOk(
            [](QWidget* data) {
                DataDialogParts parts(data);
                parts.Type("0.25", "addButton");
                parts.Press("okButton");
            },
            "ondrel::gui::FunctionDataDialog");
        editor.findChild<QPushButton*>("dataButton")->click();
        QVERIFY(addAndOk.Acted());
        editor.reject();

        const std::optional<BlockEdit> change = editor.Change();
        QVERIFY(change.has_value());
        QCOMPARE(*change->ordinates, (std::vector<double>{0.0, 1.0, 0.25}));
        QCOMPARE(change->label, editor.Before().label);
        ApplyBlockEdit(chart.doc, *generator, *change);
        QCOMPARE(generator->Ordinates(), (std::vector<double>{0.0, 1.0, 0.25}));
    }

    void cancelKeepsTheTable() {
        EditorPlatform platform;
        EditorChart chart;
        auto* generator =
            dynamic_cast<CFunctionGeneratorBlock*>(chart.Place(kTypeFunctionGenerator, 3, 3));
        generator->SetOrdinates({0.0, 1.0});
        BlockEditorDialog editor(*generator);
        ModalDriver removeAllAndCancel(
            [](QWidget* data) {
                DataDialogParts parts(data);
                parts.Press("removeAllButton");
                parts.Press("cancelButton");
            },
            "ondrel::gui::FunctionDataDialog");
        editor.findChild<QPushButton*>("dataButton")->click();
        QVERIFY(removeAllAndCancel.Acted());
        editor.accept();
        QCOMPARE(*editor.Change()->ordinates, (std::vector<double>{0.0, 1.0}));
        editor.reject();  // a cancelled editor with an untouched table has nothing to apply
        QVERIFY(!editor.Change().has_value());
    }
};

ONDREL_GUI_TEST(FunctionDataTest);

#include "FunctionDataTest.moc"
