// Every block type has its own help page, made from the catalogue: each input and parameter
// by name with its default, the mode, the formula and an example; the editor's Help context
// leads to the page of its type.
#include <QtTest>

#include "GuiTestRegistry.h"
#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "gui/help/BlockHelpPages.h"
#include "gui/help/HelpPages.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/StringTable.h"

using namespace ondrel;
using namespace ondrel::gui;

class BlockHelpTest : public QObject {
    Q_OBJECT
private slots:
    void everyBlockTypeHasAPageNamingItsInputsAndParameters() {
        QCOMPARE(Catalogue().size(), std::size_t{43});
        for (const CatalogueEntry& entry : Catalogue()) {
            const QString name = QString::fromStdString(LoadString(entry.typeId));
            const QString page = BlockHelpPage(entry.typeId);
            QVERIFY2(page.contains("<h2>" + name.toHtmlEscaped() + "</h2>"), qPrintable(name));
            for (const char* part : {"Mode:", "Example:", "<p>"})
                QVERIFY2(page.contains(part), qPrintable(name + ": " + part));
            for (int k = 1; k <= entry.inputCount; ++k) {
                const char* label = entry.inputLabels[k - 1];
                const QString caption = label ? QString(label) : QString("Input %1").arg(k);
                QVERIFY2(page.contains("<td>" + caption + "</td>"), qPrintable(name + ": " + caption));
            }
            for (int k = 1; k <= entry.paramCount; ++k) {
                const char* label = entry.paramLabels[k - 1];
                const QString caption = label ? QString(label) : QString("Gain %1").arg(k);
                const QString fallback = QString::fromStdString(FormatSignificant(entry.paramDefaults[k - 1], 6));
                QVERIFY2(page.contains("<td>" + caption + "</td><td>default " + fallback),
                         qPrintable(name + ": " + caption));
            }
            QCOMPARE(BlockTypeOfHelpContext(kBlockHelpBase + entry.commandId), entry.typeId);
        }
        const QString sine = BlockHelpPage(kTypeSineWaveGenerator);
        QVERIFY(sine.contains("<td>Frequency</td><td>default 1 hertz"));
        QVERIFY(sine.contains("<td>Delay</td><td>default 1 seconds"));
        QVERIFY(BlockHelpPage(61627).isEmpty());
        // The block editor's tool tips say the same.
        QCOMPARE(ParameterHint(kTypeSineWaveGenerator, 1), QString("Frequency, in hertz; default 1"));
        QCOMPARE(ParameterHint(kTypeSineWaveGenerator, 3), QString("Delay, in seconds; default 1"));
        QCOMPARE(ParameterHint(kTypeSum, 2), QString("Gain 2; default 1"));
        QCOMPARE(ParameterHint(kTypeConstant, 2), QString());
        QCOMPARE(BlockTypeOfHelpContext(57600), 0);
    }
};

ONDREL_GUI_TEST(BlockHelpTest);
#include "BlockHelpTest.moc"
